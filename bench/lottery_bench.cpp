// The lottery scenes on the default archive: their loads, and their busiest ticks (logic and
// the full software render): the draw with the announcer, his bubble and six turned balls, the
// ticket with six crosses and the pen drawing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/game.h"
#include "engine/backend_headless.h"
#include "lottery/ticket_layout.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

struct Session {
  HeadlessBackend backend;
  Layer layer{backend};
  Game g{layer};
  bool ok = false;

  explicit Session(bool sound = true) : backend(sound) {
    std::string dir = VEPA_DATA_DIR;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    if (!std::filesystem::exists(dir + "vepa4.gmd")) return;
    g.DataDir = dir;
    g.archive.SetDataDir(dir);
    g.rng.Seed = 7;
    layer.SetDisplayMode(640, 480, 16);
    layer.SetFullScreen(true);
    if (!layer.InitDisplay()) return;
    g.StartGameState(false);
    g.NewGame();
    g.BubbleMode = 1;
    ok = true;
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      g.Tick();
      layer.AdvanceAudio(0.05);
    }
  }
};

void BM_LoadTicketScene(benchmark::State& st) {
  Session s;
  if (!s.ok) return st.SkipWithError("no default archive");
  s.g.Tickets = 2;
  for (auto _ : st) s.g.LoadScene(SceneNo(SceneId::Ticket));
}
BENCHMARK(BM_LoadTicketScene)->Unit(benchmark::kMillisecond);

void BM_LoadDrawScene(benchmark::State& st) {
  Session s;
  if (!s.ok) return st.SkipWithError("no default archive");
  for (auto _ : st) s.g.LoadScene(SceneNo(SceneId::Draw));
}
BENCHMARK(BM_LoadDrawScene)->Unit(benchmark::kMillisecond);

// The announcer has risen: every sprite of the scene, the bubble with its text and the balls.
void BM_DrawSceneAnnouncerTick(benchmark::State& st) {
  Session s(false);  // without sound the countdown alone keeps him speaking
  if (!s.ok) return st.SkipWithError("no default archive");
  s.g.LoadScene(SceneNo(SceneId::Draw));
  s.Tick(200);
  for (auto _ : st) {
    s.g.SpeechCountdown = 100;
    s.Tick();
  }
  if (s.g.SceneNumber != 24) st.SkipWithError("the draw ended during the measurement");
}
BENCHMARK(BM_DrawSceneAnnouncerTick)->Unit(benchmark::kMicrosecond);

// The ticket with five crosses and the pen drawing the sixth.
void BM_TicketSceneTick(benchmark::State& st) {
  Session s;
  if (!s.ok) return st.SkipWithError("no default archive");
  s.g.Tickets = 5;
  s.g.LoadScene(SceneNo(SceneId::Ticket));
  s.Tick(8);
  for (int n = 1; n <= 5; ++n) {
    const auto c = lottery::TicketCells[n - 1];
    s.g.MouseMove(c.X - 10, c.Y + 9);
    s.Tick();
    s.g.MouseDown(MouseButton::Left, c.X - 10, c.Y + 9);
    s.Tick(15);
  }
  for (auto _ : st) s.Tick();
}
BENCHMARK(BM_TicketSceneTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vepa
