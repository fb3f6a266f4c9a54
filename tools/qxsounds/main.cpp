// SPDX-License-Identifier: GPL-3.0-or-later
// Synthesises the program's four sounds into the folder given as argument.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Wave.h"

using qxsounds::Sound;

namespace {

constexpr double kTwoPi = 6.283185307179586;

double Note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// A quick rise so that no voice starts with a click of its own.
double Attack(double t, double seconds) { return t < seconds ? t / seconds : 1.0; }

// A struck bell: slightly stretched partials that die away at their own pace.
double Bell(double freq, double t) {
  static const double kPartials[][3] = {
      {1.0, 1.0, 1.4}, {2.0, 0.40, 0.8}, {3.01, 0.18, 0.45}, {4.23, 0.10, 0.25}};
  double sum = 0.0;
  for (const auto& p : kPartials)
    sum += p[1] * std::exp(-t / p[2]) * std::sin(kTwoPi * freq * p[0] * t);
  return sum * Attack(t, 0.004);
}

// A wooden bar: a warm fundamental with a short bright knock.
double Marimba(double freq, double t) {
  const double body = std::exp(-t / 0.45) * std::sin(kTwoPi * freq * t);
  const double knock = 0.25 * std::exp(-t / 0.08) * std::sin(kTwoPi * freq * 3.93 * t);
  const double tick = 0.06 * std::exp(-t / 0.02) * std::sin(kTwoPi * freq * 9.9 * t);
  return (body + knock + tick) * Attack(t, 0.003);
}

// A soft sustained tone for chords under the melody.
double Pad(double freq, double t, double length) {
  const double fadeIn = Attack(t, 0.18);
  const double fadeOut = t > length - 0.35 ? std::max(0.0, (length - t) / 0.35) : 1.0;
  const double tone = std::sin(kTwoPi * freq * t) + 0.2 * std::sin(kTwoPi * freq * 2.0 * t);
  return tone * fadeIn * fadeOut;
}

Sound Click() {
  Sound s(0.05);
  uint32_t seed = 12345;
  double smooth = 0.0;
  s.Mix(0.0, 0.05, [&](double t) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (double(seed >> 8) / double(1 << 24)) * 2.0 - 1.0;
    smooth += 0.35 * (noise - smooth);  // a gentle low-pass takes the hiss off
    const double strike = 0.6 * smooth * std::exp(-t / 0.0035) +
                          0.5 * std::exp(-t / 0.006) * std::sin(kTwoPi * 1500.0 * t) +
                          0.3 * std::exp(-t / 0.010) * std::sin(kTwoPi * 520.0 * t);
    return strike * Attack(t, 0.001);
  });
  s.Normalize(0.45f);
  return s;
}

Sound TheEnd() {
  Sound s(2.2);
  const int notes[] = {3, 7, 10};  // C5, E5, G5
  for (int i = 0; i < 3; ++i) {
    const double f = Note(notes[i]);
    s.Mix(0.11 * i, 2.2, [f](double t) { return Bell(f, t); });
  }
  s.Mix(0.22, 2.2, [](double t) { return 0.35 * Bell(Note(15), t); });  // C6 sparkle
  s.AddRoom(0.22);
  s.FadeOut(0.5);
  s.Normalize(0.6f);
  return s;
}

Sound Error() {
  Sound s(0.22);
  const double length = 0.22;
  s.Mix(0.0, length, [length](double t) {
    double sum = 0.0;
    for (int n = 1; n <= 6; ++n) {
      const double amp = 1.0 / std::pow(n, 1.4);
      sum += amp * (std::sin(kTwoPi * 98.0 * n * t) + std::sin(kTwoPi * 99.3 * n * t));
    }
    const double release = t > length - 0.07 ? (length - t) / 0.07 : 1.0;
    return sum * Attack(t, 0.01) * release;
  });
  s.Normalize(0.5f);
  return s;
}

Sound IntroTheme() {
  // Pitches in semitones from A4.
  enum : int { C3 = -21, F2 = -28, G2 = -26, B3 = -10, C4 = -9, D4 = -7, E4 = -5,
               F4 = -4, G4 = -2, A4 = 0, C5 = 3, F5 = 8, G5 = 10, A5 = 12, B5 = 14, C6 = 15,
               D6 = 17, E5 = 7 };
  constexpr double q = 0.32;  // a quarter note
  struct Step { int note; double beats; };
  const Step melody[] = {{E5, 0.5}, {G5, 0.5}, {C6, 1}, {B5, 0.5}, {G5, 0.5}, {A5, 1},
                         {F5, 0.5}, {A5, 0.5}, {C6, 1}, {D6, 0.5}, {C6, 0.5}, {A5, 1},
                         {G5, 0.5}, {B5, 0.5}, {D6, 1}, {C6, 0.5}, {B5, 0.5}, {G5, 1},
                         {C6, 2}};
  Sound s(4 * 4 * q + 1.8);
  double at = 0.05;
  for (const Step& step : melody) {
    const double f = Note(step.note);
    s.Mix(at, 2.0, [f](double t) { return Marimba(f, t); });
    at += step.beats * q;
  }
  s.Mix(at - 2 * q, 2.4, [](double t) { return 0.45 * Bell(Note(C6), t); });
  const int chords[][4] = {{C3, C4, E4, G4}, {F2, C4, F4, A4}, {G2, B3, D4, G4}, {C3, C4, E4, G4}};
  for (int bar = 0; bar < 4; ++bar) {
    const double start = 0.05 + bar * 4 * q;
    const double length = bar == 3 ? 2.0 : 4 * q + 0.15;
    for (int i = 1; i < 4; ++i) {
      const double f = Note(chords[bar][i]);
      s.Mix(start, length, [f, length](double t) { return 0.10 * Pad(f, t, length); });
    }
    const double bass = Note(chords[bar][0]);
    s.Mix(start, 1.5, [bass](double t) { return 0.4 * Marimba(bass, t); });
  }
  s.AddRoom(0.3);
  s.FadeOut(0.6);
  s.Normalize(0.7f);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qxsounds <output folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  const struct { const char* name; Sound sound; } sounds[] = {
      {"Click.wav", Click()}, {"Theend.wav", TheEnd()},
      {"Error.wav", Error()}, {"Intro.wav", IntroTheme()}};
  for (const auto& s : sounds) {
    if (!qxsounds::WriteWave(s.sound, dir + "/" + s.name)) {
      std::fprintf(stderr, "qxsounds: cannot write %s\n", s.name);
      return 1;
    }
  }
  return 0;
}
