// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

namespace qx {
namespace {
NoShell g_none;
IShell* g_shell = &g_none;
}  // namespace

IShell& Shell() { return *g_shell; }
void InstallShell(IShell* shell) { g_shell = shell ? shell : &g_none; }

}  // namespace qx
