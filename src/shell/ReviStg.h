// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>

#include "shell/FormRef.h"

class QComboBox;
class QLabel;
class TImage;

// Pictures of the review pages, drawn for the size asked.
enum class TReviewArt { Section, Wizard, Story, Bubbles, ZaroZira, Words, Sentences, BubblesPreview, ZaroPreview };
QImage PaintReviewArt(TReviewArt art, QSize size);

// The storage form of the review section: the section picture for the left
// page and the four choices for the right page.
class TRevisionStg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPageW = 338, kPageH = 428;

  explicit TRevisionStg(QWidget* parent = nullptr);
  ~TRevisionStg() override;

  QWidget* Panel1 = nullptr;
  TImage* SectionPicture = nullptr;

  QWidget* Panel2 = nullptr;
  TImage* WizardBox = nullptr;
  QLabel* WizardLbl = nullptr;
  QLabel* WizardText = nullptr;
  TImage* StoryBox = nullptr;
  QLabel* StoryLbl = nullptr;
  QLabel* DurationLbl = nullptr;
  QComboBox* StoryTime = nullptr;
  TImage* BubblesBox = nullptr;
  QLabel* BubblesLbl = nullptr;
  QLabel* KeysLbl = nullptr;
  QComboBox* BubblesKeys = nullptr;
  TImage* ZaroZiraBox = nullptr;
  QLabel* ZaroZiraLbl = nullptr;
  QLabel* VocabularyLbl = nullptr;
  QComboBox* ZaroZiraFileList = nullptr;
};

extern TFormRef<TRevisionStg> RevisionStg;
