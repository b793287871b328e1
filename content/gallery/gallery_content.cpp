// The shooting gallery: the lamp, the apples on their shelf, the painted landscape behind the
// rail and the rail's front board with the little windmill house, the tin rabbit and duck in
// their eight turning patterns, the windmill's sails, bullet holes, cartridges, the muzzle
// flash and the rifle in its three poses; the hit map of the targets; the gallery's tune.
//
// Every place and size comes from minigames/gallery_layout.h, which the scene draws by.
#include <cairo.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/common/common.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "minigames/gallery_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace gl = vepa::gallery;

constexpr double kDeg = M_PI / 180;

// ---- The lamp -------------------------------------------------------------------------------

// A green enamel shade on a short cord with the bulb glowing under it.
void DrawLamp(cairo_t* cr, int) {
  const double cx = gl::LampW / 2.0;
  art::Limb(cr, cx, 0, cx, 14, 1.1, pal::SteelDark, 1.0);
  art::Glow(cr, cx, 40, 26, pal::Yellow.Lighter(0.3).WithAlpha(0.55));
  // The bulb.
  art::Ellipse(cr, cx, 38, 9, 10);
  art::Paint(cr, art::Style{pal::Yellow.Lighter(0.6), pal::Outline, 1.4, 0.1, 0.8});
  // The shade: a wide cone with a rolled rim.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 7, 13);
  cairo_line_to(cr, cx + 7, 13);
  cairo_curve_to(cr, cx + 14, 20, cx + 24, 26, cx + 26, 33);
  cairo_line_to(cr, cx - 26, 33);
  cairo_curve_to(cr, cx - 24, 26, cx - 14, 20, cx - 7, 13);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Green.Darker(0.1), pal::Outline, 2, 0.35, 0.5});
  art::Ellipse(cr, cx, 33, 26, 3.4);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.4, 0.1});
  art::RoundedRect(cr, cx - 5, 9, 10, 6, 2);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.2, 0.3});
}

// ---- The apples -----------------------------------------------------------------------------

constexpr double kAppleCX = 25, kAppleCY = 30, kAppleR = 19;

void AppleBody(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_path(cr);
  art::MirroredOutline(cr, cx, cy, r, r,
                       {0, -0.72, 0.5, -1.15, 1.1, -0.8, 1, 0, 0.95, 0.8, 0.35, 1.05, 0, 0.9});
}

void StemAndLeaf(cairo_t* cr, double cx, double top) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  art::RoundLine(cr, cx, top + 4, cx + 2, top - 5, pal::Outline, 4);
  art::RoundLine(cr, cx, top + 4, cx + 2, top - 5, pal::WoodDark, 2);
  cairo_new_path(cr);
  cairo_move_to(cr, cx + 2, top - 2);
  cairo_curve_to(cr, cx + 6, top - 10, cx + 14, top - 9, cx + 16, top - 5);
  cairo_curve_to(cr, cx + 12, top, cx + 6, top + 1, cx + 2, top - 2);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Green, pal::Outline, 1.3, 0.3});
}

