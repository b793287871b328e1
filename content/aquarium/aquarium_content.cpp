// The aquarium's entries: the room with the tank ("r_aqua01"), every sprite of the tank, its
// creatures and the anglers ("s_aqua01"), and the seven bubble sounds ("w_aqua01").
#include <vector>

#include "aquarium_art.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"

namespace {

using namespace vepa::aquarium;

constexpr int kRate = kBubbleRate;

constexpr content::WaveFinish MakeWave{.Rate = kRate, .FadeOut = 0.004};

// One bubble: a sine that glides quickly upwards as it dies away, with a breath of wet noise.
synth::Buffer Blip(double f0, double f1, double seconds, double halfLife, uint32_t seed) {
  return synth::Hit({.Seconds = seconds,
                     .Tone = {.F0 = f0, .F1 = f1, .HalfLife = halfLife},
                     .Noise = {.Centre = f1 * 1.5, .Q = 2.5, .HalfLife = 0.006, .Gain = 0.15},
                     .Attack = 0.002,
                     .Seed = seed},
                    kRate);
}

// A bubble bursting at the surface: a tiny high plop with a click of spray.
synth::Buffer Burst(double f0, uint32_t seed) {
  synth::Buffer b = Blip(f0, f0 * 2.6, 0.09, 0.018, seed);
  synth::Buffer spray =
      synth::NoiseBurst(0.03, kRate, seed + 7, 0.0005, 0.004, synth::Filter::High, 2500);
  synth::Mix(b, spray, 0.25);
  return b;
}

// Bubbles rising from below: a few blips, each a little higher than the one before.
synth::Buffer Rising(double f0, double f1, int count, double gap, double seconds, uint32_t seed) {
  synth::Buffer out = synth::Silence(gap * count + seconds, kRate);
  for (int i = 0; i < count; ++i)
    synth::MixAt(out,
                 Blip(f0 * (1 + 0.12 * i), f1 * (1 + 0.12 * i), seconds, seconds / 4, seed + i),
                 kRate, gap * i, 1.0 - 0.12 * i);
  return out;
}

// A creature grows out of the castle: a bubbling run upwards that ends in a glassy sparkle.
synth::Buffer Growing() {
  synth::Buffer out = synth::Silence(0.75, kRate);
  for (int i = 0; i < 9; ++i) {
    const double f = 260 * (1 + 0.16 * i);
    synth::MixAt(out, Blip(f, f * 2.4, 0.1, 0.025, 40 + i), kRate, 0.055 * i, 0.8);
  }
  synth::Buffer sparkle = synth::Bell(1760, 0.35, kRate, 0.7);
  synth::MixAt(out, sparkle, kRate, 0.42, 0.35);
  synth::LowPass(out, kRate, 4800);
  return out;
}

std::vector<content::WaveSpec> BubbleWaves() {
  return {
      MakeWave(kBubbleWaves[0], Burst(900, 1), 0.7),
      MakeWave(kBubbleWaves[1], Burst(1150, 2), 0.7),
      MakeWave(kBubbleWaves[2], Burst(760, 3), 0.7),
      MakeWave(kBubbleWaves[3], Rising(340, 900, 3, 0.07, 0.09, 10), 0.75),  // the air stone
      MakeWave(kBubbleWaves[4], Blip(520, 1400, 0.09, 0.025, 20), 0.75),     // a small fish
      MakeWave(kBubbleWaves[5], Rising(220, 620, 2, 0.09, 0.14, 30), 0.8),   // the big fish, crab
      MakeWave(kBubbleWaves[6], Growing(), 0.8),
  };
}

content::ImageSpec Spec(const vepa::Picture& p, content::PatternFn draw, int perRow = 0) {
  return {p.Name, p.Width, p.Height, p.Patterns, std::move(draw), perRow};
}

void Build(content::ContentSink& sink) {
  using namespace aquaart;
  sink.Background(kBackground, 640, 480, DrawRoom);
  sink.ImageList(kImages, {
                              Spec(kWater, DrawWater),
                              Spec(kCastle, DrawCastle),
                              Spec(kStone, DrawStone),
                              Spec(kWeed, DrawWeed),
                              Spec(kBubble, DrawBubble),
                              Spec(kBigFish, DrawBigFish, 6),
                              Spec(kSmallFish, DrawSmallFish, 6),
                              Spec(kCrab, DrawCrab, 3),
                              Spec(kBucket, DrawBucket),
                              Spec(kArm, DrawArm),
                              Spec(kRod, DrawRod),
                              Spec(kKnob, DrawKnob),
                              Spec(kHand, DrawHand, 1),
                              Spec(kHook, DrawHook),
                          });
  sink.WaveList(kWaves, BubbleWaves());
}

}  // namespace

VEPA_CONTENT_MODULE(aquarium, Build);
