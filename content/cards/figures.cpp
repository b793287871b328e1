// The opponents' half-figures: the grandmother in her headscarf ("Bab"), the grandfather with
// his pipe ("Ded") and the host, the kiosk's cashier in his cap ("Kib"). Each is a figure, a
// mouth (0 shut, 1..4 talking), eyelids (0 open, 1 half, 2 shut), pupils, arms, and a hand (0
// empty, 1 holding up a card). Every part is drawn in the figure's own coordinates, with the
// anchor point of the portrait at (0, 0), and shifted by the part's offset, so the parts fit
// wherever the game puts the portrait. "Dim01" is the pipe's smoke, drawn additively.
#include <cairo.h>

#include <cmath>
#include <functional>

#include "content/cards/cards_art.h"
#include "content/lib/limbs.h"

namespace cardart {
namespace {

namespace pal = art::pal;
using content::ImageSpec;

struct Pt {
  double x, y;
};

// A limb: a thick round-capped stroke with an outline.
void Limb(cairo_t* cr, std::initializer_list<Pt> pts, double r, const Color& c) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    bool first = true;
    for (const Pt& p : pts) {
      if (first)
        cairo_move_to(cr, p.x, p.y);
      else
        cairo_line_to(cr, p.x, p.y);
      first = false;
    }
    art::SetColor(cr, pass == 0 ? pal::Outline : c);
    cairo_set_line_width(cr, pass == 0 ? 2 * r + 2 * art::kOutline : 2 * r);
    cairo_stroke(cr);
  }
}

// A part picture: the drawing in figure coordinates, moved by the part's offset.
ImageSpec Part(const char* name, int x, int y, int w, int h, int patterns,
               std::function<void(cairo_t*, int)> draw) {
  return {name, w, h, patterns, [=](cairo_t* cr, int p) {
            cairo_translate(cr, -x, -y);
            draw(cr, p);
          }};
}

void EyeWhite(cairo_t* cr, double cx, double cy, double rx, double ry) {
  art::Ellipse(cr, cx, cy, rx, ry);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.5, 0});
}

// Upper lids over two eyes: pattern 0 shows only the lash line, 1 half shut, 2 shut.
void Lids(cairo_t* cr, int p, Pt left, Pt right, double rx, double ry, const Color& skin) {
  for (const Pt& e : {left, right}) {
    if (p == 0) {
      cairo_move_to(cr, e.x - rx, e.y - 1);
      cairo_curve_to(cr, e.x - rx * 0.5, e.y - ry - 1.5, e.x + rx * 0.5, e.y - ry - 1.5, e.x + rx,
                     e.y - 1);
      art::Stroke(cr, pal::Outline, 1.6);
      continue;
    }
    const double bottom = p == 1 ? e.y : e.y + ry + 0.5;
    cairo_move_to(cr, e.x - rx - 1, e.y);
    cairo_curve_to(cr, e.x - rx, e.y - ry - 2, e.x + rx, e.y - ry - 2, e.x + rx + 1, e.y);
    cairo_curve_to(cr, e.x + rx * 0.6, bottom + 1, e.x - rx * 0.6, bottom + 1, e.x - rx - 1, e.y);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{skin, pal::Outline, 1.4, 0.15});
    if (p == 2) {
      cairo_move_to(cr, e.x - rx + 1, e.y + 1);
      cairo_curve_to(cr, e.x - 2, e.y + ry * 0.6, e.x + 2, e.y + ry * 0.6, e.x + rx - 1, e.y + 1);
      art::Stroke(cr, pal::Outline, 1.3);
    }
  }
}

