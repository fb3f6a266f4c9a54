// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace qxmaterial {

struct WordLists {
  std::vector<std::string> nouns, verbs, adjectives, others;
};

struct Record {
  int key, fromLesson, kind, block, count;
};

struct Material {
  std::vector<Record> index;
  std::vector<std::string> lines;
};

// groups: the course's new keys, one string per lesson.
Material Build(const std::vector<std::string>& groups, const WordLists& lists);
// Every line only uses keys known at its block's lesson, and contains its key.
bool Check(const Material& material, const std::vector<std::string>& groups, std::string& problem);

}  // namespace qxmaterial
