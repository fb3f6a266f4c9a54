// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AboutStg.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/Bookfrm.h"
#include "shell/FormControls.h"
#include "storage/Errors.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"

const char* const kWebAddress = "https://www.quillbrandex.invalid/";
const char* const kMailAddress = "mailto:support@quillbrandex.invalid";
TFormRef<TAboutStorage> AboutStorage;

namespace {

namespace colour = qx::art::colour;

constexpr QRect kPage(0, 0, 338, 428);

QLabel* MakeLink(QWidget* parent, const char* name, const QRect& geometry, const char* address,
                 const char* caption) {
  const QString html = QStringLiteral("<a href=\"%1\" style=\"color:#2f7f86; text-decoration:none;\">%2</a>")
                           .arg(QString::fromLatin1(address), QString::fromLatin1(caption));
  QLabel* link = MakeLabel(parent, name, geometry, qx::PixelFont(QStringLiteral("Arial"), 15, true),
                           colour::kInk, html, Qt::AlignCenter, true);
  link->setTextFormat(Qt::RichText);
  link->setOpenExternalLinks(false);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  link->setCursor(Qt::PointingHandCursor);
  link->setToolTip(QString::fromLatin1(address).remove(QStringLiteral("mailto:")));
  return link;
}

// A leather roundel with a gold quill, the program's seal.
QImage EmblemPicture() {
  QImage image(112, 112, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF disc(6, 4, 100, 100);
  QPainterPath round;
  round.addEllipse(disc);
  qx::art::SoftShadow(p, round.translated(0, 2), 3, 50);
  qx::art::LeatherBoard(p, disc, 50, 7u);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(colour::kGold, 2));
  p.drawEllipse(disc.adjusted(7, 7, -7, -7));
  // The quill: a feather vane along a slanting shaft.
  p.translate(disc.center());
  p.rotate(-38);
  QPainterPath vane;
  vane.moveTo(0, -36);
  vane.cubicTo(16, -22, 13, 10, 2, 26);
  vane.lineTo(-2, 26);
  vane.cubicTo(-12, 8, -14, -20, 0, -36);
  QLinearGradient g(QPointF(-12, 0), QPointF(14, 0));
  g.setColorAt(0, colour::kGold.lighter(118));
  g.setColorAt(1, colour::kGoldDark);
  p.setPen(QPen(colour::kGoldDark.darker(120), 1));
  p.setBrush(g);
  p.drawPath(vane);
  p.setPen(QPen(colour::kLeatherDark, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(0, -30), QPointF(0, 40));
  p.setPen(QPen(colour::kLeatherDark.lighter(130), 0.8));
  for (int i = 0; i < 7; ++i) {
    const qreal y = -24 + i * 7;
    p.drawLine(QPointF(0, y), QPointF(9 - qAbs(i - 3), y - 6));
    p.drawLine(QPointF(0, y), QPointF(-9 + qAbs(i - 3), y - 6));
  }
  return image;
}

const char* const kCredits =
    "<table cellspacing='0' cellpadding='3'>"
    "<tr><td><b>Lessons and texts</b><br>The Quillbrandex course writers</td></tr>"
    "<tr><td><b>Typing analysis and commentator</b><br>The Quillbrandex engine team</td></tr>"
    "<tr><td><b>Book, pictures and sounds</b><br>Drawn and played by our own programs</td></tr>"
    "<tr><td><b>Network installation</b><br>The Quillbrandex network team</td></tr>"
    "<tr><td><b>Help manual</b><br>The Quillbrandex documentation team</td></tr>"
    "</table>";

}  // namespace

TAboutStorage::TAboutStorage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AboutStorage"));
  resize(kPage.size());
  AboutStorage.Enter(this);
  const QColor soft(0x8a, 0x70, 0x58);

  AboutL = new QWidget(this);
  AboutL->setObjectName(QStringLiteral("AboutL"));
  AboutL->setGeometry(kPage);
  Emblem = new TImage(AboutL);
  Emblem->setObjectName(QStringLiteral("Emblem"));
  Emblem->setGeometry(113, 14, 112, 112);
  Emblem->SetBitmap(EmblemPicture());
  ProductName = MakeLabel(AboutL, "ProductName", QRect(10, 128, 318, 52),
                          qx::PixelFont(QStringLiteral("Times New Roman"), 42, true), colour::kLeather,
                          QStringLiteral("Quillbrandex"), Qt::AlignHCenter | Qt::AlignTop, true);
  ProductKind =
      MakeLabel(AboutL, "ProductKind", QRect(10, 176, 318, 24),
                qx::PixelFont(QStringLiteral("Times New Roman"), 19, false, true), QColor(0x8a, 0x5a, 0x2b),
                QStringLiteral("the touch-typing tutor for networks"), Qt::AlignHCenter | Qt::AlignTop, true);
  VersionLbl = MakeLabel(AboutL, "VersionLbl", QRect(10, 210, 318, 22),
                         qx::PixelFont(QStringLiteral("Arial"), 16, true), colour::kInk, QString(),
                         Qt::AlignHCenter | Qt::AlignTop, true);
  BuildLbl =
      MakeLabel(AboutL, "BuildLbl", QRect(10, 232, 318, 20), qx::PixelFont(QStringLiteral("Arial"), 13), soft,
                QString(), Qt::AlignHCenter | Qt::AlignTop, true);
  LicenceLbl = MakeLabel(AboutL, "LicenceLbl", QRect(30, 262, 278, 54),
                         qx::PixelFont(QStringLiteral("Arial"), 13), colour::kInk,
                         QStringLiteral("Free software: you may share and change it under the GNU General "
                                        "Public License, version 3 or later."),
                         Qt::AlignHCenter | Qt::AlignTop, true);

