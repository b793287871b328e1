// Where the two intro logos draw their pictures, how big the pictures are and the points they
// turn about, and the logos' entry names. Shared by the scenes, their content module and their
// test.
#pragma once

#include <string_view>

#include "engine/scene_helpers.h"

namespace vepa::logos {

struct Box {
  int Left, Top, Right, Bottom;
};

// Both logos lie on the same black background.
inline constexpr std::string_view BackgroundEntry = "l_blck01";

// --- The publisher's critter.
inline constexpr std::string_view PublisherImages = "d_dreb01";
inline constexpr std::string_view PublisherJingle = "dreb01";

// The title texts: the sign, its cord, the ribbon and the star.
inline constexpr Point SignAt{250, 152};
inline constexpr int SignW = 326, SignH = 128;
inline constexpr Point CordAt{398, 280};
inline constexpr int CordW = 19, CordH = 62;
inline constexpr Point RibbonAt{255, 300};
inline constexpr Point StarAt{535, 155};
// The lit spot on the floor, and the lamp with its two light cones stretched over boxes.
inline constexpr Point SpotAt{64, 260};
inline constexpr int SpotW = 218, SpotH = 59;
inline constexpr Point LampAt{306, 119};
inline constexpr Box ConeFront{289, 142, 345, 299};
inline constexpr Box ConeBack{278, 142, 333, 299};

// The critter's body ("Dreb03") and sneakers ("Dreb01") turn about a point at 0.6 of their
// width and half their height, the scene's position of the piece; standing straight they are
// drawn that far up and left of it.
inline constexpr double PivotX = 0.6, PivotY = 0.5;
inline constexpr int BodyW = 143, BodyH = 100;
inline constexpr int BodyDX = 86, BodyDY = 50;
inline constexpr int FootW = 59, FootH = 34;
inline constexpr double FootDX = 35.4, FootDY = 17;
// The eyes on stalks ("Dreb02") are centred this far from the body point, at these angles
// (1/256 turn) behind the body's own.
inline constexpr int EyeW = 29, EyeH = 31;
inline constexpr int EyeDistance = 75;
inline constexpr int EyeAngles[2] = {80, 65};

// --- The maker's sun.
inline constexpr std::string_view MakerImages = "s_kibp01";
inline constexpr std::string_view MakerHello = "kibp01";    // the plain jingle
inline constexpr std::string_view MakerTalking = "kibp02";  // once in ten starts: a hello
// The thirteen build-up pictures "Bax01".."Bax13", the eyes and the open mouth lie over them.
inline constexpr Point SunAt{144, 118};
inline constexpr int SunW = 352, SunH = 320;
inline constexpr int BuildSteps = 13;
inline constexpr Point EyesAt{310, 227};
inline constexpr int EyesW = 60, EyesH = 24;
inline constexpr Point MouthAt{297, 251};
inline constexpr int MouthW = 80, MouthH = 40;

}  // namespace vepa::logos
