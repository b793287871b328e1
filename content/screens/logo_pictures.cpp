// Pictures of the two intro logos and their black background. Where the scenes draw each
// picture and the points the critter's pieces turn about are in screens/logos_layout.h.
//
// The publisher "КУВЫРОК": a round orange critter in red sneakers hops out of the dark into the
// light of a hanging lamp and on to a lit spot on the floor; then the studio's marquee sign
// fades in, a ribbon "ПРЕДСТАВЛЯЕТ" unrolls under it and a star twinkles. The eyes on their
// stalks are centred 69..75 px above the body point, so the eyeballs sit in the upper part of
// "Dreb02" and the stalks reach down.
//
// The maker "СОЛНЫШКО": a smiling sun built up in 13 pictures, its face centred on (337, 247)
// on screen; the eyes ("Glaza01") and the open mouth ("Rot01") lie exactly over the face.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "content/screens/screen_art.h"
#include "screens/logos_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
using namespace vepa::logos;

using screen_art::Line;

// The lamp's light and the lit spot: a soft ellipse.
void RadialGlow(cairo_t* cr, double cx, double cy, double rx, double ry, const Color& c,
                double alpha) {
  screen_art::EllipticGlow(cr, cx, cy, rx, ry, c, alpha, 0.5, 0.6);
}

// An open mouth: dark inside, a tongue at the bottom, outlined. `path` builds the outline.
template <typename PathFn>
void OpenMouth(cairo_t* cr, PathFn path, double tx, double ty, double trx, double tr, double line) {
  path();
  art::SetColor(cr, pal::Mouth);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  art::Ellipse(cr, tx, ty, trx, tr);
  art::Fill(cr, pal::Tongue);
  cairo_restore(cr);
  path();
  art::Stroke(cr, pal::Outline, line);
}

// ===== Publisher: the critter ===============================================================

const Color kFur = pal::Orange;
const Color kBelly = pal::Yellow.Lighter(0.35);
const Color kSneaker = pal::Red;

// The body outline: a round, slightly pear-shaped ball with a tuft on top.
void BodyPath(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, 72, 9);
  cairo_curve_to(cr, 112, 9, 139, 36, 139, 62);
  cairo_curve_to(cr, 139, 86, 112, 98, 72, 98);
  cairo_curve_to(cr, 30, 98, 4, 86, 4, 60);
  cairo_curve_to(cr, 4, 34, 32, 9, 72, 9);
  cairo_close_path(cr);
}

void Dreb03(cairo_t* cr, int pattern) {
  // Eye stalks rise from the top of the head to the picture's edge.
  for (double x : {57.0, 84.0}) {
    Line(cr, x, 16, x, 0.5, pal::Outline, 7.5);
    Line(cr, x, 16, x, 0.5, kFur.Lighter(0.1), 3.8);
  }
  BodyPath(cr);
  art::Paint(cr, art::Style{kFur, pal::Outline, 0, 0.32, 0.35});
  cairo_save(cr);
  BodyPath(cr);
  cairo_clip(cr);
  // Light belly and face on the front (the critter faces left).
  art::Ellipse(cr, 50, 70, 44, 30);
  art::Fill(cr, kBelly);
  // Fur strokes on the back.
  for (int i = 0; i < 6; ++i) {
    const double x = 96 + i * 6.5, y = 34 + (i % 3) * 10;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 3, y + 4, x + 3, y + 8, x + 1, y + 11);
    art::Stroke(cr, kFur.Shade(0.3), 1.4);
  }
  art::Shine(cr, 62, 26, 26, 9, 0.45);
  cairo_restore(cr);
  BodyPath(cr);
  art::Stroke(cr, pal::Outline, 2.6);
  // Rosy cheek.
  RadialGlow(cr, 44, 56, 12, 7, pal::Red.Lighter(0.35), 0.6);
  // Mouth: from a small smile to a wide, happy grin.
  const double mx = 22, my = 62;
  if (pattern <= 1) {
    const double w = pattern == 0 ? 14 : 20;
    cairo_move_to(cr, mx - w * 0.3, my);
    cairo_curve_to(cr, mx, my + 6 + pattern * 2, mx + w * 0.7, my + 6 + pattern * 2, mx + w,
                   my - 2);
    art::Stroke(cr, pal::Outline, 2.4);
  } else {
    const double w = pattern == 2 ? 24 : 30, h = pattern == 2 ? 10 : 16;
    OpenMouth(
        cr,
        [&] {
          cairo_move_to(cr, mx - 6, my - 1);
          cairo_curve_to(cr, mx - 2, my + h, mx + w - 4, my + h, mx + w, my - 3);
          cairo_curve_to(cr, mx + w * 0.5, my + 1, mx + 2, my + 1, mx - 6, my - 1);
          cairo_close_path(cr);
        },
        mx + w * 0.45, my + h * 0.85, w * 0.3, h * 0.35, 2.4);
  }
}

