// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Bookfrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"
#include "shell/FormControls.h"
#include "shell/Formview.h"
#include "storage/PrgSetup.h"

TBookForm* BookForm = nullptr;

namespace {

using qx::Picture;

constexpr int kBookW = 777, kBookH = 529;
constexpr int kTitleMinW = 360, kTitleMaxW = 718, kTitleH = 56, kTitleTop = 12;
// The button console rises from the book's lower edge at the right.
constexpr int kConsoleRight = 744, kConsoleBottom = 527, kConsoleH = 42, kConsolePad = 10,
              kButtonGap = 6, kButtonTop = 7;

const QColor kInk(0x3d, 0x2b, 0x1f);

const char* kCoverStyle = R"(
QLabel { color: #3d2b1f; background: transparent; }
QComboBox {
  background: #fffdf8; color: #3d2b1f; border: 1px solid #a47e3e; border-radius: 6px;
  padding: 3px 8px; font-family: "Liberation Sans"; font-size: 16px;
  selection-background-color: #3b7a52;
}
QComboBox:focus { border: 2px solid #3b7a52; }
QComboBox::drop-down {
  subcontrol-origin: padding; subcontrol-position: top right; width: 24px;
  border-left: 1px solid #e2d0a8; border-top-right-radius: 6px; border-bottom-right-radius: 6px;
  background: #f6ecd6;
}
QComboBox QAbstractItemView {
  background: #fffdf8; color: #3d2b1f; selection-background-color: #3b7a52;
  selection-color: white; border: 1px solid #a47e3e;
}
QPushButton {
  color: #3d2b1f; font-family: "Liberation Sans"; font-size: 14px; font-weight: bold;
  border: 1px solid #8a6a32; border-radius: 8px; padding: 4px 12px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fcf5e3, stop:1 #e6d1a5);
}
QPushButton:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #eedcb6);
}
QPushButton:pressed { background: #dcc594; }
QPushButton:focus { border: 2px solid #3b7a52; }
QPushButton#LogOK, QPushButton#UserYes {
  color: white; border: 1px solid #244f2c;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5c9a63, stop:1 #336b3e);
}
QPushButton#LogOK:hover, QPushButton#UserYes:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6aaa71, stop:1 #3c7848);
}
QPushButton#LogOK:pressed, QPushButton#UserYes:pressed { background: #2e6038; }
QPushButton#LogOK:focus, QPushButton#UserYes:focus { border: 2px solid #1b3a20; }
)";

QWidget* MakePanel(QWidget* parent, const char* name, const QRect& geometry) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  return panel;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& geometry) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

// The name field draws its own arrow: the style sheet gives the drop-down
// button the cover's colours, and with them it loses the style's arrow.
class NameCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;

  // The list opens on the name in the field, so that Enter in it keeps
  // that student; a name not in the list leaves no row chosen.
  void showPopup() override {
    const QString typed = currentText();
    const int row = findText(typed.trimmed(), Qt::MatchFixedString);
    QComboBox::showPopup();
    if (QAbstractItemView* list = view()) {
      list->setCurrentIndex(row >= 0 ? model()->index(row, modelColumn(), rootModelIndex()) : QModelIndex());
      if (row >= 0) list->scrollTo(list->currentIndex());
    }
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QComboBox::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width() - 12.5, height() / 2.0 + 1);
    QPolygonF arrow;
    arrow << c + QPointF(-4.5, -2.5) << c + QPointF(4.5, -2.5) << c + QPointF(0, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7a, 0x2b, 0x24));
    p.drawPolygon(arrow);
  }
};

}  // namespace

TBookForm::TBookForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BookForm"));
  if (!BookForm) BookForm = this;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  ShowFocus();
  resize(804, 580);

  BackGround32 = MakeImage(this, Picture::Background, "BackGround32", rect());
  BackGround32->hide();  // the main controller shows it once it starts
  CreateBook();
  CreateCover();

  SetConsolePicture(2);
  SetButtons(0);
  SetLayout(2);
  // The window is the book's size and sits in the middle of the screen.
  resize(Book->size());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
  qApp->installEventFilter(this);
}

