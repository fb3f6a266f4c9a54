// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Sound.h"

namespace qx {
namespace {

class SilentPlayer final : public IWavePlayer {
 public:
  bool Open(const std::string&) override { return false; }
  bool CanPlay() override { return false; }
  bool Play() override { return false; }
  std::string LastError() const override { return "no audio device"; }
};

SilentSoundSystem g_silent;
ISoundSystem* g_system = &g_silent;

}  // namespace

std::unique_ptr<IWavePlayer> SilentSoundSystem::CreatePlayer() {
  return std::make_unique<SilentPlayer>();
}

ISoundSystem& SoundSystem() { return *g_system; }
void InstallSoundSystem(ISoundSystem* system) { g_system = system ? system : &g_silent; }

}  // namespace qx
