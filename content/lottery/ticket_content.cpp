// The ticket scene: a lottery ticket "6 ИЗ 36" lying on a wooden desk ("r_bil01"), the ink
// cross and the hand with the pen ("s_bil01"), the pen's scratch and the paper rustle
// ("w_bil01") and the areas of the 36 numbers ("b_bil01").
//
// Hot spots the scene relies on:
//   The numbers are drawn by the game, centred on the cell positions of ticket_layout.h with
//   the digits' top at the position's y; the printed boxes here are drawn around them.
//   "Ruka01" is drawn 75 pixels above the hand position; its pen tip is at (+10, +75), where
//   the hit map is read. Patterns 1..3 move the tip along the two strokes of the cross.
//   "Krest01" is drawn at the hand position + (5, -16) with the hand at the cell + (-15, +15).
//   "b_bil01": number n's area holds code n and contains its box, its digits and the point
//   where the pen arrives to draw (cell + (-5, +15)).
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
#include "lottery/ticket_layout.h"

namespace {

using art::Color;
using lotteryart::Limb;
using lotteryart::Polyline;
using vepa::lottery::TicketCells;
namespace pal = art::pal;

// ---- The grid -------------------------------------------------------------------------------

struct Pt {
  double x = 0, y = 0;
};
Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
Pt operator*(double k, Pt a) { return {k * a.x, k * a.y}; }

// The visual centre of a number (its digits are about 18 pixels high below the position).
// Outside the 6x6 grid the rows and columns are continued, so the outer boxes get a size too.
Pt NumberCentre(int r, int j) {
  if (r < 0) return 2 * NumberCentre(0, j) - NumberCentre(1, j);
  if (r > 5) return 2 * NumberCentre(5, j) - NumberCentre(4, j);
  if (j < 0) return 2 * NumberCentre(r, 0) - NumberCentre(r, 1);
  if (j > 5) return 2 * NumberCentre(r, 5) - NumberCentre(r, 4);
  const auto& c = TicketCells[6 * r + j];
  return {c.X + 1.0, c.Y + 9.0};
}

// Corner (r, j) of the grid lines, 0..6 each: the middle of the four numbers around it.
Pt GridCorner(int r, int j) {
  return 0.25 * (NumberCentre(r - 1, j - 1) + NumberCentre(r - 1, j) + NumberCentre(r, j - 1) +
                 NumberCentre(r, j));
}

struct Quad {
  Pt tl, tr, br, bl;
};

Quad Box(int n) {
  const int r = (n - 1) / 6, j = (n - 1) % 6;
  return {GridCorner(r, j), GridCorner(r, j + 1), GridCorner(r + 1, j + 1), GridCorner(r + 1, j)};
}

Quad Shrunk(const Quad& q, double d) {
  const Pt c = 0.25 * (q.tl + q.tr + q.br + q.bl);
  auto in = [&](Pt p) {
    const Pt v = p - c;
    const double len = std::hypot(v.x, v.y);
    return len > d ? p - (d / len) * v : c;
  };
  return {in(q.tl), in(q.tr), in(q.br), in(q.bl)};
}

void QuadPath(cairo_t* cr, const Quad& q) {
  Polyline(cr, {q.tl.x, q.tl.y, q.tr.x, q.tr.y, q.br.x, q.br.y, q.bl.x, q.bl.y}, true);
}

// The largest upright rectangle inside a box: its number's area in the hit map. Upright, so
// that the pen's way from any point of it to the arrival point never leaves it.
struct Area {
  double x1, y1, x2, y2;
};
Area NumberArea(int n) {
  const Quad q = Box(n);
  return {std::max(q.tl.x, q.bl.x), std::max(q.tl.y, q.tr.y), std::min(q.tr.x, q.br.x),
          std::min(q.bl.y, q.br.y)};
}

// ---- Colours ----------------------------------------------------------------------------------

const Color kPaper = art::Hex(0xFFF4D8);
const Color kPaperTint = art::Hex(0xF6C9B4);  // the fine wavy print on the paper
const Color kBoxFill = art::Hex(0xE8604C);    // the number boxes
const Color kBoxLine = art::Hex(0x9C2A22);
const Color kBand = art::Hex(0xC8342C);   // title band
const Color kPanel = art::Hex(0x2F6DB5);  // stub with the captions
const Color kDesk = art::Hex(0xA8693A);

// The paper lies a little turned, its top nearer than its bottom, like the grid printed on it.
const Quad kPaperQuad{{84, 42}, {536, 44}, {518, 432}, {96, 430}};
const Quad kPanelQuad{{108, 84}, {202, 84}, {207, 392}, {114, 392}};

// ---- Background -----------------------------------------------------------------------------

void Desk(cairo_t* cr) {
  art::WoodPlanks(cr, 0, 0, 640, 480, 64, false, 23, kDesk);
  // Darker towards the corners, as under a desk lamp.
  art::FillRect(cr, 0, 0, 640, 480,
                art::RadialGradient(320, 220, 160, 320, 240, 520,
                                    {{0, {0, 0, 0, 0}}, {1, {0.1, 0.04, 0.0, 0.45}}}));
}

void Coins(cairo_t* cr) {
  const double xy[][2] = {{38, 446}, {66, 458}, {50, 430}, {588, 452}};
  for (const auto& c : xy) {
    art::GroundShadow(cr, c[0] + 3, c[1] + 4, 17, 11, 0.35);
    art::Ellipse(cr, c[0], c[1], 15, 11);
    art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.8, 0.35, 0.5});
    art::Ellipse(cr, c[0], c[1], 10, 7);
    art::Stroke(cr, pal::Gold.Shade(0.3), 1.2);
    art::TextStyle t{.Size = 9, .Fill = pal::Gold.Shade(0.35)};
    art::TextCentered(cr, "1", c[0], c[1], t);
  }
}

