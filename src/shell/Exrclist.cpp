// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Exrclist.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "content/Chapter.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"

TExerciseList::TExerciseList(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("List"));
  setFont(qx::PointFont(QStringLiteral("Arial"), 10));
  setCursor(Qt::PointingHandCursor);
  Resize();
}

void TExerciseList::SetChapter(const TChapter* chapter) {
  Chapter = chapter;
  Done.clear();
  Numbers.clear();
  Names.clear();
  Times.clear();
  int count = 0;
  if (chapter) {
    for (const auto& e : chapter->Exercises) {
      ++count;
      Numbers.push_back(std::to_string(count));
      Names.push_back(e->ExerciseType);
      Times.push_back(e->ExerciseMinutes >= 1 ? std::to_string(e->ExerciseMinutes) + " min." : "");
      Done.emplace_back();
    }
  }
  Numbers.push_back(NextLessonText);
  Names.emplace_back();
  Times.emplace_back();
  Done.emplace_back();
  SetRowCount(count + 1);
}

void TExerciseList::SetColumns(int numberX, int nameX, int timeX) {
  NumberX = numberX;
  NameX = nameX;
  TimeX = timeX;
  update();
}

void TExerciseList::SetRowHeight(int h) {
  RowHeight = std::max(1, h);
  Resize();
}

void TExerciseList::SetMaxRows(int n) {
  MaxRows = std::max(0, n);
  SetRowCount(RowCount);
}

void TExerciseList::SetRowCount(int n) {
  RowCount = std::clamp(n, 0, MaxRows);
  Selected = std::clamp(Selected, std::min(1, RowCount), RowCount);
  Resize();
}

void TExerciseList::Resize() {
  resize(width(), RowCount * RowHeight);
  update();
}

void TExerciseList::Select(int row) {
  if (RowCount < 1) return;
  const int old = Selected;
  Selected = std::clamp(row, 1, RowCount);
  RepaintRow(old);
  RepaintRow(Selected);
}

void TExerciseList::SetDone(int row, bool done) {
  if (row < 1 || row > RowCount - 1 || row > int(Done.size())) return;
  const std::string flag = done ? "T" : "";
  if (Done[row - 1] == flag) return;
  Done[row - 1] = flag;
  RepaintRow(row);
}

bool TExerciseList::IsDone(int row) const {
  return row >= 1 && row <= int(Done.size()) && Done[row - 1] == "T";
}

void TExerciseList::SetDonePicture(const QPixmap& picture) {
  DonePicture = picture;
  update();
}

void TExerciseList::SetActivePicture(const QPixmap& picture) {
  ActivePicture = picture;
  update();
}

void TExerciseList::SetInactivePicture(const QPixmap& picture) {
  InactivePicture = picture;
  update();
}

void TExerciseList::SetColor(uint32_t colour) {
  colour_ = colour;
  update();
}

void TExerciseList::SetFontColor(uint32_t colour) {
  fontColour_ = colour;
  update();
}

bool TExerciseList::MoveByKey(int key) {
  switch (key) {
    case Qt::Key_Up:
      Select(Selected - 1);
      return true;
    case Qt::Key_Down:
      Select(Selected + 1);
      return true;
    case Qt::Key_Home:
    case Qt::Key_PageUp:
      Select(1);
      return true;
    case Qt::Key_End:
    case Qt::Key_PageDown:
      Select(RowCount);
      return true;
    default:
      return false;
  }
}

int TExerciseList::RowAt(int y) const { return y / RowHeight + 1; }

void TExerciseList::RepaintRow(int row) {
  if (row >= 1 && row <= RowCount) update(0, (row - 1) * RowHeight, width(), RowHeight);
}

const QPixmap& TExerciseList::PictureOf(int row) const {
  if (row == Selected) return ActivePicture;
  if (IsDone(row)) return DonePicture;
  return InactivePicture;
}

void TExerciseList::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(rect(), qx::ToQColor(colour_));
  for (int row = 1; row <= RowCount; ++row) {
    const QRect r(0, (row - 1) * RowHeight, width(), RowHeight);
    if (event->rect().intersects(r)) PaintRow(p, row);
  }
}

// Stands in for a row picture the form has not given: a strip in the
// page's colours, so a list is never drawn without its rows.
void TExerciseList::PaintPlainRow(QPainter& p, const QRect& r, int row) const {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF strip = QRectF(r).adjusted(0.5, 0.5, -0.5, -3.5);
  QColor fill(0xfb, 0xf5, 0xe6), edge(0xd8, 0xca, 0xae);
  if (row == Selected) {
    fill = QColor(0xf3, 0xd9, 0x9a);
    edge = QColor(0xa4, 0x7e, 0x3e);
  } else if (IsDone(row)) {
    fill = QColor(0xe4, 0xef, 0xd6);
    edge = QColor(0x9d, 0xb8, 0x82);
  }
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  p.drawRoundedRect(strip, 5, 5);
  p.restore();
}

void TExerciseList::PaintRow(QPainter& p, int row) {
  const int top = (row - 1) * RowHeight;
  const QPixmap& picture = PictureOf(row);
  int pictureHeight = RowHeight - 3;
  if (picture.isNull()) {
    PaintPlainRow(p, QRect(0, top, width(), RowHeight), row);
  } else {
    p.drawPixmap(0, top, picture);
    pictureHeight = picture.height();
  }
  const QFont plain = font();
  const int fontHeight = std::abs(plain.pixelSize() > 0 ? plain.pixelSize() : plain.pointSize());
  const int textTop = top + int(std::lround((pictureHeight - fontHeight) / 2.2));
  const size_t i = size_t(row - 1);
  p.setPen(qx::ToQColor(fontColour_));
  QFont bold = plain;
  bold.setBold(true);
  const int lineHeight = QFontMetrics(plain).height();
  auto text = [&](int x, const QFont& f, const std::string& s) {
    if (s.empty()) return;
    p.setFont(f);
    p.drawText(QRect(x, textTop, std::max(0, width() - x), lineHeight),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, qx::ToQt(s));
  };
  if (i < Numbers.size()) text(NumberX, bold, Numbers[i]);
  if (i < Names.size()) text(NameX, plain, Names[i]);
  if (i < Times.size()) text(TimeX, plain, Times[i]);
}

void TExerciseList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  const int row = RowAt(int(event->position().y()));
  if (row < 1 || row > RowCount) return;
  Select(row);
  if (OnClick) OnClick(this);
}

void TExerciseList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mouseDoubleClickEvent(event);
    return;
  }
  const int row = RowAt(int(event->position().y()));
  if (row < 1 || row > RowCount) return;
  Select(row);
  if (OnDoubleClick) OnDoubleClick(this);
}
