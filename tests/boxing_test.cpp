// Boxing: whole bouts with the player's boxer driven by small scripted tactics (fight, stand
// still, keep level so that nobody can land a blow, give up), checked on the score, the result,
// the prize, the sounds and the rules of the ring.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

constexpr int kOpp = 0, kPly = 1;

class BoxingTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    g.SpeechRecord.Price = 10;
    EnterAndOpen(SceneId::Boxing, 0, {{"Money", "100"}});
  }

  // The numbers of a "key":[...] array with fractions (positions and speeds).
  std::vector<double> Reals(const std::string& key) const {
    const std::string json = SceneState();
    const std::string k = "\"" + key + "\":[";
    std::vector<double> out;
    size_t at = json.find(k);
    if (at == std::string::npos) {
      ADD_FAILURE() << "no " << key;
      return {0, 0};
    }
    const char* p = json.c_str() + at + k.size();
    while (*p && *p != ']') {
      char* end = nullptr;
      out.push_back(std::strtod(p, &end));
      p = *end == ',' ? end + 1 : end;
    }
    return out;
  }
  long long Hits(int who) const { return StateArray("Hits")[who]; }
  long long Result() const { return State("Result"); }

  void ReleaseAll() {
    for (int k : {key::Left, key::Right, key::Up, key::Down, key::Ctrl}) KeyUp(k);
  }
  // Holds the arrow keys that walk the player towards (tx, ty).
  void WalkTowards(double px, double py, double tx, double ty) {
    const double dead = 4;
    px < tx - dead ? KeyDown(key::Right) : KeyUp(key::Right);
    px > tx + dead ? KeyDown(key::Left) : KeyUp(key::Left);
    py < ty - dead ? KeyDown(key::Down) : KeyUp(key::Down);
    py > ty + dead ? KeyDown(key::Up) : KeyUp(key::Up);
  }

  // Fighting: stand 110 pixels from the opponent and 40 above or below it, and punch whenever
  // it is in reach of a stretched glove (or, without punching, only offer the chin).
  void FightTick(bool punch = true) {
    const auto x = Reals("X"), y = Reals("Y");
    const double side = x[kPly] >= x[kOpp] ? 1 : -1;
    const double level = y[kPly] >= y[kOpp] ? 1 : -1;
    WalkTowards(x[kPly], y[kPly], x[kOpp] + 110 * side, y[kOpp] + 40 * level);
    const double dx = std::fabs(x[kPly] - x[kOpp]), dy = std::fabs(y[kPly] - y[kOpp]);
    const bool inReach = dx > 92 && dx < 128 && dy > 30 && dy < 50;
    if (punch && inReach && StateArray("Punch")[kPly] == 0)
      KeyDown(key::Ctrl);
    else
      KeyUp(key::Ctrl);
    Tick();
  }

  // Keeping level with the opponent: on its line neither glove can land.
  void KeepLevelTick() {
    const auto x = Reals("X"), y = Reals("Y");
    KeyUp(key::Left);
    KeyUp(key::Right);
    KeyUp(key::Ctrl);
    y[kPly] < y[kOpp] - 3 ? KeyDown(key::Down) : KeyUp(key::Down);
    y[kPly] > y[kOpp] + 3 ? KeyDown(key::Up) : KeyUp(key::Up);
    (void)x;
    Tick();
  }

  // What holds on every frame of a bout: the boxers never overlap, blood only from the 31st
  // hit on, every drop lands within eleven frames of flying off.
  void CheckRing() {
    const auto x = Reals("X"), y = Reals("Y");
    const double dx = std::fabs(x[0] - x[1]), dy = std::fabs(y[0] - y[1]);
    EXPECT_FALSE(dx < 75 && dy < 85) << "the boxers overlap at dx " << dx << " dy " << dy;
    EXPECT_GE(x[0], 70);
    EXPECT_LE(x[0], 560);
    EXPECT_GE(x[1], 70);
    EXPECT_LE(x[1], 560);
    const long long most = std::max(Hits(0), Hits(1));
    if (most <= 30) {
      EXPECT_EQ(State("BloodCount"), 0);
    }
    const auto drops = StateArray("BloodState");
    for (size_t i = 0; i < drops.size(); ++i) {
      if (drops[i] == 1 && ++flying_[i] > 11) ADD_FAILURE() << "drop " << i << " flies on";
    }
  }

  // Ticks to the kiosk and returns the prize it was given.
  int PrizeAtKiosk() {
    ReleaseAll();
    EXPECT_TRUE(TickUntilKiosk(200));
    return g.GameWinnings;
  }

 private:
  int flying_[10] = {};
};

