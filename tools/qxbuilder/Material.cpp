// SPDX-License-Identifier: GPL-3.0-or-later
#include "Material.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <set>

namespace qxmaterial {
namespace {

constexpr int kWordsKind = 1, kSentenceKind = 2;
constexpr size_t kWordsPerBlock = 50, kMinWords = 40, kSentencesPerBlock = 12;

// A fixed sequence, so that every build writes the same files.
class Dice {
 public:
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  size_t Below(size_t n) { return n ? Next() % n : 0; }
  template <class T>
  const T& Pick(const std::vector<T>& v) { return v[Below(v.size())]; }

 private:
  uint32_t state_ = 20260101u;
};

bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string KnownAt(const std::vector<std::string>& groups, int lesson) {
  std::string known = " ";
  for (int i = 0; i < lesson && i < int(groups.size()); ++i) known += groups[i];
  return known;
}

bool TypedWith(const std::string& text, const std::string& known) {
  return std::all_of(text.begin(), text.end(), [&](char c) { return known.find(c) != std::string::npos; });
}

class Generator {
 public:
  Generator(const std::vector<std::string>& groups, const WordLists& lists) : groups_(groups), lists_(lists) {}

  std::vector<std::string> Words(char key, int lesson) {
    const std::string known = KnownAt(groups_, lesson);
    std::vector<std::string> out;
    std::set<std::string> seen;
    auto add = [&](const std::string& w) {
      // Comma drills get plain words: the word lines put the commas between them.
      const bool holdsKey = key == ',' || w.find(key) != std::string::npos;
      if (!w.empty() && out.size() < kWordsPerBlock && TypedWith(w, known) && holdsKey && seen.insert(w).second)
        out.push_back(w);
    };
    if (IsLetter(key)) {
      for (const std::string& w : Shuffled(All())) add(w);
      for (int tries = 0; out.size() < kMinWords && tries < 5000; ++tries) add(Syllables(key, known));
    } else if (IsDigit(key)) {
      for (int tries = 0; out.size() < kMinWords && tries < 5000; ++tries) add(Number(key, known, 1 + Below(4)));
    } else {
      const std::vector<std::string> plain = Usable(All(), known);
      for (int tries = 0; out.size() < kMinWords && tries < 5000; ++tries) {
        // Few real words this early: drill groups fill the block.
        const bool words = plain.size() >= 10 && tries < 1500;
        const std::string w = words ? dice_.Pick(plain) : Syllables(0, known);
        const std::string v = words ? dice_.Pick(plain) : Syllables(0, known);
        add(Decorate(key, w, v, known));
      }
    }
    return out;
  }

  std::vector<std::string> Sentences(char key, int lesson) {
    const std::string known = KnownAt(groups_, lesson);
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (int tries = 0; out.size() < kSentencesPerBlock && tries < 20000; ++tries) {
      // Dense first; looser once the dense ones run out.
      const int wanted = tries < 4000 ? 3 : tries < 10000 ? 2 : 1;
      std::string s = IsLetter(key) ? Clause(key, known, wanted, 0) : Special(key, known);
      if (s.empty() || s.size() > 80 || !TypedWith(s, known) || s.find(key) == std::string::npos) continue;
      if (seen.insert(s).second) out.push_back(s);
    }
    return out;
  }

 private:
  std::vector<std::string> All() const {
    std::vector<std::string> all;
    for (const auto* list : {&lists_.nouns, &lists_.verbs, &lists_.adjectives, &lists_.others})
      all.insert(all.end(), list->begin(), list->end());
    return all;
  }
  static std::vector<std::string> Usable(const std::vector<std::string>& words, const std::string& known) {
    std::vector<std::string> out;
    for (const std::string& w : words)
      if (TypedWith(w, known)) out.push_back(w);
    return out;
  }
  std::vector<std::string> Shuffled(std::vector<std::string> v) {
    for (size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[Below(i)]);
    return v;
  }
  size_t Below(size_t n) { return dice_.Below(n); }

  // A drill group of known letters with the key in it, for lessons too
  // early for real words.
  std::string Syllables(char key, const std::string& known) {
    std::string letters;
    for (char c : known)
      if (IsLetter(c)) letters += c;
    if (letters.empty()) return {};
    std::string w;
    const size_t length = 2 + Below(4);
    for (size_t i = 0; i < length; ++i) w += letters[Below(letters.size())];
    if (key) w[Below(w.size())] = key;
    return w;
  }
  std::string Number(char digit, const std::string& known, size_t length) {
    std::string digits;
    for (char c : known)
      if (IsDigit(c)) digits += c;
    if (digits.empty()) return {};
    std::string n;
    for (size_t i = 0; i < length; ++i) n += digits[Below(digits.size())];
    if (digit) n[Below(n.size())] = digit;
    if (n.size() > 1 && n[0] == '0') n[0] = digit && digit != '0' ? digit : '1';
    return n;
  }
  std::string AnyNumber(const std::string& known) { return Number(0, known, 1 + Below(3)); }

