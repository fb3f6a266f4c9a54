// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "engine/Viewcanv.h"
#include "platform/QtDraw.h"

namespace {

struct Placed {
  std::string text;
  int line;
  int left;
  bool lineEnd;
  bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p) {
  return out << "{" << p.text << " line " << p.line << " left " << p.left << (p.lineEnd ? " end" : "") << "}";
}

std::vector<Placed> Layout(const TExerciseCanvas& canvas) {
  std::vector<Placed> out;
  for (int i = 0; i < canvas.WordCount(); ++i) {
    const TWordInfo& w = *canvas.Word(i);
    out.push_back({w.Text, w.Line, w.Left, w.LineEnd});
  }
  return out;
}

// The model canvas as the text event sets it up.
void SetUpModel(TViewCanvas& canvas, int width, int lines) {
  canvas.setFont(qx::PointFont("Times New Roman", 14));
  // The room for exactly so many lines of pitch H + 2.
  canvas.resize(width, canvas.LineTop(lines + 2) + canvas.MarginBottom - 1);
  canvas.SetMode(1);
}

std::vector<std::string> ExpectedSequence(TViewCanvas& canvas) {
  std::vector<std::string> out;
  for (int guard = 0; guard < 100 && !canvas.ExpectedText().empty(); ++guard) {
    out.push_back(canvas.ExpectedText());
    canvas.Advance();
  }
  return out;
}

}  // namespace

TEST(ViewCanvas, LaysOutWordsInLinesSkippingEmptyLinesAtThePageTop) {
  TViewCanvas canvas;
  SetUpModel(canvas, 500, 5);
  canvas.SetMode(3);
  const std::string text = "\r\n\r\nalpha beta\r\n\r\ngamma";
  canvas.SetText(text, 0);

  const int x2 = 3 + canvas.TextWidth("alpha") + canvas.TextWidth(" ");
  EXPECT_EQ(Layout(canvas),
            (std::vector<Placed>{{"alpha", 1, 3, false}, {"beta", 1, x2, true}, {"gamma", 3, 3, true}}));
  // Each word remembers where its reading began.
  EXPECT_EQ(canvas.Word(0)->TextOffset, 3);
  EXPECT_EQ(canvas.Word(1)->TextOffset, 9);
  EXPECT_EQ(canvas.Word(2)->TextOffset, 17);
  EXPECT_EQ(canvas.PageEnd, int(text.size()));
  EXPECT_EQ(canvas.LineTop(3), 2 + 2 * (canvas.FontHeight() + 2));
}

// A word must end at least the width of "WW" before the right edge.
TEST(ViewCanvas, StartsANewLineForAWordEndingCloserThanWWToTheEdge) {
  for (int slack : {0, -1}) {
    SCOPED_TRACE(slack);
    TViewCanvas canvas;
    SetUpModel(canvas, 500, 3);
    const int second = 3 + canvas.TextWidth("first") + canvas.TextWidth(" ");
    canvas.resize(second + canvas.TextWidth("second") + canvas.TextWidth("WW") + canvas.MarginRight + slack,
                  canvas.height());
    canvas.SetMode(1);
    canvas.SetText("first second", 0);
    ASSERT_EQ(canvas.WordCount(), 2);
    if (slack == 0) {
      EXPECT_EQ(Layout(canvas)[1], (Placed{"second", 1, second, true}));
      EXPECT_FALSE(canvas.Word(0)->LineEnd);
    } else {
      EXPECT_EQ(Layout(canvas)[1], (Placed{"second", 2, 3, true}));
      EXPECT_TRUE(canvas.Word(0)->LineEnd);
    }
  }
}

