// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <string>

#include "platform/CodePage.h"

// The one crossing between the program's Windows-1252 text and Qt.
namespace qx {

inline QString ToQt(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

// Characters without a Windows-1252 code are dropped.
inline std::string FromQt(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

// Windows line breaks ("\r", "\r\n", "\n\r") as Qt's "\n".
QString ToQtLines(const std::string& cp1252);

}  // namespace qx
