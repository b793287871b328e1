// The lottery draw: a television studio ("r_ltrz01"), the drum, the two clapping assistants
// with their heads, the balls, the shelf, the announcer with his mouth and his desk
// ("s_ltrz01"), the drum's rattle and the applause ("w_ltrz01") and the announcer's clip
// ("tvroz01").
//
// Hot spots the scene relies on:
//   "Banka01" at (268, 158): its chute ends at (335, 290), above the first ball's start.
//   "Mans01" at (120, 220): the assistants' necks meet the heads "Golova01" at (147, 186) and
//   "Golova02" at (217, 192); pattern 0 stands still, 1..5 clap.
//   "Ball01" is drawn centred on the ball's position, 30x30; the balls rest on the shelf along
//   y = 310 + (335 - x) / 10 and "Planka01" at (200, 318) hides their lower rim.
//   "Man01" at (180, y): the mouth "Rot01" sits at (+67, +64); "Planka02" at (157, 382) hides
//   him while he rises from 390 to 180.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "content/lottery/lottery_art.h"

namespace {

using art::Color;
using lotteryart::Limb;
using lotteryart::Polyline;
namespace pal = art::pal;

// ---- Layout (screen pixels) --------------------------------------------------------------------

constexpr double kDrumX = 268, kDrumY = 158;
constexpr int kDrumW = 170, kDrumH = 140;
constexpr double kChuteX = 335 - kDrumX, kChuteBottom = 290 - kDrumY;
constexpr double kGlobeX = 92, kGlobeY = 60, kGlobeR = 56;

constexpr double kCrewX = 120, kCrewY = 220;
constexpr int kCrewW = 170, kCrewH = 190;
constexpr int kHeadW = 48, kHeadH = 56;
constexpr double kHead1X = 147, kHead1Y = 186, kHead2X = 217, kHead2Y = 192;

constexpr double kShelfX = 200, kShelfY = 318;
constexpr int kShelfW = 172, kShelfH = 44;
// The shelf's floor under the balls' lower rim, on screen.
double ShelfFloorY(double x) { return 325.5 + (335 - x) / 10; }

constexpr int kBallSize = 30;

constexpr double kAnnouncerX = 180;
constexpr int kAnnouncerW = 164, kAnnouncerH = 236;
constexpr double kMouthX = 67, kMouthY = 64;  // in the announcer's picture
constexpr int kMouthW = 32, kMouthH = 20;
constexpr double kFaceX = kMouthX + kMouthW / 2.0;  // the face's middle in his picture
constexpr double kDeskX = 157, kDeskY = 382;
constexpr int kDeskW = 222, kDeskH = 98;

constexpr double kFloorY = 398;

// ---- Colours ----------------------------------------------------------------------------------

const Color kWallTop = art::Hex(0x1B1446);
const Color kWallBottom = art::Hex(0x4A2373);
const Color kNeon = art::Hex(0xFFE45C);
const Color kCurtain = art::Hex(0xB32036);
const Color kBall = art::Hex(0xE2402F);
const Color kGold = pal::Gold;
const Color kChrome = art::Hex(0xCBD5DE);
const Color kSuit = art::Hex(0x2C3E6E);
const Color kDress = art::Hex(0xE0338A);
const Color kTux = art::Hex(0x26242E);
const Color kBlonde = art::Hex(0xF5C842);
const Color kDarkHair = art::Hex(0x4A2C1A);
const Color kAnnouncerHair = art::Hex(0x8A5A2E);

// ---- Shared bits ------------------------------------------------------------------------------

void SmallBall(cairo_t* cr, double x, double y, double r, const Color& c) {
  art::Circle(cr, x, y, r);
  art::Paint(cr, art::Style{c, pal::Outline, 1.2, 0.35, 0});
  art::Shine(cr, x - r * 0.35, y - r * 0.4, r * 0.45, r * 0.3, 0.85);
}

// An eye: white with a pupil looking (dx, dy), optionally with a lid.
void Eye(cairo_t* cr, double x, double y, double rx, double ry, double dx, double dy) {
  art::Ellipse(cr, x, y, rx, ry);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.5, 0, 0});
  art::Circle(cr, x + dx, y + dy, std::min(rx, ry) * 0.55);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, x + dx - 1, y + dy - 1.2, std::min(rx, ry) * 0.18);
  art::Fill(cr, pal::White);
}

// ---- Background -------------------------------------------------------------------------------

void Wall(cairo_t* cr) {
  art::FillRect(cr, 0, 0, 640, kFloorY,
                art::LinearGradient(0, 0, 0, kFloorY, {{0, kWallTop}, {1, kWallBottom}}));
  // Tall light panels of the set.
  for (int i = 0; i < 9; ++i) {
    const double x = 20 + i * 72;
    art::RoundedRect(cr, x, 96, 44, kFloorY - 110, 8);
    art::FillWith(
        cr, art::LinearGradient(0, 96, 0, kFloorY - 14,
                                {{0, {0.45, 0.35, 0.95, 0.10}}, {1, {0.95, 0.40, 0.85, 0.28}}}));
  }
  // Twinkling stars over the wall.
  art::Rng rng(404);
  for (int i = 0; i < 46; ++i) {
    const double x = rng.Range(10, 630), y = rng.Range(8, kFloorY - 30);
    const double r = rng.Range(1.5, 4.2);
    art::Star(cr, x, y, r, r * 0.35, 4, 0);
    art::Fill(cr, pal::White.WithAlpha(rng.Range(0.35, 0.9)));
  }
}

