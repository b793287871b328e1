// The hammer game: the score board, the hand lying on the table seen from above, its five
// fingers flat and lifted, the bandaged fingers, the hammer in its three swing pictures, the
// two knocks and the spoken instructions and cries.
//
// Hot spots the scene relies on: each finger's nail, lying flat, is where the hammer's face
// lands from that finger's hole (hole + StrikeOffset); every finger and bandage picture is
// drawn around the same screen geometry from its own top-left.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/limbs.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "minigames/hammer_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace hm = vepa::hammer;

struct Vec {
  double X, Y;
};

// A finger in screen coordinates: its knuckle on the palm and its nail lying flat.
struct FingerShape {
  Vec Base;
  double Radius;
};
constexpr FingerShape kFingerShapes[hm::Fingers] = {
    {{300, 290}, 13}, {{305, 240}, 11.5}, {{335, 232}, 12}, {{365, 240}, 11.5}, {{385, 262}, 10.5}};

Vec Nail(int i) {
  return {double(hm::Holes[i].X + hm::StrikeOffset.X), double(hm::Holes[i].Y + hm::StrikeOffset.Y)};
}
// The tip reaches a little past the nail.
constexpr double kTipBeyondNail = 3;

// The size a picture drawn from `at` needs to hold the finger, swollen by `grow`.
Vec PictureSize(int i, vepa::Point at, double grow) {
  const FingerShape& f = kFingerShapes[i];
  const Vec n = Nail(i);
  const double r = f.Radius + grow + 4;
  return {std::ceil(std::max(f.Base.X, n.X) + r - at.X),
          std::ceil(std::max(f.Base.Y, n.Y) + r - at.Y)};
}

// The finger from its knuckle towards the nail, `reach` of its full length (a lifted finger
// points at the eye and looks shorter), drawn in the picture's coordinates.
void DrawFinger(cairo_t* cr, int i, vepa::Point at, double reach, double grow, const Color& skin) {
  const FingerShape& f = kFingerShapes[i];
  const Vec n = Nail(i);
  const double bx = f.Base.X - at.X, by = f.Base.Y - at.Y;
  const double len = std::hypot(n.X - f.Base.X, n.Y - f.Base.Y);
  const double ux = (n.X - f.Base.X) / len, uy = (n.Y - f.Base.Y) / len;
  const double reachLen = (len + kTipBeyondNail) * reach;
  const double r = f.Radius + grow;
  art::FingerTo(cr, bx, by, bx + ux * (reachLen - r), by + uy * (reachLen - r), r, skin);
  // The knuckle's crease, where the finger bends.
  const double kx = bx + ux * reachLen * 0.45, ky = by + uy * reachLen * 0.45;
  cairo_move_to(cr, kx - uy * r * 0.5, ky + ux * r * 0.5);
  cairo_line_to(cr, kx + uy * r * 0.5, ky - ux * r * 0.5);
  art::Stroke(cr, pal::SkinShade, 1.1);
}

// The shadow a finger casts on the table, further off the higher it is lifted.
void FingerShadow(cairo_t* cr, int i, vepa::Point at, double offset, double alpha) {
  const FingerShape& f = kFingerShapes[i];
  const Vec n = Nail(i);
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, f.Base.X - at.X + offset, f.Base.Y - at.Y + offset);
  cairo_line_to(cr, n.X - at.X + offset, n.Y - at.Y + offset);
  art::SetColor(cr, pal::Shadow.WithAlpha(alpha));
  cairo_set_line_width(cr, 2 * f.Radius);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// Patterns: 0 flat on the table, 1 half lifted, 2 lifted.
void DrawLiftFinger(cairo_t* cr, int i, int lift) {
  const vepa::Point at = hm::FingerAt[i];
  FingerShadow(cr, i, at, 3 + 3 * lift, 0.22 - 0.03 * lift);
  const double reach = lift == 0 ? 1.0 : lift == 1 ? 0.8 : 0.62;
  DrawFinger(cr, i, at, reach, lift * 1.0, pal::Skin.Lighter(0.04 * lift));
}

void DrawBandage(cairo_t* cr, int i) {
  const vepa::Point at = hm::BandageAt[i];
  const FingerShape& f = kFingerShapes[i];
  const Vec n = Nail(i);
  FingerShadow(cr, i, at, 3, 0.22);
  // The finger swells and reddens.
  DrawFinger(cr, i, at, 1.0, 1.5, pal::Skin.Mix(pal::Pink, 0.45));
  // The bandage wound round its outer half, with a red spot where the hammer hit.
  const double bx = f.Base.X - at.X, by = f.Base.Y - at.Y;
  const double nx = n.X - at.X, ny = n.Y - at.Y;
  const double ux = (nx - bx), uy = (ny - by);
  art::Limb(cr, bx + ux * 0.38, by + uy * 0.38, bx + ux * 0.97, by + uy * 0.97, f.Radius + 2.5,
            pal::Cream, 1.8);
  const double len = std::hypot(ux, uy);
  const double px = -uy / len, py = ux / len;
  for (int k = 0; k < 4; ++k) {
    const double t = 0.45 + 0.14 * k;
    const double cx = bx + ux * t, cy = by + uy * t;
    const double r = f.Radius + 2;
    cairo_move_to(cr, cx + px * r - ux / len * 4, cy + py * r - uy / len * 4);
    cairo_line_to(cr, cx - px * r + ux / len * 4, cy - py * r + uy / len * 4);
    art::Stroke(cr, pal::Paper.Shade(0.15), 1.1);
  }
  art::Circle(cr, bx + ux * 0.86, by + uy * 0.86, 3.5);
  art::Fill(cr, pal::Red.WithAlpha(0.8));
}

