// Small routines many scenes share: the phrase player, the speech bubble, the Esc exit box,
// the pointer-press animation and the angle helpers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace vepa {

struct AssetNeeds;
struct GameServices;
struct PhraseRecord;
struct SpokenClip;

// A phrase record in the table: 111 bytes. In memory it has room for 113 (five lines of a
// length byte and 20 characters after the 8 header bytes), so the fifth line's last two
// character bytes are never loaded.
inline constexpr int PhraseRecordSize = 111;

// Speaks phrase `number` (1..) of speaker `stem`: loads its record from "t_" + stem + "01" (only
// the subtitle part when linesOnly is 1, so Kind and Price of the offer stay), starts the
// 60-tick countdown and plays the wave stem + number (three digits at least) at `rate`.
void SayPhrase(GameServices& g, std::string_view stem, int number, int linesOnly, int rate);
// The same with the phrase's wave read ahead into `clip` (ReadSpokenClip of stem + number, at
// the scene's load): a long phrase then starts without reading the archive inside a frame.
void SayPhrase(GameServices& g, std::string_view stem, int number, int linesOnly, int rate,
               SpokenClip& clip);
// Lays `bytes` read from the table at record position `offset` over `record`: fields and lines
// the bytes reach take their new values, the rest keep theirs. A length byte longer than the
// characters a line holds (20, the fifth line 18) is cut to them.
void LoadPhraseBytes(PhraseRecord& record, int offset, const std::vector<uint8_t>& bytes);

void DrawSpeechBubble(GameServices& g, int x, int y, int tail);
// Puts a scene's own words into the speech bubble: the subtitle lines given in UTF-8 from the
// top (five at most; those not given are empty) and the record's LineShift.
void SetSubtitles(GameServices& g, std::initializer_list<std::string_view> lines, int shift = 0);
void ExitBox(GameServices& g);
// Opens the exit box on a fresh Esc press (the part every scene with the box runs while the
// box is closed; does nothing while the box is open).
void ExitBoxWatchEsc(GameServices& g);
void PointerPressStep(GameServices& g);
// Draws the list-1 pointer "Ruka01" with pattern HandFrame at (MouseX + dx, MouseY + dy).
void DrawPointer(GameServices& g, int dx = 0, int dy = 0);
// The list-1 images these helpers draw, for a scene's DeclareAssets: the speech bubble (its
// frame, its tail and the font of its lines), the exit box, and the pointer with the patterns
// of its press.
void DeclareSpeechBubble(AssetNeeds& needs);
void DeclareExitBox(AssetNeeds& needs);
void DeclarePointer(AssetNeeds& needs);
// A position or speed rounded as the game rounds: to the nearest whole number, halves to the
// even one. Values far off the screen (and a value that is no number) give a number far off
// the screen too, never an overflow.
int Nearest(double v);
int AngleTo(int x1, int y1, int x2, int y2);
void TurnTowards(int target, int& angle);

}  // namespace vepa
