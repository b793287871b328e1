// The shooting gallery over the default archive: shots at known targets and their prizes, the
// apple already down, the turning windmill, the rabbit and duck on their rail, holes in front of
// and behind the targets, the knocked-off apple's fall, the sight held on the screen, clicks
// that are refused, the end 41 frames after the fifth shot, the lamp shot that leaves at once
// for the lamp scene, and the kiosk road: the gun offered, bought, played and paid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "minigames/gallery_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

namespace gl = gallery;

class GalleryTest : public SceneFixture {
 protected:
  explicit GalleryTest(bool sound = true) : SceneFixture(sound) {}

  void EnterGallery(int money = 40) {
    EnterAndOpen(SceneId::Gallery, 0, {{"Money", std::to_string(money)}});
  }

  // The trembling hand is a random walk: the scene's first two draws of a frame move the aim.
  // A steady shooter leads it: the pointer is put where the aim lands on (x, y) next frame.
  // When the tremor has wandered so far that the pointer cannot make up for it, the pointer
  // goes to the far edge of the screen, where the aim is held on the screen and the tremor is
  // gone; false then, and the shooter aims again in the next frame.
  bool AimNextFrameAt(int x, int y, int margin = 1) {
    RandomGenerator next = g.rng;
    const int dx = next.Random(2 * gl::AimTremor + 1) - gl::AimTremor;
    const int dy = next.Random(2 * gl::AimTremor + 1) - gl::AimTremor;
    int mx = x - g.AimShakeX - dx, my = y - g.AimShakeY - dy;
    const bool reachable = mx >= margin && mx <= 639 - margin && my >= margin && my <= 479 - margin;
    if (mx < margin) mx = 639;
    if (mx > 639 - margin) mx = 0;
    if (my < margin) my = 479;
    if (my > 479 - margin) my = 0;
    MoveTo(mx, my);
    return reachable;
  }

  // One shot whose bullet strikes (x, y), or where `where` says in the frame the bullet strikes
  // (for targets that move): the pointer leads the tremor every frame, the trigger is pulled
  // once the gun is ready and the aim is on the point, and the aim is held until the strike.
  // False when no shot was fired.
  bool ShootAt(const std::function<std::pair<int, int>()>& where) {
    if (!TickUntil([&] { return g.ClickState == 0; }, 20)) return false;
    auto aim = [&](int margin) {
      const auto [x, y] = where();
      return AimNextFrameAt(x, y, margin);
    };
    // The trigger is pulled with some room left for the tremor of the frames until the strike.
    for (int i = 0; !aim(30); ++i) {
      if (i == 20) return false;
      Tick();
    }
    Tick();
    Press();
    Release();
    if (g.ClickState != 1) return false;
    for (int i = 0; i < 10 && g.ClickState != 3; ++i) {
      aim(1);
      Tick();
    }
    return g.ClickState == 3;
  }
  bool ShootAt(int x, int y) {
    const bool fired = ShootAt([=] { return std::pair{x, y}; });
    EXPECT_EQ(State("AimX"), x);
    EXPECT_EQ(State("AimY"), y);
    return fired;
  }

  // A field of the rabbit's or the duck's record.
  long long Target(const std::string& name, const std::string& field) const {
    const std::string s = SceneState();
    const size_t at = s.find("\"" + name + "\":{");
    if (at == std::string::npos) return -1;
    return JsonInt(s.substr(at), field);
  }
  // Where the target will stand in the coming frame (it moves before the bullet strikes).
  int NextX(const std::string& name) const {
    const long long x = Target(name, "X"), dir = Target(name, "Dir");
    if (Target(name, "Turn") != 0) return static_cast<int>(x);
    if (dir == 0) return static_cast<int>(x < gl::RailLength ? x + gl::RailStep : x);
    return static_cast<int>(x > 0 ? x - gl::RailStep : x);
  }
  std::pair<int, int> RabbitAim() const {
    return {NextX("Rabbit") + (gl::RabbitBox.Left + gl::RabbitBox.Right) / 2, 215};
  }
  std::pair<int, int> DuckAim() const {
    return {NextX("Duck") + (gl::DuckBox.Left + gl::DuckBox.Right) / 2, 215};
  }

