// Every scene number of the frame loop's scene table, by name. Scene numbers are bytes of the
// shared state (SceneNumber); the gaps between them are numbers no scene has.
#pragma once

#include <cstdint>

namespace vepa {

enum class SceneId : uint8_t {
  Kiosk = 0,
  Darts = 1,
  Aquarium = 2,
  Gallery = 4,
  Snake = 5,
  Boxing = 6,
  Lamp = 9,
  RockPaperScissors = 15,
  Hammer = 21,
  Ticket = 23,
  Draw = 24,
  DazTable = 27,
  DazFood = 28,
  CockroachRace = 40,
  OpponentSelection = 46,
  CardGame = 47,
  MakerLogo = 60,
  PublisherLogo = 61,
  About = 80,
  Journal = 81,
  SettingsBook = 83,
  StartMenu = 84,
  Closing = 85,
};

// The scene's number as the shared state holds it.
constexpr uint8_t SceneNo(SceneId id) { return static_cast<uint8_t>(id); }

// Windows virtual-key codes the scenes poll with KeyPressed.
namespace key {
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Ctrl = 17;
inline constexpr int Alt = 18;
inline constexpr int Esc = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Digit0 = 48;   // '0'..'9' are 48..57
inline constexpr int LetterA = 65;  // 'A'..'Z' are 65..90
inline constexpr int F4 = 115;
}  // namespace key

}  // namespace vepa
