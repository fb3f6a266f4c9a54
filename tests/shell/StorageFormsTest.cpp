// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "shell/ArtImage.h"
#include "shell/Bookfrm.h"
#include "shell/Eventstg.h"
#include "shell/Formview.h"
#include "shell/Generstg.h"
#include "shell/Main.h"

using qx::Picture;

namespace {

// Saves what the student would see when QX_RENDER_DIR names a folder.
void Save(QWidget* widget, const char* name) {
  const QByteArray dir = qgetenv("QX_RENDER_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  widget->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

// Stands in for the canvases the exercise events bring.
class Placeholder : public QWidget {
 public:
  Placeholder(QWidget* parent, const QRect& r, QColor fill, QString text, QColor ink)
      : QWidget(parent), fill_(fill), text_(std::move(text)), ink_(ink) {
    setGeometry(r);
    show();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), fill_);
    p.setPen(ink_);
    p.setFont(QFont(QStringLiteral("Times New Roman"), 14));
    p.drawText(rect().adjusted(8, 6, -8, -6), Qt::TextWordWrap, text_);
  }

 private:
  QColor fill_;
  QString text_;
  QColor ink_;
};

const QRect kModelCanvas(50, 20, 500, 250);

}  // namespace

TEST(StorageFormsTest, TheExercisePageFitsBesideTheModelText) {
  TBookForm book;
  TEventsStg events;
  EXPECT_EQ(EventsStg, &events);
  book.show();
  book.SetLayout(1);
  book.TitleConsole->hide();
  book.SetButtons(TBookForm::kNext | TBookForm::kCancel);
  book.SetConsolePicture(1);

  TFormView view;
  view.AddControl(events.RightConsole, book.WidePage);
  view.MoveControls(events.EventConsole, book.WidePage);
  view.AddControl(events.EventMsg, book.WidePage);
  view.AddControl(events.LeftConsole, book.WidePage);
  view.AddControl(events.TypingScreen, book.WidePage);
  const QRect page = book.WidePage->rect();
  for (QWidget* w : book.WidePage->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    SCOPED_TRACE(w->objectName().toStdString());
    EXPECT_TRUE(page.contains(w->geometry()));
    // The console stands right of the model text; only the message lies over it.
    if (w != events.EventMsg && w != events.LeftConsole && w != events.TypingScreen && w != events.GameScreen &&
        w != events.MissedTitle) {
      EXPECT_FALSE(w->geometry().intersects(kModelCanvas));
    }
  }
  EXPECT_EQ(events.LeftConsole->geometry().top(), kModelCanvas.bottom() + 2);
  EXPECT_TRUE(events.Screen3->geometry().contains(TEventsStg::kGraphRect));
  EXPECT_EQ(events.Screen3->height(), 105);
  EXPECT_EQ(events.TimeLabel->text(), QStringLiteral("00:00"));
  EXPECT_FALSE(events.EventMsg->isVisibleTo(book.WidePage));
  EXPECT_EQ(events.MsgLabel1->text(), QStringLiteral("Type the highlighted word"));
  EXPECT_EQ(events.MsgLabel2->text(), QStringLiteral("to begin"));
  for (QWidget* hidden : std::initializer_list<QWidget*>{events.SpeedTitle, events.SpeedTitle2, events.SpeedTitle3,
                                                         events.PointsTitle, events.PointsLabel,
                                                         events.CounterFrame, events.GameScreen})
    EXPECT_FALSE(hidden->isVisibleTo(book.WidePage)) << hidden->objectName().toStdString();
  // The button console must not cover the clock or the graph.
  const QRect console = book.BtnConsole->geometry().translated(-book.WidePage->pos());
  EXPECT_FALSE(console.intersects(events.Screen3->geometry()));
  EXPECT_FALSE(console.intersects(events.TypingScreen->geometry()));

  events.SpeedTitle->show();
  events.SpeedTitle2->show();
  events.SpeedTitle3->show();
  events.TimeGauge->SetRange(0, 100);
  events.TimeGauge->SetProgress(35);
  events.TimeLabel->setText(QStringLiteral("03:27"));
  Placeholder model(book.WidePage, kModelCanvas, Qt::white,
                    QStringLiteral("The quick brown fox jumps over the lazy dog. A journey of a thousand "
                                   "miles begins with a single step, and every word you type is one more "
                                   "step on the way."),
                    Qt::black);
  Placeholder typing(book.WidePage, events.TypingScreen->geometry().adjusted(5, 5, -5, -5), Qt::black,
                     QStringLiteral("The quick brown fox jumps"), QColor(0, 255, 0));
  Placeholder graph(book.WidePage, TEventsStg::kGraphRect, Qt::black, QString(), Qt::green);
  events.EventMsg->show();
  events.EventMsg->raise();
  Save(&book, "exercise.png");

  view.RestoreControls();
  EXPECT_EQ(events.RightConsole->parentWidget(), &events);
  EXPECT_EQ(events.TimeLabel->parentWidget(), events.EventConsole);
}