  static vepa::Point AppleCentre(int i) {
    return {gl::AppleAt[i].X + gl::AppleW / 2, gl::AppleAt[i].Y + 30};
  }
  static constexpr vepa::Point kLamp{gl::LampAt.X + gl::LampW / 2, gl::LampAt.Y + 36};
  // The back wall beside the shelf, the rail's front board, the counter.
  static constexpr vepa::Point kWall{90, 200};
  static constexpr vepa::Point kBoard{200, 320};
};

TEST_F(GalleryTest, TheLoaderSetsUpAFreshGame) {
  g.SpeechRecord.Price = 10;
  g.GameWinnings = 99;
  g.ShotsLeft = 0;
  Enter(SceneId::Gallery);
  EXPECT_EQ(g.GameStake, 10);
  EXPECT_EQ(g.GameWinnings, 0);
  EXPECT_EQ(g.ShotsLeft, 5);
  EXPECT_EQ(g.CurrentMusic, "m_gun02");
  EXPECT_EQ(Target("Rabbit", "X"), 0);
  EXPECT_EQ(Target("Duck", "X"), gl::RailLength);
  EXPECT_EQ(Target("Duck", "Dir"), 1);
}

TEST_F(GalleryTest, ShotsAtTheTargetsPayTheirPrizes) {
  EnterGallery();
  // The rabbit and the duck first, while they are far apart on the rail.
  ASSERT_TRUE(ShootAt([&] { return RabbitAim(); }));
  EXPECT_EQ(g.GameWinnings, 5);
  EXPECT_EQ(Target("Rabbit", "Turn"), 1);
  EXPECT_EQ(Target("Duck", "Turn"), 0);

  ASSERT_TRUE(ShootAt([&] { return DuckAim(); }));
  EXPECT_EQ(g.GameWinnings, 10);
  EXPECT_EQ(Target("Duck", "Turn"), 1);

  const vepa::Point a = AppleCentre(2);
  ASSERT_TRUE(ShootAt(a.X, a.Y));
  EXPECT_EQ(State("LastHitValue"), 3);
  EXPECT_EQ(StateArray("AppleDown"), (std::vector<long long>{0, 0, 1}));
  EXPECT_EQ(g.GameWinnings, 13);

  ASSERT_TRUE(ShootAt(gl::MillCentre.X + 20, gl::MillCentre.Y - 10));
  EXPECT_EQ(State("LastHitValue"), gl::CodeMill);
  EXPECT_EQ(g.GameWinnings, 33);
  EXPECT_EQ(State("MillTimer"), 1);

  // No hole for a hit.
  EXPECT_EQ(StateArray("HoleLayer"), (std::vector<long long>{0, 0, 0, 0, 0}));
  EXPECT_EQ(g.ShotsLeft, 1);
  EXPECT_EQ(State("Prize"), 33);
}

TEST_F(GalleryTest, TheWindmillPaysEveryHitAndEachHitRestartsItsTurn) {
  EnterGallery();
  ASSERT_TRUE(ShootAt(gl::MillCentre.X, gl::MillCentre.Y));
  const long long angleAfterFirst = State("MillAngle");
  ASSERT_TRUE(ShootAt(gl::MillCentre.X - 25, gl::MillCentre.Y + 15));
  EXPECT_EQ(g.GameWinnings, 40);
  EXPECT_EQ(State("MillTimer"), 1) << "the second hit while it turns starts its turn anew";
  EXPECT_GT(State("MillAngle"), angleAfterFirst);
  // It turns for 60 frames and stops.
  ASSERT_TRUE(TickUntil([&] { return State("MillTimer") == 0; }, 70));
  const long long stopped = State("MillAngle");
  Tick(5);
  EXPECT_EQ(State("MillAngle"), stopped);
}