// Pattern 0 a golden apple (the middle one), 1 a red apple, 2 what is left of one after the
// shot: the lower half with the white flesh showing and a few drops of juice.
void DrawShelfApple(cairo_t* cr, int pattern) {
  art::GroundShadow(cr, kAppleCX + 2, 52, 17, 3, 0.35);
  if (pattern == 2) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, kAppleCY + 2, gl::AppleW, gl::AppleH);
    cairo_clip(cr);
    AppleBody(cr, kAppleCX, kAppleCY, kAppleR);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 2, 0.3});
    cairo_restore(cr);
    // The cut: a jagged white face.
    cairo_new_path(cr);
    cairo_move_to(cr, kAppleCX - kAppleR + 1, kAppleCY + 2);
    for (int i = 1; i <= 8; ++i)
      cairo_line_to(cr, kAppleCX - kAppleR + 1 + i * (2 * kAppleR - 2) / 8.0,
                    kAppleCY + 2 + (i % 2 ? -4 : 1));
    cairo_line_to(cr, kAppleCX + kAppleR - 2, kAppleCY + 6);
    cairo_line_to(cr, kAppleCX - kAppleR + 2, kAppleCY + 6);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.4, 0.1});
    for (double x : {kAppleCX - 3.0, kAppleCX + 3.0}) {
      art::Ellipse(cr, x, kAppleCY + 3, 1.3, 2);
      art::Fill(cr, pal::WoodDark);
    }
    art::Circle(cr, 8, 44, 2.2);
    art::Fill(cr, pal::Red.WithAlpha(0.8));
    art::Circle(cr, 44, 40, 1.6);
    art::Fill(cr, pal::Red.WithAlpha(0.7));
    art::Circle(cr, 40, 50, 1.3);
    art::Fill(cr, pal::Cream);
    return;
  }
  const Color fill = pattern == 0 ? pal::Gold.Lighter(0.1) : pal::Red;
  AppleBody(cr, kAppleCX, kAppleCY, kAppleR);
  art::Paint(cr, art::Style{fill, pal::Outline, 2.2, 0.32, 0.7});
  StemAndLeaf(cr, kAppleCX, kAppleCY - kAppleR * 0.72);
}

// The half apple that flies off the shelf, stem up, as wide as a falling apple is drawn.
void DrawFallingApple(cairo_t* cr, int) {
  const double cx = gl::FallingAppleW / 2.0, r = 14;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, gl::FallingAppleW, 16);
  cairo_clip(cr);
  AppleBody(cr, cx, 15, r);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.6, 0.3, 0.6});
  cairo_restore(cr);
  art::RoundedRect(cr, cx - r + 1, 13, 2 * r - 2, 5, 2);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.2, 0});
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  art::RoundLine(cr, cx, 5, cx + 2, 1, pal::WoodDark, 2);
}

// ---- The painted scenery --------------------------------------------------------------------

// Behind the rail: a painted landscape in a wooden frame, green hills under a sky with clouds,
// a red-roofed farm and a few round trees: the rabbit's and the duck's country.
void DrawBackScenery(cairo_t* cr, int) {
  const double w = gl::BackSceneryW, h = gl::BackSceneryH;
  // A square frame filling the whole picture: with no see-through pixels the picture needs no
  // alpha mask and is copied, not blended, in every frame.
  cairo_rectangle(cr, 0, 0, w, h);
  art::Fill(cr, pal::Outline);
  cairo_rectangle(cr, 2, 2, w - 4, h - 2);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 0, 0.2});
  cairo_save(cr);
  art::RoundedRect(cr, 9, 9, w - 18, h - 9, 3);
  cairo_clip(cr);
  art::VerticalGradient(cr, 0, 0, w, h, pal::Sky.Lighter(0.2), pal::Sky.Mix(pal::Cream, 0.5));
  // Clouds.
  for (const auto& [x, y, s] :
       std::vector<std::array<double, 3>>{{60, 26, 1.0}, {175, 18, 0.8}, {300, 30, 1.1}}) {
    for (int i = 0; i < 3; ++i) art::Circle(cr, x + (i - 1) * 11 * s, y - (i == 1) * 5 * s, 9 * s);
    art::Fill(cr, pal::White.WithAlpha(0.9));
  }
  // A range of hills from the left edge at height y0 over two humps (curves a and b, b ending
  // at the right edge), filled down to the bottom.
  auto hills = [&](double y0, const std::array<double, 6>& a, const std::array<double, 5>& b,
                   const art::Style& style) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, y0);
    cairo_curve_to(cr, a[0], a[1], a[2], a[3], a[4], a[5]);
    cairo_curve_to(cr, b[0], b[1], b[2], b[3], w, b[4]);
    cairo_line_to(cr, w, h);
    cairo_line_to(cr, 0, h);
    cairo_close_path(cr);
    art::Paint(cr, style);
  };
  // Far hills, near hills.
  hills(70, {70, 40, 130, 48, 190, 64}, {250, 44, 320, 42, 66},
        art::Style{pal::Green.Mix(pal::Sky, 0.35), pal::Outline, 1.4, 0.1});
  // A farm on the far hill.
  art::RoundedRect(cr, 238, 38, 26, 18, 1);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.2, 0.1});
  cairo_new_path(cr);
  art::Polyline(cr, {234, 40, 251, 27, 268, 40}, true);
  art::Paint(cr, art::Style{pal::Brick, pal::Outline, 1.2, 0.2});
  cairo_rectangle(cr, 248, 46, 6, 10);
  art::Fill(cr, pal::WoodDark);
  hills(92, {90, 70, 160, 78, 230, 90}, {290, 80, 340, 76, 88},
        art::Style{pal::Grass, pal::Outline, 1.6, 0.15});
  // Round trees.
  for (const auto& [x, y] : std::vector<std::array<double, 2>>{{40, 78}, {120, 74}, {330, 74}}) {
    cairo_rectangle(cr, x - 2, y, 4, 12);
    art::Fill(cr, pal::WoodDark);
    art::Circle(cr, x, y - 4, 10);
    art::Paint(cr, art::Style{pal::Green.Darker(0.1), pal::Outline, 1.4, 0.3, 0.3});
  }
  // Flowers in the grass.
  art::Rng rng(41);
  for (int i = 0; i < 24; ++i) {
    art::Circle(cr, rng.Range(15, w - 15), rng.Range(100, h - 6), 1.6);
    art::Fill(cr, i % 3 ? pal::Yellow : pal::White);
  }
  cairo_restore(cr);
  // The rail the targets run on, across the picture at their feet.
  cairo_rectangle(cr, 14, h - 12, w - 28, 6);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.4, 0.4});
}

