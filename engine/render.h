// The software renderer shared by the SDL and headless layers. Every operation clips to the
// destination surface; a null image or a pattern out of range draws nothing.
#pragma once

#include "engine/surface.h"

namespace vepa {

struct Rect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom excluded
};

// Plain pattern draw, transparent colour (and alpha mask) honoured, top-left at (x, y).
void DrawPattern(Surface& dst, const Image* img, int pattern, int x, int y);
// The pattern stretched to the rectangle. A rectangle with Right < Left or Bottom < Top mirrors.
void StretchPattern(Surface& dst, const Image* img, int pattern, const Rect& r);
// Stretched and blended: src * a / 255 + dst * (255 - a) / 255; a >= 255 opaque, a <= 0 nothing.
void DrawPatternAlpha(Surface& dst, const Image* img, int pattern, const Rect& r, int alpha);
// Scaled to width x height, turned by angle (1/256 turn, clockwise on screen) about the point
// (centerX * width, centerY * height) of the scaled picture, which is placed at (x, y).
// A negative width or height mirrors the picture about the anchor.
void DrawPatternRotated(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                        int height, double centerX, double centerY, int angle);
void DrawPatternRotatedAlpha(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                             int height, double centerX, double centerY, int angle, int alpha);
// Scaled into (x, y, width, height); row r shifted right by
// round(amplitude * sin(2 pi (phase + 256 r / length) / 256)), added to the destination
// per channel with saturation: dst + src * a / 255 (a >= 255 plain addition).
void DrawPatternWaveAdd(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                        int height, int amplitude, int length, int phase, int alpha);

// Canvas operations on a surface; right and bottom edges excluded.
void FillSurface(Surface& dst, uint16_t color);
void FillRectangle(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color);
void FillEllipse(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color);
void DrawLine(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color);  // end point excluded

// Copies the rectangle src of one surface to (x, y) of another; with transparent set, pixels
// equal to the transparent colour are skipped.
void BlitSurface(Surface& dst, int x, int y, const Surface& src, const Rect& srcRect,
                 bool transparent = false, uint16_t transparentColor = 0);

}  // namespace vepa
