// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Main.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <iterator>
#include <type_traits>
#include <utility>

#include "engine/Diffkeys.h"
#include "engine/KeyData.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/QtPlatform.h"
#include "platform/QtText.h"
#include "platform/Version.h"
#include "review/Revisobj.h"
#include "shell/AboutStg.h"
#include "shell/Addviews.h"
#include "shell/AddviewsWiz.h"
#include "shell/Addvstg.h"
#include "shell/ArtImage.h"
#include "shell/BookWindow.h"
#include "shell/Bookfrm.h"
#include "shell/Buildstg.h"
#include "shell/ChpViews.h"
#include "shell/Chpstgs.h"
#include "shell/Eventstg.h"
#include "shell/Eviewstg.h"
#include "shell/Formview.h"
#include "shell/Generstg.h"
#include "shell/Guidedst.h"
#include "shell/MainPlaceholder.h"
#include "shell/OptiStg.h"
#include "shell/OptiView.h"
#include "shell/ReviStg.h"
#include "shell/Statstg.h"
#include "shell/Statview.h"
#include "shell/Welcstrg.h"
#include "shell/ZaroStg.h"
#include "shell/bubstg.h"
#include "shell/naviform.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

std::string PendingSection;
std::string CurrentSection;
QPointer<QWidget> HiddenMenuImage;
bool Terminating = false;

namespace {

constexpr const char* kExit = "MenuExit";
constexpr const char* kGuided = "MenuGuided";
// Ctrl+Tab walks the tabs in this order.
constexpr const char* kCycle[] = {"MenuGuided", "MenuRevision", "MenuInfo", "MenuLogo", "MenuOptions"};

const char* const kSmallScreen =
    "Quillbrandex cannot fit the screen, since your display\rarea is only 640x480 or smaller. Press "
    "Help to\rview the instructions.\r\rDo you want to continue?";
const char* const kVisitorNotice =
    "Welcome to explore Quillbrandex as a Visitor.\r\rYour personal studying information will not be "
    "saved.\rFor serious studing use your own name instead.";

int PrimaryScreenWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry().width() : 1024;
}

