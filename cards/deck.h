// The 36-card deck of the card game: six to ace in four suits, the trump weighting, the rule
// of which card beats which, the shuffle, the deal and the ordering of a hand.
//
// A card is a byte 1..36 (0 is no card): suit = (n - 1) mod 4, rank = (n - 1) div 4 from the
// six (0) to the ace (8). Suits 0 and 1 are red (hearts, diamonds), 2 and 3 black (clubs,
// spades).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/state.h"

namespace vepa::cards {

inline constexpr int DeckSize = 36;
inline constexpr int Suits = 4;
inline constexpr int Ranks = 9;
// A hand has room for every card of the deck and more; only the first HandCount are cards.
inline constexpr int HandCapacity = 101;
inline constexpr int TableSlots = 6;
// Every trump outranks every plain card by this weight.
inline constexpr int TrumpWeight = 50;

constexpr int SuitOf(int card) { return (card - 1) % Suits; }
constexpr int RankOf(int card) { return (card - 1) / Suits; }
constexpr bool IsRed(int card) { return SuitOf(card) < 2; }

constexpr int TrumpValue(int card, int trump) {
  return SuitOf(card) == trump ? card + TrumpWeight : card;
}
// Whether `cover` beats `attack`: the same suit or a trump, and higher by trump weight.
constexpr bool Beats(int cover, int attack, int trump) {
  if (cover < 1 || cover > DeckSize || attack < 1 || attack > DeckSize) return false;
  return (SuitOf(cover) == SuitOf(attack) || SuitOf(cover) == trump) &&
         TrumpValue(attack, trump) < TrumpValue(cover, trump);
}
constexpr bool Matches(int a, int b) { return a > 0 && b > 0 && RankOf(a) == RankOf(b); }

// Which picture and pattern of the scene's image list shows card v + 1.
struct FaceSprite {
  const char* Image;
  int Pattern;
};
FaceSprite FaceOf(int v);

using Hand = std::array<uint8_t, HandCapacity>;

// Orders the first `count` cards of a hand: mode 0 by trump-weighted value (plain cards by
// number, then the trumps), mode 1 by card number.
void SortHand(std::span<uint8_t> cards, int count, int mode, int trump);

// Fills the stock with the numbers 1..36 in random places: each number tries places until it
// finds an empty one.
void Shuffle(std::array<uint8_t, DeckSize>& stock, RandomGenerator& rng);

// Takes the card at position `pos` out of a hand: the last card moves into its place, and the
// hand is sorted again. Returns the card (0 for a position outside the hand).
int TakeFromHand(Hand& hand, int& count, int pos, int trump);
// Puts a card at the end of a hand and sorts it. A full hand refuses the card (false).
bool AddToHand(Hand& hand, int& count, int card, int trump);
// The position of a card in the first `count` places of a hand, -1 when it is not there.
int FindInHand(const Hand& hand, int count, int card);

}  // namespace vepa::cards
