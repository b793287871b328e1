// Daz's table and food game over the default archive: the talk at the table and its buttons,
// the food game played to its end and back through the table to the kiosk, the prize, the
// lives, Puch, the spit, the mouse, the pause and the battery.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/text.h"
#include "minigames/daz_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

using daz::ButtonAreas;
using daz::FoodState;

class DazTest : public SceneFixture {
 protected:
  // Points with the fingertip at the middle of button b and clicks.
  void ClickButton(int b) {
    const daz::ButtonArea& a = ButtonAreas[b];
    Click(a.X + a.W / 2 - daz::FingerDX, a.Y + a.H / 2 - daz::FingerDY);
  }
  FoodState& Food() { return daz::DazFood(g); }
  // Puts piece i just above Gorm's pan in its column, falling, so the next frame knocks it.
  void PieceOnThePan(int i) {
    Food().GormColumn = i;
    daz::FoodPiece& p = Food().Pieces[i];
    p.Y = static_cast<float>(daz::HitTop + daz::HitColumnDrop * i + 4);
    p.VY = 1;
  }
  // Every piece high up and rising, so nothing is knocked or lost on the next frames.
  void PiecesUpHigh() {
    for (daz::FoodPiece& p : Food().Pieces) {
      p.Y = 60;
      p.VY = -6;
    }
  }
  void StartFoodGame() {
    Enter(SceneId::DazFood);
    Food().PuchState = 3;  // Puch stays down unless the test wants him
    Food().PuchY = -20;
  }
};

// ---- The whole road --------------------------------------------------------------------------

TEST_F(DazTest, BoughtAtTheKioskPlayedToTheEndAndPaidAtTheKiosk) {
  Enter(SceneId::Kiosk, 0, {{"Money", "40"}});
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  // Daz lies in the kiosk as item 33: point the fingertip at the middle of its spot.
  long long sx = 0, sy = 0, cells = 0;
  for (int cy = 0; cy < 240; ++cy)
    for (int cx = 0; cx < 320; ++cx)
      if (g.HitMap[cy * 320 + cx] == 33) {
        sx += 2 * cx + 1;
        sy += 2 * cy + 1;
        ++cells;
      }
  ASSERT_GT(cells, 0) << "Daz is not in the kiosk's hit map";
  BuyAtKiosk(static_cast<int>(sx / cells), static_cast<int>(sy / cells), SceneId::DazTable);
  EXPECT_EQ(g.Money, 25) << "the table costs 15";
  EXPECT_EQ(g.GameStake, 15);
  const uint16_t battery = g.BatteryCharge;

  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 1; }, 40));
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::DazFood); }, 300));
  ASSERT_TRUE(TickUntil([&] { return !g.InScene(SceneId::DazFood); }, 3000)) << "the lives run out";
  ASSERT_TRUE(g.InScene(SceneId::DazTable));
  const uint16_t prize = g.GameWinnings;
  EXPECT_EQ(prize, Food().Score / 10);
  ASSERT_TRUE(TickUntilKiosk(600));
  EXPECT_LT(g.BatteryCharge, battery - 100) << "Daz's battery ran down while he was played";
  ASSERT_TRUE(TickUntil([&] { return g.Money == 25 + prize && g.FadeMode == 0; }, 600));
  EXPECT_EQ(MissingNames(), 0u);
}

// ---- The content ------------------------------------------------------------------------------

TEST_F(DazTest, EachButtonsCodeLiesUnderTheFingertipOverItsPicture) {
  Enter(SceneId::DazTable);
  for (int b = 0; b < daz::ButtonCount; ++b) {
    SCOPED_TRACE(b);
    const daz::ButtonArea& a = ButtonAreas[b];
    // The hit map is read at the pointer + (0, 20); the fingertip is at the pointer + (5, 25).
    auto codeUnderFinger = [&](int x, int y) {
      return g.HitMapAt(x - daz::FingerDX, y - daz::FingerDY, 0, daz::HitReadDY);
    };
    EXPECT_EQ(codeUnderFinger(a.X + a.W / 2, a.Y + a.H / 2), b + 1);
    EXPECT_EQ(codeUnderFinger(a.X + a.W / 2, a.Y + 4), b + 1);
    EXPECT_EQ(codeUnderFinger(a.X + a.W / 2, a.Y + a.H - 4), b + 1);
    EXPECT_EQ(codeUnderFinger(a.X - 6, a.Y + a.H / 2), 0) << "left of the picture";
  }
  EXPECT_EQ(g.HitMapAt(300, 250, 0, daz::HitReadDY), 0) << "the middle of the screen is no button";
}

