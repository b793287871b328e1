// The conversation with the cashier: offers, answer buttons, Enter and Esc, the automatic
// answer, payment, items that lead nowhere or to scenes not in this build, leaving the game,
// game over, the right click, the choice sign and the pointer's press animation.
#include <gtest/gtest.h>

#include "tests/hub_fixture.h"

namespace vepa::testing {
namespace {

constexpr int kTicketItem = 36;
constexpr int kTicketOffer = 19;

class HubDialogueTest : public HubFixture {
 protected:
  // A new game in the kiosk, whose ticket stack offers a ticket of this kind for 3.
  void EnterWithATicketOffer(int kind = 2) {
    SetPhrase(kTicketOffer, kind, 3);
    Enter();
  }
  // The same, and a click on the ticket stack.
  void OfferATicket(int kind = 2) {
    EnterWithATicketOffer(kind);
    ClickItem(kTicketItem);
  }
  // The door handle's question is one of kiosk phrases 2 to 4, of these kinds, at `price`; the
  // goodbye after it is phrase 5 to 7 of the same variant, of kind 7, at `goodbyePrice`.
  void SetLeavePhrases(std::array<int, 3> kinds, int price = 0, int goodbyePrice = 0) {
    for (int v = 0; v < 3; ++v) {
      SetPhrase(2 + v, kinds[v], price);
      SetPhrase(5 + v, 7, goodbyePrice);
    }
  }
};

TEST_F(HubDialogueTest, BuyingATicketPaysItsPriceAndAddsATicket) {
  OfferATicket();
  Tick(2);  // the press, then the click moment
  EXPECT_EQ(hub->HubState, 3);
  EXPECT_EQ(Said(), "KIB 19");
  EXPECT_EQ(g.SelectedItem, kTicketItem);

  ASSERT_TRUE(WaitForButtons());
  EXPECT_EQ(hub->ButtonAlpha, 256);
  EXPECT_EQ(hub->ButtonCaptionLeft, Cp1251("ХОЧУ"));
  EXPECT_EQ(hub->ButtonCaptionRight, Cp1251("НЕ ХОЧУ"));
  EXPECT_EQ(g.Money, 51) << "nothing is paid before the answer";

  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 8; }));
  EXPECT_EQ(Said(), "PLY 3") << "the player's 'want' reply";
  EXPECT_EQ(hub->PlayerSpeaking, 1);
  EXPECT_EQ(g.SpeechRecord.Kind, 2) << "the reply keeps the offer's kind and price";
  EXPECT_EQ(g.SpeechRecord.Price, 3);

  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Money, 48);
  EXPECT_EQ(g.Tickets, 1);
  EXPECT_EQ(g.FadeMode, 0) << "a ticket is bought without leaving the kiosk";
}

TEST_F(HubDialogueTest, TheRightButtonSaysNoAndPaysNothing) {
  OfferATicket();
  ASSERT_TRUE(WaitForButtons());
  ClickButton(1);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 8; }));
  EXPECT_EQ(Said(), "PLY 4");
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Money, 51);
  EXPECT_EQ(g.Tickets, 0);
}

TEST_F(HubDialogueTest, WithFiveTicketsTheStackIsGoneAndAClickDoesNothing) {
  EnterWithATicketOffer();
  g.Tickets = 5;
  ClickItem(kTicketItem);
  Tick(4);
  EXPECT_EQ(hub->HubState, 0);
  EXPECT_EQ(g.SelectedItem, 0);
  EXPECT_NE(Said(), "KIB 19");
  // Nothing of the stack is drawn at its place.
  for (uint16_t c : kStackColor) EXPECT_NE(Pixel(462, 367), c);

  // With four the stack shows its last ticket and can be bought from.
  g.Tickets = 4;
  Tick(4);
  EXPECT_EQ(Pixel(462, 367), kStackColor[0]);
  ClickItem(kTicketItem);
  Tick(2);
  EXPECT_EQ(hub->HubState, 3);
  g.Tickets = 0;
  Tick();
  EXPECT_EQ(Pixel(462, 367), kStackColor[4]) << "no tickets held: the full stack";
}

