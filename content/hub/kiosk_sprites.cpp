// "s_ksk01": the kiosk's objects, each drawn at the size and place the hub shows it. Screen
// positions (top-left corners) are in the comments; hot spots the hub relies on are noted.
#include <cmath>
#include <string>

#include "content/hub/hub_art.h"
#include "content/lib/fonts.h"

namespace hubart {

namespace {

namespace pal = art::pal;
using content::ImageSpec;
using content::SinglePicture;

// Lamp01 at (280, 58): a tin shade on a cord with a bulb; patterns 0 (dim) to 4 (flaring),
// 2 is the normal light.
void Lamp(cairo_t* cr, int p) {
  const double cx = 40, bulbY = 36;
  const double glow = 0.12 + 0.2 * p;
  cairo_arc(cr, cx, bulbY + 4, 22 + 4 * p, 0, 2 * M_PI);
  art::FillWith(cr, art::RadialGradient(cx, bulbY + 4, 2, cx, bulbY + 4, 22 + 4 * p,
                                        {{0, {1.0, 0.95, 0.6, glow}}, {1, {1.0, 0.85, 0.4, 0}}}));
  // Cord and socket.
  cairo_move_to(cr, cx, 0);
  cairo_line_to(cr, cx, 12);
  art::Stroke(cr, pal::Outline, 2);
  // The bulb under the shade.
  const Color bulb = art::Hex(0x9A8E70).Mix(art::Hex(0xFFF6B0), p / 4.0);
  art::Ellipse(cr, cx, bulbY + 6, 8, 9);
  art::Paint(cr, art::Style{bulb, pal::Outline, 1.8, 0.2, 0.6});
  // The shade.
  art::Polyline(cr, {cx - 7, 10, cx + 7, 10, cx + 26, bulbY + 2}, false);
  cairo_curve_to(cr, cx + 10, bulbY + 6, cx - 10, bulbY + 6, cx - 26, bulbY + 2);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0x4F8F5A), pal::Outline, 2.2, 0.35, 0.5});
  art::RoundedRect(cr, cx - 6, 6, 12, 7, 2);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.5, 0.3});
}

// Door01 at (174, 178): the back door of the booth; the handle is at (236, 282) on screen.
void Door(cairo_t* cr) {
  art::WoodPlanks(cr, 2, 2, 72, 186, 18, true, 61, art::Hex(0x9C6A3C));
  cairo_rectangle(cr, 2, 2, 72, 186);
  art::Stroke(cr, pal::Outline, 2.5);
  // Two sunk panels.
  art::RoundedRect(cr, 12, 14, 52, 64, 4);
  art::Paint(cr, art::Style{art::Hex(0x865A33), pal::Outline, 1.6, -0.2});
  art::RoundedRect(cr, 12, 124, 52, 54, 4);
  art::Paint(cr, art::Style{art::Hex(0x865A33), pal::Outline, 1.6, -0.2});
  // The handle and its plate.
  art::RoundedRect(cr, 56, 92, 12, 26, 4);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.6, 0.3, 0.4});
  art::RoundedRect(cr, 46, 100, 20, 8, 4);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.8, 0.4, 0.8});
  art::Circle(cr, 62, 112, 2);
  art::Fill(cr, pal::Outline);
  // A sign "ВЫХОД" (way out).
  art::RoundedRect(cr, 14, 84, 34, 14, 3);
  art::Paint(cr, art::Style{pal::Lime, pal::Outline, 1.4, 0.2});
  SignText(cr, "ВЫХОД", 31, 91, 9, pal::Outline, 0.85);
}

