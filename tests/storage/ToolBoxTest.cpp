// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/KeyboardLayout.h"
#include "platform/Random.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "storage/ToolBox.h"

using Fields = std::vector<std::string>;

TEST(SplitFields, RunsOfDelimitersAndEscapes) {
  struct Case {
    const char* text;
    const char* delims;
    Fields fields;
  };
  const Case cases[] = {
      {";a;;b;", ";", {"a", "b"}},
      {"a%;b;c", ";", {"a;b", "c"}},
      {"one two,three", "", {"one", "two", "three"}},
      {"line\r\nnext", "", {"line", "next"}},
      {"chapter name=1;Home row", "=;", {"chapter name", "1", "Home row"}},
      {"event=TEXT;3;Hello, world", "=;", {"event", "TEXT", "3", "Hello, world"}},
      {"event=TEXT;3;Hello, world", "=;,", {"event", "TEXT", "3", "Hello", " world"}},
      {"100% sure;x", ";", {"100% sure", "x"}},  // "%" before a non-delimiter stays
      {"%;", ";", {";"}},
      {"a%", ";", {"a%"}},
      {";;;", ";", {}},
      {"", ";", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitFields(c.text, c.delims), c.fields) << c.text;
}

TEST(GetToken, WordsLineBreaksAndCharacter255) {
  const std::string text = "  one\ttwo\r\n\r\nthree\xFF" "four\n";
  std::vector<std::string> tokens;
  size_t pos = 0;
  for (;;) {
    std::string token;
    pos = GetToken(text, pos, token);
    if (token.empty()) break;
    tokens.push_back(token);
  }
  EXPECT_EQ(tokens, (Fields{"one", "two", "\r", "\r", "three", "four"}));
  EXPECT_EQ(pos, text.size());

  std::string token;
  EXPECT_EQ(GetToken("abc\rdef", 0, token), 3u);  // the return stays for the next call
  EXPECT_EQ(token, "abc");
  EXPECT_EQ(GetToken("abc\0def", 0, token), 3u);
  EXPECT_EQ(GetToken(std::string_view("ab\0cd", 5), 0, token), 2u);  // a zero byte ends the text
  EXPECT_EQ(GetToken(std::string_view("ab\0cd", 5), 2, token), 2u);
  EXPECT_TRUE(token.empty());
  GetToken("abcdef", 0, token, 3);
  EXPECT_EQ(token, "abc");
}

TEST(TextHelpers, TrimmingAndCharacterFilters) {
  EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
  EXPECT_EQ(TrimBlanks(" \t\t "), "");
  EXPECT_EQ(RemoveUpper("aBcD1"), "ac1");
  EXPECT_EQ(KeepUpper("aBcD1"), "BD");
  EXPECT_EQ(KeepLetters("a1,B.\xE4"), "aB");
  EXPECT_EQ(KeepLettersPunct("a1,B.\xE4!"), "a,B.");
  EXPECT_EQ(UniqueChars("hello world"), "helo wrd");
  EXPECT_EQ(UpCaseChar('q'), 'Q');
  EXPECT_EQ(UpCaseChar(0xF6), 0xD6);  // ö
}

TEST(TextHelpers, CapitalisationLeavesNationalLettersLower) {
  EXPECT_EQ(Capitalize("MY STORY"), "My Story");
  EXPECT_EQ(Capitalize("ab c"), "Ab c");  // the letter after the blank is the last one
  EXPECT_EQ(Capitalize("\xE4pple tree"), "\xE4pple Tree");
  EXPECT_EQ(Capitalize("one two three"), "One Two three");
  EXPECT_EQ(Capitalize(""), "");
  EXPECT_EQ(ProperCase("the QUICK brown fox", "QF"), "The Quick brown Fox");
  EXPECT_EQ(ProperCase("a b", "B"), "A b");
}

TEST(TextHelpers, MapRangeIsLinearAndUnclamped) {
  EXPECT_FLOAT_EQ(MapRange(50, 0, 100, 4, 0), 2);
  EXPECT_FLOAT_EQ(MapRange(150, 0, 100, 0, 10), 15);
}

TEST(ShuffleList, TheLastEntryStaysAndNothingIsLost) {
  qx::Random().Seed(7);
  for (int round = 0; round < 20; ++round) {
    Fields list = {"a", "b", "c", "d", "e", "f"};
    ShuffleList(list);
    EXPECT_EQ(list.back(), "f");
    Fields sorted = list;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (Fields{"a", "b", "c", "d", "e", "f"}));
  }
  Fields one = {"only"};
  EXPECT_EQ(ShuffleList(one), Fields{"only"});
  Fields none;
  EXPECT_TRUE(ShuffleList(none).empty());
  qx::Random().Unfix();
}

TEST(KeyboardLanguage, TableAndFallbacks) {
  qx::FixedKeyboardLayout finnish("0000040B");
  qx::InstallKeyboardLayout(&finnish);
  EXPECT_EQ(DetectKeyboardLanguage(), "Finnish");
  qx::FixedKeyboardLayout russian("00000419");
  qx::InstallKeyboardLayout(&russian);
  EXPECT_EQ(DetectKeyboardLanguage(), "Unknown (19)");
  qx::InstallKeyboardLayout(nullptr);
  EXPECT_EQ(DetectKeyboardLanguage(), "Not available");
  EXPECT_EQ(KeyboardLanguageOf("0000041d"), "Swedish");
  EXPECT_EQ(KeyboardLanguageOf("00000409"), "English");
}

