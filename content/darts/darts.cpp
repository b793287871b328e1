// Darts: the dartboard, the darts (on the rack and stuck in the board), the player's hand with
// and without a dart and its take/throw animation, and the hit map of the rings.
//
// The hot spots the scene relies on are in minigames/darts_layout.h: every picture is drawn
// around them.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "minigames/darts_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;

// ---- Layout shared with the scene ----------------------------------------------------------

using namespace vepa::darts;

// The top of the kiosk's counter on which the darts lie: throws hit the wall above it.
constexpr int kCounterTop = 364;

// ---- Small drawing helpers ----------------------------------------------------------------

constexpr double kDeg = M_PI / 180;

void Capsule(cairo_t* cr, double x1, double y1, double x2, double y2, double r, const Color& c,
             double line = art::kOutline) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  art::SetColor(cr, pal::Outline);
  cairo_set_line_width(cr, 2 * r + 2 * line);
  cairo_stroke(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  art::SetColor(cr, c);
  cairo_set_line_width(cr, 2 * r);
  cairo_stroke(cr);
}

// A light streak along the upper side of a capsule.
void Highlight(cairo_t* cr, double x1, double y1, double x2, double y2, double width,
               double alpha) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  art::SetColor(cr, pal::White.WithAlpha(alpha));
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

// ---- The dart -------------------------------------------------------------------------------

// Colours of the darts: brass barrel, navy shaft, red flights with a yellow stripe.
const Color kFlight = pal::Red;
const Color kFlightStripe = pal::Yellow;
const Color kShaft = pal::Navy;
const Color kBarrel = pal::Brass;
const Color kPoint = pal::Steel;

struct DartLook {
  double Length = 72;                        // tip to the end of the flights
  double Scale = 1;                          // thickness
  bool Point = true;                         // the steel point is visible (not buried in the board)
  bool FrontOnly = false, BackOnly = false;  // draw only the part before/behind the grip
  double Grip = 0.42;                        // where the fingers hold it, 0 tip .. 1 end
};

// A dart along the local +x axis from its tip at (0, 0); the flights spread in y.
void DartLocal(cairo_t* cr, const DartLook& d) {
  const double L = d.Length, s = d.Scale;
  const double pointEnd = 0.22 * L, barrelEnd = 0.52 * L, shaftEnd = 0.74 * L;
  const bool back = !d.FrontOnly, front = !d.BackOnly;
  const double gx = d.Grip * L;
  if (back) {
    // Flights: two fins, the upper one seen flat, the lower one foreshortened.
    const double f0 = 0.6 * L;
    cairo_new_path(cr);
    art::Polyline(cr, {f0, -1.5 * s, 0.83 * L, -15 * s, L, -14 * s, L, -1 * s}, true);
    art::Paint(cr, art::Style{kFlight, pal::Outline, art::kOutline * 0.8, 0.25, 0});
    cairo_new_path(cr);
    art::Polyline(
        cr, {0.76 * L, -5 * s, 0.88 * L, -12 * s, 0.94 * L, -11.8 * s, 0.83 * L, -4.6 * s}, true);
    art::Fill(cr, kFlightStripe);
    cairo_new_path(cr);
    art::Polyline(cr, {f0, 1.5 * s, 0.85 * L, 8 * s, L, 7.5 * s, L, 1 * s}, true);
    art::Paint(cr, art::Style{kFlight.Shade(0.25), pal::Outline, art::kOutline * 0.8, 0.2, 0});
    // Shaft.
    Capsule(cr, std::max(barrelEnd, gx), 0, shaftEnd + 0.2 * L, 0, 2 * s, kShaft,
            art::kOutline * 0.7);
  }
  // Barrel with grip rings.
  const double b0 = front ? pointEnd : std::max(pointEnd, gx);
  const double b1 = back ? barrelEnd : std::min(barrelEnd, gx);
  if (b1 > b0) {
    Capsule(cr, b0, 0, b1, 0, 3.8 * s, kBarrel, art::kOutline * 0.75);
    for (double x = pointEnd + 0.05 * L; x < barrelEnd - 0.02 * L; x += 0.05 * L) {
      if (x < b0 + 1 || x > b1 - 1) continue;
      cairo_move_to(cr, x, -3 * s);
      cairo_line_to(cr, x, 3 * s);
      art::Stroke(cr, kBarrel.Shade(0.45), 1.0);
    }
    Highlight(cr, b0 + 1, -1.6 * s, b1 - 1, -1.6 * s, 1.4 * s, 0.65);
  }
  if (front && d.Point) {
    cairo_new_path(cr);
    art::Polyline(cr, {0, 0, pointEnd + 1, -2 * s, pointEnd + 1, 2 * s}, true);
    art::Paint(cr, art::Style{kPoint, pal::Outline, art::kOutline * 0.6, 0.3, 0});
  }
}

