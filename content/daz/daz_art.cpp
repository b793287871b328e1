// Gorm, Puch and Daz's buttons, shared by the table and the food game.
#include "content/daz/daz_art.h"

#include <cmath>

#include "content/lib/fonts.h"
#include "minigames/daz_layout.h"

namespace dazart {

namespace pal = art::pal;
namespace layout = vepa::daz;

void AtScreen(cairo_t* cr, double x, double y) { cairo_translate(cr, -x, -y); }

namespace {

void Eye(cairo_t* cr, double x, double y, double r, bool shut, double look) {
  if (shut) {
    cairo_new_path(cr);
    art::Polyline(
        cr, {x - r * 1.2, y - r * 0.3, x + r * 0.2, y + r * 0.2, x - r * 1.0, y + r * 0.8}, false);
    art::Stroke(cr, pal::Outline, 2);
    return;
  }
  art::Ellipse(cr, x, y, r, r * 1.15);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.4, 0.1});
  art::Circle(cr, x + look * r * 0.4, y + r * 0.15, r * 0.5);
  art::Fill(cr, pal::Outline);
  art::Circle(cr, x + look * r * 0.4 - r * 0.18, y - r * 0.05, r * 0.16);
  art::Fill(cr, pal::White);
}

}  // namespace

void GormMouth(cairo_t* cr, double cx, double cy, double w, int shape) {
  if (shape <= 0) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w * 0.4, cy - 1);
    cairo_curve_to(cr, cx - w * 0.15, cy + 3, cx + w * 0.15, cy + 3, cx + w * 0.4, cy - 1);
    art::Stroke(cr, pal::Outline, 2.4);
    return;
  }
  const double h = shape == 1 ? w * 0.22 : w * 0.42;
  art::Ellipse(cr, cx, cy + h * 0.3, w * (shape == 1 ? 0.36 : 0.42), h);
  art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1.8, 0});
  art::Ellipse(cr, cx + w * 0.05, cy + h * 0.9, w * 0.2, h * 0.4);
  art::Fill(cr, pal::Tongue);
  // The upper teeth under the moustache.
  art::RoundedRect(cr, cx - w * 0.2, cy - h * 0.6, w * 0.4, h * 0.45, 2);
  art::Fill(cr, pal::White);
}

void GormHead(cairo_t* cr, double cx, double cy, double r, int mouth, bool spat) {
  const Color skin = pal::Skin;
  // Ears.
  for (double side : {-1.0, 1.0}) {
    art::Ellipse(cr, cx + side * r * 0.92, cy + r * 0.08, r * 0.2, r * 0.28);
    art::Paint(cr, art::Style{skin.Shade(0.05), pal::Outline, art::kOutline, 0.2});
  }
  art::Ellipse(cr, cx, cy, r * 0.9, r);
  art::Paint(cr, art::Style{skin, pal::Outline, art::kOutline, 0.28});
  // The bald top shines; a fringe of hair over the ears.
  art::Shine(cr, cx - r * 0.3, cy - r * 0.62, r * 0.3, r * 0.14, 0.65);
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx + side * r * 0.86, cy - r * 0.2);
    cairo_curve_to(cr, cx + side * r * 0.98, cy - r * 0.05, cx + side * r * 0.96, cy + r * 0.2,
                   cx + side * r * 0.84, cy + r * 0.32);
    art::Stroke(cr, kMoustache, r * 0.12);
  }
  // Brows and eyes.
  const double ey = cy - r * 0.18, ex = r * 0.32, er = r * 0.12;
  for (double side : {-1.0, 1.0}) {
    Eye(cr, cx + side * ex, ey, er, spat, 0.2);
    cairo_new_path(cr);
    cairo_move_to(cr, cx + side * (ex - er * 1.6), ey - er * (spat ? 1.2 : 1.9));
    cairo_line_to(cr, cx + side * (ex + er * 1.4), ey - er * (spat ? 2.0 : 2.3));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    art::Stroke(cr, kMoustache, r * 0.1);
  }
  // The big red nose.
  art::Ellipse(cr, cx, cy + r * 0.16, r * 0.2, r * 0.17);
  art::Paint(cr, art::Style{pal::Tomato.Mix(skin, 0.35), pal::Outline, 1.8, 0.25, 0.5});
  // The moustache: two bushy wings.
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy + r * 0.3);
    cairo_curve_to(cr, cx + side * r * 0.2, cy + r * 0.22, cx + side * r * 0.5, cy + r * 0.3,
                   cx + side * r * 0.56, cy + r * 0.5);
    cairo_curve_to(cr, cx + side * r * 0.4, cy + r * 0.46, cx + side * r * 0.2, cy + r * 0.5, cx,
                   cy + r * 0.42);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{kMoustache, pal::Outline, 1.6, 0.3});
  }
  if (mouth >= 0) GormMouth(cr, cx, cy + r * 0.6, r * 0.7, mouth);
  if (spat) {
    // Spit running down his cheek.
    art::Ellipse(cr, cx + r * 0.42, cy + r * 0.05, r * 0.2, r * 0.14);
    art::Paint(cr, art::Style{kSpit, pal::Outline, 1.2, 0.1, 0.8});
    art::Ellipse(cr, cx + r * 0.5, cy + r * 0.25, r * 0.07, r * 0.12);
    art::Paint(cr, art::Style{kSpit, pal::Outline, 1.0, 0.1, 0.8});
  }
}

