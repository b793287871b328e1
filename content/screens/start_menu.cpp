// The start menu and the closing picture. Where the scene writes the hint line, draws the
// exit button and the selectors of the two speech options is in screens/start_menu_layout.h;
// the options' lines here end where the selectors follow.
// The background shows the lottery kiosk on its street at dusk under the game's title; the
// closing picture shows the same kiosk shut for the night with a goodbye.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/screens/screen_art.h"
#include "screens/start_menu_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;

using screen_art::Line;

void Glow(cairo_t* cr, double cx, double cy, double rx, double ry, const Color& c, double alpha) {
  screen_art::EllipticGlow(cr, cx, cy, rx, ry, c, alpha, 0.45, 0.55);
}

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h,
                      std::initializer_list<art::Stop> stops) {
  art::FillRect(cr, x, y, w, h, art::LinearGradient(0, y, 0, y + h, stops));
}

art::TextStyle Letters(double size, const Color& fill, art::Font face = art::Font::SansBold) {
  art::TextStyle s{.Face = face, .Size = size, .Fill = fill};
  return s;
}

// Text with a dark outline and a soft drop shadow.
void OutlinedText(cairo_t* cr, const std::string& text, double x, double y, double size,
                  const Color& fill, double line, art::Align align = art::Align::Center,
                  art::Font face = art::Font::SansBold) {
  art::TextStyle s = Letters(size, pal::Outline.WithAlpha(0.45), face);
  s.Anchor = align;
  s.LineWidth = line;
  s.Line = pal::Outline.WithAlpha(0.45);
  art::Text(cr, text, x + 2, y + 3, s);
  s.Fill = pal::Outline;
  s.Line = pal::Outline;
  art::Text(cr, text, x, y, s);
  s.LineWidth = 0;
  s.Fill = fill;
  art::Text(cr, text, x, y, s);
}

// ===== The street =========================================================================

// Evening (or night) sky, a row of houses far behind, pavement in front.
void Street(cairo_t* cr, bool night) {
  if (night) {
    VerticalGradient(cr, 0, 0, 640, 330,
                     {{0, art::Hex(0x141230)}, {0.6, art::Hex(0x27305E)}, {1, art::Hex(0x47436E)}});
  } else {
    VerticalGradient(cr, 0, 0, 640, 330,
                     {{0, art::Hex(0x23285A)},
                      {0.45, art::Hex(0x5B4A86)},
                      {0.8, art::Hex(0xE0866A)},
                      {1, art::Hex(0xF6C27A)}});
  }
  // Stars.
  art::Rng rng(night ? 77 : 31);
  for (int i = 0; i < (night ? 70 : 30); ++i) {
    const double x = rng.Range(0, 640), y = rng.Range(16, night ? 240 : 150);
    const double r = rng.Range(0.6, 1.6);
    art::Circle(cr, x, y, r);
    art::Fill(cr, pal::White.WithAlpha(rng.Range(0.4, 0.95)));
  }
  // The moon, out at night.
  if (night) {
    const double mx = 520, my = 132;
    Glow(cr, mx, my, 60, 60, pal::Cream, 0.35);
    art::Circle(cr, mx, my, 24);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, 0, 0.2, 0});
    art::Circle(cr, mx - 8, my - 6, 5);
    art::Fill(cr, pal::Paper.Shade(0.15).WithAlpha(0.6));
    art::Circle(cr, mx + 7, my + 8, 3.5);
    art::Fill(cr, pal::Paper.Shade(0.15).WithAlpha(0.6));
  }
  // Houses on the far side of the street, their windows lit.
  art::Rng houses(night ? 5 : 9);
  double x = -10;
  while (x < 650) {
    const double w = houses.Range(70, 120), h = houses.Range(90, 170);
    const double top = 330 - h;
    const Color wall = (night ? art::Hex(0x2A2748) : art::Hex(0x4A3A62))
                           .Mix(art::Hex(0x6A4A5A), houses.Range(0, 0.4));
    cairo_rectangle(cr, x, top, w, h);
    art::Fill(cr, wall);
    cairo_rectangle(cr, x, top, w, 5);
    art::Fill(cr, wall.Darker(0.3));
    for (double wy = top + 16; wy < 310; wy += 26) {
      for (double wx = x + 10; wx < x + w - 18; wx += 24) {
        const bool lit = houses.Unit() < (night ? 0.35 : 0.55);
        cairo_rectangle(cr, wx, wy, 11, 14);
        art::Fill(cr, lit ? art::Hex(0xFFD27A) : wall.Darker(0.35));
      }
    }
    x += w + houses.Range(2, 12);
  }
  // Pavement: warm stone tiles in perspective.
  VerticalGradient(cr, 0, 330, 640, 150,
                   {{0, night ? art::Hex(0x4A4452) : art::Hex(0x8A6E62)},
                    {1, night ? art::Hex(0x2E2A36) : art::Hex(0x5E4A48)}});
  cairo_rectangle(cr, 0, 326, 640, 6);
  art::Fill(cr, night ? art::Hex(0x625A6A) : art::Hex(0xB08A70));
  const Color joint = pal::Outline.WithAlpha(0.25);
  for (double y = 345; y < 480; y += (y - 300) * 0.35) Line(cr, 0, y, 640, y, joint, 1.2);
  for (int i = -12; i <= 12; ++i) Line(cr, 320 + i * 30, 332, 320 + i * 95, 480, joint, 1.2);
}

