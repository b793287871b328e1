// The whole lottery road through the kiosk with the default archive: a new game, two tickets
// bought at the ticket stack, filled in with the inkpot's ticket scene, the draw on the
// television, and the kiosk's check that pays by the prize table and uses the tickets up.
//
// The road is played twice with the same seed and the same timing. The ticket scene draws no
// random numbers and every number takes the same ticks to cross, so the draw gives the same
// six numbers both times: the first run learns them, the second fills the tickets so that one
// matches three of them and the other all six, and the check must pay 20 + 1000 dollars.
#include <algorithm>
#include <set>

#include "hub/hub.h"
#include "tests/lottery_fixture.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

constexpr int kTicketPrice = 3;
constexpr int kStartMoney = 51;
// Dollars for 0..6 matched numbers.
constexpr int kPrize[7] = {0, 1, 5, 20, 50, 100, 1000};
// Ticks given to every number on the ticket, enough for the pen to get there and draw.
constexpr int kTicksPerNumber = 16;

struct RoadResult {
  std::array<uint8_t, 6> Drawn{};
  std::array<std::array<uint8_t, 6>, 2> Filled{};
  int MoneyBeforeCheck = 0;
  int MoneyAfterCheck = 0;
  int TicketsAfterCheck = -1;
  int FilledAfterCheck = -1;
  bool CrossesClearedBetweenTickets = false;
  bool DuplicateDropped = false;
};

class LotteryRoadTest : public SceneFixture {
 protected:
  LotteryRoadTest() : SceneFixture(false) {}
  void SetUp() override {
    SceneFixture::SetUp();
    start_ = g;
  }

  void ClickKiosk(int code) {
    const auto [x, y] = PointerOn(code);
    PressAt(x, y);
  }

  // Clicks a kiosk item, waits for the cashier's question and answers yes.
  void Accept(int item) {
    ASSERT_TRUE(TickUntil([&] { return KioskIdle(); }, 400)) << "kiosk not idle";
    ClickKiosk(item);
    ASSERT_TRUE(TickUntil([&] { return Hub()->HubState == 5; }, 300))
        << "no answer buttons for item " << item << ", kiosk state " << Hub()->HubState;
    ClickKiosk(hub::LeftButton);
  }

  // Crosses a number in a fixed number of ticks.
  void Cross(int n) {
    Click(PointX(n), PointY(n));
    Tick(kTicksPerNumber - 1);
  }

  RoadResult Play(uint32_t seed, const std::array<std::array<uint8_t, 6>, 2>& numbers) {
    RoadResult r;
    // The shared state as at start-up (the shell's counters too), so that both runs tick alike.
    static_cast<SharedState&>(g) = start_;
    g.MouseMove(0, 0);
    g.rng.Seed = seed;
    g.NewGame();
    g.BubbleMode = 1;
    g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::NewGame));
    // Two tickets from the stack.
    for (int k = 1; k <= 2; ++k) {
      Accept(hub::TicketStack);
      EXPECT_TRUE(TickUntil([&] { return g.Tickets == k; }, 200)) << "ticket " << k;
      EXPECT_EQ(g.Money, kStartMoney - kTicketPrice * k);
    }
    EXPECT_EQ(g.TicketsFilled, 0);
    // The inkpot opens the ticket scene.
    Accept(hub::Inkpot);
    EXPECT_TRUE(TickUntil([&] { return g.InScene(SceneId::Ticket); }, 200));
    if (!g.InScene(SceneId::Ticket)) return r;
    Tick(8);
    for (int t = 0; t < 2; ++t) {
      for (int i = 0; i < 6; ++i) {
        Cross(numbers[t][i]);
        if (t == 0 && i == 0) {
          // A second press on the crossed number is dropped at once.
          Cross(numbers[0][0]);
          r.DuplicateDropped = State("CrossedCount") == 1;
        }
      }
      if (t == 0) r.CrossesClearedBetweenTickets = State("CrossedCount") == 0;
    }
    EXPECT_TRUE(TickUntilKiosk(20)) << "back to the kiosk";
    EXPECT_EQ(g.TicketsFilled, 1);
    r.Filled = {g.TicketNumbers[0], g.TicketNumbers[1]};
    // The television shows the draw.
    Accept(hub::Television);
    EXPECT_TRUE(TickUntil([&] { return g.InScene(SceneId::Draw); }, 200));
    EXPECT_TRUE(TickUntilKiosk(600)) << "the draw ended";
    EXPECT_EQ(Hub()->HubState, 10) << "the check starts";
    r.Drawn = g.DrawnNumbers;
    r.MoneyBeforeCheck = g.Money;
    EXPECT_TRUE(TickUntil([&] { return Hub()->HubState == 0; }, 400)) << "the check ended";
    r.MoneyAfterCheck = g.Money;
    r.TicketsAfterCheck = g.Tickets;
    r.FilledAfterCheck = g.TicketsFilled;
    return r;
  }

 private:
  SharedState start_;
};

