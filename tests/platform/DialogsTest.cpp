// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/Dialogs.h"

using namespace qx;

TEST(Dialogs, ScriptedAnswersComeInOrderAndRequestsAreKept) {
  ScriptedDialogs scripted;
  InstallDialogs(&scripted);
  scripted.Answer(DialogAnswer::No);
  scripted.Answer(DialogAnswer::Yes);
  EXPECT_FALSE(Confirm("First?", "Caption"));
  EXPECT_TRUE(Confirm("Second?"));
  ShowWarning("Careful");
  // Unscripted questions get the cautious answer.
  EXPECT_FALSE(Confirm("Third?"));
  ASSERT_EQ(scripted.Asked().size(), 4u);
  EXPECT_EQ(scripted.Asked()[0].caption, "Caption");
  EXPECT_EQ(scripted.Asked()[0].buttons, DialogButtons::YesNo);
  EXPECT_EQ(scripted.Asked()[2].icon, DialogIcon::Warning);
  EXPECT_EQ(scripted.Asked()[2].buttons, DialogButtons::Ok);
  EXPECT_EQ(scripted.Asked()[2].text, "Careful");
  InstallDialogs(nullptr);
}

TEST(Dialogs, ConsoleDialogsAnswerCautiously) {
  ConsoleDialogs console;
  DialogRequest r;
  r.buttons = DialogButtons::YesNoHelp;
  r.text = "Go on?\rReally?";
  EXPECT_EQ(console.Ask(r), DialogAnswer::No);
  r.buttons = DialogButtons::Ok;
  EXPECT_EQ(console.Ask(r), DialogAnswer::Ok);
}
