// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the detected keyboard language; run by the tests under a display.
#include <QGuiApplication>
#include <cstdio>

#include "platform/CodePage.h"
#include "platform/QtPlatform.h"
#include "storage/ToolBox.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  qx::InstallQtPlatform();
  std::printf("%s\n", qx::Cp1252ToUtf8(DetectKeyboardLanguage()).c_str());
  return 0;
}
