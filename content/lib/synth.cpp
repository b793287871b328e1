#include "synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

// PolyBLEP correction for a discontinuity at phase 0 (t in 0..1, dt phase step).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
  enum Type { Low, High, Band };
  void Set(Type type, int rate, double f, double q) {
    f = std::clamp(f, 10.0, rate * 0.49);
    const double w0 = 2 * M_PI * f / rate, cw = std::cos(w0), alpha = std::sin(w0) / (2 * q);
    const double a0 = 1 + alpha;
    switch (type) {
      case Low:
        b0 = (1 - cw) / 2 / a0;
        b1 = (1 - cw) / a0;
        b2 = b0;
        break;
      case High:
        b0 = (1 + cw) / 2 / a0;
        b1 = -(1 + cw) / a0;
        b2 = b0;
        break;
      case Band:
        b0 = alpha / a0;
        b1 = 0;
        b2 = -alpha / a0;
        break;
    }
    a1 = -2 * cw / a0;
    a2 = (1 - alpha) / a0;
  }
};

void RunFilter(Buffer& b, Biquad::Type type, int rate, double f, double q) {
  Biquad bq;
  bq.Set(type, rate, f, q);
  for (float& s : b) s = static_cast<float>(bq.Run(s));
}

}  // namespace

double Oscillator(Wave w, double phase, double dt) {
  switch (w) {
    case Wave::Sine:
      return std::sin(2 * M_PI * phase);
    case Wave::Triangle:
      return 1.0 - 4.0 * std::fabs(phase - 0.5);
    case Wave::Saw:
      return (2.0 * phase - 1.0) - PolyBlep(phase, dt);
    case Wave::Square:
    case Wave::Pulse25:
    case Wave::Pulse12: {
      const double duty = w == Wave::Square ? 0.5 : w == Wave::Pulse25 ? 0.25 : 0.125;
      double v = phase < duty ? 1.0 : -1.0;
      v += PolyBlep(phase, dt);
      double p2 = phase - duty;
      if (p2 < 0) p2 += 1.0;
      v -= PolyBlep(p2, dt);
      return v - (2 * duty - 1);  // remove the DC of narrow pulses
    }
    case Wave::Organ:
      return (std::sin(2 * M_PI * phase) + 0.5 * std::sin(4 * M_PI * phase) +
              0.3 * std::sin(6 * M_PI * phase) + 0.12 * std::sin(8 * M_PI * phase)) /
             1.6;
    case Wave::Noise:
      return 0;
  }
  return 0;
}

size_t Samples(double seconds, int rate) {
  return seconds <= 0 ? 0 : static_cast<size_t>(std::llround(seconds * rate));
}

Buffer Silence(double seconds, int rate) { return Buffer(Samples(seconds, rate), 0.0f); }

Buffer Tone(Wave wave, double f0, double f1, double seconds, int rate, uint32_t seed) {
  Buffer b(Samples(seconds, rate));
  if (b.empty()) return b;
  f0 = std::max(1.0, f0);
  f1 = std::max(1.0, f1);
  const double ratio = std::log(f1 / f0);
  double phase = 0;
  Noise noise(seed);
  float held = noise.Next();
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / b.size();
    const double f = f0 * std::exp(ratio * t);
    const double dt = f / rate;
    if (wave == Wave::Noise) {
      b[i] = held;
    } else {
      b[i] = static_cast<float>(Oscillator(wave, phase, dt));
    }
    phase += dt;
    if (phase >= 1.0) {
      phase -= std::floor(phase);
      held = noise.Next();
    }
  }
  return b;
}

Buffer DecayedTone(Wave wave, double f0, double f1, double seconds, int rate, double attack,
                   double halfLife) {
  Buffer b = Tone(wave, f0, f1, seconds, rate);
  Decay(b, rate, attack, halfLife);
  return b;
}

