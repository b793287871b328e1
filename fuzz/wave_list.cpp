// Wave-list streams: the decoder over arbitrary bytes, then the waves played through the mixer
// the way the sound channels use them (looped or once, at odd rates, volumes and pans, moved
// to a position) and mixed into a device buffer whose samples must stay in range.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/mixer.h"
#include "engine/streams.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<Wave> waves;
  std::string error;
  if (!DecodeWaveList(data, size, waves, &error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(waves.empty());
    return 0;
  }
  uint32_t seed = size > 4 ? data[size - 1] | (data[size - 2] << 8) : 7;
  for (Wave& w : waves) {
    const SoundBuffer& b = w.Buffer;
    FUZZ_CHECK(!w.Name.empty());
    FUZZ_CHECK(b.Channels == 1 || b.Channels == 2);
    FUZZ_CHECK(b.BitsPerSample == 8 || b.BitsPerSample == 16);
    FUZZ_CHECK(b.Data.size() % static_cast<size_t>(b.BlockAlign()) == 0);
    seed = seed * 1103515245u + 12345u;
    w.Buffer.SetFrequency(static_cast<int>(seed % 120000));
    w.Buffer.SetVolume(-static_cast<int>(seed % 12000));
    w.Buffer.SetPan(static_cast<int>(seed % 30001) - 15000);
    w.Buffer.SetPosition(seed % (b.Data.size() + 8));
    w.Buffer.Play(w.Loop || (seed & 1));
  }
  Mixer mixer;
  mixer.SetSources({&waves});
  std::vector<int16_t> out(2 * 512);
  for (int round = 0; round < 3; ++round) {
    mixer.Mix(out.data(), 512, round == 1 ? 22050 : 44100);
    mixer.Advance(0.013);
  }
  for (const Wave& w : waves) {
    FUZZ_CHECK(w.Buffer.Position >= 0);
    FUZZ_CHECK(w.Buffer.GetPosition() <= w.Buffer.Data.size());
  }
  return 0;
}