void Dreb01(cairo_t* cr, int) {
  // A red sneaker, toe to the left; the ankle (the turning point) at (35.4, 17).
  cairo_move_to(cr, 30, 4);
  cairo_line_to(cr, 44, 3);
  cairo_curve_to(cr, 52, 6, 56, 14, 56, 22);
  cairo_line_to(cr, 56, 26);
  cairo_line_to(cr, 6, 26);
  cairo_curve_to(cr, 2, 26, 2, 18, 7, 15);
  cairo_curve_to(cr, 14, 12, 24, 12, 30, 4);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kSneaker, pal::Outline, 2.2, 0.3, 0.4});
  // Sole.
  art::RoundedRect(cr, 2.5, 24, 55, 7.5, 3.5);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 2.0, 0.1, 0});
  // Toe cap and laces.
  cairo_move_to(cr, 5, 24);
  cairo_curve_to(cr, 5, 17, 11, 15, 17, 15);
  cairo_line_to(cr, 17, 24);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.6, 0.1, 0});
  for (int i = 0; i < 3; ++i)
    Line(cr, 22 + i * 5, 12 - i * 2, 27 + i * 5, 16 - i * 2, pal::White, 2.2);
  // The fur of the leg coming out of the shoe.
  art::Ellipse(cr, 38, 5, 9, 5);
  art::Paint(cr, art::Style{kFur, pal::Outline, 1.8, 0.2, 0});
}

void Dreb02(cairo_t* cr, int pattern) {
  // Stalk.
  cairo_move_to(cr, 14.5, 20);
  cairo_line_to(cr, 14.5, 31);
  art::Stroke(cr, pal::Outline, 7.5);
  cairo_move_to(cr, 14.5, 20);
  cairo_line_to(cr, 14.5, 31);
  art::Stroke(cr, kFur.Lighter(0.1), 3.8);
  // Eyeball.
  art::Circle(cr, 14.5, 12.5, 11);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 2.2, 0.15, 0});
  art::Circle(cr, 10.5, 13.5, 5);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, 9, 11.5, 1.8);
  art::Fill(cr, pal::White);
  if (pattern == 0) return;
  // The lid comes down over the ball: half way, then shut with a lash line.
  cairo_save(cr);
  art::Circle(cr, 14.5, 12.5, 11);
  cairo_clip(cr);
  const double bottom = pattern == 1 ? 12.5 : 24;
  cairo_rectangle(cr, 0, 0, 29, bottom);
  art::Fill(cr, kFur);
  cairo_restore(cr);
  if (pattern == 1) {
    Line(cr, 3.8, 12.5, 25.2, 12.5, pal::Outline, 1.8);
  } else {
    cairo_move_to(cr, 5, 14);
    cairo_curve_to(cr, 9, 19, 20, 19, 24, 14);
    art::Stroke(cr, pal::Outline, 1.8);
  }
  art::Circle(cr, 14.5, 12.5, 11);
  art::Stroke(cr, pal::Outline, 2.2);
}

