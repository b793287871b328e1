// Rock-paper-scissors: the three shape buttons and their marker, the fist both players swing,
// the two forearms, the hands opening into scissors and paper, the buttons' hit map and the
// player's spoken words.
//
// Hot spots the scene relies on (screen positions at the throw, both arms at angle -20):
//   The opponent's forearm ends at the wrist (537, 292); his fist "Ruka01" is drawn from
//   (451, 213), so its wrist sits at (86, 79) of the picture, the arm pointing to the lower
//   right. The player's fist is the same picture mirrored about (188, 211): wrist at (100, 286).
//   "Ruka02" at (410, 190) has the opponent's wrist at (127, 102); "Ruka04" at (88, 185) has
//   the player's at (12, 101).
//   "Ruka03" is the forearm from the elbow (x 0, middle row) to the wrist (x 136).
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "minigames/rps_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace rps = vepa::rps;

constexpr double kTurn = 2 * std::numbers::pi;
// The arm's direction at the throw (angle -20 of 256 for the player, -110 for the opponent).
const double kPlayerArm = -20 * kTurn / 256;
const double kOpponentArm = -110 * kTurn / 256;
// The hands are drawn a size larger than the pointer's, as they are closer to the eye.
constexpr double kHandScale = 1.25;

// One hand in the arm's frame: the wrist at (0, 0), the arm's direction along +x, the thumb's
// side at -y. shape 0 is the fist; scissors and paper open in steps 1..3.
void Hand(cairo_t* cr, int shape, int step) {
  const double open = shape == rps::Rock ? 0 : step / 3.0;
  // The wrist, which the forearm's end covers.
  art::RoundedRect(cr, -12, -18, 20, 36, 8);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.2, 0});
  if (shape == rps::Paper) {
    // The flat hand: four fingers straighten out one over the other, the thumb goes up.
    for (int i = 3; i >= 0; --i) {
      const double y = -12 + i * 8.5;
      const double bend = (1 - open) * (1.6 - 0.1 * i);
      const double len = 22 + 10 * open - (i == 3 ? 5 : 0);
      art::FingerTo(cr, 34, y, 34 + std::cos(bend) * len, y + std::sin(bend) * len, 5.2);
    }
    art::RoundedRect(cr, 0, -20, 40, 42, 12);
    art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.22, 0});
    const double thumb = -0.9 - 0.5 * open, thumbLen = 16 + 6 * open;
    art::FingerTo(cr, 22, -16, 22 + std::cos(thumb) * thumbLen, -16 + std::sin(thumb) * thumbLen,
                  5.5);
    return;
  }
  // Palm and curled fingers, seen from the side.
  art::RoundedRect(cr, 0, -22, 46, 44, 14);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.22, 0});
  const int curled0 = shape == rps::Scissors ? 2 : 0;  // scissors keep only two curled
  for (int i = curled0; i < 4; ++i) {
    const double y = -12 + i * 9;
    art::Limb(cr, 30, y, 44, y + 1, 4.6, pal::Skin.Shade(0.05));
  }
  if (shape == rps::Scissors) {
    // Index and middle finger come out and spread apart.
    const double spread = 0.1 + 0.5 * open;
    const double len = 10 + 26 * open;
    art::FingerTo(cr, 40, -4, 40 + std::cos(spread / 2) * len, -4 + std::sin(spread / 2) * len, 5);
    art::FingerTo(cr, 40, -13, 40 + std::cos(spread / 2) * (len + 2),
                  -13 - std::sin(spread / 2) * (len + 2), 5);
  }
  // The thumb lies across the top of the curled fingers.
  art::Limb(cr, 14, -19, 34, -13, 5.2, pal::Skin.Lighter(0.06));
  cairo_move_to(cr, 14, 8);
  cairo_curve_to(cr, 18, 12, 24, 12, 28, 9);
  art::Stroke(cr, pal::SkinShade, 1.2);
}

// Sets the arm's frame: wrist at (x, y), pointing along angle a; flipped so that the thumb's
// side (-y) is up on the screen whichever way the arm points.
void ArmFrame(cairo_t* cr, double x, double y, double a) {
  cairo_translate(cr, x, y);
  cairo_rotate(cr, a);
  if (std::cos(a) < 0) cairo_scale(cr, 1, -1);
  cairo_scale(cr, kHandScale, kHandScale);
}

// The fist both players swing (the player's is drawn mirrored): the opponent's, pointing away
// from his wrist at the lower right, up and to the left.
void DrawFist(cairo_t* cr, int) {
  cairo_save(cr);
  ArmFrame(cr, 86, 79, kOpponentArm);
  Hand(cr, rps::Rock, 0);
  cairo_restore(cr);
}

