// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLibrary>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/Files.h"
#include "platform/KeyboardLayout.h"
#include "platform/QtText.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/X11Keyboard.h"

namespace qx {

QString ToQtLines(const std::string& cp1252) {
  QString text = ToQt(cp1252);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

namespace {

std::function<void(int)> g_helpOpener;

class QtDialogs final : public IDialogs {
 public:
  DialogAnswer Ask(const DialogRequest& r) override {
    for (;;) {
      QMessageBox box(QApplication::activeWindow());
      box.setWindowTitle(ToQt(r.caption.empty() ? ApplicationTitle() : r.caption));
      box.setText(ToQtLines(r.text));
      switch (r.icon) {
        case DialogIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case DialogIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case DialogIcon::Information: box.setIcon(QMessageBox::Information); break;
        case DialogIcon::Question: box.setIcon(QMessageBox::Question); break;
        case DialogIcon::None: box.setIcon(QMessageBox::NoIcon); break;
      }
      if (r.buttons == DialogButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
      } else {
        QMessageBox::StandardButtons b = QMessageBox::Yes | QMessageBox::No;
        if (r.buttons == DialogButtons::YesNoHelp) b |= QMessageBox::Help;
        box.setStandardButtons(b);
        box.setDefaultButton(QMessageBox::Yes);
      }
      const int answer = box.exec();
      if (answer == QMessageBox::Help) {
        if (g_helpOpener) g_helpOpener(r.helpTopic);
        continue;  // the question stays open, as it would beside the help window
      }
      if (r.buttons == DialogButtons::Ok) return DialogAnswer::Ok;
      return answer == QMessageBox::Yes ? DialogAnswer::Yes : DialogAnswer::No;
    }
  }
};

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove: return true;
    default: return false;
  }
}

// Input from the window system stays in Qt's own queue under
// ExcludeUserInputEvents; input that was posted as an event is held here.
// Both reach their widgets, in order, once the wait is over: nothing the
// student typed is lost, it only cannot act in the middle of the wait.
class InputHold final : public QObject {
 public:
  InputHold() { QCoreApplication::instance()->installEventFilter(this); }
  ~InputHold() override {
    QCoreApplication::instance()->removeEventFilter(this);
    for (auto& [receiver, event] : held_) {
      if (receiver)
        QCoreApplication::postEvent(receiver, event);
      else
        delete event;
    }
  }
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (!IsUserInput(event->type())) return false;
    held_.push_back({QPointer<QObject>(receiver), event->clone()});
    return true;
  }

 private:
  std::vector<std::pair<QPointer<QObject>, QEvent*>> held_;
};

class QtEventPump final : public IEventPump {
 public:
  void ProcessPending() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }
  void Wait(int ms) override { Run(ms, QEventLoop::AllEvents); }
  void ProcessPendingWithoutInput() override {
    InputHold hold;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  void WaitWithoutInput(int ms) override {
    InputHold hold;
    Run(ms, QEventLoop::ExcludeUserInputEvents);
  }

 private:
  static void Run(int ms, QEventLoop::ProcessEventsFlags flags) {
    if (ms <= 0) {
      QCoreApplication::processEvents(flags);
      return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(flags);
  }
};

bool IsUrl(const QString& file) {
  static const char* kSchemes[] = {"http:", "https:", "ftp:", "mailto:", "file:"};
  for (const char* s : kSchemes)
    if (file.startsWith(QLatin1String(s), Qt::CaseInsensitive)) return true;
  return false;
}

class QtShell final : public IShell {
 public:
  int Open(const std::string& file, const std::string& parameters,
           const std::string& directory) override {
    const QString qfile = ToQt(file);
    if (IsUrl(qfile))
      return QDesktopServices::openUrl(QUrl(qfile)) ? kShellOk : kShellNoAssociation;
    const std::string path = directory.empty() || (!file.empty() && file[0] == '/')
                                 ? file
                                 : JoinPath(directory, file);
    if (!FileExists(path)) return kShellFileNotFound;
    const QString local = QString::fromStdString(OsPath(path).string());
    const QFileInfo info(local);
    if (info.isExecutable()) {
      const QStringList args = QProcess::splitCommand(ToQt(parameters));
      const QString dir = directory.empty() ? QDir::currentPath()
                                            : QString::fromStdString(OsPath(directory).string());
      // A bare name would be looked up on PATH rather than where it was found.
      return QProcess::startDetached(info.absoluteFilePath(), args, dir) ? kShellOk : kShellFileNotFound;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))
               ? kShellOk
               : kShellNoAssociation;
  }
};