void Svet01(cairo_t* cr, int) {
  // The lit spot on the floor, brightest in the middle, soft at the edge.
  RadialGlow(cr, 109, 29.5, 108, 29, pal::Yellow.Lighter(0.3), 0.55);
  RadialGlow(cr, 109, 29.5, 70, 17, pal::White, 0.35);
}

void Fill01(cairo_t* cr, int) {
  // A hanging lamp: a cord from the top, a green enamel shade and a glowing bulb.
  Line(cr, 20, 0, 20, 8, pal::Outline, 2.0);
  cairo_move_to(cr, 4, 22);
  cairo_curve_to(cr, 4, 12, 12, 7, 20, 7);
  cairo_curve_to(cr, 28, 7, 36, 12, 36, 22);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Green, pal::Outline, 2.0, 0.35, 0.5});
  RadialGlow(cr, 20, 22, 10, 5, pal::Yellow.Lighter(0.5), 1.0);
  art::Ellipse(cr, 20, 22, 6, 2.5);
  art::Fill(cr, pal::White);
}

void LightCone(cairo_t* cr, double w, double h, double topLeft, double topRight) {
  art::Polyline(cr, {topLeft, 0, topRight, 0, w, h, 0, h}, true);
  const Color c = pal::Yellow.Lighter(0.5);
  art::FillWith(cr,
                art::LinearGradient(0, 0, 0, h, {{0, c.WithAlpha(0.75)}, {1, c.WithAlpha(0.12)}}));
}

void Fill02(cairo_t* cr, int) { LightCone(cr, 56, 157, 29, 45); }
void Fill03(cairo_t* cr, int) { LightCone(cr, 55, 157, 38, 52); }

// ===== Publisher: the sign, its cord, the ribbon and the star ==============================

art::TextStyle Lettering(double size, const Color& fill, double line) {
  art::TextStyle s{.Face = art::Font::SansBold,
                   .Size = size,
                   .Fill = fill,
                   .Line = pal::Outline,
                   .LineWidth = line};
  return s;
}

// Letters that hop: each its own slight tilt and height, like the critter in mid-jump.
void BouncyWord(cairo_t* cr, const std::vector<std::string>& letters, double cx, double baseline,
                double size) {
  art::TextStyle s = Lettering(size, pal::Yellow, 0);
  double total = 0;
  std::vector<double> widths;
  for (const auto& l : letters) {
    widths.push_back(art::TextWidth(cr, l, s) * 0.92);
    total += widths.back();
  }
  double x = cx - total / 2;
  for (size_t i = 0; i < letters.size(); ++i) {
    const double lift = (i % 2 == 0) ? 0 : -6;
    const double tilt = (i % 2 == 0) ? -0.06 : 0.07;
    cairo_save(cr);
    cairo_translate(cr, x + widths[i] / 2, baseline + lift);
    cairo_rotate(cr, tilt);
    // Shadow, outline, fill, and a light top half.
    art::TextStyle shadow = Lettering(size, pal::Outline.WithAlpha(0.6), 0);
    art::Text(cr, letters[i], 2.5, 3.5, shadow);
    art::TextStyle outline = Lettering(size, pal::Outline, 7);
    art::Text(cr, letters[i], 0, 0, outline);
    art::TextStyle fill = Lettering(size, i % 2 == 0 ? pal::Yellow : pal::White, 0);
    art::Text(cr, letters[i], 0, 0, fill);
    cairo_restore(cr);
    x += widths[i];
  }
}

