// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMetaObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "engine/Viewcanv.h"
#include "shell/Formview.h"

class QScrollArea;
class TContents;
class TIntroduction;

// Guided studying, the main section: the welcome page and the studying
// profile for a student who has not begun, then the course from the
// student's bookmark, and the goodbye page at its end.
class TGuidedStudying {
 public:
  TGuidedStudying();
  ~TGuidedStudying();

  // 0, 1000 (leave studying) or the course's own result.
  int Run();

  std::string BuildLabel;  // shown on the welcome page

 private:
  // The welcome page and what it leads to: 1 begin the course, 0 leave,
  // 1000 the introduction was left for another section.
  int Welcome();
  std::unique_ptr<TIntroduction> introduction_;
  std::unique_ptr<TContents> contents_;
};

extern TGuidedStudying* GuidedStudying;

// Welcome page: 1 Begin Studying, 2 Introduction.
class TWelcomeView : public TFormView {
 public:
  int HelpTopic() const override { return help::kWelcome; }
  explicit TWelcomeView(std::string buildLabel = {});
  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

 private:
  std::string buildLabel_;
};

// Goodbye page at the end of the course: 1 restart, 2 back to the last
// lesson.
class TGoodbyeView : public TFormView {
 public:
  int HelpTopic() const override { return help::kGoodbye; }
  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;
};

// The studying profile: the course and the lesson length. 1 Next, 2 Back;
// closing with 1 stores both choices in the student's record.
class TStdProfileView : public TFormView {
 public:
  int HelpTopic() const override { return help::kProfile; }
  TStdProfileView();
  ~TStdProfileView() override;

  bool Prepare() override;
  void Show() override;
  void Hide() override;
  void Close(bool& veto) override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  // Shows course n of the list (0-based): its long description and its
  // lessons; the lesson length may follow the course's default time.
  void ChooseCourse(int index);
  // 25, 35, 45 or 0 (no time limit) as the buttons say.
  int CheckedMinutes() const;

  std::string ContentsFileName;          // the chosen course + ".cnt"
  std::vector<std::string> CourseFiles;  // names without ".cnt"
  QPointer<TViewCanvas> Canvas;  // kept by the storage form while hidden
  // Scrolls the preview when the course has more lessons than fit.
  QPointer<QScrollArea> PreviewArea;

 private:
  // minutes 25, 35 or 45 check their button; none (-1 for the settings,
  // 0 for a course's default time) checks No time limits.
  void CheckMinutes(int minutes, int none);
  void ShowGauge();
  // The preview tall enough for every lesson of the course.
  void FitPreview(const std::string& lines);
  std::vector<QMetaObject::Connection> connections_;
};

// Log-on on the book's cover: 1 OK, 2 Visitor. UserName holds the name
// to log on once the page closed.
class TCoverView : public TFormView {
 public:
  int HelpTopic() const override { return help::kLogOn; }
  void Show() override;
  void Hide() override;
  void Close(bool& veto) override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  std::string UserName;

 private:
  std::vector<QMetaObject::Connection> connections_;
};

// "Name, are you a new user?": 1 Yes, 2 Cancel.
class TNewUserView : public TFormView {
 public:
  int HelpTopic() const override { return help::kNewUser; }
  explicit TNewUserView(std::string name) : UserName(std::move(name)) {}
  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

  std::string UserName;

 private:
  std::vector<QMetaObject::Connection> connections_;
};
