// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Typing analysis of a text exercise: how wrong each typed word is, which
// model word the student meant, running totals for speed, accuracy,
// BackSpace use and rhythm, the scores with their levels, and the
// commentator's advice. Times are in clock units of 1/100000 day.

class TDifficultKeys;

// Levels run from 0 to 4; every score is also named by its level.
std::string LevelName(float level);

// The filler put into the shorter word while aligning.
constexpr unsigned char kFillerChar = 164;

// What the word matching decided at one word end.
struct TWordMatch {
  int Offset = 0;  // chosen model word: 0 current, 1 or 2 ahead, -1 previous
  int Error = 0;   // error percentage charged for the word
  int ChosenLength = 0;
  int CharsUsed = 0;  // model characters used up
  int Advance = 0;    // model words to move on
  int Mark = 0;       // underline: 0 none, 1 solid, 2 dotted
  bool NotRecognised = false;
};

class TErrorFinder {
 public:
  std::string ModelBuffer;
  std::string TypedBuffer;
  int ErrorLimit = 50;
  // Where keys are recorded; nullptr means the program's KeyStats.
  TDifficultKeys* Store = nullptr;

  int ErrorPercent(const std::string& model, const std::string& typed);
  void RecordKeyErrors(const std::string& model, const std::string& typed);

  // The word end: picks the model word meant, records its keys and tells
  // the event how far the model moves. Empty strings stand for missing words.
  TWordMatch MatchWord(const std::string& typed, const std::string& current,
                       const std::string& next, const std::string& afterNext,
                       const std::string& previous);

 private:
  // Aligns the words into the buffers and returns the percentage.
  int Align(const std::string& model, const std::string& typed);
  bool CharsMatch(size_t i, size_t j) const;
  TDifficultKeys* Keys() const;
};

class TBackSpaceCounter {
 public:
  int Keys = 0;
  int BackSpaces = 0;
  int Run = 0;
  TDifficultKeys* Store = nullptr;  // nullptr means KeyStats

  void Reset();
  void KeyPressed(unsigned char c);
  float Percentage() const;
  float Level() const;
  std::string LevelName() const { return ::LevelName(Level()); }
};

class TDeviationCalc {
 public:
  float Samples[11] = {};  // 1..10, a ring of the last intervals
  int Index = 0;
  int Count = 0;
  float Sum = 0;
  float Mean = 0;
  float AbsDevSum = 0;
  int Total = 0;

  void Reset();
  // True when the interval is a hesitation; the caller records the key.
  bool AddInterval(float x);
  int Evenness() const;
  float Level() const;
};

class TEfficiencyCalc {
 public:
  int Keystrokes = 0;
  int Characters = 0;
  double Correct = 0;
  int Time = 0;
  float Rhythm = -1;

  void Reset();
  void AddWord(const TWordMatch& match);
  // Sets the typing time from the first and last keystroke and the rhythm.
  void Finish(double startTime, double lastKeyTime, float rhythm);
  // Scores mean something only after enough typing.
  bool HasScores(int wordsTyped) const;

  int Speed() const;
  float SpeedLevel() const;
  float AccuracyScore() const;
  float AccuracyLevel() const;
  int Efficiency() const;
  float EfficiencyLevel() const;
  std::string SpeedLevelName() const { return LevelName(SpeedLevel()); }
  std::string AccuracyLevelName() const { return LevelName(AccuracyLevel()); }
  std::string EfficiencyLevelName() const { return LevelName(EfficiencyLevel()); }
};

class TStudyingTip {
 public:
  // From the program's analysis objects and key statistics.
  std::string Comment() const;
  static std::string CommentFor(float accuracy, float backSpace, float difficultKeys, float speed);
};

extern const char* const kShortTimeText;

// The program's analysis objects, reset by each text exercise.
extern TErrorFinder ErrorFinder;
extern TBackSpaceCounter BackSpaceCounter;
extern TDeviationCalc DeviationCalc;
extern TEfficiencyCalc EfficiencyCalc;
extern TStudyingTip StudyingTip;

// One call for the text event at a word end: matches the word with the
// program's error finder and adds it to the program's totals.
TWordMatch AnalyseWordEnd(const std::string& typed, const std::string& current,
                          const std::string& next, const std::string& afterNext,
                          const std::string& previous);
