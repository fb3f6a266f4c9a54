// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "shell/MainPlaceholder.h"

class QPainter;
class QPrinter;
class TContents;
class TGraph;
class TProgramSettings;
class TUser;

// The statistics section: progress through the course, the difficult keys,
// and efficiency and speed per lesson; Print puts the study report on
// paper or into a PDF file. Esc and Back return to studying.
class TStatisticsView : public TSectionPage {
 public:
  int HelpTopic() const override { return help::kStatistics; }
  TStatisticsView();
  ~TStatisticsView() override;

  void Show() override;
  void Hide() override;

  // The print dialog, then the report on the printer chosen.
  void PrintReport();
  // Shows the print dialog; false when it was cancelled. Tests answer it.
  std::function<bool(QPrinter& printer)> ChoosePrinter;

  QPointer<TGraph> SpeedGraph;
  QPointer<TGraph> EfficiencyGraph;
  QPointer<TGraph> DifficultGraph;

 private:
  void CreateGraphs();
  void FillGraphs();
  // The course the figures belong to: the one being studied, else the
  // student's course read for its lesson names.
  const TContents* Course();
  int Lessons();

  std::unique_ptr<TContents> ownCourse_;
};

// The statistics page; the main controller creates and frees it.
extern TStatisticsView* StatisticsView;

// The one-page study report of a student, laid out on a 2400 x 3357 design
// page scaled to the painter's device. course may be none; lessons is how
// many lesson rows to print.
void PaintStudyReport(QPainter& painter, const TUser& user, const TContents* course, int lessons,
                      const TProgramSettings* settings, const std::string& date);
