// "r_kard01": the card table seen from the player's chair. A cosy room behind the opponents
// (striped wallpaper, a window with the evening outside, a wall clock and a samovar on the
// sideboard) and the green cloth of the table from y 196 down, with its wooden edge nearest
// the player.
#include <cairo.h>

#include <cmath>

#include "content/cards/cards_art.h"
#include "content/lib/limbs.h"

namespace cardart {
namespace {

namespace pal = art::pal;

constexpr double kTableTop = 196;

void Wallpaper(cairo_t* cr) {
  art::VerticalGradient(cr, 0, 0, 640, kTableTop, art::Hex(0xE9C98E), art::Hex(0xC9965A));
  for (int x = 0; x < 640; x += 32) {
    cairo_rectangle(cr, x + 12, 0, 8, kTableTop);
    art::Fill(cr, art::Hex(0xA8683A, 0.18));
  }
  for (int y = 18; y < kTableTop; y += 40)
    for (int x = 0; x < 640; x += 32) {
      art::Star(cr, x + 16, y + (x / 32 % 2) * 20, 4, 1.6, 4);
      art::Fill(cr, pal::Cream.WithAlpha(0.35));
    }
}

void Window(cairo_t* cr) {
  const double x = 14, y = 62, w = 96, h = 110;
  art::RoundedRect(cr, x - 6, y - 6, w + 12, h + 12, 4);
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, 2.2, 0.3});
  cairo_rectangle(cr, x, y, w, h);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  art::VerticalGradient(cr, x, y, w, h, art::Hex(0x2A3470), art::Hex(0xE88A5A));
  cairo_new_path(cr);
  art::Circle(cr, x + 70, y + 30, 9);
  art::Fill(cr, pal::Cream.WithAlpha(0.9));
  // Roofs of the houses opposite.
  art::Polyline(cr,
                {x, y + h, x, y + 84, x + 20, y + 70, x + 40, y + 84, x + 40, y + 78, x + 66,
                 y + 62, x + 96, y + 80, x + 96, y + h},
                true);
  art::Fill(cr, art::Hex(0x1E1C33));
  for (double wx : {x + 10, x + 56, x + 76}) {
    cairo_rectangle(cr, wx, y + 90, 6, 7);
    art::Fill(cr, pal::Yellow);
  }
  cairo_restore(cr);
  cairo_move_to(cr, x + w / 2, y);
  cairo_line_to(cr, x + w / 2, y + h);
  cairo_move_to(cr, x, y + h / 2);
  cairo_line_to(cr, x + w, y + h / 2);
  art::Stroke(cr, pal::WoodLight, 5);
  // Curtains.
  for (double side : {-1.0, 1.0}) {
    const double cx = side < 0 ? x - 6 : x + w + 6;
    cairo_move_to(cr, cx, y - 12);
    cairo_curve_to(cr, cx - side * 22, y + 30, cx - side * 4, y + 80, cx - side * 16, y + h + 12);
    cairo_line_to(cr, cx + side * 8, y + h + 12);
    cairo_line_to(cr, cx + side * 8, y - 12);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Red.Darker(0.1), pal::Outline, 2, 0.3});
  }
}

void Clock(cairo_t* cr) {
  const double cx = 574, cy = 96;
  art::RoundedRect(cr, cx - 26, cy - 30, 52, 96, 10);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 2.2, 0.3});
  art::Circle(cr, cx, cy, 20);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2, 0.15, 0.4});
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    cairo_move_to(cr, cx + std::sin(a) * 15, cy - std::cos(a) * 15);
    cairo_line_to(cr, cx + std::sin(a) * 18, cy - std::cos(a) * 18);
  }
  art::Stroke(cr, pal::Outline, 1.4);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + 9, cy - 6);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx - 2, cy - 15);
  art::Stroke(cr, pal::Outline, 2);
  cairo_move_to(cr, cx, cy + 22);
  cairo_line_to(cr, cx + 4, cy + 50);
  art::Stroke(cr, pal::Brass.Darker(0.2), 2);
  art::Circle(cr, cx + 4, cy + 54, 7);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.6, 0.3, 0.6});
}

void Cloth(cairo_t* cr) {
  // The far edge of the table: a wooden rim under the opponents' hands.
  cairo_rectangle(cr, 0, kTableTop - 8, 640, 12);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 2, 0.3});
  cairo_rectangle(cr, 0, kTableTop + 2, 640, 480 - kTableTop);
  art::VerticalGradient(cr, 0, kTableTop + 2, 640, 480 - kTableTop, art::Hex(0x23683F),
                        art::Hex(0x2F8A52));
  art::Grain(cr, 0, kTableTop + 2, 640, 480 - kTableTop, 47, 0.05, 0.3);
  // The lamp overhead lights the middle of the cloth.
  art::Glow(cr, 320, 330, 300, art::Hex(0xFFF0B0, 0.18));
  // A fine gold line round the playing field.
  art::RoundedRect(cr, 40, 226, 506, 210, 18);
  art::Stroke(cr, pal::Gold.WithAlpha(0.35), 2);
  // The near edge.
  cairo_rectangle(cr, 0, 462, 640, 18);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2, 0.3});
}

}  // namespace

void DrawCardTable(cairo_t* cr) {
  Wallpaper(cr);
  Window(cr);
  Clock(cr);
  Cloth(cr);
  art::Vignette(cr, 640, 480, 0.45);
}

}  // namespace cardart
