// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/ToolBox.h"

#include <array>
#include <memory>
#include <utility>

#include "platform/CodePage.h"
#include "platform/KeyboardLayout.h"
#include "platform/Random.h"
#include "platform/Shell.h"
#include "platform/Sound.h"

bool SoundAvailable = true;

namespace {

std::array<std::unique_ptr<qx::IWavePlayer>, kSoundSlots + 1> g_slots;
// Slots asked to play while their file was still loading.
std::array<bool, kSoundSlots + 1> g_pending{};

bool ValidSlot(int slot) { return slot >= 1 && slot <= kSoundSlots; }

bool IsLower(unsigned char c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool IsLetter(unsigned char c) { return IsLower(c) || IsUpper(c); }
unsigned char AsciiLower(unsigned char c) { return IsUpper(c) ? c + 32 : c; }
unsigned char AsciiUpper(unsigned char c) { return IsLower(c) ? c - 32 : c; }

template <typename Keep>
std::string Filter(std::string_view s, Keep keep) {
  std::string out;
  for (unsigned char c : s)
    if (keep(c)) out += static_cast<char>(c);
  return out;
}

struct Language {
  const char* code;
  const char* name;
};

constexpr Language kLanguages[] = {
    {"09", "English"}, {"0B", "Finnish"},   {"13", "Dutch"},      {"0A", "Spanish"},
    {"06", "Danish"},  {"0F", "Icelandic"}, {"14", "Norwegian"},  {"16", "Portuguese"},
    {"0C", "French"},  {"07", "German"},    {"0E", "Hungarian"},  {"10", "Italian"},
    {"1D", "Swedish"}, {"15", "Polish"},
};

}  // namespace

// ---- Sounds -----------------------------------------------------------

void CreateSound(int slot, const std::string& fileName) {
  if (!SoundAvailable || !ValidSlot(slot)) return;
  auto player = qx::SoundSystem().CreatePlayer();
  g_pending[slot] = false;
  player->OnLoaded = [slot](bool ready) {
    if (!ready) {
      SoundAvailable = false;  // a player that cannot load is broken for good
      g_pending[slot] = false;
    } else if (std::exchange(g_pending[slot], false)) {
      PlaySound(slot);
    }
  };
  player->Open(fileName);  // a missing file leaves an empty, silent player
  g_slots[slot] = std::move(player);
}

void PlaySound(int slot, bool /*flag*/) {
  if (!SoundAvailable || !ValidSlot(slot) || !g_slots[slot]) return;
  // Start-up plays the theme right after creating it: it starts as soon as
  // its file is read.
  if (g_slots[slot]->Loading()) {
    g_pending[slot] = true;
    return;
  }
  if (!g_slots[slot]->CanPlay()) return;
  if (!g_slots[slot]->Play()) SoundAvailable = false;  // never try again this run
}

void FreeSound(int slot) {
  if (!ValidSlot(slot)) return;
  g_slots[slot].reset();
  g_pending[slot] = false;
}

void PrepareSounds() {
  if (!SoundAvailable) return;
  for (auto& player : g_slots)
    if (player) player->Prepare();
}

bool SoundPlaying(int slot) { return ValidSlot(slot) && g_slots[slot] && g_slots[slot]->Playing(); }

bool SoundLoaded(int slot) { return ValidSlot(slot) && g_slots[slot] != nullptr; }

// ---- Keyboard language and shell --------------------------------------

std::string KeyboardLanguageOf(const std::string& layoutId) {
  std::string code = layoutId.size() >= 8 ? layoutId.substr(6, 2) : layoutId;
  code = qx::UpperCp1252(code);
  for (const auto& l : kLanguages)
    if (code == l.code) return l.name;
  return "Unknown (" + code + ")";
}

std::string DetectKeyboardLanguage() {
  std::string id;
  if (!qx::KeyboardLayout().ActiveLayoutId(id)) return "Not available";
  return KeyboardLanguageOf(id);
}

int ShellOpen(const std::string& file, const std::string& parameters,
              const std::string& directory) {
  return qx::Shell().Open(file, parameters, directory);
}

// ---- Text helpers -----------------------------------------------------

std::string TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

std::vector<std::string> SplitFields(std::string_view s, std::string_view delimiters) {
  const std::string_view delims = delimiters.empty() ? std::string_view(" ,\r\n") : delimiters;
  auto isDelim = [&](char c) { return delims.find(c) != std::string_view::npos; };
  std::vector<std::string> fields;
  std::string field;
  bool inField = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '%' && i + 1 < s.size() && isDelim(s[i + 1])) {
      field += s[++i];  // escaped delimiter
      inField = true;
    } else if (isDelim(c)) {
      if (inField) fields.push_back(field);
      field.clear();
      inField = false;
    } else {
      field += c;
      inField = true;
    }
  }
  if (inField) fields.push_back(field);
  return fields;
}

