// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "content/EventSandbox.h"
#include "content/TxtEvent.h"
#include "shell/Addviews.h"
#include "shell/Eviewstg.h"
#include "support/TestFiles.h"

namespace {

using qxtest::WriteBytes;

using qxtest::EventTest;

std::string Story(const std::string& title, const std::string& text) {
  return "$description=" + title + "\r\n$author=Pat\r\n$copyright=(c) Pat\r\n$end\r\n" + text;
}

class StoryChooserTest : public EventTest {
 protected:
  StoryChooserTest() {
    WriteBytes(sandbox / "Aaa.exm", Story("First", "one two\r\nthree four\r\nfive six\r\nseven eight\r\n"));
    WriteBytes(sandbox / "Bbb.exm", Story("Second", "red\r\n"));
  }
  // Runs the script once the text step the chooser led to is on the page:
  // the chooser closes before the step opens.
  static void OnceTyping(std::function<void()> script) {
    auto* poll = new QTimer;
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, script] {
      if (!dynamic_cast<TTextEvent*>(ActiveView)) return;
      poll->stop();
      poll->deleteLater();
      script();
    });
    poll->start();
  }
  // The chooser on the book, for the script to act on.
  static TChooseTextView* Chooser() { return dynamic_cast<TChooseTextView*>(ActiveView); }
};

TEST_F(StoryChooserTest, ListsTheTextFolderAndTheCustomFolder) {
  const std::string custom = sandbox.Root("custom/");
  qx::EnsureDirectory(custom);
  WriteBytes(custom + "mine.txt", "just my own words\r\n");
  TChooseTextView view;
  EXPECT_EQ(view.ListStories("*.exm", custom), 0);
  ASSERT_EQ(view.FileNames.size(), 3u);
  EXPECT_EQ(EventViewStg->TextList->item(0)->text(), QStringLiteral("Pat;First"));
  EXPECT_EQ(EventViewStg->TextList->item(2)->text(), QStringLiteral("[User file];Mine"));
  EXPECT_EQ(view.SelectedFile, "Aaa.exm");
  // A custom folder that is not there adds nothing and reports nothing.
  EXPECT_EQ(view.ListStories("*.exm", sandbox.Root("gone/")), 0);
  EXPECT_EQ(view.FileNames.size(), 2u);
  EXPECT_TRUE(sandbox.dialogs.Asked().empty());
}

TEST_F(StoryChooserTest, AStoryIsContinuedWhereTheStudentStopped) {
  // No story yet: a new one, chosen with a preview.
  {
    TTextEvent event;
    event.CreateFromDescriptor("Text;Text;0;ask:*.exm;false");
    RunWith([&] { return event.Run(); }, [&] {
      TChooseTextView* chooser = Chooser();
      ASSERT_NE(chooser, nullptr);
      EXPECT_FALSE(EventViewStg->Continue->isEnabled());
      EXPECT_TRUE(EventViewStg->NewStory->isChecked());
      EXPECT_EQ(EventViewStg->ContinueLabel->text(), QStringLiteral("(No stories started)"));
      EXPECT_EQ(EventViewStg->TextList->currentRow(), 0);
      PressKey(Qt::Key_Return);
      // The step itself now: three words typed, then left.
      OnceTyping([&] {
        Type("one two\rthree four\r");
        sandbox.dialogs.Answer(qx::DialogAnswer::Yes);
        PressKey(Qt::Key_Escape);
      });
    });
  }
  EXPECT_EQ(User->StoryFile, "Aaa.exm");
  const int stopped = User->StoryPosition;
  EXPECT_GT(stopped, 0);

  TTextEvent again;
  again.CreateFromDescriptor("Text;Text;0;ask:*.exm;false");
  RunWith([&] { return again.Run(); }, [&] {
    ASSERT_NE(Chooser(), nullptr);
    EXPECT_TRUE(EventViewStg->Continue->isChecked());
    EXPECT_EQ(EventViewStg->ContinueLabel->text(), QStringLiteral("First by Pat"));
    PressKey(Qt::Key_Return);
    OnceTyping([&] {
      EXPECT_EQ(again.TextStart, stopped);
      PressKey(Qt::Key_Escape);
    });
  });
}

TEST_F(StoryChooserTest, AShortStoryEndsTheStepAndStartsOverNextTime) {
  User->StoryFile = "Bbb.exm";
  User->StoryPosition = 0;
  TTextEvent event;
  event.CreateFromDescriptor("Text;Text;0;ask:*.exm;false");
  event.TakeLimits(1800, 0);
  RunWith([&] { return event.Run(); }, [&] {
    PressKey(Qt::Key_Return);  // continue
    OnceTyping([&] {
      Type("red ");
      EXPECT_EQ(event.State, kStateCompleted);
      PressKey(Qt::Key_Return);
    });
  });
  // The place after the end gives no empty step: the story starts over.
  TTextEvent again;
  again.CreateFromDescriptor("Text;Text;0;ask:*.exm;false");
  RunWith([&] { return again.Run(); }, [&] {
    PressKey(Qt::Key_Return);
    OnceTyping([&] {
      EXPECT_EQ(again.TextStart, 0);
      PressKey(Qt::Key_Escape);
    });
  });
  // Back from the chooser leaves the step without running it.
  TTextEvent back;
  back.CreateFromDescriptor("Text;Text;0;ask:*.exm;false");
  EXPECT_EQ(RunWith([&] { return back.Run(); }, [] { PressKey(Qt::Key_Escape); }), kResultCancelled);
}

}  // namespace