void Text01(cairo_t* cr, int) {
  // A marquee sign: red board, brass rim with little light bulbs all round.
  art::RoundedRect(cr, 3, 3, 320, 122, 22);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 2.6, 0.35, 0.3});
  art::RoundedRect(cr, 14, 14, 298, 100, 14);
  art::Paint(cr, art::Style{pal::Red.Shade(0.1), pal::Outline, 2.0, 0.25, 0});
  const int nx = 14, ny = 5;
  for (int i = 0; i <= nx; ++i) {
    for (double y : {8.5, 119.5}) {
      const double x = 14 + i * (298.0 / nx);
      RadialGlow(cr, x, y, 5.5, 5.5, pal::Yellow.Lighter(0.4), 0.9);
      art::Circle(cr, x, y, 2.6);
      art::Paint(cr, art::Style{pal::White, pal::Outline, 0.8, 0, 0});
    }
  }
  for (int i = 1; i < ny; ++i) {
    for (double x : {8.5, 317.5}) {
      const double y = 8.5 + i * (111.0 / ny);
      RadialGlow(cr, x, y, 5.5, 5.5, pal::Yellow.Lighter(0.4), 0.9);
      art::Circle(cr, x, y, 2.6);
      art::Paint(cr, art::Style{pal::White, pal::Outline, 0.8, 0, 0});
    }
  }
  BouncyWord(cr, {"К", "У", "В", "Ы", "Р", "О", "К"}, 163, 78, 52);
  art::TextStyle small = Lettering(14, pal::Cream, 0);
  small.Face = art::Font::CondensedBold;
  art::Text(cr, "ИГРОВОЕ ИЗДАТЕЛЬСТВО", 163, 104, small);
}

void Text02(cairo_t* cr, int) {
  // A cord hanging from the middle of the sign with a golden tassel.
  Line(cr, 9.5, 0, 9.5, 40, pal::Outline, 4.0);
  Line(cr, 9.5, 0, 9.5, 40, pal::Gold, 2.0);
  art::Circle(cr, 9.5, 42, 4);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.6, 0.3, 0.4});
  art::Polyline(cr, {5, 45, 14, 45, 17, 60, 2, 60}, true);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.6, 0.3, 0});
  for (int i = 0; i < 4; ++i) Line(cr, 6 + i * 2.5, 48, 5 + i * 3, 59, pal::Gold.Shade(0.4), 0.9);
}

constexpr int kRibbonW = 322, kRibbonH = 42;

void RibbonBand(cairo_t* cr, double w) {
  // The band with notched ends, slightly curved.
  cairo_move_to(cr, 0, 6);
  cairo_curve_to(cr, w * 0.33, 12, w * 0.66, 0, w, 6);
  cairo_line_to(cr, w, 34);
  cairo_curve_to(cr, w * 0.66, 28, w * 0.33, 40, 0, 34);
  cairo_line_to(cr, 9, 20);
  cairo_close_path(cr);
}

void Text03(cairo_t* cr, int pattern) {
  // The ribbon unrolls from the left in 18 steps; the roll travels to the right.
  const double full = kRibbonW - 4;
  const double shown = 20 + (full - 20) * pattern / 17.0;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, shown, kRibbonH);
  cairo_clip(cr);
  cairo_translate(cr, 2, 1);
  RibbonBand(cr, full - 4);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2.4, 0.25, 0});
  art::TextStyle s = Lettering(22, pal::Red, 0);
  s.Face = art::Font::CondensedBold;
  art::TextStyle o = s;
  o.Fill = pal::White;
  o.LineWidth = 0;
  art::Text(cr, "ПРЕДСТАВЛЯЕТ", (full - 4) / 2 + 1, 28, o);
  art::Text(cr, "ПРЕДСТАВЛЯЕТ", (full - 4) / 2, 27, s);
  cairo_restore(cr);
  if (pattern < 17) {
    // The roll at the moving end.
    art::RoundedRect(cr, shown - 7, 2, 14, 38, 7);
    art::Paint(cr, art::Style{pal::Cream.Shade(0.08), pal::Outline, 2.2, 0.4, 0.3});
    Line(cr, shown - 2, 8, shown - 2, 34, pal::Paper.Shade(0.3), 1.2);
  }
}

void Text04(cairo_t* cr, int pattern) {
  // A star twinkling on the corner of the sign.
  const double r = pattern == 0 ? 12 : 18;
  RadialGlow(cr, 20, 20, 19.5, 19.5, pal::Yellow.Lighter(0.5), pattern == 0 ? 0.45 : 0.9);
  art::Star(cr, 20, 20, r, r * 0.45, 5, pattern * 0.04);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.8, 0.3, 0.6});
  if (pattern == 1) {
    for (int i = 0; i < 4; ++i) {
      const double a = M_PI / 4 + i * M_PI / 2;
      Line(cr, 20 + std::cos(a) * 14, 20 + std::sin(a) * 14, 20 + std::cos(a) * 19,
           20 + std::sin(a) * 19, pal::White, 1.6);
    }
  }
}

