// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "shell/Formview.h"

class QTimer;
class QWidget;
class TImage;
class TViewCanvas;

// Event states.
constexpr int kStateReady = 0;
constexpr int kStateRunning = 1;
constexpr int kStatePaused = 2;
constexpr int kStateCompleted = 3;

// Result codes of an event.
constexpr int kResultClosed = 0;
constexpr int kResultCancelled = 2;
constexpr int kResultNext = 3;
constexpr int kResultCancelledAfterDone = 4;

// Minutes a step of this many days credits to the student's study time:
// a step of an hour or more counts as 60, and a minute started more than
// 45 seconds ago counts whole.
int CreditedMinutes(double elapsedDays);

// One step of an exercise, shown on the book's wide page. It is created
// empty, filled by CreateFromDescriptor, run once and freed.
class TEvent : public TFormView {
 public:
  int HelpTopic() const override { return help::kStep; }
  TEvent();
  ~TEvent() override;

  // Subclasses read their own fields and create their controls, calling
  // this first.
  virtual void CreateFromDescriptor(const std::string& descriptor);
  // The loader's time limit (clock units) and key level; timed events and
  // the review builder keep what they need.
  virtual void TakeLimits(int seconds, int newKeysLevel) {}
  virtual int Run();
  virtual void ButtonClick(QObject* sender);
  // Asks before a step under way is left; sets veto to keep it.
  virtual void CloseQuery(bool& veto);

  bool Prepare() override;
  void Show() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;
  void Close(bool& veto) override;

  // 1 or 2 go on (with a text or none), 3 goes back, anything else leaves.
  int LoadText(const std::string& parameter);
  // Descriptor field n, counted from 1; empty when there is none.
  std::string Field(size_t n) const;

  int TextStart = 0;
  double StartTime = 0;
  std::string EventText;
  std::vector<std::string> DescriptorFields;
  bool AskedForText = false;
  int State = kStateReady;
  std::string KnownKeys;
  bool AllowCancel = true;

 protected:
  // The story chooser's pick read into EventText; LoadText's result.
  int AskForText(const std::string& mask);
  // The wide page of the book; none without a book window.
  static QWidget* Page();
  // A control the event owns, kept hidden on the wide page between uses.
  template <class T>
  T* MakeControl() {
    auto* control = new T(Page());
    control->hide();
    return control;
  }
  // Routes a click of a book or console image to ButtonClick for as long
  // as this event lives.
  void ConnectButton(TImage* button);

 private:
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A step with the exercise clock: counts up, or down from a time limit,
// can be paused, and completes when the time is up.
class TTimedEvent : public TEvent {
 public:
  TTimedEvent();
  ~TTimedEvent() override;

  void TakeLimits(int seconds, int newKeysLevel) override { TimeLimit = seconds; }
  int Run() override;
  void Show() override;
  void Hide() override;
  void ButtonClick(QObject* sender) override;
  void CloseQuery(bool& veto) override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  virtual void TimeUp() {}
  virtual void Pause();
  virtual void Complete();
  virtual void Start();
  void Tick();
  bool Timed() const { return TimeLimit > 0; }

  int TimeLimit = 0;  // clock units; 0 counts up
  double ClockStart = 0;
  double PauseStart = 0;
  int LastShown = -1;
  std::unique_ptr<QTimer> Timer;

 protected:
  // The event message over the page, two lines.
  static void ShowMessage(const char* line1, const char* line2, int left, int top);
};

// A page of text with a title and an optional picture.
class TMessageEvent : public TEvent {
 public:
  int HelpTopic() const override { return help::kMessage; }
  TMessageEvent();
  ~TMessageEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  bool Prepare() override;
  void Show() override;
  void Hide() override;

  bool PictureLeft = false;
  QPointer<TViewCanvas> MessageCanvas;
  QPointer<TImage> MessagePicture;
};