// The rail's front board, its top cut as a row of grass tufts, painted red with yellow stars,
// and in its middle the windmill's little house, on whose gable the sails turn.
void DrawFrontScenery(cairo_t* cr, int) {
  const double w = gl::FrontSceneryW, h = gl::FrontSceneryH;
  const double millX = gl::MillCentre.X - gl::FrontSceneryAt.X;
  const double millY = gl::MillCentre.Y - gl::FrontSceneryAt.Y;
  // Grass tufts along the top.
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 22);
  for (int i = 0; i <= 32; ++i) {
    const double x = i * w / 32;
    cairo_line_to(cr, x + w / 64, i % 2 ? 4 : 10);
    cairo_line_to(cr, x + w / 32, 20);
  }
  cairo_line_to(cr, w, 26);
  cairo_line_to(cr, 0, 26);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Grass, pal::Outline, 1.8, 0.25});
  // The board.
  art::RoundedRect(cr, 2, 18, w - 4, h - 22, 5);
  art::Paint(cr, art::Style{pal::Red.Darker(0.05), pal::Outline, 2.2, 0.25});
  art::RoundedRect(cr, 10, 26, w - 20, h - 38, 3);
  art::Stroke(cr, pal::Gold, 2);
  for (double x : {40.0, 90.0, 230.0, 280.0}) {
    art::Star(cr, x, 62, 11, 5, 5, -M_PI / 2);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.4, 0.2});
  }
  // Rivets.
  for (double x : {8.0, w - 8}) {
    art::Circle(cr, x, 30, 2);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1, 0.3});
  }
  // The windmill's house: white walls, a red roof, a door and a window, the sails' axle on
  // the gable.
  const double hw = 24;
  art::GroundShadow(cr, millX + 4, h - 4, hw + 6, 3);
  cairo_new_path(cr);
  art::Polyline(cr,
                {millX - hw + 4, millY + 12, millX + hw - 4, millY + 12, millX + hw, h - 4,
                 millX - hw, h - 4},
                true);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2.2, 0.3});
  cairo_new_path(cr);
  art::Polyline(cr, {millX - hw - 2, millY + 16, millX, millY - 14, millX + hw + 2, millY + 16},
                true);
  art::Paint(cr, art::Style{pal::Brick, pal::Outline, 2.2, 0.3});
  art::RoundedRect(cr, millX - 7, h - 30, 14, 26, 6);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.6, 0.2});
  art::RoundedRect(cr, millX - 6, millY + 24, 12, 12, 2);
  art::Paint(cr, art::Style{pal::Sky.Darker(0.2), pal::Outline, 1.4, 0.1, 0.5});
}

