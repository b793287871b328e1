// Where the pictures of the opponent selection and the card game sit, shared by the scenes,
// their content and their tests: hit codes, picture positions and sizes, button rectangles.
#pragma once

namespace vepa::cards {

// ---- The opponent selection ----

// Hit codes of "b_sel01".
inline constexpr int HitOneOpponent = 1, HitTwoOpponents = 2, HitThreeOpponents = 3;
inline constexpr int HitReady = 4;

// The portraits, labels and marks hang from this line.
inline constexpr int PanelY = 50;
// The three cashier portraits (top-left corners) and their size.
inline constexpr int PortraitX[3] = {107, 264, 425};
inline constexpr int PortraitY[3] = {PanelY + 20, PanelY + 10, PanelY};
inline constexpr int PortraitW = 110, PortraitH = 130;
// The labels "Text01" pattern i at (LabelX + LabelStep * i, LabelY).
inline constexpr int LabelX = 71, LabelStep = 180, LabelY = PanelY + 150;
inline constexpr int LabelW = 150, LabelH = 28;
// The selection marks under the labels.
inline constexpr int MarkX[3] = {127, 307, 487};
inline constexpr int MarkY = PanelY + 180;
inline constexpr int MarkW = 40, MarkH = 24;
// The arrows the lights run along, and the player's figure with its eyelids.
inline constexpr int ArrowsX = 136, ArrowsY = 260, ArrowsW = 368, ArrowsH = 40;
inline constexpr int PlayerX = 276, PlayerY = 310, PlayerW = 90, PlayerH = 170;
inline constexpr int EyelidsX = 301, EyelidsY = 335, EyelidsW = 40, EyelidsH = 14;
// The "ГОТОВО" button.
inline constexpr int ReadyLeft = 520, ReadyTop = 426, ReadyRight = 620, ReadyBottom = 470;
// The hit map is read 20 pixels below the pointer; the pointer's fingertip is 5 right and 25
// below it. So that the fingertip chooses what it touches, the codes are laid 5 pixels up and
// left of the pictures they stand for.
inline constexpr int HitReadDY = 20;
inline constexpr int HitShift = -5;
// The pointer's fingertip relative to the pointer position.
inline constexpr int PointerTipDX = 5, PointerTipDY = 25;

// ---- The card game ----

// A card face or back at full size.
inline constexpr int CardW = 119, CardH = 141;
// Table slot s, row r (0 attack, 1 cover): the face is drawn at (TableX + TableStep*s,
// TableY + TableRowStep*r).
inline constexpr int TableX = 60, TableStep = 80, TableY = 240, TableRowStep = 60;
// The stock, trump-suit and rank signs, and the discard pile.
inline constexpr int StockX = 560, StockY = 270, StockW = 80, StockH = 80;
inline constexpr int TrumpSignX = 606, TrumpSignY = 305, TrumpSignW = 28, TrumpSignH = 28;
inline constexpr int RankSignX = 595, RankSignY = 310, RankSignW = 14, RankSignH = 18;
inline constexpr int DiscardX = 570, DiscardY = 350, DiscardW = 70, DiscardH = 90;
// The buttons: "ДАЛЬШЕ" slides down from above at the left, "СДАТЬСЯ" stays at the right.
inline constexpr int NextLeft = 5, NextRight = 105, NextTop = 6, NextBottom = 50;
inline constexpr int GiveUpLeft = 535, GiveUpRight = 635, GiveUpTop = 6, GiveUpBottom = 50;
// The pointer area that presses either button: x strictly between the sides, y between
// ButtonPressTop and ButtonPressBottom (the hand's fingertip sits below the pointer).
inline constexpr int ButtonPressTop = -14, ButtonPressBottom = 30;
// The player's hand row: cards HandWidth apart in total, hovered between its top - 20 and +121.
inline constexpr int HandSpan = 500, HandCentreX = 261;
inline constexpr int HandYUp = 330, HandYDown = 420;
// Drop zone of slot s for a covering card: 60 + 80 s < x < 140 + 80 s, 190 < y < 390.
inline constexpr int DropLeft = 60, DropWidth = 80, DropTop = 190, DropBottom = 390;

// Figure part sizes of the opponents (pictures of "s_kard01").
inline constexpr int FanW = 70, FanH = 48;
inline constexpr int OppHandW = 50, OppHandH = 40;

}  // namespace vepa::cards
