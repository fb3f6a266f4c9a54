// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "storage/PrgSetup.h"
#include "support/TestFiles.h"

namespace qxtest {

// A data directory of its own, settings pointing at it and scripted
// message boxes.
class DataDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.DataPath = dir_.Path();
    Settings = &settings_;
    qx::InstallDialogs(&dialogs_);
  }
  void TearDown() override {
    qx::InstallDialogs(nullptr);
    Settings = nullptr;
  }

  TempDir dir_;
  TProgramSettings settings_;
  qx::ScriptedDialogs dialogs_;
};

}  // namespace qxtest
