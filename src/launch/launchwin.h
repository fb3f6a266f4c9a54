// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <string>

class QLabel;
class QPushButton;
class QTabWidget;

// The network installation wizard: a welcome page, the installation guide
// and the start of the server setup. It writes nothing of its own.
class TCDSetupForm : public QWidget {
 public:
  explicit TCDSetupForm(QWidget* parent = nullptr);

  void FormShow();
  void PageControlChange(int index);
  void NextClick();
  void BackClick();
  void CancelClick();
  void ViewClick();

  QLabel* Label1;
  QTabWidget* PageControl;
  QPushButton* Next;
  QPushButton* Back;
  QPushButton* Cancel;
  QPushButton* View;
  // Where the guide and the setup program are looked for.
  std::string GuideDir;
  std::string SetupDir;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void StartServerInstallation();
};
