// "s_kib01": Kib, the cashier behind the counter. The pieces are drawn in screen coordinates
// and shifted by each sprite's corner, so they fit together wherever the hub draws them:
//   Kib03 (254, 165) head and body       Kib01 (286, 239) moustache and mouth, 5 shapes
//   Kib09 (301, 218) / (330, 218) pupils Kib04 (289, 216) eyelids: open, half, shut
//   Kib06 (218, 275) left arm at rest    Kib02 (261, 357) left hand, tapping 0..3
//   Kib05 (316, 274) right arm at rest   Kib07 (202, 227) / Kib08 (310, 234) arm gestures 0..12
//   Kib10 the glow at the lips: 0..2 with the left hand, 3..5 with the right hand
// The arm gestures run along one path: frames 1..4 lift the open hand while he talks, frames
// 5..12 bring a cigarette to his lips.
#include <algorithm>
#include <cmath>

#include "content/hub/hub_art.h"

namespace hubart {

namespace {

namespace pal = art::pal;
using content::ImageSpec;
using content::SinglePicture;

const Color kShirt = pal::White;
const Color kStripe = art::Hex(0x2F5FA8);
const Color kVest = art::Hex(0x7A4A2C);
const Color kCap = art::Hex(0x5A6470);
const Color kSkin = pal::Skin;

// Shoulders and the resting wrists, on screen.
constexpr double kLeftShoulderX = 276, kLeftShoulderY = 302;
constexpr double kRightShoulderX = 362, kRightShoulderY = 302;
// The lips, where the cigarette's tip glows.
constexpr double kLipsLeftX = 309, kLipsRightX = 317, kLipsY = 247;

struct Point {
  double x, y;
};

Point Lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

struct Joints {
  Point Elbow, Wrist;
};

// The elbow and wrist of a gesture frame. Key frames: 0 resting on the counter, 4 the forearm
// up with an open palm, 8 the hand near the face, 12 the cigarette at the lips; the frames
// between move evenly. The right arm mirrors the left about the middle of the body.
Joints GestureJoints(bool left, int frame) {
  static const Joints keys[] = {
      {{236, 336}, {270, 366}},
      {{232, 330}, {238, 284}},
      {{226, 314}, {262, 268}},
      {{228, 302}, {290, 262}},
  };
  const int f = std::clamp(frame, 0, 12);
  const int k = std::min(f / 4, 2);
  const double t = (f - 4 * k) / 4.0;
  const Joints& a = keys[k];
  const Joints& b = keys[k + 1];
  Joints j{Lerp(a.Elbow, b.Elbow, t), Lerp(a.Wrist, b.Wrist, t)};
  if (k == 0) {
    // Lifting the hand off the counter, the forearm swings up about the elbow in front of
    // the body rather than folding through the upper arm.
    const double a0 = std::atan2(a.Wrist.y - a.Elbow.y, a.Wrist.x - a.Elbow.x);
    const double a1 = std::atan2(b.Wrist.y - b.Elbow.y, b.Wrist.x - b.Elbow.x);
    const double l0 = std::hypot(a.Wrist.x - a.Elbow.x, a.Wrist.y - a.Elbow.y);
    const double l1 = std::hypot(b.Wrist.x - b.Elbow.x, b.Wrist.y - b.Elbow.y);
    const double ang = a0 + (a1 - a0) * t, len = l0 + (l1 - l0) * t;
    j.Wrist = {j.Elbow.x + std::cos(ang) * len, j.Elbow.y + std::sin(ang) * len};
  }
  if (!left) {
    const double mirror = kLeftShoulderX + kRightShoulderX;
    j.Elbow.x = mirror - j.Elbow.x;
    j.Wrist.x = mirror - j.Wrist.x;
  }
  return j;
}

Point GestureWrist(bool left, int frame) { return GestureJoints(left, frame).Wrist; }

// A sleeve of the striped shirt along two segments.
void Sleeve(cairo_t* cr, Point s, Point e, Point w) {
  art::LitLimb(cr, {s.x, s.y, e.x, e.y}, 10, kShirt, kLimbLight);
  art::LitLimb(cr, {e.x, e.y, w.x, w.y}, 8.5, kShirt, kLimbLight);
  // Stripes across the sleeve.
  auto stripes = [cr](Point a, Point b, double r) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len < 1) return;
    const double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    for (double t = 6; t < len - 4; t += 8) {
      const double cx = a.x + ux * t, cy = a.y + uy * t;
      cairo_move_to(cr, cx - uy * (r - 1), cy + ux * (r - 1));
      cairo_line_to(cr, cx + uy * (r - 1), cy - ux * (r - 1));
    }
    art::Stroke(cr, kStripe, 2.6);
  };
  stripes(s, e, 10);
  stripes(e, w, 8.5);
}