// DTir01 at (58, 106): a dartboard with a few darts missing the bull.
void Dartboard(cairo_t* cr) {
  const double c = 42;
  art::Circle(cr, c, c, 40);
  art::Paint(cr, art::Style{art::Hex(0x2A2420), pal::Outline, 2.2, 0.2});
  for (int i = 0; i < 20; ++i) {
    const double a0 = (i - 0.5) * M_PI / 10, a1 = (i + 0.5) * M_PI / 10;
    for (int ring = 0; ring < 2; ++ring) {
      const double r0 = ring == 0 ? 8 : 22, r1 = ring == 0 ? 21 : 33;
      cairo_new_sub_path(cr);
      cairo_arc(cr, c, c, r1, a0, a1);
      cairo_arc_negative(cr, c, c, r0, a1, a0);
      cairo_close_path(cr);
      art::Fill(cr, i % 2 ? pal::Cream : art::Hex(0x2A2420));
    }
    for (double r : {21.0, 33.0}) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, c, c, r + 1.8, a0, a1);
      cairo_arc_negative(cr, c, c, r - 1.8, a1, a0);
      cairo_close_path(cr);
      art::Fill(cr, i % 2 ? pal::Green : pal::Red);
    }
  }
  art::Circle(cr, c, c, 7);
  art::Fill(cr, pal::Green);
  art::Circle(cr, c, c, 3.5);
  art::Fill(cr, pal::Red);
  art::Circle(cr, c, c, 34.5);
  art::Stroke(cr, pal::Outline, 1);
  // Two darts stuck in it.
  for (int i = 0; i < 2; ++i) {
    const double x = c + (i ? 12 : -16), y = c + (i ? -14 : 8);
    art::LitLimb(cr, {x, y, x + 10, y - 8}, 1.6, pal::Brass, kLimbLight, 1);
    art::Polyline(cr, {x + 10, y - 8, x + 18, y - 16, x + 12, y - 6}, true);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1, 0.2});
  }
}

// Plakat01 at (510, 100): the game's own poster (the about screen).
void Poster(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, 42, 60);
  cairo_rotate(cr, 0.03);
  cairo_translate(cr, -42, -60);
  cairo_rectangle(cr, 4, 3, 76, 114);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 2.2, 0.2});
  // Rays from the middle.
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    cairo_move_to(cr, 42, 60);
    cairo_line_to(cr, 42 + 90 * std::cos(a), 60 + 90 * std::sin(a));
    cairo_line_to(cr, 42 + 90 * std::cos(a + 0.22), 60 + 90 * std::sin(a + 0.22));
    cairo_close_path(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 5, 4, 74, 112);
    cairo_clip(cr);
    art::Fill(cr, pal::Orange.WithAlpha(0.6));
    cairo_restore(cr);
  }
  SignText(cr, "ПЕЛКО", 42, 26, 20, pal::Red, 0.9, pal::Outline, 1.2);
  SignText(cr, "ВЕПА", 42, 50, 22, pal::Blue, 0.9, pal::Outline, 1.2);
  art::Circle(cr, 42, 82, 16);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 2, 0.3, 0.5});
  SignText(cr, "4", 42, 83, 24, pal::White, 1, pal::Outline, 1.2);
  SignText(cr, "ИГРЫ * ЛОТО", 42, 108, 10, pal::Ink, 0.85);
  // Pins.
  for (double x : {10.0, 74.0}) {
    art::Circle(cr, x, 8, 3);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.2, 0.3, 0.8});
  }
  cairo_restore(cr);
}

// Book01 at (515, 245): a fat book lying on a small shelf; it lowers the choice sign.
void Book(cairo_t* cr) {
  // The shelf bracket.
  cairo_rectangle(cr, 0, 44, 64, 6);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.8, 0.3});
  // Pages and cover.
  art::RoundedRect(cr, 6, 18, 54, 22, 3);
  art::Paint(cr, art::Style{pal::Paper, pal::Outline, 2, 0.1});
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, 10, 24 + i * 4);
    cairo_line_to(cr, 56, 24 + i * 4);
    art::Stroke(cr, art::Hex(0xC8B090), 1);
  }
  cairo_move_to(cr, 4, 16);
  cairo_line_to(cr, 58, 12);
  cairo_line_to(cr, 62, 20);
  cairo_line_to(cr, 8, 24);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Purple, pal::Outline, 2, 0.35, 0.5});
  art::RoundedRect(cr, 2, 38, 58, 6, 2);
  art::Paint(cr, art::Style{pal::Purple.Darker(0.2), pal::Outline, 1.8, 0.2});
  // The bookmark ribbon.
  art::Polyline(cr, {40, 40, 44, 40, 44, 50, 42, 47, 40, 50}, true);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1, 0.2});
}

// Perch01 at (159, 89): a red boxing glove hanging by its lace from the nail at (187, 84).
void Glove(cairo_t* cr) {
  cairo_move_to(cr, 28, 0);
  cairo_line_to(cr, 24, 14);
  cairo_move_to(cr, 28, 0);
  cairo_line_to(cr, 34, 14);
  art::Stroke(cr, pal::Cream, 2);
  // Cuff.
  art::RoundedRect(cr, 15, 12, 26, 16, 5);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 2, 0.2});
  // The fist of the glove, thumb to the left.
  cairo_move_to(cr, 14, 26);
  cairo_curve_to(cr, 4, 36, 4, 62, 22, 68);
  cairo_curve_to(cr, 40, 72, 54, 60, 52, 42);
  cairo_curve_to(cr, 50, 28, 44, 24, 40, 26);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 2.2, 0.35, 0.7});
  cairo_move_to(cr, 16, 36);
  cairo_curve_to(cr, 10, 44, 12, 54, 20, 56);
  art::Stroke(cr, pal::Outline, 1.6);
}

