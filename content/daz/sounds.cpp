// The food game's sounds "w_daz01": the pan knocking a piece up (Skov), a piece flopping onto
// the floor (Kolbas), Puch laughing (PHaha), hawking up (SHark) and spitting (PHark), the
// laughter when the spit hits Gorm (FHaha), the spit landing (DHark) and the mouse's squeak.
// Everything at 11000 Hz, the mouse at 14000 Hz, the rates the game plays them at.
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "minigames/daz_layout.h"

namespace {

using synth::Buffer;
using namespace synth;

constexpr int kRate = 11000;
constexpr int kMouseRate = 14000;

// The iron pan: a dull clang with a thump of the sausage in it.
Buffer PanKnock(double pitch, uint32_t seed) {
  Buffer b = Bell(430 * pitch, 0.45, kRate, 0.9);
  Decay(b, kRate, 0.001, 0.07);
  const HitRecipe thump{.Seconds = 0.16,
                        .Tone = {.F0 = 190 * pitch, .F1 = 90, .HalfLife = 0.03},
                        .Noise = {.Centre = 900, .HalfLife = 0.012, .Gain = 0.6},
                        .DriveGain = 1.6,
                        .Seed = seed};
  Mix(b, Hit(thump, kRate), 0.9);
  return b;
}

// A sausage landing on the boards: a soft, fleshy flop.
Buffer Flop(double pitch, uint32_t seed) {
  const HitRecipe r{.Seconds = 0.25,
                    .Tone = {.F0 = 150 * pitch, .F1 = 60, .HalfLife = 0.04},
                    .Noise = {.Centre = 600 * pitch, .Q = 0.8, .HalfLife = 0.03, .Gain = 0.9},
                    .DriveGain = 2.0,
                    .Seed = seed};
  Buffer b = Hit(r, kRate);
  LowPass(b, kRate, 1400);
  // A little bounce after.
  Buffer bounce = Hit(r, kRate);
  LowPass(bounce, kRate, 1000);
  MixAt(b, bounce, kRate, 0.09, 0.35);
  return b;
}

Buffer Spoken(const std::string& text, int pitch, int speed, int range) {
  return content::SpokenBuffer(text, kRate, {.Pitch = pitch, .Speed = speed, .Range = range});
}

// Hawking up: a rattling, throaty noise that rises, broken by a sniff.
Buffer Hawk(double pitch, uint32_t seed) {
  const double len = 0.55;
  Buffer b = WhiteNoise(len, kRate, seed);
  SweepLowPass(b, kRate, 500 * pitch, 1600 * pitch, 2.5);
  // The rattle of the throat, about 28 times a second.
  Buffer rattle = Tone(Wave::Square, 28 * pitch, 34 * pitch, len, kRate);
  for (size_t i = 0; i < b.size(); ++i) b[i] *= 0.55f + 0.45f * rattle[i];
  Buffer growl = Tone(Wave::Saw, 95 * pitch, 120 * pitch, len, kRate);
  LowPass(growl, kRate, 500);
  Mix(b, growl, 0.35);
  Adsr(b, kRate, 0.08, 0.1, 0.8, 0.12);
  Buffer sniff = WhiteNoise(0.12, kRate, seed + 3);
  HighPass(sniff, kRate, 2500);
  Adsr(sniff, kRate, 0.05, 0.02, 0.7, 0.04);
  MixAt(b, sniff, kRate, len - 0.02, 0.5);
  return b;
}

// Spitting: the lips pop, then a wet hiss flies off.
Buffer Spit(double pitch, uint32_t seed) {
  Buffer b = Silence(0.3, kRate);
  Buffer pop = DecayedTone(Wave::Sine, 260 * pitch, 90, 0.05, kRate, 0.001, 0.012);
  Mix(b, pop, 0.9);
  Buffer hiss = WhiteNoise(0.22, kRate, seed);
  BandPass(hiss, kRate, 2600 * pitch, 1.2);
  Adsr(hiss, kRate, 0.01, 0.05, 0.5, 0.12);
  MixAt(b, hiss, kRate, 0.02, 0.8);
  Buffer tvu = DecayedTone(Wave::Triangle, 700 * pitch, 420 * pitch, 0.08, kRate, 0.002, 0.02);
  MixAt(b, tvu, kRate, 0.015, 0.3);
  return b;
}

// The spit landing: a small wet splat.
Buffer Splat(double pitch, uint32_t seed) {
  Buffer b = NoiseBurst(0.2, kRate, seed, 0.001, 0.025, Filter::Band, 1200 * pitch, 0.9);
  Buffer plop = DecayedTone(Wave::Sine, 520 * pitch, 180 * pitch, 0.12, kRate, 0.002, 0.02);
  Mix(b, plop, 0.7);
  return b;
}

// The mouse: three quick squeaks and the patter of its feet.
Buffer Squeak() {
  Buffer b = Silence(0.55, kMouseRate);
  const double starts[] = {0.0, 0.12, 0.26};
  for (int i = 0; i < 3; ++i) {
    Buffer s = Tone(Wave::Triangle, 3200 + 250 * i, 4300 + 200 * i, 0.07 + 0.02 * i, kMouseRate);
    Adsr(s, kMouseRate, 0.005, 0.02, 0.7, 0.03);
    MixAt(b, s, kMouseRate, starts[i], 0.8);
  }
  for (int i = 0; i < 6; ++i) {
    Buffer tap = NoiseBurst(0.015, kMouseRate, 40 + i, 0.0005, 0.003, Filter::High, 3000);
    MixAt(b, tap, kMouseRate, 0.36 + i * 0.03, 0.4);
  }
  return b;
}

constexpr content::WaveFinish Effect{.Rate = kRate, .FadeOut = 0.02, .Peak = 0.8};
constexpr content::WaveFinish MouseEffect{.Rate = kMouseRate, .FadeOut = 0.02};

void Build(content::ContentSink& sink) {
  sink.WaveList(std::string(vepa::daz::FoodWaves),
                {
                    Effect("Skov01", PanKnock(1.0, 1)),
                    Effect("Skov02", PanKnock(1.12, 2)),
                    Effect("Kolbas01", Flop(1.0, 3)),
                    Effect("Kolbas02", Flop(0.85, 4)),
                    // Puch's cackle, high and quick.
                    Effect("PHaha01", Spoken("ха-ха-ха!", 78, 230, 90)),
                    Effect("PHaha02", Spoken("хе-хе-хе-хе!", 82, 250, 90)),
                    Effect("PHaha03", Spoken("ха! ха-ха!", 74, 210, 95)),
                    Effect("SHark01", Hawk(1.0, 5), 0.7),
                    Effect("SHark02", Hawk(1.15, 6), 0.7),
                    Effect("PHark01", Spit(1.0, 7)),
                    Effect("PHark02", Spit(0.9, 8)),
                    // Puch laughing out loud when his spit hits Gorm.
                    Effect("FHaha01", Spoken("ха-ха-ха! попал!", 76, 220, 95)),
                    Effect("FHaha02", Spoken("хо-хо-хо-хо!", 70, 200, 90)),
                    Effect("FHaha03", Spoken("хи-хи-хи! в лоб!", 84, 230, 95)),
                    Effect("DHark01", Splat(1.0, 9), 0.7),
                    Effect("DHark02", Splat(0.8, 10), 0.7),
                    MouseEffect("Mouse01", Squeak(), 0.7),
                });
}

}  // namespace

VEPA_CONTENT_MODULE(daz_sounds, Build);
