// The software renderer shared by the SDL and headless layers. Every operation clips to the
// destination surface; a null image, a pattern out of range or a damaged picture (pixel store
// smaller than its size) draws nothing, and no argument makes it touch memory outside the
// surfaces.
//
// Sampling is nearest-neighbour at pixel centres: cell k of a span of L pixels showing N texels
// shows texel floor((2k + 1) N / (2L)), so a 1:1 draw is an exact copy. A stretched draw
// (StretchPattern, DrawPatternAlpha) that shrinks the pattern by more than 1.5 (N > 1.5 L) on
// either axis averages instead: each pixel takes the average of the texels its box covers,
// weighted by the covered area and premultiplied by their alpha (transparent-colour texels count
// as alpha 0), and is blended with that averaged alpha times the call's alpha; an axis that is
// not shrunk keeps the texel under the centre. Small text stays legible that way.
// Transparency: texels equal to the picture's TransparentColor are skipped when it is
// Transparent; a per-pixel alpha mask, when the picture has one, blends every texel by it.
// Blending is per 5/6/5-bit channel, round((s a + d (255 - a)) / 255) to nearest; alpha from
// 253 up is therefore exactly the source and alpha up to 2 exactly the destination. With a mask
// m the effective alpha is round(a m / 255).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/surface.h"

namespace vepa {

struct Rect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom excluded
};

// Strong shrinks kept between draws. The area averages of a shrunk pattern's pixels depend only
// on the pattern, the size it is drawn at and its mirroring, not on where or with which alpha it
// is drawn, so text (drawn glyph by glyph at a few sizes every frame) is averaged once per glyph
// and size and afterwards only blended, with the same pixels as averaging afresh. Patterns are
// recognised by where their pixels are: the owner clears the cache whenever the pictures may
// change or be freed (the layer forgets the pictures of an image list whenever it hands the list
// out for change).
class ShrinkCache {
 public:
  ShrinkCache();
  ~ShrinkCache();
  ShrinkCache(const ShrinkCache&) = delete;
  ShrinkCache& operator=(const ShrinkCache&) = delete;
  void Clear();
  // Forgets the shrinks of these pictures only (before they change or are freed).
  void Forget(const std::vector<Image>& pictures);
  size_t Size() const;  // patterns kept

  struct Store;  // the renderer's own
  Store& Kept() { return *store_; }

 private:
  std::unique_ptr<Store> store_;
};

// Plain pattern draw, transparent colour (and alpha mask) honoured, top-left at (x, y).
void DrawPattern(Surface& dst, const Image* img, int pattern, int x, int y);
// The pattern stretched to the rectangle. A rectangle with Right < Left (Bottom < Top) covers
// [Right, Left) ([Bottom, Top)) with the picture mirrored; an empty one draws nothing.
// Strong shrinks are kept in `cache` when one is given.
void StretchPattern(Surface& dst, const Image* img, int pattern, const Rect& r,
                    ShrinkCache* cache = nullptr);
// Stretched and blended: src * a / 255 + dst * (255 - a) / 255; a >= 255 opaque, a <= 0 nothing.
void DrawPatternAlpha(Surface& dst, const Image* img, int pattern, const Rect& r, int alpha,
                      ShrinkCache* cache = nullptr);
// Scaled to width x height, turned by angle (1/256 turn, clockwise on screen: 64 turns the
// picture's right to point down) about the point (centerX * width, centerY * height) of the
// scaled picture, which is placed at (x, y). A negative width or height mirrors the picture
// about the anchor (it then extends left of x or above y). Zero sizes or non-finite centres draw
// nothing.
void DrawPatternRotated(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                        int height, double centerX, double centerY, int angle);
void DrawPatternRotatedAlpha(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                             int height, double centerX, double centerY, int angle, int alpha);
// Scaled into (x, y, width, height); row r shifted right by
// round(amplitude * sin(2 pi (phase + 256 r / length) / 256)) (nearest, halves to even),
// added to the destination per channel with saturation: dst + round(src * a / 255)
// (a >= 255 plain addition, a <= 0 nothing). Length 0 leaves every row unshifted; width or
// height <= 0 draws nothing.
void DrawPatternWaveAdd(Surface& dst, const Image* img, int pattern, int x, int y, int width,
                        int height, int amplitude, int length, int phase, int alpha);

// The area-averaged draws, the blends and the keyed copies run on AVX2 where the processor has
// it, on SSE2 otherwise, with the same results; false keeps them to SSE2 (for tests that
// compare the two).
void UseWideVectors(bool allow);

// Canvas operations on a surface; right and bottom edges excluded, corners in any order.
void FillSurface(Surface& dst, uint16_t color);
void FillRectangle(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color);
// The ellipse inscribed in [x1, x2) x [y1, y2): the pixels whose centres lie inside it.
void FillEllipse(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color);
// From (x1, y1) towards (x2, y2), end point excluded, one pixel per step of the longer axis.
void DrawLine(Surface& dst, int x1, int y1, int x2, int y2, uint16_t color);

// Copies the rectangle src of one surface to (x, y) of another; with transparent set, pixels
// equal to the transparent colour are skipped. Parts of the rectangle outside either surface are
// left out; a copy within one surface reads the source as it was before the copy.
void BlitSurface(Surface& dst, int x, int y, const Surface& src, const Rect& srcRect,
                 bool transparent = false, uint16_t transparentColor = 0);

}  // namespace vepa
