// Bitmap-font text: the glyph table and widths of "FontP", the fixed digit font "EFont01", and
// the layout of texts in them.
#include "engine/text.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "engine/services.h"

namespace vepa {

namespace {

// Largest cell size the text routines accept; larger sizes are drawn at this size.
constexpr int kMaxSize = 4096;

// The scale 38 / size as the game keeps it: a 48-bit real, whose mantissa holds 40 significant
// bits (about 12 decimal digits). Rounding the exact quotient to 40 bits decides on which side
// of a half a quotient w / scale lands (w = 19 at odd sizes), so it is modelled exactly here with
// integers: the mantissa is 38 * 2^k / size rounded to nearest, ties to even.
double FontScale(int size) {
  const uint64_t den = static_cast<uint64_t>(size);
  int k = 0;
  // Bring 38 * 2^k / size into [2^39, 2^40).
  while ((38ull << k) / den < (1ull << 39)) ++k;
  uint64_t num = 38ull << k;
  uint64_t mant = num / den;
  const uint64_t rem = num % den;
  if (2 * rem > den || (2 * rem == den && (mant & 1))) ++mant;
  return std::ldexp(static_cast<double>(mant), -k);
}

int AdvanceOfWidth(int w, double scale) {
  // The quotient is rounded to the nearest integer, exact halves to the even neighbour
  // (nearbyint under the default rounding mode).
  return static_cast<int>(std::nearbyint(w / scale)) + 1;
}

int GlyphWidth(unsigned char c, int digitStyle) { return FontGlyphWidth(c, digitStyle); }

int EFontPattern(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  switch (c) {
    case ':':
      return 10;
    case '^':
      return 11;
    case '-':
      return 12;
    default:
      return 0;
  }
}

}  // namespace

int TextAdvance(unsigned char c, int digitStyle, int size) {
  if (size < 1) return 0;
  if (size > kMaxSize) size = kMaxSize;
  return AdvanceOfWidth(GlyphWidth(c, digitStyle), FontScale(size));
}

int TextWidth(std::string_view text, int digitStyle, int size) {
  if (size < 1) return 0;
  if (size > kMaxSize) size = kMaxSize;
  const double scale = FontScale(size);
  int total = 0;
  for (char ch : text) {
    total += AdvanceOfWidth(GlyphWidth(static_cast<unsigned char>(ch), digitStyle), scale);
  }
  return total;
}

void DrawTextLeft(GameServices& g, int x, int y, int size, std::string_view text, int digitStyle,
                  int height) {
  if (text.empty() || size < 1) return;
  if (size > kMaxSize) size = kMaxSize;
  const Image* font = g.layer.FindImage(1, "FontP");
  const double scale = FontScale(size);
  int pen = x;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const int glyph = FontGlyph(c, digitStyle);
    if (glyph >= 0) {
      g.layer.DrawPatternAlpha(font, glyph, Rect{pen, y, pen + size, y + height}, 254);
    }
    pen += AdvanceOfWidth(kFontPWidths[glyph < 0 ? kFontPSpaceWidthGlyph : glyph], scale);
  }
}

void DrawTextCentered(GameServices& g, int x, int y, int size, std::string_view text,
                      int digitStyle, int height) {
  if (text.empty() || size < 1) return;
  const int half = TextWidth(text, digitStyle, size) / 2;  // toward zero
  DrawTextLeft(g, x - half, y, size, text, digitStyle, height);
}

void DrawDigits(GameServices& g, int x, int y, std::string_view text) {
  if (text.empty()) return;
  const Image* font = g.layer.FindImage(1, "EFont01");
  int i = 1;
  for (char ch : text) {
    g.layer.DrawPattern(font, EFontPattern(static_cast<unsigned char>(ch)), x + 8 * i, y);
    ++i;
  }
}

}  // namespace vepa
