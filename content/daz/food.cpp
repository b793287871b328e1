// Daz's food game: the kitchen on Daz's screen "r_daz01" (the wall, the floor with Gorm's four
// spots, the shelf with the back of Puch's barrel, the board for lives and score, the casing
// round the edges) and the pictures "s_daz01": Gorm in each column with his pan, Puch and his
// arm, the barrel, the food, the spit, the mouse, the casing corners and the panel.
//
//   Gorm01..04 at GormPlaces (pan under ColumnX, at rest and swinging), GormH01 (302, 216)
//   Puch01 rises from (92, 113) to (115, 23); his mouth, where the spit starts, is at (+55, +60)
//   Puch02 turns about (+4, +3); his hand is at (+64, +44), where a caught piece hangs
//   Predm04 (84, 113): the barrel's front; its back rim and dark inside are in the background
//   Mouse01 (MouseRunX, 360): nose at the left, where it takes the piece
#include <cairo.h>

#include <cmath>

#include "content.h"
#include "content/daz/daz_art.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "minigames/daz_layout.h"

namespace {

namespace pal = art::pal;
namespace layout = vepa::daz;
using art::Color;
using dazart::AtScreen;

constexpr double kDeg = M_PI / 180;

// Gorm stands with his pan held out to the left: his body is this far right of the column.
constexpr double kBodyFromPan = 77;
constexpr double kGormHeadR = 30, kGormHeadY = 250;
constexpr double kFeetY = 396;

// The barrel on screen.
constexpr double kBarrelCX = layout::BarrelPlace.X + layout::BarrelW / 2.0;
constexpr double kBarrelTopY = layout::BarrelPlace.Y + 10, kBarrelRX = 44, kBarrelRimRY = 9;
constexpr double kBarrelBottom = layout::BarrelPlace.Y + layout::BarrelH - 4;
constexpr double kShelfY = kBarrelBottom;

// Puch's head in his picture: the mouth lands on the spit's start when he is fully up.
constexpr double kPuchHeadCX = 51, kPuchHeadCY = 40, kPuchHeadRY = 32;

const Color kWall = art::Hex(0xEFC47E);
const Color kTile = art::Hex(0xF6F1E4);
const Color kIron = art::Hex(0x3A3A44);

// ---- The background ------------------------------------------------------------------------

void BarrelBack(cairo_t* cr) {
  // The inside of the barrel and the back of its rim; the picture Predm04 draws the front.
  art::Ellipse(cr, kBarrelCX, kBarrelTopY, kBarrelRX, kBarrelRimRY);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, art::kOutline, 0.1});
  art::Ellipse(cr, kBarrelCX, kBarrelTopY + 1, kBarrelRX - 5, kBarrelRimRY - 3);
  art::Fill(cr, art::Hex(0x2A1A10));
}

