// A whole game over the headless layer, set up the way the headless runner sets it up, and a
// seeded "monkey" that plays it with random pointer moves, clicks and keys. The soak and fault
// tests and the scene benchmarks drive the game through these.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "engine/backend_headless.h"
#include "engine/layer.h"
#include "engine/scene_ids.h"
#include "hub/hub.h"
#include "minigames/gallery_layout.h"

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

// Where a scene reads the hit map relative to the pointer: the hand's fingertip (kiosk,
// rock-paper-scissors), the pen's tip (ticket), the spot below the pointer (start menu, books,
// Daz's table). An aimed click puts that point, not the pointer, on the cell.
struct ReadOffset {
  int Scene, DX, DY;
};
inline constexpr ReadOffset kReadOffsets[] = {
    {SceneNo(SceneId::Kiosk), 5, 25},    {SceneNo(SceneId::RockPaperScissors), 5, 25},
    {SceneNo(SceneId::Ticket), 10, 0},   {SceneNo(SceneId::StartMenu), 0, 20},
    {SceneNo(SceneId::Journal), 0, 20},  {SceneNo(SceneId::SettingsBook), 0, 20},
    {SceneNo(SceneId::DazTable), 0, 20},
};

// Random input for one tick at a time, the same for the same seed. Presses are held for a
// few ticks and then released, as a player's would be.
//
// A steered monkey plays on as a player who wants to see everything: at the kiosk it clicks
// an item (often the one whose scene it has entered least, buying and filling tickets first
// where the lottery needs them, leaving through the door when the money runs low), mostly
// accepts the cashier's offers and picks a book on the sign; in any other scene it plays for a
// while and then loses patience and leaves through the exit box.
class Monkey {
 public:
  explicit Monkey(uint32_t seed, bool steered = false) : rng_(seed), steered_(steered) {}
  // A steered monkey that counts its scene entries in `entries`, so that monkeys playing one
  // after another share what they have seen.
  Monkey(uint32_t seed, std::map<int, int>& entries)
      : rng_(seed), steered_(true), entries_(&entries) {}

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
    if (steered_ && Steer(s)) return;
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
  static ReadOffset OffsetOf(int scene) {
    for (const ReadOffset& r : kReadOffsets)
      if (r.Scene == scene) return r;
    return {scene, 0, 0};
  }
  // Puts the point where the scene reads the map on the centre of a map cell.
  void AimAtCell(GameSession& s, int cell, bool withOffset) {
    const ReadOffset o = withOffset ? OffsetOf(s.game().SceneNumber) : ReadOffset{0, 0, 0};
    x_ = (cell % 320) * 2 + 1 - o.DX;
    y_ = (cell / 320) * 2 + 1 - o.DY;
    s.MouseMove(x_, y_);
  }
  void AimAtHitMap(GameSession& s) {
    const auto& map = s.game().HitMap;
    for (int tries = 0; tries < 64; ++tries) {
      const int cell = Uniform(static_cast<int>(map.size()));
      if (map[static_cast<size_t>(cell)] == 0) continue;
      // A steered monkey knows where the scene reads the map half the time.
      AimAtCell(s, cell, steered_ && Uniform(2) == 0);
      return;
    }
  }
  // Aims at a random cell holding `code`; false when the map has none.
  bool AimAtCode(GameSession& s, int code) {
    const auto& map = s.game().HitMap;
    int count = 0;
    for (uint8_t v : map) count += v == code;
    if (count == 0) return false;
    int pick = Uniform(count);
    for (size_t cell = 0; cell < map.size(); ++cell) {
      if (map[cell] != code || pick-- > 0) continue;
      AimAtCell(s, static_cast<int>(cell), false);
      return true;
    }
    return false;
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
  void ClickAt(GameSession& s, int x, int y) {
    x_ = x;
    y_ = y;
    s.MouseMove(x_, y_);
    Press(s, false, 0);
  }

  // --- Steering; true when it chose this tick's input.
  bool Steer(GameSession& s) {
    Game& g = s.game();
    if (g.SceneNumber != scene_) {
      scene_ = g.SceneNumber;
      ++(*entries_)[scene_];
      ticksInScene_ = 0;
      patience_ = 300 + Uniform(1200);
      if (scene_ == SceneNo(SceneId::Kiosk)) IndexKioskItems(g);
    }
    ++ticksInScene_;
    if (g.FadeMode != 0) return false;
    if (scene_ == SceneNo(SceneId::Kiosk)) {
      if (auto* hub = dynamic_cast<HubScene*>(g.GetScene(scene_))) return SteerKiosk(s, *hub);
      return false;
    }
    // Half the gallery's games end with a shot at its lamp, the only way to the lamp scene.
    if (scene_ == SceneNo(SceneId::Gallery) &&
        Entries(SceneId::Lamp) * 2 < Entries(SceneId::Gallery) && Uniform(10) == 0 &&
        AimAtCode(s, gallery::CodeLamp)) {
      Press(s, false, 0);
      return true;
    }
    if (ticksInScene_ < patience_ || ticksInScene_ % 4 != 0) return false;
    // Out of patience: open the exit box and take its way out; where there is none, click
    // what the scene offers to get its game over with.
    if (g.ExitMenuState == 1) {
      ClickAt(s, 281 + Uniform(28), 247 + Uniform(32));
      return true;
    }
    if (g.ExitMenuState == 0 && Uniform(2) == 0) {
      Press(s, true, 27);
      return true;
    }
    if (Uniform(2) == 0)
      AimAtHitMap(s);
    else
      s.MouseMove(x_ = Uniform(640), y_ = Uniform(480));
    Press(s, false, 0);
    return true;
  }

  bool SteerKiosk(GameSession& s, HubScene& hub) {
    Game& g = s.game();
    if (hub.HubState == 4 || hub.HubState == 5) {
      // The answer buttons: mostly yes (Enter), now and then no (Esc, once they are up).
      if (Uniform(6) != 0) return false;
      if (hub.HubState == 5 && Uniform(8) == 0)
        Press(s, true, 27);
      else
        Press(s, true, 13);
      return true;
    }
    if (hub.TabletState == 3) {
      // The sign is down: the book seen less often.
      if (Uniform(4) != 0) return false;
      const int i = Entries(SceneId::Journal) <= Entries(SceneId::SettingsBook) ? 0 : 1;
      ClickAt(s, 251 + 70 * i + 10 + Uniform(48), 45 + Uniform(55));
      return true;
    }
    if (hub.HubState != 0 || hub.TabletState != 0 || Uniform(20) != 0) return false;
    const int item = PickKioskItem(g, hub);
    if (item == 0) return false;
    const std::vector<int>& cells = itemCells_[static_cast<size_t>(item)];
    AimAtCell(s, cells[static_cast<size_t>(Uniform(static_cast<int>(cells.size())))], true);
    Press(s, false, 0);
    return true;
  }

  int Entries(SceneId id) const {
    const auto it = entries_->find(SceneNo(id));
    return it == entries_->end() ? 0 : it->second;
  }
  // The scene an item of the kiosk leads to (-1 for none or one this build lacks).
  static int ItemTarget(const Game& g, int item, int tabletChoice) {
    const int scene =
        item == 8 ? SceneNo(SceneId::Closing) : HubScene::TargetScene(item, tabletChoice);
    return scene >= 0 && g.GetScene(scene) ? scene : -1;
  }
  bool Offered(const HubScene& hub, int item) const {
    return item > 0 && item < static_cast<int>(itemCells_.size()) &&
           !itemCells_[static_cast<size_t>(item)].empty() && hub.FilterItem(item) == item;
  }
  // An item to click: half the time the one leading to the scene entered least (the lottery's
  // scenes only with tickets to fill or to check), otherwise any item the kiosk offers.
  int PickKioskItem(const Game& g, const HubScene& hub) {
    if (g.Money < 8 && Offered(hub, 8) && Uniform(2) == 0) return 8;  // broke: a new game
    if (Uniform(2) == 0) {
      int best = 0, bestEntries = 0, ties = 0;
      for (int item = 1; item < static_cast<int>(itemCells_.size()); ++item) {
        if (!Offered(hub, item)) continue;
        const int scene = ItemTarget(g, item, item == 15 ? 0 : hub.TabletChoice);
        if (scene < 0) continue;
        int n = Entries(static_cast<SceneId>(scene));
        // The book stands for both books, the gallery for the lamp scene behind it too.
        if (item == 15) n = std::min(Entries(SceneId::Journal), Entries(SceneId::SettingsBook));
        if (scene == SceneNo(SceneId::Gallery)) n = std::min(n, Entries(SceneId::Lamp));
        // Among items equally behind, each is as likely.
        if (best == 0 || n < bestEntries) {
          best = item, bestEntries = n, ties = 1;
        } else if (n == bestEntries && Uniform(++ties) == 0) {
          best = item;
        }
      }
      if (best != 0) {
        const int scene = ItemTarget(g, best, 0);
        const bool lottery = scene == SceneNo(SceneId::Ticket) || scene == SceneNo(SceneId::Draw);
        if (lottery && g.Tickets == 0) return Offered(hub, 36) ? 36 : 0;  // buy a ticket first
        if (scene == SceneNo(SceneId::Draw) && g.TicketsFilled == 0) return 41;  // fill them
        return best;
      }
    }
    std::vector<int> offered;
    for (int item = 1; item < static_cast<int>(itemCells_.size()); ++item)
      if (Offered(hub, item)) offered.push_back(item);
    return offered.empty()
               ? 0
               : offered[static_cast<size_t>(Uniform(static_cast<int>(offered.size())))];
  }
  void IndexKioskItems(const Game& g) {
    for (auto& cells : itemCells_) cells.clear();
    for (size_t cell = 0; cell < g.HitMap.size(); ++cell) {
      const int code = g.HitMap[cell];
      if (code >= 1 && code <= 50)
        itemCells_[static_cast<size_t>(code)].push_back(static_cast<int>(cell));
    }
  }

  std::mt19937 rng_;
  bool steered_ = false;
  int x_ = 320, y_ = 240;
  std::vector<Held> held_;
  // Steering.
  int scene_ = -1, ticksInScene_ = 0, patience_ = 0;
  std::map<int, int> ownEntries_;
  std::map<int, int>* entries_ = &ownEntries_;
  std::array<std::vector<int>, 51> itemCells_{};
};

// Every scene number of the table, in order.
inline std::vector<int> BuiltScenes(Game&) {
  std::vector<int> out;
  for (const SceneInfo& s : SceneCatalogue())
    if (s.Built()) out.push_back(s.Number());
  return out;
}

}  // namespace vepa::monkey
