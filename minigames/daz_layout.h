// Daz, the pocket game with a battery, and the two scenes around it: the table where Gorm and
// Puch explain it, and the food game itself, where Gorm keeps the sausages in the air. Where
// things sit on the screen, the codes of the shared hit map "b_daz02", the pictures' names and
// sizes, and the state both scenes keep, shared by the scenes, their content and their tests.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vepa {
struct Game;
}

namespace vepa::daz {

// ---- Archive entries --------------------------------------------------------------------------

inline constexpr std::string_view TableBackground = "r_zfis03";
inline constexpr std::string_view TableImages = "s_zfis01";
inline constexpr std::string_view FoodBackground = "r_daz01";
inline constexpr std::string_view FoodImages = "s_daz01";
inline constexpr std::string_view FoodWaves = "w_daz01";
inline constexpr std::string_view PanelHitMap = "b_daz02";  // both scenes
inline constexpr std::string_view SpeakerStem = "daz";

// ---- The button panel (both scenes) -------------------------------------------------------------

// Buttons 0-2 are the panel on the right (start with three pieces, start with four, leave),
// 3 and 4 the left and right arrow buttons at the bottom corners. Hit code = button + 1.
inline constexpr int ButtonCount = 5;
inline constexpr int PanelButtons = 3;
inline constexpr int LeftArrowButton = 3, RightArrowButton = 4;

// "Text01" (the captions) is drawn under "Button01", whose face is a window the caption shows
// through; the caption's top rows stick out above the bezel as a little tab.
inline constexpr int PanelX = 574, PanelY = 40, PanelStep = 60;
inline constexpr int PanelW = 66, PanelH = 56;
inline constexpr int CaptionX = 583, CaptionY = 32;
inline constexpr int CaptionW = 48, CaptionH = 58;
// The caption window in the bezel, relative to the bezel.
inline constexpr int WindowX = 9, WindowY = 10, WindowW = 48, WindowH = 36;

// The arrow signs "Strelk01" sit just above the round arrow buttons "Button02".
inline constexpr int LeftSignX = 30, RightSignX = 596, SignY = 360;
inline constexpr int SignW = 40, SignH = 20;
inline constexpr int LeftArrowX = 5, RightArrowX = 568, ArrowY = 380;
inline constexpr int ArrowW = 70, ArrowH = 66;

// The pointer "Ruka01" is drawn at the pointer position with its fingertip at (+5, +25); the
// scenes read the hit map at (x, y + 20). The button codes are laid 5 pixels up and left of
// the pictures, so the code read is the one under the fingertip.
inline constexpr int HitReadDY = 20;
inline constexpr int FingerDX = 5, FingerDY = 25;
inline constexpr int HitShiftX = -FingerDX, HitShiftY = HitReadDY - FingerDY;

struct ButtonArea {
  int X, Y, W, H;
  bool Round;
};
// The picture of button b on the screen (the hit map codes b + 1 there, shifted as above).
inline constexpr std::array<ButtonArea, ButtonCount> ButtonAreas{{
    {PanelX, PanelY, PanelW, PanelH, false},
    {PanelX, PanelY + PanelStep, PanelW, PanelH, false},
    {PanelX, PanelY + 2 * PanelStep, PanelW, PanelH, false},
    {LeftArrowX, ArrowY, ArrowW, ArrowH, true},
    {RightArrowX, ArrowY, ArrowW, ArrowH, true},
}};

// ---- The table (scene 27) ---------------------------------------------------------------------

inline constexpr int TableX = 122, TableY = 5, TableW = 396, TableH = 300;
inline constexpr int DazX = 199, DazY = 100, DazW = 242, DazH = 160;
// Gorm on the left, Puch on the right, facing the player in front of the table.
inline constexpr int TableGormX = 125, TableGormY = 272, TableGormW = 200, TableGormH = 208;
inline constexpr int TableGormMouthX = 182, TableGormMouthY = 369;
inline constexpr int TableGormMouthW = 44, TableGormMouthH = 26;
inline constexpr int TablePuchX = 355, TablePuchY = 269, TablePuchW = 170, TablePuchH = 211;
inline constexpr int TablePuchMouthX = 378, TablePuchMouthY = 344;
inline constexpr int TablePuchMouthW = 34, TablePuchMouthH = 22;
// The speech bubbles: Gorm's at the left, Puch's in the middle, both with their tail down.
inline constexpr int GormBubbleX = 10, PuchBubbleX = 200, BubbleY = 130, BubbleTail = 2;

// Phrases of Daz's table.
inline constexpr int PhraseGoodbye = 5, PhraseTopPrize = 6;
inline constexpr int PhraseGormExplains = 7, PhrasePuchExplains = 8, PhraseStart = 9;

// ---- The food game (scene 28) -----------------------------------------------------------------

// Gorm's four columns: a piece k = 2..5 flies up and down in column k - 2 at this x (the centre
// of the piece); the pan in Gorm's hand is under it when he stands in that column.
inline constexpr std::array<int, 4> ColumnX{205, 260, 355, 435};
inline constexpr int Columns = 4;
inline constexpr int FirstPiece = 2, MaxPieces = 4;
inline constexpr int PieceW = 40, PieceH = 26;
// A piece starts and comes back at this height; it is hit between these heights (plus 5 per
// column: the floor slopes a little towards the player on the right).
inline constexpr int PieceStartY = 280;
inline constexpr int HitTop = 290, HitBottom = 340, HitColumnDrop = 5;
// A piece below this line lies on the floor.
inline constexpr int FloorY = 385;
// The line where the floor meets the wall in the background.
inline constexpr int FloorTop = 372;

struct Place {
  int X, Y;
};
// "Gorm01".."Gorm04" by column (pattern 1 swings the pan), and his separate head in column 1.
inline constexpr std::array<Place, 4> GormPlaces{{{177, 220}, {227, 277}, {307, 220}, {362, 218}}};
inline constexpr std::array<int, 4> GormW{165, 175, 185, 210};
inline constexpr std::array<int, 4> GormH{184, 126, 184, 186};
inline constexpr Place GormHeadPlace{302, 216};
inline constexpr int GormHeadW = 70, GormHeadH = 66;
// Where the pan's face is, relative to each Gorm picture (rest and swing).
inline constexpr int PanRestY = 338, PanSwingY = 306;  // on screen

// Puch behind the barrel "Predm04" at the upper left: he rises up to 90 pixels.
inline constexpr Place BarrelPlace{84, 113};
inline constexpr int BarrelW = 92, BarrelH = 150;
inline constexpr int PuchW = 84, PuchH = 100;
inline constexpr int PuchArmW = 76, PuchArmH = 58;
// Puch's mouth, where the spit starts, when he is all the way up.
inline constexpr Place SpitStart{170, 83};
// A piece of column 0 passing this band is caught by Puch's hand.
inline constexpr int HoldTop = 125, HoldBottom = 145, HoldY = 135;

inline constexpr int SpitW = 18, SpitH = 9;
inline constexpr int SplashW = 24, SplashH = 14;
inline constexpr Place SpitMarkPlace{318, 404};
inline constexpr int SpitMarkW = 44, SpitMarkH = 12;
// The spit hits Gorm's head in column 1 at these heights; below this line it hits the floor.
inline constexpr int HeadHitTop = 210, HeadHitBottom = 240, SpitFloorY = 390;

inline constexpr int MouseStartX = 555, MouseY = 360, MouseW = 60, MouseH = 36;
inline constexpr Place LeftCasing{0, 358}, RightCasing{546, 358};
inline constexpr int CasingW = 94, CasingH = 122;

inline constexpr int ScoreX = 425, ScoreY = 79, ScoreSize = 20;
inline constexpr int LivesX = 290, LivesY = 70, LivesSpread = 90, LivesShown = 6;
inline constexpr int LifeW = 26, LifeH = 24;
inline constexpr int PauseX = 320, PauseY = 150, PauseMaxSize = 30;

inline constexpr int TopPrize = 50;
inline constexpr int MaxLives = 15;

// ---- What the scenes keep --------------------------------------------------------------------

struct DazButton {
  uint8_t Pressed = 0;  // 1 while pressed
  uint8_t Pattern = 0;  // picture pattern, 1 while pressed
  uint8_t Hold = 0;     // frames left until release
};
using DazButtons = std::array<DazButton, ButtonCount>;

struct TableState {
  int32_t ResultMode = 0;  // 0 came from the kiosk; 1 or 2 back from the game (2: top prize)
  int32_t TalkStep = 0;
  int32_t TalkPause = 0;
  int32_t GormMouth = 0;
  int32_t SecondOption = 0;  // the game was started with the second button: four pieces
  DazButtons Buttons{};
};

struct FoodPiece {
  int X = 0;
  float Y = 0, VY = 0;
  int32_t Spin = 0, Angle = 0;
  uint8_t Gone = 0;  // 1 while the mouse has it
};

struct FoodState {
  int32_t GormColumn = 0, SwingTimer = 0, SwingPattern = 0, HitFace = 0;
  int32_t PlayState = 0;  // 0 playing, 1 a piece is on the floor, 3 no lives left
  int32_t Lives = 3;
  uint16_t Score = 0, BestScore = 0;
  uint8_t LeftQueue = 0, RightQueue = 0, LeftLatch = 0, RightLatch = 0;
  int32_t PauseState = 0, PauseSize = 0;
  int32_t EndRequest = 0, EndDelay = 0;
  int32_t PuchState = 0, PuchY = 0, PuchAct = 0, PuchLaugh = 0, PuchPattern = 0;
  int32_t SpitState = 0;
  float SpitX = 0, SpitY = 0, SpitVX = 0, SpitVY = 0;
  int32_t SpitAngle = 0, SpitFrame = 0, SpitMark = 0;
  int32_t MouseRunX = 0, MouseStep = 0, MouseWait = 0, LostPiece = FirstPiece;
  std::array<FoodPiece, MaxPieces> Pieces{};  // pieces 2..5 at index 0..3
  DazButtons Buttons{};
};

// The scenes' state, kept by the scene objects of the game (the food game reads the table's
// SecondOption; the table clears the food game's score when a new visit starts).
TableState& DazTable(Game& g);
FoodState& DazFood(Game& g);

// ---- The panel, the same in both scenes
// ----------------------------------------------------------

// Presses a button (Hold frames until it comes up again) with the click of "Boom26".
void PressButton(Game& g, DazButton& b, uint8_t hold = 2);
// A click on a button of the panel or an arrow button: presses it at the second frame of the
// pointer press. Then every pressed button counts down and comes up when its hold is over.
void ClickAndReleaseButtons(Game& g, DazButtons& buttons);
// The captions and panel buttons, the arrow signs and the arrow buttons.
void DrawButtons(Game& g, const DazButtons& buttons);

}  // namespace vepa::daz
