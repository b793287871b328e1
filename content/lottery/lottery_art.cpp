#include "content/lottery/lottery_art.h"

#include <vector>

namespace lotteryart {

void Polyline(cairo_t* cr, std::initializer_list<double> xy, bool close) {
  const std::vector<double> p(xy);
  cairo_new_path(cr);
  for (size_t i = 0; i + 1 < p.size(); i += 2) {
    if (i == 0)
      cairo_move_to(cr, p[i], p[i + 1]);
    else
      cairo_line_to(cr, p[i], p[i + 1]);
  }
  if (close) cairo_close_path(cr);
}

void Limb(cairo_t* cr, std::initializer_list<double> xy, double r, const Color& fill,
          double outline) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (outline > 0) {
    Polyline(cr, xy, false);
    art::SetColor(cr, art::pal::Outline);
    cairo_set_line_width(cr, 2 * r + 2 * outline);
    cairo_stroke(cr);
  }
  Polyline(cr, xy, false);
  art::SetColor(cr, fill);
  cairo_set_line_width(cr, 2 * r);
  cairo_stroke(cr);
}

void Streak(cairo_t* cr, std::initializer_list<double> xy, double width, double alpha) {
  Polyline(cr, xy, false);
  art::Stroke(cr, art::pal::White.WithAlpha(alpha), width);
}

}  // namespace lotteryart