// ---- The windmill's sails -------------------------------------------------------------------

// Four lattice sails, red and white, round the brass hub (drawn turned about its centre).
void DrawMillSails(cairo_t* cr, int) {
  const double c = gl::MillSize / 2.0;
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, i * M_PI / 2);
    // The sail: a frame on one side of the spar.
    cairo_new_path(cr);
    art::Polyline(cr, {9, 1, 47, 1, 47, 19, 12, 12}, true);
    art::Paint(cr, art::Style{i % 2 ? pal::Cream : pal::Red.Lighter(0.1), pal::Outline, 1.8, 0.2});
    for (int k = 1; k < 5; ++k)
      art::RoundLine(cr, 9 + k * 7.6, 1, 9 + k * 7.6, 12 + k * 1.4, pal::Outline, 1);
    art::Limb(cr, 4, 0, 48, 0, 1.5, pal::WoodDark, 1.2);
    cairo_restore(cr);
  }
  art::Circle(cr, c, c, 7);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.8, 0.4, 0.7});
  art::Circle(cr, c, c, 2);
  art::Fill(cr, pal::Outline);
}

// ---- The tin rabbit and duck ----------------------------------------------------------------

// A flat tin target painted on one face, facing right, in a w x h picture.
using TinFace = void (*)(cairo_t*, double w, double h);

void RabbitFace(cairo_t* cr, double, double h) {
  const Color tin = pal::Cream.Mix(pal::Steel, 0.35);
  // Ears.
  for (const auto& [x, tilt] : std::vector<std::array<double, 2>>{{24, -0.25}, {31, 0.15}}) {
    cairo_save(cr);
    cairo_translate(cr, x, 16);
    cairo_rotate(cr, tilt);
    art::Ellipse(cr, 0, -7, 4, 10);
    art::Paint(cr, art::Style{tin, pal::Outline, 1.8, 0.25});
    art::Ellipse(cr, 0, -7, 1.8, 7);
    art::Fill(cr, pal::Pink);
    cairo_restore(cr);
  }
  // Body and haunch.
  art::Ellipse(cr, 20, h - 22, 15, 13);
  art::Paint(cr, art::Style{tin, pal::Outline, 2, 0.28});
  // Tail.
  art::Circle(cr, 6, h - 25, 5);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.5, 0.1});
  // Head.
  art::Ellipse(cr, 31, 24, 11, 9);
  art::Paint(cr, art::Style{tin, pal::Outline, 2, 0.28, 0.3});
  art::Circle(cr, 35, 21, 2);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, 41.5, 26, 1.8);
  art::Fill(cr, pal::Pink.Darker(0.1));
  art::RoundLine(cr, 38, 28, 45, 27, pal::Outline, 0.8);
  art::RoundLine(cr, 38, 29, 45, 31, pal::Outline, 0.8);
  // Front paw.
  art::Ellipse(cr, 32, h - 13, 5, 3.5);
  art::Paint(cr, art::Style{tin, pal::Outline, 1.5, 0.2});
}