void TeaCup(cairo_t* cr) {
  const double cx = 590, cy = 96;
  art::GroundShadow(cr, cx + 6, cy + 8, 50, 46, 0.4);
  art::Circle(cr, cx, cy, 44);  // saucer
  art::Paint(cr, art::Style{pal::White, pal::Outline, 2, 0.2, 0});
  art::Circle(cr, cx, cy, 32);
  art::Stroke(cr, pal::Steel.WithAlpha(0.6), 1.5);
  // Handle.
  Limb(cr, {cx - 26, cy + 20, cx - 40, cy + 34}, 5, pal::White);
  art::Circle(cr, cx, cy, 29);  // cup rim
  art::Paint(cr, art::Style{pal::White, pal::Outline, 2.2, 0.15, 0});
  art::Circle(cr, cx, cy, 24);  // tea
  art::Paint(cr, art::Style{art::Hex(0x9A4A1A), pal::Outline, 1.2, 0.3, 0});
  art::Shine(cr, cx - 8, cy - 9, 9, 5, 0.5);
  // A lemon slice.
  art::Circle(cr, cx + 7, cy + 6, 9);
  art::Paint(cr, art::Style{pal::Yellow, pal::Gold.Shade(0.2), 1.2, 0.2, 0});
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3;
    cairo_move_to(cr, cx + 7, cy + 6);
    cairo_line_to(cr, cx + 7 + 7 * std::cos(a), cy + 6 + 7 * std::sin(a));
    art::Stroke(cr, pal::White.WithAlpha(0.8), 1);
  }
}

// A second ticket peeking out from under the first, with a stamp.
void UnderTicket(cairo_t* cr) {
  Polyline(cr, {28, 300, 96, 286, 118, 440, 48, 452}, true);
  art::Paint(cr, art::Style{kPaper.Shade(0.08), pal::Outline, 2, 0.2, 0});
  for (int i = 0; i < 5; ++i) {
    const double y = 320 + i * 24;
    art::RoundedRect(cr, 44 + i * 2.2, y, 22, 18, 3);
    art::Paint(cr, art::Style{kBoxFill.Mix(kPaper, 0.35), kBoxLine, 1.2, 0.1, 0});
  }
}

// Fine wavy print lines over the paper, the kind banknotes and tickets carry.
void Guilloche(cairo_t* cr) {
  cairo_save(cr);
  QuadPath(cr, kPaperQuad);
  cairo_clip(cr);
  for (int k = 0; k < 40; ++k) {
    const double y0 = 40 + k * 10;
    cairo_new_path(cr);
    for (double x = 80; x <= 540; x += 4) {
      const double y = y0 + 3.5 * std::sin(x / 13.0 + k * 0.7) + 2 * std::sin(x / 31.0);
      if (x == 80)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
    }
    art::Stroke(cr, kPaperTint.WithAlpha(0.55), 0.8);
  }
  cairo_restore(cr);
}

