// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "FlowSandbox.h"
#include "engine/KeyData.h"
#include "engine/Keyboard.h"
#include "platform/KeyboardLayout.h"
#include "shell/Bookfrm.h"
#include "shell/Main.h"
#include "shell/OptiStg.h"
#include "shell/OptiView.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

class NoKeyboard final : public qx::IKeyboardLayout {
 public:
  bool ActiveLayoutId(std::string&) override { return false; }
};

class OptionsTest : public ::testing::Test {
 public:
  void SetUp() override {
    qx::InstallKeyboardLayout(&german);
    sandbox.SetLocal("KeyboardAutoDetect", "0");
    sandbox.SetLocal("KeyboardLayout", "English");
    qx::RenameFile(sandbox.Prog() + "UserBase.org", sandbox.Data() + "Userbase.qx4");
    book.show();
    QApplication::setActiveWindow(&book);
    book.OnGoHome = [] { CloseActiveView(); };
    Terminating = false;
  }
  void TearDown() override {
    User = nullptr;
    Settings = nullptr;
    KeyData = nullptr;
    qx::InstallKeyboardLayout(nullptr);
    SoundAvailable = true;
  }
  // The settings as the program reads them at start, the layout loaded and
  // a student in the database.
  void Start(const std::function<void(TUser&)>& edit = {}) {
    settings = std::make_unique<TProgramSettings>();
    Settings = settings.get();
    Settings->LoadSettings();
    KeyData = &keys;
    ASSERT_EQ(keys.LoadLayout(Settings->GetLayoutFile("qwerty.kbd")), kFileOpen);
    student = CreateUser("Jonas");
    ASSERT_NE(student, nullptr);
    if (edit) edit(*student);
    SaveUser(*student);
    User = student.get();
    sandbox.dialogs.ClearAsked();
  }
  // Runs the options section with the action done once its page waits.
  void Run(const std::function<void(TOptionsView&)>& action) {
    qxtest::Script script;
    script.When([] { return dynamic_cast<TOptionsView*>(ActiveView) != nullptr; },
                [&] { action(*dynamic_cast<TOptionsView*>(ActiveView)); }, "options page");
    script.Start();
    RunOptions();
    EXPECT_EQ(script.Failed(), "");
  }
  std::string Local(const char* key) {
    return qx::IniFile(sandbox.Config() + "QXLocal.ini").Read("General Settings", key);
  }
  void Save(const char* name) {
    const QByteArray dir = qgetenv("QX_RENDER_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    book.grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
  }
  // The keys shown as the ones to press.
  std::string Highlighted(const TKeyboard& keyboard) const {
    std::string chars;
    for (int key = 1; key <= kCharacterKeys; ++key)
      if (keyboard.State(key) == kKeyToPress) chars += char(keys.KeyChars[size_t(key)].Normal);
    return chars;
  }

  qxtest::FlowSandbox sandbox;
  qx::FixedKeyboardLayout german{"00000407"};
  NoKeyboard none;
  std::unique_ptr<TProgramSettings> settings;
  TKeyData keys;
  TBookForm book;
  TOptioStg form;
  std::unique_ptr<TUser> student;
};

TEST_F(OptionsTest, SharedValuesLockTheirControlsAndLeavingKeepsTheStudentsOwn) {
  sandbox.SetShared("General Settings", "PlaySounds", "0");
  sandbox.SetShared("General Settings", "MeasuringUnit", "WPM");
  Start([](TUser& s) {
    s.PlaySounds = 1;
    s.LessonDuration = 60;
  });
  Run([&](TOptionsView& view) {
    EXPECT_EQ(book.Title->text(), QStringLiteral("Settings"));
    EXPECT_FALSE(form.SoundButton1->isEnabled());
    EXPECT_FALSE(form.SoundButton2->isEnabled());
    EXPECT_TRUE(form.SoundButton1->isChecked());
    EXPECT_TRUE(form.SoundsLocked->isVisible());
    EXPECT_TRUE(form.UnitLocked->isVisible());
    EXPECT_TRUE(form.WpmChoice->isChecked());
    EXPECT_FALSE(form.WpmChoice->isEnabled());
    EXPECT_FALSE(form.TimeLocked->isVisible());
    EXPECT_FALSE(form.KeyboardLocked->isVisible());
    for (QRadioButton* b : {form.lesson1, form.lesson2, form.lesson3, form.lessonfree})
      EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
    EXPECT_EQ(form.AutoLayout->text(), QStringLiteral("German"));
    EXPECT_TRUE(form.UserLayout->isChecked());
    EXPECT_EQ(form.Layout->currentText(), QStringLiteral("English"));
    // The list is sorted whatever the order of the shared file.
    EXPECT_EQ(form.Layout->itemText(0), QStringLiteral("Danish"));
    EXPECT_EQ(form.Layout->itemText(form.Layout->count() - 1), QStringLiteral("UK English"));
    EXPECT_EQ(Highlighted(*view.Keyboard), "qwerty");
    EXPECT_EQ(QApplication::focusWidget(), form.lesson1);  // the sound buttons are locked

    form.LargeFont->setChecked(true);
    form.GeneralTheme->setChecked(false);
    Save("options.png");
    QTest::keyClick(&book, Qt::Key_Escape);
  });
  EXPECT_EQ(form.Panel1->parentWidget(), &form);
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
  auto stored = FindUser("Jonas");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->PlaySounds, 1);
  EXPECT_EQ(stored->LessonDuration, 60);
  EXPECT_EQ(stored->LargeFont, 1);
  EXPECT_EQ(Local("PlayTheme"), "0");
  EXPECT_EQ(Local("MeasuringUnit"), "WPM");
  EXPECT_EQ(Local("KeyboardLayout"), "English");
}

