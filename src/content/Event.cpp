// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Event.h"

#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/Viewcanv.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/QtDraw.h"
#include "shell/Addviews.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/Bookfrm.h"
#include "shell/Eventstg.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

constexpr int kMsgError = -501;
constexpr const char* kUnfinishedQuestion = "You haven't finished this exercise yet, proceed anyway?";

bool HasPrefix(const std::string& upper, const char* prefix) { return upper.rfind(prefix, 0) == 0; }

// The whole file, or false after logging why there is none.
bool ReadWholeFile(const std::string& name, std::string& text) {
  TTextFile file;
  if (file.Open(name, kTextRead) == kFileOpen) {
    const int status = file.ReadAll(text);
    if (status == kFileOpen || status == kFileClosed) return true;
  }
  text.clear();
  ReportError(kMsgError, "File " + name + " missing or read error");
  return false;
}

// The page's paper darkens by 2 % from top to bottom; a canvas takes the
// shade at its middle, so no box shows around the text.
uint32_t PaperAt(const QWidget* page, int y) {
  const QColor top = qx::art::colour::kPaper, bottom = top.darker(102);
  const QPoint inBook = page->parentWidget() ? page->mapToParent(QPoint(0, y)) : QPoint(0, y);
  const double t = std::clamp((inBook.y() - 8) / 511.0, 0.0, 1.0);
  auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
  return qx::FromQColor(
      QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()), mix(top.blue(), bottom.blue())));
}

std::string ClockText(int value) {
  value = std::max(value, 0);  // a late tick never shows a negative time
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%2.2d:%2.2d", value / 60, value % 60);
  return buffer;
}

}  // namespace

int CreditedMinutes(double elapsedDays) {
  if (!(elapsedDays > 0)) return 0;
  const long long seconds = std::llround(elapsedDays * 86400000.0) / 1000;
  int minutes = int((seconds / 60) % 60);
  if (seconds / 3600 != 0) minutes = 60;
  if (seconds % 60 > 45) ++minutes;
  return minutes;
}

// ---- TEvent -----------------------------------------------------------

TEvent::TEvent() = default;

TEvent::~TEvent() { *alive_ = false; }

QWidget* TEvent::Page() { return BookForm ? BookForm->WidePage : nullptr; }

void TEvent::CreateFromDescriptor(const std::string& descriptor) {
  DescriptorFields = SplitFields(descriptor, "=;");
  AllowCancel = true;
}

std::string TEvent::Field(size_t n) const {
  return n >= 1 && n <= DescriptorFields.size() ? DescriptorFields[n - 1] : std::string();
}

int TEvent::Run() { return Execute(); }

bool TEvent::Prepare() {
  if (DescriptorFields.size() < 4) return false;
  const int code = LoadText(DescriptorFields[3]);
  if (code == 1 || code == 2) return false;
  ResultCode = code == 3 ? kResultCancelled : kResultClosed;
  return true;
}

int TEvent::LoadText(const std::string& parameter) {
  AskedForText = false;
  const std::string upper = qx::UpperCp1252(TrimBlanks(parameter));
  // A text handed over before the run survives its "NIL" parameter.
  if (upper == "NIL") return 1;
  EventText.clear();
  if (HasPrefix(upper, "FILE:")) {
    ReadWholeFile(TrimBlanks(TrimBlanks(parameter).substr(5)), EventText);
  } else if (HasPrefix(upper, "EFFIC:")) {
    ReadWholeFile("Effic.qxs", EventText);
  } else if (HasPrefix(upper, "RES:")) {
    // Nothing is stored under a resource name.
  } else if (HasPrefix(upper, "ASK:")) {
    return AskForText(TrimBlanks(TrimBlanks(parameter).substr(4)));
  } else {
    EventText = parameter;
  }
  return 1;
}

int TEvent::AskForText(const std::string& mask) {
  AskedForText = true;
  TChooseTextView chooser;
  chooser.LastStory = User ? User->StoryFile : std::string();
  chooser.ListStories(mask, Settings ? Settings->CustomStoryPath : std::string());
  const int result = chooser.Execute();
  std::string file;
  if (result == kChooseNewStory) {
    file = chooser.SelectedFile;
    if (User) User->StoryFile = Cut255(file);
    TextStart = 0;
  } else if (result == kChooseContinue) {
    file = chooser.LastStory;
    TextStart = User ? User->StoryPosition : 0;
  } else {
    return result;
  }
  TTextFile text;
  if (file.empty() || text.Open(file, kTextRead) != kFileOpen || text.ReadAll(EventText) < kFileEnd)
    EventText.clear();
  // A story typed to its end, or a place the text no longer has, starts
  // over rather than giving a step with nothing left to type.
  if (TextStart < 0 || size_t(TextStart) >= EventText.size() ||
      EventText.find_first_not_of(" \t\r\n", size_t(TextStart)) == std::string::npos)
    TextStart = 0;
  return 1;
}

void TEvent::ConnectButton(TImage* button) {
  if (!button) return;
  // The handler may outlive this event on the shared control, and must not
  // be replaced while it runs, so it checks that the event is still there.
  HookClick(button, [alive = alive_, this](QWidget* sender) {
    if (*alive && Active) ButtonClick(sender);
  });
}