  std::string Decorate(char key, const std::string& w, const std::string& v, const std::string& known) {
    switch (key) {
      case ',': return w;
      case ';': case '.': case '?': case ':': case '!': return w + key;
      case '\'': return w + "'s";
      case '"': return "\"" + w + "\"";
      case '-': return w + "-" + v;
      case '&': return w + "&" + v;
      case '/': return w + "/" + v;
      case '@': return w + "@" + v;
      case '(': case ')': return "(" + w + ")";
      case '$': return "$" + AnyNumber(known);
      case '%': return AnyNumber(known) + "%";
      case '#': return "#" + AnyNumber(known);
      case '*': return AnyNumber(known) + "*" + AnyNumber(known);
      case '+': return AnyNumber(known) + "+" + AnyNumber(known);
      case '=': return w + "=" + AnyNumber(known);
      default: return {};
    }
  }

  // A word of a list for a slot of the sentence, with the key when it can.
  std::string Slot(const std::vector<std::string>& list, char key, const std::string& known, int& withKey) {
    const std::vector<std::string> usable = Usable(list, known);
    if (usable.empty()) return {};
    std::vector<std::string> keyed;
    for (const std::string& w : usable)
      if (key && w.find(key) != std::string::npos) keyed.push_back(w);
    if (!keyed.empty() && Below(10) < 7) {
      ++withKey;
      return dice_.Pick(keyed);
    }
    const std::string& w = dice_.Pick(usable);
    if (key && w.find(key) != std::string::npos) ++withKey;
    return w;
  }
  std::string Determiner(const std::string& next, const std::string& known) {
    static const std::vector<std::string> dets = {"a", "the", "my", "our", "his", "her", "one", "every",
                                                  "some", "this", "that", "your", "each", "no"};
    for (int i = 0; i < 20; ++i) {
      std::string d = dice_.Pick(dets);
      if (d == "a" && std::string("aeiou").find(next[0]) != std::string::npos) d = "an";
      if (TypedWith(d, known)) return d;
    }
    return {};
  }
  // "a red deer kisses a sad seal": a crazy sentence with at least
  // `wanted` words holding the key.
  std::string Clause(char key, const std::string& known, int wanted, int shortForm) {
    static const std::vector<std::string> templates = {"DANVDAN", "DNVDAN", "DANVDN", "DAANVDN"};
    const std::string shape = shortForm ? "DNVDN" : dice_.Pick(templates);
    std::vector<std::string> words;
    int withKey = 0;
    // Nouns and adjectives first, so that the determiners can follow them.
    for (char part : shape) {
      std::string w;
      if (part == 'N') w = Slot(lists_.nouns, key, known, withKey);
      if (part == 'V') w = Slot(lists_.verbs, key, known, withKey);
      if (part == 'A') w = Slot(lists_.adjectives, key, known, withKey);
      if (part != 'D' && w.empty()) return {};
      words.push_back(w);
    }
    if (withKey < wanted) return {};
    for (size_t i = 0; i < words.size(); ++i) {
      if (shape[i] != 'D') continue;
      words[i] = Determiner(words[i + 1], known);
      if (words[i].empty()) return {};
    }
    std::string s;
    for (const std::string& w : words) s += (s.empty() ? "" : " ") + w;
    return s;
  }
  std::string Noun(const std::string& known) {
    int unused = 0;
    return Slot(lists_.nouns, 0, known, unused);
  }
  std::string Verb(const std::string& known) {
    int unused = 0;
    return Slot(lists_.verbs, 0, known, unused);
  }
  std::string Adjective(const std::string& known) {
    int unused = 0;
    return Slot(lists_.adjectives, 0, known, unused);
  }
  // Sentences for a mark, a digit or a symbol: plain crazy clauses with
  // the key worked in two or three times.
  std::string Special(char key, const std::string& known) {
    bool failed = false;
    auto clause = [&] {
      std::string c = Clause(0, known, 0, 1);
      failed = failed || c.empty();
      return c;
    };
    std::string s = SpecialText(key, known, clause);
    return failed ? std::string() : s;
  }
  std::string SpecialText(char key, const std::string& known, const std::function<std::string()>& clause) {
    auto number = [&] { return Number(IsDigit(key) ? key : 0, known, 1 + Below(3)); };
    switch (key) {
      case ';': case ':': return clause() + key + " " + clause();
      case '.': return clause() + ". " + clause() + ". " + clause();
      case ',': return clause() + ", " + Adjective(known) + ", " + Adjective(known) + ", " + Adjective(known);
      case '?': return "is it true that " + clause() + "? really?";
      case '!': return clause() + "! " + clause() + "!";
      case '\'': return "the " + Noun(known) + "'s " + Noun(known) + " sees the " + Noun(known) + "'s " + Noun(known);
      case '"': return "the " + Noun(known) + " says \"" + Adjective(known) + "\" and \"" + Adjective(known) + "\"";
      case '-': return "the " + Adjective(known) + "-" + Adjective(known) + " " + Noun(known) + " and the " +
                       Adjective(known) + "-" + Adjective(known) + " " + Noun(known);
      case '$': return "the " + Noun(known) + " sells a " + Noun(known) + " for $" + number() + " or $" + number();
      case '%': return "the " + Noun(known) + " is " + number() + "% " + Adjective(known) + " and " + number() + "% " +
                       Adjective(known);
      case '&': return "the " + Noun(known) + " & the " + Noun(known) + " meet the " + Noun(known) + " & the " + Noun(known);
      case '(': case ')': return "the " + Noun(known) + " (" + Adjective(known) + ") sees a " + Noun(known) + " (" +
                                 Adjective(known) + ")";
      case '@': return "the " + Noun(known) + " mails " + Noun(known) + "@" + Noun(known);
      case '#': return "the " + Noun(known) + " is #" + number() + " and the " + Noun(known) + " #" + number();
      case '*': return "the " + Noun(known) + " counts " + number() + "*" + number() + " " + Noun(known) + "s";
      case '/': return "the " + Adjective(known) + "/" + Adjective(known) + " " + Noun(known) + " hugs a " + Noun(known) +
                       "/" + Noun(known);
      case '+': return "one " + Noun(known) + " + one " + Noun(known) + " + " + number() + " " + Noun(known) + "s";
      case '=': return "one " + Noun(known) + " = " + number() + " " + Noun(known) + "s = " + number() + " " + Noun(known) + "s";
      default:
        if (IsDigit(key))
          return Noun(known) + " " + number() + " " + Verb(known) + " the " + Noun(known) + " " + number() + " at " +
                 number();
        return {};
    }
  }

