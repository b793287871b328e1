// Snake: the garden field with its fence, the snake's head (four ways, five faces), its
// straight pieces, bends and tails, the apples good and bad, the blood of a crash, and the
// sounds of eating, crashing and of a bad apple dropped behind.
//
// Every piece is drawn around the centre line of its cell as the scene's layout places it, so
// the pieces of neighbouring cells join into one body: the band of the body is 12 pixels wide
// and ends flat exactly on the cell's edge.
#include <cairo.h>

#include <cmath>
#include <functional>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "minigames/snake_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace sn = vepa::snake;

constexpr int kRate = 11000;

// ---- The field -------------------------------------------------------------------------------

constexpr double kFieldLeft = sn::CellCorner.X, kFieldTop = sn::CellCorner.Y;
constexpr double kFieldW = sn::Columns * sn::CellSize, kFieldH = sn::Rows * sn::CellSize;
constexpr Color kGrassLight = art::Hex(0x86C25A), kGrassDark = art::Hex(0x74B04C);
constexpr Color kHedge = art::Hex(0x2F6A34);

void DrawFieldBackground(cairo_t* cr) {
  // A hedge all round, the field's wooden fence, and the lawn in a chequer of cells.
  art::VerticalGradient(cr, 0, 0, 640, 480, kHedge.Lighter(0.1), kHedge.Shade(0.3));
  art::Rng rng(51);
  for (int i = 0; i < 700; ++i) {
    const double x = rng.Range(0, 640), y = rng.Range(0, 480);
    art::Ellipse(cr, x, y, rng.Range(3, 7), rng.Range(2, 4));
    art::Fill(cr, (rng.Int(2) ? art::Hex(0x3F8A40) : art::Hex(0x245A2C)).WithAlpha(0.7));
  }
  const double frame = 11;
  cairo_rectangle(cr, kFieldLeft - frame + 4, kFieldTop - frame + 5, kFieldW + 2 * frame,
                  kFieldH + 2 * frame);
  art::Fill(cr, pal::Shadow);
  art::WoodPlanks(cr, kFieldLeft - frame, kFieldTop - frame, kFieldW + 2 * frame,
                  kFieldH + 2 * frame, 20, false, 7);
  cairo_rectangle(cr, kFieldLeft - frame, kFieldTop - frame, kFieldW + 2 * frame,
                  kFieldH + 2 * frame);
  art::Stroke(cr, pal::Outline, art::kOutline);
  for (int y = 0; y < sn::Rows; ++y)
    for (int x = 0; x < sn::Columns; ++x) {
      cairo_rectangle(cr, kFieldLeft + sn::CellSize * x, kFieldTop + sn::CellSize * y, sn::CellSize,
                      sn::CellSize);
      art::Fill(cr, (x + y) % 2 ? kGrassDark : kGrassLight);
    }
  art::Grain(cr, kFieldLeft, kFieldTop, kFieldW, kFieldH, 77, 0.07, 0.3);
  // Blades of grass scattered over the lawn.
  for (int i = 0; i < 500; ++i) {
    const double x = rng.Range(kFieldLeft + 2, kFieldLeft + kFieldW - 2);
    const double y = rng.Range(kFieldTop + 4, kFieldTop + kFieldH - 1);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rng.Range(-2, 2), y - rng.Range(2, 5));
    art::Stroke(cr, art::Hex(0x5E9A3E).WithAlpha(0.55), 1);
  }
  // The fence's inner edge casts a soft shadow on the lawn.
  art::FillRect(cr, kFieldLeft, kFieldTop, kFieldW, 12,
                art::LinearGradient(0, kFieldTop, 0, kFieldTop + 12,
                                    {{0, {0.1, 0.06, 0.03, 0.35}}, {1, {0.1, 0.06, 0.03, 0}}}));
  cairo_rectangle(cr, kFieldLeft, kFieldTop, kFieldW, kFieldH);
  art::Stroke(cr, pal::Outline.WithAlpha(0.8), 1.4);
  // The score board nailed on the top of the fence, behind the LED digits.
  art::Panel(cr, sn::ScoreAt.X + 1, sn::ScoreAt.Y - 6, 58, 26,
             art::PanelStyle{art::Hex(0x3A2A22), 5, 3, false, true});
  cairo_rectangle(cr, sn::ScoreAt.X + 6, sn::ScoreAt.Y - 2, 48, 18);
  art::Fill(cr, art::Hex(0x1A1210));
}

