// SPDX-License-Identifier: GPL-3.0-or-later
// One drill keystroke on the on-screen keyboard: the key drawn down, the
// highlight moved to the next key with its Shift, the changed keys
// repainted, and the key released.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "engine/KeyData.h"
#include "engine/Keyboard.h"

namespace {

void BM_DrillKeystroke(benchmark::State& state) {
  TKeyData keys;
  keys.LoadLayoutLines({"`~ 1! 2@ 3# 4$ 5% 6^ 7& 8* 9( 0) -_ =+", "qQ wW eE rR tT yY uU iI oO pP [{ ]}",
                        "aA sS dD fF gG hH jJ kK lL ;: '\" \\|", "\xA4 zZ xX cC vV bB nN mM ,< .> /?"});
  TKeyboard keyboard(nullptr, &keys);
  keyboard.resize(502, 170);
  keyboard.RevealKeys("asdfghjkl;ASDFGHJKL:");
  keyboard.show();
  QApplication::processEvents();
  const std::string text = "Ask a lad, all flasks fall. ";
  size_t i = 0;
  for (auto _ : state) {
    const auto c = static_cast<unsigned char>(text[i]);
    i = (i + 1) % text.size();
    keyboard.ShowPressed(c);
    if (c != ' ' && (i % 5) == 0)
      keyboard.ShowKeys(std::string(1, text[i]), "x");  // a wrong key
    else
      keyboard.ShowKeys(std::string(1, text[i]), "");
    QApplication::processEvents();  // paints the changed keys
    keyboard.ShowPressed(0);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_DrillKeystroke);

}  // namespace
