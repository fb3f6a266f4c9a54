// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <array>

#include "shell/FormRef.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

// The storage form of the pages shown around an exercise: the story
// chooser (Page1 with the list, Page2 with the preview) and the top-ten
// table. Each panel is one page of the book, 338 x 428.
class TEventViewStg : public QWidget {
  Q_OBJECT

 public:
  explicit TEventViewStg(QWidget* parent = nullptr);
  ~TEventViewStg() override;

  QWidget* Page1 = nullptr;
  QRadioButton* Continue = nullptr;
  QLabel* ContinueLabel = nullptr;
  QRadioButton* NewStory = nullptr;
  // Entries are "author;title"; the list draws the two fields in columns.
  QListWidget* TextList = nullptr;

  QWidget* Page2 = nullptr;
  QLabel* PreviewTitle = nullptr;
  QLabel* Copyright = nullptr;

  QWidget* TopTenPanel = nullptr;
  QLabel* Congratulations = nullptr;
  QLineEdit* NameBox = nullptr;
  std::array<QLabel*, 10> Names{};
  std::array<QLabel*, 10> Points{};
  std::array<QLabel*, 10> Dates{};
};

extern TFormRef<TEventViewStg> EventViewStg;
