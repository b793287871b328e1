// Every kiosk item leads where the kiosk's item table says: each item whose scene this build
// has is offered, takes its price once and opens its scene; each of those scenes comes back to
// the kiosk with its entry, and the kiosk comments and pays by what the scene left. An item
// whose scene is not built yet is only talked about.
#include <string>
#include <vector>

#include "cards/card_layout.h"
#include "engine/text.h"
#include "hub/hub.h"
#include "lottery/ticket_layout.h"
#include "minigames/daz_layout.h"
#include "minigames/race_layout.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

constexpr int kDoor = 8, kBook = 15;

class KioskItemsTest : public SceneFixture {
 protected:
  void ClickCode(int code) {
    const auto [x, y] = PointerOn(code);
    Click(x, y);
  }

  // A kiosk with money enough for every offer and a ticket as the item needs it: the inkpot
  // fills an empty ticket, the television draws for a filled one.
  void EnterKiosk(int item) {
    const bool filled = item == 18;
    const bool ticket = item == 18 || item == 41;
    EnterAndOpen(SceneId::Kiosk, 0,
                 {{"Money", "300"},
                  {"Tickets", ticket ? "1" : "0"},
                  {"TicketsFilled", filled ? "1" : "0"},
                  {"BubbleMode", "1"}});
  }

  // Clicks the item (the book: then the sign's button), waits for the question and says yes.
  // Returns the price the offer named; -1 when no question came.
  int AcceptOffer(int item, int tabletChoice) {
    EXPECT_TRUE(TickUntil([&] { return KioskIdle(); }, 200));
    ClickCode(item);
    if (item == kBook) {
      EXPECT_TRUE(TickUntil([&] { return Hub()->TabletState == 3; }, 60));
      Tick(6);
      Click(251 + 70 * tabletChoice + 34, 70);
    }
    // The press reaches its click moment, the cashier speaks, then asks or falls silent.
    if (!TickUntil([&] { return Hub()->HubState != 0; }, 20)) return -1;
    if (!TickUntil([&] { return Hub()->HubState == 5 || Hub()->HubState == 0; }, 1200) ||
        Hub()->HubState != 5)
      return -1;
    const int price = g.SpeechRecord.Price;
    ClickCode(hub::LeftButton);
    return price;
  }
};

struct Offer {
  int Item, Choice, Scene, Arg;
};

// The items of the kiosk's own table with their scenes (the book once for each face of the
// sign); the two the kiosk writes itself (game over, leaving) are tried below.
std::vector<Offer> TableOffers() {
  std::vector<Offer> out;
  for (int item = 1; item <= 50; ++item) {
    for (int choice = 0; choice < (item == kBook ? 2 : 1); ++choice) {
      int arg = 0;
      const int scene = HubScene::TargetScene(item, choice, &arg);
      if (scene >= 0) out.push_back({item, choice, scene, arg});
    }
  }
  return out;
}

TEST_F(KioskItemsTest, EveryItemOfABuiltSceneTakesItsPriceOnceAndOpensItsScene) {
  const std::vector<Offer> offers = TableOffers();
  ASSERT_GE(offers.size(), 14u) << "the table lost items";
  int opened = 0, notBuilt = 0;
  for (const Offer& o : offers) {
    SCOPED_TRACE("item " + std::to_string(o.Item) + " scene " + std::to_string(o.Scene));
    g.NewGame();
    EnterKiosk(o.Item);
    const int money = g.Money;
    const bool built = g.GetScene(o.Scene) != nullptr;
    ASSERT_EQ(Hub()->FilterItem(o.Item), o.Item) << "the kiosk hides the item";
    const int price = AcceptOffer(o.Item, o.Choice);
    if (!built) {
      // Talked about only: no question, nothing paid, the kiosk stays.
      EXPECT_EQ(price, -1);
      Tick(100);
      EXPECT_TRUE(g.InScene(SceneId::Kiosk));
      EXPECT_EQ(g.Money, money);
      ++notBuilt;
      continue;
    }
    ASSERT_GE(price, 0) << "no question for a built scene: it fell back to \"not built\"";
    ASSERT_TRUE(TickUntil([&] { return g.SceneNumber == o.Scene; }, 400))
        << "the scene did not open; the kiosk is in state " << Hub()->HubState;
    EXPECT_EQ(g.Money, money - price) << "the price once";
    EXPECT_EQ(g.FatalError, 0);
    Tick(30);
    EXPECT_EQ(g.Money, money - price) << "nothing more is taken while the scene opens";
    if (o.Scene != SceneNo(SceneId::About) && o.Scene != SceneNo(SceneId::Journal) &&
        o.Scene != SceneNo(SceneId::SettingsBook) && o.Scene != SceneNo(SceneId::Ticket) &&
        o.Scene != SceneNo(SceneId::Draw)) {
      EXPECT_GT(price, 0) << "a game is not free";
      // The card game takes its stake once the opponents are chosen (see below).
      if (o.Scene != SceneNo(SceneId::OpponentSelection)) {
        EXPECT_EQ(g.GameStake, price) << "the game knows its stake";
      }
    }
    ++opened;
  }
  // Every scene of the table is built now.
  EXPECT_EQ(notBuilt, 0);
  EXPECT_EQ(opened + notBuilt, static_cast<int>(offers.size()));
}

