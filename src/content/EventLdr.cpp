// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/EventLdr.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/CodePage.h"
#include "storage/ToolBox.h"

namespace {

// A whole decimal number, blanks around it allowed.
bool ParseDecimal(const std::string& text, int& value) {
  const std::string t = TrimBlanks(text);
  if (t.empty()) return false;
  size_t digits = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (digits == t.size()) return false;
  for (size_t i = digits; i < t.size(); ++i)
    if (t[i] < '0' || t[i] > '9') return false;
  errno = 0;
  const long v = std::strtol(t.c_str(), nullptr, 10);
  if (errno != 0 || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

std::unique_ptr<TEventLoader> TEventLoader::Create(const std::string& descriptor) {
  const std::vector<std::string> fields = SplitFields(descriptor, "=;,");
  int weight = 0;
  if (fields.size() < 3 || !ParseDecimal(fields[2], weight)) return nullptr;
  auto loader = std::make_unique<TEventLoader>();
  loader->EventType = Cut255(qx::UpperCp1252(TrimBlanks(fields[1])));
  loader->DurationWeight = weight;
  loader->Descriptor = Cut255(descriptor);
  loader->AllowCancel = true;
  return loader;
}
