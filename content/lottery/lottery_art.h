// Small drawing helpers shared by the ticket and the draw pictures.
#pragma once

#include <cairo.h>

#include <initializer_list>

#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"

namespace lotteryart {

using art::Color;

// Limbs and rods along polylines, and the paths through points.
using art::Limb;
using art::Polyline;
// A soft light streak along a polyline.
void Streak(cairo_t* cr, std::initializer_list<double> xy, double width, double alpha);

}  // namespace lotteryart
