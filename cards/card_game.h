// The card game, scene 47: the attack-and-cover game with a 36-card deck against one to three
// opponents (the grandmother, the grandfather with his pipe and the host). The scene is one
// state machine over Phase (and Step inside the phases that take several frames):
//
//   0-3  opening speeches, the holder of the lowest trump opens
//   4    end of a bout: who is out, game over, who opens next
//   5/6  the player / an opponent lays or adds cards
//   7    the turn passes to the next attacker, or to the defender
//   8/11 the player / an opponent covers
//   9    the defender takes the table      10  the table is beaten off
//   12   hands are filled up from the stock
//   13   game over speech   14  an opponent is out   15  the next attacker is named
//   16/17 an opponent scolds a neighbour for peeking   18  closing
//
// card_game.cpp holds the loader, the frame step and the turn order; card_moves.cpp the
// phases in which cards move, with their flights; card_opponents.cpp the portraits, speech
// bubbles and the player's mouth.
#pragma once

#include <array>
#include <cstdint>

#include "app/scene.h"
#include "cards/card_layout.h"
#include "cards/deck.h"

namespace vepa {
class JsonWriter;
}

namespace vepa::cards {

inline constexpr int MaxSeats = 4;

struct Slot {
  uint8_t Attack = 0, Cover = 0;
};
using TableCards = std::array<Slot, TableSlots>;

struct Opponent {
  int PosX = 0, PosY = 0;
  int OutAnnounced = 0;
  int BlinkFrame = 0;
  int Action = 0;
  int Talking = 0;
  int Mouth = 0;
  int CardGesture = 0;
  float LookX = 0, LookY = 0;
  float BlinkClosing = 0;
};

class CardGame : public Scene {
 public:
  using Scene::Scene;

  void Load(int opponentChoice) override;
  void Frame() override;
  void DescribeState(JsonWriter& j) const override;
  void DeclareAssets(AssetNeeds& a) const override;

 private:
  // card_game.cpp: the frame's steps that are not card moves.
  void SlideButton();
  void DrawButtons();
  void Recount();
  void DrawStockAndDiscard();
  void OpeningPhases();
  void DrawTable();
  void SlideHand();
  void DrawHandAndHover();
  void ScoldingTrigger();
  void EndOfBout();
  void PassTurn();
  void GameOverSpeech();
  void AnnounceOut();
  void NameAttacker();
  void ScoldNeighbour();
  void ScoldPair();
  void GiveUpButton();
  void PointerHand();
  void Leave();
  int Prize() const;

  // card_moves.cpp: the phases in which cards move.
  void PlayerLays();
  void OpponentLays();
  void PlayerCovers();
  void DefenderTakes();
  void BeatOff();
  void OpponentCovers();
  void DrawFromStock();
  // A flight towards (TargetX, TargetY) from (x, y), about ten frames long.
  void StartFlight(int card, float x, float y, int targetX, int targetY);
  void FlyStep();
  void DrawFlyingBack(int w, int h);
  // The face-down card on its way to an opponent's hand, drawn as DrawFlyingBack: the
  // opponent reaches for it at the eighth frame. True once it is at the hand.
  bool FlyToOpponent(int seat, int w, int h);
  // The flying card joins the seat's hand once it has arrived or Esc hurries it; true then.
  bool LandInHand(int seat, bool arrived);
  // An opponent throws the card at `pos` of the hand towards table slot `slot` of the row at y
  // (kAttackY or kCoverY).
  void ThrowToTable(int seat, int pos, int slot, int y);
  // The thrown card on its way, growing as it comes nearer: once it reaches the row at y (or Esc
  // hurries it) it leaves the flight and its number is returned; 0 while it flies.
  int LandOnTable(int y);
  // The card to take off the table: covers before attacks, higher slots first (0: none).
  int LastTableCard(int& slot, int& row) const;
  // Sends that card towards (targetX, targetY), or ends the bout when the table is empty.
  void LiftLastTableCard(int defended, int targetX, int targetY);
  void PlayCardSound(const char* name);

  // card_opponents.cpp.
  void DrawOpponent(int r);
  void DrawSmoke(int x, int y);
  void DrawBubbles();

  // Helpers.
  bool ClickMoment() const;
  bool ButtonZone(int left, int right) const;
  bool SpeechOver();
  void Say(int phrase);
  void ClearTalking();
  int NextSeat(int seat) const { return seat >= SeatCount ? 1 : seat + 1; }
  int Cards(int seat) const { return HandCount[seat]; }
  int AttackCards() const;
  int UncoveredCards() const;
  // The point where the cards of a seat's hand fly to and from (an opponent's hand).
  int SeatHandX(int seat) const;
  Opponent& Opp(int seat) { return Opponents[seat - 2]; }
  void TakeCard(int seat, int pos);
  void GiveCard(int seat, int card);

  // The deal.
  int OpponentChoice = 2;
  int SeatCount = 4;
  int Trump = 0;
  std::array<uint8_t, DeckSize> Stock{};
  int StockCount = 0;
  std::array<Hand, MaxSeats + 1> Hands{};  // seats 1..4
  std::array<int, MaxSeats + 1> HandCount{};
  TableCards Table{};
  int DiscardCount = 0;

  // The turn order.
  int Phase = 0, Step = 0;
  int Attacker = 1, Defender = 2, FirstAttacker = 1;
  int AttackTurns = 1, Resume = 0, LastDefended = 0, SavedPhase = 0, DefenderSkipped = 0;
  int ButtonY = -60;

  // The player.
  int HandY = HandYDown, Hover = 0, Picked = 0;
  int PlayerTalking = 0, PlayerMouth = 0;
  float HandX = 0, HandStep = 0;

  std::array<Opponent, 3> Opponents{};
  uint8_t SmokeWaveDown = 0, SmokeWave = 0, SmokeLengthDown = 0, SmokeLength = 0;

  // Card moves.
  TableCards Plan{};
  std::array<uint8_t, DeckSize> PlayList{};
  int PlayCount = 0;
  int FlyCard = 0;
  float FlyX = 0, FlyY = 0, FlyDX = 0, FlyDY = 0;
  int TargetX = 0, TargetY = 0;
  int FlyFrames = 0;
  int CoverSlot = 10;
};

}  // namespace vepa::cards