TEST_F(HubDialogueTest, TooLittleMoneyGivesThePlayersRefusalAndPaysNothing) {
  SetPhrase(kTicketOffer, 2, 3);
  SetPhrase(1, 3, 5);  // darts, a 'play' question
  Enter();
  g.Money = 2;
  ClickItem(kTicketItem);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 8; }));
  EXPECT_EQ(Said(), "PLY 16") << "after a 'want' question";
  EXPECT_EQ(hub->Answer, 1);
  EXPECT_EQ(hub->ButtonAlpha, 0) << "no buttons were shown";
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Money, 2);
  EXPECT_EQ(g.Tickets, 0);

  Tick(6);  // let the hand rest
  g.Money = 4;
  ClickItem(5);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 8; }));
  EXPECT_EQ(Said(), "PLY 15") << "after any other question";
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Money, 4);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
}

TEST_F(HubDialogueTest, ExactlyEnoughMoneyIsEnough) {
  EnterWithATicketOffer(7);
  g.Money = 3;
  ClickItem(kTicketItem);
  ASSERT_TRUE(TickUntil([&] { return g.Tickets == 1; }));
  EXPECT_EQ(g.Money, 0);
}

TEST_F(HubDialogueTest, AutoAnswerAcceptsWithTheLeftReplyWithoutButtons) {
  EnterWithATicketOffer(1);
  g.AutoAnswer = 1;
  ClickItem(kTicketItem);
  bool sawButtons = false;
  ASSERT_TRUE(TickUntil([&] {
    sawButtons |= hub->HubState >= 4 && hub->HubState <= 6;
    return hub->HubState == 8;
  }));
  EXPECT_FALSE(sawButtons);
  EXPECT_EQ(Said(), "PLY 1") << "the 'yes' of a kind-1 question";
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Tickets, 1);
  EXPECT_EQ(g.Money, 48);
}

TEST_F(HubDialogueTest, AutoAnswerToALeaveQuestionLeavesTheGame) {
  SetLeavePhrases({4, 5, 6});
  Enter();
  g.AutoAnswer = 1;
  ClickItem(hub::DoorHandle);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 8; }));
  // Kinds 4, 5, 6 answer with ply 7, 8, 9.
  EXPECT_EQ(Said(), "PLY " + std::to_string(hub->PhraseVariant + 7));
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Closing); }, 300));
}

TEST_F(HubDialogueTest, AKindSevenOfferIsPaidWithoutButtons) {
  OfferATicket(7);
  bool sawButtons = false, sawReply = false;
  ASSERT_TRUE(TickUntil([&] {
    sawButtons |= hub->HubState >= 4 && hub->HubState <= 8;
    sawReply |= hub->PlayerSpeaking == 1;
    return g.Tickets == 1;
  }));
  EXPECT_FALSE(sawButtons);
  EXPECT_FALSE(sawReply);
  EXPECT_EQ(g.Money, 48);
  EXPECT_EQ(hub->HubState, 0);
}

TEST_F(HubDialogueTest, AnAcceptedGameIsPaidAndOpensItsSceneWithTheStake) {
  SetPhrase(1, 3, 5);  // darts
  Enter();
  ClickItem(5);
  ASSERT_TRUE(WaitForButtons());
  EXPECT_EQ(hub->ButtonCaptionLeft, Cp1251("ИГРАЮ"));
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 9 && g.FadeMode == 1; }));
  EXPECT_EQ(g.Money, 46) << "paid before the scene opens";
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Darts); }, 20));
  EXPECT_EQ(g.SpeechRecord.Price, 5) << "the price stays for the scene's stake";
}

