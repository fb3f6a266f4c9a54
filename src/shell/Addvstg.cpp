// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Addvstg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"

TFormRef<TAddViewsStg> AddViewsStg;

namespace {

namespace colour = qx::art::colour;

constexpr QRect kPage(0, 0, 338, 428);
constexpr int kLeft = 22, kWidth = 296;

const char* kWizardStyle = R"(
QLabel { color: #3d2b1f; background: transparent; }
QLabel#CourseTitle, QLabel#LessonTitle { color: #7a2b24; }
QLabel#DescriptionLbl { color: #5e4a3b; }
QLabel#ProgramLocked, QLabel#TimeLocked {
  color: #8a4a1c; background: #f8e5c4; border: 1px solid #dcb76e; border-radius: 9px; padding: 0 8px;
}
QLabel#LessonNote { color: #8a7058; }
QListWidget {
  background: #fffdf8; color: #3d2b1f; border: 1px solid #d8caae; border-radius: 6px; padding: 2px;
  font-family: "Liberation Sans"; font-size: 14px; outline: none;
}
QListWidget:focus { border: 1px solid #3b7a52; }
QListWidget::item { padding: 3px 6px; border-radius: 4px; }
QListWidget::item:selected { background: #3b7a52; color: white; }
QListWidget:disabled { color: #9a8a7a; background: #f6efe2; }
QListWidget::item:selected:disabled { background: #b7a88f; color: white; }
QRadioButton { color: #3d2b1f; font-family: "Liberation Sans"; font-size: 14px; spacing: 7px; }
QRadioButton:disabled { color: #9a8a7a; }
)";

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QRect& geometry, const char* text) {
  auto* button = new QRadioButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

QFont Heading() { return qx::PixelFont(QStringLiteral("Arial"), 21, true); }

void Rule(QWidget* parent, int y) { MakeRule(parent, QRect(kLeft, y, kWidth, 1)); }

}  // namespace

TAddViewsStg::TAddViewsStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AddViewsStg"));
  resize(kPage.size());
  AddViewsStg.Enter(this);
  const QFont body = qx::PixelFont(QStringLiteral("Arial"), 14);
  const QFont small = qx::PixelFont(QStringLiteral("Arial"), 12, true);

  WizardL = new QWidget(this);
  WizardL->setObjectName(QStringLiteral("WizardL"));
  WizardL->setGeometry(kPage);
  WizardL->setStyleSheet(QString::fromLatin1(kWizardStyle));

  CourseTitle = MakeLabel(WizardL, "CourseTitle", QRect(kLeft, 4, 150, 28), Heading(), QColor(),
                          QStringLiteral("Course"));
  ProgramLocked = MakeLabel(WizardL, "ProgramLocked", QRect(178, 9, 140, 19), small, QColor(),
                            QStringLiteral("Set for everyone"), Qt::AlignCenter);
  ProgramLocked->setToolTip(QStringLiteral("Your administrator has chosen the course for every workstation."));
  ProgramLocked->hide();
  Rule(WizardL, 33);
  CourseQuestion = MakeLabel(WizardL, "CourseQuestion", QRect(kLeft, 38, kWidth, 22), body, QColor(),
                             QStringLiteral("Which &course would you prefer?"));
  ContentsList = new QListWidget(WizardL);
  ContentsList->setObjectName(QStringLiteral("ContentsList"));
  ContentsList->setGeometry(kLeft, 61, kWidth, 58);
  ContentsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  CourseQuestion->setBuddy(ContentsList);
  DescriptionLbl = MakeLabel(WizardL, "DescriptionLbl", QRect(kLeft + 2, 124, kWidth - 2, 92),
                             qx::PixelFont(QStringLiteral("Arial"), 13), QColor(), QString(),
                             Qt::AlignLeft | Qt::AlignTop);
  DescriptionLbl->setWordWrap(true);

  LessonTitle = MakeLabel(WizardL, "LessonTitle", QRect(kLeft, 220, 150, 28), Heading(), QColor(),
                          QStringLiteral("Lesson"));
  TimeLocked = MakeLabel(WizardL, "TimeLocked", QRect(178, 225, 140, 19), small, QColor(),
                         QStringLiteral("Set for everyone"), Qt::AlignCenter);
  TimeLocked->setToolTip(QStringLiteral("Your administrator has chosen the lesson length for every workstation."));
  TimeLocked->hide();
  Rule(WizardL, 249);
  LessonQuestion = MakeLabel(WizardL, "LessonQuestion", QRect(kLeft, 254, kWidth, 22), body, QColor(),
                             QStringLiteral("How long should a single lesson take?"));
  Time25 = MakeRadio(WizardL, "Time25", QRect(kLeft + 8, 280, 130, 24), "&25 minutes");
  Time35 = MakeRadio(WizardL, "Time35", QRect(kLeft + 8, 306, 130, 24), "&35 minutes");
  Time45 = MakeRadio(WizardL, "Time45", QRect(kLeft + 150, 280, 140, 24), "&45 minutes");
  TimeFree = MakeRadio(WizardL, "TimeFree", QRect(kLeft + 150, 306, 140, 24), "No &time limits");
  auto* group = new QButtonGroup(WizardL);
  for (QRadioButton* b : {Time25, Time35, Time45, TimeFree}) group->addButton(b);
  LessonGraph = new TGauge(WizardL);
  LessonGraph->setObjectName(QStringLiteral("LessonGraph"));
  LessonGraph->setGeometry(kLeft + 8, 342, kWidth - 16, 14);
  LessonGraph->SetRange(0, 45);
  LessonGraph->SetColours(colour::kPaperShade, QColor(0x3b, 0x7a, 0x52));
  LessonNote = MakeLabel(WizardL, "LessonNote", QRect(kLeft + 8, 362, kWidth - 16, 20),
                         qx::PixelFont(QStringLiteral("Arial"), 13, false, true), QColor(),
                         QStringLiteral("Note: first lessons may be shorter."));

  WizardR = new QWidget(this);
  WizardR->setObjectName(QStringLiteral("WizardR"));
  WizardR->setGeometry(kPage);
  QFont spaced = qx::PixelFont(QStringLiteral("Arial"), 12, true);
  PreviewTitle = MakeLabel(WizardR, "PreviewTitle", QRect(25, 12, 290, 18), spaced, QColor(),
                           QStringLiteral("C O N T E N T S   P R E V I E W"));
  QPalette pal = PreviewTitle->palette();
  pal.setColor(QPalette::WindowText, colour::kGoldDark.darker(115));
  PreviewTitle->setPalette(pal);
  // The contents preview lies on a card of its own colour.
  PreviewFrame = new QWidget(WizardR);
  PreviewFrame->setObjectName(QStringLiteral("PreviewFrame"));
  PreviewFrame->setGeometry(17, 31, 319, 364);
  PreviewFrame->setAttribute(Qt::WA_StyledBackground);
  PreviewFrame->setStyleSheet(QStringLiteral(
      "#PreviewFrame { background: #fffdf8; border: 1px solid #e6d8bc; border-radius: 8px; }"));
}

TAddViewsStg::~TAddViewsStg() { AddViewsStg.Leave(this); }
