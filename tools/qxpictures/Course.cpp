// SPDX-License-Identifier: GPL-3.0-or-later
#include "Course.h"

#include <QList>

namespace qxart {

namespace {

// The value is the text after the keyword up to the next unescaped ";" or
// "="; an escaping "%" is dropped.
QString Value(const QString& rest) {
  QString out;
  for (qsizetype i = 0; i < rest.size(); ++i) {
    const QChar c = rest[i];
    if (c == '%' && i + 1 < rest.size() && (rest[i + 1] == ';' || rest[i + 1] == '=')) {
      out += rest[++i];
      continue;
    }
    if (c == ';' || c == '=') {
      if (out.isEmpty()) continue;
      break;
    }
    out += c;
  }
  return out;
}

}  // namespace

std::vector<CourseLesson> ReadCourseLessons(const QByteArray& text) {
  std::vector<CourseLesson> lessons;
  for (const QByteArray& raw : text.split('\n')) {
    const QString line = QString::fromLatin1(raw).trimmed();
    if (line.isEmpty() || line.startsWith('\'')) continue;
    qsizetype end = 0;
    while (end < line.size() && line[end] != '=' && line[end] != ';') ++end;
    const QString keyword = line.left(end).toLower();
    const QString value = Value(line.mid(end));
    if (keyword == "begin chapter") lessons.push_back({});
    if (lessons.empty()) continue;
    if (keyword == "picture") lessons.back().picture = value;
    if (keyword == "new keys") lessons.back().newKeys = value;
  }
  return lessons;
}

}  // namespace qxart
