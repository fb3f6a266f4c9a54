// SPDX-License-Identifier: GPL-3.0-or-later
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace qxsounds {

void Sound::Normalize(float peak) {
  float loudest = 0.0f;
  for (float s : samples) loudest = std::max(loudest, std::fabs(s));
  if (loudest <= 0.0f) return;
  const float gain = peak / loudest;
  for (float& s : samples) s *= gain;
}

void Sound::FadeOut(double seconds) {
  const size_t count = std::min(samples.size(), size_t(seconds * kSampleRate));
  const size_t first = samples.size() - count;
  for (size_t i = 0; i < count; ++i) samples[first + i] *= float(count - i) / float(count);
}

void Sound::AddRoom(double amount) {
  // Delays in samples, prime-ish so the echoes do not ring together.
  static const int kDelays[] = {557, 821, 1213, 1669};
  std::vector<float> wet(samples.size(), 0.0f);
  double gain = amount;
  for (int delay : kDelays) {
    for (size_t i = size_t(delay); i < samples.size(); ++i)
      wet[i] += float(gain) * samples[i - size_t(delay)];
    gain *= 0.6;
  }
  for (size_t i = 0; i < samples.size(); ++i) samples[i] += wet[i];
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v & 0xFF));
  out.push_back(uint8_t((v >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

}  // namespace

std::vector<uint8_t> WaveBytes(const Sound& sound) {
  const uint32_t dataBytes = uint32_t(sound.samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kSampleRate);
  Put32(out, kSampleRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (float s : sound.samples) {
    const float clamped = std::clamp(s, -1.0f, 1.0f);
    Put16(out, uint32_t(uint16_t(int16_t(std::lround(clamped * 32767.0f)))));
  }
  return out;
}

bool WriteWave(const Sound& sound, const std::string& path) {
  const std::vector<uint8_t> bytes = WaveBytes(sound);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

}  // namespace qxsounds
