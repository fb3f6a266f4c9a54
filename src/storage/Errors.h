// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// The one reporting channel for failures the student cannot cure: a
// numbered message box and a record appended to "Errors.log".

std::string ErrorMessage(int code);
// Both always return 0.
int ReportError(int code, const std::string& detail);
int ReportError2(int code, int subcode);
