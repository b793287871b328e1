// Turning drawings into the game's pixel formats: cairo canvases to RGB565 images with alpha
// masks and to background surfaces, and hit-map shapes to the 320x240 code grid.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "content.h"
#include "engine/surface.h"

namespace content {

// Pixels with alpha 0 take this colour; an opaque pixel that happens to have it is nudged.
constexpr uint16_t kTransparentColor = 0xF81F;  // magenta

constexpr int kHitMapWidth = 320;
constexpr int kHitMapHeight = 240;

// RGB565 of an 8-bit colour, each channel rounded to the nearest level.
uint16_t Pack565(int r, int g, int b);

// Draws every pattern of the image description on its own canvas and assembles the picture. Throws
// BuildError for bad sizes or a missing draw function.
vepa::Image RenderImage(const ImageSpec& spec);
// Converts a premultiplied ARGB32 canvas into an image (one pattern of the canvas's size).
vepa::Image ImageFromCanvas(cairo_surface_t* canvas, const std::string& name);

// Draws a background on an opaque black canvas and converts it to RGB565, with a light
// ordered dither so gradients do not band.
vepa::Surface RenderBackground(int width, int height, const DrawFn& draw);
vepa::Surface SurfaceFromCanvas(cairo_surface_t* canvas, bool dither);

// Rasterizes hit shapes: a cell (cx, cy) covers screen pixels 2cx..2cx+1, 2cy..2cy+1 and gets
// the code of the last shape that contains its centre (2cx + 1, 2cy + 1). Throws BuildError
// for codes outside 0..255 or malformed coordinates.
std::vector<uint8_t> RasterizeHitMap(const std::vector<HitShape>& shapes);

}  // namespace content
