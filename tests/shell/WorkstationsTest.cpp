// SPDX-License-Identifier: GPL-3.0-or-later
// A classroom: two workstations, each with its own configuration, on one
// data folder prepared by the server setup, whose administrator switched
// sounds off and hid the settings page. Each workstation is this test
// program run again as a child, playing a student through the real program;
// run by root, the two are students of their own, in the students' group.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "FlowSandbox.h"
#include "content/Event.h"
#include "content/TxtEvent.h"
#include "engine/Diffkeys.h"
#include "platform/Files.h"
#include "platform/Ini.h"
#include "review/ReviView.h"
#include "setup/ServerSetup.h"
#include "shell/AboutStg.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "shell/MainPlaceholder.h"
#include "shell/Statview.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

using qxtest::Active;

constexpr const char* kChildTest = "WorkstationTest.DISABLED_StudentTypesALessonOnTheSharedFolder";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

TChpContentsView* ExerciseList() {
  return ActiveView ? dynamic_cast<TChpContentsView*>(ActiveView->RightView) : nullptr;
}

// The first text of the course as the student types it: lines end with Enter.
std::string FirstText() {
  TTextFile file;
  std::string text;
  if (file.Open("Beg01a.txt", kTextRead) == kFileOpen) file.ReadAll(text);
  std::string keys;
  for (char c : text)
    if (c != '\n') keys += c;
  while (!keys.empty() && (keys.back() == '\r' || keys.back() == ' ')) keys.pop_back();
  return keys + "\r";
}

