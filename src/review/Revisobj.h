// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TRevisionView;

// The review section: the page of four choices, and the activity chosen,
// until the student leaves.
class TRevision {
 public:
  int Run();

  // The activities; each returns its event's result, 0 to leave.
  int RunZaroZira(const TRevisionView& view);
  int RunBubbles(const TRevisionView& view);
  int RunStory(const TRevisionView& view);
  int RunWizard();
};
