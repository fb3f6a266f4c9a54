// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ReviStg.h"

#include <QComboBox>
#include <QLabel>

#include "platform/Files.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/FormControls.h"
#include "storage/FileObj.h"

TFormRef<TRevisionStg> RevisionStg;

namespace {

const char* kReviewStyle = R"(
QLabel { color: #3d2b1f; background: transparent; }
QLabel#WizardLbl, QLabel#StoryLbl, QLabel#BubblesLbl, QLabel#ZaroZiraLbl { color: #7a2b24; }
QLabel#WizardText { color: #5e4a3b; }
QComboBox {
  background: #fffdf8; color: #3d2b1f; border: 1px solid #d8caae; border-radius: 5px; padding: 1px 8px;
  font-family: "Liberation Sans"; font-size: 13px;
}
QComboBox:focus { border: 1px solid #3b7a52; }
QComboBox QAbstractItemView { background: #fffdf8; selection-background-color: #3b7a52; }
)";

// One choice: its picture, its caption, and a second line beside them.
struct Row {
  TImage* box;
  QLabel* caption;
};

Row MakeRow(QWidget* page, TReviewArt art, const char* box, const char* label, int top) {
  TImage* image = MakeImage(page, qx::Picture::None, box, QRect(18, top, 84, 84), true);
  image->SetBitmap(PaintReviewArt(art, QSize(84, 84)));
  image->setCursor(Qt::PointingHandCursor);
  QLabel* caption = MakeLabel(page, label, QRect(114, top + 2, 210, 26),
                              qx::PixelFont(QStringLiteral("Arial"), 19, true));
  caption->setCursor(Qt::PointingHandCursor);
  return {image, caption};
}

QComboBox* MakeChoice(QWidget* page, const char* name, int top, const QStringList& entries) {
  auto* combo = new QComboBox(page);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setGeometry(190, top, 134, 24);
  combo->addItems(entries);
  combo->setCursor(Qt::PointingHandCursor);
  return combo;
}

QLabel* SmallLabel(QWidget* page, const char* name, int top) {
  return MakeLabel(page, name, QRect(114, top, 74, 24), qx::PixelFont(QStringLiteral("Arial"), 13));
}

}  // namespace

TRevisionStg::TRevisionStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("RevisionStg"));
  resize(kPageW, kPageH);
  RevisionStg.Enter(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 0, kPageW, kPageH);
  SectionPicture = MakeImage(Panel1, qx::Picture::None, "SectionPicture", QRect(0, 0, kPageW, kPageH));
  SectionPicture->SetBitmap(PaintReviewArt(TReviewArt::Section, QSize(kPageW, kPageH)));

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setGeometry(0, 0, kPageW, kPageH);
  Panel2->setStyleSheet(QString::fromLatin1(kReviewStyle));

  Row wizard = MakeRow(Panel2, TReviewArt::Wizard, "WizardBox", "WizardLbl", 8);
  WizardBox = wizard.box;
  WizardLbl = wizard.caption;
  WizardText = MakeLabel(Panel2, "WizardText", QRect(114, 32, 214, 56), qx::PixelFont(QStringLiteral("Arial"), 13),
                         QColor(), QString(), Qt::AlignLeft | Qt::AlignTop, true);
  WizardText->setCursor(Qt::PointingHandCursor);

  Row story = MakeRow(Panel2, TReviewArt::Story, "StoryBox", "StoryLbl", 112);
  StoryBox = story.box;
  StoryLbl = story.caption;
  DurationLbl = SmallLabel(Panel2, "DurationLbl", 146);
  StoryTime = MakeChoice(Panel2, "StoryTime", 146,
                         {"5 min. (Short)", "10 min. (Normal)", "20 min. (Medium)", "30 min. (Long)"});

  Row bubbles = MakeRow(Panel2, TReviewArt::Bubbles, "BubblesBox", "BubblesLbl", 216);
  BubblesBox = bubbles.box;
  BubblesLbl = bubbles.caption;
  KeysLbl = SmallLabel(Panel2, "KeysLbl", 250);
  BubblesKeys = MakeChoice(Panel2, "BubblesKeys", 250, {"Studied Keys", "a-z", "a-z, A-Z", "a-z, A-Z, 0-9"});

  Row zaro = MakeRow(Panel2, TReviewArt::ZaroZira, "ZaroZiraBox", "ZaroZiraLbl", 320);
  ZaroZiraBox = zaro.box;
  ZaroZiraLbl = zaro.caption;
  VocabularyLbl = SmallLabel(Panel2, "VocabularyLbl", 354);
  QStringList vocabularies;
  // The forms are made before the program moves into its folder.
  for (const std::string& name : ListFilesWith(qx::ProgramDir() + "*.vcb", "Studied Keys"))
    vocabularies << qx::ToQt(name);
  ZaroZiraFileList = MakeChoice(Panel2, "ZaroZiraFileList", 354, vocabularies);

  WizardLbl->setText(QStringLiteral("&Review Wizard"));
  WizardText->setText(QStringLiteral("Click here and let Quillbrandex build an exercise for your personal needs."));
  StoryLbl->setText(QStringLiteral("&Story Typing"));
  DurationLbl->setText(QStringLiteral("&Duration"));
  BubblesLbl->setText(QStringLiteral("Play &Bubbles"));
  KeysLbl->setText(QStringLiteral("With &Keys"));
  ZaroZiraLbl->setText(QStringLiteral("Play &ZaroZira"));
  VocabularyLbl->setText(QStringLiteral("&Vocabulary"));
  // The page itself acts on the captions' Alt keys (Alt+W for ZaroZira), so
  // they only show their letter underlined, and no shortcut takes the key.
  for (QLabel* caption : {WizardLbl, StoryLbl, BubblesLbl, ZaroZiraLbl}) {
    QString text = caption->text().toHtmlEscaped();
    const int amp = text.indexOf(QLatin1String("&amp;"));
    if (amp >= 0) text.replace(amp, 6, QStringLiteral("<u>") + text.at(amp + 5) + QStringLiteral("</u>"));
    caption->setTextFormat(Qt::RichText);
    caption->setText(text);
  }
  DurationLbl->setBuddy(StoryTime);
  KeysLbl->setBuddy(BubblesKeys);
  VocabularyLbl->setBuddy(ZaroZiraFileList);
}

TRevisionStg::~TRevisionStg() { RevisionStg.Leave(this); }
