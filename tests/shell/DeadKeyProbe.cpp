// SPDX-License-Identifier: GPL-3.0-or-later
// Types what the book's key hook receives onto a typing canvas and prints the
// canvas text as character codes; run by the tests under a real X server.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/ExrCanv.h"
#include "platform/QtPlatform.h"
#include "shell/Bookfrm.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  qx::InstallQtPlatform();
  const size_t expected = argc > 1 ? size_t(std::atoi(argv[1])) : 1;

  TBookForm book;
  auto* canvas = new TTypingCanvas(&book);
  canvas->setGeometry(40, 40, 400, 80);
  book.OnKeyPress = [&](unsigned char& key) {
    canvas->TypeChar(key);
    key = 0;
    if (canvas->TypedWord->Text.size() >= expected) app.quit();
  };
  book.show();
  canvas->show();
  canvas->raise();
  book.activateWindow();
  canvas->setFocus();

  // The test starts typing once the canvas really has the keyboard.
  QTimer ready;
  QObject::connect(&ready, &QTimer::timeout, [&] {
    if (!book.isActiveWindow() || QApplication::focusWidget() != canvas) {
      book.activateWindow();
      canvas->setFocus();
      return;
    }
    ready.stop();
    std::printf("ready\n");
    std::fflush(stdout);
  });
  ready.start(20);
  QTimer::singleShot(30000, &app, &QApplication::quit);
  app.exec();

  for (const char c : canvas->TypedWord->Text) std::printf("%02X ", unsigned(static_cast<unsigned char>(c)));
  std::printf("\n");
  return 0;
}