// ---- The snake's body --------------------------------------------------------------------------

constexpr double kHalfBand = 6;
constexpr Color kSkin = art::Hex(0x4FA43E), kSkinLight = art::Hex(0x9AD25C);
constexpr Color kSpot = art::Hex(0x2E6A2A), kBelly = art::Hex(0xE8D25A);

// Strokes the current path as the snake's body: outline, skin, a light back stripe. The path
// is kept until the caller draws the spots and then dropped.
void BodyAlong(cairo_t* cr, const std::function<void()>& path) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const std::pair<double, Color> layers[] = {{2 * kHalfBand + 3.2, pal::Outline},
                                             {2 * kHalfBand, kSkin},
                                             {kHalfBand, kSkinLight},
                                             {2, kBelly.WithAlpha(0.8)}};
  for (const auto& [width, color] : layers) {
    path();
    art::SetColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  }
}

// A dark diamond spot on the back at (x, y), drawn along the direction (dx, dy).
void Spot(cairo_t* cr, double x, double y, double dx, double dy) {
  const double px = -dy, py = dx;
  cairo_move_to(cr, x + 4 * dx, y + 4 * dy);
  cairo_line_to(cr, x + 3 * px, y + 3 * py);
  cairo_line_to(cr, x - 4 * dx, y - 4 * dy);
  cairo_line_to(cr, x - 3 * px, y - 3 * py);
  cairo_close_path(cr);
  art::Fill(cr, kSpot);
}

// The straight piece along a line through (cx, cy) in direction (dx, dy), from t0 to t1.
void StraightBody(cairo_t* cr, double cx, double cy, double dx, double dy, double t0, double t1) {
  BodyAlong(cr, [&] {
    cairo_move_to(cr, cx + t0 * dx, cy + t0 * dy);
    cairo_line_to(cr, cx + t1 * dx, cy + t1 * dy);
  });
}

// A tail: the band comes in from the cell's edge on the side (-dx, -dy) and tapers to a tip
// pointing (dx, dy); (cx, cy) is the cell's centre.
void Tail(cairo_t* cr, double cx, double cy, double dx, double dy) {
  const double px = -dy, py = dx;
  const double edge = sn::CellSize / 2.0 + 1;
  auto at = [&](double t, double s) {
    return std::pair{cx + t * dx + s * px, cy + t * dy + s * py};
  };
  auto shape = [&](double grow) {
    const auto a = at(-edge, kHalfBand + grow), b = at(-edge, -kHalfBand - grow);
    const auto tip = at(12 + grow, 0);
    const auto c1 = at(-2, kHalfBand + grow), c2 = at(-2, -kHalfBand - grow);
    cairo_move_to(cr, a.first, a.second);
    cairo_curve_to(cr, c1.first, c1.second, c1.first, c1.second, tip.first, tip.second);
    cairo_curve_to(cr, c2.first, c2.second, c2.first, c2.second, b.first, b.second);
    cairo_close_path(cr);
  };
  shape(1.6);
  art::Fill(cr, pal::Outline);
  shape(0);
  art::Fill(cr, kSkin);
  const auto s0 = at(-edge, 0), s1 = at(4, 0);
  cairo_move_to(cr, s0.first, s0.second);
  cairo_line_to(cr, s1.first, s1.second);
  art::SetColor(cr, kSkinLight);
  cairo_set_line_width(cr, kHalfBand * 0.9);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
  Spot(cr, at(-9, 0).first, at(-9, 0).second, dx * 0.8, dy * 0.8);
}

// A straight piece along (dx, dy), the cell's centre at (cx, cy) in a picture `length` long
// that way: pattern 0 the body running through from edge to edge, patterns 1 and 2 the tail,
// pointing `firstTail` times (dx, dy) in pattern 1 and the other way in pattern 2.
void DrawStraight(cairo_t* cr, int pattern, double cx, double cy, double dx, double dy,
                  double length, int firstTail) {
  if (pattern == 0) {
    const double c = dx != 0 ? cx : cy;
    StraightBody(cr, cx, cy, dx, dy, -c - 1, length - c + 1);
    Spot(cr, cx, cy, dx, dy);
  } else {
    const int tail = pattern == 1 ? firstTail : -firstTail;
    Tail(cr, cx, cy, tail * dx, tail * dy);
  }
}

