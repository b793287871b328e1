// The 36 card faces, the card back, the stock with the trump card under it, the trump-suit and
// rank signs, the discard pile and the fans of backs the opponents hold.
//
// A face is 119 x 141. Cards overlap on the table (the cover lies 60 lower, the next slot 80 to
// the right) and in the hand, so the rank and suit sit large in the top-left corner, where they
// stay visible; the bottom-right corner repeats them upside down.
#include <cairo.h>

#include <cmath>
#include <string>

#include "cards/card_layout.h"
#include "content/cards/cards_art.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"

namespace cardart {
namespace {

namespace pal = art::pal;
using vepa::cards::CardH;
using vepa::cards::CardW;

// The suit signs centred at (cx, cy), s high.
void HeartPath(cairo_t* cr, double cx, double cy, double s) {
  // The left lobe, from the point at the bottom up to the dip at the top.
  art::MirroredOutline(
      cr, cx, cy, s * 0.55, s,
      {0, 0.5, -0.9, 0.05, -1.05, -0.3, -0.55, -0.45, -0.2, -0.55, 0, -0.35, 0, -0.2});
}

void DiamondPath(cairo_t* cr, double cx, double cy, double s) {
  art::MirroredOutline(cr, cx, cy, s * 0.4, s,
                       {0, -0.5, 0.4, -0.2, 0.7, -0.05, 1, 0, 0.7, 0.05, 0.4, 0.2, 0, 0.5});
}

void SpadePath(cairo_t* cr, double cx, double cy, double s) {
  // The right side: the blade from its tip, in under it to the stem and out to the foot.
  art::MirroredOutline(cr, cx, cy, s * 0.55, s,
                       {0,    -0.5, 0.5,  -0.15, 1.05, 0.05, 0.6,  0.28, 0.3, 0.4,
                        0.05, 0.3,  0.04, 0.2,   0.1,  0.38, 0.25, 0.48, 0.4, 0.5});
}

void ClubPath(cairo_t* cr, double cx, double cy, double s) {
  const double r = s * 0.22;
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy - s * 0.26, r, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx - s * 0.24, cy + s * 0.06, r, 0, 2 * M_PI);
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx + s * 0.24, cy + s * 0.06, r, 0, 2 * M_PI);
  art::MirroredOutline(cr, cx, cy, s, s, {-0.06, 0, -0.06, 0.3, -0.15, 0.45, -0.25, 0.5});
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void Rounded(cairo_t* cr, double x, double y, double w, double h, double r) {
  art::RoundedRect(cr, x, y, w, h, r);
}

// A small crown, hat or scarf on the picture cards' figures.
void Figure(cairo_t* cr, int suit, int rank, double cx, double cy) {
  const Color c = SuitColor(suit);
  const Color robe = suit % 2 == 0 ? c : (suit < 2 ? art::Hex(0x2F5FA8) : art::Hex(0x2E7D4A));
  // The robe and shoulders.
  cairo_move_to(cr, cx - 30, cy + 44);
  cairo_curve_to(cr, cx - 30, cy + 14, cx - 18, cy + 6, cx, cy + 6);
  cairo_curve_to(cr, cx + 18, cy + 6, cx + 30, cy + 14, cx + 30, cy + 44);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{robe, pal::Outline, 1.6, 0.3});
  // A collar in gold and a trim down the front.
  art::Polyline(cr, {cx - 12, cy + 8, cx, cy + 22, cx + 12, cy + 8}, false);
  art::Stroke(cr, pal::Gold, 3);
  cairo_move_to(cr, cx, cy + 22);
  cairo_line_to(cr, cx, cy + 44);
  art::Stroke(cr, pal::Gold, 2.5);
  // The head.
  art::Ellipse(cr, cx, cy - 8, 13, 15);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, 1.6, 0.2});
  for (double dx : {-5.0, 5.0}) {
    art::Circle(cr, cx + dx, cy - 10, 1.6);
    art::Fill(cr, pal::Outline);
  }
  art::Ellipse(cr, cx - 8, cy - 3, 3, 2);
  art::Fill(cr, pal::Tomato.WithAlpha(0.4));
  art::Ellipse(cr, cx + 8, cy - 3, 3, 2);
  art::Fill(cr, pal::Tomato.WithAlpha(0.4));
  cairo_move_to(cr, cx - 4, cy - 1);
  cairo_curve_to(cr, cx - 2, cy + 2, cx + 2, cy + 2, cx + 4, cy - 1);
  art::Stroke(cr, pal::Outline, 1.3);
  if (rank == 5) {  // the jack: a cap with a feather
    cairo_move_to(cr, cx - 15, cy - 16);
    cairo_curve_to(cr, cx - 12, cy - 30, cx + 12, cy - 30, cx + 15, cy - 16);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{robe.Darker(0.2), pal::Outline, 1.5, 0.3});
    cairo_move_to(cr, cx + 6, cy - 26);
    cairo_curve_to(cr, cx + 16, cy - 40, cx + 26, cy - 36, cx + 28, cy - 30);
    art::Stroke(cr, pal::Yellow, 3);
  } else if (rank == 6) {  // the queen: hair in a bun and a small crown
    art::Ellipse(cr, cx, cy - 20, 14, 8);
    art::Paint(cr, art::Style{art::Hex(0xC88A3A), pal::Outline, 1.4, 0.2});
    art::Polyline(cr,
                  {cx - 9, cy - 24, cx - 9, cy - 34, cx - 4, cy - 28, cx, cy - 36, cx + 4, cy - 28,
                   cx + 9, cy - 34, cx + 9, cy - 24},
                  true);
    art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.3, 0.3, 0.4});
  } else {  // the king: a big crown and a beard
    cairo_move_to(cr, cx - 12, cy + 2);
    cairo_curve_to(cr, cx - 10, cy + 16, cx + 10, cy + 16, cx + 12, cy + 2);
    cairo_curve_to(cr, cx + 4, cy + 6, cx - 4, cy + 6, cx - 12, cy + 2);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{art::Hex(0xE8E0D0), pal::Outline, 1.3, 0.2});
    art::Polyline(cr,
                  {cx - 13, cy - 18, cx - 15, cy - 36, cx - 7, cy - 26, cx, cy - 40, cx + 7,
                   cy - 26, cx + 15, cy - 36, cx + 13, cy - 18},
                  true);
    art::Paint(cr, art::Style{pal::Gold, pal::Outline, 1.4, 0.3, 0.5});
    art::Circle(cr, cx, cy - 27, 2.2);
    art::Fill(cr, pal::Red);
  }
  // The suit on the robe's chest.
  Suit(cr, suit, cx + 15, cy + 31, 11);
}