TEST_F(GalleryTest, AnAppleAlreadyDownScoresNothingAndTheShotLeavesAHole) {
  EnterGallery();
  const vepa::Point a = AppleCentre(0);
  ASSERT_TRUE(ShootAt(a.X, a.Y));
  EXPECT_EQ(g.GameWinnings, 3);
  ASSERT_TRUE(ShootAt(a.X, a.Y));
  EXPECT_EQ(g.GameWinnings, 3);
  EXPECT_EQ(State("LastHitValue"), 1);
  // The second shot (three left after it) left its hole behind the targets, where it struck.
  EXPECT_EQ(StateArray("HoleLayer")[3], 1);
  EXPECT_EQ(StateArray("HoleX")[3], a.X);
  EXPECT_EQ(StateArray("HoleY")[3], a.Y);
}

TEST_F(GalleryTest, MissesLeaveHolesBehindOrInFrontOfTheTargets) {
  EnterGallery();
  ASSERT_TRUE(ShootAt(kWall.X, kWall.Y));
  ASSERT_TRUE(ShootAt(kBoard.X, kBoard.Y));
  EXPECT_EQ(State("LastHitValue"), gl::CodeCounter);
  const auto layer = StateArray("HoleLayer");
  EXPECT_EQ(layer[4], 1) << "the first shot's hole, on the wall";
  EXPECT_EQ(layer[3], 2) << "the second's, on the rail's front board";
  for (long long p : StateArray("HolePattern")) EXPECT_LT(p, gl::HolePatterns);
  EXPECT_EQ(g.GameWinnings, 0);
}

TEST_F(GalleryTest, AKnockedOffAppleJumpsThenFallsFasterAndIsGoneBelowTheScreen) {
  EnterGallery();
  const vepa::Point a = AppleCentre(1);
  ASSERT_TRUE(ShootAt(a.X, a.Y));
  EXPECT_EQ(StateArray("FallingAppleActive")[1], 1);
  EXPECT_EQ(StateArray("FallingAppleX")[1], gl::AppleFallX + gl::AppleFallStep);
  EXPECT_EQ(StateArray("FallingAppleY")[1], gl::AppleFallY);
  Tick();
  EXPECT_EQ(StateArray("FallingAppleY")[1], 45);  // 50 + (-10 / 2)
  Tick();
  // Halves go to the even neighbour: half of -9 is -4 (not -5), half of -7 is -4 (not -3).
  EXPECT_EQ(StateArray("FallingAppleY")[1], 41);
  Tick();
  EXPECT_EQ(StateArray("FallingAppleY")[1], 37);
  Tick();
  EXPECT_EQ(StateArray("FallingAppleY")[1], 33);
  long long top = 33, fastest = 0;
  ASSERT_TRUE(TickUntil(
      [&] {
        top = std::min(top, StateArray("FallingAppleY")[1]);
        fastest = std::max(fastest, StateArray("FallingAppleSpeed")[1]);
        return StateArray("FallingAppleActive")[1] == 0;
      },
      100));
  EXPECT_LT(top, gl::AppleFallY);
  EXPECT_EQ(fastest, 25);
  EXPECT_GT(StateArray("FallingAppleY")[1], 480);
}

TEST_F(GalleryTest, TheRabbitAndTheDuckRunToAndFroAndTurnAtTheEnds) {
  EnterGallery();
  EXPECT_EQ(Target("Rabbit", "Pattern"), 2) << "moving right";
  EXPECT_EQ(Target("Duck", "Pattern"), 6) << "moving left";
  ASSERT_TRUE(TickUntil([&] { return Target("Rabbit", "Turn") == 1; }, 60));
  EXPECT_EQ(Target("Rabbit", "X"), gl::RailLength);
  std::vector<long long> patterns;
  ASSERT_TRUE(TickUntil(
      [&] {
        const long long p = Target("Rabbit", "Pattern");
        if (patterns.empty() || patterns.back() != p) patterns.push_back(p);
        return Target("Rabbit", "Turn") == 0;
      },
      20));
  EXPECT_EQ(patterns, (std::vector<long long>{3, 4, 5, 6}));
  EXPECT_EQ(Target("Rabbit", "Dir"), 1);
  Tick();
  EXPECT_EQ(Target("Rabbit", "X"), gl::RailLength - gl::RailStep);
}