// A street lamp with its warm light.
void StreetLamp(cairo_t* cr, double x, bool lit) {
  if (lit) {
    Glow(cr, x, 190, 90, 90, pal::Yellow.Lighter(0.3), 0.45);
    Glow(cr, x, 396, 110, 26, pal::Yellow.Lighter(0.3), 0.35);
  }
  art::RoundedRect(cr, x - 4, 196, 8, 200, 3);
  art::Paint(cr, art::Style{pal::Navy.Darker(0.2), pal::Outline, 2, 0.3, 0});
  art::RoundedRect(cr, x - 10, 390, 20, 10, 3);
  art::Paint(cr, art::Style{pal::Navy.Darker(0.2), pal::Outline, 2, 0.3, 0});
  art::Polyline(cr, {x - 16, 196, x + 16, 196, x + 10, 170, x - 10, 170}, true);
  art::Paint(cr, art::Style{lit ? pal::Yellow.Lighter(0.4) : art::Hex(0x6A6A80), pal::Outline, 2,
                            0.2, 0.3});
  cairo_move_to(cr, x - 14, 170);
  cairo_line_to(cr, x, 156);
  cairo_line_to(cr, x + 14, 170);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Navy.Darker(0.2), pal::Outline, 2, 0.3, 0});
}

// ===== The kiosk ===========================================================================

