// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ChpViews.h"

#include <QLabel>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content/Chapter.h"
#include "engine/Analyzer.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/Bookfrm.h"
#include "shell/Chpstgs.h"
#include "shell/Exrclist.h"
#include "shell/Generstg.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

TFormRef<TExercInfoView> ExercInfoView;
TFormView* ChapterView = nullptr;

namespace {

// Halves go to the even neighbour, as every score rounds.
long RoundEven(double x) { return std::lrint(x); }

void SetText(QLabel* label, const std::string& cp1252) {
  if (label) label->setText(qx::ToQt(cp1252));
}

std::string Percent(long v) { return std::to_string(v) + " %"; }

void ShowTrend(TImage* picture, bool secondSet, float threshold, float previous, float current) {
  if (!picture) return;
  // Without a value of its own there is nothing to compare.
  if (!GeneralStg || current < 0)
    picture->Clear();
  else
    picture->Assign(*GeneralStg->TrendPicture(secondSet, threshold, previous, current));
}

QString Decimal(double v) { return QString::number(v, 'f', 1); }

void Explain(QLabel* title, QLabel* value, const QString& text) {
  for (QLabel* label : {title, value})
    if (label) label->setToolTip(text);
}

}  // namespace

// ---- TExercInfoView ---------------------------------------------------

TExercInfoView::TExercInfoView() { ExercInfoView.Enter(this); }

TExercInfoView::~TExercInfoView() { ExercInfoView.Leave(this); }

void TExercInfoView::Show() {
  TFormView::Show();
  TChapterStgs* form = ChapterStgs;
  if (!form) return;
  if (BookForm) {
    AddControl(form->Panel4, BookForm->LeftPage);
    form->Panel4->move(0, 0);
    form->Panel4->show();
  }
  SetText(form->SpeedUnit, Settings ? Settings->SpeedUnitText() : "cpm");
  if (HasResults) {
    ShowSpeed();  // the unit may have changed since the speed was set
  } else {
    for (QLabel* value : {form->SpeedLbl, form->ErrorsLbl, form->BackSpaceLbl, form->EfficiencyLbl})
      value->setText(QStringLiteral("-"));
    for (QLabel* grade :
         {form->SpeedGradeLbl, form->ErrorsGradeLbl, form->BackSpaceGradeLbl, form->EfficiencyGradeLbl})
      grade->clear();
    for (TImage* trend :
         {form->SpeedChange, form->ErrorsChange, form->BackSpaceChange, form->EfficiencyChange})
      trend->Clear();
    SetText(form->TipLbl, kShortTimeText);
  }
  ExplainScores();
  HasResults = false;
}

void TExercInfoView::ExplainScores() {
  TChapterStgs* form = ChapterStgs;
  if (!form) return;
  const bool shown = form->SpeedLbl->text() != QLatin1String("-");
  const QString unit = qx::ToQt(Settings ? Settings->SpeedUnitText() : "cpm");
  const bool words = unit == QLatin1String("wpm");
  QString speed = words ? QStringLiteral("words (of five characters) you typed a minute")
                        : QStringLiteral("characters you typed a minute");
  QString accuracy = QStringLiteral(
      "100 means no errors, 50 means 95 % of the characters right, 0 means 90 % or fewer");
  QString backSpace = QStringLiteral(
      "the share of BackSpace among all the keys you pressed; 0 % is best, 10 % or more is the lowest "
      "level. A key typed again after BackSpace also counts as a difficult key");
  QString efficiency = QStringLiteral(
      "combines your accuracy and your speed levels (their harmonic mean), so it is high only when both "
      "are");
  if (shown) {
    speed = QStringLiteral("Speed %1 %2: %3.").arg(form->SpeedLbl->text(), unit, speed);
    const double right = 90.0 + std::clamp(double(ErrorRate), 0.0, 100.0) / 10.0;
    accuracy = QStringLiteral("Accuracy %1: you typed %2 % of the characters right; %3.")
                   .arg(RoundEven(ErrorRate))
                   .arg(Decimal(right), accuracy);
    backSpace = QStringLiteral("BackSpace %1 %: %2 of every 100 keys you pressed were BackSpace, %3.")
                    .arg(Decimal(BackSpaceRate), Decimal(BackSpaceRate), backSpace);
    efficiency = QStringLiteral("Efficiency %1 %: %2.").arg(Efficiency).arg(efficiency);
  } else {
    speed = QStringLiteral("Speed: %1.").arg(speed);
    accuracy = QStringLiteral("Accuracy: %1.").arg(accuracy);
    backSpace = QStringLiteral("BackSpace: %1.").arg(backSpace);
    efficiency = QStringLiteral("Efficiency: %1.").arg(efficiency);
  }
  Explain(form->SpeedTitle, form->SpeedLbl, speed);
  Explain(form->AccuracyTitle, form->ErrorsLbl, accuracy);
  Explain(form->BackSpaceTitle, form->BackSpaceLbl, backSpace);
  Explain(form->EfficiencyTitle, form->EfficiencyLbl, efficiency);
}

