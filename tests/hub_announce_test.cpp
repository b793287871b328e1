// The ticket check after the draw and the result of a mini-game: which clips are spoken in
// which order, the subtitles, the prize table, the payment and its 60000 cap, and the ways to
// skip an announcement. The clips are tiny waves of distinct lengths, so the speech channel
// tells which one was loaded.
#include <gtest/gtest.h>

#include <map>

#include "tests/hub_fixture.h"

namespace vepa::testing {
namespace {

std::vector<std::string> ClipNames() {
  std::vector<std::string> names;
  for (int i = 1; i <= 9; ++i) names.push_back("rsm00" + std::to_string(i));
  for (int i = 1; i <= 9; ++i) names.push_back("rcf00" + std::to_string(i));
  for (int i = 10; i <= 20; ++i) names.push_back("rcf0" + std::to_string(i));
  for (int i = 30; i <= 90; i += 10) names.push_back("rcf0" + std::to_string(i));
  for (const char* n : {"rcf100", "rcf999", "rdl001", "rdl002", "rdl003", "kib046"})
    names.push_back(n);
  return names;
}

// Each clip is 40 + 4 i frames long, far shorter than a tick.
int ClipFrames(size_t index) { return 40 + 4 * static_cast<int>(index); }

class HubAnnounceTest : public HubFixture {
 protected:
  HubAnnounceTest() : HubFixture(true) {
    const std::vector<std::string> names = ClipNames();
    for (size_t i = 0; i < names.size(); ++i) {
      std::vector<int16_t> samples(static_cast<size_t>(ClipFrames(i)), 1000);
      extra.push_back({names[i], EncodeRiffWave(samples, 11025), true});
      byFrames_[ClipFrames(i)] = names[i];
    }
  }

  // Runs until the kiosk is idle again; returns the clips spoken on the way, in order.
  std::vector<std::string> RunAnnouncement(int limit = 200) {
    std::vector<std::string> spoken;
    Wave* speech = layer.Waves(4)->WaveItem(0);
    for (int i = 0; i < limit && hub->HubState != 0; ++i) {
      g.Tick();
      // A clip started in this tick is still playing; it ends before the next tick.
      if (speech->Buffer.Playing) {
        const int frames = static_cast<int>(speech->Buffer.FrameCount());
        auto it = byFrames_.find(frames);
        spoken.push_back(it == byFrames_.end() ? "?" : it->second);
      }
      layer.AdvanceAudio(0.05);
    }
    EXPECT_EQ(hub->HubState, 0) << "the announcement did not end";
    return spoken;
  }

  std::string Line(int i) const { return Utf8FromCp1251(g.SpeechRecord.Lines[i]); }