void DrawOpponentHand(cairo_t* cr, int pattern) {
  cairo_save(cr);
  ArmFrame(cr, 127, 102, kOpponentArm);
  Hand(cr, pattern < 3 ? rps::Scissors : rps::Paper, pattern % 3 + 1);
  cairo_restore(cr);
}

void DrawPlayerHand(cairo_t* cr, int pattern) {
  cairo_save(cr);
  ArmFrame(cr, 12, 101, kPlayerArm);
  Hand(cr, pattern < 3 ? rps::Scissors : rps::Paper, pattern % 3 + 1);
  cairo_restore(cr);
}

// The forearm from the elbow (left) to the wrist (right), the upper side at the top. Patterns
// 0 and 1 are the player's blue sleeve, 2 and 3 the opponent's striped one; 1 and 3 are
// upside down, for an arm that is turned over to point left.
void DrawForearm(cairo_t* cr, int pattern) {
  const double w = rps::ForearmLength, h = rps::ForearmThickness;
  cairo_save(cr);
  if (pattern % 2 == 1) {
    cairo_translate(cr, 0, h);
    cairo_scale(cr, 1, -1);
  }
  const bool player = pattern < 2;
  // Bare forearm narrowing to the wrist.
  cairo_move_to(cr, 40, 4);
  cairo_line_to(cr, w - 4, 8);
  cairo_curve_to(cr, w + 1, 9, w + 1, h - 9, w - 4, h - 8);
  cairo_line_to(cr, 40, h - 3);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.2, 0});
  cairo_move_to(cr, 70, h - 12);
  cairo_curve_to(cr, 85, h - 9, 100, h - 10, 112, h - 14);
  art::Stroke(cr, pal::SkinShade.WithAlpha(0.6), 1.2);
  // The sleeve, rolled up to mid forearm.
  const Color cloth = player ? pal::Cloth : pal::Cream;
  cairo_move_to(cr, -4, 1);
  cairo_line_to(cr, 72, 2);
  cairo_curve_to(cr, 78, 10, 78, h - 10, 72, h - 2);
  cairo_line_to(cr, -4, h - 1);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{cloth, pal::Outline, art::kOutline, 0.25, 0});
  if (!player) {
    // Sailor stripes across the sleeve.
    cairo_save(cr);
    cairo_move_to(cr, -4, 1);
    cairo_line_to(cr, 72, 2);
    cairo_curve_to(cr, 78, 10, 78, h - 10, 72, h - 2);
    cairo_line_to(cr, -4, h - 1);
    cairo_close_path(cr);
    cairo_clip(cr);
    for (int i = 0; i < 6; ++i) {
      cairo_rectangle(cr, 2 + i * 13, 0, 6, h);
      art::Fill(cr, pal::Navy);
    }
    cairo_restore(cr);
  }
  // The rolled cuff.
  art::RoundedRect(cr, 62, 0, 14, h, 6);
  art::Paint(cr, art::Style{player ? pal::Cloth.Lighter(0.25) : pal::Navy, pal::Outline,
                            art::kOutline, 0.3, 0});
  cairo_restore(cr);
}

// The buttons: a rock, scissors and a sheet of paper on raised plates.
void DrawButton(cairo_t* cr, int shape) {
  const double w = rps::ButtonWidth, h = rps::ButtonHeight;
  art::Panel(cr, 2, 2, w - 5, h - 5,
             art::PanelStyle{shape == rps::Rock       ? pal::Teal
                             : shape == rps::Scissors ? pal::Orange
                                                      : pal::Purple,
                             12, 4, false, true});
  const double cx = w / 2 - 1, cy = h / 2 - 1;
  if (shape == rps::Rock) {
    cairo_move_to(cr, cx - 22, cy + 12);
    cairo_curve_to(cr, cx - 26, cy - 4, cx - 10, cy - 20, cx + 4, cy - 16);
    cairo_curve_to(cr, cx + 20, cy - 14, cx + 26, cy, cx + 22, cy + 12);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Steel, pal::Outline, art::kOutline, 0.35, 0.4});
    art::Polyline(cr, {cx - 8, cy - 6, cx - 2, cy + 2, cx + 8, cy}, false);
    art::Stroke(cr, pal::SteelDark, 1.4);
  } else if (shape == rps::Scissors) {
    // Two blades crossing at a screw, two round handles below.
    art::Limb(cr, cx - 4, cy + 6, cx + 14, cy - 20, 3, pal::Steel);
    art::Limb(cr, cx + 4, cy + 6, cx - 14, cy - 20, 3, pal::Steel);
    for (double s : {-1.0, 1.0}) {
      art::Circle(cr, cx + 11 * s, cy + 15, 7);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, cx + 11 * s, cy + 15, 3.5, 0, -kTurn);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      art::Paint(cr, art::Style{pal::Red, pal::Outline, art::kOutline, 0.3, 0});
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    }
    art::Circle(cr, cx, cy + 2, 2.5);
    art::Paint(cr, art::Style{pal::Brass, pal::Outline, 1.2, 0.2, 0});
  } else {
    // A sheet with a folded corner and lines of writing.
    cairo_move_to(cr, cx - 16, cy - 22);
    cairo_line_to(cr, cx + 8, cy - 22);
    cairo_line_to(cr, cx + 17, cy - 13);
    cairo_line_to(cr, cx + 17, cy + 22);
    cairo_line_to(cr, cx - 16, cy + 22);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{pal::Cream, pal::Outline, art::kOutline, 0.15, 0});
    art::Polyline(cr, {cx + 8, cy - 22, cx + 8, cy - 13, cx + 17, cy - 13}, false);
    art::Stroke(cr, pal::Outline, 1.4);
    for (int i = 0; i < 4; ++i) {
      cairo_move_to(cr, cx - 11, cy - 8 + 8 * i);
      cairo_line_to(cr, cx + (i == 3 ? 2 : 12), cy - 8 + 8 * i);
      art::Stroke(cr, pal::Blue.WithAlpha(0.6), 1.3);
    }
  }
}