int Matches(const std::array<uint8_t, 6>& ticket, const std::array<uint8_t, 6>& drawn) {
  int m = 0;
  for (uint8_t n : ticket) m += std::count(drawn.begin(), drawn.end(), n) > 0 ? 1 : 0;
  return m;
}

TEST_F(LotteryRoadTest, BuyFillDrawAndCheckTwoTickets) {
  constexpr uint32_t kSeed = 20240;
  // First run: any twelve numbers, the same one on both tickets once.
  const std::array<std::array<uint8_t, 6>, 2> guess = {
      {{4, 11, 17, 23, 29, 35}, {4, 8, 13, 26, 31, 36}}};
  const RoadResult first = Play(kSeed, guess);
  ASSERT_FALSE(HasFailure());
  EXPECT_EQ(first.Filled, guess) << "every crossed number lands in TicketNumbers";
  EXPECT_TRUE(first.DuplicateDropped);
  EXPECT_TRUE(first.CrossesClearedBetweenTickets);
  const std::set<int> drawn(first.Drawn.begin(), first.Drawn.end());
  ASSERT_EQ(drawn.size(), 6u);
  EXPECT_GE(*drawn.begin(), 1);
  EXPECT_LE(*drawn.rbegin(), 36);
  const int firstPrize =
      kPrize[Matches(guess[0], first.Drawn)] + kPrize[Matches(guess[1], first.Drawn)];
  EXPECT_EQ(first.MoneyBeforeCheck, kStartMoney - 2 * kTicketPrice);
  EXPECT_EQ(first.MoneyAfterCheck, first.MoneyBeforeCheck + firstPrize);
  EXPECT_EQ(first.TicketsAfterCheck, 0) << "the check uses the tickets up";
  EXPECT_EQ(first.FilledAfterCheck, 0);

  // Second run: three of the drawn numbers on the first ticket, all six on the second.
  std::array<std::array<uint8_t, 6>, 2> winning{};
  std::vector<uint8_t> others;
  for (uint8_t n = 1; n <= 36; ++n)
    if (!drawn.count(n)) others.push_back(n);
  winning[0] = {first.Drawn[0], others[0], first.Drawn[2], others[5], first.Drawn[4], others[9]};
  winning[1] = {first.Drawn[5], first.Drawn[3], first.Drawn[1],
                first.Drawn[0], first.Drawn[4], first.Drawn[2]};
  const RoadResult second = Play(kSeed, winning);
  ASSERT_FALSE(HasFailure());
  ASSERT_EQ(second.Drawn, first.Drawn) << "same seed, same timing, same draw";
  EXPECT_EQ(second.Filled, winning);
  EXPECT_EQ(second.MoneyAfterCheck, second.MoneyBeforeCheck + kPrize[3] + kPrize[6]);
  EXPECT_EQ(second.TicketsAfterCheck, 0);
  EXPECT_EQ(second.FilledAfterCheck, 0);
}

}  // namespace
}  // namespace vepa::testing
