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

namespace {

// The path through n / 2 points, each moved by (dx, dy).
void PolylineAt(cairo_t* cr, const double* xy, size_t n, bool close, double dx = 0, double dy = 0) {
  cairo_new_path(cr);
  for (size_t i = 0; i + 1 < n; i += 2) {
    if (i == 0)
      cairo_move_to(cr, xy[i] + dx, xy[i + 1] + dy);
    else
      cairo_line_to(cr, xy[i] + dx, xy[i + 1] + dy);
  }
  if (close) cairo_close_path(cr);
}

void StrokeAlong(cairo_t* cr, const double* xy, size_t n, double r, const Color& fill,
                 double outline) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (outline > 0) {
    PolylineAt(cr, xy, n, false);
    Stroke(cr, pal::Outline, 2 * r + 2 * outline);
  }
  PolylineAt(cr, xy, n, false);
  Stroke(cr, fill, 2 * r);
}

}  // namespace

void Polyline(cairo_t* cr, std::initializer_list<double> xy, bool close) {
  PolylineAt(cr, xy.begin(), xy.size(), close);
}

void Polyline(cairo_t* cr, const std::vector<double>& xy, bool close) {
  PolylineAt(cr, xy.data(), xy.size(), close);
}

void Limb(cairo_t* cr, std::initializer_list<double> xy, double r, const Color& fill,
          double outline) {
  cairo_save(cr);
  StrokeAlong(cr, xy.begin(), xy.size(), r, fill, outline);
  cairo_restore(cr);
}

void LitLimb(cairo_t* cr, const std::vector<double>& xy, double r, const Color& fill, double light,
             double outline) {
  cairo_save(cr);
  StrokeAlong(cr, xy.data(), xy.size(), r, fill, outline);
  PolylineAt(cr, xy.data(), xy.size(), false, -r * 0.35, -r * 0.35);
  Stroke(cr, fill.Lighter(0.3).WithAlpha(light), r * 0.6);
  cairo_restore(cr);
}

}  // namespace art