// The back of the right hand lying flat, the wrist and the sleeve running to the bottom of
// the screen. Drawn in screen coordinates shifted by the hand's position.
void DrawHand(cairo_t* cr, int) {
  cairo_translate(cr, -hm::HandAt.X, -hm::HandAt.Y);
  // The hand's shadow on the table, softened by a few widening strokes.
  for (int k = 3; k >= 0; --k) {
    cairo_move_to(cr, 303, 246);
    cairo_curve_to(cr, 330, 232, 366, 234, 398, 254);
    cairo_curve_to(cr, 410, 290, 404, 330, 392, 360);
    cairo_line_to(cr, 398, 482);
    cairo_line_to(cr, 318, 482);
    cairo_curve_to(cr, 300, 330, 294, 280, 303, 246);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 2.0 + 3.0 * k);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    art::SetColor(cr, pal::Shadow.WithAlpha(0.07));
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
  }
  // Sleeve and wrist.
  cairo_move_to(cr, 314, 330);
  cairo_curve_to(cr, 312, 380, 306, 430, 300, 482);
  cairo_line_to(cr, 392, 482);
  cairo_curve_to(cr, 388, 430, 384, 380, 382, 330);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.2, 0});
  cairo_move_to(cr, 296, 420);
  cairo_curve_to(cr, 330, 412, 365, 412, 398, 420);
  cairo_line_to(cr, 404, 482);
  cairo_line_to(cr, 292, 482);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Cloth, pal::Outline, art::kOutline, 0.25, 0});
  art::RoundedRect(cr, 293, 412, 108, 16, 6);
  art::Paint(cr, art::Style{pal::Cloth.Lighter(0.25), pal::Outline, art::kOutline, 0.3, 0});
  // The palm's back, wider at the knuckles.
  cairo_move_to(cr, 296, 236);
  cairo_curve_to(cr, 320, 222, 360, 224, 392, 244);
  cairo_curve_to(cr, 404, 262, 400, 300, 388, 334);
  cairo_curve_to(cr, 370, 352, 330, 354, 308, 338);
  cairo_curve_to(cr, 290, 318, 286, 270, 296, 236);
  cairo_close_path(cr);
  art::Paint(cr, art::Style{pal::Skin, pal::Outline, art::kOutline, 0.22, 0});
  // Tendons and knuckle dimples.
  for (int i = 1; i < hm::Fingers; ++i) {
    const Vec b = kFingerShapes[i].Base;
    cairo_move_to(cr, b.X, b.Y + 10);
    cairo_line_to(cr, 345 + (b.X - 345) * 0.3, 330);
    art::Stroke(cr, pal::SkinShade.WithAlpha(0.35), 1.4);
    art::Ellipse(cr, b.X, b.Y + 4, 4, 2.5);
    art::Fill(cr, pal::SkinShade.WithAlpha(0.4));
  }
}

// The hammer: a steel head on a wooden handle that goes up out of sight. Its face lands at
// StrikeOffset in the striking picture; raised, the head is higher and tilted back.
void DrawHammer(cairo_t* cr, int step) {
  const double faceY = hm::StrikeOffset.Y;
  const double cx = hm::StrikeOffset.X;
  const double headY[] = {faceY - 105, faceY - 55, faceY - 22};  // the head's centre
  const double tilt[] = {-0.22, -0.1, 0};
  const double scale[] = {1.12, 1.05, 1.0};  // raised, it is closer to the eye
  cairo_save(cr);
  cairo_translate(cr, cx, headY[step]);
  cairo_rotate(cr, tilt[step]);
  cairo_scale(cr, scale[step], scale[step]);
  // The handle, up to the top of the picture and beyond.
  art::RoundedRect(cr, -9, -faceY - 40, 18, faceY + 40, 7);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, art::kOutline, 0.35, 0});
  cairo_move_to(cr, -3, -faceY);
  cairo_line_to(cr, -3, -24);
  art::Stroke(cr, pal::WoodLight.WithAlpha(0.7), 2);
  // The wedge through the head and the head itself.
  art::RoundedRect(cr, -44, -21, 88, 42, 7);
  art::Paint(cr, art::Style{pal::Steel, pal::Outline, art::kOutline, 0.4, 0.5});
  for (double s : {-1.0, 1.0}) {
    art::RoundedRect(cr, s < 0 ? -48 : 36, -23, 12, 46, 4);
    art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, art::kOutline, 0.35, 0});
  }
  art::RoundedRect(cr, -10, -21, 20, 8, 2);
  art::Paint(cr, art::Style{pal::Wood, pal::Outline, 1.2, 0.2, 0});
  cairo_restore(cr);
  if (step == 2) {
    // A burst of lines under the face: the blow.
    for (int k = 0; k < 5; ++k) {
      const double a = M_PI * (0.1 + 0.2 * k);
      cairo_move_to(cr, cx - std::cos(a) * 48, faceY + 2 - std::sin(a) * 6);
      cairo_line_to(cr, cx - std::cos(a) * 62, faceY + 6 - std::sin(a) * 2);
      art::Stroke(cr, pal::Yellow, 2.2);
    }
  }
}

