// The creatures of the tank. Both fish have twelve patterns: 0-2 swimming right (the tail beats
// up, middle, down), 3 a quarter turned towards the viewer, 4 head-on, 5 a quarter turned the
// other way; 6-11 the same facing left. The mouth is at the right end of a right-facing fish,
// 40 % down the picture, where the hook and the carrying hand hold it.
//
// The crab has six: 0-2 walking with its right claw raised (it snaps at a hook above it with
// that claw, at x 50..69 near the top of the picture), 3-5 hanging from the hook by that claw,
// swinging, the claw at x 29, 51 and 36, 20 pixels down.
#include <cmath>

#include "aquarium_art.h"

namespace aquaart {

namespace pal = art::pal;
using namespace vepa::aquarium;

namespace {

struct FishLook {
  double W, H;
  Color Body, Belly, Fin;
  bool Big;  // the big fish: stripes, teeth, a frown
};

const FishLook kGoldfish{kSmallFish.Width, kSmallFish.Height, pal::Orange,
                         pal::Yellow,      pal::Tomato,       false};
const FishLook kPike{kBigFish.Width,     kBigFish.Height,    art::Hex(0x5B8A6E),
                     art::Hex(0xE8E0B0), art::Hex(0x3F6A55), true};

void Eye(cairo_t* cr, double x, double y, double r, bool frown) {
  art::Circle(cr, x, y, r);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.1, 0});
  art::Circle(cr, x + r * 0.25, y + r * 0.1, r * 0.55);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, x + r * 0.05, y - r * 0.2, r * 0.2);
  art::Fill(cr, pal::White);
  if (frown) {
    cairo_move_to(cr, x - r * 1.2, y - r * 1.3);
    cairo_line_to(cr, x + r * 1.1, y - r * 0.6);
    art::Stroke(cr, pal::Outline, 2);
  }
}

// A fish seen from the side, facing right. `flap` beats the tail and fins (-1..1); `squeeze`
// narrows the body as the fish turns towards the viewer (1 side on).
void FishSide(cairo_t* cr, const FishLook& k, double flap, double squeeze) {
  const double s = k.H / 41;  // the small fish is the unit
  const double cy = k.H * 0.42, rx = k.W * 0.35 * squeeze, ry = k.H * 0.3;
  const double head = k.W - 3, cx = head - rx;
  const double tailRoot = cx - rx + 3 * s;
  const double tailEnd = std::max(2.0, tailRoot - k.W * 0.24 * squeeze);
  const double beat = flap * 3 * s;
  // Tail.
  Polyline(cr,
           {tailRoot, cy, tailEnd, cy - ry * 1.05 + beat, tailEnd + 5 * s * squeeze,
            cy + beat * 0.5, tailEnd, cy + ry * 1.05 + beat},
           true);
  art::Paint(cr, art::Style{k.Fin, pal::Outline, 1.5, 0.2});
  // Dorsal fin.
  Polyline(cr,
           {cx - rx * 0.55, cy - ry * 0.8, cx - rx * 0.25 - 2 * flap * s, cy - ry - 3.5 * s,
            cx + rx * 0.25, cy - ry * 0.85},
           true);
  art::Paint(cr, art::Style{k.Fin, pal::Outline, 1.4, 0.2});
  // Body, belly, gill.
  cairo_new_path(cr);
  cairo_move_to(cr, head, cy + ry * 0.1);
  cairo_curve_to(cr, head, cy - ry * 1.25, cx - rx * 0.6, cy - ry * 1.05, cx - rx, cy);
  cairo_curve_to(cr, cx - rx * 0.6, cy + ry * 1.1, head - 2 * s, cy + ry * 1.2, head,
                 cy + ry * 0.1);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{k.Body, pal::Outline, 1.7 * std::max(1.0, s * 0.8), 0.35, 0.5});
  art::Ellipse(cr, cx + rx * 0.05, cy + ry * 0.5, rx * 0.7, ry * 0.35);
  art::Fill(cr, k.Belly.WithAlpha(0.65));
  if (k.Big) {
    for (int i = 0; i < 4; ++i) {
      const double x = cx - rx * 0.55 + i * rx * 0.28;
      cairo_move_to(cr, x, cy - ry * 0.85);
      cairo_curve_to(cr, x - 3, cy - ry * 0.3, x - 3, cy + ry * 0.1, x + 1, cy + ry * 0.35);
      art::Stroke(cr, k.Body.Shade(0.35).WithAlpha(0.8), 3 * s * squeeze);
    }
  }
  cairo_new_path(cr);
  cairo_arc(cr, cx + rx * 0.3, cy, ry * 0.75, -1.0, 1.0);
  art::Stroke(cr, k.Body.Shade(0.35), 1.2);
  // Side fin, beating.
  Polyline(cr,
           {cx + rx * 0.05, cy + ry * 0.25, cx - rx * 0.35, cy + ry * (0.75 + 0.3 * flap),
            cx - rx * 0.15, cy + ry * 0.2},
           true);
  art::Paint(cr, art::Style{k.Fin.Lighter(0.15), pal::Outline, 1.1, 0.15});
  // Eye and mouth.
  Eye(cr, head - rx * 0.35, cy - ry * 0.35, (k.Big ? 4.2 : 3.4) * std::sqrt(s), k.Big);
  if (k.Big) {
    cairo_move_to(cr, head - rx * 0.35, cy + ry * 0.35);
    cairo_line_to(cr, head + 1, cy + ry * 0.15);
    art::Stroke(cr, pal::Outline, 1.6);
    for (int i = 0; i < 3; ++i) {
      const double x = head - rx * 0.3 + i * 5;
      Polyline(cr, {x, cy + ry * 0.3 - i, x + 3, cy + ry * 0.3 - i, x + 1.5, cy + ry * 0.05 - i},
               true);
      art::Paint(cr, art::Style{pal::White, pal::Outline, 0.8, 0});
    }
  } else {
    art::Ellipse(cr, head - 0.5, cy + ry * 0.15, 1.8, 2.2);
    art::Fill(cr, pal::Mouth);
  }
}

