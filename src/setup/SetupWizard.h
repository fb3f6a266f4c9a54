// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWizard>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// Asks for the shared data folder and the students' group, prepares the
// folder and shows what a workstation needs to use it.
class TSetupWizard : public QWizard {
 public:
  explicit TSetupWizard(QWidget* parent = nullptr);

  QLineEdit* FolderEdit;
  QComboBox* GroupBox;
  QPlainTextEdit* Report;

 protected:
  bool validateCurrentPage() override;

 private:
  void Browse();
};
