// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Analyzer.h"

#include <algorithm>
#include <cmath>

#include "engine/Diffkeys.h"

TErrorFinder ErrorFinder;
TBackSpaceCounter BackSpaceCounter;
TDeviationCalc DeviationCalc;
TEfficiencyCalc EfficiencyCalc;
TStudyingTip StudyingTip;

const char* const kShortTimeText =
    "You have typed for a very short time - your performance scores cannot be calculated.";

namespace {

// Half to the even neighbour, as every score rounds.
int RoundEven(double x) { return static_cast<int>(std::nearbyint(x)); }

float Limit(float x, float low, float high) { return std::clamp(x, low, high); }

// Only a to z fold; national letters keep their case on purpose.
unsigned char Fold(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

constexpr char kFiller = static_cast<char>(kFillerChar);

}  // namespace

std::string LevelName(float level) {
  if (level >= 3) return "Expert";
  if (level >= 2) return "Advanced";
  if (level >= 1) return "Intermediate";
  return "Beginner";
}

// ---- TErrorFinder -------------------------------------------------------

TDifficultKeys* TErrorFinder::Keys() const { return Store ? Store : KeyStats; }

// Positions are 1-based, as in the alignment table.
bool TErrorFinder::CharsMatch(size_t i, size_t j) const {
  if (i < 1 || j < 1 || i > ModelBuffer.size() || j > TypedBuffer.size()) return false;
  return Fold(ModelBuffer[i - 1]) == Fold(TypedBuffer[j - 1]);
}

int TErrorFinder::Align(const std::string& model, const std::string& typed) {
  ModelBuffer.assign(model, 0, 255);
  TypedBuffer.assign(typed, 0, 255);
  if (ModelBuffer == TypedBuffer) return 0;
  if (ModelBuffer.empty() || TypedBuffer.empty()) return 100;

  std::string& m = ModelBuffer;
  std::string& t = TypedBuffer;
  const size_t modelLength = m.size();
  float cost = 0;
  size_t i = 1;
  auto match = [this](size_t a, size_t b) { return CharsMatch(a, b); };
  while (i <= std::max(m.size(), t.size())) {
    if (m.size() < i)
      m.push_back(kFiller);
    else if (t.size() < i)
      t.push_back(kFiller);

    if (match(i, i)) {  // same key, perhaps in the other case
      if (m[i - 1] != t[i - 1]) cost += 0.5f;
      i += 1;
    } else if (match(i, i + 1) && match(i + 1, i + 2)) {  // extra character
      m.insert(i - 1, 1, kFiller);
      cost += 1;
      i += 1;
    } else if (match(i + 1, i) && match(i + 2, i + 1)) {  // character left out
      t.insert(i - 1, 1, kFiller);
      cost += 1;
      i += 1;
    } else if (match(i, i + 1) && match(i + 1, i)) {  // two swapped
      cost += 1;
      i += 2;
    } else if (match(i, i + 1)) {
      m.insert(i - 1, 1, kFiller);
      cost += 1;
      i += 1;
    } else if (match(i + 1, i)) {
      t.insert(i - 1, 1, kFiller);
      cost += 1;
      i += 1;
    } else if (match(i, i + 2) && match(i + 1, i + 3)) {  // two extra
      m.insert(i - 1, 2, kFiller);
      cost += 1.5f;
      i += 2;
    } else if (match(i, i + 2)) {
      cost += 1;
      i += 1;
    } else if (match(i + 2, i) && match(i + 3, i + 1)) {  // two left out
      t.insert(i - 1, 2, kFiller);
      cost += 1.5f;
      i += 2;
    } else {  // a wrong character
      cost += 1;
      i += 1;
    }
  }
  return RoundEven(static_cast<double>(cost) / static_cast<double>(modelLength) * 100.0);
}

int TErrorFinder::ErrorPercent(const std::string& model, const std::string& typed) {
  const int percent = Align(model, typed);
  ModelBuffer.clear();
  TypedBuffer.clear();
  return percent;
}

void TErrorFinder::RecordKeyErrors(const std::string& model, const std::string& typed) {
  TDifficultKeys* keys = Keys();
  if (keys && Align(model, typed) <= ErrorLimit) {
    const std::string& m = ModelBuffer;
    const std::string& t = TypedBuffer;
    for (size_t i = 1; i <= t.size(); ++i) {
      const char mc = i <= m.size() ? m[i - 1] : kFiller;
      if (CharsMatch(i, i)) {
        if (mc != kFiller) keys->RecordKey(static_cast<unsigned char>(mc), false);
      } else if (mc != kFiller && mc != ' ') {
        keys->RecordKey(static_cast<unsigned char>(mc), true);
      } else if (mc == kFiller && i > 1 && t[i - 1] == t[i - 2]) {
        keys->RecordKey(static_cast<unsigned char>(t[i - 1]), true);  // pressed twice
      }
    }
  }
  ModelBuffer.clear();
  TypedBuffer.clear();
}

TWordMatch TErrorFinder::MatchWord(const std::string& typed, const std::string& current,
                                   const std::string& next, const std::string& afterNext,
                                   const std::string& previous) {
  const int e0 = ErrorPercent(current, typed);
  const int e1 = ErrorPercent(next, typed);
  const int e2 = ErrorPercent(afterNext, typed);
  const int eBack = ErrorPercent(previous, typed);
  const int len0 = static_cast<int>(current.size());
  const int len1 = static_cast<int>(next.size());

  TWordMatch result;
  const std::string* chosen = &current;
  if (e0 - 20 > e1 && e1 <= 40) {  // one word skipped
    result = {1, e1, len1, len0 + len1, 2, 0, false};
    chosen = &next;
  } else if (e0 - 30 > e2 && e2 <= 10) {  // two words skipped
    const int len2 = static_cast<int>(afterNext.size());
    result = {2, e2, len2, len0 + len1 + len2, 3, 0, false};
    chosen = &afterNext;
  } else if (e0 - 20 > eBack && eBack <= 40) {  // the previous word again
    result = {-1, eBack, static_cast<int>(previous.size()), 0, 0, 0, false};
    chosen = &previous;
  } else if (e0 > 40) {
    result = {0, 100, len0, len0, 1, 0, true};
  } else {
    result = {0, e0, len0, len0, 1, 0, false};
  }
  if (!result.NotRecognised) RecordKeyErrors(*chosen, typed);
  result.Mark = result.Error == 0 ? 0 : (result.Error > 35 ? 1 : 2);
  return result;
}

TWordMatch AnalyseWordEnd(const std::string& typed, const std::string& current,
                          const std::string& next, const std::string& afterNext,
                          const std::string& previous) {
  const TWordMatch match = ErrorFinder.MatchWord(typed, current, next, afterNext, previous);
  EfficiencyCalc.AddWord(match);
  return match;
}

// ---- TBackSpaceCounter --------------------------------------------------

void TBackSpaceCounter::Reset() {
  Keys = 0;
  BackSpaces = 0;
  Run = 0;  // a BackSpace at the end of the last exercise must not blame this one
}

void TBackSpaceCounter::KeyPressed(unsigned char c) {
  Keys += 1;
  if (c == 8) {
    BackSpaces += 1;
    Run += 1;
  } else if (Run > 0) {
    // The student had to correct this key, however many BackSpaces it took.
    TDifficultKeys* keys = Store ? Store : KeyStats;
    if (keys) keys->RecordKey(c, true);
    Run = 0;
  }
}

float TBackSpaceCounter::Percentage() const {
  if (Keys == 0) return 0;
  return static_cast<float>(BackSpaces) / static_cast<float>(Keys) * 100.0f;
}

float TBackSpaceCounter::Level() const { return Limit((Percentage() - 10) * -0.4f, 0, 4); }

// ---- TDeviationCalc -----------------------------------------------------

void TDeviationCalc::Reset() { *this = TDeviationCalc(); }

bool TDeviationCalc::AddInterval(float x) {
  Index = Index >= 10 ? 1 : Index + 1;
  if (Count == 10)
    Sum -= Samples[Index];
  else
    Count += 1;
  Samples[Index] = x;
  Sum += x;
  Mean = Sum / static_cast<float>(Count);
  const float d = Mean == 0 ? 0 : (Mean - x) / Mean;
  AbsDevSum += std::fabs(d);
  Total += 1;
  // (1.2 - 0.45) / (0.6 - 0.2): a pause well beyond the recent pace.
  return Count >= 5 && x >= 0.45f + 1.875f * Mean;
}

int TDeviationCalc::Evenness() const {
  if (Total == 0) return 0;
  return RoundEven(100.0 - static_cast<double>(AbsDevSum) / Total * 100.0);
}

float TDeviationCalc::Level() const {
  return Limit(0.08f * static_cast<float>(Evenness() - 45), 0, 4);
}

// ---- TEfficiencyCalc ----------------------------------------------------

void TEfficiencyCalc::Reset() { *this = TEfficiencyCalc(); }

void TEfficiencyCalc::AddWord(const TWordMatch& match) {
  Keystrokes += match.CharsUsed + 1;  // the separator counts for speed
  Characters += match.CharsUsed;
  Correct += (100.0 - match.Error) / 100.0 * match.ChosenLength;
}

void TEfficiencyCalc::Finish(double startTime, double lastKeyTime, float rhythm) {
  // No key typed leaves no typing time rather than a negative one.
  Time = lastKeyTime > 0 ? RoundEven((lastKeyTime - startTime) * 100000.0) : 0;
  Rhythm = rhythm;
}

bool TEfficiencyCalc::HasScores(int wordsTyped) const { return wordsTyped >= 5 && Time >= 10; }

int TEfficiencyCalc::Speed() const {
  if (Time <= 0) return 0;
  return RoundEven(Keystrokes / (Time / 60.0));
}

float TEfficiencyCalc::SpeedLevel() const {
  return Limit(static_cast<float>(Speed() - 30) / 60.0f, 0, 4);
}

float TEfficiencyCalc::AccuracyScore() const {
  if (Characters == 0) return 0;
  const double accuracy = 100.0 * Correct / Characters;
  return Limit(static_cast<float>((accuracy - 90.0) * 10.0), 0, 100);
}

float TEfficiencyCalc::AccuracyLevel() const {
  const float s = AccuracyScore();
  float level;
  if (s < 60)
    level = s / 60;
  else if (s < 85)
    level = 1 + (s - 60) / 25;
  else if (s < 95)
    level = 2 + (s - 85) / 10;
  else
    level = 3 + (s - 95) / 5;
  return Limit(level, 0, 4);
}

int TEfficiencyCalc::Efficiency() const {
  const double a = AccuracyLevel() / 4.0;
  const double b = SpeedLevel() / 4.0;
  if (a + b == 0) return 0;
  return std::clamp(RoundEven(2 * a * b / (a + b) * 100.0), 0, 100);  // harmonic mean
}

float TEfficiencyCalc::EfficiencyLevel() const {
  return Limit(static_cast<float>(Efficiency()) * 0.04f, 0, 4);
}

// ---- TStudyingTip -------------------------------------------------------

std::string TStudyingTip::Comment() const {
  const float keysLevel = KeyStats ? KeyStats->Level() : 4.0f;
  return CommentFor(EfficiencyCalc.AccuracyLevel(), BackSpaceCounter.Level(), keysLevel,
                    EfficiencyCalc.SpeedLevel());
}

// The weakest aspect gets the advice, unless even it is good enough.
std::string TStudyingTip::CommentFor(float accuracy, float backSpace, float difficultKeys,
                                     float speed) {
  const float level[5] = {0, accuracy, backSpace, difficultKeys, speed};
  const float average = (accuracy + backSpace + difficultKeys + speed) / 4;
  float weight[5] = {};
  int rank[5] = {};
  for (int k = 1; k <= 4; ++k) {
    weight[k] = level[k] / 2 * average;
    rank[k] = 1;
    for (int j = 1; j <= 4; ++j)
      if (level[j] < level[k]) rank[k] += 1;
  }
  auto degree = [](float l) -> std::string {
    if (l >= 3) return "very ";
    if (l >= 2) return "";
    return "quite ";
  };

  for (int k = 1; k <= 4; ++k) {
    if (rank[k] != 1 || level[k] >= 3 || weight[k] >= 1.3f) continue;
    switch (k) {
      case 1:
        return (weight[4] >= 2 ? "Your speed was " + degree(speed) + "good, but the "
                               : std::string("The ")) +
               "errors you made decreased your efficiency. Your accuracy could improve greatly.";
      case 2:
        return (weight[1] >= 2
                    ? "Your accuracy percentage was " + degree(accuracy) + "good, but you "
                    : std::string("You ")) +
               "used BackSpace often. You should use BackSpace less often to increase your "
               "typing efficiency.";
      case 3:
        return (weight[1] >= 2
                    ? "Your overall accuracy percentage was " + degree(accuracy) + "good, but you "
                    : std::string("You ")) +
               "seem to find a single character difficult. Revision Wizard can help you.";
      default:
        return (average >= 2 ? "As the other aspects of your typing are now in " +
                                   std::string(average >= 3 ? "very " : "") + "good condition, you "
                             : std::string("You ")) +
               "should now increase your typing speed to reach higher efficiency levels.";
    }
  }
  if (rank[4] < rank[1] && weight[1] >= 2)
    return "Your overall accuracy was " + degree(accuracy) + "good. Great!";
  if (rank[4] >= rank[1] && weight[4] >= 2) return "You typed " + degree(speed) + "fast! Good!";
  return "";
}