// A dart with its tip at (x, y), pointing along `angle` (degrees, screen) from tail to tip.
void Dart(cairo_t* cr, double x, double y, double angle, const DartLook& d) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, (angle + 180) * kDeg);
  DartLocal(cr, d);
  cairo_restore(cr);
}

// ---- The hand -------------------------------------------------------------------------------

// The player's right hand seen from behind, holding a dart between thumb and index finger.
// In its own frame the grip point is (0, 0) and a held dart points along -x; the fist lies to
// the right, the sleeve leaves to the lower right.
struct HandPose {
  double X = 0, Y = 0;  // grip point in the picture
  double Angle = 205;   // direction the held dart points (degrees, screen; 180 = left)
  double Scale = 1;
  double Open = 0;        // 0 fingers pinched, 1 wide open (just let go)
  bool Dart = false;      // a dart in the fingers
  double DartAngle = -1;  // its own direction when it differs from the hand's (-1: same)
};

// The hands are drawn a little larger than their frame: they are close to the viewer.
constexpr double kHandScale = 1.2;

// The dart in the hand: its length and where the fingers hold it.
constexpr double kHeldDartLength = 84, kHeldDartGrip = 0.4;

// A held dart in the hand's frame: its grip at (0, 0), turned by `turn` degrees.
void HeldDart(cairo_t* cr, double turn, DartLook d) {
  cairo_save(cr);
  cairo_rotate(cr, turn * kDeg);
  cairo_translate(cr, -d.Grip * d.Length, 0);
  DartLocal(cr, d);
  cairo_restore(cr);
}