void DrawKitchen(cairo_t* cr) {
  const double floorTop = layout::FloorTop;
  art::VerticalGradient(cr, 0, 0, 640, floorTop, kWall.Lighter(0.15), kWall.Shade(0.1));
  // Tiles on the lower wall.
  for (double y = 232; y < floorTop; y += 20)
    for (double x = 0; x < 640; x += 28) {
      cairo_rectangle(cr, x + 1, y + 1, 26, 18);
      art::Fill(cr, kTile.Mix(kWall, 0.25));
    }
  cairo_rectangle(cr, 0, 226, 640, 6);
  art::Fill(cr, kWall.Shade(0.3));
  // A window with a curtain, up in the middle.
  art::RoundedRect(cr, 250, 118, 120, 90, 4);
  art::Paint(cr, art::Style{pal::White, pal::Outline, art::kOutline, 0.2});
  art::VerticalGradient(cr, 258, 126, 104, 74, pal::Sky, pal::Sky.Lighter(0.5));
  cairo_rectangle(cr, 308, 126, 4, 74);
  art::Fill(cr, pal::White);
  for (double side : {0.0, 1.0}) {
    cairo_new_path(cr);
    const double x = side == 0 ? 246 : 374, d = side == 0 ? 1 : -1;
    cairo_move_to(cr, x, 112);
    cairo_line_to(cr, x + d * 30, 112);
    cairo_curve_to(cr, x + d * 14, 150, x + d * 22, 180, x + d * 10, 214);
    cairo_line_to(cr, x, 214);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Red.Mix(pal::Pink, 0.3), pal::Outline, 1.8, 0.25});
  }
  // The shelf that Puch's barrel stands on, and the back of the barrel.
  cairo_rectangle(cr, 66, kShelfY, 132, 10);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.8, 0.25});
  for (double x : {82.0, 176.0}) {
    cairo_new_path(cr);
    art::Polyline(cr, {x, kShelfY + 10, x + 12, kShelfY + 10, x + 12, kShelfY + 30}, true);
    art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.6, 0.2});
  }
  BarrelBack(cr);
  // The board with the lives and the score, on two cords.
  for (double x : {246.0, 464.0}) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + (x < 300 ? 10 : -10), 58);
    art::Stroke(cr, pal::Outline, 1.6);
  }
  art::RoundedRect(cr, 232, 56, 248, 52, 8);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, art::kOutline, 0.25});
  art::RoundedRect(cr, 386, 64, 80, 40, 6);
  art::Paint(cr, art::Style{art::Hex(0x24302A), pal::Outline, 1.8, 0.1});
  // The floor: planks in perspective, Gorm's four spots chalked on it.
  cairo_rectangle(cr, 0, floorTop, 640, 480 - floorTop);
  art::Fill(cr, pal::WoodLight.Shade(0.1));
  for (int i = -12; i <= 12; ++i) {
    cairo_move_to(cr, 320 + i * 40, floorTop);
    cairo_line_to(cr, 320 + i * 70, 480);
    art::Stroke(cr, pal::WoodDark.WithAlpha(0.5), 1.4);
  }
  cairo_rectangle(cr, 0, floorTop - 4, 640, 6);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.4, 0.2});
  for (int c = 0; c < layout::Columns; ++c) {
    const double x = layout::ColumnX[c], y = layout::FloorY + 14 + 2 * c;
    art::Ellipse(cr, x, y, 21, 6);
    art::Stroke(cr, pal::White.WithAlpha(0.55), 2.2);
    // A faint line up the wall marks the column the piece keeps to.
    cairo_move_to(cr, x, 238);
    cairo_line_to(cr, x, floorTop - 6);
    const double dash[] = {4, 6};
    cairo_set_dash(cr, dash, 2, 0);
    art::Stroke(cr, pal::WoodDark.WithAlpha(0.35), 1.5);
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  // Daz's casing round the screen: a thin rim, and on the right the strip with the buttons.
  cairo_rectangle(cr, 0, 0, 640, 480);
  art::RoundedRect(cr, 6, 6, 552, 468, 14);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  art::SetColor(cr, dazart::kPlastic);
  cairo_fill_preserve(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  art::SetColor(cr, pal::Outline);
  cairo_set_line_width(cr, art::kOutline);
  cairo_stroke(cr);
  art::VerticalGradient(cr, 562, 6, 74, 468, dazart::kPlastic.Lighter(0.12),
                        dazart::kPlastic.Shade(0.15));
  art::TextStyle t{.Face = art::Font::SansBold,
                   .Size = 20,
                   .Fill = pal::Cream,
                   .Line = pal::Outline,
                   .LineWidth = 1.4};
  art::TextCentered(cr, "ДАЗ", 602, 252, t);
  for (double y : {280.0, 290.0, 300.0, 310.0}) {
    cairo_move_to(cr, 578, y);
    cairo_line_to(cr, 626, y);
    art::Stroke(cr, dazart::kPlasticDark, 2.5);
  }
  art::Vignette(cr, 640, 480, 0.2);
}

// ---- Gorm ------------------------------------------------------------------------------------

// The pan: an iron pan seen from the side, its handle towards Gorm's hand.
void Pan(cairo_t* cr, double cx, double cy, double tilt, double handX, double handY) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, cx + 16, cy);
  cairo_line_to(cr, handX, handY);
  art::SetColor(cr, pal::Outline);
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
  cairo_move_to(cr, cx + 16, cy);
  cairo_line_to(cr, handX, handY);
  art::SetColor(cr, pal::WoodDark);
  cairo_set_line_width(cr, 3.5);
  cairo_stroke(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, tilt * kDeg);
  cairo_new_path(cr);
  cairo_move_to(cr, -22, -4);
  cairo_line_to(cr, 22, -4);
  cairo_curve_to(cr, 20, 6, 14, 8, 0, 8);
  cairo_curve_to(cr, -14, 8, -20, 6, -22, -4);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kIron, pal::Outline, art::kOutline, 0.35, 0.3});
  art::Ellipse(cr, 0, -4, 22, 4);
  art::Paint(cr, art::Style{kIron.Lighter(0.25), pal::Outline, 1.6, 0.2});
  cairo_restore(cr);
}

