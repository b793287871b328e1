// The audio callback's work: mixing a device buffer from many playing sounds at different
// rates, volumes and pans, and the headless clock that replaces it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/mixer.h"

namespace vepa {
namespace {

// Sounds like a busy scene: effects at the game's rates, a phrase and a looping tune.
std::vector<Wave> BusySounds(int count) {
  const int rates[] = {8000, 11000, 12000, 13000, 14000, 22000, 15000, 3000};
  std::vector<Wave> waves(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    SoundBuffer& b = waves[static_cast<size_t>(i)].Buffer;
    b.Channels = (i % 3 == 0) ? 2 : 1;
    b.BitsPerSample = (i % 4 == 0) ? 8 : 16;
    b.SampleRate = 22050;
    b.Data.resize(static_cast<size_t>(22050) * b.BlockAlign() * 2);  // two seconds
    for (size_t k = 0; k < b.Data.size(); ++k)
      b.Data[k] = static_cast<uint8_t>(128 + 100 * std::sin(k * 0.01 * (i + 1)));
    b.SetFrequency(rates[i % 8]);
    b.SetVolume(-300 * (i % 5));
    b.SetPan((i % 7 - 3) * 3000);
    b.Play(true);
  }
  return waves;
}

void BM_MixDeviceBuffer(benchmark::State& state) {
  std::vector<Wave> waves = BusySounds(static_cast<int>(state.range(0)));
  Mixer mixer;
  mixer.SetSources({&waves});
  std::vector<int16_t> out(1024 * 2);
  for (auto _ : state) {
    mixer.Mix(out.data(), 1024, 44100);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_MixDeviceBuffer)->Arg(2)->Arg(8)->Arg(16);

void BM_AdvanceOneTick(benchmark::State& state) {
  std::vector<Wave> waves = BusySounds(16);
  Mixer mixer;
  mixer.SetSources({&waves});
  for (auto _ : state) {
    mixer.Advance(0.05);
    benchmark::DoNotOptimize(waves.data());
  }
}
BENCHMARK(BM_AdvanceOneTick);

}  // namespace
}  // namespace vepa