// Snake01 at (420, 90): a green snake wound round the branch, hanging head down; the mouth is
// at (460, 155) on screen, where Snake02 shows the tongue. Patterns 0..3 sway the body.
void Snake(cairo_t* cr, int p) {
  const double sway = (p - 1.5) * 3;
  const Color body = pal::Green;
  // Coils round the branch (the branch lies at y 7..13 of this picture).
  art::LitLimb(cr, {6, 10, 20, 4, 34, 14, 50, 4, 64, 12, 74, 6}, 5, body, kLimbLight);
  // Hanging part, swaying.
  art::LitLimb(cr, {46, 12, 48 + sway, 24, 36 + sway * 1.5, 36, 44 + sway, 48, 40, 56}, 5.5, body,
               kLimbLight);
  // Belly stripes.
  for (int i = 0; i < 4; ++i) {
    art::Circle(cr, 20 + i * 14, 9 + (i % 2) * 2, 1.5);
    art::Fill(cr, pal::Yellow);
  }
  // The head, pointing down: the mouth at (40, 65).
  cairo_save(cr);
  cairo_translate(cr, 40, 57);
  art::Ellipse(cr, 0, 0, 9, 8);
  art::Paint(cr, art::Style{body, pal::Outline, 2, 0.35, 0.5});
  art::Circle(cr, -4, -1, 2.6);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1, 0});
  art::Circle(cr, 4, -1, 2.6);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1, 0});
  cairo_rectangle(cr, -4.5, -2.5, 1, 3);
  cairo_rectangle(cr, 3.5, -2.5, 1, 3);
  art::Fill(cr, pal::Outline);
  cairo_move_to(cr, -4, 5);
  cairo_curve_to(cr, -1, 7, 1, 7, 4, 5);
  art::Stroke(cr, pal::Outline, 1.3);
  cairo_restore(cr);
}

// Snake02 at (455, 154): the forked tongue under the mouth, short (0) or long (1).
void Tongue(cairo_t* cr, int p) {
  const double len = p == 0 ? 7 : 12;
  cairo_move_to(cr, 5, 2);
  cairo_line_to(cr, 5, 2 + len);
  cairo_move_to(cr, 5, 2 + len);
  cairo_line_to(cr, 2, 5 + len);
  cairo_move_to(cr, 5, 2 + len);
  cairo_line_to(cr, 8, 5 + len);
  art::Stroke(cr, pal::Red, 1.6);
}

// Gun02 at (416, 155): an air rifle lying on two pegs; the upper rows stay clear for the
// snake's tongue.
void Gun(cairo_t* cr) {
  // Pegs.
  for (double x : {24.0, 66.0}) {
    art::RoundedRect(cr, x, 30, 6, 10, 2);
    art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.5, 0.2});
  }
  // Barrel.
  art::RoundedRect(cr, 4, 22, 58, 6, 2);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 1.8, 0.4, 0.6});
  // Stock.
  cairo_move_to(cr, 52, 20);
  cairo_line_to(cr, 70, 20);
  cairo_curve_to(cr, 78, 22, 84, 26, 88, 34);
  cairo_line_to(cr, 84, 38);
  cairo_curve_to(cr, 74, 32, 64, 30, 54, 30);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2, 0.35, 0.4});
  // Trigger guard.
  cairo_arc(cr, 60, 31, 4, 0, M_PI);
  art::Stroke(cr, pal::Outline, 1.6);
  art::RoundedRect(cr, 2, 20, 5, 5, 1);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.2, 0.2});
}

// Molot01 at (37, 238): the fairground mallet hanging from a hook, head up.
void Hammer(cairo_t* cr) {
  art::LitLimb(cr, {30, 26, 30, 96}, 4, pal::WoodLight, kLimbLight);
  art::RoundedRect(cr, 4, 6, 52, 26, 7);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 2.2, 0.35, 0.6});
  for (double x : {10.0, 44.0}) {
    cairo_rectangle(cr, x, 6, 6, 26);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.5, 0.3});
  }
  SignText(cr, "БУМ!", 30, 19, 11, pal::Yellow, 0.9, pal::Outline, 0.8);
}