// The kiosk stands with its front between x0 and x0 + 250 and its floor at y 400. Open: lit
// window with the cashier, the sign shining. Closed: the shutter is down.
void Kiosk(cairo_t* cr, double x0, bool open) {
  const double w = 250, top = 210, floor = 400;
  const double side = 46;  // the right side wall, in perspective
  art::GroundShadow(cr, x0 + w / 2 + 20, floor + 2, w * 0.65, 14, 0.45);
  // Side wall with the door.
  art::Polyline(
      cr, {x0 + w, top, x0 + w + side, top - 14, x0 + w + side, floor - 10, x0 + w, floor}, true);
  art::Paint(cr, art::Style{pal::Teal.Shade(0.35), pal::Outline, 2.4, 0.2, 0});
  art::Polyline(cr,
                {x0 + w + 8, top + 24, x0 + w + side - 8, top + 14, x0 + w + side - 8, floor - 14,
                 x0 + w + 8, floor - 4},
                true);
  art::Paint(cr, art::Style{pal::Teal.Shade(0.5), pal::Outline, 2, 0.15, 0});
  // The door handle.
  art::Ellipse(cr, x0 + w + 14, top + 110, 4, 6);
  art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.5, 0.4, 0.6});
  // Front wall.
  cairo_rectangle(cr, x0, top, w, floor - top);
  art::Paint(cr, art::Style{pal::Teal, pal::Outline, 2.4, 0.25, 0});
  // Wooden base.
  cairo_rectangle(cr, x0, floor - 46, w, 46);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2.4, 0.2, 0});
  for (int i = 1; i < 6; ++i)
    Line(cr, x0 + i * w / 6, floor - 44, x0 + i * w / 6, floor - 2, pal::WoodDark, 1.5);
  // Window.
  const double wx = x0 + 40, wy = top + 36, ww = w - 80, wh = 100;
  cairo_rectangle(cr, wx - 6, wy - 6, ww + 12, wh + 12);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2.2, 0.2, 0});
  if (open) {
    VerticalGradient(cr, wx, wy, ww, wh, {{0, art::Hex(0xFFE7A0)}, {1, art::Hex(0xF4B860)}});
    // The cashier behind the glass: hair bun, round face, a smile, a red blouse.
    const double cx = wx + ww / 2, cy = wy + 52;
    art::Ellipse(cr, cx, wy + wh + 8, 38, 34);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 2, 0.25, 0});
    art::Circle(cr, cx, cy - 34, 13);
    art::Paint(cr, art::Style{art::Hex(0x8A3A20), pal::Outline, 2, 0.3, 0.3});
    art::Ellipse(cr, cx, cy - 6, 24, 26);
    art::Paint(cr, art::Style{art::Hex(0x8A3A20), pal::Outline, 2, 0.3, 0});
    art::Ellipse(cr, cx, cy - 2, 19, 22);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, 2, 0.2, 0});
    art::Circle(cr, cx - 7, cy - 6, 2.4);
    art::Fill(cr, pal::Outline);
    art::Circle(cr, cx + 7, cy - 6, 2.4);
    art::Fill(cr, pal::Outline);
    cairo_move_to(cr, cx - 7, cy + 7);
    cairo_curve_to(cr, cx - 3, cy + 12, cx + 3, cy + 12, cx + 7, cy + 7);
    art::Stroke(cr, pal::Lips, 2.2);
    Glow(cr, cx - 12, cy + 3, 5, 3, pal::Red, 0.35);
    Glow(cr, cx + 12, cy + 3, 5, 3, pal::Red, 0.35);
    // Glass shine.
    Line(cr, wx + 10, wy + 70, wx + 40, wy + 10, pal::White.WithAlpha(0.5), 4);
    Line(cr, wx + 24, wy + 80, wx + 50, wy + 28, pal::White.WithAlpha(0.35), 2);
  } else {
    // The shutter, pulled down for the night.
    cairo_rectangle(cr, wx, wy, ww, wh);
    art::Paint(cr, art::Style{pal::Steel.Shade(0.15), pal::Outline, 0, 0.25, 0});
    for (double y = wy + 8; y < wy + wh; y += 8) Line(cr, wx, y, wx + ww, y, pal::SteelDark, 1.4);
    // "ЗАКРЫТО" plate hanging on the shutter.
    art::RoundedRect(cr, wx + ww / 2 - 52, wy + 34, 104, 28, 5);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 2, 0.3, 0.3});
    art::Text(cr, "ЗАКРЫТО", wx + ww / 2, wy + 54, Letters(15, pal::Cream));
    Line(cr, wx + ww / 2 - 30, wy + 34, wx + ww / 2, wy + 16, pal::Outline, 1.5);
    Line(cr, wx + ww / 2 + 30, wy + 34, wx + ww / 2, wy + 16, pal::Outline, 1.5);
    art::Circle(cr, wx + ww / 2, wy + 16, 2.5);
    art::Fill(cr, pal::Brass);
  }
  // Counter shelf.
  cairo_rectangle(cr, x0 + 28, wy + wh + 6, w - 56, 10);
  art::Paint(cr, art::Style{pal::WoodLight, pal::Outline, 2.2, 0.3, 0});
  // Posters on the front wall.
  art::RoundedRect(cr, x0 + 8, wy + 2, 26, 60, 3);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.6, 0.2, 0});
  art::Star(cr, x0 + 21, wy + 22, 9, 4, 5);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.2, 0.2, 0});
  art::Text(cr, "$", x0 + 21, wy + 52, Letters(16, pal::Green));
  art::RoundedRect(cr, x0 + w - 34, wy + 2, 26, 60, 3);
  art::Paint(cr, art::Style{pal::Sky, pal::Outline, 1.6, 0.2, 0});
  for (int i = 0; i < 3; ++i) {
    art::Circle(cr, x0 + w - 21, wy + 16 + i * 16, 5.5);
    art::Paint(cr, art::Style{i == 1 ? pal::Red : pal::Cream, pal::Outline, 1.2, 0.2, 0});
  }
  // Roof with a striped awning.
  cairo_move_to(cr, x0 - 14, top + 4);
  cairo_line_to(cr, x0 + w + 14, top + 4);
  cairo_line_to(cr, x0 + w + side + 10, top - 12);
  cairo_line_to(cr, x0 + w + side - 4, top - 26);
  cairo_line_to(cr, x0 + 4, top - 22);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Red.Shade(0.2), pal::Outline, 2.4, 0.2, 0});
  const int stripes = 10;
  for (int i = 0; i < stripes; ++i) {
    const double sx = x0 - 14 + i * (w + 28) / stripes;
    cairo_move_to(cr, sx, top + 4);
    cairo_line_to(cr, sx + (w + 28) / stripes, top + 4);
    cairo_line_to(cr, sx + (w + 28) / stripes, top + 20);
    cairo_arc(cr, sx + (w + 28) / stripes / 2, top + 20, (w + 28) / stripes / 2, 0, M_PI);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{i % 2 == 0 ? pal::Red : pal::Cream, pal::Outline, 2, 0.25, 0});
  }
  // The sign on the roof.
  const double sx = x0 + 20, sy = top - 66, sw = w - 40, sh = 40;
  Line(cr, sx + 30, sy + sh, sx + 30, top - 20, pal::Outline, 3);
  Line(cr, sx + sw - 30, sy + sh, sx + sw - 30, top - 20, pal::Outline, 3);
  if (open) Glow(cr, sx + sw / 2, sy + sh / 2, sw * 0.75, sh * 1.3, pal::Yellow, 0.45);
  art::RoundedRect(cr, sx, sy, sw, sh, 8);
  art::Paint(cr, art::Style{open ? pal::Navy : pal::Navy.Darker(0.3), pal::Outline, 2.4, 0.3, 0.2});
  art::TextStyle sign = Letters(26, open ? pal::Yellow : art::Hex(0x8A7A50));
  sign.LineWidth = 0;
  art::TextCentered(cr, "ЛОТЕРЕЯ", sx + sw / 2, sy + sh / 2, sign);
}