TEST_F(DazTest, ThePicturesHaveTheSizesTheScenesDrawThemAt) {
  Enter(SceneId::DazFood);
  struct Size {
    const char* Name;
    int W, H, Patterns;
  };
  const Size sizes[] = {
      {"Kolbas01", daz::PieceW, daz::PieceH, daz::MaxPieces},
      {"Puch02", daz::PuchArmW, daz::PuchArmH, 1},
      {"Harka01", daz::SpitW, daz::SpitH, 1},
      {"Harka02", daz::SplashW, daz::SplashH, 3},
      {"Live01", daz::LifeW, daz::LifeH, 2},
      {"Button01", daz::PanelW, daz::PanelH, 2},
      {"Button02", daz::ArrowW, daz::ArrowH, 2},
  };
  for (const Size& s : sizes) {
    SCOPED_TRACE(s.Name);
    const Image* img = layer.FindImage(2, s.Name);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->PatternWidth, s.W);
    EXPECT_EQ(img->PatternHeight, s.H);
    EXPECT_EQ(img->PatternCount(), s.Patterns);
  }
}

// ---- The table ---------------------------------------------------------------------------------

TEST_F(DazTest, TheTableExplainsWaitsAndStartsTheGameWithTheFirstButton) {
  EnterAndOpen(SceneId::DazTable, 0, {{"GameWinnings", "9"}, {"BubbleMode", "1"}});
  EXPECT_EQ(g.GameWinnings, 0) << "a new visit starts without a prize";
  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 1; }, 40));
  EXPECT_EQ(SubtitleLine(0), "ПРИВЕТ! Я ГОРМ.");
  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 2; }, 400)) << "Puch's turn";
  EXPECT_EQ(SubtitleLine(0), "А Я ПУЧ! УРОНИШЬ -");
  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 4; }, 400)) << "waiting for a button";
  Tick(30);
  EXPECT_EQ(State("TalkStep"), 4) << "the table waits as long as the player likes";

  // The click presses the button on the press animation's second frame, once.
  ClickButton(0);
  std::vector<long long> pressed;
  for (int i = 0; i < 4; ++i) {
    Tick();
    pressed.push_back(StateArray("Pressed")[0]);
  }
  EXPECT_EQ(pressed, (std::vector<long long>{0, 0, 1, 1}));
  EXPECT_EQ(State("TalkStep"), 5);
  EXPECT_EQ(State("SecondOption"), 0);
  EXPECT_EQ(SubtitleLine(2), "КОЛБАСУ В ВОЗДУХЕ!");
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::DazFood); }, 300));
  EXPECT_EQ(g.FadeMode, 0) << "the game opens inside the table's frame";
  EXPECT_EQ(State("Pieces"), 3);
  EXPECT_EQ(State("Lives"), 3);
}

TEST_F(DazTest, TheSecondButtonCutsTheTalkShortAndPlaysWithFourPieces) {
  EnterAndOpen(SceneId::DazTable, 0, {{"BubbleMode", "1"}});
  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 1; }, 40));
  Tick(10);  // Gorm is still explaining
  ClickButton(1);
  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 5; }, 6));
  EXPECT_EQ(State("SecondOption"), 1);
  EXPECT_EQ(SubtitleLine(1), "ПОЕХАЛИ! ДЕРЖИ") << "phrase 9 replaces the explanation";
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::DazFood); }, 300));
  EXPECT_EQ(State("Pieces"), 4);
}

TEST_F(DazTest, TheThirdButtonLeavesWithTheGoodbyeAndNoPrize) {
  EnterAndOpen(SceneId::DazTable, 0, {{"GameWinnings", "20"}, {"Money", "40"}});
  ASSERT_TRUE(TickUntil([&] { return State("TalkStep") == 1; }, 40));
  ClickButton(2);
  ASSERT_TRUE(TickUntil([&] { return State("ResultMode") == 1; }, 6));
  EXPECT_EQ(State("TalkStep"), 1) << "the goodbye starts on the same frame";
  EXPECT_EQ(SubtitleLine(1), "НУ ВСЕ, ХВАТИТ.");
  ASSERT_TRUE(TickUntilKiosk(400));
  EXPECT_EQ(g.GameWinnings, 0);
  Tick(400);
  EXPECT_EQ(g.Money, 40) << "leaving pays nothing";
}