// The fish seen from the front: a round face with both eyes, the fins at its sides.
void FishFront(cairo_t* cr, const FishLook& k) {
  const double s = k.H / 41, cx = k.W / 2, cy = k.H * 0.45, r = k.H * 0.34;
  for (double side : {-1.0, 1.0}) {
    Polyline(cr,
             {cx + side * r * 0.7, cy, cx + side * (r + 9 * s), cy + 8 * s, cx + side * r * 0.6,
              cy + r * 0.6},
             true);
    art::Paint(cr, art::Style{k.Fin, pal::Outline, 1.2, 0.15});
  }
  Polyline(cr, {cx - 3 * s, cy - r * 0.8, cx, cy - r - 4 * s, cx + 3 * s, cy - r * 0.8}, true);
  art::Paint(cr, art::Style{k.Fin, pal::Outline, 1.2, 0.15});
  art::Ellipse(cr, cx, cy, r * 0.85, r);
  art::Paint(cr, art::Style{k.Body, pal::Outline, 1.7, 0.35, 0.5});
  art::Ellipse(cr, cx, cy + r * 0.45, r * 0.55, r * 0.35);
  art::Fill(cr, k.Belly.WithAlpha(0.6));
  const double er = (k.Big ? 4.2 : 3.4) * std::sqrt(s);
  Eye(cr, cx - r * 0.42, cy - r * 0.3, er, k.Big);
  Mirrored(cr, k.W, [&] { Eye(cr, cx - r * 0.42, cy - r * 0.3, er, k.Big); });
  art::Ellipse(cr, cx, cy + r * 0.4, 3 * s, 3.6 * s);
  art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1, 0});
}

void DrawFish(cairo_t* cr, const FishLook& k, int pattern) {
  const bool left = pattern >= 6;
  const int p = pattern % 6;
  auto draw = [&] {
    switch (p) {
      case 0:
      case 1:
      case 2:
        FishSide(cr, k, p - 1.0, 1);
        break;
      case 3:
        FishSide(cr, k, 0, 0.62);
        break;
      case 4:
        FishFront(cr, k);
        break;
      default:
        Mirrored(cr, k.W, [&] { FishSide(cr, k, 0, 0.62); });
        break;
    }
  };
  if (left)
    Mirrored(cr, k.W, draw);
  else
    draw();
}

// ---- The crab.

const Color kShell = pal::Red, kShellLight = pal::Tomato;

