// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialogs.h"

#include <cstdio>

#include "platform/CodePage.h"

namespace qx {
namespace {

ConsoleDialogs g_console;
IDialogs* g_dialogs = &g_console;
std::string g_title = "Quillbrandex 98";

DialogAnswer CautiousAnswer(const DialogRequest& r) {
  return r.buttons == DialogButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No;
}

}  // namespace

DialogAnswer ConsoleDialogs::Ask(const DialogRequest& request) {
  std::string text = request.text;
  for (char& c : text)
    if (c == '\r') c = '\n';
  std::fprintf(stderr, "[%s] %s\n", Cp1252ToUtf8(request.caption.empty() ? g_title : request.caption).c_str(),
               Cp1252ToUtf8(text).c_str());
  return CautiousAnswer(request);
}

DialogAnswer ScriptedDialogs::Ask(const DialogRequest& request) {
  asked_.push_back(request);
  if (onAsk) onAsk(request);
  if (answers_.empty()) return CautiousAnswer(request);
  const DialogAnswer a = answers_.front();
  answers_.pop_front();
  return a;
}

IDialogs& Dialogs() { return *g_dialogs; }

void InstallDialogs(IDialogs* dialogs) { g_dialogs = dialogs ? dialogs : &g_console; }

void SetApplicationTitle(const std::string& title) { g_title = title; }
const std::string& ApplicationTitle() { return g_title; }

void ShowMessage(DialogIcon icon, const std::string& text, const std::string& caption) {
  DialogRequest r;
  r.icon = icon;
  r.text = text;
  r.caption = caption;
  Dialogs().Ask(r);
}

bool Confirm(const std::string& text, const std::string& caption, DialogIcon icon) {
  DialogRequest r;
  r.icon = icon;
  r.buttons = DialogButtons::YesNo;
  r.text = text;
  r.caption = caption;
  return Dialogs().Ask(r) == DialogAnswer::Yes;
}

}  // namespace qx
