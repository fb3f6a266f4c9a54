// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "content/Keybevnt.h"
#include "engine/Viewcanv.h"

namespace qxtest {

// The character a drill waits for; 0 when it waits for none.
inline unsigned char DrillExpects(TCustomKeyboardEvent* drill) {
  std::string text;
  if (auto* newKeys = dynamic_cast<TNewKeysEvent*>(drill))
    text = newKeys->Group.substr(size_t(newKeys->Position - 1), 1);
  else if (auto* word = dynamic_cast<TWordEvent*>(drill))
    text = word->WordCanvas ? word->WordCanvas->ExpectedText() : "";
  else
    text = drill->ModelCanvas->ExpectedText();
  return text.empty() ? 0 : static_cast<unsigned char>(text[0]);
}

}  // namespace qxtest
