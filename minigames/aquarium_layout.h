// Where the aquarium's pictures are drawn and what sizes they have: shared by the scene, its
// content module and its test, so the tank, the creatures and the anglers' arms fit together.
#pragma once

#include "engine/scene_helpers.h"

namespace vepa::aquarium {

// Archive entries.
inline constexpr const char* kBackground = "r_aqua01";
inline constexpr const char* kImages = "s_aqua01";
inline constexpr const char* kWaves = "w_aqua01";
inline constexpr const char* kMusic = "m_vepa4";
inline constexpr int kMusicOffset = 300;

// Bubble sounds: bursts 1-3, rising from the big fish and the crab 6, from a small fish 5, from
// the air stone 4, and a creature growing out of the castle 7.
inline constexpr const char* kBubbleWaves[7] = {"Buble01", "Buble02", "Buble03", "Buble04",
                                                "Buble05", "Buble06", "Buble07"};
inline constexpr int kBubbleRate = 11000;

// Pictures of "s_aqua01": name, pattern size and pattern count.
inline constexpr Picture kWater{"Voda01", 280, 18, 4};      // surface ripples, 0..3
inline constexpr Picture kCastle{"Aqua01", 100, 62, 1};     // the decoration creatures grow from
inline constexpr Picture kStone{"Aqua02", 52, 50, 1};       // drawn three times
inline constexpr Picture kWeed{"Kust01", 64, 132, 3};       // sways 0, 1, 2, 1
inline constexpr Picture kBubble{"Balon01", 32, 32, 3};     // scaled to 5..25 pixels
inline constexpr Picture kBigFish{"Fish02", 110, 48, 12};   // swim 0-2, turn 3-5; +6 facing left
inline constexpr Picture kSmallFish{"Fish01", 70, 41, 12};  // the same order
inline constexpr Picture kCrab{"Fish03", 71, 91, 6};        // walk 0-2, hanging from a claw 3-5
inline constexpr Picture kBucket{"Vedro01", 104, 110, 2};   // 0 empty, 1 with a fish
inline constexpr Picture kArm{"ARuka01", 160, 90, 3};       // 1 computer, 2 player (rod and reel)
inline constexpr Picture kRod{"ARuka02", 200, 21, 2};       // 0 tip at the right, 1 at the left
inline constexpr Picture kKnob{"ARuka03", 12, 12, 1};       // the reel's crank knob
inline constexpr Picture kHand{"ARuka04", 300, 40, 3};      // 1 computer, 2 player
inline constexpr Picture kHook{"Kruk01", 19, 31, 2};        // 0 computer, 1 player

// The tank: the glass, the water surface and the gravel, in screen pixels.
inline constexpr int kTankLeft = 136, kTankRight = 504;
inline constexpr int kTankTop = 124, kSurfaceY = 146, kGravelY = 414, kTankBottom = 434;
inline constexpr int kWaterX = 180, kWaterY = 139;
// Decoration.
inline constexpr int kCastleX = 220, kCastleY = 365;
inline constexpr int kStoneX[3] = {385, 370, 400}, kStoneY[3] = {365, 370, 375};
inline constexpr int kWeedX = 380, kWeedY = 290;
inline constexpr int kAirStoneX = 420, kAirStoneY = 350;  // where the fixed bubbles rise
// A bubble bursts once it is above this line.
inline constexpr int kBurstY = 150;

// Buckets and their counts.
inline constexpr int kBucketX[2] = {10, 510}, kBucketY = 330;
inline constexpr int kCountX[2] = {62, 562}, kCountY = 360, kCountSize = 20;
// The clock ("10:00" in the LED digits; DrawDigits starts one cell right of x).
inline constexpr int kClockX = 301, kClockY = 436;

// The anglers. The computer's rod starts at x 160 and its tip is at (259 + Tip, 42); the
// player's ends at x 480 and its tip is at (421 - Tip, 26).
inline constexpr int kArmX[2] = {0, 480}, kArmY[2] = {24, 4};
inline constexpr int kRodX0 = 160, kRodY0 = 26, kRodY1 = 10;
inline constexpr int kTipX0 = 259, kTipY0 = 42, kTipX1 = 421, kTipY1 = 26;
// The reel axis of each angler, relative to the top-left of its arm picture; the knob circles
// it at a radius of 15.
inline constexpr int kReelX[2] = {136, 25}, kReelY[2] = {19, 20};
inline constexpr int kCrankRadius = 15;
// Where each hand picture holds the knob (its centre), relative to the hand's top-left.
inline constexpr int kGripX[2] = {273, 25}, kGripY[2] = {10, 11};
// The hook's eye, relative to the top-left of "Kruk01" (where the line is tied).
inline constexpr int kHookEyeX = 9, kHookEyeY = 3;

}  // namespace vepa::aquarium
