// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "content/Event.h"

class TBuilderView;
class TEventLoader;

// The two-page view that shows the wizard's results as its left page after
// a review exercise, when no chapter page does; the review section sets it.
extern TFormView* ReviewPageView;

// A review step: the wizard page asks which keys and how, then an exercise
// is built for those keys and run.
class TBuilderEvent : public TEvent {
 public:
  int HelpTopic() const override { return help::kReviewStep; }
  TBuilderEvent();
  ~TBuilderEvent() override;

  void TakeLimits(int seconds, int newKeysLevel) override {
    Duration = seconds;
    LevelLimit = newKeysLevel;
  }
  void Show() override;
  int Run() override;

  // The lesson the keys are introduced in, never below the current limit.
  int SearchLevel(const std::string& keys, int limit) const;

  int Duration = 0;
  int KeyLesson = 0;
  int LevelLimit = 0;

  // Tests see the wizard page before it waits for the student.
  std::function<void(TBuilderView& page)> OnWizardPage;

 private:
  bool ChooseKeys(std::string& keys);
  int RunMethod(const std::string& keys, bool& typed);
  int RunBuilt(TEvent& event, const std::string& lines);
};

// Runs a game (or a story) through the event loader, so that the builder
// and the review section need no game class: the loader's line, its known
// keys (none: the student's) and, for ZaroZira, the vocabulary's words. The event's own result, or 0 when
// nothing ran.
int RunGameLine(const std::string& line, bool allowCancel, int seconds, const std::optional<std::string>& knownKeys,
                const std::vector<std::string>* words = nullptr);

// The loader's code turned back into the event's result.
int EventResultOf(int loaderCode);
