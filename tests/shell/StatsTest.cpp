// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "FlowSandbox.h"
#include "engine/Diffkeys.h"
#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Graph.h"
#include "shell/Statstg.h"
#include "shell/Statview.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

const QColor kMaroon(0x80, 0, 0), kNavy(0, 0, 0x80), kPlot(0xC0, 0xDC, 0xC0);

void Save(QWidget* widget, const char* name) {
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  widget->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

QImage Render(TGraph& graph) {
  QImage image(graph.size(), QImage::Format_RGB32);
  graph.render(&image);
  return image;
}

TGraph& DifficultKeysGraph(TGraph& g) {
  g.resize(310, 180);
  g.SetStyle(TGraph::kBar);
  g.PlotBrush = QBrush(kPlot);
  g.BarBrush = QBrush(Qt::yellow);
  g.GraphPen = QPen(Qt::black, 1);
  g.AddBand("Problematic", 0x000080, 100);
  g.AddBand("Difficult", 0x000080, 80);
  g.AddBand("Good", 0x800000, 50);
  return g;
}

// The middle of the bar of column i, just above the base line.
QColor BarFoot(TGraph& g, const QImage& image, int i) {
  return image.pixelColor(g.ColumnX(i) + g.ColumnWidth / 2, g.PlotBottom - 3);
}

TEST(GraphTest, ColumnsFollowTheLabels) {
  TGraph g;
  g.resize(310, 180);
  g.LayOut();
  EXPECT_EQ(g.ColumnCount, 0);
  EXPECT_EQ(g.ColumnWidth, 0);
  EXPECT_EQ(g.ScaleTexts, (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
  // With no labels nothing but the scale: the plot keeps its own colour.
  g.PlotBrush = QBrush(kPlot);
  g.AddBand("Good", 0x800000, 50);
  g.Labels.clear();
  g.Values.clear();
  const QImage empty = Render(g);
  const int mid = (g.PlotLeft + g.PlotRight) / 2;
  EXPECT_EQ(empty.pixelColor(mid, g.PlotBottom - 3), kPlot);
  EXPECT_EQ(g.ColumnX(0), g.PlotLeft);
  EXPECT_EQ(g.ColumnX(1), -1);

  g.AddPoint("1", 40);
  g.LayOut();
  EXPECT_EQ(g.ColumnCount, 1);
  EXPECT_EQ(g.ColumnWidth, g.PlotRight - g.PlotLeft);

  for (int n = 2; n <= 6; ++n) g.AddPoint(std::to_string(n), 40);
  g.LayOut();
  EXPECT_EQ(g.PlotRight, g.ColumnX(6) + 1);
  EXPECT_EQ(g.ColumnX(-1), -1);
  EXPECT_EQ(g.ColumnX(7), -1);
}

TEST(GraphTest, BandsSortAndColourTheBars) {
  TGraph g;
  DifficultKeysGraph(g);
  EXPECT_EQ(g.BandValues, (std::vector<std::string>{"50", "80", "100"}));
  EXPECT_EQ(g.BandNames, (std::vector<std::string>{"Good", "Difficult", "Problematic"}));
  // A band of an equal value goes before the one already there.
  g.AddBand("Tie", 0x00FF00, 80);
  EXPECT_EQ(g.BandNames[1], "Tie");
  g.BandValues.erase(g.BandValues.begin() + 1);
  g.BandColors.erase(g.BandColors.begin() + 1);
  g.BandNames.erase(g.BandNames.begin() + 1);

  struct Case {
    const char* key;
    float rate;
    QColor fill;  // invalid: no bar
  };
  const Case cases[] = {
      {"a", 60, kMaroon},   // the first band reaching it is 80
      {"b", 30, kNavy},     // 50
      {"c", 150, kMaroon},  // above the range: full height, the top band
      {"d", 0, QColor()},   // a bar of no height
      {"", -1, QColor()},   // an empty slot
  };
  for (const Case& c : cases) g.AddPoint(c.key, c.rate);
  const QImage image = Render(g);
  for (int i = 0; i < int(std::size(cases)); ++i) {
    SCOPED_TRACE(cases[i].key);
    EXPECT_EQ(BarFoot(g, image, i), cases[i].fill.isValid() ? cases[i].fill : kPlot);
  }
  EXPECT_EQ(g.ValueY(150), g.PlotTop);
  EXPECT_EQ(image.pixelColor(g.ColumnX(2) + g.ColumnWidth / 2, g.PlotTop + 2), kMaroon);
  EXPECT_EQ(g.ValueY(-1), -1);
}

TEST(GraphTest, DegenerateScalesStillPaint) {
  TGraph g;
  g.ScaleStep = 0;
  g.MaxValue = g.MinValue = 10;
  g.AddPoint("1", 10);
  g.AddPoint("2", 50);
  Render(g);
  EXPECT_EQ(g.ScaleTexts.size(), 2u);
  EXPECT_EQ(g.ValueY(10), g.PlotBottom);
}

class StatsTest : public ::testing::Test {
 public:
  void SetUp() override {
    settings = std::make_unique<TProgramSettings>();
    Settings = settings.get();
    Settings->LoadSettings();
    book.show();
    QApplication::setActiveWindow(&book);
    sandbox.dialogs.ClearAsked();
    student.ContentsFile = "Beginner.cnt";
    student.LessonCount = 5;
    student.StudyTime = 95;
    student.FurthestChapter = 4;
    student.FurthestExercise = 4;
    const float speeds[] = {0, 92, 118, -1, 150, 171};
    const float accuracy[] = {0, 96.4f, 97.5f, -1, 98.2f, 95};
    const float efficiency[] = {0, 61, 72, -1, 80.5f, 77};
    for (int n = 1; n <= 5; ++n) {
      student.LessonSpeed[size_t(n)] = speeds[n];
      student.LessonAccuracy[size_t(n)] = accuracy[n];
      student.LessonEfficiency[size_t(n)] = efficiency[n];
    }
    // Keys typed with errors enough to rank.
    TDifficultKeys& keys = *student.DifficultKeys;
    const std::pair<char, int> misses[] = {{'k', 6}, {'d', 3}, {'f', 1}, {'j', 2}};
    for (const auto& [c, errors] : misses)
      for (int i = 0; i < 40; ++i) keys.RecordKey(static_cast<unsigned char>(c), i < errors);
    keys.Commit();
    keys.SetFilter("fjdk");
    User = &student;
  }
  void TearDown() override {
    User = nullptr;
    Settings = nullptr;
  }

  int RunWith(TFormView& view, const std::function<void()>& action) {
    qxtest::Script script;
    script.When([&] { return view.Active; }, action, "view opens");
    script.Start();
    const int result = view.Execute();
    EXPECT_EQ(script.Failed(), "");
    return result;
  }

  qxtest::FlowSandbox sandbox;
  std::unique_ptr<TProgramSettings> settings;
  TBookForm book;
  TStatisticsStg form;
  TUser student{"Maria Lindqvist"};
};

TEST_F(StatsTest, PageShowsProgressKeysAndLessonsInTheChosenUnit) {
  Settings->MeasuringWPM = true;
  Settings->DisablePrintReport = true;
  int homes = 0;
  book.OnGoHome = [&] {
    ++homes;
    CloseActiveView();
  };
  TStatisticsView view;
  RunWith(view, [&] {
    EXPECT_EQ(book.Title->text(), QStringLiteral("Statistics"));
    EXPECT_EQ(form.Completed->text(), QStringLiteral("70 % completed"));
    EXPECT_EQ(form.Completedgraph->Progress(), 70);
    EXPECT_EQ(form.TimeStudied->text(), QStringLiteral("1 h 35 min. used"));
    EXPECT_EQ(form.TimeLeft->text(), QStringLiteral("41 min. left"));
    EXPECT_EQ(form.CharLbl->text(), QStringLiteral("[wpm]"));
    EXPECT_FALSE(form.PrintBtn->isEnabled());
    EXPECT_EQ(form.PrintBtn->parentWidget(), book.TitleConsole);

    TGraph& keys = *view.DifficultGraph;
    ASSERT_EQ(keys.Labels.size(), 8u);
    EXPECT_EQ(keys.Labels[0], "k");
    EXPECT_EQ(keys.Labels[3], "f");
    EXPECT_EQ(keys.Labels[4], "");  // four keys ranked, four empty slots
    EXPECT_EQ(keys.Values[7], "-1");

    TGraph& speed = *view.SpeedGraph;
    speed.LayOut();
    EXPECT_EQ(speed.ScaleTexts, (std::vector<std::string>{"0", "10", "20", "30", "40", "50", "60", "70"}));
    ASSERT_EQ(speed.Values.size(), 5u);
    // 150 characters a minute is drawn at 30 words a minute.
    EXPECT_EQ(speed.Values[3], "30");
    EXPECT_EQ(speed.Values[4], "34.2");
    EXPECT_EQ(speed.Values[2], "-1");
    EXPECT_EQ(view.EfficiencyGraph->Values[2], "-1");
    EXPECT_EQ(view.EfficiencyGraph->Labels.back(), "5");
    Save(&book, "statistics.png");
    QTest::keyClick(&book, Qt::Key_Escape);
  });
  EXPECT_EQ(homes, 1);
  EXPECT_EQ(form.PrintBtn->parentWidget(), &form);
  EXPECT_EQ(view.SpeedGraph->parentWidget(), form.Panel2);

}

// The text of a PDF file, or nothing when poppler's pdftotext is missing.
QString PdfText(const QString& pdf) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (tool.isEmpty()) return QString();
  QProcess run;
  run.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  run.waitForFinished(60000);
  return QString::fromUtf8(run.readAllStandardOutput());
}

TEST_F(StatsTest, ReportPrintsEveryLessonInBothUnits) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  TStatisticsView view;
  for (const bool wpm : {false, true}) {
    SCOPED_TRACE(wpm ? "wpm" : "cpm");
    Settings->MeasuringWPM = wpm;
    const QString pdf = QString::fromStdString(sandbox.Data()) + (wpm ? "wpm.pdf" : "cpm.pdf");
    int asked = 0;
    view.ChoosePrinter = [&](QPrinter& printer) {
      ++asked;
      EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      return true;
    };
    RunWith(view, [&] {
      QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
      CloseActiveView();
    });
    EXPECT_EQ(asked, 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Study Report")));
    EXPECT_TRUE(text.contains(QStringLiteral("Maria Lindqvist")));
    EXPECT_TRUE(text.contains(QStringLiteral("Course: Beginner's Course")));
    EXPECT_TRUE(text.contains(QStringLiteral("70 %")));
    const QString unit = wpm ? QStringLiteral("wpm") : QStringLiteral("cpm");
    const QStringList rows[] = {
        {"Home Keys F, J, D and K", wpm ? "18 " + unit : "92 " + unit, "96 %", "61 %"},
        {"Home Keys A, S, L and ;", wpm ? "24 " + unit : "118 " + unit, "98 %", "72 %"},
        {"New Keys E and I", "-", "-", "-"},
        {"New Keys R and U", wpm ? "30 " + unit : "150 " + unit, "98 %", "80 %"},
        {"New Keys G, H and the Full Stop", wpm ? "34 " + unit : "171 " + unit, "95 %", "77 %"},
    };
    for (const QStringList& row : rows) {
      // One line of the table holds the whole row.
      const QString pattern = QStringLiteral("\\Q%1\\E\\s+\\Q%2\\E\\s+\\Q%3\\E\\s+\\Q%4\\E").arg(row[0], row[1], row[2], row[3]);
      EXPECT_TRUE(text.contains(QRegularExpression(pattern))) << pattern.toStdString() << "\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("New Keys T and O")));  // lesson 6 was not reached
    if (!wpm) {
      const QByteArray dir = qgetenv("QX_RENDER_DIR");
      if (!dir.isEmpty()) QFile::copy(pdf, QString::fromLocal8Bit(dir) + QStringLiteral("/report.pdf"));
    }
  }

  // A cancelled dialog prints nothing.
  view.ChoosePrinter = [](QPrinter&) { return false; };
  RunWith(view, [&] {
    QTest::mouseClick(form.PrintBtn, Qt::LeftButton);
    CloseActiveView();
  });
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
}

}  // namespace
