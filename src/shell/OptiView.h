// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <string>

#include "shell/MainPlaceholder.h"

class QObject;
class TKeyboard;

// The options section: the workstation's keyboard layout, theme tune and
// speed unit, and the student's sounds, lesson length and exercise font.
// Values an administrator fixed in the shared settings are shown locked.
// The layout takes effect at once; the rest when the section is left.
class TOptionsView : public TSectionPage {
 public:
  int HelpTopic() const override { return help::kOptions; }
  TOptionsView();
  ~TOptionsView() override;

  void Show() override;
  void Hide() override;

  // Stores the layout chosen and loads it; sender is the control clicked,
  // none when the page shows.
  void LayoutChange(QObject* sender);

  QPointer<TKeyboard> Keyboard;

 private:
  void ShowStudent();
  // Puts the layout controls back to what the settings say.
  void ShowLayoutChoice();
  // The layout last loaded, kept so that a layout that cannot be loaded is
  // never stored.
  std::string loadedLayout_;
  bool loadedAutoDetect_ = false;
};

// Runs the options section, then stores the choices: the workstation's in
// the local settings file, the student's in the student's record.
void RunOptions();