// Televizor01 at (90, 282): an old television on the counter, showing the lottery balls.
void Television(cairo_t* cr) {
  // Antenna.
  art::LitLimb(cr, {45, 12, 30, 0}, 1, pal::SteelDark, kLimbLight, 1);
  art::LitLimb(cr, {45, 12, 62, 1}, 1, pal::SteelDark, kLimbLight, 1);
  art::RoundedRect(cr, 2, 10, 86, 66, 8);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2.4, 0.35, 0.3});
  art::RoundedRect(cr, 8, 16, 58, 52, 10);
  art::Paint(cr, art::Style{art::Hex(0x3B5C72), pal::Outline, 2, 0.3});
  // Balls on the screen.
  const Color balls[] = {pal::Red, pal::Yellow, pal::Lime, pal::Sky};
  for (int i = 0; i < 4; ++i) {
    art::Circle(cr, 20 + i * 11, 48 - (i % 2) * 8, 5);
    art::Paint(cr, art::Style{balls[i], pal::Outline, 1, 0.3, 0.6});
  }
  art::Ellipse(cr, 26, 26, 14, 5);
  art::Fill(cr, pal::White.WithAlpha(0.25));
  // Knobs.
  for (int i = 0; i < 2; ++i) {
    art::Circle(cr, 77, 28 + i * 16, 4.5);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.5, 0.3});
  }
  // Feet.
  cairo_rectangle(cr, 10, 76, 8, 4);
  cairo_rectangle(cr, 72, 76, 8, 4);
  art::Fill(cr, pal::Outline);
}

// Bug01 at (97, 303): a cockroach sitting on the TV screen.
void Cockroach(cairo_t* cr) {
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 9 + i * 5, 10);
    cairo_line_to(cr, 6 + i * 6, 3);
    cairo_move_to(cr, 9 + i * 5, 10);
    cairo_line_to(cr, 6 + i * 6, 17);
  }
  art::Stroke(cr, pal::Outline, 1.2);
  cairo_move_to(cr, 5, 9);
  cairo_curve_to(cr, 2, 4, 0, 2, 0, 0);
  cairo_move_to(cr, 5, 10);
  cairo_curve_to(cr, 2, 12, 0, 15, 0, 18);
  art::Stroke(cr, pal::Outline, 1);
  art::Ellipse(cr, 15, 10, 9, 5);
  art::Paint(cr, art::Style{art::Hex(0x8A4A22), pal::Outline, 1.4, 0.4, 0.7});
  art::Ellipse(cr, 6, 10, 3, 3);
  art::Paint(cr, art::Style{art::Hex(0x5A2E14), pal::Outline, 1.2, 0.2});
}

// Hleb01 at (187, 381): the cashier's lunch, a loaf of bread.
void Bread(cairo_t* cr) {
  art::GroundShadow(cr, 26, 26, 22, 4);
  cairo_move_to(cr, 4, 24);
  cairo_curve_to(cr, 2, 8, 16, 4, 26, 4);
  cairo_curve_to(cr, 38, 4, 48, 10, 46, 24);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0xD99A4E), pal::Outline, 2, 0.35, 0.5});
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 14 + i * 10, 8);
    cairo_line_to(cr, 18 + i * 10, 16);
    art::Stroke(cr, art::Hex(0x9A5A26), 1.6);
  }
}

// Govno01 at (74, 386): what the snake left on the counter, a flies' favourite.
void Heap(cairo_t* cr) {
  art::GroundShadow(cr, 18, 24, 16, 3);
  const Color brown = art::Hex(0x7A4A24);
  art::Ellipse(cr, 18, 21, 15, 5);
  art::Paint(cr, art::Style{brown, pal::Outline, 1.8, 0.3});
  art::Ellipse(cr, 18, 15, 11, 4.5);
  art::Paint(cr, art::Style{brown, pal::Outline, 1.8, 0.3});
  art::Ellipse(cr, 18, 9.5, 7, 4);
  art::Paint(cr, art::Style{brown, pal::Outline, 1.8, 0.3, 0.4});
  cairo_move_to(cr, 18, 6);
  cairo_curve_to(cr, 20, 2, 24, 2, 24, 4);
  art::Stroke(cr, pal::Outline, 1.6);
}

