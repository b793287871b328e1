// The opponent selection: three framed portraits of who will sit at the table (the
// grandmother; the grandmother and the grandfather; all three), the labels under them, the
// lamps that mark the choice, the arrows the lights run along, and the player looking up at
// them. The hit codes lie where the portraits, labels and lamps are, and on "ГОТОВО".
#include <cairo.h>

#include <cmath>

#include "cards/card_layout.h"
#include "content/cards/cards_art.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"

namespace cardart {
namespace {

namespace pal = art::pal;
using namespace vepa::cards;

// A portrait of `count` opponents in a gilt frame.
void Portrait(cairo_t* cr, int count) {
  const double w = PortraitW, h = PortraitH;
  art::RoundedRect(cr, 2, 2, w - 4, h - 4, 6);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 2.2, 0.35, 0.3});
  art::RoundedRect(cr, 9, 9, w - 18, h - 18, 3);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  art::VerticalGradient(cr, 9, 9, w - 18, h - 18, art::Hex(0xF3DDAF), art::Hex(0xC99A62));
  cairo_new_path(cr);
  // Back to front: the host, the grandfather, then the grandmother in front.
  static const double kPlace[3][3][3] = {
      {{55, 22, 0.5}},
      {{40, 26, 0.42}, {72, 18, 0.42}},
      {{32, 30, 0.36}, {56, 20, 0.36}, {80, 26, 0.36}},
  };
  for (int i = count - 1; i >= 0; --i) {
    const double* p = kPlace[count - 1][i];
    cairo_save(cr);
    cairo_translate(cr, p[0], p[1]);
    cairo_scale(cr, p[2], p[2]);
    OpponentBust(cr, i);
    cairo_restore(cr);
  }
  cairo_restore(cr);
  art::RoundedRect(cr, 9, 9, w - 18, h - 18, 3);
  art::Stroke(cr, pal::Outline, 1.6);
  art::Shine(cr, 24, 16, 12, 3, 0.6);
}

void Label(cairo_t* cr, int p) {
  static const char* kText[] = {"ОДИН СОПЕРНИК", "ДВА СОПЕРНИКА", "ТРИ СОПЕРНИКА"};
  art::RoundedRect(cr, 1.5, 1.5, LabelW - 3, LabelH - 3, 8);
  art::Paint(cr, art::Style{pal::Navy, pal::Outline, 2, 0.3, 0.25});
  art::TextCentered(cr, kText[p], LabelW / 2.0, LabelH / 2.0,
                    art::TextStyle{art::Font::CondensedBold, 15, pal::White, pal::Outline, 2.4});
}

// The lamp under a label: 0 off, 1 lit.
void Mark(cairo_t* cr, int p) {
  if (p == 1) art::Glow(cr, MarkW / 2.0, MarkH / 2.0, MarkW / 2.0, pal::Yellow.WithAlpha(0.8));
  art::Ellipse(cr, MarkW / 2.0, MarkH / 2.0, 11, 8);
  art::Paint(cr, art::Style{p == 1 ? pal::Yellow.Lighter(0.3) : art::Hex(0x6A5A48), pal::Outline,
                            1.8, 0.3, p == 1 ? 0.8 : 0.3});
}

// The arrows: up from the player to a bar, along the bar and up to each label.
void Arrows(cairo_t* cr) {
  const double left = 4.5, middle = 184.5, right = 364.5, bar = 16.5, base = 40, top = 5;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, middle, base);
    cairo_line_to(cr, middle, top + 4);
    cairo_move_to(cr, left, top + 4);
    cairo_line_to(cr, left, bar);
    cairo_line_to(cr, right, bar);
    cairo_line_to(cr, right, top + 4);
    art::SetColor(cr, pass == 0 ? pal::Outline : pal::Orange.Darker(0.1));
    cairo_set_line_width(cr, pass == 0 ? 6 : 3);
    cairo_stroke(cr);
  }
  for (double x : {left, middle, right}) {
    cairo_move_to(cr, x, top - 4);
    cairo_line_to(cr, x + 4.5, top + 5);
    cairo_line_to(cr, x - 4.5, top + 5);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Orange, pal::Outline, 1.4, 0.2});
  }
}

