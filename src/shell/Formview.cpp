// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Formview.h"

#include <algorithm>

#include "platform/Dialogs.h"
#include "platform/QtPlatform.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "storage/ToolBox.h"

TFormView* ActiveView = nullptr;

namespace {

// Views opened modally, innermost last. When an inner view closes, the one
// it was opened over becomes the active view again, so a menu click still
// reaches the view whose loop is running.
std::vector<TFormView*>& OpenViews() {
  static std::vector<TFormView*> views;
  return views;
}

void Forget(TFormView* view) {
  auto& views = OpenViews();
  views.erase(std::remove(views.begin(), views.end(), view), views.end());
  ActiveView = views.empty() ? nullptr : views.back();
}

}  // namespace

void ReparentControl(QWidget* control, QWidget* parent) {
  if (!control || !parent || control->parentWidget() == parent) return;
  const bool shows = !(control->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
                       control->testAttribute(Qt::WA_WState_Hidden));
  control->setParent(parent);
  control->setVisible(shows);
}

TFormView::TFormView() { Create(); }

TFormView::~TFormView() {
  *alive_ = false;
  // Before the warning below: its message loop could deliver a key or a
  // click to a handler of the half-destroyed view.
  context_.reset();
  ReleaseHooks();
  if (Active) {
    qx::ShowWarning("Destroying an active view!");
    // The subclass is gone: close without asking anyone.
    OnCloseQuery = nullptr;
    closeAsked_ = true;
    bool veto = false;
    TFormView::Close(veto);
  }
  Forget(this);
  RestoreControls();
}

QObject* TFormView::Context() {
  if (!context_) context_ = std::make_unique<QObject>();
  return context_.get();
}

void TFormView::HookClick(TImage* image, std::function<void(QWidget* sender)> handler) {
  if (!image) return;
  image->OnClick = Hook(std::move(handler));
  if (std::find(hookedImages_.begin(), hookedImages_.end(), image) == hookedImages_.end())
    hookedImages_.emplace_back(image);
}

void TFormView::HookNextAndBack() {
  if (!BookForm) return;
  HookClick(BookForm->Next, [this](QWidget*) {
    PlaySound(kSoundClick);
    SetResult(1);
  });
  HookClick(BookForm->Back, [this](QWidget*) {
    PlaySound(kSoundClick);
    SetResult(2);
  });
}

void TFormView::ReleaseHooks() {
  if (BookForm) BookForm->ReleaseView(this);
  for (const QPointer<TImage>& image : hookedImages_)
    if (image && Owns(image->OnClick)) image->OnClick = nullptr;
  hookedImages_.clear();
}

bool TFormView::Prepare() { return false; }

void TFormView::Show() { Shown = true; }

void TFormView::KeyPress(QObject* sender, unsigned char& key) {
  if (NonModal) return;
  if (LeftView && key) LeftView->KeyPress(sender, key);
  if (RightView && key) RightView->KeyPress(sender, key);
}

void TFormView::KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) {
  if (NonModal) return;
  if (LeftView && key) LeftView->KeyDown(sender, key, shift);
  if (RightView && key) RightView->KeyDown(sender, key, shift);
}

void TFormView::Create() {
  MovedControls.clear();
  OldParents.clear();
  Shown = Active = NonModal = InLoop = LoopDone = false;
}

int TFormView::Execute() {
  NonModal = false;
  InLoop = true;
  LoopDone = false;
  const std::shared_ptr<bool> alive = alive_;
  qx::ViewLoop loop;
  loop_ = &loop;
  if (!Open() && !LoopDone) {
    // Returns when Close ends the loop, or when the application quits.
    loop.Run();
  }
  if (!*alive) return 0;
  loop_ = nullptr;
  LoopDone = true;
  InLoop = false;
  return ResultCode;
}

void TFormView::OpenNonModal() {
  NonModal = true;
  Open();
}

bool TFormView::Open() {
  if (Active) return false;
  if (!NonModal) {
    if (Prepare()) return true;
    auto& views = OpenViews();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
    views.push_back(this);
    ActiveView = this;
  }
  Active = true;
  SetResult(0);
  Show();
  if (LeftView) LeftView->OpenNonModal();
  if (RightView) RightView->OpenNonModal();
  return false;
}

void TFormView::AskToClose(bool& veto) {
  if (OnCloseQuery) OnCloseQuery(this, veto);
  for (TFormView* page : {LeftView, RightView})
    if (!veto && page && page->Active) page->AskToClose(veto);
}

void TFormView::Close(bool& veto) {
  if (!Active) return;
  // A veto from any of the three keeps all three open, so everything is
  // asked before anything closes.
  if (!closeAsked_) {
    AskToClose(veto);
    if (veto) return;
  }
  closeAsked_ = false;
  for (TFormView* page : {LeftView, RightView}) {
    if (page && page->Active) {
      page->closeAsked_ = true;
      page->Close(veto);
    }
  }
  veto = false;
  Hide();
  if (!NonModal) Forget(this);
  if (InLoop) {
    LoopDone = true;
    if (loop_) loop_->Quit();
  }
  Active = false;
  if (OnClose) OnClose(this);
}

void TFormView::Hide() {
  RestoreControls();
  Shown = false;
}

void TFormView::SetResult(int code) {
  ResultCode = code;
  if (code == 0) return;
  bool veto = false;
  Close(veto);
  if (veto) ResultCode = 0;
}

void TFormView::AddControl(QWidget* control, QWidget* page) {
  if (!control || !page) return;
  OldParents.emplace_back(control->parentWidget());
  ReparentControl(control, page);
  MovedControls.emplace_back(control);
}

void TFormView::MoveControls(QWidget* panel, QWidget* page) {
  if (!panel || !page || panel == page) return;
  for (;;) {
    QWidget* first = nullptr;
    for (QObject* child : panel->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (w && !w->isWindow()) {
        first = w;
        break;
      }
    }
    if (!first) break;
    AddControl(first, page);
  }
}

void TFormView::RestoreControls() {
  while (!MovedControls.empty()) {
    QPointer<QWidget> control = MovedControls.front();
    QPointer<QWidget> parent = OldParents.empty() ? nullptr : OldParents.front();
    MovedControls.erase(MovedControls.begin());
    if (!OldParents.empty()) OldParents.erase(OldParents.begin());
    if (!control) continue;
    if (parent)
      ReparentControl(control, parent);
    else
      control->hide();  // its storage form is gone; keep it off the page
  }
}

bool CloseActiveView() {
  bool veto = false;
  if (ActiveView) ActiveView->Close(veto);
  return veto;
}
