// The cockroach race track, seen from above: where the four lanes start, where the player
// points to bet on one, the codes of the track's hit map and the rails, stalls and finish line
// the pictures draw around them. Shared by the race scene, its content and its test.
//
// The hit map holds where a cockroach's centre may go, not where the rails are drawn: a
// cockroach is about 22 pixels wide and 40 long, so the wall bands start that far inside the
// rails, and they are wider than a cockroach's longest step (6 pixels) so none steps through.
#pragma once

#include <cstdint>

namespace vepa::race {

inline constexpr int Cockroaches = 4;

// Cockroach i (1..4) starts with its centre at (StartX, LaneY(i)), facing right.
inline constexpr float StartX = 55.0f;
constexpr int LaneY(int i) { return 44 * i + 129; }  // 173, 217, 261, 305
inline constexpr int LaneWidth = 44;

// The pointer is over lane j while ChoiceLeft < MouseX < ChoiceRight and
// LaneTop(j) < MouseY < LaneTop(j) + LaneWidth; the hand's fingertip (+5, +25) then lies on
// the cockroach.
inline constexpr int ChoiceLeft = 30, ChoiceRight = 80;
constexpr int LaneTop(int j) { return 87 + 44 * j; }

// Codes of "b_tark01" under a cockroach's centre.
enum HitCode : uint8_t {
  FreeTrack = 0,
  WallRight = 5,  // stops movement to the right
  WallLeft = 6,   // stops movement to the left
  WallAbove = 7,  // stops upward movement
  WallBelow = 8,  // stops downward movement
  CornerRightAbove = 9,
  CornerRightBelow = 10,
  CornerLeftAbove = 11,
  CornerLeftBelow = 12,
  Finish = 15,
};

// The track as drawn: a wooden trough whose floor runs from FloorLeft to FloorRight and from
// FloorTop to FloorBottom, inside rails RailWidth wide.
inline constexpr int FloorLeft = 26, FloorRight = 618, FloorTop = 146, FloorBottom = 334;
inline constexpr int RailWidth = 12;
// Starting stalls: short dividers between the lanes, from the left rail to the barrier,
// DividerWidth thick and centred on y = LaneY(i) + 22 for i = 1..3.
inline constexpr int StallRight = 82;
inline constexpr int DividerWidth = 4;
constexpr int DividerY(int i) { return LaneY(i) + LaneWidth / 2; }  // 195, 239, 283
// The checkered finish line across the floor.
inline constexpr int FinishLineLeft = 520, FinishLineRight = 532;

// Where a cockroach's centre may go: the walls begin at these lines.
inline constexpr int CentreTop = 160, CentreBottom = 320;  // 14 inside the floor's edges
inline constexpr int CentreLeft = 44, CentreRight = 598;   // about 20 inside the rails
// In a stall, the centre stays this far from a divider's middle.
inline constexpr int StallClearance = 13;
// A cockroach whose centre has come this far has touched the finish line with its head.
inline constexpr int FinishFrom = 502;

// Pictures.
inline constexpr int CockroachSize = 50;  // "Tarak01", drawn turned about its centre
inline constexpr int MarkerSize = 10;     // "Tarak02" on its back
inline constexpr int MarkerNone = 0, MarkerPlayer = 4;
inline constexpr int MoneyX = 560, MoneyY = 217;  // "Money01", the prize past the finish
inline constexpr int MoneyWidth = 54, MoneyHeight = 44;
// The starting barrier "Palka01" fills (BarrierLeft + s, BarrierTop + s) to
// (BarrierRight - s, BarrierBottom - s) on lift step s = 0..5.
inline constexpr int BarrierLeft = 82, BarrierTop = 140, BarrierRight = 93, BarrierBottom = 340;
inline constexpr int BarrierWidth = BarrierRight - BarrierLeft;
inline constexpr int BarrierHeight = BarrierBottom - BarrierTop;

// The race caller stands at the lower right, under his speech bubble; the player's mouth is
// at the lower left.
inline constexpr int HostBubbleX = 420, HostBubbleY = 260;
inline constexpr int PlayerBubbleX = 80, PlayerBubbleY = 230;
inline constexpr int PlayerMouthX = 10, PlayerMouthY = 410;

// Rates: the running feet at 15000 Hz, the start and the barrier at 22000 Hz, the caller at
// 11000 Hz and the player at 13000 Hz.
inline constexpr int RunRate = 15000, EffectRate = 22000, HostRate = 11000, PlayerRate = 13000;

}  // namespace vepa::race
