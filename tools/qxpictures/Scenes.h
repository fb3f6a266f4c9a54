// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>

// The pictures themselves.
namespace qxart {

struct LessonKeys {
  int number = 0;      // 1-based
  int count = 0;       // lessons in the course
  QString known;       // keys of the earlier lessons
  QString fresh;       // this lesson's new keys
};

QImage ChapterPicture(const LessonKeys& lesson);
QImage WelcomePicture();
QImage GoodbyePicture();
QImage TourPicture();
QImage HomeRowPicture();
QImage ShiftPicture();
QImage DigitsPicture();

}  // namespace qxart
