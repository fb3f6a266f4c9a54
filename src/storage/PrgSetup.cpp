// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/PrgSetup.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Ini.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"

TProgramSettings* Settings = nullptr;

namespace {

constexpr const char* kGeneral = "General Settings";
constexpr const char* kCommon = "Common Settings";
constexpr const char* kLayouts = "Keyboard Layouts";
constexpr const char* kHere = "./";

const char* Flag(bool on) { return on ? "1" : "0"; }

// Whole decimal minutes; anything else, and a negative count, means none.
// Only -1 keeps its meaning: no time limit preselected, 45 for new students.
int MinutesOf(const std::string& text) {
  const std::string t = TrimBlanks(text);
  if (t.empty()) return 0;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(t.c_str(), &end, 10);
  if (v == -1 && errno == 0 && *end == '\0') return -1;
  if (errno != 0 || *end != '\0' || v < 0 || v > INT_MAX) return 0;
  return static_cast<int>(v);
}

}  // namespace

TProgramSettings::TProgramSettings() {
  const std::string localPath = qx::ConfigDir() + "QXLocal.ini";
  if (!qx::FileExists(localPath)) {
    // An administrator's machine-wide default (a shared data folder, say)
    // comes before the shipped one.
    std::string defaultPath = qx::SystemConfigFile("QXDef.ini");
    if (defaultPath.empty()) defaultPath = qx::ProgramDir() + "QXDef.ini";
    // One box for one cause: without a default there is nothing to copy.
    if (!qx::FileExists(defaultPath))
      ReportError(-1, defaultPath);
    else if (!CopyDataFile(defaultPath, localPath))
      ReportError(-6634, localPath);
  }
  LocalIni = std::make_unique<qx::IniFile>(localPath);

  DataPath = Cut255(TrimBlanks(LocalIni->Read(kGeneral, "DataPath")));
  DataPath = DataPath.empty() ? kHere : qx::WithTrailingSlash(DataPath);

  if (!qx::FileExists(DataPath + "QXCommon.ini")) {
    qx::DialogRequest warning;
    warning.icon = qx::DialogIcon::Warning;
    warning.buttons = qx::DialogButtons::Ok;
    warning.caption = "Quillbrandex - Warning #2981";
    warning.text = DataPath + " not available (is network down?)\r" +
                   "Quillbrandex will use a local directory instead. \r" +
                   "Run NETSETUP again to fix the problem.";
    qx::Dialogs().Ask(warning);
    DataPath = kHere;
  }
  CommonIni = std::make_unique<qx::IniFile>(DataPath + "QXCommon.ini");
  KeyboardLayouts = CommonIni->Keys(kLayouts);
  for (std::string& name : KeyboardLayouts) name = Cut255(name);
  UsePersonalFolderUnlessWritable();
}

// The shared settings stay those of the folder found above; only the
// student data moves. The installed material is never a data folder, not
// even for root, and a read-only folder would lose every result.
void TProgramSettings::UsePersonalFolderUnlessWritable() {
  const bool installedMaterial = DataPath == kHere && qx::RunsInstalled();
  if (!installedMaterial && qx::CanWrite(DataPath + "Userbase.qx4")) return;
  const std::string personal = qx::UserDataDir();
  if (!installedMaterial) {
    qx::DialogRequest warning;
    warning.icon = qx::DialogIcon::Warning;
    warning.buttons = qx::DialogButtons::Ok;
    warning.caption = "Quillbrandex - Warning";
    warning.text = DataPath + " cannot be written by you.\r" +
                   "Quillbrandex will keep your studying information in " + personal + " instead.";
    qx::Dialogs().Ask(warning);
  }
  DataPath = Cut255(personal);
}

TProgramSettings::~TProgramSettings() = default;

std::string TProgramSettings::ReadGeneral(const std::string& key) {
  bool fromCommon = false;
  return ReadGeneralFlagged(key, fromCommon);
}

std::string TProgramSettings::ReadGeneralFlagged(const std::string& key, bool& fromCommon) {
  const std::string shared = Cut255(CommonIni->Read(kGeneral, key));
  fromCommon = !shared.empty();
  return fromCommon ? shared : Cut255(LocalIni->Read(kGeneral, key));
}

