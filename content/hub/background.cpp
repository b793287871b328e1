// "r_fill01": the kiosk seen from the street. Everything that moves or can be sold is a sprite
// of "s_ksk01" or "s_kib01"; the background holds the booth, the view into it, the counter and
// the few objects that only carry an item code (tip jar, inkpot, the sticker on the counter).
#include <cmath>

#include "content/hub/hub_art.h"
#include "content/lib/fonts.h"

namespace hubart {

namespace {

namespace pal = art::pal;

const Color kWallPaint = art::Hex(0x3E9C8E);  // the booth's painted side walls
const Color kFrame = art::Hex(0xF2D27A);      // window frame
const Color kInterior = art::Hex(0x8A5A3A);   // wallpaper inside
const Color kRoof = art::Hex(0xB03A2E);
const Color kBase = art::Hex(0xC8473A);  // counter base panel

void SkyAndStreet(cairo_t* cr) {
  // Sky.
  art::FillRect(
      cr, 0, 0, 640, 480,
      art::LinearGradient(0, 0, 0, 120, {{0, {0.50, 0.78, 0.95}}, {1, {0.86, 0.93, 0.96}}}));

  // A house across the street, top left.
  cairo_rectangle(cr, -4, 4, 104, 90);
  art::Paint(cr, art::Style{art::Hex(0xE6B07A), pal::Outline, 2, 0.15});
  for (int i = 0; i < 3; ++i) {
    art::RoundedRect(cr, 8 + i * 30, 14, 20, 26, 2);
    art::Paint(cr, art::Style{art::Hex(0x6FA8D0), pal::Outline, 1.6, 0.3, 0.5});
    cairo_move_to(cr, 18 + i * 30, 14);
    cairo_line_to(cr, 18 + i * 30, 40);
    art::Stroke(cr, pal::Outline, 1.2);
  }
  // The sun and a cloud, top right.
  art::Circle(cr, 600, 22, 14);
  art::Paint(cr, art::Style{pal::Yellow, pal::Gold, 2, 0.2, 0.4});
  art::Ellipse(cr, 566, 30, 18, 8);
  art::Ellipse(cr, 580, 26, 14, 10);
  art::Fill(cr, pal::White.WithAlpha(0.9));

  // The street lamp at the right edge.
  cairo_rectangle(cr, 626, 20, 8, 470);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 2, 0.3});
  art::RoundedRect(cr, 616, 6, 24, 16, 5);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 2, 0.3, 0.5});
  // The left strip: the pavement wall.
  cairo_rectangle(cr, 0, 94, 30, 400);
  art::Paint(cr, art::Style{art::Hex(0xD9A066), pal::Outline, 0, 0.1});
  art::Grain(cr, 0, 94, 30, 400, 5, 0.06);
  // Pavement at the very bottom corners.
  cairo_rectangle(cr, 0, 440, 640, 40);
  art::Fill(cr, art::Hex(0x9A8F86));
}

