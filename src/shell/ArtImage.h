// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "shell/Artwork.h"

// An image control: draws one of the built-in pictures scaled to its size,
// or shows a Windows bitmap loaded from a file. Clickable images (menu
// tabs, buttons) show the hand cursor, light up under the mouse and call
// OnClick with themselves as the sender.
class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* parent = nullptr, qx::Picture picture = qx::Picture::None);

  void SetPicture(qx::Picture picture);
  qx::Picture BuiltIn() const { return picture_; }
  // Reads the file as a Windows bitmap whatever its extension; false and
  // no change when it cannot be read.
  bool LoadFromFile(const std::string& path);
  void SetBitmap(const QImage& bitmap);
  const QImage& Bitmap() const { return bitmap_; }
  void Clear();
  bool Empty() const { return picture_ == qx::Picture::None && bitmap_.isNull(); }
  // Takes over the other image's picture, as a copy.
  void Assign(const TImage& other);

  // The picture as drawn: a bitmap at its own size, a built-in picture at
  // the control's size (its natural size while the control has none).
  QPixmap Pixmap() const;
  QSize PictureSize() const;

  // The control takes the picture's size whenever the picture changes.
  void SetAutoSize(bool on);
  // Bitmaps are drawn at the top left unless stretched or centred.
  void SetStretch(bool on);
  void SetCenter(bool on);
  void SetClickable(bool on);
  bool Clickable() const { return clickable_; }
  // Device pixels held in copies of the picture.
  qint64 CachedPixels() const;
  // For a picture the size of the book behind a page where little is
  // repainted (the log-on cover): keeps the repainted pieces, not a copy
  // as large as the window's own back buffer.
  void KeepInPieces(bool on);

  std::function<void(QWidget* sender)> OnClick;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Pressed by the mouse or held down with Space.
  bool Pressed() const { return pressed_; }
  // The ring that shows which control Space presses.
  static void PaintFocusRing(QPainter& p, const QRectF& ring, qreal radius);
  void Click();

 private:
  void PictureChanged();
  void Press(bool down);
  // The picture at device pixels for this scale (book to device).
  const QPixmap& Rendered(qreal scale) const;
  // Only the pieces repainted on their own (a caret, a field), until so
  // many are asked for that a whole copy pays.
  bool PaintPieces(QPainter& p, const QRegion& region);
  void DropCache();

  qx::Picture picture_ = qx::Picture::None;
  QImage bitmap_;
  bool autoSize_ = false;
  bool stretch_ = false;
  bool center_ = false;
  bool clickable_ = false;
  bool hovered_ = false;
  bool pressed_ = false;
  mutable QPixmap cache_;
  mutable bool cacheValid_ = false;
  mutable qreal cacheScale_ = 0;
  struct Piece {
    QRect device;  // where it lies in device pixels
    QImage image;
  };
  std::vector<Piece> pieces_;
  QTransform piecesTransform_;
  bool inPieces_ = false;
  int piecesMade_ = 0;
};

// A horizontal gauge: the part of the bar between MinValue and MaxValue
// that Progress has reached.
class TGauge : public QWidget {
  Q_OBJECT

 public:
  explicit TGauge(QWidget* parent = nullptr);

  void SetRange(int minValue, int maxValue);
  void SetProgress(int progress);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  // 0..100 as drawn.
  int PercentDone() const;
  void SetColours(const QColor& track, const QColor& fill);
  void SetShowText(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
  QColor track_{0x1a, 0x12, 0x0c};
  QColor fill_{0xe8, 0xa8, 0x3a};
  bool showText_ = false;
};
