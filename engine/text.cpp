// Bitmap-font text: the glyph table and widths of "FontP", the fixed digit font "EFont01", and
// the code page 1251 conversion of the source's UTF-8 literals.
#include "engine/text.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "app/game.h"

namespace vepa {

namespace {

// Unicode code points of the bytes 0x80..0xBF of code page 1251 (0 where the byte is unused).
// The bytes 0xC0..0xFF are the Cyrillic capitals and small letters U+0410..U+044F in order.
constexpr std::array<uint16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char ByteOfCodePoint(uint32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
  for (size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] != 0 && kUpperHalf[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

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

std::string Cp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = 0;
    int extra = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      cp = b & 0x07;
      extra = 3;
    } else {
      out += '?';  // a stray continuation byte or an invalid lead byte
      ++i;
      continue;
    }
    bool valid = i + static_cast<size_t>(extra) < utf8.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto cb = static_cast<unsigned char>(utf8[i + k]);
      if ((cb & 0xC0) != 0x80) {
        valid = false;
      } else {
        cp = (cp << 6) | (cb & 0x3F);
      }
    }
    // Overlong forms and code points past Unicode are as bad as a broken sequence.
    static constexpr uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (valid && (cp < kMinimum[extra] || cp > 0x10FFFF)) valid = false;
    if (!valid) {
      out += '?';
      ++i;  // resynchronise on the next byte
      continue;
    }
    out += ByteOfCodePoint(cp);
    i += 1 + extra;
  }
  return out;
}

std::string Utf8FromCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else if (b >= 0xC0) {
      AppendUtf8(out, 0x0410 + (b - 0xC0));
    } else if (kUpperHalf[b - 0x80] != 0) {
      AppendUtf8(out, kUpperHalf[b - 0x80]);
    } else {
      out += '?';
    }
  }
  return out;
}

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

void DrawTextLeft(Game& g, int x, int y, int size, std::string_view text, int digitStyle,
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

void DrawTextCentered(Game& g, int x, int y, int size, std::string_view text, int digitStyle,
                      int height) {
  if (text.empty() || size < 1) return;
  const int half = TextWidth(text, digitStyle, size) / 2;  // toward zero
  DrawTextLeft(g, x - half, y, size, text, digitStyle, height);
}

void DrawDigits(Game& g, int x, int y, std::string_view text) {
  if (text.empty()) return;
  const Image* font = g.layer.FindImage(1, "EFont01");
  int i = 1;
  for (char ch : text) {
    g.layer.DrawPattern(font, EFontPattern(static_cast<unsigned char>(ch)), x + 8 * i, y);
    ++i;
  }
}

}  // namespace vepa