TEST_F(DazTest, AHeldArrowKeyKeepsItsButtonDown) {
  EnterAndOpen(SceneId::DazTable);
  KeyDown(key::Left);
  for (int i = 0; i < 12; ++i) {
    Tick();
    ASSERT_EQ(StateArray("Pressed")[daz::LeftArrowButton], 1) << "tick " << i;
  }
  KeyUp(key::Left);
  Tick(2);
  EXPECT_EQ(StateArray("Pressed")[daz::LeftArrowButton], 0);
  EXPECT_EQ(StateArray("Pressed")[daz::RightArrowButton], 0);
}

TEST_F(DazTest, BackFromTheGameGormSaysGoodbyeByThePrizeAndTheKioskPays) {
  for (const auto& [result, prize, line] :
       {std::tuple{1, "12", "НУ ВСЕ, ХВАТИТ."}, std::tuple{2, "50", "ТЫ ЧЕМПИОН ДАЗА!"}}) {
    SCOPED_TRACE(result);
    g.NewGame();
    Enter(SceneId::DazTable, result, {{"GameWinnings", prize}, {"Money", "10"}});
    EXPECT_EQ(g.FadeMode, 0) << "no opening transition on the way back";
    Tick();
    EXPECT_EQ(SubtitleLine(result == 1 ? 1 : 2), line);
    ASSERT_TRUE(TickUntilKiosk(400));
    const int paid = 10 + std::stoi(prize);  // (clang cannot capture a structured binding)
    ASSERT_TRUE(TickUntil([&] { return g.Money == paid; }, 600))
        << "the kiosk pays the prize the game left";
  }
}

// ---- The food game ----------------------------------------------------------------------------

TEST_F(DazTest, AGameWithoutGormMovingLosesThreePiecesToTheMouseAndEnds) {
  StartFoodGame();
  int losses = 0;
  for (int lives = 3; lives > 0; --lives) {
    ASSERT_TRUE(TickUntil([&] { return State("PlayState") == 1; }, 400));
    ++losses;
    const int lost = static_cast<int>(State("LostPiece")) - daz::FirstPiece;
    EXPECT_EQ(StateArray("PieceY")[lost], daz::FloorY);
    EXPECT_EQ(State("MouseRunX"), daz::MouseStartX - 10) << "the mouse sets off at once";
    ASSERT_TRUE(TickUntil([&] { return State("MouseStep") == 2; }, 100));
    EXPECT_EQ(StateArray("PieceGone")[lost], 1) << "it carries the piece off";
    ASSERT_TRUE(TickUntil([&] { return State("PlayState") != 1; }, 100));
    EXPECT_EQ(State("Lives"), lives - 1);
    if (lives > 1) {
      EXPECT_EQ(StateArray("PieceGone")[lost], 0) << "the piece comes back into play";
      EXPECT_EQ(StateArray("PieceY")[lost], daz::PieceStartY);
    }
  }
  EXPECT_EQ(losses, 3);
  EXPECT_EQ(State("PlayState"), 3);
  // Ten frames, counting the one the last life went on.
  for (int i = 0; i < 8; ++i) {
    Tick();
    ASSERT_TRUE(g.InScene(SceneId::DazFood)) << "frame " << i;
  }
  const uint16_t score = Food().Score;  // Gorm stood in the first column and knocked some
  Tick();
  ASSERT_TRUE(g.InScene(SceneId::DazTable));
  EXPECT_EQ(State("ResultMode"), 1);
  EXPECT_EQ(g.GameWinnings, score / 10);
}

TEST_F(DazTest, AGameWithGormFollowingThePiecesScoresAndPaysATenth) {
  StartFoodGame();
  // Gorm walks to the column of the piece that comes down lowest.
  int knocks = 0;
  long long lastScore = 0;
  for (int t = 0; t < 1500 && g.InScene(SceneId::DazFood); ++t) {
    const auto y = StateArray("PieceY"), vy = StateArray("PieceVY10");
    int target = -1;
    for (int i = 0; i < 3; ++i)
      if (vy[i] > 0 && (target < 0 || y[i] > y[target])) target = i;
    KeyUp(key::Left);
    KeyUp(key::Right);
    if (t % 2 == 0 && target >= 0) {
      const long long c = State("GormColumn");
      if (target < c) KeyDown(key::Left);
      if (target > c) KeyDown(key::Right);
    }
    Tick();
    if (!g.InScene(SceneId::DazFood)) break;
    const long long score = State("Score");
    if (score > lastScore) {
      ++knocks;
      EXPECT_EQ(State("SwingTimer"), 5) << "a knock swings the pan";
    }
    lastScore = score;
  }
  ASSERT_GT(knocks, 10) << "following the pieces keeps them up";
  const uint16_t score = Food().Score;
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::DazTable); }, 3000));
  EXPECT_EQ(g.GameWinnings, score / 10);
}