// Every item of the kiosk leads to a scene of the catalogue that is built, so no accepted
// offer can fall back to talking only.
TEST_F(HubDialogueTest, EveryItemLeadsToABuiltSceneOfTheCatalogue) {
  int leading = 0;
  for (int item = 1; item <= hub::LeaveGame; ++item) {
    for (int choice : {0, 1}) {
      const int scene = HubScene::TargetScene(item, choice);
      if (scene < 0) continue;
      ++leading;
      const SceneInfo* info = FindScene(scene);
      ASSERT_NE(info, nullptr) << "item " << item << " leads to scene " << scene;
      EXPECT_TRUE(info->Built()) << info->Name;
      EXPECT_NE(g.GetScene(scene), nullptr) << info->Name;
    }
  }
  EXPECT_GE(leading, 2 * 14) << "the items that open scenes, counted for both sign choices";
}

TEST_F(HubDialogueTest, AnAcceptedItemThatLeadsNowhereReturnsToTheIdleKiosk) {
  SetPhrase(43, 1, 2);  // the lamp, wrongly asking and charging
  Enter();
  ClickItem(4);
  Tick(2);
  EXPECT_EQ(hub->LampFlicker, 5) << "the lamp flickers as the cashier speaks";
  ASSERT_TRUE(WaitForButtons());
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0 && hub->PlayerSpeaking == 1; }));
  Tick(10);
  EXPECT_EQ(g.Money, 49);
  EXPECT_EQ(g.FadeMode, 0) << "the screen is never left covered";
  EXPECT_EQ(hub->HubState, 0);
}

TEST_F(HubDialogueTest, TheTipJarTakesItsPriceAndNothingElseHappens) {
  SetPhrase(38, 1, 1);
  Enter();
  ClickItem(22);
  ASSERT_TRUE(WaitForButtons());
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return g.Money == 50; }));
  EXPECT_EQ(hub->HubState, 0);
  EXPECT_EQ(g.FadeMode, 0);
}

TEST_F(HubDialogueTest, TheBatteryIsSoldOnlyWhenEmptyAndCharged) {
  SetPhrase(80, 2, 30);
  Enter();
  ClickItem(35);
  Tick(7);
  EXPECT_EQ(hub->HubState, 0) << "a charged battery is not for sale";
  g.BatteryCharge = 0;
  ClickItem(35);
  ASSERT_TRUE(WaitForButtons());
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return g.BatteryCharge == FullBattery; }));
  EXPECT_EQ(g.Money, 21);
}

TEST_F(HubDialogueTest, LeavingTheGameAsksThenSaysGoodbyeAndOpensTheClosingScreen) {
  SetLeavePhrases({4, 5, 6});
  Enter();
  ClickItem(hub::DoorHandle);
  Tick(2);
  const int variant = hub->PhraseVariant;
  EXPECT_EQ(Said(), "KIB " + std::to_string(2 + variant));
  ASSERT_TRUE(WaitForButtons());
  EXPECT_EQ(hub->ButtonCaptionLeft, Cp1251("УХОЖУ"));
  EXPECT_EQ(hub->ButtonCaptionRight, Cp1251("ОСТАЮСЬ"));
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return g.SelectedItem == hub::LeaveGame; }));
  Tick();
  EXPECT_EQ(Said(), "KIB " + std::to_string(5 + variant)) << "the goodbye of the same variant";
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Closing); }, 200));
  EXPECT_EQ(g.Money, 51);
}

TEST_F(HubDialogueTest, StayingAnswersWithPlyTen) {
  SetLeavePhrases({4, 4, 4});
  Enter();
  ClickItem(hub::DoorHandle);
  ASSERT_TRUE(WaitForButtons());
  ClickButton(1);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 8; }));
  EXPECT_EQ(Said(), "PLY 10");
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
}

TEST_F(HubDialogueTest, PricesOnBothLeavePhrasesAreTakenTwice) {
  SetLeavePhrases({4, 4, 4}, 2, 3);
  Enter();
  ClickItem(hub::DoorHandle);
  ASSERT_TRUE(WaitForButtons());
  ClickButton(0);
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 1; }, 300));
  EXPECT_EQ(g.Money, 51 - 2 - 3);
}