void HandLocal(cairo_t* cr, const HandPose& p) {
  const double o = p.Open;
  const Color skin = pal::Skin, skinDark = pal::Skin.Shade(0.08);
  // The sleeve leaves the wrist down to the right and bends straight down, so the arm always
  // reaches the bottom of the screen whatever the angle of the hand.
  const double turn = (p.Angle - 180) * kDeg, k = p.Scale * kHandScale;
  const double downX = std::sin(turn) / k, downY = std::cos(turn) / k;  // screen down, here
  const double wx = 50, wy = 26, ax = 0.6, ay = 0.8;  // wrist and the forearm's direction
  const double reach = 900;
  // Sample the bend and build the outline of a sleeve that widens towards the viewer.
  const double px[4] = {wx, wx + ax * 90, wx + ax * 120 + downX * 60,
                        wx + ax * 120 + downX * reach};
  const double py[4] = {wy, wy + ay * 90, wy + ay * 120 + downY * 60,
                        wy + ay * 120 + downY * reach};
  constexpr int kSteps = 40;
  double cx[kSteps + 1], cy[kSteps + 1], nx[kSteps + 1], ny[kSteps + 1], hw[kSteps + 1];
  for (int i = 0; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps, u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    cx[i] = b0 * px[0] + b1 * px[1] + b2 * px[2] + b3 * px[3];
    cy[i] = b0 * py[0] + b1 * py[1] + b2 * py[2] + b3 * py[3];
    const double dx =
        3 * u * u * (px[1] - px[0]) + 6 * u * t * (px[2] - px[1]) + 3 * t * t * (px[3] - px[2]);
    const double dy =
        3 * u * u * (py[1] - py[0]) + 6 * u * t * (py[2] - py[1]) + 3 * t * t * (py[3] - py[2]);
    const double len = std::hypot(dx, dy);
    nx[i] = len > 0 ? -dy / len : 0;
    ny[i] = len > 0 ? dx / len : 1;
    const double along = std::hypot(cx[i] - wx, cy[i] - wy);
    hw[i] = 21 + std::min(along, 400.0) * 0.04;
  }
  auto sleeveSide = [&](double side, double inset) {
    cairo_new_path(cr);
    for (int i = 0; i <= kSteps; ++i)
      cairo_line_to(cr, cx[i] + side * nx[i] * (hw[i] - inset),
                    cy[i] + side * ny[i] * (hw[i] - inset));
  };
  cairo_new_path(cr);
  for (int i = 0; i <= kSteps; ++i) cairo_line_to(cr, cx[i] + nx[i] * hw[i], cy[i] + ny[i] * hw[i]);
  for (int i = kSteps; i >= 0; --i) cairo_line_to(cr, cx[i] - nx[i] * hw[i], cy[i] - ny[i] * hw[i]);
  cairo_close_path(cr);
  art::SetColor(cr, pal::Cloth);
  cairo_fill_preserve(cr);
  art::SetColor(cr, pal::Outline);
  cairo_set_line_width(cr, art::kOutline);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  // Light along one side of the sleeve, shade along the other.
  sleeveSide(-1, 8);
  art::Stroke(cr, pal::Cloth.Lighter(0.3).WithAlpha(0.7), 5);
  sleeveSide(1, 7);
  art::Stroke(cr, pal::Cloth.Shade(0.3).WithAlpha(0.8), 8);
  // The shirt cuff.
  cairo_save(cr);
  cairo_translate(cr, wx + ax * 2, wy + ay * 2);
  cairo_rotate(cr, std::atan2(ay, ax));
  art::RoundedRect(cr, -6, -23, 12, 46, 4);
  art::Paint(cr, art::Style{pal::White, pal::Outline, art::kOutline, 0.25, 0});
  cairo_restore(cr);
  // The held dart's tail and flights stick out behind the fist.
  DartLook dart;
  dart.Length = kHeldDartLength;
  dart.Grip = kHeldDartGrip;
  const double dartTurn = p.DartAngle < 0 ? 0 : p.DartAngle - p.Angle;
  if (p.Dart) {
    DartLook tail = dart;
    tail.BackOnly = true;
    HeldDart(cr, dartTurn, tail);
  }
  // The back of the hand: a rounded fist.
  cairo_save(cr);
  cairo_translate(cr, 27, 15);
  cairo_rotate(cr, 18 * kDeg);
  art::RoundedRect(cr, -22, -19, 46, 40, 15);
  art::Paint(cr, art::Style{skin, pal::Outline, art::kOutline, 0.28, 0});
  // Knuckle creases on the back of the hand.
  for (int i = 0; i < 3; ++i) {
    const double y = -10 + i * 9;
    cairo_move_to(cr, -15, y);
    cairo_curve_to(cr, -11, y - 2, -6, y - 1, -3, y + 1);
    art::Stroke(cr, pal::SkinShade.WithAlpha(0.8), 1.3);
  }
  art::Shine(cr, 5, -9, 10, 5, 0.45);
  cairo_restore(cr);
  // Middle, ring and little finger curled into the palm (they straighten as the hand opens).
  for (int i = 0; i < 3; ++i) {
    const double y = 12 + i * 8.5;
    const double reach = 7 + 15 * o;
    Capsule(cr, 13 + i * 2.5, y, 13 + i * 2.5 - reach, y - 2 - 3 * o + i * 2 * o, 4.6, skinDark);
  }
  // Thumb from below; the barrel rests on it.
  const double thumbTipX = -1 - 7 * o, thumbTipY = 8 + 12 * o;
  Capsule(cr, 19, 24, thumbTipX, thumbTipY, 5.4, skin);
  Highlight(cr, 16, 19, thumbTipX + 2, thumbTipY - 3, 2, 0.35);
  // The dart's barrel and point in front of the fingers.
  if (p.Dart) {
    DartLook head = dart;
    head.FrontOnly = true;
    HeldDart(cr, dartTurn, head);
  }
  // The index finger over the top, pressing the barrel; open, it lifts away.
  const double idxTipX = -2 - 12 * o, idxTipY = -6 - 9 * o;
  const double idxMidX = 8 - 2 * o, idxMidY = -12 - 4 * o;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    art::Polyline(cr, {20, -5, idxMidX, idxMidY, idxTipX, idxTipY}, false);
    art::SetColor(cr, pass == 0 ? pal::Outline : skin);
    cairo_set_line_width(cr, pass == 0 ? 10 + 2 * art::kOutline : 10);
    cairo_stroke(cr);
  }
  Highlight(cr, 18, -9, idxMidX, idxMidY - 3, 2, 0.4);
  // Nail of the index finger.
  cairo_save(cr);
  const double na = std::atan2(idxTipY - idxMidY, idxTipX - idxMidX);
  cairo_translate(cr, idxTipX + 1.5 * std::cos(na) + 2.4 * std::sin(na),
                  idxTipY + 1.5 * std::sin(na) - 2.4 * std::cos(na));
  cairo_rotate(cr, na);
  art::Ellipse(cr, 0, 0, 3, 2);
  art::Paint(cr, art::Style{pal::Pink.Lighter(0.45), pal::SkinShade, 0.8, 0, 0});
  cairo_restore(cr);
}

