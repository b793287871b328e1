// The aquarium over the default archive: whole contests to the time-out (a steering player who
// wins, an idle one who loses), the bites by mouth and claw, one catch per hook, the big fish
// that frees a catch, the buckets and the counts, the growing anew, the bubbles, the hook that
// trails the rod, the player's keys, the computer's choice, the clock, the exit box and the
// prize the kiosk pays.
#include "minigames/aquarium.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/loaders.h"
#include "minigames/aquarium_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

constexpr int kPrice = 15;
constexpr int kComputer = 0, kPlayer = 1, kCrab = 3;

class AquariumTest : public SceneFixture {
 protected:
  void Open() {
    g.SpeechRecord.Price = kPrice;
    EnterAndOpen(SceneId::Aquarium, 0, {{"Money", "36"}});
  }
  AquariumScene& aq() {
    return *dynamic_cast<AquariumScene*>(g.GetScene(SceneNo(SceneId::Aquarium)));
  }
  AquariumCreature& fish(int f) { return aq().Fish[f]; }
  AquariumAngler& angler(int a) { return aq().Angler[a]; }

  // Hangs an angler's hook still at (x, y) on screen: the rod tip right over it.
  void HangHook(int a, int x, int y) {
    AquariumAngler& an = angler(a);
    an.Tip = an.HookOff = a == kComputer ? x - 259 : 421 - x;
    an.HookX = x;
    an.Line = y - 27;
    an.HookY = y;
  }
  // Creature f on angler a's hook, the angler in the given state (1 reeling in, 2 lifting).
  void Hooked(int a, int f, int state = 1) {
    angler(a).State = static_cast<uint8_t>(state);
    angler(a).Catch = static_cast<uint8_t>(f);
    fish(f).HookedBy = static_cast<uint8_t>(a + 1);
  }
  // Puts a creature somewhere, swimming (or walking) slowly.
  void Place(int f, int x, int y, int dir) {
    AquariumCreature& c = fish(f);
    c.X = x;
    c.Y = y;
    c.Dir = dir;
    c.Speed = 0;
    c.State = c.HookedBy = c.Tilt = 0;
  }
  // Everything out of the way of a test at mid depth: the hooks up in the air, the small fish in
  // the middle of their bands, the crab on the gravel, the big fish deep down on the left (it
  // rises a pixel a frame, so for a while it frees no catch).
  void Settle() {
    HangHook(kComputer, 259, 87);
    HangHook(kPlayer, 421, 87);
    Place(0, 170, 400, 1);
    Place(1, 250, 220, 0);
    Place(2, 250, 280, 0);
    Place(kCrab, 260, 340, 0);
  }
  // The player's hand on the keys: the hook held still in the middle of the tank at the depth of
  // a free creature, so it bites as it swims by; once something is on, the line is reeled in
  // fast, but given and moved out of the way while the big fish is near, as the computer does.
  void SteerPlayer() {
    AquariumScene& a = aq();
    const AquariumAngler& p = a.Angler[kPlayer];
    const AquariumCreature& big = a.Fish[0];
    for (int k : {key::Left, key::Right, key::Up, key::Down}) backend.SetKey(k, false);
    if (p.State == 1 && p.Catch != 0) {
      const bool near = big.X - 40 < p.HookX && p.HookX < big.X + 150 && p.HookY > 130;
      backend.SetKey(near ? key::Down : key::Up, true);
      if (near && p.HookX < big.X + 55 && big.Dir == 0) backend.SetKey(key::Left, true);
      if (near && p.HookX > big.X + 55 && big.Dir == 1) backend.SetKey(key::Right, true);
      return;
    }
    if (p.State != 0) return;
    int target = 0, best = 1000;
    for (int f = 1; f <= 3; ++f) {
      const AquariumCreature& c = a.Fish[f];
      if (c.HookedBy != 0 || c.State >= 3) continue;
      const int d = std::abs(c.Y - p.HookY);
      if (d < best) best = d, target = f;
    }
    if (p.Tip < 90) backend.SetKey(key::Left, true);
    if (p.Tip > 90) backend.SetKey(key::Right, true);
    if (target == 0) return;
    const int want = a.Fish[target].Y + (target == kCrab ? -5 : 5);
    if (p.HookY < want - 3) backend.SetKey(key::Down, true);
    if (p.HookY > want + 3) backend.SetKey(key::Up, true);
  }
};