enum class HandPose { Flat, Open, Cigarette };

// A hand at the wrist. Flat: lying on the counter, fingers pointing to the middle of the body
// (`tap` lifts the index finger). Open: palm up to the viewer. Cigarette: a loose fist holding a
// cigarette towards the lips.
void Hand(cairo_t* cr, Point w, bool left, HandPose pose, int tap, double lipsX) {
  const double dir = left ? 1 : -1;  // towards the middle
  if (pose == HandPose::Flat) {
    cairo_save(cr);
    cairo_translate(cr, w.x, w.y);
    cairo_scale(cr, dir, 1);
    // The raised index finger, behind the hand.
    const double lift = tap * 3.0;
    art::LitLimb(cr, {18, 2, 30, 2 - lift}, 3.2, kSkin, kLimbLight, 1.6);
    art::RoundedRect(cr, -2, -6, 24, 16, 7);
    art::Paint(cr, art::Style{kSkin, pal::Outline, 1.8, 0.3});
    for (int i = 0; i < 3; ++i) {
      art::LitLimb(cr, {18, 5.0 + i * 3.5, 27, 6.0 + i * 3.8}, 2.4, kSkin, kLimbLight, 1.4);
    }
    // Thumb.
    art::LitLimb(cr, {8, -5, 16, -8}, 2.8, kSkin, kLimbLight, 1.4);
    cairo_restore(cr);
    return;
  }
  if (pose == HandPose::Open) {
    // Palm towards the viewer, fingers up, the thumb towards the middle.
    const double px = w.x + dir * 2, py = w.y - 12;
    for (int i = 0; i < 4; ++i) {
      const double a = (-0.3 + 0.2 * i) * dir;
      const double len = i == 0 || i == 3 ? 10 : 13;
      const double bx = px + (-6 + i * 4) * dir, by = py - 4;
      art::LitLimb(cr, {bx, by, bx + std::sin(a) * len, by - std::cos(a) * len}, 2.8, kSkin,
                   kLimbLight, 1.6);
    }
    art::LitLimb(cr, {px + dir * 7, py + 4, px + dir * 15, py - 3}, 3, kSkin, kLimbLight, 1.6);
    art::Ellipse(cr, px, py, 9, 10);
    art::Paint(cr, art::Style{kSkin, pal::Outline, 1.8, 0.2});
    cairo_move_to(cr, px - 5, py + 1);
    cairo_curve_to(cr, px - 2, py + 4, px + 2, py + 4, px + 5, py);
    art::Stroke(cr, pal::SkinShade, 1.0);
    return;
  }
  // The cigarette from the fingers to the lips.
  const double tipX = lipsX + 4, tipY = kLipsY + 5;
  const double fx = w.x + dir * 12, fy = w.y - 6;
  const double len = std::hypot(tipX - fx, tipY - fy);
  if (len > 34) {
    // Far from the lips: the cigarette is held short, pointing up.
    art::LitLimb(cr, {fx, fy, fx + dir * 6, fy - 12}, 1.8, pal::White, kLimbLight, 1);
  } else {
    art::LitLimb(cr, {fx, fy, tipX, tipY}, 1.8, pal::White, kLimbLight, 1);
  }
  art::Ellipse(cr, w.x + dir * 7, w.y - 4, 10, 9);
  art::Paint(cr, art::Style{kSkin, pal::Outline, 1.8, 0.3});
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, w.x + dir * 11, w.y - 9 + i * 4);
    cairo_line_to(cr, w.x + dir * 16, w.y - 9 + i * 4);
  }
  art::Stroke(cr, pal::Outline, 1.2);
}

