// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <string>
#include <vector>

#include "engine/ExrCanv.h"
#include "engine/Viewcanv.h"
#include "platform/QtDraw.h"

namespace {

void TypeWord(TTypingCanvas& canvas, const std::string& word) {
  for (char c : word) canvas.TypeChar(static_cast<unsigned char>(c));
}

// Records the areas a widget is asked to paint.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

QRgb PixelAt(QWidget& widget, int x, int y) {
  return widget.grab().toImage().pixel(x, y) & 0xFFFFFF;
}

}  // namespace

TEST(TypingCanvas, KeepsOnlyWhatCanBeShownInTheTypedWord) {
  TTypingCanvas canvas;
  canvas.resize(2000, 100);
  canvas.DeleteChar();  // nothing to delete: nothing happens
  canvas.TypeChar(' ');
  canvas.TypeChar('\t');
  EXPECT_EQ(canvas.TypedText(), "");
  EXPECT_EQ(canvas.WordCount(), 1);
  EXPECT_EQ(canvas.CaretX, canvas.MarginLeft);

  TypeWord(canvas, std::string(75, 'x'));
  EXPECT_EQ(canvas.TypedText(), std::string(70, 'x'));
  canvas.DeleteChar();
  EXPECT_EQ(canvas.TypedText(), std::string(69, 'x'));
  EXPECT_EQ(canvas.CaretX, canvas.MarginLeft + canvas.TextWidth(std::string(69, 'x')));
}

TEST(TypingCanvas, FinishedWordsKeepTheirMarksAndThePenMovesOn) {
  TTypingCanvas canvas;
  canvas.resize(600, 200);
  const int space = canvas.TextWidth(" ");
  TypeWord(canvas, "one");
  canvas.FinishWord(0, 1);
  TypeWord(canvas, "two");
  canvas.FinishWord(2, 2);
  TypeWord(canvas, "three");
  canvas.FinishWord(1, 0);

  ASSERT_EQ(canvas.WordCount(), 4);
  const TWordInfo& one = *canvas.Word(0);
  const TWordInfo& two = *canvas.Word(1);
  const TWordInfo& three = *canvas.Word(2);
  EXPECT_EQ(one.Mark, 1);
  EXPECT_EQ(two.Mark, 2);
  EXPECT_EQ(two.Left, one.Left + canvas.TextWidth("one") + space);
  EXPECT_EQ(three.Left, two.Left + canvas.TextWidth("two") + canvas.TextWidth("     "));
  EXPECT_EQ(three.Line, 1);
  // Enter: the next word starts a new line.
  EXPECT_EQ(canvas.PenLine, 2);
  EXPECT_EQ(canvas.PenX, canvas.MarginLeft);
  EXPECT_EQ(canvas.CurrentWord, 3);
  EXPECT_EQ(canvas.TypedWord, canvas.Word(3));
}

// A word up to 0.7 of the line moves whole to the next line when it reaches
// the edge; one pixel wider and it is broken there.
TEST(TypingCanvas, WrapsAWordWholeUpToSevenTenthsOfTheLine) {
  struct Case {
    int excess;  // the word's width minus 0.7 of the line
    bool movesWhole;
  };
  for (const Case& c : {Case{0, true}, Case{1, false}}) {
    SCOPED_TRACE(c.excess);
    TTypingCanvas canvas;
    // A run of "n" whose width leaves the wanted remainder against 7, so
    // that 0.7 of the line is a whole pixel count.
    std::string word;
    for (int n = 1; n < 60 && word.empty(); ++n) {
      const std::string run(size_t(n), 'n');
      const int w = canvas.TextWidth(run);
      if (w > 40 && (w - c.excess) % 7 == 0) word = run;
    }
    ASSERT_FALSE(word.empty());
    const int wordWidth = canvas.TextWidth(word);
    const int lineWidth = (wordWidth - c.excess) * 10 / 7;
    canvas.resize(lineWidth + canvas.MarginLeft + canvas.MarginRight, 200);
    const int edge = canvas.width() - canvas.MarginRight;
    const int next = canvas.TextWidth("n");

    // Fillers bring the pen to where the word just fits and one more
    // letter does not.
    const int lowest = edge - wordWidth - next + 1;
    const int highest = edge - wordWidth;
    const int fillerStep = canvas.TextWidth("i") + canvas.TextWidth(" ");
    while (canvas.PenX + fillerStep <= highest && canvas.PenX < lowest) {
      canvas.TypeChar('i');
      canvas.FinishWord(0, 0);
    }
    ASSERT_GE(canvas.PenX, lowest);
    ASSERT_LE(canvas.PenX, highest);
    const int fillers = canvas.WordCount() - 1;
    TypeWord(canvas, word);
    ASSERT_EQ(canvas.TypedWord->Line, 1);

    canvas.TypeChar('n');
    if (c.movesWhole) {
      EXPECT_EQ(canvas.WordCount(), fillers + 1);
      EXPECT_EQ(canvas.TypedText(), word + "n");
    } else {
      ASSERT_EQ(canvas.WordCount(), fillers + 2);
      EXPECT_EQ(canvas.Word(fillers)->Text, word);
      EXPECT_EQ(canvas.Word(fillers)->Line, 1);
      EXPECT_EQ(canvas.Word(fillers)->Mark, 0);
      EXPECT_EQ(canvas.TypedText(), "n");
    }
    EXPECT_EQ(canvas.TypedWord->Line, 2);
    EXPECT_EQ(canvas.TypedWord->Left, canvas.MarginLeft);
    EXPECT_EQ(canvas.CaretX, canvas.MarginLeft + canvas.TextWidth(canvas.TypedText()));
  }
}