namespace {

struct FakePlayer final : qx::IWavePlayer {
  bool ready = false, fails = false, loading = false;
  int* plays;
  explicit FakePlayer(int* p) : plays(p) {}
  bool Open(const std::string& path) override {
    loading = path.find("slow") != std::string::npos;
    ready = !loading && path.find("missing") == std::string::npos;
    fails = path.find("broken") != std::string::npos;
    return ready || loading;
  }
  bool Loading() const override { return loading; }
  void Loaded(bool ok) {
    loading = false;
    ready = ok;
    OnLoaded(ok);
  }
  bool CanPlay() override { return ready; }
  bool Play() override {
    ++*plays;
    return !fails;
  }
  std::string LastError() const override { return fails ? "broken" : ""; }
};

struct FakeSound final : qx::ISoundSystem {
  int plays = 0;
  FakePlayer* last = nullptr;
  std::unique_ptr<qx::IWavePlayer> CreatePlayer() override {
    auto player = std::make_unique<FakePlayer>(&plays);
    last = player.get();
    return player;
  }
};

}  // namespace

TEST(Sounds, SilentSlotsAndAFailingPlayerSwitchesSoundOff) {
  FakeSound sound;
  qx::InstallSoundSystem(&sound);
  SoundAvailable = true;
  CreateSound(1, "Click.wav");
  CreateSound(2, "missing.wav");
  PlaySound(1);
  PlaySound(2);  // can't play: silent, nothing else happens
  PlaySound(4);  // never loaded
  PlaySound(9);  // no such slot
  EXPECT_EQ(sound.plays, 1);
  EXPECT_TRUE(SoundAvailable);
  CreateSound(3, "broken.wav");
  PlaySound(3);
  EXPECT_FALSE(SoundAvailable);
  PlaySound(1);
  EXPECT_EQ(sound.plays, 2);  // nothing is tried after the failure
  CreateSound(5, "Intro.wav");
  EXPECT_FALSE(SoundLoaded(5));  // no new players once sound is off
  for (int s = 1; s <= 5; ++s) FreeSound(s);
  SoundAvailable = true;
  qx::InstallSoundSystem(nullptr);
}

// Players load in the background; a sound asked for meanwhile plays once,
// when it is ready, unless it was freed or sound went off in between.
TEST(Sounds, APlayAskedWhileLoadingWaitsForTheFile) {
  struct Case {
    const char* what;
    bool askTwice;
    std::function<void()> meanwhile;
    bool loads;
    int plays;
    bool available;
  };
  const Case cases[] = {
      {"asked once", false, [] {}, true, 1, true},
      {"asked twice", true, [] {}, true, 1, true},
      {"never asked", false, nullptr, true, 0, true},
      {"sound switched off", false, [] { SoundAvailable = false; }, true, 0, false},
      {"the file fails", false, [] {}, false, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSound sound;
    qx::InstallSoundSystem(&sound);
    SoundAvailable = true;
    CreateSound(kSoundTheme, "slow Intro.wav");
    FakePlayer* player = sound.last;
    if (c.meanwhile) {
      PlaySound(kSoundTheme);
      if (c.askTwice) PlaySound(kSoundTheme);
      c.meanwhile();
    }
    EXPECT_EQ(sound.plays, 0);
    player->Loaded(c.loads);
    EXPECT_EQ(sound.plays, c.plays);
    EXPECT_EQ(SoundAvailable, c.available);
    FreeSound(kSoundTheme);
  }
  // Freed while loading: the pending play goes with the player.
  FakeSound sound;
  qx::InstallSoundSystem(&sound);
  SoundAvailable = true;
  CreateSound(kSoundTheme, "slow Intro.wav");
  PlaySound(kSoundTheme);
  FreeSound(kSoundTheme);
  CreateSound(kSoundTheme, "slow Intro.wav");
  sound.last->Loaded(true);
  EXPECT_EQ(sound.plays, 0);
  FreeSound(kSoundTheme);
  SoundAvailable = true;
  qx::InstallSoundSystem(nullptr);
}

namespace {
struct RecordingShell final : qx::IShell {
  std::string file, params, dir;
  int Open(const std::string& f, const std::string& p, const std::string& d) override {
    file = f;
    params = p;
    dir = d;
    return 42;
  }
};
}  // namespace

TEST(ShellOpen, PassesThroughToTheShellService) {
  RecordingShell shell;
  qx::InstallShell(&shell);
  EXPECT_GT(ShellOpen("mailto:support@quillbrandex.invalid", "", ""), 32);
  EXPECT_EQ(shell.file, "mailto:support@quillbrandex.invalid");
  qx::InstallShell(nullptr);
  EXPECT_LE(ShellOpen("INSTALL.HTM", "", ""), 32);
}
