// Where the shooting gallery's things are: the places its pictures are drawn at, the boxes that
// catch a shot at the running rabbit and duck, the codes of its hit map and the names of its
// entries and pictures. The scene, its content module and its test all read them from here, so
// a target drawn elsewhere is a target that the hit map and the hit boxes follow.
#pragma once

#include <array>
#include <cstdint>

#include "engine/scene_helpers.h"

namespace vepa::gallery {

// Archive entries.
inline constexpr const char* Backdrop = "r_fill02";
inline constexpr const char* Sprites = "s_gun01";
inline constexpr const char* HitMapEntry = "b_gun01";
inline constexpr const char* Music = "m_gun02";
inline constexpr int MusicOffset = 300;

// Hit-map codes. Apple i (0..2) is code 1 + i; 0 and anything else is the back wall.
inline constexpr uint8_t CodeFirstApple = 1;
inline constexpr uint8_t CodeMill = 4;
inline constexpr uint8_t CodeCounter = 5;  // a miss here leaves its hole in front of the targets
inline constexpr uint8_t CodeLamp = 6;

// Prizes in dollars.
inline constexpr int ApplePrize = 3;
inline constexpr int MillPrize = 20;
inline constexpr int AnimalPrize = 5;

inline constexpr int Shots = 5;

// The lamp hangs from the ceiling at the top middle.
inline constexpr Point LampAt{292, 0};
inline constexpr int LampW = 56, LampH = 52;
// The three apples stand on the shelf under it ("Apple01" is drawn at these places).
inline constexpr std::array<Point, 3> AppleAt{{{190, 50}, {280, 50}, {370, 50}}};
inline constexpr int AppleW = 50, AppleH = 56;
// A knocked-off apple starts to fall from (AppleFallX + AppleFallStep * i, AppleFallY), the
// centre of its falling picture "Apple02".
inline constexpr int AppleFallX = 215, AppleFallStep = 90, AppleFallY = 50;
inline constexpr int FallingAppleW = 34, FallingAppleH = 21;

// The painted scenery behind the rail and the rail's front board.
inline constexpr Point BackSceneryAt{135, 120};
inline constexpr int BackSceneryW = 370, BackSceneryH = 130;
inline constexpr Point FrontSceneryAt{160, 240};
inline constexpr int FrontSceneryW = 320, FrontSceneryH = 110;

// The rabbit and the duck run along the rail: their pictures are drawn at (X + RailX, RailY)
// with X from 0 to RailLength, moving RailStep pixels a frame.
inline constexpr int RailX = 170, RailY = 180;
inline constexpr int RailLength = 200, RailStep = 5;
inline constexpr int RabbitW = 50, RabbitH = 60;
inline constexpr int DuckW = 110, DuckH = 60;
// A shot hits the animal when the aim point lies strictly inside its box, measured from X.
struct HitBox {
  int Left, Right, Top, Bottom;  // all excluded
};
inline constexpr HitBox RabbitBox{175, 215, 180, 240};
inline constexpr HitBox DuckBox{180, 270, 180, 240};

// The windmill's sails turn about this point, drawn at this size.
inline constexpr Point MillCentre{320, 270};
inline constexpr int MillSize = 100;
inline constexpr int MillTurnFrames = 60;
inline constexpr int MillAngleStep = 10;  // 1/256 turns per frame of turning

// A bullet hole is drawn with its centre on the aim point.
inline constexpr int HoleW = 20, HoleH = 22;
inline constexpr int HoleDX = -10, HoleDY = -11;
inline constexpr int HolePatterns = 5;

// The cartridges still to be fired stand on the counter: number i (1..) at
// (CartridgeStep * i, CartridgeY - i).
inline constexpr int CartridgeStep = 30, CartridgeY = 385;
inline constexpr int CartridgeW = 16, CartridgeH = 44;

// The score plate "Bax01" of the common list and the prize written on it.
inline constexpr Point PlateAt{522, 18};
inline constexpr Point ScoreAt{570, 33};
inline constexpr int ScoreSize = 20;

// The sight "Pricel01" is drawn with its aim point on P.
inline constexpr int SightDX = -63, SightDY = -68;

// The gun follows the aim: it is drawn at GunAt + G, where G is half of P.x and a fifth of
// P.y. Its three poses (at rest, kicking, fully kicked) and the flash at the muzzle.
inline constexpr double GunFollowX = 0.5, GunFollowY = 0.2;
inline constexpr Point GunRestAt{300, 295};    // "Gun01"
inline constexpr Point GunKickAt{320, 247};    // "Gun02": the shot and the gun settling back
inline constexpr Point GunRecoilAt{350, 206};  // "Gun03": the bullet strikes
inline constexpr Point FlashAt{310, 262};      // "Fire01" 0, with "Gun02"
inline constexpr Point SmokeAt{332, 202};      // "Fire01" 1, with "Gun03"
// Each pose's picture reaches the right and bottom edges of the screen with the aim at the top
// left (G = 0), so the stock is never seen to end; further right and down it leaves the screen.
inline constexpr int GunRestW = 640 - GunRestAt.X, GunRestH = 480 - GunRestAt.Y;
inline constexpr int GunKickW = 640 - GunKickAt.X, GunKickH = 480 - GunKickAt.Y;
inline constexpr int GunRecoilW = 640 - GunRecoilAt.X, GunRecoilH = 480 - GunRecoilAt.Y;
inline constexpr int FireW = 60, FireH = 60;
// The muzzle of each pose inside its picture; the flash and the smoke are centred on it.
inline constexpr Point KickMuzzle{FlashAt.X - GunKickAt.X + FireW / 2,
                                  FlashAt.Y - GunKickAt.Y + FireH / 2};
inline constexpr Point RecoilMuzzle{SmokeAt.X - GunRecoilAt.X + FireW / 2,
                                    SmokeAt.Y - GunRecoilAt.Y + FireH / 2};

// Timing: the shot's report is stopped this many frames after it started; the closing starts
// once more than EndFrames frames have been counted with no shot left.
inline constexpr int RecoilFrames = 15;
inline constexpr int EndFrames = 40;

// The sight trembles by -AimTremor..+AimTremor on each axis every frame and stays on the
// screen; pressed against an edge of the screen it creeps back.
inline constexpr int AimTremor = 20;
inline constexpr AimArea AimBounds{.Right = 640, .Bottom = 480, .Slack = 15, .Creep = 10};

inline constexpr int SoundRate = 11000;

}  // namespace vepa::gallery
