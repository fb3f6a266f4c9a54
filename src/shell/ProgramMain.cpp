// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <clocale>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/QtPlatform.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Chpstgs.h"
#include "shell/Eventstg.h"
#include "shell/Generstg.h"
#include "shell/naviform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  std::setlocale(LC_TIME, "");
  qx::InstallQtPlatform();
  qx::SetApplicationTitle("Quillbrandex 98");
  QApplication::setApplicationName(QStringLiteral("Quillbrandex 98"));

  // The window first, then the storage forms whose controls the views borrow.
  auto book = std::make_unique<TBookForm>();
  auto navigate = std::make_unique<TNavigate>(book.get());
  auto general = std::make_unique<TGeneralStg>();
  auto events = std::make_unique<TEventsStg>();
  auto chapter = std::make_unique<TChapterStgs>();
  auto exercInfo = std::make_unique<TExercInfoView>();

  book->setWindowTitle(QStringLiteral("Quillbrandex 98"));
  book->SetLayout(0);
  book->show();
  return app.exec();
}
