// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Addviews.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

#include "engine/Viewcanv.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Eviewstg.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"

TFormRef<TTopTenView> TopTenView;

namespace {

// The story's header, or a closed file when it cannot be opened.
int OpenStory(const std::string& name, TTextFile& file) { return file.Open(name, kTextRead); }

}  // namespace

// ---- TChooseTextView --------------------------------------------------

TChooseTextView::TChooseTextView() = default;

TChooseTextView::~TChooseTextView() { delete PreviewCanvas.data(); }

int TChooseTextView::ListStories(const std::string& mask, const std::string& customPath) {
  std::vector<std::string> names = ListFiles(mask);
  const size_t k = names.size();
  const std::string custom = customPath.empty() ? std::string() : qx::WithTrailingSlash(customPath);
  // A custom folder that is missing simply adds nothing.
  if (!custom.empty())
    for (const std::string& name : ListFiles(custom + "*.txt")) names.push_back(name);
  entries_.clear();
  FileNames.clear();
  if (EventViewStg) {
    EventViewStg->TextList->clear();
    EventViewStg->Copyright->clear();
  }
  const std::string extension = mask.size() > 2 ? mask.substr(2) : std::string();
  int result = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string file = i < k ? names[i] + "." + extension : custom + names[i] + ".txt";
    TTextFile text;
    const int status = OpenStory(file, text);
    result = status == kFileOpen ? 0 : status;
    FileNames.push_back(file);
    entries_.push_back(!text.Description.empty() ? text.Author + ";" + text.Description
                                                 : "[User file];" + names[i]);
    text.Close();
    if (EventViewStg) EventViewStg->TextList->addItem(qx::ToQt(entries_.back()));
  }
  if (!FileNames.empty()) SelectedFile = FileNames.front();
  return result;
}

void TChooseTextView::Show() {
  TFormView::Show();
  if (!BookForm || !EventViewStg) return;
  TEventViewStg& form = *EventViewStg;
  BookForm->SetLayout(2);
  BookForm->SetTitle("Story Typing");
  BookForm->SetButtons(TBookForm::kNext | TBookForm::kBack);
  AddControl(form.Page1, BookForm->LeftPage);
  AddControl(form.Page2, BookForm->RightPage);
  form.Page1->show();
  form.Page2->show();

  if (!PreviewCanvas) {
    PreviewCanvas = new TViewCanvas(form.Page2);
    PreviewCanvas->setGeometry(25, 55, 300, 170);
    PreviewCanvas->setFont(qx::PointFont(QStringLiteral("Arial"), 10));
    PreviewCanvas->SetFontColor(0x808080);
    PreviewCanvas->SetColor(0xFFFFFF);
    PreviewCanvas->SetMode(3);
  }
  PreviewCanvas->hide();

  std::string continueText = LastStory;
  TTextFile last;
  if (!LastStory.empty() && OpenStory(LastStory, last) == kFileOpen)
    continueText = last.Description + " by " + last.Author;
  last.Close();
  form.ContinueLabel->setText(qx::ToQt(continueText));

  form.TextList->clearSelection();
  form.TextList->setCurrentRow(-1);
  if (!LastStory.empty()) {
    form.Continue->setEnabled(true);
    form.Continue->setChecked(true);
    form.Continue->setFocus();
  } else {
    form.Continue->setEnabled(false);
    form.NewStory->setChecked(true);
    form.ContinueLabel->setText(QStringLiteral("(No stories started)"));
    if (!FileNames.empty()) Preview(0);
    form.NewStory->setFocus();
  }

  QObject::connect(form.TextList, &QListWidget::itemClicked, Context(),
                   [this](QListWidgetItem* item) { Preview(EventViewStg->TextList->row(item)); });
  QObject::connect(form.TextList, &QListWidget::currentRowChanged, Context(), [this](int row) {
    if (row >= 0 && EventViewStg->TextList->hasFocus()) Preview(row);
  });
  QObject::connect(form.NewStory, &QRadioButton::clicked, Context(), [this] {
    PlaySound(kSoundClick);
    QListWidget* list = EventViewStg->TextList;
    if (list->currentRow() < 0 && list->count() > 0) Preview(0);
    list->setFocus();
  });
  QObject::connect(form.Continue, &QRadioButton::clicked, Context(), [] { PlaySound(kSoundClick); });
  for (TImage* button : {BookForm->Next, BookForm->Back})
    HookClick(button, [this](QWidget* sender) { ButtonClick(sender); });
  BookForm->RouteKeys(this);
}

void TChooseTextView::Preview(int row) {
  if (!EventViewStg || row < 0 || row >= int(FileNames.size())) return;
  TEventViewStg& form = *EventViewStg;
  form.NewStory->setChecked(true);
  if (form.TextList->currentRow() != row) form.TextList->setCurrentRow(row);
  form.TextList->item(row)->setSelected(true);
  SelectedFile = FileNames[size_t(row)];
  TTextFile file;
  std::string text;
  if (OpenStory(SelectedFile, file) == kFileOpen) {
    form.Copyright->setText(qx::ToQt(file.Copyright));
    text = file.LongDesc;
    if (text.empty()) file.ReadAll(text);
  } else {
    form.Copyright->clear();
  }
  file.Close();
  if (PreviewCanvas) {
    PreviewCanvas->SetText(text, 0);
    PreviewCanvas->show();
  }
}

