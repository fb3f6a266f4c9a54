// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "storage/PrgSetup.h"

namespace qxfuzz {
namespace {

class Answering final : public qx::IDialogs {
 public:
  qx::DialogAnswer Ask(const qx::DialogRequest& r) override {
    return r.buttons == qx::DialogButtons::Ok ? qx::DialogAnswer::Ok : qx::DialogAnswer::No;
  }
};

struct Scratch {
  Scratch() {
    namespace fs = std::filesystem;
    // Memory-backed when there is one: a million inputs are a million files.
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    dir = (base / ("qxfuzz-" + std::to_string(getpid()))).string() + "/";
    fs::create_directories(dir);
    // The settings' own INI files stay out of the folder each input empties.
    config = dir.substr(0, dir.size() - 1) + "-config/";
    fs::create_directories(config);
    setenv("QX_CONFIG_DIR", config.c_str(), 1);
    qx::ChangeDirectory(dir);
    qx::InstallDialogs(&dialogs);
    settings = std::make_unique<TProgramSettings>();
    settings->DataPath = dir;
    Settings = settings.get();
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::remove_all(config, ec);
  }
  std::string dir, config;
  Answering dialogs;
  std::unique_ptr<TProgramSettings> settings;
};

Scratch& TheScratch() {
  static Scratch scratch;
  return scratch;
}

}  // namespace

std::string ScratchDir() { return TheScratch().dir; }

std::string Put(const std::string& name, const uint8_t* data, size_t size) {
  const std::string& dir = TheScratch().dir;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    std::filesystem::remove_all(entry.path(), ec);
  std::ofstream(dir + name, std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                     static_cast<std::streamsize>(size));
  return dir + name;
}

}  // namespace qxfuzz
