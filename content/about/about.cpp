// The about screen's picture "r_abot01": a school chalkboard in the back room of the kiosk,
// with who made the game chalked on it and the makers' photographs pinned up. The game writes
// the build date under "СОБРАНО:" at (330, 380) and draws the "КИОСК" button at the lower left,
// so both places are left free.
#include <cairo.h>

#include <cmath>
#include <string>

#include "content.h"
#include "content/books/book_art.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "content/lib/palette.h"
#include "screens/book_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;

constexpr Color kBoard = art::Hex(0x2F4A3A);
constexpr Color kChalk = art::Hex(0xF2F0E6);

art::TextStyle Chalk(double size, art::Font face = art::Font::SansBold) {
  art::TextStyle s{.Face = face, .Size = size, .Fill = kChalk.WithAlpha(0.92)};
  return s;
}

void ChalkSmudges(cairo_t* cr) {
  art::Rng rng(19);
  for (int i = 0; i < 14; ++i) {
    const double x = rng.Range(90, 570), y = rng.Range(50, 380);
    art::Ellipse(cr, x, y, rng.Range(20, 60), rng.Range(6, 16));
    art::Fill(cr, kChalk.WithAlpha(0.035));
  }
}

// Three cucumbers in a row: the studio's sign.
void Cucumbers(cairo_t* cr, double cx, double cy) {
  for (int i = 0; i < 3; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx + (i - 1) * 22, cy);
    cairo_rotate(cr, (i - 1) * 0.35);
    art::Ellipse(cr, 0, 0, 8, 20);
    art::Paint(cr, art::Style{pal::Green, pal::Outline, 1.8, 0.3, 0.4});
    for (int k = 0; k < 4; ++k) {
      art::Circle(cr, (k % 2 ? 3 : -3), -12 + k * 7, 1.2);
      art::Fill(cr, pal::Lime.Lighter(0.4));
    }
    cairo_restore(cr);
  }
}

void DrawAbout(cairo_t* cr) {
  // The back room wall.
  art::VerticalGradient(cr, 0, 0, 640, 480, pal::Wood.Lighter(0.1), pal::Wood.Darker(0.4));
  for (int x = 0; x < 640; x += 40) {
    cairo_rectangle(cr, x, 0, 20, 480);
    art::Fill(cr, pal::Cream.WithAlpha(0.05));
  }
  // The chalkboard in its wooden frame, with the chalk tray.
  const double bx = 64, by = 18, bw = 540, bh = 398;
  art::GroundShadow(cr, bx + bw / 2 + 8, by + bh + 14, bw / 2, 12, 0.3);
  art::RoundedRect(cr, bx, by, bw, bh, 8);
  art::Paint(cr, art::Style{pal::WoodDark, pal::Outline, art::kOutline, 0.3, 0.1});
  art::RoundedRect(cr, bx + 12, by + 12, bw - 24, bh - 24, 3);
  art::Paint(cr, art::Style{kBoard, pal::Outline, 1.8, -0.1});
  ChalkSmudges(cr);
  art::RoundedRect(cr, bx + 20, by + bh - 6, bw - 40, 14, 4);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 2, 0.3});
  art::RoundedRect(cr, 420, by + bh - 12, 26, 8, 3);
  art::Paint(cr, art::Style{pal::White, pal::Outline, 1.2, 0.2});
  art::RoundedRect(cr, 460, by + bh - 16, 48, 12, 3);
  art::Paint(cr, art::Style{pal::Yellow.Darker(0.2), pal::Outline, 1.4, 0.2});

  // The chalked text.
  art::Text(cr, "ПЕЛКО ВЕПА 4", 334, 78, Chalk(40, art::Font::CondensedBold));
  cairo_move_to(cr, 190, 90);
  cairo_curve_to(cr, 260, 96, 400, 96, 478, 88);
  art::Stroke(cr, kChalk.WithAlpha(0.7), 2.4);
  art::Text(cr, "ЭТУ ИГРУ СЛЕПИЛИ ИЗ ПЛАСТИЛИНА:", 334, 122, Chalk(19));

  // The makers, each with a photograph pinned up, a name and a role.
  struct Maker {
    int Sitter;
    const char* FirstName;
    const char* Surname;
    const char* Role1;
    const char* Role2;
  };
  const Maker makers[3] = {
      {3, "ТИМОФЕЙ", "ЛУКОВКИН", "КОД, КАРТИНКИ, ЗВУК", "И ГОЛОС ИГРОКА"},
      {7, "ЗОЯ", "ПРЯНИКОВА", "ИДЕИ, ШУТКИ", "И ПИРОЖКИ"},
      {6, "КОТ", "БАРСИК", "ГЛАВНЫЙ ТЕСТЕР", "И ГОЛОС ФИСА"},
  };
  for (int i = 0; i < 3; ++i) {
    const double cx = 152 + i * 182;
    cairo_save(cr);
    cairo_translate(cr, cx - 48, 138);
    books::DrawPortraitPhoto(cr, 96, 118, makers[i].Sitter);
    cairo_restore(cr);
    art::Circle(cr, cx, 142, 5);
    art::Paint(cr, art::Style{pal::Red, pal::Outline, 1.4, 0.3, 0.6});
    art::Text(cr, makers[i].FirstName, cx, 274, Chalk(15));
    art::Text(cr, makers[i].Surname, cx, 290, Chalk(15));
    art::Text(cr, makers[i].Role1, cx, 307, Chalk(12, art::Font::CondensedBold));
    art::Text(cr, makers[i].Role2, cx, 321, Chalk(12, art::Font::CondensedBold));
  }
  Cucumbers(cr, 112, 346);
  art::Text(cr, "СТУДИЯ «ТРИ ОГУРЦА», ПОСЕЛОК КИОСКОВО", 360, 352, Chalk(15));
  // The build date follows this, written by the game.
  art::Text(cr, "СОБРАНО:", vepa::book::AboutDateX, vepa::book::AboutDateY - 6, Chalk(14));
  art::Vignette(cr, 640, 480, 0.45);
}

void Build(content::ContentSink& sink) { sink.Background("r_abot01", 640, 480, DrawAbout); }

}  // namespace

VEPA_CONTENT_MODULE(about, Build);
