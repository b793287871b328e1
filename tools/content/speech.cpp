// Russian speech through libespeak-ng in synchronous mode: initialized once per run, the
// samples are collected by the synth callback, trimmed, levelled and resampled.
#include "speech.h"

#include <espeak-ng/speak_lib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
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
  const double cutoff = std::min(1.0, 1.0 / ratio) * 0.94;      // below the new Nyquist
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
      double win =
          std::fabs(w) >= 1 ? 0 : 0.42 + 0.5 * std::cos(M_PI * w) + 0.08 * std::cos(2 * M_PI * w);
      double v = cutoff * Sinc(cutoff * d) * win;
      table[static_cast<size_t>(ph) * taps + k] = static_cast<float>(v);
      sum += v;
    }
    for (int k = 0; k < taps; ++k)
      table[static_cast<size_t>(ph) * taps + k] /= static_cast<float>(sum);
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

namespace {

// Raw espeak output at its own rate. Runs in a child process (see SpeakAll).
std::string VoiceName(const Voice& voice) {
  return voice.Variant.empty() ? "ru" : "ru+" + voice.Variant;
}

std::vector<int16_t> SynthesizeRaw(const std::string& textUtf8, const Voice& voice) {
  espeak_SetVoiceByName(VoiceName(voice).c_str());
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
  if (err != EE_OK) raw.clear();
  return raw;
}

bool WriteAll(int fd, const void* data, size_t n) {
  const char* p = static_cast<const char*>(data);
  while (n > 0) {
    const ssize_t w = write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

struct Child {
  pid_t Pid = -1;
  int Fd = -1;
  size_t Job = 0;
};

// espeak-ng keeps state between utterances (its pitch flutter runs on), so the same text
// would sound slightly different depending on what was said before. Each phrase is therefore
// spoken by a forked child that starts from the freshly initialized engine: the same text
// always gives the same samples, and two phrases can be spoken at once.
Child StartChild(const std::string& text, const Voice& voice, size_t job) {
  int fds[2];
  if (pipe(fds) != 0) throw BuildError("cannot create a pipe for speech synthesis");
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    throw BuildError("cannot fork for speech synthesis");
  }
  if (pid == 0) {
    close(fds[0]);
    const std::vector<int16_t> raw = SynthesizeRaw(text, voice);
    const uint64_t n = raw.size();
    const bool ok = WriteAll(fds[1], &n, sizeof n) &&
                    WriteAll(fds[1], raw.data(), raw.size() * sizeof(int16_t));
    close(fds[1]);
    _exit(ok ? 0 : 1);
  }
  close(fds[1]);
  return {pid, fds[0], job};
}

std::vector<int16_t> FinishChild(const Child& c, const std::string& text) {
  std::vector<uint8_t> bytes;
  uint8_t buf[65536];
  for (;;) {
    const ssize_t r = read(c.Fd, buf, sizeof buf);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    bytes.insert(bytes.end(), buf, buf + r);
  }
  close(c.Fd);
  int status = 0;
  while (waitpid(c.Pid, &status, 0) < 0 && errno == EINTR) {
  }
  uint64_t n = 0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.size() < sizeof n) {
    throw BuildError("speech synthesis failed for '" + text + "'");
  }
  std::memcpy(&n, bytes.data(), sizeof n);
  if (bytes.size() != sizeof n + n * sizeof(int16_t))
    throw BuildError("speech synthesis returned short data");
  std::vector<int16_t> raw(n);
  std::memcpy(raw.data(), bytes.data() + sizeof n, n * sizeof(int16_t));
  return raw;
}

// Trims, levels and resamples raw speech.
std::vector<int16_t> Finish(std::vector<int16_t> raw, int rate, const SpeechJob& job) {
  size_t b = 0, e = raw.size();
  while (b < e && std::abs(raw[b]) < 200) ++b;
  while (e > b && std::abs(raw[e - 1]) < 200) --e;
  if (b >= e) throw BuildError("espeak-ng produced silence for '" + job.Text + "'");
  // Keep a short lead-in and tail around the words.
  const size_t lead = static_cast<size_t>(rate) / 50, tail = static_cast<size_t>(rate) / 10;
  b = b > lead ? b - lead : 0;
  e = std::min(raw.size(), e + tail);
  std::vector<int16_t> trimmed(raw.begin() + static_cast<long>(b),
                               raw.begin() + static_cast<long>(e));
  // Level every phrase to the same peak so the speakers sound equally loud.
  int peak = 1;
  for (int16_t s : trimmed) peak = std::max(peak, std::abs(static_cast<int>(s)));
  const double gain = 0.85 * 32767.0 / peak * std::max(0.0, job.SpeakerVoice.Gain);
  for (int16_t& s : trimmed)
    s = static_cast<int16_t>(std::clamp(std::lround(s * gain), -32768L, 32767L));
  std::vector<int16_t> out = Resample(trimmed, rate, job.SampleRate);
  // A short fade at both ends avoids clicks where the trim cut into a breath.
  const size_t fade = std::min(out.size() / 2, static_cast<size_t>(job.SampleRate / 200));
  for (size_t i = 0; i < fade; ++i) {
    const double f = static_cast<double>(i) / fade;
    out[i] = static_cast<int16_t>(out[i] * f);
    out[out.size() - 1 - i] = static_cast<int16_t>(out[out.size() - 1 - i] * f);
  }
  return out;
}

std::string g_cacheDir;

// The cache key: every input of the synthesis, the espeak-ng version and this file's own
// processing version (bump kCacheVersion when trimming, levelling or resampling change).
std::string CacheFile(const SpeechJob& job) {
  constexpr int kCacheVersion = 1;
  const char* path = nullptr;
  const std::string key =
      job.Text + "|" + std::to_string(job.SampleRate) + "|" +
      std::to_string(job.SpeakerVoice.Pitch) + "|" + std::to_string(job.SpeakerVoice.Speed) + "|" +
      std::to_string(job.SpeakerVoice.Range) + "|" + std::to_string(job.SpeakerVoice.WordGap) +
      "|" + std::to_string(job.SpeakerVoice.Gain) + "|" + espeak_Info(&path) + "|" +
      std::to_string(kCacheVersion) +
      (job.SpeakerVoice.Variant.empty() ? "" : "|" + job.SpeakerVoice.Variant);
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : key) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char name[40];
  std::snprintf(name, sizeof name, "%016llx.pcm", static_cast<unsigned long long>(h));
  return g_cacheDir + "/" + name;
}

