// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "shell/FormRef.h"
#include "shell/Formview.h"
#include "storage/Topten.h"

class QLabel;
class TViewCanvas;

// Result codes of the story chooser.
constexpr int kChooseNewStory = 1;
constexpr int kChooseContinue = 2;
constexpr int kChooseBack = 3;

// The story chooser: continue the story typed last, or pick a story from
// the text folder and the custom story folder, with a preview.
class TChooseTextView : public TFormView {
 public:
  int HelpTopic() const override { return help::kStories; }
  TChooseTextView();
  ~TChooseTextView() override;

  // Fills the list; 0, or the open status of the last story file when it
  // could not be opened.
  int ListStories(const std::string& mask, const std::string& customPath);

  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;
  void ButtonClick(QObject* sender);

  std::string SelectedFile;
  std::string LastStory;
  std::vector<std::string> FileNames;
  QPointer<TViewCanvas> PreviewCanvas;

 private:
  // Selects entry row (0-based) and shows its preview.
  void Preview(int row);
  std::vector<std::string> entries_;
};

// The top-ten page after a game: ranks the score in the game's table,
// lets a winner type the name for the entry and lists the first ten.
class TTopTenView : public TFormView {
 public:
  int HelpTopic() const override { return help::kTopTen; }
  TTopTenView();
  ~TTopTenView() override;

  void EnterScore(const std::string& tableName, const std::string& studentName, int score);
  // The typed name goes into the entry and the table is saved; nothing
  // when no name is being asked for.
  void ConfirmName();

  void Show() override;
  void Hide() override;
  void KeyPress(QObject* sender, unsigned char& key) override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  std::vector<QLabel*> NameLabels;
  std::vector<QLabel*> PointsLabels;
  std::vector<QLabel*> DateLabels;
  std::unique_ptr<TtopTen> Table;
  int Rank = 0;

 private:
  void ShowRows();
  bool Asking() const;
  TtopTen::TEntry entry_;
};

// The program's top-ten page; none before the forms are created.
extern TFormRef<TTopTenView> TopTenView;
