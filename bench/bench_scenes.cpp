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
//
// BM_ScenePlayed times the played roads of bench/scene_roads.h in the same way: for the scenes
// whose busiest moments the monkey seldom reaches, a scripted player bets, punches, shoots,
// eats, fishes or turns pages, up to the end of the scene; the counter prize is the prize money
// the road left (GameWinnings), so a road that missed its moments shows it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "bench/scene_roads.h"
#include "engine/sound.h"
#include "tests/monkey.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

using Clock = std::chrono::steady_clock;
using monkey::GameSession;
using monkey::Monkey;

constexpr int kRoadTicks = 200;

// The hub is entered as after a new game (the cashier greets the player); others plainly.
int EntryArg(int scene) { return FindScene(scene) ? FindScene(scene)->UsualArg : 0; }

// Money for the kiosk's offers and tickets for the ticket and draw scenes.
void GiveTickets(Game& g) {
  g.Money = 1000;
  g.Tickets = 3;
}

// Back to the shared state `start` and the seed a road begins with, in a new game with tickets.
void NewGameFrom(Game& g, const SharedState& start, uint32_t seed) {
  static_cast<SharedState&>(g) = start;
  g.rng.Seed = seed;
  g.QuitRequested = false;
  g.NewGame();
  GiveTickets(g);
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
  roads::TickFigures figures;
  double totalUs = 0;
  int64_t totalTicks = 0;
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
  std::vector<double> ticks, ticksCpu;
  for (auto _ : st) {
    NewGameFrom(g, start, seed);
    g.LoadScene(scene, EntryArg(scene));
    if (!g.GetScene(scene) || g.FatalError || g.SceneNumber != scene) {
      st.SkipWithError("scene not in the table, or no archive");
      return;
    }
    Monkey monkey(11);
    ticks.clear();
    ticksCpu.clear();
    // The tick that leaves the scene runs the next scene's loader: that is a load, measured by
    // BM_SceneLoad, and the road ends before it.
    roads::Road road(session, scene, kRoadTicks, ticks, ticksCpu);
    do {
      monkey.Step(session);
    } while (road.Tick());
    monkey.ReleaseAll(session);
    roadEnds.push_back(session.backend().FrameHash() ^ static_cast<uint64_t>(ticks.size()));
    figures.Add(ticks, ticksCpu);
    double roadUs = 0;
    for (double us : ticks) roadUs += us;
    totalUs += roadUs;
    totalTicks += static_cast<int64_t>(ticks.size());
    st.SetIterationTime(ticks.empty() ? 0.0 : roadUs / static_cast<double>(ticks.size()) / 1e6);
  }
  // 1 when every road ended on the same frame after the same number of ticks.
  st.counters["roads_alike"] =
      std::all_of(roadEnds.begin(), roadEnds.end(), [&](uint64_t e) { return e == roadEnds[0]; });
  figures.Report(st.counters);
  st.counters["mean_us"] = totalTicks ? totalUs / static_cast<double>(totalTicks) : 0.0;
}
BENCHMARK(BM_SceneTick)
    ->Apply(BuiltScenes)
    ->UseManualTime()
    // Each iteration plays a whole road of up to 200 ticks; 15 of them give steady minima.
    ->Iterations(15)
    ->Unit(benchmark::kMicrosecond);

void BM_ScenePlayed(benchmark::State& st) {
  const int scene = static_cast<int>(st.range(0));
  const std::vector<roads::PlayedRoad> all = roads::PlayedRoads();
  const auto road = std::find_if(all.begin(), all.end(), [&](const roads::PlayedRoad& r) {
    return SceneNo(r.Scene) == scene;
  });
  GameSession session(VEPA_DATA_DIR, 7);
  Game& g = session.game();
  for (int i = 0; i < 3; ++i) session.Tick();
  const SharedState start = g;
  const uint32_t seed = g.rng.Seed;
  roads::TickFigures figures;
  std::vector<uint64_t> roadEnds;
  std::vector<double> ticks, ticksCpu;
  int prize = 0;
  for (auto _ : st) {
    NewGameFrom(g, start, seed);
    if (road->Setup) road->Setup(g);
    g.LoadScene(scene, road->Arg);
    if (!g.GetScene(scene) || g.FatalError || g.SceneNumber != scene) {
      st.SkipWithError("scene not in the table, or no archive");
      return;
    }
    ticks.clear();
    ticksCpu.clear();
    roads::Road r(session, scene, road->Limit, ticks, ticksCpu);
    road->Play(r);
    for (int k : {key::Left, key::Right, key::Up, key::Down, key::Ctrl, key::Digit0 + 1,
                  key::Digit0 + 2, key::Digit0 + 3, key::Digit0 + 4, key::Digit0 + 5})
      session.KeyUp(k);
    session.MouseUp(0, g.MouseX, g.MouseY);
    prize = g.GameWinnings;
    roadEnds.push_back(session.backend().FrameHash() ^ ticks.size());
    figures.Add(ticks, ticksCpu);
    double roadUs = 0;
    for (double us : ticks) roadUs += us;
    st.SetIterationTime(ticks.empty() ? 0.0 : roadUs / static_cast<double>(ticks.size()) / 1e6);
  }
  st.counters["roads_alike"] =
      std::all_of(roadEnds.begin(), roadEnds.end(), [&](uint64_t e) { return e == roadEnds[0]; });
  figures.Report(st.counters);
  st.counters["prize"] = prize;
}
// Every built scene with a played road.
void PlayedScenes(benchmark::internal::Benchmark* b) {
  for (const roads::PlayedRoad& r : roads::PlayedRoads())
    if (FindScene(SceneNo(r.Scene)) && FindScene(SceneNo(r.Scene))->Built())
      b->Arg(SceneNo(r.Scene));
}
BENCHMARK(BM_ScenePlayed)
    ->Apply(PlayedScenes)
    ->UseManualTime()
    // Roads are up to 1500 ticks long: 7 iterations give steady minima.
    ->Iterations(7)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vepa
