// Speech synthesis for phrases and clips, and the resampler that brings audio to the rate the
// game plays it at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content.h"

namespace content {

struct SpeechJob {
  std::string Text;  // UTF-8, Russian
  int SampleRate = 11025;
  Voice SpeakerVoice;
};
// Speaks every job (up to `parallel` at once); results in job order. The same job always
// gives the same samples, whatever was spoken before it.
std::vector<std::vector<int16_t>> SpeakAll(const std::vector<SpeechJob>& jobs, int parallel = 2);

// Keeps finished speech in `dir` (one file per text, rate and voice), so unchanged phrases are
// not synthesized again on the next build. Empty: no cache.
void SetSpeechCache(const std::string& dir);

// Band-limited resampling (windowed sinc) of mono samples from one rate to another.
std::vector<int16_t> Resample(const std::vector<int16_t>& in, int fromRate, int toRate);

}  // namespace content