void TChooseTextView::ButtonClick(QObject* sender) {
  PlaySound(kSoundClick);
  const QString name = sender ? sender->objectName() : QString();
  if (name == QLatin1String("Next"))
    SetResult(EventViewStg && EventViewStg->NewStory->isChecked() ? kChooseNewStory : kChooseContinue);
  else if (name == QLatin1String("Back"))
    SetResult(kChooseBack);
}

void TChooseTextView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  TFormView::KeyDown(sender, key, shift);
  if (!key || !BookForm) return;
  const Qt::KeyboardModifiers mods =
      shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  TImage* target = nullptr;
  if ((mods == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter)) ||
      (mods == Qt::AltModifier && key == Qt::Key_N))
    target = BookForm->Next;
  else if ((mods == Qt::NoModifier && key == Qt::Key_Escape) || (mods == Qt::AltModifier && key == Qt::Key_B))
    target = BookForm->Back;
  if (!target) return;
  key = 0;
  ButtonClick(target);
}

void TChooseTextView::Hide() {
  if (PreviewCanvas) PreviewCanvas->hide();
  if (BookForm) {
    BookForm->ReleaseKeys();
    BookForm->SetButtons(0);
  }
  TFormView::Hide();
}

// ---- TTopTenView ------------------------------------------------------

TTopTenView::TTopTenView() {
  TopTenView.Enter(this);
  if (EventViewStg)
    for (int n = 0; n < 10; ++n) {
      NameLabels.push_back(EventViewStg->Names[size_t(n)]);
      PointsLabels.push_back(EventViewStg->Points[size_t(n)]);
      DateLabels.push_back(EventViewStg->Dates[size_t(n)]);
    }
}

TTopTenView::~TTopTenView() { TopTenView.Leave(this); }

bool TTopTenView::Asking() const {
  return Rank >= 1 && Rank <= 10 && EventViewStg && !EventViewStg->NameBox->isHidden();
}

void TTopTenView::EnterScore(const std::string& tableName, const std::string& studentName, int score) {
  // A name still being asked for from an earlier game is kept first.
  ConfirmName();
  Table = std::make_unique<TtopTen>();
  const int rank = Table->EnterScore(tableName, score, studentName);
  Rank = rank > 0 && rank <= Table->Count ? rank : 0;
  if (Rank > 0) entry_ = Table->Entries[Rank];
  ShowRows();
  if (!EventViewStg) return;
  const bool winner = Rank >= 1 && Rank <= 10;
  EventViewStg->Congratulations->setVisible(winner);
  QLineEdit* box = EventViewStg->NameBox;
  box->setVisible(winner);
  if (winner) {
    const QLabel* label = NameLabels[size_t(Rank - 1)];
    box->move(label->x() - 2, label->y() - 4 + (label->height() + 8 - box->height()) / 2);
    box->setText(qx::ToQt(studentName));
    box->selectAll();
    box->raise();
  }
}

void TTopTenView::ShowRows() {
  if (!Table) return;
  const std::vector<std::string> lines = Table->GetList(10);
  for (size_t n = 0; n < NameLabels.size(); ++n) {
    std::vector<std::string> fields(3);
    if (n < lines.size()) {
      const std::string& line = lines[n];
      const size_t a = line.find(';'), b = line.find(';', a + 1);
      fields = {line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1)};
    }
    NameLabels[n]->setText(qx::ToQt(fields[0]));
    PointsLabels[n]->setText(qx::ToQt(fields[1]));
    DateLabels[n]->setText(qx::ToQt(fields[2]));
    // The new entry stands out.
    QFont font = NameLabels[n]->font();
    font.setBold(int(n) + 1 == Rank);
    NameLabels[n]->setFont(font);
  }
}

void TTopTenView::ConfirmName() {
  if (!Asking() || !Table) return;
  std::string name = TrimBlanks(qx::FromQt(EventViewStg->NameBox->text()));
  if (name.empty()) name = "Anonymous";
  EventViewStg->NameBox->hide();
  Table->RenameEntry(entry_, name);
  entry_.Name = Cut255(name);
  ShowRows();
}

void TTopTenView::Show() {
  TFormView::Show();
  if (!BookForm || !EventViewStg) return;
  AddControl(EventViewStg->TopTenPanel, BookForm->LeftPage);
  EventViewStg->TopTenPanel->show();
  if (Asking()) {
    // After the other page has taken the focus for itself.
    QTimer::singleShot(0, Context(), [] {
      if (EventViewStg && !EventViewStg->NameBox->isHidden()) EventViewStg->NameBox->setFocus();
    });
  }
}

void TTopTenView::Hide() {
  ConfirmName();
  TFormView::Hide();
}

void TTopTenView::KeyPress(QObject* sender, unsigned char& key) {
  TFormView::KeyPress(sender, key);
  // The name box takes the characters itself, so that the other page's
  // shortcut keys do not fire while a name is typed.
  if (!key || !Asking() || !EventViewStg->NameBox->hasFocus()) return;
  QLineEdit* box = EventViewStg->NameBox;
  if (key == 8)
    box->backspace();
  else if (key >= 32)
    box->insert(qx::ToQt(std::string(1, char(key))));
  else
    return;
  key = 0;
}

void TTopTenView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  TFormView::KeyDown(sender, key, shift);
  if (!key || !Asking()) return;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    key = 0;
    ConfirmName();
  }
}