// "Zmiy03" (vertical, drawn at (48, 31) from the cell): body, tail pointing down (the body
// goes on upward), tail pointing up (the body goes on downward).
void DrawVertical(cairo_t* cr, int pattern) {
  DrawStraight(cr, pattern, sn::CellCentre.X - 48, sn::CellCentre.Y - 31, 0, 1,
               sn::VerticalImage.Height, 1);
}

// "Zmiy04" (horizontal, drawn at (36, 43)): body, tail pointing left (the body goes on to
// the right), tail pointing right (the body goes on to the left).
void DrawHorizontal(cairo_t* cr, int pattern) {
  DrawStraight(cr, pattern, sn::CellCentre.X - 36, sn::CellCentre.Y - 43, 1, 0,
               sn::HorizontalImage.Width, -1);
}

// "Zmiy02": a quarter circle round the cell's corner joining the two sides the bend opens to.
void DrawBend(cairo_t* cr, int pattern) {
  // Pattern: origin of the picture in the cell, the cell corner it bends round, its angles.
  struct Bend {
    double OX, OY, CornerX, CornerY, A0;
  };
  const double l = sn::CellCorner.X, t = sn::CellCorner.Y, r = l + sn::CellSize,
               b = t + sn::CellSize;
  const Bend bends[4] = {
      {36, 44, l, b, -M_PI / 2},  // left and bottom
      {35, 30, l, t, 0},          // top and left
      {49, 30, r, t, M_PI / 2},   // top and right
      {49, 44, r, b, M_PI},       // bottom and right
  };
  const Bend& k = bends[pattern];
  const double x = k.CornerX - k.OX, y = k.CornerY - k.OY, radius = sn::CellSize / 2.0;
  BodyAlong(cr, [&] { cairo_arc(cr, x, y, radius, k.A0, k.A0 + M_PI / 2); });
  const double mid = k.A0 + M_PI / 4;
  Spot(cr, x + radius * std::cos(mid), y + radius * std::sin(mid), -std::sin(mid), std::cos(mid));
}

// ---- The head ----------------------------------------------------------------------------------