void BuildPublisher(content::ContentSink& sink) {
  sink.Background(std::string(BackgroundEntry), 640, 480, [](cairo_t* cr) {
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
  });
  sink.ImageList(std::string(PublisherImages), {
                                                   {"Text01", SignW, SignH, 1, Text01},
                                                   {"Text02", CordW, CordH, 1, Text02},
                                                   {"Text03", kRibbonW, kRibbonH, 18, Text03, 3},
                                                   {"Text04", 40, 40, 2, Text04},
                                                   {"Svet01", SpotW, SpotH, 1, Svet01},
                                                   {"Dreb01", FootW, FootH, 1, Dreb01},
                                                   {"Dreb02", EyeW, EyeH, 3, Dreb02},
                                                   {"Dreb03", BodyW, BodyH, 4, Dreb03, 2},
                                                   {"Fill01", 40, 24, 1, Fill01},
                                                   {"Fill02", 56, 157, 1, Fill02},
                                                   {"Fill03", 55, 157, 1, Fill03},
                                               });
}

// ===== Maker: the sun ======================================================================

// Build-up pictures are drawn at (144, 118); the sun's face is centred on (337, 245).
constexpr double kFaceX = 337, kFaceY = 247;  // on screen
constexpr double kSunX = kFaceX - SunAt.X, kSunY = kFaceY - SunAt.Y;
constexpr double kSunR = 60;
constexpr int kRays = 12;

const Color kSun = pal::Yellow;

// The face's fill, a lit gradient fixed to the face so any piece drawn over it matches.
void SunFill(cairo_t* cr, double ox, double oy) {
  art::FillWith(cr, art::RadialGradient(ox - 18, oy - 20, 4, ox, oy, kSunR + 2,
                                        {{0, kSun.Lighter(0.45)}, {0.55, kSun}, {1, pal::Orange}}));
}

void SunDisc(cairo_t* cr, double ox, double oy, double r) {
  art::Circle(cr, ox, oy, r);
  cairo_path_t* path = cairo_copy_path(cr);
  SunFill(cr, ox, oy);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
  art::Stroke(cr, pal::Outline, 2.8);
}

void Ray(cairo_t* cr, double ox, double oy, int i, double grow) {
  const double a = -M_PI / 2 + i * 2 * M_PI / kRays;
  const double len = (i % 2 == 0 ? 46 : 34) * grow;
  const double r0 = kSunR + 6, half = 0.13;
  cairo_move_to(cr, ox + std::cos(a - half) * r0, oy + std::sin(a - half) * r0);
  cairo_line_to(cr, ox + std::cos(a) * (r0 + len), oy + std::sin(a) * (r0 + len));
  cairo_line_to(cr, ox + std::cos(a + half) * r0, oy + std::sin(a + half) * r0);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{i % 2 == 0 ? pal::Orange : pal::Yellow, pal::Outline, 2.2, 0.3, 0});
}

// Eyes relative to the face centre; both drawn the same way in the face and in "Glaza01".
constexpr double kEyeDX = 18, kEyeDY = -7, kEyeRX = 7.5, kEyeRY = 9.5;
// The lid clip reaches this far around an eye; "Glaza01" must hold it.
constexpr double kLidMargin = 3;

void OpenEyes(cairo_t* cr, double ox, double oy) {
  for (double s : {-1.0, 1.0}) {
    const double ex = ox + s * kEyeDX, ey = oy + kEyeDY;
    art::Ellipse(cr, ex, ey, kEyeRX, kEyeRY);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 2.0, 0.1, 0});
    art::Ellipse(cr, ex + 1, ey + 1.5, 4, 5.5);
    art::Fill(cr, pal::Outline);
    art::Circle(cr, ex - 0.5, ey - 1.5, 1.6);
    art::Fill(cr, pal::White);
  }
}

