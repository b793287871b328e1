// Darts over the default archive: taking and throwing darts through the mouse handlers, the
// trembling aim and its limits, ring scoring, the drawing order of the darts in the board,
// the end and the way back to the kiosk, which announces and pays the prize.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/runner.h"
#include "engine/archive.h"
#include "engine/streams.h"
#include "hub/hub_layout.h"
#include "minigames/darts_layout.h"
#include "tests/scene_assets.h"
#include "tests/scene_fixture.h"

namespace vepa {
namespace {

using namespace darts;
using testing::JsonInt;
using testing::JsonInts;

// The board's centre on screen; the dart tip relative to the aim point.
constexpr int kCX = BoardCX, kCY = BoardCY;
constexpr int kTipDX = TipDX, kTipDY = TipDY;
// A point of the rack where the darts lie.
constexpr int kRackX = 170, kRackY = 386;
constexpr int kDartsPrice = 5;

class DartsTest : public testing::SceneFixture {
 protected:
  explicit DartsTest(bool sound = true) : SceneFixture(sound, 12345) {}

  // Enters darts as the kiosk would after the player paid.
  void EnterDarts(int price = kDartsPrice) {
    g.SpeechRecord.Price = static_cast<uint16_t>(price);
    Enter(SceneId::Darts);
    Tick(8);  // the opening transition is over
    ASSERT_EQ(g.FadeMode, 0);
  }

  long long Darts(const std::string& key) const { return State(key); }
  std::vector<long long> DartsArray(const std::string& key) const { return StateArray(key); }
  // The kiosk's own state, once the game is back there.
  long long Kiosk(const std::string& key) const {
    EXPECT_TRUE(g.InScene(SceneId::Kiosk));
    return State(key);
  }

  // Points the empty hand at the rack (the aim offset stays as the last throw left it), takes a
  // dart and waits until it is in hand.
  void TakeDart() {
    ASSERT_EQ(g.ClickState, 0);
    PressAt(kRackX - g.AimShakeX, kRackY - 20 - g.AimShakeY);
    ASSERT_EQ(g.ClickState, 1);
    for (int i = 0; i < 14 && g.ClickState != 2; ++i) Tick();
    ASSERT_EQ(g.ClickState, 2);
    ASSERT_EQ(g.HandFrame, 6);
  }

  // Puts the dart's tip on (tipX, tipY) with the tremor as it is, and throws there. Returns
  // whether the throw started.
  bool AimAndThrow(int tipX, int tipY) {
    const int x = tipX - kTipDX - g.AimShakeX, y = tipY - kTipDY - g.AimShakeY;
    PressAt(x, y);
    return g.ClickState == 3;
  }

  // Throws at a board point and waits until the hand is empty again.
  void ThrowAt(int tipX, int tipY) {
    ASSERT_TRUE(AimAndThrow(tipX, tipY)) << "no throw at " << tipX << "," << tipY;
    for (int i = 0; i < 14 && g.ClickState != 0; ++i) Tick();
    ASSERT_EQ(g.ClickState, 0);
    ASSERT_EQ(g.HandFrame, 0);
  }