// Kard01 at (261, 384): a fan of playing cards on the counter.
void Cards(cairo_t* cr) {
  for (int i = 0; i < 4; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 22 + i * 6, 26);
    cairo_rotate(cr, -0.6 + i * 0.35);
    art::RoundedRect(cr, -9, -22, 18, 24, 2.5);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1.5, 0.15});
    const bool red = i % 2 == 1;
    SignText(cr, red ? "♥" : "♠", 0, -11, 10, red ? pal::Red : pal::Outline);
    cairo_restore(cr);
  }
}

// Aqua01 at (447, 310): a little fish tank on the counter. The fish swim inside, drawn over it
// at (460 + X, 340 + Y) with X 0..40 and Y 0..20; its bottom right corner is rounded off.
void Tank(cairo_t* cr) {
  art::GroundShadow(cr, 38, 58, 34, 4);
  // The glass body with the rounded corner.
  auto body = [cr]() {
    cairo_new_path(cr);
    art::Polyline(cr, {3, 10, 69, 10, 69, 38}, false);
    cairo_curve_to(cr, 69, 52, 60, 58, 48, 58);
    cairo_line_to(cr, 3, 58);
    cairo_close_path(cr);
  };
  // Water.
  body();
  cairo_save(cr);
  cairo_clip(cr);
  art::FillRect(cr, 0, 16, 72, 44,
                art::LinearGradient(0, 16, 0, 58,
                                    {{0, {0.55, 0.85, 0.95, 0.85}}, {1, {0.25, 0.55, 0.75, 0.9}}}));
  // Gravel and a weed.
  art::Rng rng(5);
  for (int i = 0; i < 26; ++i) {
    art::Circle(cr, 4 + rng.Range(0, 60), 55 + rng.Range(-2, 2), 2.2);
    art::Fill(cr, i % 3 ? art::Hex(0xD9B07A) : art::Hex(0xB08050));
  }
  art::LitLimb(cr, {12, 56, 9, 44, 14, 34, 10, 24}, 2, pal::Green, kLimbLight, 1);
  art::LitLimb(cr, {60, 56, 64, 46, 59, 36}, 2, pal::Lime, kLimbLight, 1);
  cairo_restore(cr);
  // Surface line and glass.
  cairo_move_to(cr, 4, 16);
  cairo_line_to(cr, 68, 16);
  art::Stroke(cr, pal::White.WithAlpha(0.8), 1.5);
  body();
  art::Paint(cr, art::Style{art::Hex(0xCFEFF7, 0.12), pal::Outline, 2.2, 0, 0});
  cairo_move_to(cr, 8, 14);
  cairo_line_to(cr, 8, 50);
  art::Stroke(cr, pal::White.WithAlpha(0.5), 2);
  // The rim.
  art::RoundedRect(cr, 1, 6, 70, 6, 2);
  art::Paint(cr, art::Style{pal::Blue, pal::Outline, 1.8, 0.3});
}

// Riba01: a goldfish, drawn small and turned by its heading. Pattern 0 faces left (it swims
// towards its heading's opposite), 1 faces the viewer in mid-turn, 2 faces right.
void Fish(cairo_t* cr, int p) {
  const Color gold = pal::Orange;
  if (p == 1) {
    art::Ellipse(cr, 16, 10, 7, 8);
    art::Paint(cr, art::Style{gold, pal::Outline, 1.5, 0.3, 0.5});
    art::Circle(cr, 13, 8, 2);
    art::Circle(cr, 19, 8, 2);
    art::Fill(cr, pal::Outline);
    return;
  }
  cairo_save(cr);
  if (p == 2) {
    cairo_translate(cr, 32, 0);
    cairo_scale(cr, -1, 1);
  }
  // Tail on the right, head on the left.
  cairo_move_to(cr, 22, 10);
  cairo_line_to(cr, 31, 2);
  cairo_line_to(cr, 29, 10);
  cairo_line_to(cr, 31, 18);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.5, 0.2});
  art::Ellipse(cr, 13, 10, 11, 7);
  art::Paint(cr, art::Style{gold, pal::Outline, 1.6, 0.35, 0.6});
  art::Circle(cr, 7, 8, 2.2);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1, 0});
  art::Circle(cr, 6.5, 8, 1);
  art::Fill(cr, pal::Outline);
  cairo_restore(cr);
}

