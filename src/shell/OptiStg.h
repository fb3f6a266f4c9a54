// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "shell/FormRef.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

// The storage form of the options pages: sounds, lesson length and the
// exercise font for the left page; keyboard layout, theme tune and speed
// unit for the right page. The "Locked" labels show what an administrator
// fixed for every workstation.
class TOptioStg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageW = 338, kPageH = 428;

  explicit TOptioStg(QWidget* parent = nullptr);
  ~TOptioStg() override;

  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;
  QLabel* LessonLbl = nullptr;
  QRadioButton* lesson1 = nullptr;
  QRadioButton* lesson2 = nullptr;
  QRadioButton* lesson3 = nullptr;
  QRadioButton* lessonfree = nullptr;
  QLabel* LessonTitle = nullptr;
  QRadioButton* SoundButton2 = nullptr;
  QRadioButton* SoundButton1 = nullptr;
  QRadioButton* AutoDetect = nullptr;
  QLabel* AutoLayout = nullptr;
  QComboBox* Layout = nullptr;
  QRadioButton* UserLayout = nullptr;
  QWidget* KeybPanel = nullptr;
  QLabel* SoundsLbl = nullptr;
  QLabel* KeyboardLbl = nullptr;
  QLabel* NoteLbl = nullptr;
  QLabel* SoundsTitle = nullptr;
  QLabel* KeyboardTitle = nullptr;
  QLabel* ThemeTitle = nullptr;
  QLabel* FontsTitle = nullptr;
  QCheckBox* GeneralTheme = nullptr;
  QLabel* FontsLbl = nullptr;
  QRadioButton* NormalFont = nullptr;
  QRadioButton* LargeFont = nullptr;
  QLabel* GeneralTitle = nullptr;
  QLabel* MeasuringLabel = nullptr;
  QRadioButton* CpsChoice = nullptr;
  QRadioButton* WpmChoice = nullptr;
  QLabel* SoundsLocked = nullptr;
  QLabel* TimeLocked = nullptr;
  QLabel* KeyboardLocked = nullptr;
  QLabel* ThemeLocked = nullptr;
  QLabel* UnitLocked = nullptr;

  // Each set of choices is one group, since they share their page.
  QButtonGroup* LessonGroup = nullptr;
  QButtonGroup* SoundGroup = nullptr;
  QButtonGroup* LayoutGroup = nullptr;
  QButtonGroup* FontGroup = nullptr;
  QButtonGroup* UnitGroup = nullptr;
};

extern TFormRef<TOptioStg> OptioStg;
