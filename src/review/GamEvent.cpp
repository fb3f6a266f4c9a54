// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/GamEvent.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/Diffkeys.h"
#include "engine/Viewcanv.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/QtDraw.h"
#include "platform/QtText.h"
#include "platform/Random.h"
#include "review/Builder.h"
#include "shell/Addviews.h"
#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/ChpViews.h"
#include "shell/Eventstg.h"
#include "shell/ZaroStg.h"
#include "storage/FileObj.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

// Slot 4 is played but never loaded: the landing stays silent.
constexpr int kSoundLanded = 4;
constexpr int kFirstFallInterval = 1000;
const QRect kLeftConsoleHome(50, 271, 500, 34);
constexpr int kScreen3Height = 105;

}  // namespace

// ---- TCustomGameEvent --------------------------------------------------

TCustomGameEvent::TCustomGameEvent() = default;
TCustomGameEvent::~TCustomGameEvent() = default;

void TCustomGameEvent::SetScore(int value) {
  Score = value;
  if (EventsStg) EventsStg->PointsLabel->setText(QString::number(value));
}

void TCustomGameEvent::Show() {
  TTimedEvent::Show();
  if (EventsStg) {
    EventsStg->Screen1->hide();
    EventsStg->PointsTitle->show();
    EventsStg->PointsLabel->show();
    EventsStg->SpeedTitle->hide();
    EventsStg->Screen3->resize(EventsStg->Screen3->width(), 40);
  }
  SetScore(0);
}

void TCustomGameEvent::Hide() {
  TTimedEvent::Hide();
  if (!EventsStg) return;
  // Back as the other steps expect the console.
  EventsStg->Screen1->show();
  EventsStg->PointsTitle->hide();
  EventsStg->PointsLabel->hide();
  EventsStg->Screen3->resize(EventsStg->Screen3->width(), kScreen3Height);
}

void TCustomGameEvent::Complete() {
  TTimedEvent::Complete();
  if (EventsStg) EventsStg->MsgLabel1->setText(QStringLiteral("Game over."));
}

void TCustomGameEvent::EnterTopTen(const std::string& table) {
  if (!TopTenView) return;
  TopTenView->EnterScore(table, User ? User->Name : std::string(), Score);
  if (ChapterView) ChapterView->LeftView = TopTenView;
}

// ---- ZaroZira rules ---------------------------------------------------

float ZaroLevelAfter(float level, int lastRow, int landed) {
  const int free = 9 - landed;
  if (lastRow == 11)
    level -= 2.5f;
  else if (lastRow < free - 5)
    level += 0.5f;
  else
    level += MapRange(float(free - lastRow) / float(free) * 100.0f, 0, 100, 0.1f, 0.5f);
  return std::clamp(level, 1.0f, 10.0f);
}

int ZaroFallInterval(float level, int n) {
  // Above about level 8.4 the straight line would stop the word; it keeps
  // falling at the pace of level 8.1 instead.
  const double f = std::max(1.3 - 0.175 * (double(level) - 1.0), 0.1);
  return std::max(1, int(std::lround(100.0 * f * (n + 4))));
}

// ---- TZaroZiraEvent ---------------------------------------------------

TZaroZiraEvent::TZaroZiraEvent() = default;

TZaroZiraEvent::~TZaroZiraEvent() { delete Bar.data(); }

void TZaroZiraEvent::CreateFromDescriptor(const std::string& descriptor) {
  TCustomGameEvent::CreateFromDescriptor(descriptor);
  VocabularyName = Cut255(TrimBlanks(Field(4)));
  Bar = MakeControl<TWordViewCanvas>();
}

const std::string& TZaroZiraEvent::FallingWord() const {
  static const std::string none;
  return Words.empty() ? none : Words[size_t(WordIndex) % Words.size()];
}

bool TZaroZiraEvent::LoadWords() {
  if (!Vocabulary.empty()) {
    Words = Vocabulary;
    return true;
  }
  std::string name = VocabularyName;
  // A step without a vocabulary plays one of those shipped.
  if (name.empty()) {
    const std::vector<std::string> found = qx::FindFiles("*.vcb");
    if (!found.empty()) name = found[size_t(qx::Random().Below(int(found.size())))];
  } else if (!qx::FileExists(name) && name.find('.') == std::string::npos) {
    name += ".vcb";
  }
  if (!LoadVocabulary(name, Words) || Words.empty()) return false;
  ShuffleList(Words);
  return true;
}