TEST_F(OptionsTest, ChoosingALayoutByNameLoadsItAtOnce) {
  Start([](TUser& s) { s.LessonDuration = 35; });
  Run([&](TOptionsView& view) {
    EXPECT_TRUE(form.lesson2->isChecked());
    form.AutoDetect->click();
    EXPECT_TRUE(Settings->KeyboardAutoDetect);
    EXPECT_EQ(Highlighted(*view.Keyboard), "qwertz");  // detected: German

    form.Layout->setFocus();
    form.Layout->setCurrentIndex(form.Layout->findText(QStringLiteral("French")));
    emit form.Layout->activated(form.Layout->currentIndex());
    EXPECT_TRUE(form.UserLayout->isChecked());
    EXPECT_FALSE(Settings->KeyboardAutoDetect);
    EXPECT_EQ(Settings->KeyboardLayout, "French");
    EXPECT_EQ(keys.CharOf(1, 2, kShiftNone), 'a');
    EXPECT_EQ(Highlighted(*view.Keyboard), "azerty");
    form.lessonfree->click();
    form.SoundButton2->click();
    QTest::keyClick(&book, Qt::Key_Escape);
  });
  EXPECT_EQ(Local("KeyboardLayout"), "French");
  EXPECT_EQ(Local("KeyboardAutoDetect"), "0");
  EXPECT_EQ(FindUser("Jonas")->LessonDuration, 0);
  EXPECT_EQ(FindUser("Jonas")->PlaySounds, 0);
  EXPECT_FALSE(SoundAvailable);
}

TEST_F(OptionsTest, ALayoutThatCannotBeLoadedIsToldAndNeverStored) {
  sandbox.SetShared("Keyboard Layouts", "Klingon", "nothere.kbd");
  sandbox.SetShared("General Settings", "KeyboardAutoDetect", "0");
  qx::InstallKeyboardLayout(&none);
  Start();
  Run([&](TOptionsView& view) {
    EXPECT_FALSE(form.AutoDetect->isEnabled());
    EXPECT_TRUE(form.KeyboardLocked->isVisible());
    EXPECT_FALSE(form.Layout->isEnabled());
    // An administrator's lock keeps the student out; the program may still
    // be asked for the layout.
    form.Layout->setCurrentIndex(form.Layout->findText(QStringLiteral("Klingon")));
    view.LayoutChange(form.Layout);
    ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
    EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("#-500"), std::string::npos);
    EXPECT_NE(sandbox.dialogs.Asked()[0].text.find("nothere.kbd not found!"), std::string::npos);
    EXPECT_EQ(Settings->KeyboardLayout, "English");
    EXPECT_EQ(form.Layout->currentText(), QStringLiteral("English"));
    EXPECT_EQ(keys.CharOf(6, 2, kShiftNone), 'y');
    EXPECT_EQ(Highlighted(*view.Keyboard), "qwerty");
    form.NormalFont->click();
    QTest::keyClick(&book, Qt::Key_Escape);
  });
  EXPECT_EQ(Local("KeyboardLayout"), "English");
}

}  // namespace
