// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

#include "shell/FormRef.h"
#include "shell/Formview.h"

class TUser;

// The pages that frame a lesson in the book. They borrow their controls
// from the lesson storage form (Chpstgs.h).

// ---- Typing information page ------------------------------------------

// The results of the last typing exercise with the trend since the one
// before and the commentator's advice, on the left page of the lesson.
// Speeds are characters per minute, the other values percentages; a
// negative value means none.
class TExercInfoView : public TFormView {
 public:
  TExercInfoView();
  ~TExercInfoView() override;

  void Show() override;

  void SetSpeed(int v);
  void SetEfficiency(int v);
  void SetErrorRate(float v);  // the accuracy score shown under "Accuracy"
  void SetBackSpaceRate(float v);
  void SetSpeedGrade(const std::string& text);
  void SetErrorsGrade(const std::string& text);
  void SetBackSpaceGrade(const std::string& text);
  void SetEfficiencyGrade(const std::string& text);
  void SetTip(const std::string& text);
  void SetExerciseId(const std::string& id);
  // The current values become the ones the next results are compared with.
  void KeepAsPrevious();
  // The student's results of the last session, to compare the first new
  // ones with.
  void ReceiveUserResults(const TUser& user);

  int Speed = -1;
  int Efficiency = -1;
  float BackSpaceRate = -1.0f;
  float ErrorRate = -1.0f;
  int PrevSpeed = -1;
  int PrevEfficiency = -1;
  float PrevBackSpaceRate = -1.0f;
  float PrevErrorRate = -1.0f;
  bool HasPrevious = false;
  std::string Tip;
  std::string SpeedGrade;
  std::string BackSpaceGrade;
  std::string ErrorsGrade;
  std::string EfficiencyGrade;
  std::string ExerciseId;
  // Fresh results of a text exercise, not yet shown; cleared once the page
  // has opened.
  bool HasResults = false;

 private:
  void ShowSpeed();
  // Each score's tooltip says in plain words what its value means.
  void ExplainScores();
};

// The program's information page; none before the program creates it.
extern TFormRef<TExercInfoView> ExercInfoView;

// The lesson page while a lesson runs, none otherwise: a text exercise
// puts the information page on its left.
extern TFormView* ChapterView;

// ---- Lesson pages -----------------------------------------------------

class QLabel;
class TChapter;
class TExerciseList;

// The lesson's title page on the left: its picture and number.
class TChpBeginView : public TFormView {
 public:
  void Show() override;
};

// The list of the lesson's exercises on the right page. It ends with 1
// (begin the selected exercise), 2 (cancel), 3 (previous lesson) or 4
// (next lesson); SelectedExercise holds the row chosen.
class TChpContentsView : public TFormView {
 public:
  TChpContentsView();
  ~TChpContentsView() override;

  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;
  void ButtonClick(QObject* sender);

  const TChapter* ChapterObject = nullptr;
  int SelectedExercise = 1;
  TExerciseList* List = nullptr;
  bool AllowSkipForward = true;
  bool AllowSkipBack = true;
  bool AllowCancel = false;
  // The introduction keeps no marks, so it shows none either.
  bool ShowMarks = true;

 private:
  int ButtonMask() const;
  void ConnectButton(QWidget* button);

  std::unique_ptr<QWidget> home_;  // where the list and its note live off the page
  QLabel* note_ = nullptr;         // the lesson's extra description under the list
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The lesson page: routes the book's keys to its two page views, and
// closes with the result the exercise list page closed with.
class TChapterView : public TFormView {
 public:
  // The results page when the exercise information is on the left.
  int HelpTopic() const override;
  void Show() override;
  void Hide() override;

 private:
  bool armed_ = false;
};