  std::map<int, std::string> byFrames_;
};

using Clips = std::vector<std::string>;

// --- The ticket check.

TEST_F(HubAnnounceTest, AThreeMatchTicketIsSpokenAndPaidAsWritten) {
  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {{1, 2, 3, 10, 11, 12}});
  EXPECT_EQ(hub->HubState, 10);
  Tick();    // state 10 to 11
  g.Tick();  // the ticket is compared and the first clip starts
  EXPECT_EQ(hub->HubState, 12);
  EXPECT_EQ(hub->Matches, 3);
  EXPECT_EQ(hub->Prize, 20);
  EXPECT_EQ(g.SpeechRecord.LineShift, 1);
  EXPECT_EQ(Line(0), "БИЛЕТ НОМЕР 1");
  EXPECT_EQ(Line(1), "ВЫИГРАЛ!");
  EXPECT_EQ(Line(2), "СОВПАЛО НОМЕРОВ: 3");
  EXPECT_EQ(Line(3), "ВЫИГРЫШ: 20$");
  EXPECT_EQ(Line(4), "");
  layer.AdvanceAudio(0.05);
  const Clips spoken = RunAnnouncement();
  EXPECT_EQ(spoken, (Clips{"rcf001", "rsm003", "rsm004", "rcf003", "rsm005", "rcf020", "rdl003"}));
  EXPECT_EQ(g.Money, 71);
  EXPECT_EQ(g.Tickets, 0);
  EXPECT_EQ(g.TicketsFilled, 0);
}

struct PrizeCase {
  int Matches;
  int Prize;
  Clips Tail;  // the clips after "sm005"
};

class HubPrizeTest : public HubAnnounceTest, public ::testing::WithParamInterface<PrizeCase> {};

TEST_P(HubPrizeTest, EachPrizeIsSpokenWithItsNumberAndCurrencyWord) {
  const PrizeCase& c = GetParam();
  std::array<uint8_t, 6> ticket = {20, 21, 22, 23, 24, 25};
  for (int i = 0; i < c.Matches; ++i) ticket[i] = static_cast<uint8_t>(7 + i);
  ComeBackFromTheDraw({7, 8, 9, 10, 11, 12}, {ticket});
  const Clips spoken = RunAnnouncement();
  Clips expected = {"rsm001", "rcf001", "rsm003", "rsm004", "rcf00" + std::to_string(c.Matches),
                    "rsm005"};
  expected.insert(expected.end(), c.Tail.begin(), c.Tail.end());
  EXPECT_EQ(spoken, expected);
  EXPECT_EQ(g.Money, 51 + c.Prize);
}

INSTANTIATE_TEST_SUITE_P(PrizeTable, HubPrizeTest,
                         ::testing::Values(PrizeCase{1, 1, {"rcf001", "rdl001"}},
                                           PrizeCase{2, 5, {"rcf005", "rdl003"}},
                                           PrizeCase{3, 20, {"rcf020", "rdl003"}},
                                           PrizeCase{4, 50, {"rcf050", "rdl003"}},
                                           PrizeCase{5, 100, {"rcf100", "rdl003"}},
                                           PrizeCase{6, 1000, {"rcf999", "rdl003"}}));

TEST_F(HubAnnounceTest, ALosingTicketIsAnnouncedAndUsedUp) {
  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {{1, 20, 21, 22, 23, 24}, {30, 31, 32, 33, 34, 35}});
  const Clips spoken = RunAnnouncement();
  EXPECT_EQ(spoken, (Clips{"rsm001", "rcf001", "rsm003", "rsm004", "rcf001", "rsm005", "rcf001",
                           "rdl001", "rsm001", "rcf002", "rsm002"}));
  EXPECT_EQ(Line(0), "");
  EXPECT_EQ(Line(1), "БИЛЕТ НОМЕР 2");
  EXPECT_EQ(Line(2), "ПРОИГРАЛ!");
  EXPECT_EQ(g.Money, 52);
  EXPECT_EQ(g.Tickets, 0);
}

TEST_F(HubAnnounceTest, ANumberNeverFilledInNeverWins) {
  ComeBackFromTheDraw({0, 1, 2, 3, 4, 5}, {{0, 0, 0, 0, 0, 0}});  // even a zero drawn
  RunAnnouncement();
  EXPECT_EQ(hub->Matches, 0);
  EXPECT_EQ(g.Money, 51);
  EXPECT_EQ(hub->CountMatches(0), 0);
  g.TicketNumbers[0] = {0, 0, 1, 1, 2, 0};
  EXPECT_EQ(hub->CountMatches(0), 3) << "a repeated number matches at each place";
}

TEST_F(HubAnnounceTest, MoneyStopsAt60000ButTheWinIsStillAnnounced) {
  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {{1, 2, 3, 4, 5, 6}});
  g.Money = 60000;
  const Clips spoken = RunAnnouncement();
  EXPECT_EQ(spoken.back(), "rdl003");
  EXPECT_EQ(Line(3), "ВЫИГРЫШ: 1000$");
  EXPECT_EQ(g.Money, 60000);

  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {{1, 2, 3, 20, 21, 22}});
  g.Money = 59990;
  RunAnnouncement();
  EXPECT_EQ(g.Money, 60000);
}