void DuckFace(cairo_t* cr, double w, double h) {
  const Color body = pal::Yellow;
  // Body: a boat shape with a raised tail.
  cairo_new_path(cr);
  cairo_move_to(cr, 10, h - 32);
  cairo_curve_to(cr, 14, h - 38, 30, h - 30, 46, h - 30);
  cairo_curve_to(cr, 66, h - 30, 78, h - 34, 86, h - 28);
  cairo_curve_to(cr, 92, h - 20, 86, h - 8, 66, h - 8);
  cairo_line_to(cr, 36, h - 8);
  cairo_curve_to(cr, 20, h - 8, 12, h - 18, 10, h - 32);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{body, pal::Outline, 2.2, 0.28, 0.3});
  // Wing.
  cairo_new_path(cr);
  cairo_move_to(cr, 34, h - 24);
  cairo_curve_to(cr, 44, h - 30, 62, h - 28, 64, h - 20);
  cairo_curve_to(cr, 54, h - 14, 42, h - 14, 34, h - 24);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Orange, pal::Outline, 1.6, 0.2});
  // Neck and head.
  art::Ellipse(cr, 80, h - 34, 8, 10);
  art::Paint(cr, art::Style{body, pal::Outline, 2, 0.25});
  art::Circle(cr, 84, 16, 12);
  art::Paint(cr, art::Style{body, pal::Outline, 2.2, 0.28, 0.5});
  // Beak.
  cairo_new_path(cr);
  cairo_move_to(cr, 93, 15);
  cairo_curve_to(cr, w - 4, 14, w - 2, 20, w - 6, 22);
  cairo_curve_to(cr, w - 10, 24, 96, 24, 93, 21);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Orange, pal::Outline, 1.6, 0.25});
  art::Circle(cr, 87, 12, 2.4);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, 87.7, 11.3, 0.8);
  art::Fill(cr, pal::White);
  // A target ring painted on the body.
  art::Circle(cr, 52, h - 18, 5);
  art::Paint(cr, art::Style{pal::White, pal::Red, 2, 0});
}

// Pattern p shows the tin turned by (p - 2) x 45 degrees about its upright axis: 2 facing right,
// 6 facing left, 4 and 0 edge on, the others half turned. The hinge at the foot stays.
void DrawTinTarget(cairo_t* cr, int pattern, double w, double h, double axis, TinFace face) {
  const double a = (pattern - 2) * 45 * kDeg;
  const double sx = std::cos(a);
  // The stand on the rail.
  art::RoundedRect(cr, axis - 6, h - 8, 12, 8, 2);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 1.4, 0.3});
  if (std::fabs(sx) < 0.2) {
    // Edge on: the thin tin sheet.
    art::RoundedRect(cr, axis - 2, 6, 4, h - 12, 1.5);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.4, 0.3});
    return;
  }
  cairo_save(cr);
  cairo_translate(cr, axis, 0);
  cairo_scale(cr, sx, 1);
  cairo_translate(cr, -axis, 0);
  face(cr, w, h);
  cairo_restore(cr);
  // Half turned, the face catches less light.
  if (std::fabs(sx) < 0.9) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_rectangle(cr, 0, 0, w, h);
    art::Fill(cr, pal::Outline.WithAlpha(0.18));
    cairo_restore(cr);
  }
}

void DrawRabbit(cairo_t* cr, int p) {
  DrawTinTarget(cr, p, gl::RabbitW, gl::RabbitH,
                (gl::RabbitBox.Left + gl::RabbitBox.Right) / 2.0 - gl::RailX, RabbitFace);
}
void DrawDuck(cairo_t* cr, int p) {
  DrawTinTarget(cr, p, gl::DuckW, gl::DuckH,
                (gl::DuckBox.Left + gl::DuckBox.Right) / 2.0 - gl::RailX, DuckFace);
}

// ---- Holes, cartridges, flash ---------------------------------------------------------------