// The centre of the card: pips for six to ten, a figure for the picture cards, one large
// suit for the ace.
void FaceMiddle(cairo_t* cr, int suit, int rank) {
  // The pips keep between the two corner signs (x 4..28 and 91..115).
  const double cx = CardW / 2.0 + 0.5, top = 30, bottom = 114;
  if (rank <= 4) {
    const int count = rank + 6;
    // Two outer columns of three or four pips; the rest in the middle column.
    const int side = count >= 9 ? 4 : 3;
    const double lx = cx - 20, rx = cx + 20;
    for (int i = 0; i < side; ++i) {
      const double y = top + (bottom - top) * i / (side - 1);
      Suit(cr, suit, lx, y, 19);
      Suit(cr, suit, rx, y, 19);
    }
    const int middle = count - 2 * side;
    if (middle == 1) Suit(cr, suit, cx, count == 7 ? top + 22 : (top + bottom) / 2, 19);
    if (middle == 2) {
      Suit(cr, suit, cx, top + (bottom - top) * (side == 4 ? 1.0 / 6 : 0.25), 19);
      Suit(cr, suit, cx, top + (bottom - top) * (side == 4 ? 5.0 / 6 : 0.75), 19);
    }
  } else if (rank < 8) {
    Rounded(cr, 29, 22, 61, 97, 5);
    art::Fill(cr, SuitColor(suit).WithAlpha(0.08));
    Rounded(cr, 29, 22, 61, 97, 5);
    art::Stroke(cr, SuitColor(suit).WithAlpha(0.6), 1.2);
    Figure(cr, suit, rank, 59.5, 66);
  } else {
    Suit(cr, suit, cx, (top + bottom) / 2, 56);
    art::Shine(cr, cx - 8, (top + bottom) / 2 - 12, 6, 4, 0.5);
  }
}

