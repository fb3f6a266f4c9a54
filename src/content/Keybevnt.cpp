// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Keybevnt.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "engine/Diffkeys.h"
#include "engine/Finger.h"
#include "engine/KeyData.h"
#include "engine/Keyboard.h"
#include "engine/Lcds.h"
#include "engine/Viewcanv.h"
#include "platform/CodePage.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Eventstg.h"
#include "storage/ToolBox.h"

namespace {

constexpr unsigned char kEnter = 13, kSpace = 32;
constexpr int kFeedbackMs = 1000;
const QRect kKeyboardRect(30, 128, 502, 170);
// On the book, under the keyboard.
constexpr QPoint kFingersAt(80, 381);
const QColor kInk(0x3d, 0x2b, 0x1f);

// A raised card on the page that the drill's displays sit on.
class DrillBox : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(card.translated(0, 1.5), 6, 6);
    p.setPen(QPen(QColor(0xb9, 0xa4, 0x85), 1));
    p.setBrush(QColor(0xfb, 0xf6, 0xec));
    p.drawRoundedRect(card, 6, 6);
  }
};

// The group of new keys as a row of large keys, the one to type lit.
class GroupKeys : public QWidget {
 public:
  using QWidget::QWidget;
  std::string Group;
  int Position = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = height() - 1;
    // One key with its gap; the final space is three units wide.
    int units = 0;
    for (char c : Group) units += c == ' ' ? 3 : 1;
    const int unit = std::min(h + 6, units > 0 ? width() / units : 0);
    const int total = units * unit;
    int x = std::max(0, (width() - total) / 2);
    for (size_t i = 0; i < Group.size(); ++i) {
      const bool space = Group[i] == ' ';
      const int w = (space ? 3 * unit : unit) - 6;
      const QRectF key(x + 0.5, 0.5, w, h - 1);
      const bool lit = int(i) + 1 == Position;
      p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
      p.setBrush(lit ? QColor(0xff, 0xc8, 0x3a) : QColor(0xfb, 0xf4, 0xe6));
      p.drawRoundedRect(key, 4, 4);
      p.setPen(lit ? QColor(0, 0, 0) : QColor(0x5a, 0x4c, 0x40));
      p.setFont(qx::PixelFont(QStringLiteral("Arial"), space ? h * 45 / 100 : h * 70 / 100, true));
      p.drawText(key, Qt::AlignCenter, space ? QStringLiteral("Space") : qx::ToQt(std::string(1, Group[i])));
      x += w + 6;
    }
  }
};

QPixmap PictureOf(TImage* image) { return image ? image->Pixmap() : QPixmap(); }

}  // namespace

// ---- TCustomKeyboardEvent ---------------------------------------------

TCustomKeyboardEvent::TCustomKeyboardEvent() = default;

TCustomKeyboardEvent::~TCustomKeyboardEvent() {
  delete Keyboard.data();
  delete Fingers.data();
  delete Counter.data();
  delete FeedbackPicture.data();
}

void TCustomKeyboardEvent::CreateFromDescriptor(const std::string& descriptor) {
  TCustomTypingEvent::CreateFromDescriptor(descriptor);
  Keyboard = new TKeyboard(Page(), ::KeyData);
  Keyboard->hide();
  Fingers = new TFingers(BookForm ? static_cast<QWidget*>(BookForm->Book) : Page());
  Fingers->hide();
  if (EventsStg) {
    Fingers->SetHands(PictureOf(EventsStg->FingersPic));
    for (int n = 1; n <= 9; ++n) Fingers->SetFingerPicture(n, PictureOf(EventsStg->Finger(n)));
  }
  Counter = MakeControl<TMissedLcd>();
  FeedbackPicture = MakeControl<TImage>();
  CounterTimer = std::make_unique<QTimer>();
  CounterTimer->setInterval(kFeedbackMs);
  QObject::connect(CounterTimer.get(), &QTimer::timeout, [this] {
    CounterTimer->stop();
    SetCount(0);
  });
  FeedbackTimer = std::make_unique<QTimer>();
  FeedbackTimer->setInterval(kFeedbackMs);
  QObject::connect(FeedbackTimer.get(), &QTimer::timeout, [this] { ShowFeedback(0); });
}