// A talking mouth at (cx, cy): 0 shut in a small smile, 1..4 open in different shapes.
void TalkingMouth(cairo_t* cr, int p, double cx, double cy, double scale, const Color& lips) {
  static const double kWidth[] = {9, 6, 9, 5, 10};
  static const double kOpen[] = {0, 4, 7, 8, 5};
  const double w = kWidth[p] * scale, o = kOpen[p] * scale;
  if (o <= 0) {
    cairo_move_to(cr, cx - w, cy);
    cairo_curve_to(cr, cx - 3, cy + 4, cx + 3, cy + 4, cx + w, cy);
    art::Stroke(cr, lips.Darker(0.35), 2);
    return;
  }
  art::Ellipse(cr, cx, cy + o / 2 - 1, w, o / 2 + 1.2);
  art::Paint(cr, art::Style{pal::Mouth, lips.Darker(0.3), 1.7, 0});
  art::Ellipse(cr, cx, cy + o * 0.7 - 1, w * 0.55, o * 0.22 + 0.5);
  art::Fill(cr, pal::Tongue);
}

void Pupil(cairo_t* cr, const Color& iris) {
  art::Circle(cr, 4, 4, 3.6);
  art::Fill(cr, iris);
  art::Circle(cr, 4, 4, 1.8);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, 2.8, 2.7, 1);
  art::Fill(cr, pal::White);
}

// A hand at (cx, cy) holding the fan from below; with a card it lifts one back up.
void HoldingHand(cairo_t* cr, int p, double cx, double cy, const Color& skin) {
  if (p == 1) {
    cairo_save(cr);
    cairo_translate(cr, cx + 6, cy - 14);
    cairo_rotate(cr, 0.25);
    CardBack(cr, -9, -14, 18, 25);
    cairo_restore(cr);
  }
  art::Ellipse(cr, cx, cy + (p == 1 ? -4 : 0), 11, 8);
  art::Paint(cr, art::Style{skin, pal::Outline, 1.6, 0.25});
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, cx - 6 + i * 5, cy - 5 + (p == 1 ? -4 : 0));
    cairo_line_to(cr, cx - 6 + i * 5, cy + 1 + (p == 1 ? -4 : 0));
  }
  art::Stroke(cr, pal::SkinShade, 1);
}

// ---- The grandmother ----

const Color kScarf = art::Hex(0xC8453E);
const Color kCardigan = art::Hex(0x6F8F5A);
const Color kGranSkin = art::Hex(0xF5C9A5);

void GranFigure(cairo_t* cr) {
  // Shoulders and the cardigan.
  art::Shoulders(cr, -55, 200, {-56, 140, -40, 112, 0, 110}, {40, 112, 56, 140, 55}, kCardigan);
  cairo_move_to(cr, 0, 114);
  cairo_line_to(cr, 0, 200);
  art::Stroke(cr, kCardigan.Darker(0.35), 1.5);
  for (int i = 0; i < 3; ++i) {
    art::Circle(cr, 5, 134 + i * 18, 2.2);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1, 0.2});
  }
  // The knot of the scarf under the chin.
  art::Ellipse(cr, 0, 108, 16, 9);
  art::Paint(cr, art::Style{kScarf, pal::Outline, 2, 0.3});
  Limb(cr, {{4, 110}, {18, 128}}, 4, kScarf);
  Limb(cr, {{-4, 110}, {-14, 130}}, 4, kScarf);
  // The headscarf around the face.
  cairo_move_to(cr, -40, 104);
  cairo_curve_to(cr, -52, 60, -40, 18, -1, 16);
  cairo_curve_to(cr, 38, 18, 50, 60, 38, 104);
  cairo_curve_to(cr, 20, 112, -22, 112, -40, 104);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kScarf, pal::Outline, 2.2, 0.3, 0.2});
  for (const Pt& d : {Pt{-30, 40}, Pt{20, 32}, Pt{-36, 80}, Pt{34, 78}, Pt{-8, 24}}) {
    art::Circle(cr, d.x, d.y, 3);
    art::Fill(cr, pal::Cream.WithAlpha(0.85));
  }
  // The face.
  art::Ellipse(cr, -1, 68, 30, 34);
  art::Paint(cr, art::Style{kGranSkin, pal::Outline, 2, 0.22});
  // Grey hair peeping out under the scarf.
  cairo_move_to(cr, -28, 52);
  cairo_curve_to(cr, -22, 34, 18, 32, 27, 52);
  cairo_curve_to(cr, 14, 42, -14, 42, -28, 52);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0xDCDCD6), pal::Outline, 1.4, 0.2});
  // Rosy cheeks, wrinkles, round glasses.
  art::Ellipse(cr, -21, 78, 6, 4);
  art::Fill(cr, pal::Tomato.WithAlpha(0.35));
  art::Ellipse(cr, 20, 79, 6, 4);
  art::Fill(cr, pal::Tomato.WithAlpha(0.35));
  EyeWhite(cr, -15, 58, 7.5, 6);
  EyeWhite(cr, 12, 59, 7.5, 6);
  for (const Pt& e : {Pt{-15, 58}, Pt{12, 59}}) {
    art::Circle(cr, e.x, e.y, 10.5);
    art::Stroke(cr, art::Hex(0x8A6A3A), 1.8);
  }
  cairo_move_to(cr, -5, 57);
  cairo_line_to(cr, 2, 57);
  art::Stroke(cr, art::Hex(0x8A6A3A), 1.8);
  // The nose.
  art::Ellipse(cr, -1, 74, 5, 5.5);
  art::Paint(cr, art::Style{kGranSkin.Darker(0.08), pal::Outline, 1.4, 0.3, 0.5});
  cairo_move_to(cr, -24, 92);
  cairo_curve_to(cr, -20, 96, -16, 97, -12, 96);
  cairo_move_to(cr, 22, 92);
  cairo_curve_to(cr, 18, 96, 14, 97, 10, 96);
  art::Stroke(cr, pal::SkinShade, 1);
}

