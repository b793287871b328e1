// The jingles of the intro logos, at 22000 Hz (the rate the logos play them at).
//
// "dreb01" follows the publisher logo: it starts three ticks before the end of the intro, so
// second s of the jingle is tick 7 + 20 s of the scene. The critter hops at about 0.65, 0.85,
// 1.1, 1.35, 1.6, 1.85, 2.6, 3.1, 3.6 and 4.1 s (each hop a "boing"), blinks at 2.35 s; the
// sign fades in at 4.15 s with a bright chord. The scene unrolls the ribbon once the play
// position passes 140000 bytes (3.2 s) and lights the star after 220000 bytes (5.0 s), where a
// chime rings; the voice says the studio's name over the ribbon. The clip is 7 s long.
//
// "kibp01"/"kibp02" follow the maker logo from its loader: a soft swell for the 0.8 s wait,
// a rising run of 13 notes while the sun is built up (one picture every 0.1 s from 0.85 s),
// then the voice names the studio. In "kibp02" the sun also says "Привет!" at 1.65 s, the
// moment its mouth opens.
#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/lib/synth.h"
#include "screens/logos_layout.h"

namespace {

using namespace synth;

constexpr int kRate = 22000;

double Note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// A springy "boing": a sine that leaps up in pitch and wobbles back down.
Buffer Boing(double base) {
  const double len = 0.22;
  Buffer up = Tone(synth::Wave::Sine, base, base * 2.2, len * 0.35, kRate);
  Buffer down = Tone(synth::Wave::Sine, base * 2.2, base * 1.4, len * 0.65, kRate);
  Buffer b = up;
  Mix(b, down, 1.0, up.size());
  // A light wobble like a spring.
  for (size_t i = 0; i < b.size(); ++i)
    b[i] *= 0.8f + 0.2f * static_cast<float>(std::sin(i * 2 * M_PI * 28 / kRate));
  Decay(b, kRate, 0.004, 0.07);
  return b;
}

// A plucked note (pizzicato bass or marimba-like tone).
Buffer Pluck(double f, double halfLife = 0.08) {
  Buffer b = Tone(synth::Wave::Triangle, f, f, 0.6, kRate);
  Buffer over = Tone(synth::Wave::Sine, f * 2, f * 2, 0.6, kRate);
  Mix(b, over, 0.3);
  Decay(b, kRate, 0.003, halfLife);
  return b;
}

// A warm chord: organ-like tones with a slow release.
Buffer Chord(const std::vector<int>& notes, double seconds, double attack = 0.02) {
  Buffer out = Silence(seconds, kRate);
  for (int n : notes) {
    Buffer t = Tone(synth::Wave::Organ, Note(n), Note(n), seconds, kRate);
    LowPass(t, kRate, 2600);
    Mix(out, t, 0.5);
  }
  Adsr(out, kRate, attack, 0.3, 0.6, seconds * 0.6);
  return out;
}

Buffer Chime(double f) {
  Buffer b = Bell(f, 1.2, kRate, 1.4);
  Buffer sparkle = Bell(f * 2.01, 0.8, kRate, 1.8);
  Mix(b, sparkle, 0.5);
  return b;
}

Buffer Voice(const std::string& text, int pitch, int speed) {
  const std::vector<int16_t> pcm =
      content::Speak(text, kRate, {.Pitch = pitch, .Speed = speed, .Range = 80});
  Buffer b(pcm.size());
  for (size_t i = 0; i < pcm.size(); ++i) b[i] = pcm[i] / 32768.0f;
  return b;
}

content::WaveSpec Clip(const char* name, Buffer b) {
  Normalize(b, 0.85);
  FadeOut(b, kRate, 0.05);
  return {name, false, ToPcm16(b), kRate};
}

// The publisher's jingle.
Buffer PublisherJingle() {
  Buffer out = Silence(7.0, kRate);
  // Tiptoe bass under the hops: C, G, A, E ... in eighths.
  const int bass[] = {-21, -14, -12, -17, -19, -14, -16, -21};
  for (int i = 0; i < 16; ++i) {
    MixAt(out, Pluck(Note(bass[i % 8]), 0.09), kRate, 0.6 + i * 0.24, 0.55);
  }
  // One boing per hop, rising as the critter nears its spot.
  const double hops[] = {0.65, 0.85, 1.1, 1.35, 1.6, 1.85, 2.6, 3.1, 3.6, 4.1};
  for (size_t i = 0; i < std::size(hops); ++i) {
    MixAt(out, Boing(180 + 14 * static_cast<double>(i)), kRate, hops[i], 0.7);
  }
  // The blink: two tiny clicks.
  for (double t : {2.35, 2.45}) MixAt(out, Pluck(Note(27), 0.015), kRate, t, 0.35);
  // The sign lights up: a bright major chord with a drum roll into it.
  for (int i = 0; i < 8; ++i)
    MixAt(out, Snare(kRate, 20 + i), kRate, 3.75 + i * 0.05, 0.12 + 0.03 * i);
  MixAt(out, Chord({-9, -5, -2, 3}, 2.6), kRate, 4.15, 0.6);
  MixAt(out, Kick(kRate), kRate, 4.15, 0.6);
  // The voice over the unrolling ribbon.
  MixAt(out, Voice("кувырок представляет!", 60, 150), kRate, 4.3, 1.1);
  // The star: a chime exactly where the scene lights it.
  MixAt(out, Chime(Note(15)), kRate, 5.0, 0.5);
  MixAt(out, Chime(Note(22)), kRate, 5.12, 0.35);
  // A last soft chord to close.
  MixAt(out, Chord({-9, -2, 3, 7}, 1.4, 0.05), kRate, 5.6, 0.35);
  return out;
}

// The maker's jingle; `hello` adds the sun's greeting when its mouth opens.
Buffer MakerJingle(bool hello) {
  Buffer out = Silence(5.2, kRate);
  // A soft swell while the screen waits.
  Buffer pad = Chord({-21, -14, -9}, 1.0, 0.6);
  MixAt(out, pad, kRate, 0.0, 0.35);
  // One note per build-up picture: a rising major scale, C4 up to A5.
  const int scale[] = {-9, -7, -5, -4, -2, 0, 2, 3, 5, 7, 8, 10, 12};
  for (int i = 0; i < 13; ++i) {
    MixAt(out, Pluck(Note(scale[i]), 0.12), kRate, 0.85 + i * 0.1, 0.5);
    MixAt(out, Bell(Note(scale[i] + 12), 0.4, kRate, 0.8), kRate, 0.85 + i * 0.1, 0.12);
  }
  // The face is done: a warm chord and the name.
  MixAt(out, Chord({-9, -5, -2, 3}, 2.4, 0.03), kRate, 2.15, 0.5);
  MixAt(out, Chime(Note(15)), kRate, 2.15, 0.3);
  MixAt(out, Voice("игровая мастерская солнышко", 55, 145), kRate, 2.45, 1.0);
  if (hello) MixAt(out, Voice("привет!", 85, 190), kRate, 1.62, 1.1);
  return out;
}

void Build(content::ContentSink& sink) {
  namespace logos = vepa::logos;
  sink.Sound(std::string(logos::PublisherJingle), Clip("dreb01", PublisherJingle()));
  sink.Sound(std::string(logos::MakerHello), Clip("kibp01", MakerJingle(false)));
  sink.Sound(std::string(logos::MakerTalking), Clip("kibp02", MakerJingle(true)));
}

}  // namespace

VEPA_CONTENT_MODULE(screens_logo_sounds, Build);
