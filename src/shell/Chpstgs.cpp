// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Chpstgs.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"

TFormRef<TChapterStgs> ChapterStgs;

namespace {

namespace colour = qx::art::colour;

const QColor kMuted(0x7a, 0x66, 0x55);
const QColor kValue(0x2f, 0x5e, 0x3e);
const QColor kRowFill(0xfa, 0xf3, 0xe4);
const QColor kNoteFill(0xfd, 0xf6, 0xd8);
const QColor kNoteEdge(0xe0, 0xc0, 0x78);

// The rows of the information page: top of the first, pitch, height.
constexpr int kRowTop = 56, kRowPitch = 58, kRowH = 52;
constexpr int kRowLeft = 14, kRowW = TChapterStgs::kPageW - 2 * kRowLeft;
constexpr int kNoteTop = kRowTop + 4 * kRowPitch + 10;
// Exercise list rows.
constexpr int kListRowW = 265, kListRowH = 24;

QFont Spaced(int pixels) {
  QFont font = qx::PixelFont(QStringLiteral("Arial"), pixels, true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  return font;
}

// A heading between two fine gold rules.
void PaintRuledHeading(QPainter& p, int y, int width, int gap) {
  p.setPen(QPen(colour::kGoldDark, 1));
  const int mid = width / 2;
  p.drawLine(QPointF(24, y + 0.5), QPointF(mid - gap, y + 0.5));
  p.drawLine(QPointF(mid + gap, y + 0.5), QPointF(width - 24, y + 0.5));
  p.setBrush(colour::kGold);
  p.setPen(Qt::NoPen);
  for (int x : {24, width - 24}) p.drawEllipse(QPointF(x, y + 0.5), 2, 2);
}

class TitlePagePanel : public QWidget {
 public:
  using QWidget::QWidget;
  QRect pictureFrame;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A mount around the lesson picture.
    const QRectF mount = QRectF(pictureFrame).adjusted(-7, -7, 7, 7);
    qx::art::SoftShadow(p, qx::art::RoundedRect(mount.translated(0, 2), 4), 3, 60);
    p.setPen(QPen(colour::kGoldDark, 1));
    p.setBrush(colour::kPaperShade);
    p.drawPath(qx::art::RoundedRect(mount, 4));
    p.setPen(QPen(colour::kPaperEdge, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(pictureFrame).adjusted(-1.5, -1.5, 1.5, 1.5));
    // The word over the lesson number.
    p.setFont(Spaced(12));
    p.setPen(colour::kGoldDark);
    p.drawText(QRect(0, 252, width(), 18), Qt::AlignCenter, QStringLiteral("L E S S O N"));
    PaintRuledHeading(p, 261, width(), 52);
  }
};

class ListPagePanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    PaintRuledHeading(p, 38, width(), 80);
  }
};

// The results card: a header, four score rows and the commentator's note.
class InfoPagePanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    PaintRuledHeading(p, 21, width(), 70);
    for (int i = 0; i < 4; ++i) {
      const QRectF row(kRowLeft + 0.5, kRowTop + i * kRowPitch + 0.5, kRowW - 1, kRowH - 1);
      p.setPen(QPen(colour::kPaperEdge, 1));
      p.setBrush(kRowFill);
      p.drawPath(qx::art::RoundedRect(row, 7));
      // A coloured spine tells the rows apart at a glance.
      static const QColor spines[] = {
          {0x3b, 0x7a, 0x52}, {0x2d, 0x68, 0x98}, {0xc2, 0x7c, 0x24}, {0x7a, 0x2b, 0x24}};
      p.setPen(Qt::NoPen);
      p.setBrush(spines[i]);
      p.drawPath(qx::art::LeftRoundedRect(QRectF(row.left(), row.top(), 5, row.height()), 3));
    }
    const QRectF note(kRowLeft + 0.5, kNoteTop + 0.5, kRowW - 1, height() - kNoteTop - 12);
    qx::art::SoftShadow(p, qx::art::RoundedRect(note.translated(0, 1.5), 9), 2.5, 50);
    QLinearGradient g(note.topLeft(), note.bottomLeft());
    g.setColorAt(0, kNoteFill.lighter(103));
    g.setColorAt(1, kNoteFill);
    p.setPen(QPen(kNoteEdge, 1.2));
    p.setBrush(g);
    p.drawPath(qx::art::RoundedRect(note, 9));
  }
};

