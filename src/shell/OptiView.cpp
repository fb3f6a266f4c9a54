// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OptiView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <memory>

#include "engine/KeyData.h"
#include "engine/Keyboard.h"
#include "platform/CodePage.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/Bookfrm.h"
#include "shell/Main.h"
#include "shell/OptiStg.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

constexpr uint32_t kKeyboardBack = 0xC0DCC0;
constexpr const char* kNotAvailable = "Not available";

// Checks one button of an exclusive group, or none.
void CheckOnly(QButtonGroup* group, QAbstractButton* button) {
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(b == button);
  group->setExclusive(true);
}

void Lock(std::initializer_list<QWidget*> controls, QLabel* locked, bool on) {
  for (QWidget* c : controls) c->setEnabled(!on);
  locked->setVisible(on);
}

}  // namespace

TOptionsView::TOptionsView() : TSectionPage("Settings", 2) {
  if (OptioStg) Keyboard = new TKeyboard(OptioStg->KeybPanel, KeyData);
}

TOptionsView::~TOptionsView() { delete Keyboard.data(); }

void TOptionsView::ShowLayoutChoice() {
  TOptioStg* form = OptioStg;
  std::vector<std::string> names = Settings->KeyboardLayouts;
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return qx::UpperCp1252(a) < qx::UpperCp1252(b); });
  form->Layout->clear();
  int selected = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    form->Layout->addItem(qx::ToQt(names[i]));
    if (qx::SameTextCp1252(names[i], Settings->KeyboardLayout)) selected = int(i);
  }
  form->Layout->setCurrentIndex(names.empty() ? -1 : selected);
  // Without a detected language, automatic detection would always fall
  // back to the default layout: it cannot be chosen then.
  const bool detectable = form->AutoLayout->text() != QLatin1String(kNotAvailable);
  form->AutoDetect->setEnabled(detectable);
  CheckOnly(form->LayoutGroup,
            detectable && Settings->KeyboardAutoDetect ? form->AutoDetect : form->UserLayout);
}

void TOptionsView::Show() {
  TSectionPage::Show();
  TBookForm* book = BookForm;
  TOptioStg* form = OptioStg;
  if (!book || !form || !Settings) return;
  AddControl(form->Panel1, book->LeftPage);
  AddControl(form->Panel2, book->RightPage);

  form->AutoLayout->setText(qx::ToQt(DetectKeyboardLanguage()));
  loadedLayout_ = Settings->KeyboardLayout;
  loadedAutoDetect_ = Settings->KeyboardAutoDetect;
  ShowLayoutChoice();
  if (Settings->AutoDetectFromCommon) {
    Lock({form->AutoDetect, form->UserLayout, form->Layout}, form->KeyboardLocked, true);
  } else {
    form->UserLayout->setEnabled(true);
    form->Layout->setEnabled(true);
    form->KeyboardLocked->hide();
  }

  form->GeneralTheme->setChecked(Settings->PlayTheme);
  Lock({form->GeneralTheme}, form->ThemeLocked, Settings->ThemeFromCommon);
  CheckOnly(form->UnitGroup, Settings->MeasuringWPM ? form->WpmChoice : form->CpsChoice);
  Lock({form->WpmChoice, form->CpsChoice}, form->UnitLocked, Settings->UnitFromCommon);

  ShowStudent();
  Lock({form->SoundButton1, form->SoundButton2}, form->SoundsLocked, Settings->SoundsFromCommon);
  Lock({form->lesson1, form->lesson2, form->lesson3, form->lessonfree}, form->TimeLocked,
       Settings->DurationFromCommon);

  if (Keyboard) {
    form->KeybPanel->setAutoFillBackground(true);
    QPalette pal = form->KeybPanel->palette();
    pal.setColor(QPalette::Window, qx::ToQColor(kKeyboardBack));
    form->KeybPanel->setPalette(pal);
    Keyboard->setPalette(pal);
    Keyboard->setGeometry(form->KeybPanel->rect());
    Keyboard->RevealAll();
    Keyboard->show();
  }
  LayoutChange(nullptr);

  for (QRadioButton* b : {form->AutoDetect, form->UserLayout})
    QObject::connect(b, &QAbstractButton::clicked, Context(), [this, b] { LayoutChange(b); });
  QObject::connect(form->Layout, &QComboBox::activated, Context(), [this, form] { LayoutChange(form->Layout); });

  for (QObject* child : form->Panel1->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
      w->setFocus();
      break;
    }
  }
}