TEST(ViewCanvas, EndsAPageAfterACarriageReturnOrBeforeAWord) {
  {
    SCOPED_TRACE("page ends at a carriage return");
    TViewCanvas canvas;
    SetUpModel(canvas, 500, 2);
    const std::string text = "a b\r\nc d\r\ne f";
    canvas.SetText(text, 0);
    EXPECT_EQ(Layout(canvas).size(), 4u);
    EXPECT_EQ(Layout(canvas)[3], (Placed{"d", 2, Layout(canvas)[3].left, true}));
    EXPECT_EQ(canvas.PageEnd, int(text.find("\r\ne")) + 1);
    canvas.NextPage();
    EXPECT_EQ(canvas.NextStart, int(text.find("\r\ne")) + 1);
    const int x2 = 3 + canvas.TextWidth("e") + canvas.TextWidth(" ");
    EXPECT_EQ(Layout(canvas), (std::vector<Placed>{{"e", 1, 3, false}, {"f", 1, x2, true}}));
  }
  {
    SCOPED_TRACE("page ends before a word");
    TViewCanvas canvas;
    SetUpModel(canvas, 500, 2);
    const int w = canvas.TextWidth("aaa");
    // Two words to a line.
    canvas.resize(3 + 2 * w + canvas.TextWidth(" ") + canvas.TextWidth("WW") + 3, canvas.height());
    const std::string text = "aaa aaa aaa aaa eee";
    canvas.SetText(text, 0);
    const auto page = Layout(canvas);
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(page[1].line, 1);
    EXPECT_TRUE(page[1].lineEnd);
    EXPECT_EQ(page[3], (Placed{"aaa", 2, page[1].left, true}));
    EXPECT_EQ(canvas.PageEnd, int(text.find(" eee")));
    canvas.NextPage();
    EXPECT_EQ(Layout(canvas), (std::vector<Placed>{{"eee", 1, 3, true}}));
    canvas.NextPage();
    EXPECT_EQ(canvas.WordCount(), 0);
    EXPECT_EQ(canvas.WordAt(0), "");
  }
}

TEST(ViewCanvas, StartsAtTheGivenOffsetUnlessItLiesBeyondTheText) {
  TViewCanvas canvas;
  SetUpModel(canvas, 500, 3);
  canvas.SetText("one two three", 4);
  EXPECT_EQ(canvas.WordAt(0), "two");
  EXPECT_EQ(canvas.PageStart, 4);
  canvas.SetText("one two three", 99);
  EXPECT_EQ(canvas.WordAt(0), "one");
  EXPECT_EQ(canvas.PageStart, 0);
  canvas.SetText("", 0);
  EXPECT_FALSE(canvas.HasText());
  EXPECT_EQ(canvas.WordCount(), 0);
  EXPECT_EQ(canvas.ExpectedText(), "");
}

// Character mode: each letter, then the space or Enter after the word.
TEST(ViewCanvas, CharacterCursorExpectsASpaceOrAnEnterAfterEachWord) {
  TViewCanvas canvas;
  SetUpModel(canvas, 500, 1);
  canvas.SetMode(0);
  EXPECT_EQ(canvas.MarginLeft, canvas.FontHeight() + 3);
  canvas.SetText("ab c\r\nd", 0);
  EXPECT_EQ(canvas.Word(0)->Left, canvas.FontHeight() + 3);
  EXPECT_EQ(ExpectedSequence(canvas), (std::vector<std::string>{"a", "b", " ", "c", "\r", "d", "\r"}));
  // Both pages were used up; what follows the text is an empty page.
  EXPECT_EQ(canvas.WordCount(), 0);
  EXPECT_EQ(canvas.NextStart, 7);
}

TEST(ViewCanvas, CharacterCursorErasesTypedWords) {
  TViewCanvas canvas;
  SetUpModel(canvas, 500, 3);
  canvas.SetMode(0);
  canvas.SetText("ab cd", 0);
  for (int i = 0; i < 3; ++i) canvas.Advance();
  EXPECT_EQ(canvas.Word(0)->Color, kWhite);
  EXPECT_EQ(canvas.Word(1)->Color, canvas.FontColor());
  EXPECT_EQ(canvas.CurrentWord, 1);
  EXPECT_EQ(canvas.CursorPos, 0);
}

