// The phases in which cards move: the player lays and covers with the mouse, an opponent
// chooses and lays its cards or covers, the defender takes the table, the table is beaten off,
// the hands are filled up from the stock. Every card that moves flies for about ten frames.
#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "cards/card_game.h"
#include "engine/sound.h"

namespace vepa::cards {
namespace {

constexpr int kRate = 11000;
constexpr int kDiscardVolume = -500;

// Flight end points.
constexpr int kOpponentHandY = 220;
constexpr int kSlotX = 119, kAttackY = 320, kCoverY = 380;
constexpr int kDiscardPointX = 590, kDiscardPointY = 380;
constexpr int kStockPointX = 590, kStockPointY = 290;
constexpr int kPlayerTakeY = 480, kPlayerDrawY = 440, kPlayerHandX = 320;
// A card flying to the player is drawn with its face, centred here on the flight point.
constexpr int kFaceDX = 59, kFaceDY = 70;

int Nearest(double v) { return static_cast<int>(std::lrint(v)); }

}  // namespace

int CardGame::SeatHandX(int seat) const {
  static constexpr int kShift[3] = {-9, -5, 0};
  return Opponents[seat - 2].PosX + kShift[seat - 2];
}

void CardGame::PlayCardSound(const char* name) {
  StopSceneSound(g, name);
  PlaySceneSound(g, name, kRate);
}

void CardGame::StartFlight(int card, float x, float y, int targetX, int targetY) {
  FlyCard = card;
  FlyX = x;
  FlyY = y;
  TargetX = targetX;
  TargetY = targetY;
  FlyFrames = 0;
  FlyDX = 0.1f * (static_cast<float>(TargetX) - FlyX);
  FlyDY = 0.1f * (static_cast<float>(TargetY) - FlyY);
}

void CardGame::FlyStep() {
  FlyX += FlyDX;
  FlyY += FlyDY;
}

void CardGame::DrawFlyingBack(int w, int h) {
  const int x = Nearest(FlyX), y = Nearest(FlyY);
  g.layer.DrawPatternAlpha(g.layer.FindImage(2, "Kard05"), 0, Rect{x - w, y - h, x + w, y + h},
                           1000);
}

bool CardGame::FlyToOpponent(int seat, int w, int h) {
  DrawFlyingBack(w, h);
  if (FlyFrames == 8) Opp(seat).CardGesture = 3;
  return FlyY <= kOpponentHandY;
}

bool CardGame::LandInHand(int seat, bool arrived) {
  if (!arrived && !g.layer.KeyPressed(key::Esc)) return false;
  GiveCard(seat, FlyCard);
  FlyCard = 0;
  PlayCardSound("Pick01");
  return true;
}

void CardGame::ThrowToTable(int seat, int pos, int slot, int y) {
  const int card = Hands[seat][pos];
  TakeCard(seat, pos);
  StartFlight(card, static_cast<float>(SeatHandX(seat)), kOpponentHandY, kSlotX + TableStep * slot,
              y);
  Opp(seat).CardGesture = 3;
  PlayCardSound("Kard01");
}

int CardGame::LandOnTable(int y) {
  FlyStep();
  ++FlyFrames;
  DrawFlyingBack(Nearest((FlyFrames * 10.1 + 18) * 0.5), Nearest((FlyFrames * 11.7 + 24) * 0.5));
  if (FlyY < y && !g.layer.KeyPressed(key::Esc)) return 0;
  const int card = FlyCard;
  FlyCard = 0;
  PlayCardSound("Kard02");
  return card;
}

int CardGame::LastTableCard(int& slot, int& row) const {
  int card = 0;
  for (int r = 0; r < 2; ++r)
    for (int s = 0; s < TableSlots; ++s) {
      const int c = r == 0 ? Table[s].Attack : Table[s].Cover;
      if (c == 0) continue;
      card = c;
      slot = s;
      row = r;
    }
  return card;
}

// ---- Phase 5: the player lays cards ----

void CardGame::PlayerLays() {
  const int a = AttackCards(), o = UncoveredCards();
  if (HandCount[Defender] <= o || a > 5 || HandCount[1] == 0) {
    Phase = 7;
    Hover = 0;
    return;
  }
  if (Hover > 0 && ClickMoment()) {
    const int card = Hands[1][Hover - 1];
    int m = 0;
    for (const Slot& s : Table) m += Matches(s.Attack, card) + Matches(s.Cover, card);
    // A bout opens with any card; after that only ranks already on the table may be added.
    if (a < TableSlots && (a == 0 || m > 0)) {
      Table[a].Attack = static_cast<uint8_t>(card);
      TakeCard(1, Hover - 1);
      PlayCardSound("Kard02");
    }
  }
  const bool pressed =
      g.layer.KeyPressed(key::Enter) || (ClickMoment() && ButtonZone(NextLeft, NextRight));
  if (pressed && AttackCards() > 0) {
    Phase = 7;
    PlayCardSound("Boom01");
  }
}

// ---- Phase 6: an opponent lays cards ----

void CardGame::OpponentLays() {
  switch (Step) {
    case 0: {
      int o = UncoveredCards();
      const int a = AttackCards();
      if (o >= HandCount[Defender] || (a > 0 && Defender > 1 && g.Random(5) == 1)) {
        Phase = 7;
        Step = 0;
        Hover = 0;
        return;
      }
      Opp(Attacker).Action = 3;
      Plan = Table;
      PlayList.fill(0);
      PlayCount = 0;
      for (int k = 0; k < HandCount[Attacker]; ++k) {
        const int card = Hands[Attacker][k];
        int n = 0, m = 0;
        for (const Slot& s : Plan) {
          n += s.Attack != 0;
          m += Matches(s.Attack, card) + Matches(s.Cover, card);
        }
        if (o >= HandCount[Defender] || n >= TableSlots) continue;
        bool lay = n == 0;
        if (!lay && m >= 1) {
          // Trumps are kept back, unless they are the last card against a player who is out.
          const bool lastCard = HandCount[1] == 0 && HandCount[Attacker] == 1;
          lay = SuitOf(card) != Trump || lastCard || g.Random(15) == 1;
        }
        if (!lay) continue;
        ++o;
        Plan[n].Attack = static_cast<uint8_t>(card);
        PlayList[PlayCount++] = static_cast<uint8_t>(card);
      }
      Step = 1;
      break;
    }
    case 1:
      if (AttackCards() == 0 || PlayCount == 0) {
        Step = 3;
        break;
      }
      Say((PlayCount == 1 ? 7 : 8) + 2 * (Attacker - 2));
      Opp(Attacker).Talking = 1;
      Step = 2;
      break;
    case 2:
      if (!SpeechOver()) break;
      Opp(Attacker).Talking = 0;
      Step = 3;
      break;
    case 3: {
      if (PlayCount == 0) {
        Step = 0;
        Phase = 7;
        break;
      }
      const int card = PlayList[--PlayCount];
      PlayList[PlayCount] = 0;
      const int pos = FindInHand(Hands[Attacker], HandCount[Attacker], card);
      if (pos < 0) break;  // planned from this hand a moment ago; cannot be missing
      ThrowToTable(Attacker, pos, AttackCards(), kAttackY);
      Step = 4;
      break;
    }
    case 4:
      if (const int card = LandOnTable(kAttackY)) {
        const int slot = AttackCards();
        if (slot < TableSlots) Table[slot].Attack = static_cast<uint8_t>(card);
        Step = 3;
      }
      break;
    default:
      Step = 0;
      break;
  }
}

// ---- Phase 8: the player covers ----

void CardGame::PlayerCovers() {
  if (Picked == 0 && Hover > 0 && ClickMoment() && HandCount[1] > 0) {
    Picked = Hands[1][Hover - 1];
    TakeCard(1, Hover - 1);
    PlayCardSound("Kard03");
  } else if (Picked > 0) {
    const FaceSprite f = FaceOf(Picked - 1);
    g.layer.Draw(2, f.Image, f.Pattern, g.MouseX - 50, g.MouseY - 50);
    if (g.ClickState == 0 && g.ButtonHeld == 0) {
      int target = -1;
      for (int s = 0; s < TableSlots; ++s)
        if (Table[s].Attack != 0 && Table[s].Cover == 0 && DropLeft + DropWidth * s < g.MouseX &&
            g.MouseX < DropLeft + DropWidth * (s + 1) && DropTop < g.MouseY &&
            g.MouseY < DropBottom)
          target = s;
      if (target >= 0 && Beats(Picked, Table[target].Attack, Trump)) {
        Table[target].Cover = static_cast<uint8_t>(Picked);
        PlayCardSound("Kard02");
      } else {
        GiveCard(1, Picked);
        PlayCardSound("Kard04");
      }
      Picked = 0;
    }
  }
  if (g.layer.KeyPressed(key::Enter) || (ClickMoment() && ButtonZone(NextLeft, NextRight))) {
    // A card still held when the turn ends goes back into the hand, so no card is lost.
    if (Picked > 0) {
      GiveCard(1, Picked);
      Picked = 0;
    }
    if (UncoveredCards() == 0) {
      Phase = 7;
      Attacker = FirstAttacker;
      Resume = 1;
    } else {
      Phase = 9;
    }
    AttackTurns = 1;
    Step = 0;
    PlayCardSound("Boom01");
  }
}

// The first step of clearing the table: the card laid last flies from its place to
// (targetX, targetY), one step on. With the table empty the bout is over instead: LastDefended
// becomes `defended` and the stock is drawn from (phase 12).
void CardGame::LiftLastTableCard(int defended, int targetX, int targetY) {
  int slot = 0, row = 0;
  const int card = LastTableCard(slot, row);
  if (card == 0) {
    LastDefended = defended;
    Phase = 12;
    return;
  }
  (row == 0 ? Table[slot].Attack : Table[slot].Cover) = 0;
  StartFlight(card, static_cast<float>(kSlotX + TableStep * slot),
              static_cast<float>(kAttackY + TableRowStep * row), targetX, targetY);
  PlayCardSound("Kard01");
  Step = 1;
}

// ---- Phase 9: the defender takes the table ----

void CardGame::DefenderTakes() {
  if (Step == 0) {
    const bool player = Defender == 1;
    LiftLastTableCard(0, player ? kPlayerHandX : SeatHandX(Defender),
                      player ? kPlayerTakeY : kOpponentHandY);
    return;
  }
  FlyStep();
  bool arrived;
  if (Defender == 1) {
    const FaceSprite f = FaceOf(FlyCard - 1);
    g.layer.Draw(2, f.Image, f.Pattern, Nearest(FlyX) - kFaceDX, Nearest(FlyY) - kFaceDY);
    arrived = FlyY >= kPlayerTakeY;
  } else {
    ++FlyFrames;
    arrived = FlyToOpponent(Defender, Nearest(((10 - FlyFrames) * 10.1 + 18) * 0.5),
                            Nearest(((10 - FlyFrames) * 11.7 + 24) * 0.5));
  }
  if (LandInHand(Defender, arrived)) Step = 0;
}

// ---- Phase 10: the bout is beaten off ----

void CardGame::BeatOff() {
  if (Step == 0) {
    LiftLastTableCard(1, kDiscardPointX, kDiscardPointY);
    return;
  }
  FlyStep();
  if (FlyX >= kDiscardPointX) FlyX = kDiscardPointX;
  DrawFlyingBack(Nearest(((10 - FlyFrames) * 8.9 + 30) * 0.5),
                 Nearest(((10 - FlyFrames) * 10.6 + 35) * 0.5));
  ++FlyFrames;
  if (FlyX >= kDiscardPointX || g.layer.KeyPressed(key::Esc)) {
    ++DiscardCount;
    FlyCard = 0;
    Step = 0;
    if (g.SoundAvailable) {
      g.layer.SetVolume(g.layer.FindWave(2, "Kard05"), kDiscardVolume);
      PlayCardSound("Kard05");
    }
  }
}

// ---- Phase 11: an opponent covers ----

void CardGame::OpponentCovers() {
  switch (Step) {
    case 0: {
      Opp(Defender).Action = 3;
      Plan = Table;
      PlayList.fill(0);
      PlayCount = std::min(HandCount[Defender], DeckSize);
      std::copy_n(Hands[Defender].begin(), PlayCount, PlayList.begin());
      // Each open card gets the lowest card that beats it; a hand that cannot cover them all
      // takes the table without covering any.
      for (Slot& s : Plan) {
        if (s.Attack == 0 || s.Cover != 0) continue;
        int best = -1;
        for (int p = PlayCount - 1; p >= 0; --p)
          if (Beats(PlayList[p], s.Attack, Trump)) best = p;
        if (best < 0) continue;
        s.Cover = PlayList[best];
        PlayList[best] = 0;
      }
      bool all = true;
      for (const Slot& s : Plan) all = all && (s.Attack == 0 || s.Cover != 0);
      if (all) {
        Step = 1;
      } else {
        Phase = 9;
        Step = 0;
        AttackTurns = 1;
      }
      break;
    }
    case 1: {
      CoverSlot = 10;
      int pos = -1;
      for (int s = TableSlots - 1; s >= 0; --s) {
        if (Table[s].Attack == 0 || Table[s].Cover != 0 || Plan[s].Cover == 0) continue;
        const int p = FindInHand(Hands[Defender], HandCount[Defender], Plan[s].Cover);
        if (p < 0) continue;
        CoverSlot = s;
        pos = p;
      }
      if (CoverSlot == 10) {
        Step = 0;
        Phase = 7;
        Attacker = FirstAttacker;
        Resume = 1;
        AttackTurns = 1;
        break;
      }
      ThrowToTable(Defender, pos, CoverSlot, kCoverY);
      Step = 2;
      break;
    }
    case 2:
      if (const int card = LandOnTable(kCoverY)) {
        Table[CoverSlot].Cover = static_cast<uint8_t>(card);
        Step = 1;
      }
      break;
    default:
      Step = 0;
      break;
  }
}

// ---- Phase 12: the hands are filled up from the stock ----

void CardGame::DrawFromStock() {
  switch (Step) {
    case 0:
      DefenderSkipped = 0;
      Attacker = Defender - 1 < 1 ? SeatCount : Defender - 1;
      Step = 1;
      break;
    case 1:
      // The attackers draw first, in turn from the first of them; the defender draws last.
      if (StockCount < 1) {
        Step = 10;
      } else if (HandCount[Attacker] < 6) {
        Step = 2;
      } else if (Attacker == Defender) {
        Step = 10;
      } else {
        Attacker = NextSeat(Attacker);
        if (Attacker == Defender && DefenderSkipped == 0) {
          Attacker = NextSeat(Attacker);
          DefenderSkipped = 1;
        }
      }
      break;
    case 2: {
      --StockCount;
      const int card = Stock[StockCount];
      Stock[StockCount] = 0;
      const bool player = Attacker == 1;
      StartFlight(card, kStockPointX, kStockPointY, player ? kPlayerHandX : SeatHandX(Attacker),
                  player ? kPlayerDrawY : kOpponentHandY);
      PlayCardSound("Kard01");
      Step = 3;
      break;
    }
    case 3: {
      FlyStep();
      ++FlyFrames;
      const bool player = Attacker == 1;
      bool arrived;
      if (player) {
        DrawFlyingBack(Nearest((FlyFrames * 8.9 + 30) * 0.5),
                       Nearest((FlyFrames * 10.6 + 35) * 0.5));
        arrived = FlyY >= kPlayerDrawY;
      } else {
        arrived = FlyToOpponent(Attacker, Nearest(((10 - FlyFrames) * 0.8 + 18) * 0.5),
                                Nearest(((10 - FlyFrames) * 0.9 + 24) * 0.5));
      }
      if (LandInHand(Attacker, arrived)) Step = 1;
      break;
    }
    case 10:
      Step = 0;
      Phase = 4;
      break;
    default:
      Step = 0;
      break;
  }
}

}  // namespace vepa::cards