void TOptionsView::ShowStudent() {
  TOptioStg* form = OptioStg;
  if (!User) return;
  CheckOnly(form->SoundGroup, User->PlaySounds == 1 ? form->SoundButton1 : form->SoundButton2);
  CheckOnly(form->FontGroup, User->LargeFont == 1 ? form->LargeFont : form->NormalFont);
  QAbstractButton* lesson = nullptr;
  switch (User->LessonDuration) {
    case 0: lesson = form->lessonfree; break;
    case 25: lesson = form->lesson1; break;
    case 35: lesson = form->lesson2; break;
    case 45: lesson = form->lesson3; break;
    default: break;  // a length set elsewhere stays as it is
  }
  CheckOnly(form->LessonGroup, lesson);
}

void TOptionsView::Hide() {
  if (TOptioStg* form = OptioStg) {
    for (QWidget* control : std::initializer_list<QWidget*>{form->AutoDetect, form->UserLayout, form->Layout})
      QObject::disconnect(control, nullptr, Context(), nullptr);
  }
  TSectionPage::Hide();
}

void TOptionsView::LayoutChange(QObject* sender) {
  TOptioStg* form = OptioStg;
  if (!form || !Settings) return;
  if (sender == form->Layout) {
    form->UserLayout->setChecked(true);
    form->Layout->setFocus();
  }
  Settings->KeyboardLayout = qx::FromQt(form->Layout->currentText());
  Settings->KeyboardAutoDetect = form->AutoDetect->isChecked();

  const std::string file = Settings->GetLayoutFile("qwerty.kbd");
  if (KeyData && KeyData->LoadLayout(file) == kFileOpen) {
    loadedLayout_ = Settings->KeyboardLayout;
    loadedAutoDetect_ = Settings->KeyboardAutoDetect;
    std::string firstRow;
    for (int column = 1; column <= 6; ++column)
      if (const unsigned char c = KeyData->CharOf(column, 2, kShiftNone)) firstRow += char(c);
    if (Keyboard) {
      Keyboard->ShowKeys(firstRow, "");
      Keyboard->update();
    }
    return;
  }
  ReportError(-500, file + " not found!");
  // The keys of the last layout stay loaded; so does its name, so that the
  // next start does not end on a layout that is not there.
  Settings->KeyboardLayout = loadedLayout_;
  Settings->KeyboardAutoDetect = loadedAutoDetect_;
  ShowLayoutChoice();
}

void RunOptions() {
  auto view = std::make_unique<TOptionsView>();
  while (view->Execute() != 0) {
  }
  TOptioStg* form = OptioStg;
  if (!form) return;
  if (Settings) {
    Settings->PlayTheme = form->GeneralTheme->isChecked();
    Settings->MeasuringWPM = form->WpmChoice->isChecked();
    Settings->SaveSettings();
  }
  if (User) {
    User->PlaySounds = form->SoundButton1->isChecked() ? 1 : 0;
    if (form->lesson1->isChecked()) User->LessonDuration = 25;
    if (form->lesson2->isChecked()) User->LessonDuration = 35;
    if (form->lesson3->isChecked()) User->LessonDuration = 45;
    if (form->lessonfree->isChecked()) User->LessonDuration = 0;
    User->LargeFont = form->LargeFont->isChecked() ? 1 : 0;
    // Sounds follow the student's choice from now on.
    SoundAvailable = User->PlaySounds != 0;
    // A closing program saves the record once itself.
    if (!Terminating) SaveUserOrReport(*User);
  }
}
