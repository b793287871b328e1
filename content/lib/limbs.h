// Limbs, rods and fingers: outlined round-ended strokes, between two points or along a polyline
// (arms, legs, sleeves, fins' rays, rods), and fingers with a nail for the hands the mini-games
// draw up close (rock-paper-scissors, the hammer).
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <vector>

#include "palette.h"

namespace art {

// A round-ended segment from (x1, y1) to (x2, y2) of radius r: the outline, then the fill.
void Limb(cairo_t* cr, double x1, double y1, double x2, double y2, double r, const Color& c,
          double outline = kOutline);
// A finger from its base (x, y) to its tip (tx, ty), radius r, with a light nail at the tip.
void FingerTo(cairo_t* cr, double x, double y, double tx, double ty, double r,
              const Color& skin = pal::Skin);

// A path through the points x0 y0 x1 y1 ... (moves to the first, lines to the rest), closed
// if asked; it starts a new path.
void Polyline(cairo_t* cr, std::initializer_list<double> xy, bool close);
void Polyline(cairo_t* cr, const std::vector<double>& xy, bool close);
// A limb along a polyline: a round-capped, round-jointed stroke of half width r over an
// outline `outline` wider on each side (0: no outline).
void Limb(cairo_t* cr, std::initializer_list<double> xy, double r, const Color& fill,
          double outline = kOutline);
// The same with a light streak along its upper-left side (a rounded arm or leg in the light),
// the streak's opacity `light`.
void LitLimb(cairo_t* cr, const std::vector<double>& xy, double r, const Color& fill,
             double light = 0.5, double outline = kOutline);

}  // namespace art