void GranArms(cairo_t* cr) {
  Limb(cr, {{-44, 124}, {-62, 168}, {-24, 196}}, 10, kCardigan.Darker(0.08));
  Limb(cr, {{44, 124}, {62, 170}, {30, 200}}, 10, kCardigan.Darker(0.08));
  art::Ellipse(cr, 30, 200, 10, 8);
  art::Paint(cr, art::Style{kGranSkin, pal::Outline, 1.6, 0.25});
}

// ---- The grandfather ----

const Color kJacket = art::Hex(0x5B5F73);
const Color kGrandpaSkin = art::Hex(0xEDBB92);
const Color kGrey = art::Hex(0xE4E2DC);

void GrandpaFigure(cairo_t* cr) {
  // Jacket over a checked shirt.
  art::Shoulders(cr, -62, 200, {-64, 130, -46, 104, 3, 102}, {52, 104, 70, 130, 66}, kJacket);
  art::Polyline(cr, {-16, 104, 3, 150, 22, 104}, true);
  art::Paint(cr, art::Style{art::Hex(0xD9CBA0), pal::Outline, 1.6, 0.1});
  cairo_move_to(cr, -20, 104);
  cairo_line_to(cr, 3, 200);
  cairo_move_to(cr, 26, 104);
  cairo_line_to(cr, 3, 200);
  art::Stroke(cr, pal::Outline.WithAlpha(0.6), 1.5);
  // A medal on the chest.
  Limb(cr, {{-32, 130}, {-32, 138}}, 3, pal::Red);
  art::Star(cr, -32, 146, 7, 3, 5);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.2, 0.3, 0.5});
  // Ears and the head.
  for (double x : {-32.0, 38.0}) {
    art::Ellipse(cr, x, 56, 7, 11);
    art::Paint(cr, art::Style{kGrandpaSkin, pal::Outline, 1.8, 0.25});
  }
  art::Ellipse(cr, 3, 54, 34, 40);
  art::Paint(cr, art::Style{kGrandpaSkin, pal::Outline, 2.2, 0.22, 0.35});
  // White hair round the bald top.
  for (double side : {-1.0, 1.0}) {
    cairo_move_to(cr, 3 + side * 30, 30);
    cairo_curve_to(cr, 3 + side * 42, 36, 3 + side * 40, 56, 3 + side * 32, 66);
    cairo_curve_to(cr, 3 + side * 30, 52, 3 + side * 28, 42, 3 + side * 30, 30);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kGrey, pal::Outline, 1.4, 0.2});
  }
  EyeWhite(cr, -11, 49, 7, 5.5);
  EyeWhite(cr, 17, 47, 7, 5.5);
  // Bushy eyebrows.
  Limb(cr, {{-20, 38}, {-11, 35}, {-2, 38}}, 3.2, kGrey);
  Limb(cr, {{8, 36}, {17, 33}, {26, 36}}, 3.2, kGrey);
  // A big red nose.
  art::Ellipse(cr, 3, 62, 8, 7.5);
  art::Paint(cr, art::Style{art::Hex(0xE07A66), pal::Outline, 1.6, 0.3, 0.6});
  // The beard.
  cairo_move_to(cr, -26, 66);
  cairo_curve_to(cr, -30, 100, -8, 112, 3, 112);
  cairo_curve_to(cr, 14, 112, 36, 100, 32, 66);
  cairo_curve_to(cr, 20, 74, -14, 74, -26, 66);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kGrey, pal::Outline, 1.8, 0.25});
}

