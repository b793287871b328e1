// A game over the headless layer with a throw-away archive, for the tests of the sound
// channels, the text routines and the shared scene helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/game.h"
#include "engine/archive.h"
#include "engine/backend_headless.h"
#include "engine/mixer.h"
#include "engine/streams.h"
#include "engine/surface.h"
#include "tests/temp_dir.h"

namespace vepa::servicetest {

using testing::TempDir;

// A RIFF WAVE of `frames` 16-bit mono samples (a ramp, so no two waves look alike).
inline std::vector<uint8_t> TestRiffWave(int frames, int rate = 11025) {
  std::vector<int16_t> samples(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) samples[static_cast<size_t>(i)] = static_cast<int16_t>(i * 7);
  return EncodeRiffWave(samples, rate);
}

// A named wave of a wave list, `frames` long at 11025 Hz.
inline Wave TestWave(const std::string& name, int frames) {
  Wave w;
  w.Name = name;
  const std::vector<uint8_t> riff = TestRiffWave(frames);
  EXPECT_TRUE(ParseWave(riff.data(), riff.size(), w.Buffer));
  return w;
}

// An image of `patterns` solid patterns of pw x ph in one row; pattern p has colour color(p).
template <typename ColorFn>
Image SolidImage(const std::string& name, int patterns, int pw, int ph, ColorFn color) {
  Image img = PatternedImage(name, pw * patterns, ph, pw, ph);
  img.Transparent = false;
  for (int y = 0; y < ph; ++y)
    for (int x = 0; x < img.Width; ++x)
      img.Pixels[static_cast<size_t>(y) * img.Width + x] = color(x / pw);
  return img;
}

// The game with its headless layer; sound on or off.
class ServiceGame {
 public:
  explicit ServiceGame(bool sound) : backend(sound), layer(backend), game(layer) {
    game.archive.SetDataDir(dir.Dir());
    if (sound) {
      EXPECT_TRUE(layer.InitSound());
      game.SoundAvailable = 1;
    } else {
      game.SoundAvailable = 0;
    }
  }

  void WriteEntries(const std::vector<PackEntry>& entries) {
    std::string error;
    ASSERT_TRUE(WriteArchive(dir.Dir(), entries, &error)) << error;
  }
  void PressKey(int code, bool down) {
    backend.SetKey(code, down);
    layer.UpdateInput();
  }
  Wave* Speech() { return layer.Waves(4)->WaveItem(0); }
  Wave* Music() { return layer.Waves(4)->WaveItem(1); }
  Surface& Screen() { return layer.BackBuffer(); }

  TempDir dir;
  HeadlessBackend backend;
  Layer layer;
  Game game;
};

// A test over a ServiceGame `s` and its game `g`, sound on unless the test says otherwise.
class ServiceTest : public ::testing::Test {
 protected:
  explicit ServiceTest(bool sound = true) : s(sound) {}
  ServiceGame s;
  Game& g = s.game;
};

// A fixture's tests again with no sound device.
template <typename Fixture>
class Silent : public Fixture {
 protected:
  Silent() : Fixture(false) {}
};

}  // namespace vepa::servicetest
