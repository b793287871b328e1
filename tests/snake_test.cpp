// Snake: whole runs steered by a small autopilot that reads the field from the runner's state
// and holds the arrow key of its choice, as a player at the keyboard would.
#include <algorithm>
#include <array>
#include <deque>
#include <vector>

#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

constexpr int kColumns = 15, kRows = 11;
constexpr int kEmpty = 0, kBadApple = 22;
constexpr std::array kDX = {0, 1, 0, -1}, kDY = {-1, 0, 1, 0};  // up, right, down, left
constexpr std::array kKeys = {key::Up, key::Right, key::Down, key::Left};

bool IsGoodApple(int code) { return code == 20 || code == 21; }

class SnakeTest : public SceneFixture {
 protected:
  enum class Goal { Apples, BadApple, Wander };

  void SetUp() override {
    SceneFixture::SetUp();
    g.SpeechRecord.Price = 4;
    EnterAndOpen(SceneId::Snake, 0, {{"Money", "100"}});
  }

  std::vector<long long> Cells() const { return StateArray("Cells"); }
  static int At(const std::vector<long long>& cells, int x, int y) {
    return static_cast<int>(cells[kColumns * y + x]);
  }
  static int Count(const std::vector<long long>& cells, bool (*pred)(int)) {
    return static_cast<int>(std::count_if(cells.begin(), cells.end(),
                                          [&](long long c) { return pred(static_cast<int>(c)); }));
  }

  void Hold(int dir) {
    for (int d = 0; d < 4; ++d)
      if (d == dir)
        KeyDown(kKeys[d]);
      else
        KeyUp(kKeys[d]);
  }
  void ReleaseArrows() {
    for (int k : kKeys) KeyUp(k);
  }

  // Picks the way for the next step: never backwards, never into the fence, the snake or an
  // apple it should not eat; where the way leaves room enough, the shortest way to a target.
  int ChooseDir(Goal goal) const {
    const auto cells = Cells();
    const int hx = static_cast<int>(State("HeadX")), hy = static_cast<int>(State("HeadY"));
    const int dir = static_cast<int>(State("Dir"));
    const int length = static_cast<int>(State("Length"));
    auto target = [&](int c) {
      return goal == Goal::Apples ? IsGoodApple(c) : goal == Goal::BadApple && c == kBadApple;
    };
    auto passable = [&](int c) { return c == kEmpty || target(c); };
    int best = dir, bestScore = -1 << 30;
    for (int d = 0; d < 4; ++d) {
      if (d == (dir + 2) % 4) continue;
      const int nx = hx + kDX[d], ny = hy + kDY[d];
      if (nx < 0 || nx >= kColumns || ny < 0 || ny >= kRows) continue;
      if (!passable(At(cells, nx, ny))) continue;
      // Room and distance to the nearest target by a search over passable cells.
      std::array<int, kColumns * kRows> dist;
      dist.fill(-1);
      std::deque<int> queue{ny * kColumns + nx};
      dist[ny * kColumns + nx] = 0;
      int room = 0, nearest = 1000;
      while (!queue.empty()) {
        const int i = queue.front();
        queue.pop_front();
        ++room;
        if (target(static_cast<int>(cells[i]))) nearest = std::min(nearest, dist[i]);
        for (int e = 0; e < 4; ++e) {
          const int x = i % kColumns + kDX[e], y = i / kColumns + kDY[e];
          if (x < 0 || x >= kColumns || y < 0 || y >= kRows) continue;
          const int j = y * kColumns + x;
          if (dist[j] >= 0 || !passable(static_cast<int>(cells[j]))) continue;
          dist[j] = dist[i] + 1;
          queue.push_back(j);
        }
      }
      int score = room >= length + 4 ? 100000 : room * 100;
      score -= nearest;
      if (d == dir) score += goal == Goal::Wander ? 5 : 0;
      if (score > bestScore) {
        bestScore = score;
        best = d;
      }
    }
    return best;
  }

  // One tick with the autopilot's key held.
  void Steer(Goal goal) {
    Hold(ChooseDir(goal));
    Tick();
  }

  // Eats good apples until the points reach `points`, checking that every apple lengthens the
  // snake by exactly one cell (the tail waits on the step of the bite, and drops nothing).
  void EatUntil(int points, int limit = 6000) {
    for (int i = 0; i < limit && State("ApplesEaten") < points; ++i) {
      const long long before = State("ApplesEaten"), length = State("Length");
      const long long tailX = State("TailX"), tailY = State("TailY");
      const long long bad = State("BadApples");
      Steer(Goal::Apples);
      ASSERT_EQ(State("Dead"), 0) << "the autopilot crashed at " << before << " points";
      if (State("ApplesEaten") == before + 1) {
        EXPECT_EQ(State("Length"), length + 1);
        EXPECT_EQ(State("TailX"), tailX);
        EXPECT_EQ(State("TailY"), tailY);
        EXPECT_EQ(Count(Cells(), IsGoodApple), 3) << "a new apple for the eaten one";
        EXPECT_EQ(State("BadApples"), bad) << "no bad apple on the step the snake grows";
      }
    }
    ASSERT_EQ(State("ApplesEaten"), points);
  }