// A bullet hole: a ragged dark hole in a ring of torn, lighter splinters, with a few fine
// cracks; every pattern is torn differently.
void DrawHole(cairo_t* cr, int pattern) {
  const double cx = gl::HoleW / 2.0, cy = gl::HoleH / 2.0;
  art::Rng rng(101 + pattern * 7);
  // Fine cracks, each bending once.
  for (int i = 0; i < 3 + pattern % 2; ++i) {
    const double a = rng.Range(0, 2 * M_PI), r1 = rng.Range(4.5, 6), r2 = rng.Range(7.5, 9.5);
    const double bend = rng.Range(-0.35, 0.35);
    cairo_move_to(cr, cx + 3 * std::cos(a), cy + 3 * std::sin(a));
    cairo_line_to(cr, cx + r1 * std::cos(a), cy + r1 * std::sin(a));
    cairo_line_to(cr, cx + r2 * std::cos(a + bend), cy + r2 * std::sin(a + bend));
    art::Stroke(cr, pal::Outline.WithAlpha(0.55), 0.8);
  }
  // The torn ring, lighter than what it is torn into.
  cairo_new_path(cr);
  for (int i = 0; i < 14; ++i) {
    const double a = i * 2 * M_PI / 14, r = (i % 2 ? 4.6 : 6.2) + rng.Range(-0.5, 0.5);
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  art::Fill(cr, pal::Cream.WithAlpha(0.55));
  // The hole.
  cairo_new_path(cr);
  for (int i = 0; i < 9; ++i) {
    const double a = i * 2 * M_PI / 9, r = 3.3 + rng.Range(-0.6, 0.6) + 0.15 * pattern;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  art::Fill(cr, art::Hex(0x140C08));
  art::Circle(cr, cx + 0.8, cy + 0.8, 1.4);
  art::Fill(cr, art::Hex(0x000000, 0.6));
}

// A brass cartridge standing on the counter.
void DrawCartridge(cairo_t* cr, int) {
  const double w = gl::CartridgeW;
  art::GroundShadow(cr, w / 2 + 2, gl::CartridgeH - 3, 7, 2);
  art::RoundedRect(cr, 2, 16, w - 4, gl::CartridgeH - 20, 1.5);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.6, 0.4, 0.7});
  art::RoundedRect(cr, 1, gl::CartridgeH - 8, w - 2, 4, 1);
  art::Paint(cr, art::Style{pal::Brass.Darker(0.15), pal::Outline, 1.2, 0.2});
  cairo_new_path(cr);
  cairo_move_to(cr, 3.5, 17);
  cairo_curve_to(cr, 3.5, 6, w / 2 - 2, 2, w / 2, 2);
  cairo_curve_to(cr, w / 2 + 2, 2, w - 3.5, 6, w - 3.5, 17);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0xC8703A), pal::Outline, 1.4, 0.35, 0.5});
}

// Pattern 0 the flash of the shot, 1 the smoke puff with the last of the fire.
void DrawFire(cairo_t* cr, int pattern) {
  const double c = gl::FireW / 2.0;
  if (pattern == 0) {
    art::Glow(cr, c, c, 30, pal::Yellow.WithAlpha(0.8));
    art::Star(cr, c, c, 27, 10, 9, 0.2);
    art::Paint(cr, art::Style{pal::Orange, pal::Red.Darker(0.2), 1.4, 0.1});
    art::Star(cr, c, c, 16, 7, 7, 0.5);
    art::Fill(cr, pal::Yellow.Lighter(0.4));
    art::Circle(cr, c, c, 6);
    art::Fill(cr, pal::White);
    return;
  }
  for (const auto& [x, y, r] : std::vector<std::array<double, 3>>{
           {c - 10, c + 4, 11}, {c + 6, c - 4, 13}, {c + 2, c + 10, 9}, {c - 4, c - 12, 9}}) {
    art::Circle(cr, x, y, r);
    art::Paint(cr, art::Style{art::Hex(0xC9C2BA, 0.85), pal::Outline.WithAlpha(0.5), 1.2, 0.2});
  }
  art::Glow(cr, c, c + 2, 10, pal::Orange.WithAlpha(0.7));
}

// ---- The rifle ------------------------------------------------------------------------------

