// The hammer: the start by the middle finger (cutting the instructions short), whole games
// played by a quick player and a sleepy one with their prizes (half the score, at most 25),
// the finger keys and arrows, the last pressed finger staying up, injured fingers left alone
// by the hammer and the keys, and the hammer's speed rising with the score.
#include <cstdlib>
#include <set>
#include <vector>

#include "engine/scene_ids.h"
#include "engine/sound.h"
#include "minigames/hammer_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

int DigitKey(int finger) { return key::Digit0 + 1 + finger; }

class HammerTest : public SceneFixture {
 protected:
  void EnterGame() { EnterAndOpen(SceneId::Hammer, 0, {{"Money", "40"}}); }

  // Lifts the middle finger until the hammer starts, then lets it down.
  void Start() {
    KeyDown(DigitKey(2));
    ASSERT_TRUE(TickUntil([&] { return State("HammerState") >= 2; }, 200));
    KeyUp(DigitKey(2));
    Tick();
  }

  // A quick player: whenever the hammer has a target, its finger is up. Plays until the
  // score reaches `score`; every move of the hammer is recorded with the score it began at.
  struct Move {
    long long Score, StepX100, DistanceX;
  };
  void PlayWellUntil(int score, std::vector<Move>* moves = nullptr) {
    int held = -1;
    long long lastHole = State("HoleLast"), lastPointX = State("PointX");
    for (int t = 0; t < 20000 && State("Score") < score; ++t) {
      const long long state = State("HammerState");
      const int target = static_cast<int>(State("TargetFinger"));
      if ((state == 3 || state == 4) && target != held) {
        if (held >= 0) KeyUp(DigitKey(held));
        KeyDown(DigitKey(target));
        held = target;
      }
      const long long score0 = State("Score");
      Tick();
      // It strikes from exactly its hole, at every speed.
      if (State("HammerState") == 4) {
        ASSERT_EQ(State("HammerX100"), State("PointX") * 100);
        ASSERT_EQ(State("HammerY100"), State("PointY") * 100);
      }
      if (State("HoleLast") != lastHole) {
        // One hole at a time: the hammer passes over every finger on its way.
        ASSERT_EQ(std::abs(State("HoleLast") - lastHole), 1);
        const long long pointX = State("PointX");
        if (moves) moves->push_back({score0, State("StepX100"), lastPointX - pointX});
        lastHole = State("HoleLast");
        lastPointX = pointX;
      }
      ASSERT_EQ(State("Injuries"), 0) << "the quick player was hit at score " << score0;
    }
    if (held >= 0) KeyUp(DigitKey(held));
    ASSERT_EQ(State("Score"), score);
  }

  // A sleepy player: no finger is ever lifted. Records the target of every strike and checks
  // that no injured finger is struck again; plays until the kiosk.
  void SleepUntilKiosk() {
    std::set<int> injured;
    int strikes = 0;
    long long lastState = State("HammerState");
    for (int t = 0; t < 3000 && !g.InScene(SceneId::Kiosk); ++t) {
      Tick();
      if (g.InScene(SceneId::Kiosk)) break;
      const long long state = State("HammerState");
      if (state == 4 && lastState != 4) {
        const int target = static_cast<int>(State("TargetFinger"));
        EXPECT_FALSE(injured.count(target)) << "finger " << target << " struck twice";
        ++strikes;
      }
      const std::vector<long long> now = StateArray("Injured");
      for (int i = 0; i < hammer::Fingers; ++i)
        if (now[i]) injured.insert(i);
      lastState = state;
    }
    EXPECT_EQ(injured.size(), 3u);
    EXPECT_EQ(strikes, 3);
    EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  }
};

TEST_F(HammerTest, TheGameWaitsForTheMiddleFingerWhichCutsTheInstructionsShort) {
  EnterGame();
  EXPECT_EQ(State("IntroPhrases"), 1);
  EXPECT_TRUE(IsSpeaking(g));
  // Other fingers do not start it.
  KeyDown(DigitKey(0));
  Tick(5);
  KeyUp(DigitKey(0));
  EXPECT_EQ(State("HammerState"), 1);
  KeyDown(DigitKey(2));
  Tick(2);
  EXPECT_EQ(State("HammerState"), 2);
  EXPECT_FALSE(IsSpeaking(g));
  EXPECT_EQ(State("IntroPhrases"), 1);  // the second phrase is never said
}

TEST_F(HammerTest, WithoutTheMiddleFingerBothPhrasesAreSaidAndTheHammerWaits) {
  EnterGame();
  ASSERT_TRUE(TickUntil([&] { return State("IntroPhrases") == 2; }, 400));
  ASSERT_TRUE(TickUntil([&] { return !IsSpeaking(g); }, 400));
  Tick(100);
  EXPECT_EQ(State("HammerState"), 1);
  EXPECT_EQ(State("IntroPhrases"), 2);
  KeyDown(key::Up);  // the arrow lifts the middle finger as well
  Tick(2);
  EXPECT_EQ(State("HammerState"), 2);
}

