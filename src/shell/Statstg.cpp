// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Statstg.h"

#include <QLabel>
#include <QPushButton>

#include "platform/QtDraw.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"

TFormRef<TStatisticsStg> StatisticsStg;

namespace {

namespace colour = qx::art::colour;

const QColor kMuted(0x7a, 0x66, 0x55);
const QColor kValue(0x2f, 0x5e, 0x3e);

QFont Spaced() {
  QFont font = qx::PixelFont(QStringLiteral("Arial"), 12, true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
  return font;
}

QFont Caption() { return qx::PixelFont(QStringLiteral("Arial"), 11, false, true); }

const char* kPrintStyle = R"(
QPushButton {
  color: #3d2b1f; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #ecdcbc);
  border: 1px solid #a47e3e; border-radius: 6px; padding: 2px 12px;
  font-family: "Liberation Sans"; font-size: 14px; font-weight: bold;
}
QPushButton:hover { background: #fff4dc; }
QPushButton:pressed { background: #e2cfa6; }
QPushButton:focus { border: 1px solid #3b7a52; }
QPushButton:disabled { color: #a89a8a; background: #efe6d6; border-color: #cbbba0; }
)";

QWidget* MakePage(QWidget* parent, const char* name) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::fromLatin1(name));
  page->setGeometry(0, 0, TStatisticsStg::kPageW, TStatisticsStg::kPageH);
  return page;
}

QLabel* Title(QWidget* parent, const char* name, int x, int y, const char* text) {
  return MakeLabel(parent, name, QRect(x, y, 310, 18), Spaced(), colour::kGoldDark.darker(115),
                   QString::fromLatin1(text), Qt::AlignHCenter | Qt::AlignVCenter);
}

}  // namespace

TStatisticsStg::TStatisticsStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("StatisticsStg"));
  resize(kPageW, kPageH);
  StatisticsStg.Enter(this);

  Panel1 = MakePage(this, "Panel1");
  ProgressTitle = Title(Panel1, "ProgressTitle", 14, 10, "P R O G R E S S");
  Completed = MakeLabel(Panel1, "Completed", QRect(24, 40, 290, 34),
                        qx::PixelFont(QStringLiteral("Arial"), 26, true), kValue, QString(), Qt::AlignCenter);
  Completedgraph = new TGauge(Panel1);
  Completedgraph->setObjectName(QStringLiteral("Completedgraph"));
  Completedgraph->setGeometry(34, 80, 270, 16);
  Completedgraph->SetRange(0, 100);
  Completedgraph->SetColours(colour::kPaperShade, QColor(0x3b, 0x7a, 0x52));
  const QFont body = qx::PixelFont(QStringLiteral("Arial"), 15);
  TimeStudied = MakeLabel(Panel1, "TimeStudied", QRect(24, 112, 290, 22), body, colour::kInk, QString(),
                          Qt::AlignCenter);
  ApproxLbl = MakeLabel(Panel1, "ApproxLbl", QRect(24, 138, 100, 22), Caption(), kMuted,
                        QStringLiteral("approx."), Qt::AlignRight | Qt::AlignVCenter);
  TimeLeft = MakeLabel(Panel1, "TimeLeft", QRect(130, 138, 184, 22), body, colour::kInk, QString(),
                       Qt::AlignLeft | Qt::AlignVCenter);
  DiffKeysTitle = Title(Panel1, "DiffKeysTitle", 14, 194, "D I F F I C U L T   K E Y S");
  Perc2Lbl = MakeLabel(Panel1, "Perc2Lbl", QRect(12, 216, 120, 15), Caption(), kMuted,
                       QStringLiteral("percentage"));

  Panel2 = MakePage(this, "Panel2");
  EfficiencyTitle = Title(Panel2, "EfficiencyTitle", 15, 0, "E F F I C I E N C Y");
  Perc1Lbl = MakeLabel(Panel2, "Perc1Lbl", QRect(17, 4, 120, 15), Caption(), kMuted,
                       QStringLiteral("percentage"));
  Lesson1Lbl = MakeLabel(Panel2, "Lesson1Lbl", QRect(15, 201, 310, 14), Caption(), kMuted,
                         QStringLiteral("Lesson"), Qt::AlignHCenter | Qt::AlignTop);
  SpeedTitle = Title(Panel2, "SpeedTitle", 15, 212, "S P E E D");
  CharLbl = MakeLabel(Panel2, "CharLbl", QRect(17, 216, 120, 15), Caption(), kMuted);
  Lesson2Lbl = MakeLabel(Panel2, "Lesson2Lbl", QRect(15, 412, 310, 14), Caption(), kMuted,
                         QStringLiteral("Lesson"), Qt::AlignHCenter | Qt::AlignTop);

  PrintBtn = new QPushButton(QStringLiteral("&Print"), this);
  PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
  PrintBtn->setGeometry(0, 0, 86, 30);
  PrintBtn->setCursor(Qt::PointingHandCursor);
  PrintBtn->setStyleSheet(QString::fromLatin1(kPrintStyle));
  PrintBtn->setToolTip(QStringLiteral("Print your study report"));
}

TStatisticsStg::~TStatisticsStg() { StatisticsStg.Leave(this); }