TEST_F(GalleryTest, ARabbitHitWhileItTurnsStartsItsTurnAgain) {
  EnterGallery();
  ASSERT_TRUE(TickUntil([&] { return Target("Rabbit", "Turn") == 1; }, 60));
  ASSERT_TRUE(ShootAt([&] { return RabbitAim(); }));
  EXPECT_EQ(g.GameWinnings, gl::AnimalPrize);
  EXPECT_EQ(Target("Rabbit", "Turn"), 1);
  EXPECT_EQ(Target("Rabbit", "Dir"), 0) << "still the turn at the end of the rail";
  EXPECT_EQ(Target("Rabbit", "X"), gl::RailLength);
}

TEST_F(GalleryTest, FiveMissesEndWithNothingFortyOneFramesAfterTheLastShot) {
  EnterGallery(40);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(ShootAt(kWall.X + 30 * i, kWall.Y));
  // The fifth: count the frames from the one in which it is fired.
  ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0; }, 20));
  ASSERT_TRUE(TickUntil([&] { return AimNextFrameAt(kWall.X, kWall.Y + 40); }, 20));
  Tick();
  Press();
  ASSERT_TRUE(TickUntil([&] { return g.ShotsLeft == 0; }, 5));
  EXPECT_EQ(State("EndCount"), 1);
  int frames = 0;
  ASSERT_TRUE(TickUntil(
      [&] {
        ++frames;
        return g.FadeMode == 1;
      },
      60));
  EXPECT_EQ(frames - 1, 40);
  EXPECT_EQ(g.GameWinnings, 0);
  ASSERT_TRUE(TickUntilKiosk(20));
  EXPECT_EQ(g.Money, 40);
  EXPECT_EQ(MissingNames(), 0u);
}

TEST_F(GalleryTest, ClicksWithNoShotsLeftOrDuringAShotAreRefused) {
  EnterGallery();
  ASSERT_TRUE(TickUntil([&] { return g.FrameToggle == 0; }, 3));
  MoveTo(kWall.X, kWall.Y);
  Press();
  ASSERT_EQ(g.ClickState, 1);
  Tick();  // the shot is fired
  ASSERT_EQ(g.ClickState, 2);
  Press();
  EXPECT_EQ(g.ClickState, 2);
  EXPECT_EQ(g.ShotsLeft, 4);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(ShootAt(kWall.X, kWall.Y + 20 * i));
  ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0; }, 10));
  EXPECT_EQ(g.ShotsLeft, 0);
  Press();
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_FALSE(ShootAt(kWall.X, kWall.Y)) << "a sixth shot";
}

TEST_F(GalleryTest, TheSightStaysOnTheScreenWithThePointerInAnyCorner) {
  EnterGallery();
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {639, 479}, {0, 479}}) {
    MoveTo(x, y);
    for (int i = 0; i < 150; ++i) {
      Tick();
      ASSERT_GE(State("AimX"), 0);
      ASSERT_LE(State("AimX"), 640);
      ASSERT_GE(State("AimY"), 0);
      ASSERT_LE(State("AimY"), 480);
    }
    // Pressed into the corner, the aim creeps back to within reach of the pointer.
    EXPECT_LT(std::abs(g.AimShakeX), 60);
    EXPECT_LT(std::abs(g.AimShakeY), 60);
  }
}

