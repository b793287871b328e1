// The snake's field: 15 x 11 cells of 38 pixels, what each cell code shows and where its
// picture is drawn. Shared by the scene, its content module (which draws every piece so that
// the bodies, bends and tails of neighbouring cells join) and its test.
//
// Every piece is drawn around the cell's centre line: the body band runs through
// (38x + 55, 38y + 50), so a cell covers the screen from (38x + 36, 38y + 31) to
// (38x + 74, 38y + 69).
#pragma once

#include <array>
#include <cstdint>

#include "engine/scene_helpers.h"

namespace vepa::snake {

inline constexpr int Columns = 15, Rows = 11;
inline constexpr int CellSize = 38;
// The centre of cell (x, y) is at (38x, 38y) + CellCentre, its square's top-left corner at
// (38x, 38y) + CellCorner.
inline constexpr Point CellCentre{55, 50};
inline constexpr Point CellCorner{36, 31};

// Cell codes of the field.
enum Cell : uint8_t {
  Empty = 0,
  HeadDown = 1,
  HeadLeft = 2,
  HeadUp = 3,
  HeadRight = 4,
  BodyVertical = 5,
  BodyHorizontal = 6,
  BendLeftBottom = 9,
  BendBottomRight = 10,
  BendTopLeft = 11,
  BendTopRight = 12,
  TailBodyUp = 13,     // the body goes on upward (the tip points down)
  TailBodyLeft = 14,   // the body goes on to the left
  TailBodyDown = 15,   // the body goes on downward
  TailBodyRight = 16,  // the body goes on to the right
  Apple = 20,          // 20 and 21: two looks of a good apple
  AppleGreen = 21,
  BadApple = 22,
};

// Directions of travel.
enum Direction : int { Up = 0, Right = 1, Down = 2, Left = 3 };

// Pictures of "s_zmiy01": name, the pattern size the offsets below were made for, and the
// pattern count.
inline constexpr Picture HeadImage{"Zmiy01", 36, 36, 20};  // 4 directions x HeadFrames
inline constexpr int HeadFrames = 5;
inline constexpr Picture BendImage{"Zmiy02", 28, 28, 4};  // 4 bends
inline constexpr Picture VerticalImage{"Zmiy03", 15, 39, 3};
inline constexpr Picture HorizontalImage{"Zmiy04", 39, 15, 3};
inline constexpr Picture AppleImage{"Apple01", 20, 28, 3};
inline constexpr Picture BloodImage{"Blood01", 58, 56, 3};

// How a cell code is drawn: image, pattern (heads add HeadPattern) and the offset from
// (38x, 38y). A null image draws nothing.
struct CellPicture {
  const char* Image = nullptr;
  int Pattern = 0;
  int DX = 0, DY = 0;
};

inline constexpr CellPicture PictureOf(uint8_t code) {
  switch (code) {
    case HeadDown:
      return {HeadImage.Name, 0, 38, 30};
    case HeadLeft:
      return {HeadImage.Name, 5, 40, 33};
    case HeadUp:
      return {HeadImage.Name, 10, 38, 35};
    case HeadRight:
      return {HeadImage.Name, 15, 35, 33};
    case BodyVertical:
      return {VerticalImage.Name, 0, 48, 31};
    case BodyHorizontal:
      return {HorizontalImage.Name, 0, 36, 43};
    case BendLeftBottom:
      return {BendImage.Name, 0, 36, 44};
    case BendBottomRight:
      return {BendImage.Name, 3, 49, 44};
    case BendTopLeft:
      return {BendImage.Name, 1, 35, 30};
    case BendTopRight:
      return {BendImage.Name, 2, 49, 30};
    case TailBodyUp:
      return {VerticalImage.Name, 1, 48, 31};
    case TailBodyLeft:
      return {HorizontalImage.Name, 2, 36, 43};
    case TailBodyDown:
      return {VerticalImage.Name, 2, 48, 31};
    case TailBodyRight:
      return {HorizontalImage.Name, 1, 36, 43};
    case Apple:
    case AppleGreen:
      return {AppleImage.Name, code - Apple, 45, 36};
    case BadApple:
      return {AppleImage.Name, 2, 45, 36};
    default:
      return {};
  }
}

// The blood splash of a crash, drawn at (38 HeadX, 38 HeadY) + BloodAt.
inline constexpr Point BloodAt{26, 23};
// The points, drawn with the LED digits.
inline constexpr Point ScoreAt{315, 12};

}  // namespace vepa::snake