// Gorm standing in a column: pan out to the left under the column, the other fist on his hip.
void FoodGorm(cairo_t* cr, int column, bool swing, bool head) {
  const double colX = layout::ColumnX[column], bx = colX + kBodyFromPan;
  const double top = 282, waist = 360;
  // Legs and shoes.
  for (double side : {-1.0, 1.0}) {
    art::LitLimb(cr, {bx + side * 14, waist - 4, bx + side * 16, kFeetY - 6}, 9, dazart::kTrousers);
    art::Ellipse(cr, bx + side * 18 + side * 4, kFeetY - 2, 14, 6);
    art::Paint(cr, art::Style{art::Hex(0x3A2A22), pal::Outline, art::kOutline, 0.3, 0.3});
  }
  // The far arm on the hip.
  art::LitLimb(cr, {bx + 34, top + 14, bx + 50, top + 44, bx + 34, top + 64}, 8, dazart::kSweater);
  // The body: a big round belly in the green sweater.
  cairo_new_path(cr);
  cairo_move_to(cr, bx - 30, top);
  cairo_curve_to(cr, bx - 10, top - 8, bx + 10, top - 8, bx + 30, top);
  cairo_curve_to(cr, bx + 50, top + 30, bx + 52, waist - 10, bx + 34, waist + 4);
  cairo_line_to(cr, bx - 34, waist + 4);
  cairo_curve_to(cr, bx - 52, waist - 10, bx - 50, top + 30, bx - 30, top);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{dazart::kSweater, pal::Outline, art::kOutline, 0.3, 0.15});
  for (double y = top + 22; y < waist; y += 16) {
    cairo_move_to(cr, bx - 40, y);
    cairo_curve_to(cr, bx - 14, y + 5, bx + 14, y + 5, bx + 42, y);
    art::Stroke(cr, dazart::kSweater.Shade(0.2).WithAlpha(0.55), 2.5);
  }
  art::Circle(cr, bx + 34, top + 64, 8);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.8, 0.2});
  // The pan arm: shoulder to hand, the pan under the column.
  const double panY = swing ? layout::PanSwingY : layout::PanRestY;
  const double handX = bx - 52, handY = swing ? top + 22 : top + 44;
  art::LitLimb(cr, {bx - 30, top + 10, bx - 44, top + 30, handX, handY}, 8, dazart::kSweater);
  Pan(cr, colX, panY, swing ? -14 : 0, handX - 4, handY);
  art::Circle(cr, handX, handY, 8);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.8, 0.2});
  if (swing) {
    // The whoosh of the pan going up.
    for (int i = 0; i < 3; ++i) {
      cairo_new_path(cr);
      cairo_arc(cr, colX + 6, panY + 40, 30 + i * 6, 200 * kDeg, 250 * kDeg);
      art::Stroke(cr, pal::White.WithAlpha(0.7 - i * 0.18), 2);
    }
  }
  if (head) dazart::GormHead(cr, bx, kGormHeadY + 2, kGormHeadR, 0);
}

void DrawGormInColumn(cairo_t* cr, int column, int pattern) {
  AtScreen(cr, layout::GormPlaces[column].X, layout::GormPlaces[column].Y);
  FoodGorm(cr, column, pattern == 1, column != 1);
}

void DrawGormHead(cairo_t* cr, int pattern) {
  AtScreen(cr, layout::GormHeadPlace.X, layout::GormHeadPlace.Y);
  dazart::GormHead(cr, layout::ColumnX[1] + kBodyFromPan, kGormHeadY - 1, kGormHeadR,
                   pattern == 1 ? 2 : 0, pattern == 1);
}

// ---- Puch --------------------------------------------------------------------------------

void DrawPuch(cairo_t* cr, int pattern) {
  // Shoulders coming out of the barrel, the head above, leaning out to the right.
  cairo_new_path(cr);
  // The body keeps inside the barrel's width; the head leans out over the rim.
  cairo_move_to(cr, 8, layout::PuchH + 2);
  cairo_curve_to(cr, 8, 80, 20, 70, 38, 70);
  cairo_curve_to(cr, 54, 70, 62, 82, 62, layout::PuchH + 2);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{dazart::kJacket, pal::Outline, art::kOutline, 0.3});
  dazart::PuchHead(cr, kPuchHeadCX, kPuchHeadCY, kPuchHeadRY, pattern, 1);
}

