#include "wave_finish.h"

#include <utility>

namespace content {

std::vector<int16_t> WaveFinish::Pcm(synth::Buffer b, double peak) const {
  synth::Normalize(b, peak);
  if (FadeIn > 0) synth::FadeIn(b, Rate, FadeIn);
  if (FadeOut > 0) synth::FadeOut(b, Rate, FadeOut);
  return synth::ToPcm16(b);
}

WaveSpec WaveFinish::operator()(std::string name, synth::Buffer b, double peak) const {
  return {std::move(name), false, Pcm(std::move(b), peak), Rate};
}

synth::Buffer SpokenBuffer(const std::string& textUtf8, int sampleRate, const Voice& voice) {
  const std::vector<int16_t> pcm = Speak(textUtf8, sampleRate, voice);
  synth::Buffer b(pcm.size());
  for (size_t i = 0; i < pcm.size(); ++i) b[i] = pcm[i] / 32768.0f;
  return b;
}

}  // namespace content
