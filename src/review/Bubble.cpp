// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Bubble.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/Diffkeys.h"
#include "engine/Lcds.h"
#include "platform/Clock.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "platform/Random.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Eventstg.h"
#include "shell/bubstg.h"
#include "storage/ToolBox.h"

namespace {

constexpr int kSoundEscaped = 4;  // never loaded: silent
constexpr unsigned char kNoLetter = '\n';
constexpr uint32_t kWater = 0xFF9977;
const QRect kLeftConsoleHome(50, 271, 500, 34);

int BaseStep(float level) { return std::min(int(std::lround(3 + (8.0 / 9.0) * (level - 1))), 13); }

}  // namespace

// ---- Tbubble ------------------------------------------------------------

void Tbubble::Launch(int step, int areaHeight) {
  Alive = true;
  Y = areaHeight;
  Rise = step;
  Step = step;
  Letter = 0;
}

void Tbubble::Move(double factor) {
  if (!Alive) return;
  Phase = (Phase + 1) % 4;
  Y -= int(std::lround(Rise * Direction * factor));
  if (Y + Size < 1) Deactivate();
}

void Tbubble::Deactivate() {
  Letter = 0;
  Alive = false;
}

// ---- TBubbles -----------------------------------------------------------

TBubbles::TBubbles() = default;

TBubbles::~TBubbles() { delete MissedDisplay.data(); }

int TBubbles::AreaHeight() const { return BubbleStg ? BubbleStg->GameArea->height() : 322; }
int TBubbles::AreaWidth() const { return BubbleStg ? BubbleStg->GameArea->width() : 500; }

void TBubbles::Show() {
  TCustomGameEvent::Show();
  RingCount = RingPos = RingSum = 0;
  GameLevel = 1.0f;
  Missed = 0;
  ColumnCount = kBubbleColumns;
  LaunchInterval = 2.0f;
  LastLaunch = qx::Steady();
  AirInterval = 0.8f;
  LastAir = qx::Steady();
  Keys.clear();
  // A blank bubble could never be typed away.
  for (char c : KnownKeys)
    if (static_cast<unsigned char>(c) > 32) Keys += c;
  if (Keys.empty()) Keys = kBubbleDefaultKeys;
  Keys = Cut255(Keys);
  PointsDivisor = Keys.size() < 7 ? 4 : Keys.size() >= 10 ? 1 : 2;
  TickInterval = 100;
  ColumnLetters.assign(size_t(kBubbleColumns), char(kNoLetter));

  QWidget* page = Page();
  if (page && BubbleStg && EventsStg) {
    AddControl(BubbleStg->Panel1, page);
    BubbleStg->Panel1->show();
    BubbleStg->Panel1->lower();
    AddControl(EventsStg->LeftConsole, page);
    const QRect area = BubbleStg->GameArea->geometry();
    EventsStg->LeftConsole->move(EventsStg->LeftConsole->x(), area.bottom() + 1);
  }
  Buffer = QImage(AreaWidth(), AreaHeight(), QImage::Format_RGB32);
  Paint(QRegion(Buffer.rect()));

  BubbleTimer = std::make_unique<QTimer>();
  BubbleTimer->setInterval(TickInterval);
  QObject::connect(BubbleTimer.get(), &QTimer::timeout, Context(), [this] { BubbleTick(); });
  qx::Random().SeedFromClock();
  Columns.clear();
  const int spacing = AreaWidth() / 10 - 10;
  for (int i = 0; i < kBubbleColumns; ++i) {
    auto bubble = std::make_unique<Tbubble>();
    bubble->X = i * spacing + 5;
    Columns.push_back(std::move(bubble));
  }
  ShowMessage("Press any key", "to begin.", 150, 150);
  if (page && EventsStg && BubbleStg) {
    EventsStg->MissedTitle->show();
    EventsStg->GameScreen->setGeometry(87, 387, 137, 31);
    EventsStg->GameScreen->show();
    EventsStg->GameScreen->raise();
    EventsStg->MissedTitle->raise();
    MissedDisplay = new TMissedLcd(page);
    MissedDisplay->SetColor(0x000000);
    MissedDisplay->SetPictures(BubbleStg->BubbleOff, BubbleStg->BubbleOn);
    MissedDisplay->SetLamps(kBubbleMissLimit);
    MissedDisplay->SetLit(0);
    MissedDisplay->move(87 + 6, 387 + 5);
    MissedDisplay->show();
    MissedDisplay->raise();
  }
}

