// The shared frame of game scenes: loading a scene's entries, entering it with the opening
// transition, and going back to the kiosk once the closing transition covers the screen.
#include "engine/scene_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/asset_needs.h"
#include "tests/scene_fixture.h"

namespace vepa {
namespace {

class SceneHelpersTest : public testing::SceneFixture {
 protected:
  SceneHelpersTest() : SceneFixture(false) {}
};

TEST_F(SceneHelpersTest, LoadsTheEntriesAndStopsOnAnUnreadableArchive) {
  const SceneEntries darts{.Background = "r_fill01", .Images = "s_dtir01", .HitMap = "b_dtir01"};
  g.HitMap.fill(0);
  ASSERT_TRUE(LoadSceneEntries(g, darts));
  EXPECT_NE(layer.FindImage(2, "DTir01"), nullptr);
  EXPECT_EQ(layer.BackgroundSurface().width, 640);
  EXPECT_EQ(g.HitMapAt(350, 210), 6);
  // A name that is not in the archive loads nothing and is no error.
  EXPECT_TRUE(LoadSceneEntries(g, {.Images = "s_nothing"}));
  EXPECT_NE(layer.FindImage(2, "DTir01"), nullptr);
  // The archive gone: the loader must stop.
  g.archive.SetDataDir("/nonexistent-vepa4-dir/");
  EXPECT_FALSE(LoadSceneEntries(g, darts));
  EXPECT_EQ(g.FatalError, 1);
}

TEST_F(SceneHelpersTest, DeclaresOnlyNamedEntries) {
  AssetNeeds needs;
  DeclareSceneEntries(needs, {.Background = "r_x", .Music = "none", .HitMap = "b_x"});
  EXPECT_EQ(needs.Entries, (std::vector<std::string>{"r_x", "b_x"}));
  AssetNeeds withMusic;
  DeclareSceneEntries(withMusic, {.Images = "s_x", .Music = "m_vepa4", .Waves = "w_x"});
  EXPECT_EQ(withMusic.Entries, (std::vector<std::string>{"s_x", "m_vepa4", "w_x"}));
}

// A scene entered closes the exit box and lets go of Esc; the kiosk opened keeps both, as how
// the game was left is still to be read there. Both start the opening transition.
TEST_F(SceneHelpersTest, OpeningAScreenStartsTheTransitionAndOnlyTheKioskKeepsTheExitBox) {
  const struct {
    SceneId scene;
    void (*open)(GameServices&, SceneId);
    int exitMenuState, escLatch;
  } cases[] = {
      {SceneId::Darts, [](GameServices& g, SceneId id) { EnterScene(g, id); }, 0, 0},
      {SceneId::Kiosk, [](GameServices& g, SceneId id) { OpenScene(g, id); }, 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(SceneNo(c.scene)));
    g.FadeMode = 0;
    g.FadeProgress = 0;
    g.ExitMenuState = 2;
    g.EscLatch = 1;
    c.open(g, c.scene);
    EXPECT_TRUE(g.InScene(c.scene));
    EXPECT_EQ(g.ExitMenuState, c.exitMenuState);
    EXPECT_EQ(g.EscLatch, c.escLatch);
    EXPECT_EQ(g.FadeMode, 2);
    EXPECT_EQ(g.FadeProgress, 400);
  }
}

TEST_F(SceneHelpersTest, AScreenOpenedAtOnceHasNoTransition) {
  g.FadeMode = 1;
  g.FadeProgress = 400;
  g.ExitMenuState = 2;
  EnterScene(g, SceneId::PublisherLogo, Opening::AtOnce);
  EXPECT_TRUE(g.InScene(SceneId::PublisherLogo));
  EXPECT_EQ(g.FadeMode, 0);
  EXPECT_EQ(g.ExitMenuState, 0);
}

TEST_F(SceneHelpersTest, ReturnsToTheKioskOnlyOnceTheScreenIsCovered) {
  g.SpeechRecord.Price = 5;
  Enter(SceneId::Darts);
  for (int i = 0; i < 8; ++i) g.Tick();
  ASSERT_EQ(g.FadeMode, 0);
  EXPECT_FALSE(ReturnToKioskWhenCovered(g, HubEntry::AfterGame));
  StartClosing(g);
  EXPECT_EQ(g.FadeMode, 1);
  EXPECT_EQ(g.FadeProgress, 0);
  // One latch tick and five steps of 80.
  int ticks = 0;
  while (!ScreenCovered(g) && ticks < 20) {
    EXPECT_FALSE(ReturnToKioskWhenCovered(g, HubEntry::AfterGame));
    g.TransitionOverlay();
    ++ticks;
  }
  EXPECT_EQ(ticks, 6);
  EXPECT_TRUE(g.InScene(SceneId::Darts));
  EXPECT_TRUE(ReturnToKioskWhenCovered(g, HubEntry::AfterDraw));
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(State("HubEntry"), static_cast<int>(HubEntry::AfterDraw));
}

// A mini-game's prize is set only on the frame the kiosk is entered, so a game that changes its
// mind while the screen closes pays what holds at the end.
TEST_F(SceneHelpersTest, PaysThePrizeOnlyOnceTheScreenIsCovered) {
  Enter(SceneId::Darts);
  for (int i = 0; i < 8; ++i) g.Tick();
  g.GameWinnings = 0;
  StartClosing(g);
  while (!ScreenCovered(g)) {
    ASSERT_FALSE(PayPrizeWhenCovered(g, 9));
    ASSERT_EQ(g.GameWinnings, 0);
    g.TransitionOverlay();
  }
  EXPECT_TRUE(PayPrizeWhenCovered(g, 12));
  EXPECT_EQ(g.GameWinnings, 12);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(State("HubEntry"), static_cast<int>(HubEntry::AfterGame))
      << "the kiosk announces and pays a game's prize";
}

}  // namespace
}  // namespace vepa