void PuchMouth(cairo_t* cr, double cx, double cy, double w, int shape) {
  const double h = shape == 0 ? w * 0.2 : w * 0.38;
  art::Ellipse(cr, cx, cy, w * 0.42, h);
  art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1.6, 0});
  // One tooth missing: only two stand at the top.
  art::RoundedRect(cr, cx - w * 0.18, cy - h * 0.95, w * 0.12, h * 0.5, 1);
  art::Fill(cr, pal::White);
  art::RoundedRect(cr, cx + w * 0.06, cy - h * 0.95, w * 0.12, h * 0.5, 1);
  art::Fill(cr, pal::White);
}

void PuchHead(cairo_t* cr, double cx, double cy, double ry, int face, double facing) {
  const double rx = ry * 0.72;
  const Color skin = kPuchSkin;
  // Big ears.
  for (double side : {-1.0, 1.0}) {
    art::Ellipse(cr, cx + side * rx * 0.98 - facing * rx * 0.15, cy + ry * 0.05, rx * 0.26,
                 ry * 0.26);
    art::Paint(cr, art::Style{skin.Shade(0.06), pal::Outline, art::kOutline, 0.2});
  }
  const double puff = face == 3 ? 1.14 : 1.0;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, puff, 1);
  art::Ellipse(cr, 0, 0, rx, ry);
  cairo_restore(cr);
  art::Paint(cr, art::Style{skin, pal::Outline, art::kOutline, 0.25});
  // Stubble on the chin.
  art::Rng rng(77);
  for (int i = 0; i < 40; ++i) {
    const double a = rng.Range(0.15, 0.85) * M_PI, d = rng.Range(0.62, 0.92);
    art::Circle(cr, cx + std::cos(a) * rx * d * puff, cy + std::sin(a) * ry * d, 0.8);
    art::Fill(cr, pal::Outline.WithAlpha(0.45));
  }
  if (face == 3) {
    art::Ellipse(cr, cx - rx * 0.55, cy + ry * 0.3, rx * 0.3, ry * 0.16);
    art::Fill(cr, pal::Pink.WithAlpha(0.55));
    art::Ellipse(cr, cx + rx * 0.55, cy + ry * 0.3, rx * 0.3, ry * 0.16);
    art::Fill(cr, pal::Pink.WithAlpha(0.55));
  }
  // Eyes, close together, and a long nose.
  const double ey = cy - ry * 0.12, er = ry * 0.11, look = facing;
  const bool squint = face == 2 || face == 3;
  Eye(cr, cx - rx * 0.28 + look * rx * 0.12, ey, er, squint, look);
  Eye(cr, cx + rx * 0.28 + look * rx * 0.12, ey, er, squint, look);
  cairo_new_path(cr);
  const double nx = cx + look * rx * 0.18;
  cairo_move_to(cr, nx - rx * 0.08, ey + er);
  cairo_curve_to(cr, nx + look * rx * 0.4, ey + ry * 0.3, nx + look * rx * 0.35, ey + ry * 0.45,
                 nx - rx * 0.02, ey + ry * 0.42);
  art::Paint(cr, art::Style{skin.Shade(0.08), pal::Outline, 1.8, 0.2});
  // The mouth by face.
  const double mx = cx + look * rx * 0.16, my = cy + ry * 0.62;
  cairo_new_path(cr);
  if (face == 1) {
    art::Circle(cr, mx + look * 3, my, ry * 0.09);
    art::Paint(cr, art::Style{pal::Mouth, pal::Outline, 1.6, 0});
  } else if (face == 2) {
    PuchMouth(cr, mx, my, rx * 0.8, 1);
  } else if (face == 3) {
    cairo_move_to(cr, mx - rx * 0.15, my);
    cairo_line_to(cr, mx + rx * 0.15, my);
    art::Stroke(cr, pal::Outline, 2.4);
  } else {
    cairo_move_to(cr, mx - rx * 0.28, my - 1);
    cairo_curve_to(cr, mx - rx * 0.1, my + 2, mx + rx * 0.1, my + 1, mx + rx * 0.3, my - 3);
    art::Stroke(cr, pal::Outline, 2.2);
  }
  // The flat cap, its peak towards where he looks.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - rx * 1.08, cy - ry * 0.42);
  cairo_curve_to(cr, cx - rx * 1.1, cy - ry * 1.15, cx + rx * 1.1, cy - ry * 1.2, cx + rx * 1.08,
                 cy - ry * 0.45);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kCap, pal::Outline, art::kOutline, 0.3});
  cairo_new_path(cr);
  const double px = cx + look * rx * 0.5;
  cairo_move_to(cr, px - rx * 0.7, cy - ry * 0.44);
  cairo_curve_to(cr, px - rx * 0.2, cy - ry * 0.3, px + rx * 0.6, cy - ry * 0.32,
                 px + rx * (0.7 + 0.4 * look), cy - ry * 0.46);
  cairo_curve_to(cr, px + rx * 0.4, cy - ry * 0.55, px - rx * 0.4, cy - ry * 0.56, px - rx * 0.7,
                 cy - ry * 0.44);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{kCap.Shade(0.3), pal::Outline, 1.8, 0.2});
}

