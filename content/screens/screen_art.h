// Drawing shared by the pictures of the logos and of the start menu.
#pragma once

#include <cairo.h>

#include <cmath>

#include "content/lib/draw.h"

namespace screen_art {

// A straight stroke with butt ends.
inline void Line(cairo_t* cr, double x1, double y1, double x2, double y2, const art::Color& c,
                 double w) {
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  art::Stroke(cr, c, w);
}

// A soft elliptical light round (cx, cy): `alpha` at the centre, `midAlpha` of it at `midAt`
// of the way out, nothing at the rim.
inline void EllipticGlow(cairo_t* cr, double cx, double cy, double rx, double ry,
                         const art::Color& c, double alpha, double midAt, double midAlpha) {
  art::FadingEllipse(
      cr, cx, cy, rx, ry,
      {{0, c.WithAlpha(alpha)}, {midAt, c.WithAlpha(alpha * midAlpha)}, {1, c.WithAlpha(0)}});
}

}  // namespace screen_art
