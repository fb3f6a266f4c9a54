// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

#include "platform/KeyboardLayout.h"

namespace qx {
namespace {

std::string Nth(const std::string& list, int n) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    start = list.find(',', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  return list.substr(start, list.find(',', start) - start);
}

// rules, model, layouts, variants and options, as setxkbmap leaves them.
bool ReadRulesNames(Display* display, std::string& layouts, std::string& variants) {
  const Atom atom = XInternAtom(display, "_XKB_RULES_NAMES", True);
  if (atom == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1024, False, XA_STRING,
                         &type, &format, &count, &after, &data) != Success ||
      !data)
    return false;
  std::string fields[5];
  unsigned long pos = 0;
  for (int f = 0; f < 5 && pos < count; ++f) {
    const char* s = reinterpret_cast<const char*>(data) + pos;
    const size_t len = strnlen(s, count - pos);
    fields[f].assign(s, len);
    pos += len + 1;
  }
  XFree(data);
  layouts = fields[2];
  variants = fields[3];
  return !layouts.empty();
}

}  // namespace

bool ReadX11LayoutId(std::string& id) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  bool ok = false;
  XkbStateRec state{};
  std::string layouts, variants;
  if (XkbGetState(display, XkbUseCoreKbd, &state) == Success &&
      ReadRulesNames(display, layouts, variants)) {
    const std::string layout = Nth(layouts, state.group);
    if (!layout.empty()) {
      id = XkbLayoutToWindowsId(layout, Nth(variants, state.group));
      ok = true;
    }
  }
  XCloseDisplay(display);
  return ok;
}

}  // namespace qx
