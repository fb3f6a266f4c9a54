// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptiStg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "platform/QtDraw.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"

TFormRef<TOptioStg> OptioStg;

namespace {

namespace colour = qx::art::colour;

constexpr int kLeft = 22, kWidth = 296;

const char* kOptionsStyle = R"(
QLabel { color: #3d2b1f; background: transparent; }
QLabel#SoundsTitle, QLabel#LessonTitle, QLabel#FontsTitle, QLabel#KeyboardTitle, QLabel#ThemeTitle,
QLabel#MeasuringLabel { color: #7a2b24; }
QLabel#NoteLbl, QLabel#AutoLayout { color: #5e4a3b; }
QLabel#SoundsLocked, QLabel#TimeLocked, QLabel#KeyboardLocked, QLabel#ThemeLocked, QLabel#UnitLocked {
  color: #8a4a1c; background: #f8e5c4; border: 1px solid #dcb76e; border-radius: 9px; padding: 0 8px;
}
QRadioButton, QCheckBox { color: #3d2b1f; font-family: "Liberation Sans"; font-size: 14px; spacing: 7px; }
QRadioButton:disabled, QCheckBox:disabled { color: #9a8a7a; }
QComboBox {
  background: #fffdf8; color: #3d2b1f; border: 1px solid #d8caae; border-radius: 5px; padding: 1px 8px;
  font-family: "Liberation Sans"; font-size: 14px;
}
QComboBox:focus { border: 1px solid #3b7a52; }
QComboBox:disabled { color: #9a8a7a; background: #f6efe2; }
QComboBox QAbstractItemView { background: #fffdf8; selection-background-color: #3b7a52; }
)";

QWidget* MakePage(QWidget* parent, const char* name) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::fromLatin1(name));
  page->setGeometry(0, 0, TOptioStg::kPageW, TOptioStg::kPageH);
  page->setStyleSheet(QString::fromLatin1(kOptionsStyle));
  return page;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QRect& geometry, const char* text) {
  auto* button = new QRadioButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

QButtonGroup* Group(QWidget* parent, std::initializer_list<QAbstractButton*> buttons) {
  auto* group = new QButtonGroup(parent);
  for (QAbstractButton* b : buttons) group->addButton(b);
  return group;
}

QLabel* Heading(QWidget* parent, const char* name, int y, const char* text) {
  return MakeLabel(parent, name, QRect(kLeft, y, 190, 26), qx::PixelFont(QStringLiteral("Arial"), 19, true),
                   QColor(), QString::fromLatin1(text));
}

QLabel* Locked(QWidget* parent, const char* name, int y, const char* what) {
  QLabel* label = MakeLabel(parent, name, QRect(kLeft + kWidth - 70, y + 4, 70, 19),
                            qx::PixelFont(QStringLiteral("Arial"), 12, true), QColor(),
                            QStringLiteral("Locked"), Qt::AlignCenter);
  label->setToolTip(QStringLiteral("Your administrator has set %1 for every workstation.").arg(QLatin1String(what)));
  label->hide();
  return label;
}

QLabel* Question(QWidget* parent, const char* name, int y, const char* text) {
  return MakeLabel(parent, name, QRect(kLeft, y, kWidth, 20), qx::PixelFont(QStringLiteral("Arial"), 14),
                   QColor(), QString::fromLatin1(text));
}

void Rule(QWidget* parent, int y) { MakeRule(parent, QRect(kLeft, y, kWidth, 1)); }

}  // namespace

TOptioStg::TOptioStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("OptioStg"));
  resize(kPageW, kPageH);
  OptioStg.Enter(this);
  const int x2 = kLeft + 150;

  Panel1 = MakePage(this, "Panel1");
  SoundsTitle = Heading(Panel1, "SoundsTitle", 6, "Sounds");
  SoundsLocked = Locked(Panel1, "SoundsLocked", 6, "the sound effects");
  Rule(Panel1, 33);
  SoundsLbl = Question(Panel1, "SoundsLbl", 40, "Do you want to hear sound effects?");
  SoundButton1 = MakeRadio(Panel1, "SoundButton1", QRect(kLeft + 8, 64, 120, 24), "&Yes");
  SoundButton2 = MakeRadio(Panel1, "SoundButton2", QRect(x2, 64, 120, 24), "&No");
  SoundGroup = Group(Panel1, {SoundButton1, SoundButton2});

  LessonTitle = Heading(Panel1, "LessonTitle", 110, "Lesson Duration");
  TimeLocked = Locked(Panel1, "TimeLocked", 110, "the lesson length");
  Rule(Panel1, 137);
  LessonLbl = Question(Panel1, "LessonLbl", 144, "How long should a single lesson take?");
  lesson1 = MakeRadio(Panel1, "lesson1", QRect(kLeft + 8, 168, 130, 24), "&25 minutes");
  lesson2 = MakeRadio(Panel1, "lesson2", QRect(kLeft + 8, 194, 130, 24), "&35 minutes");
  lesson3 = MakeRadio(Panel1, "lesson3", QRect(x2, 168, 140, 24), "&45 minutes");
  lessonfree = MakeRadio(Panel1, "lessonfree", QRect(x2, 194, 140, 24), "No &time limits");
  LessonGroup = Group(Panel1, {lesson1, lesson2, lesson3, lessonfree});

  FontsTitle = Heading(Panel1, "FontsTitle", 240, "Fonts");
  Rule(Panel1, 267);
  FontsLbl = Question(Panel1, "FontsLbl", 274, "Which font size is used in exercises?");
  NormalFont = MakeRadio(Panel1, "NormalFont", QRect(kLeft + 8, 298, 120, 24), "N&ormal");
  LargeFont = MakeRadio(Panel1, "LargeFont", QRect(x2, 298, 120, 24), "&Large");
  FontGroup = Group(Panel1, {NormalFont, LargeFont});

  Panel2 = MakePage(this, "Panel2");
  QFont spaced = qx::PixelFont(QStringLiteral("Arial"), 12, true);
  GeneralTitle = MakeLabel(Panel2, "GeneralTitle", QRect(15, 2, 310, 16), spaced, QColor(),
                           QStringLiteral("General Settings"), Qt::AlignCenter);
  GeneralTitle->setStyleSheet(QStringLiteral("color: #86672f; letter-spacing: 2px;"));

  KeyboardTitle = Heading(Panel2, "KeyboardTitle", 20, "Keyboard");
  KeyboardLocked = Locked(Panel2, "KeyboardLocked", 20, "the keyboard layout");
  Rule(Panel2, 47);
  KeyboardLbl = Question(Panel2, "KeyboardLbl", 52, "Which keyboard layout do you use?");
  AutoDetect = MakeRadio(Panel2, "AutoDetect", QRect(kLeft + 8, 75, 112, 24), "&Autodetect:");
  AutoLayout = MakeLabel(Panel2, "AutoLayout", QRect(kLeft + 124, 75, 170, 24),
                         qx::PixelFont(QStringLiteral("Arial"), 14, true));
  UserLayout = MakeRadio(Panel2, "UserLayout", QRect(kLeft + 8, 102, 112, 24), "&Choose:");
  Layout = new QComboBox(Panel2);
  Layout->setObjectName(QStringLiteral("Layout"));
  Layout->setGeometry(kLeft + 124, 101, 170, 26);
  Layout->setCursor(Qt::PointingHandCursor);
  LayoutGroup = Group(Panel2, {AutoDetect, UserLayout});
  // The keyboard keeps the proportions of its 502 x 170 design.
  KeybPanel = new QWidget(Panel2);
  KeybPanel->setObjectName(QStringLiteral("KeybPanel"));
  KeybPanel->setGeometry(kLeft - 6, 134, kWidth + 12, 104);
  NoteLbl = MakeLabel(Panel2, "NoteLbl", QRect(kLeft, 240, kWidth, 18),
                      qx::PixelFont(QStringLiteral("Arial"), 12, false, true), QColor(),
                      QStringLiteral("Match the highlighted chars on your keyboard"), Qt::AlignCenter);

  ThemeTitle = Heading(Panel2, "ThemeTitle", 264, "Theme");
  ThemeLocked = Locked(Panel2, "ThemeLocked", 264, "the theme sound");
  Rule(Panel2, 291);
  GeneralTheme = new QCheckBox(QStringLiteral("&Play a theme sound"), Panel2);
  GeneralTheme->setObjectName(QStringLiteral("GeneralTheme"));
  GeneralTheme->setGeometry(kLeft + 8, 297, 250, 24);
  GeneralTheme->setCursor(Qt::PointingHandCursor);

  MeasuringLabel = Heading(Panel2, "MeasuringLabel", 330, "Speed Unit");
  UnitLocked = Locked(Panel2, "UnitLocked", 330, "the speed unit");
  Rule(Panel2, 357);
  CpsChoice = MakeRadio(Panel2, "CpsChoice", QRect(kLeft + 8, 364, 200, 24), "Char&s/min. (cpm)");
  WpmChoice = MakeRadio(Panel2, "WpmChoice", QRect(kLeft + 8, 390, 200, 24), "&Words/min. (wpm)");
  UnitGroup = Group(Panel2, {CpsChoice, WpmChoice});
}

TOptioStg::~TOptioStg() { OptioStg.Leave(this); }
