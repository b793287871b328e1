#include "cards/deck.h"

#include <algorithm>
#include <utility>

namespace vepa::cards {

FaceSprite FaceOf(int v) {
  v = std::clamp(v, 0, DeckSize - 1);
  const int suit = v % Suits, rank = v / Suits;
  // Low ranks and picture cards sit in separate pictures, red suits apart from black.
  if (rank < 5) return {suit < 2 ? "Kard01" : "Kard02", (suit % 2) * 5 + rank};
  return {suit < 2 ? "Kard03" : "Kard04", (suit % 2) * 4 + (rank - 5)};
}

void SortHand(std::span<uint8_t> cards, int count, int mode, int trump) {
  const int k = std::min<int>(count, static_cast<int>(cards.size()));
  if (k <= 0) return;
  // Every pair both ways: position i ends up holding what is below position j for i < j.
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) {
      const bool swap = mode == 0 ? TrumpValue(cards[i], trump) < TrumpValue(cards[j], trump)
                                  : cards[i] < cards[j];
      if (swap) std::swap(cards[i], cards[j]);
    }
}

void Shuffle(std::array<uint8_t, DeckSize>& stock, RandomGenerator& rng) {
  stock.fill(0);
  for (int n = 1; n <= DeckSize; ++n) {
    int r = rng.Random(DeckSize);
    while (stock[r] != 0) r = rng.Random(DeckSize);
    stock[r] = static_cast<uint8_t>(n);
  }
}

int TakeFromHand(Hand& hand, int& count, int pos, int trump) {
  if (pos < 0 || pos >= count || count > HandCapacity) return 0;
  const int card = hand[pos];
  hand[pos] = hand[count - 1];
  hand[count - 1] = 0;
  --count;
  SortHand(hand, count, 0, trump);
  return card;
}

bool AddToHand(Hand& hand, int& count, int card, int trump) {
  if (count < 0 || count >= HandCapacity || card < 1 || card > DeckSize) return false;
  hand[count] = static_cast<uint8_t>(card);
  ++count;
  SortHand(hand, count, 0, trump);
  return true;
}

int FindInHand(const Hand& hand, int count, int card) {
  for (int i = 0; i < std::min(count, HandCapacity); ++i)
    if (hand[i] == card) return i;
  return -1;
}

}  // namespace vepa::cards