TEST(ViewCanvas, WordCursorGreysTypedWordsAndKeepsTheStartOfTheLine) {
  TViewCanvas canvas;
  SetUpModel(canvas, 500, 1);
  canvas.SetMode(1);
  const std::string text = "one two\r\nthree four\r\nfive";
  canvas.SetText(text, 0);
  EXPECT_EQ(canvas.ExpectedText(), "one");
  canvas.Advance();
  EXPECT_EQ(canvas.Word(0)->Color, canvas.DoneColor);
  EXPECT_EQ(canvas.PageStart, 0);  // the line is not finished yet
  EXPECT_EQ(canvas.ExpectedText(), "two");
  canvas.Advance();  // the end of the line, and of the page
  EXPECT_EQ(canvas.WordAt(0), "three");
  EXPECT_EQ(canvas.PageStart, int(text.find("\nthree")));
  canvas.Advance();
  canvas.Advance();
  EXPECT_EQ(canvas.WordAt(0), "five");
  canvas.Advance();  // the text is used up
  EXPECT_EQ(canvas.WordAt(0), "");
  EXPECT_EQ(canvas.PageStart, 0);

  // Continuing from a kept line start shows that line first.
  canvas.SetText(text, int(text.find("\nthree")));
  EXPECT_EQ(canvas.WordAt(0), "three");
}

// Mode 2 shows the word cursor at a page start and when the student is
// lost, and takes it away at the next word without losing the place.
TEST(ViewCanvas, PageStartModeShowsTheWordCursorOnlyUntilTheNextWord) {
  TViewCanvas canvas;
  SetUpModel(canvas, 500, 3);
  canvas.SetMode(2);
  canvas.SetText("one two three four", 0);
  EXPECT_TRUE(canvas.CursorShownForPage);
  EXPECT_TRUE(canvas.ShowCursor);
  EXPECT_EQ(canvas.CursorPos, -1);
  EXPECT_EQ(canvas.ExpectedText(), "one");

  canvas.Advance();
  EXPECT_FALSE(canvas.ShowCursor);
  EXPECT_EQ(canvas.Mode(), 2);
  EXPECT_EQ(canvas.WordAt(0), "two");
  EXPECT_EQ(canvas.Word(0)->Color, canvas.FontColor());  // not greyed in this mode
  canvas.Advance();

  canvas.ShowWordCursor();  // the student is lost
  EXPECT_TRUE(canvas.ShowCursor);
  EXPECT_EQ(canvas.WordAt(0), "three");
  EXPECT_EQ(canvas.ExpectedText(), "three");
  canvas.Advance();
  EXPECT_FALSE(canvas.ShowCursor);
  EXPECT_EQ(canvas.WordAt(0), "four");

  // In the other modes the call changes nothing.
  canvas.SetMode(3);
  canvas.ShowWordCursor();
  EXPECT_FALSE(canvas.ShowCursor);
}

TEST(WordViewCanvas, FinishesAfterTheLastLetterOrTheSpaceAfterIt) {
  for (bool expectSpace : {false, true}) {
    SCOPED_TRACE(expectSpace);
    TWordViewCanvas canvas;
    canvas.ExpectSpace = expectSpace;
    canvas.SetWord("dog");
    EXPECT_EQ(canvas.TheWord->Color, 0x000080u);
    std::vector<std::string> expected;
    for (int guard = 0; guard < 10 && !canvas.ExpectedText().empty(); ++guard) {
      expected.push_back(canvas.ExpectedText());
      canvas.Advance();
    }
    std::vector<std::string> wanted{"d", "o", "g"};
    if (expectSpace) wanted.push_back(" ");
    EXPECT_EQ(expected, wanted);
    EXPECT_EQ(canvas.CurrentWord, 1);
    EXPECT_EQ(canvas.TheWord->Color, canvas.TextColor);

    canvas.SetWord("dog");  // the same word again
    EXPECT_EQ(canvas.ExpectedText(), "d");
  }
}

TEST(ViewCanvas, LettersTypedBeforeTheCharacterCursorStayOnScreen) {
  TViewCanvas canvas;
  SetUpModel(canvas, 300, 3);
  canvas.SetMode(0);
  canvas.SetText("alpha beta", 0);
  canvas.show();
  for (int i = 0; i < 4; ++i) canvas.Advance();
  const QImage shot = canvas.grab().toImage();
  const TWordInfo& word = *canvas.Word(0);
  const QRect typed(word.Left, canvas.LineTop(1), canvas.TextWidth("al"), canvas.FontHeight());
  int ink = 0;
  for (int y = typed.top(); y <= typed.bottom(); ++y)
    for (int x = typed.left(); x <= typed.right(); ++x) ink += shot.pixelColor(x, y) != QColor(Qt::white);
  EXPECT_GT(ink, 10);
}
