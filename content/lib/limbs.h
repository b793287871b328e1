// Fingers and limbs for the hands the mini-games draw up close (rock-paper-scissors, the
// hammer): outlined round-ended segments and fingers with a nail.
#pragma once

#include <cairo.h>

#include "palette.h"

namespace art {

// A round-ended segment from (x1, y1) to (x2, y2) of radius r: the outline, then the fill.
void Limb(cairo_t* cr, double x1, double y1, double x2, double y2, double r, const Color& c,
          double outline = kOutline);
// A finger from its base (x, y) to its tip (tx, ty), radius r, with a light nail at the tip.
void FingerTo(cairo_t* cr, double x, double y, double tx, double ty, double r,
              const Color& skin = pal::Skin);

}  // namespace art