// ===== Start menu ===========================================================================

using namespace vepa::start_menu;

constexpr double kOptionA = 430, kOptionB = 451;  // label centres

void Title(cairo_t* cr) {
  // "ПЕЛЬКО ВЕПА" with a big "4" in a star.
  Glow(cr, 290, 76, 260, 60, pal::Yellow, 0.25);
  OutlinedText(cr, "ПЕЛЬКО ВЕПА", 262, 96, 56, pal::Yellow, 9);
  art::Star(cr, 548, 82, 50, 27, 5, 0.02);
  art::Paint(cr, art::Style{pal::Red, pal::Outline, 3, 0.35, 0.4});
  OutlinedText(cr, "4", 548, 104, 54, pal::Cream, 8);
  OutlinedText(cr, "ИГРА У ЛОТЕРЕЙНОГО КИОСКА", 262, 126, 18, pal::Cream, 5);
}

void MenuPanel(cairo_t* cr) {
  art::PanelStyle s{.Body = pal::Wood, .Radius = 12, .Bevel = 5, .Rivets = true};
  art::Panel(cr, 8, 408, 624, 66, s);
  // Left: how to start.
  art::RoundedRect(cr, 22, 420, 196, 42, 8);
  art::Paint(cr, art::Style{pal::Green, pal::Outline, 2, 0.3, 0.3});
  OutlinedText(cr, "НАЖМИ ENTER,", 120, 438, 16, pal::Cream, 4);
  OutlinedText(cr, "ЧТОБЫ НАЧАТЬ ИГРУ", 120, 456, 15, pal::Cream, 4);
  // Right: the two speech options, their selectors drawn by the scene at x 530.
  art::TextStyle head = Letters(13, pal::Cream.Darker(0.1), art::Font::CondensedBold);
  head.Anchor = art::Align::Left;
  art::Text(cr, "КАК ГОВОРИТ", 232, 438, head);
  art::Text(cr, "КАССИРША:", 232, 454, head);
  // The paper behind both option lines, a rule between them.
  const Box& a = NoSubtitlesLine;
  const Box& b = SubtitlesLine;
  art::RoundedRect(cr, a.Left, a.Top, a.Right - a.Left, b.Bottom - a.Top, 6);
  art::Paint(cr, art::Style{pal::Paper, pal::Outline, 2, 0.15, 0});
  Line(cr, a.Left + 6, a.Bottom, a.Right - 6, a.Bottom, pal::Paper.Shade(0.3), 1.2);
  for (auto [y, text] :
       {std::pair{kOptionA, "РЕЧЬ БЕЗ СУБТИТРОВ"}, {kOptionB, "РЕЧЬ С СУБТИТРАМИ"}}) {
    art::TextStyle t = Letters(14, pal::Ink, art::Font::CondensedBold);
    t.Anchor = art::Align::Right;
    art::TextCentered(cr, text, OptionRight, y, t);
  }
  // A bubble icon marks the subtitled option.
  art::RoundedRect(cr, 578, 422, 40, 26, 8);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2, 0.1, 0});
  art::Polyline(cr, {588, 447, 584, 458, 597, 447}, false);
  art::Paint(cr, art::Style{pal::Cream, pal::Outline, 2, 0, 0});
  cairo_rectangle(cr, 589, 445, 8, 3);
  art::Fill(cr, pal::Cream);
  for (int i = 0; i < 3; ++i)
    Line(cr, 586, 430 + i * 5, 610 - (i == 2 ? 8 : 0), 430 + i * 5, pal::Ink, 1.6);
}