// ---------------------------------------------------------------------------------------------
// Whole contests.

TEST_F(AquariumTest, ASteeringPlayerOutfishesTheComputerAndIsPaidAtTheKiosk) {
  g.SpeechRecord.Price = kPrice;
  Enter(SceneId::Aquarium, 0, {{"Money", "36"}});
  EXPECT_EQ(g.GameStake, kPrice);
  EXPECT_EQ(State("TimeLeft"), 600);
  EXPECT_EQ(StateArray("AnglerLine"), (std::vector<long long>{60, 60}));
  EXPECT_EQ(StateArray("FishY"), (std::vector<long long>{160, 220, 280, 340}));
  for (long long x : StateArray("FishX")) {
    EXPECT_GE(x, 185);
    EXPECT_LT(x, 385);
  }
  int carriedOver = 0, computerCatches = 0, lastCatches = 0;
  bool sawBite = false;
  ASSERT_TRUE(TickUntil(
      [&] {
        if (!g.InScene(SceneId::Aquarium)) return true;
        SteerPlayer();
        const AquariumAngler& p = angler(kPlayer);
        sawBite |= p.State == 1 && p.Catch != 0;
        // The catch swings over the player's bucket before it drops in.
        if (p.State == 3 && p.Catch != 0 && fish(p.Catch).State == 1 &&
            fish(p.Catch).X > aquarium::kBucketX[1])
          ++carriedOver;
        if (aq().Catches[kPlayer] > lastCatches) {
          EXPECT_EQ(aq().Catches[kPlayer], lastCatches + 1) << "one creature at a time";
          lastCatches = aq().Catches[kPlayer];
        }
        computerCatches = aq().Catches[kComputer];
        return false;
      },
      600 * 17 + 40));
  EXPECT_TRUE(sawBite);
  EXPECT_GT(carriedOver, 0);
  EXPECT_GT(computerCatches, 0) << "the computer fishes too";
  EXPECT_GT(lastCatches, computerCatches);
  EXPECT_EQ(g.SceneNumber, 0);
  const int prize = 19 + std::min(3 * (lastCatches - computerCatches), 15);
  EXPECT_EQ(g.GameWinnings, prize);
  ASSERT_TRUE(TickUntilPaid(36 + prize, 600)) << "the kiosk pays";
}

TEST_F(AquariumTest, AnIdlePlayerLosesToTheComputerAndGetsNothing) {
  Open();
  ASSERT_TRUE(TickUntilKiosk(600 * 17 + 40));
  // The contest ran its full time: 600 game seconds of 17 frames, then the closing.
  EXPECT_EQ(g.GameWinnings, 0);
  Tick(300);
  EXPECT_EQ(g.Money, 36);
}

TEST_F(AquariumTest, TheClockRunsSeventeenFramesASecondAndTheBellRingsTheLastOne) {
  g.SpeechRecord.Price = kPrice;
  Enter(SceneId::Aquarium, 0, {{"Money", "36"}});
  Tick(16);
  EXPECT_EQ(aq().TimeLeft, 600);
  Tick(1);
  EXPECT_EQ(aq().TimeLeft, 599);
  Tick(17);
  EXPECT_EQ(aq().TimeLeft, 598);
  // The last second.
  aq().TimeLeft = 1;
  aq().TimeTick = 0;
  ASSERT_TRUE(TickUntil([&] { return aq().ClockTimer == 9; }, 10));
  EXPECT_EQ(aq().TimeTick, 5);
  EXPECT_TRUE(WavePlaying(1, "Clock01"));
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 1; }, 20)) << "time is up";
  EXPECT_EQ(aq().TimeLeft, 0);
  EXPECT_FALSE(WavePlaying(1, "Clock01")) << "the bell stops after ten frames";
  aq().Catches = {2, 2};
  ASSERT_TRUE(TickUntilKiosk(10));
  EXPECT_EQ(g.GameWinnings, 19) << "a tie pays 19";
  ASSERT_TRUE(TickUntilPaid(36 + 19, 600)) << "the kiosk pays it";
}

