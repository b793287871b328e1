// The cockroach race over the default archive: the bet on a lane and the marks it hands out,
// the barrier, the runs with their bumps and walls (on the real track and on hit maps filled
// with one code), the finish and its tie, the exit box, and whole races that pay 25 or nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/race_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

using namespace race;

constexpr int kPrice = 7;
constexpr int kPrize = 25;
constexpr int kStartMoney = 100;

struct Runners {
  std::vector<long long> X, Y, Heading, Speed, VX, VY, LegFrame, LegPattern, Marker;
};

class RaceTest : public SceneFixture {
 protected:
  explicit RaceTest(bool sound = true) : SceneFixture(sound) {}

  void EnterRace() {
    g.SpeechRecord.Price = kPrice;
    EnterAndOpen(SceneId::CockroachRace, 0, {{"Money", std::to_string(kStartMoney)}});
  }
  int RaceState() const { return static_cast<int>(State("RaceState")); }
  Runners Read() const {
    const std::string json = SceneState();
    auto get = [&json](const char* key) { return JsonInts(json, key); };
    return {get("X"),       get("Y"),        get("Heading"),    get("Speed"), get("VXMilli"),
            get("VYMilli"), get("LegFrame"), get("LegPattern"), get("Marker")};
  }
  // The pointer's fingertip (+5, +25) on the cockroach waiting in lane j.
  void PointAt(int lane) {
    MoveTo(50, LaneTop(lane) + 20);
    Tick();
  }
  // A press where the pointer is, and the two ticks to its click moment.
  void ClickHere() {
    Press();
    Release();
    Tick(2);
  }
  void Bet(int lane) {
    PointAt(lane);
    ClickHere();
  }
  // Ticks until the race has started (the barrier is gone).
  void UntilRacing() {
    ASSERT_TRUE(TickUntil([&] { return RaceState() >= 4; }, 20));
  }
  void FillHitMap(uint8_t code) { g.HitMap.fill(code); }
  // Cells of the hit map under the screen rows y0..y1 (as the race looks them up) set to code.
  void FillRows(int y0, int y1, uint8_t code) {
    for (int y = y0; y <= y1; ++y) {
      const int row = static_cast<int>(std::nearbyint(y * 0.5));
      std::fill_n(g.HitMap.begin() + row * 320, 320, code);
    }
  }
  uint8_t CodeAt(double x, double y) const {
    return g.HitMap[static_cast<size_t>(std::nearbyint(y * 0.5)) * 320 +
                    static_cast<size_t>(std::nearbyint(x * 0.5))];
  }
  Wave* RunSound(int i) { return layer.FindWave(2, "Tarak0" + std::to_string(i)); }
};

class SilentRaceTest : public RaceTest {
 protected:
  SilentRaceTest() : RaceTest(false) {}
};

TEST_F(RaceTest, LoaderLinesUpTheRunnersAndTheCallerAsksForABet) {
  g.GameWinnings = 9;
  EnterRace();
  EXPECT_EQ(g.GameStake, kPrice);
  EXPECT_EQ(g.GameWinnings, 0);
  const Runners r = Read();
  for (int i = 1; i <= Cockroaches; ++i) {
    EXPECT_EQ(r.X[i - 1], 55);
    EXPECT_EQ(r.Y[i - 1], LaneY(i));
    EXPECT_EQ(r.Heading[i - 1], 0);
    EXPECT_EQ(r.Marker[i - 1], MarkerNone);
    EXPECT_EQ(r.Speed[i - 1], 0);
  }
  // The caller speaks while the screen opens; with no bet the race waits once he is done.
  EXPECT_EQ(RaceState(), 1);
  EXPECT_EQ(State("BubbleKind"), 2);
  EXPECT_EQ(g.SpeechRecord.Lines[1], Cp1251("ДЛЯ НАЧАЛА"));
  EXPECT_EQ(g.SpeechRecord.Lines[3], Cp1251("ЛЮБИМОГО ТАРАКАНА"));
  EXPECT_TRUE(IsSpeaking(g));
  ASSERT_TRUE(TickUntil([&] { return RaceState() == 2; }, 400));
  Tick(50);
  EXPECT_EQ(RaceState(), 2) << "nobody runs before the bet";
  EXPECT_EQ(Read().X, r.X);
}

