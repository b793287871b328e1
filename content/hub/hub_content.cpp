// The kiosk's content: the background "r_fill01", the cashier "s_kib01", the kiosk's sprites
// "s_ksk01", its sounds "w_ksk01", the hit map "b_ksk03" with the item codes, the phrase tables
// of the cashier and the player, and the announcer's clips for the ticket check and the
// mini-game results.
#include <cmath>
#include <string>
#include <vector>

#include "content.h"
#include "content/hub/hub_art.h"
#include "content/lib/draw.h"
#include "content/lib/fonts.h"
#include "hub/hub_layout.h"
#include "synth.h"

namespace hubart {

namespace {

using content::HitEllipse;
using content::HitPolygon;
using content::HitRect;
using namespace vepa::hub;

content::HitShape ButtonShape(Item code, const ButtonBox& b) {
  return HitRect(code, b.Left, b.Top, b.Right, b.Bottom);
}

}  // namespace

std::vector<content::HitShape> KioskHitMap() {
  // Later shapes win where they overlap. Codes are in screen pixels of the objects.
  return {
      // Around the kiosk: the sky with the sun, the street lamp, the houses.
      HitRect(Sky, 545, 0, 640, 52),
      HitRect(StreetLamp, 622, 0, 640, 360),
      HitRect(Houses, 0, 0, 95, 52),
      // The window glass: its upper left corner.
      HitRect(Window, kWindowLeft + 64, kWindowTop + 6, 282, 160),
      // The door and its handle.
      HitRect(Door, 176, 180, 248, 366),
      HitEllipse(DoorHandle, kDoorHandleX - 12, kDoorHandleY - 12, kDoorHandleX + 12,
                 kDoorHandleY + 12),
      // The cashier himself and his tapping hand.
      HitEllipse(Cashier, 272, 168, 368, 282),
      HitRect(Cashier, 262, 280, 382, 368),
      HitRect(CashierHand, 262, 356, 302, 384),
      // Hanging things inside the window.
      HitEllipse(Lamp, 286, 60, 354, 128),
      HitRect(BoxingGlove, 162, 92, 212, 158),
      HitPolygon(Snake, {426, 94, 490, 94, 492, 150, 476, 166, 440, 160}),
      HitRect(Gun, 418, 166, 506, 196),
      // The left wall.
      HitEllipse(Dartboard, 60, 108, 140, 188),
      HitPolygon(Hammer, {40, 244, 96, 244, 96, 270, 76, 270, 76, 336, 58, 336, 58, 270, 40, 270}),
      // The right wall.
      HitRect(Poster, 512, 102, 592, 218),
      HitRect(Book, 517, 247, 577, 293),
      // On the counter.
      HitRect(Television, 92, 284, 178, 362),
      HitEllipse(Cockroach, 96, 300, 124, 322),  // on the television
      HitRect(Heap, 76, 388, 108, 412),
      HitRect(TipJar, kJarX, kJarY, kJarX + kJarW, kJarY + kJarH),
      HitRect(Bread, 189, 383, 235, 411),
      HitRect(Cards, 263, 386, 315, 412),
      HitRect(Inkpot, kInkX, kInkY, kInkX + kInkW, kInkY + kInkH),
      HitRect(Daz, 412, 340, 448, 398),
      HitRect(FishTank, 449, 312, 518, 366),
      HitRect(TicketStack, 462, 366, 508, 396),
      HitRect(Battery, 451, 384, 487, 400),
      HitRect(Bottle, 586, 303, 612, 380),
      // The rock-paper-scissors sticker on the front of the counter.
      HitRect(RpsSticker, kRpsX, kRpsY, kRpsX + kRpsW, kRpsY + kRpsH),
      // The answer buttons.
      ButtonShape(LeftButton, LeftButtonBox),
      ButtonShape(RightButton, RightButtonBox),
  };
}

namespace {

using namespace synth;

content::WaveSpec MakeWave(const char* name, Buffer b, int rate, bool loop = false,
                           double peak = 0.8) {
  Normalize(b, peak);
  if (!loop) FadeOut(b, rate, 0.004);
  return {name, loop, ToPcm16(b), rate};
}

// The lamp flaring up: an electric zap with a buzzing tail (played at 13000 Hz).
Buffer LampZap(int rate) {
  Buffer buzz = Tone(synth::Wave::Saw, 100, 100, 0.32, rate);
  Buffer crackle = WhiteNoise(0.32, rate, 41);
  BandPass(crackle, rate, 3000, 0.8);
  Mix(buzz, crackle, 0.7);
  Adsr(buzz, rate, 0.004, 0.08, 0.45, 0.12);
  Drive(buzz, 2.5);
  LowPass(buzz, rate, 4500);
  return buzz;
}

// The lamp going dim: a small dry tick.
Buffer LampTick(int rate) {
  Buffer t = DecayedTone(synth::Wave::Square, 900, 500, 0.06, rate, 0.0005, 0.01);
  Buffer n = NoiseBurst(0.06, rate, 43, 0.0003, 0.006, Filter::High, 2000);
  Mix(t, n, 0.8);
  return t;
}

// The sign coming down: a rattling chain and a creaking board.
Buffer SignRattle(int rate) {
  Buffer out = Silence(0.7, rate);
  Noise jitter(77);
  for (int i = 0; i < 9; ++i) {
    Buffer link = Bell(1800 + 400 * jitter.Next(), 0.12, rate, 0.8);
    Decay(link, rate, 0.0005, 0.02);
    MixAt(out, link, rate, 0.05 + i * 0.065 + 0.01 * jitter.Next(), 0.5);
  }
  Buffer creak = Tone(synth::Wave::Saw, 180, 140, 0.6, rate);
  BandPass(creak, rate, 900, 3);
  Adsr(creak, rate, 0.1, 0.1, 0.6, 0.2);
  Mix(out, creak, 0.35);
  return out;
}

// The sign stops: a wooden knock.
Buffer SignKnock(int rate) {
  Buffer k = DecayedTone(synth::Wave::Sine, 320, 180, 0.15, rate, 0.001, 0.03);
  Buffer n = NoiseBurst(0.15, rate, 91, 0.0005, 0.012, Filter::Band, 1200, 1.5);
  Mix(k, n, 0.9);
  Drive(k, 1.5);
  return k;
}

// A fly's buzz: a loop of whole periods so it repeats without a click.
Buffer FlyBuzz(int rate, double pitch, uint32_t seed) {
  const int period = static_cast<int>(std::lround(rate / pitch));
  const int periods = static_cast<int>(0.6 * pitch);
  const size_t n = static_cast<size_t>(period) * periods;
  Buffer b(n);
  Noise noise(seed);
  for (size_t i = 0; i < n; ++i) {
    const double phase = static_cast<double>(i % period) / period;
    // Wing beats: a saw with a slow flutter of loudness.
    const double flutter = 0.75 + 0.25 * std::sin(2 * M_PI * 6 * i / static_cast<double>(n));
    b[i] = static_cast<float>((2 * phase - 1) * flutter + 0.15 * noise.Next());
  }
  BandPass(b, rate, pitch * 3, 0.7);
  Drive(b, 1.8);
  return b;
}

}  // namespace

std::vector<content::WaveSpec> KioskWaves() {
  return {
      MakeWave("Lamp01", LampZap(13000), 13000),
      MakeWave("Lamp02", LampTick(13000), 13000, false, 0.6),
      MakeWave("Tabl01", SignRattle(11000), 11000, false, 0.7),
      MakeWave("Tabl02", SignKnock(11000), 11000),
      MakeWave("Muha01", FlyBuzz(11025, 190, 5), 11025, true, 0.5),
      MakeWave("Muha02", FlyBuzz(11025, 230, 6), 11025, true, 0.5),
  };
}

}  // namespace hubart

