// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/TxtEvent.h"

#include <QLabel>
#include <QPainter>

#include "engine/Analyzer.h"
#include "engine/Diffkeys.h"
#include "engine/ExrCanv.h"
#include "engine/Nervgrph.h"
#include "engine/Viewcanv.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Eventstg.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

constexpr uint32_t kGreen = 0x008000;
constexpr uint32_t kLime = 0x00FF00;
constexpr uint32_t kBlack = 0x000000;
constexpr unsigned char kBackSpace = 8, kEnter = 13, kSpace = 32;

// Keystrokes further apart than this say nothing about the rhythm.
constexpr double kLongestInterval = 5;

}  // namespace

// The model text lies on the page as a sheet of its own.
class TCustomTypingEvent::SheetFrame : public QWidget {
 public:
  using QWidget::QWidget;
  static constexpr int kBorder = 4;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = QRectF(rect()).adjusted(kBorder - 1.5, kBorder - 1.5, 1.5 - kBorder, 1.5 - kBorder);
    qx::art::SoftShadow(p, qx::art::RoundedRect(sheet.translated(0, 1.5), 2), 2.5, 45);
    p.setPen(QPen(qx::art::colour::kPaperEdge, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, 2, 2);
  }
};

// ---- TCustomTypingEvent -----------------------------------------------

TCustomTypingEvent::TCustomTypingEvent() = default;

TCustomTypingEvent::~TCustomTypingEvent() {
  delete ModelCanvas.data();
  delete frame_.data();
}

void TCustomTypingEvent::CreateFromDescriptor(const std::string& descriptor) {
  TTimedEvent::CreateFromDescriptor(descriptor);
  frame_ = MakeControl<SheetFrame>();
  ModelCanvas = MakeControl<TViewCanvas>();
}

void TCustomTypingEvent::Show() {
  TTimedEvent::Show();
  if (!ModelCanvas) return;
  const int points = User && User->LargeFont ? 18 : 14;
  ModelCanvas->setFont(qx::PointFont(QStringLiteral("Times New Roman"), points));
  ModelCanvas->setGeometry(ModelRect());
  ModelCanvas->CursorMarkColor = kGreen;
  ModelCanvas->SetText(EventText, TextStart);
  PlaceSheet();
}

void TCustomTypingEvent::PlaceSheet() {
  if (frame_) {
    const int b = SheetFrame::kBorder;
    frame_->setGeometry(ModelCanvas->geometry().adjusted(-b, -b, b, b));
    frame_->show();
    frame_->raise();
  }
  ModelCanvas->show();
  ModelCanvas->raise();
}

void TCustomTypingEvent::HideSheet() {
  if (frame_) frame_->hide();
  if (ModelCanvas) ModelCanvas->hide();
}

void TCustomTypingEvent::Hide() {
  HideSheet();
  TTimedEvent::Hide();
}

// ---- TTextEvent -------------------------------------------------------

TTextEvent::TTextEvent() = default;

TTextEvent::~TTextEvent() {
  delete TypingCanvas.data();
  delete NervoGraph.data();
}

void TTextEvent::CreateFromDescriptor(const std::string& descriptor) {
  TCustomTextEvent::CreateFromDescriptor(descriptor);
  HighlightWord = qx::UpperCp1252(TrimBlanks(Field(5))) == "TRUE";
  ModelCanvas->SetMode(HighlightWord ? 1 : 2);
  TypingCanvas = MakeControl<TTypingCanvas>();
  TypingCanvas->setFont(qx::PointFont(QStringLiteral("Arial"), 13));
  NervoGraph = MakeControl<TNervoGraph>();
}

void TTextEvent::Show() {
  TCustomTextEvent::Show();
  WordsTyped = 0;
  LostCount = 0;
  LastKeyTime = 0;
  BackSpaceCounter.Reset();
  EfficiencyCalc.Reset();
  DeviationCalc.Reset();

  QWidget* page = Page();
  if (!page || !EventsStg || !TypingCanvas || !NervoGraph) return;
  TImage* console = EventsStg->LeftConsole;
  AddControl(console, page);
  console->move(console->x(), ModelCanvas->y() + ModelCanvas->height() + 1);
  TImage* screen = EventsStg->TypingScreen;
  AddControl(screen, page);
  const int screenTop = console->y() + 35;
  screen->setGeometry(screen->x(), screenTop, screen->width(), page->height() - 20 - screenTop);

  TypingCanvas->setGeometry(screen->geometry().adjusted(5, 5, -5, -5));
  TypingCanvas->SetColor(kBlack);
  TypingCanvas->SetFontColor(kLime);
  TypingCanvas->UnderlineColor = kLime;
  TypingCanvas->setEnabled(true);
  TypingCanvas->show();
  TypingCanvas->raise();
  TypingCanvas->setFocus();

  EventsStg->SpeedTitle2->setText(qx::ToQt(Settings ? Settings->SpeedUnitText() : "cpm"));
  for (QLabel* title : {EventsStg->SpeedTitle, EventsStg->SpeedTitle2, EventsStg->SpeedTitle3}) {
    title->show();
    title->raise();
  }
  TImage* graphScreen = EventsStg->Screen3;
  graphScreen->resize(graphScreen->width(), 105);
  NervoGraph->setGeometry(TEventsStg::kGraphRect);
  NervoGraph->show();
  NervoGraph->raise();
  EventsStg->EventMsg->hide();
}