// Runs the action once the window's next paint has gone to the screen.
class TAfterPaint : public QObject {
 public:
  TAfterPaint(QWidget* window, std::function<void()> action) : QObject(window), action_(std::move(action)) {
    auto* view = qobject_cast<QAbstractScrollArea*>(window);
    watched_ = view ? view->viewport() : window;
    watched_->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched_->removeEventFilter(this);
      // The paint and its flush finish before the queued call runs.
      QTimer::singleShot(0, this, [this] {
        action_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  QWidget* watched_;
  std::function<void()> action_;
};

void AfterNextPaint(QWidget* window, std::function<void()> action) {
  if (window) new TAfterPaint(window, std::move(action));
}

}  // namespace

void HaltProgram() { Terminating = true; }

void OpenHelpTopic(int topic) {
  const std::string manual = qx::ProgramDir() + "help/index.html";
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(qx::OsPath(manual).string()));
  if (topic > 0) url.setFragment(QStringLiteral("topic%1").arg(topic));
  const std::string address = qx::FromQt(url.toString(QUrl::FullyEncoded));
  if (ShellOpen(address, "", "") <= 32) ReportError(-5452, address);
}

namespace {

// Every form made on first use: its global and the field that owns it.
template <class F>
void ForEachLazyForm(TProgramForms& forms, F f) {
  f(AboutStorage, forms.About);
  f(WelcomeStg, forms.Welcome);
  f(StatisticsStg, forms.Statistics);
  f(OptioStg, forms.Options);
  f(GeneralStg, forms.General);
  f(EventsStg, forms.Events);
  f(ChapterStgs, forms.Chapter);
  f(AddViewsStg, forms.AddViews);
  f(EventViewStg, forms.EventView);
  f(ZaroZiraStg, forms.Zaro);
  f(BubbleStg, forms.Bubbles);
  f(TopTenView, forms.TopTen);
  f(ExercInfoView, forms.ExercInfo);
  f(RevisionStg, forms.Revision);
  f(BuilderStg, forms.Builder);
  f(WizResultView, forms.WizResult);
}

}  // namespace

TProgramForms::TProgramForms() {
  Book = std::make_unique<TBookForm>();
  Window = std::make_unique<TBookWindow>(Book.get());
  Navigate = std::make_unique<TNavigate>(Book.get());
  // The log-on page needs only the book; every other form is made when a
  // page first borrows from it.
  ForEachLazyForm(*this, [](auto& global, auto& owner) {
    global.SetMaker(
        [&owner] { owner = std::make_unique<typename std::decay_t<decltype(owner)>::element_type>(); });
  });
}

TProgramForms::~TProgramForms() {
  // Nothing is made again while the forms go.
  ForEachLazyForm(*this, [](auto& global, auto&) { global.SetMaker(nullptr); });
  WizResult.reset();
  Builder.reset();
  Revision.reset();
  ExercInfo.reset();
  TopTen.reset();
  Bubbles.reset();
  Zaro.reset();
  EventView.reset();
  AddViews.reset();
  Chapter.reset();
  Events.reset();
  General.reset();
  Navigate.reset();
  Options.reset();
  Statistics.reset();
  Welcome.reset();
  About.reset();
  Window.reset();
  Book.reset();
}

TMain::TMain(TBookForm* book) : ScreenWidth(PrimaryScreenWidth), book_(book) {}

TMain::~TMain() {
  if (User == user_.get()) User = nullptr;
  if (KeyStats == keys_.get() || (user_ && KeyStats == user_->DifficultKeys)) KeyStats = nullptr;
  if (KeyData == keyData_.get()) KeyData = nullptr;
  if (GuidedStudying == guided_.get()) GuidedStudying = nullptr;
  if (Settings == settings_.get()) Settings = nullptr;
}

void TMain::Run() {
  PendingSection.clear();
  CurrentSection.clear();
  HiddenMenuImage = nullptr;
  Terminating = false;
  SoundAvailable = true;
  smallScreen_ = started_ = loggedOn_ = false;
  if (Start()) {
    MenuClick(book_->MenuGuided);
    MainLoop();
  }
  Shutdown();
}

bool TMain::Start() {
  qx::ChangeDirectory(qx::ProgramDir());
  qx::SetHelpOpener(OpenHelpTopic);
  book_->OnHelp = OpenHelpTopic;

  settings_ = std::make_unique<TProgramSettings>();
  Settings = settings_.get();
  Settings->ProductVersion = qx::kProductVersion;
  Settings->BuildNumber = qx::kBuildNumber;
  Settings->CompileDate = qx::kCompileDate;
  Settings->PlatformWord = qx::kPlatformWord;
  Settings->LoadSettings();

  book_->SetLayout(0);
  book_->LoadLabel->show();
  if (Settings->MaximizedBook)
    book_->Frame()->showMaximized();
  else
    book_->Frame()->showNormal();
  // The loading note shows while the rest is read.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  if (ScreenWidth() <= 640) {
    qx::DialogRequest ask;
    ask.icon = qx::DialogIcon::Warning;
    ask.buttons = qx::DialogButtons::YesNoHelp;
    ask.text = kSmallScreen;
    ask.helpTopic = 1010;
    if (qx::Dialogs().Ask(ask) != qx::DialogAnswer::Yes) return false;
    smallScreen_ = true;
    book_->Frame()->setWindowFlag(Qt::FramelessWindowHint, true);
    book_->Frame()->showMaximized();
  }

  book_->BackGround32->show();
  book_->BackGround32->lower();
  book_->Frame()->setWindowTitle(QStringLiteral("Quillbrandex for Networks"));
  book_->OnCloseQuery = [this] { return CloseQuery(); };
  Terminating = false;