// Light cones from the spotlights above.
void Spotlights(cairo_t* cr) {
  const double feet[][3] = {{90, 330, 420}, {330, 260, 470}, {560, 430, 620}};
  const double tops[] = {70, 330, 570};
  for (int i = 0; i < 3; ++i) {
    Polyline(
        cr,
        {tops[i] - 12, 0.0, tops[i] + 12, 0.0, feet[i][2], kFloorY + 30, feet[i][1], kFloorY + 30},
        true);
    art::FillWith(cr, art::LinearGradient(0, 0, 0, kFloorY + 30,
                                          {{0, {1, 0.95, 0.7, 0.30}}, {1, {1, 0.95, 0.7, 0.04}}}));
  }
  for (double x : tops) {
    art::RoundedRect(cr, x - 16, -10, 32, 22, 6);
    art::Paint(cr, art::Style{art::Hex(0x3A3A48), pal::Outline, 2, 0.3, 0.3});
    art::Ellipse(cr, x, 11, 11, 4);
    art::Fill(cr, art::Hex(0xFFF6C8));
  }
}

void Floor(cairo_t* cr) {
  art::FillRect(
      cr, 0, kFloorY, 640, 480 - kFloorY,
      art::LinearGradient(0, kFloorY, 0, 480, {{0, {0.30, 0.13, 0.40}}, {1, {0.13, 0.06, 0.20}}}));
  // Glossy tiles.
  for (int i = -8; i <= 16; ++i) {
    cairo_move_to(cr, 320 + i * 40, kFloorY);
    cairo_line_to(cr, 320 + i * 90, 480);
    art::Stroke(cr, pal::White.WithAlpha(0.08), 1.5);
  }
  for (double y : {412.0, 432.0, 458.0}) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 640, y);
    art::Stroke(cr, pal::White.WithAlpha(0.07), 1.5);
  }
  // The stage edge with its row of lamps.
  cairo_rectangle(cr, 0, kFloorY - 4, 640, 8);
  art::Paint(cr, art::Style{kGold, pal::Outline, 1.6, 0.3, 0});
  for (int i = 0; i < 22; ++i) {
    art::Circle(cr, 14 + i * 29.5, kFloorY, 2.4);
    art::Fill(cr, pal::White);
  }
}

void Curtains(cairo_t* cr) {
  for (int side = 0; side < 2; ++side) {
    const double x0 = side == 0 ? -10 : 584, w = 66;
    for (int f = 0; f < 4; ++f) {
      const double x = x0 + f * (w / 4);
      const Color a = kCurtain.Lighter(0.15), b = kCurtain.Shade(0.35);
      art::FillRect(cr, x, 0, w / 4 + 1, kFloorY + 6,
                    art::LinearGradient(x, 0, x + w / 4, 0, {{0, b}, {0.5, a}, {1, b}}));
    }
    cairo_rectangle(cr, x0, 0, w, kFloorY + 6);
    art::Stroke(cr, pal::Outline, 2);
  }
  // The pelmet across the top with a gold fringe.
  cairo_rectangle(cr, -4, -4, 648, 20);
  art::Paint(cr, art::Style{kCurtain, pal::Outline, 2, 0.3, 0});
  for (int i = 0; i < 40; ++i) {
    Polyline(cr, {i * 16.0, 15.0, i * 16.0 + 16, 15.0, i * 16.0 + 8, 22.0}, true);
    art::Paint(cr, art::Style{kGold, pal::Outline, 1, 0.2, 0});
  }
}

void NeonSign(cairo_t* cr) {
  art::RoundedRect(cr, 40, 34, 220, 86, 14);
  art::Paint(cr, art::Style{art::Hex(0x120C2E), kNeon.WithAlpha(0.9), 3, 0, 0});
  art::RoundedRect(cr, 46, 40, 208, 74, 10);
  art::Stroke(cr, pal::Pink.WithAlpha(0.8), 1.6);
  art::TextStyle t;
  t.Face = art::Font::CondensedBold;
  // A glow under the letters, then the tubes.
  for (int pass = 0; pass < 2; ++pass) {
    t.Size = 40;
    t.Fill = pass == 0 ? kNeon.WithAlpha(0.35) : kNeon;
    t.Line = pass == 0 ? pal::Orange.WithAlpha(0.35) : pal::Outline;
    t.LineWidth = pass == 0 ? 5 : 1.4;
    art::TextCentered(cr, "ТИРАЖ", 150, 64, t);
  }
  t.Size = 19;
  t.Fill = pal::Pink.Lighter(0.4);
  t.Line = pal::Outline;
  t.LineWidth = 1.2;
  art::TextCentered(cr, "ЛОТО \u00AB6 ИЗ 36\u00BB", 150, 100, t);
  // The sign hangs on two wires.
  for (double x : {70.0, 230.0}) {
    cairo_move_to(cr, x, 12);
    cairo_line_to(cr, x, 34);
    art::Stroke(cr, pal::Steel, 1.4);
  }
}

