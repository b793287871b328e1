#include "raster.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace content {

namespace {

using CanvasPtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

CanvasPtr NewCanvas(int w, int h) {
  CanvasPtr c(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), cairo_surface_destroy);
  if (cairo_surface_status(c.get()) != CAIRO_STATUS_SUCCESS) {
    throw BuildError("cannot create a " + std::to_string(w) + "x" + std::to_string(h) + " canvas");
  }
  return c;
}

void RunDraw(cairo_surface_t* canvas, const std::function<void(cairo_t*)>& fn) {
  cairo_t* cr = cairo_create(canvas);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
  try {
    fn(cr);
  } catch (...) {
    cairo_destroy(cr);
    throw;
  }
  cairo_status_t st = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_flush(canvas);
  if (st != CAIRO_STATUS_SUCCESS) {
    throw BuildError(std::string("drawing failed: ") + cairo_status_to_string(st));
  }
}

// 4x4 Bayer matrix, values 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

uint16_t Pack565(int r, int g, int b) {
  r = std::clamp(r, 0, 255);
  g = std::clamp(g, 0, 255);
  b = std::clamp(b, 0, 255);
  const int r5 = (r * 31 + 127) / 255, g6 = (g * 63 + 127) / 255, b5 = (b * 31 + 127) / 255;
  return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5);
}

vepa::Image ImageFromCanvas(cairo_surface_t* canvas, const std::string& name) {
  cairo_surface_flush(canvas);
  const int w = cairo_image_surface_get_width(canvas), h = cairo_image_surface_get_height(canvas);
  const int stride = cairo_image_surface_get_stride(canvas);
  const unsigned char* data = cairo_image_surface_get_data(canvas);
  vepa::Image img;
  img.Name = name;
  img.Width = img.PatternWidth = w;
  img.Height = img.PatternHeight = h;
  img.Transparent = true;
  img.TransparentColor = kTransparentColor;
  img.Pixels.resize(static_cast<size_t>(w) * h);
  img.Alpha.resize(static_cast<size_t>(w) * h);
  bool partial = false;
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const int a = p >> 24;
      const size_t i = static_cast<size_t>(y) * w + x;
      img.Alpha[i] = static_cast<uint8_t>(a);
      if (a == 0) {
        img.Pixels[i] = kTransparentColor;
        continue;
      }
      if (a < 255) partial = true;
      // Cairo stores premultiplied colour; the game blends with straight colour and alpha.
      const int r = ((p >> 16) & 0xFF) * 255 / a, g = ((p >> 8) & 0xFF) * 255 / a,
                b = (p & 0xFF) * 255 / a;
      uint16_t c = Pack565(r, g, b);
      if (c == kTransparentColor) c = kTransparentColor ^ 0x0020;  // one green step away
      img.Pixels[i] = c;
    }
  }
  if (!partial) img.Alpha.clear();  // the transparent colour says it all
  return img;
}

vepa::Image RenderImage(const ImageSpec& spec) {
  if (spec.Name.empty()) throw BuildError("an image has no name");
  const std::string what = "image '" + spec.Name + "'";
  if (spec.PatternWidth <= 0 || spec.PatternHeight <= 0 || spec.PatternWidth > 2048 ||
      spec.PatternHeight > 2048) {
    throw BuildError(what + ": pattern size " + std::to_string(spec.PatternWidth) + "x" +
                     std::to_string(spec.PatternHeight) + " is not in 1..2048");
  }
  if (spec.Patterns <= 0 || spec.Patterns > 4096) {
    throw BuildError(what + ": pattern count " + std::to_string(spec.Patterns) +
                     " is not in 1..4096");
  }
  if (!spec.Draw) throw BuildError(what + ": no draw function");
  const int perRow =
      spec.PatternsPerRow > 0 ? std::min(spec.PatternsPerRow, spec.Patterns) : spec.Patterns;
  const int rows = (spec.Patterns + perRow - 1) / perRow;
  if (rows * perRow != spec.Patterns) {
    // The game counts patterns as whole rows times columns; a ragged last row would add
    // phantom patterns, so the pattern count must fill the grid.
    throw BuildError(what + ": " + std::to_string(spec.Patterns) +
                     " patterns do not fill rows of " + std::to_string(perRow));
  }
  vepa::Image img;
  img.Name = spec.Name;
  img.PatternWidth = spec.PatternWidth;
  img.PatternHeight = spec.PatternHeight;
  img.Width = perRow * spec.PatternWidth;
  img.Height = rows * spec.PatternHeight;
  img.Transparent = true;
  img.TransparentColor = kTransparentColor;
  img.Pixels.assign(static_cast<size_t>(img.Width) * img.Height, kTransparentColor);
  img.Alpha.assign(static_cast<size_t>(img.Width) * img.Height, 0);
  bool anyPartial = false;
  for (int p = 0; p < spec.Patterns; ++p) {
    CanvasPtr canvas = NewCanvas(spec.PatternWidth, spec.PatternHeight);
    try {
      RunDraw(canvas.get(), [&](cairo_t* cr) { spec.Draw(cr, p); });
    } catch (const BuildError& e) {
      throw BuildError(what + " pattern " + std::to_string(p) + ": " + e.what());
    }
    vepa::Image one = ImageFromCanvas(canvas.get(), spec.Name);
    if (!one.Alpha.empty()) anyPartial = true;
    const int ox = (p % perRow) * spec.PatternWidth, oy = (p / perRow) * spec.PatternHeight;
    for (int y = 0; y < spec.PatternHeight; ++y) {
      for (int x = 0; x < spec.PatternWidth; ++x) {
        const size_t src = static_cast<size_t>(y) * spec.PatternWidth + x;
        const size_t dst = static_cast<size_t>(oy + y) * img.Width + ox + x;
        img.Pixels[dst] = one.Pixels[src];
        img.Alpha[dst] =
            one.Alpha.empty() ? (one.Pixels[src] == kTransparentColor ? 0 : 255) : one.Alpha[src];
      }
    }
  }
  if (!anyPartial) img.Alpha.clear();
  return img;
}

