// The kiosk's pictures: layout shared by the background, the sprites and the hit map, and the
// small drawing helpers they use. The kiosk fills the screen: a wide wooden booth with a big
// window in the middle through which the cashier is seen, a counter along its front and
// painted side walls with the dartboard, the hammer and the poster.
#pragma once

#include <cairo.h>

#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"

namespace hubart {

using art::Color;

// --- Layout on the screen (pixels).
// The booth and its window.
inline constexpr double kBoothLeft = 28, kBoothRight = 622;
inline constexpr double kRoofBottom = 50;  // under the side roofs
inline constexpr double kWindowLeft = 146, kWindowRight = 502;
inline constexpr double kWindowTop = 52;
inline constexpr double kCounterTop = 368;    // back edge of the counter's top
inline constexpr double kCounterFront = 404;  // front edge of the top
inline constexpr double kCounterLip = 414;    // bottom of the front edge; the base below
// Things drawn in the background that carry item codes.
inline constexpr double kJarX = 146, kJarY = 362, kJarW = 34, kJarH = 40;  // tip jar (22)
inline constexpr double kInkX = 372, kInkY = 370, kInkW = 34, kInkH = 32;  // inkpot (41)
inline constexpr double kRpsX = 438, kRpsY = 420, kRpsW = 72, kRpsH = 48;  // sticker (43)
inline constexpr double kDoorHandleX = 236, kDoorHandleY = 282;            // door handle (8)

// --- Helpers.
// How strongly the kiosk's limbs and rods catch the light (art::LitLimb).
inline constexpr double kLimbLight = 0.55;
using art::Polyline;
// Text in capitals on a sign.
void SignText(cairo_t* cr, const char* utf8, double cx, double cy, double size, const Color& fill,
              double squeeze = 1, const Color& line = art::pal::Outline, double lineWidth = 0);

// --- The pictures.
void DrawBackground(cairo_t* cr);
std::vector<content::ImageSpec> CashierImages();
std::vector<content::ImageSpec> KioskImages();
std::vector<content::HitShape> KioskHitMap();
std::vector<content::WaveSpec> KioskWaves();

}  // namespace hubart