TEST_F(AquariumTest, TheExitBoxEndsTheContestWithTheScoreSoFarAndTheKioskPaysNothing) {
  struct Score {
    int Computer, Player, Prize;
  };
  for (const Score s : {Score{0, 0, 19}, Score{4, 4, 19}, Score{1, 2, 22}, Score{0, 4, 31},
                        Score{0, 5, 34}, Score{2, 11, 34}, Score{3, 1, 0}}) {
    SCOPED_TRACE(std::to_string(s.Computer) + ":" + std::to_string(s.Player));
    g.Money = 36;
    Open();
    aq().Catches = {static_cast<int16_t>(s.Computer), static_cast<int16_t>(s.Player)};
    // Held Esc opens the box once; a second press closes it, the no button too.
    KeyDown(key::Esc);
    Tick(3);
    EXPECT_EQ(g.ExitMenuState, 1);
    KeyUp(key::Esc);
    Tick();
    TapKey(key::Esc);
    EXPECT_EQ(g.ExitMenuState, 0);
    Tick();
    TapKey(key::Esc);
    ASSERT_EQ(g.ExitMenuState, 1);
    ClickExitBoxNo();
    Tick(5);
    EXPECT_EQ(g.ExitMenuState, 0);
    EXPECT_TRUE(g.InScene(SceneId::Aquarium));
    LeaveThroughExitBox();
    Tick(5);
    ASSERT_TRUE(TickUntilKiosk(20));
    EXPECT_EQ(g.GameWinnings, s.Prize);
    // The kiosk knows the contest was abandoned: it comments and pays nothing.
    Tick();
    ASSERT_TRUE(TickUntil([&] { return JsonInt(SceneState(), "HubState") == 0; }, 600));
    EXPECT_EQ(g.Money, 36);
  }
}

// ---------------------------------------------------------------------------------------------
// Bites.

TEST_F(AquariumTest, ASmallFishBitesOnlyWithItsMouth) {
  // Where the hook hangs, relative to the fish's X (the fish moves 3..7 pixels first).
  struct Case {
    int Dir, HookDX;
    bool Bites;
  };
  for (const Case c : {Case{0, 60 + 9, true}, Case{0, 10 + 9, false}, Case{0, 35 + 9, false},
                       Case{1, -2 + 9, true}, Case{1, 55 + 9, false}}) {
    SCOPED_TRACE("dir " + std::to_string(c.Dir) + " hook at X + " + std::to_string(c.HookDX));
    Open();
    Settle();
    Place(1, 250, 220, c.Dir);
    HangHook(kPlayer, 250 + c.HookDX, 225);
    Tick();
    EXPECT_EQ(fish(1).HookedBy, c.Bites ? 2 : 0);
    EXPECT_EQ(angler(kPlayer).Catch, c.Bites ? 1 : 0);
    EXPECT_EQ(angler(kPlayer).State, c.Bites ? 1 : 0);
    if (c.Bites) {
      EXPECT_EQ(fish(1).Tilt, c.Dir == 1 ? 10 : -10) << "it starts to wriggle";
      EXPECT_TRUE(WavePlaying(1, "Boom02"));
      // It wriggles up to a quarter turn, head up: one unit further turning to the left.
      Tick(7);
      EXPECT_EQ(fish(1).Tilt, c.Dir == 1 ? 64 : -65);
    }
  }
  // Too deep or too shallow for the mouth.
  for (int hookY : {210, 240}) {
    Open();
    Settle();
    HangHook(kPlayer, 250 + 69, hookY);
    Tick();
    EXPECT_EQ(fish(1).HookedBy, 0) << hookY;
  }
}

TEST_F(AquariumTest, TheCrabSnapsOnlyFromBelowTheHookWithItsRightClaw) {
  struct Case {
    int HookDX, HookY;
    bool Bites;
  };
  // The crab walks 1..3 pixels right first; its claw is at X + 50..60, its top at Y = 340.
  for (const Case c : {Case{57 + 9, 335, true}, Case{57 + 9, 345, false}, Case{57 + 9, 325, false},
                       Case{10 + 9, 335, false}, Case{30 + 9, 335, false}}) {
    SCOPED_TRACE("hook at X + " + std::to_string(c.HookDX) + ", y " + std::to_string(c.HookY));
    Open();
    Settle();
    HangHook(kComputer, 260 + c.HookDX, c.HookY);
    Tick();
    EXPECT_EQ(fish(kCrab).HookedBy, c.Bites ? 1 : 0);
    EXPECT_EQ(angler(kComputer).Catch, c.Bites ? kCrab : 0);
    if (c.Bites) {
      EXPECT_GE(fish(kCrab).Anim, 3) << "it hangs from its claw";
    }
  }
}

