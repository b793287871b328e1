// The shared sprites of the common image list: pointer hands, speech bubble and tail, exit
// box, button and money plates, the player's mouth and the gun sight.
#include <cairo.h>

#include <cmath>
#include <string>

#include "common.h"
#include "draw.h"
#include "fonts.h"
#include "limbs.h"

namespace common {

namespace {

using art::pal::Outline;

// --- Pointer hands. The list-1 pointer's fingertip is at (+5, +25).
constexpr double kTipX = 5, kTipY = 25;

void Ruka01(cairo_t* cr, int pattern) { art::PointingHand(cr, kTipX, kTipY, pattern * 0.5); }

void Ruka02(cairo_t* cr, int pattern) { art::OpenHand(cr, 26, 30, 1.25, 1.0 - 0.25 * pattern); }

void Ruka03(cairo_t* cr, int pattern) {
  cairo_translate(cr, 26, 26);
  cairo_rotate(cr, -0.25 + 0.17 * pattern);
  art::Fist(cr, 0, 0, 1.3);
}

// --- Speech bubble. The body's top edge lies on rows 19..21 and its bottom edge on rows
// 137..139, where the tail picture (whose first rows are bubble-coloured) joins it when drawn
// at (x + 25, y + 137), or mirrored upwards at (x + 25, y + 22).
constexpr art::Color kBubble = art::pal::Blue.Lighter(0.12);
constexpr double kBubbleLine = 3.0;

void Bazar01(cairo_t* cr, int) {
  const double x = 1.5, y = 20.5 - 0.0, w = 197, h = 117.0;
  // Soft shadow below-right, then the body with a flat fill (the tail must match it exactly).
  art::RoundedRect(cr, x + 3, y + 3, w - 1, h - 1, 26);
  art::Fill(cr, art::pal::Shadow.WithAlpha(0.18));
  art::RoundedRect(cr, x, y, w, h, 26);
  art::SetColor(cr, kBubble);
  cairo_fill_preserve(cr);
  art::Stroke(cr, Outline, kBubbleLine);
  // A little shine in the upper-left corner, away from the tail joints.
  cairo_move_to(cr, 9, 52);
  cairo_curve_to(cr, 9, 38, 14, 30, 24, 28);
  art::Stroke(cr, art::pal::White, 3.0);
}

void Bazar02(cairo_t* cr, int) {
  // Joins the bubble along its first rows between x 12 and 44; the tip at the lower right.
  const double l = 12, r = 44;
  auto outline = [&](bool close) {
    cairo_move_to(cr, l, -3);
    cairo_curve_to(cr, l + 4, 22, l + 22, 44, 64, 59);
    cairo_curve_to(cr, 50, 38, r - 2, 18, r, -3);
    if (close) cairo_close_path(cr);
  };
  outline(true);
  art::SetColor(cr, kBubble);
  cairo_fill(cr);
  // Only the two sides are outlined; the top melts into the bubble.
  outline(false);
  art::Stroke(cr, Outline, kBubbleLine);
}

// --- Exit box, drawn at (177, 157); "ДА" is clicked at local x 103..133, "НЕТ" at 143..173,
// both at y 88..123.
void Exi01(cairo_t* cr, int) {
  const double w = 286, h = 166;
  art::PanelStyle frame{.Body = art::pal::Wood, .Radius = 16, .Bevel = 9, .Rivets = true};
  art::Panel(cr, 0, 0, w, h, frame);
  // Paper sheet inside the frame.
  art::RoundedRect(cr, 14, 13, w - 30, h - 29, 8);
  art::Paint(cr, art::Style{art::pal::Cream, Outline, 1.6, 0.12, 0});
  art::Grain(cr, 16, 15, w - 34, h - 33, 91, 0.05, 0.2);
  // An open door with an arrow at the left.
  const double dx = 30, dy = 38;
  cairo_rectangle(cr, dx, dy, 40, 62);
  art::Paint(cr, art::Style{art::pal::Night.Lighter(0.25), Outline, 2.2, 0, 0});
  art::Polyline(cr, {dx, dy, dx + 22, dy + 8, dx + 22, dy + 70, dx, dy + 62}, true);
  art::Paint(cr, art::Style{art::pal::Tomato, Outline, 2.2, 0.3, 0});
  art::Circle(cr, dx + 17, dy + 38, 2.2);
  art::Paint(cr, art::Style{art::pal::Brass, Outline, 1.0, 0.3, 0});
  // An arrow pointing out through the door.
  auto arrow = [&]() {
    art::Polyline(cr,
                  {dx + 74, dy + 27, dx + 58, dy + 27, dx + 58, dy + 20, dx + 46, dy + 31, dx + 58,
                   dy + 42, dx + 58, dy + 35, dx + 74, dy + 35},
                  true);
  };
  arrow();
  art::Paint(cr, art::Style{art::pal::Yellow, Outline, 2.0, 0.3, 0.4});
  // Title.
  art::TextStyle title{.Face = art::Font::CondensedBold,
                       .Size = 34,
                       .Fill = art::pal::White,
                       .LineWidth = 3.2,
                       .Anchor = art::Align::Center};
  art::Text(cr, "ВЫЙТИ?", 182, 63, title);
  // The two answer buttons.
  struct Answer {
    const char* text;
    double x;
    art::Color color;
  };
  const Answer answers[2] = {{"ДА", 101, art::pal::Green}, {"НЕТ", 141, art::pal::Red}};
  for (const Answer& a : answers) {
    art::PanelStyle b{.Body = a.color, .Radius = 7, .Bevel = 3};
    art::Panel(cr, a.x, 85, 36, 41, b);
    art::TextStyle st{.Face = art::Font::CondensedBold,
                      .Size = std::string(a.text) == "ДА" ? 16.0 : 13.0,
                      .Fill = art::pal::White,
                      .LineWidth = 1.8,
                      .Anchor = art::Align::Center};
    art::Text(cr, a.text, a.x + 17, 110, st);
  }
  // Little stars for the friendly look.
  art::Star(cr, 222, 108, 9, 4, 5, 0.05);
  art::Paint(cr, art::Style{art::pal::Yellow, Outline, 1.6, 0.3, 0.5});
  art::Star(cr, 246, 95, 6, 2.6, 5, -0.04);
  art::Paint(cr, art::Style{art::pal::Yellow, Outline, 1.4, 0.3, 0.5});
}

// --- Button plate, stretched by the game to about 100x45; captions are written over it.
void Button01(cairo_t* cr, int pattern) {
  art::PanelStyle s{.Body = art::pal::Orange, .Radius = 12, .Bevel = 5, .Pressed = pattern == 1};
  art::Panel(cr, 0, 0, 100, 45, s);
}

// --- Money plate at (515, 418); the amount is centred at (+48, +15..+35).
void Bax01(cairo_t* cr, int) {
  art::PanelStyle s{.Body = art::pal::Brass, .Radius = 10, .Bevel = 6, .Rivets = false};
  art::Panel(cr, 0, 0, 96, 50, s);
  // A dark display window for the white digits.
  art::RoundedRect(cr, 8.5, 8.5, 77, 30, 6);
  art::FillWith(
      cr, art::LinearGradient(0, 8, 0, 38, {{0, {0.12, 0.22, 0.16}}, {1, {0.18, 0.34, 0.22}}}),
      true);
  art::Stroke(cr, Outline, 1.6);
  art::Shine(cr, 30, 14, 18, 3, 0.25);
}

// --- The player's mouth, patterns 0..4 from closed to wide open, on a round face badge.
void PlRot01(cairo_t* cr, int pattern) {
  const double cx = 34, cy = 30;
  art::Circle(cr, cx, cy, 27);
  art::Paint(cr, art::Style{art::pal::Skin, Outline, art::kOutline, 0.25, 0.35});
  // Nose tip and cheeks.
  art::Ellipse(cr, cx, cy - 12, 6, 4.5);
  art::Paint(cr, art::Style{art::pal::Skin.Shade(0.05), Outline, 1.6, 0.3, 0.6});
  art::Circle(cr, cx - 17, cy + 1, 4.5);
  art::Fill(cr, art::pal::Pink.WithAlpha(0.5));
  art::Circle(cr, cx + 17, cy + 1, 4.5);
  art::Fill(cr, art::pal::Pink.WithAlpha(0.5));
  const double my = cy + 6;
  if (pattern == 0) {
    cairo_move_to(cr, cx - 12, my - 1);
    cairo_curve_to(cr, cx - 5, my + 6, cx + 5, my + 6, cx + 12, my - 1);
    art::Stroke(cr, Outline, 2.4);
    return;
  }
  // Open mouths: width and height grow with the pattern; 3 is a round "O", 4 shows teeth.
  static const double kW[5] = {0, 9, 12, 7, 14};
  static const double kH[5] = {0, 3.5, 7, 8, 9.5};
  const double w = kW[pattern], h = kH[pattern];
  art::Ellipse(cr, cx, my + h * 0.2, w, h);
  art::Paint(cr, art::Style{art::pal::Mouth, Outline, 2.2, 0, 0});
  cairo_save(cr);
  art::Ellipse(cr, cx, my + h * 0.2, w, h);
  cairo_clip(cr);
  art::Ellipse(cr, cx + 1, my + h * 0.2 + h * 0.85, w * 0.7, h * 0.55);
  art::Fill(cr, art::pal::Tongue);
  if (pattern == 4) {
    cairo_rectangle(cr, cx - w, my + h * 0.2 - h, 2 * w, h * 0.55);
    art::Fill(cr, art::pal::White);
  }
  cairo_restore(cr);
  art::Ellipse(cr, cx, my + h * 0.2, w, h);
  art::Stroke(cr, art::pal::Lips, 1.4);
}

// --- Gun sight, aim point at (+63, +68).
void Pricel01(cairo_t* cr, int) {
  const double cx = 63.5, cy = 68.5;
  auto ring = [&](double r, double wDark, double wLight, const art::Color& light) {
    art::Circle(cr, cx, cy, r);
    art::Stroke(cr, Outline, wDark);
    art::Circle(cr, cx, cy, r);
    art::Stroke(cr, light, wLight);
  };
  ring(52, 6, 2.6, art::pal::Red);
  ring(20, 4, 1.6, art::pal::Yellow);
  // Cross hairs with a gap around the aim point, and tick marks.
  for (int i = 0; i < 4; ++i) {
    const double a = i * M_PI / 2;
    const double ca = std::cos(a), sa = std::sin(a);
    for (int pass = 0; pass < 2; ++pass) {
      cairo_move_to(cr, cx + ca * 8, cy + sa * 8);
      cairo_line_to(cr, cx + ca * 60, cy + sa * 60);
      art::Stroke(cr, pass == 0 ? Outline : art::pal::Red.Lighter(0.1), pass == 0 ? 4.2 : 1.8);
    }
    for (int t = 1; t <= 2; ++t) {
      const double r = 20 + t * 10.5;
      cairo_move_to(cr, cx + ca * r - sa * 4, cy + sa * r + ca * 4);
      cairo_line_to(cr, cx + ca * r + sa * 4, cy + sa * r - ca * 4);
      art::Stroke(cr, Outline, 2.2);
    }
  }
  art::Circle(cr, cx, cy, 2.2);
  art::Paint(cr, art::Style{art::pal::Red, Outline, 1.2, 0, 0});
}

}  // namespace

std::vector<content::ImageSpec> CommonSprites() {
  return {
      {"Ruka01", 56, 56, 3, Ruka01},      {"Ruka02", 56, 56, 3, Ruka02},
      {"Ruka03", 56, 56, 4, Ruka03},      {"Bazar01", 200, 140, 1, Bazar01},
      {"Bazar02", 73, 63, 1, Bazar02},    {"Exi01", 286, 166, 1, Exi01},
      {"Button01", 100, 45, 2, Button01}, {"Bax01", 96, 50, 1, Bax01},
      {"PlRot01", 70, 62, 5, PlRot01},    {"Pricel01", 127, 137, 1, Pricel01},
  };
}

}  // namespace common
