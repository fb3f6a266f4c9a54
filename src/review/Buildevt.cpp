// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Buildevt.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "content/Contents.h"
#include "content/EventLdr.h"
#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/QtText.h"
#include "review/Builder.h"
#include "review/Buildvw.h"
#include "shell/AddviewsWiz.h"
#include "shell/Bookfrm.h"
#include "shell/Buildstg.h"
#include "shell/ChpViews.h"
#include "storage/Errors.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

TFormView* ReviewPageView = nullptr;

namespace {

constexpr int kNoLesson = 99;

bool HasLetter(const std::string& keys) { return !KeepLetters(keys).empty(); }

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

// Lines per key: rounded half to even, at least one.
int PerKey(double lines) { return std::max(1, int(std::lrint(lines))); }

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A vocabulary file for one game, gone with the game.
class TemporaryVocabulary {
 public:
  explicit TemporaryVocabulary(const std::vector<std::string>& words) {
    std::string token = qx::UniqueToken();
    for (char& c : token)
      if (std::string("=;,% ").find(c) != std::string::npos) c = '_';
    path_ = (std::filesystem::temp_directory_path() / ("qx-review-" + token + ".vcb")).string();
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    for (const std::string& w : words) out << w << "\r\n";
    ok_ = bool(out);
  }
  ~TemporaryVocabulary() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  bool Ok() const { return ok_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool ok_ = false;
};

}  // namespace

int EventResultOf(int loaderCode) {
  switch (loaderCode) {
    case kLeaveStudying: return kResultClosed;
    case kCancelledBeforeDone: return kResultCancelled;
    case kNextStep: return kResultNext;
    case kCancelledAfterDone: return kResultCancelledAfterDone;
    default: return 1;
  }
}

int RunGameLine(const std::string& line, bool allowCancel, int seconds, const std::optional<std::string>& knownKeys,
                const std::vector<std::string>* words) {
  std::string descriptor = line;
  std::unique_ptr<TemporaryVocabulary> vocabulary;
  if (words) {
    vocabulary = std::make_unique<TemporaryVocabulary>(*words);
    if (!vocabulary->Ok()) {
      ReportError(-5, vocabulary->Path());
      return 0;
    }
    descriptor += vocabulary->Path();
  }
  auto loader = TEventLoader::Create(descriptor);
  // A game this build does not have runs nothing, and the student goes on.
  if (!loader || !EventTypeKnown(loader->EventType)) return 0;
  loader->AllowCancel = allowCancel;
  loader->Seconds = seconds;
  loader->KnownKeys = knownKeys;
  return EventResultOf(loader->Execute(nullptr));
}

TBuilderEvent::TBuilderEvent() = default;
TBuilderEvent::~TBuilderEvent() = default;

void TBuilderEvent::Show() {
  Duration = 0;
  LevelLimit = 0;
  TEvent::Show();
}

int TBuilderEvent::SearchLevel(const std::string& keys, int limit) const {
  int level = User ? User->ChaptersStudied : 0;
  for (char key : keys) {
    const int remembered = level;
    while (!User || User->NewKeysOf(level).find(key) == std::string::npos) {
      if (++level >= kNoLesson) {
        level = remembered;
        break;
      }
    }
  }
  return std::max(level, limit);
}

int TBuilderEvent::Run() {
  const int studied = User ? User->ChaptersStudied : 0;
  if (!Contents) LevelLimit = kNoLesson;
  KeyLesson = LevelLimit;
  if (KeyLesson == 0) KeyLesson = studied;
  if (LevelLimit == 0 || LevelLimit < studied) LevelLimit = studied;
  if (KnownKeys.empty() && User) KnownKeys = User->StudiedKeys(LevelLimit);

  TBuilderStg* form = BuilderStg;
  if (!form) return 0;
  TBuilderView page;
  const std::string current = RemoveUpper(KeepLettersPunct(User ? User->NewKeysOf(KeyLesson) : ""));
  form->StudiedKeys->setText(qx::ToQt(current));
  form->CurrentKeys->setEnabled(!current.empty() && current != ".");
  form->YourKeys->clear();
  form->CrazySentences->setEnabled(LevelLimit >= 4);
  if (LevelLimit >= 4)
    form->CrazySentences->setChecked(true);
  else
    form->Keyboard->setChecked(true);
  if (OnWizardPage) OnWizardPage(page);
  const int answer = page.Execute();
  if (answer != 1) return answer;

  std::string keys;
  if (!ChooseKeys(keys)) return 0;
  if (WizResultView) WizResultView->RecordBefore(keys);
  bool typed = false;
  const int result = RunMethod(keys, typed);
  if (typed && WizResultView) {
    WizResultView->RecordAfter();
    if (ChapterView)
      ChapterView->LeftView = WizResultView;
    else if (ReviewPageView)
      ReviewPageView->LeftView = WizResultView;
  }
  return result;
}

bool TBuilderEvent::ChooseKeys(std::string& keys) {
  TBuilderStg* form = BuilderStg;
  const bool bubbles = form->BubblesGame->isChecked();
  const std::string difficult = qx::FromQt(form->DifKeys->text());
  keys = KnownKeys;
  auto instead = [&] {
    keys = KnownKeys + difficult;
    if (keys.empty() && User) keys = User->NewKeysOf(LevelLimit);
  };
  if (form->CurrentKeys->isChecked()) {
    keys = RemoveUpper(User ? User->NewKeysOf(KeyLesson) : "");
    if (keys.size() < 5 && bubbles) keys += "asdfjkl";
  } else if (form->DifficultKeys->isChecked()) {
    keys = difficult;
    if (keys.size() < 5 && bubbles) keys = keys + keys + "asdfjkl";
  } else if (form->ChooseKeys->isChecked()) {
    keys = UniqueChars(qx::FromQt(form->YourKeys->text()));
    if (keys.size() < 5 && bubbles) keys = keys + keys + "asdfjkl";
    if (!HasLetter(keys)) {
      qx::ShowInformation(
          "You should choose at least one character (a-z or A-Z) to be reviewed.\rYour difficult keys will be "
          "reviewed instead.");
      instead();
    }
  }
  LevelLimit = SearchLevel(keys, LevelLimit);
  if (form->ChooseKeys->isChecked() && User) {
    const std::string studied = LowerAscii(User->StudiedKeys(LevelLimit));
    const std::string chosen = LowerAscii(keys);
    if (chosen.find_first_of(studied) == std::string::npos) {
      qx::ShowInformation(
          "The keys chosen are not yet studied and can not be reviewed.\rYour current difficult keys will be "
          "reviewed instead.");
      instead();
    }
  }
  return true;
}

int TBuilderEvent::RunMethod(const std::string& keys, bool& typed) {
  TBuilderStg* form = BuilderStg;
  const int k = std::max<int>(1, int(keys.size()));
  if (form->Keyboard->isChecked()) {
    TRevisionBuilder builder;
    if (builder.BuildWordLines(keys, LevelLimit, PerKey(5 - 0.6 * (k - 1))) == 0) {
      qx::ShowInformation("#7878: No word exercises available for chars: " + keys);
      return 0;
    }
    TKeyboardEvent drill;
    drill.CreateFromDescriptor("Event;Keyboard;0;Nil");
    typed = true;
    return RunBuilt(drill, Joined(builder.Items));
  }
  if (form->CrazySentences->isChecked()) {
    TRevisionBuilder builder;
    if (builder.BuildSentences(keys, LevelLimit, PerKey(6 - 0.8 * (k - 1))) == 0) {
      qx::ShowInformation("#7879: No crazy sentences available for chars: " + keys);
      return 0;
    }
    TTextEvent text;
    text.CreateFromDescriptor("Event;Text;0;NIL;True");
    typed = true;
    return RunBuilt(text, Joined(builder.Items));
  }
  if (form->BubblesGame->isChecked()) {
    if (keys.size() < 3) {
      ReportError(-3321, "Not enough keys to play game.");
      return 0;
    }
    return RunGameLine("Bubb;BUBBLES;0;0", AllowCancel, Duration, keys);
  }
  if (form->ZaroZiraGame->isChecked()) {
    TRevisionBuilder builder;
    builder.BuildWords(keys, LevelLimit, int(std::lrint(200.0 / k)));
    if (builder.Items.empty()) {
      ReportError(-3321, "ZaroZira with keys \"" + keys + "\" - no words available.");
      return 0;
    }
    return RunGameLine("Zaro;ZAROZIRA;0;", AllowCancel, Duration, "", &builder.Items);
  }
  return 0;
}

int TBuilderEvent::RunBuilt(TEvent& event, const std::string& lines) {
  event.AllowCancel = AllowCancel;
  event.TakeLimits(Duration, 0);
  event.KnownKeys = KnownKeys;
  event.LoadText(lines);
  return event.Run();
}
