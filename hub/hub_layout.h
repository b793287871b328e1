// The kiosk's item codes, its answer buttons, where the pointer hand reads the hit map, and
// the kiosk's entry names. Shared by the kiosk, its content module (whose hit map puts every
// code where its object is drawn) and the tests.
#pragma once

#include <cstdint>
#include <string_view>

namespace vepa::hub {

// The archive entries of the kiosk.
inline constexpr std::string_view BackgroundEntry = "r_fill01";
inline constexpr std::string_view CashierImagesEntry = "s_kib01";  // image list 2
inline constexpr std::string_view KioskImagesEntry = "s_ksk01";    // image list 3
inline constexpr std::string_view WavesEntry = "w_ksk01";
inline constexpr std::string_view MusicEntry = "m_vepa4";
inline constexpr std::string_view HitMapEntry = "b_ksk03";
// The phrase tables of the cashier and of the player, and the rates their voices play at.
inline constexpr std::string_view CashierPhrases = "kib";
inline constexpr std::string_view PlayerPhrases = "ply";
inline constexpr int CashierRate = 11000, PlayerRate = 14000;

// The hit map is read at the pointer hand's fingertip, this far from its top-left corner.
inline constexpr int FingertipX = 5, FingertipY = 25;

// Codes of the kiosk's hit map: what lies under the fingertip.
enum Item : uint8_t {
  BoxingGlove = 2,
  Lamp = 4,
  Dartboard = 5,
  Poster = 6,
  Hammer = 7,
  DoorHandle = 8,
  Snake = 10,
  Gun = 11,
  Cashier = 14,
  Book = 15,  // lowers the choice sign: the journal or the settings book
  Cockroach = 17,
  Television = 18,
  TipJar = 22,
  Door = 26,
  Cards = 29,
  CashierHand = 31,  // a second way to rock-paper-scissors
  Daz = 33,
  FishTank = 34,
  Battery = 35,
  TicketStack = 36,
  Sky = 40,
  Inkpot = 41,
  Window = 42,
  RpsSticker = 43,
  Bread = 44,
  Heap = 45,  // next to the television
  Bottle = 47,
  StreetLamp = 48,
  Houses = 49,
  // Written by the kiosk itself: no pixel of the hit map carries them.
  GameOver = 54,   // no money and no tickets: back to the start menu
  LeaveGame = 55,  // the goodbye after the door handle: the closing screen
  // The two answer buttons.
  LeftButton = 254,
  RightButton = 255,
};

// The answer buttons on the screen, their captions centred in them.
struct ButtonBox {
  int Left, Top, Right, Bottom;
  constexpr int CentreX() const { return (Left + Right) / 2; }
};
inline constexpr ButtonBox LeftButtonBox{210, 423, 310, 468};
inline constexpr ButtonBox RightButtonBox{330, 423, 430, 468};
// The captions' middle row.
inline constexpr int ButtonCaptionY = 444;

}  // namespace vepa::hub
