// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace qx {
class IniFile;
}

// The program's settings: the workstation's "QXLocal.ini" in the
// configuration directory and the shared "QXCommon.ini" in the data
// directory, whose non-empty "General Settings" values win.
class TProgramSettings {
 public:
  TProgramSettings();
  ~TProgramSettings();

  void LoadSettings();
  void SaveSettings();
  std::string GetLayoutFile(const std::string& defaultFile);
  std::string SpeedUnitText() const;
  float DisplaySpeed(float cpm) const;

  std::string ReadGeneral(const std::string& key);
  std::string ReadGeneralFlagged(const std::string& key, bool& fromCommon);
  std::string ReadCommon(const std::string& key);
  void WriteGeneral(const std::string& key, const std::string& value);

  bool KeyboardAutoDetect = false;
  std::string KeyboardLayout;
  bool PlayTheme = true;
  bool MeasuringWPM = false;
  std::vector<std::string> KeyboardLayouts;
  bool MaximizedBook = false;
  bool RemoveInternetLinks = false;
  bool SecuredMode = false;
  bool DisableUserList = false;
  bool DisablePrintReport = false;
  std::string DefaultContents;
  std::string LastUser;
  std::string AutoLogon;
  std::string DefaultWizard;
  std::string ProductVersion;
  std::string BuildNumber;
  std::string CompileDate;
  std::string PlatformWord;
  std::string DataPath;  // always ends in "/"
  int LessonDuration = 0;
  bool PlaySounds = true;
  std::string CustomStoryPath;
  bool ContentsFromCommon = false;
  bool DurationFromCommon = false;
  bool SoundsFromCommon = false;
  bool ThemeFromCommon = false;
  bool AutoDetectFromCommon = false;
  bool UnitFromCommon = false;
  bool DisableSettingsPage = false;
  std::unique_ptr<qx::IniFile> LocalIni;
  std::unique_ptr<qx::IniFile> CommonIni;

 private:
  void UsePersonalFolderUnlessWritable();
};

// The program's one settings object; none before the main controller
// creates it.
extern TProgramSettings* Settings;