TEST_F(KioskItemsTest, TheDoorLeadsToTheClosingScreenAndNoMoneyToTheStartMenu) {
  EnterKiosk(kDoor);
  const int money = g.Money;
  ASSERT_GE(AcceptOffer(kDoor, 0), 0) << "the cashier asks whether the player leaves";
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Closing); }, 600));
  EXPECT_EQ(g.Money, money);

  g.NewGame();
  EnterAndOpen(SceneId::Kiosk, 0, {{"Money", "0"}, {"Tickets", "0"}});
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::StartMenu); }, 800))
      << "no money and no tickets end the game";
  EXPECT_EQ(g.SelectedItem, hub::GameOver);
  // The start menu's Enter starts a new game in the greeting kiosk.
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  TapKey(key::Enter, 2);
  ASSERT_TRUE(TickUntilKiosk(100));
  EXPECT_EQ(Hub()->Entry, static_cast<int>(HubEntry::NewGame));
  EXPECT_EQ(g.Money, 51);
}

// --- The way back: every scene of the table is played home by its quickest way, and the
// kiosk's word and pay follow what it left.

class KioskReturnTest : public KioskItemsTest {
 protected:
  // Plays the open scene until it leaves for the kiosk (false when it does not).
  bool PlayHome(int scene) {
    switch (static_cast<SceneId>(scene)) {
      case SceneId::Darts:
        for (int dart = 0; dart < 3; ++dart) {
          if (!TickUntil([&] { return g.ClickState == 0; }, 40)) return false;
          Tick(3);
          MoveTo(170 - g.AimShakeX, 366 - g.AimShakeY);
          Press();
          Release();
          if (!TickUntil([&] { return g.ClickState == 2; }, 20)) return false;
          Tick(4);
          MoveTo(275 - g.AimShakeX, 178 - g.AimShakeY);
          Press();
          Release();
        }
        break;
      case SceneId::Aquarium:  // out through the exit box
        TapKey(key::Esc);
        Click(295, 262);
        break;
      case SceneId::Gallery:  // five shots at the wall
        for (int shot = 0; shot < 5 && g.InScene(SceneId::Gallery); ++shot) {
          if (!TickUntil([&] { return g.ClickState == 0; }, 100)) return false;
          Click(90, 200);
          Tick(12);
        }
        break;
      case SceneId::Hammer:  // the middle finger starts it; the hammer does the rest
        KeyDown(key::Digit0 + 3);
        if (!TickUntil([&] { return State("HammerState") >= 2; }, 600)) return false;
        KeyUp(key::Digit0 + 3);
        break;
      case SceneId::Ticket:
        for (int n : {1, 2, 3, 4, 5, 6}) {
          const lottery::CellPosition c = lottery::TicketCells[n - 1];
          Click(c.X - lottery::PenTipDX, c.Y + 9);
          Tick(15);
        }
        break;
      case SceneId::DazTable: {  // the third button says goodbye
        if (!TickUntil([&] { return State("TalkStep") == 1; }, 600)) return false;
        const daz::ButtonArea& a = daz::ButtonAreas[2];
        Click(a.X + a.W / 2 - daz::FingerDX, a.Y + a.H / 2 - daz::FingerDY);
        break;
      }
      case SceneId::CockroachRace:
        Tick(20);
        Click(50, race::LaneTop(1) + 20);
        break;
      case SceneId::OpponentSelection: {  // one opponent, ready, then the give-up button
        const int tx = cards::PointerTipDX, ty = cards::PointerTipDY;
        Click(cards::LabelX + cards::LabelW / 2 - tx, cards::LabelY + cards::LabelH / 2 - ty);
        Tick(5);
        Click((cards::ReadyLeft + cards::ReadyRight) / 2 - tx,
              (cards::ReadyTop + cards::ReadyBottom) / 2 - ty);
        if (!TickUntil([&] { return g.InScene(SceneId::CardGame) && g.FadeMode == 0; }, 100))
          return false;
        EXPECT_GT(g.GameStake, 0) << "the card game knows its stake";
        Click((cards::GiveUpLeft + cards::GiveUpRight) / 2, 10);
        Tick(5);
        Click(295, 260);
        break;
      }
      case SceneId::About:
        Click(50, 420);
        break;
      case SceneId::Journal:
      case SceneId::SettingsBook:
        Click(55, 435);
        break;
      default:  // the snake runs into the fence, the boxer who never punches loses, the
                // fist shows rock by itself, the draw ends by itself
        break;
    }
    return TickUntilKiosk(8000);
  }
};

