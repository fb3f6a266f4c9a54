// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ArtImage.h"

#include <QFile>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <cmath>

#include "platform/Files.h"

namespace {

// Book pixels to device pixels: the screen's ratio times the scale of the
// window that shows the book.
qreal DeviceScale(const QPainter& p) {
  const QTransform t = p.deviceTransform();
  const qreal scale = std::hypot(t.m11(), t.m12());
  return scale > 0.01 ? scale : 1.0;
}

const QColor kFocusRing(0x3b, 0x7a, 0x52);

// Below this many device pixels a whole copy is cheap.
constexpr qint64 kPiecesFrom = 512 * 512;
// Past this many pieces the picture is evidently repainted all over.
constexpr int kMaxPieces = 12;
// A piece reaches this far beyond what was asked, so that a caret or a
// growing name stays inside it.
constexpr int kPieceMargin = 24;

qint64 Area(const QRect& r) { return qint64(r.width()) * r.height(); }

}  // namespace

TImage::TImage(QWidget* parent, qx::Picture picture) : QWidget(parent), picture_(picture) {
  const QSize natural = qx::NaturalSize(picture);
  if (!natural.isEmpty()) resize(natural);
}

void TImage::SetPicture(qx::Picture picture) {
  picture_ = picture;
  bitmap_ = QImage();
  PictureChanged();
}

bool TImage::LoadFromFile(const std::string& path) {
  if (!qx::FileExists(path)) return false;
  QFile file(QString::fromStdString(qx::OsPath(path).string()));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QImage image;
  if (!image.loadFromData(file.readAll(), "BMP")) return false;
  SetBitmap(image);
  return true;
}

void TImage::SetBitmap(const QImage& bitmap) {
  picture_ = qx::Picture::None;
  bitmap_ = bitmap;
  PictureChanged();
}

void TImage::Clear() {
  picture_ = qx::Picture::None;
  bitmap_ = QImage();
  PictureChanged();
}

void TImage::Assign(const TImage& other) {
  picture_ = other.picture_;
  bitmap_ = other.bitmap_;
  PictureChanged();
}

QSize TImage::PictureSize() const {
  if (!bitmap_.isNull()) return bitmap_.size();
  return qx::NaturalSize(picture_);
}

QPixmap TImage::Pixmap() const {
  if (!bitmap_.isNull()) return QPixmap::fromImage(bitmap_);
  if (picture_ == qx::Picture::None) return {};
  const QSize size = width() > 0 && height() > 0 ? this->size() : qx::NaturalSize(picture_);
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  qx::PaintPicture(p, picture_, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

void TImage::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on && !PictureSize().isEmpty()) resize(PictureSize());
}

void TImage::SetStretch(bool on) {
  stretch_ = on;
  update();
}

void TImage::SetCenter(bool on) {
  center_ = on;
  update();
}

void TImage::SetClickable(bool on) {
  clickable_ = on;
  setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
  setAttribute(Qt::WA_Hover, on);
  // Tab reaches it and Space presses it; a click leaves the focus where it is.
  setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
  if (on) {
    const QString tip = qx::PictureCaption(picture_);
    if (!tip.isEmpty() && toolTip().isEmpty()) setToolTip(tip);
  }
}

void TImage::PictureChanged() {
  cacheValid_ = false;
  if (autoSize_ && !PictureSize().isEmpty()) resize(PictureSize());
  update();
}

const QPixmap& TImage::Rendered(qreal scale) const {
  if (!cacheValid_ || cacheScale_ != scale) {
    cacheScale_ = scale;
    cache_ = QPixmap((QSizeF(size()) * scale).toSize());
    cache_.setDevicePixelRatio(scale);
    cache_.fill(Qt::transparent);
    QPainter p(&cache_);
    qx::PaintState state;
    state.hovered = hovered_;
    state.pressed = pressed_;
    state.enabled = isEnabled();
    qx::PaintPicture(p, picture_, QRectF(QPointF(0, 0), QSizeF(size())), state);
    cacheValid_ = true;
  }
  return cache_;
}

