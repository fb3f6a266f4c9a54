// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "shell/FormRef.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class TImage;

// The storage form of the review wizard: the choice of keys with the
// difficult keys for the left page, the method with its preview for the
// right page.
class TBuilderStg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageW = 338, kPageH = 428;

  explicit TBuilderStg(QWidget* parent = nullptr);
  ~TBuilderStg() override;

  QWidget* LeftPage = nullptr;
  QLabel* KeysTitle = nullptr;
  QLabel* KeyLbl = nullptr;
  QRadioButton* DifficultKeys = nullptr;
  QRadioButton* CurrentKeys = nullptr;
  QLabel* StudiedKeys = nullptr;
  QRadioButton* ChooseKeys = nullptr;
  QLineEdit* YourKeys = nullptr;
  QLabel* DiffKeysTitle = nullptr;
  QLabel* DifKeys = nullptr;

  QWidget* RightPage = nullptr;
  QLabel* MethodTitle = nullptr;
  QLabel* MethodLbl = nullptr;
  QRadioButton* Keyboard = nullptr;
  QRadioButton* CrazySentences = nullptr;
  QRadioButton* BubblesGame = nullptr;
  QRadioButton* ZaroZiraGame = nullptr;
  QStackedWidget* Preview = nullptr;  // pages "Page1" ... "Page4"
};

extern TFormRef<TBuilderStg> BuilderStg;