// Bilet01 at (460, 365): the stack of lottery tickets for sale; pattern p shows p + 1 tickets.
void TicketStack(cairo_t* cr, int p) {
  art::GroundShadow(cr, 25, 27, 23, 3);
  for (int i = 0; i <= p; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 25 + (i % 2) * 1.5, 22 - i * 3.2);
    cairo_rotate(cr, (i % 2 ? 0.04 : -0.05));
    art::RoundedRect(cr, -22, -7, 44, 14, 2);
    art::Paint(cr, art::Style{i == p ? pal::Pink : art::Hex(0xF7C6D2), pal::Outline, 1.4, 0.15});
    if (i == p) {
      SignText(cr, "ЛОТО", -8, 0, 9, pal::Red, 0.9);
      for (int k = 0; k < 3; ++k) {
        art::Circle(cr, 8 + k * 5, 0, 1.6);
        art::Fill(cr, pal::Navy);
      }
    }
    cairo_restore(cr);
  }
}

// Bilet02 at (25, 420): the ticket count plate; the number is written centred at x 63.
void TicketPlate(cairo_t* cr) {
  art::RoundedRect(cr, 2, 2, 72, 44, 8);
  art::Paint(cr, art::Style{pal::Pink, pal::Outline, 2.2, 0.25, 0.3});
  art::RoundedRect(cr, 18, 10, 40, 28, 5);
  art::Paint(cr, art::Style{art::Hex(0x3A2418), pal::Outline, 1.6, -0.2});
  // A little ticket beside the number.
  cairo_save(cr);
  cairo_translate(cr, 10, 24);
  cairo_rotate(cr, -0.2);
  art::RoundedRect(cr, -6, -10, 12, 20, 2);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.3, 0.1});
  for (int i = 0; i < 3; ++i) {
    art::Circle(cr, 0, -5 + i * 5, 1.3);
    art::Fill(cr, pal::Red);
  }
  cairo_restore(cr);
}

// Daz01 at (410, 338): Daz, the little battery toy with a screen for a face.
void Daz(cairo_t* cr) {
  art::GroundShadow(cr, 20, 57, 16, 3);
  // Feet.
  for (double x : {9.0, 25.0}) {
    art::RoundedRect(cr, x, 48, 8, 9, 3);
    art::Paint(cr, art::Style{pal::Navy, pal::Outline, 1.5, 0.2});
  }
  // Antenna.
  art::LitLimb(cr, {20, 14, 24, 4}, 1, pal::SteelDark, kLimbLight, 1);
  art::Circle(cr, 24, 4, 3);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.2, 0.3, 0.8});
  art::RoundedRect(cr, 3, 12, 34, 40, 10);
  art::Paint(cr, art::Style{pal::Teal, pal::Outline, 2.2, 0.35, 0.6});
  art::RoundedRect(cr, 8, 18, 24, 16, 4);
  art::Paint(cr, art::Style{art::Hex(0xB8E0A0), pal::Outline, 1.5, 0.1});
  // Pixel face.
  for (double x : {14.0, 23.0}) {
    cairo_rectangle(cr, x, 22, 3, 4);
    art::Fill(cr, pal::Outline);
  }
  cairo_move_to(cr, 15, 29);
  cairo_line_to(cr, 20, 31);
  cairo_line_to(cr, 25, 29);
  art::Stroke(cr, pal::Outline, 1.4);
  for (int i = 0; i < 2; ++i) {
    art::Circle(cr, 14 + i * 12, 42, 3);
    art::Paint(cr, art::Style{i ? pal::Yellow : pal::Red, pal::Outline, 1.2, 0.3});
  }
}

// Batar01 at (450, 382): a battery for sale, lying on the counter with a price tag.
void BatteryForSale(cairo_t* cr) {
  art::GroundShadow(cr, 18, 16, 16, 2.5);
  art::RoundedRect(cr, 2, 4, 30, 12, 3);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.6, 0.35, 0.6});
  cairo_rectangle(cr, 2, 4, 11, 12);
  art::Paint(cr, art::Style{pal::Outline, pal::Outline, 1.2, 0});
  art::RoundedRect(cr, 32, 7, 4, 6, 1);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.2, 0.3});
  SignText(cr, "+", 24, 10, 9, pal::Outline);
}

// Batar02 at (100, 417): the battery gauge; Batar03 fills its slot at (122..124, 436..459).
void BatteryGauge(cairo_t* cr) {
  art::RoundedRect(cr, 12, 12, 22, 34, 5);
  art::Paint(cr, art::Style{pal::Gold, pal::Outline, 2, 0.35, 0.5});
  art::RoundedRect(cr, 18, 7, 10, 6, 2);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.5, 0.3});
  // The slot the level shows in (dark when empty).
  cairo_rectangle(cr, 19, 17, 8, 27);
  art::Paint(cr, art::Style{art::Hex(0x2A1A10), pal::Outline, 1.2, 0});
}