// A claw: an arm from the shoulder to the wrist, then two pincer jaws opening by `open`.
void Claw(cairo_t* cr, double sx, double sy, double wx, double wy, double size, double open,
          double turn) {
  Limb(cr, {sx, sy, (sx + wx) / 2 + 2, (sy + wy) / 2, wx, wy}, 2.6, kShellLight, 1.4);
  cairo_save(cr);
  cairo_translate(cr, wx, wy);
  cairo_rotate(cr, turn);
  for (double side : {-1.0, 1.0}) {
    cairo_save(cr);
    cairo_rotate(cr, side * open);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, side * size * 0.7, -size * 0.3, side * size * 0.5, -size * 1.1, 0,
                   -size * 1.3);
    cairo_curve_to(cr, side * size * 0.1, -size * 0.8, side * size * 0.05, -size * 0.3, 0, 0);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kShell, pal::Outline, 1.4, 0.35, 0.3});
    cairo_restore(cr);
  }
  cairo_restore(cr);
}

// The crab standing, with its snapping claw raised: in picture coordinates, the body's centre
// at (35, 68); legs reach the ground at y 88.
void CrabStanding(cairo_t* cr, int step) {
  const double bx = 35, by = 68;
  // Legs, three a side, stepping.
  for (int i = 0; i < 3; ++i) {
    const double lift = ((i + step) % 3 == 0) ? -4 : 0;
    for (double side : {-1.0, 1.0}) {
      const double hx = bx + side * (12 + i * 4), hy = by + 4 + i * 2;
      const double kx = bx + side * (24 + i * 4), ky = by - 2 + i * 3 + lift;
      const double fx = bx + side * (28 + i * 3) + side * (step - 1) * 2, fy = 88 + lift * 0.5;
      Limb(cr, {hx, hy, kx, ky, fx, fy}, 1.7, kShellLight, 1.2);
    }
  }
  // The small claw low on the left, the big one raised on the right.
  Claw(cr, bx - 18, by - 4, 10, by - 20, 7, 0.35 + 0.1 * step, -0.4);
  Claw(cr, bx + 16, by - 8, 58, 40, 11, 0.3 + 0.12 * (step % 2), 0.15);
  // Eyes on stalks.
  for (double side : {-1.0, 1.0}) {
    Limb(cr, {bx + side * 6, by - 10, bx + side * 8, by - 20}, 1.4, kShellLight, 1);
    art::Circle(cr, bx + side * 8, by - 22, 3.6);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1, 0});
    art::Circle(cr, bx + side * 8 + 0.8, by - 22, 1.8);
    art::Fill(cr, pal::Outline);
  }
  // Shell.
  cairo_new_path(cr);
  cairo_move_to(cr, bx - 26, by + 2);
  cairo_curve_to(cr, bx - 24, by - 16, bx + 24, by - 16, bx + 26, by + 2);
  cairo_curve_to(cr, bx + 20, by + 14, bx - 20, by + 14, bx - 26, by + 2);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kShell, pal::Outline, art::kOutline, 0.4, 0.55});
  for (double x : {-12.0, 0.0, 12.0}) {
    art::Circle(cr, bx + x, by - 3 + std::abs(x) * 0.15, 1.8);
    art::Fill(cr, kShell.Shade(0.35));
  }
  cairo_new_path(cr);
  cairo_arc(cr, bx, by + 2, 6, 0.3, M_PI - 0.3);
  art::Stroke(cr, pal::Outline, 1.3);
}

// Where the raised claw's grip is in the standing picture.
constexpr double kGripX = 58, kGripY = 30;

void CrabHanging(cairo_t* cr, double clawX, double turn) {
  cairo_save(cr);
  cairo_translate(cr, clawX, 20);
  cairo_rotate(cr, turn);
  cairo_translate(cr, -kGripX, -kGripY);
  CrabStanding(cr, 1);
  cairo_restore(cr);
}

}  // namespace

void DrawSmallFish(cairo_t* cr, int pattern) { DrawFish(cr, kGoldfish, pattern); }
void DrawBigFish(cairo_t* cr, int pattern) { DrawFish(cr, kPike, pattern); }

void DrawCrab(cairo_t* cr, int pattern) {
  switch (pattern) {
    case 3:
      CrabHanging(cr, 29, -0.52);
      break;
    case 4:
      CrabHanging(cr, 51, -0.1);
      break;
    case 5:
      CrabHanging(cr, 36, -0.45);
      break;
    default:
      art::GroundShadow(cr, 35, 86, 28, 4, 0.3);
      CrabStanding(cr, pattern);
      break;
  }
}

}  // namespace aquaart