// The arm, from the shoulder at the top left to the open hand at the lower right.
void DrawPuchArm(cairo_t* cr, int) {
  art::LitLimb(cr, {5, 5, 34, 20, 56, 36}, 6.5, dazart::kJacket);
  art::Circle(cr, 63, 43, 7.5);
  art::Paint(cr, art::Style{dazart::kPuchSkin, pal::Outline, 1.8, 0.2});
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 64 + i * 2.5, 46);
    cairo_line_to(cr, 67 + i * 3, 54);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    art::Stroke(cr, pal::Outline, 5);
    cairo_move_to(cr, 64 + i * 2.5, 46);
    cairo_line_to(cr, 67 + i * 3, 54);
    art::Stroke(cr, dazart::kPuchSkin, 2.6);
  }
}

// The front of the barrel: staves, two iron hoops and the front half of the rim.
void DrawBarrel(cairo_t* cr, int) {
  AtScreen(cr, layout::BarrelPlace.X, layout::BarrelPlace.Y);
  const double cx = kBarrelCX, t = kBarrelTopY, b = kBarrelBottom, rx = kBarrelRX;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - rx, t);
  cairo_curve_to(cr, cx - rx * 1.08, t + 50, cx - rx * 1.08, b - 50, cx - rx * 0.92, b);
  cairo_curve_to(cr, cx - rx * 0.5, b + 8, cx + rx * 0.5, b + 8, cx + rx * 0.92, b);
  cairo_curve_to(cr, cx + rx * 1.08, b - 50, cx + rx * 1.08, t + 50, cx + rx, t);
  // The front arc of the rim closes the shape: the back half stays open for Puch.
  cairo_save(cr);
  cairo_translate(cr, cx, t);
  cairo_scale(cr, rx, kBarrelRimRY);
  cairo_arc(cr, 0, 0, 1, 0, M_PI);
  cairo_restore(cr);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, art::kOutline, 0.3, 0.2});
  for (int i = -3; i <= 3; ++i) {
    const double x = cx + i * rx * 0.28;
    cairo_move_to(cr, x, t + kBarrelRimRY * std::sqrt(1 - std::pow(i * 0.28, 2)) + 1);
    cairo_curve_to(cr, x * 1.0 + i * 1.5, t + 60, x + i * 1.5, b - 60, x, b + 4);
    art::Stroke(cr, pal::WoodDark.WithAlpha(0.6), 1.4);
  }
  for (double y : {t + 32, b - 32}) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - rx * 1.06, y);
    cairo_curve_to(cr, cx - rx * 0.5, y + 9, cx + rx * 0.5, y + 9, cx + rx * 1.06, y);
    art::Stroke(cr, pal::Outline, 7);
    cairo_move_to(cr, cx - rx * 1.05, y);
    cairo_curve_to(cr, cx - rx * 0.5, y + 9, cx + rx * 0.5, y + 9, cx + rx * 1.05, y);
    art::Stroke(cr, pal::SteelDark, 4);
  }
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, t);
  cairo_scale(cr, rx, kBarrelRimRY);
  cairo_arc(cr, 0, 0, 1, 0, M_PI);
  cairo_restore(cr);
  art::Stroke(cr, pal::WoodLight, 3);
}

// ---- The food -----------------------------------------------------------------------------

struct Sausage {
  Color Skin;
  bool Dots;     // fat in a salami
  bool Bent;     // a smoked ring piece
  bool Strings;  // tied ends
};
const Sausage kFood[layout::MaxPieces] = {
    {art::Hex(0xE89A94), false, false, true},   // boiled sausage
    {art::Hex(0x9E2E2A), true, false, true},    // salami
    {art::Hex(0xA8602E), false, true, false},   // smoked sausage
    {art::Hex(0xF0B098), false, false, false},  // a pair of frankfurters
};

