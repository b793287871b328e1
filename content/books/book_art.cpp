// The books' pictures: the board with the open book, the sheets and covers, the arrow buttons,
// the clip, the gramophone with its turning record and lifting arm, the volume slider, the
// selectors, the loudspeaker and the question mark.
//
// FontP writes white letters with a dark outline, so the sheets are of brown wrapping paper,
// mid-toned, where both the letters and the drawings read well.
#include "book_art.h"

#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "screens/book_layout.h"

namespace books {

namespace {

using art::Color;
namespace pal = art::pal;
using namespace vepa::book;

constexpr Color kPaper = art::Hex(0xB98E5E);  // wrapping paper
constexpr Color kCover = art::Hex(0x6E2A22);  // the book's leather

// --- The board: a wooden table, the open leather book with a stack of sheets, a pencil, a
// coffee ring, and the magnifying glass the player can pick up in the journal.
void MagnifyingGlass(cairo_t* cr) {
  const double cx = 92, cy = 292, r = 34;
  art::GroundShadow(cr, cx + 14, cy + 48, 52, 14, 0.25);
  // Handle towards the lower right.
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, 0.95);
  art::RoundedRect(cr, r - 2, -7, 58, 14, 6);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, art::kOutline, 0.3, 0.4});
  art::RoundedRect(cr, r - 6, -9, 10, 18, 3);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.6, 0.3, 0.5});
  cairo_restore(cr);
  // Rim and lens.
  art::Circle(cr, cx, cy, r);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, art::kOutline, 0.3, 0.3});
  art::Circle(cr, cx, cy, r - 6);
  art::Fill(cr, pal::Sky.Lighter(0.3).WithAlpha(0.55));
  art::Circle(cr, cx, cy, r - 6);
  art::Stroke(cr, pal::Outline, 1.6);
  art::Shine(cr, cx - 11, cy - 12, 10, 6, 0.7);
}

void Pencil(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, 520, 130);
  cairo_rotate(cr, 0.5);
  art::GroundShadow(cr, 60, 12, 70, 6, 0.22);
  cairo_rectangle(cr, 0, -7, 110, 14);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 2, 0.3, 0.3});
  art::Polyline(cr, {110, -7, 132, 0, 110, 7}, true);
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, 2, 0.2});
  art::Polyline(cr, {126, -2, 132, 0, 126, 2}, true);
  art::Fill(cr, pal::Outline);
  cairo_rectangle(cr, -14, -7, 14, 14);
  art::Paint(cr, art::Style{pal::Pink, pal::Outline, 2, 0.3});
  cairo_restore(cr);
}

}  // namespace

void DrawBoard(cairo_t* cr) {
  art::WoodPlanks(cr, 0, 0, 640, 480, 60, false, 83, pal::Wood.Darker(0.1));
  // A coffee ring from a careless cup.
  art::Circle(cr, 548, 380, 34);
  art::Stroke(cr, pal::WoodDark.WithAlpha(0.35), 5);
  art::Circle(cr, 552, 384, 30);
  art::Stroke(cr, pal::WoodDark.WithAlpha(0.2), 2);
  // The book: leather covers, a stitched rim and a spine shadow down the left.
  const double bx = 178, by = 52, bw = 272, bh = 352;
  art::GroundShadow(cr, bx + bw / 2 + 10, by + bh + 6, bw / 2 + 14, 14, 0.35);
  art::RoundedRect(cr, bx, by, bw, bh, 14);
  art::Paint(cr, art::Style{kCover, pal::Outline, art::kOutline, 0.3, 0.15});
  art::RoundedRect(cr, bx + 8, by + 8, bw - 16, bh - 16, 9);
  cairo_set_dash(cr, (const double[]){5, 4}, 2, 0);
  art::Stroke(cr, pal::Gold.WithAlpha(0.7), 1.5);
  cairo_set_dash(cr, nullptr, 0, 0);
  art::Grain(cr, bx + 4, by + 4, bw - 8, bh - 8, 5, 0.06, 0.2);
  // The sheets underneath the top one peek out at the right and the bottom.
  for (int i = 3; i >= 1; --i) {
    art::RoundedRect(cr, SheetDX + 2.0 * i, SheetDY + 1.5 * i, SheetW, SheetH, 4);
    art::Paint(cr, art::Style{kPaper.Darker(0.06 * i), pal::Outline, 1.2, 0.1});
  }
  // A plate under the arrows.
  art::RoundedRect(cr, LeftArrowX - 8, ArrowY - 4, RightArrowX + ArrowW - LeftArrowX + 16,
                   ArrowH + 10, 8);
  art::Fill(cr, kCover.Darker(0.35));
  Pencil(cr);
  MagnifyingGlass(cr);
  art::Vignette(cr, 640, 480, 0.5);
}

