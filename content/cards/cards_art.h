// The card game's pictures: the card faces and backs, the stock and discard pile, the
// opponents' half-figures and the selection screen. Shared between the content files of the
// card game.
#pragma once

#include <cairo.h>

#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/palette.h"

namespace cardart {

using art::Color;

// Card colours: the red and the black suits, the paper of the faces.
inline constexpr Color kRed = art::Hex(0xC8262A);
inline constexpr Color kBlack = art::Hex(0x241A18);
inline constexpr Color kPaper = art::Hex(0xFFFAEE);
inline constexpr Color kBackRed = art::Hex(0xA8262E);

// A suit symbol (0 hearts, 1 diamonds, 2 clubs, 3 spades) of height `size`, centred at (cx, cy),
// filled in its colour.
void Suit(cairo_t* cr, int suit, double cx, double cy, double size);
Color SuitColor(int suit);
// The rank's sign on the cards: 6 7 8 9 10 В Д К Т.
const char* RankText(int rank);

// A card back of w x h at (x, y).
void CardBack(cairo_t* cr, double x, double y, double w, double h);

// An opponent's half-figure (0 grandmother, 1 grandfather, 2 host) at rest, with the anchor
// of the portrait at (0, 0); about 130 x 200.
void OpponentBust(cairo_t* cr, int r);

std::vector<content::ImageSpec> CardImages();
std::vector<content::ImageSpec> FigureImages();
std::vector<content::ImageSpec> SelectionImages();
std::vector<content::HitShape> SelectionHitMap();
void DrawCardTable(cairo_t* cr);

}  // namespace cardart
