// SPDX-License-Identifier: GPL-3.0-or-later
// The manual: every topic a page opens with F1 is in it, and its links lead
// somewhere.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "FlowSandbox.h"
#include "content/Keybevnt.h"
#include "content/TxtEvent.h"
#include "review/Bubble.h"
#include "review/Buildevt.h"
#include "review/Buildvw.h"
#include "review/GamEvent.h"
#include "review/ReviView.h"
#include "shell/AboutStg.h"
#include "shell/Addviews.h"
#include "shell/AddviewsWiz.h"
#include "shell/ChpViews.h"
#include "shell/Guidedst.h"
#include "shell/OptiView.h"
#include "shell/Statview.h"
#include "support/TestFiles.h"

namespace {

const std::string kHelp = QX_SOURCE_DIR "/data/help/";

// The ids of a page's elements, with a failure for any id given twice.
std::set<std::string> Anchors(const std::string& page) {
  std::set<std::string> ids;
  const std::string html = qxtest::ReadBytes(kHelp + page);
  const std::regex id(R"re(\sid="([^"]+)")re");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), id); it != std::sregex_iterator(); ++it)
    EXPECT_TRUE(ids.insert((*it)[1]).second) << page << " gives the id " << (*it)[1] << " twice";
  return ids;
}

TEST(ManualTest, EveryPageOpensATopicTheManualHas) {
  qxtest::FlowSandbox sandbox;
  const std::set<std::string> anchors = Anchors("index.html");
  std::vector<std::pair<const char*, std::function<std::unique_ptr<TFormView>()>>> pages = {
      {"log-on", [] { return std::make_unique<TCoverView>(); }},
      {"new user", [] { return std::make_unique<TNewUserView>("Ann"); }},
      {"welcome", [] { return std::make_unique<TWelcomeView>(); }},
      {"profile", [] { return std::make_unique<TStdProfileView>(); }},
      {"goodbye", [] { return std::make_unique<TGoodbyeView>(); }},
      {"lesson", [] { return std::make_unique<TChapterView>(); }},
      {"message", [] { return std::make_unique<TMessageEvent>(); }},
      {"text", [] { return std::make_unique<TTextEvent>(); }},
      {"new keys", [] { return std::make_unique<TNewKeysEvent>(); }},
      {"word drill", [] { return std::make_unique<TWordEvent>(); }},
      {"keyboard drill", [] { return std::make_unique<TKeyboardEvent>(); }},
      {"review step", [] { return std::make_unique<TBuilderEvent>(); }},
      {"ZaroZira", [] { return std::make_unique<TZaroZiraEvent>(); }},
      {"Bubbles", [] { return std::make_unique<TBubbles>(); }},
      {"review", [] { return std::make_unique<TRevisionView>(); }},
      {"review wizard", [] { return std::make_unique<TBuilderView>(); }},
      {"before and after", [] { return std::make_unique<TWizResultView>(); }},
      {"stories", [] { return std::make_unique<TChooseTextView>(); }},
      {"top ten", [] { return std::make_unique<TTopTenView>(); }},
      {"statistics", [] { return std::make_unique<TStatisticsView>(); }},
      {"options", [] { return std::make_unique<TOptionsView>(); }},
      {"about", [] { return std::make_unique<TAbout>(); }},
  };
  std::set<int> asked;
  for (const auto& [name, make] : pages) {
    const int topic = make()->HelpTopic();
    EXPECT_GT(topic, 0) << "the " << name << " page opens the manual at its start";
    asked.insert(topic);
  }
  // The lesson page turns into the results page when a text has been typed.
  TExercInfoView results;
  TChapterView lesson;
  lesson.LeftView = &results;
  asked.insert(lesson.HelpTopic());
  EXPECT_NE(lesson.HelpTopic(), TChapterView().HelpTopic());

  asked.insert(std::begin(help::kAll), std::end(help::kAll));
  for (int topic : asked) EXPECT_TRUE(anchors.count("topic" + std::to_string(topic))) << "topic " << topic;
}

TEST(ManualTest, EveryLinkInTheManualResolves) {
  const std::regex href(R"re(href="([^"]*)")re");
  std::map<std::string, std::set<std::string>> anchors;
  for (const char* page : {"index.html", "teachers.html"}) anchors[page] = Anchors(page);
  int links = 0;
  for (const auto& [page, own] : anchors) {
    const std::string html = qxtest::ReadBytes(kHelp + page);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), href); it != std::sregex_iterator(); ++it) {
      const std::string link = (*it)[1];
      ++links;
      // The manual must work without a network.
      EXPECT_EQ(link.find("://"), std::string::npos) << page << ": " << link;
      const size_t hash = link.find('#');
      const std::string file = link.substr(0, hash);
      const std::string target = file.empty() ? page : file;
      ASSERT_TRUE(anchors.count(target)) << page << " links to " << link;
      if (hash != std::string::npos)
        EXPECT_TRUE(anchors[target].count(link.substr(hash + 1))) << page << " links to " << link;
    }
  }
  EXPECT_GT(links, 40);
}

}  // namespace
