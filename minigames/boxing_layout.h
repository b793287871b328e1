// The boxing ring seen from above: where the boxers may move, how their heads and arms are
// drawn around their centres, where a punch reaches, and the names and order of the scene's
// pictures and sounds. Shared by the scene, its content module and its test.
//
// A boxer faces right with Facing +1 (the pictures are drawn that way; Facing -1 mirrors
// them). Its head is drawn centred a little ahead of its centre; each arm picture is anchored
// at its top-left corner on the shoulder, 10 pixels behind the centre and 19 above or below,
// and reaches 117 pixels forward. The lower arm is drawn as it is, the upper arm mirrored top
// to bottom; the glove of a stretched arm is where a punch lands.
#pragma once

#include <array>
#include <string_view>

namespace vepa::boxing {

// The ropes stop a boxer's centre here.
inline constexpr int RopeLeft = 80, RopeRight = 550, RopeTop = 130, RopeBottom = 365;
// A flying drop of blood lands where it meets these.
inline constexpr int DropLeft = 70, DropRight = 560, DropTop = 110, DropBottom = 385;
// Start positions: the opponent on the left, the player on the right, both on the middle line.
inline constexpr int OpponentStartX = 80, PlayerStartX = 550, StartY = 240;

// The other boxer is in reach between 90 and 130 pixels ahead.
inline constexpr int ReachNear = 90, ReachFar = 130;
// A stretched arm lands on a head between 28 and 52 pixels above (upper arm) or below (lower).
inline constexpr int PunchNear = 28, PunchFar = 52;

// Pictures of "s_box01". Heads: pattern 0 upright, 1 hurt. Arms: patterns 0 bent to 2
// stretched. "Blood01" is a flying drop (two looks), "Blood02" a splash on the mat (growing).
inline constexpr std::string_view OpponentHead = "BHead03", PlayerHead = "BHead04";
inline constexpr std::string_view OpponentArm = "BRuka03", PlayerArm = "BRuka04";
inline constexpr std::string_view DropImage = "Blood01", SplashImage = "Blood02";
inline constexpr int HeadPatterns = 2, ArmPatterns = 3, DropPatterns = 2, SplashPatterns = 3;

// Sizes as drawn (and as made).
inline constexpr int PlayerHeadW = 48, OpponentHeadW = 47, HeadH = 39;
inline constexpr int PlayerHeadDX = 2, OpponentHeadDX = 4;  // times Facing
inline constexpr int ArmW = 117, ArmH = 49;
inline constexpr int ArmDX = -10, ArmDY = 19;  // shoulder from the centre (DX times Facing)
inline constexpr int DropSize = 13;
inline constexpr int SplashW = 42, SplashH = 36;
// The glove of each arm pattern, centre and radius in the (lower) arm picture.
struct Glove {
  double X, Y, R;
};
inline constexpr std::array<Glove, 3> Gloves{{{44, 10, 12}, {74, 18, 12.5}, {103, 24, 13}}};

// "w_box01", by index: the scene lowers all twelve while the announcer speaks.
inline constexpr int WaveCount = 12;
inline constexpr std::array<std::string_view, WaveCount> Waves{
    "PBoxS01", "PBoxS02",                        // the player swings
    "RBoxS01", "RBoxS02",                        // the opponent swings
    "PBoxB01", "PBoxB02",                        // the player is hit
    "RBoxB01", "RBoxB02",                        // the opponent is hit
    "Bell01",  "Crowd01", "Crowd02", "Whist01",  // the hall: never played by the bout itself
};

// Texts on the screen.
inline constexpr int ScoreX = 291, ScoreY = 22;   // "RR:PP" with the LED digits
inline constexpr int ClockX = 291, ClockY = 448;  // "M:SS" as "MM:SS"
inline constexpr int ResultX = 320, ResultY = 100;

}  // namespace vepa::boxing