TEST(TypingCanvas, EnterOnAFullCanvasScrollsEveryLineAndDropsTheLeaverLater) {
  TTypingCanvas canvas;
  // Room for three lines: the fourth would end below the bottom margin.
  const int pitch = canvas.FontHeight() + 2;
  canvas.resize(300, canvas.LineTop(5) + canvas.MarginBottom - 1);
  for (const char* word : {"one", "two", "three"}) {
    TypeWord(canvas, word);
    canvas.FinishWord(1, 0);
  }
  // Lines 1 to 3 were filled; the third Enter scrolled.
  EXPECT_EQ(canvas.PenLine, 3);
  ASSERT_EQ(canvas.WordCount(), 4);
  EXPECT_EQ(canvas.Word(0)->Line, 0);
  EXPECT_EQ(canvas.Word(1)->Line, 1);
  EXPECT_EQ(canvas.Word(2)->Line, 2);
  EXPECT_EQ(canvas.TypedWord->Line, 3);
  EXPECT_EQ(canvas.LineTop(3), canvas.LineTop(1) + 2 * pitch);

  TypeWord(canvas, "four");
  canvas.FinishWord(1, 0);
  // The word that left the top is freed at the following scroll.
  ASSERT_EQ(canvas.WordCount(), 4);
  EXPECT_EQ(canvas.Word(0)->Text, "two");
  EXPECT_EQ(canvas.Word(0)->Line, 0);
  EXPECT_EQ(canvas.Word(2)->Text, "four");
  EXPECT_EQ(canvas.Word(2)->Line, 2);
  EXPECT_EQ(canvas.CurrentWord, 3);
  EXPECT_EQ(canvas.TypedWord, canvas.Word(3));
  EXPECT_EQ(canvas.TypedWord->Line, 3);
}

TEST(TypingCanvas, AKeystrokeRepaintsOnlyTheTypedWord) {
  TTypingCanvas canvas;
  canvas.resize(500, 200);
  canvas.show();
  TypeWord(canvas, "before");
  canvas.FinishWord(1, 0);
  TypeWord(canvas, "wor");
  QApplication::processEvents();

  PaintRecorder recorder(&canvas);
  canvas.TypeChar('d');
  QApplication::processEvents();
  const QRect painted = recorder.painted.boundingRect();
  const int y = canvas.LineTop(2);
  EXPECT_TRUE(painted.contains(QRect(canvas.MarginLeft, y, canvas.TextWidth("word"), canvas.FontHeight())));
  EXPECT_GE(painted.top(), y);
  EXPECT_LE(painted.bottom(), canvas.LineTop(3) + canvas.FontHeight() / 2);
  EXPECT_LT(painted.width(), canvas.TextWidth("word") + 4 * canvas.TextWidth(" "));
}