void Paper(cairo_t* cr) {
  // Shadow on the desk, then the sheet.
  cairo_save(cr);
  cairo_translate(cr, 7, 9);
  QuadPath(cr, kPaperQuad);
  art::Fill(cr, pal::Outline.WithAlpha(0.35));
  cairo_restore(cr);
  QuadPath(cr, kPaperQuad);
  art::Paint(cr, art::Style{kPaper, pal::Outline, 2.4, 0.08, 0});
  art::Grain(cr, 84, 42, 452, 390, 31, 0.035, 0.2);
  Guilloche(cr);
  // A thin printed frame inside the edge.
  Polyline(cr, {91, 48, 529, 50, 512, 425, 102, 423}, true);
  art::Stroke(cr, kBoxLine.WithAlpha(0.7), 1.4);
}

void TitleBand(cairo_t* cr) {
  Polyline(cr, {96, 51, 526, 53, 526, 75, 96, 74}, true);
  art::Paint(cr, art::Style{kBand, pal::Outline, 1.8, 0.3, 0});
  art::TextStyle t{
      .Face = art::Font::CondensedBold, .Size = 19, .Fill = pal::Yellow, .LineWidth = 1.6};
  art::TextCentered(cr, "ЛОТЕРЕЯ  \u00AB6 ИЗ 36\u00BB", 360, 63, t);
  // Stars at both ends of the band.
  for (double x : {128.0, 208.0, 512.0}) {
    art::Star(cr, x, 63, 8, 3.5, 5, -M_PI / 2);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.2, 0.2, 0});
  }
}

void Stub(cairo_t* cr) {
  QuadPath(cr, kPanelQuad);
  art::Paint(cr, art::Style{kPanel, pal::Outline, 2, 0.25, 0});
  // A lighter field behind the game's captions.
  Polyline(cr, {116, 180, 200, 180, 202, 296, 118, 296}, true);
  art::Paint(cr, art::Style{kPanel.Lighter(0.18), pal::Outline.WithAlpha(0.6), 1.2, 0.15, 0});
  // The emblem: a lottery ball with a star.
  const double ex = 157, ey = 128;
  art::Circle(cr, ex, ey, 33);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 2.2, 0.3, 0.4});
  art::Circle(cr, ex, ey, 25);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.6, 0.25, 0.5});
  art::Star(cr, ex, ey - 1, 20, 8.5, 5, -M_PI / 2);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.4, 0.2, 0});
  art::TextStyle t{
      .Face = art::Font::CondensedBold, .Size = 10, .Fill = pal::White, .LineWidth = 1.2};
  art::TextCentered(cr, "ТИРАЖ", ex, 170, t);
  // Serial number and the control code at the bottom of the stub.
  t.Size = 11;
  art::TextCentered(cr, "\u2116 0417256", 160, 312, t);
  art::Rng rng(77);
  double x = 124;
  while (x < 194) {
    const double w = 1 + rng.Int(3);
    cairo_rectangle(cr, x, 326, w, 34);
    art::Fill(cr, pal::White.WithAlpha(0.92));
    x += w + 1 + rng.Int(3);
  }
  t.Size = 8;
  art::TextCentered(cr, "КОНТРОЛЬ", 160, 374, t);
}

void Grid(cairo_t* cr) {
  // The outer frame of the grid.
  const Pt a = GridCorner(0, 0), b = GridCorner(0, 6), c = GridCorner(6, 6), d = GridCorner(6, 0);
  Polyline(cr, {a.x - 4, a.y - 4, b.x + 4, b.y - 4, c.x + 4, c.y + 4, d.x - 4, d.y + 4}, true);
  art::Paint(cr, art::Style{kBoxFill.Mix(kPaper, 0.75), kBoxLine, 2.2, 0, 0});
  for (int n = 1; n <= 36; ++n) {
    const Quad q = Shrunk(Box(n), 3.2);
    QuadPath(cr, q);
    art::Paint(cr, art::Style{kBoxFill, kBoxLine, 1.6, 0.28, 0});
    // A soft highlight along the upper edge of the box.
    cairo_move_to(cr, q.tl.x + 5, q.tl.y + 4);
    cairo_line_to(cr, q.tr.x - 5, q.tr.y + 4);
    art::Stroke(cr, pal::White.WithAlpha(0.3), 2);
  }
}