bool TImage::PaintPieces(QPainter& p, const QRegion& region) {
  const QTransform device = p.deviceTransform();
  const QRect whole = device.mapRect(QRectF(rect())).toAlignedRect();
  if (!inPieces_ || Area(whole) < kPiecesFrom || piecesMade_ > kMaxPieces) return false;
  qx::PaintState state;
  state.hovered = hovered_;
  state.pressed = pressed_;
  state.enabled = isEnabled();
  if (!cacheValid_ || device != piecesTransform_) {
    pieces_.clear();
    piecesTransform_ = device;
    cacheValid_ = true;
  }
  QRegion wanted;
  for (const QRect& r : region) wanted += device.mapRect(QRectF(r)).toAlignedRect() & whole;
  // A page shown afresh, or a box on it, is drawn straight to the window
  // and kept nowhere: it is not repainted again soon.
  if (Area(wanted.boundingRect()) * 16 >= Area(whole)) {
    qx::PaintPicture(p, picture_, QRectF(rect()), state);
    return true;
  }
  QRegion missing = wanted;
  qint64 kept = 0;
  for (const Piece& piece : pieces_) {
    missing -= piece.device;
    kept += Area(piece.device);
  }
  if (!missing.isEmpty()) {
    const QRect grown =
        missing.boundingRect().adjusted(-kPieceMargin, -kPieceMargin, kPieceMargin, kPieceMargin) & whole;
    if (++piecesMade_ > kMaxPieces || (kept + Area(grown)) * 3 > Area(whole)) {
      piecesMade_ = kMaxPieces + 1;
      pieces_.clear();
      cacheValid_ = false;
      return false;
    }
    QImage image(grown.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter piece(&image);
    // The same device pixels as a straight draw, moved by whole pixels.
    piece.setTransform(device * QTransform::fromTranslate(-grown.left(), -grown.top()));
    qx::PaintPicture(piece, picture_, QRectF(rect()), state);
    pieces_.push_back({grown, std::move(image)});
  }
  p.save();
  // Drawn in device pixels, so each piece is copied without resampling.
  const QTransform fixed = p.worldTransform().inverted() * device;
  p.setWorldTransform(fixed.inverted());
  QRegion left = wanted;
  for (auto it = pieces_.rbegin(); it != pieces_.rend() && !left.isEmpty(); ++it) {
    const QRegion part = left & it->device;
    for (const QRect& r : part) p.drawImage(r.topLeft(), it->image, r.translated(-it->device.topLeft()));
    left -= part;
  }
  p.restore();
  return true;
}

void TImage::KeepInPieces(bool on) {
  inPieces_ = on;
  DropCache();
  update();
}

qint64 TImage::CachedPixels() const {
  qint64 pixels = qint64(cache_.width()) * cache_.height();
  for (const Piece& piece : pieces_) pixels += Area(piece.device);
  return pixels;
}

void TImage::DropCache() {
  cache_ = QPixmap();
  cacheValid_ = false;
  pieces_.clear();
  piecesMade_ = 0;
}

void TImage::PaintFocusRing(QPainter& p, const QRectF& ring, qreal radius) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kFocusRing, 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(ring, radius, radius);
  p.restore();
}

void TImage::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRectF ring = QRectF(rect()).adjusted(1, 1, -1, -1);
  if (!bitmap_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_) {
      p.drawImage(rect(), bitmap_);
    } else if (center_) {
      p.drawImage(QPoint((width() - bitmap_.width()) / 2, (height() - bitmap_.height()) / 2), bitmap_);
    } else {
      p.drawImage(QPoint(0, 0), bitmap_);
    }
    if (clickable_ && hasFocus()) PaintFocusRing(p, ring, 8);
    return;
  }
  if (picture_ == qx::Picture::None || width() <= 0 || height() <= 0) return;
  if (!PaintPieces(p, event->region())) p.drawPixmap(0, 0, Rendered(DeviceScale(p)));
  if (clickable_ && hasFocus()) PaintFocusRing(p, ring, std::min<qreal>(ring.height(), ring.width()) / 2);
}

