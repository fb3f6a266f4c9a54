// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QPainter>

#include "engine/ExrCanv.h"
#include "platform/QtDraw.h"

TTypingCanvas::TTypingCanvas(QWidget* parent) : TExerciseCanvas(parent) {
  setFocusPolicy(Qt::StrongFocus);
  // Without it the input method leaves dead keys uncomposed: a dead key and
  // a letter would arrive as the bare letter.
  setAttribute(Qt::WA_InputMethodEnabled);
  CurrentWord = 0;
  CursorPos = -1;
  CaretX = PenX;
  AddWord("");
  connect(&blink_, &QTimer::timeout, this, [this] {
    caretOn_ = !caretOn_;
    update(caretRect_);
  });
}

TWordInfo* TTypingCanvas::AddWord(std::string_view text) {
  TypedWord = TExerciseCanvas::AddWord(text);
  // Nothing of the new word is on screen yet, so nothing needs erasing.
  shadow_.Assign(*TypedWord);
  return TypedWord;
}

void TTypingCanvas::Clear() {
  TExerciseCanvas::Clear();
  CurrentWord = 0;
  AddWord("");
  CaretX = PenX;
  PlaceCaret();
}

bool TTypingCanvas::NewLine() {
  if (!TExerciseCanvas::NewLine()) {
    Redraw(2);
    return false;
  }
  // Full: every line moves up one. The line that leaves the top keeps its
  // words until the next scroll drops them.
  std::vector<std::unique_ptr<TWordInfo>> kept;
  kept.reserve(Words.size());
  for (auto& word : Words) {
    if (word->Line < 1) {
      --CurrentWord;
      continue;
    }
    --word->Line;
    kept.push_back(std::move(word));
  }
  Words = std::move(kept);
  PenX = MarginLeft;
  Redraw(2);
  update();
  return true;
}

void TTypingCanvas::TypeChar(unsigned char c) {
  if (c < 33) return;
  const std::string ch(1, char(c));
  if (PastRightEdge(CaretX + TextWidth(ch))) {
    // A word of up to 0.7 of the line moves whole; a longer one is broken.
    const int lineWidth = width() - MarginLeft - MarginRight;
    if (10 * TextWidth(TypedWord->Text) <= 7 * lineWidth)
      NewLine();
    else
      FinishWord(1, 0);
  }
  if (TypedWord->Text.size() < TWordInfo::kMaxText) TypedWord->Text += ch;
  Redraw(0);
}

void TTypingCanvas::DeleteChar() {
  if (TypedWord->Text.empty()) return;
  TypedWord->Text.pop_back();
  Redraw(2);
}

void TTypingCanvas::FinishWord(int kind, int mark) {
  TypedWord->Mark = uint8_t(mark);
  Redraw(2);
  AddWord("");
  if (kind == 0)
    CaretX += TextWidth(" ");
  else if (kind == 2)
    CaretX += TextWidth("     ");
  if (kind == 1 || PastRightEdge(PenX)) NewLine();
  PenX = CaretX;
  CurrentWord = WordCount() - 1;
  PlaceCaret();
}

void TTypingCanvas::Redraw(int mode) {
  if (mode > 0) update(WordRect(shadow_, mode, -1, false));
  TypedWord->Left = PenX;
  TypedWord->Line = PenLine;
  CaretX = PenX + TextWidth(TypedWord->Text);
  update(WordRect(*TypedWord, 2, CursorPos, DrawsCursor(WordCount() - 1)));
  shadow_.Assign(*TypedWord);
  PlaceCaret();
}

QRect TTypingCanvas::CaretRect() const {
  return QRect(CaretX + 1, LineTop(PenLine), 2, FontHeight());
}

void TTypingCanvas::PlaceCaret() {
  const QRect rect = CaretRect();
  if (!caretExists_) {
    caretRect_ = rect;
    return;
  }
  // A moving caret stays lit, as a system caret does while one types.
  if (rect != caretRect_) update(caretRect_);
  caretRect_ = rect;
  caretOn_ = true;
  update(caretRect_);
  if (blink_.isActive()) blink_.start();
}

void TTypingCanvas::focusInEvent(QFocusEvent* event) {
  caretExists_ = true;
  caretRect_ = QRect();
  PlaceCaret();
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0) blink_.start(flash / 2);
  TExerciseCanvas::focusInEvent(event);
}

void TTypingCanvas::focusOutEvent(QFocusEvent* event) {
  caretExists_ = false;
  blink_.stop();
  update(caretRect_);
  TExerciseCanvas::focusOutEvent(event);
}

void TTypingCanvas::PaintOverlay(QPainter& painter) {
  if (caretExists_ && caretOn_) painter.fillRect(caretRect_, qx::ToQColor(FontColor()));
}
