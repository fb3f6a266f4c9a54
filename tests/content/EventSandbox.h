// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Diffkeys.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Chpstgs.h"
#include "shell/Eventstg.h"
#include "shell/Formview.h"
#include "shell/Generstg.h"
#include "shell/Main.h"
#include "storage/PrgSetup.h"
#include "storage/StorageSandbox.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace qxtest {

// Players that remember which files were played.
class RecordingSounds final : public qx::ISoundSystem {
 public:
  std::unique_ptr<qx::IWavePlayer> CreatePlayer() override { return std::make_unique<Player>(played); }
  std::vector<std::string> played;

 private:
  class Player final : public qx::IWavePlayer {
   public:
    explicit Player(std::vector<std::string>& log) : log_(log) {}
    bool Open(const std::string& path) override {
      path_ = path;
      return true;
    }
    bool CanPlay() override { return true; }
    bool Play() override {
      log_.push_back(path_);
      return true;
    }
    std::string LastError() const override { return {}; }

   private:
    std::vector<std::string>& log_;
    std::string path_;
  };
};

// Everything an exercise step needs: a program folder, a manual clock,
// scripted message boxes, recorded sounds, the settings, a logged-on
// student with key statistics, the book window with its storage forms and
// the information page.
class EventTest : public ::testing::Test {
 protected:
  EventTest() {
    qx::InstallClock(&clock);
    qx::InstallSoundSystem(&sounds);
    SoundAvailable = true;
    CreateSound(kSoundClick, "Click.wav");
    CreateSound(kSoundTheEnd, "Theend.wav");
    CreateSound(kSoundError, "Error.wav");
    WriteBytes(sandbox / "QXDef.ini", "[General Settings]\r\n");
    WriteBytes(sandbox / "QXCommon.ini", "[General Settings]\r\n");
    settings = std::make_unique<TProgramSettings>();
    settings->MeasuringWPM = true;
    Settings = settings.get();
    user = std::make_unique<TUser>("Tester");
    User = user.get();
    KeyStats = user->DifficultKeys;
    forms = std::make_unique<TProgramForms>();
    book = forms->Book.get();
    chapter = ChapterStgs;
    info = ExercInfoView;
    book->Frame()->show();
    QApplication::setActiveWindow(book->Frame());
    EXPECT_TRUE(QTest::qWaitForWindowActive(book->Frame()));
  }

  ~EventTest() override {
    forms.reset();
    KeyStats = nullptr;
    User = nullptr;
    Settings = nullptr;
    for (int slot : {kSoundClick, kSoundTheEnd, kSoundError}) FreeSound(slot);
    qx::InstallSoundSystem(nullptr);
    qx::InstallClock(nullptr);
  }

  // Runs the script inside the step once it is on the page; a watchdog
  // closes a step that the script failed to end.
  int RunWith(const std::function<int()>& run, const std::function<void()>& script) {
    QObject guard;
    QTimer::singleShot(0, &guard, script);
    QTimer::singleShot(30000, &guard, [] {  // generous: the machine may be busy
      ADD_FAILURE() << "the step did not end";
      while (TFormView* view = ActiveView) {
        view->OnCloseQuery = nullptr;
        bool veto = false;
        view->Close(veto);
      }
    });
    return run();
  }

  // Keys as the student types them, to the program's window, which hands
  // them to whatever has the focus in the book.
  static QWidget* Target() { return BookForm->Frame(); }
  static void Press(char c) {
    switch (c) {
      case ' ':
        QTest::keyClick(Target(), Qt::Key_Space, Qt::NoModifier);
        break;
      case '\r':
        QTest::keyClick(Target(), Qt::Key_Return);
        break;
      case '\b':
        QTest::keyClick(Target(), Qt::Key_Backspace);
        break;
      default:
        QTest::keyClick(Target(), c);
        break;
    }
  }
  static void PressKey(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Target(), key, mods);
  }
  // Each character after the clock moved on by the interval (clock units).
  void Type(const std::string& text, double interval = 0.5) {
    for (char c : text) {
      clock.AdvanceUnits(interval);
      Press(c);
    }
  }

  static void Click(TImage* button) { QTest::mouseClick(button, Qt::LeftButton); }

  bool Played(const std::string& file) const {
    for (const std::string& s : sounds.played)
      if (s == file) return true;
    return false;
  }

  StorageSandbox sandbox;
  qx::ManualClock clock;
  RecordingSounds sounds;
  std::unique_ptr<TProgramSettings> settings;
  std::unique_ptr<TUser> user;
  std::unique_ptr<TProgramForms> forms;
  TBookForm* book = nullptr;
  TChapterStgs* chapter = nullptr;
  TExercInfoView* info = nullptr;
};

}  // namespace qxtest
