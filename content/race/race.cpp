// The cockroach race: a wooden race track on the kitchen table, seen from above, with four
// starting stalls behind a striped barrier, painted lanes, a checkered finish and the prize
// lying past it; the race caller with his megaphone at the lower right. The cockroaches in
// their three leg positions with the coloured marks on their backs, the prize, the barrier,
// the hit map of walls and finish, the patter of feet, the starting shot and the barrier's
// creak, and the caller's and the player's lines.
//
// Geometry shared with the scene (minigames/race_layout.h):
//   "Tarak01" faces right, its centre at the middle of its 50x50 picture; "Tarak02" is the
//   10x10 mark drawn over that centre. Lane i starts at (55, 44 i + 129).
//   "Palka01" is stretched into (82, 140)-(93, 340) and shrinks a pixel a side as it lifts.
//   "Money01" is drawn at (560, 217).
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "minigames/race_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace race = vepa::race;

constexpr double kDeg = M_PI / 180;

// ---- Colours ----------------------------------------------------------------------------------

const Color kTable = art::Hex(0xC98A4E);        // the kitchen table
const Color kRail = art::Hex(0x8A5A30);         // the track's wooden rails
const Color kFloor = art::Hex(0xE8CF9A);        // the track's plywood floor
const Color kPaint = art::Hex(0xFFF6E0, 0.85);  // lane paint
const Color kWing = art::Hex(0x9A5226);         // the cockroach's wings
const Color kShield = art::Hex(0xB8702F);       // the shield behind its head
const Color kShieldRim = art::Hex(0xE9B36A);
const Color kHead = art::Hex(0x5A2E16);
const Color kLeg = art::Hex(0x6B3A1C);
const Color kBill = art::Hex(0x7FB069);  // banknotes
const Color kMarkers[] = {pal::Sky, pal::Lime, pal::Yellow, pal::Red};

// Legs, antennae and poles are limbs with a thin outline.
constexpr double kThinOutline = 0.8;

// ---- The cockroach ----------------------------------------------------------------------------

// One leg from its joint on the body: the thigh at `angle` (radians, 0 forward, growing towards
// the cockroach's right side), the shin bent back from the knee.
void Leg(cairo_t* cr, double x, double y, double angle, double bend, double side) {
  const double a1 = angle * side, a2 = (angle + bend) * side;
  const double kx = x + 8 * std::cos(a1), ky = y + 8 * std::sin(a1);
  const double fx = kx + 9 * std::cos(a2), fy = ky + 9 * std::sin(a2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, kx, ky);
    cairo_line_to(cr, fx, fy);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    art::Stroke(cr, pass == 0 ? pal::Outline : kLeg, pass == 0 ? 3.0 : 1.5);
  }
}