// The sound module (QtSound.cpp) beside the program, or in the private
// folder of an installed one; none when it cannot be loaded.
ISoundSystem* SoundModule() {
  static ISoundSystem* system = []() -> ISoundSystem* {
    using Create = ISoundSystem* (*)();
    const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (const char* place : {"", "../libexec/quillbrandex/", "../../libexec/quillbrandex/"}) {
      QLibrary module(dir + QLatin1String(place) + QLatin1String("libqxsound.so"));
      if (auto create = reinterpret_cast<Create>(module.resolve("QxCreateSoundSystem"))) return create();
    }
    return nullptr;
  }();
  return system;
}

// Bringing up the media framework and the audio server costs more than
// the whole log-on page, so a player remembers its file and starts them
// only when it is asked to get ready or to play.
class DeferredWavePlayer final : public IWavePlayer {
 public:
  bool Open(const std::string& path) override {
    if (!FileExists(path)) return false;
    path_ = OsPath(path).string();
    return true;
  }
  bool CanPlay() override { return Real() && real_->CanPlay(); }
  bool Play() override {
    if (!Real()) return true;  // without the module every sound is silent
    const bool played = real_->Play();
    error_ = real_->LastError();
    return played;
  }
  std::string LastError() const override { return error_; }
  bool Loading() const override { return Real() && real_->Loading(); }
  bool Playing() const override { return real_ && real_->Playing(); }
  void Prepare() override { Real(); }

 private:
  IWavePlayer* Real() const {
    if (!real_ && !path_.empty() && !tried_) {
      tried_ = true;
      if (ISoundSystem* module = SoundModule()) {
        real_ = module->CreatePlayer();
        real_->OnLoaded = [this](bool ready) {
          if (!ready) error_ = real_->LastError();
          if (OnLoaded) OnLoaded(ready);
        };
        real_->Open(path_);
      }
    }
    return real_.get();
  }

  std::string path_;
  mutable std::unique_ptr<IWavePlayer> real_;
  mutable bool tried_ = false;
  mutable std::string error_;
};

class QtSoundSystem final : public ISoundSystem {
 public:
  std::unique_ptr<IWavePlayer> CreatePlayer() override { return std::make_unique<DeferredWavePlayer>(); }
};

class X11KeyboardLayout final : public IKeyboardLayout {
 public:
  bool ActiveLayoutId(std::string& id) override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    return ReadX11LayoutId(id);
  }
};

}  // namespace

void SetHelpOpener(std::function<void(int)> opener) { g_helpOpener = std::move(opener); }

void InstallQtPlatform() {
  static QtDialogs dialogs;
  static QtEventPump pump;
  static QtShell shell;
  static QtSoundSystem sound;
  static X11KeyboardLayout keyboard;
  InstallDialogs(&dialogs);
  InstallEventPump(&pump);
  InstallShell(&shell);
  InstallSoundSystem(&sound);
  InstallKeyboardLayout(&keyboard);
}

ViewLoop::ViewLoop() : loop_(new QEventLoop) {}

ViewLoop::~ViewLoop() { delete loop_; }

void ViewLoop::Run() {
  if (quitRequested_) {
    quitRequested_ = false;
    return;
  }
  running_ = true;
  loop_->exec();
  running_ = false;
  quitRequested_ = false;
}

void ViewLoop::Quit() {
  if (running_)
    loop_->quit();
  else
    quitRequested_ = true;
}

}  // namespace qx
