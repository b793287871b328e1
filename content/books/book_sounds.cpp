// The books' sounds, recorded at the 11000 Hz they are played at: a sheet picked up and
// swished away, a sheet slapping down on the pile, the gramophone's needle lifted off the record
// and set down on it, a mumbling "бу-бу-бу" from the loudspeaker and a click of a selector.
#include <string>
#include <vector>

#include "book_art.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"

namespace books {

namespace {

constexpr int kRate = 11000;
using synth::Buffer;

constexpr content::WaveFinish MakeWave{.Rate = kRate, .FadeIn = 0.003, .FadeOut = 0.02};

// Paper lifted: a rising rustle with a short crackle at the start.
Buffer PagePick() {
  Buffer b = synth::WhiteNoise(0.32, kRate, 31);
  synth::SweepLowPass(b, kRate, 900, 4200, 0.8);
  synth::HighPass(b, kRate, 500);
  synth::Adsr(b, kRate, 0.05, 0.1, 0.6, 0.15);
  Buffer crackle = synth::Hit({.Seconds = 0.06,
                               .Tone = {.F0 = 2400, .F1 = 1800, .HalfLife = 0.005, .Gain = 0.2},
                               .Noise = {.Centre = 3500, .Q = 1.5, .HalfLife = 0.01},
                               .Seed = 5},
                              kRate);
  synth::Mix(b, crackle, 0.6);
  return b;
}

// The sheet lands on the pile: a soft flat slap.
Buffer PageLand() {
  return synth::Hit({.Seconds = 0.2,
                     .Tone = {.F0 = 220, .F1 = 120, .HalfLife = 0.02, .Gain = 0.5},
                     .Noise = {.Centre = 1400, .Q = 0.7, .HalfLife = 0.03, .Gain = 1.0},
                     .Seed = 9},
                    kRate);
}

// The gramophone's arm clicking, into its rest or out of it: a tiny hard tick.
Buffer ArmClick(double f0, double f1, uint32_t seed) {
  return synth::Hit({.Seconds = 0.08,
                     .Tone = {.F0 = f0, .F1 = f1, .HalfLife = 0.008},
                     .Noise = {.Centre = 4000, .HalfLife = 0.004},
                     .Seed = seed},
                    kRate);
}

// The needle scratches off the record and the arm clicks into its rest.
Buffer NeedleLift() {
  Buffer b = synth::NoiseBurst(0.25, kRate, 77, 0.005, 0.05, synth::Filter::Band, 2800, 2.0);
  synth::MixAt(b, ArmClick(1500, 900, 3), kRate, 0.3, 0.9);
  return b;
}

// The arm leaves its rest and the needle drops into the groove: a thump and a crackle.
Buffer NeedleDown() {
  Buffer b = ArmClick(1300, 1000, 4);
  Buffer thump = synth::Hit({.Seconds = 0.15,
                             .Tone = {.F0 = 160, .F1 = 90, .HalfLife = 0.03},
                             .Noise = {.Centre = 600, .HalfLife = 0.01},
                             .Seed = 6},
                            kRate);
  synth::MixAt(b, thump, kRate, 0.18, 1.0);
  Buffer crackle = synth::WhiteNoise(0.35, kRate, 12);
  synth::BandPass(crackle, kRate, 3000, 3.0);
  synth::Adsr(crackle, kRate, 0.02, 0.1, 0.3, 0.2);
  synth::MixAt(b, crackle, kRate, 0.2, 0.35);
  return b;
}

// "Бу-бу-бу" mumbled through a tin loudspeaker.
Buffer Mumble() {
  Buffer b = content::SpokenBuffer("бу-бу-бу!", kRate, {.Pitch = 30, .Speed = 200, .Range = 40});
  synth::BandPass(b, kRate, 1100, 0.9);
  synth::Drive(b, 2.5);
  return b;
}

// A selector snapping into place.
Buffer SelectorClick() {
  return synth::Hit(
      {.Seconds = 0.1,
       .Tone = {.Shape = synth::Wave::Triangle, .F0 = 1800, .F1 = 1200, .HalfLife = 0.01},
       .Noise = {.Centre = 3000, .HalfLife = 0.005, .Gain = 0.6},
       .Seed = 2},
      kRate);
}

}  // namespace

std::vector<content::WaveSpec> BookWaves() {
  return {MakeWave("Pick01", PagePick(), 0.7),    MakeWave("Kard03", PageLand()),
          MakeWave("Potif01", NeedleLift(), 0.7), MakeWave("Potif02", NeedleDown(), 0.7),
          MakeWave("Bubu01", Mumble()),           MakeWave("Boom01", SelectorClick(), 0.7)};
}

}  // namespace books
