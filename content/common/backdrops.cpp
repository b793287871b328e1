// Backdrops that more than one scene stands on: the fairground booth "r_fill02" (the
// shooting gallery and rock-paper-scissors) and the plain warm room "r_brn01" (the card
// game's opponent selection and the hammer game).
#include <cairo.h>

#include <cmath>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"

namespace {

using art::Color;
namespace pal = art::pal;

// The booth of the shooting gallery: a green papered back wall lit warm from the middle of the
// ceiling, a striped awning along the top, carved posts at the sides, a plain shelf across the
// top of the wall (the gallery stands its apples on it), dark wooden panels below and the
// counter along the bottom, on which the cartridges stand. The middle of the wall stays plain:
// rock-paper-scissors is played in front of it too.
void DrawBoothWall(cairo_t* cr) {
  const Color wall = pal::Teal.Darker(0.45);
  cairo_rectangle(cr, 0, 0, 640, 480);
  art::Fill(cr, wall);
  // Wallpaper: faint stripes with a small diamond between them.
  for (int i = 0; i < 32; ++i) {
    cairo_rectangle(cr, i * 20 + 9, 0, 2, 400);
    art::Fill(cr, wall.Lighter(0.12));
  }
  for (int row = 0; row * 36 + 60 < 250; ++row)
    for (int i = 0; i < 32; ++i) {
      const double x = i * 20 + (row % 2 ? 20 : 0), y = row * 36 + 60;
      art::Polyline(cr, {x, y - 4, x + 3, y, x, y + 4, x - 3, y}, true);
      art::Fill(cr, wall.Lighter(0.16));
    }
  // Warm light from the middle of the ceiling.
  art::FillRect(
      cr, 0, 0, 640, 480,
      art::RadialGradient(
          320, 30, 10, 320, 120, 380,
          {{0, {1.0, 0.86, 0.55, 0.38}}, {0.5, {1.0, 0.8, 0.5, 0.12}}, {1, {1.0, 0.8, 0.5, 0.0}}}));
  // Dark wooden panels under the wall.
  art::WoodPlanks(cr, 0, 300, 640, 100, 80, true, 29, pal::WoodDark);
  cairo_rectangle(cr, 0, 296, 640, 8);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2, 0.3});
  for (int i = 0; i < 8; ++i) {
    art::RoundedRect(cr, i * 80 + 12, 318, 56, 64, 5);
    art::Stroke(cr, pal::Outline.WithAlpha(0.35), 2);
  }
  // The shelf across the top of the wall, on two brackets.
  for (double x : {200.0, 440.0}) {
    cairo_new_path(cr);
    art::Polyline(cr, {x - 6, 114, x + 6, 114, x + 6, 120, x - 6, 140}, true);
    art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.8, 0.2});
  }
  art::GroundShadow(cr, 322, 120, 150, 5, 0.35);
  cairo_rectangle(cr, 172, 102, 296, 12);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2, 0.3, 0.2});
  // The awning with its scallops, in the fair's red and cream.
  for (int i = 0; i < 16; ++i) {
    cairo_rectangle(cr, i * 40, 0, 40, 20);
    art::Fill(cr, i % 2 ? pal::Cream.Darker(0.05) : pal::Red.Darker(0.1));
  }
  for (int i = 0; i < 16; ++i) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, i * 40, 20);
    cairo_arc_negative(cr, i * 40 + 20, 20, 20, M_PI, 0);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{i % 2 ? pal::Cream.Darker(0.05) : pal::Red.Darker(0.1), pal::Outline,
                              2, 0.2});
  }
  cairo_rectangle(cr, 0, 0, 640, 4);
  art::Fill(cr, pal::Outline);
  // Carved posts at the sides.
  for (double x : {0.0, 606.0}) {
    cairo_rectangle(cr, x, 0, 34, 480);
    art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2.2, 0.3});
    for (double y = 70; y < 390; y += 80) {
      art::Star(cr, x + 17, y, 9, 4, 5, -M_PI / 2);
      art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.4, 0.2});
    }
  }
  // The counter: its top seen from above, then its front.
  cairo_rectangle(cr, 0, 394, 640, 24);
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, 2, 0.25});
  art::Grain(cr, 0, 396, 640, 20, 31, 0.05, 0.2);
  art::WoodPlanks(cr, 0, 418, 640, 62, 21, false, 17);
  cairo_rectangle(cr, 0, 416, 640, 5);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.4, 0.4});
  art::Vignette(cr, 640, 480, 0.5);
}

// A warm room: a brown wall with a faint pattern above a darker skirting.
void DrawWarmRoom(cairo_t* cr) {
  art::VerticalGradient(cr, 0, 0, 640, 480, pal::Wood.Lighter(0.15), pal::Wood.Darker(0.35));
  for (int y = 0; y < 400; y += 48)
    for (int x = (y / 48) % 2 * 32; x < 640; x += 64) {
      art::Star(cr, x + 16, y + 24, 7, 3, 4);
      art::Fill(cr, pal::Cream.WithAlpha(0.08));
    }
  cairo_rectangle(cr, 0, 430, 640, 50);
  art::Fill(cr, pal::Wood.Darker(0.5));
  cairo_rectangle(cr, 0, 426, 640, 6);
  art::Fill(cr, pal::Wood.Darker(0.2));
  art::Vignette(cr, 640, 480, 0.55);
}

void Build(content::ContentSink& sink) {
  sink.Background("r_fill02", 640, 480, DrawBoothWall);
  sink.Background("r_brn01", 640, 480, DrawWarmRoom);
}

}  // namespace

VEPA_CONTENT_MODULE(backdrops, Build);
