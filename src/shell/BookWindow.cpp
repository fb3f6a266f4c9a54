// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/BookWindow.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "shell/ArtImage.h"
#include "shell/Artwork.h"
#include "shell/Bookfrm.h"
#include "storage/PrgSetup.h"

namespace {

constexpr int kBookW = 777, kBookH = 529;
// The rounded corners of the book's boards, in book pixels.
constexpr int kCornerRadius = 17;
// Below three quarters of the book's size its smallest texts stop being
// readable.
constexpr double kMinScale = 0.75;

}  // namespace

TBookWindow::TBookWindow(TBookForm* book) : book_(book) {
  setObjectName(QStringLiteral("BookWindow"));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
  // No cached copy of the desk: the book covers nearly all of it, so it is
  // drawn only where it shows, and a window-sized pixmap is saved.
  setCacheMode(QGraphicsView::CacheNone);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setMinimumSize(MinimumBookSize());

  auto* scene = new QGraphicsScene(this);
  book_->move(0, 0);
  book_->resize(kBookW, kBookH);
  proxy_ = scene->addWidget(book_);
  proxy_->setPos(0, 0);
  proxy_->setFocusPolicy(Qt::StrongFocus);
  scene->setSceneRect(0, 0, kBookW, kBookH);
  setScene(scene);
  book_->SetFrame(this);
  // The window draws the desk behind and around the book; the book's own
  // background picture would only be covered by its pages.
  book_->BackGround32->SetPicture(qx::Picture::None);
  // Without a picture it shows nothing; shown now, the start-up's showing
  // it costs no second paint of the whole window.
  book_->BackGround32->show();
  book_->BackGround32->lower();
  FitScreen(false);
}

TBookWindow::~TBookWindow() {
  // The book belongs to the program's forms, not to the scene.
  if (proxy_ && proxy_->widget()) {
    book_->SetFrame(nullptr);
    proxy_->setWidget(nullptr);
  }
}

QSize TBookWindow::MinimumBookSize() {
  return {int(std::ceil(kBookW * kMinScale)), int(std::ceil(kBookH * kMinScale))};
}

QSize TBookWindow::FittingSize(const QSize& area) {
  const double scale = std::min(double(area.width()) / kBookW, double(area.height()) / kBookH);
  const QSize fitted(int(std::floor(kBookW * scale)), int(std::floor(kBookH * scale)));
  return fitted.expandedTo(MinimumBookSize());
}

void TBookWindow::FitScreen(bool frameKnown) {
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // Before the window is mapped its frame is unknown; a usual title bar
  // and border are allowed for, and corrected once it shows.
  QMargins frame =
      QMargins(frameGeometry().left() - geometry().left(), frameGeometry().top() - geometry().top(),
               geometry().right() - frameGeometry().right(), geometry().bottom() - frameGeometry().bottom());
  frame = QMargins(-frame.left(), -frame.top(), -frame.right(), -frame.bottom());
  if (!frameKnown) frame = QMargins(4, 32, 4, 4);
  const QSize room = area.size().shrunkBy(frame);
  const QSize size = FittingSize(room);
  resize(size);
  move(area.left() + frame.left() + (room.width() - size.width()) / 2,
       area.top() + frame.top() + (room.height() - size.height()) / 2);
}

void TBookWindow::showEvent(QShowEvent* event) {
  QGraphicsView::showEvent(event);
  // The book is the scene's active window, so its Alt mnemonics work.
  scene()->setActiveWindow(proxy_);
  proxy_->setFocus();
  if (placed_) return;
  placed_ = true;
  // Once the window manager framed the window, its real frame is known.
  QTimer::singleShot(0, this, [this] {
    if (!isMaximized() && !isFullScreen()) FitScreen(true);
  });
}

bool TBookWindow::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod: KeepBookFocused(); break;
    default: break;
  }
  return QGraphicsView::event(event);
}

void TBookWindow::KeepBookFocused() {
  QGraphicsScene* scene = this->scene();
  if (!scene || !proxy_->widget()) return;
  // A popup of the book (the name list) keeps the keys while it is open.
  const QGraphicsItem* focus = scene->focusItem();
  if (focus && focus->isVisible() && scene->activeWindow() && scene->activeWindow()->isVisible()) return;
  scene->setActiveWindow(proxy_);
  proxy_->setFocus(Qt::OtherFocusReason);
}

void TBookWindow::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  Rescale();
}

void TBookWindow::Rescale() {
  const QSize area = viewport()->size();
  scale_ = std::min(double(area.width()) / kBookW, double(area.height()) / kBookH);
  if (scale_ <= 0) scale_ = 1.0;
  setTransform(QTransform::fromScale(scale_, scale_));
  centerOn(kBookW / 2.0, kBookH / 2.0);
  resetCachedContent();
}

void TBookWindow::changeEvent(QEvent* event) {
  QGraphicsView::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && Settings) Settings->MaximizedBook = isMaximized();
}

void TBookWindow::closeEvent(QCloseEvent* event) {
  if (book_->CanClose())
    event->accept();
  else
    event->ignore();
}

void TBookWindow::focusInEvent(QFocusEvent* event) {
  QGraphicsView::focusInEvent(event);
  if (scene()->activeWindow() != proxy_) scene()->setActiveWindow(proxy_);
  if (!proxy_->hasFocus()) proxy_->setFocus(event->reason());
}

void TBookWindow::drawBackground(QPainter* painter, const QRectF& exposed) {
  // The book's boards and its cover are opaque but for their rounded
  // corners; a repaint inside them (every keystroke) needs no desk.
  const QRectF across(0, kCornerRadius, kBookW, kBookH - 2 * kCornerRadius);
  const QRectF down(kCornerRadius, 0, kBookW - 2 * kCornerRadius, kBookH);
  if (across.contains(exposed) || down.contains(exposed)) return;
  // The desk around the book fills the whole window, whatever its shape.
  painter->save();
  painter->resetTransform();
  qx::PaintPicture(*painter, qx::Picture::Background, QRectF(viewport()->rect()));
  painter->restore();
}