void FooterText(cairo_t* cr) {
  art::TextStyle t{.Face = art::Font::CondensedBold, .Size = 12, .Fill = kBoxLine};
  art::TextCentered(cr, "ЗАЧЕРКНИТЕ 6 НОМЕРОВ \u2022 ЖЕЛАЕМ УДАЧИ!", 356, 411, t);
}

void DrawBackground(cairo_t* cr) {
  for (auto* part : {Desk, UnderTicket, Coins, TeaCup, Paper, TitleBand, Stub, Grid, FooterText})
    part(cr);
}

// ---- The cross --------------------------------------------------------------------------------

constexpr int kCrossW = 28, kCrossH = 26;
// The two strokes in the cross picture; the pen's patterns follow them.
constexpr double kStrokeA[4] = {3, 3, 24, 22};  // top left to bottom right
constexpr double kStrokeB[4] = {24, 3, 4, 22};  // top right to bottom left
const Color kInk = art::Hex(0x1E3C9A);

// An ink stroke from (x1, y1) towards (x2, y2), drawn up to fraction t, slightly bowed.
void InkStroke(cairo_t* cr, const double s[4], double t, double bow) {
  if (t <= 0) return;
  const double x2 = s[0] + (s[2] - s[0]) * t, y2 = s[1] + (s[3] - s[1]) * t;
  const double mx = (s[0] + x2) / 2 + bow * (y2 - s[1]) * 0.08;
  const double my = (s[1] + y2) / 2 - bow * (x2 - s[0]) * 0.08;
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_move_to(cr, s[0], s[1]);
    cairo_curve_to(cr, mx, my, mx, my, x2, y2);
    art::Stroke(cr, pass == 0 ? pal::White.WithAlpha(0.55) : kInk, pass == 0 ? 5.6 : 3.2);
  }
}

void DrawCross(cairo_t* cr, int) {
  InkStroke(cr, kStrokeA, 1, 1);
  InkStroke(cr, kStrokeB, 1, -1);
}

// ---- The hand with the pen ----------------------------------------------------------------------

constexpr int kPenW = 176, kPenH = 176;
// The pen tip at rest (pattern 0): the scene's hot spot.
constexpr double kTipX = 10, kTipY = 75;
// The cross picture sits at (+5, +59) from the pen picture's corner while the pen draws.
constexpr double kCrossInPenX = 5, kCrossInPenY = 59;

// The hand in the pen's frame: u along the pen from the tip towards its end, v across it
// towards the hand. `tilt` turns the whole hand a little (radians).
struct PenPose {
  double TipX = kTipX, TipY = kTipY;
  double Tilt = 0;
  double Press = 0;  // 0..1: the index finger presses down while drawing
};

