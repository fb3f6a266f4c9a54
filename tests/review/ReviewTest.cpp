// SPDX-License-Identifier: GPL-3.0-or-later
// The review wizard and the review section on the book, driven with key
// events: the keys and lines handed to the exercise built, the games
// reached through the loader, and a review from the section page to the
// before-and-after page.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <filesystem>
#include <fstream>
#include <map>

#include "../content/EventSandbox.h"
#include "MaterialFiles.h"
#include "content/Contents.h"
#include "content/EventLdr.h"
#include "content/Exercise.h"
#include "content/Chapter.h"
#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "review/Buildevt.h"
#include "review/Buildvw.h"
#include "review/ReviView.h"
#include "review/Revisobj.h"
#include "shell/AddviewsWiz.h"
#include "shell/Buildstg.h"
#include "shell/Graph.h"
#include "shell/ReviStg.h"
#include "storage/BookMark.h"

namespace {

using qxtest::EventTest;
using qxtest::MaterialFiles;
using qxtest::WriteBytes;

// A game as the loader would create it: remembers what it was handed.
struct GameSeen {
  std::string descriptor;
  std::string keys;
  std::vector<std::string> words;
  int runs = 0;
  int seconds = -1;
  bool allowCancel = true;
};
GameSeen seen;
std::vector<GameSeen> allSeen;

class FakeGame : public TEvent {
 public:
  void TakeLimits(int seconds, int) override { seen.seconds = seconds; }
  int Run() override {
    ++seen.runs;
    seen.allowCancel = AllowCancel;
    seen.keys = KnownKeys;
    seen.descriptor.clear();
    for (const std::string& f : DescriptorFields) seen.descriptor += f + ";";
    std::ifstream vocabulary(Field(4));
    for (std::string w; std::getline(vocabulary, w);) seen.words.push_back(w.substr(0, w.find('\r')));
    allSeen.push_back(seen);
    return kResultNext;
  }
};

template <class View>
View* Active() {
  return dynamic_cast<View*>(ActiveView);
}

// Steps that each wait for their page: a step's action may open the next
// page, which runs inside it, so no step may block waiting.
class Steps {
 public:
  Steps() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (next_ >= steps_.size()) return timer_.stop();
      if (!steps_[next_].first()) return;
      auto action = steps_[next_++].second;
      action();
    });
  }
  void Then(std::function<bool()> ready, std::function<void()> action) { steps_.emplace_back(ready, action); }
  void Start() { timer_.start(); }
  bool Done() const { return next_ >= steps_.size(); }

 private:
  QTimer timer_;
  std::vector<std::pair<std::function<bool()>, std::function<void()>>> steps_;
  size_t next_ = 0;
};

template <class View>
std::function<bool()> Showing() {
  return [] { return Active<View>() != nullptr; };
}

class ReviewTest : public EventTest {
 protected:
  ReviewTest() {
    seen = {};
    allSeen.clear();
    RegisterEventType("BUBBLES", [] { return std::unique_ptr<TEvent>(new FakeGame); });
    RegisterEventType("ZAROZIRA", [] { return std::unique_ptr<TEvent>(new FakeGame); });
  }
  ~ReviewTest() override {
    RegisterEventType("BUBBLES", nullptr);
    RegisterEventType("ZAROZIRA", nullptr);
    Contents = nullptr;
  }
  void UseShippedMaterial() {
    namespace fs = std::filesystem;
    for (const char* name : {"builder.hdr", "builder.dta"})
      fs::copy_file(fs::path(QX_BIN_DIR) / name, sandbox / name, fs::copy_options::overwrite_existing);
  }
  void BeginnerKeys() {
    user->NewKeys = {"fjdk", "sla;", "ei", "ru", "gh", "to", "nc", "wy", "mv", "bp", "qz"};
    user->ChaptersStudied = 11;
  }
  // Runs a builder step at a lesson; the script acts on its wizard page.
  int RunBuilder(TBuilderEvent& event, int lesson, const std::function<void(TBuilderStg&)>& onPage) {
    event.TakeLimits(0, lesson);
    return RunWith([&] { return event.Run(); },
                   [&] {
                     ASSERT_TRUE(QTest::qWaitFor([] { return Active<TBuilderView>() != nullptr; }, 10000));
                     onPage(*BuilderStg);
                   });
  }
  static void Check(QRadioButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 12)); }
  void Save(const char* name) {
    const QByteArray dir = qgetenv("QX_RENDER_DIR");
    if (!dir.isEmpty()) book->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
  }
  TContents course;
};

