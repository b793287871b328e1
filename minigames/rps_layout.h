// Rock-paper-scissors on the booth wall: where the three buttons, the marker, the two arms and
// the opened hands sit, the hit codes of the buttons and the names of the scene's entries,
// shared by the scene, its content module and its test.
#pragma once

namespace vepa::rps {

// Shapes: rock (the plain fist), scissors, paper. Rock beats scissors, scissors beat paper,
// paper beats rock.
inline constexpr int Rock = 0, Scissors = 1, Paper = 2;
inline constexpr int ShapeCount = 3;

// The buttons "Knopka01" pattern i at (ButtonX0 + ButtonStep i, ButtonY); the hit map holds
// i + 1 under button i. The marker "Strelka01" stands above the chosen one.
inline constexpr int ButtonX0 = 200, ButtonStep = 81, ButtonY = 40;
inline constexpr int ButtonWidth = 80, ButtonHeight = 72;
inline constexpr int MarkerX0 = 232, MarkerY = 15;
inline constexpr int MarkerWidth = 16, MarkerHeight = 24;

// The arms swing about their elbows below the screen edges; the fists ride on a circle of
// ArmRadius around the elbow, the forearms are ForearmLength long.
inline constexpr int LeftElbowX = -20, RightElbowX = 660, ElbowY = 350;
inline constexpr int ArmRadius = 250;
inline constexpr int ForearmLength = 136, ForearmThickness = 48;
inline constexpr int FistWidth = 100, FistHeight = 90;
// Patterns of the forearm "Ruka03": the player's (left) and the opponent's (right) sleeve.
inline constexpr int PlayerForearm = 0, OpponentForearm = 3, ForearmPatterns = 4;

// The opened hands replace the fists at the throw: the player's "Ruka04" and the opponent's
// "Ruka02", patterns 3 x shape + step - 4 (scissors 0..2, paper 3..5).
inline constexpr int PlayerHandX = 88, PlayerHandY = 185;
inline constexpr int OpponentHandX = 410, OpponentHandY = 190;
inline constexpr int HandWidth = 142, HandHeight = 116;
inline constexpr int HandPatterns = 6;

inline constexpr int BubbleX = 10, BubbleY = 40;

inline constexpr const char* Background = "r_fill02";
inline constexpr const char* Images = "s_knb01";
inline constexpr const char* HitMap = "b_knb01";

}  // namespace vepa::rps