// Pattern 0: the left front, right middle and left hind legs reach forward, the others back;
// pattern 2 the other way round; pattern 1 halfway. The scene plays 0, 1, 2, 1.
void DrawCockroach(cairo_t* cr, int pattern) {
  const double swing = (1 - pattern) * 16 * kDeg;  // +16, 0, -16 degrees
  struct LegSpec {
    double X, Angle, Bend;
  };
  // Angles from straight ahead, on the right side (y down); the left side is mirrored.
  const LegSpec legs[3] = {{31, 55 * kDeg, -30 * kDeg},   // front: forward and out
                           {25, 95 * kDeg, 20 * kDeg},    // middle: out to the side
                           {19, 135 * kDeg, 20 * kDeg}};  // hind: backward
  for (int side = -1; side <= 1; side += 2) {
    for (int k = 0; k < 3; ++k) {
      // The tripods: front and hind legs of one side move with the middle leg of the other.
      const bool tripodA = (k == 1) == (side == 1);
      const double a = legs[k].Angle - (tripodA ? swing : -swing);
      Leg(cr, legs[k].X, 25 + side * 5, a, legs[k].Bend, side);
    }
  }
  // Antennae sweep forward and out; the tail's two short cerci.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 45, 25 + side * 2.5);
    cairo_curve_to(cr, 50, 25 + side * 6, 50, 25 + side * 15, 47, 25 + side * 23);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    art::Stroke(cr, pal::Outline, 2.2);
    cairo_move_to(cr, 45, 25 + side * 2.5);
    cairo_curve_to(cr, 50, 25 + side * 6, 50, 25 + side * 15, 47, 25 + side * 23);
    art::Stroke(cr, kLeg.Lighter(0.2), 1.0);
    art::Limb(cr, 6, 25 + side * 3, 2.5, 25 + side * 6, 0.6, kLeg, kThinOutline);
  }
  art::GroundShadow(cr, 23, 28, 19, 11, 0.25);
  // Wings: one long oval with the seam where the two wings meet.
  art::Ellipse(cr, 19, 25, 16.5, 10);
  art::Paint(cr, art::Style{kWing, pal::Outline, 1.8, 0.3, 0.5});
  cairo_move_to(cr, 32, 25);
  cairo_curve_to(cr, 22, 24, 12, 26.5, 5, 25.5);
  art::Stroke(cr, kWing.Shade(0.45), 1.1);
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 30, 25 + side * 5);
    cairo_curve_to(cr, 22, 25 + side * 8, 14, 25 + side * 8, 8, 25 + side * 5);
    art::Stroke(cr, kWing.Shade(0.25).WithAlpha(0.7), 0.8);
  }
  // The shield with its pale rim, then the head.
  art::Ellipse(cr, 43, 25, 3.8, 4.2);
  art::Paint(cr, art::Style{kHead, pal::Outline, 1.4, 0.3, 0});
  for (int side = -1; side <= 1; side += 2) {
    art::Circle(cr, 44.2, 25 + side * 2.4, 1.0);
    art::Fill(cr, pal::Ink);
  }
  art::Ellipse(cr, 35, 25, 7.5, 10.5);
  art::Paint(cr, art::Style{kShieldRim, pal::Outline, 1.8, 0.2, 0});
  art::Ellipse(cr, 34.5, 25, 5, 7.5);
  art::Fill(cr, kShield.Shade(0.25));
  art::Shine(cr, 33.5, 21, 2.5, 1.5, 0.6);
}

// The marks on the backs: 0 none (before the bet), 1..3 the other runners, 4 the player's.
void DrawMarker(cairo_t* cr, int pattern) {
  if (pattern == race::MarkerNone) return;
  art::Circle(cr, 5, 5, 4);
  art::Paint(cr, art::Style{kMarkers[pattern - 1], pal::Outline, 1.2, 0.2, 0.4});
  if (pattern == race::MarkerPlayer) {
    art::Star(cr, 5, 5.2, 2.9, 1.2, 5);
    art::Fill(cr, pal::White);
  }
}

// ---- The prize and the barrier ------------------------------------------------------------------

void Banknote(cairo_t* cr, double cx, double cy, double turn) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, turn);
  art::RoundedRect(cr, -20, -11, 40, 22, 2);
  art::Paint(cr, art::Style{kBill, pal::Outline, 1.6, 0.2, 0});
  art::RoundedRect(cr, -16, -7.5, 32, 15, 1.5);
  art::Stroke(cr, kBill.Shade(0.35), 1);
  art::Ellipse(cr, 0, 0, 5.5, 6);
  art::Fill(cr, kBill.Lighter(0.35));
  art::TextStyle dollar{art::Font::SansBold, 10, kBill.Shade(0.55)};
  art::TextCentered(cr, "$", 0, 0, dollar);
  cairo_restore(cr);
}

void DrawMoney(cairo_t* cr, int) {
  art::GroundShadow(cr, 28, 34, 24, 8, 0.3);
  Banknote(cr, 25, 22, -14 * kDeg);
  Banknote(cr, 29, 21, 9 * kDeg);
  Banknote(cr, 27, 24, -2 * kDeg);
  // A coin on the pile and the amount on a paper tag.
  art::Circle(cr, 44, 33, 7);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.6, 0.3, 0.6});
  art::Circle(cr, 44, 33, 4.5);
  art::Stroke(cr, pal::Gold.Shade(0.35), 0.9);
  art::TextStyle sum{art::Font::CondensedBold, 13, pal::Yellow, pal::Outline, 2.4};
  art::TextCentered(cr, "25 $", 20, 37, sum);
}

