// The frame loop's transition timing and shapes, the per-scene mouse rules and NewGame.
#include <gtest/gtest.h>

#include <set>

#include "app/game.h"
#include "app/scene_catalogue.h"
#include "engine/backend_headless.h"

namespace vepa {
namespace {

struct GameFixture : ::testing::Test {
  HeadlessBackend backend{false};
  Layer layer{backend};
  Game g{layer};
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(layer.InitDisplay(&err)) << err;
    g.archive.SetDataDir("/nonexistent-vepa4-dir/");
  }
  // Counts black pixels of the back buffer after the overlay (the scene draws nothing, so
  // the background is white to tell covered from uncovered).
  int CoveredPixels() {
    FillSurface(layer.BackBuffer(), 0xFFFF);
    g.TransitionOverlay();
    int n = 0;
    for (uint16_t p : layer.BackBuffer().pixels) n += p == 0;
    return n;
  }
};

using TransitionTest = GameFixture;

TEST_F(TransitionTest, ClosingReachesFullCoverSixTicksAfterItStarts) {
  g.FadeMode = 1;
  g.FadeProgress = 0;
  g.FadeLatch = 0;
  std::vector<int> progress;
  for (int t = 0; t < 7; ++t) {
    g.TransitionOverlay();
    progress.push_back(g.FadeProgress);
  }
  // One latch tick, then five steps of 80; it stays at 400 until a loader changes the mode.
  EXPECT_EQ(progress, (std::vector<int>{0, 80, 160, 240, 320, 400, 400}));
  EXPECT_EQ(g.FadeMode, 1);
}

TEST_F(TransitionTest, OpeningLatchesFullyBlackThenUncoversAndEnds) {
  g.FadeMode = 2;
  g.FadeProgress = 400;
  g.FadeLatch = 0;
  EXPECT_EQ(CoveredPixels(), 640 * 480);  // latch tick: fully black
  EXPECT_EQ(g.FadeProgress, 400);
  std::vector<int> progress;
  for (int t = 0; t < 5; ++t) {
    g.TransitionOverlay();
    progress.push_back(g.FadeProgress);
  }
  EXPECT_EQ(progress, (std::vector<int>{320, 240, 160, 80, 0}));
  EXPECT_EQ(g.FadeMode, 2);
  g.TransitionOverlay();  // one more tick reaches mode 0
  EXPECT_EQ(g.FadeMode, 0);
  EXPECT_EQ(CoveredPixels(), 0);
  EXPECT_EQ(g.FadeLatch, 0);
}

TEST_F(TransitionTest, ShapesCoverTheirAreaWithExclusiveEdges) {
  struct Case {
    int shape, progress, covered;
  };
  const Case cases[] = {
      {1, 80, 128 * 480},   // from the left, Trunc(80 x 1.6) columns
      {2, 160, 256 * 480},  // from the right
      {3, 80, 640 * 96},    // from the top, Trunc(80 x 1.2) rows
      {4, 320, 640 * 384},  // from the bottom
  };
  for (const Case& c : cases) {
    // Reach the wanted progress with one step that does not draw a new shape: an opening
    // step down from p + 80, or a closing step up from p - 80 near the top.
    if (c.progress + 80 < 400) {
      g.FadeMode = 2;
      g.FadeLatch = 2;
      g.FadeProgress = static_cast<uint16_t>(c.progress + 80);
    } else {
      g.FadeMode = 1;
      g.FadeLatch = 1;
      g.FadeProgress = static_cast<uint16_t>(c.progress - 80);
    }
    g.FadeShape = static_cast<uint8_t>(c.shape);
    EXPECT_EQ(CoveredPixels(), c.covered) << "shape " << c.shape << " p " << c.progress;
  }
}

TEST_F(TransitionTest, CircleGrowsFromTheCentre) {
  g.FadeMode = 1;
  g.FadeLatch = 1;
  g.FadeShape = 0;
  g.FadeProgress = 80;  // becomes 160
  const int covered = CoveredPixels();
  const double area = 3.14159265 * 160 * 160;
  EXPECT_NEAR(covered, area, area * 0.02);
  EXPECT_EQ(layer.BackBuffer().At(320, 240), 0);
  EXPECT_EQ(layer.BackBuffer().At(320, 240 - 159), 0);
  EXPECT_NE(layer.BackBuffer().At(320, 240 + 160), 0);  // bottom edge excluded
  EXPECT_NE(layer.BackBuffer().At(0, 0), 0);
}

TEST_F(TransitionTest, NewShapeIsDrawnAtEachStart) {
  g.rng.Seed = 12345;
  std::set<int> shapes;
  for (int i = 0; i < 40; ++i) {
    g.FadeMode = 1;
    g.FadeLatch = 1;
    g.FadeProgress = 0;
    g.TransitionOverlay();
    EXPECT_LE(g.FadeShape, 4);
    shapes.insert(g.FadeShape);
  }
  EXPECT_EQ(shapes.size(), 5u);
}

struct MouseRulesTest : GameFixture {
  // The click state a press at (x, y) leaves, from the click state and hand frame given.
  int AfterPress(MouseButton b, int clickState, int handFrame = 0, int x = 1, int y = 1) {
    g.ClickState = static_cast<uint8_t>(clickState);
    g.HandFrame = static_cast<uint8_t>(handFrame);
    g.MouseDown(b, x, y);
    return g.ClickState;
  }
};

TEST_F(MouseRulesTest, HubAcceptsPressesOnlyWhenTheHandIsIdle) {
  g.SceneNumber = SceneNo(SceneId::Kiosk);
  EXPECT_EQ(AfterPress(MouseButton::Left, 0), 1);
  // The previous press animation not over.
  EXPECT_EQ(AfterPress(MouseButton::Left, 0, 1), 0);
  EXPECT_EQ(AfterPress(MouseButton::Right, 0, 1), 0);
  EXPECT_EQ(AfterPress(MouseButton::Right, 0), 3);
  EXPECT_EQ(AfterPress(MouseButton::Left, 4), 5);
  EXPECT_EQ(AfterPress(MouseButton::Right, 4), 4);
  // A double click during the animation does nothing.
  EXPECT_EQ(AfterPress(MouseButton::Left, 2), 2);
}

TEST_F(MouseRulesTest, LeftPressSetAndSilentScenes) {
  for (SceneId scene : {SceneId::Aquarium, SceneId::Boxing, SceneId::RockPaperScissors,
                        SceneId::Hammer, SceneId::Ticket, SceneId::DazTable, SceneId::DazFood,
                        SceneId::CockroachRace, SceneId::OpponentSelection, SceneId::About,
                        SceneId::Journal, SceneId::SettingsBook, SceneId::StartMenu}) {
    g.SceneNumber = SceneNo(scene);
    EXPECT_EQ(AfterPress(MouseButton::Right, 0), 0) << int(SceneNo(scene));
    EXPECT_EQ(AfterPress(MouseButton::Left, 0), 1) << int(SceneNo(scene));
    EXPECT_EQ(AfterPress(MouseButton::Left, 0, 2), 0) << int(SceneNo(scene));
  }
  for (SceneId scene : {SceneId::Snake, SceneId::Lamp, SceneId::Draw, SceneId::MakerLogo,
                        SceneId::PublisherLogo, SceneId::Closing}) {
    g.SceneNumber = SceneNo(scene);
    EXPECT_EQ(AfterPress(MouseButton::Left, 0), 0) << int(SceneNo(scene));
    EXPECT_EQ(AfterPress(MouseButton::Right, 0), 0) << int(SceneNo(scene));
  }
}

TEST_F(MouseRulesTest, GalleryNeedsShotsAndCardGameAlwaysTakesThePress) {
  g.SceneNumber = SceneNo(SceneId::Gallery);
  g.ShotsLeft = 0;
  EXPECT_EQ(AfterPress(MouseButton::Left, 0), 0);
  g.ShotsLeft = 5;
  EXPECT_EQ(AfterPress(MouseButton::Left, 0, 2), 1) << "the gallery does not wait for the hand";

  g.SceneNumber = SceneNo(SceneId::CardGame);
  EXPECT_EQ(AfterPress(MouseButton::Left, 3, 2), 1) << "whatever the click and the hand";
  EXPECT_EQ(g.ButtonHeld, 1);
  g.MouseUp(MouseButton::Right, 1, 1);
  EXPECT_EQ(g.ButtonHeld, 1);
  g.MouseUp(MouseButton::Left, 1, 1);
  EXPECT_EQ(g.ButtonHeld, 0);
  EXPECT_EQ(g.ClickState, 1);  // release never resets the click
}

TEST_F(MouseRulesTest, DartsTakesADartFromTheRackAndThrowsAtTheBoard) {
  g.SceneNumber = SceneNo(SceneId::Darts);
  g.HitMap.fill(0);
  // Rack cell (value 8) at row 100, column 50; board ring 3 at row 120, column 200.
  g.HitMap[100 * 320 + 50] = 8;
  g.HitMap[120 * 320 + 200] = 3;
  g.SceneBytes[0] = 3;
  // Rack: row (y + 20) div 2 = 100, column x div 2 = 50.
  EXPECT_EQ(AfterPress(MouseButton::Left, 0, 0, 100, 180), 1);
  g.SceneBytes[0] = 0;  // no darts left
  EXPECT_EQ(AfterPress(MouseButton::Left, 0, 0, 100, 180), 0);
  // Board: row (y + 32) div 2 = 120, column (x + 75) div 2 = 200.
  EXPECT_EQ(AfterPress(MouseButton::Left, 2, 0, 325, 208), 3);
  EXPECT_EQ(AfterPress(MouseButton::Left, 2, 0, 10, 10), 2) << "value 0: nothing";
  // Below the map reads as 0 rather than past the buffer.
  EXPECT_EQ(AfterPress(MouseButton::Left, 2, 0, 100, 470), 2);
}

TEST_F(MouseRulesTest, DartsFreezesThePointerWhileTakingOrThrowing) {
  g.SceneNumber = SceneNo(SceneId::Darts);
  for (int cs = 0; cs <= 3; ++cs) {
    g.ClickState = static_cast<uint8_t>(cs);
    g.MouseX = g.MouseY = 0;
    g.MouseMove(50, 60);
    const bool follows = cs == 0 || cs == 2;
    EXPECT_EQ(g.MouseX, follows ? 50 : 0) << cs;
    EXPECT_EQ(g.MouseY, follows ? 60 : 0) << cs;
  }
  g.SceneNumber = 101;  // scenes above 100 never move the pointer
  g.MouseMove(7, 8);
  EXPECT_EQ(g.MouseX, 0);
  g.SceneNumber = 100;
  g.MouseMove(7, 8);
  EXPECT_EQ(g.MouseX, 7);
}

TEST_F(MouseRulesTest, AltF4IsSwallowedOnlyWhileFullScreen) {
  g.FullScreenActive = 1;
  EXPECT_TRUE(g.FormKeyDown(key::F4, true));
  EXPECT_FALSE(g.FormKeyDown(key::F4, false));
  EXPECT_FALSE(g.FormKeyDown(key::Esc, true));
  g.FullScreenActive = 0;
  EXPECT_FALSE(g.FormKeyDown(key::F4, true));
}

using TickTest = GameFixture;

TEST_F(TickTest, CountersAndBatteryOnlyInTheDazScenes) {
  g.SceneNumber = SceneNo(SceneId::DazTable);
  g.BatteryCharge = 2;
  g.SpeechCountdown = 1;
  g.Tick();
  EXPECT_EQ(g.BatteryCharge, 1);
  EXPECT_EQ(g.SpeechCountdown, 0);
  g.Tick();
  g.Tick();
  EXPECT_EQ(g.BatteryCharge, 0);  // never below 0
  EXPECT_EQ(g.SpeechCountdown, 0);
  g.SceneNumber = SceneNo(SceneId::Kiosk);
  g.BatteryCharge = 5;
  g.Tick();
  EXPECT_EQ(g.BatteryCharge, 5);
  EXPECT_EQ(g.FrameToggle, 0);  // flipped four times
}

// Each frame starts from the background over black: a background smaller than the screen
// leaves black around it, and nothing of the previous frame shows through either way.
TEST_F(TickTest, FrameStartsFromTheBackgroundOverBlack) {
  // The first number no scene of the catalogue has: nothing is drawn over the background.
  int noScene = 0;
  while (FindScene(noScene)) ++noScene;
  g.SceneNumber = static_cast<uint8_t>(noScene);
  ASSERT_EQ(g.GetScene(noScene), nullptr);
  Surface small(640, 200);
  FillSurface(small, 0x1234);
  layer.BackgroundSurface() = small;
  FillSurface(layer.BackBuffer(), 0xFFFF);
  g.Tick();
  EXPECT_EQ(layer.BackBuffer().At(5, 199), 0x1234);
  EXPECT_EQ(layer.BackBuffer().At(5, 200), 0);
  EXPECT_EQ(layer.BackBuffer().At(639, 479), 0);

  Surface full(640, 480);
  FillSurface(full, 0x4321);
  layer.BackgroundSurface() = full;
  FillSurface(layer.BackBuffer(), 0xFFFF);
  g.Tick();
  for (uint16_t p : layer.BackBuffer().pixels) ASSERT_EQ(p, 0x4321);
}

TEST_F(TickTest, FatalErrorPresentsTheFrameThenReturnsToTheLauncherOnce) {
  int calls = 0;
  g.OnReturnToLauncher = [&] { ++calls; };
  g.FullScreenActive = 1;
  g.SceneNumber = SceneNo(SceneId::Kiosk);
  const uint64_t before = backend.PresentCount();
  g.FatalError = 1;
  g.Tick();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(g.FullScreenActive, 0);
  EXPECT_EQ(backend.PresentCount(), before);  // a tick that starts with the error skips drawing
  g.Tick();
  EXPECT_EQ(calls, 1);
}

TEST(NewGameTest, ProgressValuesAndTicketNumbersInPlaceMajorOrder) {
  HeadlessBackend backend(false);
  Layer layer(backend);
  Game g(layer);
  g.rng.Seed = 99;
  g.Money = 7;
  g.Tickets = 3;
  g.TicketsFilled = 1;
  g.BubbleMode = 1;
  g.NewGame();
  EXPECT_EQ(g.Money, 51);
  EXPECT_EQ(g.BatteryCharge, 16200);
  EXPECT_EQ(g.Tickets, 0);
  EXPECT_EQ(g.TicketsFilled, 0);
  EXPECT_EQ(g.MusicVolume, -1000);
  EXPECT_EQ(g.BubbleMode, 0);
  RandomGenerator r;
  r.Seed = 99;
  for (int i = 0; i < 6; ++i)
    for (int t = 0; t < 6; ++t) EXPECT_EQ(g.TicketNumbers[t][i], r.Random(40) + 1);
}

TEST(RandomTest, SequenceIsPinned) {
  // The generator is seed * 134775813 + 1 with the high 32 bits of seed * n as the result.
  RandomGenerator r;
  r.Seed = 0;
  EXPECT_EQ(r.Random(100), 0);  // seed 1: (1 * 100) >> 32
  EXPECT_EQ(r.Seed, 1u);
  EXPECT_EQ(r.Random(1000), 31);  // seed 134775814
  EXPECT_EQ(r.Seed, 134775814u);
  for (int i = 0; i < 1000; ++i) {
    int v = r.Random(5);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 5);
  }
  EXPECT_EQ(r.Random(0), 0);
}

}  // namespace
}  // namespace vepa