TEST_F(RaceTest, TheBetGoesOnTheLaneLastPointedAtAndTheOthersGetMarksOneToThree) {
  for (int lane = 1; lane <= Cockroaches; ++lane) {
    SCOPED_TRACE(lane);
    EnterRace();
    PointAt(lane);
    EXPECT_EQ(State("PointedLane"), lane);
    // The edges of a lane's area belong to no lane: the pointer there keeps the last one.
    MoveTo(50, LaneTop(lane == 1 ? 2 : lane));
    Tick();
    MoveTo(ChoiceRight, LaneTop(lane) + 20);
    Tick();
    EXPECT_EQ(State("PointedLane"), lane);
    // The click itself may be anywhere, and comes while the caller is still speaking.
    MoveTo(400, 420);
    ASSERT_EQ(RaceState(), 1);
    ClickHere();
    EXPECT_EQ(RaceState(), 3);
    EXPECT_FALSE(IsSpeaking(g)) << "the bet cuts the caller short";
    std::vector<long long> marks = Read().Marker;
    EXPECT_EQ(marks[lane - 1], MarkerPlayer);
    marks.erase(marks.begin() + (lane - 1));
    std::sort(marks.begin(), marks.end());
    EXPECT_EQ(marks, (std::vector<long long>{1, 2, 3}));
  }
}

TEST_F(RaceTest, AClickBeforeThePointerWasOverAnyLaneIsNoBet) {
  // Even after a race where lane 3 was chosen: a new race asks for a new pointing.
  EnterRace();
  Bet(3);
  ASSERT_EQ(RaceState(), 3);
  MoveTo(300, 420);
  EnterRace();
  EXPECT_EQ(State("PointedLane"), 0);
  ClickHere();
  Tick(5);
  EXPECT_LT(RaceState(), 3);
  EXPECT_EQ(Read().Marker, (std::vector<long long>{0, 0, 0, 0}));
}

TEST_F(RaceTest, TheBarrierLiftsForSixFramesWithItsSoundsThenTheyRun) {
  EnterRace();
  PointAt(2);
  MoveTo(400, 420);  // the bet is clicked away from the barrier, so the hand hides none of it
  ClickHere();
  // The bet's frame already takes the barrier's first step.
  EXPECT_EQ(State("GateStep"), 1);
  EXPECT_TRUE(WavePlaying(2, "Boom01"));
  EXPECT_TRUE(WavePlaying(2, "Lift01"));
  const uint16_t barrierDown = FramePixel(87, 250);
  const std::vector<long long> startX = Read().X;
  Tick(4);
  EXPECT_EQ(RaceState(), 3);
  EXPECT_EQ(Read().X, startX) << "they ran through the barrier";
  Tick();
  EXPECT_EQ(State("GateStep"), 6);
  EXPECT_EQ(RaceState(), 4);
  EXPECT_NE(FramePixel(87, 250), barrierDown) << "the barrier is still drawn";
  Tick(20);
  EXPECT_EQ(State("GateStep"), 6);
}

