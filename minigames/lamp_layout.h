// The dark kiosk after the gallery's lamp was shot: where the eyes shine, where the two speech
// bubbles and the player's mouth are drawn, and the names of its entries and pictures. The
// scene, its content module and its test read them from here. The status bar at the foot of
// the screen is the kiosk's own (engine/status_bar.h).
#pragma once

#include "engine/scene_helpers.h"

namespace vepa::lamp {

inline constexpr const char* Backdrop = "r_lamp01";
inline constexpr const char* Sprites = "s_lamp01";
inline constexpr const char* Music = "m_vepa4";
inline constexpr const char* BreakingClip = "lamp01";

// The cashier's eyes behind the counter window: the eyes and, over them, the lids.
inline constexpr Point HostEyesAt{289, 216};
inline constexpr int HostEyesW = 64, HostEyesH = 30;
// The snake's eyes on its shelf, where the kiosk shows its tongue.
inline constexpr Point SnakeEyesAt{455, 154};
inline constexpr int SnakeEyesW = 34, SnakeEyesH = 16;
// A mouse that lives under the door peeks out of the dark.
inline constexpr Point MouseEyesAt{200, 334};
inline constexpr int MouseEyesW = 30, MouseEyesH = 14;

// The player's talking mouth ("PlRot01" of the common list).
inline constexpr Point MouthAt{10, 410};
inline constexpr int MouthPatterns = 5;

// The host speaks from the window, the player answers from below.
inline constexpr Point HostBubbleAt{330, 50};
inline constexpr Point PlayerBubbleAt{80, 230};

// The phrases: the host's reproach and the player's answer.
inline constexpr int HostPhrase = 32, PlayerPhrase = 14;
inline constexpr int HostRate = 11000, PlayerRate = 13000, BreakingRate = 11000;

// What the broken lamp costs.
inline constexpr int Fine = 12;

}  // namespace vepa::lamp