// A red and white striped pole lying across the stalls' mouths, with brass caps.
void DrawBarrier(cairo_t* cr, int) {
  const double w = race::BarrierWidth, h = race::BarrierHeight;
  art::RoundedRect(cr, 1, 1, w - 2, h - 2, 4);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  art::Fill(cr, pal::White);
  for (double y = -w; y < h + w; y += 22) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, w, y + 9);
    cairo_line_to(cr, w, y + 20);
    cairo_line_to(cr, 0, y + 11);
    cairo_close_path(cr);
    art::Fill(cr, pal::Red);
  }
  // Round pole: light on the left, shade on the right.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 0.45, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.17, 0.1, 0.08, 0.45);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  art::RoundedRect(cr, 1, 1, w - 2, h - 2, 4);
  art::Stroke(cr, pal::Outline, 1.6);
  for (double y : {1.0, h - 9.0}) {
    art::RoundedRect(cr, 1, y, w - 2, 8, 2);
    art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.4, 0.3, 0});
  }
}

// ---- The background --------------------------------------------------------------------------

void Crumb(cairo_t* cr, art::Rng& rng, double x, double y) {
  const double r = rng.Range(1.5, 3.5);
  art::Ellipse(cr, x, y, r, r * rng.Range(0.6, 1));
  art::Paint(cr, art::Style{art::Hex(0xE7B66B), pal::Outline.WithAlpha(0.6), 0.8, 0.3, 0});
}

void SugarCube(cairo_t* cr, double x, double y, double turn) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, turn);
  art::GroundShadow(cr, 4, 5, 16, 10, 0.3);
  art::RoundedRect(cr, -13, -13, 26, 26, 3);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.8, 0.25, 0.4});
  art::Grain(cr, -11, -11, 22, 22, 9, 0.12, 0.5);
  cairo_restore(cr);
}

void Teaspoon(cairo_t* cr, double x, double y, double turn) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, turn);
  art::GroundShadow(cr, 40, 6, 50, 8, 0.25);
  art::RoundedRect(cr, 0, -3, 68, 6, 3);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.8, 0.35, 0.6});
  art::Ellipse(cr, 80, 0, 15, 10);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.8, 0.35, 0.8});
  art::Ellipse(cr, 81, 1, 10, 6);
  art::Fill(cr, pal::SteelDark.WithAlpha(0.35));
  cairo_restore(cr);
}

void DrawTitle(cairo_t* cr) {
  art::PanelStyle board{.Body = pal::WoodDark, .Radius = 14, .Bevel = 6, .Rivets = true};
  art::Panel(cr, 112, 14, 390, 86, board);
  // Light bulbs around the sign.
  for (int k = 0; k < 16; ++k) {
    const double x = 128 + k * 23.9;
    for (double y : {22.0, 92.0}) {
      art::Glow(cr, x, y, 7, pal::LedGlow.WithAlpha(0.5));
      art::Circle(cr, x, y, 2.6);
      art::Paint(cr, art::Style{pal::LedOn, pal::Outline, 1, 0.2, 0.6});
    }
  }
  art::TextStyle title{art::Font::CondensedBold, 36, pal::Yellow, pal::Outline, 4};
  art::TextCentered(cr, "ТАРАКАНЬИ БЕГА", 307, 50, title);
  art::TextStyle sub{art::Font::CondensedBold, 15, pal::Cream, pal::Outline, 2.5};
  art::TextCentered(cr, "ЗАБЕГ ЧЕТЫРЁХ ЧЕМПИОНОВ", 307, 78, sub);
}

// The tote board at the top right: the prize for a right guess.
void DrawToteBoard(cairo_t* cr) {
  art::PanelStyle plate{.Body = pal::Navy, .Radius = 8, .Bevel = 4};
  art::Panel(cr, 518, 24, 110, 64, plate);
  art::TextStyle head{art::Font::CondensedBold, 13, pal::Cream, pal::Outline, 2};
  art::TextCentered(cr, "УГАДАЕШЬ -", 573, 44, head);
  art::TextStyle prize{art::Font::CondensedBold, 22, pal::LedOn, pal::Outline, 3};
  art::TextCentered(cr, "25 $", 573, 68, prize);
}