  // Wanders without eating until a bad apple lies on the field, then eats it.
  void EatOneBadApple(int limit = 8000) {
    for (int i = 0; i < limit; ++i) {
      const long long points = State("ApplesEaten");
      const bool any = Count(Cells(), [](int c) { return c == kBadApple; }) > 0;
      Steer(any ? Goal::BadApple : Goal::Wander);
      ASSERT_EQ(State("Dead"), 0);
      if (State("ApplesEaten") != points) return;
    }
    FAIL() << "no bad apple eaten";
  }

  // Ticks until the head has moved; returns the ticks taken.
  int TicksToStep() {
    const long long x = State("HeadX"), y = State("HeadY");
    for (int n = 1; n <= 20; ++n) {
      Tick();
      if (State("HeadX") != x || State("HeadY") != y || State("Dead") == 1) return n;
    }
    return -1;
  }
};

TEST_F(SnakeTest, ScriptedRunEatsGrowsSpeedsUpDiesAndPaysHalfThePoints) {
  EXPECT_EQ(State("Length"), 3);
  EXPECT_EQ(Count(Cells(), IsGoodApple), 3);
  EXPECT_EQ(g.GameStake, 4);
  // A step every sixth frame at the start.
  TicksToStep();
  EXPECT_EQ(TicksToStep(), 6);

  EatUntil(9);
  EXPECT_EQ(State("StepDelay"), 5);
  EatUntil(10);
  EXPECT_EQ(State("StepDelay"), 4) << "the tenth point makes the snake faster";
  EXPECT_EQ(State("Length"), 13);
  Steer(Goal::Wander);
  TicksToStep();
  EXPECT_EQ(TicksToStep(), 5);
  EatUntil(20);
  EXPECT_EQ(State("StepDelay"), 3);
  EatUntil(40, 12000);
  EXPECT_EQ(State("StepDelay"), 1);
  EatUntil(50, 12000);
  EXPECT_EQ(State("StepDelay"), 0) << "at the fastest";
  EXPECT_EQ(TicksToStep(), 1) << "a step every frame";
  EatUntil(51, 12000);
  EXPECT_EQ(State("StepDelay"), 0);

  // Let go of the keys: the snake runs on until it hits the fence or itself.
  ReleaseArrows();
  ASSERT_TRUE(TickUntil([&] { return State("Dead") == 1; }, 200));
  const long long headX = State("HeadX"), headY = State("HeadY");
  EXPECT_GE(At(Cells(), headX, headY), 1) << "the crashed head stays in its cell";
  EXPECT_LE(At(Cells(), headX, headY), 4);
  int ticks = 0;
  while (g.FadeMode == 0 && ticks < 100) {
    Tick();
    ++ticks;
    EXPECT_EQ(State("HeadX"), headX) << "a dead snake does not move";
  }
  EXPECT_NEAR(ticks, 52, 2) << "the crash animation lasts about 52 frames";
  EXPECT_EQ(State("BloodFrame"), 3);
  EXPECT_EQ(State("HeadPattern"), 4);
  ASSERT_TRUE(TickUntilKiosk(20));
  EXPECT_EQ(g.GameWinnings, 25) << "51 points pay 25";
}

TEST_F(SnakeTest, KeysTurnAtTheNextStepAndNeverReverse) {
  // Holding the way back does nothing: the snake goes on to the right.
  TicksToStep();
  const long long x0 = State("HeadX");
  KeyDown(key::Left);
  EXPECT_EQ(TicksToStep(), 6);
  EXPECT_EQ(TicksToStep(), 6);
  EXPECT_EQ(State("Dir"), 1);
  EXPECT_EQ(State("HeadX"), x0 + 2);
  KeyUp(key::Left);

  // A key pressed for one frame right after a step is remembered until the next one.
  TapKey(key::Down);
  EXPECT_EQ(State("HeadY"), 5);
  TicksToStep();
  EXPECT_EQ(State("HeadY"), 6);
  EXPECT_EQ(State("Dir"), 2);
  EXPECT_EQ(At(Cells(), x0 + 2, 5), 9) << "the bend from the right turning down";

  // Pressed on the very frame of the step, a key still turns the snake there.
  ASSERT_TRUE(TickUntil([&] { return State("StepCount") == State("StepDelay"); }, 10));
  KeyDown(key::Right);
  Tick();
  KeyUp(key::Right);
  EXPECT_EQ(State("HeadX"), x0 + 3);
  EXPECT_EQ(State("Dir"), 1);
  EXPECT_EQ(At(Cells(), x0 + 2, 6), 12) << "the bend from above turning right";

  // Of two keys held the first of left, right, up, down wins, even when it is refused.
  KeyDown(key::Up);
  KeyDown(key::Left);
  TicksToStep();
  EXPECT_EQ(State("WantDir"), 3);
  EXPECT_EQ(State("Dir"), 1);
  ReleaseArrows();
  // Mouse clicks play no part.
  Click(320, 240);
  TicksToStep();
  EXPECT_EQ(State("Dir"), 1);
  EXPECT_EQ(State("HeadX"), x0 + 5);
}