// The moustache over the mouth and the pipe in its corner; the smoke rises from the bowl.
void GrandpaMouth(cairo_t* cr, int p) {
  TalkingMouth(cr, p, 1, 80, 1, art::Hex(0xB0504A));
  const double lift = p == 0 ? 0 : 1.5;
  art::MirroredOutline(cr, 3, 70 - lift, 1, 1,
                       {0, 0, -11, -4, -25, 0, -29, 10, -19, 7, -9, 8, 0, 5});
  art::Paint(cr, art::Style{kGrey, pal::Outline, 1.5, 0.25});
  // The pipe: a stem from the mouth's corner to the bowl below the smoke.
  Limb(cr, {{10, 81}, {20, 90}, {24, 92}}, 1.8, art::Hex(0x3A2418));
  cairo_move_to(cr, 18, 92);
  cairo_line_to(cr, 32, 92);
  cairo_curve_to(cr, 32, 100, 30, 103, 25, 103);
  cairo_curve_to(cr, 20, 103, 18, 100, 18, 92);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0x7A4A24), pal::Outline, 1.5, 0.3, 0.4});
  art::Ellipse(cr, 25, 92.5, 6, 1.6);
  art::Fill(cr, art::Hex(0xFF8A20));
}

void GrandpaArms(cairo_t* cr) {
  Limb(cr, {{-50, 116}, {-72, 160}, {-24, 184}}, 11, kJacket.Darker(0.05));
  Limb(cr, {{56, 116}, {76, 160}, {34, 188}}, 11, kJacket.Darker(0.05));
  art::Ellipse(cr, 34, 188, 11, 8);
  art::Paint(cr, art::Style{kGrandpaSkin, pal::Outline, 1.6, 0.25});
}

// The smoke is added onto the picture below it, so black adds nothing: the wisp is opaque,
// light grey where it leaves the bowl (bottom) and darkening towards black as it rises.
void Smoke(cairo_t* cr) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 65, 0, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.85, 0.88);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.55, 0.55, 0.6);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.05, 0.05, 0.06);
  cairo_set_source(cr, g);
  cairo_move_to(cr, 7, 65);
  cairo_curve_to(cr, 1, 50, 14, 38, 5, 24);
  cairo_curve_to(cr, -1, 14, 9, 6, 7, 0);
  cairo_line_to(cr, 13, 0);
  cairo_curve_to(cr, 17, 8, 7, 16, 13, 26);
  cairo_curve_to(cr, 18, 40, 9, 50, 12, 65);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// ---- The host, the kiosk's cashier ----

const Color kShirt = pal::White;
const Color kStripe = art::Hex(0x2F5FA8);
const Color kVest = art::Hex(0x7A4A2C);
const Color kCap = art::Hex(0x5A6470);