void Arm(cairo_t* cr, bool left, int frame, HandPose pose, int tap, bool drawHand = true) {
  const Point s =
      left ? Point{kLeftShoulderX, kLeftShoulderY} : Point{kRightShoulderX, kRightShoulderY};
  const Joints j = GestureJoints(left, frame);
  Sleeve(cr, s, j.Elbow, j.Wrist);
  if (drawHand) Hand(cr, j.Wrist, left, pose, tap, left ? kLipsLeftX : kLipsRightX);
}

HandPose PoseOfFrame(int frame) {
  if (frame == 0) return HandPose::Flat;
  return frame <= 4 ? HandPose::Open : HandPose::Cigarette;
}

// --- The sprites. Each draws in screen coordinates shifted by its corner.

void HeadAndBody(cairo_t* cr) {
  cairo_translate(cr, -254, -165);
  // Body: shoulders to the counter.
  cairo_move_to(cr, 262, 368);
  cairo_line_to(cr, 264, 312);
  cairo_curve_to(cr, 266, 292, 286, 284, 300, 282);
  cairo_line_to(cr, 336, 282);
  cairo_curve_to(cr, 352, 284, 372, 292, 374, 312);
  cairo_line_to(cr, 376, 368);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kShirt, pal::Outline, 2.4, 0.2});
  cairo_save(cr);
  cairo_rectangle(cr, 262, 282, 116, 86);
  cairo_clip(cr);
  for (double y = 292; y < 368; y += 9) {
    cairo_move_to(cr, 262, y);
    cairo_line_to(cr, 378, y);
  }
  art::Stroke(cr, kStripe, 3.4);
  cairo_restore(cr);
  // The waistcoat, open in front.
  for (int side = 0; side < 2; ++side) {
    const double d = side == 0 ? 1 : -1, x0 = side == 0 ? 264 : 374;
    cairo_move_to(cr, x0, 368);
    cairo_line_to(cr, x0 + d * 2, 314);
    cairo_curve_to(cr, x0 + d * 4, 296, x0 + d * 18, 288, x0 + d * 30, 286);
    cairo_line_to(cr, x0 + d * 44, 330);
    cairo_line_to(cr, x0 + d * 40, 368);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kVest, pal::Outline, 2.2, 0.3});
  }
  for (int i = 0; i < 3; ++i) {
    art::Circle(cr, 300, 340 + i * 10, 2);
    art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1, 0.3});
  }
  // A name badge.
  art::RoundedRect(cr, 340, 318, 24, 12, 2);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.4, 0});
  SignText(cr, "КИБ", 352, 324, 8.5, pal::Red);
  // Neck.
  art::RoundedRect(cr, 302, 262, 32, 30, 10);
  art::Paint(cr, art::Style{pal::SkinShade, pal::Outline, 2, 0.2});
  // Ears.
  for (double x : {274.0, 362.0}) {
    art::Ellipse(cr, x, 228, 8, 11);
    art::Paint(cr, art::Style{kSkin, pal::Outline, 2, 0.25});
  }
  // Head.
  art::Ellipse(cr, 318, 224, 44, 48);
  art::Paint(cr, art::Style{kSkin, pal::Outline, 2.4, 0.25, 0.3});
  // Stubble on the chin and pink cheeks.
  art::Ellipse(cr, 318, 256, 28, 14);
  art::Fill(cr, art::Hex(0x8A6A5A, 0.18));
  for (double x : {290.0, 346.0}) {
    art::Ellipse(cr, x, 240, 8, 5);
    art::Fill(cr, pal::Tomato.WithAlpha(0.25));
  }
  // Eye whites (pupils and lids are their own sprites).
  for (double x : {305.0, 334.0}) {
    art::Ellipse(cr, x, 223, 9.5, 6.5);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1.6, 0});
  }
  // Eyebrows.
  art::LitLimb(cr, {294, 208, 304, 204, 314, 207}, 2.2, art::Hex(0x4A3020), kLimbLight, 0.8);
  art::LitLimb(cr, {324, 207, 334, 204, 344, 208}, 2.2, art::Hex(0x4A3020), kLimbLight, 0.8);
  // The nose.
  art::Ellipse(cr, 319, 234, 8, 7);
  art::Paint(cr, art::Style{art::Hex(0xEE9A7A), pal::Outline, 1.8, 0.3, 0.6});
  // The flat cap.
  cairo_move_to(cr, 274, 200);
  cairo_curve_to(cr, 272, 176, 296, 166, 322, 166);
  cairo_curve_to(cr, 350, 166, 366, 180, 364, 198);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kCap, pal::Outline, 2.2, 0.35, 0.4});
  cairo_move_to(cr, 276, 198);
  cairo_curve_to(cr, 300, 204, 344, 206, 376, 196);
  cairo_curve_to(cr, 374, 204, 350, 210, 318, 210);
  cairo_curve_to(cr, 296, 210, 280, 206, 276, 198);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kCap.Darker(0.15), pal::Outline, 2, 0.3});
  art::Circle(cr, 320, 168, 3);
  art::Paint(cr, art::Style{kCap.Darker(0.2), pal::Outline, 1.2, 0.2});
}