Buffer NoiseBurst(double seconds, int rate, uint32_t seed, double attack, double halfLife,
                  Filter filter, double hz, double q) {
  Buffer b = WhiteNoise(seconds, rate, seed);
  switch (filter) {
    case Filter::Low:
      LowPass(b, rate, hz, q);
      break;
    case Filter::High:
      HighPass(b, rate, hz, q);
      break;
    case Filter::Band:
      BandPass(b, rate, hz, q);
      break;
  }
  Decay(b, rate, attack, halfLife);
  return b;
}

Buffer WhiteNoise(double seconds, int rate, uint32_t seed) {
  Buffer b(Samples(seconds, rate));
  Noise n(seed);
  for (float& s : b) s = n.Next();
  return b;
}

void Adsr(Buffer& b, int rate, double attack, double decay, double sustain, double release) {
  const double n = static_cast<double>(b.size());
  const double a = attack * rate, d = decay * rate, r = release * rate;
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i);
    double level;
    if (t < a) {
      level = t / a;
    } else if (t < a + d) {
      level = 1.0 - (1.0 - sustain) * (t - a) / d;
    } else {
      level = sustain;
    }
    const double toEnd = n - t;
    if (r > 0 && toEnd < r) level *= toEnd / r;
    b[i] = static_cast<float>(b[i] * level);
  }
}

void Decay(Buffer& b, int rate, double attack, double halfLife) {
  const double a = std::max(1.0, attack * rate);
  const double k = std::log(2.0) / std::max(1e-4, halfLife * rate);
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i);
    const double level = t < a ? t / a : std::exp(-k * (t - a));
    b[i] = static_cast<float>(b[i] * level);
  }
}

void FadeIn(Buffer& b, int rate, double seconds) {
  const size_t n = std::min(b.size(), Samples(seconds, rate));
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<float>(b[i] * (static_cast<double>(i) / n));
}

void FadeOut(Buffer& b, int rate, double seconds) {
  const size_t n = std::min(b.size(), Samples(seconds, rate));
  for (size_t i = 0; i < n; ++i) {
    b[b.size() - 1 - i] = static_cast<float>(b[b.size() - 1 - i] * (static_cast<double>(i) / n));
  }
}

void Tremolo(Buffer& b, int rate, double hz, double depth) {
  for (size_t i = 0; i < b.size(); ++i)
    b[i] *= (1 - depth) + depth * std::sin(2 * M_PI * hz * i / rate);
}

void LowPass(Buffer& b, int rate, double cutoff, double q) {
  RunFilter(b, Biquad::Low, rate, cutoff, q);
}
void HighPass(Buffer& b, int rate, double cutoff, double q) {
  RunFilter(b, Biquad::High, rate, cutoff, q);
}
void BandPass(Buffer& b, int rate, double centre, double q) {
  RunFilter(b, Biquad::Band, rate, centre, q);
}

void SweepLowPass(Buffer& b, int rate, double c0, double c1, double q) {
  Biquad bq;
  const double ratio = std::log(std::max(1.0, c1) / std::max(1.0, c0));
  for (size_t i = 0; i < b.size(); ++i) {
    if (i % 16 == 0) {
      const double t = static_cast<double>(i) / b.size();
      bq.Set(Biquad::Low, rate, c0 * std::exp(ratio * t), q);
    }
    b[i] = static_cast<float>(bq.Run(b[i]));
  }
}

void Drive(Buffer& b, double gain) {
  const double norm = std::tanh(gain);
  for (float& s : b) s = static_cast<float>(std::tanh(s * gain) / norm);
}

void Gain(Buffer& b, double gain) {
  for (float& s : b) s = static_cast<float>(s * gain);
}

void Mix(Buffer& dst, const Buffer& src, double gain, size_t at) {
  if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
  for (size_t i = 0; i < src.size(); ++i)
    dst[at + i] = static_cast<float>(dst[at + i] + src[i] * gain);
}

