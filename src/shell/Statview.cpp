// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Statview.h"

#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

#include "content/Contents.h"
#include "engine/Diffkeys.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Graph.h"
#include "shell/Statstg.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

TStatisticsView* StatisticsView = nullptr;

namespace {

constexpr uint32_t kPlotColour = 0xC0DCC0;
constexpr uint32_t kMaroon = 0x000080;
constexpr uint32_t kNavy = 0x800000;
constexpr uint32_t kYellow = 0x00FFFF;
constexpr int kDifficultSlots = 8;

TGraph* MakeGraph(QWidget* parent, const char* name, const QRect& geometry, int style) {
  auto* graph = new TGraph(parent);
  graph->setObjectName(QString::fromLatin1(name));
  graph->setGeometry(geometry);
  graph->SetStyle(style);
  graph->PlotBrush = QBrush(qx::ToQColor(kPlotColour));
  return graph;
}

float InUnit(float cpm) { return Settings ? Settings->DisplaySpeed(cpm) : cpm; }

bool AskPrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, BookForm);
  dialog.setObjectName(QStringLiteral("PrintDialog"));
  dialog.setWindowTitle(QStringLiteral("Print Study Report"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

TStatisticsView::TStatisticsView() : TSectionPage("Statistics", 2), ChoosePrinter(AskPrinter) {}

TStatisticsView::~TStatisticsView() {
  delete SpeedGraph.data();
  delete EfficiencyGraph.data();
  delete DifficultGraph.data();
  if (StatisticsView == this) StatisticsView = nullptr;
}

void TStatisticsView::CreateGraphs() {
  TStatisticsStg* form = StatisticsStg;
  if (DifficultGraph || !form) return;
  DifficultGraph = MakeGraph(form->Panel1, "DifficultGraph", QRect(10, 233, 310, 180), TGraph::kBar);
  DifficultGraph->BarBrush = QBrush(qx::ToQColor(kYellow));
  DifficultGraph->GraphPen = QPen(Qt::black, 1);
  DifficultGraph->AddBand("Problematic", kMaroon, 100);
  DifficultGraph->AddBand("Difficult", kMaroon, 80);
  DifficultGraph->AddBand("Good", kNavy, 50);

  EfficiencyGraph = MakeGraph(form->Panel2, "EfficiencyGraph", QRect(15, 22, 310, 180), TGraph::kLine);
  SpeedGraph = MakeGraph(form->Panel2, "SpeedGraph", QRect(15, 233, 310, 180), TGraph::kLine);
}

const TContents* TStatisticsView::Course() {
  if (Contents && !Contents->HeadersOnly) return Contents;
  if (!User) return nullptr;
  if (!ownCourse_) {
    int error = 0;
    ownCourse_ = TContents::CreateHeadersOnly(User->ContentsFile, error);
  }
  return ownCourse_.get();
}

int TStatisticsView::Lessons() {
  if (!User) return 0;
  int lessons = User->LessonCount;
  // Before the first lesson no course is loaded; its lessons still count.
  if (lessons <= 0) {
    const TContents* course = Course();
    lessons = course ? course->ChapterCount() : 0;
  }
  return std::clamp(lessons, 0, kMaxLessons);
}

void TStatisticsView::FillGraphs() {
  DifficultGraph->Values.clear();
  DifficultGraph->Labels.clear();
  for (int slot = 1; slot <= kDifficultSlots; ++slot) {
    TDifficultKeys* keys = User ? User->DifficultKeys : nullptr;
    // Slots past the keys the ordering took stay empty bars.
    const bool used = keys && slot <= keys->OrderCount() && keys->KeyAt(slot) != 0;
    const float rate = used ? keys->DifficultyAt(slot) : -1;
    if (rate >= 0)
      DifficultGraph->AddPoint(std::string(1, char(keys->KeyAt(slot))), rate);
    else
      DifficultGraph->AddPoint("", -1);
  }

  EfficiencyGraph->Clear();
  EfficiencyGraph->AddBand("Beginner", kNavy, 25);
  EfficiencyGraph->AddBand("Intermediate", kNavy, 50);
  EfficiencyGraph->AddBand("Advanced", kNavy, 75);
  EfficiencyGraph->AddBand("Expert", kNavy, 100);

  SpeedGraph->Clear();
  SpeedGraph->MinValue = 0;
  SpeedGraph->MaxValue = InUnit(350);
  SpeedGraph->ScaleStep = InUnit(50);
  SpeedGraph->AddBand("Beginner", kNavy, InUnit(75));
  SpeedGraph->AddBand("Intermediate", kNavy, InUnit(150));
  SpeedGraph->AddBand("Advanced", kNavy, InUnit(225));
  SpeedGraph->AddBand("Expert", kNavy, InUnit(350));

  const int lessons = Lessons();
  for (int n = 1; n <= lessons; ++n) {
    EfficiencyGraph->AddPoint(std::to_string(n), User->LessonEfficiency[size_t(n)]);
    // No result stays below the range whatever the unit.
    const float speed = User->LessonSpeed[size_t(n)];
    SpeedGraph->AddPoint(std::to_string(n), speed < 0 ? -1 : InUnit(speed));
  }
}

void TStatisticsView::Show() {
  TSectionPage::Show();
  TBookForm* book = BookForm;
  TStatisticsStg* form = StatisticsStg;
  if (!book || !form) return;
  ownCourse_.reset();
  CreateGraphs();

  if (User) {
    const int percent = User->ProgressPercent();
    form->TimeStudied->setText(qx::ToQt(User->StudyTimeText() + " used"));
    form->Completed->setText(QStringLiteral("%1 % completed").arg(percent));
    form->TimeLeft->setText(qx::ToQt(User->RemainingText() + " left"));
    form->Completedgraph->SetProgress(percent);
  }
  form->CharLbl->setText(QStringLiteral("[%1]").arg(Settings && Settings->MeasuringWPM ? "wpm" : "cpm"));
  FillGraphs();

  AddControl(form->Panel1, book->LeftPage);
  AddControl(form->Panel2, book->RightPage);
  form->PrintBtn->setEnabled(!Settings || !Settings->DisablePrintReport);
  AddControl(form->PrintBtn, book->TitleConsole);
  form->PrintBtn->move(250, 10);
  form->PrintBtn->show();
  form->PrintBtn->raise();
  QObject::connect(form->PrintBtn, &QPushButton::clicked, Context(), [this] {
    PlaySound(kSoundClick);
    PrintReport();
  });
  book->FocusFirstControl();
}

void TStatisticsView::Hide() {
  if (StatisticsStg) QObject::disconnect(StatisticsStg->PrintBtn, nullptr, Context(), nullptr);
  TSectionPage::Hide();
}

void TStatisticsView::PrintReport() {
  if (!User) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringLiteral("Quillbrandex"));
  printer.setPageOrientation(QPageLayout::Portrait);
  if (!ChoosePrinter || !ChoosePrinter(printer)) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    qx::ShowWarning("The study report could not be printed: the printer did not accept it.");
    return;
  }
  PaintStudyReport(painter, *User, Course(), Lessons(), Settings, qx::ShortDateText(qx::Now()));
  painter.end();
}