void Booth(cairo_t* cr) {
  // Side walls: painted planks.
  for (int side = 0; side < 2; ++side) {
    const double x = side == 0 ? kBoothLeft : kWindowRight;
    const double w = side == 0 ? kWindowLeft - kBoothLeft : kBoothRight - kWindowRight;
    art::WoodPlanks(cr, x, kRoofBottom - 4, w, kCounterTop - kRoofBottom + 8, 18, true, 11 + side,
                    kWallPaint);
    cairo_rectangle(cr, x, kRoofBottom - 4, w, kCounterTop - kRoofBottom + 8);
    art::Stroke(cr, pal::Outline, 2.5);
  }

  // The view inside: wallpaper with stripes and small flowers, darker towards the corners.
  cairo_rectangle(cr, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft,
                  kCounterTop - kWindowTop);
  art::Fill(cr, kInterior);
  for (double x = kWindowLeft + 6; x < kWindowRight; x += 22) {
    cairo_rectangle(cr, x, kWindowTop, 8, kCounterTop - kWindowTop);
    art::Fill(cr, kInterior.Lighter(0.12));
  }
  art::Rng rng(23);
  for (double y = kWindowTop + 14; y < kCounterTop; y += 26) {
    for (double x = kWindowLeft + 17; x < kWindowRight; x += 22) {
      art::Circle(cr, x + ((static_cast<int>(y) / 26) % 2) * 11, y, 2.2);
      art::Fill(cr, art::Hex(0xE0A458, 0.5));
    }
  }
  // Shadow under the ceiling and at the sides of the inside.
  art::FillRect(cr, kWindowLeft, kWindowTop, kWindowRight - kWindowLeft, 60,
                art::LinearGradient(0, kWindowTop, 0, kWindowTop + 60,
                                    {{0, {0.1, 0.05, 0.03, 0.55}}, {1, {0.1, 0.05, 0.03, 0}}}));

  // The lamp's cord and the snake's branch.
  cairo_move_to(cr, 320, kWindowTop);
  cairo_line_to(cr, 320, 62);
  art::Stroke(cr, pal::Outline, 2);
  art::LitLimb(cr, {404, 100, 450, 95, 500, 99}, 4, pal::WoodDark, kLimbLight);
  // The nail the boxing glove hangs on.
  art::Circle(cr, 187, 84, 3);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.5, 0.3});
  // A shelf with a few jars behind the cashier's right shoulder.
  cairo_rectangle(cr, 396, 262, 106, 8);
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, 2, 0.3});
  const Color jars[] = {pal::Red, pal::Yellow, pal::Lime, pal::Orange};
  for (int i = 0; i < 4; ++i) {
    art::RoundedRect(cr, 404 + i * 24, 238, 18, 24, 4);
    art::Paint(cr, art::Style{jars[i], pal::Outline, 1.8, 0.3, 0.5});
    cairo_rectangle(cr, 404 + i * 24, 234, 18, 6);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.5, 0.2});
  }

  // The window frame, with a little glare on the glass.
  cairo_rectangle(cr, kWindowLeft - 6, kWindowTop - 4, kWindowRight - kWindowLeft + 12,
                  kCounterTop - kWindowTop + 6);
  cairo_rectangle(cr, kWindowLeft + 2, kWindowTop + 2, kWindowRight - kWindowLeft - 4,
                  kCounterTop - kWindowTop);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  art::Paint(cr, art::Style{kFrame, pal::Outline, 2.5, 0.25});
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (int i = 0; i < 2; ++i) {
    const double x = 222 + i * 26;
    cairo_move_to(cr, x, kWindowTop + 4);
    cairo_line_to(cr, x + 16 - i * 6, kWindowTop + 4);
    cairo_line_to(cr, x - 40 - i * 6, kWindowTop + 110);
    cairo_line_to(cr, x - 56, kWindowTop + 110);
    cairo_close_path(cr);
    art::Fill(cr, pal::White.WithAlpha(0.16));
  }

  // Roof: the awning sprite covers the middle; the side roofs slope down with a fringe.
  cairo_rectangle(cr, 16, 26, 608, kRoofBottom - 26);
  art::Paint(cr, art::Style{kRoof, pal::Outline, 2.5, 0.3});
  for (double x = 18; x < 622; x += 16) {
    cairo_move_to(cr, x, kRoofBottom);
    cairo_arc_negative(cr, x + 8, kRoofBottom, 8, M_PI, 0);
    cairo_close_path(cr);
    art::Paint(
        cr, art::Style{static_cast<int>(x / 16) % 2 ? pal::Cream : kRoof, pal::Outline, 1.6, 0.2});
  }
}

void Counter(cairo_t* cr) {
  // The top: planks running along, lit from above.
  art::WoodPlanks(cr, 20, kCounterTop, 604, kCounterFront - kCounterTop, 12, false, 31,
                  pal::WoodLight);
  cairo_rectangle(cr, 20, kCounterTop, 604, kCounterFront - kCounterTop);
  art::Stroke(cr, pal::Outline, 2.5);
  // The rounded front edge.
  art::RoundedRect(cr, 14, kCounterFront, 616, kCounterLip - kCounterFront, 4);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2.5, 0.35, 0.3});
  // The base panel under the counter, in the booth's red with a cream border and diamonds.
  cairo_rectangle(cr, kBoothLeft, kCounterLip, kBoothRight - kBoothLeft, 480 - kCounterLip + 4);
  art::Paint(cr, art::Style{kBase, pal::Outline, 2.5, 0.2});
  art::Grain(cr, kBoothLeft, kCounterLip, kBoothRight - kBoothLeft, 480 - kCounterLip, 7, 0.05);
  for (double x = 160; x < 430; x += 34) {
    cairo_move_to(cr, x, 446);
    cairo_line_to(cr, x + 10, 436);
    cairo_line_to(cr, x + 20, 446);
    cairo_line_to(cr, x + 10, 456);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.5, 0.2});
  }
  // A shadow of the counter's edge on the base.
  art::FillRect(cr, kBoothLeft, kCounterLip, kBoothRight - kBoothLeft, 12,
                art::LinearGradient(0, kCounterLip, 0, kCounterLip + 12,
                                    {{0, {0.1, 0.05, 0.02, 0.4}}, {1, {0.1, 0.05, 0.02, 0}}}));
}