TEST_F(BoxingTest, ScriptedFighterWinsAndIsPaidThirteenAndTheLead) {
  EXPECT_EQ(g.GameStake, 10);
  bool ducked = false;
  int ticks = 0;
  while (Result() == 0 && ticks < 1700) {
    const long long dropsBefore = State("BloodCount");
    FightTick();
    CheckRing();
    ++ticks;
    if (dropsBefore == 0 && State("BloodCount") == 1) {
      ducked = State("DuckFlag") == 1;
      EXPECT_TRUE(std::max(Hits(0), Hits(1)) > 30);
    }
  }
  ASSERT_EQ(Result(), 1) << "score " << Hits(kOpp) << ":" << Hits(kPly);
  const long long r = Hits(kOpp), p = Hits(kPly);
  EXPECT_GT(p, r);
  if (p == 50) {
    EXPECT_GE(State("BloodCount"), 5) << "every hit from the 46th on draws blood";
  }
  if (State("BloodCount") > 0) {
    EXPECT_TRUE(ducked) << "the announcer calls the first blood";
  }
  EXPECT_EQ(State("DuckFlag"), 1) << "the announcer calls the result";
  auto volumes = [&] {
    std::vector<int> v;
    for (int i = 0; i < 12; ++i) v.push_back(layer.Waves(2)->WaveItem(i)->Buffer.Volume);
    return v;
  };
  EXPECT_EQ(volumes(), std::vector<int>(12, -1000)) << "the bout's twelve waves are lowered";
  ASSERT_TRUE(TickUntil([&] { return State("DuckFlag") == 0; }, 80)) << "the call never ends";
  EXPECT_EQ(volumes(), std::vector<int>(12, 0)) << "and come back when he is done";
  // The boxers stop scoring but keep moving after the result.
  for (int i = 0; i < 10; ++i) FightTick();
  EXPECT_EQ(Hits(kOpp), r);
  EXPECT_EQ(Hits(kPly), p);
  EXPECT_EQ(PrizeAtKiosk(), 13 + std::min<long long>(p - r, 20));
}

TEST_F(BoxingTest, NeverPunchingLosesAtFiftyAndPaysNothing) {
  bool bounced = false, stunned = false;
  int ticks = 0;
  while (Result() == 0 && ticks < 1700) {
    const long long taken = Hits(kOpp);
    FightTick(false);
    CheckRing();
    ++ticks;
    bounced = bounced || WavePlaying(1, "Boom08");
    if (Hits(kOpp) == taken + 1) {
      stunned = true;
      EXPECT_EQ(StateArray("Hurt")[kPly], 1);
    }
  }
  ASSERT_EQ(Result(), 2);
  EXPECT_TRUE(stunned);
  EXPECT_EQ(Hits(kOpp), 50) << "fifty hits for the opponent alone end the bout";
  EXPECT_GT(State("TimeLeft"), 0);
  EXPECT_EQ(Hits(kPly), 0);
  EXPECT_TRUE(bounced) << "a knocked-back boxer makes the ropes sing";
  EXPECT_EQ(PrizeAtKiosk(), 0);
}

TEST_F(BoxingTest, StandingStillIsOutpointedAtTheBell) {
  // The opponent overshoots its marks and rarely lands on a boxer who stands still, but it
  // lands some, and that wins it the bout on time.
  bool knocked = false;
  int ticks = 0;
  while (Result() == 0 && ticks < 1700) {
    const long long taken = Hits(kOpp);
    Tick();
    ++ticks;
    if (Hits(kOpp) == taken + 1) {
      EXPECT_EQ(std::fabs(Reals("VX")[kPly]), 9.5) << "knocked back at 10, less the friction";
      knocked = true;
    }
  }
  ASSERT_EQ(Result(), 2);
  EXPECT_TRUE(knocked);
  EXPECT_EQ(State("TimeLeft"), 0);
  EXPECT_GT(Hits(kOpp), Hits(kPly));
  EXPECT_EQ(PrizeAtKiosk(), 0);
}

TEST_F(BoxingTest, KeepingLevelUntilTheBellIsADraw) {
  int bellFrames = 0, ticks = 0;
  bool rang = false;
  while (Result() == 0 && ticks < 1700) {
    KeepLevelTick();
    CheckRing();
    ++ticks;
    if (WavePlaying(1, "Clock01")) {
      rang = true;
      ++bellFrames;
      EXPECT_EQ(State("TimeLeft"), 1) << "the bell rings in the last game second";
    }
  }
  ASSERT_EQ(Result(), 3);
  EXPECT_EQ(State("TimeLeft"), 0);
  EXPECT_EQ(Hits(kOpp), Hits(kPly));
  // 90 game seconds of 17 frames, less the opening frames already gone.
  EXPECT_NEAR(ticks, 90 * 17, 10);
  EXPECT_TRUE(rang);
  EXPECT_EQ(bellFrames, 10) << "the last-second bell rings for 10 frames";
  EXPECT_EQ(PrizeAtKiosk(), 13);
}

