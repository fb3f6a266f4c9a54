// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "review/GamEvent.h"

class QPainter;
class TMissedLcd;

// One bubble of the Bubbles game: a letter bubble of a column, or a small
// letterless air bubble.
class Tbubble {
 public:
  // Starts at the bottom of an area of the given height.
  void Launch(int step, int areaHeight);
  void Move(double factor);
  void Deactivate();
  // What the bubble covers in any wobble phase.
  QRect Bounds() const { return QRect(X - 1, Y - 2, Size + 4, Size + 5); }

  int Step = 0;
  unsigned char Letter = 0;
  bool Alive = false;
  int Direction = 1;
  int Phase = 0;
  bool IsAir = false;
  int Size = 40;
  int BubbleKind = 1;
  int X = 0;
  int Y = 0;
  int Rise = 0;
};

constexpr int kBubbleColumns = 10;
constexpr int kBubbleMissLimit = 6;
constexpr int kBubbleScoreCap = 31999;
constexpr const char* kBubbleDefaultKeys = "qwertyuiopasdfghjklzxcvbnm";

// Letters rise in bubbles; typing a letter bursts every bubble that shows
// it; the sixth escaped letter ends the game.
class TBubbles : public TCustomGameEvent {
 public:
  int HelpTopic() const override { return help::kBubbles; }
  TBubbles();
  ~TBubbles() override;

  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;
  void Pause() override;
  void Complete() override;
  void Start() override;

  // One beat of the game (the timer's tick).
  void BubbleTick();
  // Puts a letter on column p's bubble.
  void ChooseLetter(int p);
  void UpdateLevel(int height);
  int AreaHeight() const;
  int AreaWidth() const;

  int RingPos = 0;
  int RingCount = 0;
  std::array<int, 5> Ring{};  // 1-based
  int RingSum = 0;
  int RingAverage = 0;
  float GameLevel = 1.0f;
  QPointer<TMissedLcd> MissedDisplay;
  QImage Buffer;
  int Missed = 0;
  int ColumnCount = kBubbleColumns;
  std::vector<std::unique_ptr<Tbubble>> Columns;
  std::string ColumnLetters;
  std::string Keys;
  bool WrongKey = false;
  int TickInterval = 100;
  int PointsDivisor = 4;
  float LaunchInterval = 2.0f;
  double LastLaunch = 0;
  std::vector<std::unique_ptr<Tbubble>> AirBubbles;
  float AirInterval = 0.8f;
  double LastAir = 0;
  double StartTime = 0;
  std::unique_ptr<QTimer> BubbleTimer;

 private:
  void Launch(int p);
  void Paint(const QRegion& dirty);
  void DrawBubble(QPainter& p, const Tbubble& bubble) const;
  bool started_ = false;
};