void DrawTrack(cairo_t* cr) {
  const double fl = race::FloorLeft, fr = race::FloorRight, ft = race::FloorTop,
               fb = race::FloorBottom, rw = race::RailWidth;
  // Shadow of the whole track on the table, then the rails and the floor.
  art::RoundedRect(cr, fl - rw + 6, ft - rw + 8, fr - fl + 2 * rw, fb - ft + 2 * rw, 8);
  art::Fill(cr, pal::Shadow);
  art::RoundedRect(cr, fl - rw, ft - rw, fr - fl + 2 * rw, fb - ft + 2 * rw, 8);
  art::Paint(cr, art::Style{kRail, pal::Outline, art::kOutline, 0.3, 0});
  art::WoodPlanks(cr, fl - rw + 3, ft - rw + 3, fr - fl + 2 * rw - 6, rw - 4, rw, false, 41, kRail);
  art::WoodPlanks(cr, fl - rw + 3, fb + 1, fr - fl + 2 * rw - 6, rw - 4, rw, false, 42, kRail);
  cairo_rectangle(cr, fl, ft, fr - fl, fb - ft);
  art::Paint(cr, art::Style{kFloor, pal::Outline, 1.6, 0.12, 0});
  art::Grain(cr, fl, ft, fr - fl, fb - ft, 77, 0.05, 0.2);
  // Every second lane a shade darker, as on a real track.
  for (int i = 2; i <= race::Cockroaches; i += 2) {
    cairo_rectangle(cr, fl, race::LaneY(i) - race::LaneWidth / 2.0, fr - fl, race::LaneWidth);
    art::Fill(cr, kFloor.Shade(0.12).WithAlpha(0.5));
  }
  // Inner shade along the top and left rails (light from the upper left).
  cairo_rectangle(cr, fl, ft, fr - fl, 6);
  art::Fill(cr, pal::Shadow.WithAlpha(0.18));
  cairo_rectangle(cr, fl, ft, 5, fb - ft);
  art::Fill(cr, pal::Shadow.WithAlpha(0.18));

  // Painted lane lines from the barrier to the far rail, and the lane numbers.
  const double dash = 14, gap = 10;
  for (int i = 1; i < race::Cockroaches; ++i) {
    const double y = race::DividerY(i);
    for (double x = race::BarrierRight + 6; x < fr; x += dash + gap)
      art::RoundLine(cr, x, y, std::min(x + dash, fr - 2), y, kPaint, 2.2);
  }
  art::TextStyle number{art::Font::SansBold, 26, kPaint.WithAlpha(0.55),
                        pal::Outline.WithAlpha(0.25), 1.5};
  for (int i = 1; i <= race::Cockroaches; ++i)
    art::TextCentered(cr, std::to_string(i), 118, race::LaneY(i), number);

  // The checkered finish line.
  const double cell = (race::FinishLineRight - race::FinishLineLeft) / 2.0;
  for (int row = 0; row * cell < fb - ft; ++row) {
    for (int col = 0; col < 2; ++col) {
      const double y = ft + row * cell;
      cairo_rectangle(cr, race::FinishLineLeft + col * cell, y, cell, std::min(cell, fb - y));
      art::Fill(cr, (row + col) % 2 == 0 ? pal::Ink : pal::White);
    }
  }

  // The starting stalls: short wooden walls between the lanes, and the barrier's slots.
  for (int i = 1; i < race::Cockroaches; ++i) {
    const double y = race::DividerY(i);
    cairo_rectangle(cr, fl - 2, y - race::DividerWidth / 2.0, race::StallRight - fl + 2,
                    race::DividerWidth);
    art::Paint(cr, art::Style{kRail.Lighter(0.1), pal::Outline, 1.4, 0.2, 0});
  }
  art::TextStyle start{art::Font::CondensedBold, 11, pal::Cream, pal::Outline, 2};
  art::TextCentered(cr, "СТАРТ", 54, ft - rw / 2, start);
  art::TextCentered(cr, "ФИНИШ", (race::FinishLineLeft + race::FinishLineRight) / 2.0, ft - rw / 2,
                    start);
  for (double y : {ft - rw / 2, fb + rw / 2}) {
    art::Circle(cr, (race::BarrierLeft + race::BarrierRight) / 2.0, y, 5);
    art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.5, 0.3, 0.6});
  }
  // Flags at the ends of the finish line.
  for (double y : {ft - rw - 2.0, fb + rw + 2.0}) {
    const double x = (race::FinishLineLeft + race::FinishLineRight) / 2.0;
    const double dir = y < ft ? -1 : 1;
    art::Limb(cr, x, y, x, y + dir * 26, 1, pal::SteelDark, kThinOutline);
    art::Polyline(cr, {x + 1, y + dir * 26, x + 24, y + dir * 20, x + 1, y + dir * 13}, true);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.4, 0.25, 0});
  }
}