namespace {

// --- Sheets and covers.

// The sheets are drawn every frame, two while a page flies, so their edges are left hard: a
// sheet without half-transparent pixels needs no alpha mask and is drawn as a plain keyed copy.
void HardEdgedSheet(cairo_t* cr, double radius, const art::Style& style) {
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  art::RoundedRect(cr, 1, 1, SheetW - 2, SheetH - 2, radius);
  art::Paint(cr, style);
  cairo_restore(cr);
}

void Sheet(cairo_t* cr, int) {
  HardEdgedSheet(cr, 4, art::Style{kPaper, pal::Outline, 2, 0.18});
  art::Grain(cr, 3, 3, SheetW - 6, SheetH - 6, 21, 0.07, 0.3);
  // Ruled lines and a red margin, as in a school exercise book.
  for (double y = 40; y < SheetH - 12; y += 18) {
    cairo_move_to(cr, 10, y + 0.5);
    cairo_line_to(cr, SheetW - 10, y + 0.5);
    art::Stroke(cr, pal::Navy.WithAlpha(0.16), 1);
  }
  cairo_move_to(cr, 26.5, 8);
  cairo_line_to(cr, 26.5, SheetH - 8);
  art::Stroke(cr, pal::Red.WithAlpha(0.3), 1.2);
  // A dog-ear at the lower right corner.
  art::Polyline(cr, {SheetW - 2, SheetH - 24, SheetW - 24, SheetH - 2, SheetW - 20, SheetH - 20},
                true);
  art::Paint(cr, art::Style{kPaper.Lighter(0.15), pal::Outline, 1.2, 0.2});
}

// A cover of card with a label plate for the title and a few doodles.
void Cover(cairo_t* cr, const Color& card, bool settings) {
  HardEdgedSheet(cr, 6, art::Style{card, pal::Outline, 2, 0.3, 0.1});
  art::Grain(cr, 4, 4, SheetW - 8, SheetH - 8, settings ? 41 : 43, 0.07, 0.25);
  // The label plate behind the title (the game writes it at 170..230 from the sheet's top).
  art::RoundedRect(cr, 14, 78, SheetW - 28, 78, 10);
  art::Paint(cr, art::Style{card.Darker(0.35), pal::Outline, 1.8, 0.2});
  art::RoundedRect(cr, 20, 84, SheetW - 40, 66, 7);
  art::Stroke(cr, pal::Gold.WithAlpha(0.8), 1.4);
  // Corners.
  for (int i = 0; i < 4; ++i) {
    const double x = i % 2 ? SheetW - 26 : 6, y = i / 2 ? SheetH - 26 : 6;
    cairo_move_to(cr, x + (i % 2 ? 20 : 0), y + (i / 2 ? 0 : 20));
    cairo_line_to(cr, x + (i % 2 ? 20 : 0), y + (i / 2 ? 20 : 0));
    cairo_line_to(cr, x + (i % 2 ? 0 : 20), y + (i / 2 ? 20 : 0));
    art::Stroke(cr, pal::Gold, 3);
  }
  if (settings) {
    // Two cog wheels: the book of settings.
    const double cx[2] = {60, 164}, cy[2] = {36, 190}, r[2] = {16, 22};
    for (int k = 0; k < 2; ++k) {
      art::Star(cr, cx[k], cy[k], r[k] + 5, r[k] - 1, 10, 0.1);
      art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.8, 0.3, 0.3});
      art::Circle(cr, cx[k], cy[k], r[k] * 0.35);
      art::Paint(cr, art::Style{card.Darker(0.3), pal::Outline, 1.4, 0.1});
    }
  } else {
    // A kiosk with a little flag: the journal of the kiosk.
    cairo_rectangle(cr, 150, 178, 50, 38);
    art::Paint(cr, art::Style{pal::Teal, pal::Outline, 1.8, 0.25});
    cairo_rectangle(cr, 158, 186, 34, 16);
    art::Paint(cr, art::Style{pal::Sky, pal::Outline, 1.4, 0.2, 0.5});
    art::Polyline(cr, {144, 180, 175, 162, 206, 180}, true);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.8, 0.25});
    cairo_move_to(cr, 175, 162);
    cairo_line_to(cr, 175, 146);
    art::Stroke(cr, pal::Outline, 1.6);
    art::Polyline(cr, {175, 146, 190, 150, 175, 154}, true);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.2, 0.2});
    // A star sticker.
    art::Star(cr, 50, 40, 16, 7, 5, -0.1);
    art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.6, 0.3, 0.5});
  }
}

