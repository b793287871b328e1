// Rock-paper-scissors: a whole game for every pair of shapes with its prize and the player's
// words, the choice by the buttons (changeable until the count ends, rock without a click),
// the opponent's shape fixed at the start, the swing bounds and the timing without sound.
#include <algorithm>
#include <string>

#include "engine/scene_ids.h"
#include "engine/state.h"
#include "engine/text.h"
#include "minigames/rps_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

// A point whose fingertip (+5, +25) lies on the button of a shape.
int ButtonPointX(int shape) { return rps::ButtonX0 + rps::ButtonStep * shape + 35; }
constexpr int kButtonPointY = rps::ButtonY + 10;

class RpsTest : public SceneFixture {
 protected:
  void EnterGame() { EnterAndOpen(SceneId::RockPaperScissors, 0, {{"Money", "40"}}); }
  // Ticks until the count and the choosing have begun.
  void UntilCounting() {
    ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 1; }, 60));
  }
  void Choose(int shape) {
    Click(ButtonPointX(shape), kButtonPointY);
    Tick(4);  // the press animation reaches its click moment and ends
  }
};

TEST_F(RpsTest, EveryPairOfShapesPaysItsPrizeAndSaysItsWords) {
  struct Case {
    int Player, Opponent, Prize, Shift;
    const char* Lines[3];
  };
  const Case cases[] = {
      {rps::Rock, rps::Rock, 3, 0, {"", "ПОБЕДИЛА ДРУЖБА", ""}},
      {rps::Rock, rps::Scissors, 6, 0, {"МОЙ КАМЕНЬ", "ПОГНЕТ", "ТВОИ НОЖНИЦЫ"}},
      {rps::Rock, rps::Paper, 0, 0, {"ТЫ ОБЕРНУЛ", "МОЙ КАМЕНЬ", "СВОЕЙ БУМАГОЙ"}},
      {rps::Scissors, rps::Rock, 0, 0, {"Я СЛОМАЛ", "МОИ НОЖНИЦЫ ОБ", "ТВОЙ КАМЕНЬ"}},
      {rps::Scissors, rps::Scissors, 3, 0, {"", "ПОБЕДИЛА ДРУЖБА", ""}},
      {rps::Scissors, rps::Paper, 6, 1, {"Я ПОРЕЖУ", "ТВОЮ БУМАГУ", ""}},
      {rps::Paper, rps::Rock, 6, 0, {"Я ОБЕРНУЛ", "СВОЕЙ БУМАГОЙ", "ТВОЙ КАМЕНЬ"}},
      {rps::Paper, rps::Scissors, 0, 1, {"ТЫ ПОРЕЗАЛ", "МОЮ БУМАГУ", ""}},
      {rps::Paper, rps::Paper, 3, 0, {"", "ПОБЕДИЛА ДРУЖБА", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("player " + std::to_string(c.Player) + " opponent " + std::to_string(c.Opponent));
    g.NewGame();
    g.SpeechRecord.Price = 4;
    EnterGame();
    g.SceneBytes[2] = static_cast<uint8_t>(c.Opponent);  // the opponent's draw, made for the case
    UntilCounting();
    if (c.Player != rps::Rock) Choose(c.Player);
    ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 4; }, 600));
    EXPECT_EQ(State("PlayerShape"), c.Player);
    EXPECT_EQ(g.SpeechRecord.LineShift, c.Shift);
    EXPECT_EQ(SubtitleLine(0), "");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SubtitleLine(i + 1), c.Lines[i]) << i;
    EXPECT_EQ(SubtitleLine(4), "");
    ASSERT_TRUE(TickUntilKiosk(400));
    EXPECT_EQ(g.GameWinnings, c.Prize);
    EXPECT_EQ(g.GameStake, 4);
    EXPECT_EQ(MissingNames(), 0u);
  }
}

TEST_F(RpsTest, TheKioskPaysTheWin) {
  EnterGame();
  g.SceneBytes[2] = rps::Paper;
  UntilCounting();
  Choose(rps::Scissors);
  ASSERT_TRUE(TickUntilKiosk(600));
  EXPECT_TRUE(TickUntilPaid(46, 600)) << g.Money;
}

TEST_F(RpsTest, ARockIsThePlainFistOnEitherSide) {
  // Points inside each fist, and points the opened scissors reach but the fist does not.
  const int fistX[2] = {140, 500}, fistY = 270;
  const int fingerX[2] = {160, 455}, fingerY[2] = {230, 258};
  auto background = [&](int x, int y) { return g.layer.BackgroundSurface().At(x, y); };
  for (int shape : {rps::Rock, rps::Scissors}) {
    SCOPED_TRACE(shape == rps::Rock ? "rock" : "scissors");
    EnterGame();
    g.SceneBytes[2] = static_cast<uint8_t>(shape);
    UntilCounting();
    if (shape != rps::Rock) Choose(shape);
    ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 4; }, 600));
    Tick();
    for (int side = 0; side < 2; ++side) {
      EXPECT_NE(FramePixel(fistX[side], fistY), background(fistX[side], fistY)) << side;
      const bool open =
          FramePixel(fingerX[side], fingerY[side]) != background(fingerX[side], fingerY[side]);
      EXPECT_EQ(open, shape != rps::Rock) << side;
    }
  }
}