void HostFigure(cairo_t* cr) {
  art::Shoulders(cr, -62, 210, {-62, 136, -44, 112, 0, 110}, {44, 112, 62, 136, 62}, kShirt, 0.2);
  cairo_save(cr);
  cairo_rectangle(cr, -62, 110, 124, 100);
  cairo_clip(cr);
  for (double y = 120; y < 210; y += 9) {
    cairo_move_to(cr, -62, y);
    cairo_line_to(cr, 62, y);
  }
  art::Stroke(cr, kStripe, 3.4);
  cairo_restore(cr);
  for (double side : {-1.0, 1.0}) {
    const double x0 = side * 60;
    cairo_move_to(cr, x0, 210);
    cairo_line_to(cr, x0 - side * 2, 140);
    cairo_curve_to(cr, x0 - side * 4, 124, x0 - side * 18, 116, x0 - side * 32, 114);
    cairo_line_to(cr, x0 - side * 46, 160);
    cairo_line_to(cr, x0 - side * 42, 210);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kVest, pal::Outline, 2.2, 0.3});
  }
  art::RoundedRect(cr, -14, 90, 28, 28, 9);
  art::Paint(cr, art::Style{pal::SkinShade, pal::Outline, 2, 0.2});
  for (double x : {-36.0, 36.0}) {
    art::Ellipse(cr, x, 60, 7, 10);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.8, 0.25});
  }
  art::Ellipse(cr, 0, 58, 36, 40);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2.2, 0.25, 0.3});
  art::Ellipse(cr, 0, 86, 22, 10);
  art::Fill(cr, art::Hex(0x8A6A5A, 0.18));
  EyeWhite(cr, -14, 57, 8, 5.5);
  EyeWhite(cr, 15, 57, 8, 5.5);
  Limb(cr, {{-23, 45}, {-14, 42}, {-5, 45}}, 2, art::Hex(0x4A3020));
  Limb(cr, {{6, 45}, {15, 42}, {24, 45}}, 2, art::Hex(0x4A3020));
  art::Ellipse(cr, 0, 68, 7, 6);
  art::Paint(cr, art::Style{art::Hex(0xEE9A7A), pal::Outline, 1.6, 0.3, 0.6});
  // The flat cap.
  cairo_move_to(cr, -36, 36);
  cairo_curve_to(cr, -38, 12, -16, 2, 4, 2);
  cairo_curve_to(cr, 28, 2, 40, 16, 38, 34);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kCap, pal::Outline, 2.2, 0.35, 0.4});
  cairo_move_to(cr, -36, 34);
  cairo_curve_to(cr, -14, 40, 24, 42, 48, 32);
  cairo_curve_to(cr, 46, 40, 24, 46, 0, 46);
  cairo_curve_to(cr, -18, 46, -32, 42, -36, 34);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kCap.Darker(0.15), pal::Outline, 2, 0.3});
}

void HostMouth(cairo_t* cr, int p) {
  TalkingMouth(cr, p, 0, 86, 1.1, pal::Lips);
  const double lift = p == 0 ? 0 : 1.5;
  art::MirroredOutline(cr, 0, 76 - lift, 1, 1, {0, 0, -9, -3, -20, 1, -24, 8, -16, 6, -7, 7, 0, 5});
  art::Paint(cr, art::Style{art::Hex(0x5A3A26), pal::Outline, 1.5, 0.3});
}

void HostArms(cairo_t* cr) {
  Limb(cr, {{-50, 136}, {-80, 176}, {-40, 200}}, 11, kShirt.Darker(0.06));
  Limb(cr, {{50, 136}, {76, 176}, {12, 204}}, 11, kShirt.Darker(0.06));
  art::Ellipse(cr, -40, 200, 11, 8);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.25});
}

}  // namespace

