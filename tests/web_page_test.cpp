// What the browser page does without a browser: key names to the game's key codes, the
// pointer on a canvas of any size, the tick grid under uneven animation frames, and the sound
// made tick by tick for an audio graph with a clock of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/audio_queue.h"
#include "engine/dom_keys.h"
#include "engine/mixer.h"
#include "engine/tick_clock.h"
#include "engine/web_input.h"

namespace vepa {
namespace {

// --- Keys.

TEST(WebKeysTest, BrowserCodesGiveTheGamesKeyCodes) {
  struct Case {
    const char* Code;
    int Vk;
  };
  const Case cases[] = {
      {"Escape", 27},       {"Enter", 13},    {"NumpadEnter", 13}, {"Space", 32},
      {"ArrowLeft", 37},    {"ArrowUp", 38},  {"ArrowRight", 39},  {"ArrowDown", 40},
      {"KeyA", 'A'},        {"KeyZ", 'Z'},    {"Digit1", '1'},     {"Digit9", '9'},
      {"Digit0", '0'},      {"F1", 112},      {"F4", 115},         {"F12", 123},
      {"Numpad1", 97},      {"Numpad9", 105}, {"Numpad0", 96},     {"ShiftLeft", 16},
      {"ControlRight", 17}, {"AltLeft", 18},  {"Backspace", 8},    {"Tab", 9},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFromUsbUsage(UsbUsageFromDomCode(c.Code)), c.Vk) << c.Code;
  }
}

TEST(WebKeysTest, NamesThatAreNoKeyGiveNothing) {
  for (const char* code : {"", "Key", "Keya", "KeyAA", "Digit", "Digit10", "Digit01", "F0", "F25",
                           "F01", "Numpad10", "Unidentified", "escape", "F1 "}) {
    EXPECT_EQ(UsbUsageFromDomCode(code), 0) << '"' << code << '"';
  }
  // The far function keys exist, in their own usage range.
  EXPECT_EQ(UsbUsageFromDomCode("F13"), 104);
  EXPECT_EQ(UsbUsageFromDomCode("F24"), 115);
}

TEST(WebInputTest, ATapBetweenTwoReadsCountsOnceAndAHeldKeyStays) {
  WebInput in;
  std::array<bool, 256> keys{};
  EXPECT_EQ(in.Key("Enter", true), 13);
  EXPECT_EQ(in.Key("Enter", false), 13);
  in.Read(keys);
  EXPECT_TRUE(keys[13]) << "a quick tap is lost";
  in.Read(keys);
  EXPECT_FALSE(keys[13]) << "a tap counts for one read only";

  in.Key("ArrowLeft", true);
  in.Read(keys);
  EXPECT_TRUE(keys[37]);
  in.Read(keys);
  EXPECT_TRUE(keys[37]) << "a held key is down at every read";
  in.Key("ArrowLeft", false);
  in.Read(keys);
  EXPECT_FALSE(keys[37]);
}

TEST(WebInputTest, ModifiersSetTheirSideCodesAndLosingTheFocusReleasesAll) {
  WebInput in;
  std::array<bool, 256> keys{};
  in.Key("ShiftRight", true);
  in.Key("KeyQ", true);
  in.Read(keys);
  EXPECT_TRUE(keys[16]);
  EXPECT_TRUE(keys[161]);
  EXPECT_FALSE(keys[160]);
  EXPECT_TRUE(keys['Q']);
  // A tap not yet read and the held keys are all forgotten: their key-ups will never come.
  in.Key("Space", true);
  in.Key("Space", false);
  in.ReleaseAll();
  in.Read(keys);
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_FALSE(keys[i]) << i;
  // A key without a code changes nothing.
  EXPECT_EQ(in.Key("Unidentified", true), 0);
  in.Read(keys);
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_FALSE(keys[i]) << i;
}

// --- The pointer on the canvas.

TEST(WebInputTest, ThePointerMapsFromAnyCanvasSizeAndStaysOnThePicture) {
  WebInput in;
  // Twice the picture's size: two box units a pixel.
  EXPECT_TRUE(in.MoveTo(201.0, 99.9, 1280, 960));
  EXPECT_EQ(in.X(), 100);
  EXPECT_EQ(in.Y(), 49);
  // A fractional size (a page zoom or a pixel density of 1.5): the last column is still 639.
  EXPECT_TRUE(in.MoveTo(853.0, 639.9, 853.33, 640));
  EXPECT_EQ(in.X(), 639);
  EXPECT_EQ(in.Y(), 479);
  // Off the picture (the bars in full screen, or outside the page): clamped to the edge.
  EXPECT_FALSE(in.MoveTo(-30, 500, 640, 480));
  EXPECT_EQ(in.X(), 0);
  EXPECT_EQ(in.Y(), 479);
  EXPECT_FALSE(in.MoveTo(640, -0.5, 640, 480));
  EXPECT_EQ(in.X(), 639);
  EXPECT_EQ(in.Y(), 0);
  // A box not laid out yet, or nonsense from the page, leaves the pointer where it was.
  EXPECT_FALSE(in.MoveTo(10, 10, 0, 480));
  EXPECT_FALSE(in.MoveTo(NAN, 10, 640, 480));
  EXPECT_EQ(in.X(), 639);
  EXPECT_EQ(in.Y(), 0);
}

TEST(WebInputTest, ALockedPointerMovesByStepsAndStopsAtTheEdges) {
  WebInput in;
  in.MoveTo(320, 240, 640, 480);
  // On a screen three times the picture, three units are a pixel; fractions add up.
  for (int i = 0; i < 3; ++i) in.MoveBy(1, -1, 1920, 1440);
  EXPECT_EQ(in.X(), 321);
  EXPECT_EQ(in.Y(), 239);
  in.MoveBy(100000, 100000, 1920, 1440);
  EXPECT_EQ(in.X(), 639);
  EXPECT_EQ(in.Y(), 479);
  in.MoveBy(-1e9, -1e9, 1920, 1440);
  EXPECT_EQ(in.X(), 0);
  EXPECT_EQ(in.Y(), 0);
  in.MoveBy(INFINITY, 5, 1920, 1440);
  EXPECT_EQ(in.X(), 0);
}

TEST(WebInputTest, TheLaunchersSmallerPictureKeepsThePointerOnIt) {
  WebInput in;
  in.MoveTo(600, 400, 640, 480);
  in.SetPicture(213, 116);
  EXPECT_EQ(in.X(), 212);
  EXPECT_EQ(in.Y(), 115);
  // Shown three times as large.
  in.MoveTo(3 * 100 + 1, 3 * 50 + 2, 639, 348);
  EXPECT_EQ(in.X(), 100);
  EXPECT_EQ(in.Y(), 50);
}

// --- The tick grid.

// Runs frames at the given times and returns the ticks run.
long long RunFrames(TickClock& clock, const std::vector<double>& times) {
  long long ticks = 0;
  for (double t : times) ticks += clock.Due(t);
  return ticks;
}

std::vector<double> EvenFrames(double start, double hz, double seconds) {
  std::vector<double> t;
  for (double x = start; x <= start + seconds * 1000; x += 1000 / hz) t.push_back(x);
  return t;
}

TEST(TickClockTest, TwentyTicksASecondAtEveryFrameRate) {
  for (double hz : {30.0, 59.94, 60.0, 75.0, 144.0, 240.0}) {
    TickClock clock;
    const long long ticks = RunFrames(clock, EvenFrames(1234.5, hz, 60));
    // The first frame starts the grid; a minute is 1200 ticks, the last perhaps not yet due.
    EXPECT_GE(ticks, 1198) << hz << " Hz";
    EXPECT_LE(ticks, 1200) << hz << " Hz";
    EXPECT_EQ(clock.Stalls(), 0) << hz << " Hz";
  }
}

TEST(TickClockTest, UnevenFramesDoNotMakeTheTickDrift) {
  // An hour of frames that come 0..12 ms late, against the grid from the first frame.
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> late(0, 12);
  TickClock clock;
  const double start = 500;
  long long ticks = clock.Due(start);
  double last = start;
  for (double x = start; x < start + 3600e3; x += 1000 / 60.0) {
    last = x + late(rng);
    ticks += clock.Due(last);
  }
  EXPECT_EQ(ticks, static_cast<long long>(std::floor((last - start) / 50)));
  EXPECT_EQ(clock.Stalls(), 0);
}

TEST(TickClockTest, ALateFrameCatchesUpButAStallDoesNotQueueTicks) {
  TickClock clock;
  EXPECT_EQ(clock.Due(0), 0);
  EXPECT_EQ(clock.Due(49.9), 0);
  EXPECT_EQ(clock.Due(50), 1);
  // 160 ms late: the three missed ticks run.
  EXPECT_EQ(clock.Due(210), 3);
  EXPECT_EQ(clock.Due(249), 0);
  // The page was hidden for two seconds: one tick, and the grid starts again from now.
  EXPECT_EQ(clock.Due(2250), 1);
  EXPECT_EQ(clock.Stalls(), 1);
  EXPECT_EQ(clock.LostTicks(), 40);
  EXPECT_EQ(clock.Due(2299), 0);
  EXPECT_EQ(clock.Due(2300), 1);
  // Held and let go (the page's hold): the first tick a period later.
  clock.Restart(5000);
  EXPECT_EQ(clock.Due(5049), 0);
  EXPECT_EQ(clock.Due(5050), 1);
}

// --- Sound for an audio graph of its own clock.

std::vector<int16_t> Frames(int count, int16_t first) {
  std::vector<int16_t> v;
  for (int i = 0; i < count; ++i) {
    v.push_back(static_cast<int16_t>(first + i));
    v.push_back(static_cast<int16_t>(-(first + i)));
  }
  return v;
}

TEST(AudioQueueTest, PlaysInOrderOnceEnoughIsQueued) {
  AudioQueue q(100, 1000);
  std::vector<int16_t> out(2 * 60, 7);
  const auto a = Frames(60, 1);
  q.Push(a.data(), 60);
  q.Pull(out.data(), 60);
  EXPECT_FALSE(q.Playing());
  for (int16_t s : out) EXPECT_EQ(s, 0) << "plays before a start's worth is queued";
  const auto b = Frames(60, 61);
  q.Push(b.data(), 60);
  q.Pull(out.data(), 60);
  EXPECT_TRUE(q.Playing());
  for (int i = 0; i < 60; ++i) {
    EXPECT_EQ(out[2 * i], 1 + i);
    EXPECT_EQ(out[2 * i + 1], -(1 + i));
  }
  q.Pull(out.data(), 50);
  EXPECT_EQ(out[0], 61);
  EXPECT_EQ(out[2 * 49], 110);
  EXPECT_EQ(q.Queued(), 10u);
  EXPECT_EQ(q.Underruns(), 0);
}

TEST(AudioQueueTest, RunningDryGivesSilenceAndWaitsToRefill) {
  AudioQueue q(50, 1000);
  const auto a = Frames(80, 1);
  q.Push(a.data(), 80);
  std::vector<int16_t> out(2 * 100, 7);
  q.Pull(out.data(), 100);
  EXPECT_EQ(out[2 * 79], 80);
  for (int i = 80; i < 100; ++i) EXPECT_EQ(out[2 * i], 0) << i;
  EXPECT_EQ(q.Underruns(), 1);
  EXPECT_FALSE(q.Playing());
  // Crumbs are not played: a start's worth is waited for again.
  q.Push(a.data(), 10);
  q.Pull(out.data(), 10);
  EXPECT_EQ(out[0], 0);
  q.Push(a.data(), 40);
  q.Pull(out.data(), 10);
  EXPECT_EQ(out[0], 1);
}

TEST(AudioQueueTest, TooMuchQueuedDropsTheOldestSound) {
  AudioQueue q(0, 100);
  for (int i = 0; i < 5; ++i) {
    const auto a = Frames(60, static_cast<int16_t>(1 + 60 * i));
    q.Push(a.data(), 60);
  }
  EXPECT_EQ(q.Queued(), 100u);
  EXPECT_EQ(q.DroppedFrames(), 200);
  std::vector<int16_t> out(2 * 100);
  q.Pull(out.data(), 100);
  EXPECT_EQ(out[0], 201) << "the newest sound is kept";
  EXPECT_EQ(out[2 * 99], 300);
}

SoundBuffer Ramp(size_t frames, int rate) {
  SoundBuffer b;
  b.Channels = 1;
  b.BitsPerSample = 16;
  b.SampleRate = b.Frequency = rate;
  b.Data.resize(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    const auto v = static_cast<uint16_t>(static_cast<int16_t>((i % 200) * 100 - 10000));
    b.Data[2 * i] = static_cast<uint8_t>(v & 0xFF);
    b.Data[2 * i + 1] = static_cast<uint8_t>(v >> 8);
  }
  return b;
}

TEST(MixerTickTest, SoundsMixedTickByTickKeepTheGameTimePositions) {
  // Three buffers at awkward rates, one looped, one ending within a tick, one pitched.
  auto make = [] {
    std::vector<Wave> list(3);
    list[0].Buffer = Ramp(22050, 22050);
    list[0].Buffer.Play(true);
    list[1].Buffer = Ramp(11025 * 3 / 2 + 7, 11025);
    list[1].Buffer.Play(false);
    list[2].Buffer = Ramp(30000, 11025);
    list[2].Buffer.SetFrequency(13337);
    list[2].Buffer.Play(false);
    return list;
  };
  std::vector<Wave> ticked = make(), advanced = make(), mixed = make();
  Mixer tick, advance, mix;
  tick.SetSources({&ticked});
  advance.SetSources({&advanced});
  mix.SetSources({&mixed});
  std::vector<int16_t> a(2 * 2205), b(2 * 2205);
  for (int t = 0; t < 60; ++t) {
    tick.MixTick(a.data(), 2205, 44100, 0.05);
    advance.Advance(0.05);
    mix.Mix(b.data(), 2205, 44100);
    for (size_t i = 0; i < 3; ++i) {
      ASSERT_EQ(ticked[i].Buffer.Playing, advanced[i].Buffer.Playing)
          << "tick " << t << " wave " << i;
      ASSERT_EQ(ticked[i].Buffer.Position, advanced[i].Buffer.Position)
          << "tick " << t << " wave " << i;
    }
    // Until the single plays end, what is heard is what the device mixer makes.
    if (t < 20) {
      ASSERT_EQ(a, b) << "tick " << t;
    }
  }
  // The single plays ended (1.5 s and 2.25 s) and the loop goes on.
  EXPECT_FALSE(ticked[1].Buffer.Playing);
  EXPECT_FALSE(ticked[2].Buffer.Playing);
  EXPECT_TRUE(ticked[0].Buffer.Playing);
}

}  // namespace
}  // namespace vepa
