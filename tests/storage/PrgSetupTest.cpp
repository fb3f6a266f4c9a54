// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "StorageSandbox.h"
#include "platform/Files.h"
#include "platform/Ini.h"
#include "platform/KeyboardLayout.h"
#include "storage/PrgSetup.h"

using qxtest::ReadBytes;
using qxtest::StorageSandbox;
using qxtest::WriteBytes;

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

const std::string kLayouts =
    Lines({"[Keyboard Layouts]", "US English=qwerty.kbd", "English=uk.kbd", "Finnish=fi.kbd"});

}  // namespace

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    WriteBytes(box / "builder.hdr", "");
    WriteBytes(box / "Beginner.cnt", "");
  }
  void Local(std::initializer_list<std::string> general) {
    std::string text = "[General Settings]\r\n";
    for (const std::string& l : general) text += l + "\r\n";
    WriteBytes(box.ConfigDir() + "QXLocal.ini", text);
  }
  void Common(const std::string& text) { WriteBytes(box / "QXCommon.ini", text); }
  std::unique_ptr<TProgramSettings> Load() {
    auto s = std::make_unique<TProgramSettings>();
    s->LoadSettings();
    return s;
  }

  StorageSandbox box;
};

TEST_F(SettingsTest, FirstStartCopiesTheDefaultFile) {
  const std::string def = Lines({"[General Settings]", "LastUser=Anna"});
  WriteBytes(box / "QXDef.ini", def);
  Common(kLayouts);
  const auto s = Load();
  EXPECT_EQ(ReadBytes(box.ConfigDir() + "QXLocal.ini"), def);
  EXPECT_EQ(s->LastUser, "Anna");
  EXPECT_EQ(s->DataPath, "./");
  EXPECT_TRUE(box.dialogs.Asked().empty());
}

TEST_F(SettingsTest, MissingDefaultOrFailedCopyIsReportedOnce) {
  Common(kLayouts);
  TProgramSettings missing;
  ASSERT_EQ(box.dialogs.Asked().size(), 1u);
  EXPECT_EQ(box.dialogs.Asked()[0].text, "#-1 File not found\n\r" + box / "QXDef.ini");

  WriteBytes(box / "QXDef.ini", "[General Settings]\r\n");
  qx::EnsureDirectory(box.ConfigDir() + "QXLocal.ini");  // nothing can be copied there
  TProgramSettings failed;
  ASSERT_EQ(box.dialogs.Asked().size(), 2u);
  EXPECT_EQ(box.dialogs.Asked()[1].text,
            "#-6634 Error when copying default userbase to:\n\r" + box.ConfigDir() + "QXLocal.ini");
}

TEST_F(SettingsTest, DataPathAndTheNetworkWarning) {
  qx::EnsureDirectory(box.Root("server/qx"));
  WriteBytes(box.Root("server/qx/QXCommon.ini"), Lines({"[General Settings]", "LastUser=Shared"}));
  Common(kLayouts);
  std::string windowsStyle = box.Root("server\\qx");
  for (char& c : windowsStyle)
    if (c == '/') c = '\\';
  Local({"DataPath=" + windowsStyle});
  auto s = Load();
  EXPECT_EQ(s->DataPath, box.Root("server/qx/"));
  EXPECT_EQ(s->LastUser, "Shared");
  EXPECT_EQ(s->KeyboardLayouts.size(), 0u);  // the shared file has none

  box.dialogs.ClearAsked();
  Local({"DataPath=/no/such/server/"});
  s = std::make_unique<TProgramSettings>();
  EXPECT_EQ(s->DataPath, "./");
  ASSERT_EQ(box.dialogs.Asked().size(), 1u);
  const qx::DialogRequest& w = box.dialogs.Asked()[0];
  EXPECT_EQ(w.icon, qx::DialogIcon::Warning);
  EXPECT_EQ(w.buttons, qx::DialogButtons::Ok);
  EXPECT_EQ(w.caption, "Quillbrandex - Warning #2981");
  EXPECT_EQ(w.text,
            "/no/such/server/ not available (is network down?)\r"
            "Quillbrandex will use a local directory instead. \r"
            "Run NETSETUP again to fix the problem.");
  EXPECT_EQ(s->KeyboardLayouts, (std::vector<std::string>{"US English", "English", "Finnish"}));
}

