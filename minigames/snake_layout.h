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
#include <string_view>

namespace vepa::snake {

inline constexpr int Columns = 15, Rows = 11;
inline constexpr int CellSize = 38;
// The centre of cell (x, y) is at (38x + CentreDX, 38y + CentreDY).
inline constexpr int CentreDX = 55, CentreDY = 50;
// The cell's square on the screen, relative to (38x, 38y).
inline constexpr int CellLeft = 36, CellTop = 31;

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

// Images of "s_zmiy01" and their pattern counts.
inline constexpr std::string_view HeadImage = "Zmiy01";  // 4 directions x 5 frames
inline constexpr std::string_view BendImage = "Zmiy02";  // 4 bends
inline constexpr std::string_view VerticalImage = "Zmiy03";
inline constexpr std::string_view HorizontalImage = "Zmiy04";
inline constexpr std::string_view AppleImage = "Apple01";
inline constexpr std::string_view BloodImage = "Blood01";
inline constexpr int HeadFrames = 5, HeadPatterns = 20, BendPatterns = 4, StraightPatterns = 3;
inline constexpr int ApplePatterns = 3, BloodPatterns = 3;

// Pattern sizes the offsets below were made for.
inline constexpr int HeadW = 36, HeadH = 36;
inline constexpr int BendW = 28, BendH = 28;
inline constexpr int VerticalW = 15, VerticalH = 39;
inline constexpr int HorizontalW = 39, HorizontalH = 15;
inline constexpr int AppleW = 20, AppleH = 28;
inline constexpr int BloodW = 58, BloodH = 56;

// How a cell code is drawn: image, pattern (heads add HeadPattern) and the offset from
// (38x, 38y). A null image draws nothing.
struct CellPicture {
  std::string_view Image = {};
  int Pattern = 0;
  int DX = 0, DY = 0;
};

inline constexpr CellPicture PictureOf(uint8_t code) {
  switch (code) {
    case HeadDown:
      return {HeadImage, 0, 38, 30};
    case HeadLeft:
      return {HeadImage, 5, 40, 33};
    case HeadUp:
      return {HeadImage, 10, 38, 35};
    case HeadRight:
      return {HeadImage, 15, 35, 33};
    case BodyVertical:
      return {VerticalImage, 0, 48, 31};
    case BodyHorizontal:
      return {HorizontalImage, 0, 36, 43};
    case BendLeftBottom:
      return {BendImage, 0, 36, 44};
    case BendBottomRight:
      return {BendImage, 3, 49, 44};
    case BendTopLeft:
      return {BendImage, 1, 35, 30};
    case BendTopRight:
      return {BendImage, 2, 49, 30};
    case TailBodyUp:
      return {VerticalImage, 1, 48, 31};
    case TailBodyLeft:
      return {HorizontalImage, 2, 36, 43};
    case TailBodyDown:
      return {VerticalImage, 2, 48, 31};
    case TailBodyRight:
      return {HorizontalImage, 1, 36, 43};
    case Apple:
    case AppleGreen:
      return {AppleImage, code - Apple, 45, 36};
    case BadApple:
      return {AppleImage, 2, 45, 36};
    default:
      return {};
  }
}

// The blood splash of a crash, drawn at (38 HeadX + BloodDX, 38 HeadY + BloodDY).
inline constexpr int BloodDX = 26, BloodDY = 23;
// The points, drawn with the LED digits.
inline constexpr int ScoreX = 315, ScoreY = 12;

}  // namespace vepa::snake
