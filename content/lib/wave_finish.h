// The last steps of every synthesized sound before it goes into the archive: scaled to its
// peak, faded in and out so it starts and stops without a click, and turned to 16-bit samples
// at the rate its wave list plays it. A module says once how its effects are finished:
//
//   constexpr content::WaveFinish MakeWave{.Rate = 11000, .FadeOut = 0.004};
//   sink.WaveList("w_zmiy01", {MakeWave("Hom01", Chomp()), MakeWave("Die01", Crash(), 0.9)});
//
// Speech that an effect mixes or treats (a groan, a laugh, a mumble through a loudspeaker)
// comes as a buffer from SpokenBuffer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "content.h"
#include "synth.h"

namespace content {

struct WaveFinish {
  int Rate = 11000;
  double FadeIn = 0;   // seconds at the start that rise from silence; 0: none
  double FadeOut = 0;  // seconds at the end that fall to silence; 0: none
  double Peak = 0.85;  // the highest sample (0..1) where a call names none

  std::vector<int16_t> Pcm(synth::Buffer b) const { return Pcm(std::move(b), Peak); }
  std::vector<int16_t> Pcm(synth::Buffer b, double peak) const;
  WaveSpec operator()(std::string name, synth::Buffer b) const {
    return (*this)(std::move(name), std::move(b), Peak);
  }
  WaveSpec operator()(std::string name, synth::Buffer b, double peak) const;
};

// Speech from espeak-ng (see Speak) as a float buffer at sampleRate.
synth::Buffer SpokenBuffer(const std::string& textUtf8, int sampleRate, const Voice& voice);

}  // namespace content
