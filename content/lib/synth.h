// A small synthesizer for the game's sound effects and music: oscillators, noise, envelopes,
// filters and mixing on float buffers (-1..1), rendered deterministically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace synth {

using Buffer = std::vector<float>;

enum class Wave { Sine, Triangle, Saw, Square, Pulse25, Pulse12, Organ, Noise };

// Deterministic white noise source.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  float Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<int32_t>(state_)) / 2147483648.0f;
  }

 private:
  uint32_t state_;
};

size_t Samples(double seconds, int rate);
Buffer Silence(double seconds, int rate);

// One sample of a wave at a phase (0..1) that steps by dt a sample; the edges of saws and
// pulses are smoothed (PolyBLEP). Noise gives 0 (it is not periodic).
double Oscillator(Wave w, double phase, double dt);
// A tone whose frequency glides exponentially from f0 to f1 over its length. Saw and square
// waves are band-limited (no harsh aliasing at high pitches).
Buffer Tone(Wave wave, double f0, double f1, double seconds, int rate, uint32_t seed = 1);
// The same tone struck: rising over `attack` seconds, then halving every halfLife (Decay).
Buffer DecayedTone(Wave wave, double f0, double f1, double seconds, int rate, double attack,
                   double halfLife);
// White noise.
Buffer WhiteNoise(double seconds, int rate, uint32_t seed);

// Envelopes applied in place.
// Attack-decay-sustain-release over the buffer: the release starts `release` before the end.
void Adsr(Buffer& b, int rate, double attack, double decay, double sustain, double release);
// Exponential decay from 1 after an attack: the level halves every halfLife seconds.
void Decay(Buffer& b, int rate, double attack, double halfLife);
void FadeIn(Buffer& b, int rate, double seconds);
void FadeOut(Buffer& b, int rate, double seconds);
// A tremolo: the level swings `hz` times a second between 1 and 1 - 2 * depth.
void Tremolo(Buffer& b, int rate, double hz, double depth);

// Filters applied in place (biquads after the RBJ cookbook).
void LowPass(Buffer& b, int rate, double cutoff, double q = 0.707);
void HighPass(Buffer& b, int rate, double cutoff, double q = 0.707);
void BandPass(Buffer& b, int rate, double centre, double q);
// A burst of white noise, struck like DecayedTone, through one of the filters above (for a
// band pass, q is its width).
enum class Filter { Low, High, Band };
Buffer NoiseBurst(double seconds, int rate, uint32_t seed, double attack, double halfLife,
                  Filter filter, double hz, double q = 0.707);
// A low-pass whose cutoff glides exponentially from c0 to c1 (a "wah" or closing filter).
void SweepLowPass(Buffer& b, int rate, double c0, double c1, double q = 0.9);

// Soft saturation (tanh) with a drive gain: warmth for thuds and buzzers.
void Drive(Buffer& b, double gain);
void Gain(Buffer& b, double gain);
// Adds src into dst starting at sample `at`, growing dst as needed.
void Mix(Buffer& dst, const Buffer& src, double gain = 1.0, size_t at = 0);
void MixAt(Buffer& dst, const Buffer& src, int rate, double seconds, double gain = 1.0);
// A feedback echo (delay in seconds, feedback 0..1).
void Echo(Buffer& b, int rate, double delay, double feedback, double wet);
// Scales so the highest peak is `peak` (0..1). Silence stays silence.
void Normalize(Buffer& b, double peak = 0.9);
// 16-bit PCM, clipped.
std::vector<int16_t> ToPcm16(const Buffer& b);

// Ready-made percussive sounds, shared by effects and the score player.
Buffer Kick(int rate, double pitch = 1.0);
Buffer Snare(int rate, uint32_t seed = 7);
Buffer HiHat(int rate, bool open = false, uint32_t seed = 11);
// A struck metal bar or bell: inharmonic partials with long decay.
Buffer Bell(double freq, double seconds, int rate, double brightness = 1.0);

// The recipe of most effects: a tone gliding from F0 to F1 that dies away, under a burst of
// band-passed noise with its own, usually shorter, decay; mixed and driven. A knock, a tock, a
// slap, a squeak and a bubble are all this with other numbers:
//
//   Hit({.Seconds = 0.12, .Tone = {.F0 = 900, .F1 = 600}, .Noise = {.Centre = 1800}}, rate)
struct HitTone {
  Wave Shape = Wave::Sine;
  double F0 = 440, F1 = 440;
  double HalfLife = 0.05;  // seconds for the tone to halve
  double Gain = 1.0;
};
struct HitNoise {
  double Centre = 2000, Q = 1.0;  // band-pass of the noise
  double HalfLife = 0.01;
  double Gain = 0.8;  // 0: no noise
};
struct HitRecipe {
  double Seconds = 0.3;
  HitTone Tone = {};
  HitNoise Noise = {};
  double Attack = 0.001;
  double DriveGain = 1.0;  // 1: no saturation
  uint32_t Seed = 1;
};
Buffer Hit(const HitRecipe& r, int rate);

// A score: a text with instruments and parts (format in docs/content.md), rendered to one
// mono buffer. With loop set, sound that rings past the end is folded onto the start so the
// tune loops without a click. Throws content::BuildError with file and line on mistakes.
Buffer RenderScore(std::string_view text, const std::string& fileName, int rate, bool loop);

}  // namespace synth