namespace {

// The announcer is the cashier: his voice, at the rate the clips are played.
constexpr int kClipRate = 11000;
const content::Voice kAnnouncer{32, 150, 60, 0, 1.0};

void BuildClips(content::ContentSink& sink) {
  const char* words[] = {"билет номер",
                         "проиграл",
                         "выиграл!",
                         "совпало номеров",
                         "твой выигрыш",
                         "ты победил в этой игре!",
                         "и выиграл",
                         "ты проиграл в этой игре!",
                         "прикольно! могло быть и хуже. получи за это"};
  for (int i = 0; i < 9; ++i) {
    sink.SpokenClip("rsm00" + std::to_string(i + 1), words[i], kClipRate, kAnnouncer);
  }
  const char* numbers[] = {"один",       "два",          "три",          "четыре",
                           "пять",       "шесть",        "семь",         "восемь",
                           "девять",     "десять",       "одиннадцать",  "двенадцать",
                           "тринадцать", "четырнадцать", "пятнадцать",   "шестнадцать",
                           "семнадцать", "восемнадцать", "девятнадцать", "двадцать"};
  for (int n = 1; n <= 20; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "rcf%03d", n);
    sink.SpokenClip(name, numbers[n - 1], kClipRate, kAnnouncer);
  }
  const char* tens[] = {"тридцать",  "сорок",       "пятьдесят", "шестьдесят",
                        "семьдесят", "восемьдесят", "девяносто"};
  for (int t = 3; t <= 9; ++t) {
    sink.SpokenClip("rcf0" + std::to_string(t * 10), tens[t - 3], kClipRate, kAnnouncer);
  }
  sink.SpokenClip("rcf100", "сто", kClipRate, kAnnouncer);
  sink.SpokenClip("rcf999", "тысяча", kClipRate, kAnnouncer);
  sink.SpokenClip("rdl001", "доллар", kClipRate, kAnnouncer);
  sink.SpokenClip("rdl002", "доллара", kClipRate, kAnnouncer);
  sink.SpokenClip("rdl003", "долларов", kClipRate, kAnnouncer);
}

void Build(content::ContentSink& sink) {
  using namespace vepa::hub;
  sink.Background(std::string(BackgroundEntry), 640, 480, hubart::DrawBackground);
  sink.ImageList(std::string(CashierImagesEntry), hubart::CashierImages());
  sink.ImageList(std::string(KioskImagesEntry), hubart::KioskImages());
  sink.WaveList(std::string(WavesEntry), hubart::KioskWaves());
  sink.HitMap(std::string(HitMapEntry), hubart::KioskHitMap());
  sink.PhraseTable(std::string(CashierPhrases), "phrases/kib.txt", CashierRate);
  sink.PhraseTable(std::string(PlayerPhrases), "phrases/ply.txt", PlayerRate);
  BuildClips(sink);
}

}  // namespace

VEPA_CONTENT_MODULE(hub, Build);