void TExercInfoView::ShowSpeed() {
  if (!ChapterStgs) return;
  const float shown = Settings ? Settings->DisplaySpeed(float(Speed)) : float(Speed);
  SetText(ChapterStgs->SpeedLbl, Speed < 0 ? "-" : std::to_string(RoundEven(shown)));
}

void TExercInfoView::SetSpeed(int v) {
  Speed = v;
  if (User) User->LastSpeed = v;
  ShowSpeed();
  if (!ChapterStgs) return;
  ShowTrend(ChapterStgs->SpeedChange, false, 20, float(PrevSpeed), float(v));
  ExplainScores();
}

void TExercInfoView::SetEfficiency(int v) {
  Efficiency = v;
  if (User) User->LastEfficiency = v;
  if (!ChapterStgs) return;
  SetText(ChapterStgs->EfficiencyLbl, v < 0 ? "-" : Percent(v));
  ShowTrend(ChapterStgs->EfficiencyChange, true, 10, float(PrevEfficiency), float(v));
  ExplainScores();
}

void TExercInfoView::SetErrorRate(float v) {
  ErrorRate = v;
  if (User) User->LastErrors = v;
  if (!ChapterStgs) return;
  SetText(ChapterStgs->ErrorsLbl, v < 0 ? "-" : Percent(RoundEven(v)));
  ShowTrend(ChapterStgs->ErrorsChange, false, 10, PrevErrorRate, v);
  ExplainScores();
}

void TExercInfoView::SetBackSpaceRate(float v) {
  BackSpaceRate = v;
  if (User) User->LastBackSpace = v;
  if (!ChapterStgs) return;
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %%", double(v));
  SetText(ChapterStgs->BackSpaceLbl, v < 0 ? "-" : text);
  // Less BackSpace is better: a fall shows as a rise.
  ShowTrend(ChapterStgs->BackSpaceChange, false, -3, PrevBackSpaceRate, v);
  ExplainScores();
}

void TExercInfoView::SetSpeedGrade(const std::string& text) {
  SpeedGrade = Cut255(text);
  if (ChapterStgs) SetText(ChapterStgs->SpeedGradeLbl, SpeedGrade);
}

void TExercInfoView::SetErrorsGrade(const std::string& text) {
  ErrorsGrade = Cut255(text);
  if (ChapterStgs) SetText(ChapterStgs->ErrorsGradeLbl, ErrorsGrade);
}

void TExercInfoView::SetBackSpaceGrade(const std::string& text) {
  BackSpaceGrade = Cut255(text);
  if (ChapterStgs) SetText(ChapterStgs->BackSpaceGradeLbl, BackSpaceGrade);
}

void TExercInfoView::SetEfficiencyGrade(const std::string& text) {
  EfficiencyGrade = Cut255(text);
  if (ChapterStgs) SetText(ChapterStgs->EfficiencyGradeLbl, EfficiencyGrade);
}

void TExercInfoView::SetTip(const std::string& text) {
  Tip = Cut255(text);
  if (ChapterStgs) SetText(ChapterStgs->TipLbl, Tip);
}