// The marker above the chosen button: a yellow arrow pointing down.
void DrawMarker(cairo_t* cr, int) {
  const double w = rps::MarkerWidth, h = rps::MarkerHeight;
  cairo_move_to(cr, w * 0.3, 1.5);
  cairo_line_to(cr, w * 0.7, 1.5);
  cairo_line_to(cr, w * 0.7, h * 0.5);
  cairo_line_to(cr, w - 1.5, h * 0.5);
  cairo_line_to(cr, w / 2, h - 1.5);
  cairo_line_to(cr, 1.5, h * 0.5);
  cairo_line_to(cr, w * 0.3, h * 0.5);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 1.6, 0.3, 0.3});
}

std::vector<content::HitShape> ButtonCodes() {
  std::vector<content::HitShape> shapes;
  for (int i = 0; i < rps::ShapeCount; ++i) {
    const int x = rps::ButtonX0 + rps::ButtonStep * i;
    shapes.push_back(content::HitRect(i + 1, x + 2, rps::ButtonY + 2, x + rps::ButtonWidth - 3,
                                      rps::ButtonY + rps::ButtonHeight - 3));
  }
  return shapes;
}

// The player's voice: young and quick, as in the kiosk.
constexpr int kRate = 14000;
constexpr double kCountBeat = 0.75;  // seconds a word of the count lasts

void Build(content::ContentSink& sink) {
  sink.ImageList(
      rps::Images,
      {
          {"Knopka01", rps::ButtonWidth, rps::ButtonHeight, rps::ShapeCount, DrawButton},
          {"Strelka01", rps::MarkerWidth, rps::MarkerHeight, 1, DrawMarker},
          {"Ruka01", rps::FistWidth, rps::FistHeight, 1, DrawFist},
          {"Ruka02", rps::HandWidth, rps::HandHeight, rps::HandPatterns, DrawOpponentHand},
          {"Ruka03", rps::ForearmLength, rps::ForearmThickness, rps::ForearmPatterns, DrawForearm},
          {"Ruka04", rps::HandWidth, rps::HandHeight, rps::HandPatterns, DrawPlayerHand},
      });
  sink.HitMap(rps::HitMap, ButtonCodes());
  const struct {
    const char* Name;
    const char* Text;
  } clips[] = {
      {"knd01", "Камень! Ножницы! Бумага!"},
      {"knd05", "Ничья! Победила дружба."},
      {"knd06", "Ха! Мой камень погнёт твои ножницы!"},
      {"knd08", "Эх... Ты обернул мой камень своей бумагой."},
      {"knd09", "Ой! Я сломал мои ножницы об твой камень."},
      {"knd10", "Чик-чик! Я порежу твою бумагу!"},
      {"knd11", "Ага! Я обернул своей бумагой твой камень!"},
      {"knd13", "Ну вот... Ты порезал мою бумагу."},
  };
  for (const auto& c : clips) sink.SpokenClip(c.Name, c.Text, kRate, content::kPlayerVoice);
  // The count keeps a beat: each word is held to the same length, so "раз, два, три" leaves
  // the player a moment to think between the words.
  const struct {
    const char* Name;
    const char* Text;
  } count[] = {{"knd02", "Раз!"}, {"knd03", "Два!"}, {"knd04", "Три!"}};
  for (const auto& c : count) {
    std::vector<int16_t> samples = content::Speak(c.Text, kRate, content::kPlayerVoice);
    samples.resize(std::max(samples.size(), static_cast<size_t>(kRate * kCountBeat)), 0);
    sink.Sound(c.Name, {c.Name, false, std::move(samples), kRate});
  }
}

}  // namespace

VEPA_CONTENT_MODULE(rps, Build);
