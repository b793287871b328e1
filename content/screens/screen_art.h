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
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(g, midAt, c.r, c.g, c.b, alpha * midAlpha);
  cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, g);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

}  // namespace screen_art
