// Daz's table: the room "r_zfis03", the pictures "s_zfis01" (the table with Daz lying on it,
// Gorm and Puch in front of it with their talking mouths, the panel), the panel's hit map
// "b_daz02" that the food game shares, and the phrases "t_daz01" that Gorm and Puch say.
//
//   Table01 (122, 5)   Daz01 (199, 100)   Gorm01 (125, 272), mouth Gorm02 (182, 369)
//   Puch01 (355, 269), open mouth Puch02 (378, 344)
//   Gorm's bubble (10, 130) and Puch's (200, 130) end their tails over the speaker's head.
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

// Where the faces are on screen.
constexpr double kGormCX = 204, kGormCY = 338, kGormR = 62;
constexpr double kGormMouthCX = layout::TableGormMouthX + layout::TableGormMouthW / 2.0;
constexpr double kGormMouthCY = layout::TableGormMouthY + layout::TableGormMouthH / 2.0;
constexpr double kPuchCX = 398, kPuchCY = 326, kPuchRY = 48;
constexpr double kPuchMouthCX = layout::TablePuchMouthX + layout::TablePuchMouthW / 2.0;
constexpr double kPuchMouthCY = layout::TablePuchMouthY + layout::TablePuchMouthH / 2.0;

void DrawRoom(cairo_t* cr) {
  // Warm wallpaper with a small pattern, a skirting board and a wooden floor.
  art::VerticalGradient(cr, 0, 0, 640, 330, art::Hex(0xE7B86A), art::Hex(0xC98E4A));
  art::Rng rng(27);
  for (int y = 20; y < 320; y += 40)
    for (int x = (y / 40) % 2 * 20; x < 640; x += 40) {
      art::Star(cr, x + 10, y, 5, 2.2, 4, rng.Range(0, 0.3));
      art::Fill(cr, art::Hex(0xF5D592, 0.6));
    }
  art::WoodPlanks(cr, 0, 330, 640, 150, 30, false, 270, pal::Wood.Shade(0.15));
  cairo_rectangle(cr, 0, 318, 640, 14);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.5, 0.2});
  // A window on the left with the evening outside.
  art::RoundedRect(cr, 14, 34, 96, 132, 4);
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, art::kOutline, 0.2});
  art::VerticalGradient(cr, 22, 42, 80, 116, art::Hex(0x3C5A9A), art::Hex(0xF0A060));
  cairo_rectangle(cr, 60, 42, 4, 116);
  cairo_rectangle(cr, 22, 96, 80, 4);
  art::Fill(cr, pal::WoodLight);
  art::Circle(cr, 40, 70, 7);
  art::Fill(cr, pal::Cream.WithAlpha(0.9));
  // A shelf with a jar and a clock on the right, under the panel.
  cairo_rectangle(cr, 520, 250, 110, 10);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.6, 0.2});
  art::RoundedRect(cr, 530, 214, 26, 36, 5);
  art::Paint(cr, art::Style{pal::Glass, pal::Outline, 1.6, 0.1, 0.6});
  art::Circle(cr, 596, 230, 18);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.8, 0.3, 0.4});
  art::Circle(cr, 596, 230, 13);
  art::Fill(cr, pal::Cream);
  cairo_move_to(cr, 596, 230);
  cairo_line_to(cr, 596, 220);
  cairo_move_to(cr, 596, 230);
  cairo_line_to(cr, 604, 233);
  art::Stroke(cr, pal::Outline, 1.6);
  // The lamp over the table.
  cairo_move_to(cr, 320, 0);
  cairo_line_to(cr, 320, 12);
  art::Stroke(cr, pal::Outline, 2);
  art::Glow(cr, 320, 40, 160, pal::Yellow.WithAlpha(0.25));
  art::Vignette(cr, 640, 480, 0.35);
}