TEST_F(HubAnnounceTest, EscSkipsTheRestOfATicketButNotItsPayment) {
  // Tickets of 50 and of 5.
  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {{1, 2, 3, 4, 20, 21}, {1, 2, 30, 31, 32, 33}});
  Tick(3);
  Key(key::Esc, true);
  const Clips spoken = RunAnnouncement();
  Key(key::Esc, false);
  EXPECT_EQ(g.Money, 51 + 50 + 5);
  EXPECT_EQ(g.Tickets, 0);
  EXPECT_LT(spoken.size(), 8u) << "both tickets were cut short";
}

TEST_F(HubAnnounceTest, ADrawWithoutTicketsChecksNothing) {
  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {});
  const Clips spoken = RunAnnouncement();
  EXPECT_TRUE(spoken.empty());
  EXPECT_EQ(g.Tickets, 0) << "the ticket count must not run below zero";
  EXPECT_EQ(g.Money, 51);
}

// --- The result of a mini-game.

class HubResultTest : public HubAnnounceTest {
 protected:
  // Back from darts with the stake and winnings given: the clips of the announcement.
  Clips Return(int stake, int winnings, int exitMenu = 0) {
    ComeBackFromAGame(stake, winnings, exitMenu);
    return RunAnnouncement();
  }
};

TEST_F(HubResultTest, AWonGameIsPraisedAndPaid) {
  EXPECT_EQ(Return(5, 12), (Clips{"rsm006", "rsm007", "rcf012", "rdl003"}));
  EXPECT_EQ(hub->ResultKind, 2);
  EXPECT_EQ(Line(1), "ТЫ ПОБЕДИЛ");
  EXPECT_EQ(Line(2), "В ЭТОЙ ИГРЕ!");
  EXPECT_EQ(Line(3), "И ВЫИГРАЛ 12$");
  EXPECT_EQ(g.SpeechRecord.LineShift, 0);
  EXPECT_EQ(g.Money, 63);
  EXPECT_EQ(g.GameStake, 0);
  EXPECT_EQ(Return(10, 34), (Clips{"rsm006", "rsm007", "rcf030", "rcf004", "rdl002"}));
  EXPECT_EQ(g.Money, 85);
}

TEST_F(HubResultTest, WinningsEqualToThePriceAreAConsolation) {
  EXPECT_EQ(Return(5, 5), (Clips{"rsm009", "rcf005", "rdl003"}));
  EXPECT_EQ(hub->ResultKind, 1);
  EXPECT_EQ(Line(1), "ПРИКОЛЬНО,");
  EXPECT_EQ(Line(2), "МОГЛО БЫТЬ И ХУЖЕ");
  EXPECT_EQ(Line(3), "ПОЛУЧИ ЗА ЭТО 5$");
  EXPECT_EQ(g.Money, 56);
}

TEST_F(HubResultTest, ALostGameIsCommentedInOnePhraseAndPaysNothing) {
  EXPECT_EQ(Return(5, 0), (Clips{"rsm008"}));
  EXPECT_EQ(hub->ResultKind, 0);
  EXPECT_EQ(Line(1), "ТЫ ПРОИГРАЛ");
  EXPECT_EQ(g.SpeechRecord.LineShift, 1);
  EXPECT_EQ(g.Money, 51);
}

TEST_F(HubResultTest, LeavingThroughTheExitBoxPaysNothingEvenWithWinnings) {
  const Clips spoken = Return(5, 10, 2);
  EXPECT_EQ(spoken, (Clips{"kib046"}));
  EXPECT_EQ(Line(0), "KIB 46");
  EXPECT_EQ(g.Money, 51);
}

TEST_F(HubResultTest, EscOrEnterSkipToThePayment) {
  ComeBackFromAGame(5, 24);
  Key(key::Enter, true);
  const Clips spoken = RunAnnouncement();
  Key(key::Enter, false);
  EXPECT_EQ(spoken, (Clips{"rsm006"}));
  EXPECT_EQ(g.Money, 75);
}