void DrawFood(cairo_t* cr, int pattern) {
  const Sausage& s = kFood[pattern];
  const double w = layout::PieceW, h = layout::PieceH;
  auto body = [&](double y, double r, double len) {
    cairo_new_path(cr);
    if (s.Bent) {
      cairo_arc(cr, w / 2, h + 10, 22, 200 * kDeg, 340 * kDeg);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      art::SetColor(cr, pal::Outline);
      cairo_set_line_width(cr, 2 * r + 4);
      cairo_stroke(cr);
      cairo_arc(cr, w / 2, h + 10, 22, 200 * kDeg, 340 * kDeg);
      art::SetColor(cr, s.Skin);
      cairo_set_line_width(cr, 2 * r);
      cairo_stroke(cr);
      cairo_arc(cr, w / 2, h + 10, 22 + r * 0.4, 215 * kDeg, 300 * kDeg);
      art::Stroke(cr, pal::White.WithAlpha(0.45), 2.5);
      return;
    }
    art::RoundedRect(cr, (w - len) / 2, y - r, len, 2 * r, r);
    art::Paint(cr, art::Style{s.Skin, pal::Outline, 1.8, 0.3, 0.5});
  };
  if (pattern == 3) {
    body(h / 2 - 5, 5.5, 34);
    body(h / 2 + 5, 5.5, 34);
  } else {
    body(h / 2, 9, 36);
  }
  if (s.Dots) {
    art::Rng rng(9);
    for (int i = 0; i < 9; ++i) {
      art::Circle(cr, rng.Range(8, w - 8), rng.Range(h / 2 - 5, h / 2 + 5), 1.3);
      art::Fill(cr, pal::Cream);
    }
  }
  if (s.Strings) {
    for (double x : {2.5, w - 2.5}) {
      cairo_move_to(cr, x, h / 2 - 3);
      cairo_line_to(cr, x + (x < w / 2 ? 1 : -1), h / 2 + 3);
      art::Stroke(cr, pal::Cream.Shade(0.2), 1.6);
    }
  }
}

// ---- Spit, mouse, lives, casing ----------------------------------------------------------------

void DrawSpitFlying(cairo_t* cr, int) {
  cairo_new_path(cr);
  cairo_move_to(cr, 1, 4.5);
  cairo_curve_to(cr, 6, 0.5, 13, 0.5, 16, 3);
  cairo_curve_to(cr, 18, 4.5, 18, 5.5, 16, 6.5);
  cairo_curve_to(cr, 13, 8.5, 6, 8.5, 1, 4.5);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{dazart::kSpit, pal::Outline.WithAlpha(0.8), 1.1, 0.2, 0.9});
}

void DrawSplash(cairo_t* cr, int pattern) {
  const double cx = layout::SplashW / 2.0, cy = layout::SplashH / 2.0 + 2;
  const double spread = 0.45 + 0.28 * pattern;
  art::Ellipse(cr, cx, cy, 6 + 5 * spread, 3 + 1.5 * spread);
  art::Paint(cr, art::Style{dazart::kSpit, pal::Outline.WithAlpha(0.7), 1.1, 0.15, 0.7});
  for (int i = 0; i < 5; ++i) {
    const double a = (200 + i * 35) * kDeg, d = 6 + spread * 7;
    art::Circle(cr, cx + std::cos(a) * d, cy + std::sin(a) * d * 0.6 - pattern,
                1.6 - pattern * 0.3);
    art::Fill(cr, dazart::kSpit);
  }
}

void DrawSpitMark(cairo_t* cr, int) {
  art::Ellipse(cr, layout::SpitMarkW / 2.0, layout::SpitMarkH / 2.0, layout::SpitMarkW / 2.0 - 2,
               layout::SpitMarkH / 2.0 - 1.5);
  art::Paint(cr, art::Style{dazart::kSpit.Mix(pal::WoodLight, 0.35), pal::Outline.WithAlpha(0.5),
                            1.0, 0.1, 0.5});
}

void DrawMouse(cairo_t* cr, int) {
  const Color fur = art::Hex(0x9A9AA4);
  // The tail curls up behind.
  cairo_new_path(cr);
  cairo_move_to(cr, 44, 26);
  cairo_curve_to(cr, 54, 28, 60, 20, 56, 10);
  art::Stroke(cr, pal::Pink.Shade(0.2), 2.2);
  for (double x : {18.0, 34.0}) {
    art::Ellipse(cr, x, 32, 4, 2.5);
    art::Paint(cr, art::Style{pal::Pink, pal::Outline, 1.2, 0.1});
  }
  art::Ellipse(cr, 30, 24, 17, 10);
  art::Paint(cr, art::Style{fur, pal::Outline, 2, 0.3});
  // Head with a pointed nose to the left, a big ear.
  cairo_new_path(cr);
  cairo_move_to(cr, 2, 24);
  cairo_curve_to(cr, 8, 14, 14, 12, 20, 16);
  cairo_curve_to(cr, 22, 24, 16, 28, 2, 24);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{fur, pal::Outline, 1.8, 0.3});
  art::Circle(cr, 2.5, 23.5, 2);
  art::Fill(cr, pal::Pink.Shade(0.3));
  art::Ellipse(cr, 19, 11, 6, 7);
  art::Paint(cr, art::Style{fur.Lighter(0.1), pal::Outline, 1.6, 0.2});
  art::Ellipse(cr, 19, 11.5, 3.5, 4.5);
  art::Fill(cr, pal::Pink);
  art::Circle(cr, 10, 18.5, 1.8);
  art::Fill(cr, pal::Outline);
  for (double y : {22.0, 25.0}) {
    cairo_move_to(cr, 6, 22);
    cairo_line_to(cr, 0.5, y - 3);
    art::Stroke(cr, pal::Outline.WithAlpha(0.6), 0.8);
  }
}