TEST_F(AquariumTest, OneCatchAHookAndOneHookACatch) {
  Open();
  Settle();
  Place(0, 170, 400, 1);  // the big fish deep down, far from the hooks
  HangHook(kComputer, 250 + 69, 225);
  Tick();
  ASSERT_EQ(fish(1).HookedBy, 1);
  // The player's hook where the caught fish's mouth is: it is not bitten again.
  HangHook(kPlayer, fish(1).X + 60 + 9, fish(1).Y + 5);
  Tick();
  EXPECT_EQ(fish(1).HookedBy, 1);
  EXPECT_EQ(angler(kPlayer).Catch, 0);
  // The other small fish swims into the computer's hook: the hook is taken.
  HangHook(kPlayer, 421, 87);
  const AquariumAngler& k = angler(kComputer);
  Place(2, k.HookOff + 259 - 9 - 60, k.HookY - 5, 0);
  Tick();
  EXPECT_EQ(fish(2).HookedBy, 0);
  EXPECT_EQ(angler(kComputer).Catch, 1);
  // The same fish at the free player's hook bites there.
  HangHook(kPlayer, 380, 285);
  Place(2, 380 - 9 - 60, 280, 0);
  Tick();
  EXPECT_EQ(fish(2).HookedBy, 2);
}

TEST_F(AquariumTest, TheBigFishFreesACatchBeingReeledIn) {
  Open();
  Settle();
  // The player reels in a fish; the big fish swims through the hook.
  HangHook(kPlayer, 330, 202);
  Hooked(kPlayer, 1);
  Place(0, 330 - 60, 170, 0);
  fish(0).State = 0;
  Tick();
  EXPECT_EQ(fish(1).HookedBy, 0);
  EXPECT_EQ(angler(kPlayer).Catch, 0);
  EXPECT_EQ(fish(1).X, 330);
  EXPECT_EQ(fish(1).Y, 202 + 10);
  // The empty line is reeled in to 60, then the angler fishes again.
  ASSERT_TRUE(TickUntil([&] { return angler(kPlayer).State == 0; }, 60));
  EXPECT_EQ(angler(kPlayer).Line, 60);
  EXPECT_EQ(aq().Catches[kPlayer], 0);
}

// ---------------------------------------------------------------------------------------------
// The buckets and the creatures growing anew.

TEST_F(AquariumTest, ACrabCountsButOnlyAFishShowsInTheBucket) {
  Open();
  Settle();
  AquariumCreature& crab = fish(kCrab);
  crab.HookedBy = 2;
  crab.State = 2;
  crab.X = 530;
  crab.Y = 335;
  Tick();
  EXPECT_EQ(crab.Y, 345) << "it drops ten pixels a frame";
  EXPECT_EQ(aq().Catches[kPlayer], 0);
  Tick();
  EXPECT_EQ(aq().Catches[kPlayer], 1);
  EXPECT_EQ(aq().BucketFull[kPlayer], 0);
  EXPECT_EQ(crab.HookedBy, 0);
  // It grows anew out of the castle, with a bubbling sound, and walks off from there.
  ASSERT_TRUE(TickUntil([&] { return crab.State == 5; }, 5));
  EXPECT_TRUE(WavePlaying(2, "Buble07"));
  ASSERT_TRUE(TickUntil([&] { return crab.State == 0; }, 25));
  EXPECT_EQ(crab.X, 230 + 36) << "released where it grew, r = 1.5 x 24";
  EXPECT_EQ(crab.Y, 380 - 36);

  AquariumCreature& small = fish(2);
  small.HookedBy = 1;
  small.State = 2;
  small.Y = 345;
  Tick();
  EXPECT_EQ(aq().Catches[kComputer], 1);
  EXPECT_EQ(aq().BucketFull[kComputer], 1);
  EXPECT_EQ(aq().BucketFull[kPlayer], 0);
  int ticks = 0;
  ASSERT_TRUE(TickUntil([&] { return ++ticks, small.State == 0; }, 30));
  EXPECT_EQ(ticks, 22) << "State 3 to 24, then it swims off";
  EXPECT_EQ(small.Dir, 0);
  EXPECT_EQ(small.X, 220);
  EXPECT_EQ(small.Y, 365);
}

// ---------------------------------------------------------------------------------------------
// Bubbles.

