// SPDX-License-Identifier: GPL-3.0-or-later
// Every keyboard drill of the shipped beginner's course, typed through.
#include <filesystem>
#include <fstream>

#include "DrillExpects.h"
#include "DrillSandbox.h"
#include "content/EventLdr.h"
#include "content/Keybevnt.h"
#include "engine/Viewcanv.h"
#include "platform/CodePage.h"

namespace {

namespace fs = std::filesystem;
using qxtest::DrillTest;

const fs::path kData = fs::path(QX_SOURCE_DIR) / "data";

std::vector<std::string> DrillLines() {
  std::ifstream in(kData / "Beginner.cnt", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string upper = qx::UpperCp1252(line);
    for (const char* type : {"EVENT=NEWKEYS;", "EVENT=KEYBOARD;", "EVENT=WORD;"})
      if (upper.rfind(type, 0) == 0) lines.push_back(line);
  }
  return lines;
}

class CourseDrills : public DrillTest {
 protected:
  CourseDrills() {
    keys.LoadLayout((kData / "qwerty.kbd").string());
    for (const auto& entry : fs::directory_iterator(kData))
      if (entry.path().extension() == ".txt") fs::copy_file(entry.path(), sandbox / entry.path().filename());
  }
};

TEST_F(CourseDrills, EveryDrillRunsToItsEndWithTheKeysItAsksFor) {
  const std::vector<std::string> lines = DrillLines();
  ASSERT_GE(lines.size(), 50u);
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    auto loader = TEventLoader::Create(line);
    ASSERT_NE(loader, nullptr);
    int typed = 0;
    std::string text;
    bool completed = false;
    const int code = RunWith([&] { return loader->Execute(nullptr); },
                             [&] {
                               auto* drill = dynamic_cast<TCustomKeyboardEvent*>(ActiveView);
                               ASSERT_NE(drill, nullptr);
                               text = drill->EventText;
                               while (drill->State != kStateCompleted && typed < 5000) {
                                 const unsigned char c = qxtest::DrillExpects(drill);
                                 if (c == 0) break;
                                 // Every key a drill asks for is on the keyboard.
                                 EXPECT_TRUE(c == ' ' || c == '\r' || keys.KeyOf(c) > 0) << "'" << c << "'";
                                 Press(char(c));
                                 ++typed;
                               }
                               completed = drill->State == kStateCompleted;
                               Press('\r');
                             });
    EXPECT_TRUE(completed);
    EXPECT_EQ(code, kNextStep);
    // Nothing ended early: every character of the text was typed.
    int printable = 0;
    for (char c : text) printable += static_cast<unsigned char>(c) > ' ';
    EXPECT_GE(typed, printable);
    EXPECT_GT(printable, 0);
  }
}

TEST_F(CourseDrills, NewKeyGroupsKeepToTheWordsOfTheirText) {
  for (const std::string& line : DrillLines()) {
    if (qx::UpperCp1252(line).find("NEWKEYS") == std::string::npos) continue;
    TEvent fields;
    fields.CreateFromDescriptor(line);
    const std::string text = fields.Field(4);
    int letters = 0;
    bool wordStart = true;
    for (char c : text) {
      if (c == ' ') {
        wordStart = true;
        continue;
      }
      if (wordStart) EXPECT_EQ(letters % 4, 0) << "a group straddles a gap in: " << text;
      wordStart = false;
      ++letters;
    }
  }
}

}  // namespace
