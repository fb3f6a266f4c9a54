// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <utility>

// The global through which a storage form or a shared view is reached.
// The program makes its forms when they are first used: reading the
// global then creates the form through the maker the program installed.
// A form enters itself when it is made and leaves when it is destroyed.
template <class T>
class TFormRef {
 public:
  T* get() const {
    if (!form_ && maker_ && !making_) {
      making_ = true;
      maker_();
      making_ = false;
    }
    return form_;
  }
  operator T*() const { return get(); }
  T* operator->() const { return get(); }
  // The form if it was made, without making it.
  T* Existing() const { return form_; }

  void Enter(T* form) {
    if (!form_) form_ = form;
  }
  void Leave(T* form) {
    if (form_ == form) form_ = nullptr;
  }
  void SetMaker(std::function<void()> maker) { maker_ = std::move(maker); }

 private:
  T* form_ = nullptr;
  std::function<void()> maker_;
  mutable bool making_ = false;  // a form's own constructor finds none
};
