// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Viewcanv.h"

#include <QEvent>

#include "storage/ToolBox.h"

// ---- TViewCanvas ------------------------------------------------------

TViewCanvas::TViewCanvas(QWidget* parent) : TExerciseCanvas(parent) { SetMode(0); }

void TViewCanvas::changeEvent(QEvent* event) {
  TExerciseCanvas::changeEvent(event);
  // Word widths and the room for the cursor mark follow the font.
  if (event->type() == QEvent::FontChange) {
    ApplyMode(mode_);
    LayOut();
  }
}

void TViewCanvas::SetText(std::string_view text, int startOffset) {
  text_.assign(text);
  hasText_ = !text_.empty();
  PageStart = startOffset < 0 || size_t(startOffset) > text_.size() ? 0 : startOffset;
  NextStart = PageStart;
  LayOut();
}

void TViewCanvas::SetMode(int mode) {
  CursorShownForPage = false;
  ApplyMode(mode);
  LayOut();
}

void TViewCanvas::ApplyMode(int mode) {
  mode_ = mode;
  if (mode == 1) {
    ShowCursor = true;
    CursorPos = -1;
    MarginLeft = 3;
  } else if (mode == 0) {
    ShowCursor = true;
    CursorPos = 0;
    MarginLeft = FontHeight() + 3;  // room for the cursor triangle
  } else {
    ShowCursor = false;
    MarginLeft = 3;
  }
}

void TViewCanvas::LayOut() {
  Clear();
  if (!hasText_) return;
  CurrentWord = 0;
  CursorPos = mode_ == 1 ? -1 : 0;
  const int spaceWidth = TextWidth(" ");
  const int gapWidth = TextWidth("WW");
  size_t pos = size_t(NextStart);
  TWordInfo* previous = nullptr;
  std::string token;
  for (;;) {
    const size_t start = pos;
    pos = GetToken(text_, pos, token);
    if (token == "\r") {
      if (!previous) continue;  // empty lines at the top of a page
      previous->LineEnd = true;
      if (NewLine()) break;
      continue;
    }
    if (token.empty()) {
      if (previous) previous->LineEnd = true;
      break;
    }
    if (token.size() > TWordInfo::kMaxText) token.resize(TWordInfo::kMaxText);
    const int wordWidth = TextWidth(token);
    // A word too wide for any line stays on the line it starts; moving it
    // would only leave an empty line behind.
    if (previous && PenX > MarginLeft && PastRightEdge(PenX + wordWidth + gapWidth)) {
      previous->LineEnd = true;
      if (NewLine()) {
        pos = start;  // this word opens the next page
        break;
      }
    }
    previous = AddWord(token);
    previous->TextOffset = int(start);
    PenX += wordWidth + spaceWidth;
  }
  PageEnd = int(pos);
  if (mode_ == 2) ShowWordCursor();
  update();
}

void TViewCanvas::ShowWordCursor() {
  if (mode_ != 2) return;
  // Modes 1 and 2 share their margins, so the page stays as it is and the
  // student keeps the place.
  CursorShownForPage = true;
  ApplyMode(1);
  InvalidateWord(CurrentWord);
}

void TViewCanvas::NextPage() {
  NextStart = PageEnd;
  LayOut();
}

void TViewCanvas::Advance() {
  TWordInfo* word = Word(CurrentWord);
  if (!word) return;
  if (CursorShownForPage) {
    // The cursor shown for a page start or a lost student goes again.
    InvalidateWord(CurrentWord);
    CursorShownForPage = false;
    ApplyMode(2);
    CursorPos = 0;
  }
  InvalidateWord(CurrentWord);
  if (mode_ == 0) {
    if (size_t(CursorPos) < word->Text.size()) {
      ++CursorPos;  // up to the place after the word: its space or Enter
      InvalidateWord(CurrentWord);
      return;
    }
    word->Color = kWhite;
    ++CurrentWord;
    CursorPos = 0;
    if (!Word(CurrentWord))
      NextPage();
    else
      InvalidateWord(CurrentWord);
    return;
  }
  if (mode_ == 1) word->Color = DoneColor;
  const bool endedLine = word->LineEnd;
  ++CurrentWord;
  if (!Word(CurrentWord))
    NextPage();
  else
    InvalidateWord(CurrentWord);
  if (endedLine) {
    const TWordInfo* next = Word(CurrentWord);
    PageStart = next ? next->TextOffset : 0;
  }
}

// ---- TWordViewCanvas --------------------------------------------------

TWordViewCanvas::TWordViewCanvas(QWidget* parent) : TExerciseCanvas(parent) {
  MarginLeft = FontHeight() + 3;
  MarginTop = 5;
  CursorMarkColor = 0x008000;
  PenX = MarginLeft;
  TheWord = AddWord("");
  ShowCursor = true;
}

void TWordViewCanvas::changeEvent(QEvent* event) {
  TExerciseCanvas::changeEvent(event);
  if (event->type() == QEvent::FontChange && TheWord) {
    MarginLeft = FontHeight() + 3;
    PenX = MarginLeft;
    TheWord->Left = MarginLeft;
  }
}

void TWordViewCanvas::Clear() {
  TExerciseCanvas::Clear();
  PenX = MarginLeft;
  CurrentWord = 0;
  TheWord = AddWord("");
}

void TWordViewCanvas::SetWord(std::string_view word) {
  TheWord->Text = std::string(word.substr(0, TWordInfo::kMaxText));
  TheWord->Color = 0x000080;
  CurrentWord = 0;
  CursorPos = 0;
  update();
}

void TWordViewCanvas::Advance() {
  if (CurrentWord != 0) return;  // already finished
  const int last = int(TheWord->Text.size()) - (ExpectSpace ? 0 : 1);
  if (CursorPos < last) {
    InvalidateWord(0);
    ++CursorPos;
    InvalidateWord(0);
    return;
  }
  // Past the only word: nothing more is expected.
  CurrentWord = 1;
  TheWord->Mark = 0;
  TheWord->Color = TextColor;
  update();
}
