// Russian speech through libespeak-ng in synchronous mode: initialized once per run, the
// samples are collected by the synth callback, trimmed, levelled and resampled.
#include "speech.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

namespace content {

namespace {

std::vector<int16_t>* g_collect = nullptr;

int CollectSamples(short* wav, int count, espeak_EVENT*) {
  if (wav && count > 0 && g_collect) g_collect->insert(g_collect->end(), wav, wav + count);
  return 0;
}

int InitEspeak() {
  static int rate = -1;
  static std::string error;
  static std::once_flag once;
  std::call_once(once, [] {
    rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
      error = "espeak-ng could not be initialized (is espeak-ng-data installed?)";
      return;
    }
    espeak_SetSynthCallback(CollectSamples);
    if (espeak_SetVoiceByName("ru") != EE_OK) {
      error = "espeak-ng has no Russian voice 'ru' (install espeak-ng-data)";
      rate = -1;
    }
  });
  if (rate <= 0) throw BuildError(error);
  return rate;
}

double Sinc(double x) {
  if (std::fabs(x) < 1e-9) return 1.0;
  const double px = M_PI * x;
  return std::sin(px) / px;
}

}  // namespace

std::vector<int16_t> Resample(const std::vector<int16_t>& in, int fromRate, int toRate) {
  if (fromRate <= 0 || toRate <= 0) throw BuildError("resampling needs positive rates");
  if (fromRate == toRate || in.empty()) return in;
  const double ratio = static_cast<double>(fromRate) / toRate;  // input samples per output
  const double cutoff = std::min(1.0, 1.0 / ratio) * 0.94;       // below the new Nyquist
  const int halfTaps = static_cast<int>(std::ceil(12 / cutoff));
  // Kernel table: kPhases sub-sample offsets, each with 2 * halfTaps weights (Blackman window).
  constexpr int kPhases = 512;
  const int taps = 2 * halfTaps;
  std::vector<float> table(static_cast<size_t>(kPhases) * taps);
  for (int ph = 0; ph < kPhases; ++ph) {
    const double frac = static_cast<double>(ph) / kPhases;
    double sum = 0;
    for (int k = 0; k < taps; ++k) {
      const double d = (k - halfTaps + 1) - frac;  // distance of tap from the output point
      const double w = d / halfTaps;
      double win = std::fabs(w) >= 1 ? 0 : 0.42 + 0.5 * std::cos(M_PI * w) + 0.08 * std::cos(2 * M_PI * w);
      double v = cutoff * Sinc(cutoff * d) * win;
      table[static_cast<size_t>(ph) * taps + k] = static_cast<float>(v);
      sum += v;
    }
    for (int k = 0; k < taps; ++k) table[static_cast<size_t>(ph) * taps + k] /= static_cast<float>(sum);
  }
  const size_t outCount = static_cast<size_t>(std::floor(in.size() / ratio));
  std::vector<int16_t> out(outCount);
  const long n = static_cast<long>(in.size());
  for (size_t i = 0; i < outCount; ++i) {
    const double t = i * ratio;
    const long base = static_cast<long>(std::floor(t));
    const int ph = std::min(kPhases - 1, static_cast<int>((t - base) * kPhases));
    const float* w = &table[static_cast<size_t>(ph) * taps];
    double acc = 0;
    const long first = base - halfTaps + 1;
    for (int k = 0; k < taps; ++k) {
      const long j = first + k;
      if (j >= 0 && j < n) acc += w[k] * in[j];
    }
    out[i] = static_cast<int16_t>(std::clamp(std::lround(acc), -32768L, 32767L));
  }
  return out;
}

std::vector<int16_t> Speak(const std::string& textUtf8, int sampleRate, const Voice& voice) {
  if (sampleRate < 4000 || sampleRate > 48000) {
    throw BuildError("speech sample rate " + std::to_string(sampleRate) + " is outside 4000..48000");
  }
  if (textUtf8.empty()) throw BuildError("nothing to say: empty speech text");
  const int rate = InitEspeak();
  espeak_SetVoiceByName("ru");
  espeak_SetParameter(espeakRATE, std::clamp(voice.Speed, 80, 450), 0);
  espeak_SetParameter(espeakPITCH, std::clamp(voice.Pitch, 0, 99), 0);
  espeak_SetParameter(espeakRANGE, std::clamp(voice.Range, 0, 99), 0);
  espeak_SetParameter(espeakWORDGAP, std::clamp(voice.WordGap, 0, 100), 0);
  espeak_SetParameter(espeakVOLUME, 100, 0);
  std::vector<int16_t> raw;
  g_collect = &raw;
  espeak_ERROR err = espeak_Synth(textUtf8.c_str(), textUtf8.size() + 1, 0, POS_CHARACTER, 0,
                                  espeakCHARS_UTF8, nullptr, nullptr);
  espeak_Synchronize();
  g_collect = nullptr;
  if (err != EE_OK) throw BuildError("espeak-ng failed to speak '" + textUtf8 + "'");
  // Trim the silence espeak leaves around the words, keeping a short lead-in and tail.
  size_t b = 0, e = raw.size();
  while (b < e && std::abs(raw[b]) < 200) ++b;
  while (e > b && std::abs(raw[e - 1]) < 200) --e;
  if (b >= e) throw BuildError("espeak-ng produced silence for '" + textUtf8 + "'");
  const size_t lead = static_cast<size_t>(rate) / 50, tail = static_cast<size_t>(rate) / 10;
  b = b > lead ? b - lead : 0;
  e = std::min(raw.size(), e + tail);
  std::vector<int16_t> trimmed(raw.begin() + static_cast<long>(b), raw.begin() + static_cast<long>(e));
  // Level every phrase to the same peak so the speakers sound equally loud.
  int peak = 1;
  for (int16_t s : trimmed) peak = std::max(peak, std::abs(static_cast<int>(s)));
  const double gain = 0.85 * 32767.0 / peak * std::max(0.0, voice.Gain);
  for (int16_t& s : trimmed) {
    s = static_cast<int16_t>(std::clamp(std::lround(s * gain), -32768L, 32767L));
  }
  std::vector<int16_t> out = Resample(trimmed, rate, sampleRate);
  // A short fade at both ends avoids clicks where the trim cut into a breath.
  const size_t fade = std::min(out.size() / 2, static_cast<size_t>(sampleRate / 200));
  for (size_t i = 0; i < fade; ++i) {
    const double f = static_cast<double>(i) / fade;
    out[i] = static_cast<int16_t>(out[i] * f);
    out[out.size() - 1 - i] = static_cast<int16_t>(out[out.size() - 1 - i] * f);
  }
  return out;
}

}  // namespace content