void OnAirBadge(cairo_t* cr) {
  art::RoundedRect(cr, 466, 36, 112, 28, 8);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 2, 0.3, 0.3});
  art::Circle(cr, 482, 50, 6);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.2, 0, 0});
  art::TextStyle t{
      .Face = art::Font::CondensedBold, .Size = 13, .Fill = pal::White, .Anchor = art::Align::Left};
  art::Text(cr, "ПРЯМОЙ ЭФИР", 492, 55, t);
}

// The studio's big screen on the right with balls of past draws.
void StudioScreen(cairo_t* cr) {
  art::RoundedRect(cr, 462, 92, 118, 150, 10);
  art::Paint(cr, art::Style{art::Hex(0x2A2F58), pal::Outline, 2.5, 0.2, 0});
  art::RoundedRect(cr, 470, 100, 102, 134, 6);
  art::FillWith(
      cr, art::LinearGradient(0, 100, 0, 234, {{0, {0.18, 0.55, 0.85}}, {1, {0.10, 0.25, 0.55}}}));
  art::TextStyle t{
      .Face = art::Font::CondensedBold, .Size = 15, .Fill = pal::Yellow, .LineWidth = 1.2};
  art::TextCentered(cr, "УДАЧИ!", 521, 120, t);
  const Color colours[] = {kBall, pal::Orange, pal::Green, pal::Blue, pal::Purple, pal::Yellow};
  for (int i = 0; i < 6; ++i) {
    const double x = 490 + (i % 3) * 31, y = 160 + (i / 3) * 40;
    SmallBall(cr, x, y, 13, colours[i]);
  }
  // Screen gloss.
  Polyline(cr, {470, 100, 540, 100, 470, 170}, true);
  art::Fill(cr, pal::White.WithAlpha(0.08));
}

// The drum's pedestal and the shelf's stand: behind the sprites drawn over them.
void Stands(cairo_t* cr) {
  // Pedestal under the drum, between its two supports.
  Polyline(
      cr,
      {kDrumX + 104, 292, kDrumX + 138, 292, kDrumX + 150, kFloorY + 6, kDrumX + 92, kFloorY + 6},
      true);
  art::Paint(cr, art::Style{kGold, pal::Outline, 2.2, 0.35, 0.3});
  art::RoundedRect(cr, kDrumX + 80, kFloorY - 8, 82, 16, 5);
  art::Paint(cr, art::Style{kGold.Shade(0.15), pal::Outline, 2, 0.3, 0});
  // The shelf's back plate: the channel the balls roll along.
  Polyline(
      cr,
      {kShelfX, ShelfFloorY(kShelfX) - 34, kShelfX + kShelfW, ShelfFloorY(kShelfX + kShelfW) - 34,
       kShelfX + kShelfW, ShelfFloorY(kShelfX + kShelfW) + 2, kShelfX, ShelfFloorY(kShelfX) + 2},
      true);
  art::Paint(cr, art::Style{art::Hex(0x6E7A9A), pal::Outline, 2, 0.3, 0});
  // Two legs down to the stage.
  for (double x : {kShelfX + 22, kShelfX + kShelfW - 28}) {
    cairo_rectangle(cr, x, ShelfFloorY(x) + 20, 10, kFloorY - ShelfFloorY(x) - 14);
    art::Paint(cr, art::Style{kChrome, pal::Outline, 1.8, 0.35, 0});
  }
}

// Darker corners, as on a television screen.
void TubeVignette(cairo_t* cr) {
  art::FillRect(cr, 0, 0, 640, 480,
                art::RadialGradient(320, 240, 250, 320, 240, 430,
                                    {{0, {0, 0, 0, 0}}, {1, {0, 0, 0.05, 0.55}}}));
}

void ChannelLogo(cairo_t* cr) {
  art::RoundedRect(cr, 556, 430, 66, 34, 8);
  art::Fill(cr, pal::White.WithAlpha(0.25));
  art::TextStyle t{
      .Face = art::Font::CondensedBold, .Size = 20, .Fill = pal::White.WithAlpha(0.85)};
  art::TextCentered(cr, "ТВ-4", 589, 447, t);
}

void DrawStudio(cairo_t* cr) {
  for (auto* part : {Wall, StudioScreen, Spotlights, Floor, Curtains, NeonSign, OnAirBadge, Stands,
                     TubeVignette, ChannelLogo})
    part(cr);
}

// ---- The drum ---------------------------------------------------------------------------------