// The table seen from the front and a little above: a cloth top and the near edge.
void DrawTable(cairo_t* cr, int) {
  AtScreen(cr, layout::TableX, layout::TableY);
  const double l = layout::TableX, r = l + layout::TableW, top = 70, front = 262;
  art::GroundShadow(cr, 320, 300, 210, 18, 0.35);
  // Legs behind the figures.
  for (double x : {l + 26, r - 40}) {
    cairo_rectangle(cr, x, front, 14, 40);
    art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, art::kOutline, 0.2});
  }
  cairo_new_path(cr);
  art::Polyline(cr, {l + 50, top, r - 50, top, r - 4, front, l + 4, front}, true);
  art::Paint(cr, art::Style{art::Hex(0xD7E4C8), pal::Outline, art::kOutline, 0.2});
  // The checked cloth.
  cairo_save(cr);
  cairo_new_path(cr);
  art::Polyline(cr, {l + 50, top, r - 50, top, r - 4, front, l + 4, front}, true);
  cairo_clip(cr);
  for (int i = -8; i <= 8; ++i) {
    const double xt = 320 + i * 24, xb = 320 + i * 40;
    cairo_move_to(cr, xt, top);
    cairo_line_to(cr, xb, front);
    art::Stroke(cr, pal::Red.WithAlpha(0.35), 9);
  }
  for (double y = top + 14; y < front; y += 14 + (y - top) * 0.12) {
    cairo_move_to(cr, l, y);
    cairo_line_to(cr, r, y);
    art::Stroke(cr, pal::Red.WithAlpha(0.3), 5 + (y - top) * 0.03);
  }
  cairo_restore(cr);
  // The cloth hangs over the front edge.
  cairo_new_path(cr);
  art::Polyline(cr, {l + 4, front, r - 4, front, r - 6, front + 26}, false);
  for (double x = r - 6; x > l + 6; x -= 24)
    cairo_curve_to(cr, x - 8, front + 32, x - 16, front + 32, x - 24, front + 26);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0xC8D6B8), pal::Outline, art::kOutline, 0.25});
  // A glass of tea and a plate with a sausage on it.
  art::Ellipse(cr, l + 70, top + 110, 34, 12);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.8, 0.2});
  art::RoundedRect(cr, l + 55, top + 100, 30, 10, 5);
  art::Paint(cr, art::Style{pal::Red.Mix(pal::Pink, 0.3), pal::Outline, 1.6, 0.3, 0.5});
  art::RoundedRect(cr, r - 78, top + 70, 22, 34, 3);
  art::Paint(cr, art::Style{pal::Glass, pal::Outline, 1.6, 0.1, 0.5});
  cairo_rectangle(cr, r - 76, top + 82, 18, 20);
  art::Fill(cr, art::Hex(0xB0521E, 0.75));
}

// Daz on the table, the teal battery toy of the kiosk seen close: a rounded body on two feet,
// an antenna with a red knob, a screen with his pixel face, a red and a yellow button.
void DrawDaz(cairo_t* cr, int) {
  const double w = layout::DazW, h = layout::DazH, cx = w / 2;
  const double bodyW = 112, bodyTop = 26, bodyBottom = h - 22;
  art::GroundShadow(cr, cx + 4, h - 6, 66, 7, 0.35);
  for (double side : {-1.0, 1.0}) {
    art::RoundedRect(cr, cx + side * 30 - 12, bodyBottom - 10, 24, 26, 8);
    art::Paint(cr, art::Style{pal::Navy, pal::Outline, art::kOutline, 0.25, 0.3});
  }
  art::LitLimb(cr, {cx, bodyTop + 4, cx + 10, 8}, 2, pal::SteelDark);
  art::Circle(cr, cx + 10, 8, 7);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.8, 0.3, 0.8});
  art::RoundedRect(cr, cx - bodyW / 2, bodyTop, bodyW, bodyBottom - bodyTop, 28);
  art::Paint(cr, art::Style{dazart::kPlastic, pal::Outline, art::kOutline, 0.35, 0.5});
  // The screen and the face on it, a pixel smile and two pixel eyes.
  const double sx = cx - 40, sy = bodyTop + 16, sw = 80, sh = 52;
  art::RoundedRect(cr, sx - 4, sy - 4, sw + 8, sh + 8, 10);
  art::Fill(cr, dazart::kPlasticDark);
  art::RoundedRect(cr, sx, sy, sw, sh, 8);
  art::Paint(cr, art::Style{dazart::kDazScreen, pal::Outline, 1.8, 0.1});
  for (double x : {cx - 18, cx + 10}) {
    cairo_rectangle(cr, x, sy + 12, 8, 11);
    art::Fill(cr, pal::Outline);
  }
  for (int i = 0; i < 5; ++i) {
    const double y = sy + 34 + (i == 0 || i == 4 ? 0 : 4);
    cairo_rectangle(cr, cx - 17 + i * 7, y, 6, 5);
    art::Fill(cr, pal::Outline);
  }
  cairo_move_to(cr, sx + 6, sy + sh - 8);
  cairo_line_to(cr, sx + 20, sy + 6);
  art::Stroke(cr, pal::White.WithAlpha(0.35), 3);
  // The two buttons under the screen; a grille for the little speaker.
  for (int i = 0; i < 2; ++i) {
    art::Circle(cr, cx - 22 + i * 44, bodyBottom - 24, 9);
    art::Paint(cr, art::Style{i ? pal::Yellow : pal::Red, pal::Outline, 1.8, 0.3, 0.6});
  }
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, cx - 8, bodyBottom - 30 + i * 6);
    cairo_line_to(cr, cx + 8, bodyBottom - 30 + i * 6);
    art::Stroke(cr, dazart::kPlasticDark, 2);
  }
}