void Hand(cairo_t* cr, const HandPose& p) {
  cairo_save(cr);
  cairo_translate(cr, p.X, p.Y);
  cairo_rotate(cr, (p.Angle - 180) * kDeg);
  cairo_scale(cr, p.Scale * kHandScale, p.Scale * kHandScale);
  HandLocal(cr, p);
  cairo_restore(cr);
}

// Moves a pose so that the point between the thumb and index fingertips lies at (x, y).
HandPose PinchAt(HandPose p, double x, double y) {
  const double o = p.Open;
  const double lx = ((-2 - 12 * o) + (-1 - 7 * o)) / 2, ly = ((-6 - 9 * o) + (8 + 12 * o)) / 2;
  const double a = (p.Angle - 180) * kDeg, k = p.Scale * kHandScale;
  p.X = x - k * (lx * std::cos(a) - ly * std::sin(a));
  p.Y = y - k * (lx * std::sin(a) + ly * std::cos(a));
  return p;
}

// ---- The pictures ---------------------------------------------------------------------------

// The board hangs at (230, 90); its centre is (BoardCX, BoardCY) on screen.
constexpr int kBoardSize = 250;
constexpr double kCX = BoardCX - BoardX, kCY = BoardCY - BoardY;

void Sector(cairo_t* cr, double r0, double r1, double a0, double a1) {
  cairo_new_path(cr);
  cairo_arc(cr, kCX, kCY, r1, a0, a1);
  cairo_arc_negative(cr, kCX, kCY, r0, a1, a0);
  cairo_close_path(cr);
}

void DrawBoard(cairo_t* cr, int) {
  // Shadow on the wall, then the black rim.
  for (int i = 0; i < 4; ++i) {
    art::Circle(cr, kCX + 6, kCY + 8, RimR + 3 - i * 2);
    art::Fill(cr, pal::Outline.WithAlpha(0.09));
  }
  art::Circle(cr, kCX, kCY, RimR);
  art::Paint(cr, art::Style{Color{0.17, 0.13, 0.12}, pal::Outline, art::kOutline, 0.35, 0});
  // Twenty sectors, "20" at the top; the scoring rings alternate black/cream and red/green.
  const Color dark = art::Hex(0x2A211D), light = art::Hex(0xF2DFB4);
  const Color red = pal::Red, green = pal::Green;
  for (int ring = 0; ring < 4; ++ring) {
    const double r1 = RingR[ring], r0 = RingR[ring + 1];
    const bool coloured = ring % 2 == 1;
    for (int s = 0; s < 20; ++s) {
      const double a0 = (-90 - 9 + 18 * s) * kDeg, a1 = a0 + 18 * kDeg;
      const bool even = s % 2 == 0;
      Color c = coloured ? (even ? red : green) : (even ? dark : light);
      Sector(cr, r0, r1, a0, a1);
      art::Fill(cr, c);
    }
  }
  // The bull.
  art::Circle(cr, kCX, kCY, RingR[4]);
  art::Fill(cr, red);
  art::Circle(cr, kCX, kCY, RingR[4] * 0.45);
  art::Fill(cr, red.Shade(0.18));
  // Light from the upper left over the whole face.
  art::Circle(cr, kCX, kCY, RingR[0]);
  art::FillWith(
      cr, art::RadialGradient(
              kCX - 40, kCY - 45, 5, kCX, kCY, RingR[0] * 1.05,
              {{0, {1, 1, 0.95, 0.22}}, {0.55, {1, 1, 0.95, 0.0}}, {1, {0.1, 0.05, 0.0, 0.22}}}));
  // The wire: rings and spokes.
  const Color wire = art::Hex(0xD9DEE2);
  for (int s = 0; s < 20; ++s) {
    const double a = (-90 - 9 + 18 * s) * kDeg;
    cairo_move_to(cr, kCX + RingR[4] * std::cos(a), kCY + RingR[4] * std::sin(a));
    cairo_line_to(cr, kCX + RingR[0] * std::cos(a), kCY + RingR[0] * std::sin(a));
    art::Stroke(cr, wire, 1.1);
  }
  for (double r : RingR) {
    art::Circle(cr, kCX, kCY, r);
    art::Stroke(cr, pal::Outline.WithAlpha(0.5), 2.4);
    art::Circle(cr, kCX, kCY, r);
    art::Stroke(cr, wire, 1.3);
  }
  // Numbers round the rim.
  static const int kNumbers[20] = {20, 1,  18, 4,  13, 6,  10, 15, 2,  17,
                                   3,  19, 7,  16, 8,  11, 14, 9,  12, 5};
  art::TextStyle ts{.Face = art::Font::CondensedBold, .Size = 12, .Fill = pal::White};
  for (int s = 0; s < 20; ++s) {
    const double a = (-90 + 18 * s) * kDeg;
    const double r = (RingR[0] + RimR) / 2;
    art::TextCentered(cr, std::to_string(kNumbers[s]), kCX + r * std::cos(a), kCY + r * std::sin(a),
                      ts);
  }
  // A gloss along the rim's upper left.
  cairo_new_path(cr);
  cairo_arc(cr, kCX, kCY, RimR - 4, 200 * kDeg, 250 * kDeg);
  art::Stroke(cr, pal::White.WithAlpha(0.25), 3);
}

