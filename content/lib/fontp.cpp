#include "fontp.h"

#include <cmath>

namespace art {

int FontPGlyph(unsigned char c, int digitStyle) { return vepa::FontGlyph(c, digitStyle); }

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