void MixAt(Buffer& dst, const Buffer& src, int rate, double seconds, double gain) {
  Mix(dst, src, gain, Samples(seconds, rate));
}

void Echo(Buffer& b, int rate, double delay, double feedback, double wet) {
  const size_t d = std::max<size_t>(1, Samples(delay, rate));
  Buffer line(b.size(), 0.0f);
  for (size_t i = d; i < b.size(); ++i) {
    line[i] = static_cast<float>(b[i - d] + line[i - d] * feedback);
  }
  for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<float>(b[i] + line[i] * wet);
}

void Normalize(Buffer& b, double peak) {
  float m = 0;
  for (float s : b) m = std::max(m, std::fabs(s));
  if (m < 1e-9f) return;
  Gain(b, peak / m);
}

std::vector<int16_t> ToPcm16(const Buffer& b) {
  std::vector<int16_t> out(b.size());
  for (size_t i = 0; i < b.size(); ++i) {
    const double v = std::clamp(static_cast<double>(b[i]), -1.0, 1.0);
    out[i] = static_cast<int16_t>(std::lround(v * 32767.0));
  }
  return out;
}

Buffer Hit(const HitRecipe& r, int rate) {
  Buffer out = Tone(r.Tone.Shape, r.Tone.F0, r.Tone.F1, r.Seconds, rate, r.Seed);
  Decay(out, rate, r.Attack, r.Tone.HalfLife);
  Gain(out, r.Tone.Gain);
  if (r.Noise.Gain > 0) {
    Buffer n = NoiseBurst(r.Seconds, rate, r.Seed + 7919, r.Attack * 0.5, r.Noise.HalfLife,
                          Filter::Band, r.Noise.Centre, r.Noise.Q);
    Mix(out, n, r.Noise.Gain);
  }
  if (r.DriveGain != 1.0) Drive(out, r.DriveGain);
  return out;
}

Buffer Kick(int rate, double pitch) {
  Buffer b = DecayedTone(Wave::Sine, 150 * pitch, 45 * pitch, 0.28, rate, 0.002, 0.06);
  Buffer click = NoiseBurst(0.01, rate, 3, 0.0005, 0.003, Filter::Low, 2500);
  Mix(b, click, 0.4);
  Drive(b, 1.5);
  return b;
}

Buffer Snare(int rate, uint32_t seed) {
  Buffer body = DecayedTone(Wave::Triangle, 210, 160, 0.18, rate, 0.001, 0.03);
  Buffer n = NoiseBurst(0.22, rate, seed, 0.001, 0.045, Filter::Band, 3200, 0.7);
  Mix(body, n, 1.4);
  return body;
}

Buffer HiHat(int rate, bool open, uint32_t seed) {
  Buffer n = NoiseBurst(open ? 0.3 : 0.06, rate, seed, 0.0008, open ? 0.07 : 0.012, Filter::High,
                        std::min(7000.0, rate * 0.35), 0.8);
  return n;
}

Buffer Bell(double freq, double seconds, int rate, double brightness) {
  // Partials of a struck bell (ratios of a minor-third bell), higher ones die faster.
  static const double kRatio[] = {0.5, 1.0, 1.19, 1.56, 2.0, 2.51, 2.66, 3.01};
  static const double kLevel[] = {0.35, 1.0, 0.6, 0.45, 0.5, 0.25, 0.2, 0.15};
  Buffer out(Samples(seconds, rate), 0.0f);
  for (int k = 0; k < 8; ++k) {
    const double f = freq * kRatio[k];
    if (f >= rate * 0.45) continue;
    Buffer p = DecayedTone(Wave::Sine, f, f, seconds, rate, 0.001,
                           seconds * 0.28 / (1 + k * 0.35 * brightness));
    Mix(out, p, kLevel[k] * (k >= 4 ? brightness : 1.0));
  }
  return out;
}

}  // namespace synth
