// The game over the default archive, for the tests of every scene: enter a scene with shared
// variables set, tick, tick until something holds, point and click as a mouse does (moved
// first, pressed a tick later), press keys, and read the scene's own state from the
// description the runner prints.
//
//   class SnakeTest : public SceneFixture {};
//   TEST_F(SnakeTest, EatsAndGrows) {
//     Enter(SceneId::Snake, 0, {{"Money", "100"}});
//     TapKey(key::Up);
//     ASSERT_TRUE(TickUntil([&] { return State("Length") > 3; }, 200));
//   }
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "app/json.h"
#include "app/runner.h"
#include "engine/backend_headless.h"
#include "engine/cp1251.h"
#include "engine/layer.h"
#include "engine/scene_helpers.h"
#include "hub/hub.h"
#include "tests/json_read.h"
#include "tests/test_paths.h"

namespace vepa::testing {

// The default archive's directory, with a trailing slash.
inline std::string DefaultDataDir() {
  std::string dir = VEPA_DATA_DIR;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

// The current scene's own state as the runner prints it (its "Scene" object).
inline std::string SceneStateJson(const Game& g) {
  JsonWriter j;
  j.BeginObject();
  if (const Scene* s = g.GetScene(g.SceneNumber)) s->DescribeState(j);
  j.EndObject();
  return j.Text();
}

// The steps a player takes with the hand and the eye, over `Player`'s own MoveTo, Press,
// Release, KeyDown, KeyUp and Tick and its game `g`: the scene fixture below and the golden
// replays' player (tests/replays/roads.h) both take them.
template <typename Player>
class PlayerSteps {
 public:
  // Moves to (x, y), ticks once, then presses and releases there: a player's click.
  void Click(int x, int y, MouseButton b = MouseButton::Left) {
    self().MoveTo(x, y);
    self().Tick();
    self().Press(b);
    self().Release(b);
  }
  // Holds a key for `ticks` ticks, then lets it go.
  void TapKey(int code, int ticks = 1) {
    self().KeyDown(code);
    self().Tick(ticks);
    self().KeyUp(code);
  }

  // The current scene's own state as the runner prints it (its "Scene" object).
  std::string SceneState() const { return SceneStateJson(game()); }
  long long State(const std::string& key) const { return JsonInt(SceneState(), key); }
  std::vector<long long> StateArray(const std::string& key) const {
    return JsonInts(SceneState(), key);
  }

  // --- The kiosk.
  HubScene* Hub() const { return static_cast<HubScene*>(game().GetScene(SceneNo(SceneId::Kiosk))); }
  // Idle: nothing said or asked, no transition, the hand at rest.
  bool KioskIdle() const {
    const Game& g = game();
    return g.InScene(SceneId::Kiosk) && Hub()->HubState == 0 && g.FadeMode == 0 &&
           g.ClickState == 0 && g.HandFrame == 0;
  }
  // A pointer position whose fingertip lies on a kiosk code, near the middle of its area.
  std::pair<int, int> PointerOn(int code) const {
    std::vector<std::pair<int, int>> hits;
    for (int y = 0; y < 480; y += 2)
      for (int x = 0; x < 640; x += 2)
        if (game().HitMapAt(x, y, hub::FingertipX, hub::FingertipY) == code)
          hits.emplace_back(x, y);
    if (hits.empty()) {
      ADD_FAILURE() << "no kiosk code " << code << " on the screen";
      return {0, 0};
    }
    std::sort(hits.begin(), hits.end());
    return hits[hits.size() / 2];
  }

 private:
  Player& self() { return static_cast<Player&>(*this); }
  const Game& game() const { return static_cast<const Player&>(*this).g; }
};

class SceneFixture : public ::testing::Test, public PlayerSteps<SceneFixture> {
  friend class PlayerSteps<SceneFixture>;

 protected:
  // With sound the headless channels keep simulated time, so scenes that wait for a phrase
  // wait as long as in play; without it they behave as with no sound device.
  // `newGame` false leaves the shared state as the program starts it, before the start menu
  // begins a game (the logos and the start menu run there).
  explicit SceneFixture(bool sound = true, uint32_t seed = 4242, bool newGame = true)
      : backend(sound), layer(backend), g(layer), seed_(seed), newGame_(newGame) {}

  void SetUp() override {
    const std::string dir = DefaultDataDir();
    ASSERT_TRUE(std::filesystem::exists(dir + "vepa4.gmd")) << "default archive missing in " << dir;
    UseDataDir(dir);
  }

  // Starts the game over another data directory (a spoiled copy of the archive, say).
  void UseDataDir(const std::string& dir) {
    g.DataDir = dir;
    g.archive.SetDataDir(dir);
    g.rng.Seed = seed_;
    layer.SetDisplayMode(640, 480, 16);
    layer.SetFullScreen(true);
    ASSERT_TRUE(layer.InitDisplay());
    g.StartGameState(false);
    if (newGame_) g.NewGame();
  }

  // Enters a scene through its loader, as the scene before it would, after setting shared
  // variables by the runner's names ({"Money", "100"}, {"TicketNumbers", "1,2,..."}).
  void Enter(SceneId id, int arg = 0,
             std::initializer_list<std::pair<std::string, std::string>> sets = {}) {
    for (const auto& [name, value] : sets) {
      std::string error;
      ASSERT_TRUE(SetSharedVariable(g, name, value, &error)) << name << ": " << error;
    }
    g.LoadScene(id, arg);
    ASSERT_EQ(g.FatalError, 0) << "the loader of scene " << int(SceneNo(id)) << " failed";
    ASSERT_TRUE(g.InScene(id)) << "the loader did not enter scene " << int(SceneNo(id));
  }
  // Enters the scene and ticks until its opening transition is over.
  void EnterAndOpen(SceneId id, int arg = 0,
                    std::initializer_list<std::pair<std::string, std::string>> sets = {}) {
    Enter(id, arg, sets);
    ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20)) << "the scene did not open";
  }

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      g.Tick();
      layer.AdvanceAudio(0.05);
    }
  }
  // Ticks until the condition holds (checked before every tick); false after `limit` ticks.
  bool TickUntil(const std::function<bool()>& done, int limit = 400) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }
  // Ticks until the condition holds (checked after every tick): the ticks taken, or -1 after
  // `limit`. For tests that count how long something takes.
  int TicksUntil(const std::function<bool()>& done, int limit = 400) {
    for (int t = 1; t <= limit; ++t) {
      Tick();
      if (done()) return t;
    }
    return -1;
  }
  // Ticks until the game is back in the kiosk (the scene's way out); false after `limit`.
  bool TickUntilKiosk(int limit = 2000) {
    return TickUntil([&] { return g.InScene(SceneId::Kiosk); }, limit);
  }

  // The pointer: moved, then pressed and released on a later tick, as a real mouse does.
  void MoveTo(int x, int y) { g.MouseMove(x, y); }
  void Press(MouseButton b = MouseButton::Left) { g.MouseDown(b, g.MouseX, g.MouseY); }
  void Release(MouseButton b = MouseButton::Left) { g.MouseUp(b, g.MouseX, g.MouseY); }
  // Moves to (x, y) and presses and releases there on the same tick: for a test that aims with
  // what the scene shows now (a trembling aim, a pen that moves every tick).
  void PressAt(int x, int y, MouseButton b = MouseButton::Left) {
    MoveTo(x, y);
    Press(b);
    Release(b);
  }

  // Keys by virtual-key code (key::Enter, key::Left, 'A' ...).
  void KeyDown(int code) { backend.SetKey(code, true); }
  void KeyUp(int code) { backend.SetKey(code, false); }
  // The whole shared state and scene state, as the runner prints it.
  std::string GameState() const { return DescribeGame(g, backend.FrameHash(), 0); }

  // The wave on the speech channel (phrases, jingles, clips).
  Wave* SpeechWave() { return layer.Waves(4)->WaveItem(0); }

  // A pixel of the last presented frame.
  uint16_t FramePixel(int x, int y) const { return backend.LastFrame().At(x, y); }
  // The image and wave names the scene asked for but the lists did not have.
  size_t MissingNames() { return layer.Missing().Names.size(); }

  // ---- Steps many scene tests take.

  // The pointer "Ruka01" points with its fingertip at (+5, +25) from the pointer's position.
  static constexpr int kFingertipDX = 5, kFingertipDY = 25;
  // Clicks so that the fingertip lands on (x, y).
  void ClickWithFingertip(int x, int y, MouseButton b = MouseButton::Left) {
    Click(x - kFingertipDX, y - kFingertipDY, b);
  }

  // In the kiosk, once it is open: the fingertip on an item at (x, y), the cashier's offer
  // waited for until the answer buttons are up, "ДА" clicked, and ticks until the bought scene
  // has been entered.
  void BuyAtKiosk(int x, int y, SceneId scene, int limit = 600) {
    ClickWithFingertip(x, y);
    ASSERT_TRUE(TickUntil([&] { return State("HubState") == 5; }, limit)) << "no answer buttons";
    ClickWithFingertip(260, 445);
    ASSERT_TRUE(TickUntil([&] { return g.InScene(scene); }, limit))
        << "scene " << int(SceneNo(scene)) << " was not entered";
  }
  // Ticks until the kiosk has paid the prize it announces and the money is `money`.
  bool TickUntilPaid(int money, int limit = 800) {
    return TickUntil([&] { return g.Money == money; }, limit);
  }

  // The exit box's buttons, as a click on their middles: "ДА" leaves the scene, "НЕТ" stays.
  void ClickExitBoxYes() { Click(295, 262); }
  void ClickExitBoxNo() { Click(335, 262); }
  // Esc opens the exit box and "ДА" is clicked: the scene is left on the next tick.
  void LeaveThroughExitBox() {
    TapKey(key::Esc);
    ASSERT_EQ(g.ExitMenuState, 1) << "Esc did not open the exit box";
    ClickExitBoxYes();
    Tick();
    ASSERT_EQ(g.ExitMenuState, 2) << "the exit box did not take the yes";
  }

  // Whether a wave of list 1 (the common one) or 2 (the scene's) is sounding.
  bool WavePlaying(int list, const std::string& name) {
    Wave* w = layer.FindWave(list, name);
    return w && layer.IsPlaying(w);
  }
  // Line i of the subtitles of the phrase being said, in UTF-8.
  std::string SubtitleLine(int i) const { return Utf8FromCp1251(g.SpeechRecord.Lines[i]); }

  HeadlessBackend backend;
  Layer layer;
  Game g;

 private:
  uint32_t seed_;
  bool newGame_;
};

}  // namespace vepa::testing
