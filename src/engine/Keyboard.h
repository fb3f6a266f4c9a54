// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

class TKeyData;

// Keyboard key numbers: 1..48 the character keys, then the named keys.
constexpr int kKeyboardKeys = 59;
constexpr int kKeyLeftShift = 49;
constexpr int kKeyRightShift = 50;
constexpr int kKeyLeftOfSpace = 51;
constexpr int kKeyAltGr = 52;
constexpr int kKeySpace = 53;
constexpr int kKeyEnter = 54;
constexpr int kKeyTab = 55;
constexpr int kKeyCapsLock = 56;
constexpr int kKeyBottomLeft = 57;
constexpr int kKeyBottomRight = 58;
constexpr int kKeyBackSpace = 59;

// Key states: normal, the key to press now, the wrongly typed key.
constexpr int kKeyNormal = 0;
constexpr int kKeyToPress = 1;
constexpr int kKeyWrong = 2;

// The on-screen keyboard: a grid 15 key units wide and 5 rows high that
// highlights the keys to press and reveals the labels of the keys learned.
// Only keys whose look changes are repainted.
class TKeyboard : public QWidget {
  Q_OBJECT
 public:
  TKeyboard(QWidget* parent, const TKeyData* keyData);

  // The key rectangles of a keyboard of this size; index 0 is unused.
  struct Geometry {
    int KeyWidth = 0;
    int KeyHeight = 0;
    std::array<QRect, kKeyboardKeys + 1> Rects{};
  };
  static Geometry Layout(QSize size);

  // 48 + shiftState for character 0; -1 when there is no such key.
  int KeyNumber(unsigned char c, int shiftState) const;
  void ShowKeys(std::string_view currentKeys, std::string_view otherKeys);
  // specialKeys: bit s set for the named key 48 + s, s = 1..11.
  void SetKeys(std::string_view chars, unsigned specialKeys, int state);
  void SetKeyState(int key, int state);
  void ShowPressed(unsigned char c);
  void RevealKeys(std::string_view chars);
  void RevealAll();

  int State(int key) const { return Valid(key) ? states_[size_t(key)] : -1; }
  bool Revealed(int key) const { return Valid(key) && revealed_[size_t(key)]; }
  QRect KeyRect(int key) const { return Valid(key) ? Geo().Rects[size_t(key)] : QRect(); }
  int KeyWidth() const { return Geo().KeyWidth; }
  int KeyHeight() const { return Geo().KeyHeight; }
  unsigned char PressedChar() const { return pressedChar_; }
  // The key under a point, 0 for none.
  int KeyAt(QPoint point) const;

  const TKeyData* KeyData = nullptr;
  uint32_t FaceColor = 0xE6F4FB;  // revealed character keys, 0x00BBGGRR
  std::function<void(int key, unsigned char c)> OnKeyClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  static bool Valid(int key) { return key >= 1 && key <= kKeyboardKeys; }
  void RedrawKey(int key);
  // The character a mouse press on a key types, 0 for none.
  unsigned char CharOfKey(int key) const;
  void PaintKey(class QPainter& painter, int key) const;

  // A hidden widget hears of its new size only when shown, so the
  // geometry follows the size whenever it is asked for.
  const Geometry& Geo() const;

  mutable Geometry geometry_;
  mutable QSize laidOut_;
  std::array<int, kKeyboardKeys + 1> states_{};
  std::array<bool, kKeyboardKeys + 1> revealed_{};
  unsigned char pressedChar_ = 0;
};