QImage RowPicture(int kind) {
  // 0 done, 1 selected, 2 waiting.
  QImage image(kListRowW, kListRowH, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(0.5, 0.5, kListRowW - 1, kListRowH - 1);
  QColor fill = kind == 1 ? QColor(0xd7, 0xec, 0xcf) : kind == 0 ? QColor(0xf3, 0xf1, 0xe2) : kRowFill;
  QColor edge = kind == 1 ? QColor(0x3b, 0x7a, 0x52) : colour::kPaperEdge;
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, fill.lighter(104));
  g.setColorAt(1, fill);
  p.setPen(QPen(edge, kind == 1 ? 1.5 : 1));
  p.setBrush(g);
  p.drawPath(qx::art::RoundedRect(r, 6));
  if (kind == 0) {
    // A tick before the number of a finished exercise.
    QPen pen(QColor(0x3b, 0x7a, 0x52), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    QPolygonF tick;
    tick << QPointF(8, 12.5) << QPointF(12, 17) << QPointF(20, 7);
    p.drawPolyline(tick);
  } else if (kind == 1) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3b, 0x7a, 0x52));
    QPolygonF pointer;
    pointer << QPointF(9, 7) << QPointF(17, 12) << QPointF(9, 17);
    p.drawPolygon(pointer);
  }
  return image;
}

}  // namespace

TChapterStgs::TChapterStgs(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ChapterStgs"));
  resize(kPageW, kPageH);
  ChapterStgs.Enter(this);
  CreateTitlePage();
  CreateListPage();
  CreateInfoPage();
}

TChapterStgs::~TChapterStgs() { ChapterStgs.Leave(this); }