void OpponentBust(cairo_t* cr, int r) {
  const Color iris = r == 2 ? art::Hex(0x5A4030) : art::Hex(0x4A6A8A);
  auto pupils = [&](Pt a, Pt b) {
    for (const Pt& p : {a, b}) {
      cairo_save(cr);
      cairo_translate(cr, p.x - 4, p.y - 4);
      Pupil(cr, iris);
      cairo_restore(cr);
    }
  };
  if (r == 0) {
    GranFigure(cr);
    TalkingMouth(cr, 0, -1, 88, 0.9, pal::Lips);
    pupils({-15, 58}, {12, 59});
    Lids(cr, 0, {-15, 58}, {12, 59}, 7.5, 6, kGranSkin);
  } else if (r == 1) {
    GrandpaFigure(cr);
    pupils({-11, 49}, {17, 47});
    GrandpaMouth(cr, 0);
    Lids(cr, 0, {-11, 49}, {17, 47}, 7, 5.5, kGrandpaSkin);
  } else {
    HostFigure(cr);
    HostMouth(cr, 0);
    pupils({-14, 57}, {15, 57});
    Lids(cr, 0, {-14, 57}, {15, 57}, 8, 5.5, pal::Skin);
  }
}

std::vector<ImageSpec> FigureImages() {
  const Color iris = art::Hex(0x4A6A8A);
  return {
      Part("Bab01", -57, 0, 114, 202, 1, [](cairo_t* cr, int) { GranFigure(cr); }),
      Part("Bab02", -39, 77, 78, 26, 5,
           [](cairo_t* cr, int p) { TalkingMouth(cr, p, -1, 88, 0.9, pal::Lips); }),
      Part("Bab03", -28, 48, 56, 20, 3,
           [](cairo_t* cr, int p) {
             Lids(cr, p, {-15, 58}, {12, 59}, 7.5, 6, kGranSkin);
           }),
      {"Bab04", 8, 8, 1, [=](cairo_t* cr, int) { Pupil(cr, iris); }},
      Part("Bab05", -89, 111, 178, 110, 1, [](cairo_t* cr, int) { GranArms(cr); }),
      Part("Bab06", -32, 176, 50, 40, 2,
           [](cairo_t* cr, int p) { HoldingHand(cr, p, -20, 198, kGranSkin); }),

      Part("Ded01", -65, 0, 132, 202, 1, [](cairo_t* cr, int) { GrandpaFigure(cr); }),
      Part("Ded02", -43, 54, 86, 52, 5, GrandpaMouth),
      Part("Ded03", -22, 41, 52, 18, 3,
           [](cairo_t* cr, int p) {
             Lids(cr, p, {-11, 49}, {17, 47}, 7, 5.5, kGrandpaSkin);
           }),
      Part("Ded05", -95, 95, 190, 110, 1, [](cairo_t* cr, int) { GrandpaArms(cr); }),
      Part("Ded06", -34, 163, 50, 40, 2,
           [](cairo_t* cr, int p) { HoldingHand(cr, p, -20, 184, kGrandpaSkin); }),
      {"Dim01", 17, 65, 1, [](cairo_t* cr, int) { Smoke(cr); }},

      Part("Kib01", -65, 0, 130, 212, 1, [](cairo_t* cr, int) { HostFigure(cr); }),
      Part("Kib02", -33, 74, 66, 30, 5, HostMouth),
      Part("Kib03", -30, 51, 60, 16, 3,
           [](cairo_t* cr, int p) {
             Lids(cr, p, {-14, 57}, {15, 57}, 8, 5.5, pal::Skin);
           }),
      {"Kib04", 8, 8, 1, [](cairo_t* cr, int) { Pupil(cr, art::Hex(0x5A4030)); }},
      Part("Kib05", -102, 126, 204, 100, 1, [](cairo_t* cr, int) { HostArms(cr); }),
      Part("Kib06", -5, 183, 50, 40, 2,
           [](cairo_t* cr, int p) { HoldingHand(cr, p, 14, 204, pal::Skin); }),
  };
}

}  // namespace cardart