void TZaroZiraEvent::Show() {
  TCustomGameEvent::Show();
  QWidget* page = Page();
  if (page && ZaroZiraStg && EventsStg) {
    AddControl(ZaroZiraStg->Zaro, page);
    AddControl(ZaroZiraStg->ScoreLabel, page);
    ZaroZiraStg->ScoreLabel->setText(QStringLiteral("0"));
    ZaroZiraStg->Level->setText(QStringLiteral("1.0"));
    AddControl(EventsStg->LeftConsole, page);
    EventsStg->LeftConsole->move(EventsStg->LeftConsole->x(), 335);
    EventsStg->GameScreen->setGeometry(140, 380, 220, 37);
    EventsStg->GameScreen->show();
    EventsStg->GameScreen->raise();
  }
  if (Bar && EventsStg) {
    const QRect screen = EventsStg->GameScreen->geometry();
    Bar->setGeometry(screen.left() + 7, screen.top() + 4, 200, 32);
    Bar->setFont(qx::PointFont(QStringLiteral("Times New Roman"), 16, true));
    Bar->SetColor(0x000000);
    Bar->HighlightColor = 0x00FFFF;
    Bar->CursorTextColor = 0x00FFFF;
    Bar->CursorMarkColor = 0x00FFFF;
    Bar->TextColor = 0x00FF00;
    Bar->UnderlineColor = 0x800000;
    Bar->DoneColor = 0x008000;
    Bar->show();
    Bar->raise();
  }
  Landed.clear();
  SpeedLevel = 1.0f;
  Started = false;
  RowColor = 0xFFFFFF;
  drawn_.fill("?");
  ZaroZiraTimer = std::make_unique<QTimer>();
  ZaroZiraTimer->setInterval(kFirstFallInterval);
  QObject::connect(ZaroZiraTimer.get(), &QTimer::timeout, Context(), [this] { FallStep(); });
  ShowMessage("Type the word in bar", "to begin.", 220, 130);

  if (!LoadWords()) {
    qx::ShowError("ZaroZira: " + VocabularyName + " cannot be loaded, game cancelled.");
    SetResult(kResultCancelled);
    return;
  }
  WordIndex = 0;
  if (Bar) Bar->SetWord(Words[0]);
  FallRow = 1;
  CharPos = 1;
  GameOver = false;
  GameState = kZaroRunning;
  DrawRows();
}

void TZaroZiraEvent::Hide() {
  const bool left = Started && !ended_;
  if (ZaroZiraTimer) ZaroZiraTimer->stop();
  if (KeyStats) KeyStats->Commit();
  if (EventsStg) {
    EventsStg->GameScreen->hide();
    EventsStg->LeftConsole->setGeometry(kLeftConsoleHome);
  }
  if (Bar) Bar->hide();
  if (BookForm) BookForm->ReleaseKeys();
  GameOver = true;
  Started = false;
  // A game left before its end still enters the points it made.
  if (left) {
    ended_ = true;
    EnterTopTen("zarozira");
  }
  TCustomGameEvent::Hide();
}

void TZaroZiraEvent::Start() {
  TCustomGameEvent::Start();
  if (ZaroZiraTimer && !GameOver) ZaroZiraTimer->start();
}

void TZaroZiraEvent::Pause() {
  if (ZaroZiraTimer) ZaroZiraTimer->stop();
  TCustomGameEvent::Pause();
}

void TZaroZiraEvent::Complete() {
  if (ZaroZiraTimer) ZaroZiraTimer->stop();
  TCustomGameEvent::Complete();
}

void TZaroZiraEvent::TimeUp() {
  GameOver = true;
  EndGame();
}

void TZaroZiraEvent::FallStep() {
  if (GameOver || State != kStateRunning || Words.empty()) return;
  const int landed = int(Landed.size());
  if (FallRow > 0) Rows[size_t(FallRow)].clear();
  ++FallRow;
  if (FallRow > kZaroRows - landed) {
    FallRow = 0;
    Landed.push_back(FallingWord());
    LastRow = 11;
    if (int(Landed.size()) >= kZaroLandedLimit) {
      GameState = kZaroColumnFull;
    } else {
      PlaySound(kSoundLanded);
      GameState = kZaroNextWord;
    }
  } else {
    Rows[size_t(FallRow)] = FallingWord();
    DrawRows();
  }
  RunState();
}

void TZaroZiraEvent::RunState() {
  if (GameState == kZaroNextWord) NextWord();
  if (GameState == kZaroColumnFull) GameOver = true;
  GameState = kZaroRunning;
  if (GameOver) EndGame();
}

