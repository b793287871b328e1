// Where things are in the two books (the settings book and the journal) and on the about
// screen: the hit codes of "b_book01", the buttons, the sheet and what each page draws on it.
// The scenes, their content module and their tests read these, so the pictures, the hit map
// and the clicks agree.
//
// A page is drawn relative to its sheet's position (x, y): (0, 0) for the sheet lying on the
// book. The hit map is read at the pointer moved 20 pixels down (the fingertip), so its codes
// lie in plain screen pixels where the pictures are.
#pragma once

#include <cstdint>

namespace vepa::book {

// Codes of "b_book01".
inline constexpr uint8_t CodeKiosk = 1;
inline constexpr uint8_t CodeLeftArrow = 2;
inline constexpr uint8_t CodeRightArrow = 3;
inline constexpr uint8_t CodeComment = 4;  // the journal's magnifying glass; inert in the settings
inline constexpr int HitMapDY = 20;

// The "КИОСК" button (common "Button01" stretched into the rectangle), on both books and the
// about screen.
inline constexpr int KioskLeft = 5, KioskTop = 431, KioskRight = 105, KioskBottom = 475;
inline constexpr int KioskCaptionX = 55, KioskCaptionY = 445;

// The arrows ("Button01" of the book's list: pattern 0 left, 1 right); a pressed arrow sits one
// pixel lower.
inline constexpr int LeftArrowX = 270, RightArrowX = 320, ArrowY = 355;
inline constexpr int ArrowW = 45, ArrowH = 34;
inline constexpr int PressTicks = 3;

// The clip of the book's board, drawn under the sheets.
inline constexpr int ClipX = 253, ClipY = 67, ClipW = 120, ClipH = 34;

// The sheet picture ("List01", the covers "List02" and "List04") and the centre line of its texts.
inline constexpr int SheetDX = 198, SheetDY = 82;
inline constexpr int SheetW = 230, SheetH = 268;
inline constexpr int TextCX = 313;

// A page flies in or out in this many frames, to or from a point out of the book.
inline constexpr int TurnFrames = 10;

// The journal's comment spot: a magnifying glass lying on the board left of the book.
inline constexpr int CommentLeft = 48, CommentTop = 250, CommentRight = 160, CommentBottom = 380;
// The player's mouth badge and his speech bubble while he comments.
inline constexpr int PlayerMouthX = 530, PlayerMouthY = 410;
inline constexpr int PlayerBubbleX = 350, PlayerBubbleY = 230;

// --- The settings book's pages (offsets from the sheet position).

// Page 1: the gramophone, the volume slider.
inline constexpr int GramophoneDX = 248, GramophoneDY = 122;
inline constexpr int GramophoneW = 130, GramophoneH = 130;
inline constexpr int GramophoneFrames = 9;
inline constexpr int TrackDX = 225, TrackDY = 260, TrackW = 176, TrackH = 12;
inline constexpr int KnobRightDX = 389, KnobDY = 253, KnobW = 11, KnobH = 24;
inline constexpr int SliderLeft = 215, SliderRight = 410;  // x + 215 < MouseX < x + 410
inline constexpr int SliderTop = 245, SliderBottom = 285;  // y + 245 < fingertip < y + 285
inline constexpr int KnobLowest = 223;                     // MouseX - x is kept in 223..389
inline constexpr int OffLabelDX = 215, MaxLabelDX = 385, LabelDY = 280;

// Page 2: the loudspeaker with its bubble. The bubble is the common speech bubble drawn small.
inline constexpr int SpeakerDX = 278, SpeakerDY = 121, SpeakerW = 70, SpeakerH = 70;
inline constexpr int SmallBubbleDX = 235, SmallBubbleDY = 183, SmallBubbleW = 76, SmallBubbleH = 76;
inline constexpr int BubuDX = 273, BubuDY = 221;

// Pages 2 and 3: two selector rows 21 pixels apart.
inline constexpr int SelectorDX = 250, SelectorDY = 262, RowStep = 21;
inline constexpr int SelectorW = 18, SelectorH = 18;
inline constexpr int RowLabelDX = 330, RowLabelDY = 264;
inline constexpr int RowLeft = 245, RowRight = 380;  // x + 245 < MouseX < x + 380
inline constexpr int RowTop = 260, RowBottom = 282;  // y + 21 i + 260 < fingertip < y + 21 i + 282

// Page 3: the question mark.
inline constexpr int QuestionDX = 230, QuestionDY = 130, QuestionW = 70, QuestionH = 110;
inline constexpr int QuestionTextDX = 355;

// --- The journal's photographs: pages 3 to 9, each a photo at (x + PhotoDX, y + 120) centred on
// the text line; their widths follow from that.
inline constexpr int JournalLastPage = 11;
inline constexpr int PhotoDY = 120, PhotoH = 150;
struct JournalPhoto {
  int Page;
  const char* Name;
  int DX;
  int Width() const { return 2 * (TextCX - DX); }
};
inline constexpr JournalPhoto JournalPhotos[] = {
    {3, "Foto01", 271}, {4, "Foto02", 258}, {5, "Foto04", 265}, {6, "Foto03", 264},
    {7, "Foto05", 251}, {8, "Foto06", 270}, {9, "Foto07", 264},
};

// --- The about screen: the date line and the button zone (MouseX < 105, MouseY > 410).
inline constexpr int AboutDateX = 330, AboutDateY = 380;
inline constexpr int AboutButtonRight = 105, AboutButtonTop = 410;

}  // namespace vepa::book
