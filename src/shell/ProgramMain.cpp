// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "platform/Dialogs.h"
#include "platform/QtPlatform.h"
#include "shell/Bookfrm.h"
#include "shell/Main.h"

namespace {

// With QX_STARTUP_PROBE set the program reports, once the log-on page is
// on the screen, the wall-clock time and its resident memory on stderr,
// then ends: start-up is measured on the real program.
void ReportStartup() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  long residentKb = 0;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) residentKb = std::stol(line.substr(6));
  std::fprintf(stderr, "log-on page at %lld.%09ld, resident %ld kB\n", static_cast<long long>(now.tv_sec),
               now.tv_nsec, residentKb);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  std::setlocale(LC_TIME, "");
  // The controller ends the program itself; closing the book only asks it to.
  QApplication::setQuitOnLastWindowClosed(false);
  qx::InstallQtPlatform();
  qx::SetApplicationTitle("Quillbrandex 98");
  QApplication::setApplicationName(QStringLiteral("Quillbrandex 98"));

  TProgramForms forms;
  TMain controller(forms.Book.get());
  if (qEnvironmentVariableIsSet("QX_STARTUP_PROBE")) {
    controller.OnLogonPage = [book = forms.Book.get()] {
      book->repaint();
      ReportStartup();
      book->Frame()->close();
    };
  }
  controller.Run();
  return 0;
}