TBookForm::~TBookForm() {
  if (qApp) qApp->removeEventFilter(this);
  if (BookForm == this) BookForm = nullptr;
}

void TBookForm::CreateBook() {
  Book = MakeImage(this, Picture::Book, "Book", QRect(0, 0, kBookW, kBookH));
  TabRow = MakeImage(Book, Picture::TabRow, "TabRow", QRect(0, 74, 26, 428));
  WidePage = MakePanel(Book, "WidePage", QRect(28, 74, 718, 428));
  LeftPage = MakePanel(Book, "LeftPage", QRect(28, 74, 338, 428));
  RightPage = MakePanel(Book, "RightPage", QRect(405, 74, 338, 428));
  PageSeparator = MakeImage(Book, Picture::PageSeparator, "PageSeparator", QRect(366, 10, 39, 509));

  struct MenuSpec {
    TImage** field;
    Picture picture;
    const char* name;
  };
  const MenuSpec menus[] = {{&MenuGuided, Picture::MenuGuided, "MenuGuided"},
                            {&MenuRevision, Picture::MenuRevision, "MenuRevision"},
                            {&MenuInfo, Picture::MenuInfo, "MenuInfo"},
                            {&MenuLogo, Picture::MenuLogo, "MenuLogo"},
                            {&MenuOptions, Picture::MenuOptions, "MenuOptions"},
                            {&MenuExit, Picture::MenuExit, "MenuExit"}};
  int index = 0;
  for (const MenuSpec& m : menus)
    *m.field = MakeImage(
        Book, m.picture, m.name,
        QRect(1, 74 + qx::art::kMenuFirst + qx::art::kMenuStep * index++, 24, qx::art::kMenuH), true);
  HideSettings = MakeImage(Book, Picture::HideSettings, "HideSettings", MenuOptions->geometry());
  HideSettings->hide();

  TitleConsole = MakeImage(Book, Picture::TitleConsole, "TitleConsole",
                           QRect((kBookW - 560) / 2, kTitleTop, 560, kTitleH));
  Title = MakeLabel(TitleConsole, "Title", QRect(0, 3, 560, kTitleH - 12),
                    qx::PixelFont(QStringLiteral("Arial"), 29, true));
  Title->setAlignment(Qt::AlignCenter);
  QPalette titlePalette = Title->palette();
  titlePalette.setColor(QPalette::WindowText, kInk);
  Title->setPalette(titlePalette);

  BtnConsole =
      MakePanel(Book, "BtnConsole", QRect(kConsoleRight - 200, kConsoleBottom - kConsoleH, 200, kConsoleH));
  ConsolePic1 = MakeImage(BtnConsole, Picture::ConsoleEvent, "ConsolePic1", BtnConsole->rect());
  ConsolePic2 = MakeImage(BtnConsole, Picture::ConsoleBook, "ConsolePic2", BtnConsole->rect());
  struct ButtonSpec {
    TImage** field;
    Picture picture;
    const char* name;
  };
  const ButtonSpec buttons[] = {{&Next, Picture::ButtonNext, "Next"},
                                {&Back, Picture::ButtonBack, "Back"},
                                {&Cancel, Picture::ButtonCancel, "Cancel"},
                                {&SkipF, Picture::ButtonSkipF, "SkipF"},
                                {&SkipB, Picture::ButtonSkipB, "SkipB"},
                                {&BeginB, Picture::ButtonBegin, "BeginB"}};
  for (const ButtonSpec& b : buttons) {
    *b.field = MakeImage(BtnConsole, b.picture, b.name,
                         QRect(QPoint(0, kButtonTop), qx::NaturalSize(b.picture)), true);
    (*b.field)->hide();
  }
  SkipF->setToolTip(QStringLiteral("Go to the next lesson"));
  SkipB->setToolTip(QStringLiteral("Go back to the previous lesson"));
}