TEST_F(HubDialogueTest, GameOverWithNoMoneyAndNoTicketsOpensTheStartMenu) {
  SetPhrase(44, 0, 0);
  Enter();
  g.Money = 0;
  g.Tickets = 0;
  Tick();
  EXPECT_EQ(hub->HubState, 17);
  EXPECT_EQ(Said(), "KIB 44");
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::StartMenu); }, 120));
  EXPECT_EQ(g.Money, 0);
}

TEST_F(HubDialogueTest, AGameOverPhraseWithAPriceCannotMakeTheMoneyWrap) {
  SetPhrase(44, 0, 5);
  Enter();
  g.Money = 0;
  g.Tickets = 0;
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 1; }, 120));
  EXPECT_EQ(g.Money, 0);
}

TEST_F(HubDialogueTest, OneTicketLeftKeepsTheGameGoing) {
  Enter();
  g.Money = 0;
  g.Tickets = 1;
  Tick(5);
  EXPECT_EQ(hub->HubState, 0);
}

TEST_F(HubDialogueTest, ARightClickInTheIdleKioskMakesTheCashierTalk) {
  Enter();
  PointAt(5, 455);  // over nothing
  PressRight();
  Tick();
  EXPECT_EQ(Said(), "KIB 95");
  EXPECT_EQ(hub->HubState, 3);
  EXPECT_EQ(g.SelectedItem, 14);
  EXPECT_EQ(g.ClickState, 0);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Money, 51);
}

TEST_F(HubDialogueTest, RightClicksDuringAConversationAreDropped) {
  OfferATicket();
  Tick(8);
  ASSERT_EQ(hub->HubState, 3);
  PressRight();
  EXPECT_EQ(g.ClickState, 3);
  Tick();
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(Said(), "KIB 19");
}

TEST_F(HubDialogueTest, APressWhileTheHandIsStillMovingIsIgnored) {
  EnterWithATicketOffer();
  PointAt(5, 455);
  PressLeft();
  std::vector<int> frames;
  for (int i = 0; i < 5; ++i) {
    Tick();
    frames.push_back(g.HandFrame);
    if (i == 1 || i == 3) {
      // A second press on the ticket stack while the hand still moves.
      const int clickState = g.ClickState, handFrame = g.HandFrame;
      PointAtItem(kTicketItem);
      PressLeft();
      EXPECT_EQ(g.ClickState, clickState);
      EXPECT_EQ(g.HandFrame, handFrame);
    }
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 2, 1, 0}));
  Tick(3);
  EXPECT_EQ(hub->HubState, 0) << "the ignored presses started nothing";
  // Once the hand rests a press counts again.
  PressLeft();
  Tick(2);
  EXPECT_EQ(hub->HubState, 3);
}

TEST_F(HubDialogueTest, EscCutsTheCashierShortAndTheConversationMovesOn) {
  OfferATicket();
  Tick(4);
  ASSERT_EQ(hub->HubState, 3);
  ASSERT_GT(g.SpeechCountdown, 40);
  Key(key::Esc, true);
  Tick();
  EXPECT_EQ(g.SpeechCountdown, 0) << "silenced at once";
  Key(key::Esc, false);
  Tick();
  EXPECT_EQ(hub->HubState, 4) << "the buttons come as if the phrase had ended";
  // Esc while the buttons are still fading in does not answer.
  Key(key::Esc, true);
  Tick();
  EXPECT_EQ(hub->HubState, 4);
  Key(key::Esc, false);
  ASSERT_TRUE(WaitForButtons());
  // Esc on the shown buttons is the right answer.
  TapKey(key::Esc);
  EXPECT_EQ(hub->HubState, 6);
  EXPECT_EQ(hub->Answer, 1);
}

TEST_F(HubDialogueTest, EnterCutsTheCashierShortAndMeansYes) {
  OfferATicket();
  Tick(4);
  Key(key::Enter, true);  // held down through the whole question
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 6; }, 10));
  EXPECT_EQ(hub->Answer, 0);
  Key(key::Enter, false);
  ASSERT_TRUE(TickUntil([&] { return g.Tickets == 1; }));
}

