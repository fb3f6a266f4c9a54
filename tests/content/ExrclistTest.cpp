// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "ContentsSandbox.h"
#include "content/Contents.h"
#include "shell/Exrclist.h"

namespace {

using Strings = std::vector<std::string>;

// A course whose chapter n has the given number of exercises, exercise k
// named "Ex" + k, worth 1 minute each in a 4-minute lesson.
std::unique_ptr<TContents> Course(qxtest::ContentsSandbox& box, std::initializer_list<int> sizes) {
  std::string text;
  for (int n : sizes) {
    text += "begin chapter\r\ndurationpercent=100\r\n";
    for (int k = 1; k <= n; ++k)
      text += "begin exercise\r\ntype=Ex" + std::to_string(k) +
              "\r\nduration=" + std::to_string(k == 1 ? 0 : 1) +
              "\r\nevent=MESSAGE;0;hi\r\nend exercise\r\n";
    text += "end chapter\r\n";
  }
  qxtest::WriteBytes(box.Path("c.cnt"), text);
  int error = 1;
  auto c = TContents::Create(box.Path("c.cnt"), error, User);
  EXPECT_EQ(error, 0);
  return c;
}

QPixmap Solid(const QColor& c, int h = 20) {
  QPixmap p(265, h);
  p.fill(c);
  return p;
}

class ExerciseList : public ::testing::Test {
 protected:
  void SetUp() override {
    box.Student().LessonDuration = 3;
    list.resize(265, 10);
    list.SetRowHeight(23);
  }
  qxtest::ContentsSandbox box;
  TExerciseList list;
};

TEST_F(ExerciseList, ListsTheExercisesAndClosesWithTheNextLessonRow) {
  auto c = Course(box, {4});
  list.SetChapter(c->Chapters[0].get());
  EXPECT_EQ(list.Numbers, (Strings{"1", "2", "3", "4", "Go to the Next Lesson"}));
  EXPECT_EQ(list.Names, (Strings{"Ex1", "Ex2", "Ex3", "Ex4", ""}));
  // Under a minute shows nothing.
  EXPECT_EQ(list.Times, (Strings{"", "1 min.", "1 min.", "1 min.", ""}));
  EXPECT_EQ(list.RowCount, 5);
  EXPECT_EQ(list.height(), 5 * 23);
  list.NextLessonText = "Next Lesson";
  list.SetChapter(c->Chapters[0].get());
  EXPECT_EQ(list.Numbers.back(), "Next Lesson");
}

TEST_F(ExerciseList, ShowsAtMostMaxRowsSoANinthExerciseCutsTheClosingRow) {
  auto c = Course(box, {9});
  list.SetMaxRows(8);
  list.SetChapter(c->Chapters[0].get());
  EXPECT_EQ(list.RowCount, 8);
  EXPECT_EQ(list.height(), 8 * 23);
  list.Select(20);
  EXPECT_EQ(list.Selected, 8);
  EXPECT_EQ(list.Numbers[7], "8");
}

TEST_F(ExerciseList, DoneMarksApplyToExerciseRowsOnly) {
  auto c = Course(box, {2});
  list.SetChapter(c->Chapters[0].get());
  list.SetDone(2, true);
  list.SetDone(3, true);  // the closing row
  list.SetDone(0, true);
  EXPECT_EQ(list.Done, (Strings{"", "T", ""}));
  EXPECT_TRUE(list.IsDone(2));
  EXPECT_FALSE(list.IsDone(3));
  list.SetDone(2, false);
  EXPECT_FALSE(list.IsDone(2));
}

TEST_F(ExerciseList, KeysMoveTheSelectionWithinTheRows) {
  auto c = Course(box, {3});
  list.SetChapter(c->Chapters[0].get());
  struct Step {
    int key;
    int expected;
  };
  const Step steps[] = {{Qt::Key_Up, 1},   {Qt::Key_Down, 2},   {Qt::Key_End, 4},
                        {Qt::Key_Down, 4}, {Qt::Key_PageUp, 1}, {Qt::Key_PageDown, 4},
                        {Qt::Key_Home, 1}, {Qt::Key_Down, 2}};
  for (const Step& s : steps) {
    EXPECT_TRUE(list.MoveByKey(s.key));
    EXPECT_EQ(list.Selected, s.expected) << s.key;
  }
  EXPECT_FALSE(list.MoveByKey(Qt::Key_Left));
  EXPECT_EQ(list.Selected, 2);
}

TEST_F(ExerciseList, ClicksSelectTheRowUnderTheMouseAndTellTheOwner) {
  auto c = Course(box, {3});
  list.SetChapter(c->Chapters[0].get());
  int clicks = 0, doubles = 0;
  list.OnClick = [&](TExerciseList*) { ++clicks; };
  list.OnDoubleClick = [&](TExerciseList*) { ++doubles; };
  QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(100, 2 * 23 + 5));
  EXPECT_EQ(list.Selected, 3);
  EXPECT_EQ(clicks, 1);
  QTest::mouseDClick(&list, Qt::LeftButton, {}, QPoint(100, 23));
  EXPECT_EQ(list.Selected, 2);
  EXPECT_EQ(doubles, 1);
}

TEST_F(ExerciseList, PaintsEachRowOnItsPicture) {
  auto c = Course(box, {3});
  list.SetActivePicture(Solid(Qt::red));
  list.SetDonePicture(Solid(Qt::green));
  list.SetInactivePicture(Solid(Qt::blue));
  list.SetChapter(c->Chapters[0].get());
  list.SetDone(1, true);
  list.SetDone(3, true);
  list.Select(3);  // selected wins over done
  const QImage shot = list.grab().toImage();
  auto at = [&](int row) { return shot.pixelColor(262, (row - 1) * 23 + 2); };
  EXPECT_EQ(at(1), QColor(Qt::green));
  EXPECT_EQ(at(2), QColor(Qt::blue));
  EXPECT_EQ(at(3), QColor(Qt::red));
  EXPECT_EQ(at(4), QColor(Qt::blue));
}

}  // namespace