  CreateSound(kSoundClick, "Click.wav");
  CreateSound(kSoundTheEnd, "Theend.wav");
  CreateSound(kSoundError, "Error.wav");
  if (Settings->PlayTheme) {
    CreateSound(kSoundTheme, "Intro.wav");
    // Bringing up the audio system takes longer than the whole page: the
    // tune starts as soon as the page is on the screen.
    AfterNextPaint(book_->Frame(), [] { PlaySound(kSoundTheme); });
  }

  keyData_ = std::make_unique<TKeyData>();
  KeyData = keyData_.get();
  const std::string layout = Settings->GetLayoutFile("qwerty.kbd");
  if (KeyData->LoadLayout(layout) != kFileOpen) {
    ReportError(-500, layout + " not found!");
    return false;
  }

  const std::string userBase = Settings->DataPath + "Userbase.qx4";
  if (!qx::FileExists(userBase)) {
    // A data directory on another file system cannot take a rename; a copy
    // serves as well there. Installed material is shared by every user and
    // only ever copied.
    const bool moved = !qx::RunsInstalled() && qx::RenameFile("UserBase.org", userBase);
    if (!moved && !CopyDataFile("UserBase.org", userBase))
      ReportError(-6633, userBase);
  }

  keys_ = std::make_unique<TDifficultKeys>();
  KeyStats = keys_.get();
  user_ = std::make_unique<TUser>("", KeyStats);
  User = user_.get();
  guided_ = std::make_unique<TGuidedStudying>();
  GuidedStudying = guided_.get();
  guided_->BuildLabel = "build " + Settings->BuildNumber + " " + Settings->PlatformWord;
  about_ = std::make_unique<TAbout>();
  statistics_ = std::make_unique<TStatisticsView>();
  StatisticsView = statistics_.get();
  revision_ = std::make_unique<TRevision>();
  book_->LoadLabel->hide();

  started_ = true;
  if (!Logon()) return false;
  loggedOn_ = true;

  if (IsVisitor(User->Name)) qx::ShowInformation(kVisitorNotice);
  if (User->PlaySounds == 0) SoundAvailable = false;
  FreeSound(kSoundTheme);
  // The first click of the first page should not wait for the sound files.
  PrepareSounds();
  if (!IsVisitor(User->Name)) Settings->LastUser = User->Name;

  if (ExercInfoView) ExercInfoView->ReceiveUserResults(*User);
  if (User->ContentsFile.empty()) User->ContentsFile = Settings->DefaultContents;
  KeyStats->SetFilter(User->StudiedKeys(User->ChaptersStudied));

  book_->SetLayout(2);
  book_->CoverPic->Clear();
  if (smallScreen_ && Navigate) {
    QWidget* frame = book_->Frame();
    Navigate->move(frame->mapToGlobal(
        QPoint((frame->width() - Navigate->width()) / 2, frame->height() - Navigate->height())));
    Navigate->show();
  }
  for (TImage* image : book_->MenuImages()) image->OnClick = [this](QWidget* sender) { MenuClick(sender); };
  book_->OnNextSection = [this] { NextSection(); };
  book_->OnPrevSection = [this] { PreviousSection(); };
  book_->OnGoHome = [this] { GoHome(); };
  book_->OnExit = [this] { MenuClick(book_->MenuExit); };
  if (Settings->DisableSettingsPage) {
    book_->HideSettings->show();
    book_->HideSettings->raise();
  }
  return true;
}

