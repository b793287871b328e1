// Text drawn from the bitmap fonts of image list 1: "FontP" (proportional, scaled) and
// "EFont01" (fixed 8-pixel digits). Texts are code page 1251 bytes.
#pragma once

#include <string>
#include <string_view>

#include "engine/cp1251.h"
#include "engine/font_table.h"

namespace vepa {

struct GameServices;

int TextAdvance(unsigned char c, int digitStyle, int size);
int TextWidth(std::string_view text, int digitStyle, int size);

void DrawTextLeft(GameServices& g, int x, int y, int size, std::string_view text, int digitStyle,
                  int height);
void DrawTextCentered(GameServices& g, int x, int y, int size, std::string_view text,
                      int digitStyle, int height);
void DrawDigits(GameServices& g, int x, int y, std::string_view text);

}  // namespace vepa