TEST_F(ReviewTest, BubblesPlaysFewKeysTwiceOrOnceWithTheHomeKeys) {
  BeginnerKeys();
  Contents = &course;
  for (int i = 0; i < 20; ++i) {
    KeyStats->RecordKey('q', true);
    KeyStats->RecordKey('z', i % 2 == 0);
  }
  KeyStats->Commit();
  struct Case {
    QRadioButton* TBuilderStg::*choice;
    const char* keys;
  };
  for (const Case& c : {Case{&TBuilderStg::DifficultKeys, "qzqzasdfjkl"}, Case{&TBuilderStg::CurrentKeys, "qzasdfjkl"}}) {
    SCOPED_TRACE(c.keys);
    seen = {};
    TBuilderEvent event;
    const int code = RunBuilder(event, 11, [&](TBuilderStg& form) {
      EXPECT_EQ(form.DifKeys->text(), QStringLiteral("qz"));
      EXPECT_TRUE(form.DifficultKeys->isChecked());
      EXPECT_EQ(form.StudiedKeys->text(), QStringLiteral("qz"));
      Check(form.*c.choice);
      Check(form.BubblesGame);
      EXPECT_EQ(form.Preview->currentWidget()->objectName(), QStringLiteral("Page3"));
      Press('\r');
    });
    EXPECT_EQ(code, kResultNext);
    EXPECT_EQ(seen.runs, 1);
    EXPECT_EQ(seen.keys, c.keys);
    EXPECT_EQ(seen.descriptor, "Bubb;BUBBLES;0;0;");
    EXPECT_EQ(std::string(WizResultView->ResultKeys.data(), 8), std::string(c.keys).substr(0, 8));
  }
}

TEST_F(ReviewTest, ZaroZiraTakesRound200OverTheKeyCountPerKeyAndAMissingGameEndsTheStep) {
  MaterialFiles files;
  for (char key : std::string("abcd")) files.Block(key, 1, 1, MaterialFiles::Numbered(key, 60));
  files.Write(sandbox / "builder");
  settings->DefaultWizard = "builder";
  user->NewKeys = {"abcd"};
  Contents = &course;
  auto choose = [&](TBuilderStg& form) {
    Check(form.ChooseKeys);
    EXPECT_TRUE(form.YourKeys->hasFocus());
    for (char c : std::string("abcd")) Press(c);
    Check(form.ZaroZiraGame);
    QTest::keyClick(book, Qt::Key_N, Qt::AltModifier);
  };
  TBuilderEvent event;
  EXPECT_EQ(RunBuilder(event, 1, choose), kResultNext);
  ASSERT_EQ(seen.runs, 1);
  EXPECT_EQ(seen.keys, "");
  EXPECT_EQ(seen.descriptor.substr(0, 14), "Zaro;ZAROZIRA;");
  ASSERT_EQ(seen.words.size(), 200u);
  for (char key : std::string("abcd"))
    EXPECT_EQ(std::count_if(seen.words.begin(), seen.words.end(), [key](const std::string& w) { return w[0] == key; }),
              50);
  EXPECT_FALSE(std::filesystem::exists(seen.descriptor.substr(15, seen.descriptor.size() - 16)));

  // Without the game the step returns at once, nothing left open.
  RegisterEventType("ZAROZIRA", nullptr);
  TBuilderEvent again;
  EXPECT_EQ(RunBuilder(again, 1, choose), kResultClosed);
  EXPECT_EQ(seen.runs, 1);
  EXPECT_EQ(ActiveView, nullptr);
}

TEST_F(ReviewTest, WithoutACourseEveryLessonsMaterialMayBeUsedAndBackReturns) {
  TBuilderEvent event;
  const int code = RunBuilder(event, 3, [&](TBuilderStg& form) {
    EXPECT_TRUE(form.CrazySentences->isEnabled());
    EXPECT_TRUE(form.CrazySentences->isChecked());
    EXPECT_FALSE(form.CurrentKeys->isEnabled());  // no lesson, no current keys
    EXPECT_TRUE(form.ChooseKeys->isChecked());
    EXPECT_EQ(book->Title->text(), QStringLiteral("Review Wizard"));
    Press('\x1b');
  });
  EXPECT_EQ(code, kResultCancelled);
  EXPECT_EQ(event.LevelLimit, 99);
}