TEST_F(AquariumTest, BubblesRiseOnlyFromTheMiddleOfTheTankOrTheAirStone) {
  Open();
  std::vector<long long> lastState = StateArray("BubbleState");
  std::vector<long long> fx = StateArray("FishX"), fy = StateArray("FishY"),
                         fd = StateArray("FishDir"), fs = StateArray("FishState"),
                         fh = StateArray("FishHookedBy");
  int fromCreatures = 0, fromStone = 0, burst = 0;
  for (int t = 0; t < 3000; ++t) {
    Tick();
    const std::vector<long long> st = StateArray("BubbleState"), bx = StateArray("BubbleX"),
                                 by = StateArray("BubbleY");
    ASSERT_EQ(st.size(), 10u);
    EXPECT_EQ(st[0], 0) << "slot 0 is never used";
    for (int i = 1; i < 10; ++i) {
      if (lastState[i] == 1 && st[i] == 0) ++burst;
      if (lastState[i] == 1 || st[i] == 0) continue;
      // A new bubble has already risen one step: 3..5 up, -2..1 across.
      auto near = [&](long long x, long long y) {
        return bx[i] - x >= -2 && bx[i] - x <= 1 && y - by[i] >= 3 && y - by[i] <= 5;
      };
      bool known = near(420, 350);
      fromStone += known;
      for (int f = 0; f < 4 && !known; ++f) {
        const bool free = f == 0 || (fh[f] == 0 && fs[f] < 3);
        const bool middle = f == kCrab ? fx[f] > 250 && fx[f] < 360 : fx[f] >= 251 && fx[f] <= 359;
        if (!free || !middle) continue;
        const long long mouth = f == kCrab   ? fx[f] + 30
                                : fd[f] == 1 ? fx[f] - 5
                                             : fx[f] + (f == 0 ? 110 : 70);
        known = near(mouth, fy[f] + 20);
        fromCreatures += known;
      }
      EXPECT_TRUE(known) << "a bubble at (" << bx[i] << ", " << by[i] << ") from nowhere";
    }
    for (int i = 1; i < 10; ++i) {
      if (st[i] == 1) {
        EXPECT_GE(by[i], 150) << "above the surface it bursts";
      }
    }
    lastState = st;
    fx = StateArray("FishX"), fy = StateArray("FishY"), fd = StateArray("FishDir");
    fs = StateArray("FishState"), fh = StateArray("FishHookedBy");
  }
  EXPECT_GT(fromStone, 10);
  EXPECT_GT(fromCreatures, 10);
  EXPECT_GT(burst, 20);
}

// ---------------------------------------------------------------------------------------------
// The anglers.

TEST_F(AquariumTest, TheHookTrailsTheRodTipAndStopsUnderIt) {
  Open();
  Settle();
  HangHook(kPlayer, 421, 87);
  // Near the surface the hook follows four pixels a frame, riding higher as it lags.
  KeyDown(key::Left);
  for (int i = 1; i <= 6; ++i) {
    const int off = angler(kPlayer).HookOff;
    Tick();
    const AquariumAngler& p = angler(kPlayer);
    EXPECT_EQ(p.Tip, 5 * i);
    EXPECT_EQ(p.Line, 60 - 3 * i) << "pushing the rod out shortens the line";
    EXPECT_EQ(p.HookY, p.Line - std::abs(off - p.Tip) / 2 + 27);
    EXPECT_EQ(p.HookOff, off + 4);
  }
  KeyUp(key::Left);
  ASSERT_TRUE(TickUntil([&] { return angler(kPlayer).HookOff == angler(kPlayer).Tip; }, 20));
  for (int i = 0; i < 5; ++i) {
    Tick();
    EXPECT_EQ(angler(kPlayer).HookOff, 30) << "a still rod holds the hook still";
  }
  // Deep in the water it follows two pixels a frame.
  HangHook(kPlayer, 421 - 50, 250);
  TapKey(key::Left, 3);
  EXPECT_EQ(angler(kPlayer).HookOff, 50 + 6);
  // Pulling the rod back lengthens the line by 3, up to 340.
  HangHook(kPlayer, 421 - 50, 338 + 27);
  TapKey(key::Right);
  EXPECT_EQ(angler(kPlayer).Line, 341);
  TapKey(key::Right);
  EXPECT_EQ(angler(kPlayer).Line, 341);
  EXPECT_EQ(angler(kPlayer).Tip, 40);
  // Up and Down reel and pay out: 5 a frame while fishing, 3 while a creature pulls.
  HangHook(kPlayer, 421 - 50, 200);
  TapKey(key::Down);
  EXPECT_EQ(angler(kPlayer).Line, 178);
  TapKey(key::Up, 2);
  EXPECT_EQ(angler(kPlayer).Line, 168);
}