// The rifle seen from behind the shooter's right shoulder: the muzzle at (mx, my), far from
// the viewer, the gun coming back along `angle` (degrees, from the muzzle towards the butt)
// and growing as it comes nearer: a short thin barrel, the receiver with its bolt, and the big
// wooden stock that leaves the picture at the bottom right.
void Rifle(cairo_t* cr, double mx, double my, double angle) {
  cairo_save(cr);
  cairo_translate(cr, mx, my);
  cairo_rotate(cr, angle * kDeg);
  // Seen nearly along its length, the gun is foreshortened.
  cairo_scale(cr, 0.62, 1.3);
  // Along +x from the muzzle; half widths grow with the distance.
  auto wedge = [&](double x0, double h0a, double h0b, double x1, double h1a, double h1b) {
    cairo_new_path(cr);
    art::Polyline(cr, {x0, -h0a, x1, -h1a, x1, h1b, x0, h0b}, true);
  };
  // The stock.
  cairo_new_path(cr);
  cairo_move_to(cr, 120, -12);
  cairo_curve_to(cr, 180, -20, 260, -44, 380, -70);
  cairo_line_to(cr, 800, -150);
  cairo_line_to(cr, 800, 170);
  cairo_line_to(cr, 380, 80);
  cairo_curve_to(cr, 280, 60, 200, 40, 130, 22);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2.6, 0.32, 0.25});
  art::Grain(cr, 130, -150, 670, 320, 23, 0.06, 0.2);
  // The fore-end under the barrel.
  wedge(34, 3, 7, 126, 9, 20);
  art::Paint(cr, art::Style{pal::Wood.Lighter(0.06), pal::Outline, 2.2, 0.3, 0.3});
  // The barrel.
  wedge(0, 3, 3, 110, 7, 5);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 2, 0.35, 0.6});
  art::RoundedRect(cr, 3, -7, 5, 5, 1);
  art::Paint(cr, art::Style{pal::SteelDark.Darker(0.2), pal::Outline, 1.2, 0.2});
  art::Ellipse(cr, 0, 0, 2, 3.5);
  art::Paint(cr, art::Style{art::Hex(0x22201E), pal::Outline, 1.2, 0});
  // The receiver with the bolt handle, the trigger guard below.
  art::RoundedRect(cr, 96, -13, 44, 26, 6);
  art::Paint(cr, art::Style{pal::SteelDark.Lighter(0.1), pal::Outline, 2.2, 0.4, 0.7});
  art::Limb(cr, 126, -11, 138, -32, 2, pal::Steel, 1.5);
  art::Circle(cr, 139, -35, 6);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.5, 0.4, 0.8});
  cairo_new_path(cr);
  cairo_arc(cr, 152, 26, 12, 0, M_PI);
  art::Stroke(cr, pal::Outline, 4.4);
  cairo_new_path(cr);
  cairo_arc(cr, 152, 26, 12, 0, M_PI);
  art::Stroke(cr, pal::SteelDark, 2.4);
  // The shooter's right hand round the grip, his sleeve going off to the lower right.
  cairo_new_path(cr);
  art::Polyline(cr, {200, 30, 800, 120, 800, 420, 215, 78}, true);
  art::Paint(cr, art::Style{pal::Cloth, pal::Outline, 2.4, 0.3});
  art::RoundedRect(cr, 196, 26, 18, 56, 6);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 2, 0.2});
  art::RoundedRect(cr, 160, 14, 46, 50, 16);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2.2, 0.3, 0.3});
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 166 + i * 10, 30);
    cairo_line_to(cr, 168 + i * 10, 56);
    art::Stroke(cr, pal::SkinShade, 1.6);
  }
  cairo_restore(cr);
}

constexpr double kRestAngle = 40, kKickAngle = 48, kRecoilAngle = 55;
// The muzzle of the gun at rest: under the flash of the shot on the screen.
constexpr vepa::Point kRestMuzzle{gl::FlashAt.X - gl::GunRestAt.X + gl::FireW / 2,
                                  gl::FlashAt.Y - gl::GunRestAt.Y + gl::FireH / 2 + 24};