TEST_F(KioskReturnTest, EachSceneComesBackWithItsEntryAndTheKioskCommentsAndPays) {
  int checked = 0, paid = 0, lost = 0;
  for (const Offer& o : TableOffers()) {
    if (!g.GetScene(o.Scene)) continue;
    ++checked;
    SCOPED_TRACE("item " + std::to_string(o.Item) + " scene " + std::to_string(o.Scene));
    g.NewGame();
    EnterKiosk(o.Item);
    ASSERT_GE(AcceptOffer(o.Item, o.Choice), 0);
    ASSERT_TRUE(TickUntil([&] { return g.SceneNumber == o.Scene && g.FadeMode == 0; }, 400));
    ASSERT_TRUE(PlayHome(o.Scene)) << "the scene did not come back";
    const bool plain = o.Scene == SceneNo(SceneId::Ticket) || o.Scene == SceneNo(SceneId::About) ||
                       o.Scene == SceneNo(SceneId::Journal) ||
                       o.Scene == SceneNo(SceneId::SettingsBook);
    HubEntry want = plain ? HubEntry::Plain : HubEntry::AfterGame;
    if (o.Scene == SceneNo(SceneId::Draw)) want = HubEntry::AfterDraw;
    EXPECT_EQ(Hub()->Entry, static_cast<int>(want));
    const int money = g.Money, winnings = g.GameWinnings, stake = g.GameStake;
    const bool leftByTheBox = g.ExitMenuState == 2;
    const int tickets = g.Tickets;
    int prizes = 0;
    for (int t = 0; t < tickets; ++t) {
      prizes += HubScene::LotteryPrize(Hub()->CountMatches(t));
    }
    if (want == HubEntry::AfterGame) {
      // The comment comes on the first kiosk tick.
      Tick();
      const std::string second = Utf8FromCp1251(g.SpeechRecord.Lines[1]);
      const std::string third = Utf8FromCp1251(g.SpeechRecord.Lines[2]);
      if (leftByTheBox) {
        EXPECT_EQ(Hub()->ResultKind, 0) << "a remark, no pay";
      } else if (winnings > stake) {
        EXPECT_EQ(Hub()->ResultKind, 2);
        EXPECT_EQ(second, "ТЫ ПОБЕДИЛ");
      } else if (winnings > 0) {
        EXPECT_EQ(Hub()->ResultKind, 1);
        EXPECT_EQ(second, "ПРИКОЛЬНО,");
      } else {
        EXPECT_EQ(Hub()->ResultKind, 0);
        EXPECT_EQ(second, "ТЫ ПРОИГРАЛ");
        EXPECT_EQ(third, "В ЭТОЙ ИГРЕ!");
      }
    }
    ASSERT_TRUE(TickUntil([&] { return KioskIdle(); }, 3000)) << "the kiosk never fell quiet";
    if (want == HubEntry::AfterGame) {
      const int pay = !leftByTheBox && winnings > 0 ? winnings : 0;
      (pay > 0 ? paid : lost)++;
      EXPECT_EQ(g.Money, std::min(MoneyCap, money + pay)) << "won " << winnings;
      EXPECT_EQ(g.GameStake, 0);
    } else if (want == HubEntry::AfterDraw) {
      EXPECT_EQ(g.Tickets, 0) << "every ticket is checked";
      EXPECT_EQ(g.Money, money + prizes);
    } else {
      EXPECT_EQ(g.Money, money) << "a plain return pays nothing";
    }
    EXPECT_EQ(MissingNames(), 0u);
  }
  EXPECT_GE(checked, 14);
  // Both sides of the kiosk's word were heard: a game paid and a game lost.
  EXPECT_GT(paid, 0);
  EXPECT_GT(lost, 0);
}

}  // namespace
}  // namespace vepa::testing