TEST_F(AquariumTest, ThePlayersKeysActOnlyWhileFishingOrReeling) {
  Open();
  Settle();
  HangHook(kPlayer, 421, 200);
  Hooked(kPlayer, 1, 2);  // lifting a catch
  for (int k : {key::Left, key::Down}) KeyDown(k);
  Tick(3);
  EXPECT_EQ(angler(kPlayer).Tip, 0);
  EXPECT_EQ(angler(kPlayer).Line, 173);
}

TEST_F(AquariumTest, ACatchIsLiftedSwungOverTheBucketAndDropped) {
  Open();
  Settle();
  Place(0, 170, 400, 1);  // deep down: it rises a pixel a frame, slower than the reel
  HangHook(kPlayer, 421 - 40, 225);
  Place(1, 421 - 40 - 9 - 60, 220, 0);
  Tick();
  ASSERT_EQ(angler(kPlayer).Catch, 1);
  std::vector<int> states;
  int droppedAt = -1;
  for (int t = 0; t < 200 && angler(kPlayer).Catch != 0; ++t) {
    if (states.empty() || states.back() != angler(kPlayer).State)
      states.push_back(angler(kPlayer).State);
    Tick();
    if (droppedAt < 0 && fish(1).State == 2) droppedAt = fish(1).X;
  }
  EXPECT_EQ(states, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(angler(kPlayer).State, 0);
  EXPECT_GT(angler(kPlayer).Line, 60) << "paid out past 60";
  EXPECT_LE(angler(kPlayer).Line, 65);
  // Dropped over the bucket, and counted once it is in.
  EXPECT_GT(droppedAt, aquarium::kBucketX[1]);
  EXPECT_LT(droppedAt, aquarium::kBucketX[1] + aquarium::kBucket.Width);
  ASSERT_TRUE(TickUntil([&] { return aq().Catches[kPlayer] == 1; }, 40));
  EXPECT_EQ(aq().BucketFull[kPlayer], 1);
}

TEST_F(AquariumTest, TheComputerGoesForASmallCreatureAndSwitchesWhenItIsTaken) {
  Open();
  for (int t = 0; t < 2000; ++t) {
    Tick();
    const int target = angler(kComputer).Target;
    ASSERT_GE(target, 1) << "never the big fish";
    ASSERT_LE(target, 3);
  }
  // Its target on the player's hook: it picks another at once.
  Settle();
  angler(kComputer).State = 0;
  angler(kComputer).Catch = 0;
  for (int t = 1; t <= 3; ++t) {
    Settle();
    angler(kComputer).Target = static_cast<uint8_t>(t);
    Hooked(kPlayer, t);
    Tick();
    EXPECT_NE(angler(kComputer).Target, t);
    fish(t).HookedBy = 0;
    angler(kPlayer).Catch = 0;
    angler(kPlayer).State = 0;
  }
}

TEST_F(AquariumTest, TheComputerGivesLineAndDodgesWhileTheBigFishIsNear) {
  struct Case {
    int BigX, BigDir;
    int LineChange, TipChange;
  };
  // The hook at x 330, deep below the big fish's band; its catch on it.
  for (const Case c :
       {Case{250, 0, -2, 0}, Case{300, 0, -2, -5}, Case{250, 1, -2, 5}, Case{100, 0, -8, 0}}) {
    SCOPED_TRACE("big fish at " + std::to_string(c.BigX) + " dir " + std::to_string(c.BigDir));
    Open();
    Settle();
    HangHook(kComputer, 330, 260);
    Hooked(kComputer, 1);
    Place(0, c.BigX, 160, c.BigDir);
    fish(0).Speed = 0;
    const int line = angler(kComputer).Line, tip = angler(kComputer).Tip;
    Tick();
    // Reeling takes 5, and the computer 3 more, or gives 3 back while the big fish is near.
    EXPECT_EQ(angler(kComputer).Line - line, c.LineChange + (c.TipChange > 0   ? -3
                                                             : c.TipChange < 0 ? 3
                                                                               : 0));
    EXPECT_EQ(angler(kComputer).Tip - tip, c.TipChange);
    EXPECT_EQ(fish(1).HookedBy, 1);
  }
}

// ---------------------------------------------------------------------------------------------
// The pictures: what the scene holds on to is where it is drawn.

// Whether any pixel of the pattern in [x0, x1] x [y0, y1] is drawn (not see-through).
bool AnyOpaque(const Image* img, int pattern, int x0, int y0, int x1, int y1) {
  int px = 0, py = 0;
  if (!img || !img->PatternOrigin(pattern, px, py)) return false;
  for (int y = std::max(0, y0); y <= std::min(img->PatternHeight - 1, y1); ++y)
    for (int x = std::max(0, x0); x <= std::min(img->PatternWidth - 1, x1); ++x) {
      const size_t at = static_cast<size_t>(py + y) * img->Width + px + x;
      const bool seen = img->Alpha.empty()
                            ? !img->Transparent || img->Pixels[at] != img->TransparentColor
                            : img->Alpha[at] > 128;
      if (seen) return true;
    }
  return false;
}

TEST_F(AquariumTest, ThePicturesHoldWhereTheSceneHoldsThem) {
  using namespace aquarium;
  LoadImages(g, 2, kImages);
  auto img = [&](const Picture& p) { return layer.FindImage(2, p.Name); };
  // Mouths at the front end, 40 % down: where the hook and the hand hold a fish.
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(AnyOpaque(img(kSmallFish), k, 64, 14, 69, 19)) << k;
    EXPECT_TRUE(AnyOpaque(img(kSmallFish), k + 6, 0, 14, 5, 19)) << k + 6;
    EXPECT_FALSE(AnyOpaque(img(kSmallFish), k, 0, 0, 69, 0)) << "room above the fin " << k;
    EXPECT_TRUE(AnyOpaque(img(kBigFish), k, 102, 17, 109, 23)) << k;
    EXPECT_TRUE(AnyOpaque(img(kBigFish), k + 6, 0, 17, 7, 23)) << k + 6;
  }
  // The crab's raised claw where it snaps at a hook, and the claw it hangs by.
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(AnyOpaque(img(aquarium::kCrab), k, 52, 20, 64, 34)) << k;
  const int claw[3] = {29, 51, 36};
  for (int k = 0; k < 3; ++k)
    EXPECT_TRUE(AnyOpaque(img(aquarium::kCrab), 3 + k, claw[k] - 3, 16, claw[k] + 3, 24)) << 3 + k;
  // The hooks' eyes, the rods' tips where the lines are tied, the hands round the knob.
  EXPECT_TRUE(AnyOpaque(img(kHook), 0, kHookEyeX - 2, 0, kHookEyeX + 2, 6));
  EXPECT_TRUE(AnyOpaque(img(kHook), 1, kHookEyeX - 2, 0, kHookEyeX + 2, 6))
      << "mirrored about its eye";
  EXPECT_TRUE(AnyOpaque(img(kRod), 0, kRod.Width - 6, 14, kRod.Width - 1, 18));
  EXPECT_TRUE(AnyOpaque(img(kRod), 1, 0, 14, 5, 18));
  EXPECT_TRUE(AnyOpaque(img(kHand), 1, kGripX[0] - 2, kGripY[0] - 2, kGripX[0] + 2, kGripY[0] + 2));
  EXPECT_TRUE(AnyOpaque(img(kHand), 2, kGripX[1] - 2, kGripY[1] - 2, kGripX[1] + 2, kGripY[1] + 2));
  for (int a = 0; a < 2; ++a)
    EXPECT_TRUE(
        AnyOpaque(img(kArm), 1 + a, kReelX[a] - 2, kReelY[a] - 2, kReelX[a] + 2, kReelY[a] + 2))
        << "the reel of angler " << a;
  // The count is written in white on a dark plate on the bucket.
  const Image* bucket = img(kBucket);
  ASSERT_NE(bucket, nullptr);
  const uint16_t plate =
      bucket->Pixels[static_cast<size_t>(kCountY - kBucketY + 10) * bucket->Width +
                     (kCountX[0] - kBucketX[0])];
  EXPECT_LT(((plate >> 11) & 31) + ((plate >> 5) & 63) / 2 + (plate & 31), 3 * 16)
      << "dark enough for the white digits";
}

}  // namespace
}  // namespace vepa::testing
