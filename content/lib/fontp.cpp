#include "fontp.h"

#include <cmath>

namespace art {

const int kFontPWidths[kFontPGlyphs] = {
    26, 24, 23, 21, 32, 21, 31, 22, 24, 25, 25, 25, 28, 22, 20, 26,  // А..П
    25, 24, 25, 23, 32, 22, 28, 22, 33, 35, 28, 33, 24, 27, 37, 25,  // Р..Я
    20, 8,  26, 22, 22, 24, 23, 23, 26, 23,                          // 0..9
    8,  6,  6,  25, 16, 35, 6,  20,                                  // ! . , $ ? - : /
    26, 23, 24, 24, 21, 21, 24, 22, 8,  17, 25, 21, 28, 24, 20, 25,  // A..P
    23, 25, 25, 25, 20, 25, 28, 22, 21, 25,                          // Q..Z
    22, 22, 31, 7,                                                   // < > @ '
    20, 8,  24, 21, 21, 20, 21, 19, 22, 21,                          // 0..9, display style
    14, 7,  7};                                                      // - ( )

int FontPGlyph(unsigned char c, int digitStyle) {
  if (c == ' ') return -1;
  if (c >= 0xC0 && c <= 0xDF) return c - 0xC0;
  if (c >= 'A' && c <= 'Z') return 50 + (c - 'A');
  if (c >= '0' && c <= '9') return (digitStyle == 1 ? 80 : 32) + (c - '0');
  switch (c) {
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
  }
  return 0;
}

int FontPAdvance(unsigned char c, int digitStyle, int size) {
  int g = FontPGlyph(c, digitStyle);
  if (g < 0) g = 3;  // a space advances like "Г"
  return static_cast<int>(std::nearbyint(kFontPWidths[g] / (38.0 / size))) + 1;
}

int FontPTextWidth(std::string_view cp1251, int digitStyle, int size) {
  int w = 0;
  for (unsigned char c : cp1251) w += FontPAdvance(c, digitStyle, size);
  return w;
}

}  // namespace art
