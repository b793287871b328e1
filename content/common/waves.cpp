// The common effects "w_all01", synthesized. They are recorded at 11000 Hz, the rate the game
// plays them at, so they sound as designed.
#include <cmath>

#include "common.h"
#include "synth.h"
#include "wave_finish.h"

namespace common {

namespace {

using namespace synth;

constexpr int kRate = 11000;

constexpr content::WaveFinish Wave{.Rate = kRate, .FadeOut = 0.004};

// A thud: a punch landing, a dart in the board.
Buffer Thud() {
  Buffer body = DecayedTone(synth::Wave::Sine, 140, 55, 0.25, kRate, 0.002, 0.045);
  Buffer slap = NoiseBurst(0.25, kRate, 101, 0.001, 0.012, Filter::Low, 1400);
  Mix(body, slap, 0.9);
  Drive(body, 2.0);
  return body;
}

// A bite: two quick crunchy snaps.
Buffer Bite() {
  Buffer out = Silence(0.22, kRate);
  for (int i = 0; i < 2; ++i) {
    Buffer n =
        NoiseBurst(0.09, kRate, 200 + i, 0.001, 0.014, Filter::Band, i == 0 ? 1900 : 1500, 1.4);
    Buffer knock = DecayedTone(synth::Wave::Triangle, 420 - i * 80, 180, 0.08, kRate, 0.001, 0.012);
    Mix(n, knock, 0.8);
    MixAt(out, n, kRate, i * 0.075);
  }
  Drive(out, 1.6);
  return out;
}

// A button click: a short wooden tock.
Buffer Click() {
  Buffer t = DecayedTone(synth::Wave::Sine, 1900, 1300, 0.07, kRate, 0.0005, 0.008);
  Buffer n = NoiseBurst(0.07, kRate, 300, 0.0003, 0.003, Filter::High, 2500);
  Mix(t, n, 0.6);
  return t;
}

// A gun shot: a crack, a boom and a short room echo.
Buffer Shot() {
  Buffer crack = WhiteNoise(0.7, kRate, 400);
  SweepLowPass(crack, kRate, 4500, 500, 0.8);
  Decay(crack, kRate, 0.001, 0.07);
  Buffer boom = DecayedTone(synth::Wave::Sine, 110, 40, 0.5, kRate, 0.002, 0.09);
  Mix(crack, boom, 1.2);
  Drive(crack, 2.5);
  Echo(crack, kRate, 0.11, 0.3, 0.35);
  return crack;
}

// A metal clang: the windmill hit.
Buffer Clang() {
  Buffer b = Bell(520, 0.9, kRate, 1.3);
  Buffer strike = NoiseBurst(0.04, kRate, 500, 0.0005, 0.006, Filter::High, 1800);
  Mix(b, strike, 0.6);
  return b;
}

// A tin target knocked over: a bright plink that bends down.
Buffer TinHit() {
  Buffer b = DecayedTone(synth::Wave::Triangle, 1250, 700, 0.35, kRate, 0.001, 0.05);
  Buffer ring = Bell(980, 0.35, kRate, 0.8);
  Mix(b, ring, 0.5);
  Buffer knock = DecayedTone(synth::Wave::Sine, 260, 120, 0.1, kRate, 0.001, 0.02);
  Mix(b, knock, 0.7);
  return b;
}

// A pop: apple hit, a box opening.
Buffer Pop() {
  Buffer b = DecayedTone(synth::Wave::Sine, 950, 260, 0.12, kRate, 0.001, 0.025);
  Buffer n = NoiseBurst(0.03, kRate, 700, 0.0005, 0.005, Filter::Band, 2200, 1.0);
  Mix(b, n, 0.5);
  return b;
}

// A boing: the boxer bounced off the ropes.
Buffer Boing() {
  const double len = 0.55;
  Buffer b(Samples(len, kRate));
  double phase = 0;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f =
        110 + 160 * (1 - std::exp(-t * 9)) + 18 * std::sin(2 * M_PI * 14 * t) * std::exp(-t * 3);
    phase += f / kRate;
    b[i] = static_cast<float>(std::sin(2 * M_PI * phase) + 0.3 * std::sin(4 * M_PI * phase));
  }
  Decay(b, kRate, 0.003, 0.12);
  return b;
}

// A panel switch: click-clack.
Buffer Switch() {
  Buffer out = Silence(0.11, kRate);
  for (int i = 0; i < 2; ++i) {
    Buffer c = Tone(synth::Wave::Square, i == 0 ? 2400 : 1700, i == 0 ? 1600 : 1100, 0.03, kRate);
    LowPass(c, kRate, 3500);
    Decay(c, kRate, 0.0003, 0.004);
    MixAt(out, c, kRate, i * 0.045, i == 0 ? 1.0 : 0.7);
  }
  return out;
}

// A drop landing: a water bloop rising in pitch.
Buffer Bloop(double f0, double f1, double len) {
  Buffer b = DecayedTone(synth::Wave::Sine, f0, f1, len, kRate, 0.004, len * 0.3);
  Buffer t = DecayedTone(synth::Wave::Sine, f1 * 1.5, f1 * 1.5, len, kRate, 0.002, len * 0.12);
  Mix(b, t, 0.25);
  return b;
}

// An alarm bell: a hammer striking fast.
Buffer AlarmBell() {
  Buffer out = Silence(0.9, kRate);
  for (int i = 0; i < 14; ++i) {
    Buffer s = Bell(1480, 0.35, kRate, 1.1);
    MixAt(out, s, kRate, i * 0.045, i % 2 ? 0.8 : 1.0);
  }
  FadeOut(out, kRate, 0.25);
  return out;
}

// The windmill turning: a wooden creak and the sails swishing round.
Buffer Windmill() {
  const double len = 2.8;
  Buffer air = WhiteNoise(len, kRate, 800);
  BandPass(air, kRate, 700, 0.8);
  for (size_t i = 0; i < air.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double sweep = std::pow(0.5 + 0.5 * std::sin(2 * M_PI * 2.2 * t), 3.0);
    air[i] = static_cast<float>(air[i] * (0.15 + sweep));
  }
  Buffer creak(Samples(len, kRate), 0.0f);
  for (int k = 0; k < 4; ++k) {
    Buffer c = Tone(synth::Wave::Saw, 190 + 25 * (k % 2), 150, 0.32, kRate, 810 + k);
    BandPass(c, kRate, 900, 2.0);
    Adsr(c, kRate, 0.08, 0.1, 0.7, 0.12);
    MixAt(creak, c, kRate, 0.15 + k * 0.68, 0.5);
  }
  Mix(air, creak, 1.0);
  FadeIn(air, kRate, 0.15);
  FadeOut(air, kRate, 0.5);
  return air;
}

// A pick-up: a soft swish and a tick.
Buffer PickUp() {
  Buffer n = WhiteNoise(0.09, kRate, 900);
  SweepLowPass(n, kRate, 900, 4500, 1.2);
  Adsr(n, kRate, 0.03, 0.03, 0.3, 0.02);
  Buffer tick = DecayedTone(synth::Wave::Sine, 2600, 2200, 0.03, kRate, 0.0004, 0.005);
  MixAt(n, tick, kRate, 0.05, 0.8);
  return n;
}

}  // namespace

std::vector<content::WaveSpec> CommonWaves() {
  return {
      Wave("Boom01", Thud()),
      Wave("Boom02", Bite()),
      Wave("Boom03", Click(), 0.7),
      Wave("Boom04", Shot()),
      Wave("Boom05", Clang(), 0.75),
      Wave("Boom06", TinHit(), 0.75),
      Wave("Boom07", Pop(), 0.75),
      Wave("Boom08", Boing(), 0.75),
      Wave("Boom26", Switch(), 0.7),
      Wave("Bulk01", Bloop(320, 1100, 0.16), 0.7),
      Wave("Bulk02", Bloop(240, 800, 0.2), 0.7),
      Wave("Clock01", AlarmBell(), 0.7),
      Wave("Melnic01", Windmill(), 0.6),
      Wave("Pick01", PickUp(), 0.6),
  };
}

}  // namespace common
