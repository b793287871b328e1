// The opponent selection: the choice by the labels and portraits, "ГОТОВО", the lights that
// keep their route, and the closing into the card game.
#include <algorithm>

#include "cards/card_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

using namespace cards;

class CardsSelectionTest : public SceneFixture {
 protected:
  // Clicks with the fingertip on the middle of a picture, and waits for the press to be over.
  void Touch(int x, int y) {
    Click(x - PointerTipDX, y - PointerTipDY);
    Tick(5);
  }
  void TouchLabel(int i) { Touch(LabelX + LabelStep * i + LabelW / 2, LabelY + LabelH / 2); }
  void TouchReady() { Touch((ReadyLeft + ReadyRight) / 2, (ReadyTop + ReadyBottom) / 2); }
  // Ticks into the card game and checks the seats it dealt to and the cards left in the stock.
  void ExpectDealt(int seats, int stock) {
    ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::CardGame); }, 30));
    EXPECT_EQ(State("SeatCount"), seats);
    EXPECT_EQ(State("StockCount"), stock);
  }
  std::vector<long long> Balls(const char* field) {
    std::vector<long long> out;
    const std::string s = SceneState();
    size_t at = s.find("\"Balls\"");
    for (int i = 0; i < 5; ++i) {
      at = s.find("\"" + std::string(field) + "\":", at);
      out.push_back(JsonInt(s.substr(at), field));
      ++at;
    }
    return out;
  }
};

TEST_F(CardsSelectionTest, WithoutAClickThreeOpponentsAreDealt) {
  EnterAndOpen(SceneId::OpponentSelection, 1);
  EXPECT_EQ(State("OpponentChoice"), 2);
  TouchReady();
  EXPECT_EQ(State("SelectionDone"), 1);
  ExpectDealt(4, 12);
}

TEST_F(CardsSelectionTest, LabelsAndPortraitsChooseAndReadyEndsTheChoice) {
  EnterAndOpen(SceneId::OpponentSelection, 1);
  TouchLabel(0);
  EXPECT_EQ(State("OpponentChoice"), 0);
  TouchLabel(1);
  EXPECT_EQ(State("OpponentChoice"), 1);
  Touch(PortraitX[0] + PortraitW / 2, PortraitY[0] + PortraitH / 2);
  EXPECT_EQ(State("OpponentChoice"), 0);
  Touch(320, 400);  // the player's figure chooses nothing
  EXPECT_EQ(State("OpponentChoice"), 0);
  TouchReady();
  // Once ready, the labels no longer change the choice.
  TouchLabel(2);
  EXPECT_EQ(State("OpponentChoice"), 0);
  ExpectDealt(2, 24);
}

TEST_F(CardsSelectionTest, LightsKeepTheirRouteAndFiveAtMostRun) {
  EnterAndOpen(SceneId::OpponentSelection, 1);
  MoveTo(600, 120);
  // Within about 55 frames five lights are out, all bound for the third label.
  ASSERT_TRUE(TickUntil(
      [&] {
        const auto a = Balls("Active");
        return std::count(a.begin(), a.end(), 1) == 5;
      },
      80));
  for (long long r : Balls("Route")) EXPECT_EQ(r, 2);
  TouchLabel(0);
  // The lights already on their way finish the right-hand route; the first new one goes left.
  bool sawLeft = false;
  for (int t = 0; t < 120; ++t) {
    const auto active = Balls("Active"), route = Balls("Route"), x = Balls("X");
    EXPECT_LE(std::count(active.begin(), active.end(), 1), 5);
    for (int i = 0; i < 5; ++i) {
      if (!active[i]) continue;
      if (route[i] == 2) {
        EXPECT_GE(x[i], 319);
      }
      if (route[i] == 0) {
        EXPECT_LE(x[i], 319);
        sawLeft = true;
      }
    }
    Tick();
  }
  EXPECT_TRUE(sawLeft);
}

TEST_F(CardsSelectionTest, WithoutTheKioskSaleTheScreenStaysCovered) {
  EnterAndOpen(SceneId::OpponentSelection, 0);
  TouchReady();
  Tick(60);
  EXPECT_TRUE(g.InScene(SceneId::OpponentSelection));
  EXPECT_EQ(g.FadeMode, 1);
  EXPECT_GE(g.FadeProgress, 400);
  EXPECT_EQ(g.FatalError, 0);
}

// The whole road: the cards bought at the kiosk, one opponent chosen, the game given up, and
// back at the kiosk with nothing won.
TEST_F(CardsSelectionTest, TheKioskSellsTheGameAndTakesThePlayerBack) {
  Enter(SceneId::Kiosk, 0, {{"Money", "40"}});
  Touch(289, 399);  // the cards on the counter
  // Yes to the offer, once the cashier has made it.
  ASSERT_TRUE(TickUntil(
      [&] {
        if (g.InScene(SceneId::OpponentSelection)) return true;
        Click(260 - PointerTipDX, 445 - PointerTipDY);
        Tick(10);
        return false;
      },
      60));
  EXPECT_EQ(g.Money, 30);
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  TouchLabel(0);
  TouchReady();
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::CardGame); }, 30));
  EXPECT_EQ(State("SeatCount"), 2);
  EXPECT_EQ(g.GameStake, 10);  // the price of the offer
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  Touch((GiveUpLeft + GiveUpRight) / 2 + PointerTipDX, 10 + PointerTipDY);
  ASSERT_EQ(g.ExitMenuState, 1);
  Touch(295 + PointerTipDX, 260 + PointerTipDY);  // "ДА"
  ASSERT_TRUE(TickUntilKiosk(60));
  EXPECT_EQ(g.GameWinnings, 0);
  EXPECT_EQ(g.Money, 30);
}

}  // namespace
}  // namespace vepa::testing