TEST_F(ReviewTest, NoMaterialForTheKeysIsToldAndNothingRuns) {
  MaterialFiles files;
  files.Block('a', 1, 1, {"aa"});
  files.Write(sandbox / "builder");
  settings->DefaultWizard = "builder";
  user->NewKeys = {"abcd"};
  Contents = &course;
  TBuilderEvent event;
  const int code = RunBuilder(event, 1, [&](TBuilderStg& form) {
    EXPECT_FALSE(form.CrazySentences->isEnabled());
    EXPECT_TRUE(form.Keyboard->isChecked());
    Check(form.ChooseKeys);
    Press('b');
    Press('\r');
  });
  EXPECT_EQ(code, 0);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_EQ(sandbox.dialogs.Asked()[0].text, "#7878: No word exercises available for chars: b");
}

TEST_F(ReviewTest, ABuilderStepOfTheCourseDrillsTheLessonsKeysWithinWhatIsKnown) {
  UseShippedMaterial();
  int error = 1;
  auto beginner = TContents::Create(QX_SOURCE_DIR "/data/Beginner.cnt", error, user.get());
  ASSERT_EQ(error, 0);
  Contents = beginner.get();
  TExercise& review = *beginner->Chapters[2]->Exercises[4];
  TBookMark bookmark;
  bookmark.Chapter = 3;
  bookmark.Exercise = 5;
  bookmark.Event = 1;
  bool finished = false;
  std::string drilled;
  Steps steps;
  steps.Then(Showing<TMessageEvent>(), [&] { QTest::keyClick(book, Qt::Key_N, Qt::AltModifier); });
  steps.Then(Showing<TBuilderView>(), [&] {
    TBuilderStg& form = *BuilderStg;
    EXPECT_TRUE(form.CurrentKeys->isChecked());
    EXPECT_EQ(form.StudiedKeys->text(), QStringLiteral("ei"));
    EXPECT_FALSE(form.CrazySentences->isEnabled());
    EXPECT_TRUE(form.Keyboard->isChecked());
    Press('\r');
  });
  steps.Then(Showing<TKeyboardEvent>(), [&] {
    drilled = Active<TKeyboardEvent>()->EventText;
    QTest::keyClick(Target(), Qt::Key_Escape);
  });
  RunWith([&] { return review.RunExercise(bookmark, finished); }, [&] { steps.Start(); });
  EXPECT_TRUE(steps.Done());
  ASSERT_FALSE(drilled.empty());
  const std::string known = user->StudiedKeys(3) + " \r\n";
  for (char c : drilled) EXPECT_NE(known.find(c), std::string::npos) << drilled;
  EXPECT_NE(drilled.find('e'), std::string::npos);
  EXPECT_NE(drilled.find('i'), std::string::npos);
  EXPECT_EQ(std::count(drilled.begin(), drilled.end(), '\n'), 8);  // 4 lines of five words per key
  EXPECT_EQ(std::string(WizResultView->ResultKeys.data(), 3), "ei ");
}

TEST_F(ReviewTest, AReviewFromTheSectionTypesCrazySentencesAndShowsBeforeAndAfter) {
  UseShippedMaterial();
  for (int i = 0; i < 20; ++i) KeyStats->RecordKey('j', i < 10);
  KeyStats->Commit();
  book->OnGoHome = [] { CloseActiveView(); };
  user->Name = "Visitor";  // no user database to save to here
  TRevision section;
  std::vector<std::string> typed;
  Steps steps;
  steps.Then(Showing<TRevisionView>(), [&] {
    TRevisionStg& page = *RevisionStg;
    EXPECT_EQ(book->Title->text(), QStringLiteral("Review"));
    EXPECT_EQ(page.ZaroZiraFileList->itemText(0), QStringLiteral("Studied Keys"));
    Save("review-section.png");
    QTest::mouseClick(page.WizardText, Qt::LeftButton);
  });
  steps.Then(Showing<TBuilderView>(), [&] {
    TBuilderStg& form = *BuilderStg;
    EXPECT_TRUE(form.DifficultKeys->isChecked());
    Check(form.ChooseKeys);
    Press('j');
    EXPECT_TRUE(form.CrazySentences->isChecked());
    Save("review-wizard.png");
    Press('\r');
  });
  steps.Then(Showing<TTextEvent>(), [&] {
    TTextEvent* text = Active<TTextEvent>();
    std::string line;
    for (char c : text->EventText) {
      if (c == '\n') continue;
      if (c != '\r') {
        line += c;
        continue;
      }
      if (line.empty()) continue;
      typed.push_back(line);
      Type(line + "\r");
      line.clear();
    }
    EXPECT_EQ(text->State, kStateCompleted);
    Save("review-typed.png");
    clock.AdvanceUnits(3);
    Press('\r');
  });
  steps.Then([] { return Active<TRevisionView>() != nullptr && WizResultView->WizResultPanel->isVisible(); },
             [&] {
               Save("review-results.png");
               EXPECT_EQ(WizResultView->BeforeGraph->Labels[0], "j");
               EXPECT_EQ(WizResultView->AfterGraph->Labels[0], "j");
               EXPECT_GT(WizResultView->BeforeRates[0], WizResultView->AfterRates[0]);
               Press('\x1b');
             });
  RunWith([&] { return section.Run(); }, [&] { steps.Start(); });
  EXPECT_TRUE(steps.Done());
  for (const auto& asked : sandbox.dialogs.Asked()) ADD_FAILURE() << asked.text;
  EXPECT_EQ(ActiveView, nullptr);
  ASSERT_EQ(typed.size(), 6u);
  for (const std::string& s : typed) EXPECT_NE(s.find('j'), std::string::npos) << s;
}