void MenuBackground(cairo_t* cr) {
  Street(cr, false);
  StreetLamp(cr, 80, true);
  Kiosk(cr, 200, true);
  Title(cr);
  // The strip for the hint line along the top edge.
  cairo_rectangle(cr, 0, 0, 640, 15);
  art::Fill(cr, pal::Outline.WithAlpha(0.55));
  MenuPanel(cr);
}

// A round lamp in a socket: dark when not chosen, glowing green with a tick when chosen.
void Selector01(cairo_t* cr, int pattern) {
  art::Circle(cr, 12, 10, 8.6);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, 2, 0.3, 0});
  if (pattern == 1) {
    Glow(cr, 12, 10, 11.5, 9.5, pal::Lime, 0.8);
    art::Circle(cr, 12, 10, 6.2);
    art::Paint(cr, art::Style{pal::Lime, pal::Outline, 1.2, 0.35, 0.8});
    art::Polyline(cr, {8.5, 10, 11, 13, 16, 6.5}, false);
    art::Stroke(cr, pal::Outline, 2.2);
  } else {
    art::Circle(cr, 12, 10, 6.2);
    art::Paint(cr, art::Style{pattern == 0 ? pal::Cream.Darker(0.15) : art::Hex(0x6A3A30),
                              pal::Outline, 1.2, 0.3, 0.3});
  }
}

// ===== Closing picture ======================================================================