void DrawTableGorm(cairo_t* cr, int) {
  AtScreen(cr, layout::TableGormX, layout::TableGormY);
  // Shoulders in the green sweater, cut by the bottom of the screen.
  art::Shoulders(cr, 128, 482, {130, 420, 150, 392, 204, 390}, {262, 392, 318, 414, 322},
                 dazart::kSweater);
  for (double y = 430; y < 480; y += 14) {
    cairo_move_to(cr, 140, y);
    cairo_line_to(cr, 310, y);
    art::Stroke(cr, dazart::kSweater.Shade(0.2).WithAlpha(0.5), 3);
  }
  art::RoundedRect(cr, 178, 384, 52, 24, 10);
  art::Paint(cr, art::Style{pal::Skin.Shade(0.1), pal::Outline, art::kOutline, 0.2});
  dazart::GormHead(cr, kGormCX, kGormCY, kGormR, -1);
}

void DrawTableGormMouth(cairo_t* cr, int pattern) {
  AtScreen(cr, layout::TableGormMouthX, layout::TableGormMouthY);
  dazart::GormMouth(cr, kGormMouthCX, kGormMouthCY - 4, layout::TableGormMouthW, pattern);
}

void DrawTablePuch(cairo_t* cr, int) {
  AtScreen(cr, layout::TablePuchX, layout::TablePuchY);
  // A thin neck and the shoulders of a worn jacket.
  art::Shoulders(cr, 360, 482, {364, 410, 380, 380, 420, 378}, {470, 380, 500, 420, 510},
                 dazart::kJacket);
  cairo_move_to(cr, 420, 384);
  cairo_line_to(cr, 412, 480);
  art::Stroke(cr, dazart::kJacket.Shade(0.35), 2);
  art::RoundedRect(cr, 386, 352, 30, 36, 8);
  art::Paint(cr, art::Style{dazart::kPuchSkin.Shade(0.1), pal::Outline, art::kOutline, 0.2});
  dazart::PuchHead(cr, kPuchCX, kPuchCY, kPuchRY, 0, -0.35);
}

void DrawTablePuchMouth(cairo_t* cr, int pattern) {
  AtScreen(cr, layout::TablePuchMouthX, layout::TablePuchMouthY);
  dazart::PuchMouth(cr, kPuchMouthCX, kPuchMouthCY, layout::TablePuchMouthW * 0.9, pattern);
}

void Build(content::ContentSink& sink) {
  sink.Background(std::string(layout::TableBackground), 640, 480, DrawRoom);
  std::vector<content::ImageSpec> images = {
      {"Table01", layout::TableW, layout::TableH, 1, DrawTable},
      {"Gorm01", layout::TableGormW, layout::TableGormH, 1, DrawTableGorm},
      {"Gorm02", layout::TableGormMouthW, layout::TableGormMouthH, 3, DrawTableGormMouth},
      {"Puch01", layout::TablePuchW, layout::TablePuchH, 1, DrawTablePuch},
      {"Puch02", layout::TablePuchMouthW, layout::TablePuchMouthH, 2, DrawTablePuchMouth},
      {"Daz01", layout::DazW, layout::DazH, 1, DrawDaz},
  };
  for (content::ImageSpec& s : dazart::PanelImages()) images.push_back(std::move(s));
  sink.ImageList(std::string(layout::TableImages), images);
  sink.HitMap(std::string(layout::PanelHitMap), dazart::PanelHitMap());
  sink.PhraseTable(std::string(layout::SpeakerStem), "phrases/daz.txt", 11000);
}

}  // namespace

VEPA_CONTENT_MODULE(daz_table, Build);
