// The room with the big fish tank on its cabinet, and the tank's own sprites: the rocking water
// surface, the sunken castle the creatures grow out of, the stones, the swaying weed, a bubble
// and the two buckets.
#include <cmath>

#include "aquarium_art.h"

namespace aquaart {

namespace pal = art::pal;
using namespace vepa::aquarium;

namespace {

const Color kWaterTop = art::Hex(0x8ED8E4);
const Color kWaterDeep = art::Hex(0x2B6E9C);
const Color kGravel[] = {art::Hex(0xD9B07A), art::Hex(0xB98553), art::Hex(0xE7CFA0),
                         art::Hex(0x9C7A5C), art::Hex(0xC9A27C)};

// Soft rays of light falling through the water from the surface.
void LightRays(cairo_t* cr) {
  art::Rng rng(17);
  for (int i = 0; i < 6; ++i) {
    const double x = kTankLeft + 40 + i * 58 + rng.Range(-10, 10);
    const double w = rng.Range(14, 26);
    cairo_new_path(cr);
    art::Polyline(cr, {x, kSurfaceY, x + w, kSurfaceY, x + w + 50, kGravelY, x + 30, kGravelY},
                  true);
    art::FillWith(cr, art::LinearGradient(0, kSurfaceY, 0, kGravelY,
                                          {{0, {1, 1, 0.9, 0.16}}, {1, {1, 1, 0.9, 0}}}));
  }
}

// Faraway weed and rocks against the tank's back wall, in the blue of the deep water.
void BackWeed(cairo_t* cr) {
  art::Rng rng(29);
  const Color far = kWaterDeep.Mix(kWaterTop, 0.25);
  for (int i = 0; i < 9; ++i) {
    const double x = kTankLeft + 20 + i * 40 + rng.Range(-8, 8);
    const double h = rng.Range(80, 170);
    const double sway = rng.Range(-14, 14);
    cairo_new_path(cr);
    cairo_move_to(cr, x - 5, kGravelY);
    cairo_curve_to(cr, x - 8, kGravelY - h * 0.4, x + sway - 6, kGravelY - h * 0.7, x + sway,
                   kGravelY - h);
    cairo_curve_to(cr, x + sway + 5, kGravelY - h * 0.7, x + 8, kGravelY - h * 0.4, x + 5,
                   kGravelY);
    cairo_close_path(cr);
    art::Fill(cr, far.WithAlpha(0.55));
  }
  for (int i = 0; i < 5; ++i) {
    const double x = kTankLeft + 30 + i * 80 + rng.Range(-10, 10);
    art::Ellipse(cr, x, kGravelY, rng.Range(18, 30), rng.Range(10, 16));
    art::Fill(cr, far.Shade(0.15).WithAlpha(0.6));
  }
}

void Gravel(cairo_t* cr) {
  cairo_rectangle(cr, kTankLeft, kGravelY - 4, kTankRight - kTankLeft, kTankBottom - kGravelY + 4);
  art::Fill(cr, art::Hex(0xA8845E));
  art::Rng rng(41);
  for (int row = 0; row < 5; ++row)
    for (int i = 0; i < 60; ++i) {
      const double x = kTankLeft + rng.Range(0, kTankRight - kTankLeft);
      const double y = kGravelY - 4 + row * 5 + rng.Range(-1, 2);
      const double r = rng.Range(2, 4.2);
      art::Ellipse(cr, x, y, r * 1.3, r);
      art::Paint(cr, art::Style{kGravel[rng.Int(5)], pal::Outline.WithAlpha(0.6), 0.8, 0.35, 0});
    }
}

void Tank(cairo_t* cr) {
  const double w = kTankRight - kTankLeft;
  // The cabinet under the tank.
  art::GroundShadow(cr, 320, 476, 200, 8, 0.35);
  art::RoundedRect(cr, kTankLeft + 6, kTankBottom - 2, w - 12, 480 - kTankBottom + 10, 4);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, art::kOutline, 0.3});
  art::WoodPlanks(cr, kTankLeft + 9, kTankBottom + 2, w - 18, 480 - kTankBottom, 60, true, 12,
                  pal::WoodDark.Lighter(0.1));
  // The air above the water, the water and its depth.
  cairo_rectangle(cr, kTankLeft, kTankTop, w, kSurfaceY - kTankTop);
  art::Fill(cr, art::Hex(0xCDEBF0, 0.55));
  art::VerticalGradient(cr, kTankLeft, kSurfaceY, w, kGravelY - kSurfaceY, kWaterTop, kWaterDeep);
  BackWeed(cr);
  LightRays(cr);
  Gravel(cr);
  // The flat surface at both ends; the ripples of the middle are a sprite.
  cairo_move_to(cr, kTankLeft, kSurfaceY);
  cairo_line_to(cr, kTankRight, kSurfaceY);
  art::Stroke(cr, pal::White.WithAlpha(0.75), 2);
  // Glass: a few glints, the corner posts, the rims.
  for (double x : {kTankLeft + 26.0, kTankLeft + 38.0, kTankRight - 60.0}) {
    cairo_move_to(cr, x, kSurfaceY + 20);
    cairo_line_to(cr, x + 22, kSurfaceY + 90);
    art::Stroke(cr, pal::White.WithAlpha(0.18), x == kTankLeft + 38 ? 3 : 7);
  }
  const Color frame = art::Hex(0x2F4A5C);
  for (double x : {kTankLeft - 6.0, kTankRight - 6.0}) {
    art::RoundedRect(cr, x, kTankTop - 6, 12, kTankBottom - kTankTop + 10, 3);
    art::Paint(cr, art::Style{frame, pal::Outline, art::kOutline, 0.35, 0.3});
  }
  art::RoundedRect(cr, kTankLeft - 8, kTankTop - 8, w + 16, 9, 3);
  art::Paint(cr, art::Style{frame, pal::Outline, art::kOutline, 0.35, 0.3});
  art::RoundedRect(cr, kTankLeft - 8, kTankBottom - 4, w + 16, 10, 3);
  art::Paint(cr, art::Style{frame, pal::Outline, art::kOutline, 0.35, 0.2});
  cairo_rectangle(cr, kTankLeft, kTankTop, w, kTankBottom - kTankTop);
  art::Stroke(cr, pal::Outline, 1.5);
  // The clock's plate, set into the bottom rim: the digits are drawn at (309..349, 436..450).
  art::RoundedRect(cr, kClockX + 2, kClockY - 6, 54, 26, 4);
  art::Paint(cr, art::Style{art::Hex(0x1B1411), pal::Brass, 2.2, 0.1});
}

}  // namespace