TEST_F(SnakeTest, RunningIntoTheTailIsACrash) {
  EatUntil(1);
  // One step more, so the snake of four cells lies behind the head.
  const int first = ChooseDir(Goal::Wander);
  Hold(first);
  TicksToStep();
  // Three quarter turns the same way bring the head onto the tail cell: the tail would move
  // away on that step, but the head arrives first.
  const int dir = static_cast<int>(State("Dir"));
  const long long hx = State("HeadX"), hy = State("HeadY");
  int turn = 0;
  for (int t : {1, 3}) {
    bool room = true;
    int x = static_cast<int>(hx), y = static_cast<int>(hy), d = dir;
    for (int i = 0; i < 2; ++i) {
      d = (d + t) % 4;
      x += kDX[d];
      y += kDY[d];
      room = room && x >= 0 && x < kColumns && y >= 0 && y < kRows && At(Cells(), x, y) == kEmpty;
    }
    if (room) {
      turn = t;
      break;
    }
  }
  ASSERT_NE(turn, 0) << "no room for the turns here; the seed put the snake elsewhere";
  int d = dir;
  for (int i = 0; i < 3; ++i) {
    d = (d + turn) % 4;
    Hold(d);
    TicksToStep();
  }
  EXPECT_EQ(State("Dead"), 1);
  EXPECT_EQ(State("Length"), 4);
  // The head went into the cell behind where the turns began, where the tail now is.
  EXPECT_EQ(State("TailX"), hx - kDX[dir]);
  EXPECT_EQ(State("TailY"), hy - kDY[dir]);
  EXPECT_EQ(State("HeadX"), hx + kDX[(dir + turn) % 4] + kDX[(dir + 2 * turn) % 4]);
  ReleaseArrows();
  ASSERT_TRUE(TickUntilKiosk(100));
  EXPECT_EQ(g.GameWinnings, 0) << "one point pays nothing";
}

struct BadAppleCase {
  int Points, PointsAfter, DelayBefore, DelayAfter;
};

class SnakeBadAppleTest : public SnakeTest, public ::testing::WithParamInterface<BadAppleCase> {};

TEST_P(SnakeBadAppleTest, CostsFivePointsAndGivesBackTheSpeedOfALostTenth) {
  const BadAppleCase c = GetParam();
  EatUntil(c.Points);
  EXPECT_EQ(State("StepDelay"), c.DelayBefore);
  const long long length = State("Length");
  EatOneBadApple();
  EXPECT_EQ(State("ApplesEaten"), c.PointsAfter);
  EXPECT_EQ(State("StepDelay"), c.DelayAfter);
  EXPECT_EQ(State("Length"), length) << "a bad apple neither lengthens nor shortens";
  EXPECT_EQ(State("Dead"), 0) << "running into a bad apple is eating it";
}

INSTANTIATE_TEST_SUITE_P(Points, SnakeBadAppleTest,
                         ::testing::Values(BadAppleCase{5, 0, 5, 5}, BadAppleCase{12, 7, 4, 5},
                                           BadAppleCase{15, 10, 4, 4}));

TEST_F(SnakeTest, BadApplesDropOnlyWithPointsAndNeverMoreThanFive) {
  for (int i = 0; i < 900; ++i) Steer(Goal::Wander);
  EXPECT_EQ(State("BadApples"), 0) << "none dropped with no points";
  EatUntil(1);
  bool five = false;
  for (int i = 0; i < 6000 && !(five && i > 4000); ++i) {
    Steer(Goal::Wander);
    ASSERT_EQ(State("Dead"), 0);
    const int onField = Count(Cells(), [](int c) { return c == kBadApple; });
    ASSERT_EQ(State("BadApples"), onField) << "the count is what lies on the field";
    ASSERT_LE(onField, 5);
    five = five || onField == 5;
  }
  EXPECT_TRUE(five) << "five bad apples were dropped";
}

// From the kiosk: the snake is bought, fed and crashed, and half its points are paid.
class SnakeRoadTest : public SnakeTest {
 protected:
  void SetUp() override { SceneFixture::SetUp(); }
};

TEST_F(SnakeRoadTest, BoughtAtTheKioskPlayedAndPaid) {
  EnterAndOpen(SceneId::Kiosk, 0, {{"Money", "50"}});
  BuyAtKiosk(460, 125, SceneId::Snake);
  EXPECT_EQ(g.Money, 44);
  EXPECT_EQ(g.GameStake, 6);
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  EatUntil(5);
  ReleaseArrows();
  ASSERT_TRUE(TickUntilKiosk(400));
  EXPECT_EQ(g.GameWinnings, 2);
  EXPECT_TRUE(TickUntilPaid(46)) << "the kiosk pays the prize";
}

}  // namespace
}  // namespace vepa::testing
