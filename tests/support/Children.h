// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <functional>

namespace qxtest {

// Runs body in a forked child process, whose exit code is body's result.
pid_t StartChild(const std::function<int()>& body);
// The child's exit code, or -1 when it did not exit normally.
int WaitChild(pid_t pid);

}  // namespace qxtest
