// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QtTest/QTest>

#include "engine/Finger.h"
#include "engine/KeyData.h"
#include "engine/Keyboard.h"

namespace {

// A US row set with one Alt Gr character ("q" types "@" with Alt Gr).
TKeyData Layout() {
  TKeyData keys;
  keys.LoadLayoutLines({"`~ 1! 2@ 3# 4$ 5% 6^ 7& 8* 9( 0) -_ =+", "qQ@ wW eE rR tT yY uU iI oO pP [{ ]}",
                        "aA sS dD fF gG hH jJ kK lL ;: '\" \\|", "\xA4 zZ xX cC vV bB nN mM ,< .> /?"});
  return keys;
}

// Remembers what each paint covered.
class WatchedKeyboard : public TKeyboard {
 public:
  using TKeyboard::TKeyboard;
  QRegion painted;

 protected:
  void paintEvent(QPaintEvent* event) override {
    painted += event->region();
    TKeyboard::paintEvent(event);
  }
};

}  // namespace

TEST(Keyboard, GeometryOfTheDrillsKeyboard) {
  const TKeyboard::Geometry g = TKeyboard::Layout(QSize(502, 170));
  EXPECT_EQ(g.KeyWidth, 32);
  EXPECT_EQ(g.KeyHeight, 33);
  const int full = 15 * 33;
  struct Case {
    int key;
    QRect rect;
  };
  const Case cases[] = {
      {1, QRect(0, 0, 32, 33)},
      {13, QRect(12 * 33, 0, 32, 33)},
      {kKeyBackSpace, QRect(13 * 33, 0, full - 1 - 13 * 33, 33)},
      {kKeyTab, QRect(0, 34, 47, 33)},
      {14, QRect(48, 34, 32, 33)},
      {kKeyCapsLock, QRect(0, 68, 56, 33)},
      {26, QRect(57, 68, 32, 33)},
      {kKeyLeftShift, QRect(0, 102, 40, 33)},
      {38, QRect(41, 102, 32, 33)},
      {kKeyBottomLeft, QRect(0, 136, 48, 33)},
      {kKeyBottomRight, QRect(full - 48, 136, 48, 33)},
      {kKeySpace, QRect((full - 224) / 2, 136, 224, 33)},
      {kKeyAltGr, QRect((full - 224) / 2 + 225, 136, 48, 33)},
      {kKeyLeftOfSpace, QRect((full - 224) / 2 - 49, 136, 48, 33)},
  };
  for (const Case& c : cases) EXPECT_EQ(g.Rects[size_t(c.key)], c.rect) << "key " << c.key;
  // Enter spans rows 2 and 3 up to the right edge.
  EXPECT_EQ(g.Rects[kKeyEnter].top(), 34);
  EXPECT_EQ(g.Rects[kKeyEnter].height(), 67);
  EXPECT_EQ(g.Rects[kKeyEnter].right(), full - 2);
  EXPECT_EQ(g.Rects[kKeyRightShift].right(), full - 2);
}

TEST(Keyboard, KeysNeverOverlapAtAnySize) {
  const TKeyData keys = Layout();
  for (QSize size : {QSize(502, 170), QSize(300, 100), QSize(1000, 340), QSize(150, 60)}) {
    TKeyboard keyboard(nullptr, &keys);
    keyboard.resize(size);
    for (int a = 1; a <= kKeyboardKeys; ++a) {
      const QRect ra = keyboard.KeyRect(a);
      if (ra.isEmpty()) continue;
      EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(ra)) << "key " << a << " at " << size.width();
      for (int b = a + 1; b <= kKeyboardKeys; ++b) {
        // Enter's bounding box takes in the corner beside key 37.
        if (a == 37 && b == kKeyEnter) continue;
        EXPECT_FALSE(ra.intersects(keyboard.KeyRect(b))) << a << " and " << b << " at " << size.width();
      }
    }
    // Every key answers the mouse as itself at its centre.
    for (int key = 1; key <= kKeyboardKeys && size.width() >= 300; ++key)
      if (key != kKeyEnter) EXPECT_EQ(keyboard.KeyAt(keyboard.KeyRect(key).center()), key);
  }
}

