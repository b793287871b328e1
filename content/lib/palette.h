// The game's colours: one warm, friendly palette that every picture draws from, so scenes made
// by different hands look like parts of one game. Dark warm-brown outlines, colours lit from
// the upper left, soft shadows down-right.
#pragma once

#include <algorithm>
#include <cstdint>

namespace art {

struct Color {
  double r = 0, g = 0, b = 0, a = 1;

  // Towards white / black by t (0..1), keeping the hue.
  constexpr Color Lighter(double t) const {
    return {r + (1 - r) * t, g + (1 - g) * t, b + (1 - b) * t, a};
  }
  constexpr Color Darker(double t) const { return {r * (1 - t), g * (1 - t), b * (1 - t), a}; }
  // Darker with a warm bias: shadows turn brown-red rather than grey.
  constexpr Color Shade(double t) const {
    return {r * (1 - t * 0.85), g * (1 - t), b * (1 - t * 1.1 < 0 ? 0 : 1 - t * 1.1), a};
  }
  constexpr Color Mix(const Color& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
  }
  constexpr Color WithAlpha(double alpha) const { return {r, g, b, alpha}; }
};

constexpr Color Hex(uint32_t rgb, double a = 1) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

namespace pal {
// Lines and text.
inline constexpr Color Outline = Hex(0x2B1A14);  // every outline: warm near-black
inline constexpr Color Ink = Hex(0x3A2418);
inline constexpr Color White = Hex(0xFFFBF0);  // warm white (glyphs, highlights)
inline constexpr Color Cream = Hex(0xFFF1D0);  // paper, speech bubbles
inline constexpr Color Paper = Hex(0xF4E2B8);
inline constexpr Color Shadow = Hex(0x2B1A14, 0.28);

// Main colours.
inline constexpr Color Red = Hex(0xD8453A);
inline constexpr Color Tomato = Hex(0xEE6A4A);
inline constexpr Color Orange = Hex(0xF28C28);
inline constexpr Color Yellow = Hex(0xFFCC33);
inline constexpr Color Gold = Hex(0xE8A81E);
inline constexpr Color Lime = Hex(0xA8D04A);
inline constexpr Color Green = Hex(0x5BA845);
inline constexpr Color Teal = Hex(0x2E9C94);
inline constexpr Color Sky = Hex(0x8FD0EE);
inline constexpr Color Blue = Hex(0x3C78C0);
inline constexpr Color Navy = Hex(0x27406E);
inline constexpr Color Purple = Hex(0x8A56A8);
inline constexpr Color Pink = Hex(0xF29BB0);

// Materials.
inline constexpr Color Skin = Hex(0xF7C89B);
inline constexpr Color SkinShade = Hex(0xDE9A6C);
inline constexpr Color Lips = Hex(0xC2504A);
inline constexpr Color Mouth = Hex(0x6A1E1A);  // inside of a mouth
inline constexpr Color Tongue = Hex(0xE8707A);
inline constexpr Color Wood = Hex(0xB8783F);
inline constexpr Color WoodLight = Hex(0xD9A066);
inline constexpr Color WoodDark = Hex(0x7A4A24);
inline constexpr Color Brass = Hex(0xD8A838);
inline constexpr Color Steel = Hex(0xA7B1BA);
inline constexpr Color SteelDark = Hex(0x5E6A75);
inline constexpr Color Glass = Hex(0xBFE6F2, 0.55);
inline constexpr Color Cloth = Hex(0x4E6FA8);  // the player's sleeve
inline constexpr Color Grass = Hex(0x6DB04A);
inline constexpr Color Brick = Hex(0xB0553A);
inline constexpr Color Asphalt = Hex(0x5A5560);
inline constexpr Color Night = Hex(0x1E1C33);

// LED displays.
inline constexpr Color LedOn = Hex(0xFFD040);
inline constexpr Color LedGlow = Hex(0xFF8A20);
inline constexpr Color LedOff = Hex(0x4A2A18, 0.45);
}  // namespace pal

// Outline width of sprites drawn at their display size, in pixels.
constexpr double kOutline = 2.2;

}  // namespace art
