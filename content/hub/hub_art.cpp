// Drawing helpers shared by the kiosk's pictures.
#include "content/hub/hub_art.h"

#include "content/lib/fonts.h"

namespace hubart {

void Polyline(cairo_t* cr, const std::vector<double>& pts, bool close) {
  cairo_new_sub_path(cr);
  for (size_t i = 0; i + 1 < pts.size(); i += 2) cairo_line_to(cr, pts[i], pts[i + 1]);
  if (close) cairo_close_path(cr);
}

void Limb(cairo_t* cr, const std::vector<double>& pts, double r, const Color& c, double outline) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (outline > 0) {
    Polyline(cr, pts, false);
    art::SetColor(cr, art::pal::Outline);
    cairo_set_line_width(cr, 2 * r + 2 * outline);
    cairo_stroke(cr);
  }
  Polyline(cr, pts, false);
  art::SetColor(cr, c);
  cairo_set_line_width(cr, 2 * r);
  cairo_stroke(cr);
  // A light streak along the upper left side.
  std::vector<double> lit = pts;
  for (size_t i = 0; i + 1 < lit.size(); i += 2) {
    lit[i] -= r * 0.35;
    lit[i + 1] -= r * 0.35;
  }
  Polyline(cr, lit, false);
  art::SetColor(cr, c.Lighter(0.3).WithAlpha(0.55));
  cairo_set_line_width(cr, r * 0.6);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void SignText(cairo_t* cr, const char* utf8, double cx, double cy, double size, const Color& fill,
              double squeeze, const Color& line, double lineWidth) {
  art::TextStyle s{.Face = art::Font::CondensedBold,
                   .Size = size,
                   .Fill = fill,
                   .Line = line,
                   .LineWidth = lineWidth,
                   .ScaleX = squeeze};
  art::TextCentered(cr, utf8, cx, cy, s);
}

}  // namespace hubart