void TEvent::Show() {
  TFormView::Show();
  State = kStateReady;
  OnCloseQuery = [this](TFormView*, bool& veto) { CloseQuery(veto); };
  StartTime = qx::Steady();
  if (!BookForm) return;
  BookForm->SetLayout(1);
  BookForm->SetButtons(AllowCancel ? TBookForm::kNext | TBookForm::kCancel : TBookForm::kNext);
  ConnectButton(BookForm->Next);
  ConnectButton(BookForm->Cancel);
  BookForm->RouteKeys(this);
  // Space goes on; a typing step takes the focus for its own screen.
  BookForm->Next->setFocus(Qt::OtherFocusReason);
}

void TEvent::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  TFormView::KeyDown(sender, key, shift);
  if (!key) return;
  const Qt::KeyboardModifiers mods =
      shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  TImage* next = BookForm ? BookForm->Next : nullptr;
  TImage* cancel = BookForm ? BookForm->Cancel : nullptr;
  TImage* target = nullptr;
  bool acts = false;
  if (mods == Qt::AltModifier && (key == Qt::Key_N || key == Qt::Key_C)) {
    target = key == Qt::Key_N ? next : cancel;
    acts = true;
  } else if (mods == Qt::NoModifier && key == Qt::Key_Escape) {
    target = cancel;
    acts = true;
  } else if (mods == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
             State == kStateCompleted) {
    target = next;
    acts = true;
  }
  if (!acts) return;
  key = 0;
  ButtonClick(target);
}

void TEvent::ButtonClick(QObject* sender) {
  PlaySound(kSoundClick);
  const QString name = sender ? sender->objectName() : QString();
  if (name == QLatin1String("Cancel"))
    SetResult(State == kStateCompleted ? kResultCancelledAfterDone : kResultCancelled);
  else if (name == QLatin1String("Next"))
    SetResult(kResultNext);
}

void TEvent::CloseQuery(bool& veto) {
  if (State != kStateRunning && State != kStatePaused) return;
  if (!qx::Confirm(kUnfinishedQuestion)) veto = true;
}

void TEvent::Close(bool& veto) {
  if (!Active) return;
  TFormView::Close(veto);
  if (Active) return;  // somebody said no
  const int minutes = CreditedMinutes(qx::Steady() - StartTime);
  if (User) {
    User->StudyTime += minutes;
    User->LessonTime += minutes;
  }
  if (BookForm) {
    BookForm->SetLayout(2);
    BookForm->ReleaseKeys();
    BookForm->SetButtons(0);
  }
}

// ---- TTimedEvent ------------------------------------------------------

TTimedEvent::TTimedEvent() = default;
TTimedEvent::~TTimedEvent() = default;

int TTimedEvent::Run() {
  ClockStart = 0;
  PauseStart = 0;
  LastShown = -1;
  State = kStateReady;
  Tick();
  // Off until the student begins: a page waiting for its first key costs
  // nothing.
  Timer = std::make_unique<QTimer>();
  Timer->setInterval(100);
  QObject::connect(Timer.get(), &QTimer::timeout, [this] { Tick(); });
  return TEvent::Run();
}

void TTimedEvent::Tick() {
  const int elapsed = ClockStart == 0 ? 0 : int(std::lrint((qx::Steady() - ClockStart) * 100000.0));
  const int shown = Timed() ? TimeLimit - elapsed : elapsed;
  if (EventsStg) EventsStg->TimeGauge->SetProgress(Timed() ? elapsed : 0);
  if (shown == LastShown) return;
  LastShown = shown;
  if (EventsStg) EventsStg->TimeLabel->setText(QString::fromLatin1(ClockText(shown).c_str()));
  if (Timed() && elapsed >= TimeLimit && State != kStateCompleted) {
    Complete();
    State = kStateCompleted;
    TimeUp();
  }
}

void TTimedEvent::Start() {
  const double now = qx::Steady();
  if (ClockStart == 0) ClockStart = now;
  if (PauseStart != 0) {
    ClockStart += now - PauseStart;
    PauseStart = 0;
  }
  if (Timer) Timer->start();
  if (EventsStg) {
    EventsStg->EventMsg->hide();
    EventsStg->TimeGauge->SetRange(0, TimeLimit);
  }
  State = kStateRunning;
}

void TTimedEvent::Pause() {
  PauseStart = qx::Steady();
  if (Timer) Timer->stop();
  State = kStatePaused;
}

void TTimedEvent::Complete() {
  PlaySound(kSoundTheEnd);
  if (Timer) Timer->stop();
  State = kStateCompleted;
  ShowMessage("Exercise completed.", "Press Enter to continue.", 140, 30);
}

void TTimedEvent::ShowMessage(const char* line1, const char* line2, int left, int top) {
  if (!EventsStg) return;
  EventsStg->MsgLabel1->setText(QString::fromLatin1(line1));
  EventsStg->MsgLabel2->setText(QString::fromLatin1(line2));
  EventsStg->EventMsg->move(left, top);
  EventsStg->EventMsg->raise();
  EventsStg->EventMsg->show();
}

