// Drawing helpers that give every picture the game's cartoon look: shapes filled with a soft
// top-left light, outlined in warm near-black, with glossy highlights and soft shadows.
//
// Typical use: build a path with cairo, then paint it:
//   art::RoundedRect(cr, 10, 10, 80, 40, 8);
//   art::Paint(cr, {art::pal::Red});
#pragma once

#include <cairo.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "palette.h"

namespace art {

void SetColor(cairo_t* cr, const Color& c);

// Paths (they start a new sub-path; nothing is painted).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void Circle(cairo_t* cr, double cx, double cy, double r);
// A star with n points.
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
          double turn = 0);
// A closed outline symmetric about the vertical through (cx, cy) (a heart, an apple, a
// moustache). `half` is one side of it, in units of rx across and ry down from (cx, cy): the
// start x y, then c1x c1y c2x c2y x y for each cubic. The other side comes back mirrored, from
// the end to the start, joined by a straight line where the half ends off the middle.
void MirroredOutline(cairo_t* cr, double cx, double cy, double rx, double ry,
                     std::initializer_list<double> half);

struct Style {
  Color Fill = pal::White;
  Color Line = pal::Outline;
  double LineWidth = kOutline;  // 0: no outline
  double Light = 0.22;          // strength of the top-left light (0 flat)
  double Gloss = 0;             // 0..1: a white highlight near the top-left
};

// Fills the current path with the style's lit gradient, adds the gloss, then strokes the
// outline. The path is consumed.
void Paint(cairo_t* cr, const Style& s);
inline void Paint(cairo_t* cr, const Color& fill) { Paint(cr, Style{fill}); }
// Flat fill of the current path, no outline; the path is consumed.
void Fill(cairo_t* cr, const Color& c);
// Outline only; the path is consumed.
void Stroke(cairo_t* cr, const Color& c, double width);
// A round-capped line from one point to another, w wide (an outlined one is a Limb in limbs.h).
void RoundLine(cairo_t* cr, double x1, double y1, double x2, double y2, const Color& c, double w);

// A soft elliptical shadow on the ground.
void GroundShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.3);
// A small glossy highlight (white ellipse fading out).
void Shine(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.8);

// Gradients: a stop is a place along the gradient (0..1) and the colour there. Linear from
// (x0, y0) to (x1, y1); radial from the circle (cx0, cy0, r0) out to (cx1, cy1, r1).
struct Stop {
  double At;
  Color C;
};
cairo_pattern_t* LinearGradient(double x0, double y0, double x1, double y1,
                                std::initializer_list<Stop> stops);
cairo_pattern_t* RadialGradient(double cx0, double cy0, double r0, double cx1, double cy1,
                                double r1, std::initializer_list<Stop> stops);
// Fills the current path with a pattern and releases the pattern; the path is consumed, or
// kept with `preserve` (for an outline on top).
void FillWith(cairo_t* cr, cairo_pattern_t* pattern, bool preserve = false);
// The rectangle x y w h filled with a pattern, which is released.
void FillRect(cairo_t* cr, double x, double y, double w, double h, cairo_pattern_t* pattern);
// An ellipse filled with a radial gradient from its centre (stop 0) to its rim (stop 1).
void FadingEllipse(cairo_t* cr, double cx, double cy, double rx, double ry,
                   std::initializer_list<Stop> stops);

// Fills: a vertical gradient over a rectangle; a vignette darkening a w x h picture towards
// its corners (strength 0..1 at the corners, clear inside innerFraction of the height from the
// centre); a soft round glow of a colour fading out to radius r (lamps, muzzle flashes, eyes
// in the dark).
void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, const Color& top,
                      const Color& bottom);
void Vignette(cairo_t* cr, double w, double h, double strength, double innerFraction = 0.35);
void Glow(cairo_t* cr, double cx, double cy, double r, const Color& c);

// A raised panel (buttons, plates, boxes): rounded body, bevelled rim, optional inset face.
// Pressed panels are darker, their light comes from below and their face sits lower.
struct PanelStyle {
  Color Body = pal::Orange;
  double Radius = 10;
  double Bevel = 4;  // rim width
  bool Pressed = false;
  bool Rivets = false;  // four screws in the corners
};
void Panel(cairo_t* cr, double x, double y, double w, double h, const PanelStyle& s);

// Deterministic pseudo-random numbers for textures and scatter (same seed, same picture).
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double Unit() { return (Next() >> 8) / 16777216.0; }  // 0..1
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  int Int(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(n)) : 0; }

 private:
  uint32_t state_;
};

// Fine grain over a rectangle (paper, wood, plaster): dots lighter and darker than the base.
void Grain(cairo_t* cr, double x, double y, double w, double h, uint32_t seed, double amount = 0.08,
           double density = 0.25);
// Wood planks with grain lines, vertical or horizontal.
void WoodPlanks(cairo_t* cr, double x, double y, double w, double h, double plank, bool vertical,
                uint32_t seed, const Color& base = pal::Wood);

// Shoulders rising from the bottom edge (y `bottom`) at x0, over the neck (the cubic a, ending
// at a[4], a[5]) and down again (the cubic b, ending on the bottom edge at b[4]), in cloth lit
// `light` strong.
void Shoulders(cairo_t* cr, double x0, double bottom, const std::array<double, 6>& a,
               const std::array<double, 5>& b, const Color& cloth, double light = 0.3);

// The game's hand (the player's): a cartoon hand with a sleeve cuff, pointing with the index
// finger. bend 0 straight, 1 half bent (pressing), 2 fully pressed. The fingertip is at (tipX,
// tipY); the hand extends to the right and down from there.
void PointingHand(cairo_t* cr, double tipX, double tipY, double bend, double scale = 1);
// An open hand (palm towards the viewer), centred at (cx, cy).
void OpenHand(cairo_t* cr, double cx, double cy, double scale = 1, double spread = 1);
// A fist seen from the side, knuckles at the left, centred at (cx, cy).
void Fist(cairo_t* cr, double cx, double cy, double scale = 1);

}  // namespace art
