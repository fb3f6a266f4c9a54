// SPDX-License-Identifier: GPL-3.0-or-later
// The picture generator: how it reads a course and what it highlights.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSet>

#include "qxpictures/Course.h"
#include "qxpictures/Scenes.h"

namespace {

struct KeysCase {
  const char* line;
  const char* keys;
};

class CourseNewKeys : public ::testing::TestWithParam<KeysCase> {};

TEST_P(CourseNewKeys, ReadsTheValueAsTheContentsFileMeansIt) {
  const QByteArray text = QByteArray("begin chapter\r\n") + GetParam().line + "\r\nend chapter\r\n";
  const auto lessons = qxart::ReadCourseLessons(text);
  ASSERT_EQ(lessons.size(), 1u);
  EXPECT_EQ(lessons[0].newKeys, QString::fromLatin1(GetParam().keys));
}

INSTANTIATE_TEST_SUITE_P(Picture, CourseNewKeys,
                         ::testing::Values(KeysCase{"new keys=fjdk", "fjdk"},
                                           KeysCase{"  NEW KEYS=ei  ", "ei"},
                                           KeysCase{"new keys=sla%;", "sla;"},
                                           KeysCase{"new keys=@#*/+%=", "@#*/+="},
                                           KeysCase{"new keys=ab;comment", "ab"},
                                           KeysCase{"new keys;;xy", "xy"}));

TEST(CourseLessons, CommentsAndLinesBeforeTheFirstChapterStartNoLesson) {
  const auto lessons = qxart::ReadCourseLessons(
      "picture=Stray.pic\r\n' begin chapter\r\nbegin chapter\r\npicture=Ch1.pic\r\n"
      "'picture=Other.pic\r\nend chapter\r\nBEGIN CHAPTER\r\nend chapter\r\n");
  ASSERT_EQ(lessons.size(), 2u);
  EXPECT_EQ(lessons[0].picture, "Ch1.pic");
  EXPECT_TRUE(lessons[1].picture.isEmpty());
}

// Each lesson of the shipped course has its own picture and teaches keys
// that no earlier lesson taught.
TEST(ShippedCourse, TeachesEveryKeyOnceWithAPicturePerLesson) {
  QFile file(QX_SOURCE_DIR "/data/Beginner.cnt");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const auto lessons = qxart::ReadCourseLessons(file.readAll());
  ASSERT_GE(lessons.size(), 16u);
  ASSERT_LE(lessons.size(), 20u);
  QSet<QChar> taught;
  QSet<QString> pictures;
  for (size_t i = 0; i < lessons.size(); ++i) {
    EXPECT_EQ(lessons[i].picture, QString("Ch%1.pic").arg(i + 1));
    pictures.insert(lessons[i].picture);
    EXPECT_FALSE(lessons[i].newKeys.isEmpty()) << "lesson " << i + 1;
    for (QChar c : lessons[i].newKeys) {
      EXPECT_FALSE(taught.contains(c)) << "lesson " << i + 1 << " repeats " << c.toLatin1();
      taught.insert(c);
    }
  }
  for (char c = 'a'; c <= 'z'; ++c) EXPECT_TRUE(taught.contains(QChar(c))) << c;
  for (char c = '0'; c <= '9'; ++c) EXPECT_TRUE(taught.contains(QChar(c))) << c;
  EXPECT_EQ(pictures.size(), qsizetype(lessons.size()));
}

// Amber marks new keys; count amber pixels in the keyboard part.
int AmberPixels(const QImage& image) {
  int count = 0;
  for (int y = 84; y < 178; ++y)
    for (int x = 16; x < 284; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 220 && c.green() > 130 && c.green() < 190 && c.blue() < 110) ++count;
    }
  return count;
}

TEST(ChapterPicture, HighlightsTheLessonsNewKeysOnTheKeyboard) {
  const QImage plain = qxart::ChapterPicture({3, 18, "fjdksla;", ""});
  const QImage two = qxart::ChapterPicture({3, 18, "fjdksla;", "ei"});
  const QImage capitals = qxart::ChapterPicture({12, 18, "abcdefghijklmnopqrstuvwxyz", "ABC."});
  EXPECT_EQ(two.size(), QSize(300, 200));
  EXPECT_EQ(AmberPixels(plain), 0);
  EXPECT_GT(AmberPixels(two), 100);
  // Capitals light up both Shift keys and the full stop, not every letter.
  EXPECT_GT(AmberPixels(capitals), AmberPixels(two));
  EXPECT_LT(AmberPixels(capitals), 13 * AmberPixels(two));
}

}  // namespace