// "Zmiy01": 5 faces for each way the head looks (down, left, up, right). Faces: 0 mouth
// shut, 1 opening, 2 wide open, 3 a grimace, 4 crossed eyes and the tongue out.
void DrawHead(cairo_t* cr, int pattern) {
  const int way = pattern / sn::HeadFrames, face = pattern % sn::HeadFrames;
  const sn::CellPicture pic = sn::PictureOf(static_cast<uint8_t>(sn::HeadDown + way));
  const double cx = sn::CellCentre.X - pic.DX, cy = sn::CellCentre.Y - pic.DY;
  const double turn[4] = {M_PI / 2, M_PI, -M_PI / 2, 0};  // down, left, up, right
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, turn[way]);
  // Seen as if looking right: the neck comes from the left edge of the cell.
  StraightBody(cr, 0, 0, 1, 0, -sn::CellSize / 2.0 - 1, 0);
  const double open = face == 1 ? 0.5 : face == 2 ? 1.0 : 0;
  // The head sits a little back on the neck: a head looking left or up has only 15 pixels of
  // its picture ahead of the cell's centre.
  cairo_translate(cr, -3, 0);
  // The head: a rounded wedge, wider at the cheeks.
  auto headPath = [&] {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, -8, -7);
    cairo_curve_to(cr, -3, -13, 9, -12, 13, -6);
    cairo_curve_to(cr, 16, -3, 16, 3, 13, 6);
    cairo_curve_to(cr, 9, 12, -3, 13, -8, 7);
    cairo_close_path(cr);
  };
  headPath();
  art::Paint(cr, art::Style{kSkin, pal::Outline, art::kOutline, 0.25, 0.35});
  // Spots on the crown.
  Spot(cr, -1, 0, 1, 0);
  art::Circle(cr, 5, 0, 1.6);
  art::Fill(cr, kSpot);
  if (open > 0) {
    // The jaws part at the snout: a red mouth with two white fangs.
    const double w = 3 + 4 * open;
    cairo_save(cr);
    headPath();
    cairo_clip(cr);
    cairo_move_to(cr, 15.5, -w);
    cairo_line_to(cr, 4 - 3 * open, 0);
    cairo_line_to(cr, 15.5, w);
    cairo_close_path(cr);
    art::SetColor(cr, pal::Mouth);
    cairo_fill_preserve(cr);
    art::Stroke(cr, pal::Outline, 1.2);
    for (int s : {-1, 1}) {
      cairo_move_to(cr, 13, s * (w - 1.2));
      cairo_line_to(cr, 10.5, s * (w - 2.6));
      cairo_line_to(cr, 13.5, s * (w - 3));
      cairo_close_path(cr);
      art::Fill(cr, pal::White);
    }
    cairo_restore(cr);
  } else {
    // Nostrils.
    for (int s : {-1, 1}) {
      art::Circle(cr, 12, s * 2.2, 0.8);
      art::Fill(cr, pal::Outline);
    }
  }
  if (face == 4) {
    // A forked tongue hanging out.
    cairo_move_to(cr, 13, 0.5);
    cairo_line_to(cr, 16, 0.8);
    cairo_line_to(cr, 18, -1.2);
    cairo_move_to(cr, 16, 0.8);
    cairo_line_to(cr, 18, 2.6);
    art::Stroke(cr, pal::Tongue.Shade(0.2), 1.6);
  }
  // Eyes on both sides of the head.
  for (int s : {-1, 1}) {
    const double ex = 4, ey = s * 7;
    art::Circle(cr, ex, ey, 3.8);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.2, 0.1});
    if (face == 3) {
      // Squeezed shut in a grimace.
      cairo_move_to(cr, ex - 3, ey - s * 0.5);
      cairo_line_to(cr, ex + 3, ey + s * 0.5);
      art::Stroke(cr, pal::Outline, 1.4);
    } else if (face == 4) {
      for (int d : {-1, 1}) {
        cairo_move_to(cr, ex - 2.2, ey - 2.2 * d);
        cairo_line_to(cr, ex + 2.2, ey + 2.2 * d);
      }
      art::Stroke(cr, pal::Outline, 1.3);
    } else {
      cairo_move_to(cr, ex + 1, ey - 2.2);
      cairo_line_to(cr, ex + 1, ey + 2.2);
      art::Stroke(cr, pal::Outline, 1.5);
    }
  }
  if (face == 3) {
    // Bared teeth across the snout.
    cairo_move_to(cr, 10, -4);
    cairo_line_to(cr, 12.5, 0);
    cairo_line_to(cr, 10, 4);
    art::Stroke(cr, pal::White, 1.8);
  }
  cairo_restore(cr);
}

// ---- Apples and blood --------------------------------------------------------------------------

// "Apple01": a red apple, a yellow-green apple, and a rotten one with a worm in it.
void DrawApple(cairo_t* cr, int pattern) {
  const double cx = sn::AppleImage.Width / 2.0, cy = 17;
  art::GroundShadow(cr, cx + 2, cy + 8, 8, 3, 0.35);
  const Color body = pattern == 0   ? pal::Red
                     : pattern == 1 ? art::Hex(0xC8D84A)
                                    : art::Hex(0x8A6A32);
  cairo_move_to(cr, cx, cy - 6);
  cairo_curve_to(cr, cx + 5, cy - 10, cx + 10, cy - 5, cx + 9, cy + 1);
  cairo_curve_to(cr, cx + 8, cy + 8, cx + 3, cy + 10, cx, cy + 8);
  cairo_curve_to(cr, cx - 3, cy + 10, cx - 8, cy + 8, cx - 9, cy + 1);
  cairo_curve_to(cr, cx - 10, cy - 5, cx - 5, cy - 10, cx, cy - 6);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{body, pal::Outline, 1.6, 0.3, pattern == 2 ? 0.0 : 0.7});
  // Stalk and leaf.
  cairo_move_to(cr, cx, cy - 5);
  cairo_curve_to(cr, cx, cy - 9, cx + 1, cy - 12, cx + 2, cy - 14);
  art::Stroke(cr, pal::WoodDark, 1.6);
  if (pattern != 2) {
    cairo_move_to(cr, cx + 1, cy - 10);
    cairo_curve_to(cr, cx + 4, cy - 15, cx + 8, cy - 14, cx + 9, cy - 12);
    cairo_curve_to(cr, cx + 6, cy - 9, cx + 3, cy - 9, cx + 1, cy - 10);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Green, pal::Outline, 1.0, 0.2});
    return;
  }
  // Rotten: dark bruises, a worm hole and the worm looking out of it.
  art::Rng rng(9);
  for (int i = 0; i < 4; ++i) {
    art::Ellipse(cr, cx + rng.Range(-6, 6), cy + rng.Range(-3, 6), rng.Range(1.5, 3),
                 rng.Range(1.2, 2.2));
    art::Fill(cr, art::Hex(0x4A3018, 0.8));
  }
  art::Circle(cr, cx - 3, cy + 1, 2.2);
  art::Fill(cr, pal::Outline);
  cairo_move_to(cr, cx - 3, cy + 1);
  cairo_curve_to(cr, cx - 6, cy - 2, cx - 9, cy - 1, cx - 8, cy - 5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  art::SetColor(cr, pal::Outline);
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  art::SetColor(cr, pal::Pink);
  cairo_set_line_width(cr, 2.4);
  cairo_stroke(cr);
  art::Circle(cr, cx - 8.2, cy - 5.4, 0.5);
  art::Fill(cr, pal::Outline);
}

