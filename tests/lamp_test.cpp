// The lamp scene over the default archive: the breaking glass, the cashier's reproach and the
// player's answer each waited for, the fine of 12 dollars that never takes the money below 0,
// Esc cutting one line at a time, the same road without sound, the way back to the kiosk as
// after a game, the blinking eyes and the kiosk's status bar drawn in the dark.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/surface.h"
#include "engine/text.h"
#include "minigames/lamp_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

class LampTest : public SceneFixture {
 protected:
  explicit LampTest(bool sound = true) : SceneFixture(sound) {}

  void EnterLamp(int money) {
    Enter(SceneId::Lamp, 0,
          {{"Money", std::to_string(money)}, {"GameWinnings", "7"}, {"BubbleMode", "1"}});
  }
  // Ticks until the scene is at `stage` or has left; the ticks it took, -1 after `limit`.
  int TicksUntilStage(int stage, int limit = 400) {
    for (int i = 0; i <= limit; ++i) {
      if (!g.InScene(SceneId::Lamp) || State("Stage") >= stage) return i;
      Tick();
    }
    return -1;
  }
};

class LampTestNoSound : public LampTest {
 protected:
  LampTestNoSound() : LampTest(false) {}
};

TEST_F(LampTest, TheGlassBreaksThenTheCashierAndThePlayerSpeakAndTheLampCostsTwelve) {
  EnterLamp(40);
  EXPECT_EQ(State("Stage"), 0);
  EXPECT_EQ(g.SpeechCountdown, 60) << "the breaking glass is in the speech channel";
  ASSERT_GT(TicksUntilStage(1), 2) << "the cashier waits for the glass";
  EXPECT_EQ(g.SpeechRecord.Lines[1], Cp1251("ТЫ РАЗБИЛ ЛАМПУ!"));
  ASSERT_GT(TicksUntilStage(2), 2) << "the player waits for the cashier";
  EXPECT_EQ(g.SpeechRecord.Lines[1], Cp1251("Я НЕЧАЯННО..."));
  // The player's mouth moves while he speaks.
  bool mouthMoved = false;
  for (int i = 0; i < 10; ++i) {
    Tick();
    mouthMoved |= State("MouthFrame") > 0;
  }
  EXPECT_TRUE(mouthMoved);
  EXPECT_EQ(g.Money, 40) << "the fine is taken when the answer is over";
  ASSERT_TRUE(TickUntilKiosk(400));
  EXPECT_EQ(g.Money, 28);
  EXPECT_EQ(JsonInt(SceneState(), "HubEntry"), 1) << "back as after a game";
  EXPECT_EQ(g.GameWinnings, 7) << "the gallery's prize is still to be paid";
  EXPECT_EQ(MissingNames(), 0u);
}

TEST_F(LampTest, TheFineNeverTakesTheMoneyBelowNothing) {
  for (const auto& [before, after] : std::vector<std::pair<int, int>>{{13, 1}, {12, 0}, {5, 0}}) {
    SCOPED_TRACE(before);
    EnterLamp(before);
    ASSERT_TRUE(TickUntilKiosk(400));
    EXPECT_EQ(g.Money, after);
  }
}

TEST_F(LampTest, EachFreshEscCutsOneLineShort) {
  EnterLamp(40);
  Tick();
  ASSERT_EQ(State("Stage"), 0);
  // Held down, Esc ends the breaking glass and no more: the cashier speaks his line to the end.
  KeyDown(key::Esc);
  Tick();
  EXPECT_EQ(State("Stage"), 1) << "the glass was cut short and the cashier began at once";
  Tick(10);
  EXPECT_EQ(State("EscState"), 2);
  EXPECT_EQ(State("Stage"), 1);
  KeyUp(key::Esc);
  Tick();
  EXPECT_EQ(State("EscState"), 0);
  TapKey(key::Esc);
  EXPECT_EQ(State("Stage"), 2) << "a fresh press cuts the cashier short";
  Tick(2);
  TapKey(key::Esc);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk)) << "and the next one the player's answer";
  EXPECT_EQ(g.Money, 28);
}

TEST_F(LampTest, TheEyesBlinkInTheDark) {
  EnterLamp(40);
  bool shut[3] = {false, false, false};
  for (int i = 0; i < 300; ++i) {
    Tick();
    if (!g.InScene(SceneId::Lamp)) break;
    const auto lids = StateArray("EyeLid");
    for (int e = 0; e < 3; ++e) {
      ASSERT_GE(lids[e], 0);
      ASSERT_LE(lids[e], 2);
      shut[e] |= lids[e] == 2;
    }
  }
  EXPECT_TRUE(shut[0] || shut[1] || shut[2]) << "in 300 frames someone blinks";
}

TEST_F(LampTest, TheStatusBarShowsTheMoneyTicketsAndBattery) {
  // The battery gauge's level is drawn only while the battery has charge.
  auto level = [&](int charge) {
    Enter(SceneId::Lamp, 0, {{"Money", "40"}, {"BatteryCharge", std::to_string(charge)}});
    Tick(12);  // past the opening
    return FramePixel(123, 455);
  };
  const uint16_t full = level(32400), empty = level(0);
  EXPECT_NE(full, empty);
  // The money plate sits where the kiosk has it.
  const uint16_t plate = FramePixel(520, 440);
  EXPECT_NE(plate, FramePixel(520, 400)) << "the plate is on the dark background";
}

TEST_F(LampTest, TheMoneyPlateIsTheKiosksOwn) {
  // The plate and its digits are opaque, so the same money shows the same pixels in the dark.
  auto plate = [&](SceneId scene) {
    Enter(scene, 0, {{"Money", "47"}});
    Tick(12);
    std::vector<uint16_t> px;
    for (int y = 428; y < 460; ++y)
      for (int x = 530; x < 600; ++x) px.push_back(FramePixel(x, y));
    return px;
  };
  const auto kiosk = plate(SceneId::Kiosk), dark = plate(SceneId::Lamp);
  EXPECT_TRUE(kiosk == dark);
  Enter(SceneId::Lamp, 0, {{"Money", "48"}});
  Tick(12);
  bool differs = false;
  for (int y = 428, i = 0; y < 460; ++y)
    for (int x = 530; x < 600; ++x, ++i) differs |= FramePixel(x, y) != dark[i];
  EXPECT_TRUE(differs) << "another sum shows other digits";
}

TEST_F(LampTestNoSound, WithoutSoundEachLineCountsForItsSixtyFrames) {
  EnterLamp(40);
  const int glass = TicksUntilStage(1), host = TicksUntilStage(2), player = TicksUntilStage(3);
  EXPECT_GE(glass, 59);
  EXPECT_LE(glass, 61);
  EXPECT_GE(host, 59);
  EXPECT_LE(host, 61);
  EXPECT_GE(player, 59);
  EXPECT_LE(player, 61);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(g.Money, 28);
}

}  // namespace
}  // namespace vepa::testing
