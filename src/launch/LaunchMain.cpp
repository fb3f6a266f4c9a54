// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QWidget>

#include "platform/QtPlatform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  qx::InstallQtPlatform();
  QApplication::setApplicationName(QStringLiteral("Network Installation Wizard"));
  QWidget window;
  window.setWindowTitle(QStringLiteral("Quillbrandex for Networks"));
  window.setFixedSize(473, 311);
  window.show();
  return app.exec();
}
