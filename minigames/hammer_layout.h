// The hammer game on the warm-room table: the hand, its five fingers (flat, lifted and
// bandaged), the hammer's rest points above each finger, the score board and the entry names,
// shared by the scene, its content module and its test.
#pragma once

#include <array>

#include "engine/scene_helpers.h"

namespace vepa::hammer {

inline constexpr int Fingers = 5;  // 0 thumb .. 4 little finger, left to right

// Where the hammer's picture rests above each finger before it strikes (its top-left).
inline constexpr std::array<Point, Fingers> Holes{
    {{160, -40}, {185, -80}, {245, -105}, {310, -70}, {335, -20}}};
// The striking face of the hammer lies this far from its picture's top-left, so a strike
// from hole i lands on Holes[i] + StrikeOffset: the nail of finger i lying flat.
inline constexpr Point StrikeOffset{95, 250};

// The hand lies at a fixed point; the fingers and their bandaged pictures around it.
inline constexpr Point HandAt{271, 194};
inline constexpr std::array<Point, Fingers> FingerAt{
    {{240, 184}, {260, 149}, {300, 130}, {327, 156}, {322, 203}}};
inline constexpr std::array<Point, Fingers> BandageAt{
    {{239, 187}, {254, 147}, {302, 118}, {336, 146}, {357, 202}}};
inline constexpr int LiftPatterns = 3;  // flat, half up, up
inline constexpr int SwingPictures = 3;

// The score board and its digits (centred on the board, first digit at x + 8).
inline constexpr Point BoardAt{555, 440};
inline constexpr int BoardWidth = 60, BoardHeight = 30;
inline constexpr int DigitsX = 577, DigitsY = 445;

inline constexpr Point BubbleAt{420, 200};

inline constexpr const char* Background = "r_brn01";
inline constexpr const char* Images = "s_molt01";
inline constexpr const char* Waves = "w_molt01";

}  // namespace vepa::hammer