void PenHand(cairo_t* cr, const PenPose& p) {
  const double a = -50 * M_PI / 180 + p.Tilt;  // the pen leans up and to the right
  const double ux = std::cos(a), uy = std::sin(a);
  const double vx = -uy, vy = ux;  // towards the lower right
  auto P = [&](double u, double v) {
    return Pt{p.TipX + u * ux + v * vx, p.TipY + u * uy + v * vy};
  };
  const Color skin = pal::Skin, skinDark = pal::Skin.Shade(0.1);

  // The sleeve comes from the lower right and bends down out of the picture.
  const Pt w = P(62, 44);
  Limb(cr, {w.x, w.y, w.x + 40, w.y + 30, w.x + 66, w.y + 110}, 24, pal::Cloth);
  lotteryart::Streak(cr, {w.x + 8, w.y - 14, w.x + 46, w.y + 12}, 5, 0.25);
  // The shirt cuff.
  {
    cairo_save(cr);
    cairo_translate(cr, w.x - 2, w.y - 1);
    cairo_rotate(cr, std::atan2(30.0, 40.0));
    art::RoundedRect(cr, -7, -24, 13, 48, 4);
    art::Paint(cr, art::Style{pal::White, pal::Outline, art::kOutline, 0.25, 0});
    cairo_restore(cr);
  }
  // Ring and little finger curled into the palm.
  {
    const Pt r0 = P(44, 30), r1 = P(31, 23), l0 = P(48, 38), l1 = P(37, 33);
    Limb(cr, {l0.x, l0.y, l1.x, l1.y}, 4.6, skinDark);
    Limb(cr, {r0.x, r0.y, r1.x, r1.y}, 5.2, skinDark);
  }
  // The back of the hand.
  {
    const Pt c = P(48, 21);
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_rotate(cr, a);
    art::Ellipse(cr, 0, 0, 23, 18);
    art::Paint(cr, art::Style{skin, pal::Outline, art::kOutline, 0.28, 0});
    art::Shine(cr, 4, -6, 9, 5, 0.4);
    cairo_restore(cr);
  }
  // The middle finger under the pen.
  {
    const Pt m0 = P(38, 17), m1 = P(26, 11), m2 = P(17, 6);
    Limb(cr, {m0.x, m0.y, m1.x, m1.y, m2.x, m2.y}, 5.2, skinDark);
  }
  // The thumb grips the pen from its far side.
  {
    const Pt t0 = P(42, 4), t1 = P(30, -6), t2 = P(21, -7);
    Limb(cr, {t0.x, t0.y, t1.x, t1.y, t2.x, t2.y}, 5.8, skin);
  }
  // The pen: steel point, blue grip, white body, red cap with a gold clip.
  {
    cairo_save(cr);
    cairo_translate(cr, p.TipX, p.TipY);
    cairo_rotate(cr, a);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Polyline(cr, {0, 0, 9, -2.6, 9, 2.6}, true);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.4, 0.3, 0});
    art::RoundedRect(cr, 8, -4, 24, 8, 3);
    art::Paint(cr, art::Style{pal::Navy, pal::Outline, 1.6, 0.3, 0});
    for (double g = 12; g < 30; g += 4) {
      cairo_move_to(cr, g, -3);
      cairo_line_to(cr, g, 3);
      art::Stroke(cr, pal::Navy.Lighter(0.35), 1);
    }
    art::RoundedRect(cr, 31, -4.6, 36, 9.2, 3.5);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1.8, 0.25, 0});
    art::RoundedRect(cr, 64, -5, 20, 10, 4.5);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.8, 0.3, 0.5});
    art::RoundedRect(cr, 67, -8, 13, 4, 1.5);
    art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.2, 0.3, 0});
    cairo_move_to(cr, 34, -2);
    cairo_line_to(cr, 62, -2);
    art::Stroke(cr, pal::White.WithAlpha(0.8), 1.5);
    cairo_restore(cr);
  }
  // The index finger lies along the top of the pen; pressing, its middle joint rises.
  {
    const Pt k = P(52, 9), j = P(34, 3 - 3 * p.Press), tip = P(18, 0);
    Limb(cr, {k.x, k.y, j.x, j.y, tip.x, tip.y}, 5.6, skin);
    lotteryart::Streak(cr, {k.x - 1, k.y - 3, j.x, j.y - 3.5}, 1.6, 0.45);
    cairo_save(cr);
    cairo_translate(cr, tip.x + 1.4 * ux - 2.0 * vx, tip.y + 1.4 * uy - 2.0 * vy);
    cairo_rotate(cr, a + M_PI);
    art::Ellipse(cr, 0, 0, 3.2, 2.2);
    art::Paint(cr, art::Style{pal::Pink.Lighter(0.45), pal::SkinShade, 0.8, 0, 0});
    cairo_restore(cr);
  }
}

// Patterns: 0 the pen at rest, 1 the first stroke begins, 2 the first stroke done, 3 the second
// stroke half drawn. The ink drawn so far is part of the picture.
void DrawPenHand(cairo_t* cr, int pattern) {
  auto along = [](const double s[4], double t) {
    return Pt{kCrossInPenX + s[0] + (s[2] - s[0]) * t, kCrossInPenY + s[1] + (s[3] - s[1]) * t};
  };
  PenPose pose;
  double inkA = 0, inkB = 0;
  switch (pattern) {
    case 1:
      inkA = 0.3;
      break;
    case 2:
      inkA = 1;
      break;
    case 3:
      inkA = 1;
      inkB = 0.55;
      break;
    default:
      break;
  }
  if (pattern > 0) {
    const Pt tip = inkB > 0 ? along(kStrokeB, inkB) : along(kStrokeA, inkA);
    pose.TipX = tip.x;
    pose.TipY = tip.y;
    pose.Tilt = pattern == 1 ? 0.1 : (pattern == 2 ? 0.04 : 0.0);
    pose.Press = 1;
  }
  cairo_save(cr);
  cairo_translate(cr, kCrossInPenX, kCrossInPenY);
  InkStroke(cr, kStrokeA, inkA, 1);
  InkStroke(cr, kStrokeB, inkB, -1);
  cairo_restore(cr);
  PenHand(cr, pose);
}

