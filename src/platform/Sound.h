// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>

// Asynchronous wave playback.
namespace qx {

class IWavePlayer {
 public:
  virtual ~IWavePlayer() = default;
  // Sets the file; false when it cannot be used.
  virtual bool Open(const std::string& path) = 0;
  virtual bool CanPlay() = 0;
  // Starts playing and returns at once; false when the player failed, with
  // the reason in LastError.
  virtual bool Play() = 0;
  virtual std::string LastError() const = 0;
  // Players read their file in the background: while this is true a play
  // has to wait for OnLoaded.
  virtual bool Loading() const { return false; }
  virtual bool Playing() const { return false; }
  // Starts reading the file now, so that the first play is not late.
  virtual void Prepare() {}

  // Called when loading has ended: true ready to play, false failed.
  std::function<void(bool ready)> OnLoaded;
};

class ISoundSystem {
 public:
  virtual ~ISoundSystem() = default;
  virtual std::unique_ptr<IWavePlayer> CreatePlayer() = 0;
};

// Without an audio device: players that can never play.
class SilentSoundSystem final : public ISoundSystem {
 public:
  std::unique_ptr<IWavePlayer> CreatePlayer() override;
};

ISoundSystem& SoundSystem();
void InstallSoundSystem(ISoundSystem* system);

}  // namespace qx
