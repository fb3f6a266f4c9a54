// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AddviewsWiz.h"

#include <QLabel>

#include "engine/Diffkeys.h"
#include "platform/QtDraw.h"
#include "shell/ArtworkParts.h"
#include "shell/Bookfrm.h"
#include "shell/FormControls.h"
#include "shell/Graph.h"
#include "storage/User.h"

TFormRef<TWizResultView> WizResultView;

namespace {

constexpr uint32_t kMaroon = 0x000080, kNavy = 0x800000, kYellow = 0x00FFFF, kPlotColour = 0xC0DCC0;

float RateOf(char key) {
  if (key == ' ' || !User || !User->DifficultKeys) return 0;
  return User->DifficultKeys->Difficulty(static_cast<unsigned char>(key));
}

TGraph* MakeGraph(QWidget* parent, const char* name, int top) {
  auto* graph = new TGraph(parent);
  graph->setObjectName(QString::fromLatin1(name));
  graph->setGeometry(93, top, 247, 145);
  graph->SetStyle(TGraph::kBar);
  QFont font = graph->font();
  font.setPointSize(9);
  graph->setFont(font);
  graph->BarBrush = QBrush(qx::ToQColor(kYellow));
  graph->GraphPen = QPen(Qt::black, 1);
  graph->PlotBrush = QBrush(qx::ToQColor(kPlotColour));
  graph->MinValue = 0;
  graph->MaxValue = 100;
  graph->ScaleStep = 20;
  graph->AddBand("Problematic", kMaroon, 100);
  graph->AddBand("Difficult", kMaroon, 80);
  graph->AddBand("Good", kNavy, 50);
  return graph;
}

}  // namespace

TWizResultView::TWizResultView() : storage_(std::make_unique<QWidget>()) {
  WizResultView.Enter(this);
  storage_->setObjectName(QStringLiteral("WizResultStg"));
  WizResultPanel = new QWidget(storage_.get());
  WizResultPanel->setObjectName(QStringLiteral("WizResultPanel"));
  WizResultPanel->setGeometry(0, 0, 338, 428);
  namespace colour = qx::art::colour;
  QFont title = qx::PixelFont(QStringLiteral("Arial"), 13, true);
  MakeLabel(WizResultPanel, "WizResultTitle", QRect(10, 40, 318, 22), title, colour::kGoldDark.darker(115),
            QStringLiteral("W I Z A R D   R E S U L T S"), Qt::AlignCenter);
  const QFont caption = qx::PixelFont(QStringLiteral("Arial"), 17, true);
  MakeLabel(WizResultPanel, "BeforeLbl", QRect(12, 175, 78, 24), caption, colour::kLeather,
            QStringLiteral("Before"));
  MakeLabel(WizResultPanel, "AfterLbl", QRect(12, 333, 78, 24), caption, QColor(0x2f, 0x5e, 0x3e),
            QStringLiteral("After"));
  BeforeGraph = MakeGraph(WizResultPanel, "BeforeGraph", 115);
  AfterGraph = MakeGraph(WizResultPanel, "AfterGraph", 273);
}

TWizResultView::~TWizResultView() { WizResultView.Leave(this); }

void TWizResultView::RecordBefore(const std::string& keys) {
  for (size_t k = 0; k < ResultKeys.size(); ++k) {
    ResultKeys[k] = k < keys.size() ? keys[k] : ' ';
    BeforeRates[k] = RateOf(ResultKeys[k]);
    AfterRates[k] = BeforeRates[k];
  }
}

void TWizResultView::RecordAfter() {
  for (size_t k = 0; k < ResultKeys.size(); ++k) AfterRates[k] = RateOf(ResultKeys[k]);
}

void TWizResultView::FillGraphs() {
  for (auto [graph, rates] : {std::pair{BeforeGraph.data(), &BeforeRates}, std::pair{AfterGraph.data(), &AfterRates}}) {
    if (!graph) continue;
    graph->Values.clear();
    graph->Labels.clear();
    for (size_t k = 0; k < ResultKeys.size(); ++k) graph->AddPoint(std::string(1, ResultKeys[k]), (*rates)[k]);
    graph->update();
  }
}

void TWizResultView::Show() {
  TFormView::Show();
  FillGraphs();
  if (BookForm) AddControl(WizResultPanel, BookForm->LeftPage);
}