void TTextEvent::KeyPress(QObject* sender, unsigned char& key) {
  TCustomTextEvent::KeyPress(sender, key);
  if (!key) return;
  const unsigned char c = key;
  key = 0;
  if (State == kStateCompleted || !TypingCanvas || !ModelCanvas) return;
  const double now = qx::Steady();
  if (c == kBackSpace || c == kEnter || c >= kSpace) {
    BackSpaceCounter.KeyPressed(c);
    if (LastKeyTime != 0) {
      if (NervoGraph) NervoGraph->KeyPressed();
      const double interval = (now - LastKeyTime) * 100000.0;
      if (interval <= kLongestInterval && DeviationCalc.AddInterval(float(interval)) && KeyStats)
        KeyStats->RecordKey(c, true);
    }
    if (c == kBackSpace) {
      if (!TypingCanvas->TypedWord->Text.empty())
        TypingCanvas->DeleteChar();
      else
        PlaySound(kSoundError);  // a finished word stays as it is
    } else if (c == kEnter || c == kSpace) {
      WordEnd(c == kEnter);
    } else {
      TypingCanvas->TypeChar(c);
    }
  }
  // The first key starts the clock, a key after a pause starts it again;
  // a key that ended the text leaves it stopped.
  if (State == kStateReady || State == kStatePaused) Start();
  LastKeyTime = now;
}

void TTextEvent::WordEnd(bool enter) {
  const std::string typed = TypingCanvas->TypedWord->Text;
  int mark = 0;
  if (!typed.empty()) {
    ++WordsTyped;
    TViewCanvas& model = *ModelCanvas;
    const TWordMatch match =
        AnalyseWordEnd(typed, model.WordAt(0), model.WordAt(1), model.WordAt(2), model.WordAt(-1));
    for (int i = 0; i < match.Advance; ++i) model.Advance();
    LostCount = match.NotRecognised ? LostCount + 1 : 0;
    if (!HighlightWord && LostCount >= 2) model.ShowWordCursor();
    mark = match.Mark;
  }
  TypingCanvas->FinishWord(enter ? 1 : 0, mark);
  if (!ModelCanvas->Word(ModelCanvas->CurrentWord)) Complete();
  TextStart = ModelCanvas->PageStart;
}

void TTextEvent::Start() {
  if (NervoGraph) NervoGraph->StartGraph();
  if (TypingCanvas) TypingCanvas->setEnabled(true);
  TCustomTextEvent::Start();
}

void TTextEvent::Pause() {
  if (NervoGraph) NervoGraph->StopGraph();
  TCustomTextEvent::Pause();
}

void TTextEvent::Complete() {
  if (NervoGraph) NervoGraph->StopGraph();
  if (TypingCanvas) TypingCanvas->setEnabled(false);
  TCustomTextEvent::Complete();
}

void TTextEvent::ButtonClick(QObject* sender) {
  TCustomTextEvent::ButtonClick(sender);
  if (sender && sender->objectName() == QLatin1String("Pause") && State == kStatePaused)
    ShowMessage("Exercise paused.", "Type to go on.", 90, 60);
}

void TTextEvent::Hide() {
  if (EventsStg)
    for (QLabel* title : {EventsStg->SpeedTitle, EventsStg->SpeedTitle2, EventsStg->SpeedTitle3})
      title->hide();
  if (AskedForText && User) User->StoryPosition = TextStart;
  if (KeyStats) KeyStats->Commit();
  // Without a clock start no key counted, and the time is nil.
  EfficiencyCalc.Finish(ClockStart != 0 ? ClockStart : LastKeyTime, LastKeyTime, DeviationCalc.Level());
  if (ExercInfoView) {
    if (ChapterView) ChapterView->LeftView = ExercInfoView;
    ReportResults();
  }
  if (NervoGraph) {
    NervoGraph->StopGraph();
    NervoGraph->hide();
  }
  if (TypingCanvas) TypingCanvas->hide();
  TCustomTextEvent::Hide();
  if (BookForm) BookForm->ReleaseKeys();
}

void TTextEvent::ReportResults() {
  TExercInfoView& view = *ExercInfoView;
  if (!EfficiencyCalc.HasScores(WordsTyped)) {
    view.HasResults = false;
    return;
  }
  view.KeepAsPrevious();
  view.HasResults = true;
  view.SetSpeed(EfficiencyCalc.Speed());
  view.SetSpeedGrade(EfficiencyCalc.SpeedLevelName());
  view.SetErrorRate(EfficiencyCalc.AccuracyScore());
  view.SetErrorsGrade(EfficiencyCalc.AccuracyLevelName());
  view.SetEfficiency(EfficiencyCalc.Efficiency());
  view.SetEfficiencyGrade(EfficiencyCalc.EfficiencyLevelName());
  view.SetBackSpaceRate(BackSpaceCounter.Percentage());
  view.SetBackSpaceGrade(BackSpaceCounter.LevelName());
  view.SetTip(StudyingTip.Comment());
}
