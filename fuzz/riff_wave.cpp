// RIFF WAVE files (speech, music and every wave of a list): the parser over arbitrary bytes,
// then the buffer played to its end in simulated time, reading every frame as the mixer does.
#include <cstdint>
#include <string>

#include "engine/mixer.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SoundBuffer buffer;
  buffer.Data = {9, 9};
  std::string error;
  if (!ParseWave(data, size, buffer, &error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(buffer.Data.size() == 2);  // a failed parse leaves the buffer untouched
    return 0;
  }
  FUZZ_CHECK(buffer.Channels == 1 || buffer.Channels == 2);
  FUZZ_CHECK(buffer.BitsPerSample == 8 || buffer.BitsPerSample == 16);
  FUZZ_CHECK(buffer.SampleRate >= 100 && buffer.SampleRate <= 384000);
  FUZZ_CHECK(buffer.Data.size() % static_cast<size_t>(buffer.BlockAlign()) == 0);
  FUZZ_CHECK(buffer.Data.size() <= size);
  const size_t frames = buffer.FrameCount();
  float left = 0, right = 0;
  for (size_t i = 0; i < frames && i < 4096; ++i) {
    buffer.FrameAt(i, left, right);
    FUZZ_CHECK(left >= -1.0f && left <= 1.0f && right >= -1.0f && right <= 1.0f);
  }
  buffer.Play(false);
  FUZZ_CHECK(buffer.IsPlaying() == (frames > 0));
  buffer.Advance(0.01);
  FUZZ_CHECK(buffer.GetPosition() <= buffer.Data.size());
  // Played once for longer than it lasts, the buffer ends stopped and rewound.
  buffer.Advance(static_cast<double>(frames) / buffer.Frequency + 0.5);
  FUZZ_CHECK(!buffer.IsPlaying());
  FUZZ_CHECK(buffer.GetPosition() == 0);
  return 0;
}
