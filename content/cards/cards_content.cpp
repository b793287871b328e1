// The card game's content: the opponent selection ("s_sel01", "b_sel01"), the card table
// "r_kard01", the cards and figures "s_kard01", the card sounds "w_kard01" and the phrases
// "t_krd01" with their spoken waves, each speaker in a voice of his own.
#include <cairo.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "content.h"
#include "content/cards/cards_art.h"
#include "content/lib/synth.h"
#include "phrases.h"
#include "speech.h"

namespace {

using namespace synth;

constexpr int kRate = 11000, kPlayerRate = 13000;

content::WaveSpec Effect(const char* name, Buffer b, double peak = 0.8) {
  Normalize(b, peak);
  FadeOut(b, kRate, 0.004);
  return {name, false, ToPcm16(b), kRate};
}

// A card sliding over cloth: band-passed noise that swells and fades.
Buffer Swish(double seconds, double centre, uint32_t seed) {
  Buffer n = WhiteNoise(seconds, kRate, seed);
  BandPass(n, kRate, centre, 0.9);
  Adsr(n, kRate, seconds * 0.35, seconds * 0.2, 0.6, seconds * 0.4);
  return n;
}

// A card slapped down: a papery snap over a soft knock on the table.
Buffer Snap(double knock, uint32_t seed) {
  return Hit({.Seconds = 0.14,
              .Tone = {.F0 = knock, .F1 = knock * 0.6, .HalfLife = 0.012, .Gain = 0.6},
              .Noise = {.Centre = 3200, .Q = 0.8, .HalfLife = 0.01, .Gain = 1.0},
              .Seed = seed},
             kRate);
}

std::vector<content::WaveSpec> CardWaves() {
  Buffer laid = Snap(240, 3);
  Buffer returned = Swish(0.16, 1500, 7);
  MixAt(returned, Snap(180, 8), kRate, 0.12, 0.35);
  Buffer discard = Swish(0.12, 900, 9);
  LowPass(discard, kRate, 1600);
  MixAt(discard, Snap(120, 10), kRate, 0.08, 0.5);
  Buffer tuck = Swish(0.07, 2600, 11);
  MixAt(tuck, Snap(300, 12), kRate, 0.05, 0.3);
  const HitRecipe button{.Seconds = 0.12,
                         .Tone = {.F0 = 900, .F1 = 600, .HalfLife = 0.02},
                         .Noise = {.Centre = 1800, .HalfLife = 0.006, .Gain = 0.5},
                         .Seed = 13};
  return {
      Effect("Kard01", Swish(0.14, 2200, 5), 0.6),   // a card leaves a hand or the table
      Effect("Kard02", laid),                        // a card lands on the table
      Effect("Kard03", Swish(0.08, 3000, 6), 0.55),  // the player picks a card up
      Effect("Kard04", returned, 0.6),               // the card goes back into the hand
      Effect("Kard05", discard, 0.7),                // a card lands on the discard pile
      Effect("Pick01", tuck, 0.6),                   // a card arrives in a hand
      Effect("Boom01", Hit(button, kRate), 0.75),    // the button
  };
}

// Who says each phrase of "krd": 0 the grandmother, 1 the grandfather, 2 the host, 3 the
// player.
int Speaker(int phrase) {
  switch (phrase) {
    case 4:
    case 9:
    case 10:
    case 14:
    case 18:
    case 25:
      return 1;
    case 5:
    case 11:
    case 12:
    case 15:
    case 20:
    case 26:
      return 2;
    case 21:
    case 22:
    case 23:
    case 27:
      return 3;
    default:
      return 0;
  }
}

content::Voice VoiceOf(int speaker) {
  switch (speaker) {
    case 0:  // the grandmother: espeak's old woman, high and quavering, in no hurry
      return {.Pitch = 72, .Speed = 135, .Range = 85, .WordGap = 1, .Variant = "grandma"};
    case 1:  // the grandfather: espeak's old man, low, flat and slow, pausing between words
      return {.Pitch = 18, .Speed = 115, .Range = 30, .WordGap = 3, .Variant = "grandpa"};
    case 2:  // the host is the kiosk's cashier and speaks as he does there
      return {.Pitch = 32, .Speed = 150, .Range = 60};
    default:  // the player, as everywhere in the game
      return {.Pitch = 62, .Speed = 175, .Range = 55};
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw content::BuildError("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The phrase table as the phrase player reads it; each phrase spoken by its speaker's voice at
// the rate the scene plays it at.
void BuildPhrases(content::ContentSink& sink) {
  const std::string path = sink.SourceDir() + "/phrases/krd.txt";
  const content::PhraseSource src = content::ParsePhraseSource(ReadFile(path), path);
  sink.Raw("t_krd01", content::EncodePhraseTable(src));
  std::vector<content::SpeechJob> jobs;
  for (const content::Phrase& p : src.Phrases) {
    const int who = Speaker(p.Number);
    jobs.push_back({content::SpokenText(p), who == 3 ? kPlayerRate : kRate, VoiceOf(who)});
  }
  std::vector<std::vector<int16_t>> spoken;
  try {
    spoken = content::SpeakAll(jobs);
  } catch (const content::BuildError& e) {
    throw content::BuildError(path + ": " + e.what());
  }
  for (size_t i = 0; i < src.Phrases.size(); ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "krd%03d", src.Phrases[i].Number);
    sink.Sound(name, {name, false, std::move(spoken[i]), jobs[i].SampleRate});
  }
}

void Build(content::ContentSink& sink) {
  sink.ImageList("s_sel01", cardart::SelectionImages());
  sink.HitMap("b_sel01", cardart::SelectionHitMap());
  sink.Background("r_kard01", 640, 480, cardart::DrawCardTable);
  std::vector<content::ImageSpec> images = cardart::CardImages();
  for (content::ImageSpec& s : cardart::FigureImages()) images.push_back(std::move(s));
  sink.ImageList("s_kard01", images);
  sink.WaveList("w_kard01", CardWaves());
  BuildPhrases(sink);
}

}  // namespace

VEPA_CONTENT_MODULE(cards, Build);
