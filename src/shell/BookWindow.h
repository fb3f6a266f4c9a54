// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QGraphicsView>

class QGraphicsProxyWidget;
class TBookForm;

// The program's top-level window. It holds the book at its own 777 x 529
// coordinates and scales it as a whole to the window, so every control,
// mouse position and pixel rule inside stays in book pixels while text and
// pictures are drawn at the screen's resolution.
class TBookWindow : public QGraphicsView {
  Q_OBJECT

 public:
  explicit TBookWindow(TBookForm* book);
  ~TBookWindow() override;

  // Book pixels per window pixel.
  double Scale() const { return scale_; }
  // The largest size with the book's proportions that fits the area, but
  // never below the smallest usable one.
  static QSize FittingSize(const QSize& area);
  static QSize MinimumBookSize();

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void drawBackground(QPainter* painter, const QRectF& rect) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // frameKnown: the window manager has framed the window already.
  void FitScreen(bool frameKnown);
  void Rescale();
  // A closed popup or a click on the desk leaves the scene without focus;
  // keys always belong to the book.
  void KeepBookFocused();

  TBookForm* book_;
  QGraphicsProxyWidget* proxy_ = nullptr;
  double scale_ = 1.0;
  bool placed_ = false;
};
