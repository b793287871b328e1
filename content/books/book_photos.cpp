// The journal's photographs: the voice actors of the kiosk, each at the studio microphone,
// pinned to the page with a strip of tape. The grandmother is voiced by a man with a moustache
// in a headscarf, Vovan by a Vova in dark glasses, and Daz by the studio cat.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "book_art.h"
#include "content/lib/draw.h"
#include "content/lib/palette.h"
#include "screens/book_layout.h"

namespace books {

namespace {

using art::Color;
namespace pal = art::pal;

enum class Top { Bald, Curly, Cap, Headscarf, CrewCut, BobbleHat, CatEars, Combed };

struct Sitter {
  Top Hair = Top::Bald;
  Color HairColor = pal::WoodDark;
  Color Backdrop = pal::Sky;
  bool Moustache = false;
  bool Glasses = false;      // round reading glasses
  bool DarkGlasses = false;  // Vovan's
  bool Stubble = false;
  bool Chain = false;
  bool Headphones = true;
  double Tilt = 0;  // the photo is pinned a little askew
};

void Head(cairo_t* cr, double cx, double cy, const Sitter& s) {
  const double r = 24;
  const bool cat = s.Hair == Top::CatEars;
  const Color skin = cat ? pal::Orange.Lighter(0.1) : pal::Skin;
  // Shoulders in a jumper.
  art::RoundedRect(cr, cx - 38, cy + 22, 76, 60, 22);
  art::Paint(cr, art::Style{s.Hair == Top::BobbleHat ? pal::WoodDark : pal::Cloth, pal::Outline,
                            art::kOutline, 0.25});
  if (s.Chain) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy + 20, 18, M_PI * 0.2, M_PI * 0.8);
    art::Stroke(cr, pal::Gold, 3.5);
  }
  if (cat) {
    for (int side : {-1, 1}) {
      cairo_move_to(cr, cx + side * 8, cy - 18);
      cairo_line_to(cr, cx + side * 24, cy - 34);
      cairo_line_to(cr, cx + side * 22, cy - 8);
      cairo_close_path(cr);
      art::Paint(cr, art::Style{skin, pal::Outline, art::kOutline, 0.2});
    }
  }
  art::Ellipse(cr, cx, cy, r, r * 1.08);
  art::Paint(cr, art::Style{skin, pal::Outline, art::kOutline, 0.25, 0.2});
  // Ears.
  if (!cat && s.Hair != Top::Headscarf) {
    for (int side : {-1, 1}) {
      art::Ellipse(cr, cx + side * (r - 1), cy + 2, 5, 7);
      art::Paint(cr, art::Style{skin, pal::Outline, 1.6, 0.2});
    }
  }
  // The top of the head.
  switch (s.Hair) {
    case Top::Bald:
      art::Shine(cr, cx - 8, cy - 18, 7, 4, 0.7);
      for (int side : {-1, 1}) {
        art::Ellipse(cr, cx + side * 21, cy - 6, 5, 9);
        art::Paint(cr, art::Style{s.HairColor, pal::Outline, 1.4, 0.2});
      }
      break;
    case Top::Curly:
      for (int k = 0; k < 7; ++k) {
        const double a = M_PI * (1.05 + k * 0.15);
        art::Circle(cr, cx + 22 * std::cos(a), cy - 4 + 22 * std::sin(a), 8);
        art::Paint(cr, art::Style{s.HairColor, pal::Outline, 1.6, 0.25});
      }
      break;
    case Top::Cap:
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx, cy - 8, r, M_PI, 2 * M_PI);
      cairo_close_path(cr);
      art::Paint(cr, art::Style{pal::Red, pal::Outline, art::kOutline, 0.3});
      art::RoundedRect(cr, cx - 2, cy - 12, 34, 7, 3);
      art::Paint(cr, art::Style{pal::Red.Darker(0.2), pal::Outline, 1.8, 0.2});
      break;
    case Top::Headscarf:
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx, cy - 2, r + 4, M_PI * 0.9, M_PI * 2.1);
      cairo_curve_to(cr, cx + 30, cy + 26, cx + 10, cy + 30, cx, cy + 30);
      cairo_curve_to(cr, cx - 10, cy + 30, cx - 30, cy + 26, cx - 28, cy + 6);
      cairo_close_path(cr);
      cairo_new_sub_path(cr);
      art::Ellipse(cr, cx, cy + 2, r - 5, r - 2);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      art::Paint(cr, art::Style{pal::Red.Lighter(0.1), pal::Outline, art::kOutline, 0.25});
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
      for (int k = 0; k < 5; ++k) {
        art::Circle(cr, cx - 20 + k * 10, cy - 20 + (k % 2) * 5, 2.2);
        art::Fill(cr, pal::White);
      }
      break;
    case Top::CrewCut:
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx, cy - 4, r, M_PI * 1.1, M_PI * 1.9);
      cairo_close_path(cr);
      art::Paint(cr, art::Style{s.HairColor, pal::Outline, 1.6, 0.1});
      break;
    case Top::BobbleHat:
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx, cy - 6, r + 1, M_PI, 2 * M_PI);
      cairo_close_path(cr);
      art::Paint(cr, art::Style{pal::Green, pal::Outline, art::kOutline, 0.3});
      art::RoundedRect(cr, cx - r - 2, cy - 10, 2 * r + 4, 9, 4);
      art::Paint(cr, art::Style{pal::Green.Darker(0.2), pal::Outline, 1.8, 0.2});
      art::Circle(cr, cx + 4, cy - r - 8, 7);
      art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.8, 0.3});
      break;
    case Top::CatEars:
      for (int k = 0; k < 3; ++k) {
        cairo_move_to(cr, cx - 8 + k * 8, cy - 24);
        cairo_line_to(cr, cx - 8 + k * 8, cy - 16);
        art::Stroke(cr, pal::Orange.Darker(0.35), 2.4);
      }
      break;
    case Top::Combed:
      cairo_move_to(cr, cx - r, cy - 2);
      cairo_curve_to(cr, cx - r, cy - 30, cx + 10, cy - 36, cx + r, cy - 8);
      cairo_curve_to(cr, cx + 6, cy - 18, cx - 10, cy - 14, cx - r, cy - 2);
      art::Paint(cr, art::Style{s.HairColor, pal::Outline, 1.8, 0.25});
      break;
  }
  // Face.
  const double ey = cy - 2;
  for (int side : {-1, 1}) {
    art::Ellipse(cr, cx + side * 9, ey, 3.6, 4.6);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1.2, 0});
    art::Circle(cr, cx + side * 9 + 1, ey + 1, 1.8);
    art::Fill(cr, pal::Outline);
  }
  if (s.Glasses) {
    for (int side : {-1, 1}) {
      art::Circle(cr, cx + side * 9, ey, 7);
      art::Stroke(cr, pal::Outline, 1.6);
    }
  }
  if (s.DarkGlasses) {
    for (int side : {-1, 1}) {
      art::RoundedRect(cr, cx + side * 9 - 8, ey - 5, 16, 10, 3);
      art::Paint(cr, art::Style{pal::Outline.Lighter(0.05), pal::Outline, 1.4, 0.1, 0.7});
    }
    cairo_move_to(cr, cx - 1, ey - 2);
    cairo_line_to(cr, cx + 1, ey - 2);
    art::Stroke(cr, pal::Outline, 2);
  }
  if (cat) {
    art::Ellipse(cr, cx, cy + 7, 3.5, 2.5);
    art::Fill(cr, pal::Pink.Darker(0.1));
    for (int side : {-1, 1})
      for (int k = 0; k < 2; ++k) {
        cairo_move_to(cr, cx + side * 8, cy + 9 + k * 3);
        cairo_line_to(cr, cx + side * 26, cy + 7 + k * 6);
        art::Stroke(cr, pal::Outline, 1);
      }
  } else {
    art::Ellipse(cr, cx + 1, cy + 6, 4, 4.5);
    art::Paint(cr, art::Style{skin.Shade(0.08), pal::Outline, 1.4, 0.3});
  }
  if (s.Stubble) {
    art::Rng rng(7);
    for (int k = 0; k < 40; ++k) {
      const double a = M_PI * rng.Range(0.15, 0.85), rr = rng.Range(14, 22);
      art::Circle(cr, cx + rr * std::cos(a), cy + 4 + rr * std::sin(a) * 0.9, 0.8);
      art::Fill(cr, pal::Outline.WithAlpha(0.55));
    }
  }
  if (s.Moustache) {
    cairo_move_to(cr, cx - 13, cy + 14);
    cairo_curve_to(cr, cx - 8, cy + 7, cx - 2, cy + 9, cx, cy + 11);
    cairo_curve_to(cr, cx + 2, cy + 9, cx + 8, cy + 7, cx + 13, cy + 14);
    cairo_curve_to(cr, cx + 6, cy + 12, cx + 2, cy + 14, cx, cy + 13);
    cairo_curve_to(cr, cx - 2, cy + 14, cx - 6, cy + 12, cx - 13, cy + 14);
    art::Paint(cr, art::Style{s.HairColor, pal::Outline, 1.2, 0.2});
  }
  // The open mouth: every one of them is speaking into the microphone.
  art::Ellipse(cr, cx + 1, cy + 17, 5, 3.5);
  art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1.4, 0});
  if (s.Headphones) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy - 2, r + 3, M_PI * 1.05, M_PI * 1.95);
    art::Stroke(cr, pal::Outline, 4);
    for (int side : {-1, 1}) {
      art::RoundedRect(cr, cx + side * (r + 1) - 6, cy - 8, 12, 18, 5);
      art::Paint(cr, art::Style{pal::Red.Darker(0.25), pal::Outline, 1.6, 0.3, 0.3});
    }
  }
}

