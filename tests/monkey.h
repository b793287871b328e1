// A whole game over the headless layer, set up the way the headless runner sets it up, and a
// seeded "monkey" that plays it with random pointer moves, clicks and keys. The soak and fault
// tests and the scene benchmarks drive the game through these.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "engine/backend_headless.h"
#include "engine/layer.h"

namespace vepa::monkey {

// Virtual-key codes the monkey presses, with how often (weights): Enter and Esc answer the
// cashier and open or close the exit box, Space, arrows, digits and letters are what scenes
// read, Alt and F4 try the swallowed Alt+F4.
struct KeyWeight {
  int Code;
  int Weight;
};
inline constexpr KeyWeight kKeys[] = {{13, 30}, {27, 14}, {32, 8}, {37, 4}, {38, 4}, {39, 4},
                                      {40, 4},  {49, 2},  {50, 2}, {51, 2}, {65, 1}, {81, 1},
                                      {89, 2},  {78, 2},  {18, 1}, {115, 1}};

// The game, its layer and its headless backend, as vepa4-headless sets them up: display open,
// full screen, sound (or none), common lists loaded. Start at the start-up sequence (scene
// -1: the publisher logo first) or at one scene with a new game's progress.
class GameSession {
 public:
  // `setup` runs after the new game's progress is set and before the scene's loader (as the
  // runner's --set does), e.g. to hand the player tickets.
  GameSession(const std::string& dataDir, uint32_t seed, int startScene = -1, int startArg = 0,
              bool sound = true, const std::function<void(Game&)>& setup = {})
      : backend_(sound), layer_(backend_), game_(layer_) {
    std::string dir = dataDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    game_.DataDir = dir;
    game_.archive.SetDataDir(dir);
    game_.rng.Seed = seed;
    layer_.SetDisplayMode(640, 480, 16);
    layer_.SetFullScreen(true);
    displayOpen_ = layer_.InitDisplay(&displayError_);
    const bool startUp = startScene < 0;
    game_.StartGameState(startUp);
    if (!startUp) {
      game_.NewGame();
      if (setup) setup(game_);
      game_.LoadScene(startScene, startArg);
    }
  }
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  Game& game() { return game_; }
  Layer& layer() { return layer_; }
  HeadlessBackend& backend() { return backend_; }
  bool DisplayOpen() const { return displayOpen_; }
  const std::string& DisplayError() const { return displayError_; }

  void MouseMove(int x, int y) { game_.MouseMove(x, y); }
  void MouseDown(int button, int x, int y) {
    game_.MouseDown(button == 0 ? MouseButton::Left : MouseButton::Right, x, y);
  }
  void MouseUp(int button, int x, int y) {
    game_.MouseUp(button == 0 ? MouseButton::Left : MouseButton::Right, x, y);
  }
  void KeyDown(int code) {
    if (code == 18) altHeld_ = true;
    if (!game_.FormKeyDown(code, altHeld_)) backend_.SetKey(code, true);
  }
  void KeyUp(int code) {
    if (code == 18) altHeld_ = false;
    backend_.SetKey(code, false);
  }
  // One timer tick and 50 ms of sound time.
  void Tick() {
    game_.Tick();
    layer_.AdvanceAudio(0.05);
  }

 private:
  HeadlessBackend backend_;
  Layer layer_;
  Game game_;
  bool displayOpen_ = false;
  bool altHeld_ = false;
  std::string displayError_;
};

// Random input for one tick at a time, the same for the same seed. Presses are held for a
// few ticks and then released, as a player's would be.
class Monkey {
 public:
  explicit Monkey(uint32_t seed) : rng_(seed) {}

  // Feeds this tick's events to the session (call before its Tick).
  void Step(GameSession& s) {
    // Releases that are due.
    for (size_t i = 0; i < held_.size();) {
      if (--held_[i].TicksLeft > 0) {
        ++i;
        continue;
      }
      const Held h = held_[i];
      held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(i));
      if (h.Key)
        s.KeyUp(h.Code);
      else
        s.MouseUp(h.Code, x_, y_);
    }
    const int roll = Uniform(1000);
    if (roll < 350) {
      // A move: mostly a short hop, sometimes a jump anywhere (and now and then off screen).
      if (Uniform(4) == 0) {
        x_ = Uniform(700) - 30;
        y_ = Uniform(540) - 30;
      } else {
        x_ = Clamp(x_ + Uniform(81) - 40, -20, 660);
        y_ = Clamp(y_ + Uniform(61) - 30, -20, 500);
      }
      s.MouseMove(x_, y_);
    } else if (roll < 430) {
      // Half the clicks aim at something: a cell of the scene's hit map with a code (an item,
      // a button, a dart, a number), as a player clicks what the scene offers.
      if (Uniform(2) == 0) AimAtHitMap(s);
      Press(s, false, Uniform(10) == 0 ? 1 : 0);
    } else if (roll < 470) {
      int pick = Uniform(TotalKeyWeight());
      for (const KeyWeight& k : kKeys) {
        if (pick < k.Weight) {
          Press(s, true, k.Code);
          break;
        }
        pick -= k.Weight;
      }
    }
  }
  // Lets go of everything (before a session is replaced).
  void ReleaseAll(GameSession& s) {
    for (const Held& h : held_) {
      if (h.Key)
        s.KeyUp(h.Code);
      else
        s.MouseUp(h.Code, x_, y_);
    }
    held_.clear();
  }

 private:
  struct Held {
    bool Key;
    int Code;  // key code, or mouse button 0 left / 1 right
    int TicksLeft;
  };
  int Uniform(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
  static int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
  static int TotalKeyWeight() {
    int total = 0;
    for (const KeyWeight& k : kKeys) total += k.Weight;
    return total;
  }
  void AimAtHitMap(GameSession& s) {
    const auto& map = s.game().HitMap;
    for (int tries = 0; tries < 64; ++tries) {
      const int cell = Uniform(static_cast<int>(map.size()));
      if (map[static_cast<size_t>(cell)] == 0) continue;
      x_ = (cell % 320) * 2 + 1;
      y_ = (cell / 320) * 2 + 1;
      s.MouseMove(x_, y_);
      return;
    }
  }
  void Press(GameSession& s, bool key, int code) {
    for (const Held& h : held_)
      if (h.Key == key && h.Code == code) return;  // already down
    if (key)
      s.KeyDown(code);
    else
      s.MouseDown(code, x_, y_);
    held_.push_back({key, code, 1 + Uniform(4)});
  }

  std::mt19937 rng_;
  int x_ = 320, y_ = 240;
  std::vector<Held> held_;
};

// Every scene number of the table, in order.
inline std::vector<int> BuiltScenes(Game&) {
  std::vector<int> out;
  for (const SceneInfo& s : SceneCatalogue())
    if (s.Built()) out.push_back(s.Number());
  return out;
}

}  // namespace vepa::monkey