// Batar03: the battery level, stretched into the gauge's slot.
void BatteryLevel(cairo_t* cr) {
  art::FillRect(cr, 0, 0, 4, 24,
                art::LinearGradient(0, 0, 4, 0, {{0, {0.55, 0.95, 0.35}}, {1, {0.25, 0.7, 0.2}}}));
}

// Boatle01 at (584, 301): a bottle of lemonade, a landing point for the flies.
void Bottle(cairo_t* cr) {
  art::GroundShadow(cr, 16, 78, 13, 2.5);
  art::Polyline(cr, {12, 4, 20, 4, 20, 22}, false);
  cairo_curve_to(cr, 28, 28, 28, 34, 28, 40);
  cairo_line_to(cr, 28, 74);
  cairo_curve_to(cr, 28, 78, 4, 78, 4, 74);
  cairo_line_to(cr, 4, 40);
  cairo_curve_to(cr, 4, 34, 4, 28, 12, 22);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0x6FBF5A, 0.9), pal::Outline, 2, 0.3, 0.7});
  art::RoundedRect(cr, 5, 44, 22, 16, 2);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.4, 0.1});
  SignText(cr, "ЛИМОН", 16, 52, 7.5, pal::Red, 0.8);
  art::RoundedRect(cr, 11, 1, 10, 5, 1.5);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.4, 0.3});
}

// Ksk01: the choice sign's board at (105, drop - 56); its two buttons sit at x 146 and 216 of
// the board, y 24 (the button frames are drawn by the hub over it).
void SignBoard(cairo_t* cr) {
  art::WoodPlanks(cr, 2, 2, 426, 96, 16, false, 71, pal::WoodLight);
  art::RoundedRect(cr, 2, 2, 426, 96, 8);
  art::Stroke(cr, pal::Outline, 2.5);
  art::RoundedRect(cr, 8, 58, 132, 30, 6);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.8, 0.1});
  SignText(cr, "ЖУРНАЛ", 74, 73, 17, pal::Navy, 0.9);
  art::RoundedRect(cr, 290, 58, 132, 30, 6);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.8, 0.1});
  SignText(cr, "НАСТРОЙКИ", 356, 73, 17, pal::Red, 0.8);
  for (double x : {14.0, 416.0}) {
    art::Circle(cr, x, 14, 3);
    art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.2, 0.3});
  }
}

// Ksk02: the faces on the sign's buttons. The hub shows 34 (the journal: a notebook and pen)
// and 36 (the settings book: a book with a cog); the other faces are spare pictures of the set.
void SignFace(cairo_t* cr, int p) {
  const Color covers[] = {pal::Red, pal::Blue, pal::Green, pal::Purple, pal::Orange, pal::Teal};
  if (p == 34) {
    art::RoundedRect(cr, 12, 8, 34, 44, 4);
    art::Paint(cr, art::Style{pal::Blue, pal::Outline, 2, 0.35, 0.5});
    art::RoundedRect(cr, 18, 14, 24, 10, 2);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.2, 0});
    for (int i = 0; i < 5; ++i) {
      art::Circle(cr, 12, 14 + i * 8, 2);
      art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1, 0});
    }
    art::LitLimb(cr, {50, 16, 32, 46}, 2.5, pal::Yellow, kLimbLight, 1.2);
    art::Polyline(cr, {32, 46, 29, 52, 34, 49}, true);
    art::Paint(cr, art::Style{pal::Ink, pal::Outline, 1, 0});
    return;
  }
  if (p == 36) {
    art::RoundedRect(cr, 10, 10, 40, 40, 4);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 2, 0.35, 0.5});
    art::Star(cr, 30, 30, 13, 9, 8);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.5, 0.4});
    art::Circle(cr, 30, 30, 4.5);
    art::Paint(cr, art::Style{pal::Red.Darker(0.2), pal::Outline, 1.2, 0});
    return;
  }
  // A plain closed book in one of six colours.
  art::RoundedRect(cr, 14, 10, 32, 40, 4);
  art::Paint(cr, art::Style{covers[p % 6], pal::Outline, 2, 0.35, 0.4});
  cairo_rectangle(cr, 14, 10, 5, 40);
  art::Fill(cr, covers[p % 6].Darker(0.25));
}

