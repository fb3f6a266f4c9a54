// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the review material "builder.hdr"/"builder.dta" from the course
// and the word lists: for every key the course teaches, word blocks from
// the lesson that introduces it and crazy-sentence blocks from lesson 4,
// each line typed only with the keys known at its block's lesson.
//   qxbuilder COURSE.cnt SOURCE_DIR OUT_BASE
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Material.h"

namespace {

bool ReadWords(const std::string& file, std::vector<std::string>& out) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '#') continue;
    std::istringstream words(line);
    std::string w;
    while (words >> w) out.push_back(w);
  }
  return true;
}

bool ReadKeyGroups(const std::string& course, std::vector<std::string>& groups) {
  std::ifstream in(course, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    std::string head = line.substr(0, 8);
    for (char& c : head) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (head != "new keys") continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string keys;
    // "%" before a delimiter makes the delimiter a key.
    for (size_t i = eq + 1; i < line.size(); ++i) {
      if (line[i] == '%' && i + 1 < line.size() && std::string("=;,").find(line[i + 1]) != std::string::npos) continue;
      keys += line[i];
    }
    groups.push_back(keys);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: qxbuilder COURSE.cnt SOURCE_DIR OUT_BASE\n";
    return 2;
  }
  const std::string source = std::string(argv[2]) + "/";
  qxmaterial::WordLists lists;
  std::vector<std::string> groups;
  if (!ReadKeyGroups(argv[1], groups) || !ReadWords(source + "nouns.txt", lists.nouns) ||
      !ReadWords(source + "verbs.txt", lists.verbs) || !ReadWords(source + "adjectives.txt", lists.adjectives) ||
      !ReadWords(source + "words.txt", lists.others)) {
    std::cerr << "qxbuilder: cannot read the course or the word lists\n";
    return 1;
  }
  qxmaterial::Material material = qxmaterial::Build(groups, lists);
  std::string problem;
  if (!qxmaterial::Check(material, groups, problem)) {
    std::cerr << "qxbuilder: " << problem << "\n";
    return 1;
  }
  const std::string base = argv[3];
  std::ofstream hdr(base + ".hdr", std::ios::binary | std::ios::trunc);
  std::ofstream dta(base + ".dta", std::ios::binary | std::ios::trunc);
  for (const auto& r : material.index) {
    const int16_t v[5] = {int16_t(r.key), int16_t(r.fromLesson), int16_t(r.kind), int16_t(r.block), int16_t(r.count)};
    for (int16_t x : v) {
      const char b[2] = {char(x & 0xFF), char((x >> 8) & 0xFF)};
      hdr.write(b, 2);
    }
  }
  for (const std::string& line : material.lines) {
    char slot[256] = {};
    slot[0] = char(line.size());
    std::copy(line.begin(), line.end(), slot + 1);
    dta.write(slot, 256);
  }
  if (!hdr || !dta) {
    std::cerr << "qxbuilder: cannot write " << base << "\n";
    return 1;
  }
  std::cout << "review material: " << material.index.size() << " blocks, " << material.lines.size() << " lines\n";
  return 0;
}