void TImage::resizeEvent(QResizeEvent* event) {
  cacheValid_ = false;
  QWidget::resizeEvent(event);
}

void TImage::enterEvent(QEnterEvent* event) {
  if (clickable_ && !hovered_) {
    hovered_ = true;
    cacheValid_ = false;
    update();
  }
  QWidget::enterEvent(event);
}

void TImage::leaveEvent(QEvent* event) {
  if (hovered_ || pressed_) {
    hovered_ = false;
    pressed_ = false;
    cacheValid_ = false;
    update();
  }
  QWidget::leaveEvent(event);
}

void TImage::hideEvent(QHideEvent* event) {
  // A control given back to its storage form must not come back lit.
  if (hovered_ || pressed_) {
    hovered_ = false;
    pressed_ = false;
    cacheValid_ = false;
  }
  // The cover is hidden for the whole session once a student logs on.
  if (inPieces_) DropCache();
  QWidget::hideEvent(event);
}

void TImage::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    cacheValid_ = false;
    update();
  }
  QWidget::changeEvent(event);
}

void TImage::Press(bool down) {
  if (pressed_ == down) return;
  pressed_ = down;
  cacheValid_ = false;
  update();
}

void TImage::Click() {
  // The handler may move this control to another parent or run a nested
  // view; nothing of ours is touched once it returns.
  QPointer<TImage> self(this);
  if (OnClick) OnClick(this);
  if (self) emit clicked();
}

void TImage::keyPressEvent(QKeyEvent* event) {
  if (clickable_ && event->key() == Qt::Key_Space && !event->modifiers()) {
    if (!event->isAutoRepeat()) Press(true);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TImage::keyReleaseEvent(QKeyEvent* event) {
  if (clickable_ && event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    event->accept();
    if (!pressed_) return;
    Press(false);
    Click();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void TImage::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void TImage::focusOutEvent(QFocusEvent* event) {
  Press(false);
  update();
  QWidget::focusOutEvent(event);
}

void TImage::mousePressEvent(QMouseEvent* event) {
  if (!clickable_ || event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  cacheValid_ = false;
  update();
  event->accept();
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
  if (!clickable_ || event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  const bool click = pressed_ && rect().contains(event->position().toPoint());
  pressed_ = false;
  cacheValid_ = false;
  update();
  event->accept();
  if (click) Click();
}

TGauge::TGauge(QWidget* parent) : QWidget(parent) { resize(120, 12); }

void TGauge::SetRange(int minValue, int maxValue) {
  min_ = minValue;
  max_ = maxValue;
  update();
}

void TGauge::SetProgress(int progress) {
  if (progress == progress_) return;
  progress_ = progress;
  update();
}

int TGauge::PercentDone() const {
  if (max_ <= min_) return 0;
  const long long done = (long long)(qBound(min_, progress_, max_) - min_) * 100 / (max_ - min_);
  return int(done);
}

void TGauge::SetColours(const QColor& track, const QColor& fill) {
  track_ = track;
  fill_ = fill;
  update();
}

void TGauge::SetShowText(bool on) {
  showText_ = on;
  update();
}

void TGauge::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = qMin<qreal>(outer.height() / 2, 6);
  p.setPen(QPen(track_.darker(150), 1));
  p.setBrush(track_);
  p.drawRoundedRect(outer, radius, radius);
  const int percent = PercentDone();
  if (percent > 0) {
    QRectF bar = outer.adjusted(2, 2, -2, -2);
    bar.setWidth(bar.width() * percent / 100.0);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, fill_.lighter(125));
    g.setColorAt(1, fill_.darker(110));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    const qreal r = qMax<qreal>(0, radius - 2);
    p.drawRoundedRect(bar, qMin(r, bar.width() / 2), r);
  }
  if (showText_) {
    p.setPen(track_.lightness() < 128 ? Qt::white : Qt::black);
    p.drawText(rect(), Qt::AlignCenter, QString::number(percent) + QLatin1String("%"));
  }
}