TEST_F(HubDialogueTest, EnterOverridesAClickOnTheRightButtonInTheSameFrame) {
  OfferATicket();
  ASSERT_TRUE(WaitForButtons());
  ClickButton(1);
  Tick();              // the press
  TapKey(key::Enter);  // the click moment and Enter together
  EXPECT_EQ(hub->HubState, 6);
  EXPECT_EQ(hub->Answer, 0);
}

TEST_F(HubDialogueTest, ButtonCaptionsGrowAsTheButtonsBrighten) {
  OfferATicket(1);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 4; }));
  std::vector<int> alphas;
  while (hub->HubState == 4) {
    Tick();
    alphas.push_back(hub->ButtonAlpha);
  }
  EXPECT_EQ(alphas, (std::vector<int>{50, 100, 150, 200, 250, 256}));
  EXPECT_EQ(hub->ButtonCaptionLeft, Cp1251("ДА"));
  EXPECT_EQ(hub->ButtonCaptionRight, Cp1251("НЕТ"));
  ClickButton(0);
  std::vector<int> fading;
  ASSERT_TRUE(TickUntil([&] {
    if (hub->HubState == 6) fading.push_back(hub->ButtonAlpha);
    return hub->HubState == 7 || hub->HubState == 8;
  }));
  ASSERT_FALSE(fading.empty());
  EXPECT_EQ(fading.front(), 256);
  EXPECT_LE(fading.back(), 0);
}

TEST_F(HubDialogueTest, ClickingAButtonWhileTheyFadeInCounts) {
  OfferATicket();
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 4; }));
  ClickButton(0);
  Tick(2);
  EXPECT_EQ(hub->HubState, 6);
  EXPECT_EQ(hub->Answer, 0);
}

TEST_F(HubDialogueTest, TheGreetingAfterANewGameAsksNothing) {
  SetPhrase(8, 0, 0);
  Enter(HubEntry::NewGame);
  EXPECT_EQ(Said(), "KIB 8");
  EXPECT_EQ(hub->HubState, 3);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 0; }));
  EXPECT_EQ(g.Money, 51);
}

TEST_F(HubDialogueTest, TheLookupBeyondTheMapsRowsAndColumnsFindsNothing) {
  Enter();
  // The map's corner cells carry code 5, but the fingertip there lies past the map.
  PointAt(630, 478 + 25);
  Tick();
  EXPECT_EQ(g.SelectedItem, 0);
  g.MouseMove(639, 479);
  Tick();
  EXPECT_EQ(g.SelectedItem, 0);
  // Inside the map the same cells are found.
  g.MouseMove(610 - 5, 472 - 25);
  Tick();
  EXPECT_EQ(g.SelectedItem, 5);
}

TEST_F(HubDialogueTest, CodesThatAreNoItemStartNothing) {
  Enter();
  for (int code : {1, 3, 9, 12, 50}) {
    ClickItem(code);
    Tick(7);
    EXPECT_EQ(hub->HubState, 0) << code;
  }
  // Code 31 is a second way to rock-paper-scissors.
  SetPhrase(42, 0, 0);
  WriteArchive();
  ClickItem(31);
  Tick(2);
  EXPECT_EQ(g.SelectedItem, 43);
  EXPECT_EQ(Said(), "KIB 42");
}

