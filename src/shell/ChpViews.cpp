// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ChpViews.h"

#include <QLabel>
#include <cmath>
#include <cstdio>

#include "engine/Analyzer.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Chpstgs.h"
#include "shell/Generstg.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

TExercInfoView* ExercInfoView = nullptr;
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

}  // namespace

// ---- TExercInfoView ---------------------------------------------------

TExercInfoView::TExercInfoView() {
  if (!ExercInfoView) ExercInfoView = this;
}

TExercInfoView::~TExercInfoView() {
  if (ExercInfoView == this) ExercInfoView = nullptr;
}

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
  HasResults = false;
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
  if (ChapterStgs) ShowTrend(ChapterStgs->SpeedChange, false, 20, float(PrevSpeed), float(v));
}

void TExercInfoView::SetEfficiency(int v) {
  Efficiency = v;
  if (User) User->LastEfficiency = v;
  if (!ChapterStgs) return;
  SetText(ChapterStgs->EfficiencyLbl, v < 0 ? "-" : Percent(v));
  ShowTrend(ChapterStgs->EfficiencyChange, true, 10, float(PrevEfficiency), float(v));
}

void TExercInfoView::SetErrorRate(float v) {
  ErrorRate = v;
  if (User) User->LastErrors = v;
  if (!ChapterStgs) return;
  SetText(ChapterStgs->ErrorsLbl, v < 0 ? "-" : Percent(RoundEven(v)));
  ShowTrend(ChapterStgs->ErrorsChange, false, 10, PrevErrorRate, v);
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
