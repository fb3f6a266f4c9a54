// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Buildstg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>

#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"
#include "shell/ReviStg.h"

TFormRef<TBuilderStg> BuilderStg;

namespace {

constexpr int kLeft = 22;

const char* kWizardStyle = R"(
QLabel { color: #3d2b1f; background: transparent; }
QLabel#KeyLbl, QLabel#MethodLbl { color: #5e4a3b; }
QLabel#StudiedKeys { color: #2f5e3e; font-weight: bold; }
QLabel#DifKeys { color: #7a2b24; font-weight: bold; }
QRadioButton { color: #3d2b1f; font-family: "Liberation Sans"; font-size: 14px; spacing: 7px; }
QRadioButton:disabled { color: #a89a8a; }
QLineEdit {
  background: #fffdf8; color: #3d2b1f; border: 1px solid #d8caae; border-radius: 5px; padding: 1px 6px;
  font-family: "Liberation Mono"; font-size: 15px;
}
QLineEdit:focus { border: 1px solid #3b7a52; }
)";

QWidget* MakePage(QWidget* parent, const char* name) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::fromLatin1(name));
  page->setGeometry(0, 0, TBuilderStg::kPageW, TBuilderStg::kPageH);
  page->setStyleSheet(QString::fromLatin1(kWizardStyle));
  return page;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, int top) {
  auto* button = new QRadioButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(kLeft + 6, top, 290, 24);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

QLabel* Heading(QWidget* parent, const char* name, int top) {
  return MakeLabel(parent, name, QRect(kLeft, top, 290, 28), qx::PixelFont(QStringLiteral("Arial"), 21, true),
                   qx::art::colour::kLeather);
}

QLabel* Note(QWidget* parent, const char* name, int top) {
  return MakeLabel(parent, name, QRect(kLeft, top, 296, 20), qx::PixelFont(QStringLiteral("Arial"), 13, false, true));
}

QWidget* PreviewPage(QStackedWidget* stack, const char* name, TReviewArt art) {
  auto* page = new QWidget(stack);
  page->setObjectName(QString::fromLatin1(name));
  TImage* picture = MakeImage(page, qx::Picture::None, "Picture", QRect(0, 0, 180, 156));
  picture->SetBitmap(PaintReviewArt(art, QSize(180, 156)));
  stack->addWidget(page);
  return page;
}

}  // namespace

TBuilderStg::TBuilderStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BuilderStg"));
  resize(kPageW, kPageH);
  BuilderStg.Enter(this);

  LeftPage = MakePage(this, "LeftPage");
  KeysTitle = Heading(LeftPage, "KeysTitle", 10);
  KeyLbl = Note(LeftPage, "KeyLbl", 40);
  DifficultKeys = MakeRadio(LeftPage, "DifficultKeys", 64);
  DifKeys = MakeLabel(LeftPage, "DifKeys", QRect(kLeft + 32, 88, 270, 18),
                      qx::PixelFont(QStringLiteral("Liberation Mono"), 14, true));
  CurrentKeys = MakeRadio(LeftPage, "CurrentKeys", 110);
  StudiedKeys = MakeLabel(LeftPage, "StudiedKeys", QRect(kLeft + 32, 134, 270, 18),
                          qx::PixelFont(QStringLiteral("Liberation Mono"), 14, true));
  ChooseKeys = MakeRadio(LeftPage, "ChooseKeys", 156);
  YourKeys = new QLineEdit(LeftPage);
  YourKeys->setObjectName(QStringLiteral("YourKeys"));
  YourKeys->setGeometry(kLeft + 32, 182, 110, 24);
  YourKeys->setMaxLength(6);
  DiffKeysTitle = MakeLabel(LeftPage, "DiffKeysTitle", QRect(10, 218, 310, 18),
                            qx::PixelFont(QStringLiteral("Arial"), 12, true), qx::art::colour::kGoldDark.darker(115),
                            QString(), Qt::AlignHCenter | Qt::AlignVCenter);
  auto* keys = new QButtonGroup(LeftPage);
  for (QRadioButton* b : {DifficultKeys, CurrentKeys, ChooseKeys}) keys->addButton(b);

  RightPage = MakePage(this, "RightPage");
  MethodTitle = Heading(RightPage, "MethodTitle", 10);
  MethodLbl = Note(RightPage, "MethodLbl", 40);
  Keyboard = MakeRadio(RightPage, "Keyboard", 68);
  CrazySentences = MakeRadio(RightPage, "CrazySentences", 98);
  BubblesGame = MakeRadio(RightPage, "BubblesGame", 128);
  ZaroZiraGame = MakeRadio(RightPage, "ZaroZiraGame", 158);
  auto* methods = new QButtonGroup(RightPage);
  for (QRadioButton* b : {Keyboard, CrazySentences, BubblesGame, ZaroZiraGame}) methods->addButton(b);
  Preview = new QStackedWidget(RightPage);
  Preview->setObjectName(QStringLiteral("Preview"));
  Preview->setGeometry(79, 214, 180, 156);
  PreviewPage(Preview, "Page1", TReviewArt::Words);
  PreviewPage(Preview, "Page2", TReviewArt::Sentences);
  PreviewPage(Preview, "Page3", TReviewArt::BubblesPreview);
  PreviewPage(Preview, "Page4", TReviewArt::ZaroPreview);

  KeysTitle->setText(QStringLiteral("Choose Keys"));
  KeyLbl->setText(QStringLiteral("Choose the keys to be reviewed"));
  DifficultKeys->setText(QStringLiteral("Keys you have &difficulties with"));
  CurrentKeys->setText(QStringLiteral("Keys currently &studied"));
  ChooseKeys->setText(QStringLiteral("&Choose the keys yourself"));
  DiffKeysTitle->setText(QStringLiteral("D I F F I C U L T   K E Y S"));
  MethodTitle->setText(QStringLiteral("Choose Method"));
  MethodLbl->setText(QStringLiteral("Choose the method of review"));
  Keyboard->setText(QStringLiteral("Words with &keyboard"));
  CrazySentences->setText(QStringLiteral("Cra&zy Sentences typing"));
  BubblesGame->setText(QStringLiteral("B&ubbles game"));
  ZaroZiraGame->setText(QStringLiteral("&ZaroZira game"));
}

TBuilderStg::~TBuilderStg() { BuilderStg.Leave(this); }