std::string TProgramSettings::ReadCommon(const std::string& key) {
  return Cut255(CommonIni->Read(kCommon, key));
}

void TProgramSettings::WriteGeneral(const std::string& key, const std::string& value) {
  LocalIni->Write(kGeneral, key, Cut255(value));
}

void TProgramSettings::LoadSettings() {
  if (KeyboardLayouts.empty()) ReportError(0, "No keyboard layouts defined in INI");

  KeyboardAutoDetect = ReadGeneralFlagged("KeyboardAutoDetect", AutoDetectFromCommon) == "1";
  KeyboardLayout = ReadGeneral("KeyboardLayout");
  PlaySounds = ReadGeneralFlagged("PlaySounds", SoundsFromCommon) != "0";
  PlayTheme = ReadGeneralFlagged("PlayTheme", ThemeFromCommon) != "0";
  MeasuringWPM = ReadGeneralFlagged("MeasuringUnit", UnitFromCommon) == "WPM";
  AutoLogon = ReadCommon("AutoLogon");

  CustomStoryPath = ReadCommon("CustomStoryPath");
  if (!CustomStoryPath.empty()) {
    CustomStoryPath = qx::WithTrailingSlash(CustomStoryPath);
    if (CustomStoryPath[0] != '/') CustomStoryPath = DataPath + CustomStoryPath;
    CustomStoryPath = Cut255(CustomStoryPath);
  }

  MaximizedBook = ReadGeneral("MaximizedBook") != "0";
  DisableUserList = ReadCommon("DisableUserList") == "1";
  DisablePrintReport = ReadCommon("DisablePrintReport") == "1";
  DisableSettingsPage = ReadCommon("DisableSettingsPage") == "1";
  RemoveInternetLinks = ReadCommon("RemoveInternetLinks") == "1";
  SecuredMode = ReadCommon("SecuredMode") == "1";
  if (SecuredMode) RemoveInternetLinks = true;

  DefaultWizard = ReadGeneral("DefaultWizard");
  if (DefaultWizard.empty()) DefaultWizard = "builder";
  if (!qx::FileExists(DefaultWizard + ".hdr")) ReportError(-1, "Default Wizard: " + DefaultWizard);

  DefaultContents = ReadGeneralFlagged("DefaultContents", ContentsFromCommon);
  if (DefaultContents.empty()) DefaultContents = "Beginner.cnt";
  if (!qx::FileExists(DefaultContents)) ReportError(-1, "Default contents: " + DefaultContents);

  LastUser = ReadGeneral("LastUser");
  LessonDuration = MinutesOf(ReadGeneralFlagged("LessonDuration", DurationFromCommon));

  if (KeyboardLayout.empty()) {
    KeyboardAutoDetect = true;
    KeyboardLayout = "English";
  }
}

void TProgramSettings::SaveSettings() {
  WriteGeneral("KeyboardAutoDetect", Flag(KeyboardAutoDetect));
  WriteGeneral("KeyboardLayout", KeyboardLayout);
  WriteGeneral("DefaultContents", DefaultContents);
  WriteGeneral("PlayTheme", Flag(PlayTheme));
  WriteGeneral("MaximizedBook", Flag(MaximizedBook));
  WriteGeneral("MeasuringUnit", MeasuringWPM ? "WPM" : "CPS");
  WriteGeneral("LastUser", LastUser);
}

std::string TProgramSettings::GetLayoutFile(const std::string& defaultFile) {
  const std::string name =
      qx::UpperCp1252(KeyboardAutoDetect ? DetectKeyboardLanguage() : KeyboardLayout);
  for (const std::string& line : CommonIni->SectionLines(kLayouts)) {
    if (qx::UpperCp1252(line).find(name) == std::string::npos) continue;
    const auto fields = SplitFields(line, "=;");
    // A line that names no file gives the default rather than no layout.
    return fields.size() > 1 ? Cut255(fields[1]) : defaultFile;
  }
  return defaultFile;
}

std::string TProgramSettings::SpeedUnitText() const { return MeasuringWPM ? "wpm" : "cpm"; }

float TProgramSettings::DisplaySpeed(float cpm) const { return MeasuringWPM ? cpm / 5.0f : cpm; }