void Microphone(cairo_t* cr, double x, double y) {
  cairo_move_to(cr, x, y + 18);
  cairo_line_to(cr, x + 4, y + 60);
  art::Stroke(cr, pal::Outline, 3);
  art::RoundedRect(cr, x - 9, y - 12, 18, 30, 9);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, 1.8, 0.35, 0.5});
  for (int k = 0; k < 3; ++k) {
    cairo_move_to(cr, x - 7, y - 4 + k * 6);
    cairo_line_to(cr, x + 7, y - 4 + k * 6);
    art::Stroke(cr, pal::SteelDark, 1);
  }
}

void Photo(cairo_t* cr, int w, int h, const Sitter& s) {
  cairo_save(cr);
  cairo_translate(cr, w / 2.0, h / 2.0);
  cairo_rotate(cr, s.Tilt);
  cairo_translate(cr, -w / 2.0 + 4, -h / 2.0 + 6);
  const double pw = w - 8, ph = h - 12;
  // The print with its white border, a soft shadow under it.
  art::RoundedRect(cr, 3, 3, pw, ph, 2);
  art::Fill(cr, pal::Shadow);
  art::RoundedRect(cr, 0, 0, pw, ph, 2);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 1.4, 0.1});
  const double ix = 6, iy = 6, iw = pw - 12, ih = ph - 28;
  cairo_save(cr);
  cairo_rectangle(cr, ix, iy, iw, ih);
  cairo_clip(cr);
  art::VerticalGradient(cr, ix, iy, iw, ih, s.Backdrop.Lighter(0.2), s.Backdrop.Darker(0.2));
  // Foam tiles of the studio wall.
  for (double ty = iy; ty < iy + ih; ty += 16)
    for (double tx = ix + (static_cast<int>(ty) / 16 % 2) * 8; tx < ix + iw; tx += 16) {
      art::Circle(cr, tx + 4, ty + 4, 2.5);
      art::Fill(cr, s.Backdrop.Darker(0.25).WithAlpha(0.5));
    }
  const double cx = ix + iw / 2 - 6, cy = iy + ih * 0.5;
  Head(cr, cx, cy, s);
  Microphone(cr, cx + iw * 0.32, cy + 18);
  cairo_restore(cr);
  cairo_rectangle(cr, ix, iy, iw, ih);
  art::Stroke(cr, pal::Outline, 1.2);
  cairo_restore(cr);
  // A strip of tape at the top holds it to the page.
  art::RoundedRect(cr, w / 2.0 - 16, 0, 32, 12, 1);
  art::Fill(cr, pal::Cream.WithAlpha(0.6));
}

