// The aquarium's pictures and sounds, split by topic:
//   aquarium_tank.cpp       the room and the tank (background), water surface, castle, stones,
//                           weed, bubble, buckets
//   aquarium_creatures.cpp  the small fish, the big fish and the crab
//   aquarium_anglers.cpp    the anglers' arms, rods, crank knob, hands and hooks
//   aquarium_content.cpp    the bubble sounds and the module that emits the entries
// Positions and sizes come from minigames/aquarium_layout.h, which the scene reads too.
#pragma once

#include <cairo.h>

#include <initializer_list>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "minigames/aquarium_layout.h"

namespace aquaart {

using art::Color;

// Strokes along polylines with round caps over an outline (fins' rays, legs, rods, sleeves).
using art::Limb;
using art::Polyline;
// Draws `draw` mirrored left to right inside a picture of width w.
template <typename F>
void Mirrored(cairo_t* cr, double w, F draw) {
  cairo_save(cr);
  cairo_translate(cr, w, 0);
  cairo_scale(cr, -1, 1);
  draw();
  cairo_restore(cr);
}

// The background and the tank's sprites.
void DrawRoom(cairo_t* cr);
void DrawWater(cairo_t* cr, int pattern);
void DrawCastle(cairo_t* cr, int pattern);
void DrawStone(cairo_t* cr, int pattern);
void DrawWeed(cairo_t* cr, int pattern);
void DrawBubble(cairo_t* cr, int pattern);
void DrawBucket(cairo_t* cr, int pattern);

// The creatures.
void DrawSmallFish(cairo_t* cr, int pattern);
void DrawBigFish(cairo_t* cr, int pattern);
void DrawCrab(cairo_t* cr, int pattern);

// The anglers.
void DrawArm(cairo_t* cr, int pattern);
void DrawRod(cairo_t* cr, int pattern);
void DrawKnob(cairo_t* cr, int pattern);
void DrawHand(cairo_t* cr, int pattern);
void DrawHook(cairo_t* cr, int pattern);

}  // namespace aquaart
