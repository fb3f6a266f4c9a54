// SPDX-License-Identifier: GPL-3.0-or-later
// Running a step: the type table and the event's life.
#include <map>

#include "content/Event.h"
#include "content/EventLdr.h"
#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "platform/CodePage.h"
#include "review/Bubble.h"
#include "review/GamEvent.h"
#include "review/Buildevt.h"
#include "shell/ChpViews.h"
#include "storage/BookMark.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

template <class T>
TEventFactory Factory() {
  return [] { return std::unique_ptr<TEvent>(new T); };
}

// Type keyword (upper case) to the class it creates. Types whose classes
// are not here are skipped as unknown.
std::map<std::string, TEventFactory>& Types() {
  static std::map<std::string, TEventFactory> types = {
      {"BUILDER", Factory<TBuilderEvent>()},
      {"MESSAGE", Factory<TMessageEvent>()},
      {"TEXT", Factory<TTextEvent>()},
      {"EXAM", Factory<TTextEvent>()},
      {"NEWKEYS", Factory<TNewKeysEvent>()},
      {"KEYBOARD", Factory<TKeyboardEvent>()},
      {"WORD", Factory<TWordEvent>()},
      {"ZAROZIRA", Factory<TZaroZiraEvent>()},
      {"BUBBLES", Factory<TBubbles>()},
      // The review screens' own descriptors name the games this way.
      {"ZARO", Factory<TZaroZiraEvent>()},
      {"BUBB", Factory<TBubbles>()},
  };
  return types;
}

int Translate(int code) {
  switch (code) {
    case kResultClosed:
      return kLeaveStudying;
    case kResultCancelled:
      return kCancelledBeforeDone;
    case kResultNext:
      return kNextStep;
    case kResultCancelledAfterDone:
      return kCancelledAfterDone;
    default:
      return 0;
  }
}

// The latest results of a lesson, unless a later exercise of it has
// stored its own already.
void StoreLessonResults(const TBookMark& bookmark, const TExercInfoView& view, TUser& user) {
  const int lesson = bookmark.Chapter;
  if (lesson < 1 || lesson > kMaxLessons) return;
  if (user.LessonResultExercise[lesson] > bookmark.Exercise) return;
  user.LessonEfficiency[lesson] = float(view.Efficiency);
  user.LessonAccuracy[lesson] = view.ErrorRate;
  user.LessonSpeed[lesson] = float(view.Speed);
  user.LessonResultExercise[lesson] = bookmark.Exercise;
}

}  // namespace

void RegisterEventType(const std::string& keyword, TEventFactory factory) {
  const std::string key = qx::UpperCp1252(TrimBlanks(keyword));
  if (factory)
    Types()[key] = std::move(factory);
  else
    Types().erase(key);
}

bool EventTypeKnown(const std::string& keyword) {
  return Types().count(qx::UpperCp1252(TrimBlanks(keyword))) != 0;
}

int TEventLoader::Execute(TBookMark* bookmark) {
  const auto type = Types().find(EventType);
  if (type == Types().end()) return 0;
  std::unique_ptr<TEvent> event = type->second();
  if (!event) return 0;
  event->CreateFromDescriptor(Descriptor);
  event->AllowCancel = AllowCancel;
  event->TakeLimits(Seconds, NewKeysLevel);
  if (KnownKeys)
    event->KnownKeys = *KnownKeys;
  else
    event->KnownKeys = User ? User->StudiedKeys(NewKeysLevel) : kAllLetters;
  const int code = event->Run();
  const bool textStep = EventType == "TEXT" || EventType == "EXAM";
  // The introduction's practice text is no lesson of the course.
  if (textStep && bookmark && bookmark->Mode != kModeIntroduction && User && ExercInfoView &&
      ExercInfoView->HasResults)
    StoreLessonResults(*bookmark, *ExercInfoView, *User);
  event.reset();
  return Translate(code);
}
