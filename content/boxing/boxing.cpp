// Boxing: the ring from above with its ropes, corner posts and the hall around it, the two
// boxers (head and shoulders, and the arm in three poses from bent to stretched: the computer's
// with blue gloves, the player's with red ones), the blood, the swings and groans of the bout,
// and the ring announcer's four calls.
//
// Every picture faces right (the scene mirrors it for a boxer facing left). An arm picture's
// top-left corner is the shoulder; the layout's glove positions are where a punch lands.
#include <cairo.h>

#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/draw.h"
#include "content/lib/palette.h"
#include "content/lib/synth.h"
#include "content/lib/wave_finish.h"
#include "minigames/boxing_layout.h"

namespace {

using art::Color;
namespace pal = art::pal;
namespace bx = vepa::boxing;

constexpr int kBoutRate = 12000, kEffectRate = 12000, kClipRate = 11000;

// ---- The ring --------------------------------------------------------------------------------

// The inner line of the ropes; the boxers' centres stay 40 pixels or more inside it.
constexpr double kRingL = 36, kRingT = 54, kRingR = 604, kRingB = 428;
constexpr Color kMat = art::Hex(0xD9DCE4), kApron = art::Hex(0x27406E);
constexpr Color kRopeRed = art::Hex(0xC8342C), kRopeWhite = art::Hex(0xF3EEE4);

void CrowdHead(cairo_t* cr, double x, double y, double r, art::Rng& rng) {
  const Color hair[] = {art::Hex(0x3A2418), art::Hex(0x6A4424), art::Hex(0x1E1A1A),
                        art::Hex(0xB07A3A), art::Hex(0x8A8A8A)};
  const Color shirt[] = {pal::Red, pal::Blue, pal::Green, pal::Yellow, pal::Purple, pal::Teal};
  art::Ellipse(cr, x, y + r * 0.9, r * 1.5, r * 0.9);
  art::Paint(cr, art::Style{shirt[rng.Int(6)].Darker(0.45), pal::Outline, 1.0, 0.15});
  art::Circle(cr, x, y, r);
  art::Paint(cr, art::Style{hair[rng.Int(5)].Darker(0.25), pal::Outline, 1.0, 0.2});
}

void Post(cairo_t* cr, double x, double y, const Color& pad) {
  art::GroundShadow(cr, x + 4, y + 5, 15, 13, 0.45);
  art::Circle(cr, x, y, 13);
  art::Paint(cr, art::Style{pal::SteelDark, pal::Outline, art::kOutline, 0.3, 0.4});
  art::Circle(cr, x, y, 9);
  art::Paint(cr, art::Style{pad, pal::Outline, 1.4, 0.3, 0.6});
}

void Rope(cairo_t* cr, double x1, double y1, double x2, double y2, double offset) {
  const double nx = y1 == y2 ? 0 : 1, ny = y1 == y2 ? 1 : 0;
  for (int i = 0; i < 3; ++i) {
    const double d = (i - 1) * offset;
    const Color c = i == 1 ? kRopeWhite : kRopeRed;
    cairo_move_to(cr, x1 + nx * d, y1 + ny * d);
    cairo_line_to(cr, x2 + nx * d, y2 + ny * d);
    art::Stroke(cr, pal::Outline, 5.2);
    cairo_move_to(cr, x1 + nx * d, y1 + ny * d);
    cairo_line_to(cr, x2 + nx * d, y2 + ny * d);
    art::Stroke(cr, c, 3);
    cairo_move_to(cr, x1 + nx * d - 0.8, y1 + ny * d - 0.8);
    cairo_line_to(cr, x2 + nx * d - 0.8, y2 + ny * d - 0.8);
    art::Stroke(cr, pal::White.WithAlpha(0.45), 1);
  }
}

void DrawRing(cairo_t* cr) {
  // The dark hall with the crowd all round.
  art::VerticalGradient(cr, 0, 0, 640, 480, art::Hex(0x2A2238), art::Hex(0x15111E));
  art::Rng rng(66);
  for (int row = 0; row < 2; ++row) {
    for (double x = 8 + row * 9; x < 640; x += 19 + rng.Range(0, 5)) {
      CrowdHead(cr, x, 10 + row * 14 + rng.Range(-2, 2), 7, rng);
      CrowdHead(cr, x + 4, 456 + row * 12 + rng.Range(-2, 2), 7, rng);
    }
  }
  for (double y = 50; y < 440; y += 21 + rng.Range(0, 4)) {
    CrowdHead(cr, 7 + rng.Range(-2, 2), y, 6.5, rng);
    CrowdHead(cr, 633 + rng.Range(-2, 2), y + 9, 6.5, rng);
  }
  // The apron and the mat.
  art::RoundedRect(cr, kRingL - 20, kRingT - 20, kRingR - kRingL + 40, kRingB - kRingT + 40, 6);
  art::Paint(cr, art::Style{kApron, pal::Outline, art::kOutline, 0.2});
  cairo_rectangle(cr, kRingL - 8, kRingT - 8, kRingR - kRingL + 16, kRingB - kRingT + 16);
  art::Fill(cr, kMat);
  art::Grain(cr, kRingL - 8, kRingT - 8, kRingR - kRingL + 16, kRingB - kRingT + 16, 12, 0.05,
             0.35);
  // The emblem in the middle of the mat, faded into the canvas.
  const double cx = (kRingL + kRingR) / 2, cy = (kRingT + kRingB) / 2;
  art::Circle(cr, cx, cy, 78);
  art::Stroke(cr, kApron.WithAlpha(0.18), 6);
  art::Star(cr, cx, cy, 52, 22, 5);
  art::Fill(cr, kRopeRed.WithAlpha(0.12));
  // The spotlight over the ring, darker towards the corners.
  art::Glow(cr, cx, cy, 330, pal::White.WithAlpha(0.22));
  cairo_save(cr);
  cairo_rectangle(cr, kRingL - 8, kRingT - 8, kRingR - kRingL + 16, kRingB - kRingT + 16);
  cairo_clip(cr);
  art::Vignette(cr, 640, 480, 0.35, 0.45);
  cairo_restore(cr);
  // Ropes and the four posts: the computer's blue corner, the player's red, two white ones.
  Rope(cr, kRingL, kRingT, kRingR, kRingT, 4);
  Rope(cr, kRingL, kRingB, kRingR, kRingB, 4);
  Rope(cr, kRingL, kRingT, kRingL, kRingB, 4);
  Rope(cr, kRingR, kRingT, kRingR, kRingB, 4);
  Post(cr, kRingL, kRingT, pal::Blue);
  Post(cr, kRingR, kRingT, kRopeWhite);
  Post(cr, kRingL, kRingB, kRopeWhite);
  Post(cr, kRingR, kRingB, kRopeRed);
  // The boards behind the score and the clock.
  for (double y : {double(bx::ScoreY), double(bx::ClockY)}) {
    art::Panel(cr, bx::ScoreX + 2, y - 5, 52, 24,
               art::PanelStyle{art::Hex(0x3A2A22), 5, 3, false, true});
    cairo_rectangle(cr, bx::ScoreX + 6, y - 2, 44, 18);
    art::Fill(cr, art::Hex(0x140E0C));
  }
}

// ---- The boxers ------------------------------------------------------------------------------

struct Look {
  Color Skin, Hair, Glove, Trim;
  bool Bald;
};
const Look kOpponentLook{art::Hex(0xD9A070), art::Hex(0x2A1C16), pal::Blue, pal::White, true};
const Look kPlayerLook{pal::Skin, art::Hex(0xB8642A), pal::Red, pal::White, false};

// Head and shoulders from above, looking right; the shoulders sit at the picture's top and
// bottom edges where the arms join. Pattern 1: dazed by a blow.
void DrawHead(cairo_t* cr, int pattern, const Look& look, double w) {
  const double h = bx::HeadH, cy = h / 2;
  const double back = pattern == 1 ? -2 : 0;  // a hurt head is knocked back a little
  // Shoulders and the top of the chest.
  art::Ellipse(cr, w * 0.3, cy, w * 0.25, h / 2 - 1.2);
  art::Paint(cr, art::Style{look.Skin, pal::Outline, art::kOutline, 0.3, 0.3});
  // Ears, the head, the nose.
  const double hx = w * 0.54 + back, r = 11.5;
  for (int s : {-1, 1}) {
    art::Ellipse(cr, hx - 1, cy + s * (r - 0.5), 3.2, 2.6);
    art::Paint(cr, art::Style{look.Skin.Shade(0.1), pal::Outline, 1.2, 0.1});
  }
  art::Ellipse(cr, hx + 4.5 + r * 0.6, cy, 3.2, 2.6);
  art::Paint(cr, art::Style{pattern == 1 ? art::Hex(0xE0705A) : look.Skin, pal::Outline, 1.3, 0.2});
  art::Ellipse(cr, hx, cy, r + 1, r);
  art::Paint(cr, art::Style{look.Skin, pal::Outline, art::kOutline, 0.3, 0.4});
  if (look.Bald) {
    // A shaved head with a shine and a dark stubble ring.
    art::Ellipse(cr, hx - 2, cy, r - 1.5, r - 2.2);
    art::Fill(cr, look.Hair.WithAlpha(0.28));
    art::Shine(cr, hx - 1, cy - 4, 4, 2.5, 0.7);
  } else {
    // A mop of hair swept back from the brow.
    cairo_move_to(cr, hx + 6, cy - r + 2);
    cairo_curve_to(cr, hx - 4, cy - r - 3, hx - r - 4, cy - 8, hx - r - 1, cy);
    cairo_curve_to(cr, hx - r - 4, cy + 8, hx - 4, cy + r + 3, hx + 6, cy + r - 2);
    cairo_curve_to(cr, hx + 2, cy + 4, hx + 2, cy - 4, hx + 6, cy - r + 2);
    cairo_close_path(cr);
    art::Paint(cr, art::Style{look.Hair, pal::Outline, 1.4, 0.3, 0.3});
    for (int i = -2; i <= 2; ++i) {
      cairo_move_to(cr, hx + 2, cy + i * 3.2);
      cairo_line_to(cr, hx - r + 1, cy + i * 4.2);
      art::Stroke(cr, look.Hair.Shade(0.35), 0.9);
    }
  }
  // Brows over the eyes at the front.
  for (int s : {-1, 1}) {
    cairo_move_to(cr, hx + 5, cy + s * 7.5);
    cairo_line_to(cr, hx + 9, cy + s * 3.5);
    art::Stroke(cr, pal::Outline, pattern == 1 ? 1.0 : 1.8);
  }
  if (pattern == 1) {
    // Stars round the dazed head.
    const double stars[3][2] = {{hx - 8, cy - 14}, {hx + 8, cy - 15}, {hx + 1, cy + 15}};
    for (const auto& s : stars) {
      art::Star(cr, s[0], s[1], 4.2, 1.8, 5);
      art::Paint(cr, art::Style{pal::Yellow, pal::Outline, 0.9, 0.1});
    }
  }
}

void DrawOpponentHead(cairo_t* cr, int p) { DrawHead(cr, p, kOpponentLook, bx::OpponentHeadW); }
void DrawPlayerHead(cairo_t* cr, int p) { DrawHead(cr, p, kPlayerLook, bx::PlayerHeadW); }

// An arm in two segments (shoulder to elbow r1, elbow to wrist r2): both outlines first, then
// the skin, then a soft light along the upper side, so the elbow shows no seam.
void Arm(cairo_t* cr, const double (&xy)[6], double r1, double r2, const Color& fill) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto segment = [&](int i, double width, const Color& c) {
    cairo_move_to(cr, xy[2 * i], xy[2 * i + 1]);
    cairo_line_to(cr, xy[2 * i + 2], xy[2 * i + 3]);
    art::SetColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  };
  segment(0, 2 * r1 + 2 * art::kOutline, pal::Outline);
  segment(1, 2 * r2 + 2 * art::kOutline, pal::Outline);
  segment(0, 2 * r1, fill);
  segment(1, 2 * r2, fill);
  cairo_save(cr);
  cairo_translate(cr, -r2 * 0.35, -r2 * 0.35);
  segment(0, r1 * 0.7, pal::White.WithAlpha(0.22));
  segment(1, r2 * 0.7, pal::White.WithAlpha(0.22));
  cairo_restore(cr);
}

