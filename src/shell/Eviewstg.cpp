// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Eviewstg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>

#include "platform/QtDraw.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"

TFormRef<TEventViewStg> EventViewStg;

namespace {

namespace colour = qx::art::colour;

constexpr QRect kPage(0, 0, 338, 428);
constexpr int kLeft = 22, kWidth = 296;
const QColor kInk(0x3d, 0x2b, 0x1f);
const QColor kHeading(0x7a, 0x2b, 0x24);

// Author at x 3 and title at x 105, the selected entry white on maroon.
class TStoryDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, selected ? qx::ToQColor(0x000080) : QColor(Qt::white));
    p->setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    p->setFont(option.font);
    const QString text = index.data().toString();
    const int cut = text.indexOf(QLatin1Char(';'));
    const QString author = cut < 0 ? text : text.left(cut);
    const QString title = cut < 0 ? QString() : text.mid(cut + 1);
    const QRect r = option.rect;
    const QFontMetrics fm(option.font);
    p->drawText(QRect(r.left() + 3, r.top(), 98, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                fm.elidedText(author, Qt::ElideRight, 98));
    p->drawText(QRect(r.left() + 105, r.top(), r.width() - 108, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                fm.elidedText(title, Qt::ElideRight, r.width() - 108));
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(100, QFontMetrics(option.font).height() + 8);
  }
};

QLabel* Heading(QWidget* parent, const char* name, int y, const char* text) {
  QFont font = qx::PixelFont(QStringLiteral("Arial"), 13, true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  return MakeLabel(parent, name, QRect(kLeft, y, kWidth, 20), font, kHeading, QString::fromLatin1(text),
                   Qt::AlignCenter);
}

const char* kPageStyle = R"(
QLabel { background: transparent; }
QRadioButton { color: #3d2b1f; font-family: "Liberation Sans"; font-size: 14px; spacing: 7px; }
QRadioButton:disabled { color: #9a8a7a; }
QListWidget { background: white; border: 1px solid #d8caae; outline: none; }
QListWidget:focus { border: 1px solid #3b7a52; }
QLineEdit { background: #fffdf0; color: #1d1410; border: 1px solid #3b7a52; border-radius: 3px; padding: 0 3px;
  selection-background-color: #3b7a52; }
)";

QWidget* MakePage(QWidget* parent, const char* name) {
  auto* page = new QWidget(parent);
  page->setObjectName(QString::fromLatin1(name));
  page->setGeometry(kPage);
  // Each page carries the style itself: on the book it has left this form.
  page->setStyleSheet(QString::fromLatin1(kPageStyle));
  return page;
}

}  // namespace

TEventViewStg::TEventViewStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EventViewStg"));
  resize(kPage.size());
  EventViewStg.Enter(this);
  const QFont body = qx::PixelFont(QStringLiteral("Arial"), 14);

  Page1 = MakePage(this, "Page1");
  Heading(Page1, "StoryTitle", 12, "S T O R Y   T Y P I N G");
  Continue = new QRadioButton(QStringLiteral("C&ontinue story"), Page1);
  Continue->setObjectName(QStringLiteral("Continue"));
  Continue->setGeometry(kLeft, 44, kWidth, 24);
  ContinueLabel = MakeLabel(Page1, "ContinueLabel", QRect(kLeft + 24, 68, kWidth - 24, 36),
                            qx::PixelFont(QStringLiteral("Arial"), 13, false, true), kInk.lighter(130), QString(),
                            Qt::AlignLeft | Qt::AlignTop, true);
  NewStory = new QRadioButton(QStringLiteral("&Choose a new story"), Page1);
  NewStory->setObjectName(QStringLiteral("NewStory"));
  NewStory->setGeometry(kLeft, 110, kWidth, 24);
  auto* group = new QButtonGroup(Page1);
  group->addButton(Continue);
  group->addButton(NewStory);
  TextList = new QListWidget(Page1);
  TextList->setObjectName(QStringLiteral("TextList"));
  TextList->setGeometry(kLeft, 138, kWidth, 270);
  TextList->setFont(qx::PixelFont(QStringLiteral("Arial"), 13));
  TextList->setItemDelegate(new TStoryDelegate(TextList));
  TextList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  Page2 = MakePage(this, "Page2");
  PreviewTitle = Heading(Page2, "PreviewTitle", 12, "P R E V I E W");
  PreviewTitle->setGeometry(25, 28, 300, 20);
  Copyright = MakeLabel(Page2, "Copyright", QRect(25, 232, 300, 40),
                        qx::PixelFont(QStringLiteral("Arial"), 11), QColor(0x80, 0x80, 0x80), QString(),
                        Qt::AlignLeft | Qt::AlignTop, true);

  TopTenPanel = MakePage(this, "TopTenPanel");
  QFont title = qx::PixelFont(QStringLiteral("Arial"), 21, true);
  MakeLabel(TopTenPanel, "TopTenTitle", QRect(kLeft, 10, kWidth, 30), title, kHeading,
            QStringLiteral("T O P   T E N"), Qt::AlignCenter);
  Congratulations = MakeLabel(TopTenPanel, "Congratulations", QRect(kLeft, 44, kWidth, 24),
                              qx::PixelFont(QStringLiteral("Arial"), 16, true, true), QColor(0x3b, 0x7a, 0x52),
                              QStringLiteral("Congratulations"), Qt::AlignCenter);
  Congratulations->hide();
  const QFont rowFont = body;
  const QFont small = qx::PixelFont(QStringLiteral("Arial"), 12);
  for (int n = 1; n <= 10; ++n) {
    const int y = 80 + (n - 1) * 30;
    const QByteArray num = QByteArray::number(n);
    MakeLabel(TopTenPanel, ("Rank" + num).constData(), QRect(kLeft, y, 22, 22), rowFont, kHeading,
              QString::number(n) + QLatin1Char('.'), Qt::AlignRight | Qt::AlignVCenter);
    Names[size_t(n - 1)] =
        MakeLabel(TopTenPanel, ("Name" + num).constData(), QRect(kLeft + 28, y, 140, 22), rowFont, kInk);
    Points[size_t(n - 1)] = MakeLabel(TopTenPanel, ("Points" + num).constData(), QRect(kLeft + 170, y, 50, 22),
                                      qx::PixelFont(QStringLiteral("Arial"), 14, true), kInk,
                                      QString(), Qt::AlignRight | Qt::AlignVCenter);
    Dates[size_t(n - 1)] = MakeLabel(TopTenPanel, ("Date" + num).constData(), QRect(kLeft + 228, y, 70, 22),
                                     small, kInk.lighter(150), QString(), Qt::AlignRight | Qt::AlignVCenter);
  }
  NameBox = new QLineEdit(TopTenPanel);
  NameBox->setObjectName(QStringLiteral("NameBox"));
  NameBox->setFont(rowFont);
  NameBox->setGeometry(kLeft + 26, 76, 142, 26);
  NameBox->setMaxLength(40);
  NameBox->hide();
  for (QWidget* page : {Page1, Page2, TopTenPanel}) page->hide();
}

TEventViewStg::~TEventViewStg() { EventViewStg.Leave(this); }
