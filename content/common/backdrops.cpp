// Backdrops that more than one scene stands on: the fairground booth wall "r_fill02" (the
// shooting gallery and rock-paper-scissors) and the plain warm room "r_brn01" (the card
// game's opponent selection and the hammer game).
#include <cairo.h>

#include <cmath>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/palette.h"

namespace {

using art::Color;
namespace pal = art::pal;

// The booth: a striped back wall under a scalloped awning, a wooden counter along the bottom.
void DrawBoothWall(cairo_t* cr) {
  const Color stripeA = pal::Red.Darker(0.15), stripeB = pal::Cream.Darker(0.08);
  for (int i = 0; i < 16; ++i) {
    cairo_rectangle(cr, i * 40, 0, 40, 480);
    art::Fill(cr, i % 2 ? stripeA : stripeB);
  }
  art::VerticalGradient(cr, 0, 0, 640, 480, Color{0, 0, 0, 0.05}, pal::Outline.WithAlpha(0.35));
  // Awning with scallops.
  cairo_rectangle(cr, 0, 0, 640, 34);
  art::Fill(cr, pal::Navy);
  for (int i = 0; i < 16; ++i) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, i * 40 + 20, 34, 20, 0, M_PI);
    art::Paint(cr, art::Style{i % 2 ? pal::Yellow : pal::Navy.Lighter(0.2), pal::Outline, 2, 0.2});
  }
  // Light bulbs along the awning.
  for (int i = 0; i < 16; ++i) {
    art::Circle(cr, i * 40 + 20, 62, 5);
    art::Paint(cr, art::Style{pal::Yellow.Lighter(0.5), pal::Outline, 1.5, 0.1, 0.6});
  }
  // The counter.
  art::WoodPlanks(cr, 0, 410, 640, 70, 23, false, 17);
  cairo_rectangle(cr, 0, 404, 640, 10);
  art::Paint(cr, art::Style{pal::Wood.Darker(0.25), pal::Outline, 2, 0.3});
  art::Vignette(cr, 640, 480, 0.45);
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
