// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "shell/HelpTopics.h"

namespace qx {
class ViewLoop;
}
class TFormView;
class TImage;

// A handler that a view puts on a control or window it does not own. It
// remembers its view, so that the view can take it off again when it is
// destroyed, and does nothing once the view is going.
template <typename... Args>
struct TViewHook {
  const TFormView* Owner;
  std::shared_ptr<const bool> Alive;
  std::function<void(Args...)> Handler;
  void operator()(Args... args) const {
    if (*Alive && Handler) Handler(args...);
  }
};

// The base of every page of the book. A view borrows controls from the
// storage forms while it is open, runs its own event loop until it is
// closed, and leaves a result code for its caller.
class TFormView {
 public:
  TFormView();
  virtual ~TFormView();
  TFormView(const TFormView&) = delete;
  TFormView& operator=(const TFormView&) = delete;

  // True aborts the opening.
  virtual bool Prepare();
  virtual void Show();
  // A key consumed by a handler is set to 0.
  virtual void KeyPress(QObject* sender, unsigned char& key);
  virtual void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);
  virtual void Create();
  virtual int Execute();
  virtual void OpenNonModal();
  // True when Prepare aborted the opening.
  virtual bool Open();
  virtual void Close(bool& veto);
  virtual void Hide();
  // The manual's topic for this page; 0 opens the manual at its start.
  virtual int HelpTopic() const { return 0; }

  void SetResult(int code);
  void AddControl(QWidget* control, QWidget* page);
  void MoveControls(QWidget* panel, QWidget* page);
  void RestoreControls();

  // The context of the view's signal connections, so that they end with
  // the view even when it is destroyed while open.
  QObject* Context();
  // Wraps a handler for a hook on a shared control or on the book window.
  template <typename... Args>
  std::function<void(Args...)> Hook(std::function<void(Args...)> handler) const {
    return TViewHook<Args...>{this, alive_, std::move(handler)};
  }
  // Whether this view put the hook there.
  template <typename... Args>
  bool Owns(const std::function<void(Args...)>& hook) const {
    const auto* h = hook.template target<TViewHook<Args...>>();
    return h && h->Owner == this;
  }
  // Sets an image's click handler; the view's destruction takes it off.
  void HookClick(TImage* image, std::function<void(QWidget* sender)> handler);
  // The book's Next closes the page with 1 and Back with 2, each clicking.
  void HookNextAndBack();

  std::function<void(TFormView* view, bool& veto)> OnCloseQuery;
  std::function<void(TFormView* sender)> OnClose;
  int ResultCode = 0;
  std::vector<QPointer<QWidget>> MovedControls;
  std::vector<QPointer<QWidget>> OldParents;
  bool Shown = false;
  bool Active = false;
  bool NonModal = false;
  bool InLoop = false;
  bool LoopDone = false;
  TFormView* LeftView = nullptr;
  TFormView* RightView = nullptr;

 private:
  // Asks this view and its page views, stopping at the first veto.
  void AskToClose(bool& veto);

  // Takes the view's hooks off the book window and the images it hooked.
  void ReleaseHooks();

  qx::ViewLoop* loop_ = nullptr;
  bool closeAsked_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::unique_ptr<QObject> context_;
  std::vector<QPointer<TImage>> hookedImages_;
};

// The view opened last with Open and still open; none when no view is.
extern TFormView* ActiveView;

// Asks the active view to close; returns the veto.
bool CloseActiveView();

// Moves a control to another parent, keeping whether it shows with its
// parent.
void ReparentControl(QWidget* control, QWidget* parent);
