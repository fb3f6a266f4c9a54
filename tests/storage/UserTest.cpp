// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/Diffkeys.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"
#include "support/TestFiles.h"
#include "DataDirFixture.h"

using qxtest::ReadBytes;
using qxtest::TempDir;
using qxtest::WriteBytes;

namespace {

int16_t At16(const std::string& bytes, size_t offset) {
  return static_cast<int16_t>(static_cast<unsigned char>(bytes[offset]) |
                              (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

std::string Counted(const std::string& bytes, size_t offset) {
  return bytes.substr(offset + 1, static_cast<unsigned char>(bytes[offset]));
}

class UserBase : public qxtest::DataDirTest {
 protected:
  UserBase() { qx::InstallClock(&clock_); }
  ~UserBase() override { qx::InstallClock(nullptr); }
  std::string DbPath() const { return dir_ / "userbase.qx4"; }
  static std::string Record(const std::string& name, const std::function<void(TUser&)>& edit = {}) {
    TUser user(name);
    if (edit) edit(user);
    unsigned char raw[kUserRecordSize];
    user.ToRecord(raw);
    return std::string(reinterpret_cast<char*>(raw), kUserRecordSize);
  }
  qx::ManualClock clock_{qx::EncodeDateTime(2026, 12, 7, 10)};
};

}  // namespace

TEST(UserRecord, EveryFieldLandsAtItsOffset) {
  TUser user("Maria");
  user.ContentsFile = "Beginner.cnt";
  user.PlaySounds = 0;
  user.LargeFont = 1;
  user.LessonDuration = 35;
  user.StudyTime = 70000;  // cut to 16 bits
  user.LessonTime = -3;
  user.ChaptersStudied = 4;
  user.StoryPosition = 0x12345678;
  user.StoryFile = "Tale.exm";
  user.FurthestExercise = 5;
  user.FurthestChapter = 3;
  user.LessonResultExercise[1] = 2;
  user.LessonResultExercise[20] = 7;
  user.LastSpeed = 123;
  user.LastEfficiency = 55;
  user.LastErrors = -1.0f;
  user.LastBackSpace = 2.25f;
  user.SetExerciseMark(1, 1, 1);
  user.SetExerciseMark(3, 10, 1);
  user.SetExerciseMark(21, 1, 1);  // outside the record: ignored
  user.LessonEfficiency[1] = 48.5f;
  user.LessonAccuracy[2] = 90.0f;
  user.LessonSpeed[3] = 123.4f;
  user.Reserved1 = 77;
  user.Bookmark->Chapter = 3;
  user.Bookmark->Exercise = 2;
  user.Bookmark->Event = 4;
  user.Bookmark->Extra = 9;
  user.DifficultKeys->RecordKey('a', true);
  user.DifficultKeys->RecordKey('a', false);

  unsigned char raw[kUserRecordSize];
  user.ToRecord(raw);
  const std::string r(reinterpret_cast<char*>(raw), kUserRecordSize);

  EXPECT_EQ(Counted(r, 0), "Maria");
  EXPECT_EQ(Counted(r, 256), "Beginner.cnt");
  const std::pair<size_t, int> smalls[] = {
      {512, 0},    {514, 1},    {516, 35},   {518, 70000 - 65536}, {520, -3},  {522, 4},
      {784, 5},    {786, 3},    {788, 2},    {826, 7},             {828, 123}, {830, 55},
      {832, -10},  {834, 23},   {1036, 485}, {1076 + 2, 900},      {1116 + 4, 1234},
      {1076, -10}, {1156, 77},  {1158, 3},   {1160, 2},            {1162, 4},  {1164, 9},
  };
  for (const auto& [offset, value] : smalls) EXPECT_EQ(At16(r, offset), value) << offset;
  EXPECT_EQ(static_cast<unsigned char>(r[524]), 0x78);
  EXPECT_EQ(static_cast<unsigned char>(r[527]), 0x12);
  EXPECT_EQ(Counted(r, 528), "Tale.exm");
  EXPECT_EQ(r[836], 1);
  EXPECT_EQ(r[836 + 2 * 10 + 9], 1);
  EXPECT_EQ(r[837], 0);
  // Key statistics: experience, typed history and error history of 'a'.
  const size_t a = 'a' - 33;
  EXPECT_EQ(At16(r, 1166 + 2 * a), 2);
  EXPECT_EQ(At16(r, 1166 + 446 + 2 * a), 2);
  EXPECT_EQ(At16(r, 1166 + 892 + 2 * a), 1);
}

TEST_F(UserBase, AHandMadeRecordReadsBack) {
  std::string r(kUserRecordSize, '\0');
  auto put16 = [&](size_t o, int v) {
    r[o] = static_cast<char>(v & 0xFF);
    r[o + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  r[0] = 4;
  std::memcpy(&r[1], "Anna", 4);
  put16(522, 6);
  put16(1116 + 2 * 4, 1234);  // LessonSpeed[5]
  put16(832, -10);
  put16(1158, 2);
  put16(1164, 5);
  put16(1166 + 892 + 2 * ('x' - 33), -2);  // sign-extended
  WriteBytes(DbPath(), r);

  auto user = FindUser("ANNA");
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(user->Name, "Anna");
  EXPECT_EQ(user->ChaptersStudied, 6);
  EXPECT_FLOAT_EQ(user->LessonSpeed[5], 123.4f);
  EXPECT_FLOAT_EQ(user->LastErrors, -1.0f);
  EXPECT_EQ(user->Bookmark->Chapter, 2);
  EXPECT_EQ(user->Bookmark->Extra, 5);
  EXPECT_EQ(user->DifficultKeys->ErrorHistory['x'], -2);
}

TEST_F(UserBase, CreateFindSaveAndTheVisitor) {
  EXPECT_EQ(FindUser("john"), nullptr);
  ASSERT_EQ(dialogs_.Asked().size(), 1u);
  EXPECT_EQ(dialogs_.Asked()[0].text, "#-1507 User database doesn't exist!");

  auto john = CreateUser("John");
  ASSERT_NE(john, nullptr);
  EXPECT_EQ(dialogs_.Asked().back().text, "User database doesn't exist, new one will be created.");
  EXPECT_EQ(ReadBytes(DbPath()).size(), static_cast<size_t>(kUserRecordSize));
  ASSERT_NE(CreateUser("Maria"), nullptr);

  john->StudyTime = 42;
  john->Bookmark->Chapter = 2;
  EXPECT_EQ(SaveUser(*john), 1);
  auto found = FindUser("john");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->StudyTime, 42);
  EXPECT_EQ(found->Bookmark->Chapter, 2);

  const std::string before = ReadBytes(DbPath());
  TUser visitor("Visitor");
  EXPECT_EQ(SaveUser(visitor), 1);
  EXPECT_EQ(ReadBytes(DbPath()), before);
  TUser stranger("Nobody");
  EXPECT_EQ(SaveUser(stranger), -1508);
  EXPECT_EQ(ReadBytes(DbPath()), before);
}

TEST_F(UserBase, TheListIsSortedAndLeavesTheVisitorOut) {
  for (const char* name : {"Maria", "VISITOR", "anna"}) {
    TUser user(name);
    unsigned char raw[kUserRecordSize];
    user.ToRecord(raw);
    std::string bytes = ReadBytes(DbPath());
    bytes.append(reinterpret_cast<char*>(raw), kUserRecordSize);
    WriteBytes(DbPath(), bytes);
  }
  auto names = GetUserList();
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, (std::vector<std::string>{"anna", "Maria"}));

  settings_->DisableUserList = true;
  EXPECT_FALSE(GetUserList().has_value());
}

TEST_F(UserBase, MoreThanAThousandRecordsGiveNoListAndABadSizeIsReported) {
  std::string bytes(static_cast<size_t>(kUserRecordSize) * 1001, '\0');
  for (int i = 0; i < 1001; ++i) {
    const std::string name = "S" + std::to_string(i);
    bytes[static_cast<size_t>(i) * kUserRecordSize] = static_cast<char>(name.size());
    std::memcpy(&bytes[static_cast<size_t>(i) * kUserRecordSize + 1], name.data(), name.size());
  }
  WriteBytes(DbPath(), bytes + std::string(100, 'x'));  // a truncated last record
  EXPECT_FALSE(GetUserList().has_value());
  auto last = FindUser("s1000");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Name, "S1000");
  ASSERT_FALSE(dialogs_.Asked().empty());
  EXPECT_NE(dialogs_.Asked()[0].text.find("#-1517"), std::string::npos);
}

TEST(UserProgress, PercentRemainingTimeAndItsText) {
  TUser user("Pat");
  EXPECT_EQ(user.ProgressPercent(), 0);
  EXPECT_EQ(user.RemainingText(), "0 min.");
  user.LessonCount = 10;
  user.FurthestChapter = 3;
  user.FurthestExercise = 4;
  user.StudyTime = 60;
  EXPECT_EQ(user.ProgressPercent(), 25);
  EXPECT_EQ(user.RemainingMinutes(), 180);
  EXPECT_EQ(user.RemainingText(), "3 h 0 min.");
  EXPECT_EQ(user.StudyTimeText(), "1 h 0 min.");
  EXPECT_EQ(MinuteText(75), "1 h 15 min.");
  user.FurthestChapter = 12;
  EXPECT_EQ(user.ProgressPercent(), 100);  // limited
}

TEST(UserKeys, GroupsAndStudiedKeys) {
  TUser user("Pat");
  EXPECT_EQ(user.StudiedKeys(3), kAllLetters);
  EXPECT_EQ(user.AddNewKeys("asdf"), 1);
  EXPECT_EQ(user.AddNewKeys("jkl;"), 2);
  EXPECT_EQ(user.NewKeysOf(2), "jkl;");
  EXPECT_EQ(user.NewKeysOf(0), "");
  EXPECT_EQ(user.NewKeysOf(3), "");
  EXPECT_EQ(user.StudiedKeys(1), "asdf");
  EXPECT_EQ(user.StudiedKeys(9), "asdfjkl;");
  EXPECT_EQ(user.StudiedKeys(0), "");
  user.MarkChapter(3);
  user.MarkChapter(2);
  EXPECT_EQ(user.ChaptersStudied, 3);
  user.StoryFile = "kept.exm";
  user.Reset();
  EXPECT_TRUE(user.NewKeys.empty());
  EXPECT_EQ(user.ChaptersStudied, 1);
  EXPECT_EQ(user.StoryFile, "kept.exm");
  EXPECT_FLOAT_EQ(user.LessonSpeed[7], -1.0f);
}

TEST_F(UserBase, ADatabaseAnotherWorkstationCreatedMeanwhileIsKept) {
  // While this workstation tells its student that there is no database yet,
  // another one creates it with its first student.
  dialogs_.onAsk = [&](const qx::DialogRequest&) {
    TUser other("Other");
    unsigned char raw[kUserRecordSize];
    other.ToRecord(raw);
    WriteBytes(DbPath(), std::string(reinterpret_cast<char*>(raw), kUserRecordSize));
  };
  ASSERT_NE(CreateUser("Mine"), nullptr);
  dialogs_.onAsk = nullptr;
  EXPECT_EQ(ReadBytes(DbPath()).size(), 2u * kUserRecordSize);
  EXPECT_NE(FindUser("Other"), nullptr);
  EXPECT_NE(FindUser("Mine"), nullptr);
}

TEST(UserRecord, TenthsAreRoundedFromTheDecimalValueMeant) {
  const std::pair<float, int> cases[] = {
      {12.05f, 121}, {123.4f, 1234}, {-1.0f, -10}, {0.35f, 4},    {2.45f, 25},   {-2.45f, -25},
      {0.04f, 0},    {99.95f, 1000}, {0.0f, 0},    {3276.7f, 32767}, {float(100.0 / 3.0), 333},
  };
  for (const auto& [value, tenths] : cases) EXPECT_EQ(StoredTenths(value), tenths) << value;
}

TEST_F(UserBase, LookingAStudentUpLeavesTheLoggedOnStudentsKeysAlone) {
  WriteBytes(DbPath(), Record("Maria", [](TUser& u) {
               for (int i = 0; i < 40; ++i) u.DifficultKeys->RecordKey('q', i % 2 == 0);
             }));
  TUser john("John");
  john.DifficultKeys->RecordKey('a', false);
  john.DifficultKeys->Commit();
  john.DifficultKeys->RecordKey('s', true);  // an exercise under way
  KeyStats = john.DifficultKeys;
  const TDifficultKeys before = *john.DifficultKeys;

  auto maria = FindUser("Maria");
  KeyStats = nullptr;
  ASSERT_NE(maria, nullptr);
  EXPECT_NE(maria->DifficultKeys, john.DifficultKeys);
  EXPECT_EQ(maria->DifficultKeys->TypedHistory['q'], 40);
  EXPECT_EQ(john.DifficultKeys->TypedHistory, before.TypedHistory);
  EXPECT_EQ(john.DifficultKeys->ErrorHistory, before.ErrorHistory);
  EXPECT_EQ(john.DifficultKeys->ExerciseTyped, before.ExerciseTyped);
}

TEST_F(UserBase, ACutDatabaseIsCopiedAndMendedBeforeItIsWritten) {
  const std::string anna = Record("Anna");
  const std::string maria = Record("Maria", [](TUser& u) { u.StudyTime = 90; });
  const std::string damaged = anna + maria.substr(0, 1200);
  WriteBytes(DbPath(), damaged);
  const std::string copy = (dir_ / "userbase-2026-12-07.qx4");

  // Reading tells which record is cut and keeps a copy at once.
  EXPECT_NE(FindUser("anna"), nullptr);
  ASSERT_EQ(dialogs_.Asked().size(), 1u);
  const std::string& told = dialogs_.Asked()[0].text;
  EXPECT_NE(told.find("#-1517"), std::string::npos);
  EXPECT_NE(told.find("Record 2 (Maria)"), std::string::npos) << told;
  EXPECT_NE(told.find("userbase-2026-12-07.qx4"), std::string::npos) << told;
  EXPECT_EQ(ReadBytes(copy), damaged);

  // The new student goes after the cut record, which is completed; the same
  // copy serves, so nothing more is said.
  ASSERT_NE(CreateUser("Zed"), nullptr);
  EXPECT_EQ(dialogs_.Asked().size(), 1u);
  const std::string mended = ReadBytes(DbPath());
  ASSERT_EQ(mended.size(), 3u * kUserRecordSize);
  EXPECT_EQ(mended.substr(0, kUserRecordSize + 1200), damaged);
  auto found = FindUser("maria");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->StudyTime, 90);
  EXPECT_NE(FindUser("zed"), nullptr);
  EXPECT_EQ(dialogs_.Asked().size(), 1u);

  // Cut again another day and saved without a look first: a second copy,
  // the first kept, and the message names the record whose name is cut too.
  clock_.AdvanceDays(1);
  WriteBytes(DbPath(), mended.substr(0, 2 * kUserRecordSize + 3));
  EXPECT_EQ(SaveUser(*found), 1);
  EXPECT_EQ(ReadBytes(copy), damaged);
  EXPECT_EQ(ReadBytes(dir_ / "userbase-2026-12-08.qx4"), mended.substr(0, 2 * kUserRecordSize + 3));
  ASSERT_EQ(dialogs_.Asked().size(), 2u);
  EXPECT_NE(dialogs_.Asked()[1].text.find("Record 3 of"), std::string::npos) << dialogs_.Asked()[1].text;
  EXPECT_EQ(ReadBytes(DbPath()).size(), 3u * kUserRecordSize);
  auto list = GetUserList();
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(*list, (std::vector<std::string>{"Anna", "Maria", "Ze"}));
}