// A boxing glove seen from above at (x, y), its knuckles pointing along the angle a.
void GloveAt(cairo_t* cr, double x, double y, double r, double a, const Look& look) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, a);
  // The white cuff at the wrist.
  art::RoundedRect(cr, -r - 5, -r * 0.55, 8, r * 1.1, 2.5);
  art::Paint(cr, art::Style{look.Trim, pal::Outline, 1.4, 0.2});
  // The mitt and the thumb along its side.
  art::Ellipse(cr, 0, 0, r * 1.05, r * 0.9);
  art::Paint(cr, art::Style{look.Glove, pal::Outline, art::kOutline, 0.32, 0.8});
  art::Ellipse(cr, -r * 0.15, r * 0.78, r * 0.5, r * 0.3);
  art::Paint(cr, art::Style{look.Glove.Shade(0.12), pal::Outline, 1.3, 0.2});
  cairo_move_to(cr, r * 0.55, -r * 0.55);
  cairo_curve_to(cr, r * 0.85, -r * 0.2, r * 0.85, r * 0.2, r * 0.55, r * 0.55);
  art::Stroke(cr, look.Glove.Shade(0.4), 1.2);
  cairo_restore(cr);
}

// The arm of the lower side: shoulder at the top-left, bent (0) to stretched (2).
void DrawArm(cairo_t* cr, int pattern, const Look& look) {
  const bx::Glove& gl = bx::Gloves[pattern];
  const double sx = 5, sy = 4;
  double ex, ey;
  switch (pattern) {
    case 0:
      ex = 20;
      ey = 30;
      break;
    case 1:
      ex = 40;
      ey = 31;
      break;
    default:
      ex = 56;
      ey = 20;
      break;
  }
  const double wx = gl.X - gl.R * 0.9, wy = gl.Y + (pattern == 2 ? 0 : 3);
  // The shoulder's round muscle, the upper arm, then the forearm a little thinner.
  Arm(cr, {sx + 2, sy + 2, ex, ey, wx, wy}, 6.4, 5.4, look.Skin);
  GloveAt(cr, gl.X, gl.Y, gl.R, std::atan2(gl.Y - ey, gl.X - ex) * 0.6, look);
  if (pattern == 2) {
    // Speed lines behind a punch thrown full out.
    for (int i = 0; i < 3; ++i) {
      cairo_move_to(cr, gl.X - 30 - 6 * i, gl.Y - 9 + 9 * i);
      cairo_line_to(cr, gl.X - 18 - 3 * i, gl.Y - 9 + 9 * i);
      art::Stroke(cr, pal::White.WithAlpha(0.8), 1.6);
    }
  }
}