TEST_F(BoxingTest, EscBoxOpensOnAFreshPressAndGivingUpIsALoss) {
  KeyDown(key::Esc);
  Tick();
  EXPECT_EQ(g.ExitMenuState, 1);
  EXPECT_TRUE(WavePlaying(1, "Boom07"));
  Tick(5);
  EXPECT_EQ(g.ExitMenuState, 1) << "a held Esc does not close the box again";
  KeyUp(key::Esc);
  Tick();
  TapKey(key::Esc);
  EXPECT_EQ(g.ExitMenuState, 0) << "a fresh press closes it";
  Tick();
  TapKey(key::Esc);
  EXPECT_EQ(g.ExitMenuState, 1);
  // The bout goes on behind the box; "ДА" gives it up.
  ClickExitBoxYes();
  Tick();
  EXPECT_EQ(g.ExitMenuState, 2);
  EXPECT_EQ(Result(), 2);
  EXPECT_EQ(State("DuckFlag"), 1);
  const long long left = State("TimeLeft");
  Tick(20);
  EXPECT_EQ(State("TimeLeft"), left) << "the clock stops with the result";
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 1; }, 100));
  EXPECT_EQ(State("ResultTimer"), 92);
  EXPECT_EQ(PrizeAtKiosk(), 0);
}

TEST_F(BoxingTest, RopesAndTheOtherBoxerStopAWalk) {
  // At the ropes at walking speed: turned back without a sound.
  KeyDown(key::Right);
  for (int i = 0; i < 10; ++i) {
    Tick();
    EXPECT_LE(Reals("X")[kPly], 555);
    EXPECT_FALSE(WavePlaying(1, "Boom08"));
  }
  KeyUp(key::Right);
  // Walking at the opponent stops short of it; walking away is allowed.
  KeyDown(key::Left);
  double closest = 1000;
  for (int i = 0; i < 120; ++i) {
    Tick();
    CheckRing();
    const auto x = Reals("X"), y = Reals("Y");
    // Until the boxers have gone round each other.
    if (x[kPly] < x[kOpp]) break;
    if (std::fabs(y[0] - y[1]) <= 90) closest = std::min(closest, x[kPly] - x[kOpp]);
  }
  EXPECT_GE(closest, 75);
  EXPECT_LE(closest, 95) << "the walk went up to the other boxer";
  KeyUp(key::Left);
  const double x0 = Reals("X")[kPly];
  KeyDown(key::Right);
  Tick(3);
  EXPECT_GT(Reals("X")[kPly], x0);
}

TEST_F(BoxingTest, HeldCtrlPunchesAgainOnlyOnceTheArmIsBack) {
  KeyDown(key::Ctrl);
  int punches = 0;
  long long last = 0;
  for (int i = 0; i < 13; ++i) {
    Tick();
    const long long punch = StateArray("Punch")[kPly];
    if (last == 0 && punch != 0) ++punches;
    last = punch;
  }
  EXPECT_EQ(punches, 3) << "a punch every sixth frame: out in two, back in three, then again";
  EXPECT_EQ(Hits(kPly), 0) << "no hit out of reach";
}

// From the kiosk: the bout is bought, drawn by keeping level, and the draw's 13 are paid.
class BoxingRoadTest : public BoxingTest {
 protected:
  void SetUp() override { SceneFixture::SetUp(); }
};

TEST_F(BoxingRoadTest, BoughtAtTheKioskDrawnAndPaid) {
  EnterAndOpen(SceneId::Kiosk, 0, {{"Money", "50"}});
  BuyAtKiosk(187, 125, SceneId::Boxing);  // the glove
  EXPECT_EQ(g.Money, 38);
  EXPECT_EQ(g.GameStake, 12);
  for (int i = 0; i < 1700 && Result() == 0; ++i) KeepLevelTick();
  ASSERT_EQ(Result(), 3);
  EXPECT_EQ(PrizeAtKiosk(), 13);
  EXPECT_TRUE(TickUntilPaid(51)) << "the kiosk pays the prize";
}

}  // namespace
}  // namespace vepa::testing
