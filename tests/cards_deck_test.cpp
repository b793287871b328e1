// The deck of the card game: which card beats which under every trump, the ordering of a hand,
// the shuffle, taking cards from and adding them to a hand, and which picture shows each card.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "cards/deck.h"

namespace vepa::cards {
namespace {

TEST(CardsDeck, BeatsRuleOverAllPairsAndTrumps) {
  for (int trump = 0; trump < Suits; ++trump) {
    for (int a = 1; a <= DeckSize; ++a)
      for (int b = 1; b <= DeckSize; ++b) {
        const bool sameSuit = SuitOf(a) == SuitOf(b);
        const bool bTrump = SuitOf(b) == trump, aTrump = SuitOf(a) == trump;
        bool expected;
        if (sameSuit)
          expected = RankOf(b) > RankOf(a);
        else
          expected = bTrump && !aTrump;  // a plain suit never beats another plain suit
        EXPECT_EQ(Beats(b, a, trump), expected)
            << "cover " << b << " on " << a << ", trump " << trump;
        // Never both ways, and a card never beats itself.
        if (Beats(b, a, trump)) {
          EXPECT_FALSE(Beats(a, b, trump));
        }
      }
  }
  // The lowest trump beats the ace of every other suit.
  EXPECT_TRUE(Beats(3, 36, 2));   // six of clubs on the ace of spades
  EXPECT_TRUE(Beats(3, 33, 2));   // on the ace of hearts
  EXPECT_FALSE(Beats(36, 3, 2));  // but the ace of spades cannot cover the six of clubs
  // No card, or a byte out of the deck, beats nothing and is beaten by nothing.
  EXPECT_FALSE(Beats(0, 5, 0));
  EXPECT_FALSE(Beats(37, 5, 0));
  EXPECT_FALSE(Beats(5, 0, 0));
}

TEST(CardsDeck, MatchingIsByRankOnly) {
  EXPECT_TRUE(Matches(1, 4));    // the four sixes
  EXPECT_FALSE(Matches(4, 5));   // a six and a seven of neighbouring numbers
  EXPECT_TRUE(Matches(33, 36));  // aces
  EXPECT_FALSE(Matches(0, 0));   // empty places match nothing
}

TEST(CardsDeck, SortPutsTrumpsLastInModeZeroAndByNumberInModeOne) {
  Hand h{};
  h[0] = 36;
  h[1] = 3;
  h[2] = 10;
  SortHand(h, 3, 0, 2);
  EXPECT_EQ((std::vector<int>{h[0], h[1], h[2]}), (std::vector<int>{10, 36, 3}));
  SortHand(h, 3, 1, 2);
  EXPECT_EQ((std::vector<int>{h[0], h[1], h[2]}), (std::vector<int>{3, 10, 36}));
  // A count of zero or below leaves the hand alone, beyond the count nothing moves.
  h[3] = 1;
  SortHand(h, 0, 0, 2);
  SortHand(h, -4, 1, 2);
  EXPECT_EQ(h[0], 3);
  EXPECT_EQ(h[3], 1);
}

TEST(CardsDeck, SortOrdersEveryShuffledHandUnderEveryTrump) {
  RandomGenerator rng;
  rng.Seed = 99;
  for (int round = 0; round < 40; ++round) {
    std::array<uint8_t, DeckSize> deck{};
    Shuffle(deck, rng);
    const int trump = round % Suits;
    Hand h{};
    const int k = 1 + round % 20;
    std::copy_n(deck.begin(), k, h.begin());
    std::multiset<int> before(h.begin(), h.begin() + k);
    SortHand(h, k, 0, trump);
    EXPECT_EQ(before, std::multiset<int>(h.begin(), h.begin() + k));
    for (int i = 1; i < k; ++i) EXPECT_LT(TrumpValue(h[i - 1], trump), TrumpValue(h[i], trump));
  }
}

TEST(CardsDeck, ShuffleIsAPermutationAndDependsOnTheSeed) {
  RandomGenerator a, b;
  a.Seed = 1;
  b.Seed = 2;
  std::array<uint8_t, DeckSize> s1{}, s2{};
  Shuffle(s1, a);
  Shuffle(s2, b);
  std::array<uint8_t, DeckSize> sorted = s1;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < DeckSize; ++i) EXPECT_EQ(sorted[i], i + 1);
  EXPECT_NE(s1, s2);
}

TEST(CardsDeck, TakingAndAddingKeepTheHandPackedAndSorted) {
  Hand h{};
  int count = 0;
  for (int c : {20, 5, 33, 2}) ASSERT_TRUE(AddToHand(h, count, c, 0));
  EXPECT_EQ(count, 4);
  EXPECT_EQ((std::vector<int>{h[0], h[1], h[2], h[3]}),
            (std::vector<int>{2, 20, 5, 33}));  // trump hearts
  EXPECT_EQ(TakeFromHand(h, count, 1, 0), 20);
  EXPECT_EQ(count, 3);
  EXPECT_EQ((std::vector<int>{h[0], h[1], h[2], h[3]}), (std::vector<int>{2, 5, 33, 0}));
  EXPECT_EQ(FindInHand(h, count, 33), 2);
  EXPECT_EQ(FindInHand(h, count, 20), -1);
  // Positions outside the hand and cards outside the deck are refused.
  EXPECT_EQ(TakeFromHand(h, count, 3, 0), 0);
  EXPECT_EQ(TakeFromHand(h, count, -1, 0), 0);
  EXPECT_FALSE(AddToHand(h, count, 0, 0));
  EXPECT_FALSE(AddToHand(h, count, 40, 0));
  EXPECT_EQ(count, 3);
}

TEST(CardsDeck, EveryCardHasItsOwnPicture) {
  std::set<std::pair<std::string, int>> seen;
  const std::pair<const char*, int> limits[] = {
      {"Kard01", 10}, {"Kard02", 10}, {"Kard03", 8}, {"Kard04", 8}};
  for (int v = 0; v < DeckSize; ++v) {
    const FaceSprite f = FaceOf(v);
    seen.insert({f.Image, f.Pattern});
    bool inRange = false;
    for (const auto& [name, n] : limits)
      inRange = inRange || (std::string(name) == f.Image && f.Pattern < n);
    EXPECT_TRUE(inRange) << v;
  }
  EXPECT_EQ(seen.size(), 36u);
  // The queen of diamonds (card 26: suit 1, rank 6) is pattern 4 + 1 of the red picture cards.
  EXPECT_STREQ(FaceOf(25).Image, "Kard03");
  EXPECT_EQ(FaceOf(25).Pattern, 5);
}

}  // namespace
}  // namespace vepa::cards