TEST_F(ReviewTest, TheSectionsGamesAndStoryTakeTheChoicesOfThePage) {
  WriteBytes(sandbox / "animals.vcb", "cat\r\ndog\r\n");
  forms->Revision.reset();
  forms->Revision = std::make_unique<TRevisionStg>();
  RegisterEventType("TEXT", [] { return std::unique_ptr<TEvent>(new FakeGame); });
  user->Name = "Visitor";
  book->OnGoHome = [] { CloseActiveView(); };
  auto pick = [](QComboBox* combo, int index) { combo->setCurrentIndex(index); };
  Steps steps;
  steps.Then(Showing<TRevisionView>(), [&] {
    ASSERT_EQ(RevisionStg->ZaroZiraFileList->count(), 2);
    EXPECT_EQ(RevisionStg->ZaroZiraFileList->itemText(1), QStringLiteral("Animals"));
    pick(RevisionStg->ZaroZiraFileList, 1);
    QTest::mouseClick(RevisionStg->ZaroZiraBox, Qt::LeftButton);
  });
  steps.Then([] { return Active<TRevisionView>() != nullptr && allSeen.size() == 1; }, [&] {
    pick(RevisionStg->BubblesKeys, 3);
    QTest::keyClick(book, Qt::Key_B, Qt::AltModifier);
  });
  steps.Then([] { return Active<TRevisionView>() != nullptr && allSeen.size() == 2; }, [&] {
    pick(RevisionStg->StoryTime, 2);
    QTest::mouseClick(RevisionStg->StoryLbl, Qt::LeftButton);
  });
  steps.Then([] { return Active<TRevisionView>() != nullptr && allSeen.size() == 3; }, [&] { Press('\x1b'); });
  TRevision section;
  RunWith([&] { return section.Run(); }, [&] { steps.Start(); });
  RegisterEventType("TEXT", [] { return std::unique_ptr<TEvent>(new TTextEvent); });
  EXPECT_TRUE(steps.Done());
  ASSERT_EQ(allSeen.size(), 3u);
  EXPECT_EQ(allSeen[0].descriptor, "Zaro;ZAROZIRA;0;Animals.vcb;");
  EXPECT_EQ(allSeen[0].seconds, 180);
  EXPECT_FALSE(allSeen[0].allowCancel);
  EXPECT_EQ(allSeen[1].keys.size(), 62u);
  EXPECT_EQ(allSeen[1].seconds, 0);
  EXPECT_EQ(allSeen[2].descriptor, "Text;TEXT;0;ask:*.exm;false;");
  EXPECT_EQ(allSeen[2].seconds, 1200);
}

TEST_F(ReviewTest, ZaroZiraWithTheStudiedKeysNeedsAStudiedLesson) {
  UseShippedMaterial();
  BeginnerKeys();
  user->ChaptersStudied = 0;
  user->Name = "Visitor";
  TRevisionView view;
  EXPECT_EQ(TRevision().RunZaroZira(view), 0);
  EXPECT_EQ(allSeen.size(), 0u);
  ASSERT_EQ(sandbox.dialogs.Asked().size(), 1u);
  EXPECT_EQ(sandbox.dialogs.Asked()[0].text,
            "You have not yet studied enough to play ZaroZira with studied keys.\rGame will be canceled.");

  user->ChaptersStudied = 2;  // fjdk and sla;: the words of the first lessons
  EXPECT_EQ(TRevision().RunZaroZira(view), kResultNext);
  ASSERT_EQ(allSeen.size(), 1u);
  EXPECT_GT(allSeen[0].words.size(), 100u);
  for (const std::string& w : allSeen[0].words) EXPECT_EQ(w.find_first_not_of("fjdksla;"), std::string::npos) << w;
}

}  // namespace