  const std::vector<std::string>& groups_;
  const WordLists& lists_;
  Dice dice_;
};

// Lessons whose word material differs for a key introduced at `intro`.
std::vector<int> Levels(int intro, const std::vector<int>& steps, int from) {
  std::vector<int> levels = {std::max(intro, from)};
  for (int s : steps)
    if (s > levels.front()) levels.push_back(s);
  std::reverse(levels.begin(), levels.end());  // the richest block first
  return levels;
}

}  // namespace

Material Build(const std::vector<std::string>& groups, const WordLists& lists) {
  Material m;
  Generator gen(groups, lists);
  std::set<char> done;
  auto add = [&](char key, int lesson, int kind, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    m.index.push_back({static_cast<unsigned char>(key), lesson, kind, int(m.lines.size()), int(lines.size())});
    m.lines.insert(m.lines.end(), lines.begin(), lines.end());
  };
  const int lessons = int(groups.size());
  for (int lesson = 1; lesson <= lessons; ++lesson) {
    for (char c : groups[lesson - 1]) {
      const char key = char(std::tolower(static_cast<unsigned char>(c)));
      if (key == ' ' || !done.insert(key).second) continue;
      std::vector<int> wordLevels, sentenceLevels;
      if (IsLetter(key) || key == ';') {
        wordLevels = Levels(lesson, {3, 5, 7, 9, 11}, lesson);
        sentenceLevels = Levels(lesson, {6, 8, 11}, 4);
      } else if (IsDigit(key)) {
        wordLevels = Levels(lesson, {16}, lesson);
        sentenceLevels = wordLevels;
      } else {
        wordLevels = sentenceLevels = {std::max(lesson, 4)};
      }
      for (int level : wordLevels)
        if (level <= lessons) add(key, level, kWordsKind, gen.Words(key, level));
      for (int level : sentenceLevels)
        if (level <= lessons) add(key, level, kSentenceKind, gen.Sentences(key, level));
    }
  }
  return m;
}

bool Check(const Material& material, const std::vector<std::string>& groups, std::string& problem) {
  for (const Record& r : material.index) {
    const std::string known = KnownAt(groups, r.fromLesson);
    for (int i = r.block; i < r.block + r.count; ++i) {
      const std::string& line = material.lines[size_t(i)];
      const bool holdsKey = r.key == ',' || line.find(char(r.key)) != std::string::npos;
      if (line.empty() || !TypedWith(line, known) || !holdsKey || line.size() > 255) {
        problem = "line \"" + line + "\" of key " + std::string(1, char(r.key)) + " at lesson " +
                  std::to_string(r.fromLesson);
        return false;
      }
    }
  }
  return true;
}

}  // namespace qxmaterial
