// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Revisobj.h"

#include <cmath>

#include "content/EventLdr.h"
#include "platform/Dialogs.h"
#include "review/Builder.h"
#include "review/Buildevt.h"
#include "review/ReviView.h"
#include "storage/BookMark.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

// Clock units of the section's ZaroZira.
constexpr int kZaroZiraTime = 180;

}  // namespace

int TRevision::Run() {
  TRevisionPicture picture;
  TRevisionView view;
  view.LeftView = &picture;
  ReviewPageView = &view;
  for (;;) {
    const int r = view.Execute();
    view.LeftView = &picture;
    int result = 0;
    if (r == TRevisionView::kZaroZira) result = RunZaroZira(view);
    if (r == TRevisionView::kBubbles) result = RunBubbles(view);
    if (r == TRevisionView::kStory) result = RunStory(view);
    if (r == TRevisionView::kWizard) result = RunWizard();
    if (result == 0) break;
  }
  ReviewPageView = nullptr;
  if (User && !IsVisitor(User->Name)) SaveUserOrReport(*User);
  return 0;
}

int TRevision::RunZaroZira(const TRevisionView& view) {
  if (view.GetVocabulary() != "-stud-")
    return RunGameLine("Zaro;ZAROZIRA;0;" + view.GetVocabulary() + ".vcb", false, kZaroZiraTime, "");
  const int studied = User ? User->ChaptersStudied : 0;
  const std::string keys = User && studied > 0 ? User->StudiedKeys(studied) : std::string();
  std::vector<std::string> words;
  if (!keys.empty()) {
    TRevisionBuilder builder;
    builder.BuildWords(keys, studied, int(std::lrint(200.0 / double(keys.size()))));
    words = std::move(builder.Items);
  }
  if (words.empty()) {
    qx::ShowInformation("You have not yet studied enough to play ZaroZira with studied keys.\rGame will be canceled.");
    return 0;
  }
  ShuffleList(words);
  return RunGameLine("Zaro;ZAROZIRA;0;", false, kZaroZiraTime, "", &words);
}

int TRevision::RunBubbles(const TRevisionView& view) {
  std::string keys;
  switch (view.GetKeySet()) {
    case 2: keys = "abcdefghijklmnopqrstuvwxyz"; break;
    case 3: keys = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"; break;
    case 4: keys = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890"; break;
    default: keys = User ? User->StudiedKeys(User->ChaptersStudied) : kAllLetters; break;
  }
  return RunGameLine("Bubb;BUBBLES;0;0", false, 0, keys);
}

int TRevision::RunStory(const TRevisionView& view) {
  static constexpr int kMinutes[] = {5, 10, 20, 30};
  const int minutes = kMinutes[std::clamp(view.GetDuration(), 1, 4) - 1];
  return RunGameLine("Text;TEXT;0;ask:*.exm;false", false, 60 * minutes, std::nullopt);
}

int TRevision::RunWizard() {
  TBookMark bookmark;
  bookmark.Event = 1;
  auto loader = TEventLoader::Create("builder;builder;0;effic:;true");
  if (!loader) return 0;
  loader->AllowCancel = false;
  loader->Seconds = 180;
  const int code = loader->Execute(&bookmark);
  return code == kLeaveStudying ? 0 : code;
}