void TBookForm::CreateCover() {
  BookCover = MakePanel(this, "BookCover", QRect(0, 0, kBookW, kBookH));
  BookCover->setStyleSheet(QString::fromLatin1(kCoverStyle));
  CoverPic = MakeImage(BookCover, Picture::Cover, "CoverPic", BookCover->rect());
  CoverPic->KeepInPieces(true);
  const QFont labelFont = qx::PixelFont(QStringLiteral("Arial"), 16, true);
  LogLabel = MakeLabel(BookCover, "LogLabel", QRect(264, 334, 284, 22), labelFont);
  LogLabel->setText(QStringLiteral("Enter your name:"));
  NameField = new NameCombo(BookCover);
  NameField->setObjectName(QStringLiteral("NameField"));
  NameField->setEditable(true);
  NameField->setInsertPolicy(QComboBox::NoInsert);
  NameField->setGeometry(264, 360, 284, 32);
  NameField->lineEdit()->setMaxLength(255);
  LogOK = MakeButton(BookCover, "LogOK", QRect(264, 410, 136, 34));
  LogOK->setText(QStringLiteral("OK"));
  LogOK->setDefault(true);
  LogVisitor = MakeButton(BookCover, "LogVisitor", QRect(412, 410, 136, 34));
  LogVisitor->setText(QStringLiteral("&Visitor"));
  LoadLabel = MakeLabel(BookCover, "LoadLabel", QRect(244, 318, 324, 160),
                        qx::PixelFont(QStringLiteral("Arial"), 17, false, true));
  LoadLabel->setAlignment(Qt::AlignCenter);
  LoadLabel->setText(QStringLiteral("Loading, please wait..."));
  NewUserLbl = MakeLabel(BookCover, "NewUserLbl", QRect(264, 330, 284, 66), labelFont);
  NewUserLbl->setAlignment(Qt::AlignCenter);
  NewUserLbl->setWordWrap(true);
  UserYes = MakeButton(BookCover, "UserYes", QRect(264, 410, 136, 34));
  UserYes->setText(QStringLiteral("&Yes"));
  UserCancel = MakeButton(BookCover, "UserCancel", QRect(412, 410, 136, 34));
  UserCancel->setText(QStringLiteral("&Cancel"));
  // The log-on views show what they need; the loading note shows first.
  for (QWidget* w : std::initializer_list<QWidget*>{LogLabel, NameField, LogOK, LogVisitor, NewUserLbl,
                                                    UserYes, UserCancel})
    w->hide();
  BookCover->hide();
}

void TBookForm::SetLayout(int layout) {
  layout_ = layout;
  if (layout == 0) {
    Book->hide();
    BookCover->show();
    BookCover->raise();
    return;
  }
  BookCover->hide();
  Book->show();
  const bool wide = layout == 1;
  WidePage->setVisible(wide);
  LeftPage->setVisible(!wide);
  RightPage->setVisible(!wide);
  PageSeparator->setVisible(!wide);
}

void TBookForm::SetButtons(int mask) {
  buttonMask_ = mask;
  BeginB->setVisible(mask & kBeginB);
  Next->setVisible(mask & kNext);
  Back->setVisible(mask & kBack);
  Cancel->setVisible(mask & kCancel);
  SkipF->setVisible(mask & kSkipF);
  SkipB->setVisible(mask & kSkipB);
  LayoutButtons();
  BtnConsole->setVisible(mask != 0);
  BtnConsole->raise();
}

void TBookForm::LayoutButtons() {
  // Shown buttons sit side by side in reading order, the way forward last.
  TImage* const order[] = {SkipB, Back, Cancel, BeginB, Next, SkipF};
  const int mask = buttonMask_;
  const int bits[] = {kSkipB, kBack, kCancel, kBeginB, kNext, kSkipF};
  int width = kConsolePad;
  for (int i = 0; i < 6; ++i) {
    if (!(mask & bits[i])) continue;
    order[i]->move(width, kButtonTop);
    width += order[i]->width() + kButtonGap;
  }
  width += kConsolePad - kButtonGap;
  width = qMax(width, 2 * kConsolePad);
  BtnConsole->setGeometry(kConsoleRight - width, kConsoleBottom - kConsoleH, width, kConsoleH);
  ConsolePic1->setGeometry(BtnConsole->rect());
  ConsolePic2->setGeometry(BtnConsole->rect());
}