// The race caller at the lower right: cap, moustache, bow tie and megaphone.
void DrawCaller(cairo_t* cr) {
  const double cx = 500, cy = 442;
  // Striped jacket.
  cairo_move_to(cr, cx - 70, 482);
  cairo_curve_to(cr, cx - 64, 468, cx - 40, 462, cx, 462);
  cairo_curve_to(cr, cx + 40, 462, cx + 64, 468, cx + 70, 482);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, art::kOutline, 0.25, 0});
  for (double x = cx - 56; x < cx + 60; x += 14)
    art::RoundLine(cr, x, 468, x + 2, 480, pal::Cream, 4);
  // Bow tie.
  art::Polyline(cr, {cx, 468, cx - 13, 461, cx - 13, 475}, true);
  cairo_move_to(cr, cx, 468);
  cairo_line_to(cr, cx + 13, 461);
  cairo_line_to(cr, cx + 13, 475);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.6, 0.2, 0});
  art::Circle(cr, cx, 468, 3.5);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.4, 0.2, 0});
  // Head.
  art::Ellipse(cr, cx, cy, 27, 25);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.22, 0.2});
  for (double side : {-1.0, 1.0}) {
    art::Ellipse(cr, cx + side * 27, cy + 2, 5, 7);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.8, 0.2, 0});
    art::Circle(cr, cx + side * 10, cy - 3, 3.4);
    art::Fill(cr, pal::Ink);
    art::Circle(cr, cx + side * 10 - 1, cy - 4, 1.1);
    art::Fill(cr, pal::White);
    art::Circle(cr, cx + side * 17, cy + 6, 5);
    art::Fill(cr, pal::Pink.WithAlpha(0.45));
  }
  // Open mouth under a big moustache.
  art::Ellipse(cr, cx, cy + 14, 7, 5.5);
  art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1.4, 0, 0});
  cairo_move_to(cr, cx, cy + 6);
  cairo_curve_to(cr, cx - 8, cy + 2, cx - 20, cy + 6, cx - 22, cy + 13);
  cairo_curve_to(cr, cx - 14, cy + 10, cx - 6, cy + 11, cx, cy + 9);
  cairo_curve_to(cr, cx + 6, cy + 11, cx + 14, cy + 10, cx + 22, cy + 13);
  cairo_curve_to(cr, cx + 20, cy + 6, cx + 8, cy + 2, cx, cy + 6);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.4, 0.2, 0});
  art::Ellipse(cr, cx, cy + 3, 4, 3.5);
  art::Paint(cr, art::Style{pal::SkinShade, pal::Outline, 1.2, 0.1, 0});
  // Cap with its peak, pushed back so the eyes show.
  cairo_move_to(cr, cx - 27, cy - 15);
  cairo_curve_to(cr, cx - 27, cy - 46, cx + 27, cy - 46, cx + 27, cy - 15);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Green, pal::Outline, art::kOutline, 0.25, 0.3});
  art::Ellipse(cr, cx, cy - 15, 33, 5);
  art::Paint(cr, art::Style{pal::Green.Shade(0.25), pal::Outline, 1.8, 0.2, 0});
  art::Circle(cr, cx, cy - 38, 3.5);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.2, 0.2, 0});
  // The megaphone, raised towards the track.
  art::Polyline(cr, {cx - 26, cy + 18, cx - 66, cy - 12, cx - 52, cy - 30, cx - 20, cy + 8}, true);
  art::Paint(cr, art::Style{pal::Orange, pal::Outline, art::kOutline, 0.3, 0.4});
  cairo_save(cr);
  cairo_translate(cr, cx - 59, cy - 21);
  cairo_rotate(cr, -53 * kDeg);
  art::Ellipse(cr, 0, 0, 12, 4.5);
  art::Paint(cr, art::Style{pal::Orange.Shade(0.4), pal::Outline, 1.8, 0.1, 0});
  cairo_restore(cr);
  // His arm comes up from the jacket; the hand holds the megaphone's narrow end.
  art::Limb(cr, cx - 52, 484, cx - 30, cy + 26, 5, pal::Red, kThinOutline);
  art::Circle(cr, cx - 27, cy + 19, 7);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.8, 0.2, 0});
}