// ---- Hit map ----------------------------------------------------------------------------------

std::vector<content::HitShape> NumberAreas() {
  std::vector<content::HitShape> shapes;
  for (int n = 1; n <= 36; ++n) {
    const Area a = NumberArea(n);
    const auto& c = TicketCells[n - 1];
    // The digits, the cross over them and the pen's arrival point must lie inside.
    const double need[][2] = {{c.X - 12.0, c.Y - 1.0},
                              {c.X + 12.0, c.Y + 19.0},
                              {c.X + vepa::lottery::PenAimDX + vepa::lottery::PenTipDX + 0.0,
                               c.Y + vepa::lottery::PenAimDY + 0.0}};
    for (const auto& p : need) {
      if (p[0] < a.x1 + 2 || p[0] > a.x2 - 2 || p[1] < a.y1 + 2 || p[1] > a.y2 - 2)
        throw content::BuildError("b_bil01: the area of number " + std::to_string(n) +
                                  " does not hold its digits and the pen's arrival point");
    }
    // Whole cells only, so that neighbouring areas never share a cell.
    const double x1 = std::ceil(a.x1 / 2) * 2, y1 = std::ceil(a.y1 / 2) * 2;
    const double x2 = std::floor(a.x2 / 2) * 2, y2 = std::floor(a.y2 / 2) * 2;
    shapes.push_back(content::HitRect(n, x1, y1, x2, y2));
  }
  return shapes;
}

// ---- Sounds -----------------------------------------------------------------------------------

constexpr int kRate = 11000;

constexpr content::WaveFinish MakeWave{.Rate = kRate, .FadeOut = 0.01};

// A ballpoint pen drawing two quick strokes on paper: scratchy noise with a little squeak.
synth::Buffer PenScratch() {
  synth::Buffer out = synth::Silence(0.42, kRate);
  for (int s = 0; s < 2; ++s) {
    synth::Buffer n = synth::WhiteNoise(0.15, kRate, 41 + s);
    synth::BandPass(n, kRate, 2600 + 500 * s, 1.2);
    // Grainy: the level flutters as the ball rolls over the paper fibres.
    synth::Noise flutter(90 + s);
    for (size_t i = 0; i < n.size(); ++i) {
      const double t = static_cast<double>(i) / n.size();
      const double env = std::sin(M_PI * t) * (0.65 + 0.35 * std::abs(flutter.Next()));
      n[i] *= static_cast<float>(env);
    }
    synth::Buffer squeak =
        synth::Tone(synth::Wave::Sine, 1900 + 300 * s, 2300 + 200 * s, 0.15, kRate);
    synth::Adsr(squeak, kRate, 0.02, 0.05, 0.3, 0.05);
    synth::Mix(n, squeak, 0.08);
    synth::MixAt(out, n, kRate, 0.04 + s * 0.2);
  }
  return out;
}

// A sheet of paper turned over: a soft swish and a crackle.
synth::Buffer PaperRustle() {
  synth::Buffer sw = synth::WhiteNoise(0.5, kRate, 57);
  synth::SweepLowPass(sw, kRate, 1500, 4500, 0.8);
  synth::HighPass(sw, kRate, 500);
  synth::Adsr(sw, kRate, 0.08, 0.15, 0.5, 0.2);
  synth::Noise crackle(58);
  for (int k = 0; k < 14; ++k) {
    synth::Buffer c =
        synth::NoiseBurst(0.02, kRate, 60 + k, 0.0005, 0.004, synth::Filter::High, 2000);
    synth::MixAt(sw, c, kRate, 0.05 + 0.4 * (0.5 + 0.5 * crackle.Next()), 0.5);
  }
  return sw;
}

void Build(content::ContentSink& sink) {
  sink.Background("r_bil01", 640, 480, DrawBackground);
  sink.ImageList("s_bil01", {
                                {"Krest01", kCrossW, kCrossH, 1, DrawCross},
                                {"Ruka01", kPenW, kPenH, 4, DrawPenHand},
                            });
  sink.WaveList("w_bil01", {MakeWave("Krest01", PenScratch()), MakeWave("Paper01", PaperRustle())});
  sink.HitMap("b_bil01", NumberAreas());
}

}  // namespace

VEPA_CONTENT_MODULE(lottery_ticket, Build);
