// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Buildvw.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>

#include "engine/Diffkeys.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Buildstg.h"
#include "shell/Graph.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

constexpr int kDifficultSlots = 8;
constexpr uint32_t kMaroon = 0x000080, kNavy = 0x800000, kYellow = 0x00FFFF;

}  // namespace

TBuilderView::TBuilderView() {
  TBuilderStg* form = BuilderStg;
  if (!form) return;
  Graph = new TGraph(form->LeftPage);
  Graph->setObjectName(QStringLiteral("BuilderGraph"));
  Graph->setGeometry(10, 242, 310, 180);
  Graph->SetStyle(TGraph::kBar);
  Graph->PlotBrush = QBrush(qx::ToQColor(kYellow));
  Graph->BarBrush = QBrush(qx::ToQColor(kYellow));
  Graph->GraphPen = QPen(Qt::black, 1);
  Graph->MinValue = 0;
  Graph->MaxValue = 100;
  Graph->ScaleStep = 20;
  Graph->AddBand("Problematic", kMaroon, 100);
  Graph->AddBand("Difficult", kMaroon, 80);
  Graph->AddBand("Good", kNavy, 50);
}

TBuilderView::~TBuilderView() { delete Graph.data(); }

void TBuilderView::FillDifficultKeys() {
  TBuilderStg* form = BuilderStg;
  if (!form || !Graph) return;
  Graph->Values.clear();
  Graph->Labels.clear();
  std::string difficult;
  TDifficultKeys* keys = User ? User->DifficultKeys : nullptr;
  for (int slot = 1; slot <= kDifficultSlots; ++slot) {
    const bool used = keys && slot <= keys->OrderCount() && keys->KeyAt(slot) != 0;
    const float rate = used ? keys->DifficultyAt(slot) : -1;
    if (rate < 0) {
      Graph->AddPoint("", -1);
      continue;
    }
    const char key = char(keys->KeyAt(slot));
    Graph->AddPoint(std::string(1, key), rate);
    if (rate >= 50) difficult += key;
  }
  form->DifKeys->setText(qx::ToQt(difficult));
  form->DifficultKeys->setEnabled(!difficult.empty());
  if (!difficult.empty())
    form->DifficultKeys->setChecked(true);
  else
    form->CurrentKeys->setChecked(true);
  if (!form->CurrentKeys->isEnabled() && !form->DifficultKeys->isEnabled()) form->ChooseKeys->setChecked(true);
  Graph->update();
}

void TBuilderView::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  TBuilderStg* form = BuilderStg;
  if (!book || !form) return;
  book->SetLayout(2);
  book->TitleConsole->show();
  book->SetTitle("Review Wizard");
  AddControl(form->LeftPage, book->LeftPage);
  AddControl(form->RightPage, book->RightPage);
  FillDifficultKeys();
  ShowPreview();

  auto click = [this](auto&& then) {
    return [this, then] {
      PlaySound(kSoundClick);
      then();
    };
  };
  QObject::connect(form->ChooseKeys, &QRadioButton::clicked, Context(), click([form] { form->YourKeys->setFocus(); }));
  for (QRadioButton* b : {form->DifficultKeys, form->CurrentKeys})
    QObject::connect(b, &QRadioButton::clicked, Context(), click([] {}));
  for (QRadioButton* b : {form->Keyboard, form->CrazySentences, form->BubblesGame, form->ZaroZiraGame})
    QObject::connect(b, &QRadioButton::clicked, Context(), click([this] { ShowPreview(); }));
  QObject::connect(form->YourKeys, &QLineEdit::textEdited, Context(), [form] { form->ChooseKeys->setChecked(true); });

  book->SetConsolePicture(2);
  book->SetButtons(TBookForm::kNext | TBookForm::kBack);
  HookNextAndBack();
  book->RouteKeys(this);
  book->FocusFirstControl();
}

void TBuilderView::Hide() {
  if (TBuilderStg* form = BuilderStg) {
    for (QObject* control : std::initializer_list<QObject*>{form->ChooseKeys, form->DifficultKeys, form->CurrentKeys,
                                                            form->Keyboard, form->CrazySentences, form->BubblesGame,
                                                            form->ZaroZiraGame, form->YourKeys})
      QObject::disconnect(control, nullptr, Context(), nullptr);
  }
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    book->Next->OnClick = nullptr;
    book->Back->OnClick = nullptr;
    book->SetButtons(0);
  }
  TFormView::Hide();
}

void TBuilderView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  const Qt::KeyboardModifiers mods = shift & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
  int result = 0;
  if (mods == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter)) result = 1;
  if (mods == Qt::NoModifier && key == Qt::Key_Escape) result = 2;
  if (mods == Qt::AltModifier && key == Qt::Key_N) result = 1;
  if (mods == Qt::AltModifier && key == Qt::Key_B) result = 2;
  if (!result) return;
  key = 0;
  PlaySound(kSoundClick);
  SetResult(result);
}

void TBuilderView::ShowPreview() {
  TBuilderStg* form = BuilderStg;
  if (!form) return;
  int page = 0;
  if (form->CrazySentences->isChecked()) page = 1;
  if (form->BubblesGame->isChecked()) page = 2;
  if (form->ZaroZiraGame->isChecked()) page = 3;
  form->Preview->setCurrentIndex(page);
}
