// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <array>
#include <memory>

#include "shell/FormRef.h"
#include "shell/Formview.h"

class QLabel;
class QWidget;
class TGraph;

// The review wizard's result page: the difficulty of the reviewed keys
// before and after the exercise, as two bar graphs on the left page.
class TWizResultView : public TFormView {
 public:
  int HelpTopic() const override { return help::kReviewResults; }
  TWizResultView();
  ~TWizResultView() override;

  // The first eight keys and their rates now; blanks pad shorter keys.
  void RecordBefore(const std::string& keys);
  void RecordAfter();

  void Show() override;

  QPointer<QWidget> WizResultPanel;
  QPointer<TGraph> BeforeGraph;
  QPointer<TGraph> AfterGraph;
  std::array<char, 8> ResultKeys{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  std::array<float, 8> BeforeRates{};
  std::array<float, 8> AfterRates{};

 private:
  void FillGraphs();
  std::unique_ptr<QWidget> storage_;
};

// The result page; the program's forms create and free it.
extern TFormRef<TWizResultView> WizResultView;