void TBookForm::SetConsolePicture(int n) {
  consolePicture_ = n == 1 ? 1 : 2;
  ConsolePic1->setVisible(consolePicture_ == 1);
  ConsolePic2->setVisible(consolePicture_ != 1);
  (consolePicture_ == 1 ? ConsolePic1 : ConsolePic2)->lower();
}

void TBookForm::SetTitle(const std::string& cp1252) {
  const QString text = qx::ToQt(cp1252);
  const QFontMetrics metrics(Title->font());
  const int width = qBound(kTitleMinW, metrics.horizontalAdvance(text) + 90, kTitleMaxW);
  TitleConsole->setGeometry((kBookW - width) / 2, kTitleTop, width, kTitleH);
  Title->setGeometry(0, 3, width, kTitleH - 12);
  Title->setText(metrics.elidedText(text, Qt::ElideRight, width - 50));
}

void TBookForm::GoHome() {
  if (auto hook = OnGoHome) hook();
}

void TBookForm::PlaceBook(int left) {
  Book->move(left, Book->y());
  if (auto hook = OnReposition) hook();
}

void TBookForm::RouteKeys(TFormView* view) {
  if (!view) {
    ReleaseKeys();
    return;
  }
  OnKeyDown = view->Hook(decltype(OnKeyDown)(
      [this, view](int& key, Qt::KeyboardModifiers shift) { view->KeyDown(this, key, shift); }));
  OnKeyPress = view->Hook(decltype(OnKeyPress)([this, view](unsigned char& key) { view->KeyPress(this, key); }));
}

void TBookForm::HookKeyUp(TFormView* view, std::function<void(int key, Qt::KeyboardModifiers shift)> handler) {
  OnKeyUp = view ? view->Hook(std::move(handler)) : nullptr;
}

void TBookForm::HookReposition(TFormView* view, std::function<void()> handler) {
  OnReposition = view ? view->Hook(std::move(handler)) : nullptr;
}

void TBookForm::ReleaseView(const TFormView* view) {
  if (!view) return;
  if (view->Owns(OnKeyDown)) OnKeyDown = nullptr;
  if (view->Owns(OnKeyPress)) OnKeyPress = nullptr;
  if (view->Owns(OnKeyUp)) OnKeyUp = nullptr;
  if (view->Owns(OnReposition)) OnReposition = nullptr;
  for (TImage* button : {Next, Back, Cancel, SkipF, SkipB, BeginB})
    if (view->Owns(button->OnClick)) button->OnClick = nullptr;
}

void TBookForm::ReleaseKeys() {
  OnKeyDown = nullptr;
  OnKeyPress = nullptr;
  OnKeyUp = nullptr;
}

std::array<TImage*, 6> TBookForm::MenuImages() const {
  return {MenuGuided, MenuRevision, MenuInfo, MenuLogo, MenuOptions, MenuExit};
}

TImage* TBookForm::ButtonByName(const QString& name) const {
  for (TImage* b : {Next, Back, Cancel, SkipF, SkipB, BeginB})
    if (b->objectName() == name) return b;
  return nullptr;
}

void TBookForm::CentrePanels() {
  // Halves rounded toward zero, also when the window is smaller.
  const int left = (width() - Book->width()) / 2;
  const int top = (height() - Book->height()) / 2;
  Book->move(left, top);
  BookCover->move((width() - BookCover->width()) / 2, (height() - BookCover->height()) / 2);
  BackGround32->setGeometry(rect());
}

void TBookForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  CentrePanels();
  if (Settings) Settings->MaximizedBook = height() != Book->height();
  if (auto hook = OnReposition) hook();
}

bool TBookForm::CanClose() {
  auto query = OnCloseQuery;
  return !query || query();
}

void TBookForm::closeEvent(QCloseEvent* event) {
  // Inside the scaling window, closing the book closes the window.
  if (frame_ && frame_ != this) {
    event->setAccepted(frame_->close());
    return;
  }
  if (CanClose())
    event->accept();
  else
    event->ignore();
}