void DrawRoom(cairo_t* cr) {
  // A warm wall with a striped paper, a skirting board and a wooden floor.
  art::VerticalGradient(cr, 0, 0, 640, 420, art::Hex(0xF0D29A), art::Hex(0xD9A86A));
  for (int x = 0; x < 640; x += 32) {
    cairo_rectangle(cr, x, 0, 12, 420);
    art::Fill(cr, art::Hex(0xC98A4E, 0.12));
  }
  art::WoodPlanks(cr, 0, 420, 640, 60, 15, false, 7);
  cairo_rectangle(cr, 0, 412, 640, 10);
  art::Fill(cr, pal::WoodDark);
  cairo_move_to(cr, 0, 412);
  cairo_line_to(cr, 640, 412);
  art::Stroke(cr, pal::Outline, 1.5);
  // Shadows where the buckets stand.
  for (int k = 0; k < 2; ++k) art::GroundShadow(cr, kCountX[k] + 6, 438, 52, 8, 0.3);
  Tank(cr);
  art::Vignette(cr, 640, 480, 0.35);
}

// The surface seen from the side: a band of little crests rocking to and fro.
void DrawWater(cairo_t* cr, int pattern) {
  const double w = kWater.Width, base = kSurfaceY - kWaterY;
  const double phase = pattern * 0.9;
  auto crest = [&](double x) { return base - 2.2 - 2.2 * std::sin(x / 17.0 + phase); };
  // Fade the ends so the band meets the flat surface of the background.
  cairo_push_group(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, kWater.Height);
  for (double x = 0; x <= w; x += 2) cairo_line_to(cr, x, crest(x));
  cairo_line_to(cr, w, kWater.Height);
  cairo_close_path(cr);
  art::FillWith(
      cr, art::LinearGradient(0, 0, 0, kWater.Height,
                              {{0, {0.72, 0.92, 0.96, 0.95}}, {1, kWaterTop.WithAlpha(0.0)}}));
  cairo_new_path(cr);
  for (double x = 0; x <= w; x += 2) cairo_line_to(cr, x, crest(x));
  art::Stroke(cr, pal::White.WithAlpha(0.9), 1.6);
  // Glints on the crests.
  for (double x = 8 + pattern * 5; x < w; x += 34) {
    cairo_move_to(cr, x, crest(x) + 3);
    cairo_line_to(cr, x + 7, crest(x + 7) + 3);
    art::Stroke(cr, pal::White.WithAlpha(0.6), 1.2);
  }
  cairo_pop_group_to_source(cr);
  cairo_pattern_t* fade = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(fade, 0.12, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(fade, 0.88, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
  cairo_mask(cr, fade);
  cairo_pattern_destroy(fade);
}

// A sunken castle with a dark arched door, out of which new creatures grow.
void DrawCastle(cairo_t* cr, int) {
  const Color stone = art::Hex(0xB9A88E), dark = art::Hex(0x1F2B38);
  art::GroundShadow(cr, 52, 58, 48, 4, 0.35);
  // Towers with battlements, then the wall between them.
  for (double x : {2.0, 76.0}) {
    Polyline(cr, {x,      58, x,      8, x + 5,  8, x + 5,  3, x + 10, 3,
                  x + 10, 8,  x + 16, 8, x + 16, 3, x + 22, 3, x + 22, 58},
             true);
    art::Paint(cr, art::Style{stone, pal::Outline, 1.8, 0.3});
    art::RoundedRect(cr, x + 8, 16, 6, 10, 3);
    art::Fill(cr, dark);
  }
  Polyline(cr, {22, 58, 22, 18, 30, 18, 30, 13, 38, 13, 38, 18, 46, 18, 46, 13,
                54, 13, 54, 18, 62, 18, 62, 13, 70, 13, 70, 18, 78, 18, 78, 58},
           true);
  art::Paint(cr, art::Style{stone.Lighter(0.08), pal::Outline, 1.8, 0.3});
  // Stones of the wall.
  for (int row = 0; row < 4; ++row)
    for (int i = 0; i < 4; ++i) {
      const double x = 24 + i * 14 + (row % 2) * 7, y = 22 + row * 9;
      cairo_rectangle(cr, x, y, 12, 7);
      art::Stroke(cr, stone.Shade(0.3).WithAlpha(0.5), 1);
    }
  // The door: a dark arch with a glow of water behind.
  cairo_new_path(cr);
  cairo_move_to(cr, 30, 60);
  cairo_line_to(cr, 30, 38);
  cairo_arc(cr, 50, 38, 20, M_PI, 2 * M_PI);
  cairo_line_to(cr, 70, 60);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{dark, pal::Outline, 2, 0});
  art::Glow(cr, 50, 48, 16, art::Hex(0x4FB0C8, 0.35));
  // Moss and a starfish.
  art::Rng rng(3);
  for (int i = 0; i < 10; ++i) {
    art::Circle(cr, rng.Range(4, 96), rng.Range(40, 58), rng.Range(1.5, 3));
    art::Fill(cr, pal::Green.WithAlpha(0.7));
  }
  art::Star(cr, 86, 44, 7, 3, 5, 0.3);
  art::Paint(cr, art::Style{pal::Tomato, pal::Outline, 1.2, 0.3});
}

void DrawStone(cairo_t* cr, int) {
  art::GroundShadow(cr, 26, 46, 24, 4, 0.3);
  cairo_new_path(cr);
  cairo_move_to(cr, 3, 44);
  cairo_curve_to(cr, 0, 26, 10, 6, 26, 5);
  cairo_curve_to(cr, 42, 4, 52, 24, 49, 44);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0x7C8C99), pal::Outline, art::kOutline, 0.4, 0.25});
  art::Rng rng(9);
  for (int i = 0; i < 6; ++i) {
    art::Ellipse(cr, rng.Range(10, 42), rng.Range(14, 40), rng.Range(2, 4), rng.Range(1.5, 3));
    art::Fill(cr, art::Hex(0x5E6E7A, 0.6));
  }
  art::Ellipse(cr, 18, 12, 7, 3);
  art::Fill(cr, pal::Green.WithAlpha(0.55));
}