TEST_F(HubResultTest, WinningsAreCappedAt60000) {
  ComeBackFromAGame(5, 20);
  g.Money = 59995;
  RunAnnouncement();
  EXPECT_EQ(g.Money, 60000);
}

// --- Without sound every step lasts one frame after the first clip's three seconds.

class HubSilentAnnounceTest : public HubFixture {};

TEST_F(HubSilentAnnounceTest, TheCheckRunsOnTheSpeechCountdownAlone) {
  ComeBackFromTheDraw({1, 2, 3, 4, 5, 6}, {{1, 2, 3, 10, 11, 12}});
  int ticks = 0;
  ASSERT_TRUE(TickUntil(
      [&] {
        ++ticks;
        return hub->HubState == 0;
      },
      200));
  EXPECT_EQ(g.Money, 71);
  // Two frames to compare, 60 for the first clip, then the steps one per frame.
  EXPECT_GE(ticks, 62);
  EXPECT_LE(ticks, 75);
  EXPECT_EQ(hub->HostSpeaking, 0);
}

TEST_F(HubSilentAnnounceTest, TheCashiersMouthMovesDuringAnnouncements) {
  ComeBackFromAGame(1, 3);
  Tick(2);
  EXPECT_EQ(hub->HubState, 15);
  EXPECT_EQ(hub->HostSpeaking, 1);
}

// --- How numbers are spoken.

TEST(HubNumberClips, CurrencyWordFollowsTheLastDigits) {
  for (int n : {1, 21, 31, 101, 1001}) EXPECT_EQ(HubScene::CurrencyClip(n), "dl001") << n;
  for (int n : {2, 3, 4, 22, 34, 102}) EXPECT_EQ(HubScene::CurrencyClip(n), "dl002") << n;
  for (int n : {0, 5, 11, 12, 13, 14, 20, 111, 112, 1000})
    EXPECT_EQ(HubScene::CurrencyClip(n), "dl003") << n;
}

TEST(HubNumberClips, TensAreSpokenOnlyBetween21And99) {
  EXPECT_EQ(HubScene::TensClip(20), "");
  EXPECT_EQ(HubScene::TensClip(21), "cf020");
  EXPECT_EQ(HubScene::TensClip(99), "cf090");
  EXPECT_EQ(HubScene::TensClip(100), "");
  EXPECT_EQ(HubScene::TensClip(5), "");
}

TEST(HubNumberClips, UnitsTeensHundredsAndThousands) {
  EXPECT_EQ(HubScene::UnitsClip(7, false), "cf007");
  EXPECT_EQ(HubScene::UnitsClip(15, false), "cf015");
  EXPECT_EQ(HubScene::UnitsClip(20, false), "cf020");
  EXPECT_EQ(HubScene::UnitsClip(25, false), "cf005");
  EXPECT_EQ(HubScene::UnitsClip(30, false), "");
  EXPECT_EQ(HubScene::UnitsClip(0, false), "");
  EXPECT_EQ(HubScene::UnitsClip(100, true), "cf100");
  EXPECT_EQ(HubScene::UnitsClip(1000, true), "cf999");
  EXPECT_EQ(HubScene::UnitsClip(100, false), "") << "mini-games do not say hundreds";
  EXPECT_EQ(HubScene::UnitsClip(115, false), "cf005");
}

TEST(HubNumberClips, PrizeTable) {
  const int prizes[] = {0, 1, 5, 20, 50, 100, 1000};
  for (int m = 0; m <= 6; ++m) EXPECT_EQ(HubScene::LotteryPrize(m), prizes[m]);
  EXPECT_EQ(HubScene::LotteryPrize(9), 1000);
  EXPECT_EQ(HubScene::LotteryPrize(-1), 0);
}

}  // namespace
}  // namespace vepa::testing
