// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's pictures and saves them as Windows bitmaps. The
// chapter pictures follow the course file: each shows its lesson's new keys.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <functional>
#include <vector>

#include "Course.h"
#include "Scenes.h"

namespace {

bool Save(const QImage& image, const QString& path) {
  if (image.save(path, "BMP")) return true;
  std::fprintf(stderr, "qxpictures: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: qxpictures <course file> <output folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[2]));
  QFile course(QString::fromLocal8Bit(argv[1]));
  const std::vector<qxart::CourseLesson> lessons =
      course.open(QIODevice::ReadOnly) ? qxart::ReadCourseLessons(course.readAll())
                                       : std::vector<qxart::CourseLesson>();
  if (lessons.empty()) {
    std::fprintf(stderr, "qxpictures: no lessons in %s\n", argv[1]);
    return 1;
  }

  bool ok = true;
  QString known;
  for (size_t i = 0; i < lessons.size(); ++i) {
    qxart::LessonKeys keys{int(i + 1), int(lessons.size()), known, lessons[i].newKeys};
    if (!lessons[i].picture.isEmpty())
      ok = Save(qxart::ChapterPicture(keys), out.filePath(lessons[i].picture)) && ok;
    known += lessons[i].newKeys;
  }
  const std::pair<const char*, std::function<QImage()>> pictures[] = {
      {"Welcome.pic", qxart::WelcomePicture}, {"Goodbye.pic", qxart::GoodbyePicture},
      {"Tour.pic", qxart::TourPicture},       {"Homerow.pic", qxart::HomeRowPicture},
      {"Shift.pic", qxart::ShiftPicture},     {"Digits.pic", qxart::DigitsPicture}};
  for (const auto& [name, draw] : pictures) ok = Save(draw(), out.filePath(name)) && ok;
  return ok ? 0 : 1;
}
