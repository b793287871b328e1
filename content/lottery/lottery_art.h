// Small drawing helpers shared by the ticket and the draw pictures.
#pragma once

#include <cairo.h>

#include <initializer_list>

#include "content/lib/draw.h"
#include "content/lib/palette.h"

namespace lotteryart {

using art::Color;

// A limb or rod along a polyline: a round-capped stroke of half width r over an outline.
void Limb(cairo_t* cr, std::initializer_list<double> xy, double r, const Color& fill,
          double outline = art::kOutline);
// A path through the points (moves to the first, lines to the rest).
void Polyline(cairo_t* cr, std::initializer_list<double> xy, bool close);
// A soft light streak along a polyline.
void Streak(cairo_t* cr, std::initializer_list<double> xy, double width, double alpha);

}  // namespace lotteryart
