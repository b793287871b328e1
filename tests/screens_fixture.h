// The framing screens (logos, start menu, closing screen) over the default archive of the build,
// on the headless layer, with or without sound. The test steps the frame loop itself and moves
// sound time on 50 ms per tick, as the runner does.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/game.h"
#include "engine/backend_headless.h"
#include "engine/layer.h"
#include "tests/test_paths.h"

namespace vepa::testing {

class ScreensGame {
 public:
  explicit ScreensGame(bool sound, uint32_t seed = 1) : backend(sound), layer(backend), g(layer) {
    std::string dir = VEPA_DATA_DIR;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    EXPECT_TRUE(std::filesystem::is_regular_file(dir + "vepa4.gmd"))
        << "the default archive is missing from " << dir << " (build target default-content)";
    layer.SetDisplayMode(640, 480, 16);
    layer.SetFullScreen(true);
    std::string error;
    EXPECT_TRUE(layer.InitDisplay(&error)) << error;
    g.DataDir = dir;
    g.archive.SetDataDir(dir);
    g.rng.Seed = seed;
    g.StartGameState(false);
    // No scene runs until the test loads one.
    g.SceneNumber = kNoScene;
  }
  static constexpr uint8_t kNoScene = 255;

  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      g.Tick();
      layer.AdvanceAudio(0.05);
    }
  }
  // Ticks until `done` holds (checked after each tick); the ticks taken, or -1 after `limit`.
  int TickUntil(const std::function<bool()>& done, int limit) {
    for (int t = 1; t <= limit; ++t) {
      Tick();
      if (done()) return t;
    }
    return -1;
  }
  void Key(int code, bool down) { backend.SetKey(code, down); }
  // A left click at a screen point (the pointer moves there first).
  void Click(int x, int y) {
    g.MouseMove(x, y);
    g.MouseDown(MouseButton::Left, x, y);
    g.MouseUp(MouseButton::Left, x, y);
  }
  Wave* Speech() { return layer.Waves(4)->WaveItem(0); }

  HeadlessBackend backend;
  Layer layer;
  Game g;
};

// Key codes the screens poll.
inline constexpr int kEnter = 13;
inline constexpr int kEsc = 27;
inline constexpr int kSpace = 32;

}  // namespace vepa::testing
