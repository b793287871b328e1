// The layout of the proportional font "FontP": which glyph draws each code page 1251
// character, and each glyph's design width (the full cell is 38 units). The game's text
// routines and the content builder that draws the glyphs share this one table.
#pragma once

#include <array>
#include <cstdint>

namespace vepa {

inline constexpr int kFontPGlyphCount = 93;
inline constexpr int kFontPCellUnits = 38;
// A space is not drawn but takes the room of glyph 3.
inline constexpr int kFontPSpaceWidthGlyph = 3;

inline constexpr std::array<uint8_t, kFontPGlyphCount> kFontPWidths = {
    26, 24, 23, 21, 32, 21, 31, 22, 24, 25, 25, 25, 28, 22, 20, 26,     // 0..15 А..П
    25, 24, 25, 23, 32, 22, 28, 22, 33, 35, 28, 33, 24, 27, 37, 25,     // 16..31 Р..Я
    20, 8,  26, 22, 22, 24, 23, 23, 26, 23,                             // 32..41 digits
    8,  6,  6,  25, 16, 35, 6,  20,                                     // 42..49 ! . , $ ? - : /
    26, 23, 24, 24, 21, 21, 24, 22, 8,  17, 25, 21, 28, 24, 20, 25,     // 50..65 A..P
    23, 25, 25, 25, 20, 25, 28, 22, 21, 25,                             // 66..75 Q..Z
    22, 22, 31, 7,  20, 8,  24, 21, 21, 20, 21, 19, 22, 21, 14, 7,  7,  // 76..92
};

// Glyph of a code page 1251 character in digit style 0 or 1; -1 for a space. Anything
// without a picture of its own (small letters, "Ё", other signs) shows glyph 0, "А".
constexpr int FontGlyph(unsigned char c, int digitStyle) {
  if (c >= 192 && c <= 223) return c - 192;  // "А".."Я"
  if (c >= 'A' && c <= 'Z') return 50 + (c - 'A');
  if (c >= '0' && c <= '9') return (digitStyle == 1 ? 80 : 32) + (c - '0');
  switch (c) {
    case ' ':
      return -1;
    case '!':
      return 42;
    case '.':
      return 43;
    case ',':
      return 44;
    case '$':
      return 45;
    case '?':
      return 46;
    case '-':
      return digitStyle == 1 ? 90 : 47;
    case ':':
      return 48;
    case '/':
      return 49;
    case '<':
      return 76;
    case '>':
      return 77;
    case '@':
      return 78;
    case '\'':
      return 79;
    case '(':
      return 91;
    case ')':
      return 92;
    default:
      return 0;
  }
}

// Design width of the character's glyph (a space measures as glyph 3).
constexpr int FontGlyphWidth(unsigned char c, int digitStyle) {
  const int glyph = FontGlyph(c, digitStyle);
  return kFontPWidths[glyph < 0 ? kFontPSpaceWidthGlyph : glyph];
}

}  // namespace vepa
