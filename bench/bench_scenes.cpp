// Whole-game benchmarks on the default archive: the start-up to the first frame, every scene's
// load (archive reads and decoding) and every scene's tick (its logic and the full software
// render of the frame, as the frame loop runs it over the headless layer).
//
// A scene's tick is measured along a road: the scene is loaded into a running game and a
// seeded monkey plays it (pointer moves, clicks aimed at the hit map's items, keys) for up to
// kRoadTicks ticks, the same road in every iteration (the counter roads_alike checks it). The
// benchmark's time is the mean tick of the road; the counter busiest_us is its busiest tick: for
// each tick of the road the fastest of all iterations (so that a moment the machine was busy
// elsewhere does not count), then the slowest of those; quiet_mean_us is the mean of those fastest
// ticks. On a shared machine the plain mean also counts the times the benchmark was not running.
// The tick presents the frame to the headless backend, which keeps a copy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/sound.h"
#include "tests/monkey.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

using Clock = std::chrono::steady_clock;
using monkey::GameSession;
using monkey::Monkey;

constexpr int kRoadTicks = 200;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The hub is entered as after a new game (the cashier greets the player); others plainly.
int EntryArg(int scene) { return FindScene(scene) ? FindScene(scene)->UsualArg : 0; }

// Money for the kiosk's offers and tickets for the ticket and draw scenes.
void GiveTickets(Game& g) {
  g.Money = 1000;
  g.Tickets = 3;
}

void BM_StartUpToFirstFrame(benchmark::State& st) {
  for (auto _ : st) {
    const auto t0 = Clock::now();
    auto session = std::make_unique<GameSession>(VEPA_DATA_DIR, 1);
    session->Tick();
    const auto t1 = Clock::now();
    st.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    if (session->backend().PresentCount() != 1) {
      st.SkipWithError("no frame presented (is the default archive built?)");
      break;
    }
  }
}
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SceneLoad(benchmark::State& st) {
  const int scene = static_cast<int>(st.range(0));
  GameSession session(VEPA_DATA_DIR, 1, scene, 0, true, GiveTickets);
  Game& g = session.game();
  if (!g.GetScene(scene) || g.FatalError) {
    st.SkipWithError("scene not in the table, or no archive");
    return;
  }
  for (auto _ : st) {
    g.LoadScene(scene, 0);
    benchmark::DoNotOptimize(g.HitMap.data());
  }
  if (g.FatalError) st.SkipWithError("the load set FatalError");
}
// Every built scene of the catalogue.
void BuiltScenes(benchmark::internal::Benchmark* b) {
  for (const SceneInfo& s : SceneCatalogue())
    if (s.Built()) b->Arg(s.Number());
}
BENCHMARK(BM_SceneLoad)->Apply(BuiltScenes)->Unit(benchmark::kMicrosecond);

// The longest spoken clip of the default archive (the draw announcer's "tvroz01") loaded into
// the speech channel and started, as a scene does in the tick where someone starts to speak.
void BM_SpeechClipLoad(benchmark::State& st) {
  GameSession session(VEPA_DATA_DIR, 7, 24);
  Game& g = session.game();
  std::vector<uint8_t> bytes;
  if (g.FatalError || !g.SoundAvailable ||
      g.archive.ReadEntry("tvroz01", bytes, true) != ArchiveResult::Ok) {
    st.SkipWithError("no default archive with tvroz01, or no sound");
    return;
  }
  st.counters["stored_KB"] = static_cast<double>(bytes.size()) / 1024;
  for (auto _ : st) SayWave(g, "tvroz01", 22050);
}
BENCHMARK(BM_SpeechClipLoad)->Unit(benchmark::kMicrosecond);

void BM_SceneTick(benchmark::State& st) {
  const int scene = static_cast<int>(st.range(0));
  std::vector<double> fastest(kRoadTicks, std::numeric_limits<double>::infinity());
  double totalUs = 0;
  int64_t totalTicks = 0;
  int roadLength = kRoadTicks;
  // One running game plays every road: it runs a few ticks of the start-up sequence first, so
  // that the frame buffers have been written and the common pictures drawn; then for each road
  // a new game starts from the same seed and the scene is loaded again, as when the player
  // comes back to it. What the game keeps between scenes (the common pictures and the shrunk
  // glyphs of its text) stays as in play. Only the ticks of the road are timed.
  GameSession session(VEPA_DATA_DIR, 7);
  Game& g = session.game();
  for (int i = 0; i < 3; ++i) session.Tick();
  // Every road starts from the shared state the game had then (pointer, fades, frame parity).
  const SharedState start = g;
  const uint32_t seed = g.rng.Seed;
  std::vector<uint64_t> roadEnds;
  for (auto _ : st) {
    static_cast<SharedState&>(g) = start;
    g.rng.Seed = seed;
    g.QuitRequested = false;
    g.NewGame();
    GiveTickets(g);
    g.LoadScene(scene, EntryArg(scene));
    if (!g.GetScene(scene) || g.FatalError || g.SceneNumber != scene) {
      st.SkipWithError("scene not in the table, or no archive");
      return;
    }
    Monkey monkey(11);
    double roadUs = 0;
    int t = 0;
    for (; t < kRoadTicks && !g.QuitRequested; ++t) {
      monkey.Step(session);
      const auto t0 = Clock::now();
      g.Tick();
      const auto t1 = Clock::now();
      session.layer().AdvanceAudio(0.05);
      // The tick that left the scene ran the next scene's loader: that is a load, measured by
      // BM_SceneLoad, and the road ends before it.
      if (g.SceneNumber != scene) break;
      const double us = Micros(t1 - t0);
      fastest[static_cast<size_t>(t)] = std::min(fastest[static_cast<size_t>(t)], us);
      roadUs += us;
    }
    monkey.ReleaseAll(session);
    roadEnds.push_back(session.backend().FrameHash() ^ static_cast<uint64_t>(t));
    roadLength = std::min(roadLength, t);
    totalUs += roadUs;
    totalTicks += t;
    st.SetIterationTime(t > 0 ? roadUs / t / 1e6 : 0.0);
  }
  double busiest = 0, quiet = 0;
  int busiestTick = 0;
  for (int i = 0; i < roadLength; ++i) {
    quiet += fastest[static_cast<size_t>(i)];
    if (fastest[static_cast<size_t>(i)] > busiest) {
      busiest = fastest[static_cast<size_t>(i)];
      busiestTick = i + 1;
    }
  }
  // 1 when every road ended on the same frame after the same number of ticks.
  st.counters["roads_alike"] =
      std::all_of(roadEnds.begin(), roadEnds.end(), [&](uint64_t e) { return e == roadEnds[0]; });
  st.counters["busiest_us"] = busiest;
  st.counters["quiet_mean_us"] = roadLength > 0 ? quiet / roadLength : 0.0;
  st.counters["busiest_tick"] = busiestTick;
  st.counters["mean_us"] = totalTicks ? totalUs / static_cast<double>(totalTicks) : 0.0;
  st.counters["road_ticks"] = roadLength;
}
BENCHMARK(BM_SceneTick)
    ->Apply(BuiltScenes)
    ->UseManualTime()
    // Each iteration plays a whole road of up to 200 ticks; 15 of them give steady minima.
    ->Iterations(15)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vepa
