// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QRect>
#include <string>

#include "content/Event.h"

class TNervoGraph;
class TTypingCanvas;
class TViewCanvas;

// The base of the typing steps: the model text at the top of the page,
// shown from TextStart.
class TCustomTypingEvent : public TTimedEvent {
 public:
  TCustomTypingEvent();
  ~TCustomTypingEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;

  QPointer<TViewCanvas> ModelCanvas;

 protected:
  // Where the model text lies on the wide page.
  virtual QRect ModelRect() const { return QRect(50, 20, 500, 250); }
  // The model text's sheet follows the canvas.
  void PlaceSheet();
  void HideSheet();

 private:
  class SheetFrame;
  QPointer<QWidget> frame_;
};

class TCustomTextEvent : public TCustomTypingEvent {};

// The text exercise: the student copies the model text into the typing
// screen while every key and word is measured.
class TTextEvent : public TCustomTextEvent {
 public:
  int HelpTopic() const override { return help::kText; }
  TTextEvent();
  ~TTextEvent() override;

  void CreateFromDescriptor(const std::string& descriptor) override;
  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;
  void ButtonClick(QObject* sender) override;
  void Pause() override;
  void Complete() override;
  void Start() override;

  int WordsTyped = 0;
  int LostCount = 0;
  bool HighlightWord = false;
  double LastKeyTime = 0;
  QPointer<TTypingCanvas> TypingCanvas;
  QPointer<TNervoGraph> NervoGraph;

 private:
  void WordEnd(bool enter);
  // Scores into the information page, or the short-time note.
  void ReportResults();
};