// Patterns 0..3: the cage turns a quarter of its rib spacing per pattern and the balls tumble;
// pattern 4: the drum stands still, the balls lie at the bottom.
void DrawDrum(cairo_t* cr, int pattern) {
  const bool still = pattern >= 4;
  const double cx = kGlobeX, cy = kGlobeY, R = kGlobeR;
  // Supports: a gold fork from below holding the axle at both sides.
  for (int side = -1; side <= 1; side += 2) {
    const double ax = cx + side * (R + 8);
    Limb(cr, {ax, cy, ax + side * 2, cy + 50, cx + side * 30, kDrumH - 4.0}, 4.5, kGold);
    art::Circle(cr, ax, cy, 7);
    art::Paint(cr, art::Style{kGold, pal::Outline, 1.8, 0.3, 0.4});
  }
  // The chute from the bottom of the globe down to where the balls drop out.
  Limb(cr, {cx - 10, cy + R - 16, kChuteX, cy + R + 2, kChuteX, kChuteBottom - 6}, 11, kChrome);
  art::RoundedRect(cr, kChuteX - 14, kChuteBottom - 10, 28, 10, 3);
  art::Paint(cr, art::Style{kGold, pal::Outline, 1.8, 0.3, 0});
  // The glass globe, tinted.
  art::Circle(cr, cx, cy, R);
  art::FillWith(cr,
                art::RadialGradient(cx - 18, cy - 22, 6, cx, cy, R,
                                    {{0, {0.85, 0.95, 1, 0.55}}, {1, {0.35, 0.55, 0.85, 0.55}}}));
  // The balls inside.
  const Color colours[] = {kBall,     pal::Orange, pal::Yellow, pal::Green,
                           pal::Blue, pal::Purple, pal::Pink};
  art::Rng rng(still ? 99 : 10 + pattern);
  cairo_save(cr);
  art::Circle(cr, cx, cy, R - 3);
  cairo_clip(cr);
  for (int i = 0; i < 22; ++i) {
    double x, y;
    if (still) {
      // A heap at the bottom.
      const int row = i < 8 ? 0 : (i < 14 ? 1 : (i < 19 ? 2 : 3));
      const int first = row == 0 ? 0 : (row == 1 ? 8 : (row == 2 ? 14 : 19));
      const int count = row == 0 ? 8 : (row == 1 ? 6 : (row == 2 ? 5 : 3));
      x = cx + (i - first - (count - 1) / 2.0) * 13 + (row % 2) * 3;
      y = cy + R - 10 - row * 11;
    } else {
      // Flung about, most of them carried up the rising side.
      const double ang = rng.Range(-2.6, 1.4), rad = std::sqrt(rng.Unit()) * (R - 10);
      x = cx + rad * std::cos(ang);
      y = cy + rad * std::sin(ang);
    }
    SmallBall(cr, x, y, 6.5, colours[i % 7]);
  }
  cairo_restore(cr);
  // The cage's ribs: circles around the turning axle seen edge-on, as ellipses.
  const double phase = pattern * M_PI / 16;
  for (int k = 0; k < 4; ++k) {
    const double ry = R * std::abs(std::sin(phase + k * M_PI / 4));
    if (ry < 1) {
      cairo_move_to(cr, cx - R, cy);
      cairo_line_to(cr, cx + R, cy);
    } else {
      art::Ellipse(cr, cx, cy, R, ry);
    }
    art::Stroke(cr, kGold.WithAlpha(0.9), 2.2);
  }
  // Motion streaks while it turns.
  if (!still) {
    for (int k = 0; k < 3; ++k) {
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, R + 6 + k * 4, -2.4 + pattern * 0.2, -1.6 + pattern * 0.2);
      art::Stroke(cr, pal::White.WithAlpha(0.55 - k * 0.15), 2);
    }
  }
  // The rim, the axle hub and the shine on the glass.
  art::Circle(cr, cx, cy, R);
  art::Stroke(cr, pal::Outline, 2.6);
  art::Circle(cr, cx, cy, R - 2);
  art::Stroke(cr, kGold, 2);
  art::Circle(cr, cx, cy, 8);
  art::Paint(cr, art::Style{kGold, pal::Outline, 1.8, 0.3, 0.5});
  art::Shine(cr, cx - 22, cy - 28, 18, 10, 0.7);
}

// ---- The assistants ---------------------------------------------------------------------------

// How far apart the hands are in each clap pattern (0 = arms down).
constexpr double kClapGap[6] = {0, 22, 13, 3, 9, 17};

void Clapping(cairo_t* cr, double neckX, double shoulderY, double span, const Color& sleeve,
              int pattern) {
  const double lx = neckX - span, rx = neckX + span;
  if (pattern == 0) {
    // Arms down at the sides, hands by the hips.
    Limb(cr, {lx, shoulderY + 4, lx - 6, shoulderY + 40, lx - 2, shoulderY + 70}, 5.5, sleeve);
    Limb(cr, {rx, shoulderY + 4, rx + 6, shoulderY + 40, rx + 2, shoulderY + 70}, 5.5, sleeve);
    for (double x : {lx - 2, rx + 2}) {
      art::Circle(cr, x, shoulderY + 74, 6);
      art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.2, 0});
    }
    return;
  }
  const double gap = kClapGap[pattern];
  const double hy = shoulderY + 34 - (pattern == 3 ? 4 : 0);
  const double hl = neckX - gap / 2 - 4, hr = neckX + gap / 2 + 4;
  Limb(cr, {lx, shoulderY + 4, lx - 8, shoulderY + 36, hl - 1, hy + 7}, 5.5, sleeve);
  Limb(cr, {rx, shoulderY + 4, rx + 8, shoulderY + 36, hr + 1, hy + 7}, 5.5, sleeve);
  // Hands upright, palms facing each other.
  for (int side = -1; side <= 1; side += 2) {
    const double x = side < 0 ? hl : hr;
    art::RoundedRect(cr, x - 4, hy - 9, 8, 17, 4);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.2, 0});
  }
  if (pattern == 3) {
    // The clap.
    for (int k = -1; k <= 1; ++k) {
      cairo_move_to(cr, neckX + k * 9, hy - 14);
      cairo_line_to(cr, neckX + k * 14, hy - 22);
      art::Stroke(cr, pal::Yellow, 2);
    }
  }
}