// The player, from the chest up, looking at the portraits.
void Player(cairo_t* cr) {
  const double cx = 45;
  cairo_move_to(cr, 2, 170);
  cairo_curve_to(cr, 2, 112, 18, 96, cx, 94);
  cairo_curve_to(cr, 72, 96, 88, 112, 88, 170);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Cloth, pal::Outline, 2.2, 0.3});
  art::Polyline(cr, {cx - 12, 96, cx, 118, cx + 12, 96}, false);
  art::Stroke(cr, pal::White, 3);
  art::RoundedRect(cr, cx - 9, 78, 18, 22, 6);
  art::Paint(cr, art::Style{pal::SkinShade, pal::Outline, 1.8, 0.2});
  art::Ellipse(cr, cx, 42, 30, 36);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2.2, 0.25, 0.3});
  // Eyes at (301..341, 335..349) on screen: eyelids are drawn there.
  for (double ex : {cx - 11, cx + 11}) {
    art::Ellipse(cr, ex, 32, 6.5, 5.5);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1.4, 0});
    art::Circle(cr, ex, 30, 2.8);
    art::Fill(cr, art::Hex(0x3A2A20));
  }
  art::Ellipse(cr, cx, 46, 5, 4);
  art::Paint(cr, art::Style{pal::Skin.Shade(0.05), pal::Outline, 1.4, 0.3, 0.5});
  cairo_move_to(cr, cx - 8, 58);
  cairo_curve_to(cr, cx - 3, 63, cx + 3, 63, cx + 8, 58);
  art::Stroke(cr, pal::Outline, 1.8);
  // A shock of brown hair.
  cairo_move_to(cr, cx - 30, 36);
  cairo_curve_to(cr, cx - 34, 6, cx - 10, -2, cx + 4, 4);
  cairo_curve_to(cr, cx + 20, 0, cx + 34, 10, cx + 30, 34);
  cairo_curve_to(cr, cx + 22, 20, cx + 4, 14, cx - 6, 18);
  cairo_curve_to(cr, cx - 14, 22, cx - 24, 24, cx - 30, 36);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0x7A4A24), pal::Outline, 1.8, 0.3, 0.3});
}

// The player's eyelids, over the eyes as drawn in the figure: 0 half shut, 1 shut.
void Eyelids(cairo_t* cr, int p) {
  // The figure's eyes are at (45 -+ 11, 32) of "Player01", which is drawn 25 px left and 25 px
  // above this picture's corner.
  for (double ex : {20 - 11.0 + 0.0, 20 + 11.0}) {
    const double ey = 7;
    const double bottom = p == 0 ? ey : ey + 6;
    cairo_move_to(cr, ex - 7.5, ey);
    cairo_curve_to(cr, ex - 7, ey - 7, ex + 7, ey - 7, ex + 7.5, ey);
    cairo_curve_to(cr, ex + 4, bottom + 1, ex - 4, bottom + 1, ex - 7.5, ey);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.3, 0.15});
  }
}

void Ball(cairo_t* cr) {
  art::Circle(cr, 3, 3, 3);
  art::Fill(cr, pal::Yellow.Lighter(0.6));
}

content::ImageSpec Framed(const char* name, int count) {
  return {name, PortraitW, PortraitH, 1, [count](cairo_t* cr, int) { Portrait(cr, count); }};
}

}  // namespace

std::vector<content::ImageSpec> SelectionImages() {
  return {
      Framed("Kassir01", 1),
      Framed("Kassir02", 2),
      Framed("Kassir03", 3),
      {"Text01", LabelW, LabelH, 3, Label},
      {"Selec01", MarkW, MarkH, 2, Mark},
      {"Strelk01", ArrowsW, ArrowsH, 1, [](cairo_t* cr, int) { Arrows(cr); }},
      {"Player01", PlayerW, PlayerH, 1, [](cairo_t* cr, int) { Player(cr); }},
      {"Glaz01", EyelidsW, EyelidsH, 2, Eyelids},
      {"Ball01", 6, 6, 1, [](cairo_t* cr, int) { Ball(cr); }},
  };
}

std::vector<content::HitShape> SelectionHitMap() {
  std::vector<content::HitShape> shapes;
  const int d = HitShift;
  for (int i = 0; i < 3; ++i) {
    const int code = HitOneOpponent + i;
    shapes.push_back(content::HitRect(code, PortraitX[i] + d, PortraitY[i] + d,
                                      PortraitX[i] + PortraitW + d, PortraitY[i] + PortraitH + d));
    shapes.push_back(content::HitRect(code, LabelX + LabelStep * i + d, LabelY + d,
                                      LabelX + LabelStep * i + LabelW + d, MarkY + MarkH + d));
  }
  shapes.push_back(
      content::HitRect(HitReady, ReadyLeft + d, ReadyTop + d, ReadyRight + d, ReadyBottom + d));
  return shapes;
}

}  // namespace cardart