void TExercInfoView::SetExerciseId(const std::string& id) {
  ExerciseId = Cut255(id);
  if (ChapterStgs) SetText(ChapterStgs->ExerciseIDLbl, ExerciseId.empty() ? "" : "Exercise " + ExerciseId);
}

void TExercInfoView::KeepAsPrevious() {
  PrevSpeed = Speed;
  PrevEfficiency = Efficiency;
  PrevBackSpaceRate = BackSpaceRate;
  PrevErrorRate = ErrorRate;
  HasPrevious = true;
}

void TExercInfoView::ReceiveUserResults(const TUser& user) {
  const int speed = user.LastSpeed, efficiency = user.LastEfficiency;
  const float errors = user.LastErrors, backSpace = user.LastBackSpace;
  SetSpeed(speed);
  SetErrorRate(errors);
  SetBackSpaceRate(backSpace);
  SetEfficiency(efficiency);
}

// ---- Lesson pages -------------------------------------------------------

namespace {

const QColor kNoteInk(0x7a, 0x66, 0x55);

QPixmap RowPicture(const TImage* image) { return image ? image->Pixmap() : QPixmap(); }

}  // namespace

void TChpBeginView::Show() {
  TFormView::Show();
  if (!ChapterStgs || !BookForm) return;
  AddControl(ChapterStgs->Panel1, BookForm->LeftPage);
  ChapterStgs->Panel1->move(0, 0);
  ChapterStgs->Panel1->show();
}

TChpContentsView::TChpContentsView() : home_(std::make_unique<QWidget>()) {
  List = new TExerciseList(home_.get());
  List->OnDoubleClick = [this](TExerciseList*) {
    if (Active) ButtonClick(BookForm ? BookForm->BeginB : nullptr);
  };
  note_ = new QLabel(home_.get());
  note_->setObjectName(QStringLiteral("ExtraDesc"));
  note_->setFont(qx::PixelFont(QStringLiteral("Times New Roman"), 16, false, true));
  note_->setWordWrap(true);
  note_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QPalette pal = note_->palette();
  pal.setColor(QPalette::WindowText, kNoteInk);
  note_->setPalette(pal);
}

TChpContentsView::~TChpContentsView() {
  *alive_ = false;
  // The list must leave the page before its home goes.
  RestoreControls();
}

int TChpContentsView::ButtonMask() const {
  int mask = TBookForm::kBeginB;
  if (AllowSkipBack) mask |= TBookForm::kSkipB;
  if (AllowSkipForward) mask |= TBookForm::kSkipF;
  if (AllowCancel) mask |= TBookForm::kCancel;
  return mask;
}

void TChpContentsView::ConnectButton(QWidget* button) {
  auto* image = qobject_cast<TImage*>(button);
  if (!image) return;
  HookClick(image, [alive = alive_, this](QWidget* sender) {
    if (*alive && Active) ButtonClick(sender);
  });
}

void TChpContentsView::Show() {
  TFormView::Show();
  if (!BookForm) return;
  BookForm->SetButtons(ButtonMask());
  for (TImage* b : {BookForm->BeginB, BookForm->SkipF, BookForm->SkipB, BookForm->Cancel})
    ConnectButton(b);
  BookForm->BeginB->setFocus(Qt::OtherFocusReason);
  if (ChapterStgs) {
    AddControl(ChapterStgs->Panel3, BookForm->RightPage);
    ChapterStgs->Panel3->move(0, 0);
    ChapterStgs->Panel3->show();
    List->SetActivePicture(RowPicture(ChapterStgs->ActivePic));
    List->SetDonePicture(RowPicture(ChapterStgs->CompletedPic));
    List->SetInactivePicture(RowPicture(ChapterStgs->InactivePic));
    if (ChapterStgs->ActivePic) List->SetRowHeight(ChapterStgs->ActivePic->height() + 3);
  }
  // The gaps between the rows show the page's paper, not the list's green.
  List->SetColor(qx::FromQColor(qx::art::colour::kPaper));
  List->SetColumns(30, 67, 210);
  List->SetMaxRows(8);
  List->SetChapter(ChapterObject);
  List->setGeometry(40, 50, 265, List->height());
  List->Select(SelectedExercise);
  if (ChapterObject && ShowMarks && User)
    for (int r = 1; r < List->RowCount; ++r)
      List->SetDone(r, User->ExerciseMark(ChapterObject->ChapterNumber, r) == 1);
  AddControl(List, BookForm->RightPage);
  List->show();
  List->raise();

  const std::string extra = ChapterObject ? ChapterObject->ExtraDesc : std::string();
  note_->setText(qx::ToQt(extra));
  const int top = List->y() + List->height() + 18;
  note_->setGeometry(40, top, 265, std::max(0, TChapterStgs::kPageH - top - 12));
  if (!extra.empty()) {
    AddControl(note_, BookForm->RightPage);
    note_->show();
    note_->raise();
  }
}

