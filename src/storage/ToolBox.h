// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Small shared services: sound slots, keyboard language, the shell
// launcher and the text helpers every unit uses. Text is Windows-1252.

// ---- Sounds -----------------------------------------------------------
constexpr int kSoundSlots = 5;
constexpr int kSoundClick = 1;
constexpr int kSoundTheEnd = 2;
constexpr int kSoundError = 3;
constexpr int kSoundTheme = 5;

// False once a player failed, or when the student wants no sounds.
extern bool SoundAvailable;

void CreateSound(int slot, const std::string& fileName);
void PlaySound(int slot, bool flag = false);
void FreeSound(int slot);
// Players read their files on first use; this has every slot read now.
void PrepareSounds();
// Whether a slot holds a player, and whether it is playing now.
bool SoundLoaded(int slot);
bool SoundPlaying(int slot);

// ---- Keyboard language and shell --------------------------------------
// "English", "Finnish", ...; "Not available" without a keyboard to ask,
// "Unknown (" + code + ")" for a language outside the table.
std::string DetectKeyboardLanguage();
// The language name of a Windows layout identifier (the same table).
std::string KeyboardLanguageOf(const std::string& layoutId);

// Above 32 is success; callers report failures as -5452.
int ShellOpen(const std::string& file, const std::string& parameters,
              const std::string& directory);

// ---- Text helpers -----------------------------------------------------
std::string TrimBlanks(std::string_view s);

// Fields of s between delimiter characters; runs of delimiters give no
// empty fields; "%" right before a delimiter makes it part of the field.
// An empty delimiter set means blank, comma, carriage return and line feed.
std::vector<std::string> SplitFields(std::string_view s, std::string_view delimiters);

// The word reader: skips tab, blank, line feed and character 255, then
// collects up to the next of them, a carriage return or the end (a zero byte
// or the end of text). A carriage return met first is a token of its own.
// Returns the position after the token; the token is cut to maxLen.
size_t GetToken(std::string_view text, size_t pos, std::string& token, size_t maxLen = 255);

unsigned char UpCaseChar(unsigned char c);
std::string Capitalize(std::string_view s);
std::string ProperCase(std::string_view s, std::string_view letters);
std::string RemoveUpper(std::string_view s);
std::string KeepUpper(std::string_view s);
std::string KeepLetters(std::string_view s);
std::string KeepLettersPunct(std::string_view s);
std::string UniqueChars(std::string_view s);

// Linear map of x from [fromLow, fromHigh] to [toLow, toHigh], unclamped.
float MapRange(float x, float fromLow, float fromHigh, float toLow, float toHigh);

// Reorders in place, reseeding the generator from the clock first; the
// last entry keeps its place.
std::vector<std::string>& ShuffleList(std::vector<std::string>& list);

// Text cut to 255 characters, the longest a counted string holds.
inline std::string Cut255(std::string_view s) { return std::string(s.substr(0, 255)); }