// Over a whole race on the real track, every frame: speed steps of one within 0..6, no turn at
// speed 0, legs and feet still when the sideways motion rounds to 0, every move as large as its
// motion, and every runner inside the rails (and inside its stall while still in it).
TEST_F(RaceTest, EveryFrameOfARaceKeepsTheRunningRules) {
  EnterRace();
  Bet(1);
  UntilRacing();
  Runners before = Read();
  int stillFrames = 0, turnedFrames = 0;
  std::vector<bool> leftStall(Cockroaches, false);
  for (int frame = 0; frame < 600 && g.InScene(SceneId::CockroachRace); ++frame) {
    Tick();
    if (!g.InScene(SceneId::CockroachRace)) break;
    const Runners now = Read();
    for (int i = 0; i < Cockroaches; ++i) {
      SCOPED_TRACE(::testing::Message() << "runner " << i + 1 << " frame " << frame);
      ASSERT_LE(std::abs(now.Speed[i] - before.Speed[i]), 1);
      ASSERT_GE(now.Speed[i], 0);
      ASSERT_LE(now.Speed[i], 6);
      if (now.Speed[i] == 0) {
        ASSERT_EQ(now.Heading[i], before.Heading[i]) << "turned standing still";
        ++stillFrames;
      } else if (now.Heading[i] != before.Heading[i]) {
        ++turnedFrames;
      }
      // 0.5 rounds to 0 but 0.5004 to 1: a printed 500 may be either.
      if (std::abs(now.VX[i]) < 500) {
        ASSERT_EQ(now.LegFrame[i], before.LegFrame[i]) << "legs moved";
        ASSERT_FALSE(layer.IsPlaying(RunSound(i + 1))) << "feet patter";
      } else if (std::abs(now.VX[i]) > 500 && layer.IsPlaying(RunSound(i + 1))) {
        const Wave* w = RunSound(i + 1);
        EXPECT_EQ(w->Buffer.Frequency, RunRate);
        EXPECT_EQ(w->Buffer.Volume, -200);
        const long long pan = std::clamp<long long>((now.X[i] - 320) * 90, -10000, 10000);
        EXPECT_LE(std::abs(w->Buffer.Pan - pan), 90);
      }
      ASSERT_EQ(now.LegPattern[i], now.LegFrame[i] == 3 ? 1 : now.LegFrame[i]);
      // Positions are printed rounded, so a move may differ from its motion by a pixel.
      ASSERT_LE(std::abs((now.X[i] - before.X[i]) * 1000 - now.VX[i]), 1000);
      ASSERT_LE(std::abs((now.Y[i] - before.Y[i]) * 1000 - now.VY[i]), 1000);
      ASSERT_GE(now.X[i], CentreLeft - 7);
      ASSERT_LE(now.X[i], CentreRight + 7);
      ASSERT_GE(now.Y[i], CentreTop - 7);
      ASSERT_LE(now.Y[i], CentreBottom + 7);
      if (now.X[i] >= StallRight + 2) leftStall[i] = true;
      if (!leftStall[i]) {
        ASSERT_LT(std::abs(now.Y[i] - LaneY(i + 1)), 22) << "out of its stall";
      }
    }
    before = now;
  }
  EXPECT_GT(stillFrames, 0) << "nobody ever stood still: the rule was never tried";
  EXPECT_GT(turnedFrames, 0);
}

// A hit map of one code everywhere: the motion into that wall never happens, the motion along
// it does. Free track lets them go every way.
TEST_F(RaceTest, WallCodesStopTheMotionIntoThem) {
  struct Case {
    uint8_t Code;
    int XSign, YSign;  // the only sign VX / VY may have (0: any)
  };
  const Case cases[] = {
      {FreeTrack, 0, 0},          {WallRight, -1, 0},      {WallLeft, 1, 0},
      {WallAbove, 0, 1},          {WallBelow, 0, -1},      {CornerRightAbove, -1, 1},
      {CornerRightBelow, -1, -1}, {CornerLeftAbove, 1, 1}, {CornerLeftBelow, 1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.Code));
    EnterRace();
    FillHitMap(c.Code);
    Bet(2);
    UntilRacing();
    bool right = false, up = false, down = false, halved = false;
    for (int frame = 0; frame < 150; ++frame) {
      Tick();
      const Runners now = Read();
      for (int i = 0; i < Cockroaches; ++i) {
        // Off the map is free track: one that has run off it is no longer walled.
        if (now.X[i] < 0 || now.X[i] >= 640 || now.Y[i] < 0 || now.Y[i] >= 480) continue;
        if (c.XSign != 0) {
          ASSERT_GE(now.VX[i] * c.XSign, 0) << "frame " << frame;
        }
        if (c.YSign != 0) {
          ASSERT_GE(now.VY[i] * c.YSign, 0) << "frame " << frame;
        }
        right |= now.VX[i] > 0;
        up |= now.VY[i] < 0;
        down |= now.VY[i] > 0;
        // Far from the others, nothing but the wall changes the motion: the part along a wall
        // that stopped the other part is halved.
        bool alone = true;
        for (int j = 0; j < Cockroaches; ++j)
          if (j != i && std::abs(now.X[j] - now.X[i]) < 40 && std::abs(now.Y[j] - now.Y[i]) < 40)
            alone = false;
        if (alone && c.XSign != 0 && c.YSign == 0 && now.Speed[i] > 0) {
          const double a = now.Heading[i] * 2 * M_PI / 255;
          const double vx = std::cos(a) * now.Speed[i], vy = std::sin(a) * now.Speed[i];
          if (vx * c.XSign < -0.01) {
            EXPECT_EQ(now.VX[i], 0);
            EXPECT_NEAR(now.VY[i], vy * 500, 2);
            halved = true;
          }
        }
      }
    }
    // Along a side wall they still run up and down; on free track every way but back, which
    // needs a turn of more than a quarter.
    if (c.YSign == 0) {
      EXPECT_TRUE(up && down);
    }
    if (c.Code == FreeTrack) {
      EXPECT_TRUE(right && up && down);
    }
    if (c.Code == WallRight) {
      EXPECT_TRUE(halved);
    }
  }
}