TEST_F(SettingsTest, NonEmptySharedValuesOverrideAndAreFlagged) {
  WriteBytes(box / "Local.cnt", "");
  Local({"PlaySounds=1", "PlayTheme=0", "MeasuringUnit=WPM", "DefaultContents=Local.cnt",
         "LessonDuration=10", "KeyboardAutoDetect=1", "KeyboardLayout=Finnish"});
  Common(kLayouts + Lines({"[General Settings]", "PlaySounds=0", "PlayTheme=", "MeasuringUnit=CPS",
                           "DefaultContents=", "KeyboardAutoDetect=0"}));
  const auto s = Load();
  EXPECT_FALSE(s->PlaySounds);
  EXPECT_TRUE(s->SoundsFromCommon);
  EXPECT_FALSE(s->PlayTheme);
  EXPECT_FALSE(s->ThemeFromCommon);
  EXPECT_FALSE(s->MeasuringWPM);
  EXPECT_TRUE(s->UnitFromCommon);
  EXPECT_EQ(s->DefaultContents, "Local.cnt");
  EXPECT_FALSE(s->ContentsFromCommon);
  EXPECT_EQ(s->LessonDuration, 10);
  EXPECT_FALSE(s->DurationFromCommon);
  EXPECT_FALSE(s->KeyboardAutoDetect);
  EXPECT_TRUE(s->AutoDetectFromCommon);
  EXPECT_EQ(s->KeyboardLayout, "Finnish");
  EXPECT_TRUE(box.dialogs.Asked().empty());
}

TEST_F(SettingsTest, ValueRules) {
  struct Case {
    std::string local;
    std::string common;  // lines of "Common Settings"
    std::function<void(const TProgramSettings&)> check;
  };
  const Case cases[] = {
      {"MeasuringUnit=WPM", "",
       [](auto& s) {
         EXPECT_TRUE(s.MeasuringWPM);
         EXPECT_EQ(s.SpeedUnitText(), "wpm");
         EXPECT_FLOAT_EQ(s.DisplaySpeed(250), 50);
       }},
      {"MeasuringUnit=wpm", "",
       [](auto& s) {
         EXPECT_FALSE(s.MeasuringWPM);
         EXPECT_EQ(s.SpeedUnitText(), "cpm");
         EXPECT_FLOAT_EQ(s.DisplaySpeed(250), 250);
       }},
      {"", "CustomStoryPath=stories", [](auto& s) { EXPECT_EQ(s.CustomStoryPath, "./stories/"); }},
      {"", "CustomStoryPath=my\\texts\\",
       [](auto& s) { EXPECT_EQ(s.CustomStoryPath, "./my/texts/"); }},
      {"", "CustomStoryPath=/srv/texts",
       [](auto& s) { EXPECT_EQ(s.CustomStoryPath, "/srv/texts/"); }},
      {"", "",
       [](auto& s) {
         EXPECT_EQ(s.CustomStoryPath, "");
         EXPECT_TRUE(s.KeyboardAutoDetect);  // no KeyboardLayout key at all
         EXPECT_EQ(s.KeyboardLayout, "English");
         EXPECT_TRUE(s.PlaySounds);
         EXPECT_TRUE(s.PlayTheme);
         EXPECT_TRUE(s.MaximizedBook);
         EXPECT_EQ(s.LessonDuration, 0);
         EXPECT_EQ(s.DefaultWizard, "builder");
         EXPECT_EQ(s.DefaultContents, "Beginner.cnt");
         EXPECT_FALSE(s.RemoveInternetLinks);
       }},
      {"", "SecuredMode=1\r\nAutoLogon=Visitor\r\nDisableUserList=1\r\nDisablePrintReport=yes",
       [](auto& s) {
         EXPECT_TRUE(s.SecuredMode);
         EXPECT_TRUE(s.RemoveInternetLinks);
         EXPECT_EQ(s.AutoLogon, "Visitor");
         EXPECT_TRUE(s.DisableUserList);
         EXPECT_FALSE(s.DisablePrintReport);
       }},
      {"LessonDuration=15", "", [](auto& s) { EXPECT_EQ(s.LessonDuration, 15); }},
      {"LessonDuration=15 min", "", [](auto& s) { EXPECT_EQ(s.LessonDuration, 0); }},
      {"LessonDuration=-5", "", [](auto& s) { EXPECT_EQ(s.LessonDuration, 0); }},
      {"LessonDuration=-1", "", [](auto& s) { EXPECT_EQ(s.LessonDuration, -1); }},
      {"LessonDuration=-1x", "", [](auto& s) { EXPECT_EQ(s.LessonDuration, 0); }},
      {"LessonDuration=99999999999", "", [](auto& s) { EXPECT_EQ(s.LessonDuration, 0); }},
      {"KeyboardAutoDetect=0\r\nKeyboardLayout=German", "",
       [](auto& s) {
         EXPECT_FALSE(s.KeyboardAutoDetect);
         EXPECT_EQ(s.KeyboardLayout, "German");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.local + " | " + c.common);
    Local({c.local});
    Common(kLayouts + "[Common Settings]\r\n" + c.common + "\r\n");
    c.check(*Load());
  }
  EXPECT_TRUE(box.dialogs.Asked().empty());
}

TEST_F(SettingsTest, LayoutFileFromTheFirstMatchingLine) {
  Common(kLayouts + Lines({"Broken="}));
  qx::FixedKeyboardLayout finnish("0000040B");
  const struct {
    bool autoDetect;
    std::string name;
    std::string file;
  } cases[] = {
      {false, "ENGLISH", "qwerty.kbd"},  {false, "finnish", "fi.kbd"},
      {false, "Klingon", "default.kbd"}, {true, "English", "fi.kbd"},
      {false, "BROKEN", "default.kbd"},
  };
  auto s = Load();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    qx::InstallKeyboardLayout(&finnish);
    s->KeyboardAutoDetect = c.autoDetect;
    s->KeyboardLayout = c.name;
    EXPECT_EQ(s->GetLayoutFile("default.kbd"), c.file);
    qx::InstallKeyboardLayout(nullptr);
  }
}

