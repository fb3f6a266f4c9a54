// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

class QEventLoop;

// Qt-backed platform services. A program installs them once, after its
// QApplication exists.
namespace qx {

void InstallQtPlatform();

// What the Help button of a Yes/No/Help box opens (the manual at a topic).
void SetHelpOpener(std::function<void(int topic)> opener);

// The nested event loop a view runs until it is closed: the same control
// flow as pumping messages, without polling.
class ViewLoop {
 public:
  ViewLoop();
  ~ViewLoop();
  ViewLoop(const ViewLoop&) = delete;
  ViewLoop& operator=(const ViewLoop&) = delete;
  void Run();   // returns after Quit, or at once when Quit came first
  void Quit();
  bool Running() const { return running_; }

 private:
  QEventLoop* loop_;
  bool running_ = false;
  bool quitRequested_ = false;
};

}  // namespace qx