void TipJar(cairo_t* cr) {
  const double x = kJarX, y = kJarY, w = kJarW, h = kJarH;
  art::GroundShadow(cr, x + w / 2 + 3, y + h - 1, w * 0.55, 4);
  // Coins inside.
  for (int i = 0; i < 6; ++i) {
    art::Ellipse(cr, x + 8 + (i % 3) * 9, y + h - 7 - (i / 3) * 5, 6, 3);
    art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.2, 0.3});
  }
  art::RoundedRect(cr, x + 1, y + 6, w - 2, h - 6, 7);
  art::Paint(cr, art::Style{art::Hex(0xCFEFF7, 0.35), pal::Outline, 2, 0, 0.6});
  art::RoundedRect(cr, x + 4, y, w - 8, 8, 3);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.8, 0.3});
  // The label.
  cairo_rectangle(cr, x + 3, y + 14, w - 6, 11);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.2, 0});
  SignText(cr, "НА ЧАЙ", x + w / 2, y + 19.5, 7.5, pal::Red, 0.75);
}

void Inkpot(cairo_t* cr) {
  const double x = kInkX, y = kInkY;
  // A few blank ticket forms under the pot.
  for (int i = 0; i < 3; ++i) {
    cairo_save(cr);
    cairo_translate(cr, x + 4 + i * 2, y + 20 - i * 2);
    cairo_rotate(cr, -0.12 + i * 0.08);
    cairo_rectangle(cr, 0, 0, 28, 12);
    art::Paint(cr, art::Style{pal::Paper, pal::Outline, 1.2, 0.1});
    cairo_restore(cr);
  }
  art::Ellipse(cr, x + 15, y + 22, 11, 6);
  art::Paint(cr, art::Style{art::Hex(0x2F3A6E), pal::Outline, 1.8, 0.4, 0.5});
  art::RoundedRect(cr, x + 6, y + 10, 18, 13, 4);
  art::Paint(cr, art::Style{art::Hex(0x2F3A6E), pal::Outline, 1.8, 0.4, 0.6});
  // The quill.
  cairo_move_to(cr, x + 14, y + 12);
  cairo_curve_to(cr, x + 20, y + 2, x + 28, y - 4, x + 34, y - 6);
  cairo_curve_to(cr, x + 30, y + 2, x + 22, y + 8, x + 14, y + 12);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.5, 0.2});
}

void RpsSticker(cairo_t* cr) {
  const double x = kRpsX, y = kRpsY;
  art::RoundedRect(cr, x, y, kRpsW, kRpsH, 8);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2.2, 0.15});
  // Rock, scissors, paper.
  art::Fist(cr, x + 14, y + 20, 0.38);
  art::OpenHand(cr, x + 58, y + 20, 0.34, 1);
  // Scissors: two fingers up from a small fist.
  art::LitLimb(cr, {x + 33, y + 26, x + 29, y + 8}, 2.6, pal::Skin, kLimbLight, 1.4);
  art::LitLimb(cr, {x + 38, y + 26, x + 43, y + 8}, 2.6, pal::Skin, kLimbLight, 1.4);
  art::RoundedRect(cr, x + 28, y + 22, 16, 12, 5);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.4, 0.2});
  SignText(cr, "ЦУ-Е-ФА!", x + kRpsW / 2, y + 40, 10, pal::Red, 0.9);
}

}  // namespace

void DrawBackground(cairo_t* cr) {
  SkyAndStreet(cr);
  Booth(cr);
  Counter(cr);
  TipJar(cr);
  Inkpot(cr);
  RpsSticker(cr);
}

}  // namespace hubart
