// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAbout;
class TAboutStorage;
class TAddViewsStg;
class TBubbleStg;
class TEventViewStg;
class TBookForm;
class TBookWindow;
class TChapterStgs;
class TExercInfoView;
class TDifficultKeys;
class TEventsStg;
class TFormView;
class TGeneralStg;
class TGuidedStudying;
class TImage;
class TKeyData;
class TNavigate;
class TOptioStg;
class TStatisticsStg;
class TStatisticsView;
class TProgramSettings;
class TBuilderStg;
class TRevision;
class TRevisionStg;
class TWizResultView;
class TUser;
class TTopTenView;
class TWelcomeStg;
class TZaroZiraStg;

// The controller's state. PendingSection names the menu image chosen
// last ("MenuGuided", ...); the main loop runs that section.
extern std::string PendingSection;
extern std::string CurrentSection;
extern QPointer<QWidget> HiddenMenuImage;
extern bool Terminating;

// Ends the program once the running section has returned; for failures
// after which studying cannot go on.
void HaltProgram();

// Opens the help manual beside the program at a topic; -5452 when the
// shell cannot.
void OpenHelpTopic(int topic);

// The book window and the storage forms whose controls the views borrow,
// created in the order the views expect and freed in reverse.
struct TProgramForms {
  TProgramForms();
  ~TProgramForms();
  TProgramForms(const TProgramForms&) = delete;
  TProgramForms& operator=(const TProgramForms&) = delete;

  std::unique_ptr<TBookForm> Book;
  std::unique_ptr<TBookWindow> Window;  // scales the book to the screen
  std::unique_ptr<TAboutStorage> About;
  std::unique_ptr<TWelcomeStg> Welcome;
  std::unique_ptr<TStatisticsStg> Statistics;
  std::unique_ptr<TOptioStg> Options;
  std::unique_ptr<TNavigate> Navigate;
  std::unique_ptr<TGeneralStg> General;
  std::unique_ptr<TEventsStg> Events;
  std::unique_ptr<TChapterStgs> Chapter;
  std::unique_ptr<TAddViewsStg> AddViews;
  std::unique_ptr<TEventViewStg> EventView;
  std::unique_ptr<TZaroZiraStg> Zaro;
  std::unique_ptr<TBubbleStg> Bubbles;
  std::unique_ptr<TTopTenView> TopTen;
  // The typing information page lives as long as the forms it borrows from.
  std::unique_ptr<TExercInfoView> ExercInfo;
  std::unique_ptr<TRevisionStg> Revision;
  std::unique_ptr<TBuilderStg> Builder;
  std::unique_ptr<TWizResultView> WizResult;
};

// Starts the program, logs the student on, keeps the chosen section
// running and shuts down.
class TMain {
 public:
  explicit TMain(TBookForm* book);
  ~TMain();
  TMain(const TMain&) = delete;
  TMain& operator=(const TMain&) = delete;

  // The whole run; returns when the program is to end.
  void Run();

  void MenuClick(QWidget* sender);
  void NextSection();
  void PreviousSection();
  void GoHome();
  // The book window's close query: false keeps it open.
  bool CloseQuery();

  // The usable screen width; tests pretend other screens.
  std::function<int()> ScreenWidth;
  // Called once, when the log-on page first waits for the student.
  std::function<void()> OnLogonPage;
  bool SmallScreen() const { return smallScreen_; }

 private:
  bool Start();
  bool Logon();
  void MainLoop();
  bool RunSection(const std::string& name);
  void Shutdown();
  void ClickByName(const std::string& name);
  void CycleSection(int step);

  TBookForm* book_;
  bool smallScreen_ = false;
  bool started_ = false;   // the log-on was reached: settings are saved at the end
  bool loggedOn_ = false;
  std::unique_ptr<TProgramSettings> settings_;
  std::unique_ptr<TKeyData> keyData_;
  std::unique_ptr<TDifficultKeys> keys_;
  std::unique_ptr<TUser> user_;
  std::unique_ptr<TGuidedStudying> guided_;
  std::unique_ptr<TAbout> about_;
  std::unique_ptr<TStatisticsView> statistics_;
  std::unique_ptr<TRevision> revision_;
};