TEST_F(SettingsTest, MissingLayoutsWizardAndContentsAreReported) {
  std::remove((box / "builder.hdr").c_str());
  std::remove((box / "Beginner.cnt").c_str());
  Local({});
  Common("[Keyboard Layouts]\r\n");
  const auto s = Load();
  std::vector<std::string> texts;
  for (const auto& r : box.dialogs.Asked()) texts.push_back(r.text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"#0 (0)\n\rNo keyboard layouts defined in INI",
                                      "#-1 File not found\n\rDefault Wizard: builder",
                                      "#-1 File not found\n\rDefault contents: Beginner.cnt"}));
  EXPECT_EQ(s->GetLayoutFile("qwerty.kbd"), "qwerty.kbd");
}

TEST_F(SettingsTest, SaveWritesTheStudentsChoicesToTheLocalFileOnly) {
  Local({"PlaySounds=1", "LessonDuration=7", "Custom=kept"});
  const std::string common = kLayouts + Lines({"[General Settings]", "PlayTheme=0"});
  Common(common);
  auto s = Load();
  s->KeyboardLayout = "Finnish";
  s->KeyboardAutoDetect = false;
  s->MeasuringWPM = false;
  s->MaximizedBook = false;
  s->LastUser = "Anna";
  s->PlaySounds = false;  // not a saved value
  s->SaveSettings();

  EXPECT_EQ(ReadBytes(box / "QXCommon.ini"), common);
  const qx::IniFile local(box.ConfigDir() + "QXLocal.ini");
  const std::pair<const char*, const char*> saved[] = {
      {"KeyboardAutoDetect", "0"},
      {"KeyboardLayout", "Finnish"},
      {"DefaultContents", "Beginner.cnt"},
      {"PlayTheme", "0"},
      {"MaximizedBook", "0"},
      {"MeasuringUnit", "CPS"},
      {"LastUser", "Anna"},
      {"PlaySounds", "1"},
      {"LessonDuration", "7"},
      {"Custom", "kept"},
  };
  for (const auto& [key, value] : saved)
    EXPECT_EQ(local.Read("General Settings", key), value) << key;
}

TEST(ShippedSettings, DefaultsLoadWithoutComplaint) {
  const std::string shipped = qx::ProgramDir();
  StorageSandbox box;
  for (const char* name : {"QXDef.ini", "QXCommon.ini"}) {
    const std::string bytes = ReadBytes(shipped + name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << name;
    EXPECT_TRUE(bytes.ends_with("\r\n")) << name;
    WriteBytes(box / name, bytes);
  }
  WriteBytes(box / "builder.hdr", "");
  WriteBytes(box / "Beginner.cnt", "");
  TProgramSettings s;
  s.LoadSettings();
  EXPECT_TRUE(box.dialogs.Asked().empty());
  EXPECT_EQ(s.DataPath, "./");
  EXPECT_EQ(s.KeyboardLayouts.size(), 15u);
  EXPECT_EQ(s.DefaultContents, "Beginner.cnt");
  EXPECT_EQ(s.DefaultWizard, "builder");

  // Every language the detection knows finds a layout that is shipped.
  const struct {
    const char* windowsId;
    const char* file;
  } detected[] = {
      {"00000409", "qwerty.kbd"},     {"0000040B", "finnish.kbd"}, {"00000413", "dutch.kbd"},
      {"0000040A", "spanish.kbd"},    {"00000406", "danish.kbd"},  {"0000040F", "icelandic.kbd"},
      {"00000414", "norwegian.kbd"},  {"00000816", "portuguese.kbd"}, {"0000040C", "french.kbd"},
      {"00000407", "german.kbd"},     {"0000040E", "hungarian.kbd"}, {"00000410", "italian.kbd"},
      {"0000041D", "swedish.kbd"},    {"00000415", "polish.kbd"},
  };
  s.KeyboardAutoDetect = true;
  for (const auto& d : detected) {
    SCOPED_TRACE(d.windowsId);
    qx::FixedKeyboardLayout layout(d.windowsId);
    qx::InstallKeyboardLayout(&layout);
    EXPECT_EQ(s.GetLayoutFile("none.kbd"), d.file);
    qx::InstallKeyboardLayout(nullptr);
    EXPECT_TRUE(qx::FileExists(shipped + d.file));
  }
  s.KeyboardAutoDetect = false;
  for (const auto& [name, file] : {std::pair{"English", "qwerty.kbd"}, {"UK English", "uk.kbd"}}) {
    s.KeyboardLayout = name;
    EXPECT_EQ(s.GetLayoutFile("none.kbd"), file);
    EXPECT_TRUE(qx::FileExists(shipped + file));
  }
}
