// SPDX-License-Identifier: GPL-3.0-or-later
// The server setup: without options a wizard, with --folder a script's tool.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/QtPlatform.h"
#include "setup/ServerSetup.h"
#include "setup/SetupWizard.h"

namespace {

void Usage(std::FILE* out) {
  std::fputs(
      "Usage: setup                       ask in a wizard\n"
      "       setup --folder DIR [--group NAME]\n"
      "Prepares DIR as the shared data folder of Quillbrandex workstations: the\n"
      "group NAME (default: your own group) may write the students' data, only\n"
      "you the shared settings. Prints the lines a workstation's QXLocal.ini needs.\n",
      out);
}

int RunFromCommandLine(int argc, char* argv[]) {
  TServerSetup setup;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help" || option == "-h") {
      Usage(stdout);
      return 0;
    }
    if ((option == "--folder" || option == "--group") && i + 1 < argc) {
      if (option == "--folder")
        setup.Folder = qx::Utf8ToCp1252(argv[++i]);
      else
        setup.Group = argv[++i];
    } else {
      Usage(stderr);
      return 2;
    }
  }
  const bool ok = setup.Run();
  // What was done goes to the terminal; only the workstation's lines to
  // standard output, so that a script can append them to a settings file.
  for (const std::string& line : setup.Log) std::fprintf(stderr, "%s\n", qx::Cp1252ToUtf8(line).c_str());
  if (!ok) return 1;
  for (const std::string& line : setup.WorkstationLines()) std::printf("%s\n", qx::Cp1252ToUtf8(line).c_str());
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1) return RunFromCommandLine(argc, argv);
  QApplication app(argc, argv);
  qx::InstallQtPlatform();
  qx::SetApplicationTitle("Quillbrandex Server Setup");
  TSetupWizard wizard;
  wizard.show();
  return app.exec();
}
