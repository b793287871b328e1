// The two anglers, seen only by their arms reaching in from the top corners: the computer in a
// red checked shirt on the left, the player in the game's blue sleeve on the right. Each arm
// picture holds the rod's butt with the reel; the rod is stretched out over the tank; the other
// hand turns the reel's knob and carries the catch to the bucket.
#include <cmath>

#include "aquarium_art.h"

namespace aquaart {

namespace pal = art::pal;
using namespace vepa::aquarium;

namespace {

const Color kFlannel = pal::Red.Shade(0.1);
const Color kRodColor = art::Hex(0x8A2E1E);
const Color kCork = art::Hex(0xC9A06A);

// A sleeve: a thick stroke with a lighter streak along its upper side.
void Sleeve(cairo_t* cr, std::initializer_list<double> xy, double r, const Color& c, bool checks) {
  Limb(cr, xy, r, c);
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  Polyline(cr, xy, false);
  cairo_translate(cr, 0, -r * 0.45);
  art::Stroke(cr, c.Lighter(0.3).WithAlpha(0.6), r * 0.5);
  cairo_restore(cr);
  if (checks) {
    // Dark checks of the flannel: bands across the sleeve (dashes of a stroke as wide as the
    // sleeve) and threads along it.
    cairo_save(cr);
    const double dash[] = {4, 7};
    cairo_set_dash(cr, dash, 2, 0);
    Polyline(cr, xy, false);
    art::Stroke(cr, pal::Outline.WithAlpha(0.22), 2 * r - 3);
    cairo_set_dash(cr, nullptr, 0, 0);
    for (double d : {-0.5, 0.0, 0.5}) {
      cairo_save(cr);
      cairo_translate(cr, 0, d * r);
      Polyline(cr, xy, false);
      art::Stroke(cr, pal::Outline.WithAlpha(0.18), 3);
      cairo_restore(cr);
    }
    cairo_restore(cr);
  }
}

// A fist closed round a rod or a knob at (x, y); the knuckles face away to the `side` (+1 right).
void Fist(cairo_t* cr, double x, double y, double w, double h, double side) {
  art::RoundedRect(cr, x - w / 2, y - h / 2, w, h, h * 0.42);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.3});
  for (int i = 0; i < 3; ++i) {
    const double fx = x + side * (w * 0.1 + i * w * 0.12);
    cairo_move_to(cr, fx, y - h * 0.42);
    cairo_line_to(cr, fx + side * 2, y + h * 0.1);
    art::Stroke(cr, pal::SkinShade, 1.3);
  }
  // The thumb over the front.
  Limb(cr, {x - side * w * 0.3, y + h * 0.15, x + side * w * 0.05, y - h * 0.05}, h * 0.17,
       pal::Skin, 1.3);
  art::Shine(cr, x - side * w * 0.15, y - h * 0.25, w * 0.18, h * 0.1, 0.4);
}

// The rod's butt with its cork grip, from x0 to x1 along y (radius 4).
void RodButt(cairo_t* cr, double x0, double x1, double y) {
  Limb(cr, {x0, y, x1, y}, 4, kRodColor, 1.6);
  Limb(cr, {std::min(x0, x1) + 10, y, std::min(x0, x1) + 60, y}, 4.6, kCork, 1.4);
}

// A round reel facing the viewer, centred at (x, y), hung from the rod above it.
void Reel(cairo_t* cr, double x, double y) {
  Limb(cr, {x, y - 10, x, y - 4}, 2.2, pal::SteelDark, 1.2);
  art::Circle(cr, x, y, 12);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, art::kOutline, 0.4, 0.4});
  art::Circle(cr, x, y, 8);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.2, 0.3});
  art::Circle(cr, x, y, 2.4);
  art::Fill(cr, pal::Outline);
  for (int i = 0; i < 3; ++i) {
    const double a = i * 2.09 + 0.4;
    art::Circle(cr, x + 5 * std::cos(a), y + 5 * std::sin(a), 1.2);
    art::Fill(cr, pal::SteelDark);
  }
}

void ComputerArm(cairo_t* cr) {
  const double rodY = kRodY0 - kArmY[0] + 6;  // the rod's centre line in this picture
  Sleeve(cr, {96, 24, 40, 60, -20, 110}, 15, kFlannel, true);
  RodButt(cr, 34, kArm.Width + 2, rodY);
  Reel(cr, kReelX[0], kReelY[0]);
  Fist(cr, 94, rodY + 3, 30, 24, 1);
}