TEST_F(DazTest, ThePrizeIsATenthOfTheScoreUpToFiftyForFiveHundred) {
  for (const auto& [score, prize, result] : {std::tuple{499, 49, 1}, std::tuple{500, 50, 2},
                                             std::tuple{9, 0, 1}, std::tuple{2000, 50, 2}}) {
    SCOPED_TRACE(score);
    g.NewGame();
    StartFoodGame();
    Food().Score = static_cast<uint16_t>(score);
    PiecesUpHigh();
    ClickButton(2);
    ASSERT_TRUE(TickUntil([&] { return State("EndRequest") == 1; }, 10));
    ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::DazTable); }, 12));
    EXPECT_EQ(g.GameWinnings, prize);
    EXPECT_EQ(State("ResultMode"), result);
  }
}

TEST_F(DazTest, NewBestScoresOfFiftyAndHundredsGiveALifeUpToFifteen) {
  StartFoodGame();
  Food().Score = Food().BestScore = 49;
  PieceOnThePan(0);
  Tick();
  EXPECT_EQ(State("Score"), 50);
  EXPECT_EQ(State("Lives"), 4);

  // Spat on at 50, back up to 50: the best is still 50 and no second life comes of it.
  Food().Score = 49;
  PieceOnThePan(1);
  Tick();
  EXPECT_EQ(State("Score"), 50);
  EXPECT_EQ(State("BestScore"), 50);
  EXPECT_EQ(State("Lives"), 4);

  Food().Score = Food().BestScore = 199;
  PieceOnThePan(2);
  Tick();
  EXPECT_EQ(State("Lives"), 5);

  Food().Score = Food().BestScore = 299;
  Food().Lives = daz::MaxLives;
  PieceOnThePan(0);
  Tick();
  EXPECT_EQ(State("Score"), 300);
  EXPECT_EQ(State("Lives"), daz::MaxLives);

  Food().Score = Food().BestScore = 150;
  Food().Lives = 3;
  PieceOnThePan(0);
  Tick();
  EXPECT_EQ(State("Lives"), 3) << "151 is no milestone";

  // The score word stops at its top rather than wrapping to nothing.
  Food().Score = Food().BestScore = 0xFFFF;
  PieceOnThePan(1);
  Tick();
  EXPECT_EQ(State("Score"), 0xFFFF);
}

TEST_F(DazTest, ASpitOnGormsHeadTakesFivePointsButNotTheBestScore) {
  StartFoodGame();
  for (const auto& [before, after] : {std::pair{12, 7}, std::pair{5, 0}, std::pair{3, 0}}) {
    SCOPED_TRACE(before);
    FoodState& f = Food();
    f.GormColumn = 1;
    f.Score = static_cast<uint16_t>(before);
    f.BestScore = 30;
    PiecesUpHigh();
    f.SpitState = 1;
    f.SpitX = 330;
    f.SpitY = 205;
    f.SpitVX = 0.1f;
    f.SpitVY = 4.8f;
    Tick();
    EXPECT_EQ(State("SpitState"), 2);
    EXPECT_EQ(State("Score"), after);
    EXPECT_EQ(State("BestScore"), 30);
    EXPECT_EQ(State("HitFace"), 5);
    Tick(3);
    EXPECT_EQ(State("SpitState"), 0);
    EXPECT_EQ(State("SpitMark"), 0) << "a spit on Gorm leaves no mark on the floor";
  }
  // Gorm elsewhere: the spit falls past his column onto the floor and stays there.
  FoodState& f = Food();
  f.GormColumn = 2;
  f.Score = 12;
  PiecesUpHigh();
  f.SpitState = 1;
  f.SpitY = 205;
  f.SpitVY = 5;
  ASSERT_TRUE(TickUntil([&] { return State("SpitState") == 0; }, 60));
  EXPECT_EQ(State("Score"), 12);
  EXPECT_EQ(State("SpitMark"), 1);
}

