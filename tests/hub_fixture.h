// The kiosk over a small hand-made archive: phrase tables whose kinds and prices each test
// chooses, a hit map with one block per item code, and a few solid-colour pictures whose pixels
// show what was drawn where. Every phrase's first subtitle line names it ("KIB 19", "PLY 3"), so
// a test can tell who said what.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "engine/archive.h"
#include "engine/backend_headless.h"
#include "engine/helpers.h"
#include "engine/streams.h"
#include "engine/text.h"
#include "hub/hub.h"
#include "tests/service_fixture.h"
#include "tests/temp_dir.h"

namespace vepa::testing {

// Colours of the test pictures.
inline constexpr uint16_t kStackColor[5] = {Rgb565(255, 0, 0), Rgb565(0, 255, 0), Rgb565(0, 0, 255),
                                            Rgb565(255, 255, 0), Rgb565(0, 255, 255)};
inline constexpr uint16_t kBarColor = Rgb565(40, 240, 40);
inline constexpr uint16_t kForSaleColor = Rgb565(250, 120, 10);

struct PhraseSetting {
  int Kind = 0;
  int Price = 0;
};

class HubFixture : public ::testing::Test {
 protected:
  explicit HubFixture(bool sound = false) : backend(sound), layer(backend), g(layer) {
    layer.SetDisplayMode(640, 480, 16);
    std::string error;
    EXPECT_TRUE(layer.InitDisplay(&error)) << error;
    g.archive.SetDataDir(dir.Dir());
    if (sound) {
      EXPECT_TRUE(layer.InitSound());
    }
    g.SoundAvailable = sound ? 1 : 0;
    hub = static_cast<HubScene*>(g.GetScene(SceneNo(SceneId::Kiosk)));
  }

  // Cashier phrase n gets this kind and price (before WriteArchive).
  void SetPhrase(int n, int kind, int price) { kib[n] = {kind, price}; }

  // Hit map: item code c (1..50) is a 40 x 40 block at BlockX(c), BlockY(c); the answer
  // buttons lie where the hub draws them. The bottom-right corner cells carry code 5, which
  // the lookup must never reach.
  static int BlockX(int c) { return ((c - 1) % 10) * 60 + 10; }
  static int BlockY(int c) { return 60 + ((c - 1) / 10) * 60; }

  std::vector<uint8_t> HitMapBytes() const {
    std::vector<uint8_t> map(76800, 0);
    auto fill = [&map](int x1, int y1, int x2, int y2, int code) {
      for (int y = y1 / 2; y < y2 / 2; ++y)
        for (int x = x1 / 2; x < x2 / 2; ++x) map[static_cast<size_t>(y) * 320 + x] = code;
    };
    for (int c = 1; c <= 50; ++c) fill(BlockX(c), BlockY(c), BlockX(c) + 40, BlockY(c) + 40, c);
    fill(210, 423, 310, 468, hub::LeftButton);
    fill(330, 423, 430, 468, hub::RightButton);
    fill(600, 470, 640, 480, 5);
    return map;
  }

  static std::vector<uint8_t> PhraseTableBytes(const char* stem, int records,
                                               const std::map<int, PhraseSetting>& settings) {
    std::vector<uint8_t> out(static_cast<size_t>(records) * PhraseRecordSize, 0);
    for (int n = 1; n <= records; ++n) {
      uint8_t* r = out.data() + static_cast<size_t>(n - 1) * PhraseRecordSize;
      auto it = settings.find(n);
      const PhraseSetting s = it == settings.end() ? PhraseSetting{} : it->second;
      r[0] = static_cast<uint8_t>(s.Kind);
      r[2] = static_cast<uint8_t>(s.Price & 0xFF);
      r[3] = static_cast<uint8_t>(s.Price >> 8);
      const std::string line = std::string(stem) + " " + std::to_string(n);
      r[8] = static_cast<uint8_t>(line.size());
      std::copy(line.begin(), line.end(), r + 9);
    }
    return out;
  }

  static Image Solid(const std::string& name, int patterns, int w, int h, const uint16_t* colors) {
    return servicetest::SolidImage(name, patterns, w, h, [colors](int p) { return colors[p]; });
  }

  // Extra entries a test adds (announcer clips, for instance).
  std::vector<PackEntry> extra;