void DrawCrew(cairo_t* cr, int pattern) {
  // In the picture: the lady's neck at (50, 14), the gentleman's at (120, 21).
  const double ladyX = kHead1X + kHeadW / 2.0 - kCrewX, ladyNeck = 14;
  const double manX = kHead2X + kHeadW / 2.0 - kCrewX, manNeck = 21;
  art::GroundShadow(cr, ladyX, kCrewH - 8, 30, 6, 0.35);
  art::GroundShadow(cr, manX, kCrewH - 8, 30, 6, 0.35);
  // The lady: a long sparkling dress.
  Polyline(cr,
           {ladyX - 14, ladyNeck + 8, ladyX + 14, ladyNeck + 8, ladyX + 12, ladyNeck + 60,
            ladyX + 32, kCrewH - 10.0, ladyX - 32, kCrewH - 10.0, ladyX - 12, ladyNeck + 60},
           true);
  art::Paint(cr, art::Style{kDress, pal::Outline, 2, 0.3, 0.2});
  art::Rng rng(5);
  for (int i = 0; i < 30; ++i) {
    const double t = rng.Unit();
    const double half = 12 + 20 * t;
    const double x = ladyX + rng.Range(-half + 3, half - 3), y = ladyNeck + 14 + t * 150;
    art::Star(cr, x, y, 2.2, 0.8, 4, 0);
    art::Fill(cr, pal::White.WithAlpha(0.8));
  }
  // Her neck and shoulders.
  art::RoundedRect(cr, ladyX - 5, ladyNeck - 4, 10, 14, 4);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.2, 0});
  art::Ellipse(cr, ladyX, ladyNeck + 10, 16, 5);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.2, 0});
  Clapping(cr, ladyX, ladyNeck + 8, 15, pal::Skin, pattern);
  // The gentleman: a dinner jacket, white shirt and a red bow tie.
  Polyline(cr,
           {manX - 8, kCrewH - 10.0, manX - 5, manNeck + 78, manX + 5, manNeck + 78, manX + 8,
            kCrewH - 10.0},
           false);
  cairo_line_to(cr, manX + 20, kCrewH - 10.0);
  cairo_line_to(cr, manX + 18, manNeck + 72);
  cairo_line_to(cr, manX - 18, manNeck + 72);
  cairo_line_to(cr, manX - 20, kCrewH - 10.0);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kTux, pal::Outline, 2, 0.25, 0});
  for (double x : {manX - 12, manX + 12}) {
    art::Ellipse(cr, x, kCrewH - 10.0, 11, 5);
    art::Paint(cr, art::Style{pal::Outline, pal::Outline, 1, 0.2, 0.3});
  }
  art::RoundedRect(cr, manX - 22, manNeck + 6, 44, 72, 10);
  art::Paint(cr, art::Style{kTux, pal::Outline, 2, 0.25, 0});
  Polyline(cr, {manX - 9, manNeck + 6, manX + 9, manNeck + 6, manX, manNeck + 44}, true);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.4, 0.1, 0});
  Polyline(cr,
           {manX - 9, manNeck + 9, manX + 9, manNeck + 15, manX + 9, manNeck + 9, manX - 9,
            manNeck + 15},
           true);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.2, 0.2, 0});
  art::RoundedRect(cr, manX - 5, manNeck - 4, 10, 10, 3);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.2, 0});
  Clapping(cr, manX, manNeck + 8, 19, kTux, pattern);
}

