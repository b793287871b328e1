// FontP's layout as the game uses it: glyph numbers of code page 1251 characters and the design
// widths that set each glyph's advance. Content modules use it to size things around text.
#pragma once

#include <string_view>

#include "engine/font_table.h"

namespace art {

constexpr int kFontPGlyphs = vepa::kFontPGlyphCount;
constexpr int kFontPCell = vepa::kFontPCellUnits;  // a glyph cell is 38x38 design units
inline constexpr const auto& kFontPWidths = vepa::kFontPWidths;

// Glyph of a code page 1251 character (-1 for a space); digit style 0 or 1.
int FontPGlyph(unsigned char c, int digitStyle);
// Pen advance of one character at a size: round(w / (38 / size)) + 1, halves to even.
int FontPAdvance(unsigned char c, int digitStyle, int size);
int FontPTextWidth(std::string_view cp1251, int digitStyle, int size);

}  // namespace art