TEST_F(RaceTest, TheFinishIsFoundUnderTheCentreOrTenPixelsAboveOrBelowIt) {
  // A finish band ten pixels below runner 3's lane: only runner 3 reaches it at once.
  EnterRace();
  FillHitMap(FreeTrack);
  FillRows(LaneY(3) + 6, LaneY(3) + 14, Finish);
  Bet(1);
  UntilRacing();
  EXPECT_EQ(RaceState(), 6) << "finished and the player's line started in the same frame";
  EXPECT_EQ(State("Winner"), 3);
  EXPECT_EQ(g.SpeechRecord.Lines[2], Cp1251("Я ПРОИГРАЛ"));
  EXPECT_EQ(State("BubbleKind"), 3);
  // Ten pixels above runner 2's lane.
  EnterRace();
  FillHitMap(FreeTrack);
  FillRows(LaneY(2) - 14, LaneY(2) - 6, Finish);
  Bet(2);
  UntilRacing();
  EXPECT_EQ(State("Winner"), 2);
  EXPECT_EQ(g.SpeechRecord.Lines[2], Cp1251("Я ПОБЕДИЛ"));
}

// All four touch the finish in the same frame: the lowest number wins, and stays the winner
// while they all go on running over the finish until the screen has closed.
TEST_F(RaceTest, ATieGoesToTheLowerNumberAndTheyRunOnUntilTheScreenCloses) {
  EnterRace();
  FillHitMap(Finish);
  Bet(4);
  UntilRacing();
  EXPECT_EQ(State("Winner"), 1);
  const Runners atFinish = Read();
  bool moved = false;
  while (g.InScene(SceneId::CockroachRace)) {
    const Runners now = Read();
    ASSERT_EQ(State("Winner"), 1);
    moved |= now.X != atFinish.X || now.Y != atFinish.Y;
    Tick();
  }
  EXPECT_TRUE(moved);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(g.GameWinnings, 0);
}

TEST_F(RaceTest, TheRealTrackHasItsWallsAndFinishWhereThePicturesAre) {
  EnterRace();
  for (int i = 1; i <= Cockroaches; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(CodeAt(StartX, LaneY(i)), FreeTrack);
    EXPECT_EQ(CodeAt(300, LaneY(i)), FreeTrack);
    EXPECT_EQ(CodeAt(FinishLineLeft, LaneY(i)), Finish);
    EXPECT_EQ(CodeAt(FloorLeft + 4, LaneY(i)), WallLeft);
    EXPECT_EQ(CodeAt(FloorRight - 4, LaneY(i)), WallRight);
  }
  for (int x : {StallRight + 20, 300, FinishLineLeft, MoneyX}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(CodeAt(x, FloorTop + 4), WallAbove);
    EXPECT_EQ(CodeAt(x, FloorBottom - 4), WallBelow);
  }
  EXPECT_EQ(CodeAt(FloorLeft + 4, FloorTop + 4), CornerLeftAbove);
  EXPECT_EQ(CodeAt(FloorRight - 4, FloorBottom - 4), CornerRightBelow);
  // The stall dividers stop the way across them from both sides.
  for (int i = 1; i < Cockroaches; ++i) {
    EXPECT_EQ(CodeAt(60, DividerY(i) - 4), WallBelow);
    EXPECT_EQ(CodeAt(60, DividerY(i) + 4), WallAbove);
    EXPECT_EQ(CodeAt(StallRight + 16, DividerY(i)), FreeTrack)
        << "the track is open past the stalls";
  }
}

