// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <cstdint>

#include "shell/FormRef.h"

class QLabel;
class QListWidget;
class QRadioButton;
class TGauge;

// The storage form of the studying profile: the course and lesson length
// choices for the left page and the contents preview's frame for the
// right page.
class TAddViewsStg : public QWidget {
  Q_OBJECT

 public:
  explicit TAddViewsStg(QWidget* parent = nullptr);
  ~TAddViewsStg() override;

  QWidget* WizardL = nullptr;
  QLabel* CourseTitle = nullptr;
  QLabel* CourseQuestion = nullptr;
  QListWidget* ContentsList = nullptr;
  QLabel* DescriptionLbl = nullptr;
  QLabel* ProgramLocked = nullptr;
  QLabel* LessonTitle = nullptr;
  QLabel* LessonQuestion = nullptr;
  QRadioButton* Time25 = nullptr;
  QRadioButton* Time35 = nullptr;
  QRadioButton* Time45 = nullptr;
  QRadioButton* TimeFree = nullptr;
  TGauge* LessonGraph = nullptr;
  QLabel* LessonNote = nullptr;
  QLabel* TimeLocked = nullptr;

  QWidget* WizardR = nullptr;
  QLabel* PreviewTitle = nullptr;
  QWidget* PreviewFrame = nullptr;  // behind the view's contents canvas
  static constexpr uint32_t kPreviewPaper = 0xF8FDFF;  // its colour, 0x00BBGGRR
};

extern TFormRef<TAddViewsStg> AddViewsStg;