// --- Book hardware.

void Clip(cairo_t* cr, int) {
  // A steel binder clip; its lower jaw is under the sheets.
  art::RoundedRect(cr, 4, 6, ClipW - 8, ClipH - 8, 8);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, art::kOutline, 0.35, 0.5});
  art::RoundedRect(cr, 14, 10, ClipW - 28, 6, 3);
  art::Fill(cr, pal::White.WithAlpha(0.35));
  for (double x : {30.0, ClipW - 30.0}) {
    art::Circle(cr, x, 6, 5);
    art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 1.6, 0.3});
  }
}

void Arrow(cairo_t* cr, int pattern) {
  art::PanelStyle s{.Body = pal::Green, .Radius = 9, .Bevel = 4};
  art::Panel(cr, 0, 0, ArrowW, ArrowH, s);
  const double cx = ArrowW / 2.0 - 1, cy = ArrowH / 2.0 - 1.5, d = pattern == 0 ? -1 : 1;
  cairo_move_to(cr, cx + d * 11, cy);
  cairo_line_to(cr, cx - d * 3, cy - 10);
  cairo_line_to(cr, cx - d * 3, cy - 4);
  cairo_line_to(cr, cx - d * 11, cy - 4);
  cairo_line_to(cr, cx - d * 11, cy + 4);
  cairo_line_to(cr, cx - d * 3, cy + 4);
  cairo_line_to(cr, cx - d * 3, cy + 10);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.8, 0.15});
}