namespace {

// ---- The panel -------------------------------------------------------------------------------

const char* const kCaptions[3][2] = {{"ИГРА", "А"}, {"ИГРА", "Б"}, {"ВЫХОД", ""}};

void DrawCaption(cairo_t* cr, int pattern) {
  const double wy = layout::PanelY + layout::WindowY - layout::CaptionY;  // window top, here
  // The tab above the bezel with its lamp: green for the games, red for the way out.
  art::RoundedRect(cr, 12, 1, layout::CaptionW - 24, 14, 4);
  art::Paint(cr, art::Style{kPlasticDark, pal::Outline, 1.6, 0.25});
  art::Circle(cr, layout::CaptionW / 2.0, 7, 3.2);
  art::Paint(cr, art::Style{pattern == 2 ? pal::Red : pal::Lime, pal::Outline, 1.0, 0.2, 0.8});
  // The little screen the bezel frames.
  art::RoundedRect(cr, 0, wy - 2, layout::WindowW, layout::WindowH + 4, 3);
  art::Fill(cr, kScreen);
  art::TextStyle t{.Face = art::Font::CondensedBold, .Fill = pal::LedOn, .Hinted = true};
  const double cy = wy + layout::WindowH / 2.0;
  if (kCaptions[pattern][1][0] == '\0') {
    t.Size = 14;
    t.ScaleX = 0.8;
    art::TextCentered(cr, kCaptions[pattern][0], layout::WindowW / 2.0, cy, t);
  } else {
    t.Size = 13;
    art::TextCentered(cr, kCaptions[pattern][0], layout::WindowW / 2.0, cy - 8, t);
    t.Size = 16;
    art::TextCentered(cr, kCaptions[pattern][1], layout::WindowW / 2.0, cy + 9, t);
  }
}

// The bezel: a plastic frame round the caption's window; pressed, it sinks and the window dims.
void DrawBezel(cairo_t* cr, int pattern) {
  const bool down = pattern == 1;
  const double w = layout::PanelW, h = layout::PanelH;
  cairo_save(cr);
  art::RoundedRect(cr, 2, 2, w - 4, h - 4, 10);
  art::RoundedRect(cr, layout::WindowX, layout::WindowY, layout::WindowW, layout::WindowH, 4);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  art::Paint(cr, art::Style{down ? kPlastic.Shade(0.25) : kPlastic, pal::Outline, art::kOutline,
                            down ? 0.05 : 0.3, down ? 0 : 0.35});
  cairo_restore(cr);
  // The window's inner edge: shade on the side the light does not reach.
  art::RoundedRect(cr, layout::WindowX, layout::WindowY, layout::WindowW, layout::WindowH, 4);
  art::Stroke(cr, down ? pal::Outline.WithAlpha(0.8) : kPlasticDark, down ? 3 : 1.5);
  if (down) {
    art::RoundedRect(cr, layout::WindowX, layout::WindowY, layout::WindowW, layout::WindowH, 4);
    art::Fill(cr, pal::Outline.WithAlpha(0.35));
  } else {
    // A glint on the glass.
    cairo_new_path(cr);
    cairo_move_to(cr, layout::WindowX + 4, layout::WindowY + layout::WindowH - 6);
    cairo_line_to(cr, layout::WindowX + 14, layout::WindowY + 4);
    art::Stroke(cr, pal::White.WithAlpha(0.35), 3);
  }
}

void DrawArrowButton(cairo_t* cr, int pattern) {
  const bool down = pattern == 1;
  const double cx = layout::ArrowW / 2.0, cy = layout::ArrowH / 2.0;
  // The ring in the casing, then the cap, lower when pressed.
  art::Ellipse(cr, cx, cy + 2, cx - 2, cy - 3);
  art::Paint(cr, art::Style{kPlasticDark.Shade(0.3), pal::Outline, art::kOutline, 0.1});
  const double lift = down ? 1 : -3;
  art::Ellipse(cr, cx, cy + lift, cx - 8, cy - 10);
  art::Paint(cr, art::Style{down ? pal::Yellow.Shade(0.3) : pal::Yellow, pal::Outline,
                            art::kOutline, down ? 0.05 : 0.3, down ? 0.1 : 0.5});
  art::Ellipse(cr, cx, cy + lift + 2, cx - 18, cy - 19);
  art::Stroke(cr, pal::Gold.Shade(0.2).WithAlpha(0.6), 1.5);
}

void DrawArrowSign(cairo_t* cr, int pattern) {
  const double w = layout::SignW, h = layout::SignH;
  const double dir = pattern == 0 ? -1 : 1, cx = w / 2.0, cy = h / 2.0;
  cairo_new_path(cr);
  art::Polyline(cr,
                {cx + dir * 17, cy, cx + dir * 5, cy - 8, cx + dir * 5, cy - 3.5, cx - dir * 16,
                 cy - 3.5, cx - dir * 16, cy + 3.5, cx + dir * 5, cy + 3.5, cx + dir * 5, cy + 8},
                true);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.8, 0.2});
}

}  // namespace

std::vector<content::ImageSpec> PanelImages() {
  return {
      {"Text01", layout::CaptionW, layout::CaptionH, 3, DrawCaption},
      {"Button01", layout::PanelW, layout::PanelH, 2, DrawBezel},
      {"Button02", layout::ArrowW, layout::ArrowH, 2, DrawArrowButton},
      {"Strelk01", layout::SignW, layout::SignH, 2, DrawArrowSign},
  };
}

std::vector<content::HitShape> PanelHitMap() {
  std::vector<content::HitShape> shapes;
  for (int b = 0; b < layout::ButtonCount; ++b) {
    const layout::ButtonArea& a = layout::ButtonAreas[b];
    const double x = a.X + layout::HitShiftX, y = a.Y + layout::HitShiftY;
    if (a.Round)
      shapes.push_back(content::HitEllipse(b + 1, x, y, x + a.W, y + a.H));
    else
      shapes.push_back(content::HitRect(b + 1, x, y, x + a.W, y + a.H));
  }
  return shapes;
}

}  // namespace dazart
