// Daz's pictures that both Daz scenes share: Gorm (big, bald, with a moustache, in a green
// sweater) and Puch (thin, in a flat cap, a spitter), the orange plastic of the pocket game and
// its buttons. Figures are drawn in screen coordinates; an image shifts the canvas by its own
// corner first, so the parts meet wherever the scenes draw them.
#pragma once

#include <cairo.h>

#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"

namespace dazart {

using art::Color;

// Daz is the teal battery toy of the kiosk, with a screen for a face; his game fills the screen.
inline constexpr Color kPlastic = art::pal::Teal;  // Daz's casing
inline constexpr Color kPlasticDark = art::Hex(0x1C6460);
inline constexpr Color kDazScreen = art::Hex(0xB8E0A0);
inline constexpr Color kScreen = art::Hex(0x2F4A3A);  // the captions' little screens
inline constexpr Color kSweater = art::Hex(0x4F8A4A);
inline constexpr Color kTrousers = art::Hex(0x3E4E78);
inline constexpr Color kMoustache = art::Hex(0x5A3218);
inline constexpr Color kJacket = art::Hex(0x8C7A5E);
inline constexpr Color kCap = art::Hex(0x55606E);
inline constexpr Color kPuchSkin = art::Hex(0xEDC09A);
inline constexpr Color kSpit = art::Hex(0xB8E890);

// Moves the canvas so that screen point (x, y) lands on the image's top-left corner.
void AtScreen(cairo_t* cr, double x, double y);

// Gorm's head, round and bald, centred at (cx, cy) with radius r. mouth -1 draws none (the
// scene lays its own mouth over it), 0 shut, 1 half open, 2 wide open. spat: his eyes squeezed
// and a splash of spit on his cheek.
void GormHead(cairo_t* cr, double cx, double cy, double r, int mouth, bool spat = false);
// Gorm's mouth under the moustache, centred at (cx, cy), w wide.
void GormMouth(cairo_t* cr, double cx, double cy, double w, int shape);
// Puch's long head with its cap, centred at (cx, cy), ry tall. face: 0 plain, 1 lips pursed
// (just spat), 2 laughing, 3 cheeks puffed (gathering spit). facing: 1 looks right, 0 ahead.
void PuchHead(cairo_t* cr, double cx, double cy, double ry, int face, double facing);
// Puch's open mouth (0 half, 1 wide), centred at (cx, cy).
void PuchMouth(cairo_t* cr, double cx, double cy, double w, int shape);

// The panel pictures both scenes draw: "Text01" captions, "Button01" bezels, "Button02" arrow
// buttons and "Strelk01" arrow signs.
std::vector<content::ImageSpec> PanelImages();
// Codes 1-5 of the shared hit map.
std::vector<content::HitShape> PanelHitMap();

}  // namespace dazart
