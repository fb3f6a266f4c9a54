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

#include "Scenes.h"

namespace {

// A "%" before "=" or ";" makes that character part of the value.
QString Unescape(const QString& value) {
  QString out;
  for (int i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 1 < value.size() && (value[i + 1] == ';' || value[i + 1] == '='))
      continue;
    out += value[i];
  }
  return out;
}

struct Lesson {
  QString picture;
  QString newKeys;
};

std::vector<Lesson> ReadLessons(const QString& path) {
  std::vector<Lesson> lessons;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return lessons;
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const QString line = QString::fromLatin1(raw).trimmed();
    const qsizetype eq = line.indexOf('=');
    const QString keyword = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
    const QString value = eq < 0 ? QString() : line.mid(eq + 1);
    if (keyword == "begin chapter") lessons.push_back({});
    if (lessons.empty()) continue;
    if (keyword == "picture") lessons.back().picture = value;
    if (keyword == "new keys") lessons.back().newKeys = Unescape(value);
  }
  return lessons;
}

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
  const std::vector<Lesson> lessons = ReadLessons(QString::fromLocal8Bit(argv[1]));
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
