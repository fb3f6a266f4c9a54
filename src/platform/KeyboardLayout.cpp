// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyboardLayout.h"

#include <cstring>

namespace qx {
namespace {

NoKeyboardLayout g_none;
IKeyboardLayout* g_layout = &g_none;

struct XkbEntry {
  const char* layout;
  const char* id;
};

constexpr XkbEntry kXkbTable[] = {
    {"us", "00000409"}, {"gb", "00000809"}, {"ie", "00001809"}, {"au", "00000C09"},
    {"ca", "00001009"}, {"fi", "0000040B"}, {"se", "0000041D"}, {"no", "00000414"},
    {"dk", "00000406"}, {"is", "0000040F"}, {"de", "00000407"}, {"at", "00000C07"},
    {"ch", "00000807"}, {"fr", "0000040C"}, {"be", "0000080C"}, {"nl", "00000413"},
    {"es", "0000040A"}, {"latam", "0000080A"}, {"pt", "00000816"}, {"br", "00000416"},
    {"it", "00000410"}, {"hu", "0000040E"}, {"pl", "00000415"}, {"cz", "00000405"},
    {"sk", "0000041B"}, {"si", "00000424"}, {"hr", "0000041A"}, {"ro", "00000418"},
    {"ru", "00000419"}, {"ua", "00000422"}, {"by", "00000423"}, {"bg", "00000402"},
    {"gr", "00000408"}, {"tr", "0000041F"}, {"ee", "00000425"}, {"lv", "00000426"},
    {"lt", "00000427"}, {"il", "0000040D"}, {"ara", "00000401"}, {"jp", "00000411"},
    {"kr", "00000412"}, {"cn", "00000804"}, {"tw", "00000404"}, {"th", "0000041E"},
    {"vn", "0000042A"}, {"in", "00000439"}, {"ir", "00000429"},
};

}  // namespace

IKeyboardLayout& KeyboardLayout() { return *g_layout; }

void InstallKeyboardLayout(IKeyboardLayout* layout) { g_layout = layout ? layout : &g_none; }

std::string XkbLayoutToWindowsId(const std::string& layout, const std::string& variant) {
  if (layout == "ch" && variant.rfind("fr", 0) == 0) return "0000100C";
  if (layout == "ca" && (variant.empty() || variant == "fr")) return "00000C0C";
  if (layout == "us" && variant == "dvorak") return "00010409";
  for (const auto& e : kXkbTable)
    if (layout == e.layout) return e.id;
  return "00000000";
}

}  // namespace qx