// Cockroach fans below the track, facing it, each waving a pennant in a runner's colour.
void DrawFans(cairo_t* cr) {
  for (int k = 0; k < 4; ++k) {
    const double x = 282 + 38 * k, y = 398 + (k % 2) * 10;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -90 * kDeg + (k - 1.5) * 8 * kDeg);
    cairo_scale(cr, 0.8, 0.8);
    cairo_translate(cr, -25, -25);
    DrawCockroach(cr, k % 3);
    cairo_restore(cr);
    const double px = x + 11, py = y - 14;
    art::Limb(cr, px, py, px + 4, py - 26, 0.7, pal::SteelDark, kThinOutline);
    art::Polyline(cr, {px + 4, py - 26, px + 22, py - 21, px + 3, py - 15}, true);
    art::Paint(cr, art::Style{kMarkers[k], pal::Outline, 1.3, 0.25, 0});
  }
}

void DrawBackground(cairo_t* cr) {
  art::WoodPlanks(cr, 0, 0, 640, 480, 60, false, 17, kTable);
  art::Vignette(cr, 640, 480, 0.45);
  art::Rng rng(404);
  for (int k = 0; k < 36; ++k) {
    const double x = rng.Range(8, 632), y = rng.Range(8, 472);
    const bool onTrack = x > 0 && x < 640 && y > 110 && y < 370;
    const bool onSign = (x > 100 && x < 510 && y < 108) || (x > 510 && y < 96);
    if (!onTrack && !onSign) Crumb(cr, rng, x, y);
  }
  SugarCube(cr, 48, 60, 12 * kDeg);
  SugarCube(cr, 90, 84, -20 * kDeg);
  Teaspoon(cr, 140, 420, -8 * kDeg);
  DrawTitle(cr);
  DrawToteBoard(cr);
  DrawTrack(cr);
  DrawFans(cr);
  DrawCaller(cr);
}

// ---- The hit map -------------------------------------------------------------------------------

// Where a cockroach's centre may go. Walls fill everything outside the free area, so a
// cockroach pressed against one can never slip past it; the stall dividers are bands on both
// sides of their middle line, each stopping the way towards the divider.
std::vector<content::HitShape> TrackWalls() {
  using content::HitRect;
  using namespace race;
  const int l = CentreLeft, r = CentreRight, t = CentreTop, b = CentreBottom;
  std::vector<content::HitShape> s;
  s.push_back(HitRect(WallAbove, 0, 0, 640, t));
  s.push_back(HitRect(WallBelow, 0, b, 640, 480));
  s.push_back(HitRect(WallLeft, 0, t, l, b));
  s.push_back(HitRect(WallRight, r, t, 640, b));
  s.push_back(HitRect(CornerLeftAbove, 0, 0, l, t));
  s.push_back(HitRect(CornerLeftBelow, 0, b, l, 480));
  s.push_back(HitRect(CornerRightAbove, r, 0, 640, t));
  s.push_back(HitRect(CornerRightBelow, r, b, 640, 480));
  s.push_back(HitRect(Finish, FinishFrom, t, r, b));
  for (int i = 1; i < Cockroaches; ++i) {
    const int d = DividerY(i);
    s.push_back(HitRect(WallBelow, l, d - StallClearance, StallRight + 2, d));
    s.push_back(HitRect(WallAbove, l, d, StallRight + 2, d + StallClearance));
    s.push_back(HitRect(CornerLeftBelow, 0, d - StallClearance, l, d));
    s.push_back(HitRect(CornerLeftAbove, 0, d, l, d + StallClearance));
  }
  return s;
}

// ---- Sounds ------------------------------------------------------------------------------------

constexpr content::WaveFinish RunWave{.Rate = race::RunRate, .FadeOut = 0.01};
constexpr content::WaveFinish EffectWave{.Rate = race::EffectRate, .FadeOut = 0.01};

