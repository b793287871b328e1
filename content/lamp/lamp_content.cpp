// The dark kiosk after the gallery's lamp was shot: the kiosk as it is by day with the light
// gone, the eyes that shine in the dark (the cashier's with their lids, the snake's, a mouse's
// under the door), the status bar's plates (the kiosk's own pictures) and the sound of the lamp
// breaking.
//
// Places and sizes come from minigames/lamp_layout.h, which the scene draws by.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/hub/hub_art.h"
#include "content/lib/draw.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "minigames/lamp_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace ll = vepa::lamp;

// The kiosk with its lamp out: nearly black, a little moonlight on the roof edges and the
// counter, so the player still makes out where he is.
void DrawDarkKiosk(cairo_t* cr) {
  hubart::DrawBackground(cr);
  cairo_rectangle(cr, 0, 0, 640, 480);
  art::Fill(cr, pal::Night.Darker(0.55).WithAlpha(0.9));
  art::FillRect(cr, 0, 0, 640, 480,
                art::LinearGradient(
                    0, 0, 0, 480, {{0, {0.55, 0.65, 0.95, 0.10}}, {0.6, {0.55, 0.65, 0.95, 0.0}}}));
  art::Vignette(cr, 640, 480, 0.6);
}

// A pair of eyes in the dark: glowing whites (or coloured irises) with pupils, in a w x h
// picture; `lid` 0 open, 1 half shut. The shut state is not drawn: the dark shows.
void EyePair(cairo_t* cr, double w, double h, double spacing, double r, const Color& iris,
             bool slit, int lid) {
  const double cy = h / 2;
  for (int side = -1; side <= 1; side += 2) {
    const double cx = w / 2 + side * spacing / 2;
    cairo_save(cr);
    if (lid == 1) {
      cairo_rectangle(cr, 0, cy - r * 0.1, w, h);
      cairo_clip(cr);
    }
    art::Glow(cr, cx, cy, r * 1.9, iris.WithAlpha(0.35));
    art::Ellipse(cr, cx, cy, r, r * 0.8);
    art::Paint(cr, art::Style{iris, pal::Outline, 1.2, 0.15, 0.2});
    if (slit)
      art::Ellipse(cr, cx + side * 0.5, cy, r * 0.22, r * 0.7);
    else
      art::Circle(cr, cx + side * 0.8, cy + 0.5, r * 0.42);
    art::Fill(cr, pal::Outline);
    art::Circle(cr, cx - r * 0.3, cy - r * 0.3, r * 0.18);
    art::Fill(cr, pal::White.WithAlpha(0.9));
    cairo_restore(cr);
    if (lid == 1) {
      Color lidColor = pal::Night.Lighter(0.1);
      art::Ellipse(cr, cx, cy - r * 0.1, r + 1, 1.6);
      art::Paint(cr, art::Style{lidColor, pal::Outline, 1, 0});
    }
  }
}

void DrawMouseEyes(cairo_t* cr, int lid) {
  EyePair(cr, ll::MouseEyesW, ll::MouseEyesH, 14, 5, pal::White, false, lid);
}
void DrawSnakeEyes(cairo_t* cr, int lid) {
  EyePair(cr, ll::SnakeEyesW, ll::SnakeEyesH, 18, 6, pal::Lime.Lighter(0.2), true, lid);
}

// The cashier's eyes behind the counter window, placed where his eyes are by day.
constexpr double kHostEyeY = 14, kHostEyeR = 10;
constexpr double kHostEyeX[2] = {17, 46};

void DrawHostEyes(cairo_t* cr, int) {
  for (double cx : kHostEyeX) {
    art::Glow(cr, cx, kHostEyeY, kHostEyeR * 1.7, pal::Cream.WithAlpha(0.25));
    art::Ellipse(cr, cx, kHostEyeY, kHostEyeR, kHostEyeR * 0.85);
    art::Paint(cr, art::Style{pal::White, pal::Outline, 1.6, 0.2, 0.3});
    art::Circle(cr, cx + 2, kHostEyeY + 1, 4);
    art::Fill(cr, pal::Outline);
    art::Circle(cr, cx + 0.5, kHostEyeY - 0.5, 1.2);
    art::Fill(cr, pal::White);
  }
}