// A dart on the rack: lying on the counter with its point towards the board, so it looks
// short; the flights lie flat and nearest to the viewer.
constexpr int kRackW = 44, kRackH = 50;
void DrawRackDart(cairo_t* cr, int) {
  art::GroundShadow(cr, 24, 30, 7, 18, 0.32);
  art::GroundShadow(cr, 25, 42, 14, 4, 0.25);
  DartLook d;
  d.Length = 42;
  d.Scale = 0.85;
  Dart(cr, 20, 4, -82, d);
}

// A dart stuck in the board, its tail raised towards the viewer; tip at (0, 40).
constexpr int kStuckW = 80, kStuckH = 56;
void DrawStuckDart(cairo_t* cr, int) {
  DartLook d;
  d.Length = 70;
  constexpr double kRise = 22;  // degrees the tail stands above the horizontal
  // Its shadow on the board, falling down to the right.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_new_path(cr);
  cairo_move_to(cr, 3, 42);
  cairo_line_to(cr, 30, 40);
  art::Stroke(cr, pal::Outline.WithAlpha(0.18), 4);
  Dart(cr, 0.5, 40, 180 + kRise, d);
  // The hole the point went in.
  art::Ellipse(cr, 1.5, 40, 2, 1.6);
  art::Fill(cr, pal::Outline);
}

// The empty hand: drawn at the aim point, it picks a dart at (0, +20).
constexpr int kRuka01W = 170, kRuka01H = 470;
void DrawEmptyHand(cairo_t* cr, int) {
  HandPose p;
  p.Angle = 176;
  p.Open = 0.35;
  Hand(cr, PinchAt(p, 9, PickDY + 2));
}

// The hand aiming: drawn at the aim point + (75, -50), the dart's tip at (0, +82).
constexpr int kRuka02W = 200, kRuka02H = 530;
constexpr double kAimAngle = 205;
// The grip lies this far behind the tip along the dart.
constexpr double kGripBack = kHeldDartLength * kHeldDartGrip * kHandScale;
void AimGrip(double tipX, double tipY, double angle, double& gx, double& gy) {
  gx = tipX - kGripBack * std::cos(angle * kDeg);
  gy = tipY - kGripBack * std::sin(angle * kDeg);
}
void DrawAimingHand(cairo_t* cr, int) {
  HandPose p;
  AimGrip(TipDX - AimHandDX, TipDY - AimHandDY, kAimAngle, p.X, p.Y);
  p.Angle = kAimAngle;
  p.Dart = true;
  Hand(cr, p);
}