TEST_F(DazTest, PuchHoldsAPieceOfTheFirstColumnUntilHeSinks) {
  StartFoodGame();
  FoodState& f = Food();
  f.PuchState = 2;
  f.PuchY = 90;
  f.PuchAct = 0;
  f.PuchLaugh = 0;
  f.Pieces[0].Y = 140;
  f.Pieces[0].VY = -6;  // on its way up past his hand
  Tick();
  EXPECT_GT(State("PuchLaugh"), 0) << "he laughs as he catches it";
  int heldFor = 0;
  while (State("PuchState") == 2 && heldFor < 2000) {
    ASSERT_TRUE(g.InScene(SceneId::DazFood));
    ASSERT_NEAR(Food().Pieces[0].Y, daz::HoldY, 0.5);
    const int angle = Food().Pieces[0].Angle, turned = (96 + Food().Pieces[0].Spin) & 255;
    ASSERT_TRUE(angle == 96 || angle == turned) << "held crosswise, not " << angle;
    Tick();
    ++heldFor;
  }
  ASSERT_EQ(State("PuchState"), 3) << "Puch sinks in the end";
  Tick(10);
  EXPECT_GT(Food().Pieces[0].Y, daz::HoldY + 5) << "let go, the piece falls";
}

TEST_F(DazTest, ArrowPressesDuringThePauseAreQueuedUpToThreeAndCarriedOutAfter) {
  StartFoodGame();
  TapKey('P');
  Tick();
  ASSERT_EQ(State("PauseState"), 2);
  const auto frozen = StateArray("PieceY");
  for (int i = 0; i < 4; ++i) {
    TapKey(key::Right);
    Tick();
  }
  EXPECT_EQ(State("RightQueue"), 3) << "a fourth press is not queued";
  EXPECT_EQ(State("GormColumn"), 0);
  EXPECT_EQ(StateArray("PieceY"), frozen) << "the pause freezes the pieces";
  EXPECT_EQ(State("PauseSize"), daz::PauseMaxSize);

  // A left press forgets the moves to the right.
  TapKey(key::Left);
  EXPECT_EQ(State("RightQueue"), 0);
  EXPECT_EQ(State("LeftQueue"), 1);
  Tick();
  for (int i = 0; i < 3; ++i) {
    TapKey(key::Right);
    Tick();
  }
  TapKey('P');
  Tick();
  ASSERT_EQ(State("PauseState"), 0);
  ASSERT_TRUE(TickUntil([&] { return State("RightQueue") == 0; }, 12));
  Tick(2);
  EXPECT_EQ(State("GormColumn"), 3) << "the queued presses walk Gorm over";
  EXPECT_EQ(State("LeftQueue"), 0) << "the left press was dropped by the right ones";
  Tick(6);
  EXPECT_EQ(State("PauseSize"), 0);
}

TEST_F(DazTest, AnArrowButtonClickMovesGormOneColumnAFrameLater) {
  StartFoodGame();
  ClickButton(daz::RightArrowButton);
  Tick(3);  // the press animation reaches its second frame
  EXPECT_EQ(State("GormColumn"), 0);
  ASSERT_EQ(StateArray("Pressed")[daz::RightArrowButton], 1);
  Tick();
  EXPECT_EQ(State("GormColumn"), 1);
  Tick(4);
  EXPECT_EQ(State("GormColumn"), 1) << "one click, one column";
  ClickButton(daz::LeftArrowButton);
  Tick(4);
  EXPECT_EQ(State("GormColumn"), 0);
  ClickButton(daz::LeftArrowButton);
  Tick(4);
  EXPECT_EQ(State("GormColumn"), 0) << "the first column is the end";
}

TEST_F(DazTest, EscSendsTheMouseHomeAtOnce) {
  StartFoodGame();
  ASSERT_TRUE(TickUntil([&] { return State("PlayState") == 1; }, 400));
  KeyDown(key::Esc);
  Tick();
  KeyUp(key::Esc);
  EXPECT_EQ(State("PlayState"), 0);
  EXPECT_EQ(State("Lives"), 2);
  for (int y : StateArray("PieceY")) EXPECT_LE(y, daz::HitTop);
}

TEST_F(DazTest, TheBatteryRunsDownAtTheTableAndInTheGameButNotBelowEmpty) {
  Enter(SceneId::DazTable, 0, {{"BatteryCharge", "30"}});
  Tick(10);
  EXPECT_EQ(g.BatteryCharge, 20);
  g.LoadScene(SceneId::DazFood);
  Tick(10);
  EXPECT_EQ(g.BatteryCharge, 10);
  Tick(20);
  EXPECT_EQ(g.BatteryCharge, 0);
  EXPECT_TRUE(g.InScene(SceneId::DazFood)) << "an empty battery does not stop the game";
}

}  // namespace
}  // namespace vepa::testing
