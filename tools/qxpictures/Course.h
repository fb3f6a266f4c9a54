// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

// Just enough of a course file to draw its chapter pictures.
namespace qxart {

struct CourseLesson {
  QString picture;
  QString newKeys;
};

// The lessons of a course file's text, in order, with their picture file
// and new keys ("%" before ";" or "=" keeps that character in the value).
std::vector<CourseLesson> ReadCourseLessons(const QByteArray& text);

}  // namespace qxart
