// The ticket scene, scene 23. The player fills in every lottery ticket he holds: a ticket is a
// 6 by 6 grid of the numbers 1 to 36 and he crosses out six different numbers on each, one
// ticket after the other. A hand with a pen travels to the clicked number and draws a cross.
// When the last ticket has its six numbers the scene closes, marks the tickets as filled and
// returns to the kiosk.
//
// Click states: 0 the pen follows the pointer, 1 the pen travels to the clicked number, 2 the
// pen draws the cross (HandFrame 1..4 on every second tick).
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "lottery/ticket_layout.h"

namespace vepa {
namespace {

using lottery::TicketCells;

constexpr SceneEntries kEntries{.Background = "r_bil01",
                                .Images = "s_bil01",
                                .Music = "m_vepa4",
                                .Waves = "w_bil01",
                                .HitMap = "b_bil01"};

constexpr int kNumbersPerTicket = 6;
// TicketNumbers has room for six tickets; more can never be filled in.
constexpr int kMaxTickets = 6;

constexpr int kNumberSize = 18;
constexpr int kCaptionSize = 15;
constexpr int kCaptionTop = 190, kCaptionStep = 20;

// The pen steps this far per tick towards its target, and snaps to it from closer.
constexpr int kPenStep = 3, kPenSnap = 2;
// The pen's drawing animation: its last step stores the cross.
constexpr int kCrossDoneFrame = 4;
constexpr int kPenPatterns = kCrossDoneFrame;  // patterns 0..3 are drawn

constexpr int kRate = 11000;

int StepTowards(int from, int to) {
  if (from < to - kPenSnap) return from + kPenStep;
  if (from > to + kPenSnap) return from - kPenStep;
  return to;
}

class TicketScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.TakeStake = true, .IdlePointer = true})) return;
    CurrentTicket = 0;
    CrossedCount = 0;
    PenNumber = 0;
    CrossX = {};
    CrossY = {};
    // Every ticket is filled in anew each time.
    for (auto& ticket : g.TicketNumbers) ticket.fill(0);
    EnterScene(g, SceneId::Ticket);
    if (TicketsToFill() == 0) {
      // Nothing to fill in: the kiosk closed its screen to come here, so it stays covered and
      // the first tick goes straight back.
      g.FadeMode = 1;
      g.FadeProgress = 400;
    }
  }

  void Frame() override {
    DrawNumbers();
    if (g.ClickState == 0) {
      HandX = g.MouseX;
      HandY = g.MouseY;
    }
    PenNumber = NumberUnderPen();
    if (PenNumber == 0 || CurrentTicket >= TicketsToFill()) DropClick();
    if (g.ClickState == 1) TravelToNumber();
    if (g.FrameToggle == 1 && g.ClickState == 2) ++g.HandFrame;
    if (g.ClickState == 2 && g.HandFrame == kCrossDoneFrame) StoreCross();
    DrawCaptions();
    for (int i = 0; i < CrossedCount; ++i) g.layer.Draw(2, "Krest01", 0, CrossX[i], CrossY[i]);
    g.layer.Draw(2, "Ruka01", g.HandFrame, HandX, HandY + lottery::PenDrawDY);
    if (g.FadeMode == 0 && CrossedCount >= kNumbersPerTicket && CurrentTicket >= TicketsToFill())
      StartClosing(g);
    if (ScreenCovered(g)) {
      if (TicketsToFill() > 0) g.TicketsFilled = 1;
      ReturnToKiosk(g, HubEntry::Plain);
    }
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("CurrentTicket", CurrentTicket, "CrossedCount", CrossedCount, "HandX", HandX, "HandY",
             HandY, "PenNumber", PenNumber, "CrossX", CrossX, "CrossY", CrossY);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    a.Images.push_back({"s_bil01", "Krest01", 1});
    a.Images.push_back({"s_bil01", "Ruka01", kPenPatterns});
    a.Images.push_back({"s_all01", "FontP", 90});  // style-1 digits are glyphs 80..89
    a.Waves.push_back({"w_bil01", "Krest01"});
    a.Waves.push_back({"w_bil01", "Paper01"});
  }

 private:
  int TicketsToFill() const { return std::min<int>(g.Tickets, kMaxTickets); }

  void DrawNumbers() {
    for (int n = 1; n <= 36; ++n) {
      const auto& c = TicketCells[n - 1];
      DrawTextCentered(g, c.X, c.Y, kNumberSize, NumberText(n), 1, kNumberSize);
    }
  }

  // The number whose area lies under the pen's tip; 0 for none, for a number already crossed
  // on this ticket, and for a code of the map that is no number.
  uint8_t NumberUnderPen() const {
    const uint8_t n = g.HitMapAt(HandX, HandY, lottery::PenTipDX, 0);
    if (n < 1 || n > 36) return 0;
    if (CurrentTicket < kMaxTickets) {
      for (int i = 0; i < CrossedCount && i < kNumbersPerTicket; ++i)
        if (g.TicketNumbers[CurrentTicket][i] == n) return 0;
    }
    return n;
  }

  // The pen has nothing to draw: the press is forgotten and the pen follows the pointer again.
  // The drawing step goes back to rest as well, or a pen dropped mid-cross would block every
  // later press (a press needs HandFrame 0).
  void DropClick() {
    g.ClickState = 0;
    g.HandFrame = 0;
  }

  void TravelToNumber() {
    const auto& c = TicketCells[PenNumber - 1];
    const int tx = c.X + lottery::PenAimDX, ty = c.Y + lottery::PenAimDY;
    HandX = StepTowards(HandX, tx);
    HandY = StepTowards(HandY, ty);
    if (HandX == tx && HandY == ty) {
      g.ClickState = 2;
      PlaySceneSound(g, "Krest01", kRate);
    }
  }

  void StoreCross() {
    CrossX[CrossedCount] = HandX + lottery::CrossDX;
    CrossY[CrossedCount] = HandY + lottery::CrossDY;
    g.TicketNumbers[CurrentTicket][CrossedCount] = PenNumber;
    ++CrossedCount;
    g.HandFrame = 0;
    g.ClickState = 0;
    if (CrossedCount >= kNumbersPerTicket) {
      ++CurrentTicket;
      if (CurrentTicket < TicketsToFill()) {
        CrossedCount = 0;
        PlaySceneSound(g, "Paper01", kRate);  // a fresh ticket
      }
    }
  }

  void DrawCaptions() {
    static const std::string kTicket = Cp1251("БИЛЕТ"), kNumber = Cp1251("НОМ. "),
                             kCross = Cp1251("ЗАЧЕРКНИ"), kNumbers = Cp1251("НОМЕРОВ");
    // After the last ticket the count has run past it; the caption keeps the last ticket's
    // number while the screen closes.
    const int shown = std::min(CurrentTicket + 1, std::max(TicketsToFill(), 1));
    int y = kCaptionTop;
    auto caption = [&](const std::string& text, int digitStyle) {
      DrawTextCentered(g, lottery::TicketCaptionX, y, kCaptionSize, text, digitStyle, kCaptionSize);
      y += kCaptionStep;
    };
    caption(kTicket, 0);
    caption(kNumber + std::to_string(shown), 0);
    caption(kCross, 0);
    caption("6", 1);
    caption(kNumbers, 0);
  }

  static const std::string& NumberText(int n) {
    static const std::array<std::string, 37> kTexts = [] {
      std::array<std::string, 37> t;
      for (int i = 0; i < 37; ++i) t[i] = std::to_string(i);
      return t;
    }();
    return kTexts[n];
  }

  int CurrentTicket = 0;
  int CrossedCount = 0;
  int HandX = 0, HandY = 0;
  uint8_t PenNumber = 0;
  std::array<int32_t, kNumbersPerTicket> CrossX{}, CrossY{};
};

}  // namespace

std::unique_ptr<Scene> MakeTicketScene(Game& g) { return std::make_unique<TicketScene>(g); }

}  // namespace vepa