void DrawOpponentArm(cairo_t* cr, int p) { DrawArm(cr, p, kOpponentLook); }
void DrawPlayerArm(cairo_t* cr, int p) { DrawArm(cr, p, kPlayerLook); }

// ---- Blood -----------------------------------------------------------------------------------

constexpr Color kBlood = art::Hex(0xB41A1A), kBloodDark = art::Hex(0x6A0C0C);

// "Blood01": a flying drop, round or drawn out.
void DrawDrop(cairo_t* cr, int pattern) {
  const double c = bx::DropSize / 2.0;
  if (pattern == 0) {
    art::Circle(cr, c, c, 4.6);
  } else {
    cairo_move_to(cr, c - 5.5, c);
    cairo_curve_to(cr, c - 2, c - 4.5, c + 5.5, c - 4, c + 5.5, c);
    cairo_curve_to(cr, c + 5.5, c + 4, c - 2, c + 4.5, c - 5.5, c);
    cairo_close_path(cr);
  }
  art::Paint(cr, art::Style{kBlood, kBloodDark, 1.0, 0.3, 0.6});
}

// "Blood02": the drop splashed on the mat, spreading over three frames.
void DrawSplash(cairo_t* cr, int pattern) {
  const double cx = bx::SplashW / 2.0, cy = bx::SplashH / 2.0;
  const double grow = 0.5 + 0.25 * pattern;
  art::Rng rng(17);
  art::Ellipse(cr, cx, cy, 9 * grow + 2, 7.5 * grow + 2);
  art::Paint(cr, art::Style{kBlood, kBloodDark, 1.0, 0.2, 0.3});
  for (int i = 0; i < 7; ++i) {
    const double a = rng.Range(0, 2 * M_PI), d = rng.Range(9, 15) * grow + 2;
    art::Circle(cr, cx + d * std::cos(a), cy + d * std::sin(a) * 0.85,
                rng.Range(1.2, 2.6) * grow + 0.6);
    art::Fill(cr, kBlood);
  }
}

