// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "engine/ExrCanv.h"

// The model text of an exercise, page by page, with a cursor on the word
// or character to type. Modes: 0 character cursor, 1 word cursor, 2 word
// cursor only at page starts and when the student is lost, 3 no cursor.
class TViewCanvas : public TExerciseCanvas {
  Q_OBJECT
 public:
  explicit TViewCanvas(QWidget* parent = nullptr);

  // An empty text leaves the canvas empty. A start beyond the text is 0.
  void SetText(std::string_view text, int startOffset = 0);
  bool HasText() const { return hasText_; }
  const std::string& Text() const { return text_; }

  void SetMode(int mode);
  int Mode() const { return mode_; }
  void Advance();
  void ShowWordCursor();
  void NextPage();

  int PageStart = 0;  // first word of the line being typed; where to continue
  int NextStart = 0;  // where this page begins
  int PageEnd = 0;    // where the next page begins
  bool CursorShownForPage = false;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void LayOut();
  // The cursor fields of a mode, without laying the page out again.
  void ApplyMode(int mode);

  std::string text_;
  bool hasText_ = false;
  int mode_ = 0;
};

// One word with a character cursor, for the word drill.
class TWordViewCanvas : public TExerciseCanvas {
  Q_OBJECT
 public:
  explicit TWordViewCanvas(QWidget* parent = nullptr);

  void SetWord(std::string_view word);
  void Advance();
  void Clear() override;

  TWordInfo* TheWord = nullptr;
  bool ExpectSpace = false;  // a space must follow the last letter

 protected:
  void changeEvent(QEvent* event) override;
};
