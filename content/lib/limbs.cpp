#include "limbs.h"

#include <cmath>

#include "draw.h"

namespace art {

void Limb(cairo_t* cr, double x1, double y1, double x2, double y2, double r, const Color& c,
          double outline) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    SetColor(cr, pass == 0 ? pal::Outline : c);
    cairo_set_line_width(cr, pass == 0 ? 2 * r + 2 * outline : 2 * r);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void FingerTo(cairo_t* cr, double x, double y, double tx, double ty, double r, const Color& skin) {
  Limb(cr, x, y, tx, ty, r, skin);
  const double len = std::hypot(tx - x, ty - y);
  if (len <= 0) return;
  const double ux = (tx - x) / len, uy = (ty - y) / len;
  // The nail lies along the finger just behind the tip, a little to the upper side.
  cairo_save(cr);
  cairo_translate(cr, tx - ux * r * 0.45, ty - uy * r * 0.45);
  cairo_rotate(cr, std::atan2(uy, ux));
  Ellipse(cr, 0, 0, r * 0.6, r * 0.5);
  Fill(cr, skin.Lighter(0.5));
  cairo_restore(cr);
}

}  // namespace art