void TChpContentsView::Hide() {
  SelectedExercise = List->Selected;
  // The handlers stay on the buttons (one may be running now); they do
  // nothing once this page has closed.
  if (BookForm) BookForm->SetButtons(0);
  TFormView::Hide();
}

void TChpContentsView::ButtonClick(QObject* sender) {
  if (!Active || !sender) return;
  const QString name = sender->objectName();
  int code = 0;
  if (name == QLatin1String("BeginB"))
    code = 1;
  else if (name == QLatin1String("Cancel") && AllowCancel)
    code = 2;
  else if (name == QLatin1String("SkipB") && AllowSkipBack)
    code = 3;
  else if (name == QLatin1String("SkipF") && AllowSkipForward)
    code = 4;
  if (!code) return;
  PlaySound(kSoundClick);
  SetResult(code);
}

void TChpContentsView::KeyPress(QObject*, unsigned char& key) {
  if (!Active || key < '1' || key > '9') return;
  const int row = key - '0';
  key = 0;
  const int exercises = ChapterObject ? ChapterObject->ExerciseCount() : 0;
  if (row > exercises || row > List->RowCount) return;
  List->Select(row);
  ButtonClick(BookForm ? BookForm->BeginB : nullptr);
}

void TChpContentsView::KeyDown(QObject*, int& key, Qt::KeyboardModifiers shift) {
  if (!Active || !key || !BookForm) return;
  const Qt::KeyboardModifiers mods =
      shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  QWidget* target = nullptr;
  if (mods == Qt::AltModifier) {
    switch (key) {
      case Qt::Key_B:
        target = BookForm->BeginB;
        break;
      case Qt::Key_S:
      case Qt::Key_N:  // underlined on the button
        target = BookForm->SkipF;
        break;
      case Qt::Key_K:
      case Qt::Key_P:  // underlined on the button
        target = BookForm->SkipB;
        break;
      case Qt::Key_C:
        target = BookForm->Cancel;
        break;
      default:
        return;
    }
  } else if (mods == Qt::NoModifier) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
      target = BookForm->BeginB;
    else if (key == Qt::Key_Escape && AllowCancel)
      target = BookForm->Cancel;
    else if (List->MoveByKey(key))
      key = 0;
  }
  if (!target) return;
  key = 0;
  ButtonClick(target);
}

int TChapterView::HelpTopic() const {
  return LeftView && LeftView == ExercInfoView ? help::kResults : help::kLesson;
}

void TChapterView::Show() {
  TFormView::Show();
  if (BookForm) {
    BookForm->SetLayout(2);
    BookForm->SetConsolePicture(2);
    BookForm->RouteKeys(this);
  }
  // One shot: the list page's result becomes the lesson page's.
  armed_ = RightView != nullptr;
  if (RightView)
    RightView->OnClose = [this](TFormView* sender) {
      if (!armed_ || !Active || sender->ResultCode == 0) return;
      armed_ = false;
      SetResult(sender->ResultCode);
    };
}

void TChapterView::Hide() {
  armed_ = false;
  if (BookForm) BookForm->ReleaseKeys();
  TFormView::Hide();
}
