// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

#include "shell/MainPlaceholder.h"

class QObject;

// The review section's left page: its picture.
class TRevisionPicture : public TFormView {
 public:
  void Show() override;
};

// The review section's right page: the wizard, story typing, Bubbles and
// ZaroZira. Ends with 6, 4, 3 or 1; Back and Esc return to studying.
class TRevisionView : public TSectionPage {
 public:
  int HelpTopic() const override { return help::kReview; }
  static constexpr int kZaroZira = 1, kBubbles = 3, kStory = 4, kWizard = 6;

  TRevisionView();
  ~TRevisionView() override;

  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  int GetDuration() const { return DurationChoice; }
  int GetKeySet() const { return KeySetChoice; }
  const std::string& GetVocabulary() const { return VocabularyChoice; }

  int DurationChoice = 1;
  std::string VocabularyChoice = "-stud-";
  int KeySetChoice = 1;

 private:
  void Choose(int result);
  std::unique_ptr<QObject> labelClicks_;
};
