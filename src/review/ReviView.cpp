// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/ReviView.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ReviStg.h"
#include "storage/ToolBox.h"

namespace {

// Clicks on the captions act as clicks on their pictures.
class LabelClicks : public QObject {
 public:
  explicit LabelClicks(std::function<void(QObject*)> onClick) : onClick_(std::move(onClick)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      onClick_(watched);
      return true;
    }
    return false;
  }

 private:
  std::function<void(QObject*)> onClick_;
};

}  // namespace

void TRevisionPicture::Show() {
  TFormView::Show();
  if (BookForm && RevisionStg) AddControl(RevisionStg->Panel1, BookForm->LeftPage);
}

TRevisionView::TRevisionView() : TSectionPage("Review", 2) {}

TRevisionView::~TRevisionView() = default;

void TRevisionView::Show() {
  TSectionPage::Show();
  TRevisionStg* form = RevisionStg;
  if (!BookForm || !form) return;
  AddControl(form->Panel2, BookForm->RightPage);
  form->StoryTime->setCurrentIndex(0);
  form->BubblesKeys->setCurrentIndex(0);
  form->ZaroZiraFileList->setCurrentIndex(0);
  DurationChoice = 1;
  KeySetChoice = 1;
  VocabularyChoice = "-stud-";
  QObject::connect(form->StoryTime, &QComboBox::currentIndexChanged, Context(),
                   [this](int index) { DurationChoice = index + 1; });
  QObject::connect(form->BubblesKeys, &QComboBox::currentIndexChanged, Context(),
                   [this](int index) { KeySetChoice = index + 1; });
  QObject::connect(form->ZaroZiraFileList, &QComboBox::currentIndexChanged, Context(), [this, form](int index) {
    VocabularyChoice = index <= 0 ? "-stud-" : qx::FromQt(form->ZaroZiraFileList->itemText(index));
  });

  HookClick(form->WizardBox, [this](QWidget*) { Choose(kWizard); });
  HookClick(form->BubblesBox, [this](QWidget*) { Choose(kBubbles); });
  HookClick(form->ZaroZiraBox, [this](QWidget*) { Choose(kZaroZira); });
  HookClick(form->StoryBox, [this](QWidget*) { Choose(kStory); });
  labelClicks_ = std::make_unique<LabelClicks>([this, form](QObject* label) {
    int result = 0;
    if (label == form->WizardLbl || label == form->WizardText) result = kWizard;
    if (label == form->BubblesLbl) result = kBubbles;
    if (label == form->ZaroZiraLbl) result = kZaroZira;
    if (label == form->StoryLbl) result = kStory;
    if (result) Choose(result);
  });
  for (QLabel* label : {form->WizardLbl, form->WizardText, form->BubblesLbl, form->ZaroZiraLbl, form->StoryLbl})
    label->installEventFilter(labelClicks_.get());
  BookForm->FocusFirstControl();
}

void TRevisionView::Hide() {
  if (TRevisionStg* form = RevisionStg) {
    for (QComboBox* combo : {form->StoryTime, form->BubblesKeys, form->ZaroZiraFileList})
      QObject::disconnect(combo, nullptr, Context(), nullptr);
    for (QLabel* label : {form->WizardLbl, form->WizardText, form->BubblesLbl, form->ZaroZiraLbl, form->StoryLbl})
      label->removeEventFilter(labelClicks_.get());
    for (TImage* box : {form->WizardBox, form->BubblesBox, form->ZaroZiraBox, form->StoryBox}) box->OnClick = nullptr;
  }
  // The filter may be the caller: a click on a caption closes the page.
  if (labelClicks_) labelClicks_.release()->deleteLater();
  TSectionPage::Hide();
}

void TRevisionView::Choose(int result) {
  PlaySound(kSoundClick);
  SetResult(result);
}

void TRevisionView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  const Qt::KeyboardModifiers mods = shift & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
  if (mods == Qt::AltModifier) {
    int result = 0;
    if (key == Qt::Key_R) result = kWizard;
    if (key == Qt::Key_B) result = kBubbles;
    if (key == Qt::Key_W) result = kZaroZira;
    if (key == Qt::Key_S) result = kStory;
    if (result) {
      key = 0;
      Choose(result);
      return;
    }
  }
  TSectionPage::KeyDown(sender, key, shift);
}
