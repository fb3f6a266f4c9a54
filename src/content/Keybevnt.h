// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "content/TxtEvent.h"

class QLabel;
class TFingers;
class TImage;
class TKeyboard;
class TMissedLcd;
class TWordViewCanvas;

// The keyboard drills: the on-screen keyboard with the keys learned so far,
// the hands with the finger to use, a counter of clean repeats and a right
// or wrong picture after each item.
class TCustomKeyboardEvent : public TCustomTypingEvent {
 public:
  TCustomKeyboardEvent();
  ~TCustomKeyboardEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;
  // The shared part: timers, clock, the key drawn down. Subclasses check
  // the key after it unless the step is completed.
  void KeyPress(QObject* sender, unsigned char& key) override;

  void SetCount(int n);
  void SetCountLimit(int n);
  // 0 hides the picture, 1 shows the wrong one, 2 the right one.
  void ShowFeedback(int kind);
  void SetCurrentChar(unsigned char c);

  QPointer<TKeyboard> Keyboard;
  QPointer<TFingers> Fingers;
  QPointer<TMissedLcd> Counter;
  QPointer<TImage> FeedbackPicture;
  std::unique_ptr<QTimer> CounterTimer;
  std::unique_ptr<QTimer> FeedbackTimer;
  unsigned char CurrentChar = 0;
  int Count = 0;
  int CountLimit = 0;
  int Repeats = 0;
  int RepeatLimit = 1;
  bool ErrorInItem = false;
  bool HighlightNext = true;

 protected:
  // A key the drill checks: printable characters and Enter.
  static bool Checked(unsigned char key) { return key == 13 || key >= 32; }
  // The expected key in state 1, the typed one in state 2, and the error
  // sound.
  void ShowWrongKey(unsigned char expected, unsigned char typed);
  void PlaceFingers();

 private:
  std::function<void()> oldReposition_;
};

// New keys, in groups of up to four and a space, one key at a time.
class TNewKeysEvent : public TCustomKeyboardEvent {
 public:
  int HelpTopic() const override { return help::kNewKeys; }
  TNewKeysEvent();
  ~TNewKeysEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;
  void Complete() override;

  std::string Group;
  int Position = 1;  // 1-based in Group
  size_t TextIndex = 0;
  QPointer<QWidget> GroupPicture;
  QPointer<QLabel> FingerLabel;

 private:
  void TakeGroup();
  void ShowKey();
  QPointer<QWidget> panel_;
};

// Single words of the text, each until typed cleanly three times or seven
// times in all.
class TWordEvent : public TCustomKeyboardEvent {
 public:
  int HelpTopic() const override { return help::kWordDrill; }
  TWordEvent();
  ~TWordEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;

  std::string CurrentWordText;
  size_t TextPos = 0;
  QPointer<TWordViewCanvas> WordCanvas;

 private:
  void TakeWord();
  QPointer<QWidget> wordBox_;
  QPointer<QWidget> feedbackBox_;
};

// The event text character by character on the model canvas.
class TKeyboardEvent : public TCustomKeyboardEvent {
 public:
  int HelpTopic() const override { return help::kKeyboardDrill; }
  TKeyboardEvent();
  ~TKeyboardEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;

 protected:
  QRect ModelRect() const override;
};
