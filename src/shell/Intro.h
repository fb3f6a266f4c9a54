// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "storage/BookMark.h"

class TContents;

// The interactive introduction, a course of its own in "introd.qxs",
// loaded on first use and kept.
class TIntroduction {
 public:
  TIntroduction();
  ~TIntroduction();

  // 1000 when the student left it for another section.
  int Run();

 private:
  std::unique_ptr<TContents> contents_;
  TBookMark bookmark_;
};