void DrawGunRest(cairo_t* cr, int) { Rifle(cr, kRestMuzzle.X, kRestMuzzle.Y, kRestAngle); }
void DrawGunKick(cairo_t* cr, int) { Rifle(cr, gl::KickMuzzle.X, gl::KickMuzzle.Y, kKickAngle); }
void DrawGunRecoil(cairo_t* cr, int) {
  Rifle(cr, gl::RecoilMuzzle.X, gl::RecoilMuzzle.Y, kRecoilAngle);
}

// ---- The hit map ----------------------------------------------------------------------------

std::vector<content::HitShape> HitShapes() {
  using content::HitEllipse;
  using content::HitRect;
  std::vector<content::HitShape> s;
  // The rail's front board with its grass, and the counter at the foot of the booth.
  s.push_back(HitRect(gl::CodeCounter, gl::FrontSceneryAt.X, gl::FrontSceneryAt.Y + 4,
                      gl::FrontSceneryAt.X + gl::FrontSceneryW,
                      gl::FrontSceneryAt.Y + gl::FrontSceneryH));
  s.push_back(HitRect(gl::CodeCounter, 0, 394, 640, 480));
  // The sails.
  const int r = gl::MillSize / 2 - 3;
  s.push_back(HitEllipse(gl::CodeMill, gl::MillCentre.X - r, gl::MillCentre.Y - r,
                         gl::MillCentre.X + r, gl::MillCentre.Y + r));
  // The apples: their round bodies.
  for (int i = 0; i < 3; ++i) {
    const vepa::Point a = gl::AppleAt[i];
    s.push_back(HitEllipse(gl::CodeFirstApple + i, a.X + kAppleCX - kAppleR - 1,
                           a.Y + kAppleCY - kAppleR - 3, a.X + kAppleCX + kAppleR + 1,
                           a.Y + kAppleCY + kAppleR));
  }
  // The lamp: its cord, shade and bulb.
  const int lx = gl::LampAt.X, ly = gl::LampAt.Y;
  s.push_back(HitRect(gl::CodeLamp, lx + gl::LampW / 2 - 4, ly, lx + gl::LampW / 2 + 4, ly + 12));
  s.push_back(HitRect(gl::CodeLamp, lx + 2, ly + 12, lx + gl::LampW - 2, ly + 49));
  return s;
}

void Build(content::ContentSink& sink) {
  sink.ImageList(gl::Sprites,
                 {
                     {"Lamp01", gl::LampW, gl::LampH, 1, DrawLamp},
                     {"Apple01", gl::AppleW, gl::AppleH, 3, DrawShelfApple},
                     {"Apple02", gl::FallingAppleW, gl::FallingAppleH, 1, DrawFallingApple},
                     {"Tex01", gl::BackSceneryW, gl::BackSceneryH, 1, DrawBackScenery},
                     {"Tex02", gl::FrontSceneryW, gl::FrontSceneryH, 1, DrawFrontScenery},
                     {"Dirka01", gl::HoleW, gl::HoleH, gl::HolePatterns, DrawHole},
                     {"Rabbit01", gl::RabbitW, gl::RabbitH, 8, DrawRabbit},
                     {"Duck01", gl::DuckW, gl::DuckH, 8, DrawDuck},
                     {"Melnica01", gl::MillSize, gl::MillSize, 1, DrawMillSails},
                     {"Gilza01", gl::CartridgeW, gl::CartridgeH, 1, DrawCartridge},
                     {"Fire01", gl::FireW, gl::FireH, 2, DrawFire},
                     {"Gun01", gl::GunRestW, gl::GunRestH, 1, DrawGunRest},
                     {"Gun02", gl::GunKickW, gl::GunKickH, 1, DrawGunKick},
                     {"Gun03", gl::GunRecoilW, gl::GunRecoilH, 1, DrawGunRecoil},
                 });
  sink.HitMap(gl::HitMapEntry, HitShapes());
  sink.Sound(gl::Music, common::Tune(sink.SourceDir(), "gun02.score", gl::Music));
}

}  // namespace

VEPA_CONTENT_MODULE(gallery, Build);
