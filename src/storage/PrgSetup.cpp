// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/PrgSetup.h"

TProgramSettings* Settings = nullptr;