// Patterns: 0 looking at the camera, 1 half turned to the drum, 2 watching the drum.
void HeadBase(cairo_t* cr, int pattern, bool lady) {
  const double cx = kHeadW / 2.0, cy = lady ? 30 : 27;
  const double turn = pattern * 0.5;  // 0 front .. 1 profile to the right
  const double fx = cx + turn * 4;
  if (lady) {
    // Blonde bouffant behind the face.
    art::Ellipse(cr, cx, cy - 6, 22, 22);
    art::Paint(cr, art::Style{kBlonde, pal::Outline, 2, 0.3, 0.3});
  } else {
    art::Ellipse(cr, cx, cy - 2, 17, 18);
    art::Paint(cr, art::Style{kDarkHair, pal::Outline, 2, 0.3, 0});
  }
  // Ear on the far side shows as the head turns.
  if (pattern > 0) {
    art::Ellipse(cr, cx - 12 + turn * 2, cy + 2, 4, 6);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.4, 0.2, 0});
  }
  art::Ellipse(cr, fx, cy + 3, 15 - turn * 2, 18);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2, 0.25, 0});
  // Hair on top.
  if (lady) {
    cairo_new_path(cr);
    cairo_arc(cr, fx, cy - 4, 16, M_PI * 1.05, M_PI * 1.95);
    cairo_curve_to(cr, fx + 8, cy - 10, fx - 2, cy - 4, fx - 16, cy - 2);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kBlonde, pal::Outline, 1.6, 0.3, 0});
  } else {
    cairo_new_path(cr);
    cairo_arc(cr, fx, cy - 2, 15.5, M_PI * 1.05, M_PI * 1.95);
    cairo_curve_to(cr, fx + 10, cy - 12, fx - 4, cy - 8, fx - 15, cy - 2);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kDarkHair, pal::Outline, 1.6, 0.3, 0.3});
  }
  // Eyes look towards the drum while turned.
  const double look = turn * 3;
  Eye(cr, fx - 6 + turn * 5, cy + 1, 3.6, 4.4, look, 0.5);
  Eye(cr, fx + 6 + turn * 4, cy + 1, 3.6 - turn, 4.4, look, 0.5);
  if (lady) {
    for (double x : {fx - 6 + turn * 5, fx + 6 + turn * 4}) {
      cairo_move_to(cr, x - 4, cy - 4);
      cairo_line_to(cr, x - 5, cy - 6);
      cairo_move_to(cr, x + 3, cy - 4);
      cairo_line_to(cr, x + 4, cy - 6);
      art::Stroke(cr, pal::Outline, 1.1);
    }
  }
  // Nose and smile.
  const double nx = fx + turn * 7;
  cairo_move_to(cr, nx, cy + 4);
  cairo_curve_to(cr, nx + 3, cy + 8, nx + 2, cy + 9, nx - 1, cy + 9);
  art::Stroke(cr, pal::SkinShade.Shade(0.2), 1.4);
  const double mx = fx + turn * 4;
  cairo_new_path(cr);
  cairo_move_to(cr, mx - 6, cy + 12);
  cairo_curve_to(cr, mx - 3, cy + 17, mx + 3, cy + 17, mx + 6, cy + 12);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{lady ? pal::Lips : pal::Mouth, pal::Outline, 1.3, 0, 0});
  // Rosy cheeks.
  art::Circle(cr, fx - 9 + turn * 4, cy + 9, 3);
  art::Fill(cr, pal::Pink.WithAlpha(0.5));
  if (turn < 1) {
    art::Circle(cr, fx + 10, cy + 9, 3);
    art::Fill(cr, pal::Pink.WithAlpha(0.5));
  }
  if (lady) {
    // Earring.
    art::Circle(cr, fx - 14 + turn * 4, cy + 10, 2.4);
    art::Paint(cr, art::Style{kGold, pal::Outline, 1, 0.2, 0.5});
  }
}

void DrawLadyHead(cairo_t* cr, int pattern) { HeadBase(cr, pattern, true); }
void DrawGentlemanHead(cairo_t* cr, int pattern) { HeadBase(cr, pattern, false); }

// ---- Ball, shelf -------------------------------------------------------------------------------

// A glossy red ball; the game prints the white number over its middle.
void DrawBall(cairo_t* cr, int) {
  const double c = kBallSize / 2.0, r = c - 1.5;
  art::Circle(cr, c, c, r);
  art::Paint(cr, art::Style{kBall, pal::Outline, 1.6, 0.35, 0});
  art::Shine(cr, c - 6, c - 8, 5, 3, 0.75);
}

// The shelf's front rail: its top follows the sloping floor a few pixels above it.
void DrawShelf(cairo_t* cr, int) {
  auto top = [](double x) { return ShelfFloorY(kShelfX + x) - kShelfY - 4; };
  const double w = kShelfW;
  Polyline(cr, {0, top(0), w, top(w), w, top(w) + 24, 0, top(0) + 24}, true);
  art::Paint(cr, art::Style{kChrome, pal::Outline, 2, 0.4, 0});
  Polyline(cr, {3, top(3) + 6, w - 3, top(w - 3) + 6, w - 3, top(w - 3) + 18, 3, top(3) + 18},
           true);
  art::Paint(cr, art::Style{kGold, pal::Outline, 1.4, 0.3, 0});
  art::TextStyle t{.Face = art::Font::CondensedBold, .Size = 10, .Fill = pal::Outline};
  cairo_save(cr);
  cairo_translate(cr, w / 2, top(w / 2) + 12.5);
  cairo_rotate(cr, -std::atan(0.1));
  art::TextCentered(cr, "ВЫИГРЫШНЫЕ НОМЕРА", 0, 0, t);
  cairo_restore(cr);
  for (double x : {8.0, w - 8}) {
    art::Circle(cr, x, top(x) + 12, 2.2);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, 0.8, 0.2, 0});
  }
}

// ---- The announcer ------------------------------------------------------------------------------