// Kib01 at (286, 239): the moustache and the mouth under it; 0 closed, 1..4 talking.
void Mouth(cairo_t* cr, int p) {
  cairo_translate(cr, -286, -239);
  const double cx = 318, my = 254;
  // Mouth shape by pattern: half width and opening.
  const double widths[] = {11, 7, 10, 6, 12};
  const double opens[] = {0, 4, 7, 8, 5};
  const double w = widths[p], o = opens[p];
  if (o <= 0) {
    cairo_move_to(cr, cx - w, my);
    cairo_curve_to(cr, cx - 4, my + 5, cx + 4, my + 5, cx + w, my);
    art::Stroke(cr, pal::Outline, 2);
  } else {
    art::Ellipse(cr, cx, my + o / 2, w, o / 2 + 1.5);
    art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1.8, 0});
    art::Ellipse(cr, cx, my + o * 0.75, w * 0.55, o * 0.25 + 0.5);
    art::Fill(cr, pal::Tongue);
    if (p == 4) {
      cairo_rectangle(cr, cx - w * 0.7, my - 0.5, w * 1.4, 3);
      art::Fill(cr, pal::White);
    }
  }
  // The moustache, a little lifted when the mouth opens.
  const double lift = o * 0.25;
  cairo_move_to(cr, cx, 243 - lift);
  cairo_curve_to(cr, cx - 10, 240 - lift, cx - 22, 244 - lift, cx - 26, 252 - lift);
  cairo_curve_to(cr, cx - 18, 250 - lift, cx - 8, 252 - lift, cx, 249 - lift);
  cairo_curve_to(cr, cx + 8, 252 - lift, cx + 18, 250 - lift, cx + 26, 252 - lift);
  cairo_curve_to(cr, cx + 22, 244 - lift, cx + 10, 240 - lift, cx, 243 - lift);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{art::Hex(0x5A3A26), pal::Outline, 1.6, 0.3});
}

// Kib09: a pupil.
void Pupil(cairo_t* cr) {
  art::Circle(cr, 4, 4, 3.6);
  art::Fill(cr, art::Hex(0x3A2A20));
  art::Circle(cr, 2.8, 2.8, 1.1);
  art::Fill(cr, pal::White);
}

