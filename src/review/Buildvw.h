// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>

#include "shell/Formview.h"

class TGraph;

// The review wizard page: which keys to review and how. Ends with 1 (Next)
// or 2 (Back); 0 when the student left.
class TBuilderView : public TFormView {
 public:
  int HelpTopic() const override { return help::kReviewWizard; }
  TBuilderView();
  ~TBuilderView() override;

  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  // The difficult-keys graph and the DifKeys text from the student's key
  // statistics; checks the key choice that fits.
  void FillDifficultKeys();

  QPointer<TGraph> Graph;

 private:
  void ShowPreview();
};