TEST_F(HammerTest, NinePointsThenThreeInjuriesPayFour) {
  EnterGame();
  Start();
  PlayWellUntil(9);
  SleepUntilKiosk();
  EXPECT_EQ(g.GameWinnings, 4);
  EXPECT_EQ(MissingNames(), 0u);
  // The kiosk announces the prize and pays it.
  EXPECT_TRUE(TickUntilPaid(44, 600)) << g.Money;
}

TEST_F(HammerTest, ASleepyPlayerIsHitThreeTimesAndWinsNothing) {
  EnterGame();
  Start();
  SleepUntilKiosk();
  EXPECT_EQ(g.GameWinnings, 0);
}

TEST_F(HammerTest, FiftyOnePointsPayTheLimitAndTheHammerSpeedsUpEveryTenPoints) {
  EnterGame();
  Start();
  std::vector<Move> moves;
  PlayWellUntil(51, &moves);
  // Each move covers the way between two holes in steps of 10%, then 15, 20, 25 and 30%.
  std::set<int> factorsSeen;
  for (const Move& m : moves) {
    const int percent = m.Score < 10   ? 10
                        : m.Score < 20 ? 15
                        : m.Score < 30 ? 20
                        : m.Score < 40 ? 25
                                       : 30;
    EXPECT_NEAR(static_cast<double>(m.StepX100), m.DistanceX * percent, 1.0) << "score " << m.Score;
    factorsSeen.insert(percent);
  }
  EXPECT_EQ(factorsSeen.size(), 5u);
  // The third injury's tick already counts on to 4; the screen starts closing at 20.
  ASSERT_TRUE(TickUntil([&] { return State("Injuries") >= 3; }, 2000));
  EXPECT_EQ(State("Injuries"), 4);
  Tick(15);
  EXPECT_EQ(g.FadeMode, 0);
  Tick();
  EXPECT_EQ(g.FadeMode, 1);
  ASSERT_TRUE(TickUntilKiosk(20));
  EXPECT_EQ(g.GameWinnings, 25);
}

TEST_F(HammerTest, EachFingerHasItsDigitAndItsArrows) {
  EnterGame();
  struct Keys {
    std::vector<int> Codes;
    int Finger;
  };
  const Keys cases[] = {
      // The middle finger last: it starts the hammer.
      {{key::Left}, 0}, {{key::Left, key::Up}, 1}, {{key::Right, key::Up}, 3}, {{key::Right}, 4},
      {{key::Up}, 2},
  };
  for (const Keys& c : cases) {
    for (int code : c.Codes) KeyDown(code);
    Tick(3);
    EXPECT_EQ(State("LiftedFinger"), c.Finger + 1) << c.Finger;
    EXPECT_EQ(StateArray("Lift")[c.Finger], 2);  // fully up after two ticks
    for (int code : c.Codes) KeyUp(code);
    Tick(3);
    EXPECT_EQ(State("LiftedFinger"), 0);
    EXPECT_EQ(StateArray("Lift")[c.Finger], 0);
    KeyDown(DigitKey(c.Finger));
    Tick();
    EXPECT_EQ(State("LiftedFinger"), c.Finger + 1);
    KeyUp(DigitKey(c.Finger));
    Tick();
  }
}

TEST_F(HammerTest, OnlyTheLastPressedFingerStaysUp) {
  EnterGame();
  KeyDown(DigitKey(0));
  Tick(3);
  KeyDown(DigitKey(1));
  Tick(3);
  EXPECT_EQ(State("LiftedFinger"), 2);
  EXPECT_EQ(StateArray("Lift")[0], 0);
  EXPECT_EQ(StateArray("Lift")[1], 2);
  // Letting go of the later key lowers it; the older key, still held, does not lift again.
  KeyUp(DigitKey(1));
  Tick(3);
  EXPECT_EQ(State("LiftedFinger"), 0);
  EXPECT_EQ(StateArray("Lift")[0], 0);
  KeyUp(DigitKey(0));
  Tick();
  KeyDown(DigitKey(0));
  Tick();
  EXPECT_EQ(State("LiftedFinger"), 1);
  KeyUp(DigitKey(0));
}

TEST_F(HammerTest, AnInjuredFingersKeyDoesNothing) {
  EnterGame();
  Start();
  ASSERT_TRUE(TickUntil([&] { return State("Injuries") == 1; }, 400));
  int hurt = -1;
  const std::vector<long long> injured = StateArray("Injured");
  for (int i = 0; i < hammer::Fingers; ++i)
    if (injured[i]) hurt = i;
  ASSERT_GE(hurt, 0);
  KeyDown(DigitKey(hurt));
  Tick(3);
  EXPECT_EQ(State("LiftedFinger"), 0);
  EXPECT_EQ(StateArray("Lift")[hurt], 0);
  EXPECT_EQ(StateArray("KeyHeld")[hurt], 0);
  KeyUp(DigitKey(hurt));
}

}  // namespace
}  // namespace vepa::testing
