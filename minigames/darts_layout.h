// Where the darts scene draws its board, rack, hand and darts, and the codes of its hit map.
// Shared by the scene, its content module (which draws every picture around these hot spots)
// and its test.
//
// The aim point is where the hand pictures are anchored; the dart's tip lies at the aim point
// moved by (TipDX, TipDY), and the hit map is read there.
#pragma once

#include <cstdint>
#include <string_view>

namespace vepa::darts {

// The archive entries of the scene.
inline constexpr std::string_view BackgroundEntry = "r_fill01";
inline constexpr std::string_view ImagesEntry = "s_dtir01";
inline constexpr std::string_view HitMapEntry = "b_dtir01";

// "DTir01" is drawn at (BoardX, BoardY); the board's centre is at (BoardCX, BoardCY).
inline constexpr int BoardX = 230, BoardY = 90;
inline constexpr int BoardCX = 350, BoardCY = 210;
// Ring radii: the black number ring, then the scoring rings from the outside in (codes
// FirstRing .. LastRing, the bull last).
inline constexpr int RimR = 118;
inline constexpr int RingR[] = {100, 80, 60, 40, 20};

// The score plate ("Bax01") and the winnings written on it.
inline constexpr int PlateX = 515, PlateY = 418;
inline constexpr int ScoreX = 563, ScoreY = 433, ScoreSize = 20;

// "Drot01", a dart on the rack, is drawn at (RackX + RackStep * i, RackY).
inline constexpr int RackX = 100, RackStep = 50, RackY = 360;
// The empty hand ("Ruka01") picks a dart at the aim point moved by (0, PickDY).
inline constexpr int PickDY = 20;

// The dart's tip relative to the aim point, while aiming and where it lands.
inline constexpr int TipDX = 75, TipDY = 32;
// The tip of a dart stuck in the board ("Drot02"), below the top-left of its picture.
inline constexpr int StuckTipY = 40;
// The hand pictures relative to the aim point: "Ruka02" aiming, "Ruka03" patterns 0-4 and 7-8
// taking the dart and coming back, patterns 5-6 throwing.
inline constexpr int AimHandDX = 75, AimHandDY = -50;
inline constexpr int TakeDX = 0, TakeDY = -35;
inline constexpr int ThrowDX = 70, ThrowDY = -25;

// Hit-map codes.
inline constexpr uint8_t WallCode = 1;                 // around the board: a miss
inline constexpr uint8_t FirstRing = 2, LastRing = 6;  // ring v pays v - FirstRing dollars
inline constexpr uint8_t NumberRingCode = 7;           // the black number ring: a miss
inline constexpr uint8_t RackCode = 8;                 // where the darts lie

}  // namespace vepa::darts