void TChapterStgs::CreateTitlePage() {
  auto* panel = new TitlePagePanel(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(0, 0, kPageW, kPageH);
  Panel1 = panel;
  panel->pictureFrame = QRect(19, 30, 300, 200);
  ChpPicture = MakeImage(panel, qx::Picture::None, "ChpPicture", panel->pictureFrame);
  ChpPicture->SetCenter(true);
  const QFont digits = qx::PixelFont(QStringLiteral("Times New Roman"), 96, true);
  Chapter2 = MakeLabel(panel, "Chapter2", QRect(49, 268, 120, 104), digits, colour::kLeather, {},
                       Qt::AlignRight | Qt::AlignVCenter);
  Chapter = MakeLabel(panel, "Chapter", QRect(169, 268, 120, 104), digits, colour::kLeather, {},
                      Qt::AlignLeft | Qt::AlignVCenter);
  LessonCount =
      MakeLabel(panel, "LessonCount", QRect(19, 378, 300, 24),
                qx::PixelFont(QStringLiteral("Arial"), 15, false, true), kMuted, {}, Qt::AlignCenter);
}

void TChapterStgs::CreateListPage() {
  auto* panel = new ListPagePanel(this);
  panel->setObjectName(QStringLiteral("Panel3"));
  panel->setGeometry(0, 0, kPageW, kPageH);
  Panel3 = panel;
  ExercisesTitle = MakeLabel(panel, "ExercisesTitle", QRect(0, 22, kPageW, 32),
                             qx::PixelFont(QStringLiteral("Times New Roman"), 24, true, true), colour::kInk,
                             "Exercises", Qt::AlignCenter);
  // The list draws these behind its rows; they never show themselves.
  const QRect row(0, 0, kListRowW, kListRowH);
  CompletedPic = MakeImage(this, qx::Picture::None, "CompletedPic", row);
  ActivePic = MakeImage(this, qx::Picture::None, "ActivePic", row);
  InactivePic = MakeImage(this, qx::Picture::None, "InactivePic", row);
  CompletedPic->SetBitmap(RowPicture(0));
  ActivePic->SetBitmap(RowPicture(1));
  InactivePic->SetBitmap(RowPicture(2));
  for (TImage* picture : {CompletedPic, ActivePic, InactivePic}) picture->hide();
}

void TChapterStgs::CreateInfoPage() {
  auto* panel = new InfoPagePanel(this);
  panel->setObjectName(QStringLiteral("Panel4"));
  panel->setGeometry(0, 0, kPageW, kPageH);
  Panel4 = panel;

  InfoTitle = MakeLabel(panel, "InfoTitle", QRect(0, 10, kPageW, 22), Spaced(15), colour::kInk,
                        "R E S U L T S", Qt::AlignCenter);
  ExerciseIDLbl =
      MakeLabel(panel, "ExerciseIDLbl", QRect(0, 32, kPageW, 18),
                qx::PixelFont(QStringLiteral("Arial"), 13, false, true), kMuted, {}, Qt::AlignCenter);

  const QFont titleFont = qx::PixelFont(QStringLiteral("Arial"), 16, true);
  const QFont gradeFont = qx::PixelFont(QStringLiteral("Arial"), 13, false, true);
  const QFont valueFont = qx::PixelFont(QStringLiteral("Arial"), 30, true);
  struct Row {
    QLabel** title;
    const char* titleName;
    const char* caption;
    QLabel** value;
    const char* valueName;
    QLabel** grade;
    const char* gradeName;
    TImage** trend;
    const char* trendName;
  };
  const Row rows[] = {
      {&SpeedTitle, "SpeedTitle", "Speed", &SpeedLbl, "SpeedLbl", &SpeedGradeLbl, "SpeedGradeLbl",
       &SpeedChange, "SpeedChange"},
      {&AccuracyTitle, "AccuracyTitle", "Accuracy", &ErrorsLbl, "ErrorsLbl", &ErrorsGradeLbl,
       "ErrorsGradeLbl", &ErrorsChange, "ErrorsChange"},
      {&BackSpaceTitle, "BackSpaceTitle", "BackSpace", &BackSpaceLbl, "BackSpaceLbl", &BackSpaceGradeLbl,
       "BackSpaceGradeLbl", &BackSpaceChange, "BackSpaceChange"},
      {&EfficiencyTitle, "EfficiencyTitle", "Efficiency", &EfficiencyLbl, "EfficiencyLbl",
       &EfficiencyGradeLbl, "EfficiencyGradeLbl", &EfficiencyChange, "EfficiencyChange"},
  };
  int top = kRowTop;
  for (const Row& r : rows) {
    *r.title = MakeLabel(panel, r.titleName, QRect(kRowLeft + 16, top + 7, 130, 20), titleFont, colour::kInk,
                         r.caption, Qt::AlignLeft | Qt::AlignVCenter);
    *r.grade = MakeLabel(panel, r.gradeName, QRect(kRowLeft + 16, top + 27, 130, 18), gradeFont, kMuted, {},
                         Qt::AlignLeft | Qt::AlignVCenter);
    *r.value = MakeLabel(panel, r.valueName, QRect(146, top + 4, 106, kRowH - 8), valueFont, kValue, "-",
                         Qt::AlignRight | Qt::AlignVCenter);
    *r.trend = MakeImage(panel, qx::Picture::None, r.trendName, QRect(290, top + (kRowH - 24) / 2, 24, 24));
    top += kRowPitch;
  }
  SpeedUnit = MakeLabel(panel, "SpeedUnit", QRect(256, kRowTop + 20, 34, 20),
                        qx::PixelFont(QStringLiteral("Arial"), 13, true), kMuted, {},
                        Qt::AlignLeft | Qt::AlignVCenter);
  SpeedUnitNote =
      MakeLabel(panel, "SpeedUnitNote", QRect(146, kRowTop + kRowH - 14, 144, 12),
                qx::PixelFont(QStringLiteral("Arial"), 10), kMuted, {}, Qt::AlignRight | Qt::AlignVCenter);

  CommentatorTitle =
      MakeLabel(panel, "CommentatorTitle", QRect(kRowLeft, kNoteTop + 8, kRowW, 18), Spaced(12),
                QColor(0x9a, 0x6a, 0x1c), "C O M M E N T A T O R", Qt::AlignCenter);
  TipLbl = MakeLabel(panel, "TipLbl", QRect(kRowLeft + 14, kNoteTop + 28, kRowW - 28, kPageH - kNoteTop - 46),
                     qx::PixelFont(QStringLiteral("Times New Roman"), 17, false, true), colour::kInk, {},
                     Qt::AlignHCenter | Qt::AlignTop);
  TipLbl->setWordWrap(true);
}
