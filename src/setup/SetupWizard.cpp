// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/SetupWizard.h"

#include <grp.h>
#include <unistd.h>

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWizardPage>

#include "platform/Dialogs.h"
#include "platform/QtText.h"
#include "setup/ServerSetup.h"

namespace {

// The groups this user may give files to: every group for root, else the
// user's own.
QStringList GroupChoices() {
  QStringList names;
  if (geteuid() == 0) {
    setgrent();
    while (const group* g = getgrent()) names << QString::fromLocal8Bit(g->gr_name);
    endgrent();
  } else {
    gid_t ids[256];
    const int n = getgroups(256, ids);
    for (int i = 0; i < n; ++i)
      if (const group* g = getgrgid(ids[i])) names << QString::fromLocal8Bit(g->gr_name);
  }
  names.removeDuplicates();
  names.sort();
  return names;
}

QLabel* Explanation(const QString& text) {
  auto* label = new QLabel(text);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TSetupWizard::TSetupWizard(QWidget* parent) : QWizard(parent) {
  setWindowTitle(QStringLiteral("Quillbrandex Server Setup"));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::NoBackButtonOnLastPage);
  setOption(QWizard::NoCancelButtonOnLastPage);

  auto* folderPage = new QWizardPage;
  folderPage->setTitle(QStringLiteral("Shared data folder"));
  folderPage->setSubTitle(QStringLiteral("Where the workstations keep the students' records"));
  FolderEdit = new QLineEdit(QStringLiteral("/srv/quillbrandex"));
  auto* browse = new QPushButton(QStringLiteral("&Browse..."));
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(FolderEdit, 1);
  folderRow->addWidget(browse);
  GroupBox = new QComboBox;
  GroupBox->setEditable(true);
  GroupBox->addItems(GroupChoices());
  const int users = GroupBox->findText(QStringLiteral("users"));
  if (users >= 0) GroupBox->setCurrentIndex(users);
  auto* form = new QFormLayout;
  auto* folderLabel = new QLabel(QStringLiteral("&Folder:"));
  folderLabel->setBuddy(FolderEdit);
  form->addRow(folderLabel, folderRow);
  form->addRow(QStringLiteral("Students' &group:"), GroupBox);
  auto* folderLayout = new QVBoxLayout(folderPage);
  folderLayout->addWidget(Explanation(QStringLiteral(
      "Choose a folder on the file server that every workstation mounts at the same place "
      "(over NFS or SMB with byte-range locking). The students' group may write the user "
      "database, the top-ten tables and the error log; only you may change the shared "
      "settings in QXCommon.ini.")));
  folderLayout->addLayout(form);
  folderLayout->addWidget(Explanation(QStringLiteral(
      "Running the setup again keeps the students' records, the top-ten tables and your "
      "changes to QXCommon.ini.")));
  folderLayout->addStretch(1);
  addPage(folderPage);

  auto* donePage = new QWizardPage;
  donePage->setTitle(QStringLiteral("The folder is ready"));
  donePage->setSubTitle(QStringLiteral("Point the workstations at it"));
  Report = new QPlainTextEdit;
  Report->setReadOnly(true);
  auto* doneLayout = new QVBoxLayout(donePage);
  doneLayout->addWidget(Explanation(QStringLiteral(
      "Put these two lines into each workstation's QXLocal.ini, or into "
      "/etc/xdg/quillbrandex/QXDef.ini for every new user of a workstation:")));
  doneLayout->addWidget(Report, 1);
  addPage(donePage);
  setFixedSize(560, 400);

  connect(browse, &QPushButton::clicked, this, &TSetupWizard::Browse);
}

void TSetupWizard::Browse() {
  const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("Shared data folder"), FolderEdit->text());
  if (!dir.isEmpty()) FolderEdit->setText(dir);
}

bool TSetupWizard::validateCurrentPage() {
  if (currentId() != 0) return QWizard::validateCurrentPage();
  TServerSetup setup;
  setup.Folder = qx::FromQt(FolderEdit->text().trimmed());
  setup.Group = GroupBox->currentText().trimmed().toStdString();
  if (!setup.Run()) {
    qx::ShowError("The shared data folder could not be prepared:\r" + setup.Error);
    return false;
  }
  QString text;
  for (const std::string& line : setup.WorkstationLines()) text += qx::ToQt(line) + QLatin1Char('\n');
  text += QLatin1Char('\n');
  for (const std::string& line : setup.Log) text += qx::ToQt(line) + QLatin1Char('\n');
  Report->setPlainText(text);
  return true;
}
