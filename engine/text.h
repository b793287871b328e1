// Text drawn from the bitmap fonts of image list 1: "FontP" (proportional, scaled) and
// "EFont01" (fixed 8-pixel digits). Texts are code page 1251 bytes.
#pragma once

#include <string>
#include <string_view>

#include "engine/font_table.h"

namespace vepa {

struct Game;

// Converts a UTF-8 source literal to code page 1251 (the game's text encoding). Characters
// without a 1251 form become '?'.
std::string Cp1251(std::string_view utf8);
// And back, for logs, JSON and tools.
std::string Utf8FromCp1251(std::string_view text);

int TextAdvance(unsigned char c, int digitStyle, int size);
int TextWidth(std::string_view text, int digitStyle, int size);

void DrawTextLeft(Game& g, int x, int y, int size, std::string_view text, int digitStyle,
                  int height);
void DrawTextCentered(Game& g, int x, int y, int size, std::string_view text, int digitStyle,
                      int height);
void DrawDigits(Game& g, int x, int y, std::string_view text);

}  // namespace vepa