// Three long blades of weed from one root, swaying 0, 1, 2.
void DrawWeed(cairo_t* cr, int pattern) {
  const double sway = (pattern - 1) * 7;
  const double rootX = 30, rootY = kWeed.Height - 4;
  struct Blade {
    double X, Height, Lean, Width;
    Color Fill;
  };
  const Blade blades[] = {{-8, 110, -16, 6, pal::Green},
                          {4, 124, 6, 7, pal::Grass},
                          {12, 92, 20, 5.5, pal::Lime.Shade(0.1)}};
  for (const Blade& b : blades) {
    const double tipX = rootX + b.X + b.Lean + sway * (b.Height / 110);
    const double tipY = rootY - b.Height;
    const double midX = rootX + b.X + b.Lean * 0.3 - sway * 0.5;
    cairo_new_path(cr);
    cairo_move_to(cr, rootX + b.X - b.Width, rootY);
    cairo_curve_to(cr, midX - b.Width, rootY - b.Height * 0.45, tipX - b.Width * 0.6,
                   tipY + b.Height * 0.25, tipX, tipY);
    cairo_curve_to(cr, tipX + b.Width * 0.6, tipY + b.Height * 0.25, midX + b.Width,
                   rootY - b.Height * 0.45, rootX + b.X + b.Width, rootY);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{b.Fill, pal::Outline, 1.6, 0.35});
    cairo_move_to(cr, rootX + b.X, rootY - 4);
    cairo_curve_to(cr, midX, rootY - b.Height * 0.45, tipX, tipY + b.Height * 0.3, tipX, tipY + 6);
    art::Stroke(cr, b.Fill.Lighter(0.35).WithAlpha(0.7), 1.2);
  }
}

