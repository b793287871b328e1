// The game over the default archive for the lottery tests: the ticket scene, the draw and the
// road through the kiosk. The scenes' own state is read from their JSON description.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/json.h"
#include "engine/backend_headless.h"
#include "lottery/ticket_layout.h"
#include "tests/test_paths.h"

namespace vepa::testing {

inline constexpr int kTicketSceneNumber = 23;
inline constexpr int kDrawSceneNumber = 24;

// One whole number after "key": in a flat JSON text; -1 and a failure when missing.
inline long long JsonInt(const std::string& json, const std::string& key) {
  const std::string k = "\"" + key + "\":";
  const size_t at = json.find(k);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << key << " in " << json;
    return -1;
  }
  return std::strtoll(json.c_str() + at + k.size(), nullptr, 10);
}

inline std::vector<long long> JsonInts(const std::string& json, const std::string& key) {
  std::vector<long long> out;
  const std::string k = "\"" + key + "\":[";
  const size_t at = json.find(k);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no array " << key << " in " << json;
    return out;
  }
  const char* p = json.c_str() + at + k.size();
  while (*p && *p != ']') {
    char* end = nullptr;
    out.push_back(std::strtoll(p, &end, 10));
    if (end == p) break;
    p = end;
    if (*p == ',') ++p;
  }
  return out;
}

class LotteryFixture : public ::testing::Test {
 protected:
  explicit LotteryFixture(bool sound) : backend(sound), layer(backend), g(layer) {}

  void SetUp() override {
    std::string dir = VEPA_DATA_DIR;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    ASSERT_TRUE(std::filesystem::exists(dir + "vepa4.gmd")) << "default archive missing in " << dir;
    g.DataDir = dir;
    g.archive.SetDataDir(dir);
    g.rng.Seed = 4242;
    layer.SetDisplayMode(640, 480, 16);
    layer.SetFullScreen(true);
    ASSERT_TRUE(layer.InitDisplay());
    g.StartGameState(false);
    g.NewGame();
  }

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      g.Tick();
      layer.AdvanceAudio(0.05);
    }
  }
  // Ticks until the condition holds (checked before every tick); false after `limit` ticks.
  bool TickUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }

  // The current scene's own state as JSON.
  std::string SceneState() const {
    JsonWriter j;
    j.BeginObject();
    if (const Scene* s = g.GetScene(g.SceneNumber)) s->DescribeState(j);
    j.EndObject();
    return j.Text();
  }
  long long State(const std::string& key) const { return JsonInt(SceneState(), key); }
  std::vector<long long> StateArray(const std::string& key) const {
    return JsonInts(SceneState(), key);
  }

  void Press(int x, int y) {
    g.MouseMove(x, y);
    g.MouseDown(MouseButton::Left, x, y);
    g.MouseUp(MouseButton::Left, x, y);
  }

  uint16_t FramePixel(int x, int y) const { return backend.LastFrame().At(x, y); }

  HeadlessBackend backend;
  Layer layer;
  Game g;
};

// The ticket's number cells.
inline lottery::CellPosition Cell(int n) { return lottery::TicketCells[n - 1]; }
// Where to point so that the pen's tip lies on the middle of a number's digits.
inline int PointX(int n) { return Cell(n).X - lottery::PenTipDX; }
inline int PointY(int n) { return Cell(n).Y + 9; }

}  // namespace vepa::testing
