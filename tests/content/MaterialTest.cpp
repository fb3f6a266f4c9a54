// SPDX-License-Identifier: GPL-3.0-or-later
// The generated pictures and sounds, as the program finds them beside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "support/TestFiles.h"
#include "qxsounds/Wave.h"
#include "storage/ToolBox.h"

namespace {

const std::string kBin = QX_BIN_DIR "/";

uint32_t U32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
  return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
int16_t Sample(const std::string& b, size_t index) { return int16_t(U16(b, 44 + 2 * index)); }

TEST(WaveWriter, WritesMonoPcmHeaderAndClampsSamples) {
  qxsounds::Sound sound(0.0);
  sound.samples = {0.0f, 1.5f, -2.0f, 0.5f};
  const auto bytes = qxsounds::WaveBytes(sound);
  const std::string b(bytes.begin(), bytes.end());
  ASSERT_EQ(b.size(), 44u + 8u);
  EXPECT_EQ(b.substr(0, 4), "RIFF");
  EXPECT_EQ(U32(b, 4), b.size() - 8);
  EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(U16(b, 20), 1);  // PCM
  EXPECT_EQ(U16(b, 22), 1);  // mono
  EXPECT_EQ(U32(b, 24), uint32_t(qxsounds::kSampleRate));
  EXPECT_EQ(U16(b, 34), 16);
  EXPECT_EQ(b.substr(36, 4), "data");
  EXPECT_EQ(U32(b, 40), 8u);
  EXPECT_EQ(Sample(b, 0), 0);
  EXPECT_EQ(Sample(b, 1), 32767);
  EXPECT_EQ(Sample(b, 2), -32767);
  EXPECT_EQ(Sample(b, 3), 16384);
}

TEST(WaveWriter, FadeOutEndsInSilenceAndNormalizeSetsThePeak) {
  qxsounds::Sound sound(0.1);
  for (float& s : sound.samples) s = 0.25f;
  sound.Normalize(0.5f);
  EXPECT_FLOAT_EQ(sound.samples.front(), 0.5f);
  sound.FadeOut(0.05);
  EXPECT_FLOAT_EQ(sound.samples.front(), 0.5f);
  EXPECT_LT(sound.samples.back(), 0.01f);
}

struct SoundCase {
  const char* name;
  double minSeconds;
  double maxSeconds;
};

class ShippedSound : public ::testing::TestWithParam<SoundCase> {};

// Each sound is a playable 16-bit mono wave of its intended length, never
// clipped, and neither starts nor stops with a jump that would click.
TEST_P(ShippedSound, IsQuietAtBothEndsAndFitsItsUse) {
  const SoundCase c = GetParam();
  const std::string b = qxtest::ReadBytes(kBin + c.name);
  ASSERT_GT(b.size(), 44u) << c.name;
  ASSERT_EQ(b.substr(0, 4), "RIFF");
  ASSERT_EQ(b.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(U16(b, 20), 1);
  EXPECT_EQ(U16(b, 22), 1);
  EXPECT_EQ(U16(b, 34), 16);
  const uint32_t dataBytes = U32(b, 40);
  ASSERT_EQ(dataBytes + 44, b.size());
  const size_t count = dataBytes / 2;
  const double seconds = double(count) / U32(b, 24);
  EXPECT_GE(seconds, c.minSeconds);
  EXPECT_LE(seconds, c.maxSeconds);
  int peak = 0;
  for (size_t i = 0; i < count; ++i) peak = std::max(peak, std::abs(int(Sample(b, i))));
  EXPECT_GT(peak, 8000) << "too faint";
  EXPECT_LT(peak, 32000) << "clipped";
  EXPECT_LT(std::abs(int(Sample(b, 0))), 500);
  EXPECT_LT(std::abs(int(Sample(b, count - 1))), 500);
}

INSTANTIATE_TEST_SUITE_P(Material, ShippedSound,
                         ::testing::Values(SoundCase{"Click.wav", 0.01, 0.15},
                                           SoundCase{"Error.wav", 0.1, 0.5},
                                           SoundCase{"Theend.wav", 0.5, 3.0},
                                           SoundCase{"Intro.wav", 3.0, 10.0}),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           return n.substr(0, n.find('.'));
                         });

struct PictureSize {
  int width;
  int height;
};

// Width and height of an uncompressed 24-bit Windows bitmap; {0, 0} when the
// file is anything else.
PictureSize BitmapSize(const std::string& path) {
  const std::string b = qxtest::ReadBytes(path);
  if (b.size() < 54 || b.substr(0, 2) != "BM" || U32(b, 2) != b.size()) return {0, 0};
  const int width = int(U32(b, 18));
  const int height = std::abs(int(int32_t(U32(b, 22))));
  const int bits = U16(b, 28);
  const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
  if (bits != 24 || U32(b, 30) != 0 || U32(b, 10) + stride * uint32_t(height) > b.size())
    return {0, 0};
  return {width, height};
}

TEST(ShippedPictures, PagePicturesFillTheWidePage) {
  for (const char* name : {"Welcome.pic", "Goodbye.pic"}) {
    const PictureSize size = BitmapSize(kBin + name);
    EXPECT_EQ(size.width, 718) << name;
    EXPECT_EQ(size.height, 428) << name;
  }
}

// Every picture a course names (its lessons' pictures and those of its
// message steps) is there as a bitmap that fits a page.
TEST(ShippedPictures, EveryPictureACourseNamesIsABitmapThatFitsAPage) {
  std::set<std::string> named;
  for (const char* course : {"Beginner.cnt", "introd.qxs"}) {
    std::ifstream file(kBin + course, std::ios::binary);
    ASSERT_TRUE(file) << course;
    std::string line;
    while (std::getline(file, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const auto fields = SplitFields(TrimBlanks(line), "=;");
      if (fields.size() >= 2 && fields[0] == "picture") named.insert(fields[1]);
      if (fields.size() >= 6 && fields[0] == "event" && fields[1] == "MESSAGE") named.insert(fields[5]);
    }
  }
  EXPECT_GE(named.size(), 19u);
  for (const std::string& name : named) {
    const PictureSize size = BitmapSize(kBin + name);
    EXPECT_GT(size.width, 0) << name;
    EXPECT_LE(size.width, 338) << name;
    EXPECT_LE(size.height, 360) << name;
  }
}

}  // namespace