void Smile(cairo_t* cr, double ox, double oy) {
  cairo_move_to(cr, ox - 20, oy + 16);
  cairo_curve_to(cr, ox - 10, oy + 30, ox + 10, oy + 30, ox + 20, oy + 16);
  art::Stroke(cr, pal::Outline, 3.0);
  for (double s : {-1.0, 1.0}) {
    RadialGlow(cr, ox + s * 37, oy + 13, 12, 7, pal::Red.Lighter(0.3), 0.55);
  }
}

art::TextStyle MakerText(double size, const Color& fill) {
  art::TextStyle s{.Face = art::Font::SansBold,
                   .Size = size,
                   .Fill = fill,
                   .Line = pal::Outline,
                   .LineWidth = 0};
  return s;
}

void OutlinedText(cairo_t* cr, const std::string& text, double x, double y, double size,
                  const Color& fill, double line) {
  art::TextStyle o = MakerText(size, pal::Outline);
  o.LineWidth = line;
  art::Text(cr, text, x, y, o);
  art::Text(cr, text, x, y, MakerText(size, fill));
}

// Build-up step n (1..13): a spark, the disc growing, rays, the face, then the name.
void Bax(cairo_t* cr, int n) {
  const double ox = kSunX, oy = kSunY;
  if (n <= 3) {
    const double r = n == 1 ? 8 : (n == 2 ? 22 : 40);
    RadialGlow(cr, ox, oy, r * 2.2, r * 2.2, pal::Yellow, 0.55);
    if (n == 1) {
      art::Star(cr, ox, oy, 14, 4, 4);
      art::Fill(cr, pal::White);
    } else {
      SunDisc(cr, ox, oy, r);
    }
    return;
  }
  RadialGlow(cr, ox, oy, kSunR * 2.1, kSunR * 2.1, pal::Yellow, n >= 12 ? 0.45 : 0.3);
  if (n >= 5) {
    // Rays: 4, 8, then all 12, growing.
    const int shown = n == 5 ? 4 : (n == 6 ? 8 : kRays);
    const double grow = n == 5 ? 0.5 : (n == 6 ? 0.75 : (n == 7 ? 0.9 : 1.0));
    for (int i = 0; i < kRays; ++i) {
      if (shown == 4 && i % 3 != 0) continue;
      if (shown == 8 && i % 3 == 2) continue;
      Ray(cr, ox, oy, i, grow);
    }
  }
  SunDisc(cr, ox, oy, kSunR);
  if (n >= 8) {
    // The face: closed eyes first, then the smile, then the eyes open.
    if (n < 10) {
      for (double s : {-1.0, 1.0}) {
        cairo_move_to(cr, ox + s * kEyeDX - 7, oy + kEyeDY + 1);
        cairo_curve_to(cr, ox + s * kEyeDX - 3, oy + kEyeDY + 6, ox + s * kEyeDX + 3,
                       oy + kEyeDY + 6, ox + s * kEyeDX + 7, oy + kEyeDY + 1);
        art::Stroke(cr, pal::Outline, 2.4);
      }
    } else {
      OpenEyes(cr, ox, oy);
    }
  }
  if (n >= 9) Smile(cr, ox, oy);
  if (n >= 11) {
    const double grow = n == 11 ? 0.7 : 1.0;
    OutlinedText(cr, "СОЛНЫШКО", ox, 284, 40 * grow, pal::Yellow, 7);
  }
  if (n >= 12) OutlinedText(cr, "ИГРОВАЯ МАСТЕРСКАЯ", ox, 310, 19, pal::Cream, 4.5);
  if (n == 13) {
    art::Star(cr, ox + 132, 236, 9, 3, 4);
    art::Fill(cr, pal::White);
    art::Star(cr, ox - 136, 262, 7, 2, 4);
    art::Fill(cr, pal::White);
  }
}