  void WriteArchive() {
    std::vector<PackEntry> entries;
    entries.push_back({"t_kib01", PhraseTableBytes("KIB", 95, kib), false});
    entries.push_back({"t_ply01", PhraseTableBytes("PLY", 18, {}), false});
    entries.push_back({"b_ksk03", HitMapBytes(), false});
    std::vector<Image> kiosk;
    kiosk.push_back(Solid("Bilet01", 5, 6, 6, kStackColor));
    kiosk.push_back(Solid("Batar03", 1, 2, 2, &kBarColor));
    kiosk.push_back(Solid("Batar01", 1, 6, 6, &kForSaleColor));
    entries.push_back({"s_ksk01", EncodeImageList(kiosk), false});
    for (const PackEntry& e : extra) entries.push_back(e);
    std::string error;
    ASSERT_TRUE(vepa::WriteArchive(dir.Dir(), entries, &error)) << error;
  }

  // A new game entering the kiosk with the given entry code.
  void Enter(HubEntry entry = HubEntry::Plain) {
    WriteArchive();
    g.NewGame();
    g.BubbleMode = 1;
    g.SceneNumber = SceneNo(SceneId::StartMenu);  // as if coming from the start menu
    g.LoadScene(SceneId::Kiosk, static_cast<int>(entry));
    ASSERT_EQ(g.SceneNumber, 0);
  }

  // A new game back in the kiosk from the draw of `drawn`, with these tickets filled in, before
  // the check starts.
  void ComeBackFromTheDraw(const std::array<uint8_t, 6>& drawn,
                           const std::vector<std::array<uint8_t, 6>>& tickets) {
    WriteArchive();
    g.NewGame();
    g.Tickets = static_cast<uint16_t>(tickets.size());
    g.TicketsFilled = tickets.empty() ? 0 : 1;
    g.DrawnNumbers = drawn;
    std::copy(tickets.begin(), tickets.end(), g.TicketNumbers.begin());
    g.SceneNumber = SceneNo(SceneId::Draw);
    g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::AfterDraw));
  }
  // A new game back in the kiosk from darts with the stake and winnings given (and the exit box
  // as darts left it), before the announcement.
  void ComeBackFromAGame(int stake, int winnings, int exitMenu = 0) {
    WriteArchive();
    g.NewGame();
    g.GameStake = static_cast<uint16_t>(stake);
    g.GameWinnings = static_cast<uint16_t>(winnings);
    g.ExitMenuState = static_cast<uint8_t>(exitMenu);
    g.SceneNumber = SceneNo(SceneId::Darts);
    g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::AfterGame));
    EXPECT_EQ(hub->HubState, 14);
  }

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      g.Tick();
      layer.AdvanceAudio(0.05);
    }
  }
  // Ticks until the predicate holds; false after `limit` ticks.
  template <typename Pred>
  bool TickUntil(Pred pred, int limit = 400) {
    for (int i = 0; i < limit; ++i) {
      if (pred()) return true;
      Tick();
    }
    return pred();
  }

  // Moves the pointer so that its fingertip lies at (x, y).
  void PointAt(int x, int y) { g.MouseMove(x - 5, y - 25); }
  void PointAtItem(int code) { PointAt(BlockX(code) + 20, BlockY(code) + 20); }
  void PressLeft() { g.MouseDown(MouseButton::Left, g.MouseX, g.MouseY); }
  void PressRight() { g.MouseDown(MouseButton::Right, g.MouseX, g.MouseY); }
  void ClickItem(int code) {
    PointAtItem(code);
    PressLeft();
  }
  void Key(int code, bool down) { backend.SetKey(code, down); }
  // Holds a key for a tick, then lets it go.
  void TapKey(int code) {
    Key(code, true);
    Tick();
    Key(code, false);
  }

  std::string Said() const { return g.SpeechRecord.Lines[0]; }
  uint16_t Pixel(int x, int y) { return layer.BackBuffer().At(x, y); }

  // Waits for the buttons of the current question to be up.
  bool WaitForButtons() {
    return TickUntil([&] { return hub->HubState == 5; });
  }
  // Clicks one of the answer buttons: 0 left, 1 right.
  void ClickButton(int which) {
    PointAt(which == 0 ? 260 : 380, 445);
    PressLeft();
  }

  TempDir dir;
  HeadlessBackend backend;
  Layer layer;
  Game g;
  HubScene* hub = nullptr;
  std::map<int, PhraseSetting> kib;
};

}  // namespace vepa::testing