// A bubble: a clear ball with a bright rim and a glint; the patterns wobble it a little.
void DrawBubble(cairo_t* cr, int pattern) {
  const double c = kBubble.Width / 2.0;
  const double rx = pattern == 1 ? 14.5 : pattern == 2 ? 12.5 : 13.5;
  const double ry = pattern == 1 ? 12.5 : pattern == 2 ? 14.5 : 13.5;
  art::Ellipse(cr, c, c, rx, ry);
  art::FillWith(
      cr, art::RadialGradient(
              c - 3, c - 3, 2, c, c, rx,
              {{0, {0.85, 0.97, 1, 0.15}}, {0.75, {0.75, 0.93, 1, 0.3}}, {1, {0.95, 1, 1, 0.9}}}));
  art::Ellipse(cr, c, c, rx, ry);
  art::Stroke(cr, art::Hex(0x2B5A78, 0.8), 1.6);
  art::Shine(cr, c - rx * 0.4, c - ry * 0.45, rx * 0.3, ry * 0.2, 0.95);
}

// A blue enamel bucket with a plate on which the count is written; pattern 1 has a fish's tail
// sticking out of it.
void DrawBucket(cairo_t* cr, int pattern) {
  const double w = kBucket.Width, cx = w / 2;
  const double top = 22, bottom = kBucket.Height - 4, topR = 47, bottomR = 37;
  const Color enamel = pal::Blue;
  // The handle behind.
  cairo_new_path(cr);
  cairo_arc(cr, cx, top + 2, topR - 4, M_PI * 1.05, M_PI * 1.95);
  art::Stroke(cr, pal::Outline, 4.5);
  cairo_new_path(cr);
  cairo_arc(cr, cx, top + 2, topR - 4, M_PI * 1.05, M_PI * 1.95);
  art::Stroke(cr, pal::Steel, 2.2);
  // The inside and, with a catch, a tail over the rim.
  art::Ellipse(cr, cx, top, topR, 9);
  art::Paint(cr, art::Style{art::Hex(0x1D2E4A), pal::Outline, art::kOutline, 0});
  if (pattern == 1) {
    Polyline(
        cr,
        {cx + 4, top + 4, cx + 16, top - 16, cx + 22, top - 6, cx + 30, top - 18, cx + 26, top + 2},
        true);
    art::Paint(cr, art::Style{pal::Orange, pal::Outline, 1.6, 0.3});
    Limb(cr, {cx - 18, top + 2, cx - 14, top - 4}, 3, pal::Orange, 1.4);
  }
  // The body.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - topR, top);
  cairo_line_to(cr, cx - bottomR, bottom - 5);
  cairo_curve_to(cr, cx - bottomR, bottom + 2, cx + bottomR, bottom + 2, cx + bottomR, bottom - 5);
  cairo_line_to(cr, cx + topR, top);
  cairo_curve_to(cr, cx + topR, top + 10, cx - topR, top + 10, cx - topR, top);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{enamel, pal::Outline, art::kOutline, 0.35, 0.25});
  // Bands and chipped enamel.
  for (double t : {0.2, 0.85}) {
    const double y = top + (bottom - top) * t, r = topR + (bottomR - topR) * t;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - r, y);
    cairo_curve_to(cr, cx - r, y + 9, cx + r, y + 9, cx + r, y);
    art::Stroke(cr, enamel.Shade(0.35), 2.4);
  }
  art::Circle(cr, cx + 30, top + 62, 3);
  art::Paint(cr, art::Style{pal::Outline.Lighter(0.2), pal::Outline, 1, 0});
  // The plate for the count: the digits are written at (52, 30) down to 50.
  art::RoundedRect(cr, cx - 22, 27, 44, 26, 6);
  art::Paint(cr, art::Style{pal::Navy, pal::Outline, 1.8, 0.2});
  // The rim.
  art::Ellipse(cr, cx, top, topR, 9);
  art::Stroke(cr, pal::Outline, 5);
  art::Ellipse(cr, cx, top, topR, 9);
  art::Stroke(cr, pal::Steel.Lighter(0.3), 2.4);
}

}  // namespace aquaart