// The lids over the cashier's eyes: pattern 0 open (only the edge shows), 1 half down, 2 shut.
void DrawHostLids(cairo_t* cr, int pattern) {
  const double drop = pattern == 0 ? 0.12 : pattern == 1 ? 0.55 : 1.05;
  const Color lid = pal::Night.Lighter(0.08);
  for (double cx : kHostEyeX) {
    const double top = kHostEyeY - kHostEyeR * 0.85 - 1;
    const double edge = top + drop * 2 * (kHostEyeR * 0.85 + 1);
    cairo_save(cr);
    art::Ellipse(cr, cx, kHostEyeY, kHostEyeR + 1.5, kHostEyeR * 0.85 + 1.5);
    cairo_clip(cr);
    cairo_rectangle(cr, cx - kHostEyeR - 2, top - 2, 2 * kHostEyeR + 4, edge - top + 2);
    art::Fill(cr, lid);
    cairo_restore(cr);
    cairo_new_path(cr);
    const double half =
        std::sqrt(std::max(0.0, 1 - std::pow((edge - kHostEyeY) / (kHostEyeR * 0.85 + 1), 2)));
    cairo_move_to(cr, cx - (kHostEyeR + 1) * half, edge);
    cairo_line_to(cr, cx + (kHostEyeR + 1) * half, edge);
    art::Stroke(cr, pal::Outline, 1.6);
  }
}

// The status bar's plates and gauge are the kiosk's own pictures.
std::vector<content::ImageSpec> StatusBarImages() {
  std::vector<content::ImageSpec> out;
  for (content::ImageSpec& spec : hubart::KioskImages())
    if (spec.Name == "Bilet02" || spec.Name == "Batar02" || spec.Name == "Batar03")
      out.push_back(std::move(spec));
  if (out.size() != 3) throw content::BuildError("the kiosk's status bar pictures are missing");
  return out;
}

// The lamp breaking: the pop of the bulb, the crash of the shade's glass and the shards that
// tinkle down after it, at the rate the scene plays it.
content::WaveSpec BreakingLamp() {
  constexpr int kRate = ll::BreakingRate;
  synth::Buffer out = synth::Silence(1.8, kRate);
  const synth::HitRecipe pop{.Seconds = 0.25,
                             .Tone = {.F0 = 900, .F1 = 180, .HalfLife = 0.02, .Gain = 0.6},
                             .Noise = {.Centre = 3000, .Q = 0.7, .HalfLife = 0.03, .Gain = 1.0},
                             .DriveGain = 2.0};
  synth::Mix(out, synth::Hit(pop, kRate), 0.9);
  // The crash: a burst of bright noise.
  synth::Buffer crash = synth::NoiseBurst(0.5, kRate, 77, 0.002, 0.06, synth::Filter::High, 2200);
  synth::MixAt(out, crash, kRate, 0.02, 0.8);
  // The shards: little glassy rings falling, thinning out.
  art::Rng rng(5);
  double t = 0.08;
  for (int i = 0; i < 26; ++i) {
    const double f = rng.Range(2600, 4800);
    synth::Buffer shard = synth::Bell(f, 0.18, kRate, 1.4);
    synth::MixAt(out, shard, kRate, t, rng.Range(0.12, 0.35) * (1 - i / 34.0));
    t += rng.Range(0.015, 0.07) * (1 + i / 10.0);
    if (t > 1.6) break;
  }
  return content::WaveFinish{.Rate = kRate, .FadeOut = 0.1}(ll::BreakingClip, out);
}

void Build(content::ContentSink& sink) {
  sink.Background(ll::Backdrop, 640, 480, DrawDarkKiosk);
  std::vector<content::ImageSpec> images = StatusBarImages();
  images.push_back({"PGlaz01", ll::MouseEyesW, ll::MouseEyesH, 2, DrawMouseEyes});
  images.push_back({"ZGlaz01", ll::SnakeEyesW, ll::SnakeEyesH, 2, DrawSnakeEyes});
  images.push_back({"RGlaz01", ll::HostEyesW, ll::HostEyesH, 1, DrawHostEyes});
  images.push_back({"RGlaz02", ll::HostEyesW, ll::HostEyesH, 3, DrawHostLids});
  sink.ImageList(ll::Sprites, images);
  sink.Sound(ll::BreakingClip, BreakingLamp());
}

}  // namespace

VEPA_CONTENT_MODULE(lamp, Build);
