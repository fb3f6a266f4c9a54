// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "StorageSandbox.h"
#include "platform/Dialogs.h"
#include "storage/PrgSetup.h"
#include "support/TestFiles.h"

namespace qxtest {

// A data directory of its own, settings pointing at it and scripted
// message boxes; whatever the settings write at start stays in a sandbox.
class DataDirTest : public ::testing::Test {
 protected:
  DataDirTest() : settings_(std::make_unique<TProgramSettings>()), dialogs_(sandbox_.dialogs) {
    settings_->DataPath = dir_.Path();
    Settings = settings_.get();
    dialogs_.ClearAsked();
  }
  ~DataDirTest() override { Settings = nullptr; }

  StorageSandbox sandbox_;
  TempDir dir_;
  std::unique_ptr<TProgramSettings> settings_;
  qx::ScriptedDialogs& dialogs_;
};

}  // namespace qxtest
