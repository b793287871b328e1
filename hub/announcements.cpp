// Coming back from the lottery draw, the kiosk checks every ticket the player holds against the
// drawn numbers, announces each result clip by clip and pays it. Coming back from a mini-game,
// it compares the winnings with the price paid, comments and pays.
#include <algorithm>
#include <string>

#include "engine/helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "hub/hub.h"

namespace vepa {

namespace {

constexpr int kLineChars = 20;
constexpr int kTickets = 6;  // the ticket numbers have room for six tickets

std::string CutLine(std::string s) {
  if (s.size() > static_cast<size_t>(kLineChars)) s.resize(kLineChars);
  return s;
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

int HubScene::LotteryPrize(int matches) {
  static constexpr int kPrizes[7] = {0, 1, 5, 20, 50, 100, 1000};
  return kPrizes[std::clamp(matches, 0, 6)];
}

int HubScene::CountMatches(int ticket) const {
  if (ticket < 0 || ticket >= kTickets) return 0;
  int matches = 0;
  for (uint8_t number : g.TicketNumbers[ticket]) {
    if (number == 0) continue;  // a place never filled in
    if (std::find(g.DrawnNumbers.begin(), g.DrawnNumbers.end(), number) != g.DrawnNumbers.end())
      ++matches;
  }
  return matches;
}

// Tens of an amount from 21 to 99 ("cf0" + tens + "0"); nothing otherwise.
std::string HubScene::TensClip(int amount) {
  if (amount > 20 && amount < 100) return "cf0" + std::to_string(amount / 10) + "0";
  return "";
}

// Units, or the whole number up to 20; one hundred and one thousand when `hundreds`.
std::string HubScene::UnitsClip(int amount, bool hundreds) {
  if (hundreds && amount == 1000) return "cf999";
  if (hundreds && amount == 100) return "cf100";
  const int n = amount > 20 ? amount % 10 : amount;
  if (n >= 10 && n <= 20) return "cf0" + std::to_string(n);
  if (n >= 1 && n <= 9) return "cf00" + std::to_string(n);
  return "";
}

// The currency word agrees with the last digits: 1 (not 11), 2-4 (not 12-14), the rest.
std::string HubScene::CurrencyClip(int amount) {
  const int last2 = amount % 100, last = amount % 10;
  if (last == 1 && last2 != 11) return "dl001";
  if (last >= 2 && last <= 4 && (last2 < 12 || last2 > 14)) return "dl002";
  return "dl003";
}

void HubScene::SayClip(const std::string& suffix) {
  if (suffix.empty()) return;
  SayWave(g, "r" + suffix, 11000);
}

void HubScene::PayCapped(int amount) {
  // A payment never lifts the money past the cap (nor lowers money already above it).
  const int paid = std::min(MoneyCap, g.Money + amount);
  g.Money = static_cast<uint16_t>(std::max<int>(g.Money, paid));
}

void HubScene::AnnouncementStep() {
  if (HubState >= 10 && HubState <= 13) TicketCheckStep();
  if (HubState >= 14 && HubState <= 16) MiniGameResultStep();
}

void HubScene::TicketCheckStep() {
  switch (HubState) {
    case 10:
      TicketIndex = 0;
      // The tickets held, as many as the numbers have room for. Without tickets there is
      // nothing to check, and the count must not run below zero.
      TicketsToCheck = std::min<int>(g.Tickets, kTickets);
      HubState = TicketsToCheck > 0 ? 11 : 0;
      break;

    case 11: {
      Matches = CountMatches(TicketIndex);
      AnnounceStep = 0;
      g.SpeakerName = "r";
      PhraseRecord& r = g.SpeechRecord;
      for (std::string& line : r.Lines) line.clear();
      r.LineShift = 1;
      SayClip("sm001");
      const std::string number = Cp1251("БИЛЕТ НОМЕР ") + std::to_string(TicketIndex + 1);
      if (Matches == 0) {
        r.Lines[1] = CutLine(number);
        r.Lines[2] = Cp1251("ПРОИГРАЛ!");
      } else {
        Prize = LotteryPrize(Matches);
        r.Lines[0] = CutLine(number);
        r.Lines[1] = Cp1251("ВЫИГРАЛ!");
        r.Lines[2] = CutLine(Cp1251("СОВПАЛО НОМЕРОВ: ") + std::to_string(Matches));
        r.Lines[3] = CutLine(Cp1251("ВЫИГРЫШ: ") + std::to_string(Prize) + "$");
      }
      PlayerSpeaking = 0;
      HubState = 12;
      break;
    }

    case 12:
      if (HostSpeaking != 0) break;
      g.SpeakerName = "r";
      switch (AnnounceStep) {
        case 0:
          SayClip("cf0" + TwoDigits(TicketIndex + 1));
          break;
        case 1:
          SayClip(Matches == 0 ? "sm002" : "sm003");
          break;
        case 2:
          if (Matches == 0)
            HubState = 13;
          else
            SayClip("sm004");
          break;
        case 3:
          SayClip("cf0" + TwoDigits(Matches));
          break;
        case 4:
          SayClip("sm005");
          break;
        case 5:
          SayClip(TensClip(Prize));
          break;
        case 6:
          SayClip(UnitsClip(Prize, true));
          break;
        case 7:
          SayClip(CurrencyClip(Prize));
          break;
        default:
          HubState = 13;
          break;
      }
      // Each clip is waited for by the speech channel itself; without sound the steps follow
      // one per frame.
      g.SpeechCountdown = 0;
      ++AnnounceStep;
      if (EscDown == 1) HubState = 13;  // skip the rest of this ticket, not its payment
      break;

    case 13:
      if (Matches > 0) PayCapped(Prize);
      ++TicketIndex;
      --g.Tickets;  // every ticket held is used up, won or lost
      if (TicketIndex < TicketsToCheck) {
        HubState = 11;
      } else {
        HubState = 0;
        g.TicketsFilled = 0;
      }
      break;

    default:
      break;
  }
}

void HubScene::MiniGameResultStep() {
  switch (HubState) {
    case 14: {
      if (g.ExitMenuState == 2) {  // left through the exit box: a remark, no pay
        SayCashier(46);
        ResultKind = 0;
      } else {
        PhraseRecord& r = g.SpeechRecord;
        for (std::string& line : r.Lines) line.clear();
        g.SpeakerName = "r";
        const std::string won = std::to_string(g.GameWinnings) + "$";
        // A prize: the clip, two lines of praise and the sum on the third.
        auto paid = [&](const char* clip, const char* first, const char* second, const char* sum,
                        int kind) {
          SayClip(clip);
          r.LineShift = 0;
          r.Lines[1] = Cp1251(first);
          r.Lines[2] = Cp1251(second);
          r.Lines[3] = CutLine(Cp1251(sum) + won);
          ResultKind = kind;
        };
        if (g.GameWinnings > g.GameStake) {
          paid("sm006", "ТЫ ПОБЕДИЛ", "В ЭТОЙ ИГРЕ!", "И ВЫИГРАЛ ", 2);
        } else if (g.GameWinnings > 0) {
          paid("sm009", "ПРИКОЛЬНО,", "МОГЛО БЫТЬ И ХУЖЕ", "ПОЛУЧИ ЗА ЭТО ", 1);
        } else {
          r.LineShift = 1;
          SayClip("sm008");
          r.Lines[1] = Cp1251("ТЫ ПРОИГРАЛ");
          r.Lines[2] = Cp1251("В ЭТОЙ ИГРЕ!");
          ResultKind = 0;
        }
      }
      g.GameStake = 0;
      AnnounceStep = 0;
      PlayerSpeaking = 0;
      HubState = 15;
      break;
    }

    case 15:
      if (HostSpeaking != 0) break;
      if (EscDown == 1 || EnterDown == 1) {
        HubState = 16;
        break;
      }
      g.SpeakerName = "r";
      switch (AnnounceStep) {
        case 0:
          if (ResultKind == 2) SayClip("sm007");
          break;
        case 1:
          SayClip(TensClip(g.GameWinnings));
          break;
        case 2:
          SayClip(UnitsClip(g.GameWinnings, false));
          break;
        case 3:
          SayClip(CurrencyClip(g.GameWinnings));
          break;
        default:
          break;
      }
      if (EscDown == 1 || AnnounceStep == 4 || ResultKind == 0) HubState = 16;
      g.SpeechCountdown = 0;
      ++AnnounceStep;
      break;

    case 16:
      if (ResultKind > 0) PayCapped(g.GameWinnings);
      HubState = 0;
      break;

    default:
      break;
  }
}

}  // namespace vepa