// --- The gramophone, 9 patterns: 0..3 the record turning under the needle, 4..8 the arm
// lifting off the record (the lowering plays them backwards).
void Gramophone(cairo_t* cr, int pattern) {
  const double W = GramophoneW;
  // The horn, behind everything, opening to the upper left.
  cairo_move_to(cr, 86, 66);
  cairo_curve_to(cr, 70, 50, 40, 40, 6, 8);
  cairo_curve_to(cr, 2, 30, 8, 56, 20, 64);
  cairo_curve_to(cr, 44, 62, 66, 70, 82, 76);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, art::kOutline, 0.35, 0.5});
  art::Ellipse(cr, 13, 36, 7, 27);
  art::Paint(cr, art::Style{pal::Brass.Shade(0.45), pal::Outline, 1.8, 0.1});
  art::Limb(cr, 84, 70, 96, 92, 1.5, pal::Brass, 1.5);
  // The box.
  art::Polyline(cr, {14, 98, W - 6, 98, W - 12, 124, 20, 124}, true);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, art::kOutline, 0.3, 0.2});
  cairo_move_to(cr, 14, 98);
  cairo_line_to(cr, W - 6, 98);
  art::Stroke(cr, pal::WoodLight, 1.5);
  // The crank.
  art::Polyline(cr, {W - 10, 110, W - 2, 112, W - 2, 126}, false);
  art::Stroke(cr, pal::Outline, 3);
  // The record on the box top (seen flat), with a label whose mark turns.
  const double rx = 68, ry = 94;
  art::Ellipse(cr, rx, ry, 44, 9);
  art::Paint(cr, art::Style{pal::Outline.Lighter(0.12), pal::Outline, 1.8, 0.2, 0.4});
  art::Ellipse(cr, rx, ry, 30, 6);
  art::Stroke(cr, pal::Steel.WithAlpha(0.3), 1);
  art::Ellipse(cr, rx, ry, 12, 3);
  art::Fill(cr, pal::Red);
  const int turn = pattern <= 3 ? pattern : 0;
  const double a = turn * M_PI / 2;
  art::Ellipse(cr, rx + 9 * std::cos(a), ry + 2.2 * std::sin(a), 2.5, 1.2);
  art::Fill(cr, pal::White);
  // The tone arm from its pivot at the right; it rises with the patterns 4..8.
  const double lift = pattern >= 4 ? (pattern - 4) / 4.0 : 0;
  const double px = 114, py = 88;
  const double angle = -0.25 - lift * 0.75;  // pointing left, lifting anticlockwise
  const double len = 46;
  const double hx = px - len * std::cos(angle), hy = py + len * std::sin(angle);
  art::Circle(cr, px, py, 6);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.8, 0.3, 0.5});
  cairo_move_to(cr, px, py);
  cairo_line_to(cr, hx, hy);
  art::Stroke(cr, pal::Outline, 5.5);
  cairo_move_to(cr, px, py);
  cairo_line_to(cr, hx, hy);
  art::Stroke(cr, pal::Steel.Lighter(0.2), 2.5);
  art::RoundedRect(cr, hx - 6, hy - 3, 10, 9, 2);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 1.4, 0.3});
  // Music notes flying out of the horn while it plays.
  if (pattern <= 3) {
    const double nx[2] = {26 + pattern * 3.0, 44 - pattern * 2.0};
    const double ny[2] = {20 - pattern * 3.0, 8 + pattern * 2.0};
    for (int k = 0; k < 2; ++k) {
      if (ny[k] < 2) continue;
      art::Ellipse(cr, nx[k] + 40, ny[k] + 10, 4, 3);
      art::Fill(cr, pal::Outline);
      art::Polyline(cr, {nx[k] + 43.5, ny[k] + 10, nx[k] + 43.5, ny[k] - 4, nx[k] + 49, ny[k] - 1},
                    false);
      art::Stroke(cr, pal::Outline, 1.6);
    }
  }
}

void Track(cairo_t* cr, int) {
  art::RoundedRect(cr, 1, 1, TrackW - 2, TrackH - 2, TrackH / 2.0 - 1);
  art::Paint(cr, art::Style{pal::WoodDark.Darker(0.3), pal::Outline, 1.6, -0.2});
  for (int i = 0; i <= 10; ++i) {
    const double x = 6 + (TrackW - 12) * i / 10.0;
    cairo_move_to(cr, x, 3);
    cairo_line_to(cr, x, TrackH - 3);
    art::Stroke(cr, pal::Cream.WithAlpha(i % 5 == 0 ? 0.6 : 0.3), 1);
  }
}