void TCustomKeyboardEvent::Show() {
  TCustomTypingEvent::Show();
  QWidget* page = Page();
  if (Counter && EventsStg) {
    Counter->SetColor(0x000000);
    Counter->SetPictures(PictureOf(EventsStg->LampOff), PictureOf(EventsStg->LampOn));
    Counter->move(EventsStg->CounterFrame->geometry().topLeft() + QPoint(6, 6));
  }
  ShowFeedback(0);
  SetCountLimit(0);
  RepeatLimit = 1;
  Repeats = 0;
  SetCount(0);
  PlaceFingers();
  if (Keyboard && page) {
    Keyboard->setGeometry(kKeyboardRect);
    Keyboard->RevealKeys(KnownKeys);
    Keyboard->show();
    Keyboard->raise();
  }
  if (BookForm) {
    // The book takes the keys through the input method, so that dead keys
    // compose; a button left with the focus would get them bare.
    BookForm->setFocus();
    BookForm->HookKeyUp(this, [this](int, Qt::KeyboardModifiers) {
      if (Keyboard) Keyboard->ShowPressed(0);
    });
    oldReposition_ = BookForm->OnReposition;
    BookForm->HookReposition(this, [this] { PlaceFingers(); });
  }
}

void TCustomKeyboardEvent::PlaceFingers() {
  if (!Fingers) return;
  Fingers->move(kFingersAt);
  Fingers->show();
  Fingers->raise();
}

void TCustomKeyboardEvent::Hide() {
  if (CounterTimer) CounterTimer->stop();
  if (FeedbackTimer) FeedbackTimer->stop();
  if (BookForm) {
    if (Owns(BookForm->OnKeyUp)) BookForm->OnKeyUp = nullptr;
    if (Owns(BookForm->OnReposition)) BookForm->OnReposition = oldReposition_;
  }
  for (QWidget* w : {static_cast<QWidget*>(Keyboard.data()), static_cast<QWidget*>(Fingers.data()),
                     static_cast<QWidget*>(Counter.data()), static_cast<QWidget*>(FeedbackPicture.data())})
    if (w) w->hide();
  if (EventsStg) EventsStg->CounterFrame->hide();
  TCustomTypingEvent::Hide();
}

void TCustomKeyboardEvent::SetCount(int n) {
  Count = n;
  if (Counter) Counter->SetLit(n);
  if (CountLimit > 0 && Count == CountLimit && CounterTimer) CounterTimer->start();
}

void TCustomKeyboardEvent::SetCountLimit(int n) {
  CountLimit = n;
  const bool shown = n >= 1;
  if (Counter) {
    Counter->SetLamps(n);
    Counter->setVisible(shown);
    if (shown) Counter->raise();
  }
  if (EventsStg) EventsStg->CounterFrame->setVisible(shown);
}

void TCustomKeyboardEvent::ShowFeedback(int kind) {
  if (CountLimit == 0 || !FeedbackPicture) return;
  if (kind == 0) {
    FeedbackPicture->hide();
    if (FeedbackTimer) FeedbackTimer->stop();
    return;
  }
  if (EventsStg) FeedbackPicture->Assign(kind == 2 ? *EventsStg->RightPic : *EventsStg->WrongPic);
  FeedbackPicture->show();
  FeedbackPicture->raise();
  if (FeedbackTimer) FeedbackTimer->start();
}

void TCustomKeyboardEvent::SetCurrentChar(unsigned char c) {
  CurrentChar = c;
  if (!Keyboard) return;
  Keyboard->ShowKeys("", "");
  if (HighlightNext && c) Keyboard->ShowKeys(std::string(1, char(c)), "");
}

void TCustomKeyboardEvent::ShowWrongKey(unsigned char expected, unsigned char typed) {
  PlaySound(kSoundError);
  if (Keyboard) Keyboard->ShowKeys(std::string(1, char(expected)), std::string(1, char(typed)));
}

void TCustomKeyboardEvent::KeyPress(QObject* sender, unsigned char& key) {
  TCustomTypingEvent::KeyPress(sender, key);
  if (!key) return;
  // The next key cuts the feedback short.
  if (CounterTimer && CounterTimer->isActive()) {
    CounterTimer->stop();
    SetCount(0);
  }
  if (FeedbackTimer && FeedbackTimer->isActive()) ShowFeedback(0);
  if (State == kStateCompleted) return;
  if (State == kStateReady || State == kStatePaused) Start();
  if (Keyboard) Keyboard->ShowPressed(key);
}

// ---- TNewKeysEvent ----------------------------------------------------

TNewKeysEvent::TNewKeysEvent() = default;

TNewKeysEvent::~TNewKeysEvent() {
  delete GroupPicture.data();
  delete FingerLabel.data();
  delete panel_.data();
}

void TNewKeysEvent::CreateFromDescriptor(const std::string& descriptor) {
  TCustomKeyboardEvent::CreateFromDescriptor(descriptor);
  panel_ = MakeControl<DrillBox>();
  GroupPicture = MakeControl<GroupKeys>();
  FingerLabel = MakeControl<QLabel>();
  FingerLabel->setAlignment(Qt::AlignCenter);
  FingerLabel->setFont(qx::PixelFont(QStringLiteral("Arial"), 15, true));
  QPalette palette = FingerLabel->palette();
  palette.setColor(QPalette::WindowText, kInk);
  FingerLabel->setPalette(palette);
}

