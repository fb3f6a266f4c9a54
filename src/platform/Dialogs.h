// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Modal message boxes. Text and caption are Windows-1252; a carriage
// return in the text starts a new line.
namespace qx {

enum class DialogIcon { None, Error, Warning, Information, Question };
enum class DialogButtons { Ok, YesNo, YesNoHelp };
enum class DialogAnswer { Ok, Yes, No };

struct DialogRequest {
  DialogIcon icon = DialogIcon::None;
  DialogButtons buttons = DialogButtons::Ok;
  std::string caption;  // empty: the application title
  std::string text;
  int helpTopic = 0;    // opened by the Help button of YesNoHelp boxes
};

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual DialogAnswer Ask(const DialogRequest& request) = 0;
};

// Without a display: the question goes to stderr and the cautious answer
// (OK, or No) comes back.
class ConsoleDialogs final : public IDialogs {
 public:
  DialogAnswer Ask(const DialogRequest& request) override;
};

// For tests: answers from a queue, remembers every request.
class ScriptedDialogs final : public IDialogs {
 public:
  DialogAnswer Ask(const DialogRequest& request) override;
  void Answer(DialogAnswer a) { answers_.push_back(a); }
  const std::vector<DialogRequest>& Asked() const { return asked_; }
  void ClearAsked() { asked_.clear(); }
  // Called before each answer; tests use it to act while a box is "open".
  std::function<void(const DialogRequest&)> onAsk;

 private:
  std::deque<DialogAnswer> answers_;
  std::vector<DialogRequest> asked_;
};

IDialogs& Dialogs();
// nullptr puts the console dialogs back. The caller keeps ownership.
void InstallDialogs(IDialogs* dialogs);

void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

// Shorthands.
void ShowMessage(DialogIcon icon, const std::string& text, const std::string& caption = {});
inline void ShowError(const std::string& text, const std::string& caption = {}) {
  ShowMessage(DialogIcon::Error, text, caption);
}
inline void ShowWarning(const std::string& text, const std::string& caption = {}) {
  ShowMessage(DialogIcon::Warning, text, caption);
}
inline void ShowInformation(const std::string& text, const std::string& caption = {}) {
  ShowMessage(DialogIcon::Information, text, caption);
}
// Yes/No question; true for Yes.
bool Confirm(const std::string& text, const std::string& caption = {},
             DialogIcon icon = DialogIcon::Question);

}  // namespace qx
