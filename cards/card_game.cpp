#include "cards/card_game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"

namespace vepa {
namespace cards {
namespace {

constexpr SceneEntries kEntries{
    .Background = "r_kard01", .Images = "s_kard01", .Music = "m_vepa4", .Waves = "w_kard01"};

constexpr int kRate = 11000, kPlayerRate = 13000;

// Where the portraits stand, by the number of opponents.
constexpr int kAnchors[3][3][2] = {
    {{320, 35}, {0, 0}, {0, 0}},
    {{220, 35}, {420, 35}, {0, 0}},
    {{160, 35}, {320, 35}, {480, 20}},
};

// The phrases of "krd" the player says; they play higher, in his own voice.
bool PlayerPhrase(int n) { return n == 21 || n == 22 || n == 23 || n == 27; }

int Nearest(float v) { return static_cast<int>(std::lrint(v)); }

}  // namespace

void CardGame::Load(int opponentChoice) {
  if (!LoadSceneEntries(g, kEntries, {.TakeStake = true, .IdlePointer = true})) return;
  g.ButtonHeld = 0;
  SmokeWaveDown = SmokeWave = SmokeLengthDown = SmokeLength = 0;
  // The selection hands over 0, 1 or 2; anything else plays against all three.
  OpponentChoice = opponentChoice >= 0 && opponentChoice <= 2 ? opponentChoice : 2;
  if (OpponentChoice != opponentChoice)
    std::fprintf(stderr, "card game: %d opponents asked for; dealing for three\n",
                 opponentChoice + 1);
  SeatCount = OpponentChoice + 2;
  for (int r = 0; r <= OpponentChoice; ++r) {
    Opponents[r].PosX = kAnchors[OpponentChoice][r][0];
    Opponents[r].PosY = kAnchors[OpponentChoice][r][1];
  }
  for (Opponent& o : Opponents) {
    o.LookX = o.LookY = 0;
    o.Talking = o.BlinkFrame = o.Action = o.Mouth = o.CardGesture = o.OutAnnounced = 0;
    o.BlinkClosing = 0;
  }
  Table = {};
  Stock = {};
  for (Hand& h : Hands) h.fill(0);
  Shuffle(Stock, g.rng);
  StockCount = DeckSize;
  for (int pass = 0; pass < 6; ++pass)
    for (int seat = 1; seat <= SeatCount; ++seat) {
      --StockCount;
      Hands[seat][pass] = Stock[StockCount];
      Stock[StockCount] = 0;
    }
  Trump = SuitOf(Stock[0]);
  DiscardCount = 0;
  HandCount.fill(0);
  for (int seat = 1; seat <= SeatCount; ++seat) {
    HandCount[seat] = 6;
    SortHand(Hands[seat], HandCount[seat], 0, Trump);
  }
  ButtonY = -60;
  HandY = HandYDown;
  Picked = 0;
  Hover = 0;
  PlayerTalking = 0;
  Phase = Step = 0;
  AttackTurns = 1;
  Resume = 0;
  FlyCard = 0;
  PlayCount = 0;
  EnterScene(g, SceneId::CardGame);
}

void CardGame::Frame() {
  SlideButton();
  DrawButtons();
  Recount();
  DrawStockAndDiscard();
  OpeningPhases();
  DrawTable();
  SlideHand();
  DrawHandAndHover();
  if (Phase == 5) PlayerLays();
  if (Phase == 6) OpponentLays();
  if (Phase == 8) PlayerCovers();
  if (Phase == 9) DefenderTakes();
  if (Phase == 10) BeatOff();
  if (Phase == 11) OpponentCovers();
  if (Phase == 12) DrawFromStock();
  ScoldingTrigger();
  if (Phase == 4) EndOfBout();
  if (Phase == 7) PassTurn();
  if (Phase == 13) GameOverSpeech();
  if (Phase == 14) AnnounceOut();
  if (Phase == 15) NameAttacker();
  if (Phase == 16) ScoldNeighbour();
  if (Phase == 17) ScoldPair();
  DrawOpponent(1);
  if (OpponentChoice > 1) DrawOpponent(3);
  if (OpponentChoice > 0) DrawOpponent(2);
  DrawBubbles();
  if (Phase == 8 && Picked > 0) {
    const FaceSprite f = FaceOf(Picked - 1);
    g.layer.Draw(2, f.Image, f.Pattern, g.MouseX - 50, g.MouseY - 50);
  }
  GiveUpButton();
  PointerHand();
  Leave();
}

// ---- Helpers ----

bool CardGame::ClickMoment() const { return g.ClickState == 1 && g.HandFrame == 1; }

bool CardGame::ButtonZone(int left, int right) const {
  return g.MouseX > left && g.MouseX < right && g.MouseY > ButtonPressTop &&
         g.MouseY < ButtonPressBottom;
}

// A speech that gates a phase ends by itself or is cut short by Esc.
bool CardGame::SpeechOver() {
  if (IsSpeaking(g) && !g.layer.KeyPressed(key::Esc)) return false;
  StopSpeech(g);
  return true;
}

void CardGame::Say(int phrase) {
  SayPhrase(g, "krd", phrase, 1, PlayerPhrase(phrase) ? kPlayerRate : kRate);
}

void CardGame::ClearTalking() {
  for (Opponent& o : Opponents) o.Talking = 0;
  PlayerTalking = 0;
}

int CardGame::AttackCards() const {
  int a = 0;
  for (const Slot& s : Table) a += s.Attack != 0;
  return a;
}

int CardGame::UncoveredCards() const {
  int o = 0;
  for (const Slot& s : Table) o += s.Attack != 0 && s.Cover == 0;
  return o;
}

void CardGame::TakeCard(int seat, int pos) {
  TakeFromHand(Hands[seat], HandCount[seat], pos, Trump);
}

void CardGame::GiveCard(int seat, int card) {
  if (!AddToHand(Hands[seat], HandCount[seat], card, Trump))
    std::fprintf(stderr, "card game: seat %d cannot take card %d\n", seat, card);
}

// ---- The frame's steps ----

void CardGame::SlideButton() {
  if ((Phase == 5 && AttackCards() > 0) || Phase == 8) {
    if (ButtonY < 0) ButtonY += 10;
  } else if (ButtonY > -60) {
    ButtonY -= 10;
  }
}

void CardGame::DrawButtons() {
  const Image* button = g.layer.FindImage(1, "Button01");
  g.layer.DrawPatternAlpha(
      button, 0, Rect{NextLeft, ButtonY + NextTop, NextRight, ButtonY + NextBottom}, 1000);
  DrawTextCentered(g, 55, ButtonY + 20, 12, Cp1251("ДАЛЬШЕ"), 0, 15);
  g.layer.DrawPatternAlpha(button, 0, Rect{GiveUpLeft, GiveUpTop, GiveUpRight, GiveUpBottom}, 1000);
  DrawTextCentered(g, 585, 20, 12, Cp1251("СДАТЬСЯ"), 0, 15);
}

// The counts follow the cards: each is the run of cards from place 0 to the first gap.
void CardGame::Recount() {
  StockCount = 0;
  while (StockCount < DeckSize && Stock[StockCount] != 0) ++StockCount;
  for (int seat = 1; seat <= MaxSeats; ++seat) {
    int k = 0;
    while (k < HandCapacity && Hands[seat][k] != 0) ++k;
    HandCount[seat] = k;
  }
}

void CardGame::DrawStockAndDiscard() {
  if (StockCount > 0) {
    const int bottom = Stock[0];
    g.layer.Draw(2, "Kards01", 6 - std::min(StockCount, 6), StockX, StockY);
    g.layer.Draw(2, "Kards02", SuitOf(bottom), TrumpSignX, TrumpSignY);
    g.layer.Draw(2, "Kards03", (IsRed(bottom) ? 9 : 0) + RankOf(bottom), RankSignX, RankSignY);
  }
  if (DiscardCount > 0)
    g.layer.Draw(2, "Kards05", std::min(DiscardCount, 5) - 1, DiscardX, DiscardY);
}

void CardGame::OpeningPhases() {
  if (Phase == 0) {
    Say(1);
    Opponents[0].Talking = 1;
    Phase = 1;
  } else if (Phase == 1) {
    if (!SpeechOver()) return;
    // The holder of the lowest trump opens; without a trump in any hand the grandmother does.
    int seat = 0, best = 0;
    for (int s = 1; s <= SeatCount; ++s)
      for (int i = 0; i < HandCount[s]; ++i) {
        const int c = Hands[s][i];
        if (SuitOf(c) == Trump && (best == 0 || c < best)) {
          best = c;
          seat = s;
        }
      }
    if (seat == 0) seat = 2;
    if (seat == 2) {
      Say(2);
    } else {
      Opponents[0].Talking = 0;
      if (seat == 1) {
        Say(21);
        PlayerTalking = 1;
      } else {
        Say(seat == 3 ? 4 : 5);
        Opp(seat).Talking = 1;
      }
    }
    Attacker = FirstAttacker = seat;
    Resume = 0;
    Defender = NextSeat(seat);
    Phase = 2;
  } else if (Phase == 2) {
    if (!SpeechOver()) return;
    if (Opponents[0].Talking == 1) {
      Say(3);
    } else {
      ClearTalking();
      Say(6);
      Opponents[0].Talking = 1;
    }
    Phase = 3;
  } else if (Phase == 3) {
    if (!SpeechOver()) return;
    ClearTalking();
    Phase = Attacker == 1 ? 5 : 6;
  }
}

void CardGame::DrawTable() {
  for (int row = 0; row < 2; ++row)
    for (int s = 0; s < TableSlots; ++s) {
      const int c = row == 0 ? Table[s].Attack : Table[s].Cover;
      if (c == 0) continue;
      const FaceSprite f = FaceOf(c - 1);
      g.layer.Draw(2, f.Image, f.Pattern, TableX + TableStep * s, TableY + TableRowStep * row);
    }
}

void CardGame::SlideHand() {
  if (g.MouseY < HandYUp + 1 || Picked != 0 || (Phase != 5 && Phase != 8)) {
    if (HandY < HandYDown) HandY += 10;
  } else if (HandY > HandYUp) {
    HandY -= 10;
  }
}

void CardGame::DrawHandAndHover() {
  Hover = 0;
  const int k = HandCount[1];
  if (k <= 0) return;
  HandStep = static_cast<float>(HandSpan) / static_cast<float>(k);
  HandX = HandCentreX - static_cast<float>(k - 1) * HandStep * 0.5f;
  for (int i = 0; i < k; ++i) {
    const FaceSprite f = FaceOf(Hands[1][i] - 1);
    g.layer.Draw(2, f.Image, f.Pattern, Nearest(HandX), HandY);
    // The cards overlap; the rightmost one under the pointer is the one on top.
    if (g.ExitMenuState == 0 && HandX < g.MouseX && g.MouseX < HandX + CardW &&
        HandY - 20 < g.MouseY && g.MouseY < HandY + 121)
      Hover = i + 1;
    HandX += HandStep;
  }
}

void CardGame::ScoldingTrigger() {
  const int r = g.Random(100);
  if (r != 1 || Step != 0) return;
  const bool calm = Phase == 4 || Phase == 7;
  const bool waiting = (Phase == 5 || (Phase == 8 && Picked == 0)) && HandY > 400;
  if (!calm && !waiting) return;
  SavedPhase = Phase;
  if (Opponents[1].Action == 1 && Opponents[1].LookX < -8.0f && OpponentChoice >= 1)
    Phase = 16;
  else if (Opponents[2].Action == 1 && Opponents[2].LookX < -8.0f && OpponentChoice >= 2)
    Phase = 17;
}

void CardGame::EndOfBout() {
  for (int r = 1; r <= OpponentChoice + 1; ++r)
    if (HandCount[r + 1] == 0 && Opponents[r - 1].OutAnnounced == 0) {
      Phase = 14;
      return;
    }
  int v = HandCount[1] > 0 ? 10 : 0;
  for (int seat = 2; seat <= SeatCount; ++seat) v += HandCount[seat] > 0;
  if (v < 11) {  // the player is out, or every opponent is
    Phase = 13;
    return;
  }
  // After a beat-off the defender opens; after a take the seat after it. Seats that are out
  // are passed over (the player and one opponent at least still hold cards).
  Attacker = Defender;
  if (LastDefended == 0) Attacker = NextSeat(Attacker);
  for (int n = 0; n < SeatCount && HandCount[Attacker] == 0; ++n) Attacker = NextSeat(Attacker);
  FirstAttacker = Attacker;
  Resume = 0;
  Defender = NextSeat(Attacker);
  for (int n = 0; n < SeatCount && HandCount[Defender] == 0; ++n) Defender = NextSeat(Defender);
  AttackTurns = 1;
  Phase = Attacker == 1 ? 5 : 15;
}

void CardGame::PassTurn() {
  if (Resume == 0) {
    Attacker = NextSeat(Attacker);
    if (Attacker == Defender) Attacker = NextSeat(Attacker);
    ++AttackTurns;
  }
  Resume = 0;
  if (AttackTurns < SeatCount) {
    Phase = Attacker == 1 ? 5 : 6;
    return;
  }
  AttackTurns = 1;
  Attacker = Defender;
  if (UncoveredCards() == 0)
    Phase = 10;
  else
    Phase = Defender == 1 ? 8 : 11;
}

void CardGame::GameOverSpeech() {
  if (Step == 0) {
    bool anyOpponent = false;
    for (int seat = 2; seat <= SeatCount; ++seat) anyOpponent = anyOpponent || HandCount[seat] > 0;
    Say(HandCount[1] > 0 ? 23 : anyOpponent ? 22 : 27);
    PlayerTalking = 1;
    Step = 1;
  } else if (SpeechOver()) {
    PlayerTalking = 0;
    Step = 0;
    Phase = 18;
  }
}

void CardGame::AnnounceOut() {
  if (Step == 0) {
    int r = 0;
    for (int i = 1; i <= OpponentChoice + 1; ++i)
      if (HandCount[i + 1] == 0 && Opponents[i - 1].OutAnnounced == 0) r = i;
    if (r == 0) {  // nothing left to announce
      Phase = 4;
      return;
    }
    Say(23 + r);
    Opponents[r - 1].Talking = 1;
    Opponents[r - 1].OutAnnounced = 1;
    Step = 1;
  } else if (SpeechOver()) {
    ClearTalking();
    Step = 0;
    Phase = 4;
  }
}

void CardGame::NameAttacker() {
  if (Step == 0) {
    Say(Attacker == 2 ? 16 : Attacker == 3 ? 17 : 19);
    Opponents[0].Talking = 1;
    Step = 1;
  } else if (Step == 1) {
    if (!SpeechOver()) return;
    Opponents[0].Talking = 0;
    if (Attacker == 3) {
      Say(18);
      Opponents[1].Talking = 1;
      Step = 2;
    } else if (Attacker == 4) {
      Say(20);
      Opponents[2].Talking = 1;
      Step = 2;
    } else {
      Step = 3;
    }
  } else if (Step == 2) {
    if (!SpeechOver()) return;
    ClearTalking();
    Step = 3;
  } else {
    Step = 0;
    Phase = 6;
  }
}

void CardGame::ScoldNeighbour() {
  if (Step == 0) {
    Say(13);
    Opponents[0].Talking = 1;
    Opponents[0].Action = 7;
    Opponents[1].Action = 0;
    Step = 1;
  } else if (SpeechOver()) {
    Opponents[0].Talking = 0;
    Step = 0;
    Phase = SavedPhase;
  }
}

void CardGame::ScoldPair() {
  if (Step == 0) {
    Say(14);
    Opponents[1].Talking = 1;
    Step = g.Random(2) + 1;  // the host answers back only at times
    Opponents[1].Action = 7;
    Opponents[2].Action = 0;
  } else if (Step == 1) {
    if (!SpeechOver()) return;
    Say(15);
    Opponents[1].Talking = 0;
    Opponents[2].Talking = 1;
    Opponents[2].Action = 8;
    Step = 2;
  } else if (SpeechOver()) {
    Opponents[1].Talking = 0;
    Opponents[2].Talking = 0;
    Step = 0;
    Phase = SavedPhase;
  }
}

void CardGame::GiveUpButton() {
  if (ClickMoment() && ButtonZone(GiveUpLeft, GiveUpRight) && g.ExitMenuState == 0) {
    g.ExitMenuState = 1;
    g.ClickState = 0;
    g.HandFrame = 0;
    PlayCommonSound(g, "Boom07", kRate);
  }
  if (g.ExitMenuState == 1) ExitBox(g);
}

// The hand stays closed while the button is held, which shows the dragging.
void CardGame::PointerHand() {
  if (g.ClickState == 1) {
    if (g.HandFrame < 2)
      ++g.HandFrame;
    else
      g.ClickState = 0;
  }
  if (g.ClickState == 0 && g.ButtonHeld == 0 && g.HandFrame > 0) --g.HandFrame;
  DrawPointer(g);
}

int CardGame::Prize() const {
  if (g.ExitMenuState == 2 || HandCount[1] > 0) return 0;
  int holding = 0;
  for (int seat = 2; seat <= SeatCount; ++seat) holding += HandCount[seat] > 0;
  if (holding == 0) return 15;
  if (OpponentChoice == 0) return 25;
  if (OpponentChoice == 1) return holding == 2 ? 25 : 22;
  return holding == 3 ? 25 : holding == 2 ? 21 : 17;
}

void CardGame::Leave() {
  if (g.FadeMode == 0 && (g.ExitMenuState == 2 || Phase == 18)) StartClosing(g);
  if (g.FadeMode == 1 && g.FadeProgress > 399) {
    StopSpeech(g);
    g.GameWinnings = static_cast<uint16_t>(Prize());
    ReturnToKiosk(g, HubEntry::AfterGame);
  }
}

// ---- The runner's view ----

void CardGame::DescribeState(JsonWriter& j) const {
  j.Fields("OpponentChoice", OpponentChoice, "Phase", Phase, "Step", Step, "Attacker", Attacker,
           "Defender", Defender, "FirstAttacker", FirstAttacker, "AttackTurns", AttackTurns,
           "Resume", Resume, "LastDefended", LastDefended, "Trump", Trump, "SeatCount", SeatCount,
           "StockCount", StockCount);
  j.NumberArray("HandCount",
                std::array<int, 4>{HandCount[1], HandCount[2], HandCount[3], HandCount[4]});
  j.BeginArray("Hands");
  for (int seat = 1; seat <= MaxSeats; ++seat) {
    j.BeginArray();
    for (int i = 0; i < HandCount[seat]; ++i) j.Number(Hands[seat][i]);
    j.EndArray();
  }
  j.EndArray();
  std::array<int, TableSlots * 2> table{};
  for (int s = 0; s < TableSlots; ++s) {
    table[2 * s] = Table[s].Attack;
    table[2 * s + 1] = Table[s].Cover;
  }
  j.Fields("Table", table, "DiscardCount", DiscardCount, "Picked", Picked, "Hover", Hover, "HandY",
           HandY, "ButtonY", ButtonY, "FlyCard", FlyCard, "FlyX", Nearest(FlyX), "FlyY",
           Nearest(FlyY), "PlayerTalking", PlayerTalking, "SavedPhase", SavedPhase);
  std::array<int, 3> talking{}, action{}, out{}, gesture{}, lookX{}, lookY{};
  for (int r = 0; r < 3; ++r) {
    lookX[r] = Nearest(Opponents[r].LookX);
    lookY[r] = Nearest(Opponents[r].LookY);
    talking[r] = Opponents[r].Talking;
    action[r] = Opponents[r].Action;
    out[r] = Opponents[r].OutAnnounced;
    gesture[r] = Opponents[r].CardGesture;
  }
  j.Fields("Talking", talking, "Action", action, "OutAnnounced", out, "CardGesture", gesture,
           "LookX", lookX, "LookY", lookY);
}

void CardGame::DeclareAssets(AssetNeeds& a) const {
  DeclareSceneEntries(a, kEntries);
  auto image = [&a](const char* name, int patterns) {
    a.Images.push_back({"s_kard01", name, patterns});
  };
  image("Kard01", 10);
  image("Kard02", 10);
  image("Kard03", 8);
  image("Kard04", 8);
  image("Kard05", 1);
  image("Kards01", 6);
  image("Kards02", 4);
  image("Kards03", 18);
  image("Kards04", 6);
  image("Kards05", 5);
  for (const char* stem : {"Bab", "Ded", "Kib"}) {
    for (const auto& [part, patterns] : {std::pair{"01", 1}, std::pair{"02", 5}, std::pair{"03", 3},
                                         std::pair{"05", 1}, std::pair{"06", 2}}) {
      a.Images.push_back({"s_kard01", std::string(stem) + part, patterns});
    }
  }
  image("Bab04", 1);
  image("Kib04", 1);
  image("Dim01", 1);
  for (const char* name : {"Button01", "Bazar01", "Bazar02", "Exi01"})
    a.Images.push_back({"s_all01", name, 1});
  a.Images.push_back({"s_all01", "Ruka01", 3});
  a.Images.push_back({"s_all01", "PlRot01", 5});
  a.Images.push_back({"s_all01", "FontP", 93});
  DeclareWaves(a, "w_kard01",
               {"Kard01", "Kard02", "Kard03", "Kard04", "Kard05", "Pick01", "Boom01"});
  a.Waves.push_back({"w_all01", "Boom07"});
  a.Entries.push_back("t_krd01");
  char wave[8];
  for (int n = 1; n <= 27; ++n) {
    std::snprintf(wave, sizeof wave, "krd%03d", n);
    a.Entries.push_back(wave);
  }
}

}  // namespace cards

std::unique_ptr<Scene> MakeCardGameScene(Game& g) { return std::make_unique<cards::CardGame>(g); }

}  // namespace vepa