void TNewKeysEvent::Show() {
  TCustomKeyboardEvent::Show();
  HideSheet();
  SetCountLimit(0);
  RepeatLimit = 1;
  if (panel_ && GroupPicture && FingerLabel) {
    panel_->setGeometry(100, 12, 300, 96);
    GroupPicture->setGeometry(120, 25, 260, 33);
    FingerLabel->setGeometry(110, 70, 280, 24);
    for (QWidget* w : {panel_.data(), GroupPicture.data(), static_cast<QWidget*>(FingerLabel.data())}) {
      w->show();
      w->raise();
    }
  }
  TextIndex = 0;
  Group.clear();
  TakeGroup();
}

void TNewKeysEvent::Hide() {
  for (QWidget* w : {panel_.data(), GroupPicture.data(), static_cast<QWidget*>(FingerLabel.data())})
    if (w) w->hide();
  TCustomKeyboardEvent::Hide();
}

void TNewKeysEvent::TakeGroup() {
  if (Count != CountLimit && Repeats != RepeatLimit && !Group.empty()) {
    // The same group again.
  } else {
    std::string next;
    while (TextIndex < EventText.size() && next.size() < 4) {
      const char c = EventText[TextIndex++];
      if (c != '\n' && c != '\r' && c != ' ') next += c;
    }
    if (next.empty()) {
      Complete();
      return;
    }
    Group = next + ' ';
    Repeats = 0;
    // The keys being taught show their labels like the known ones.
    if (Keyboard) Keyboard->RevealKeys(next);
  }
  ErrorInItem = false;
  Position = 1;
  ShowKey();
}

void TNewKeysEvent::ShowKey() {
  const auto c = static_cast<unsigned char>(Group[size_t(Position - 1)]);
  if (auto* picture = static_cast<GroupKeys*>(GroupPicture.data())) {
    picture->Group = Group;
    picture->Position = Position;
    picture->update();
  }
  if (FingerLabel) {
    const TKeyData* keys = ::KeyData;
    std::string label = TKeyData::FingerName(keys ? keys->FingerOf(c) : -1);
    if (keys && keys->ShiftFor(c) != kShiftNone)
      label = TKeyData::ShiftName(keys->ShiftFor(c)) + " + " + label;
    FingerLabel->setText(qx::ToQt(label));
  }
  SetCurrentChar(c);
  if (Fingers) Fingers->SetFinger(::KeyData ? ::KeyData->FingerOf(c) : 0);
}

void TNewKeysEvent::KeyPress(QObject* sender, unsigned char& key) {
  TCustomKeyboardEvent::KeyPress(sender, key);
  if (!key) return;
  const unsigned char c = key;
  key = 0;
  if (State == kStateCompleted || Group.empty() || !Checked(c)) return;
  const auto expected = static_cast<unsigned char>(Group[size_t(Position - 1)]);
  if (c != expected) {
    ErrorInItem = true;
    ShowWrongKey(expected, c);
    return;
  }
  if (++Position <= int(Group.size())) {
    ShowKey();
    return;
  }
  ++Repeats;
  if (!ErrorInItem) {
    SetCount(Count + 1);
    ShowFeedback(2);
  } else {
    ShowFeedback(1);
  }
  TakeGroup();
}

void TNewKeysEvent::Complete() {
  TCustomKeyboardEvent::Complete();
  if (Keyboard) Keyboard->ShowKeys(std::string(1, char(kEnter)), "");
  if (Fingers) Fingers->SetFinger(8);
  if (FingerLabel) FingerLabel->setText(qx::ToQt(TKeyData::FingerName(8)));
}

// ---- TWordEvent -------------------------------------------------------

TWordEvent::TWordEvent() = default;

TWordEvent::~TWordEvent() {
  delete WordCanvas.data();
  delete wordBox_.data();
  delete feedbackBox_.data();
}

void TWordEvent::CreateFromDescriptor(const std::string& descriptor) {
  TCustomKeyboardEvent::CreateFromDescriptor(descriptor);
  wordBox_ = MakeControl<DrillBox>();
  feedbackBox_ = MakeControl<DrillBox>();
}

void TWordEvent::Show() {
  TCustomKeyboardEvent::Show();
  HideSheet();
  if (wordBox_ && feedbackBox_) {
    wordBox_->setGeometry(126, 18, 288, 64);
    feedbackBox_->setGeometry(424, 18, 64, 64);
    wordBox_->show();
    feedbackBox_->show();
    wordBox_->raise();
    feedbackBox_->raise();
  }
  SetCountLimit(3);
  RepeatLimit = 7;
  if (QWidget* page = Page()) {
    WordCanvas = new TWordViewCanvas(page);
    WordCanvas->setGeometry(140, 30, 260, 40);
    WordCanvas->SetColor(0xC0DCC0);
    WordCanvas->ExpectSpace = true;
    WordCanvas->setFont(qx::PointFont(QStringLiteral("Times New Roman"), 20, true));
    WordCanvas->show();
    WordCanvas->raise();
  }
  if (FeedbackPicture) FeedbackPicture->setGeometry(432, 26, 48, 48);
  TextPos = 0;
  CurrentWordText.clear();
  TakeWord();
}

