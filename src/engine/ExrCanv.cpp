// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ExrCanv.h"

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "platform/QtDraw.h"
#include "platform/QtText.h"

namespace {
// Halves go to the even neighbour.
int RoundEven(double x) { return int(std::lrint(x)); }
}  // namespace

void TWordInfo::Assign(const TWordInfo& other) {
  Text = other.Text;
  LineEnd = other.LineEnd;
  Left = other.Left;
  Line = other.Line;
  Color = other.Color;
  Mark = other.Mark;
}

// ---- TExerciseCanvas --------------------------------------------------

TExerciseCanvas::TExerciseCanvas(QWidget* parent)
    : QWidget(parent), metrics_(paintFont_) {
  resize(200, 200);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(qx::PointFont("Arial", 13, true));
  ApplyFont();
}

TExerciseCanvas::~TExerciseCanvas() = default;

void TExerciseCanvas::ApplyFont() {
  paintFont_ = font();
  metrics_ = QFontMetrics(paintFont_);
  fontHeight_ = paintFont_.pixelSize() > 0 ? paintFont_.pixelSize() : QFontInfo(paintFont_).pixelSize();
  if (TWordInfo* word = Word(CurrentWord)) word->Color = fontColor_;
  update();
}

void TExerciseCanvas::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) ApplyFont();
  QWidget::changeEvent(event);
}

void TExerciseCanvas::SetColor(uint32_t bgr) {
  color_ = bgr;
  update();
}

void TExerciseCanvas::SetFontColor(uint32_t bgr) {
  fontColor_ = bgr;
  ApplyFont();
}

int TExerciseCanvas::TextWidth(std::string_view text) const {
  return text.empty() ? 0 : metrics_.horizontalAdvance(qx::ToQt(std::string(text)));
}

TWordInfo* TExerciseCanvas::Word(int index) const {
  return index >= 0 && index < WordCount() ? Words[size_t(index)].get() : nullptr;
}

TWordInfo* TExerciseCanvas::AddWord(std::string_view text) {
  auto word = std::make_unique<TWordInfo>();
  word->Text = std::string(text.substr(0, TWordInfo::kMaxText));
  word->Left = PenX;
  word->Line = PenLine;
  word->Color = fontColor_;
  Words.push_back(std::move(word));
  return Words.back().get();
}

bool TExerciseCanvas::NewLine() {
  if (LineTop(PenLine + 2) > height() - MarginBottom) return true;
  PenX = MarginLeft;
  ++PenLine;
  return false;
}

void TExerciseCanvas::Clear() {
  Words.clear();
  PenX = MarginLeft;
  PenLine = 1;
  update();
}

std::string TExerciseCanvas::WordAt(int offset) const {
  const TWordInfo* word = Word(CurrentWord + offset);
  return word ? word->Text : std::string();
}

std::string TExerciseCanvas::ExpectedText() const {
  const TWordInfo* word = Word(CurrentWord);
  if (!word) return {};
  if (CursorPos < 0 || word->Text.empty()) return word->Text;
  if (size_t(CursorPos) < word->Text.size()) return word->Text.substr(size_t(CursorPos), 1);
  return word->LineEnd ? "\r" : " ";
}

void TExerciseCanvas::DrawWordAt(int index, int mode) {
  const TWordInfo* word = Word(index);
  if (!word) return;
  update(WordRect(*word, std::max(mode, 1), CursorPos, DrawsCursor(index)));
}

QRect TExerciseCanvas::CurrentRect(int index) const {
  const TWordInfo* word = Word(index);
  return word ? WordRect(*word, 2, CursorPos, DrawsCursor(index)) : QRect();
}

QRect TExerciseCanvas::WordRect(const TWordInfo& word, int mode, int cursorPos,
                                bool withCursor) const {
  if (word.Text.empty()) return {};
  const int h = FontHeight();
  const int y = LineTop(word.Line);
  const int bottom = y + RoundEven(1.2 * h);
  const int textWidth = TextWidth(word.Text);
  const bool atChar = withCursor && cursorPos >= 0;
  // The erase rectangle of the mode.
  int left = word.Left - TextWidth(atChar ? "       " : " ");
  int right = word.Left + (mode == 1 ? textWidth : TextWidth(word.Text + "  "));
  if (word.LineEnd) right += TextWidth("  ");
  // Whatever the decorations and glyph overhangs reach beyond it.
  const QChar last(char16_t(qx::Cp1252ToUnicode(static_cast<unsigned char>(word.Text.back()))));
  right = std::max(right, word.Left + textWidth - std::min(0, metrics_.rightBearing(last)));
  if (atChar && size_t(cursorPos) >= word.Text.size())
    right = std::max(right, word.Left + textWidth - 2 + TextWidth(word.LineEnd ? "\xAB" : "_"));
  if (withCursor && cursorPos < 0) {
    const int boxWidth = TextWidth(word.Text + " ");
    left = std::min(left, word.Left + (textWidth - boxWidth) / 2);
    right = std::max(right, word.Left + (textWidth - boxWidth) / 2 + boxWidth);
  }
  return QRect(QPoint(left, y), QPoint(right - 1, bottom - 1));
}

void TExerciseCanvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect dirty = event->rect();
  painter.fillRect(dirty, qx::ToQColor(color_));
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int band = 2 * FontHeight();
  for (int i = 0; i < WordCount(); ++i) {
    const TWordInfo& word = *Words[size_t(i)];
    // Scrolled-out words stay listed until the next scroll but are not shown.
    if (word.Text.empty() || word.Line < 1) continue;
    const int y = LineTop(word.Line);
    if (y > dirty.bottom() || y + band < dirty.top()) continue;
    const bool withCursor = DrawsCursor(i);
    if (!WordRect(word, 2, CursorPos, withCursor).intersects(dirty)) continue;
    DrawWord(painter, word, CursorPos, withCursor);
  }
  PaintOverlay(painter);
}

void TExerciseCanvas::DrawWord(QPainter& painter, const TWordInfo& word, int cursorPos,
                               bool withCursor) const {
  const int h = FontHeight();
  const int y = LineTop(word.Line);
  const int baseline = y + metrics_.ascent();
  const int textWidth = TextWidth(word.Text);
  painter.setFont(paintFont_);

  if (withCursor && cursorPos >= 0) {
    const size_t pos = std::min(size_t(cursorPos), word.Text.size());
    const int x1 = word.Left + TextWidth(std::string_view(word.Text).substr(0, pos));
    const int tipX = x1 - 2;
    const int baseX = tipX - RoundEven(0.4 * h);
    const int top = y + RoundEven(0.1 * h);
    const int bottom = y + RoundEven(0.9 * h);
    painter.fillRect(QRect(QPoint(baseX, top), QPoint(tipX, bottom)), qx::ToQColor(color_));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(qx::ToQColor(CursorMarkColor));
    painter.drawPolygon(QPolygon({QPoint(tipX, y + RoundEven(0.5 * h)), QPoint(baseX, top),
                                  QPoint(baseX, bottom)}));
    painter.restore();
    // The letters already typed stay, greyed, or the word would shrink as
    // the student types it.
    if (pos > 0) {
      painter.setPen(qx::ToQColor(DoneColor));
      painter.drawText(word.Left, baseline, qx::ToQt(word.Text.substr(0, pos)));
    }
    painter.setPen(qx::ToQColor(CursorTextColor));
    if (pos < word.Text.size()) {
      QFont underlined = paintFont_;
      underlined.setUnderline(true);
      painter.setFont(underlined);
      painter.drawText(x1, baseline, qx::ToQt(word.Text.substr(pos, 1)));
      painter.setFont(paintFont_);
      painter.setPen(qx::ToQColor(TextColor));
      painter.drawText(word.Left + TextWidth(std::string_view(word.Text).substr(0, pos + 1)),
                       baseline, qx::ToQt(word.Text.substr(pos + 1)));
    } else {
      painter.drawText(x1 - 2, baseline, qx::ToQt(word.LineEnd ? "\xAB" : "_"));
    }
  } else if (withCursor) {
    const int boxWidth = TextWidth(word.Text + " ");
    const int band = RoundEven(1.2 * h);
    painter.fillRect(word.Left + (textWidth - boxWidth) / 2, y + (band - h) / 2, boxWidth, h,
                     qx::ToQColor(HighlightColor));
    painter.setPen(qx::ToQColor(CursorTextColor));
    painter.drawText(word.Left, baseline, qx::ToQt(word.Text));
  }

  if (word.Mark == 1 || word.Mark == 2) {
    QPen pen(qx::ToQColor(UnderlineColor), 0);
    if (word.Mark == 2) pen.setDashPattern({2, 2});
    painter.setPen(pen);
    const int right = word.Left + textWidth - 1;
    painter.drawLine(word.Left, y + h, right, y + h);
    painter.drawLine(word.Left, y + h + 1, right, y + h + 1);
  }

  if (!withCursor && word.Color != kWhite) {
    painter.setPen(qx::ToQColor(word.Color));
    painter.drawText(word.Left, baseline, qx::ToQt(word.Text));
  }
}
