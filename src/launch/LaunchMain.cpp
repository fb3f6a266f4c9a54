// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "launch/launchwin.h"
#include "platform/Dialogs.h"
#include "platform/QtPlatform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  qx::InstallQtPlatform();
  qx::SetApplicationTitle("Network Installation Wizard");
  QApplication::setApplicationName(QStringLiteral("Network Installation Wizard"));
  TCDSetupForm window;
  window.show();
  return app.exec();
}
