// The two bitmap fonts of the common image list.
//
// FontP: 93 glyphs in 38x38 cells, white letters with a dark outline so they read on any
// background, drawn from DejaVu Sans Condensed Bold (thick strokes survive being shrunk to
// 8..30 pixels with nearest sampling). Each glyph fills the left w units of its cell, w being
// its design width, which sets the pen advance. The second digit set (80..90) is a seven-
// segment display face.
//
// EFont01: 13 small LED digits drawn pixel by pixel (8-pixel advance).
#include "fonts.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "common.h"
#include "draw.h"
#include "fontp.h"

namespace common {

namespace {

// Glyph geometry in design units.
constexpr double kOutlineUnits = 3.3;  // visible outline around every glyph
constexpr double kBaseline = 30.5;
constexpr double kCapHeight = 24.0;
constexpr double kDescenderSquash = 0.55;  // tails below the baseline are shortened to fit

std::string GlyphText(int g) {
  auto utf8 = [](long cp) {
    std::string s;
    if (cp < 0x80) {
      s += static_cast<char>(cp);
    } else {
      s += static_cast<char>(0xC0 | (cp >> 6));
      s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
  };
  if (g <= 31) return utf8(0x410 + g);
  if (g <= 41) return std::string(1, static_cast<char>('0' + g - 32));
  static const char kSigns[] = "!.,$?-:/";
  if (g <= 49) return std::string(1, kSigns[g - 42]);
  if (g <= 75) return std::string(1, static_cast<char>('A' + g - 50));
  static const char kMore[] = "<>@'";
  if (g <= 79) return std::string(1, kMore[g - 76]);
  if (g == 91) return "(";
  if (g == 92) return ")";
  return "";
}

// The body of a glyph: white at the top of the capitals fading to cream at the baseline.
cairo_pattern_t* GlyphBody() {
  return art::LinearGradient(0, kBaseline - kCapHeight, 0, kBaseline,
                             {{0, {1, 1, 1}}, {1, art::pal::Cream}});
}

// Paints the current path as a glyph: dark outline outside, white body lit from above.
void PaintGlyph(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  art::SetColor(cr, art::pal::Outline);
  cairo_set_line_width(cr, 2 * kOutlineUnits);
  cairo_stroke_preserve(cr);
  art::FillWith(cr, GlyphBody());
}

// Moves every point of the current path below the baseline closer to it.
void SquashDescenders(cairo_t* cr) {
  cairo_path_t* path = cairo_copy_path(cr);
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    cairo_path_data_t* d = &path->data[i];
    for (int k = 1; k < d->header.length; ++k) {
      double& y = d[k].point.y;
      if (y > kBaseline) y = kBaseline + (y - kBaseline) * kDescenderSquash;
    }
  }
  cairo_new_path(cr);
  cairo_append_path(cr, path);
  cairo_path_destroy(path);
}

void FontGlyph(cairo_t* cr, int g, double w) {
  const std::string text = GlyphText(g);
  if (g == 33) {
    // The narrow "1": a bar with a flag, simpler than squeezing the font's serifed one.
    cairo_move_to(cr, 2.2, kBaseline - kCapHeight + 5.5);
    cairo_line_to(cr, 6.0, kBaseline - kCapHeight);
    cairo_line_to(cr, 9.2, kBaseline - kCapHeight);
    cairo_line_to(cr, 9.2, kBaseline);
    cairo_line_to(cr, 4.4, kBaseline);
    cairo_line_to(cr, 4.4, kBaseline - kCapHeight + 7.5);
    cairo_close_path(cr);
    PaintGlyph(cr);
    return;
  }
  const double size = kCapHeight / 0.729;
  cairo_set_font_face(cr, art::FontFace(art::Font::CondensedBold));
  cairo_set_font_size(cr, size);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_text_path(cr, text.c_str());
  double x0, y0, x1, y1;
  cairo_path_extents(cr, &x0, &y0, &x1, &y1);
  cairo_new_path(cr);
  const double natural = std::max(1.0, x1 - x0);
  const double target = w - 2 * kOutlineUnits;
  double sx;
  if (w < 14) {
    sx = std::clamp(target / natural, 0.6, 1.0);  // narrow signs keep their strokes
  } else {
    sx = std::clamp(target / natural, 0.55, 3.0);
  }
  const double inkW = natural * sx;
  const double left = std::max(kOutlineUnits * 0.85, (w - inkW) / 2);
  cairo_save(cr);
  cairo_translate(cr, left, kBaseline);
  cairo_scale(cr, sx, 1);
  cairo_translate(cr, -x0, 0);
  cairo_move_to(cr, 0, 0);
  cairo_text_path(cr, text.c_str());
  cairo_restore(cr);
  SquashDescenders(cr);
  PaintGlyph(cr);
}

// Seven segments: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle. Drawn as thick square-ended strokes along the digit's centre lines, which keeps
// the display look and stays solid when shrunk.
void SegmentGlyph(cairo_t* cr, int digit, double w) {
  static const char* kSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                      "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  const char* lit = digit < 0 ? "g" : kSegments[digit];
  const double t = 4.4;  // stroke thickness
  double l = kOutlineUnits, r = w - kOutlineUnits;
  if (digit == 1) {  // only the right column, in a narrow cell
    r = 6.6;
    l = 0;
  }
  const double xl = l + t / 2, xr = r - t / 2;
  const double yt = kBaseline - kCapHeight + t / 2, yb = kBaseline - t / 2, mid = (yt + yb) / 2;
  // Segments 'a' to 'g', each from (x0, y0) to (x1, y1).
  const double segments[7][4] = {{xl, yt, xr, yt},  {xr, yt, xr, mid}, {xr, mid, xr, yb},
                                 {xl, yb, xr, yb},  {xl, mid, xl, yb}, {xl, yt, xl, mid},
                                 {xl, mid, xr, mid}};
  cairo_new_path(cr);
  for (const char* s = lit; *s; ++s) {
    if (*s < 'a' || *s > 'g') continue;
    const double* seg = segments[*s - 'a'];
    cairo_move_to(cr, seg[0], seg[1]);
    cairo_line_to(cr, seg[2], seg[3]);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_path_t* path = cairo_copy_path(cr);
  art::SetColor(cr, art::pal::Outline);
  cairo_set_line_width(cr, t + 2 * kOutlineUnits);
  cairo_stroke(cr);
  cairo_append_path(cr, path);
  cairo_pattern_t* g = GlyphBody();
  cairo_set_source(cr, g);
  cairo_set_line_width(cr, t);
  cairo_stroke(cr);
  cairo_pattern_destroy(g);
  cairo_path_destroy(path);
}

// EFont01 segment pixels in an 8x14 cell: verticals 2 wide, horizontals 2 high.
void LedDigit(cairo_t* cr, int pattern) {
  static const char* kSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                      "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  struct Seg {
    char id;
    int x, y, w, h;
  };
  static const Seg kAll[7] = {{'a', 2, 0, 3, 2},  {'b', 5, 2, 2, 4}, {'c', 5, 8, 2, 4},
                              {'d', 2, 12, 3, 2}, {'e', 0, 8, 2, 4}, {'f', 0, 2, 2, 4},
                              {'g', 2, 6, 3, 2}};
  std::string lit;
  if (pattern <= 9) lit = kSegments[pattern];
  if (pattern == 12) lit = "g";
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  if (pattern <= 9 || pattern == 12) {
    for (const Seg& s : kAll) {
      const bool on = lit.find(s.id) != std::string::npos;
      art::SetColor(cr, on ? art::pal::LedOn : art::pal::LedOff);
      cairo_rectangle(cr, s.x, s.y, s.w, s.h);
      cairo_fill(cr);
      if (on) {
        // A hot centre line makes the segment glow.
        art::SetColor(cr, art::pal::LedOn.Lighter(0.6));
        if (s.w > s.h) {
          cairo_rectangle(cr, s.x, s.y, s.w, 1);
        } else {
          cairo_rectangle(cr, s.x, s.y, 1, s.h);
        }
        cairo_fill(cr);
      }
    }
  } else if (pattern == 10) {  // ":"
    art::SetColor(cr, art::pal::LedOn);
    cairo_rectangle(cr, 3, 3, 2, 2);
    cairo_rectangle(cr, 3, 9, 2, 2);
    cairo_fill(cr);
  } else if (pattern == 11) {  // "^"
    art::SetColor(cr, art::pal::LedOn);
    cairo_rectangle(cr, 3, 1, 2, 2);
    cairo_rectangle(cr, 1, 3, 2, 2);
    cairo_rectangle(cr, 5, 3, 2, 2);
    cairo_fill(cr);
  }
}

}  // namespace

content::ImageSpec FontP() {
  content::ImageSpec spec;
  spec.Name = "FontP";
  spec.PatternWidth = art::kFontPCell;
  spec.PatternHeight = art::kFontPCell;
  spec.Patterns = art::kFontPGlyphs;
  spec.PatternsPerRow = 31;
  spec.Draw = [](cairo_t* cr, int g) {
    const double w = art::kFontPWidths[g];
    if (g >= 80 && g <= 89) {
      SegmentGlyph(cr, g - 80, w);
    } else if (g == 90) {
      SegmentGlyph(cr, -1, w);
    } else {
      FontGlyph(cr, g, w);
    }
  };
  return spec;
}

content::ImageSpec EFont01() {
  content::ImageSpec spec;
  spec.Name = "EFont01";
  spec.PatternWidth = 8;
  spec.PatternHeight = 14;
  spec.Patterns = 13;
  spec.Draw = LedDigit;
  return spec;
}

}  // namespace common