bool TMain::Logon() {
  bool ask = Settings->AutoLogon.empty();
  for (;;) {
    std::string name;
    if (!ask) {
      name = TrimBlanks(qx::ExpandEnvironment(Settings->AutoLogon).substr(0, 99));
      if (name.empty() || qx::UpperCp1252(name) == "%USERNAME%") ask = true;
    }
    // After a declined new-user question the name is asked for, even when
    // it came from the automatic log-on: asking it again would never end.
    if (ask) {
      TCoverView cover;
      if (OnLogonPage) {
        QTimer::singleShot(0, book_, [hook = std::exchange(OnLogonPage, nullptr)] { hook(); });
      }
      if (cover.Execute() == 0) return false;
      name = cover.UserName;
    }
    ask = true;

    if (IsVisitor(name)) {
      // The visitor is never stored: a fresh student in memory only.
      user_ = std::make_unique<TUser>(name, keys_.get());
      User = user_.get();
      return true;
    }
    if (auto found = FindUser(name)) {
      user_ = std::move(found);
      User = user_.get();
      KeyStats = User->DifficultKeys;
      return true;
    }
    TNewUserView question(name);
    const int answer = question.Execute();
    if (answer == 0) return false;
    if (answer != 1) continue;
    if (auto created = CreateUser(name)) {
      user_ = std::move(created);
      User = user_.get();
      KeyStats = User->DifficultKeys;
      return true;
    }
  }
}

void TMain::MainLoop() {
  bool ran = true;
  while (!Terminating && ran) {
    if (PendingSection == kExit) break;
    CurrentSection = PendingSection;
    ran = RunSection(CurrentSection);
  }
}

bool TMain::RunSection(const std::string& name) {
  if (name == kGuided) {
    guided_->Run();
  } else if (name == "MenuRevision") {
    revision_->Run();
  } else if (name == "MenuInfo") {
    statistics_->Execute();
  } else if (name == "MenuOptions") {
    RunOptions();
  } else if (name == "MenuLogo") {
    about_->Run();
  } else {
    return false;
  }
  return true;
}

void TMain::Shutdown() {
  if (loggedOn_ && User) SaveUserOrReport(*User, true);
  for (int slot = 1; slot <= kSoundSlots; ++slot) FreeSound(slot);
  if (started_ && Settings) Settings->SaveSettings();

  book_->OnCloseQuery = nullptr;
  book_->OnNextSection = nullptr;
  book_->OnPrevSection = nullptr;
  book_->OnGoHome = nullptr;
  book_->OnExit = nullptr;
  for (TImage* image : book_->MenuImages()) image->OnClick = nullptr;
  if (Navigate) Navigate->hide();

  revision_.reset();
  statistics_.reset();
  about_.reset();
  if (GuidedStudying == guided_.get()) GuidedStudying = nullptr;
  guided_.reset();
  if (KeyData == keyData_.get()) KeyData = nullptr;
  keyData_.reset();
}

void TMain::MenuClick(QWidget* sender) {
  if (!sender) return;
  if (!PendingSection.empty()) PlaySound(kSoundClick);
  if (sender == book_->MenuExit) {
    sender->hide();
    if (!book_->Frame()->close()) sender->show();
    return;
  }
  if (CloseActiveView()) return;
  if (HiddenMenuImage) HiddenMenuImage->show();
  sender->hide();
  HiddenMenuImage = sender;
  PendingSection = qx::FromQt(sender->objectName());
}

void TMain::ClickByName(const std::string& name) {
  for (TImage* image : book_->MenuImages())
    if (image->objectName() == QLatin1String(name.c_str())) MenuClick(image);
}

void TMain::CycleSection(int step) {
  constexpr int count = int(std::size(kCycle));
  int at = 0;
  for (int i = 0; i < count; ++i)
    if (CurrentSection == kCycle[i]) at = i;
  do {
    at = (at + step + count) % count;
  } while (Settings && Settings->DisableSettingsPage && std::string(kCycle[at]) == "MenuOptions");
  ClickByName(kCycle[at]);
}

void TMain::NextSection() { CycleSection(1); }

void TMain::PreviousSection() { CycleSection(-1); }

void TMain::GoHome() {
  if (PendingSection != kGuided) ClickByName(kGuided);
}

bool TMain::CloseQuery() {
  if (CloseActiveView()) return false;
  Terminating = true;
  return true;
}