void Corner(cairo_t* cr, int suit, int rank) {
  const art::TextStyle t{rank == 4 ? art::Font::CondensedBold : art::Font::SansBold,
                         24,
                         SuitColor(suit),
                         pal::Outline,
                         0,
                         art::Align::Center};
  art::Text(cr, RankText(rank), 16, 27, t);
  Suit(cr, suit, 16, 42, 17);
}

void CardFace(cairo_t* cr, int suit, int rank) {
  Rounded(cr, 1.5, 1.5, CardW - 3, CardH - 3, 9);
  art::Paint(cr, art::Style{kPaper, pal::Outline, 2, 0.08});
  FaceMiddle(cr, suit, rank);
  Corner(cr, suit, rank);
  cairo_save(cr);
  cairo_translate(cr, CardW, CardH);
  cairo_rotate(cr, M_PI);
  Corner(cr, suit, rank);
  cairo_restore(cr);
}

// Pattern p of a face picture: suits `firstSuit` and +1, `perSuit` ranks from `firstRank`.
content::PatternFn Faces(int firstSuit, int firstRank, int perSuit) {
  return
      [=](cairo_t* cr, int p) { CardFace(cr, firstSuit + p / perSuit, firstRank + p % perSuit); };
}

// The stock: a pile of backs on the trump card, which lies across under it, face up; the
// game draws the trump's suit and rank on the card's visible end.
void Stock(cairo_t* cr, int p) {
  const int cards = 6 - p;
  Rounded(cr, 30, 28, 48, 40, 4);
  art::Paint(cr, art::Style{kPaper, pal::Outline, 1.6, 0.1});
  // Each card higher up the pile sits a little up and to the right; the pile keeps clear of
  // the trump card's signs.
  for (int i = 0; i < cards; ++i) CardBack(cr, 1 + i * 0.5, 26 - i * 1.8, 31, 42);
}

void TrumpSign(cairo_t* cr, int suit) {
  art::Circle(cr, 14, 14, 12.5);
  art::Paint(cr, art::Style{pal::Yellow.Lighter(0.5), pal::Gold.Darker(0.3), 1.4, 0.1});
  Suit(cr, suit, 14, 14.5, 16);
}

void RankSign(cairo_t* cr, int p) {
  const int rank = p % 9;
  const art::TextStyle t{rank == 4 ? art::Font::CondensedBold : art::Font::SansBold,
                         rank == 4 ? 13.0 : 15.0,
                         p >= 9 ? kRed : kBlack,
                         pal::Outline,
                         0,
                         art::Align::Center,
                         rank == 4 ? 0.8 : 1};
  art::Text(cr, RankText(rank), 7, 15, t);
}

// The beaten-off cards: a loose heap of backs, one more for each pattern.
void Discard(cairo_t* cr, int p) {
  static const double kTurn[] = {-0.25, 0.18, -0.05, 0.32, -0.4};
  static const double kShift[][2] = {{0, 0}, {4, -3}, {-3, 2}, {2, 4}, {-2, -4}};
  for (int i = 0; i <= p; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 35 + kShift[i][0], 46 + kShift[i][1]);
    cairo_rotate(cr, kTurn[i]);
    CardBack(cr, -22, -30, 44, 60);
    cairo_restore(cr);
  }
}