// Kib04 at (289, 216): the eyelids over both eyes; 0 open, 1 half shut, 2 shut.
void Eyelids(cairo_t* cr, int p) {
  cairo_translate(cr, -289, -216);
  for (double x : {305.0, 334.0}) {
    cairo_save(cr);
    art::Ellipse(cr, x, 223, 10.5, 7.5);
    cairo_clip(cr);
    const double lidBottom = p == 0 ? 217.5 : (p == 1 ? 223 : 231);
    cairo_rectangle(cr, x - 12, 214, 24, lidBottom - 214);
    art::Fill(cr, kSkin.Darker(0.05));
    cairo_restore(cr);
    // The lash line along the lid's edge.
    if (p < 2) {
      const double y = p == 0 ? 217.5 : 223;
      cairo_move_to(cr, x - 9, y + (p == 0 ? 2 : 0));
      cairo_curve_to(cr, x - 4, y - 1, x + 4, y - 1, x + 9, y + (p == 0 ? 2 : 0));
    } else {
      cairo_move_to(cr, x - 9, 224);
      cairo_curve_to(cr, x - 4, 227, x + 4, 227, x + 9, 224);
    }
    art::Stroke(cr, pal::Outline, 1.8);
  }
}

// Kib06 at (218, 275): the left arm resting on the counter (the hand is Kib02).
void LeftArmRest(cairo_t* cr) {
  cairo_translate(cr, -218, -275);
  Arm(cr, true, 0, HandPose::Flat, 0, false);
}

// Kib02 at (261, 357): the left hand on the counter; 0..3 lift the index finger to tap.
void LeftHand(cairo_t* cr, int p) {
  cairo_translate(cr, -261, -357);
  Hand(cr, GestureWrist(true, 0), true, HandPose::Flat, p, kLipsLeftX);
}

// Kib05 at (316, 274): the right arm resting on the counter with its hand.
void RightArmRest(cairo_t* cr) {
  cairo_translate(cr, -316, -274);
  Arm(cr, false, 0, HandPose::Flat, 0);
}

// Kib07 at (202, 227) and Kib08 at (310, 234): the gestures of the left and right arm.
void LeftGesture(cairo_t* cr, int f) {
  cairo_translate(cr, -202, -227);
  Arm(cr, true, f, PoseOfFrame(f), 0);
}

void RightGesture(cairo_t* cr, int f) {
  cairo_translate(cr, -310, -234);
  Arm(cr, false, f, PoseOfFrame(f), 0);
}

// Kib10: the cigarette's glow and a wisp of smoke at the lips, growing with the puff; 0..2
// for the left hand, 3..5 for the right (drawn stretched to 8 x 11).
void Glow(cairo_t* cr, int p) {
  const int k = p % 3;
  const double r = 1.6 + k * 0.5;
  // Smoke rising.
  cairo_move_to(cr, 4, 8);
  cairo_curve_to(cr, 1, 6, 7, 4, 4, 1);
  art::Stroke(cr, art::Hex(0xDDDDDD, 0.7), 1.2 + k * 0.3);
  cairo_arc(cr, 4, 8.5, r + 1.5, 0, 2 * M_PI);
  art::FillWith(
      cr, art::RadialGradient(
              4, 8.5, 0, 4, 8.5, r + 1.5,
              {{0, {1.0, 0.95, 0.5, 1}}, {0.5, {1.0, 0.45, 0.1, 0.9}}, {1, {1.0, 0.3, 0.0, 0}}}));
}

}  // namespace

std::vector<ImageSpec> CashierImages() {
  return {
      {"Kib01", 66, 28, 5, Mouth},
      {"Kib02", 46, 30, 4, LeftHand},
      SinglePicture("Kib03", 140, 203, HeadAndBody),
      {"Kib04", 62, 18, 3, Eyelids},
      SinglePicture("Kib05", 104, 112, RightArmRest),
      SinglePicture("Kib06", 84, 100, LeftArmRest),
      {"Kib07", 136, 162, 13, LeftGesture},
      {"Kib08", 134, 156, 13, RightGesture},
      SinglePicture("Kib09", 8, 8, Pupil),
      {"Kib10", 8, 11, 6, Glow},
  };
}

}  // namespace hubart