void PlayerArm(cairo_t* cr) {
  const double rodY = kRodY1 - kArmY[1] + 6;
  Sleeve(cr, {66, 26, 120, 58, 180, 110}, 15, pal::Cloth, false);
  // The white shirt cuff at the wrist.
  Limb(cr, {58, 22, 66, 34}, 6, pal::White, 1.6);
  RodButt(cr, -2, 126, rodY);
  Reel(cr, kReelX[1], kReelY[1]);
  Fist(cr, 66, rodY + 3, 30, 24, -1);
}

}  // namespace

// Pattern 1 the computer's arm, 2 the player's; 0 is never drawn and repeats the computer's.
void DrawArm(cairo_t* cr, int pattern) {
  if (pattern == 2)
    PlayerArm(cr);
  else
    ComputerArm(cr);
}

// The rod from its thick end to the tip ring 16 pixels down at the other end; pattern 0 has
// its tip at the right (the computer's), pattern 1 at the left.
void DrawRod(cairo_t* cr, int pattern) {
  auto rod = [cr] {
    const double w = kRod.Width;
    Polyline(cr, {0, 2, w - 3, 15.2, w - 3, 16.8, 0, 10}, true);
    art::Paint(cr, art::Style{kRodColor, pal::Outline, 1.1, 0.35, 0.3});
    for (double x : {40.0, 90.0, 140.0, w - 4}) {
      const double y = 6 + 10 * x / w;
      const double r = x > w - 10 ? 2.2 : 2.8 - x / w;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 2, y - 2);
      cairo_line_to(cr, x - 2, y + 2);
      art::Stroke(cr, pal::White.WithAlpha(0.9), 2.2);
      art::Circle(cr, x + 1, y + 2 + r, r);
      art::Stroke(cr, pal::SteelDark, 1.1);
    }
  };
  if (pattern == 1)
    Mirrored(cr, kRod.Width, rod);
  else
    rod();
}

void DrawKnob(cairo_t* cr, int) {
  art::Circle(cr, 6, 6, 4.6);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.5, 0.35, 0.5});
}

// The hand that cranks and carries: its fist round the knob at kGripX/kGripY, its sleeve reaching
// off the picture. Pattern 1 the computer's, 2 the player's; 0 repeats the computer's.
void DrawHand(cairo_t* cr, int pattern) {
  if (pattern == 2) {
    const double gx = kGripX[1], gy = kGripY[1];
    Sleeve(cr, {gx + 18, gy + 6, kHand.Width + 20.0, gy + 12}, 13, pal::Cloth, false);
    Limb(cr, {gx + 14, gy + 2, gx + 16, gy + 12}, 5, pal::White, 1.4);
    Fist(cr, gx, gy + 2, 30, 24, -1);
  } else {
    const double gx = kGripX[0], gy = kGripY[0];
    Sleeve(cr, {gx - 18, gy + 6, -20, gy + 14}, 13, kFlannel, true);
    Fist(cr, gx - 2, gy + 2, 34, 24, 1);
  }
}

// A steel hook: the eye at the top where the line is tied, the shank, the bend and a barbed
// point. Pattern 0 bends to the left (the computer's), pattern 1 to the right.
void DrawHook(cairo_t* cr, int pattern) {
  auto hook = [cr] {
    const double ex = kHookEyeX, ey = kHookEyeY;
    cairo_new_path(cr);
    cairo_move_to(cr, ex, ey + 2.5);
    cairo_line_to(cr, ex, 22);
    cairo_arc(cr, ex - 4.5, 22, 4.5, 0, M_PI);
    cairo_line_to(cr, ex - 9, 14);
    cairo_line_to(cr, ex - 6.5, 18);
    for (int pass = 0; pass < 2; ++pass) {
      cairo_save(cr);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      art::SetColor(cr, pass == 0 ? pal::Outline : pal::Steel.Lighter(0.2));
      cairo_set_line_width(cr, pass == 0 ? 3.4 : 1.6);
      if (pass == 0)
        cairo_stroke_preserve(cr);
      else
        cairo_stroke(cr);
      cairo_restore(cr);
    }
    art::Circle(cr, ex, ey, 2.3);
    art::Stroke(cr, pal::Outline, 2.6);
    art::Circle(cr, ex, ey, 2.3);
    art::Stroke(cr, pal::Steel.Lighter(0.2), 1.2);
  };
  // The player's hook is drawn centred on the hook's x plus one: mirrored about x 9 its eye
  // stays at x 9, half a pixel from where the line ends.
  if (pattern == 1)
    Mirrored(cr, 2 * kHookEyeX, hook);
  else
    hook();
}

}  // namespace aquaart