void ClosingPicture(cairo_t* cr) {
  Street(cr, true);
  StreetLamp(cr, 604, true);
  const double kioskX = 56;
  Kiosk(cr, kioskX, false);
  // A cat asleep on the kiosk's sign.
  const double cx = kioskX + 196, cy = 133;
  art::Ellipse(cr, cx, cy, 26, 12);
  art::Paint(cr, art::Style{art::Hex(0xF09A48), pal::Outline, 2, 0.3, 0.2});
  art::Circle(cr, cx - 24, cy - 4, 10);
  art::Paint(cr, art::Style{art::Hex(0xF09A48), pal::Outline, 2, 0.3, 0.2});
  for (double s : {-1.0, 1.0}) {
    cairo_move_to(cr, cx - 24 + s * 8, cy - 10);
    cairo_line_to(cr, cx - 24 + s * 7, cy - 20);
    cairo_line_to(cr, cx - 24 + s * 1, cy - 13);
    art::Paint(cr, art::Style{art::Hex(0xF09A48), pal::Outline, 1.6, 0.2, 0});
    cairo_move_to(cr, cx - 24 + s * 6 - 2.5, cy - 4);
    cairo_curve_to(cr, cx - 24 + s * 6 - 1, cy - 2, cx - 24 + s * 6 + 1, cy - 2,
                   cx - 24 + s * 6 + 2.5, cy - 4);
    art::Stroke(cr, pal::Outline, 1.4);
  }
  cairo_move_to(cr, cx + 24, cy + 4);
  cairo_curve_to(cr, cx + 40, cy + 6, cx + 42, cy + 20, cx + 30, cy + 22);
  art::Stroke(cr, pal::Outline, 6);
  cairo_move_to(cr, cx + 24, cy + 4);
  cairo_curve_to(cr, cx + 40, cy + 6, cx + 42, cy + 20, cx + 30, cy + 22);
  art::Stroke(cr, art::Hex(0xF09A48), 3);
  art::TextStyle z = Letters(14, pal::Cream);
  art::Text(cr, "З", cx - 8, cy - 22, z);
  z.Size = 18;
  art::Text(cr, "З", cx + 4, cy - 36, z);
  // The goodbye.
  Glow(cr, 320, 54, 280, 50, pal::Yellow, 0.18);
  OutlinedText(cr, "СПАСИБО ЗА ИГРУ!", 320, 70, 46, pal::Yellow, 8);
  OutlinedText(cr, "КИОСК ЗАКРЫЛСЯ НА НОЧЬ,", 484, 222, 18, pal::Cream, 5);
  OutlinedText(cr, "НО УДАЧА НЕ СПИТ.", 484, 246, 18, pal::Cream, 5);
  OutlinedText(cr, "ПРИХОДИТЕ ЕЩЁ!", 484, 288, 28, pal::Tomato.Lighter(0.2), 6);
  OutlinedText(cr, "ДО НОВЫХ ВСТРЕЧ!", 320, 448, 34, pal::Yellow, 7);
  art::TextStyle hint = Letters(12, pal::Cream.WithAlpha(0.8), art::Font::CondensedBold);
  art::Text(cr, "ПРОБЕЛ, ENTER ИЛИ ESC — ВЫХОД", 320, 472, hint);
}

// ===== Sound ================================================================================

// The option click: a light two-note "tick-tock" on a wooden block.
content::WaveSpec OptionClick() {
  using namespace synth;
  constexpr int rate = 11000;
  Buffer out = Silence(0.18, rate);
  for (int i = 0; i < 2; ++i) {
    Buffer t = DecayedTone(synth::Wave::Sine, i == 0 ? 1320 : 990, i == 0 ? 1250 : 940, 0.09, rate,
                           0.001, 0.015);
    Buffer n = NoiseBurst(0.02, rate, 40 + i, 0.0005, 0.003, Filter::High, 2000);
    Mix(t, n, 0.4);
    MixAt(out, t, rate, i * 0.07);
  }
  Normalize(out, 0.8);
  FadeOut(out, rate, 0.01);
  return {"Boom01", false, ToPcm16(out), rate};
}

void Build(content::ContentSink& sink) {
  auto rect = [](int code, const Box& b) {
    return content::HitRect(code, b.Left, b.Top, b.Right, b.Bottom);
  };
  sink.Background(std::string(BackgroundEntry), 640, 480, MenuBackground);
  sink.HitMap(std::string(HitMapEntry), {
                                            rect(NoSubtitles, NoSubtitlesLine),
                                            rect(Subtitles, SubtitlesLine),
                                            rect(Exit, ExitButton),
                                        });
  sink.ImageList(std::string(ImagesEntry), {{"Selector01", SelectorW, SelectorH, 3, Selector01}});
  sink.WaveList(std::string(WavesEntry), {OptionClick()});
  sink.Background(std::string(ClosingEntry), 640, 480, ClosingPicture);
}

}  // namespace

VEPA_CONTENT_MODULE(screens_start_menu, Build);