// The sitters: 0..6 the voice actors by the journal's pages 3..9 (the cashier, the
// grandfather, the grandmother, the player, Vovan, the tramp, Daz), 7 the lady of the ideas.
Sitter SitterAt(int index) {
  switch (index) {
    case 0:
      return {.Hair = Top::Combed,
              .HairColor = pal::WoodDark,
              .Backdrop = pal::Teal,
              .Glasses = true,
              .Tilt = -0.03};
    case 1:
      return {.Hair = Top::Bald,
              .HairColor = pal::Steel,
              .Backdrop = pal::Sky,
              .Moustache = true,
              .Glasses = true,
              .Tilt = 0.04};
    case 2:
      return {.Hair = Top::Headscarf,
              .HairColor = pal::WoodDark,
              .Backdrop = pal::Pink,
              .Moustache = true,
              .Tilt = -0.05};
    case 3:
      return {.Hair = Top::Cap, .Backdrop = pal::Lime, .Tilt = 0.03};
    case 4:
      return {.Hair = Top::CrewCut,
              .HairColor = pal::Outline,
              .Backdrop = pal::Purple,
              .DarkGlasses = true,
              .Chain = true,
              .Tilt = -0.02};
    case 5:
      return {.Hair = Top::BobbleHat,
              .HairColor = pal::WoodDark,
              .Backdrop = pal::Steel,
              .Stubble = true,
              .Tilt = 0.05};
    case 6:
      return {.Hair = Top::CatEars, .Backdrop = pal::Yellow, .Headphones = false, .Tilt = -0.04};
    default:
      return {.Hair = Top::Curly,
              .HairColor = pal::Orange.Darker(0.3),
              .Backdrop = pal::Pink,
              .Headphones = false,
              .Tilt = 0.02};
  }
}

}  // namespace

void DrawPortraitPhoto(cairo_t* cr, int w, int h, int sitter) { Photo(cr, w, h, SitterAt(sitter)); }

std::vector<content::ImageSpec> JournalPhotos() {
  std::vector<content::ImageSpec> photos;
  for (const vepa::book::JournalPhoto& p : vepa::book::JournalPhotos) {
    // The pages name their photographs out of order (page 5 shows "Foto04"); the sitter
    // follows the page.
    const int sitter = p.Page - 3;
    const int w = p.Width(), h = vepa::book::PhotoH;
    photos.push_back({p.Name, w, h, 1,
                      [sitter, w, h](cairo_t* cr, int) { DrawPortraitPhoto(cr, w, h, sitter); }});
  }
  return photos;
}

}  // namespace books