TEST_F(HubDialogueTest, TheTelevisionAndTheInkpotChooseTheirPhraseByTheTickets) {
  Enter();
  // Clicks each item in turn and checks the phrase it gets, cut short with Esc.
  auto expectSaid = [&](std::initializer_list<std::pair<int, const char*>> items) {
    for (const auto& [item, phrase] : items) {
      ClickItem(item);
      Tick(2);
      EXPECT_EQ(Said(), phrase) << "item " << item;
      Key(key::Esc, true);  // cut it short and wait for the idle kiosk
      TickUntil([&] { return hub->HubState == 0 && g.HandFrame == 0 && g.ClickState == 0; });
      Key(key::Esc, false);
      Tick();
    }
  };
  expectSaid({{hub::Television, "KIB 14"}, {hub::Inkpot, "KIB 18"}});
  g.Tickets = 2;
  expectSaid({{hub::Television, "KIB 15"}, {hub::Inkpot, "KIB 16"}, {hub::TicketStack, "KIB 19"}});
  g.TicketsFilled = 1;
  expectSaid({{hub::Television, "KIB 13"},
              {hub::Inkpot, "KIB 17"},
              {hub::TicketStack, "KIB 20"},
              {hub::Daz, "KIB 75"}});
  g.BatteryCharge = 0;
  expectSaid({{hub::Daz, "KIB 81"}, {hub::Bread, "KIB 89"}, {hub::Houses, "KIB 94"}});
}

// --- The choice sign of the book.

class HubSignTest : public HubFixture {
 protected:
  void SignDown() {
    Enter();
    ClickItem(15);
    Tick(2);
    ASSERT_EQ(hub->HubState, 1);
    ASSERT_TRUE(TickUntil([&] { return hub->TabletState == 3; }, 30));
    ASSERT_EQ(hub->TabletDrop, 90);
    Tick(6);  // the hand at rest
  }
  // A click on sign button i (fingertip at the button's middle).
  void ClickSignButton(int i) {
    g.MouseMove(251 + 70 * i + 34, 90 - 20);
    PressLeft();
  }
};

TEST_F(HubSignTest, TheSignComesDownAndAButtonChoosesTheBook) {
  SetPhrase(25, 1, 0);
  SignDown();
  ClickSignButton(1);
  Tick(2);
  EXPECT_EQ(hub->TabletChoice, 1);
  EXPECT_EQ(hub->TabletState, 4);
  ASSERT_TRUE(TickUntil([&] { return Said() == "KIB 25"; }, 3));
  EXPECT_EQ(hub->HubState, 3);
  ASSERT_TRUE(TickUntil([&] { return hub->TabletState == 0; }, 20));
  EXPECT_EQ(hub->TabletDrop, 0);
}

TEST_F(HubSignTest, TheChosenBookIsOfferedWithTheAnswerButtons) {
  ASSERT_NE(g.GetScene(SceneNo(SceneId::Journal)), nullptr);
  SetPhrase(25, 1, 0);
  SignDown();
  ClickSignButton(0);
  ASSERT_TRUE(TickUntil([&] { return Said() == "KIB 25"; }, 10));
  EXPECT_EQ(hub->TabletChoice, 0);
  ASSERT_TRUE(TickUntil([&] { return hub->HubState == 5; }));
  EXPECT_EQ(hub->ButtonAlpha, 256);
}

TEST_F(HubSignTest, AClickBesideTheButtonsHighUpDoesNothing) {
  SignDown();
  g.MouseMove(150, 100);
  PressLeft();
  Tick(8);
  EXPECT_EQ(hub->TabletState, 3);
  EXPECT_EQ(hub->HubState, 1);
}

TEST_F(HubSignTest, AClickBelowTheSignCancelsIt) {
  SignDown();
  g.MouseMove(300, 121);
  PressLeft();
  Tick();
  EXPECT_EQ(hub->TabletState, 5);
  EXPECT_EQ(g.ClickState, 0);
  Tick();
  EXPECT_EQ(hub->HubState, 0);
  ASSERT_TRUE(TickUntil([&] { return hub->TabletState == 0; }, 20));
}

TEST_F(HubSignTest, EscAndTheRightButtonCancelTheSign) {
  SignDown();
  TapKey(key::Esc);
  EXPECT_EQ(hub->TabletState, 5);
  ASSERT_TRUE(TickUntil([&] { return hub->TabletState == 0 && hub->HubState == 0; }, 20));
  Tick(3);

  ClickItem(15);
  ASSERT_TRUE(TickUntil([&] { return hub->TabletState == 3; }, 30));
  PressRight();
  Tick();
  EXPECT_EQ(hub->TabletState, 5);
}

}  // namespace
}  // namespace vepa::testing