// Without a mouth: "Rot01" is drawn over his face at (+67, +64).
void DrawAnnouncer(cairo_t* cr, int) {
  const double fx = kFaceX, fy = 50;
  // Suit with broad, sloping shoulders.
  const double w = kAnnouncerW;
  cairo_new_path(cr);
  cairo_move_to(cr, fx - 22, 98);
  cairo_curve_to(cr, fx - 40, 104, 14, 110, 8, 140);
  cairo_line_to(cr, 4, kAnnouncerH + 4.0);
  cairo_line_to(cr, w - 4, kAnnouncerH + 4.0);
  cairo_line_to(cr, w - 8, 140);
  cairo_curve_to(cr, w - 14, 110, fx + 40, 104, fx + 22, 98);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kSuit, pal::Outline, 2.4, 0.3, 0});
  // Sleeves' seams at the shoulders.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, fx + side * 58, 116);
    cairo_curve_to(cr, fx + side * 52, 150, fx + side * 54, 190, fx + side * 60, 236);
    art::Stroke(cr, kSuit.Shade(0.35), 2);
  }
  // Shirt, tie and lapels.
  Polyline(cr, {fx - 20, 100, fx + 20, 100, fx, 168}, true);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.8, 0.1, 0});
  Polyline(cr, {fx - 7, 108, fx + 7, 108, fx + 5, 150, fx, 160, fx - 5, 150}, true);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.6, 0.3, 0});
  for (int side = -1; side <= 1; side += 2) {
    Polyline(cr, {fx + side * 22, 102, fx + side * 4, 170, fx + side * 30, 130}, true);
    art::Paint(cr, art::Style{kSuit.Lighter(0.12), pal::Outline, 1.8, 0.3, 0});
  }
  // A rosette on his lapel.
  art::Star(cr, fx + 42, 130, 8, 5, 10, 0);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.2, 0.2, 0});
  // Neck.
  art::RoundedRect(cr, fx - 13, 80, 26, 26, 8);
  art::Paint(cr, art::Style{pal::Skin.Shade(0.08), pal::Outline, 2, 0.2, 0});
  // Ears.
  for (int side = -1; side <= 1; side += 2) {
    art::Ellipse(cr, fx + side * 38, fy + 6, 7, 10);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2, 0.2, 0});
  }
  // The face.
  art::Ellipse(cr, fx, fy + 4, 38, 44);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2.4, 0.25, 0});
  // Hair: a neat wave with a parting.
  cairo_new_path(cr);
  cairo_move_to(cr, fx - 38, fy + 2);
  cairo_curve_to(cr, fx - 42, fy - 40, fx + 30, fy - 52, fx + 40, fy - 6);
  cairo_curve_to(cr, fx + 30, fy - 22, fx + 6, fy - 30, fx - 8, fy - 26);
  cairo_curve_to(cr, fx - 22, fy - 22, fx - 30, fy - 12, fx - 38, fy + 2);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kAnnouncerHair, pal::Outline, 2.2, 0.3, 0.4});
  // Eyebrows and eyes.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, fx + side * 7, fy - 12);
    cairo_curve_to(cr, fx + side * 12, fy - 17, fx + side * 20, fy - 17, fx + side * 24, fy - 12);
    art::Stroke(cr, kAnnouncerHair.Shade(0.3), 3);
    Eye(cr, fx + side * 15, fy - 2, 6.5, 7.5, 0, 1);
  }
  // Nose.
  cairo_new_path(cr);
  cairo_move_to(cr, fx - 2, fy);
  cairo_curve_to(cr, fx + 6, fy + 10, fx + 6, fy + 14, fx - 4, fy + 14);
  art::Stroke(cr, pal::SkinShade.Shade(0.25), 2);
  // Rosy cheeks and a dimple.
  for (int side = -1; side <= 1; side += 2) {
    art::Circle(cr, fx + side * 24, fy + 16, 6);
    art::Fill(cr, pal::Pink.WithAlpha(0.45));
  }
  art::Shine(cr, fx - 16, fy - 20, 10, 5, 0.35);
}

// Patterns: 0 a closed smile, 1..4 open in different shapes.
void DrawMouth(cairo_t* cr, int pattern) {
  const double cx = kMouthW / 2.0, cy = 7;
  const double open[] = {0, 4, 8, 7, 5};
  const double wide[] = {11, 10, 9, 6, 13};
  const double h = open[pattern], w = wide[pattern];
  if (h == 0) {
    cairo_move_to(cr, cx - w, cy);
    cairo_curve_to(cr, cx - 4, cy + 6, cx + 4, cy + 6, cx + w, cy);
    art::Stroke(cr, pal::Outline, 2.2);
    return;
  }
  art::Ellipse(cr, cx, cy + h / 2, w, h / 2 + 2);
  art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 2, 0, 0});
  if (h >= 7) {
    art::Ellipse(cr, cx, cy + h - 1, w * 0.55, 2.4);
    art::Fill(cr, pal::Tongue);
  }
  cairo_rectangle(cr, cx - w * 0.55, cy - 1.5, w * 1.1, 3);
  art::Fill(cr, pal::White);
}

// The announcer's desk: a rounded front with the show's emblem.
void DrawDesk(cairo_t* cr, int) {
  const double w = kDeskW;
  art::RoundedRect(cr, 2, 4, w - 4, 14, 6);  // the desk top
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, 2.2, 0.35, 0});
  Polyline(cr, {10, 16, w - 10, 16, w - 22, kDeskH + 4.0, 22, kDeskH + 4.0}, true);
  art::Paint(cr, art::Style{art::Hex(0x3B2C7A), pal::Outline, 2.2, 0.3, 0});
  // Gold stripes and the emblem.
  for (double y : {26.0, 34.0}) {
    cairo_move_to(cr, 14, y);
    cairo_line_to(cr, w - 14, y);
    art::Stroke(cr, kGold, 2);
  }
  art::Circle(cr, w / 2, 64, 24);
  art::Paint(cr, art::Style{kBall, pal::Outline, 2, 0.35, 0.5});
  art::Circle(cr, w / 2, 64, 15);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.2, 0.1, 0});
  art::TextStyle t{.Face = art::Font::CondensedBold, .Size = 14, .Fill = kBall};
  art::TextCentered(cr, "36", w / 2, 64, t);
  t.Size = 16;
  t.Fill = pal::Yellow;
  t.LineWidth = 1.2;
  art::TextCentered(cr, "ТИРАЖ", w / 2 - 66, 62, t);
  art::TextCentered(cr, "ЛОТО", w / 2 + 64, 62, t);
}

