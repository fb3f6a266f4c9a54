// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "shell/Formview.h"

// The page of a section whose own pages are still to come: the book with
// its title and nothing on it. Back or Esc return to studying.
class TSectionPlaceholder : public TFormView {
 public:
  explicit TSectionPlaceholder(std::string title) : title_(std::move(title)) {}

  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

 private:
  std::string title_;
};