TEST(TypingCanvas, DrawsLimeTextWithSolidAndDottedUnderlines) {
  TTypingCanvas canvas;
  canvas.resize(400, 100);
  canvas.SetColor(0x000000);
  canvas.SetFontColor(0x00FF00);
  EXPECT_EQ(canvas.TypedWord->Color, 0x00FF00u);  // the word being typed follows the font
  TypeWord(canvas, "solid");
  canvas.FinishWord(0, 1);
  TypeWord(canvas, "dotted");
  canvas.FinishWord(0, 2);

  const int h = canvas.FontHeight();
  const int y = canvas.LineTop(1);
  const QImage image = canvas.grab().toImage();
  auto rgb = [&](int x, int row) { return image.pixel(x, row) & 0xFFFFFF; };
  const QRgb maroon = qRgb(0x80, 0, 0) & 0xFFFFFF;
  const TWordInfo& solid = *canvas.Word(0);
  const TWordInfo& dotted = *canvas.Word(1);
  for (int x = solid.Left; x < solid.Left + canvas.TextWidth("solid"); ++x) {
    ASSERT_EQ(rgb(x, y + h), maroon) << x;
    ASSERT_EQ(rgb(x, y + h + 1), maroon) << x;
  }
  int gaps = 0;
  for (int x = dotted.Left; x < dotted.Left + canvas.TextWidth("dotted"); ++x)
    gaps += rgb(x, y + h) == 0 ? 1 : 0;
  EXPECT_GT(gaps, 3);
  // Somewhere in the word's cell the text itself is lime.
  bool lime = false;
  for (int x = solid.Left; x < solid.Left + canvas.TextWidth("solid") && !lime; ++x)
    for (int row = y; row < y + h && !lime; ++row) lime = rgb(x, row) == 0x00FF00;
  EXPECT_TRUE(lime);
}

TEST(TypingCanvas, HasACaretOnlyWhileFocused) {
  QWidget window;
  window.resize(400, 200);
  auto* other = new QWidget(&window);
  other->setFocusPolicy(Qt::StrongFocus);
  auto* canvas = new TTypingCanvas(&window);
  canvas->SetColor(0x000000);
  canvas->SetFontColor(0x00FF00);
  window.show();
  QApplication::setActiveWindow(&window);
  other->setFocus();
  QApplication::processEvents();
  TypeWord(*canvas, "ab");
  const int caretX = canvas->CaretX + 1;
  const int caretY = canvas->LineTop(1) + canvas->FontHeight() / 2;
  EXPECT_FALSE(canvas->CaretShown());
  EXPECT_EQ(PixelAt(*canvas, caretX, caretY), 0u);

  canvas->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(canvas->hasFocus());
  EXPECT_TRUE(canvas->CaretShown());
  EXPECT_EQ(PixelAt(*canvas, caretX, caretY), 0x00FF00u);

  other->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(canvas->CaretShown());
  EXPECT_EQ(PixelAt(*canvas, caretX, caretY), 0u);
}

// What the incremental repaints left on the screen must match a full paint
// of the same state, through word moves, deletions, marks and cursors.
TEST(TypingCanvas, IncrementalPaintingLeavesNoStalePixels) {
  QWidget window;
  window.resize(420, 260);
  auto* model = new TViewCanvas(&window);
  model->setFont(qx::PointFont("Times New Roman", 14));
  model->setGeometry(0, 0, 420, 90);
  model->SetMode(2);
  model->SetText("Some model words wrap around here\r\nand then more", 0);
  auto* typing = new TTypingCanvas(&window);
  typing->setGeometry(0, 100, 150, 80);  // four lines, so it scrolls
  typing->SetColor(0x000000);
  typing->SetFontColor(0x00FF00);
  window.show();
  QApplication::processEvents();

  auto stalePixels = [&] {
    const QImage screen = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
    const QImage full = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (screen.size() != full.size()) return -1;
    int stale = 0;
    for (int y = 0; y < full.height(); ++y)
      for (int x = 0; x < full.width(); ++x) stale += screen.pixel(x, y) != full.pixel(x, y);
    return stale;
  };
  auto type = [&](const std::string& text) {
    for (char c : text) {
      if (c == ' ' || c == '\r') {
        model->Advance();
        typing->FinishWord(c == '\r' ? 1 : 0, c == ' ' ? 1 : 2);
        if (model->CurrentWord == 2) model->ShowWordCursor();
      } else if (c == '<') {
        typing->DeleteChar();
      } else {
        typing->TypeChar(static_cast<unsigned char>(c));
      }
      QApplication::processEvents();
    }
  };
  type("Some modlx<e words");  // "words" moves whole to the second line
  ASSERT_EQ(typing->TypedText(), "words");
  ASSERT_EQ(typing->TypedWord->Line, 2);
  EXPECT_EQ(stalePixels(), 0);
  type("s<\raround heere\rand then\rmore<<<");
  ASSERT_LT(typing->Word(0)->Line, 1);  // scrolled
  EXPECT_EQ(stalePixels(), 0);
}
