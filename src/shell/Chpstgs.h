// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "shell/FormRef.h"

class QLabel;
class TImage;

// The storage form of the lesson pages. Each panel is one page (338 x 428)
// that a view puts on the book as a whole: the lesson's title page, the
// exercise list page and the typing information page with the results of
// the last exercise.
class TChapterStgs : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageW = 338, kPageH = 428;

  explicit TChapterStgs(QWidget* parent = nullptr);
  ~TChapterStgs() override;

  // The lesson's title page: its picture and number. Chapter holds the
  // units digit and Chapter2, just left of it, the tens digit.
  QWidget* Panel1 = nullptr;
  TImage* ChpPicture = nullptr;
  QLabel* Chapter = nullptr;
  QLabel* Chapter2 = nullptr;
  QLabel* LessonCount = nullptr;

  // The exercise list page; the list goes at 40, 50, 265 wide.
  QWidget* Panel3 = nullptr;
  QLabel* ExercisesTitle = nullptr;
  // Row backgrounds of the exercise list (265 x 24), kept on the form.
  TImage* CompletedPic = nullptr;
  TImage* ActivePic = nullptr;
  TImage* InactivePic = nullptr;

  // The typing information page.
  QWidget* Panel4 = nullptr;
  QLabel* InfoTitle = nullptr;
  QLabel* ExerciseIDLbl = nullptr;
  QLabel* SpeedTitle = nullptr;
  QLabel* AccuracyTitle = nullptr;
  QLabel* BackSpaceTitle = nullptr;
  QLabel* EfficiencyTitle = nullptr;
  QLabel* SpeedLbl = nullptr;
  QLabel* ErrorsLbl = nullptr;
  QLabel* BackSpaceLbl = nullptr;
  QLabel* EfficiencyLbl = nullptr;
  QLabel* SpeedGradeLbl = nullptr;
  QLabel* ErrorsGradeLbl = nullptr;
  QLabel* BackSpaceGradeLbl = nullptr;
  QLabel* EfficiencyGradeLbl = nullptr;
  TImage* SpeedChange = nullptr;
  TImage* ErrorsChange = nullptr;
  TImage* BackSpaceChange = nullptr;
  TImage* EfficiencyChange = nullptr;
  QLabel* SpeedUnit = nullptr;
  QLabel* SpeedUnitNote = nullptr;
  QLabel* CommentatorTitle = nullptr;
  QLabel* TipLbl = nullptr;

 private:
  void CreateTitlePage();
  void CreateListPage();
  void CreateInfoPage();
};

extern TFormRef<TChapterStgs> ChapterStgs;
