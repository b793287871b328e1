// The card game's road: the cards bought at the kiosk, one opponent chosen, and the game given
// up through its give-up button: back at the kiosk with the cashier's remark and no pay.
#include "cards/card_layout.h"
#include "tests/replays/roads.h"

namespace vepa::testing {
namespace {

// A click with the fingertip on (x, y), and the press played out.
void Touch(RoadPlayer& p, int x, int y) {
  p.Click(x - cards::PointerTipDX, y - cards::PointerTipDY);
  p.Tick(5);
}

VEPA_ROAD(cards, "buys the card game, chooses one opponent, then gives up") {
  p.Say("clicks the cards on the counter and says yes");
  ASSERT_TRUE(p.Buy(hub::Cards));
  ASSERT_TRUE(
      p.TickUntil([&] { return p.In(SceneId::OpponentSelection) && p.g.FadeMode == 0; }, 400));
  p.Say("chooses the first opponent by his label and is ready");
  Touch(p, cards::LabelX + cards::LabelW / 2, cards::LabelY + cards::LabelH / 2);
  Touch(p, (cards::ReadyLeft + cards::ReadyRight) / 2, (cards::ReadyTop + cards::ReadyBottom) / 2);
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::CardGame) && p.g.FadeMode == 0; }, 100));
  EXPECT_EQ(p.g.GameStake, 10);
  p.Tick(40);
  p.Say("gives up with the button at the top and says yes");
  Touch(p, (cards::GiveUpLeft + cards::GiveUpRight) / 2 + cards::PointerTipDX,
        10 + cards::PointerTipDY);
  ASSERT_EQ(p.g.ExitMenuState, 1);
  Touch(p, 295 + cards::PointerTipDX, 260 + cards::PointerTipDY);
  p.Say("back at the kiosk: the cashier's remark");
  ASSERT_TRUE(p.WaitUntilPaid());
}

}  // namespace
}  // namespace vepa::testing