// "Glaza01" at (310, 227): the eyes with the face behind them, lids 0 open .. 2 shut.
void Glaza01(cairo_t* cr, int pattern) {
  const double ox = kFaceX - EyesAt.X, oy = kFaceY - EyesAt.Y;
  cairo_save(cr);
  for (double s : {-1.0, 1.0})
    art::Ellipse(cr, ox + s * kEyeDX, oy + kEyeDY, kEyeRX + kLidMargin, kEyeRY + kLidMargin);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 0, 60, 24);
  SunFill(cr, ox, oy);
  OpenEyes(cr, ox, oy);
  for (double s : {-1.0, 1.0}) {
    const double ex = ox + s * kEyeDX, ey = oy + kEyeDY;
    if (pattern == 0) continue;
    cairo_save(cr);
    art::Ellipse(cr, ex, ey, kEyeRX + kLidMargin, kEyeRY + kLidMargin);
    cairo_clip(cr);
    const double lid = pattern == 1 ? ey : ey + kEyeRY + 2;
    cairo_rectangle(cr, ex - 12, ey - 14, 24, lid - (ey - 14));
    SunFill(cr, ox, oy);
    cairo_restore(cr);
    if (pattern == 1) {
      art::Ellipse(cr, ex, ey, kEyeRX, kEyeRY);
      art::Stroke(cr, pal::Outline, 2.0);
      cairo_move_to(cr, ex - kEyeRX, ey);
      cairo_line_to(cr, ex + kEyeRX, ey);
      art::Stroke(cr, pal::Outline, 2.2);
    } else {
      cairo_move_to(cr, ex - 7, ey + 1);
      cairo_curve_to(cr, ex - 3, ey + 6, ex + 3, ey + 6, ex + 7, ey + 1);
      art::Stroke(cr, pal::Outline, 2.4);
    }
  }
  cairo_restore(cr);
}

// "Rot01" at (297, 251): the mouth opening, patterns 1..3 (0 is the closed smile).
void Rot01(cairo_t* cr, int pattern) {
  const double ox = kFaceX - MouthAt.X, oy = kFaceY - MouthAt.Y;
  cairo_save(cr);
  art::Ellipse(cr, ox, oy + 21, 29, 15);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 0, 80, 40);
  SunFill(cr, ox, oy);
  cairo_restore(cr);
  if (pattern == 0) {
    cairo_move_to(cr, ox - 20, oy + 16);
    cairo_curve_to(cr, ox - 10, oy + 30, ox + 10, oy + 30, ox + 20, oy + 16);
    art::Stroke(cr, pal::Outline, 3.0);
    return;
  }
  const double open = pattern * 5;
  OpenMouth(
      cr,
      [&] {
        cairo_move_to(cr, ox - 19, oy + 16);
        cairo_curve_to(cr, ox - 10, oy + 22 + open, ox + 10, oy + 22 + open, ox + 19, oy + 16);
        cairo_curve_to(cr, ox + 8, oy + 18 - open * 0.4, ox - 8, oy + 18 - open * 0.4, ox - 19,
                       oy + 16);
        cairo_close_path(cr);
      },
      ox, oy + 20 + open * 0.7, 9, 2 + open * 0.4, 2.6);
}

void BuildMaker(content::ContentSink& sink) {
  std::vector<content::ImageSpec> images;
  for (int n = 1; n <= BuildSteps; ++n) {
    char name[8];
    std::snprintf(name, sizeof name, "Bax%02d", n);
    images.push_back({name, SunW, SunH, 1, [n](cairo_t* cr, int) { Bax(cr, n); }});
  }
  images.push_back({"Glaza01", EyesW, EyesH, 3, Glaza01});
  images.push_back({"Rot01", MouthW, MouthH, 4, Rot01});
  sink.ImageList(std::string(MakerImages), images);
}

void Build(content::ContentSink& sink) {
  BuildPublisher(sink);
  BuildMaker(sink);
}

}  // namespace

VEPA_CONTENT_MODULE(screens_logo_pictures, Build);