void TBubbles::Hide() {
  if (BubbleTimer) BubbleTimer->stop();
  if (KeyStats) KeyStats->Commit();
  TCustomGameEvent::Hide();
  // A page left before the first key is no game.
  if (started_) EnterTopTen("bubbles");
  if (BubbleStg) BubbleStg->GameArea->Clear(Qt::white);
  delete MissedDisplay.data();
  if (EventsStg) {
    EventsStg->GameScreen->hide();
    EventsStg->MissedTitle->hide();
    EventsStg->LeftConsole->setGeometry(kLeftConsoleHome);
  }
  if (BookForm) BookForm->ReleaseKeys();
  Buffer = QImage();
  Columns.clear();
  AirBubbles.clear();
}

void TBubbles::Start() {
  TCustomGameEvent::Start();
  started_ = true;
  if (BubbleTimer) BubbleTimer->start();
  StartTime = qx::Steady();
}

void TBubbles::Pause() {
  if (BubbleTimer) BubbleTimer->stop();
  TCustomGameEvent::Pause();
}

void TBubbles::Complete() {
  if (BubbleTimer) BubbleTimer->stop();
  TCustomGameEvent::Complete();
}

void TBubbles::KeyPress(QObject* sender, unsigned char& key) {
  TCustomGameEvent::KeyPress(sender, key);
  if (!key || State == kStateCompleted) return;
  // Before play, and after a pause, a key only (re)starts the game.
  if (State == kStateReady || State == kStatePaused) {
    if (key < 32) return;
    key = 0;
    Start();
    return;
  }
  if (key < 32) return;
  const unsigned char c = key;
  key = 0;
  QRegion dirty;
  bool burst = false;
  for (int p = 0; p < ColumnCount && p < int(Columns.size()); ++p) {
    if (static_cast<unsigned char>(ColumnLetters[size_t(p)]) != c) continue;
    Tbubble& bubble = *Columns[size_t(p)];
    burst = true;
    ColumnLetters[size_t(p)] = char(kNoLetter);
    dirty += bubble.Bounds();
    bubble.Deactivate();
    const int b = bubble.BubbleKind == 3 ? 13 : bubble.BubbleKind == 2 ? 8 : 3;
    int score = Score + (2 * int(GameLevel) + b) / PointsDivisor;
    if (score > 31000) score = kBubbleScoreCap;
    SetScore(score);
    if (!WrongKey && KeyStats) KeyStats->RecordKey(c, false);
    WrongKey = false;
    UpdateLevel(bubble.Y);
  }
  if (burst) {
    Paint(dirty);
    return;
  }
  if (BubbleTimer && BubbleTimer->isActive()) {
    PlaySound(kSoundError);
    SetScore(std::max(0, Score - 2 * int(GameLevel)));
    WrongKey = true;
  }
}

void TBubbles::UpdateLevel(int height) {
  RingPos = RingPos >= 4 ? 1 : RingPos + 1;
  if (RingCount == 4) RingSum -= Ring[size_t(RingPos)];
  RingCount = std::min(RingCount + 1, 4);
  Ring[size_t(RingPos)] = height;
  RingSum += height;
  RingAverage = int(std::lround(double(RingSum) / RingCount));
  const int h = AreaHeight();
  if (RingAverage > h - 80)
    GameLevel += 0.5f + 0.005f * float(RingAverage - h);
  else if (RingAverage > h - 120)
    GameLevel += 0.07f;
  else
    GameLevel += 0.008f;
  GameLevel = std::max(GameLevel, 1.0f);
  LaunchInterval = 1.5f - (0.95f / 9.0f) * (GameLevel - 1.0f);
}

void TBubbles::ChooseLetter(int p) {
  const int n = int(Keys.size());
  if (n == 0 || p < 0 || p >= int(Columns.size())) return;
  auto shown = [this](char c) { return ColumnLetters.find(c) != std::string::npos; };
  const int s = 1 + qx::Random().Below(n);
  const bool upward = qx::Random().Uniform() > 0.5;
  char letter = 0;
  for (int pass = 0; pass < 2 && !letter; ++pass) {
    const bool up = pass == 0 ? upward : !upward;
    for (int i = s; i >= 1 && i <= n; i += up ? 1 : -1)
      if (!shown(Keys[size_t(i - 1)])) {
        letter = Keys[size_t(i - 1)];
        break;
      }
  }
  if (!letter) letter = Keys[size_t(qx::Random().Below(n))];
  ColumnLetters[size_t(p)] = letter;
  Columns[size_t(p)]->Letter = static_cast<unsigned char>(letter);
}

void TBubbles::Launch(int p) {
  Tbubble& bubble = *Columns[size_t(p)];
  const int base = BaseStep(GameLevel);
  const int r = qx::Random().Below(10);
  int step = base;
  if (r >= 8) {
    // Now and then, once the game is going, a big maroon bubble is worth
    // more than a blue one.
    const bool big = GameLevel >= 3.0f && qx::Random().Below(4) == 0;
    bubble.BubbleKind = big ? 3 : 2;
    bubble.Size = big ? 50 : 45;
    step = int(std::lround((big ? 1.5 : 1.2) * base));
  } else {
    bubble.BubbleKind = 1;
    bubble.Size = 40;
  }
  bubble.Launch(step, AreaHeight());
  ChooseLetter(p);
  LastLaunch = qx::Steady();
}