// ---- Sounds ----------------------------------------------------------------------------------

constexpr content::WaveFinish MakeWave{.Rate = kBoutRate};

// The swish of a glove through the air.
synth::Buffer Swing(double centre, double seconds, uint32_t seed) {
  synth::Buffer b = synth::WhiteNoise(seconds, kBoutRate, seed);
  synth::BandPass(b, kBoutRate, centre, 1.6);
  const size_t n = b.size();
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / n;
    b[i] *= std::sin(M_PI * std::pow(t, 0.7));
  }
  synth::SweepLowPass(b, kBoutRate, centre * 0.6, centre * 2.2);
  return b;
}

// A groan of a boxer who took a blow: a short spoken cry and a breath.
synth::Buffer Groan(const std::string& text, int pitch, uint32_t seed) {
  synth::Buffer b = content::SpokenBuffer(text, kBoutRate, {pitch, 110, 90, 0, 1.4});
  synth::Buffer breath =
      synth::NoiseBurst(0.18, kBoutRate, seed, 0.01, 0.05, synth::Filter::Band, 1400, 0.9);
  synth::Mix(b, breath, 0.25);
  synth::Drive(b, 1.3);
  return b;
}

// The ring's bell.
synth::Buffer RingBell() { return synth::Bell(1250, 1.4, kEffectRate, 1.2); }

