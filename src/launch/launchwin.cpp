// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch/launchwin.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/QtDraw.h"
#include "storage/ToolBox.h"

namespace {

constexpr const char* kGuide = "INSTALL.HTM";
constexpr const char* kSetup = "setup";
const QString kFace = QStringLiteral("Arial");

QLabel* Text(const QString& text, bool bold = false, int pixels = 11) {
  auto* label = new QLabel(text);
  label->setFont(qx::PixelFont(kFace, pixels, bold));
  label->setWordWrap(true);
  return label;
}

QLabel* Heading(const QString& text) { return Text(text, true, 13); }

QWidget* Bullet(const QString& text, bool bold = false, QWidget* extra = nullptr) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(8, 0, 0, 0);
  layout->setSpacing(6);
  // Character 149 of the Western code page.
  auto* mark = new QLabel(QString(QChar(0x2022)));
  mark->setFont(qx::PixelFont(kFace, 16, true));
  mark->setStyleSheet(QStringLiteral("color: maroon;"));
  mark->setAlignment(Qt::AlignTop);
  layout->addWidget(mark);
  layout->addWidget(Text(text, bold), 1);
  if (extra) layout->addWidget(extra);
  return row;
}

QFrame* Rule() {
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QWidget* Page(std::initializer_list<QWidget*> items) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(10, 6, 10, 6);
  layout->setSpacing(3);
  for (QWidget* item : items) layout->addWidget(item);
  layout->addStretch(1);
  return page;
}

// Message boxes of the wizard carry no icon and one OK button.
void Tell(const std::string& text) {
  qx::DialogRequest box;
  box.icon = qx::DialogIcon::None;
  box.buttons = qx::DialogButtons::Ok;
  box.text = text;
  qx::Dialogs().Ask(box);
}

}  // namespace

TCDSetupForm::TCDSetupForm(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Quillbrandex for Networks"));
  setFixedSize(473, 311);
  GuideDir = qx::ProgramDir();
  SetupDir = qx::ExecutableDir();

  Label1 = new QLabel(QStringLiteral("Network Installation Wizard"), this);
  Label1->setFont(qx::PixelFont(kFace, 24, true));

  View = new QPushButton(QStringLiteral("&View..."));
  View->setObjectName(QStringLiteral("View"));
  PageControl = new QTabWidget(this);
  PageControl->setObjectName(QStringLiteral("PageControl"));
  PageControl->addTab(
      Page({Heading(QStringLiteral("Welcome to Network Installation Wizard")),
            Text(QStringLiteral("This is a Network Installation Wizard, which will guide you trough the "
                                "process of installing Quillbrandex on the network.")),
            Heading(QStringLiteral("Network Installation Steps")),
            Bullet(QStringLiteral("View and print out detailed installation instructions")),
            Bullet(QStringLiteral("Install Quillbrandex to the server")),
            Bullet(QStringLiteral("Choose installation method for workstations")),
            Bullet(QStringLiteral("Change user defaults and policy settings")),
            Bullet(QStringLiteral("Install Quillbrandex to workstations")), Rule(),
            Bullet(QStringLiteral("Click Next to continue"), true)}),
      QStringLiteral("1. Welcome"));
  PageControl->addTab(
      Page({Text(QStringLiteral("On this page you can view Network Installation Guide, which will assist "
                                "you during network installation and give detailed information about "
                                "installation and network settings.")),
            Heading(QStringLiteral("View Instructions")),
            Bullet(QStringLiteral("View Network Installation Guide in your web browser (.htm)"), false, View),
            Heading(QStringLiteral("Tip")),
            Text(QStringLiteral("For fluent installation, please print out this guide.")), Rule(),
            Bullet(QStringLiteral("Click Next to continue"), true)}),
      QStringLiteral("2. View Instructions"));
  PageControl->addTab(
      Page({Heading(QStringLiteral("Server Installation")),
            Text(QStringLiteral("Quillbrandex program files will now be installed to the server. After server "
                                "installation this Network Installation Wizard will automatically continue "
                                "to guide you through the installation process.")),
            Text(QStringLiteral("Please see Network Installation Guide for detailed information.")), Rule(),
            Bullet(QStringLiteral("Click Next to start server installation"), true)}),
      QStringLiteral("3. Server Installation"));

  Next = new QPushButton(QStringLiteral("&Next >"), this);
  Back = new QPushButton(QStringLiteral("< &Back"), this);
  Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
  Next->setObjectName(QStringLiteral("Next"));
  Back->setObjectName(QStringLiteral("Back"));
  Cancel->setObjectName(QStringLiteral("Cancel"));
  Next->setDefault(true);
  Back->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Back);
  buttons->addWidget(Next);
  buttons->addSpacing(8);
  buttons->addWidget(Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 6, 10, 8);
  layout->setSpacing(6);
  layout->addWidget(Label1);
  layout->addWidget(PageControl, 1);
  layout->addLayout(buttons);

  connect(PageControl, &QTabWidget::currentChanged, this, &TCDSetupForm::PageControlChange);
  connect(Next, &QPushButton::clicked, this, &TCDSetupForm::NextClick);
  connect(Back, &QPushButton::clicked, this, &TCDSetupForm::BackClick);
  connect(Cancel, &QPushButton::clicked, this, &TCDSetupForm::CancelClick);
  connect(View, &QPushButton::clicked, this, &TCDSetupForm::ViewClick);
}

void TCDSetupForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  FormShow();
}

void TCDSetupForm::FormShow() { PageControl->setCurrentIndex(0); }

void TCDSetupForm::PageControlChange(int index) { Back->setEnabled(index > 0); }

void TCDSetupForm::NextClick() {
  const int page = PageControl->currentIndex();
  if (page == PageControl->count() - 1)
    StartServerInstallation();
  else
    PageControl->setCurrentIndex(page + 1);
}

void TCDSetupForm::BackClick() {
  if (PageControl->currentIndex() > 0) PageControl->setCurrentIndex(PageControl->currentIndex() - 1);
}

void TCDSetupForm::CancelClick() { close(); }

// The guide lies with the material; the setup program beside this one.
void TCDSetupForm::ViewClick() {
  qx::ChangeDirectory(GuideDir);
  if (ShellOpen(kGuide, "", "") <= 32) Tell("Error: " + GuideDir + kGuide + " not found!");
}

void TCDSetupForm::StartServerInstallation() {
  qx::ChangeDirectory(SetupDir);
  if (ShellOpen(kSetup, "", "") > 32)
    close();
  else
    Tell("Error: " + SetupDir + kSetup + " not found!");
}