// Ruka03: the take (patterns 0-4), the throw (5-6) and the empty hand coming back (7-8).
constexpr int kRuka03W = 260, kRuka03H = 520;
void DrawHandMoves(cairo_t* cr, int pattern) {
  // Where the empty hand picks, and where the aiming grip lies, in the take/return frames
  // (drawn at the aim point + (0, -35)) and in the throw frames (aim point + (70, -25)).
  const double pickX = 8 - TakeDX, pickY = PickDY - TakeDY;
  double aimGX, aimGY;
  AimGrip(TipDX - TakeDX, TipDY - TakeDY, kAimAngle, aimGX, aimGY);
  double thrGX, thrGY;
  AimGrip(TipDX - ThrowDX, TipDY - ThrowDY, kAimAngle, thrGX, thrGY);
  auto lerp = [](double a, double b, double t) { return a + (b - a) * t; };
  // The grip right after the fingers closed on the dart.
  HandPose closed;
  closed.Angle = 196;
  closed.Dart = true;
  closed.DartAngle = 266;  // the dart still lies as it lay on the rack
  closed = PinchAt(closed, pickX + 3, pickY + 3);
  HandPose p;
  switch (pattern) {
    case 0:  // reaching down over the dart
      p.Angle = 190;
      p.Open = 0.7;
      p = PinchAt(p, pickX + 3, pickY + 5);
      break;
    case 1:  // fingers close on it
      p = closed;
      break;
    case 2:  // lifted off the rack and turned over to the throwing grip
    case 3:
    case 4: {
      const double t = (pattern - 1) / 3.6;
      p = closed;
      p.X = lerp(closed.X, aimGX, t);
      p.Y = lerp(closed.Y, aimGY, t) - 14 * std::sin(t * M_PI);
      p.Angle = lerp(closed.Angle, kAimAngle, t);
      p.DartAngle = lerp(closed.DartAngle, kAimAngle, t);
      break;
    }
    case 5:  // drawn back towards the face
      p.X = thrGX + 20;
      p.Y = thrGY + 24;
      p.Angle = 200;
      p.Scale = 1.1;
      p.Dart = true;
      break;
    case 6: {  // thrust forward: the fingers let go and the dart flies off
      p.X = thrGX - 4;
      p.Y = thrGY - 6;
      p.Angle = 210;
      p.Scale = 0.95;
      p.Open = 0.85;
      const double tipX = TipDX - ThrowDX, tipY = TipDY - ThrowDY;
      for (int i = 0; i < 3; ++i) {
        const double y = tipY + 14 + i * 6;
        cairo_move_to(cr, tipX + 58 + i * 4, y);
        cairo_line_to(cr, tipX + 88 + i * 8, y + 10);
        art::Stroke(cr, pal::White.WithAlpha(0.75), 1.8);
      }
      DartLook d;
      d.Length = 56;
      d.Scale = 0.85;
      Dart(cr, tipX + 6, tipY + 3, 200, d);
      break;
    }
    case 7:  // follow-through, the hand wide open
      p.X = lerp(aimGX, pickX, 0.15);
      p.Y = lerp(aimGY, pickY, 0.15) - 4;
      p.Angle = 198;
      p.Scale = 0.97;
      p.Open = 1;
      break;
    default:  // coming back to rest
      p.Angle = 205;
      p.Open = 0.6;
      p = PinchAt(p, lerp(aimGX, pickX, 0.65), lerp(aimGY, pickY, 0.65));
      break;
  }
  Hand(cr, p);
}

// ---- Hit map --------------------------------------------------------------------------------

std::vector<content::HitShape> HitShapes() {
  using content::HitEllipse;
  using content::HitRect;
  std::vector<content::HitShape> shapes;
  // The wall around the board: a throw there is a miss.
  shapes.push_back(HitRect(WallCode, 0, 0, 640, kCounterTop));
  // The black number ring scores nothing either.
  shapes.push_back(
      HitEllipse(NumberRingCode, BoardCX - RimR, BoardCY - RimR, BoardCX + RimR, BoardCY + RimR));
  for (int ring = 0; ring < 5; ++ring) {
    const double r = RingR[ring];
    shapes.push_back(
        HitEllipse(FirstRing + ring, BoardCX - r, BoardCY - r, BoardCX + r, BoardCY + r));
  }
  // The rack where the three darts lie.
  shapes.push_back(HitRect(RackCode, RackX - 4, RackY - 4, RackX + 2 * RackStep + kRackW + 2,
                           RackY + kRackH + 4));
  return shapes;
}

void Build(content::ContentSink& sink) {
  sink.ImageList(std::string(ImagesEntry), {
                                               {"DTir01", kBoardSize, kBoardSize, 1, DrawBoard},
                                               {"Drot01", kRackW, kRackH, 1, DrawRackDart},
                                               {"Drot02", kStuckW, kStuckH, 1, DrawStuckDart},
                                               {"Ruka01", kRuka01W, kRuka01H, 1, DrawEmptyHand},
                                               {"Ruka02", kRuka02W, kRuka02H, 1, DrawAimingHand},
                                               {"Ruka03", kRuka03W, kRuka03H, 9, DrawHandMoves, 3},
                                           });
  sink.HitMap(std::string(HitMapEntry), HitShapes());
}

}  // namespace

VEPA_CONTENT_MODULE(darts, Build);
