// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "content/Event.h"

class TWordViewCanvas;

// The base of the games: points in place of the speed graph, "Game over."
// at the end, and the score into a shared top-ten table.
class TCustomGameEvent : public TTimedEvent {
 public:
  TCustomGameEvent();
  ~TCustomGameEvent() override;

  void Show() override;
  void Hide() override;
  void Complete() override;
  void SetScore(int value);

  int Score = 0;
  int Reserved = 0;

 protected:
  // Enters Score under the student's name and makes the top-ten page the
  // left page of the chapter page.
  void EnterTopTen(const std::string& table);
};

// ZaroZira's game states.
constexpr int kZaroNextWord = 10022;
constexpr int kZaroRunning = 10023;
constexpr int kZaroColumnFull = 10024;
constexpr int kZaroRows = 10;
constexpr int kZaroLandedLimit = 6;

// Level after a word: lastRow is where it was completed, 11 when it landed.
float ZaroLevelAfter(float level, int lastRow, int landed);
// Milliseconds per row for a word of n characters at a level.
int ZaroFallInterval(float level, int n);

// Words fall down a column of ten rows and are typed in the bar below;
// six landed words end the game.
class TZaroZiraEvent : public TCustomGameEvent {
 public:
  int HelpTopic() const override { return help::kZaroZira; }
  TZaroZiraEvent();
  ~TZaroZiraEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;
  void TimeUp() override;
  void Pause() override;
  void Complete() override;
  void Start() override;

  // One step of the falling word (the timer's tick).
  void FallStep();

  std::string VocabularyName;
  std::vector<std::string> Words;
  std::array<std::string, kZaroRows + 1> Rows;  // 1-based
  std::vector<std::string> Landed;
  uint32_t RowColor = 0xFFFFFF;
  int WordIndex = 0;
  int FallRow = 0;
  bool GameOver = false;
  int GameState = kZaroRunning;
  int CharPos = 1;
  bool Started = false;
  int LastRow = 0;
  float SpeedLevel = 1.0f;
  QPointer<TWordViewCanvas> Bar;
  // Words handed in by the review builder; they replace the file.
  std::vector<std::string> Vocabulary;
  std::unique_ptr<QTimer> ZaroZiraTimer;

 private:
  const std::string& FallingWord() const;
  // What the game loop does between events: the next word, or the end.
  void RunState();
  void NextWord();
  void UpdateLevel();
  void EndGame();
  void DrawRows();
  void DrawRow(int row);
  bool LoadWords();

  bool ended_ = false;
  // What each row picture shows now, so that only changed rows repaint.
  std::array<std::string, kZaroRows + 1> drawn_;
};
