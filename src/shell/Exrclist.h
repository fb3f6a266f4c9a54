// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TChapter;

// The list of a chapter's exercises on the chapter page: one row per
// exercise (number, name, minutes) and a closing row that leads on to the
// next lesson. Rows are 1-based.
class TExerciseList : public QWidget {
  Q_OBJECT

 public:
  explicit TExerciseList(QWidget* parent = nullptr);

  void SetChapter(const TChapter* chapter);
  void SetColumns(int numberX, int nameX, int timeX);
  void SetRowHeight(int h);
  void SetMaxRows(int n);
  void SetRowCount(int n);
  void Select(int row);
  void SetDone(int row, bool done);
  bool IsDone(int row) const;
  void SetDonePicture(const QPixmap& picture);
  void SetActivePicture(const QPixmap& picture);
  void SetInactivePicture(const QPixmap& picture);
  // 0x00BBGGRR, as the forms give colours.
  void SetColor(uint32_t colour);
  void SetFontColor(uint32_t colour);

  // Up, Down, Home, End, Page Up, Page Down move the selection; true when
  // the key was one of them.
  bool MoveByKey(int key);

  const TChapter* Chapter = nullptr;
  int NumberX = 8;
  int NameX = 40;
  int TimeX = 200;
  QPixmap DonePicture;
  QPixmap ActivePicture;
  QPixmap InactivePicture;
  int RowHeight = 24;
  int MaxRows = 10;
  int RowCount = 0;
  int Selected = 1;
  std::vector<std::string> Done;  // "T" for a done exercise
  std::vector<std::string> Numbers;
  std::vector<std::string> Names;
  std::vector<std::string> Times;
  std::string NextLessonText = "Go to the Next Lesson";

  // The owner's handlers; the list has already selected the row clicked.
  std::function<void(TExerciseList* sender)> OnClick;
  std::function<void(TExerciseList* sender)> OnDoubleClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void PaintRow(QPainter& p, int row);
  void PaintPlainRow(QPainter& p, const QRect& r, int row) const;
  const QPixmap& PictureOf(int row) const;
  int RowAt(int y) const;
  void RepaintRow(int row);
  void Resize();

  uint32_t colour_ = 0xC0DCC0;
  uint32_t fontColour_ = 0x1F2B3D;
};
