// Scripted players for the golden replays. A road is played once by a small player that looks
// at the game as a player looks at the screen (the kiosk's state, the scene's state) and
// answers with the mouse and the keys; every input goes through the game's own GameInput, so
// the road comes out as a replay script. The replay tests then play the script alone and
// compare the game with the stored reference.
//
//   VEPA_ROAD(darts, "buys three darts, throws them at the board and is paid") {
//     p.Buy(kDartboard);
//     ...
//   }
//
// registers the road "darts": its script is tests/replays/darts.script, its reference
// tests/replays/darts.ref, and its test ReplayRoad.darts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "app/json.h"
#include "app/replay.h"
#include "app/runner.h"
#include "engine/backend_headless.h"
#include "hub/hub.h"
#include "tests/json_read.h"
#include "tests/scene_fixture.h"
#include "tests/test_paths.h"

namespace vepa::testing {

// The seed of every road: the same game each time the roads are recorded.
inline constexpr uint32_t kRoadSeed = 7;

class RoadPlayer : public PlayerSteps<RoadPlayer> {
 public:
  // From the kiosk of a new game (`fromStartUp` false) or from the start-up sequence.
  explicit RoadPlayer(bool fromStartUp = false)
      : options_(MakeOptions(fromStartUp)), s_(options_), g(s_.GetGame()) {
    s_.Input().DataDir.clear();  // "DIR" in the script's command line
    if (!fromStartUp) s_.Input().StartArgs = "--start kiosk";
  }
  bool Ok() const { return s_.Ok(); }
  const std::string& Error() const { return s_.Error(); }

  // What the player does next, as a comment line of the script.
  void Say(const std::string& what) { s_.Input().Annotate(what); }

  void Tick(int n = 1) {
    for (int i = 0; i < n && !s_.Ended(); ++i) {
      s_.Tick();
      Seen.insert(g.SceneNumber);
    }
  }
  // Every scene number the game was in after a tick.
  std::set<int> Seen;
  // Ticks until the condition holds (checked before every tick); false after `limit` ticks.
  bool TickUntil(const std::function<bool()>& done, int limit = 600) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      if (s_.Ended()) return false;
      Tick();
    }
    return done();
  }
  bool Ended() const { return s_.Ended(); }
  int Ticks() const { return s_.TicksRun(); }

  // The pointer and the keys, through the game's input.
  void MoveTo(int x, int y) { s_.Input().MouseMove(x, y); }
  void Press(MouseButton b = MouseButton::Left) { s_.Input().MouseDown(b, g.MouseX, g.MouseY); }
  void Release(MouseButton b = MouseButton::Left) { s_.Input().MouseUp(b, g.MouseX, g.MouseY); }
  // Moves and presses at once, for an aim that must not wait a tick (a trembling dart).
  void ClickNow(int x, int y) {
    MoveTo(x, y);
    Press();
    Release();
  }
  void KeyDown(int code) { s_.Input().KeyDown(code); }
  void KeyUp(int code) { s_.Input().KeyUp(code); }

  bool In(SceneId id) const { return g.InScene(id); }

  // --- The kiosk (its state, whether it is idle and where its items lie are shared steps).
  // Waits for the idle kiosk and clicks an item.
  bool ClickItem(int code) {
    if (!TickUntil([&] { return KioskIdle(); }, 2000)) return false;
    const auto [x, y] = PointerOn(code);
    Click(x, y);
    return true;
  }
  // Clicks an item, waits for the cashier's question and answers yes with the left button.
  // The money the offer took is kept in Paid.
  bool Buy(int code) {
    if (!ClickItem(code)) return false;
    if (!TickUntil([&] { return Hub()->HubState == 5; }, 1200)) return false;
    const int before = g.Money;
    const auto [x, y] = PointerOn(hub::LeftButton);
    Click(x, y);
    if (!TickUntil([&] { return Hub()->HubState != 5 && Hub()->HubState != 6; }, 100)) return false;
    // The payment is taken when the reply has been said.
    TickUntil([&] { return g.Money != before || !In(SceneId::Kiosk); }, 1200);
    Paid = before - g.Money;
    return true;
  }
  // Back in the kiosk after a game: waits until the announcement is over and the kiosk idle.
  bool WaitUntilPaid() {
    if (!TickUntil([&] { return In(SceneId::Kiosk); }, 20000)) return false;
    return TickUntil([&] { return KioskIdle(); }, 3000);
  }
  int Paid = 0;

  // The recorded road, and the game as the runner describes it.
  std::string Script() const { return s_.Input().ScriptText(); }
  std::string Describe() const { return s_.Describe(); }
  Game& GetGame() { return g; }

 private:
  static RunnerOptions MakeOptions(bool fromStartUp) {
    RunnerOptions o;
    o.DataDir = VEPA_DATA_DIR;
    o.Seed = kRoadSeed;
    if (!fromStartUp) o.StartScene = SceneNo(SceneId::Kiosk);
    return o;
  }
  RunnerOptions options_;
  HeadlessSession s_;

 public:
  Game& g;
};

// --- The table of roads.

struct Road {
  std::string Name;
  std::string What;
  void (*Play)(RoadPlayer&);
};

inline std::vector<Road>& Roads() {
  static std::vector<Road> roads;
  return roads;
}
inline const Road* FindRoad(const std::string& name) {
  for (const Road& r : Roads())
    if (r.Name == name) return &r;
  return nullptr;
}

// Registers the road and its golden replay test (defined in tests/replay_golden_test.cpp).
bool RegisterRoad(const Road& road);

#define VEPA_ROAD(name, what)                                         \
  static void PlayRoad_##name(::vepa::testing::RoadPlayer& p);        \
  [[maybe_unused]] static const bool kRoadRegistered_##name =         \
      ::vepa::testing::RegisterRoad({#name, what, &PlayRoad_##name}); \
  static void PlayRoad_##name([[maybe_unused]] ::vepa::testing::RoadPlayer& p)

}  // namespace vepa::testing