  bool WavePlaying(const char* name) { return layer.IsPlaying(layer.FindWave(1, name)); }
};

class SilentDartsTest : public DartsTest {
 protected:
  SilentDartsTest() : DartsTest(false) {}
};

// ---------------------------------------------------------------------------------------------
// Loader.

TEST_F(DartsTest, LoaderResetsTheGameAndTakesTheStake) {
  g.GameWinnings = 77;
  g.AimShakeX = 40;
  g.ExitMenuState = 2;
  g.SpeechRecord.Price = 5;
  Enter(SceneId::Darts);
  EXPECT_EQ(g.GameStake, 5);
  EXPECT_EQ(g.GameWinnings, 0);
  EXPECT_EQ(g.AimShakeX, 0);
  EXPECT_EQ(g.AimShakeY, 0);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  EXPECT_EQ(g.ExitMenuState, 0);
  EXPECT_EQ(g.FadeMode, 2);
  EXPECT_EQ(g.FadeProgress, 400);
  EXPECT_EQ(g.SceneBytes[0], 3);  // the mouse handler reads the darts left there
  EXPECT_EQ(Darts("DartsOnRack"), 3);
  EXPECT_EQ(Darts("DartsThrown"), 0);
  EXPECT_EQ(Darts("EndCount"), 0);
  EXPECT_EQ(DartsArray("DartOrder"), (std::vector<long long>{0, 1, 2}));
  EXPECT_EQ(g.HitMapAt(kCX, kCY), 6);  // the darts' hit map replaced the previous one
  EXPECT_TRUE(layer.Missing().Names.empty());
}

TEST_F(DartsTest, DefaultArchiveHoldsEverythingTheSceneUses) {
  testing::ExpectSceneAssetsInArchive(g, SceneNo(SceneId::Darts));
  // The hit map: the board's rings round its centre, the number ring, the wall and the rack.
  std::vector<uint8_t> map;
  ASSERT_EQ(g.archive.ReadEntry("b_dtir01", map), ArchiveResult::Ok);
  ASSERT_EQ(map.size(), 76800u);
  auto cell = [&map](int x, int y) { return map[static_cast<size_t>(y / 2) * 320 + x / 2]; };
  EXPECT_EQ(cell(kCX, kCY), 6);
  EXPECT_EQ(cell(kCX, kCY - 30), 5);
  EXPECT_EQ(cell(kCX + 50, kCY), 4);
  EXPECT_EQ(cell(kCX, kCY + 70), 3);
  EXPECT_EQ(cell(kCX - 90, kCY), 2);
  EXPECT_EQ(cell(kCX, kCY - 109), 7);
  EXPECT_EQ(cell(40, 40), 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(cell(122 + 50 * i, 385), 8) << "rack place " << i;
  EXPECT_EQ(cell(600, 470), 0);
}

TEST_F(DartsTest, MissingArchiveStopsTheLoaderBeforeTheSceneChanges) {
  g.SceneNumber = SceneNo(SceneId::Kiosk);
  g.GameWinnings = 9;
  g.archive.SetDataDir("/nonexistent-vepa4-dir/");
  g.LoadScene(SceneId::Darts);
  EXPECT_EQ(g.FatalError, 1);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(g.GameWinnings, 9);
}

TEST_F(DartsTest, ScorePlateShowsZeroFromTheFirstUncoveredFrame) {
  EnterDarts();
  g.MouseMove(20, 20);  // keep the hand away from the plate
  Tick();
  const Surface withDigits = layer.BackBuffer();
  // Without the font the plate is drawn bare: the "0" must have been there.
  ImageList* common = layer.Images(1);
  std::erase_if(common->Images, [](const Image& i) { return i.Name == "FontP"; });
  Tick(2);  // two ticks: the hand's look depends only on the click state here
  const Surface bare = layer.BackBuffer();
  int differing = 0;
  for (int y = 425; y < 460; ++y)
    for (int x = 540; x < 590; ++x) differing += withDigits.At(x, y) != bare.At(x, y);
  EXPECT_GT(differing, 20);
}

// ---------------------------------------------------------------------------------------------
// Taking, aiming and throwing.

TEST_F(DartsTest, TakingADartAnimatesAtHalfRateWithSoundAndRackCount) {
  EnterDarts();
  PressAt(kRackX, kRackY - 20);
  ASSERT_EQ(g.ClickState, 1);
  // The pointer stays where the dart was taken.
  g.MouseMove(400, 100);
  EXPECT_EQ(g.MouseX, kRackX);
  std::vector<int> frames;
  bool pickHeard = false;
  int rackAt3 = -1;
  for (int i = 0; i < 12; ++i) {
    Tick();
    frames.push_back(g.HandFrame);
    if (g.HandFrame == 2 && WavePlaying("Pick01")) pickHeard = true;
    if (g.HandFrame == 2) {
      EXPECT_EQ(Darts("DartsOnRack"), 3);
    }
    if (g.HandFrame == 3) rackAt3 = static_cast<int>(Darts("DartsOnRack"));
  }
  // Each step lasts two frames; the take ends at step 6 with the dart in hand.
  int changes = 0;
  for (size_t i = 1; i < frames.size(); ++i) changes += frames[i] != frames[i - 1];
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(frames.back(), 6);
  EXPECT_EQ(g.ClickState, 2);
  EXPECT_TRUE(pickHeard);
  EXPECT_EQ(rackAt3, 2);
  // Aiming, the pointer follows the mouse again.
  g.MouseMove(300, 150);
  EXPECT_EQ(g.MouseX, 300);
}

TEST_F(DartsTest, TremorIsARandomWalkOfFifteenEachFrame) {
  EnterDarts();
  TakeDart();
  g.MouseMove(250, 150);
  for (int i = 0; i < 6; ++i) {
    RandomGenerator next = g.rng;  // the draws this tick will make, X before Y
    const int dx = next.Random(31) - 15, dy = next.Random(31) - 15;
    const int x0 = g.AimShakeX, y0 = g.AimShakeY;
    Tick();
    EXPECT_EQ(g.AimShakeX, x0 + dx);
    EXPECT_EQ(g.AimShakeY, y0 + dy);
  }
  // With an empty hand the aim stands still.
  ThrowAt(kCX, kCY);
  const int x0 = g.AimShakeX, y0 = g.AimShakeY;
  const uint32_t seed = g.rng.Seed;
  Tick(3);
  EXPECT_EQ(g.AimShakeX, x0);  // the offset is kept after the throw
  EXPECT_EQ(g.AimShakeY, y0);
  EXPECT_EQ(g.rng.Seed, seed);
}

TEST_F(DartsTest, AimStaysInThePlayingAreaAndCreepsBackFromTheEdges) {
  EnterDarts();
  TakeDart();
  auto predicted = [this] {
    RandomGenerator next = g.rng;
    const int dx = next.Random(31) - 15;
    const int dy = next.Random(31) - 15;
    return std::pair<int, int>(dx, dy);
  };
  // Past the right edge the aim is put back on 500; past the bottom on 480.
  g.MouseMove(600, 470);
  g.AimShakeX = 0;
  g.AimShakeY = 40;
  Tick();
  EXPECT_EQ(g.MouseX + g.AimShakeX, 500);
  EXPECT_EQ(g.MouseY + g.AimShakeY, 480);
  // Above the top and left of the left edge: back on 0.
  g.MouseMove(5, 5);
  g.AimShakeX = -40;
  g.AimShakeY = -40;
  Tick();
  EXPECT_EQ(g.AimShakeX, -5);
  EXPECT_EQ(g.AimShakeY, -5);
  // Pointer at the left edge with the aim well right of it: 10 pixels back each frame.
  g.MouseMove(0, 200);
  g.AimShakeX = 100;
  g.AimShakeY = 0;
  for (int i = 0; i < 3; ++i) {
    const auto [dx, dy] = predicted();
    const int x0 = g.AimShakeX, y0 = g.AimShakeY;
    Tick();
    EXPECT_EQ(g.AimShakeX, x0 + dx - 10);
    EXPECT_EQ(g.AimShakeY, y0 + dy);  // nothing pulls along the other axis
  }
  // Not more than 15 to the right: no creep.
  g.AimShakeX = 0;
  {
    const auto [dx, dy] = predicted();
    Tick();
    EXPECT_EQ(g.AimShakeX, dx < 0 ? 0 : dx);  // left of the edge it is clamped to 0
    (void)dy;
  }
  // Top edge: the same downwards.
  g.MouseMove(200, 0);
  g.AimShakeX = 0;
  g.AimShakeY = 60;
  {
    const auto [dx, dy] = predicted();
    Tick();
    EXPECT_EQ(g.AimShakeY, 60 + dy - 10);
    (void)dx;
  }
  // Right edge (500) and bottom row (479) pull the aim back out by 10.
  g.MouseMove(500, 479);
  g.AimShakeX = -100;
  g.AimShakeY = -100;
  {
    const auto [dx, dy] = predicted();
    Tick();
    EXPECT_EQ(g.AimShakeX, -100 + dx + 10);
    EXPECT_EQ(g.AimShakeY, -100 + dy + 10);
  }
  // The bottom row pulls an aim 15 above the screen's last pixel row (480 - 15 = 465): one
  // above that, at 464, it still creeps; at 465 it does not.
  for (const int aim : {464, 465}) {
    const auto [dx, dy] = predicted();
    g.AimShakeX = 0;
    g.AimShakeY = aim - 479 - dy;
    Tick();
    EXPECT_EQ(g.MouseY + g.AimShakeY, aim + (aim < 465 ? 10 : 0)) << aim;
    (void)dx;
  }
}

TEST_F(DartsTest, ThrowAnimationLandsAtStepNineAndEndsAtEleven) {
  EnterDarts();
  TakeDart();
  g.MouseMove(200, 200);
  Tick(3);
  ASSERT_TRUE(AimAndThrow(kCX, kCY));
  const int aimX = g.MouseX + g.AimShakeX, aimY = g.MouseY + g.AimShakeY;
  g.MouseMove(10, 10);  // frozen while the dart is thrown
  EXPECT_EQ(g.MouseX + g.AimShakeX, aimX);
  int landedAtStep = -1;
  bool boom = false;
  std::vector<int> steps;
  for (int i = 0; i < 10; ++i) {
    Tick();
    steps.push_back(g.HandFrame);
    if (landedAtStep < 0 && Darts("DartsThrown") == 1) {
      landedAtStep = g.HandFrame;
      boom = WavePlaying("Boom01");
    }
  }
  EXPECT_EQ(landedAtStep, 9);
  // Steps 7 to 10 last two frames each (which frame of the two depends on the toggle), then
  // the hand is empty.
  std::vector<int> expected = {7, 7, 8, 8, 9, 9, 10, 10, 0, 0};
  if (steps.front() == 6) expected = {6, 7, 7, 8, 8, 9, 9, 10, 10, 0};
  EXPECT_EQ(steps, expected);
  EXPECT_TRUE(boom);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  EXPECT_EQ(DartsArray("DartX")[0], aimX);
  EXPECT_EQ(DartsArray("DartY")[0], aimY);
  EXPECT_EQ(g.GameWinnings, 4);
}

TEST_F(DartsTest, RackClicksWithADartInHandOrInFlightOrAnEmptyRackDoNothing) {
  EnterDarts();
  TakeDart();
  // In hand: the rack click neither takes another dart nor throws this one.
  PressAt(kRackX - g.AimShakeX, kRackY - 20 - g.AimShakeY);
  EXPECT_EQ(g.ClickState, 2);
  Tick(4);
  EXPECT_EQ(Darts("DartsOnRack"), 2);
  // In flight.
  ASSERT_TRUE(AimAndThrow(kCX, kCY));
  Tick(2);
  PressAt(kRackX - g.AimShakeX, kRackY - 20 - g.AimShakeY);
  EXPECT_EQ(g.ClickState, 3);
  Tick(12);
  EXPECT_EQ(Darts("DartsOnRack"), 2);
  EXPECT_EQ(Darts("DartsThrown"), 1);
  // Empty rack: after the last dart is thrown, the rack gives nothing.
  TakeDart();
  ThrowAt(kCX, kCY);
  TakeDart();
  ThrowAt(kCX, kCY);
  EXPECT_EQ(Darts("DartsOnRack"), 0);
  PressAt(kRackX - g.AimShakeX, kRackY - 20 - g.AimShakeY);
  EXPECT_EQ(g.ClickState, 0);
  Tick();
  EXPECT_EQ(g.HandFrame, 0);
}

TEST_F(DartsTest, ThrowOverNoAreaOrTheRackDoesNothingAndTheHandKeepsTrembling) {
  EnterDarts();
  TakeDart();
  // Map value 8: the rack itself.
  EXPECT_FALSE(AimAndThrow(kRackX, kRackY));
  EXPECT_EQ(g.ClickState, 2);
  // Map value 0: below the wall, right of the rack.
  EXPECT_FALSE(AimAndThrow(420, 420));
  EXPECT_EQ(g.ClickState, 2);
  // Tip below the screen: reads outside the map give 0, even where the map says 1 nearby.
  g.HitMap.fill(1);
  EXPECT_FALSE(AimAndThrow(300, 482));
  EXPECT_FALSE(AimAndThrow(300, 511));
  EXPECT_EQ(g.ClickState, 2);
  const int x0 = g.AimShakeX, y0 = g.AimShakeY;
  Tick(2);
  EXPECT_TRUE(g.AimShakeX != x0 || g.AimShakeY != y0);
  EXPECT_TRUE(AimAndThrow(300, 478));
}

TEST_F(DartsTest, RingsPayZeroToFourAndEveryLandingCountsWithItsImpact) {
  struct Case {
    int TipX, TipY, Points;
  };
  // Inside each ring, well clear of the wires; then the number ring and the wall.
  const Case cases[] = {{kCX, kCY, 4},      {kCX + 30, kCY, 3}, {kCX, kCY - 50, 2},
                        {kCX - 70, kCY, 1}, {kCX, kCY + 90, 0}, {kCX + 109, kCY, 0},
                        {120, 100, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.TipX) + "," + std::to_string(c.TipY));
    EnterDarts();
    TakeDart();
    ThrowAt(c.TipX, c.TipY);
    EXPECT_EQ(g.GameWinnings, c.Points);
    EXPECT_EQ(Darts("DartsThrown"), 1);
  }
}

TEST_F(DartsTest, MissesStillSoundAndCount) {
  EnterDarts();
  for (const auto& [x, y] : {std::pair{120, 100}, std::pair{kCX + 109, kCY}}) {
    const long long before = Darts("DartsThrown");
    TakeDart();
    ASSERT_TRUE(AimAndThrow(x, y));
    for (int i = 0; i < 14 && Darts("DartsThrown") == before; ++i) Tick();
    EXPECT_EQ(Darts("DartsThrown"), before + 1);
    EXPECT_TRUE(WavePlaying("Boom01"));
    layer.Stop(layer.FindWave(1, "Boom01"));
    Tick(6);
  }
  EXPECT_EQ(g.GameWinnings, 0);
}

// ---------------------------------------------------------------------------------------------
// Drawing order of the darts in the board.

TEST_F(DartsTest, DartsAreOrderedByFallingXWithEqualXKeepingThrowOrder) {
  struct Case {
    int X[3];
    std::vector<long long> Order;
  };
  const Case cases[] = {
      {{kCX, kCX, kCX}, {0, 1, 2}},            // all equal: as thrown
      {{kCX - 40, kCX, kCX + 40}, {2, 1, 0}},  // left to right: the leftmost last
      {{kCX + 40, kCX - 40, kCX + 40}, {0, 2, 1}},
      {{kCX - 40, kCX + 40, kCX + 40}, {1, 2, 0}},
      {{kCX, kCX - 40, kCX + 40}, {2, 0, 1}},
  };
  for (const Case& c : cases) {
    EnterDarts();
    for (int i = 0; i < 3; ++i) {
      TakeDart();
      ThrowAt(c.X[i], kCY);
    }
    EXPECT_EQ(DartsArray("DartOrder"), c.Order) << c.X[0] << " " << c.X[1] << " " << c.X[2];
  }
  // After two darts only the two are ordered; the third place keeps its number.
  EnterDarts();
  TakeDart();
  ThrowAt(kCX - 40, kCY);
  TakeDart();
  ThrowAt(kCX + 40, kCY);
  EXPECT_EQ(DartsArray("DartOrder"), (std::vector<long long>{1, 0, 2}));
}

TEST_F(DartsTest, TheLeftmostDartIsDrawnOnTop) {
  // Two overlapping darts, the left one thrown first: it must be drawn last, over the other.
  EnterDarts();
  auto parkHand = [this] {
    g.MouseMove(20 - g.AimShakeX, 20 - g.AimShakeY);
    Tick(2);
  };
  parkHand();
  const Surface empty = layer.BackBuffer();
  const int leftX = kCX - 10, rightX = kCX + 6;
  TakeDart();
  ThrowAt(leftX, kCY);
  TakeDart();
  ThrowAt(rightX, kCY + 4);
  parkHand();
  const Surface shown = layer.BackBuffer();
  // The same board drawn by hand in both orders.
  const Image* dart = layer.FindImage(2, "Drot02");
  ASSERT_NE(dart, nullptr);
  const std::vector<long long> dx = DartsArray("DartX"), dy = DartsArray("DartY");
  auto drawDart = [&](Surface& s, int n) {
    DrawPattern(s, dart, 0, static_cast<int>(dx[n]) + 75, static_cast<int>(dy[n]) - 8);
  };
  Surface leftOnTop = empty, rightOnTop = empty;
  drawDart(leftOnTop, 1);
  drawDart(leftOnTop, 0);
  drawDart(rightOnTop, 0);
  drawDart(rightOnTop, 1);
  int differ = 0, mismatches = 0;
  for (int y = kCY - 60; y < kCY + 30; ++y)
    for (int x = kCX - 20; x < kCX + 100; ++x) {
      differ += leftOnTop.At(x, y) != rightOnTop.At(x, y);
      mismatches += shown.At(x, y) != leftOnTop.At(x, y);
    }
  ASSERT_GT(differ, 10) << "the two darts do not overlap";
  EXPECT_EQ(mismatches, 0);
}

// ---------------------------------------------------------------------------------------------
// The end and the way back.

TEST_F(DartsTest, AfterTheThirdDartTheSceneClosesAndReturnsWithEntryOne) {
  EnterDarts();
  TakeDart();
  ThrowAt(kCX, kCY);
  TakeDart();
  ThrowAt(kCX + 30, kCY);
  TakeDart();
  ASSERT_TRUE(AimAndThrow(kCX, kCY - 50));
  while (Darts("DartsThrown") < 3) Tick();
  EXPECT_EQ(Darts("EndCount"), 1);  // the landing frame counts
  EXPECT_EQ(g.GameWinnings, 9);
  int closedAt = -1;
  for (int frame = 2; frame <= 29; ++frame) {
    Tick();
    ASSERT_TRUE(g.InScene(SceneId::Darts)) << "left early at frame " << frame;
    if (closedAt < 0 && g.FadeMode == 1) closedAt = frame;
  }
  EXPECT_EQ(closedAt, 22);
  EXPECT_EQ(g.FadeProgress, 400);  // covered before the kiosk loads
  Tick();
  ASSERT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(Kiosk("HubEntry"), static_cast<int>(HubEntry::AfterGame));
  EXPECT_EQ(g.GameWinnings, 9);
  EXPECT_EQ(g.GameStake, kDartsPrice);
}

// The kiosk's verdict and payment after a game of three darts at the given points.
struct Verdict {
  long long ResultKind = -1;
  int Money = -1;
  std::string Line1;
};

class DartsPayoutTest : public SilentDartsTest {
 protected:
  Verdict PlayAndReturn(std::initializer_list<std::pair<int, int>> targets) {
    Verdict v;
    g.Money = 100;
    EnterDarts();
    for (const auto& [x, y] : targets) {
      TakeDart();
      ThrowAt(x, y);
    }
    EXPECT_TRUE(TickUntilKiosk(40));
    Tick();  // the kiosk judges the result on its first frame
    v.ResultKind = Kiosk("ResultKind");
    v.Line1 = g.SpeechRecord.Lines[1];
    EXPECT_TRUE(TickUntil([&] { return Kiosk("HubState") == 0; }, 400));
    v.Money = g.Money;
    return v;
  }
};

TEST_F(DartsPayoutTest, KioskAnnouncesAndPaysByComparingPrizeAndStake) {
  // 4 + 3 + 2 = 9 > 5: won, paid.
  Verdict won = PlayAndReturn({{kCX, kCY}, {kCX + 30, kCY}, {kCX, kCY - 50}});
  EXPECT_EQ(won.ResultKind, 2);
  EXPECT_EQ(won.Money, 109);
  // 1 + 0 + 4 = 5, equal to the price: the consolation, still paid.
  Verdict equal = PlayAndReturn({{kCX - 70, kCY}, {120, 100}, {kCX, kCY}});
  EXPECT_EQ(equal.ResultKind, 1);
  EXPECT_EQ(equal.Money, 105);
  // Nothing hit: lost, nothing paid.
  Verdict lost = PlayAndReturn({{120, 100}, {kCX + 109, kCY}, {kCX, kCY + 90}});
  EXPECT_EQ(lost.ResultKind, 0);
  EXPECT_EQ(lost.Money, 100);
  EXPECT_NE(won.Line1, lost.Line1);
}

// ---------------------------------------------------------------------------------------------
// Whole roads.

// Points of a dart whose tip is at (x, y), from the board's geometry: the ring is decided at the
// centre of the hit-map cell under the tip.
int ExpectedPoints(int x, int y) {
  const double cx = (x / 2) * 2 + 1, cy = (y / 2) * 2 + 1;
  const double r = std::hypot(cx - kCX, cy - kCY);
  if (r < 20) return 4;
  if (r < 40) return 3;
  if (r < 60) return 2;
  if (r < 80) return 1;
  return 0;
}

// The runner plays a fixed script: three darts taken and thrown at the bull with a fixed seed;
// the tremor decides where they land, the rings decide the prize, the kiosk pays it.
TEST(DartsRunnerTest, ScriptedGamePaysTheRingsHit) {
  RunnerOptions o;
  o.DataDir = VEPA_DATA_DIR;
  o.Seed = 2024;
  o.StartScene = SceneNo(SceneId::Darts);
  o.NoSound = true;
  auto at = [&o](int tick, ScriptEvent::Kind kind, int x, int y) {
    ScriptEvent e;
    e.Tick = tick;
    e.Type = kind;
    e.X = x;
    e.Y = y;
    o.Script.push_back(e);
  };
  for (int i = 0; i < 3; ++i) {
    const int t = 12 + 28 * i;
    at(t, ScriptEvent::Move, kRackX, kRackY - 20);
    at(t, ScriptEvent::Down, kRackX, kRackY - 20);
    at(t + 14, ScriptEvent::Move, kCX - kTipDX, kCY - kTipDY);
    at(t + 14, ScriptEvent::Down, kCX - kTipDX, kCY - kTipDY);
  }
  // Still in the game after the third dart: where did they land?
  o.Ticks = 110;
  const RunnerResult inGame = RunHeadless(o);
  ASSERT_EQ(inGame.ExitCode, 0) << inGame.Error;
  ASSERT_EQ(JsonInt(inGame.Json, "SceneNumber"), SceneNo(SceneId::Darts));
  ASSERT_EQ(JsonInt(inGame.Json, "DartsThrown"), 3) << inGame.Json;
  const std::vector<long long> xs = JsonInts(inGame.Json, "DartX"),
                               ys = JsonInts(inGame.Json, "DartY");
  int points = 0;
  for (int i = 0; i < 3; ++i)
    points += ExpectedPoints(static_cast<int>(xs[i]) + kTipDX, static_cast<int>(ys[i]) + kTipDY);
  EXPECT_EQ(JsonInt(inGame.Json, "GameWinnings"), points);
  EXPECT_GT(points, 0);
  // The same road run on: back in the kiosk, which pays the prize.
  o.Ticks = 600;
  const RunnerResult back = RunHeadless(o);
  ASSERT_EQ(back.ExitCode, 0) << back.Error;
  EXPECT_EQ(JsonInt(back.Json, "SceneNumber"), SceneNo(SceneId::Kiosk));
  EXPECT_EQ(JsonInt(back.Json, "HubEntry"), static_cast<int>(HubEntry::AfterGame));
  EXPECT_EQ(JsonInt(back.Json, "HubState"), 0);
  EXPECT_EQ(JsonInt(back.Json, "Money"), 51 + points);
}

// From the kiosk: click the dartboard, say yes, play three darts at chosen points, come back
// and be paid.
TEST_F(SilentDartsTest, BuyDartsAtTheKioskPlayAndGetPaid) {
  Enter(SceneId::Kiosk);
  const int money = g.Money;
  // The kiosk reads its map at the pointer's fingertip.
  int boardX = -1, boardY = -1;
  for (int y = 0; y < 480 && boardX < 0; y += 2)
    for (int x = 0; x < 600; x += 2)
      if (g.HitMapAt(x, y, hub::FingertipX, hub::FingertipY) == hub::Dartboard &&
          g.HitMapAt(x + 6, y + 6, hub::FingertipX, hub::FingertipY) == hub::Dartboard) {
        boardX = x + 3;
        boardY = y + 3;
        break;
      }
  ASSERT_GE(boardX, 0) << "no dartboard in the kiosk's hit map";
  Tick(10);
  PressAt(boardX, boardY);
  // The offer is spoken, the buttons come up; Enter says yes.
  ASSERT_TRUE(TickUntil([&] { return Kiosk("HubState") == 5; }, 200));
  TapKey(key::Enter, 2);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Darts); }, 300));
  EXPECT_EQ(g.GameStake, kDartsPrice);
  EXPECT_EQ(g.Money, money - kDartsPrice);
  Tick(8);
  // 4 + 4 + 1 = 9.
  for (const auto& [x, y] :
       {std::pair{kCX, kCY}, std::pair{kCX + 5, kCY - 5}, std::pair{kCX - 70, kCY}}) {
    TakeDart();
    ThrowAt(x, y);
  }
  EXPECT_EQ(g.GameWinnings, 9);
  ASSERT_TRUE(TickUntilKiosk(40));
  TickUntil([&] { return Kiosk("HubState") == 0; }, 400);
  EXPECT_EQ(g.Money, money - kDartsPrice + 9);
}

}  // namespace
}  // namespace vepa
