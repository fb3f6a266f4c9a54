// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace qx {

// The Windows identifier of the active XKB group of the X display named by
// $DISPLAY; false when there is no display or XKB does not answer. Kept
// apart because the X11 headers' macros clash with Qt's and ours.
bool ReadX11LayoutId(std::string& id);

}  // namespace qx