// Ksk03: the frame of one sign button, 68 x 68.
void SignButton(cairo_t* cr) {
  art::PanelStyle s{.Body = pal::Cream, .Radius = 10, .Bevel = 4};
  art::Panel(cr, 1, 1, 66, 66, s);
}

// Ksk04 at (95, 0): the kiosk's name board; the sign hides behind it.
void NameBoard(cairo_t* cr) {
  art::RoundedRect(cr, 2, 2, 446, 48, 8);
  art::Paint(cr, art::Style{pal::Navy, pal::Outline, 2.5, 0.3});
  art::RoundedRect(cr, 8, 7, 434, 38, 6);
  art::Stroke(cr, pal::Yellow.WithAlpha(0.8), 1.5);
  // Bulbs along the edge.
  for (double x = 16; x < 440; x += 24) {
    art::Circle(cr, x, 7, 2.5);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 0.8, 0.2, 0.8});
  }
  SignText(cr, "КИОСК  *  ЛОТО  *  ИГРЫ", 225, 28, 24, pal::Yellow, 0.95, pal::Outline, 1.5);
}

// Ksk05 at (106, drop + 44): the sign's bottom edge, peeping out under the name board.
void SignEdge(cairo_t* cr) {
  art::RoundedRect(cr, 1, 1, 426, 10, 4);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, 1.8, 0.3});
  for (double x : {8.0, 420.0}) {
    art::Circle(cr, x, 6, 3);
    art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.2, 0.3, 0.6});
  }
}

// Muha01: a fly seen from above, head to the left (it flies against its heading); the four
// patterns beat the wings.
void Fly(cairo_t* cr, int p) {
  const double spread = 0.3 + 0.35 * (p % 2 == 0 ? p / 2 : 3 - p);
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 7, 6);
    cairo_rotate(cr, side * (0.6 + spread));
    art::Ellipse(cr, 3.5, 0, 3.5, 1.8);
    art::Paint(cr, art::Style{art::Hex(0xDDEEFF, 0.75), pal::Outline, 0.6, 0});
    cairo_restore(cr);
  }
  art::Ellipse(cr, 6.5, 6, 4, 2.6);
  art::Fill(cr, art::Hex(0x2A2A30));
  art::Circle(cr, 2.5, 6, 2);
  art::Fill(cr, art::Hex(0x8A1E1E));
}

}  // namespace

std::vector<ImageSpec> KioskImages() {
  return {
      {"Lamp01", 80, 72, 5, Lamp},
      SinglePicture("Door01", 76, 190, Door),
      SinglePicture("DTir01", 84, 84, Dartboard),
      SinglePicture("Plakat01", 84, 120, Poster),
      SinglePicture("Book01", 64, 50, Book),
      SinglePicture("Perch01", 56, 72, Glove),
      {"Snake01", 80, 72, 4, Snake},
      {"Snake02", 10, 18, 2, Tongue},
      SinglePicture("Gun02", 90, 40, Gun),
      SinglePicture("Molot01", 60, 100, Hammer),
      SinglePicture("Televizor01", 90, 80, Television),
      SinglePicture("Bug01", 26, 20, Cockroach),
      SinglePicture("Hleb01", 50, 30, Bread),
      SinglePicture("Govno01", 36, 28, Heap),
      SinglePicture("Kard01", 56, 30, Cards),
      SinglePicture("Aqua01", 72, 62, Tank),
      {"Riba01", 32, 20, 3, Fish},
      {"Bilet01", 50, 30, 5, TicketStack},
      SinglePicture("Bilet02", 76, 48, TicketPlate),
      SinglePicture("Daz01", 40, 60, Daz),
      SinglePicture("Batar01", 38, 20, BatteryForSale),
      SinglePicture("Batar02", 46, 48, BatteryGauge),
      SinglePicture("Batar03", 4, 24, BatteryLevel),
      SinglePicture("Boatle01", 32, 80, Bottle),
      SinglePicture("Ksk01", 430, 100, SignBoard),
      {"Ksk02", 60, 60, 37, SignFace},
      SinglePicture("Ksk03", 68, 68, SignButton),
      SinglePicture("Ksk04", 450, 52, NameBoard),
      SinglePicture("Ksk05", 428, 12, SignEdge),
      {"Muha01", 12, 12, 4, Fly},
  };
}

}  // namespace hubart