// "Blood01": a splash under the crashed head, growing over three frames.
void DrawBlood(cairo_t* cr, int pattern) {
  const double cx = sn::CellCentre.X - sn::BloodAt.X, cy = sn::CellCentre.Y - sn::BloodAt.Y;
  const double grow = 0.55 + 0.225 * pattern;
  const Color blood = art::Hex(0xB01818), dark = art::Hex(0x6E0A0A);
  art::Rng rng(31);
  art::Ellipse(cr, cx, cy, 17 * grow, 15 * grow);
  art::Paint(cr, art::Style{blood, dark, 1.2, 0.25, 0.3});
  for (int i = 0; i < 9; ++i) {
    const double a = rng.Range(0, 2 * M_PI), d = rng.Range(14, 26) * grow;
    const double r = rng.Range(2, 4.5) * grow;
    art::Circle(cr, cx + d * std::cos(a), cy + d * std::sin(a) * 0.9, r);
    art::Paint(cr, art::Style{blood, dark, 1.0, 0.2, 0.2});
  }
}

// ---- Sounds ------------------------------------------------------------------------------------

constexpr content::WaveFinish MakeWave{.Rate = kRate};

// A bite and a crunch: the jaws snap, then the apple cracks.
synth::Buffer Chomp(double pitch, uint32_t seed, int crunches) {
  synth::Buffer out;
  const synth::HitRecipe snap{.Seconds = 0.08,
                              .Tone = {.F0 = 900 * pitch, .F1 = 300 * pitch, .HalfLife = 0.012},
                              .Noise = {.Centre = 3200, .HalfLife = 0.01},
                              .Seed = seed};
  synth::Mix(out, synth::Hit(snap, kRate));
  for (int i = 0; i < crunches; ++i) {
    const synth::HitRecipe crunch{
        .Seconds = 0.12,
        .Tone = {.F0 = 260 * pitch, .F1 = 120 * pitch, .HalfLife = 0.02, .Gain = 0.5},
        .Noise = {.Centre = 1800.0 + 500 * i, .Q = 0.8, .HalfLife = 0.03, .Gain = 1.0},
        .DriveGain = 1.6,
        .Seed = seed + 10 * (i + 1)};
    synth::MixAt(out, synth::Hit(crunch, kRate), kRate, 0.07 + 0.11 * i, 0.9 - 0.15 * i);
  }
  return out;
}

// Bitten into a rotten apple: a squelch and a disgusted falling groan.
synth::Buffer Yuck() {
  synth::Buffer out = Chomp(0.8, 41, 1);
  synth::Buffer groan = synth::Tone(synth::Wave::Saw, 260, 90, 0.55, kRate);
  synth::Tremolo(groan, kRate, 9, 0.3);
  synth::LowPass(groan, kRate, 900);
  synth::Adsr(groan, kRate, 0.03, 0.1, 0.8, 0.15);
  synth::MixAt(out, groan, kRate, 0.12, 0.8);
  return out;
}