void TBubbles::BubbleTick() {
  Tick();
  if (State != kStateRunning) return;
  const double now = qx::Steady();
  const bool launchDue = (now - LastLaunch) * 100000.0 > LaunchInterval;
  QRegion dirty;
  std::vector<int> freeColumns;
  for (int p = 0; p < int(Columns.size()); ++p) {
    Tbubble& bubble = *Columns[size_t(p)];
    if (!bubble.Alive) {
      freeColumns.push_back(p);
      continue;
    }
    dirty += bubble.Bounds();
    bubble.Move(1.0);
    dirty += bubble.Bounds();
    if (bubble.Alive) continue;
    UpdateLevel(-30);
    ColumnLetters[size_t(p)] = char(kNoLetter);
    ++Missed;
    if (MissedDisplay) MissedDisplay->SetLit(Missed);
    if (Missed >= kBubbleMissLimit) {
      Complete();
      Paint(dirty);
      return;
    }
    PlaySound(kSoundEscaped);
  }
  if (launchDue && !freeColumns.empty()) {
    const int p = freeColumns[size_t(qx::Random().Below(int(freeColumns.size())))];
    Launch(p);
    dirty += Columns[size_t(p)]->Bounds();
  }
  if ((now - LastAir) * 100000.0 > AirInterval) {
    auto air = std::make_unique<Tbubble>();
    air->IsAir = true;
    air->Size = 4 + qx::Random().Below(5);
    air->X = qx::Random().Below(AreaWidth() - air->Size);
    air->Launch(air->Size - 2, AreaHeight());
    AirBubbles.push_back(std::move(air));
    LastAir = now;
  }
  for (auto& air : AirBubbles) {
    dirty += air->Bounds();
    air->Move(1.0);
    dirty += air->Bounds();
  }
  AirBubbles.erase(std::remove_if(AirBubbles.begin(), AirBubbles.end(), [](const auto& b) { return !b->Alive; }),
                   AirBubbles.end());
  Paint(dirty);
}

void TBubbles::Paint(const QRegion& dirty) {
  if (Buffer.isNull()) return;
  Buffer.fill(qx::ToQColor(kWater));
  QPainter p(&Buffer);
  p.setRenderHint(QPainter::Antialiasing);
  for (const auto& air : AirBubbles)
    if (air->Alive) DrawBubble(p, *air);
  for (const auto& bubble : Columns)
    if (bubble->Alive) DrawBubble(p, *bubble);
  p.end();
  if (BubbleStg) BubbleStg->GameArea->ShowBuffer(Buffer, dirty);
}

void TBubbles::DrawBubble(QPainter& p, const Tbubble& b) const {
  if (b.IsAir) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(qx::ToQColor(b.Size < 6 ? 0xFF0000 : 0x800000), 1));
    p.drawEllipse(QRect(b.X, b.Y, b.Size, b.Size));
    return;
  }
  uint32_t fill = 0xC0DCC0, ink = 0x000000, rim = 0x808080;
  if (b.BubbleKind == 3) {
    fill = rim = 0x000080;
    ink = 0xFFFFFF;
  } else if (b.BubbleKind == 2) {
    fill = rim = 0x800000;
    ink = 0xFFFFFF;
  }
  QRect r(b.X + 1, b.Y, b.Size, b.Size);
  if (b.Phase == 1) r.adjust(1, -1, -1, 1);
  if (b.Phase == 3) r.adjust(-1, 1, 1, -1);
  QRadialGradient shine(r.left() + r.width() * 0.35, r.top() + r.height() * 0.3, r.width() * 0.7);
  shine.setColorAt(0, qx::ToQColor(fill).lighter(135));
  shine.setColorAt(1, qx::ToQColor(fill));
  p.setBrush(shine);
  p.setPen(QPen(qx::ToQColor(rim), 1.2));
  p.drawEllipse(r);
  if (!b.Letter) return;
  const QFont font = qx::PointFont(QStringLiteral("Times New Roman"), 16, true);
  p.setFont(font);
  p.setPen(qx::ToQColor(ink));
  const QFontMetrics fm(font);
  const QString text = qx::ToQt(std::string(1, char(b.Letter)));
  const int left = b.X + (b.Size - fm.horizontalAdvance(text)) / 2;
  const int top = b.Y + (b.Size - fm.height()) / 2;
  p.drawText(left, top + fm.ascent(), text);
}