void DrawLife(cairo_t* cr, int pattern) {
  const double cx = layout::LifeW / 2.0, cy = layout::LifeH / 2.0;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, (pattern == 0 ? -10 : 10) * kDeg);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 9);
  cairo_curve_to(cr, -14, 0, -10, -12, 0, -5);
  cairo_curve_to(cr, 10, -12, 14, 0, 0, 9);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pattern == 0 ? pal::Red : pal::Tomato, pal::Outline, 1.8, 0.3, 0.6});
  cairo_restore(cr);
}

// The corners of the casing that hold the arrow buttons: left (0) and right (1).
void DrawCasing(cairo_t* cr, int pattern) {
  const double w = layout::CasingW, h = layout::CasingH;
  cairo_save(cr);
  if (pattern == 1) {
    cairo_translate(cr, w, 0);
    cairo_scale(cr, -1, 1);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, -4, 0);
  cairo_line_to(cr, w - 36, 0);
  cairo_curve_to(cr, w - 8, 0, w, 14, w, 40);
  cairo_line_to(cr, w, h + 4);
  cairo_line_to(cr, -4, h + 4);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{dazart::kPlastic, pal::Outline, art::kOutline, 0.3, 0.2});
  // Grip ridges along the bottom and a screw.
  for (double y = h - 26; y < h; y += 7) {
    cairo_move_to(cr, 10, y);
    cairo_line_to(cr, w - 12, y);
    art::Stroke(cr, dazart::kPlasticDark.WithAlpha(0.6), 2);
  }
  art::Circle(cr, w - 14, 12, 4);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.2, 0.3});
  cairo_move_to(cr, w - 17, 12);
  cairo_line_to(cr, w - 11, 12);
  art::Stroke(cr, pal::Outline, 1);
  cairo_restore(cr);
}

void Build(content::ContentSink& sink) {
  sink.Background(std::string(layout::FoodBackground), 640, 480, DrawKitchen);
  std::vector<content::ImageSpec> images;
  const char* gormNames[] = {"Gorm01", "Gorm02", "Gorm03", "Gorm04"};
  for (int c = 0; c < layout::Columns; ++c)
    images.push_back({gormNames[c], layout::GormW[c], layout::GormH[c], 2,
                      [c](cairo_t* cr, int p) { DrawGormInColumn(cr, c, p); }});
  images.push_back({"GormH01", layout::GormHeadW, layout::GormHeadH, 2, DrawGormHead});
  images.push_back({"Kolbas01", layout::PieceW, layout::PieceH, layout::MaxPieces, DrawFood});
  images.push_back({"Puch01", layout::PuchW, layout::PuchH, 4, DrawPuch});
  images.push_back({"Puch02", layout::PuchArmW, layout::PuchArmH, 1, DrawPuchArm});
  images.push_back({"Predm04", layout::BarrelW, layout::BarrelH, 1, DrawBarrel});
  images.push_back({"Harka01", layout::SpitW, layout::SpitH, 1, DrawSpitFlying});
  images.push_back({"Harka02", layout::SplashW, layout::SplashH, 3, DrawSplash});
  images.push_back({"Harka03", layout::SpitMarkW, layout::SpitMarkH, 1, DrawSpitMark});
  images.push_back({"Mouse01", layout::MouseW, layout::MouseH, 1, DrawMouse});
  images.push_back({"Korpus01", layout::CasingW, layout::CasingH, 2, DrawCasing});
  images.push_back({"Live01", layout::LifeW, layout::LifeH, 2, DrawLife});
  for (content::ImageSpec& s : dazart::PanelImages()) images.push_back(std::move(s));
  sink.ImageList(std::string(layout::FoodImages), images);
}

}  // namespace

VEPA_CONTENT_MODULE(daz_food, Build);
