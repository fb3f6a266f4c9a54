// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One positioned word on an exercise canvas.
struct TWordInfo {
  static constexpr size_t kMaxText = 70;

  std::string Text;
  bool LineEnd = false;  // an Enter is expected after it (model canvases)
  int Left = 0;
  int Line = 1;          // 1-based; 0 or less is scrolled out above the top
  uint32_t Color = 0;    // 0x00BBGGRR; white words are erased, never drawn
  uint8_t Mark = 0;      // underline: 0 none, 1 solid, 2 dotted
  int TextOffset = 0;    // where its reading began in the model text

  // Copies everything but TextOffset.
  void Assign(const TWordInfo& other);
};

constexpr uint32_t kWhite = 0xFFFFFF;

// The shared base of the canvases: a list of positioned words painted in
// lines of pitch H + 2, with an error underline and a cursor decoration.
// Painting is incremental: operations change the words and invalidate only
// the rectangles those words cover.
class TExerciseCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit TExerciseCanvas(QWidget* parent = nullptr);
  ~TExerciseCanvas() override;

  // The paint font becomes the widget's font (called on every font change);
  // the current word takes the font colour.
  virtual void ApplyFont();
  // True when the canvas is full and nothing moved.
  virtual bool NewLine();
  // A word at the pen; the pen does not move.
  virtual TWordInfo* AddWord(std::string_view text);
  virtual void Clear();

  int LineTop(int line) const { return (FontHeight() + 2) * (line - 1) + MarginTop; }
  int FontHeight() const { return fontHeight_; }
  int TextWidth(std::string_view text) const;
  bool PastRightEdge(int x) const { return x > width() - MarginRight; }

  std::string WordAt(int offset) const;
  std::string ExpectedText() const;
  // Repaints one word; mode 0 over what is there, 1 erasing the word first,
  // 2 erasing it and two spaces more.
  void DrawWordAt(int index, int mode);

  int WordCount() const { return int(Words.size()); }
  TWordInfo* Word(int index) const;

  // Background colour, 0x00BBGGRR.
  void SetColor(uint32_t bgr);
  uint32_t Color() const { return color_; }
  // The colour new words get, as the font colour of the control.
  void SetFontColor(uint32_t bgr);
  uint32_t FontColor() const { return fontColor_; }
  const QFont& CanvasFont() const { return paintFont_; }

  std::vector<std::unique_ptr<TWordInfo>> Words;
  int CurrentWord = 0;
  bool ShowCursor = false;
  int CursorPos = 0;  // -1: the whole word is the cursor
  int PenX = 3;
  int PenLine = 1;
  int MarginTop = 2;
  int MarginBottom = 2;
  int MarginRight = 3;
  int MarginLeft = 3;
  uint32_t CursorTextColor = 0x000080;
  uint32_t TextColor = 0x000000;
  uint32_t HighlightColor = 0x80FFFF;
  uint32_t DoneColor = 0x808080;
  uint32_t CursorMarkColor = 0xC0DCC0;
  uint32_t UnderlineColor = 0x000080;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  // What the canvas paints above the words (the typing canvas's caret).
  virtual void PaintOverlay(QPainter& painter) {}

  // The area a word covers when drawn in a mode, decorations included.
  QRect WordRect(const TWordInfo& word, int mode, int cursorPos, bool withCursor) const;
  // Its area as it is drawn now, in mode 2.
  QRect CurrentRect(int index) const;
  void InvalidateWord(int index) { update(CurrentRect(index)); }
  bool DrawsCursor(int index) const { return ShowCursor && index == CurrentWord; }

 private:
  void DrawWord(QPainter& painter, const TWordInfo& word, int cursorPos, bool withCursor) const;

  QFont paintFont_;
  QFontMetrics metrics_;
  int fontHeight_ = 17;
  uint32_t color_ = kWhite;
  uint32_t fontColor_ = 0x000000;
};

// The lower canvas of a typing exercise: the student's keystrokes appear
// here word by word, with a blinking caret, word wrap and scrolling. It
// takes no keys itself; the typing event feeds it.
class TTypingCanvas : public TExerciseCanvas {
  Q_OBJECT
 public:
  explicit TTypingCanvas(QWidget* parent = nullptr);

  bool NewLine() override;
  TWordInfo* AddWord(std::string_view text) override;
  void Clear() override;

  void TypeChar(unsigned char c);
  void DeleteChar();
  // kind 0 Space, 1 Enter, 2 a wide gap; mark as the word matching gives.
  void FinishWord(int kind, int mark);
  std::string TypedText() const { return ExpectedText(); }
  bool CaretShown() const { return caretExists_; }

  TWordInfo* TypedWord = nullptr;  // always the last of Words
  int CaretX = 3;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void PaintOverlay(QPainter& painter) override;

 private:
  void Redraw(int mode);
  QRect CaretRect() const;
  void PlaceCaret();

  TWordInfo shadow_;  // the typed word as last painted
  QTimer blink_;
  bool caretExists_ = false;
  bool caretOn_ = false;
  QRect caretRect_;
};
