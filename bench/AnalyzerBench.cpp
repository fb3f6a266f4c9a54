// SPDX-License-Identifier: GPL-3.0-or-later
// Word-end analysis: the four error percentages, the choice of the word
// meant and the key attribution, on a paragraph typed right and wrong.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/Analyzer.h"
#include "engine/Diffkeys.h"
#include "storage/ToolBox.h"

namespace {

const char kText[] =
    "Touch typing means that the fingers find every key without the eyes, "
    "because each finger keeps to its own column and returns to the home row "
    "after every stroke. Practising a little every day builds the habit faster "
    "than one long session once a week, and accuracy should always come before "
    "speed: a steady rhythm with few corrections is what makes typists efficient.";

std::vector<std::string> Words() {
  std::vector<std::string> words;
  std::string token;
  for (size_t pos = GetToken(kText, 0, token); !token.empty(); pos = GetToken(kText, pos, token))
    words.push_back(token);
  return words;
}

// The way students get words wrong, one per word in turn.
std::string Mistype(const std::string& w, int kind) {
  if (w.size() < 3) return w;
  std::string t = w;
  switch (kind % 6) {
    case 1: std::swap(t[1], t[2]); break;                               // swapped
    case 2: t.erase(1, 1); break;                                       // left out
    case 3: t.insert(2, 1, t[2]); break;                                // pressed twice
    case 4: t[0] = static_cast<char>(t[0] ^ 0x20); break;               // wrong case
    case 5: t = "xqzv" + t.substr(4 < t.size() ? 4 : t.size()); break;  // garbled
    default: break;
  }
  return t;
}

void RunWordEnds(benchmark::State& state, bool wrong) {
  const std::vector<std::string> words = Words();
  std::vector<std::string> typed;
  for (size_t i = 0; i < words.size(); ++i)
    typed.push_back(wrong ? Mistype(words[i], static_cast<int>(i)) : words[i]);
  const std::string none;
  TErrorFinder finder;
  TDifficultKeys keys;
  finder.Store = &keys;
  TEfficiencyCalc totals;
  for (auto _ : state) {
    for (size_t i = 0; i < words.size(); ++i) {
      const TWordMatch m =
          finder.MatchWord(typed[i], words[i], i + 1 < words.size() ? words[i + 1] : none,
                           i + 2 < words.size() ? words[i + 2] : none, i > 0 ? words[i - 1] : none);
      totals.AddWord(m);
      benchmark::DoNotOptimize(m);
    }
    keys.Commit();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(words.size()));
}

void BM_WordEndTypedRight(benchmark::State& state) { RunWordEnds(state, false); }
void BM_WordEndTypedWrong(benchmark::State& state) { RunWordEnds(state, true); }

void BM_ErrorPercentLongWord(benchmark::State& state) {
  const std::string model = "internationalisation";
  const std::string typed = "intenrationalsiaton";
  TErrorFinder finder;
  for (auto _ : state) benchmark::DoNotOptimize(finder.ErrorPercent(model, typed));
}

}  // namespace

BENCHMARK(BM_WordEndTypedRight);
BENCHMARK(BM_WordEndTypedWrong);
BENCHMARK(BM_ErrorPercentLongWord);
BENCHMARK_MAIN();