TEST(Keyboard, HighlightsTheKeyWithTheShiftOfTheOtherHandOrAltGr) {
  const TKeyData keys = Layout();
  TKeyboard keyboard(nullptr, &keys);
  keyboard.resize(502, 170);
  struct Case {
    const char* current;
    const char* other;
    std::vector<int> toPress;
    std::vector<int> wrong;
  };
  const Case cases[] = {
      {"f", "", {29}, {}},
      {"F", "", {29, kKeyRightShift}, {}},
      {"J", "", {32, kKeyLeftShift}, {}},
      {"A", "s", {26, kKeyRightShift}, {27}},
      {"@", "", {14, kKeyAltGr}, {}},
      {" ", "\r", {kKeySpace}, {kKeyEnter}},
      {"", "", {}, {}},
  };
  for (const Case& c : cases) {
    keyboard.ShowKeys(c.current, c.other);
    for (int key = 1; key <= kKeyboardKeys; ++key) {
      int want = kKeyNormal;
      for (int k : c.toPress) want = k == key ? kKeyToPress : want;
      for (int k : c.wrong) want = k == key ? kKeyWrong : want;
      EXPECT_EQ(keyboard.State(key), want) << "key " << key << " for \"" << c.current << "\"";
    }
  }
}

TEST(Keyboard, RepaintsOnlyTheKeysThatChange) {
  const TKeyData keys = Layout();
  WatchedKeyboard keyboard(nullptr, &keys);
  keyboard.resize(502, 170);
  keyboard.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&keyboard));
  QApplication::processEvents();
  auto paintedAfter = [&](const std::function<void()>& change) {
    keyboard.painted = QRegion();
    change();
    QApplication::processEvents();
    return keyboard.painted;
  };
  auto near = [&](std::initializer_list<int> list) {
    QRegion region;
    for (int key : list) region += keyboard.KeyRect(key).adjusted(-1, -1, 1, 1);
    return region;
  };
  EXPECT_EQ(paintedAfter([&] { keyboard.ShowKeys("F", ""); }) - near({29, kKeyRightShift}), QRegion());
  EXPECT_EQ(paintedAfter([&] { keyboard.ShowKeys("F", ""); }), QRegion());
  EXPECT_EQ(paintedAfter([&] { keyboard.ShowPressed('d'); }) - near({28}), QRegion());
  EXPECT_EQ(paintedAfter([&] { keyboard.RevealKeys("dd"); }) - near({28}), QRegion());
  EXPECT_FALSE(paintedAfter([&] { keyboard.SetKeyState(kKeyEnter, kKeyToPress); })
                   .intersected(keyboard.KeyRect(37))
                   .isEmpty());
}

TEST(Keyboard, MousePressShowsTheKeyDownAndReportsIt) {
  const TKeyData keys = Layout();
  TKeyboard keyboard(nullptr, &keys);
  keyboard.resize(502, 170);
  keyboard.show();
  std::vector<std::pair<int, int>> clicks;
  keyboard.OnKeyClick = [&](int key, unsigned char c) { clicks.emplace_back(key, c); };
  QTest::mousePress(&keyboard, Qt::LeftButton, {}, keyboard.KeyRect(26).center());
  EXPECT_EQ(keyboard.PressedChar(), 'a');
  QTest::mouseRelease(&keyboard, Qt::LeftButton, {}, keyboard.KeyRect(26).center());
  EXPECT_EQ(keyboard.PressedChar(), 0);
  QTest::mouseClick(&keyboard, Qt::LeftButton, {}, keyboard.KeyRect(kKeySpace).center());
  QTest::mouseClick(&keyboard, Qt::LeftButton, {}, keyboard.KeyRect(kKeyEnter).topRight() + QPoint(-3, 3));
  QTest::mouseClick(&keyboard, Qt::LeftButton, {}, keyboard.KeyRect(kKeyBackSpace).center());
  // Between the keys nothing is pressed.
  QTest::mouseClick(&keyboard, Qt::LeftButton, {}, QPoint(keyboard.KeyRect(1).right() + 1, 5));
  const std::vector<std::pair<int, int>> want = {
      {26, 'a'}, {kKeySpace, ' '}, {kKeyEnter, 13}, {kKeyBackSpace, 8}};
  EXPECT_EQ(clicks, want);
}

TEST(Fingers, DrawTheMarkedFingersOverlayAtItsPlace) {
  TFingers fingers;
  QPixmap hands(400, 125);
  hands.fill(Qt::white);
  fingers.SetHands(hands);
  EXPECT_EQ(fingers.size(), QSize(400, 125));
  for (int n = 1; n <= 9; ++n) {
    QPixmap overlay(6, 6);
    overlay.fill(QColor(n * 20, 0, 0));
    fingers.SetFingerPicture(n, overlay);
  }
  for (int n : {1, 5, 9, 0}) {
    fingers.SetFinger(n);
    const QImage shot = fingers.grab().toImage();
    for (int m = 1; m <= 9; ++m) {
      const QPoint at = TFingers::OverlayOffset(m) + QPoint(3, 3);
      if (at.y() < 0) continue;
      EXPECT_EQ(shot.pixelColor(at) == QColor(m * 20, 0, 0), m == n) << "finger " << m << " with " << n;
    }
  }
}