// Into the fence: a heavy thud and a dizzy whistle falling away.
synth::Buffer Crash() {
  const synth::HitRecipe thud{.Seconds = 0.4,
                              .Tone = {.F0 = 140, .F1 = 45, .HalfLife = 0.08},
                              .Noise = {.Centre = 700, .HalfLife = 0.03, .Gain = 0.9},
                              .DriveGain = 2.0,
                              .Seed = 61};
  synth::Buffer out = synth::Hit(thud, kRate);
  synth::Buffer whistle = synth::Tone(synth::Wave::Sine, 1800, 500, 0.6, kRate);
  synth::Tremolo(whistle, kRate, 14, 0.4);
  synth::Adsr(whistle, kRate, 0.02, 0.1, 0.6, 0.2);
  synth::MixAt(out, whistle, kRate, 0.1, 0.35);
  return out;
}

// A wet splat.
synth::Buffer Splat() {
  synth::Buffer b = synth::Hit({.Seconds = 0.3,
                                .Tone = {.F0 = 320, .F1 = 70, .HalfLife = 0.04, .Gain = 0.7},
                                .Noise = {.Centre = 900, .Q = 0.6, .HalfLife = 0.05, .Gain = 1.0},
                                .DriveGain = 1.4,
                                .Seed = 71},
                               kRate);
  synth::LowPass(b, kRate, 2200);
  return b;
}

// A bad apple left behind: a rude, fluttering raspberry.
synth::Buffer Raspberry(double seconds, double f0, double f1, uint32_t seed) {
  synth::Buffer b = synth::Tone(synth::Wave::Pulse25, f0, f1, seconds, kRate, seed);
  synth::Buffer n = synth::WhiteNoise(seconds, kRate, seed + 3);
  synth::LowPass(n, kRate, 400);
  synth::Mix(b, n, 0.6);
  for (size_t i = 0; i < b.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    b[i] *= 0.55 + 0.45 * std::sin(2 * M_PI * (18 + 10 * t) * t);
  }
  synth::LowPass(b, kRate, 700);
  synth::Drive(b, 1.8);
  synth::Adsr(b, kRate, 0.02, 0.05, 0.8, seconds * 0.35);
  return b;
}

std::vector<content::WaveSpec> Waves() {
  return {
      MakeWave("Hom01", Chomp(1.0, 11, 2)),
      MakeWave("Hom02", Chomp(1.15, 21, 1)),
      MakeWave("Hom03", Chomp(0.9, 31, 3)),
      MakeWave("Hom04", Yuck()),
      MakeWave("Die01", Crash(), 0.9),
      MakeWave("Blood01", Splat()),
      MakeWave("Per01", Raspberry(0.45, 95, 70, 81)),
      MakeWave("Per02", Raspberry(0.7, 120, 60, 91)),
  };
}

void Build(content::ContentSink& sink) {
  sink.Background("r_zmiy01", 640, 480, DrawFieldBackground);
  sink.ImageList("s_zmiy01",
                 {
                     {sn::HeadImage.Name, sn::HeadImage.Width, sn::HeadImage.Height,
                      sn::HeadImage.Patterns, DrawHead, sn::HeadFrames},
                     {sn::BendImage.Name, sn::BendImage.Width, sn::BendImage.Height,
                      sn::BendImage.Patterns, DrawBend},
                     {sn::VerticalImage.Name, sn::VerticalImage.Width, sn::VerticalImage.Height,
                      sn::VerticalImage.Patterns, DrawVertical},
                     {sn::HorizontalImage.Name, sn::HorizontalImage.Width,
                      sn::HorizontalImage.Height, sn::HorizontalImage.Patterns, DrawHorizontal},
                     {sn::AppleImage.Name, sn::AppleImage.Width, sn::AppleImage.Height,
                      sn::AppleImage.Patterns, DrawApple},
                     {sn::BloodImage.Name, sn::BloodImage.Width, sn::BloodImage.Height,
                      sn::BloodImage.Patterns, DrawBlood},
                 });
  sink.WaveList("w_zmiy01", Waves());
}

}  // namespace

VEPA_CONTENT_MODULE(snake, Build);
