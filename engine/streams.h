// Byte formats of archive entries: Windows bitmaps, image-list streams, wave-list streams.
// Decoders never read out of bounds and never allocate more than the data can describe; a
// malformed stream decodes to nothing and returns false with a reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/mixer.h"
#include "engine/surface.h"

namespace vepa {

// Windows bitmap (BMP): 8-bit paletted, 16-bit 5-6-5 / 5-5-5, 24- and 32-bit, bottom-up or
// top-down, uncompressed.
bool DecodeBitmap(const uint8_t* data, size_t size, Surface& out, std::string* error = nullptr);
// 24-bit bottom-up bitmap of a surface (what the content tools write).
std::vector<uint8_t> EncodeBitmap(const Surface& s);

// Image-list stream (format in docs/archive-format.md).
bool DecodeImageList(const uint8_t* data, size_t size, std::vector<Image>& out,
                     std::string* error = nullptr);
std::vector<uint8_t> EncodeImageList(const std::vector<Image>& images);

// Wave-list stream: names, loop flags and RIFF WAVE data.
bool DecodeWaveList(const uint8_t* data, size_t size, std::vector<Wave>& out,
                    std::string* error = nullptr);
struct WaveListItem {
  std::string Name;
  bool Loop = false;
  std::vector<uint8_t> RiffWave;
};
std::vector<uint8_t> EncodeWaveList(const std::vector<WaveListItem>& items);

// A RIFF WAVE file of mono or stereo 8/16-bit PCM.
std::vector<uint8_t> EncodeRiffWave(const std::vector<int16_t>& samples, int sampleRate,
                                    int channels = 1, int bitsPerSample = 16);

}  // namespace vepa
