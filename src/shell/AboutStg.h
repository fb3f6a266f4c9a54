// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <string>

#include "shell/FormRef.h"
#include "shell/MainPlaceholder.h"

class QLabel;
class TImage;

// Where the about page sends a student who wants to reach us.
extern const char* const kWebAddress;
extern const char* const kMailAddress;

// The storage form of the about page: the product plate with the version
// and contact links for the left page, the credits for the right page.
class TAboutStorage : public QWidget {
  Q_OBJECT

 public:
  explicit TAboutStorage(QWidget* parent = nullptr);
  ~TAboutStorage() override;

  QWidget* AboutL = nullptr;
  TImage* Emblem = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* ProductKind = nullptr;
  QLabel* VersionLbl = nullptr;
  QLabel* BuildLbl = nullptr;
  QLabel* LicenceLbl = nullptr;
  QWidget* ContactPanel = nullptr;  // hidden when links are removed
  QLabel* ContactTitle = nullptr;
  QLabel* WebLink = nullptr;
  QLabel* MailLink = nullptr;

  QWidget* AboutR = nullptr;
  QLabel* CreditsTitle = nullptr;
  QLabel* CreditsLbl = nullptr;
  QLabel* ThanksLbl = nullptr;
  QLabel* HelpLink = nullptr;  // the manual, there even when web links are removed
};

extern TFormRef<TAboutStorage> AboutStorage;

// The about page, the section behind the logo tab. Back or Esc return to
// studying.
class TAbout : public TSectionPage {
 public:
  int HelpTopic() const override { return help::kAbout; }
  TAbout();
  ~TAbout() override;

  int Run() { return Execute(); }

  void Show() override;
  void Hide() override;

  // Opens a web or mail address through the shell; -5452 when it cannot.
  static void OpenLink(const std::string& address);

 private:
  QMetaObject::Connection web_, mail_, help_;
};