TEST_F(RpsTest, ThePlayerMayChangeHisMindUntilTheCountIsOver) {
  EnterGame();
  UntilCounting();
  EXPECT_EQ(State("PlayerShape"), rps::Rock);  // rock until he clicks
  Choose(rps::Scissors);
  EXPECT_EQ(State("PlayerShape"), rps::Scissors);
  Choose(rps::Paper);
  EXPECT_EQ(State("PlayerShape"), rps::Paper);
  // Beside the buttons, and far below the hit map's last row, a click changes nothing.
  Choose(rps::Paper);
  Click(120, 200);
  Tick(4);
  Click(300, 479);
  Tick(4);
  EXPECT_EQ(State("PlayerShape"), rps::Paper);
  const long long opponent = State("OpponentShape");
  ASSERT_TRUE(TickUntil([&] { return State("RpsState") >= 2; }, 600));
  Choose(rps::Rock);  // too late: the hands are already thrown
  EXPECT_EQ(State("PlayerShape"), rps::Paper);
  EXPECT_EQ(State("OpponentShape"), opponent);
}

TEST_F(RpsTest, TheOpponentDecidesAtTheStartWhateverThePlayerChooses) {
  // The same seed gives the same opponent's shape, whichever button the player then takes.
  long long first = -1;
  for (int shape : {rps::Rock, rps::Scissors, rps::Paper}) {
    g.rng.Seed = 99;
    EnterGame();
    const long long opponent = State("OpponentShape");
    if (first < 0) first = opponent;
    EXPECT_EQ(opponent, first);
    UntilCounting();
    Choose(shape);
    ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 4; }, 600));
    EXPECT_EQ(State("OpponentShape"), first);
  }
  // Over many starts every shape comes up.
  bool seen[3] = {};
  for (int i = 0; i < 30; ++i) {
    Enter(SceneId::RockPaperScissors);
    seen[State("OpponentShape")] = true;
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST_F(RpsTest, ArmsSlideInThenSwingWithinTheirBoundsAndMeetAtTheThrow) {
  Enter(SceneId::RockPaperScissors);
  EXPECT_EQ(State("ArmsOffset"), 180);
  Tick(36);
  EXPECT_EQ(State("ArmsOffset"), 0);
  EXPECT_EQ(State("RpsState"), 0);
  Tick();
  EXPECT_EQ(State("RpsState"), 1);
  EXPECT_EQ(SubtitleLine(1), "КАМЕНЬ");
  int lowLeft = 0, highLeft = -100, lowRight = 0, highRight = -100;
  while (State("RpsState") == 1) {
    lowLeft = std::min<int>(lowLeft, State("LeftAngle"));
    highLeft = std::max<int>(highLeft, State("LeftAngle"));
    lowRight = std::min<int>(lowRight, State("RightAngle"));
    highRight = std::max<int>(highRight, State("RightAngle"));
    Tick();
    ASSERT_LT(State("CountTicks"), 44);
  }
  // Each arm turns at its own bounds: the player's between -22 and -8, the opponent's lower.
  EXPECT_GE(lowLeft, -22);
  EXPECT_LE(highLeft, -8);
  EXPECT_LE(lowLeft, -16);
  EXPECT_GE(lowRight, -32);
  EXPECT_LE(highRight, -18);
  EXPECT_LE(lowRight, -26);
  ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 3; }, 30));
  EXPECT_LT(State("LeftAngle"), -19);
  EXPECT_GE(State("RightAngle"), -20);
  // The hands open on every second tick: three steps.
  ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 4; }, 8));
  EXPECT_EQ(State("LeftShape"), 3);
  EXPECT_EQ(State("RightShape"), 3);
}

class RpsSilentTest : public SceneFixture {
 protected:
  RpsSilentTest() : SceneFixture(false) {}
};

TEST_F(RpsSilentTest, WithoutSoundEveryPhraseLastsSixtyTicks) {
  Enter(SceneId::RockPaperScissors);
  ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 1; }, 60));
  int ticks = 0;
  while (State("RpsState") == 1 && ticks < 1000) {
    Tick();
    ++ticks;
  }
  // "Камень, ножницы, бумага", then "раз", "два", "три", each counted down from 60.
  EXPECT_GE(ticks, 240);
  EXPECT_LE(ticks, 244);
  ASSERT_TRUE(TickUntil([&] { return State("RpsState") == 4; }, 40));
  ticks = 0;
  while (State("RpsState") == 4 && ticks < 1000) {
    Tick();
    ++ticks;
  }
  EXPECT_GE(ticks, 60);
  EXPECT_LE(ticks, 62);
  EXPECT_TRUE(TickUntilKiosk(20));
}

}  // namespace
}  // namespace vepa::testing
