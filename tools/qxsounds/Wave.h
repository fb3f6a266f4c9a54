// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A mono sound being synthesised: samples as floats in -1..1, written as
// 16-bit PCM.
namespace qxsounds {

constexpr int kSampleRate = 22050;

struct Sound {
  std::vector<float> samples;

  explicit Sound(double seconds) : samples(size_t(seconds * kSampleRate + 0.5), 0.0f) {}
  double Seconds() const { return double(samples.size()) / kSampleRate; }
  // Adds a voice starting at `start` seconds; `voice(t)` gets the time since
  // the voice began and returns its sample.
  template <class F>
  void Mix(double start, double length, F voice) {
    const size_t first = size_t(start * kSampleRate);
    const size_t count = size_t(length * kSampleRate);
    for (size_t i = 0; i < count && first + i < samples.size(); ++i)
      samples[first + i] += float(voice(double(i) / kSampleRate));
  }
  // Scales the whole sound so that its loudest sample reaches `peak`.
  void Normalize(float peak);
  // Fades the last `seconds` to silence, so a cut-off tail does not click.
  void FadeOut(double seconds);
  // A few early echoes: a little room around dry synthesised tones.
  void AddRoom(double amount);
};

// The bytes of a RIFF/WAVE file: PCM, one channel, 16 bits.
std::vector<uint8_t> WaveBytes(const Sound& sound);
bool WriteWave(const Sound& sound, const std::string& path);

}  // namespace qxsounds