// Whole races on the real track from the same start, one for each lane: the favourite's win
// pays 25, any other winner nothing, and the kiosk pays what the race left.
TEST_F(RaceTest, ScriptedRacesPayTwentyFiveForTheFavouriteAndNothingElse) {
  int wins = 0, losses = 0;
  for (int lane = 1; lane <= Cockroaches; ++lane) {
    SCOPED_TRACE(lane);
    g.rng.Seed = 2024;
    EnterRace();
    Bet(lane);
    ASSERT_TRUE(TickUntil([&] { return RaceState() == 6; }, 1500))
        << "no one finished " << SceneState();
    const int winner = static_cast<int>(State("Winner"));
    const bool won = winner == lane;
    const Runners r = Read();
    EXPECT_GE(r.X[winner - 1], FinishFrom - 6) << "the winner is at the finish";
    EXPECT_EQ(g.SpeechRecord.Lines[2], Cp1251(won ? "Я ПОБЕДИЛ" : "Я ПРОИГРАЛ"));
    ASSERT_TRUE(TickUntilKiosk(400));
    EXPECT_EQ(g.GameWinnings, won ? kPrize : 0);
    EXPECT_EQ(State("HubEntry"), 1);
    Tick();
    ASSERT_TRUE(TickUntil([&] { return State("HubState") == 0; }, 600));
    EXPECT_EQ(g.Money, kStartMoney + (won ? kPrize : 0));
    (won ? wins : losses)++;
  }
  EXPECT_GT(wins, 0);
  EXPECT_GT(losses, 0);
}

TEST_F(RaceTest, LeavingThroughTheExitBoxForfeitsEvenAWonRace) {
  EnterRace();
  FillHitMap(Finish);
  Bet(1);
  UntilRacing();
  ASSERT_EQ(State("Winner"), 1);
  ASSERT_EQ(RaceState(), 6);  // "I won" is being said
  LeaveThroughExitBox();
  ASSERT_TRUE(TickUntilKiosk(20));
  EXPECT_EQ(g.GameWinnings, 0);
}

// The press that closes the exit box with "НЕТ" belongs to the box: it places no bet on the
// lane pointed at before.
TEST_F(RaceTest, TheExitBoxNoButtonIsNoBet) {
  EnterRace();
  PointAt(2);
  TapKey(key::Esc);
  ASSERT_EQ(g.ExitMenuState, 1);
  ClickExitBoxNo();
  Tick(6);
  EXPECT_EQ(g.ExitMenuState, 0);
  EXPECT_LT(RaceState(), 3);
  EXPECT_EQ(Read().Marker, (std::vector<long long>{0, 0, 0, 0}));
  // The next click is a bet again, on the lane still pointed at.
  ClickHere();
  EXPECT_EQ(RaceState(), 3);
  EXPECT_EQ(Read().Marker[1], MarkerPlayer);
}

TEST_F(SilentRaceTest, WithoutSoundTheLinesLastTheirThreeSecondsAndTheRaceEnds) {
  EnterRace();
  ASSERT_TRUE(TickUntil([&] { return RaceState() == 2; }, 80));
  Bet(3);
  ASSERT_TRUE(TickUntil([&] { return RaceState() == 6; }, 1500));
  const bool won = State("Winner") == 3;
  // The player's line counts as spoken for 60 ticks, then the scene closes.
  Tick(58);
  EXPECT_EQ(RaceState(), 6);
  ASSERT_TRUE(TickUntilKiosk(20));
  EXPECT_EQ(State("HubEntry"), 1);
  EXPECT_EQ(g.GameWinnings, won ? kPrize : 0);
}

}  // namespace
}  // namespace vepa::testing