  ContactPanel = new QWidget(AboutL);
  ContactPanel->setObjectName(QStringLiteral("ContactPanel"));
  ContactPanel->setGeometry(0, 326, 338, 96);
  QFont spaced = qx::PixelFont(QStringLiteral("Arial"), 12, true);
  ContactTitle =
      MakeLabel(ContactPanel, "ContactTitle", QRect(10, 0, 318, 18), spaced, colour::kGoldDark.darker(115),
                QStringLiteral("C O N T A C T"), Qt::AlignHCenter | Qt::AlignTop, true);
  WebLink = MakeLink(ContactPanel, "WebLink", QRect(10, 24, 318, 24), kWebAddress, "Visit our web page");
  MailLink = MakeLink(ContactPanel, "MailLink", QRect(10, 52, 318, 24), kMailAddress, "Write to us");

  AboutR = new QWidget(this);
  AboutR->setObjectName(QStringLiteral("AboutR"));
  AboutR->setGeometry(kPage);
  CreditsTitle =
      MakeLabel(AboutR, "CreditsTitle", QRect(25, 16, 288, 18), spaced, colour::kGoldDark.darker(115),
                QStringLiteral("C R E D I T S"), Qt::AlignHCenter | Qt::AlignTop, true);
  CreditsLbl =
      MakeLabel(AboutR, "CreditsLbl", QRect(25, 46, 288, 262), qx::PixelFont(QStringLiteral("Arial"), 14),
                colour::kInk, QString::fromLatin1(kCredits), Qt::AlignLeft | Qt::AlignTop, true);
  CreditsLbl->setTextFormat(Qt::RichText);
  ThanksLbl =
      MakeLabel(AboutR, "ThanksLbl", QRect(25, 318, 288, 60),
                qx::PixelFont(QStringLiteral("Times New Roman"), 17, false, true), QColor(0x8a, 0x5a, 0x2b),
                QStringLiteral("Thank you to every student and teacher who told us what a typing "
                               "tutor should be."),
                Qt::AlignHCenter | Qt::AlignTop, true);
  HelpLink = MakeLink(AboutR, "HelpLink", QRect(25, 388, 288, 24), "#manual", "Help: read the manual");
  HelpLink->setToolTip(QStringLiteral("Open the manual (F1 opens it at the page you are on)"));
}

TAboutStorage::~TAboutStorage() { AboutStorage.Leave(this); }

TAbout::TAbout() : TSectionPage("About Quillbrandex", 2) {}

TAbout::~TAbout() {
  QObject::disconnect(web_);
  QObject::disconnect(mail_);
  QObject::disconnect(help_);
}

void TAbout::Show() {
  TSectionPage::Show();
  TBookForm* book = BookForm;
  TAboutStorage* form = AboutStorage;
  if (!book || !form) return;
  if (Settings) {
    form->VersionLbl->setText(QStringLiteral("Version ") + qx::ToQt(Settings->ProductVersion));
    form->BuildLbl->setText(QStringLiteral("build %1 %2, compiled %3")
                                .arg(qx::ToQt(Settings->BuildNumber), qx::ToQt(Settings->PlatformWord),
                                     qx::ToQt(Settings->CompileDate)));
  }
  form->ContactPanel->setVisible(!Settings || !Settings->RemoveInternetLinks);
  const auto open = [](const QString& link) { OpenLink(qx::FromQt(link)); };
  web_ = QObject::connect(form->WebLink, &QLabel::linkActivated, form->WebLink, open);
  mail_ = QObject::connect(form->MailLink, &QLabel::linkActivated, form->MailLink, open);
  help_ = QObject::connect(form->HelpLink, &QLabel::linkActivated, form->HelpLink, [](const QString&) {
    if (BookForm && BookForm->OnHelp) BookForm->OnHelp(help::kContents);
  });

  AddControl(form->AboutL, book->LeftPage);
  AddControl(form->AboutR, book->RightPage);
}

void TAbout::Hide() {
  QObject::disconnect(web_);
  QObject::disconnect(mail_);
  QObject::disconnect(help_);
  TSectionPage::Hide();
}

void TAbout::OpenLink(const std::string& address) {
  if (ShellOpen(address, "", "") <= 32) ReportError(-5452, address);
}