void Knob(cairo_t* cr, int) {
  art::RoundedRect(cr, 1, 1, KnobW - 2, KnobH - 2, 3);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.6, 0.35, 0.5});
  cairo_move_to(cr, KnobW / 2.0, 6);
  cairo_line_to(cr, KnobW / 2.0, KnobH - 6);
  art::Stroke(cr, pal::White.WithAlpha(0.7), 1.2);
}

void Selector(cairo_t* cr, int pattern) {
  const double c = SelectorW / 2.0;
  art::Circle(cr, c, c, c - 1.5);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.8, -0.25});
  if (pattern == 1) {
    art::Circle(cr, c, c, c - 5.5);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.2, 0.3, 0.6});
  }
}

// The loudspeaker on a pole: pattern 0 quiet, 1 with the sound coming out of it.
void Speaker(cairo_t* cr, int pattern) {
  cairo_move_to(cr, 40, 36);
  cairo_line_to(cr, 46, 68);
  art::Stroke(cr, pal::Outline, 4);
  // The horn opens to the lower left.
  art::Polyline(cr, {48, 22, 58, 14, 64, 24, 54, 32}, true);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 1.8, 0.3});
  art::Polyline(cr, {50, 24, 16, 26, 34, 60, 56, 30}, true);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, art::kOutline, 0.35, 0.4});
  art::Ellipse(cr, 25, 43, 6, 19);
  art::Paint(cr, art::Style{pal::SteelDark.Darker(0.3), pal::Outline, 1.6, 0});
  if (pattern == 1) {
    for (int k = 0; k < 3; ++k) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, 25, 48, 10 + 7 * k, M_PI * 0.55, M_PI * 0.95);
      art::Stroke(cr, pal::Yellow, 2.2);
    }
  } else {
    // Quiet: a little "Z".
    cairo_move_to(cr, 4, 8);
    cairo_line_to(cr, 14, 8);
    cairo_line_to(cr, 4, 18);
    cairo_line_to(cr, 14, 18);
    art::Stroke(cr, pal::Outline, 2);
  }
}

void Question(cairo_t* cr, int) {
  // A fat question mark with a sweat drop: the cashier is asking.
  art::TextStyle s{.Face = art::Font::SerifBold, .Size = 118, .Fill = pal::Orange, .LineWidth = 4};
  art::Text(cr, "?", 33, 100, s);
  art::Shine(cr, 22, 26, 6, 3, 0.55);
  cairo_move_to(cr, 62, 12);
  cairo_curve_to(cr, 56, 22, 58, 28, 62, 28);
  cairo_curve_to(cr, 66, 28, 68, 22, 62, 12);
  art::Paint(cr, art::Style{pal::Sky, pal::Outline, 1.4, 0.3, 0.6});
}

}  // namespace

std::vector<content::ImageSpec> BookImages() {
  std::vector<content::ImageSpec> images = {
      {"Doska01", ClipW, ClipH, 1, Clip},
      {"Button01", ArrowW, ArrowH, 2, Arrow},
      {"List01", SheetW, SheetH, 1, Sheet},
      {"List02", SheetW, SheetH, 1,
       [](cairo_t* cr, int) { Cover(cr, pal::Teal.Darker(0.3), false); }},
      {"List04", SheetW, SheetH, 1, [](cairo_t* cr, int) { Cover(cr, pal::Navy, true); }},
      {"Patifon01", GramophoneW, GramophoneH, GramophoneFrames, Gramophone},
      {"Selector01", SelectorW, SelectorH, 2, Selector},
      {"Selector02", KnobW, KnobH, 1, Knob},
      {"Selector03", TrackW, TrackH, 1, Track},
      {"Dinamik01", SpeakerW, SpeakerH, 2, Speaker},
      {"Vopros01", QuestionW, QuestionH, 1, Question},
  };
  for (content::ImageSpec& photo : JournalPhotos()) images.push_back(std::move(photo));
  return images;
}

}  // namespace books