vepa::Surface SurfaceFromCanvas(cairo_surface_t* canvas, bool dither) {
  cairo_surface_flush(canvas);
  const int w = cairo_image_surface_get_width(canvas), h = cairo_image_surface_get_height(canvas);
  const int stride = cairo_image_surface_get_stride(canvas);
  const unsigned char* data = cairo_image_surface_get_data(canvas);
  vepa::Surface s(w, h);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;  // over black: premultiplied
      if (dither) {
        // Spread the rounding error of 5/6-bit channels over a 4x4 pattern.
        const double t = (kBayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
        r = static_cast<int>(std::lround(r + t * 8.2));
        g = static_cast<int>(std::lround(g + t * 4.0));
        b = static_cast<int>(std::lround(b + t * 8.2));
      }
      s.Row(y)[x] = Pack565(r, g, b);
    }
  }
  return s;
}

vepa::Surface RenderBackground(int width, int height, const DrawFn& draw) {
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
    throw BuildError("background size " + std::to_string(width) + "x" + std::to_string(height) +
                     " is not in 1..4096");
  }
  if (!draw) throw BuildError("background without a draw function");
  CanvasPtr canvas = NewCanvas(width, height);
  RunDraw(canvas.get(), [&](cairo_t* cr) {
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    draw(cr);
  });
  return SurfaceFromCanvas(canvas.get(), true);
}

std::vector<uint8_t> RasterizeHitMap(const std::vector<HitShape>& shapes) {
  std::vector<uint8_t> map(static_cast<size_t>(kHitMapWidth) * kHitMapHeight, 0);
  for (size_t n = 0; n < shapes.size(); ++n) {
    const HitShape& s = shapes[n];
    const std::string what =
        "hit shape " + std::to_string(n) + " (code " + std::to_string(s.Code) + ")";
    if (s.Code < 0 || s.Code > 255) throw BuildError(what + ": code outside 0..255");
    for (double v : s.Coords) {
      if (!std::isfinite(v)) throw BuildError(what + ": coordinate is not a number");
    }
    const uint8_t code = static_cast<uint8_t>(s.Code);
    if (s.Shape == HitShape::Rect || s.Shape == HitShape::Ellipse) {
      if (s.Coords.size() != 4) throw BuildError(what + ": needs x1 y1 x2 y2");
      const double x1 = std::min(s.Coords[0], s.Coords[2]), x2 = std::max(s.Coords[0], s.Coords[2]);
      const double y1 = std::min(s.Coords[1], s.Coords[3]), y2 = std::max(s.Coords[1], s.Coords[3]);
      const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2, rx = (x2 - x1) / 2, ry = (y2 - y1) / 2;
      for (int gy = 0; gy < kHitMapHeight; ++gy) {
        const double py = 2 * gy + 1;
        if (py < y1 || py >= y2) continue;
        for (int gx = 0; gx < kHitMapWidth; ++gx) {
          const double px = 2 * gx + 1;
          if (px < x1 || px >= x2) continue;
          if (s.Shape == HitShape::Ellipse) {
            const double dx = (px - cx) / rx, dy = (py - cy) / ry;
            if (dx * dx + dy * dy > 1.0) continue;
          }
          map[static_cast<size_t>(gy) * kHitMapWidth + gx] = code;
        }
      }
    } else if (s.Shape == HitShape::Polygon) {
      if (s.Coords.size() < 6 || s.Coords.size() % 2 != 0) {
        throw BuildError(what + ": a polygon needs at least three x y pairs");
      }
      const size_t k = s.Coords.size() / 2;
      for (int gy = 0; gy < kHitMapHeight; ++gy) {
        const double py = 2 * gy + 1;
        for (int gx = 0; gx < kHitMapWidth; ++gx) {
          const double px = 2 * gx + 1;
          // Even-odd crossing test at the cell centre.
          bool inside = false;
          for (size_t i = 0, j = k - 1; i < k; j = i++) {
            const double xi = s.Coords[2 * i], yi = s.Coords[2 * i + 1];
            const double xj = s.Coords[2 * j], yj = s.Coords[2 * j + 1];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) {
              inside = !inside;
            }
          }
          if (inside) map[static_cast<size_t>(gy) * kHitMapWidth + gx] = code;
        }
      }
    } else {
      throw BuildError(what + ": unknown shape");
    }
  }
  return map;
}

}  // namespace content
