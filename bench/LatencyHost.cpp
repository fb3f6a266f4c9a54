// SPDX-License-Identifier: GPL-3.0-or-later
// One exercise step on the real book window for qxlatencyprobe: a text
// exercise, a keyboard drill or ZaroZira. Once the step is painted it
// tells the probe on stdout which window to watch, the region where a
// typed key shows (window pixels) and the keys to type, in hex:
//   READY <window> <x> <y> <w> <h>
//   KEYS <hex>
// and then waits for the keys until it is killed.
#include <QApplication>
#include <QGraphicsView>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>

#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "engine/Diffkeys.h"
#include "engine/ExrCanv.h"
#include "engine/KeyData.h"
#include "engine/Keyboard.h"
#include "engine/Viewcanv.h"
#include "platform/Files.h"
#include "platform/QtPlatform.h"
#include "review/GamEvent.h"
#include "shell/Bookfrm.h"
#include "shell/Main.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

// The widget's rectangle in the pixels of the top-level window.
QRect WindowRect(QWidget* widget) {
  const QRect onBook(widget->mapTo(BookForm, QPoint(0, 0)), widget->size());
  auto* view = qobject_cast<QGraphicsView*>(BookForm->Frame());
  if (!view) return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
  const QRect onViewport = view->mapFromScene(QRectF(onBook)).boundingRect();
  return QRect(view->viewport()->mapTo(view, onViewport.topLeft()), onViewport.size()).adjusted(-1, -1, 1, 1);
}

void Announce(QWidget* region, const std::string& keys) {
  const QRect r = WindowRect(region);
  std::string hex;
  for (unsigned char c : keys) {
    static const char digits[] = "0123456789abcdef";
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  std::printf("READY %lu %d %d %d %d\nKEYS %s\n", static_cast<unsigned long>(BookForm->Frame()->winId()),
              r.x(), r.y(), r.width(), r.height(), hex.c_str());
  std::fflush(stdout);
}

std::string Repeated(const std::string& line, size_t atLeast) {
  std::string text;
  while (text.size() < atLeast) text += line;
  return text;
}

// Gives the step time for its first paint, then announces it.
void WhenPainted(std::function<void()> announce) { QTimer::singleShot(700, std::move(announce)); }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const std::string kind = argc > 1 ? argv[1] : "text";
  qx::InstallQtPlatform();
  qx::ChangeDirectory(qx::ProgramDir());
  SoundAvailable = false;

  TProgramSettings settings;
  Settings = &settings;
  settings.LoadSettings();
  TKeyData keys;
  KeyData = &keys;
  if (keys.LoadLayout("qwerty.kbd") != kFileOpen) {
    std::fprintf(stderr, "qwerty.kbd is missing beside the program\n");
    return 1;
  }
  TUser user("Bench");
  User = &user;
  KeyStats = user.DifficultKeys;
  TProgramForms forms;
  forms.Book->Frame()->resize(1024, 700);
  forms.Book->Frame()->show();
  forms.Book->SetLayout(1);

  if (kind == "text") {
    const std::string line =
        "The quick brown fox jumps over the lazy dog while seven keen typists watch.\r\n";
    TTextEvent event;
    event.CreateFromDescriptor("event=TEXT;1;" + Repeated(line, 4000) + ";FALSE");
    WhenPainted([&] {
      std::string typed;
      for (char c : event.EventText)
        if (c != '\n') typed += c;
      Announce(event.TypingCanvas, typed);
    });
    event.Run();
  } else if (kind == "drill") {
    TKeyboardEvent event;
    event.CreateFromDescriptor("event=KEYBOARD;0;" + Repeated("fff jjj ddd kkk fj dk jf kd sss lll ", 1200));
    WhenPainted([&] { Announce(event.Keyboard, event.EventText); });
    event.Run();
  } else if (kind == "zarozira") {
    TZaroZiraEvent event;
    event.CreateFromDescriptor("event=ZAROZIRA;0;Nature.vcb");
    WhenPainted([&] {
      std::string typed;
      for (size_t i = 0; typed.size() < 1200 && !event.Words.empty(); ++i)
        typed += event.Words[i % event.Words.size()];
      Announce(event.Bar ? static_cast<QWidget*>(event.Bar.data()) : BookForm->WidePage, typed);
    });
    event.Run();
  } else {
    std::fprintf(stderr, "usage: %s text|drill|zarozira\n", argv[0]);
    return 2;
  }
  return 0;
}