// Every state of the book paints a picture of its own: a state that
// paints nothing new (a panel left hidden, a page not repainted) shows up
// as a repeat of the one before.
TEST(StorageFormsTest, EachStateOfTheBookPaintsItsOwnPicture) {
  TBookForm book;
  std::vector<QImage> shots;
  auto shoot = [&](const char* name) {
    Save(&book, name);
    shots.push_back(book.grab().toImage());
    EXPECT_FALSE(shots.back().isNull()) << name;
    if (shots.size() > 1) {
      EXPECT_NE(shots.back(), shots[shots.size() - 2]) << name;
    }
  };
  book.show();
  book.SetLayout(0);
  book.LoadLabel->hide();
  for (QWidget* w : std::initializer_list<QWidget*>{book.LogLabel, book.NameField, book.LogOK, book.LogVisitor})
    w->show();
  book.NameField->setEditText(QStringLiteral("Anna Lindqvist"));
  shoot("cover.png");
  for (QWidget* w : std::initializer_list<QWidget*>{book.LogLabel, book.NameField, book.LogOK, book.LogVisitor})
    w->hide();
  book.NewUserLbl->setText(QStringLiteral("Anna Lindqvist, are you a new user?"));
  for (QWidget* w : std::initializer_list<QWidget*>{book.NewUserLbl, book.UserYes, book.UserCancel}) w->show();
  shoot("newuser.png");

  book.SetLayout(2);
  book.SetTitle("Lesson 3: The Home Row");
  book.SetButtons(TBookForm::kBeginB | TBookForm::kSkipF | TBookForm::kSkipB | TBookForm::kCancel);
  book.MenuGuided->hide();
  shoot("pages.png");

  book.resize(1100, 700);
  book.BackGround32->show();
  book.SetTitle("Studying Profile");
  book.SetButtons(TBookForm::kNext | TBookForm::kBack);
  book.HideSettings->show();
  shoot("maximised.png");
  EXPECT_TRUE(book.BackGround32->isVisible());
}

TEST(StorageFormsTest, FingerOverlaysLieOnTheHandsWhereTheFingersAre) {
  TEventsStg events;
  const QPoint places[] = {{4, 69}, {31, 25}, {53, 0}, {90, 13}, {275, 8}, {307, -4}, {335, 18}, {360, 52}, {221, 90}};
  const QRect hands(QPoint(0, 0), events.FingersPic->size());
  for (int n = 1; n <= 9; ++n) {
    TImage* finger = events.Finger(n);
    ASSERT_NE(finger, nullptr);
    EXPECT_EQ(finger->objectName(), QStringLiteral("Finger%1").arg(n));
    EXPECT_EQ(finger->pos(), places[n - 1]);
    // Each overlay lies on the hands picture, give or take the fingertips.
    EXPECT_TRUE(hands.adjusted(0, -4, 0, 0).contains(finger->geometry())) << n;
  }
  EXPECT_EQ(events.Finger(0), nullptr);
  EXPECT_EQ(events.Finger(10), nullptr);
  for (TImage* picture : {events.RightPic, events.WrongPic, events.LampOn, events.LampOff, events.FingersPic})
    EXPECT_FALSE(picture->Pixmap().isNull());
}

TEST(StorageFormsTest, TrendArrowFollowsTheChange) {
  TGeneralStg general;
  struct Case {
    bool second;
    float threshold, previous, current;
    TImage* expected;
  };
  const Case cases[] = {
      {false, 20, -1, 150, general.ClearPic},
      {false, 20, 150, 150, general.ArrowHorizontal},
      {false, 20, 150, 170, general.ArrowUp2},
      {false, 20, 150, 169, general.ArrowUp1},
      {false, 20, 150, 130, general.ArrowDown2},
      {false, 20, 150, 131, general.ArrowDown1},
      {false, -3, 10, 7, general.ArrowUp2},  // BackSpace: three points fewer is a big rise
      {false, -3, 10, 11, general.ArrowDown1},
      {true, 10, 80, 80, general.ArrowHorizontalb},
      {true, 10, 80, 95, general.ArrowUp2b},
      {true, 10, 80, 82, general.ArrowUp1b},
      {true, 10, 80, 60, general.ArrowDown2b},
      {true, 10, 80, 75, general.ArrowDown1b},
      {true, 10, -1, 75, general.ClearPic},
  };
  for (const Case& c : cases)
    EXPECT_EQ(general.TrendPicture(c.second, c.threshold, c.previous, c.current), c.expected)
        << c.threshold << " " << c.previous << " -> " << c.current;
  EXPECT_EQ(general.findChild<TImage*>(QStringLiteral("ArrowDown1b")), general.ArrowDown1b);
}

TEST(StorageFormsTest, FormsAreMadeOnFirstUseOnceAndNotAgainWhileTheProgramEnds) {
  int made = 0;
  {
    TProgramForms forms;
    EXPECT_EQ(GeneralStg.Existing(), nullptr);
    TGeneralStg* first = GeneralStg;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GeneralStg.get(), first);
    EXPECT_EQ(forms.General.get(), first);
    // A form made before its owner asked for it stays the one the global gives.
    TGeneralStg extra;
    EXPECT_EQ(GeneralStg.get(), first);
    // Reading a global from another form's destructor while the program
    // ends must not make a form that nobody frees.
    QObject::connect(first, &QObject::destroyed, [&made] { made += EventsStg.get() != nullptr; });
  }
  EXPECT_EQ(made, 0);
  EXPECT_EQ(GeneralStg.Existing(), nullptr);
  EXPECT_EQ(EventsStg.Existing(), nullptr);
}
