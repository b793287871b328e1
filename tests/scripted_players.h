// What the scripted players of the golden replays and of the scene benchmarks share: the
// numbers of a scene's state read with their fractions, and a hand that holds one key at a time
// (the arrow the snake is steered with, the digit of the finger lifted under the hammer) on any
// player with KeyDown, KeyUp and Tick.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/scene_ids.h"

namespace vepa::testing {

// The number after "key": in a JSON text (NaN when missing).
inline double JsonNumber(const std::string& json, const std::string& key) {
  const std::string k = "\"" + key + "\":";
  const size_t at = json.find(k);
  if (at == std::string::npos) return std::nan("");
  return std::strtod(json.c_str() + at + k.size(), nullptr);
}
// The numbers of the flat array "key":[...].
inline std::vector<double> JsonNumbers(const std::string& json, const std::string& key) {
  std::vector<double> out;
  const std::string k = "\"" + key + "\":[";
  const size_t at = json.find(k);
  if (at == std::string::npos) return out;
  const char* p = json.c_str() + at + k.size();
  while (*p && *p != ']') {
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p) break;
    out.push_back(v);
    p = *end == ',' ? end + 1 : end;
  }
  return out;
}

template <typename Player>
class OneKeyHeld {
 public:
  explicit OneKeyHeld(Player& player) : player_(player) {}
  OneKeyHeld(const OneKeyHeld&) = delete;
  OneKeyHeld& operator=(const OneKeyHeld&) = delete;

  // Holds the key down, letting go of the one held before; nothing when it is already held.
  void Hold(int code) {
    if (code == held_) return;
    Release();
    player_.KeyDown(code);
    held_ = code;
  }
  // Lets go of the key held, if any.
  void Release() {
    if (held_ < 0) return;
    player_.KeyUp(held_);
    held_ = -1;
  }

 private:
  Player& player_;
  int held_ = -1;
};

// Plays with one key held at a time: before each tick `pick` names the key to hold (-1 keeps
// the one held), until `done` holds or `ticks` ticks have run; then lets go.
template <typename Player, typename Done, typename Pick>
void PlayWithOneKey(Player& player, int ticks, Done done, Pick pick) {
  OneKeyHeld hand(player);
  for (int t = 0; t < ticks && !done(); ++t) {
    if (const int code = pick(); code >= 0) hand.Hold(code);
    player.Tick();
  }
  hand.Release();
}

// The hammer game's keys 1 to 5 lift fingers 0 to 4; the middle one starts the game.
constexpr int FingerKey(int finger) { return key::Digit0 + 1 + finger; }
// The key of the finger the hammer aims at while it aims (its states 3 and 4); -1 otherwise.
template <typename Player>
int KeyOfTheAimedFinger(const Player& player) {
  const auto state = player.State("HammerState");
  if (state != 3 && state != 4) return -1;
  return FingerKey(static_cast<int>(player.State("TargetFinger")));
}

}  // namespace vepa::testing
