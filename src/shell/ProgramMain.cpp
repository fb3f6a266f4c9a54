// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QWidget>
#include <clocale>

#include "platform/QtPlatform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  std::setlocale(LC_TIME, "");
  qx::InstallQtPlatform();
  QApplication::setApplicationName(QStringLiteral("Quillbrandex 98"));
  QWidget window;
  window.setWindowTitle(QStringLiteral("Quillbrandex 98"));
  window.resize(804, 580);
  window.show();
  return app.exec();
}