// The hall: a roar, and an "ooh" of many voices.
synth::Buffer Crowd(bool ooh) {
  const double seconds = 1.6;
  synth::Buffer b;
  if (ooh) {
    for (int i = 0; i < 9; ++i) {
      synth::Buffer v =
          synth::Tone(synth::Wave::Saw, 180 + 23 * i, 150 + 19 * i, seconds, kEffectRate, 5 + i);
      synth::Mix(b, v, 0.12);
    }
    synth::LowPass(b, kEffectRate, 800);
  } else {
    b = synth::WhiteNoise(seconds, kEffectRate, 99);
    synth::BandPass(b, kEffectRate, 1100, 0.5);
    synth::Tremolo(b, kEffectRate, 3.3, 0.25);
  }
  synth::Adsr(b, kEffectRate, 0.25, 0.3, 0.8, 0.5);
  return b;
}

// The referee's whistle, with its trill.
synth::Buffer Whistle() {
  synth::Buffer b = synth::Tone(synth::Wave::Sine, 2900, 2800, 0.6, kEffectRate);
  synth::Tremolo(b, kEffectRate, 28, 0.3);
  synth::Buffer air = synth::WhiteNoise(0.6, kEffectRate, 7);
  synth::BandPass(air, kEffectRate, 2900, 3);
  synth::Mix(b, air, 0.3);
  synth::Adsr(b, kEffectRate, 0.02, 0.05, 0.9, 0.08);
  return b;
}

std::vector<content::WaveSpec> Waves() {
  std::vector<synth::Buffer> sounds = {
      Swing(1500, 0.22, 11),
      Swing(1800, 0.26, 12),  // the player swings
      Swing(1100, 0.24, 13),
      Swing(1300, 0.28, 14),  // the opponent swings
      Groan("уух!", 55, 21),
      Groan("ой-ой!", 60, 22),  // the player is hit
      Groan("оох!", 22, 23),
      Groan("ыых!", 18, 24),  // the opponent is hit
      RingBell(),
      Crowd(false),
      Crowd(true),
      Whistle(),  // the hall
  };
  std::vector<content::WaveSpec> waves;
  for (int i = 0; i < bx::WaveCount; ++i)
    waves.push_back(MakeWave(std::string(bx::Waves[i]), sounds[i]));
  return waves;
}

// The ring announcer: a deep voice that stretches its words.
const content::Voice kAnnouncer{28, 135, 85, 2, 1.0};

void Build(content::ContentSink& sink) {
  sink.Background("r_box01", 640, 480, DrawRing);
  sink.ImageList(
      "s_box01",
      {
          {std::string(bx::OpponentHead), bx::OpponentHeadW, bx::HeadH, bx::HeadPatterns,
           DrawOpponentHead},
          {std::string(bx::PlayerHead), bx::PlayerHeadW, bx::HeadH, bx::HeadPatterns,
           DrawPlayerHead},
          {std::string(bx::OpponentArm), bx::ArmW, bx::ArmH, bx::ArmPatterns, DrawOpponentArm},
          {std::string(bx::PlayerArm), bx::ArmW, bx::ArmH, bx::ArmPatterns, DrawPlayerArm},
          {std::string(bx::DropImage), bx::DropSize, bx::DropSize, bx::DropPatterns, DrawDrop},
          {std::string(bx::SplashImage), bx::SplashW, bx::SplashH, bx::SplashPatterns, DrawSplash},
      });
  sink.WaveList("w_box01", Waves());
  sink.SpokenClip("bpob01", "Победа! Бой выигран!", kClipRate, kAnnouncer);
  sink.SpokenClip("bpob02", "Поражение! Бой проигран.", kClipRate, kAnnouncer);
  sink.SpokenClip("bpob03", "Ничья!", kClipRate, kAnnouncer);
  sink.SpokenClip("bpob04", "Первая кровь!", kClipRate, kAnnouncer);
}

}  // namespace

VEPA_CONTENT_MODULE(boxing, Build);