// One workstation. The two meet twice, through marker files, so that their
// students are created together and their records saved together; which
// of them goes first within a meeting is left to the machine.
class WorkstationTest : public qxtest::ProgramTest {
 protected:
  void Arrive(const std::string& stage) { qxtest::WriteBytes(meeting_ + me_ + "." + stage, ""); }
  bool Met(const std::string& stage) const { return qxtest::Exists(meeting_ + other_ + "." + stage); }
  void CtrlTab(bool back = false) {
    if (back)
      QTest::keyClick(book(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    else
      QTest::keyClick(book(), Qt::Key_Tab, Qt::ControlModifier);
  }
  // Waits for a section's page, then turns to the next with Ctrl+Tab.
  template <class View>
  void PassSection(const char* section) {
    Then([section] { return Active<View>() != nullptr && CurrentSection == section; }, [this] { CtrlTab(); },
         section);
  }

  const std::string me_ = Env("QX_WORKSTATION_STUDENT");
  const std::string other_ = Env("QX_WORKSTATION_OTHER");
  const std::string data_ = Env("QX_WORKSTATION_DATA");
  const std::string meeting_ = Env("QX_WORKSTATION_MEETING");
};

// Run only as a child of the classroom test below.
TEST_F(WorkstationTest, DISABLED_StudentTypesALessonOnTheSharedFolder) {
  ASSERT_FALSE(me_.empty() || other_.empty() || data_.empty() || meeting_.empty());
  sandbox.SetLocal("DataPath", data_);
  sandbox.SetLocal("PlaySounds", "1");  // the shared file has the last word

  Then([] { return Active<TCoverView>() != nullptr; },
       [this] {
         book()->NameField->setEditText(QString::fromStdString(me_));
         Click(book()->LogOK);
       },
       "log-on page");
  Then([] { return Active<TNewUserView>() != nullptr; }, [this] { Arrive("asked"); }, "new-user page");
  Then([this] { return Met("asked"); }, [this] { Click(book()->UserYes); }, "the other at its new-user page");
  Then([] { return Active<TWelcomeView>() != nullptr; }, [this] { Alt(Qt::Key_B); }, "welcome page");
  Then([] { return Active<TStdProfileView>() != nullptr; }, [this] { Click(book()->Next); },
       "studying profile");
  Then([] { return ExerciseList() != nullptr; }, [] { Press('4'); }, "lesson 1");
  Then([] { return Active<TMessageEvent>() != nullptr; }, [this] { Click(book()->Next); },
       "message before the text");
  Then([] { return Active<TTextEvent>() != nullptr; },
       [this] {
         for (char c : FirstText()) {
           sandbox.clock.AdvanceUnits(0.5);
           Press(c);
         }
         EXPECT_EQ(Active<TTextEvent>()->State, kStateCompleted);
         Click(book()->Next);
       },
       "text exercise");
  Then([] { return ExerciseList() != nullptr; }, [this] { Arrive("typed"); }, "lesson 1 after the text");
  // Leaving studying saves the record: both save while the other may.
  Then([this] { return Met("typed"); }, [this] { CtrlTab(); }, "the other done typing");
  PassSection<TRevisionView>("MenuRevision");
  PassSection<TStatisticsView>("MenuInfo");
  PassSection<TAbout>("MenuLogo");
  // Past the about page comes studying again, never the settings.
  Then([] { return ExerciseList() != nullptr && CurrentSection == "MenuGuided"; }, [this] { CtrlTab(true); },
       "studying after the about page");
  Then([] { return Active<TAbout>() != nullptr && CurrentSection == "MenuLogo"; },
       [this] {
         // A click where the settings tab lies lands on its cover.
         TImage* options = book()->MenuOptions;
         const QPoint centre = options->mapTo(book(), options->rect().center());
         QWidget* hit = book()->childAt(centre);
         EXPECT_EQ(hit, book()->HideSettings);
         if (hit) QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(book(), centre));
         EXPECT_EQ(PendingSection, "MenuLogo");
         Click(book()->MenuExit);
       },
       "about page before studying");
  RunProgram();

  for (const qx::DialogRequest& asked : sandbox.dialogs.Asked()) ADD_FAILURE() << "asked: " << asked.text;
  // Nor past the program: the shared settings are the administrator's.
  if (Env("QX_WORKSTATION_OWN_USER") == "1") {
    EXPECT_FALSE(qx::IniFile(data_ + "QXCommon.ini").Write("General Settings", "PlaySounds", "1"));
    EXPECT_FALSE(qx::RemoveFile(data_ + "QXCommon.ini"));
  }
  ASSERT_NE(Settings, nullptr);
  EXPECT_EQ(Settings->DataPath, qx::WithTrailingSlash(data_));
  EXPECT_FALSE(Settings->PlaySounds);
  EXPECT_TRUE(Settings->SoundsFromCommon);
  EXPECT_TRUE(Settings->DisableSettingsPage);
  EXPECT_FALSE(SoundAvailable);
  ASSERT_NE(User, nullptr);
  EXPECT_EQ(User->PlaySounds, 0);
  // What this workstation saved last, for the classroom to compare.
  std::string record(kUserRecordSize, '\0');
  User->ToRecord(reinterpret_cast<unsigned char*>(record.data()));
  qxtest::WriteBytes(meeting_ + me_ + ".record", record);
}

class Workstation {
 public:
  // A uid other than 0 runs the child as that user, a member of group only.
  Workstation(const std::string& student, const std::string& other, const std::string& data,
              const std::string& meeting, uid_t uid = 0, gid_t group = 0)
      : log_(meeting + student + ".log") {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (uid != 0) {
      const std::string home = meeting + student + "-home";
      ::mkdir(home.c_str(), 0777);
      ::chmod(home.c_str(), 0777);
      env.insert(QStringLiteral("HOME"), QString::fromStdString(home));
      env.insert(QStringLiteral("QX_WORKSTATION_OWN_USER"), QStringLiteral("1"));
      runtime_ = home + "/runtime";
      env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime_));
      process_.setChildProcessModifier([this, uid, group] {
        // A primary group of its own, the students' as a further one.
        const gid_t groups[] = {group};
        if (::setgroups(1, groups) != 0 || ::setgid(65534) != 0 || ::setuid(uid) != 0) ::_exit(120);
        ::mkdir(runtime_.c_str(), 0700);
      });
    }
    env.insert(QStringLiteral("QX_WORKSTATION_STUDENT"), QString::fromStdString(student));
    env.insert(QStringLiteral("QX_WORKSTATION_OTHER"), QString::fromStdString(other));
    env.insert(QStringLiteral("QX_WORKSTATION_DATA"), QString::fromStdString(data));
    env.insert(QStringLiteral("QX_WORKSTATION_MEETING"), QString::fromStdString(meeting));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process_.setProcessEnvironment(env);
    process_.setWorkingDirectory(QString::fromStdString(meeting));
    // A file, not a pipe: nobody reads the other child's pipe while waiting.
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(QString::fromStdString(log_));
    process_.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_also_run_disabled_tests"),
                    QStringLiteral("--gtest_filter=") + QLatin1String(kChildTest)});
  }
  // Zero when the student's run passed; the child's own steps time out
  // long before this wait does.
  int Finish() {
    if (!process_.waitForFinished(240000)) {
      process_.kill();
      process_.waitForFinished();
      return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  std::string Log() const { return qxtest::ReadBytes(log_); }

 private:
  std::string log_, runtime_;
  QProcess process_;
};

int CountNamed(const std::string& base, const std::string& name) {
  int count = 0;
  for (size_t at = 0; at + kUserRecordSize <= base.size(); at += kUserRecordSize)
    if (static_cast<unsigned char>(base[at]) == name.size() && base.compare(at + 1, name.size(), name) == 0)
      ++count;
  return count;
}

TEST(Classroom, TwoWorkstationsStudyAtOnceAndNeitherLiftsTheLocks) {
  qxtest::StorageSandbox sandbox;
  qxtest::TempDir server, meeting;
  TServerSetup setup;
  setup.Folder = server / "classroom";
  setup.Material = sandbox.OriginalProgramDir();
  // Root can be two students of the usual group; anyone else is both.
  const group* students = ::geteuid() == 0 ? ::getgrnam("users") : nullptr;
  const gid_t studentsGid = students ? students->gr_gid : 0;
  if (students) {
    setup.Group = "users";
    ::chmod(server.Path().c_str(), 0755);
    ::chmod(meeting.Path().c_str(), 0777);
  }
  ASSERT_TRUE(setup.Run()) << setup.Error;
  const std::string shared = setup.Folder;
  {
    qx::IniFile common(shared + "QXCommon.ini");
    ASSERT_TRUE(common.Write("General Settings", "PlaySounds", "0"));
    ASSERT_TRUE(common.Write("Common Settings", "DisableSettingsPage", "1"));
  }
  const std::string locks = qxtest::ReadBytes(shared + "QXCommon.ini");
  const std::string shipped = qxtest::ReadBytes(shared + "Userbase.qx4");

  const std::vector<std::string> names = {"Ada", "Ben"};
  {
    Workstation first(names[0], names[1], shared, meeting.Path(), students ? 64001 : 0, studentsGid);
    Workstation second(names[1], names[0], shared, meeting.Path(), students ? 64002 : 0, studentsGid);
    EXPECT_EQ(first.Finish(), 0) << first.Log();
    EXPECT_EQ(second.Finish(), 0) << second.Log();
  }

  EXPECT_EQ(qxtest::ReadBytes(shared + "QXCommon.ini"), locks);
  // Nothing left behind by a save or by the attempts on the settings.
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(shared))
    files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Errors.log", "QXCommon.ini", "Userbase.qx4", "bubbles.qxt",
                                             "zarozira.qxt"}));
  EXPECT_EQ(qxtest::ReadBytes(shared + "Errors.log"), "");
  const std::string base = qxtest::ReadBytes(shared + "Userbase.qx4");
  ASSERT_EQ(base.size() % kUserRecordSize, 0u);
  ASSERT_EQ(base.size(), shipped.size() + names.size() * kUserRecordSize);
  EXPECT_EQ(base.compare(0, shipped.size(), shipped), 0);

  TProgramSettings settings;
  settings.DataPath = shared;
  Settings = &settings;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CountNamed(base, name), 1);
    auto stored = FindUser(name);
    ASSERT_NE(stored, nullptr);
    std::string raw(kUserRecordSize, '\0');
    stored->ToRecord(reinterpret_cast<unsigned char*>(raw.data()));
    EXPECT_EQ(raw, qxtest::ReadBytes(meeting / (name + ".record")));
    EXPECT_EQ(stored->PlaySounds, 0);
    EXPECT_EQ(stored->Bookmark->Chapter, 1);
    EXPECT_EQ(stored->ExerciseMark(1, 4), 1);
    EXPECT_EQ(stored->LessonResultExercise[1], 4);
    EXPECT_GT(stored->LessonSpeed[1], 0.0f);
    EXPECT_GT(stored->LessonAccuracy[1], 0.0f);
    EXPECT_GT(stored->DifficultKeys->TypedHistory['f'], 0);
    EXPECT_GT(stored->DifficultKeys->TypedHistory['j'], 0);
  }
  Settings = nullptr;
}

}  // namespace