size_t GetToken(std::string_view text, size_t pos, std::string& token, size_t maxLen) {
  auto isSeparator = [](unsigned char c) { return c == '\t' || c == ' ' || c == '\n' || c == 255; };
  token.clear();
  while (pos < text.size() && text[pos] != '\0' &&
         isSeparator(static_cast<unsigned char>(text[pos])))
    ++pos;
  if (pos < text.size() && text[pos] == '\r') {
    token = "\r";
    return pos + 1;
  }
  const size_t start = pos;
  while (pos < text.size() && text[pos] != '\0' && text[pos] != '\r' &&
         !isSeparator(static_cast<unsigned char>(text[pos])))
    ++pos;
  token.assign(text.substr(start, std::min(pos - start, maxLen)));
  return pos;
}

unsigned char UpCaseChar(unsigned char c) { return qx::UpperCp1252(c); }

std::string Capitalize(std::string_view s) {
  std::string out;
  for (unsigned char c : s) out += static_cast<char>(AsciiLower(c));
  if (!out.empty() && IsLower(out[0])) out[0] = static_cast<char>(AsciiUpper(out[0]));
  const size_t next = out.find(' ') + 1;  // 0 when there is no blank
  if (next > 0 && next + 1 < out.size() && IsLower(out[next]))
    out[next] = static_cast<char>(AsciiUpper(out[next]));
  return out;
}

std::string ProperCase(std::string_view s, std::string_view letters) {
  std::string out;
  for (unsigned char c : s) out += static_cast<char>(AsciiLower(c));
  if (!out.empty() && IsLower(out[0])) out[0] = static_cast<char>(AsciiUpper(out[0]));
  for (size_t i = 1; i + 1 < out.size(); ++i) {
    if (out[i - 1] != ' ') continue;
    const char up = static_cast<char>(UpCaseChar(static_cast<unsigned char>(out[i])));
    if (letters.find(up) != std::string_view::npos) out[i] = up;
  }
  return out;
}

std::string RemoveUpper(std::string_view s) {
  return Filter(s, [](unsigned char c) { return !IsUpper(c); });
}
std::string KeepUpper(std::string_view s) { return Filter(s, IsUpper); }
std::string KeepLetters(std::string_view s) { return Filter(s, IsLetter); }
std::string KeepLettersPunct(std::string_view s) {
  return Filter(s, [](unsigned char c) { return IsLetter(c) || c == '.' || c == ','; });
}

std::string UniqueChars(std::string_view s) {
  std::string out;
  for (char c : s)
    if (out.find(c) == std::string::npos) out += c;
  return out;
}

float MapRange(float x, float fromLow, float fromHigh, float toLow, float toHigh) {
  return toLow + (x - fromLow) * (toHigh - toLow) / (fromHigh - fromLow);
}

std::vector<std::string>& ShuffleList(std::vector<std::string>& list) {
  qx::Random().SeedFromClock();
  const int n = static_cast<int>(list.size()) - 1;
  for (int k = 0; k < n; ++k) {
    const int to = qx::Random().Below(n);
    std::string entry = std::move(list[k]);
    list.erase(list.begin() + k);
    list.insert(list.begin() + to, std::move(entry));
  }
  return list;
}
