// Speech synthesis for phrases and clips, and the resampler that brings audio to the rate the
// game plays it at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content.h"

namespace content {

// Band-limited resampling (windowed sinc) of mono samples from one rate to another.
std::vector<int16_t> Resample(const std::vector<int16_t>& in, int fromRate, int toRate);

}  // namespace content
