#include "fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <filesystem>
#include <map>
#include <mutex>

#include "content.h"

namespace art {

namespace {

const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

const char* FileName(Font f) {
  switch (f) {
    case Font::Sans:
      return "DejaVuSans.ttf";
    case Font::SansBold:
      return "DejaVuSans-Bold.ttf";
    case Font::CondensedBold:
      return "DejaVuSansCondensed-Bold.ttf";
    case Font::SerifBold:
      return "DejaVuSerif-Bold.ttf";
    case Font::MonoBold:
      return "DejaVuSansMono-Bold.ttf";
  }
  return "DejaVuSans-Bold.ttf";
}

}  // namespace

std::string FontFile(Font font) { return std::string(kFontDir) + FileName(font); }

cairo_font_face_t* FontFace(Font font) {
  static std::mutex mutex;
  static FT_Library library = nullptr;
  static std::map<Font, cairo_font_face_t*> faces;  // kept for the whole run
  std::lock_guard<std::mutex> lock(mutex);
  auto it = faces.find(font);
  if (it != faces.end()) return it->second;
  if (!library && FT_Init_FreeType(&library) != 0) {
    throw content::BuildError("FreeType could not be initialized");
  }
  const std::string path = FontFile(font);
  if (!std::filesystem::exists(path)) {
    throw content::BuildError("font " + path +
                              " is missing (install the Debian package fonts-dejavu-core)");
  }
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
    throw content::BuildError("font " + path + " cannot be read");
  }
  cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
  faces[font] = cf;
  return cf;
}

namespace {

void Select(cairo_t* cr, const TextStyle& s) {
  cairo_set_font_face(cr, FontFace(s.Face));
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, s.Size * s.ScaleX, s.Size);
  cairo_set_font_matrix(cr, &m);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_hint_style(o, s.Hinted ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(o, s.Hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

}  // namespace

double TextWidth(cairo_t* cr, const std::string& utf8, const TextStyle& s) {
  cairo_save(cr);
  Select(cr, s);
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  cairo_restore(cr);
  return e.x_advance;
}

void Text(cairo_t* cr, const std::string& utf8, double x, double y, const TextStyle& s) {
  cairo_save(cr);
  Select(cr, s);
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  double left = x;
  if (s.Anchor == Align::Center) left = x - e.x_advance / 2;
  if (s.Anchor == Align::Right) left = x - e.x_advance;
  if (s.Hinted) {
    left = std::round(left);
    y = std::round(y);
  }
  cairo_new_path(cr);
  if (s.LineWidth > 0) {
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, utf8.c_str());
    cairo_set_source_rgba(cr, s.Line.r, s.Line.g, s.Line.b, s.Line.a);
    cairo_set_line_width(cr, s.LineWidth * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, left, y);
  cairo_set_source_rgba(cr, s.Fill.r, s.Fill.g, s.Fill.b, s.Fill.a);
  if (s.Hinted) {
    cairo_show_text(cr, utf8.c_str());
  } else {
    cairo_text_path(cr, utf8.c_str());
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void TextCentered(cairo_t* cr, const std::string& utf8, double cx, double cy, const TextStyle& s) {
  // Capital height of DejaVu is 0.729 em.
  Text(cr, utf8, cx, cy + s.Size * 0.729 / 2, s);
}

}  // namespace art