void TZaroZiraEvent::NextWord() {
  WordIndex = WordIndex + 1 >= int(Words.size()) ? 0 : WordIndex + 1;
  FallRow = 1;
  CharPos = 1;
  if (Bar) Bar->SetWord(FallingWord());
  DrawRows();
  UpdateLevel();
  if (ZaroZiraTimer) {
    ZaroZiraTimer->stop();
    ZaroZiraTimer->setInterval(ZaroFallInterval(SpeedLevel, int(FallingWord().size())));
    if (State == kStateRunning) ZaroZiraTimer->start();
  }
}

void TZaroZiraEvent::UpdateLevel() {
  SpeedLevel = ZaroLevelAfter(SpeedLevel, LastRow, int(Landed.size()));
  if (ZaroZiraStg) ZaroZiraStg->Level->setText(QString::number(double(SpeedLevel), 'f', 1));
}

void TZaroZiraEvent::EndGame() {
  if (ended_) return;
  ended_ = true;
  GameOver = true;
  if (ZaroZiraTimer) ZaroZiraTimer->stop();
  if (State != kStateCompleted) Complete();
  EnterTopTen("zarozira");
}

void TZaroZiraEvent::KeyPress(QObject* sender, unsigned char& key) {
  TCustomGameEvent::KeyPress(sender, key);
  if (key < 32 || GameOver || State == kStateCompleted || FallRow == 0 || Words.empty()) return;
  const unsigned char c = key;
  key = 0;
  if (!Started) {
    Started = true;
    Start();
  } else if (State == kStatePaused) {
    Start();  // typing goes on with the game
  }
  const std::string& word = FallingWord();
  const auto expected = static_cast<unsigned char>(word[size_t(CharPos - 1)]);
  if (c != expected) {
    PlaySound(kSoundError);
    if (KeyStats) KeyStats->RecordKey(expected, true);
    return;
  }
  if (KeyStats) KeyStats->RecordKey(c, false);
  ++CharPos;
  if (Bar) Bar->Advance();
  if (CharPos == int(word.size()) + 1) {
    GameState = kZaroNextWord;
    SetScore(Score + int(SpeedLevel) * 10);
    if (ZaroZiraStg) ZaroZiraStg->ScoreLabel->setText(QString::number(Score));
    LastRow = FallRow;
    DrawRows();
  } else {
    DrawRow(FallRow);
  }
  RunState();
}

void TZaroZiraEvent::DrawRows() {
  for (std::string& row : Rows) row.clear();
  if (FallRow > 0 && FallRow <= kZaroRows) Rows[size_t(FallRow)] = FallingWord();
  for (size_t i = 0; i < Landed.size() && i < size_t(kZaroRows); ++i) Rows[kZaroRows - i] = Landed[i];
  for (int n = 1; n <= kZaroRows; ++n) DrawRow(n);
}

void TZaroZiraEvent::DrawRow(int n) {
  if (n < 1 || n > kZaroRows || !ZaroZiraStg) return;
  TImage* picture = ZaroZiraStg->Row(n);
  const bool falling = n == FallRow;
  const std::string& text = Rows[size_t(n)];
  const std::string key = (falling ? "F" + std::to_string(CharPos) : text.empty() ? "E" : "L") + ":" + text;
  if (drawn_[size_t(n)] == key) return;  // unchanged: no repaint
  drawn_[size_t(n)] = key;

  QImage image(picture->size(), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  if (text.empty()) {
    p.fillRect(image.rect(), qx::ToQColor(RowColor));
  } else {
    p.fillRect(image.rect(), qx::ToQColor(RowColor));
    p.drawImage(0, 0, (falling ? ZaroZiraStg->Active : ZaroZiraStg->Inactive)->Bitmap());
    const QFont font = qx::PointFont(QStringLiteral("Times New Roman"), 14, true);
    p.setFont(font);
    const int baseline = 3 + QFontMetrics(font).ascent();
    if (falling) {
      const size_t typed = std::min(size_t(CharPos - 1), text.size());
      const QString done = qx::ToQt(text.substr(0, typed));
      p.setPen(QColor(0xff, 0x40, 0x30));
      p.drawText(18, baseline, done);
      p.setPen(Qt::white);
      p.drawText(18 + QFontMetrics(font).horizontalAdvance(done), baseline, qx::ToQt(text.substr(typed, 150)));
    } else {
      p.setPen(qx::ToQColor(0x808080));
      p.drawText(18, baseline, qx::ToQt(text));
    }
  }
  p.end();
  picture->SetBitmap(image);
}