// ---- Sounds -----------------------------------------------------------------------------------

constexpr int kEffectRate = 8000;  // both effects are played at 8000 Hz

constexpr content::WaveFinish MakeWave{.Rate = kEffectRate, .FadeIn = 0.005, .FadeOut = 0.03};

// The drum turning: a low rumble and plastic balls knocking against each other and the cage.
synth::Buffer DrumRattle() {
  const double len = 1.2;
  synth::Buffer rumble = synth::WhiteNoise(len, kEffectRate, 801);
  synth::LowPass(rumble, kEffectRate, 260);
  synth::Gain(rumble, 0.6);
  synth::Noise when(802);
  for (int k = 0; k < 70; ++k) {
    const double at = (k + 0.5 + 0.45 * when.Next()) * len / 70;
    synth::Buffer knock = synth::Tone(synth::Wave::Triangle, 900 + 500 * std::abs(when.Next()), 600,
                                      0.03, kEffectRate, 803 + k);
    synth::Decay(knock, kEffectRate, 0.0005, 0.005);
    synth::Buffer tick =
        synth::NoiseBurst(0.02, kEffectRate, 900 + k, 0.0003, 0.003, synth::Filter::High, 1500);
    synth::Mix(knock, tick, 0.6);
    synth::MixAt(rumble, knock, kEffectRate, std::clamp(at, 0.0, len - 0.03),
                 0.5 + 0.5 * std::abs(when.Next()));
  }
  return rumble;
}

// A studio audience applauding: hundreds of claps swelling and dying away, a few cheers.
synth::Buffer Applause() {
  const double len = 3.6;
  synth::Buffer out = synth::Silence(len, kEffectRate);
  synth::Noise rnd(701);
  for (int k = 0; k < 520; ++k) {
    const double at = (0.5 + 0.5 * rnd.Next()) * (len - 0.1);
    // The crowd swells in quickly and fades out slowly.
    const double level = at < 0.4 ? at / 0.4 : std::max(0.0, 1 - (at - 0.4) / (len - 0.4));
    synth::Buffer clap =
        synth::NoiseBurst(0.05, kEffectRate, 1000 + k, 0.0008, 0.008, synth::Filter::Band,
                          1100 + 900 * std::abs(rnd.Next()), 1.1);
    synth::MixAt(out, clap, kEffectRate, at, level * (0.4 + 0.6 * std::abs(rnd.Next())));
  }
  for (int k = 0; k < 3; ++k) {
    synth::Buffer cheer =
        synth::Tone(synth::Wave::Saw, 420 + 80 * k, 560 + 60 * k, 0.5, kEffectRate);
    synth::BandPass(cheer, kEffectRate, 900, 2);
    synth::Adsr(cheer, kEffectRate, 0.06, 0.1, 0.6, 0.2);
    synth::MixAt(out, cheer, kEffectRate, 0.3 + 0.5 * k, 0.12);
  }
  return out;
}

// ---- The announcer's clip ----------------------------------------------------------------------

// Said in one fixed recording whatever the numbers are; the bubble shows the numbers. Played at
// 22000 Hz; it must run past 28000 bytes, where his mouth starts to move.
constexpr int kClipRate = 22000;
const char* const kAnnouncerText =
    "Добрый вечер! В эфире тираж лотереи шесть из тридцати шести. Выпали номера, которые вы "
    "видите на экране. Проверьте свои билеты!";
const content::Voice kAnnouncerVoice{38, 170, 70, 0, 1.0};

void Build(content::ContentSink& sink) {
  sink.Background("r_ltrz01", 640, 480, DrawStudio);
  sink.ImageList("s_ltrz01", {
                                 {"Banka01", kDrumW, kDrumH, 5, DrawDrum},
                                 {"Mans01", kCrewW, kCrewH, 6, DrawCrew, 3},
                                 {"Golova01", kHeadW, kHeadH, 3, DrawLadyHead},
                                 {"Golova02", kHeadW, kHeadH, 3, DrawGentlemanHead},
                                 {"Ball01", kBallSize, kBallSize, 1, DrawBall},
                                 {"Planka01", kShelfW, kShelfH, 1, DrawShelf},
                                 {"Planka02", kDeskW, kDeskH, 1, DrawDesk},
                                 {"Man01", kAnnouncerW, kAnnouncerH, 1, DrawAnnouncer},
                                 {"Rot01", kMouthW, kMouthH, 5, DrawMouth},
                             });
  sink.WaveList("w_ltrz01",
                {MakeWave("Banka", DrumRattle(), 0.7), MakeWave("Aplod", Applause(), 0.8)});
  sink.SpokenClip("tvroz01", kAnnouncerText, kClipRate, kAnnouncerVoice);
}

}  // namespace

VEPA_CONTENT_MODULE(lottery_draw, Build);