// Six legs pattering on plywood: quick dry ticks in uneven pairs. Each runner has its own
// pitch so four at once do not blur into one.
synth::Buffer Patter(int runner) {
  const int rate = race::RunRate;
  const double len = 0.42;
  synth::Buffer out = synth::Silence(len, rate);
  art::Rng rng(300 + runner);
  for (double at = 0.005; at < len - 0.02; at += rng.Range(0.024, 0.04)) {
    const double f0 = 2400 + 350 * runner + rng.Range(-200, 200);
    const synth::HitRecipe tick{
        .Seconds = 0.018,
        .Tone = {.F0 = f0, .F1 = f0 * 0.8, .HalfLife = 0.002, .Gain = 0.35},
        .Noise = {.Centre = 3800.0 + 300 * runner, .Q = 1.6, .HalfLife = 0.0025, .Gain = 1.0},
        .Seed = rng.Next()};
    synth::MixAt(out, synth::Hit(tick, rate), rate, at, rng.Range(0.5, 1.0));
  }
  synth::HighPass(out, rate, 900);
  return out;
}

// The starter's pistol: a sharp crack, a short thump and the room answering.
synth::Buffer StartShot() {
  const int rate = race::EffectRate;
  const synth::HitRecipe crack{.Seconds = 0.5,
                               .Tone = {.F0 = 180, .F1 = 60, .HalfLife = 0.03, .Gain = 0.8},
                               .Noise = {.Centre = 2500, .Q = 0.5, .HalfLife = 0.025, .Gain = 1.3},
                               .DriveGain = 3,
                               .Seed = 71};
  synth::Buffer b = synth::Hit(crack, rate);
  synth::Echo(b, rate, 0.09, 0.35, 0.4);
  return b;
}

// The barrier swinging up: a wooden creak over a short whoosh.
synth::Buffer BarrierLift() {
  const int rate = race::EffectRate;
  const double len = 0.4;
  synth::Buffer creak = synth::Tone(synth::Wave::Saw, 210, 420, len, rate);
  synth::BandPass(creak, rate, 900, 3);
  // The creak stutters as the pole's hinge catches.
  synth::Tremolo(creak, rate, 38, 0.45);
  synth::Adsr(creak, rate, 0.02, 0.1, 0.7, 0.12);
  synth::Buffer whoosh = synth::WhiteNoise(len, rate, 55);
  synth::SweepLowPass(whoosh, rate, 500, 3500);
  synth::Adsr(whoosh, rate, 0.12, 0.1, 0.6, 0.15);
  synth::Mix(creak, whoosh, 0.5);
  return creak;
}

// ---- The lines
// -----------------------------------------------------------------------------------

// The caller is a fast, excited voice with a wide swing; the player speaks as he does in the
// kiosk.
const content::Voice kCallerVoice{44, 195, 95, 0, 1.0};

void Build(content::ContentSink& sink) {
  using namespace race;
  sink.Background("r_tark01", 640, 480, DrawBackground);
  sink.ImageList("s_tark01", {
                                 {"Tarak01", CockroachSize, CockroachSize, 3, DrawCockroach},
                                 {"Tarak02", MarkerSize, MarkerSize, MarkerPlayer + 1, DrawMarker},
                                 {"Money01", MoneyWidth, MoneyHeight, 1, DrawMoney},
                                 {"Palka01", BarrierWidth, BarrierHeight, 1, DrawBarrier},
                             });
  sink.HitMap("b_tark01", TrackWalls());
  std::vector<content::WaveSpec> waves;
  for (int i = 1; i <= Cockroaches; ++i)
    waves.push_back(RunWave("Tarak0" + std::to_string(i), Patter(i), 0.6));
  waves.push_back(EffectWave("Boom01", StartShot(), 0.9));
  waves.push_back(EffectWave("Lift01", BarrierLift(), 0.7));
  sink.WaveList("w_tark01", waves);
  sink.SpokenClip("trk003",
                  "Внимание, тараканьи бега! Ставки почти сделаны! Для начала выбери своего "
                  "любимого таракана!",
                  HostRate, kCallerVoice);
  sink.SpokenClip("trk004", "Ура! Я победил! Мой таракан - чемпион!", PlayerRate,
                  content::kPlayerVoice);
  sink.SpokenClip("trk005", "Эх, я проиграл. Вот они, тараканы в голове!", PlayerRate,
                  content::kPlayerVoice);
}

}  // namespace

VEPA_CONTENT_MODULE(race, Build);