TEST_F(GalleryTest, TheLampShotEndsTheGameAtOnceAndLeadsToTheLampScene) {
  EnterGallery(30);
  const vepa::Point a = AppleCentre(0);
  ASSERT_TRUE(ShootAt(a.X, a.Y));
  ASSERT_TRUE(ShootAt(kLamp.X, kLamp.Y));
  EXPECT_EQ(State("LastHitValue"), gl::CodeLamp);
  EXPECT_EQ(State("LampHit"), 10);
  EXPECT_EQ(g.FadeMode, 1) << "the closing starts in the frame of the hit";
  EXPECT_EQ(g.ShotsLeft, 3);
  // The lamp is no prize: the shot leaves a hole.
  EXPECT_EQ(StateArray("HoleLayer")[3], 1);
  // A shot at the windmill while the booth goes dark fires nothing and wins nothing.
  ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0; }, 4));
  MoveTo(gl::MillCentre.X, gl::MillCentre.Y);
  Press();
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Lamp); }, 10));
  EXPECT_EQ(g.ShotsLeft, 3);
  EXPECT_EQ(g.GameWinnings, 3);
  ASSERT_TRUE(TickUntilKiosk(1500));
  EXPECT_EQ(g.Money, 30 - 12);
  ASSERT_TRUE(TickUntilPaid(30 - 12 + 3, 1500)) << "the kiosk pays the apple";
}

TEST_F(GalleryTest, TheHitMapHasItsCodesWhereTheTargetsAreDrawn) {
  EnterGallery();
  for (int i = 0; i < 3; ++i) {
    const vepa::Point a = AppleCentre(i);
    EXPECT_EQ(g.HitMapAt(a.X, a.Y), gl::CodeFirstApple + i) << "apple " << i;
  }
  EXPECT_EQ(g.HitMapAt(gl::MillCentre.X, gl::MillCentre.Y), gl::CodeMill);
  EXPECT_EQ(g.HitMapAt(gl::MillCentre.X + 40, gl::MillCentre.Y), gl::CodeMill);
  EXPECT_EQ(g.HitMapAt(kLamp.X, kLamp.Y), gl::CodeLamp);
  EXPECT_EQ(g.HitMapAt(kBoard.X, kBoard.Y), gl::CodeCounter);
  EXPECT_EQ(g.HitMapAt(kWall.X, kWall.Y), 0);
  // The rail where the animals run is no code of the map: they are hit by their boxes.
  EXPECT_EQ(g.HitMapAt(300, 210), 0);
}

// The kiosk road without sound: each phrase counts as spoken for its 60 frames.
class GalleryRoadTest : public GalleryTest {
 protected:
  GalleryRoadTest() : GalleryTest(false) {}
  // From the kiosk with 51 dollars: the gun offered for 10, accepted, the gallery opened.
  void BuyTheGun() {
    EnterAndOpen(SceneId::Kiosk, 0, {{"Money", "51"}, {"BubbleMode", "1"}});
    BuyAtKiosk(460, 176, SceneId::Gallery);  // the gun on the kiosk's shelf
    EXPECT_EQ(g.Money, 41);
    EXPECT_EQ(g.GameStake, 10);
    ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  }
};

TEST_F(GalleryRoadTest, TheGunIsBoughtPlayedToTheEndAndPaid) {
  BuyTheGun();
  ASSERT_TRUE(ShootAt(gl::MillCentre.X, gl::MillCentre.Y));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(ShootAt(kWall.X, kWall.Y + 30 * i));
  ASSERT_TRUE(TickUntilKiosk(80));
  ASSERT_TRUE(TickUntilPaid(61, 1500)) << "the windmill's 20 are paid";
}

TEST_F(GalleryRoadTest, TheGunIsBoughtPlayedAndPaidThroughTheLamp) {
  BuyTheGun();
  ASSERT_TRUE(ShootAt(gl::MillCentre.X, gl::MillCentre.Y));
  ASSERT_TRUE(ShootAt(kLamp.X, kLamp.Y));
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Lamp); }, 10));
  ASSERT_TRUE(TickUntilKiosk(400));
  EXPECT_EQ(g.Money, 29);
  ASSERT_TRUE(TickUntilPaid(49, 1500)) << "the windmill's 20 are paid";
  EXPECT_EQ(MissingNames(), 0u);
}

}  // namespace
}  // namespace vepa::testing
