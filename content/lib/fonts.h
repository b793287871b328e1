// Text drawn with the DejaVu fonts (free, from fonts-dejavu-core) through FreeType, so labels
// look the same on every build machine.
#pragma once

#include <cairo.h>

#include <string>

#include "palette.h"

namespace art {

enum class Font { Sans, SansBold, CondensedBold, SerifBold, MonoBold };

// The cairo face of a font file; loaded once. Throws content::BuildError if the file is missing.
cairo_font_face_t* FontFace(Font font);
// Path of the font file (for messages and the licence manifest).
std::string FontFile(Font font);

enum class Align { Left, Center, Right };

struct TextStyle {
  Font Face = Font::SansBold;
  double Size = 16;  // em size in pixels
  Color Fill = pal::White;
  Color Line = pal::Outline;
  double LineWidth = 0;  // outline around the letters (0: none)
  Align Anchor = Align::Center;
  double ScaleX = 1;    // horizontal squeeze (<1) or stretch
  bool Hinted = false;  // snap outlines to the pixel grid (tiny captions)
};

// Draws one line of UTF-8 text with its baseline at y; x is the left, centre or right edge.
void Text(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& s);
// Draws text vertically centred on the cap height at cy.
void TextCentered(cairo_t* cr, const std::string& utf8, double cx, double cy, const TextStyle& s);
// Width of the text's advance in pixels with the style.
double TextWidth(cairo_t* cr, const std::string& utf8, const TextStyle& s);

}  // namespace art