void TWordEvent::Hide() {
  // The keys typed here count like those of any other exercise.
  if (KeyStats) KeyStats->Commit();
  delete WordCanvas.data();
  if (wordBox_) wordBox_->hide();
  if (feedbackBox_) feedbackBox_->hide();
  TCustomKeyboardEvent::Hide();
}

void TWordEvent::TakeWord() {
  if (Count == CountLimit || Repeats == RepeatLimit || CurrentWordText.empty()) {
    // A new word starts its count afresh; a full count empties on its timer.
    if (Count != CountLimit) SetCount(0);
    std::string word;
    do TextPos = GetToken(EventText, TextPos, word);
    while (word == "\r");
    CurrentWordText = word;
    Repeats = 0;
    if (word.empty()) {
      if (WordCanvas) WordCanvas->SetWord("");
      SetCurrentChar(0);
      Complete();
      return;
    }
  }
  ErrorInItem = false;
  if (WordCanvas) WordCanvas->SetWord(CurrentWordText);
  if (Fingers) Fingers->SetFinger(0);
  SetCurrentChar(0);
}

void TWordEvent::KeyPress(QObject* sender, unsigned char& key) {
  TCustomKeyboardEvent::KeyPress(sender, key);
  if (!key) return;
  const unsigned char c = key;
  key = 0;
  if (State == kStateCompleted || !WordCanvas || !Checked(c)) return;
  const std::string expectedText = WordCanvas->ExpectedText();
  if (expectedText.empty()) return;
  const auto expected = static_cast<unsigned char>(expectedText[0]);
  if (c != expected) {
    ErrorInItem = true;
    ShowFeedback(1);
    ShowWrongKey(expected, c);
    if (Fingers && ::KeyData) Fingers->SetFinger(::KeyData->FingerOf(expected));
    if (KeyStats) KeyStats->RecordKey(expected, true);
    return;
  }
  if (Keyboard) Keyboard->ShowKeys("", "");
  if (Fingers) Fingers->SetFinger(0);
  if (KeyStats) KeyStats->RecordKey(c, false);
  WordCanvas->Advance();
  if (!WordCanvas->ExpectedText().empty()) return;
  ++Repeats;
  if (!ErrorInItem) {
    SetCount(Count + 1);
    ShowFeedback(2);
  }
  TakeWord();
}

// ---- TKeyboardEvent ---------------------------------------------------

TKeyboardEvent::TKeyboardEvent() = default;
TKeyboardEvent::~TKeyboardEvent() = default;

void TKeyboardEvent::CreateFromDescriptor(const std::string& descriptor) {
  TCustomKeyboardEvent::CreateFromDescriptor(descriptor);
  HighlightNext = false;
}

QRect TKeyboardEvent::ModelRect() const {
  // Above the keyboard, as wide as it.
  return QRect(kKeyboardRect.left(), 16, kKeyboardRect.width(), kKeyboardRect.top() - 16 - 12);
}

void TKeyboardEvent::Show() {
  TCustomKeyboardEvent::Show();
  const std::string expected = ModelCanvas ? ModelCanvas->ExpectedText() : std::string();
  SetCurrentChar(expected.empty() ? 0 : static_cast<unsigned char>(expected[0]));
  if (expected.empty()) Complete();
}

void TKeyboardEvent::Hide() {
  if (KeyStats) KeyStats->Commit();
  TCustomKeyboardEvent::Hide();
}

void TKeyboardEvent::KeyPress(QObject* sender, unsigned char& key) {
  TCustomKeyboardEvent::KeyPress(sender, key);
  if (!key) return;
  const unsigned char c = key;
  key = 0;
  if (State == kStateCompleted || !ModelCanvas || !CurrentChar || !Checked(c)) return;
  if (c != CurrentChar) {
    ShowWrongKey(CurrentChar, c);
    if (Fingers && ::KeyData) Fingers->SetFinger(::KeyData->FingerOf(CurrentChar));
    if (KeyStats) KeyStats->RecordKey(CurrentChar, true);
    return;
  }
  if (KeyStats) KeyStats->RecordKey(CurrentChar, false);
  ModelCanvas->Advance();
  if (Fingers) Fingers->SetFinger(0);
  const std::string expected = ModelCanvas->ExpectedText();
  SetCurrentChar(expected.empty() ? 0 : static_cast<unsigned char>(expected[0]));
  if (expected.empty()) Complete();
}
