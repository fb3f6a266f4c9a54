// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "shell/Formview.h"

// A section's page of the book: its title in the given layout, with Back
// and Esc returning to studying. Sections put their own controls on it.
class TSectionPage : public TFormView {
 public:
  TSectionPage(std::string title, int layout) : title_(std::move(title)), layout_(layout) {}

  void Show() override;
  void Hide() override;
  void KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift) override;

 private:
  std::string title_;
  int layout_;
};

// The page of a section whose own pages are still to come: the book with
// its title and nothing on it.
class TSectionPlaceholder : public TSectionPage {
 public:
  explicit TSectionPlaceholder(std::string title) : TSectionPage(std::move(title), 1) {}
};