void DrawBoard(cairo_t* cr, int) {
  art::Panel(cr, 1, 1, hm::BoardWidth - 3, hm::BoardHeight - 3,
             art::PanelStyle{pal::WoodDark, 6, 3, false, false});
  art::RoundedRect(cr, 8, 4, hm::BoardWidth - 17, hm::BoardHeight - 10, 3);
  art::Paint(cr, art::Style{pal::Night, pal::Outline, 1.2, 0.1, 0});
}

std::vector<int16_t> Knock(int rate, bool finger) {
  // A dull, fleshy thud with a crack in it.
  const synth::HitRecipe thud{.Seconds = 0.45,
                              .Tone = {.F0 = 150, .F1 = 55, .HalfLife = 0.07},
                              .Noise = {.Centre = 900, .Q = 0.8, .HalfLife = 0.05, .Gain = 0.9},
                              .DriveGain = 2.2,
                              .Seed = 21};
  // The hammer knocks on the wooden table.
  const synth::HitRecipe knock{
      .Seconds = 0.25,
      .Tone = {.Shape = synth::Wave::Triangle, .F0 = 520, .F1 = 300, .HalfLife = 0.03},
      .Noise = {.Centre = 2600, .Q = 1.4, .HalfLife = 0.012, .Gain = 0.7},
      .Seed = 22};
  const synth::HitRecipe& r = finger ? thud : knock;
  return content::WaveFinish{.Rate = rate}.Pcm(synth::Hit(r, rate));
}

// The game's host explains; the player cries out when the hammer finds him.
const content::Voice kHost{.Pitch = 28, .Speed = 150, .Range = 55};

void Build(content::ContentSink& sink) {
  std::vector<content::ImageSpec> images;
  images.push_back({"Tablo01", hm::BoardWidth, hm::BoardHeight, 1, DrawBoard});
  images.push_back({"Ruka01", 160, 480 - hm::HandAt.Y, 1, DrawHand});
  for (int i = 0; i < hm::Fingers; ++i) {
    const Vec size = PictureSize(i, hm::FingerAt[i], 10);  // room for the lifted shadow
    images.push_back({"Palec0" + std::to_string(i + 1), int(size.X), int(size.Y), hm::LiftPatterns,
                      [i](cairo_t* cr, int p) { DrawLiftFinger(cr, i, p); }});
  }
  for (int i = 0; i < hm::Fingers; ++i) {
    const Vec size = PictureSize(i, hm::BandageAt[i], 6);
    images.push_back({"Palec1" + std::to_string(i + 1), int(size.X), int(size.Y), 1,
                      [i](cairo_t* cr, int) { DrawBandage(cr, i); }});
  }
  for (int s = 0; s < hm::SwingPictures; ++s)
    images.push_back({"Molot1" + std::to_string(s + 1), 190, hm::StrikeOffset.Y + 14, 1,
                      [s](cairo_t* cr, int) { DrawHammer(cr, s); }});
  sink.ImageList(hm::Images, images);
  sink.WaveList(hm::Waves, {{"Boom01", false, Knock(11000, true), 11000},
                            {"Boom02", false, Knock(22000, false), 22000}});
  sink.SpokenClip("mol001", "Клавиши один, два, три, четыре, пять или стрелки поднимают пальцы.",
                  11000, kHost);
  sink.SpokenClip("mol002", "Для начала игры подними средний палец!", 11000, kHost);
  sink.SpokenClip("mol005", "Ой-ой-ой! Мой палец!", 12000, content::kPlayerVoice);
  sink.SpokenClip("mol006", "Ай! Больно же!", 12000, content::kPlayerVoice);
  sink.SpokenClip("mol007", "Уй-уй-уй! Ну кто так бьёт?!", 12000, content::kPlayerVoice);
}

}  // namespace

VEPA_CONTENT_MODULE(hammer, Build);
