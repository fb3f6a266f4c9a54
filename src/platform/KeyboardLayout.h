// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// The active keyboard layout as a Windows layout identifier (eight
// hexadecimal digits, e.g. "0000040B" for Finnish).
namespace qx {

class IKeyboardLayout {
 public:
  virtual ~IKeyboardLayout() = default;
  // False where there is no keyboard to ask (no X11 display).
  virtual bool ActiveLayoutId(std::string& id) = 0;
};

// Without a display.
class NoKeyboardLayout final : public IKeyboardLayout {
 public:
  bool ActiveLayoutId(std::string&) override { return false; }
};

// A fixed answer, for tests.
class FixedKeyboardLayout final : public IKeyboardLayout {
 public:
  explicit FixedKeyboardLayout(std::string id) : id_(std::move(id)) {}
  bool ActiveLayoutId(std::string& id) override {
    id = id_;
    return !id_.empty();
  }

 private:
  std::string id_;
};

IKeyboardLayout& KeyboardLayout();
void InstallKeyboardLayout(IKeyboardLayout* layout);

// The Windows identifier of an XKB layout name ("us", "fi", "de", ...) with
// its variant; "00000000" for a layout the table does not know.
std::string XkbLayoutToWindowsId(const std::string& layout, const std::string& variant = {});

}  // namespace qx
