// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "EventSandbox.h"
#include "engine/KeyData.h"

namespace qxtest {

// The exercise page with a keyboard layout: the US rows by default, with
// one Alt Gr character ("q" also types "@").
class DrillTest : public EventTest {
 protected:
  DrillTest() {
    keys.LoadLayoutLines({"`~ 1! 2@ 3# 4$ 5% 6^ 7& 8* 9( 0) -_ =+", "qQ@ wW eE rR tT yY uU iI oO pP [{ ]}",
                          "aA sS dD fF gG hH jJ kK lL ;: '\" \\|", "\xA4 zZ xX cC vV bB nN mM ,< .> /?"});
    KeyData = &keys;
  }
  ~DrillTest() override { KeyData = nullptr; }

  TKeyData keys;
};

}  // namespace qxtest