void TTimedEvent::Show() {
  TEvent::Show();
  if (BookForm) {
    BookForm->TitleConsole->hide();
    BookForm->SetConsolePicture(1);
  }
  QWidget* page = Page();
  if (!EventsStg || !page) return;
  AddControl(EventsStg->RightConsole, page);
  MoveControls(EventsStg->EventConsole, page);
  AddControl(EventsStg->EventMsg, page);
  EventsStg->EventMsg->hide();
  EventsStg->MsgLabel1->setText(QStringLiteral("Type the highlighted word"));
  EventsStg->MsgLabel2->setText(QStringLiteral("to begin"));
  EventsStg->EventMsg->move(90, 60);
  ConnectButton(EventsStg->Pause);
}

void TTimedEvent::Hide() {
  if (Timer) Timer->stop();
  if (EventsStg) EventsStg->EventMsg->hide();
  if (BookForm) {
    BookForm->TitleConsole->show();
    BookForm->SetConsolePicture(2);
  }
  TEvent::Hide();
}

void TTimedEvent::ButtonClick(QObject* sender) {
  TEvent::ButtonClick(sender);
  // Only a running clock can be paused: a pause before the start would
  // push the start into the future, one after the end would undo it.
  if (sender && sender->objectName() == QLatin1String("Pause") && State == kStateRunning) Pause();
}

void TTimedEvent::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  TEvent::KeyDown(sender, key, shift);
  const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (!key || mods != Qt::AltModifier || key != Qt::Key_P || !EventsStg) return;
  TImage* pause = EventsStg->Pause;
  if (!BookForm || pause->window() != BookForm || !pause->isVisibleTo(BookForm)) return;
  key = 0;
  ButtonClick(pause);
}

void TTimedEvent::CloseQuery(bool& veto) {
  if (State == kStateRunning) Pause();
  TEvent::CloseQuery(veto);
  if (veto && State == kStatePaused) Start();
}

// ---- TMessageEvent ----------------------------------------------------

TMessageEvent::TMessageEvent() = default;

TMessageEvent::~TMessageEvent() {
  delete MessageCanvas.data();
  delete MessagePicture.data();
}

void TMessageEvent::CreateFromDescriptor(const std::string& descriptor) {
  TEvent::CreateFromDescriptor(descriptor);
  TextStart = 0;
  MessageCanvas = MakeControl<TViewCanvas>();
  MessagePicture = MakeControl<TImage>();
  MessagePicture->SetAutoSize(true);
  PictureLeft = DescriptorFields.size() >= 7 && qx::UpperCp1252(TrimBlanks(Field(7))) == "LEFT";
}

bool TMessageEvent::Prepare() {
  // The page still shows, untitled, so the student can go on.
  if (DescriptorFields.size() < 5) {
    std::string line;
    for (const std::string& field : DescriptorFields) line += (line.empty() ? "" : ";") + field;
    ReportError(kMsgError, Cut255("Message without a title: " + line));
  }
  return TEvent::Prepare();
}

void TMessageEvent::Show() {
  TEvent::Show();
  if (BookForm) BookForm->SetTitle(Field(5));
  QWidget* page = Page();
  if (!page || !MessageCanvas || !MessagePicture) {
    State = kStateCompleted;
    return;
  }
  const std::string pictureFile = TrimBlanks(Field(6));
  const bool hasPicture =
      !pictureFile.empty() && qx::FileExists(pictureFile) && MessagePicture->LoadFromFile(pictureFile);

  constexpr int kMargin = 15, kTop = 50, kMaxWidth = 360;
  const int pageW = page->width(), pageH = page->height();
  int left = 130, width = kMaxWidth;
  if (hasPicture) {
    const int pictureW = MessagePicture->width();
    const int pictureX = PictureLeft ? kMargin : pageW - pictureW - kMargin;
    MessagePicture->move(pictureX, kTop);
    if (PictureLeft) {
      left = pictureX + pictureW + kMargin;
      width = pageW - kMargin - left;
    } else {
      left = kMargin;
      width = pictureX - kMargin - left;
    }
    width = std::clamp(width, 0, kMaxWidth);
    MessagePicture->show();
    MessagePicture->raise();
  }
  MessageCanvas->setGeometry(left, kTop, width, pageH - kTop - kMargin);
  MessageCanvas->setFont(qx::PointFont(QStringLiteral("Arial"), 11));
  MessageCanvas->SetColor(PaperAt(page, MessageCanvas->geometry().center().y()));
  MessageCanvas->SetFontColor(0x000000);
  MessageCanvas->SetMode(3);
  MessageCanvas->SetText(EventText, 0);
  MessageCanvas->show();
  MessageCanvas->raise();
  State = kStateCompleted;  // nothing to do here: Enter goes on
}

void TMessageEvent::Hide() {
  if (MessageCanvas) MessageCanvas->hide();
  if (MessagePicture) MessagePicture->hide();
  TEvent::Hide();
}
