// SPDX-License-Identifier: GPL-3.0-or-later
// The studying profile: which course, and how long a lesson takes.
#include <QLabel>
#include <algorithm>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include "content/Contents.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/Addvstg.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Guidedst.h"
#include "shell/Main.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

// The preview's geometry; its width keeps the lines inside the page.
constexpr QRect kPreview(25, 37, 305, 350);
constexpr uint32_t kPreviewInk = 0x808080;

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

std::string CourseFile(const std::string& name) { return name + ".cnt"; }

}  // namespace

TStdProfileView::TStdProfileView() = default;

TStdProfileView::~TStdProfileView() {
  delete Canvas.data();
  delete PreviewArea.data();
}

bool TStdProfileView::Prepare() {
  CourseFiles = ListFiles("*.cnt");
  if (!CourseFiles.empty()) return false;
  ReportError(-6123, "");
  HaltProgram();
  return true;
}

void TStdProfileView::Show() {
  TFormView::Show();
  TBookForm* book = BookForm;
  TAddViewsStg* form = AddViewsStg;
  if (!book || !form) return;
  book->SetLayout(2);
  book->TitleConsole->show();
  book->SetTitle("Studying Profile");

  form->ContentsList->clear();
  int preselect = 0;
  for (size_t i = 0; i < CourseFiles.size(); ++i) {
    TTextFile file;
    std::string description;
    if (file.Open(CourseFile(CourseFiles[i]), kTextRead) == kFileOpen) description = file.Description;
    file.Close();
    if (TrimBlanks(description).empty()) description = CourseFiles[i];
    form->ContentsList->addItem(qx::ToQt(description));
    if (Settings && (qx::SameTextCp1252(CourseFile(CourseFiles[i]), Settings->DefaultContents) ||
                     qx::SameTextCp1252(CourseFile(CourseFiles[i]), qx::FileNameOf(Settings->DefaultContents))))
      preselect = int(i);
  }

  AddControl(form->WizardL, book->LeftPage);
  AddControl(form->WizardR, book->RightPage);
  if (!PreviewArea) {
    PreviewArea = new QScrollArea(form);
    PreviewArea->setObjectName(QStringLiteral("ProfilePreview"));
    PreviewArea->setFrameShape(QFrame::NoFrame);
    PreviewArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PreviewArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PreviewArea->setFocusPolicy(Qt::NoFocus);
    PreviewArea->setStyleSheet(QStringLiteral(
        "QScrollArea { background: transparent; }"
        "QScrollBar:vertical { width: 8px; background: transparent; margin: 0; }"
        "QScrollBar::handle:vertical { background: #c9b48a; border-radius: 4px; min-height: 24px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    PreviewArea->hide();
  }
  if (!Canvas) {
    Canvas = new TViewCanvas(PreviewArea);
    Canvas->setObjectName(QStringLiteral("ProfileCanvas"));
    PreviewArea->setWidget(Canvas);
    PreviewArea->viewport()->setAutoFillBackground(false);
  }
  PreviewArea->setGeometry(kPreview);
  Canvas->resize(kPreview.size());
  Canvas->setFont(qx::PointFont(QStringLiteral("Arial"), 12));
  Canvas->SetColor(TAddViewsStg::kPreviewPaper);
  Canvas->SetFontColor(kPreviewInk);
  Canvas->TextColor = kPreviewInk;
  Canvas->SetMode(3);
  Canvas->show();
  PreviewArea->show();
  AddControl(PreviewArea, book->RightPage);
  PreviewArea->raise();

  form->Time45->setChecked(true);
  if (Settings) CheckMinutes(Settings->LessonDuration, -1);
  ShowGauge();
  const bool courseLocked = Settings && Settings->ContentsFromCommon;
  const bool timeLocked = Settings && Settings->DurationFromCommon;
  form->ContentsList->setEnabled(!courseLocked);
  form->ProgramLocked->setVisible(courseLocked);
  for (QRadioButton* b : {form->Time25, form->Time35, form->Time45, form->TimeFree}) {
    b->setEnabled(!timeLocked);
    connections_.push_back(QObject::connect(b, &QRadioButton::toggled, Context(), [this] { ShowGauge(); }));
  }
  form->TimeLocked->setVisible(timeLocked);
  connections_.push_back(QObject::connect(form->ContentsList, &QListWidget::currentRowChanged, Context(),
                                          [this](int row) { ChooseCourse(row); }));
  form->ContentsList->setCurrentRow(-1);
  form->ContentsList->setCurrentRow(preselect);

  book->SetConsolePicture(2);
  book->SetButtons(TBookForm::kNext | TBookForm::kBack);
  HookNextAndBack();
  book->RouteKeys(this);
  form->ContentsList->setFocus();
}

void TStdProfileView::Hide() {
  for (const auto& c : connections_) QObject::disconnect(c);
  connections_.clear();
  if (TBookForm* book = BookForm) {
    book->ReleaseKeys();
    book->Next->OnClick = nullptr;
    book->Back->OnClick = nullptr;
    book->SetButtons(0);
  }
  TFormView::Hide();
  if (PreviewArea) PreviewArea->hide();
}

void TStdProfileView::Close(bool& veto) {
  const bool wasActive = Active;
  TFormView::Close(veto);
  if (veto || !wasActive || ResultCode != 1 || !User) return;
  User->LessonDuration = CheckedMinutes();
  User->ContentsFile = ContentsFileName;
}

void TStdProfileView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  const Qt::KeyboardModifiers mods = shift & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
  int result = 0;
  if (mods == Qt::NoModifier && IsEnter(key)) result = 1;
  if (mods == Qt::NoModifier && key == Qt::Key_Escape) result = 2;
  // The Alt keys underlined on the Next and Back buttons.
  if (mods == Qt::AltModifier && key == Qt::Key_N) result = 1;
  if (mods == Qt::AltModifier && key == Qt::Key_B) result = 2;
  if (!result) return;
  key = 0;
  PlaySound(kSoundClick);
  SetResult(result);
}

void TStdProfileView::ChooseCourse(int index) {
  TAddViewsStg* form = AddViewsStg;
  if (!form || index < 0 || index >= int(CourseFiles.size())) return;
  const std::string name = CourseFile(CourseFiles[index]);
  ContentsFileName = name;

  TTextFile file;
  if (file.Open(name, kTextRead) == kFileOpen)
    form->DescriptionLbl->setText(qx::ToQt(file.LongDesc));
  else
    form->DescriptionLbl->setText(QStringLiteral("Problems with file"));
  file.Close();

  int error = 0;
  const auto course = TContents::CreateHeadersOnly(name, error);
  if (Settings && Settings->LessonDuration == 0) CheckMinutes(course->DefaultTime, 0);
  std::string lines;
  for (const std::string& title : course->ChapterTitles(true)) lines += title + "\r";
  FitPreview(lines);
}

void TStdProfileView::FitPreview(const std::string& lines) {
  if (!Canvas || !PreviewArea) return;
  // Each lesson title is a line, and a long one may wrap: the canvas grows
  // until its page holds every word, and the area scrolls over it.
  const int titles = int(std::count(lines.begin(), lines.end(), '\r'));
  const int barRoom = 10;
  int rows = titles + 1;
  for (int tries = 0; tries < 4; ++tries) {
    const int height = std::max(kPreview.height(), Canvas->LineTop(rows + 1) + Canvas->MarginBottom);
    const bool scrolls = height > kPreview.height();
    Canvas->resize(kPreview.width() - (scrolls ? barRoom : 0), height);
    Canvas->SetText(lines);
    if (Canvas->PageEnd >= int(lines.size())) break;
    rows *= 2;
  }
  PreviewArea->verticalScrollBar()->setValue(0);
}

void TStdProfileView::CheckMinutes(int minutes, int none) {
  TAddViewsStg* form = AddViewsStg;
  if (!form) return;
  if (minutes == 25) form->Time25->setChecked(true);
  if (minutes == 35) form->Time35->setChecked(true);
  if (minutes == 45) form->Time45->setChecked(true);
  if (minutes == none) form->TimeFree->setChecked(true);
}

int TStdProfileView::CheckedMinutes() const {
  const TAddViewsStg* form = AddViewsStg;
  if (!form) return 45;
  if (form->Time25->isChecked()) return 25;
  if (form->Time35->isChecked()) return 35;
  if (form->TimeFree->isChecked()) return 0;
  return 45;
}

void TStdProfileView::ShowGauge() {
  if (AddViewsStg) AddViewsStg->LessonGraph->SetProgress(CheckedMinutes());
}