// A fan of one to six backs held up, spread around the bottom centre.
void Fan(cairo_t* cr, int p) {
  const int n = p + 1;
  for (int i = 0; i < n; ++i) {
    const double a = n == 1 ? 0 : (i - (n - 1) / 2.0) * 0.22;
    cairo_save(cr);
    cairo_translate(cr, vepa::cards::FanW / 2.0, vepa::cards::FanH - 4);
    cairo_rotate(cr, a);
    CardBack(cr, -12, -40, 24, 34);
    cairo_restore(cr);
  }
}

}  // namespace

Color SuitColor(int suit) { return suit < 2 ? kRed : kBlack; }

const char* RankText(int rank) {
  static const char* kRanks[] = {"6", "7", "8", "9", "10", "В", "Д", "К", "Т"};
  return kRanks[rank < 0 || rank > 8 ? 0 : rank];
}

void Suit(cairo_t* cr, int suit, double cx, double cy, double size) {
  switch (suit) {
    case 0:
      HeartPath(cr, cx, cy, size);
      break;
    case 1:
      DiamondPath(cr, cx, cy, size);
      break;
    case 2:
      ClubPath(cr, cx, cy, size);
      break;
    default:
      SpadePath(cr, cx, cy, size);
      break;
  }
  const Color c = SuitColor(suit);
  art::Paint(cr, art::Style{c, c.Darker(0.45), size > 30 ? 1.6 : 0.8, 0.25});
}

void CardBack(cairo_t* cr, double x, double y, double w, double h) {
  const double r = std::max(2.0, w * 0.07);
  Rounded(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  art::Paint(cr, art::Style{kPaper, pal::Outline, w > 60 ? 2 : 1.2, 0});
  const double m = std::max(2.0, w * 0.07);
  cairo_save(cr);
  Rounded(cr, x + m, y + m, w - 2 * m, h - 2 * m, r * 0.6);
  cairo_clip_preserve(cr);
  art::Fill(cr, kBackRed);
  // A lattice of thin gold lines.
  const double step = std::max(4.0, w / 9);
  for (double d = -h; d < w + h; d += step) {
    cairo_move_to(cr, x + d, y);
    cairo_line_to(cr, x + d + h, y + h);
    cairo_move_to(cr, x + d, y + h);
    cairo_line_to(cr, x + d + h, y);
  }
  art::Stroke(cr, pal::Gold.WithAlpha(0.55), std::max(0.6, w / 80));
  art::Ellipse(cr, x + w / 2, y + h / 2, w * 0.22, h * 0.16);
  art::Paint(cr, art::Style{pal::Cream, pal::Gold.Darker(0.2), std::max(0.6, w / 90), 0.1});
  cairo_restore(cr);
}

std::vector<content::ImageSpec> CardImages() {
  using vepa::cards::DiscardH;
  using vepa::cards::DiscardW;
  using vepa::cards::FanH;
  using vepa::cards::FanW;
  using vepa::cards::StockH;
  using vepa::cards::StockW;
  return {
      {"Kard01", CardW, CardH, 10, Faces(0, 0, 5), 5},
      {"Kard02", CardW, CardH, 10, Faces(2, 0, 5), 5},
      {"Kard03", CardW, CardH, 8, Faces(0, 5, 4), 4},
      {"Kard04", CardW, CardH, 8, Faces(2, 5, 4), 4},
      {"Kard05", CardW, CardH, 1, [](cairo_t* cr, int) { CardBack(cr, 0, 0, CardW, CardH); }},
      {"Kards01", StockW, StockH, 6, Stock},
      {"Kards02", vepa::cards::TrumpSignW, vepa::cards::TrumpSignH, 4, TrumpSign},
      {"Kards03", vepa::cards::RankSignW, vepa::cards::RankSignH, 18, RankSign, 9},
      {"Kards04", FanW, FanH, 6, Fan},
      {"Kards05", DiscardW, DiscardH, 5, Discard},
  };
}

}  // namespace cardart