bool LoadCached(const SpeechJob& job, std::vector<int16_t>& out) {
  if (g_cacheDir.empty()) return false;
  std::FILE* f = std::fopen(CacheFile(job).c_str(), "rb");
  if (!f) return false;
  std::vector<int16_t> data;
  int16_t buf[4096];
  size_t n;
  while ((n = std::fread(buf, sizeof(int16_t), 4096, f)) > 0) data.insert(data.end(), buf, buf + n);
  std::fclose(f);
  if (data.empty()) return false;
  out = std::move(data);
  return true;
}

void StoreCached(const SpeechJob& job, const std::vector<int16_t>& samples) {
  if (g_cacheDir.empty()) return;
  const std::string file = CacheFile(job), tmp = file + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return;  // a cache that cannot be written only costs time
  const bool ok = std::fwrite(samples.data(), sizeof(int16_t), samples.size(), f) == samples.size();
  std::fclose(f);
  if (ok) {
    std::rename(tmp.c_str(), file.c_str());
  } else {
    std::remove(tmp.c_str());
  }
}

}  // namespace

void SetSpeechCache(const std::string& dir) {
  g_cacheDir = dir;
  if (!dir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) g_cacheDir.clear();
  }
}

std::vector<std::vector<int16_t>> SpeakAll(const std::vector<SpeechJob>& jobs, int parallel) {
  for (const SpeechJob& j : jobs) {
    if (j.SampleRate < 4000 || j.SampleRate > 48000) {
      throw BuildError("speech sample rate " + std::to_string(j.SampleRate) +
                       " is outside 4000..48000");
    }
    if (j.Text.empty()) throw BuildError("nothing to say: empty speech text");
  }
  const int rate = InitEspeak();
  // espeak-ng takes a variant it does not have without a word and speaks the plain voice:
  // refuse one that is not among its variant files.
  for (const SpeechJob& j : jobs) {
    const std::string& variant = j.SpeakerVoice.Variant;
    if (variant.empty()) continue;
    const bool plain = std::all_of(variant.begin(), variant.end(),
                                   [](unsigned char c) { return std::isalnum(c) || c == '_'; });
    const char* data = nullptr;
    espeak_Info(&data);
    const std::string file = std::string(data ? data : "") + "/voices/!v/" + variant;
    if (!plain || access(file.c_str(), R_OK) != 0)
      throw BuildError("espeak-ng has no voice variant '" + variant + "'");
  }
  parallel = std::max(1, parallel);
  std::vector<std::vector<int16_t>> results(jobs.size());
  std::deque<Child> running;
  size_t next = 0;
  try {
    while (next < jobs.size() || !running.empty()) {
      while (next < jobs.size() && static_cast<int>(running.size()) < parallel) {
        if (LoadCached(jobs[next], results[next])) {
          ++next;
          continue;
        }
        running.push_back(StartChild(jobs[next].Text, jobs[next].SpeakerVoice, next));
        ++next;
      }
      if (running.empty()) continue;
      const Child c = running.front();
      running.pop_front();
      results[c.Job] = Finish(FinishChild(c, jobs[c.Job].Text), rate, jobs[c.Job]);
      StoreCached(jobs[c.Job], results[c.Job]);
    }
  } catch (...) {
    for (const Child& c : running) {
      close(c.Fd);
      int status = 0;
      waitpid(c.Pid, &status, 0);
    }
    throw;
  }
  return results;
}

std::vector<int16_t> Speak(const std::string& textUtf8, int sampleRate, const Voice& voice) {
  return SpeakAll({{textUtf8, sampleRate, voice}}, 1)[0];
}

}  // namespace content
