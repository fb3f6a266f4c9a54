// SPDX-License-Identifier: GPL-3.0-or-later
// Key preview: the book sees every key of its window first and hands it to
// the hooks the active view installed.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <algorithm>

#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Formview.h"

namespace {

// The Windows-1252 characters a key types: Enter, BackSpace and Esc as
// their control codes, everything else as the layout produced it.
std::string CharactersOf(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return "\r";
    case Qt::Key_Backspace: return "\b";
    case Qt::Key_Escape: return "\x1b";
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return "\t";
    case Qt::Key_Delete: return {};
    default: return qx::FromQt(key->text());
  }
}

bool Reachable(const QWidget* w) {
  return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
         !w->focusProxy();
}

// The radio buttons that exclude this one, itself included.
QList<QAbstractButton*> GroupOf(QRadioButton* radio) {
  if (radio->group() && radio->group()->exclusive()) return radio->group()->buttons();
  QList<QAbstractButton*> group;
  if (radio->autoExclusive() && radio->parentWidget()) {
    for (QObject* sibling : radio->parentWidget()->children()) {
      auto* other = qobject_cast<QRadioButton*>(sibling);
      if (other && other->autoExclusive() && !other->group()) group.append(other);
    }
  }
  return group;
}

// Radio buttons that exclude each other are one stop, as in every dialog:
// the checked one, or the first while none is checked. The arrows move
// within the group.
QWidget* StopFor(QWidget* w) {
  auto* radio = qobject_cast<QRadioButton*>(w);
  if (!radio) return w;
  QAbstractButton* stop = nullptr;
  for (QAbstractButton* b : GroupOf(radio)) {
    if (!Reachable(b)) continue;
    if (b->isChecked()) return b;
    if (!stop) stop = b;
  }
  return stop ? stop : w;
}

}  // namespace

QList<QWidget*> TBookForm::TabStops() const {
  // The pages are read before the title console and the buttons under
  // them; the menu tabs are reached with Ctrl+Tab, as a notebook's are.
  const QWidget* const parts[] = {BookCover, WidePage, LeftPage, RightPage, TitleConsole, BtnConsole};
  auto region = [&](const QWidget* w) {
    for (int i = 0; i < int(std::size(parts)); ++i)
      if (parts[i] && parts[i]->isAncestorOf(w)) return i;
    return -1;
  };
  // Within a part the focus chain keeps each storage panel's own order.
  QList<QWidget*> stops;
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
    if (region(w) >= 0 && Reachable(w) && StopFor(w) == w) stops.append(w);
  std::stable_sort(stops.begin(), stops.end(),
                   [&](const QWidget* a, const QWidget* b) { return region(a) < region(b); });
  return stops;
}

void TBookForm::FocusFirstControl() {
  ShowFocus();
  const QList<QWidget*> stops = TabStops();
  if (!stops.isEmpty()) stops.first()->setFocus(Qt::OtherFocusReason);
}

void TBookForm::ShowFocus() {
  // The student works from the keyboard: the control that Space presses
  // always shows its ring, not only once Tab was used.
  setAttribute(Qt::WA_KeyboardFocusChange);
}

bool TBookForm::focusNextPrevChild(bool next) {
  // Controls move between storage forms and pages, so the window's own
  // focus chain follows no page order and ends instead of coming round.
  const QList<QWidget*> stops = TabStops();
  if (stops.isEmpty()) return false;
  ShowFocus();
  // A focused radio button stands for its group.
  QWidget* current = focusWidget() ? StopFor(focusWidget()) : nullptr;
  const int at = int(stops.indexOf(current));
  const int n = int(stops.size());
  const int to = at < 0 ? (next ? 0 : n - 1) : (at + (next ? 1 : n - 1)) % n;
  stops[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

bool TBookForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::InputMethod) return false;
  auto* receiver = qobject_cast<QWidget*>(watched);
  if (!receiver || receiver->window() != this) return false;
  return PreviewKey(receiver, event);
}

// Program commands that work on every page, before any view sees the key.
bool TBookForm::CommandKey(int key, Qt::KeyboardModifiers shift) {
  const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (key == Qt::Key_Q && mods == Qt::ControlModifier) {
    if (auto hook = OnExit)
      hook();
    else
      Frame()->close();
    return true;
  }
  if (key == Qt::Key_F1 && mods == Qt::NoModifier) {
    if (auto hook = OnHelp) hook(ActiveView ? ActiveView->HelpTopic() : 0);
    return true;
  }
  return false;
}

bool TBookForm::PreviewKey(QWidget* receiver, QEvent* event) {
  // An ignored key travels on to the parents; it was previewed at the first.
  if (event == lastKey_ && int(event->type()) == lastKeyType_ && lastReceiver_ &&
      receiver != lastReceiver_ && receiver->isAncestorOf(lastReceiver_))
    return false;
  lastKey_ = event;
  lastKeyType_ = int(event->type());
  lastReceiver_ = receiver;
  const QPointer<QWidget> alive(receiver);

  if (event->type() == QEvent::InputMethod) {
    // Dead keys and composed characters arrive here as committed text.
    const auto* input = static_cast<QInputMethodEvent*>(event);
    auto hook = OnKeyPress;
    const std::string chars = qx::FromQt(input->commitString());
    if (!hook || chars.empty()) return false;
    bool consumed = true;
    for (char c : chars) {
      unsigned char key = static_cast<unsigned char>(c);
      hook(key);
      if (key) consumed = false;
    }
    return consumed || !alive;
  }

  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers shift = key->modifiers();
  if (event->type() == QEvent::KeyRelease) {
    if (auto hook = OnKeyUp; hook && !key->isAutoRepeat()) hook(key->key(), shift);
    return !alive;
  }

  if (CommandKey(key->key(), shift)) return true;
  if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (shift & Qt::ControlModifier) &&
      !(shift & Qt::AltModifier)) {
    const bool back = key->key() == Qt::Key_Backtab || (shift & Qt::ShiftModifier);
    if (auto hook = back ? OnPrevSection : OnNextSection) hook();
    return true;
  }

  if (auto hook = OnKeyDown) {
    int code = key->key();
    hook(code, shift);
    if (code == 0 || !alive) return true;
  }
  // Alt combinations are commands, not characters.
  if (shift & (Qt::AltModifier | Qt::MetaModifier)) return false;
  auto hook = OnKeyPress;
  if (!hook) return false;
  const std::string chars = CharactersOf(key);
  if (chars.empty()) return false;
  bool consumed = true;
  for (char c : chars) {
    unsigned char ch = static_cast<unsigned char>(c);
    hook(ch);
    if (ch) consumed = false;
    if (!alive) return true;
  }
  return consumed;
}
