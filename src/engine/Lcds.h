// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <cstdint>

// A row of lamps, the first Lit of them on: the drills' counter.
class TMissedLcd : public QWidget {
  Q_OBJECT
 public:
  explicit TMissedLcd(QWidget* parent = nullptr);

  void SetLamps(int lamps);
  void SetLit(int lit);
  int Lamps() const { return lamps_; }
  int Lit() const { return lit_; }
  // A null picture is skipped when painting.
  void SetPictures(const QPixmap& off, const QPixmap& on);
  const QPixmap& OffPicture() const { return off_; }
  const QPixmap& OnPicture() const { return on_; }
  void SetColor(uint32_t bgr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QPixmap& PictureOf(int lamp) const { return lamp <= lit_ ? on_ : off_; }
  // The control takes the size of the pictures it draws.
  void Fit();

  int lamps_ = 0;
  int lit_ = 0;
  QPixmap off_;
  QPixmap on_;
  QColor color_;
};
