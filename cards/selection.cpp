// The opponent selection, scene 46: three cashier portraits over the labels for one, two and
// three opponents. The player clicks a label, then "ГОТОВО"; the screen closes and the card
// game is dealt for that many opponents. Small lights run from the player's figure to the
// chosen label along the arrows.
#include <array>
#include <memory>

#include "app/game.h"
#include "app/json.h"
#include "cards/card_layout.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"

namespace vepa {
namespace {

using namespace cards;

constexpr SceneEntries kEntries{
    .Background = "r_brn01", .Images = "s_sel01", .Music = "m_vepa4", .HitMap = "b_sel01"};

constexpr int kRate = 11000;
constexpr int kBallCount = 5;
constexpr int kBallEvery = 10;  // the emitter's counter runs 0..10: a light every 11 frames
// A light starts at the player's figure and climbs to the crossing of the arrows, runs along
// them and climbs the last bit to the label's arrow head.
constexpr int kBallStartX = 319, kBallStartY = 296;
constexpr int kCrossY = 276, kRunY = 275, kTopY = 266;
constexpr int kLeftEnd = 145, kLeftHead = 139, kRightEnd = 495, kRightHead = 499;

struct Ball {
  int X = 0, Y = 0, Route = 0, PulseDown = 0, Alpha = 0, Active = 0;
};

// What the selection starts afresh on every visit.
struct SelectionState {
  int OpponentChoice = 2;
  int SelectionDone = 0;
  int ContinueFlag = 0;
  int EyeFrame = 0, EyeClosing = 0;
  int BallTimer = 0;
  std::array<Ball, kBallCount> Balls{};
};

class SelectionScene : public Scene, private SelectionState {
 public:
  using Scene::Scene;

  void Load(int arg) override {
    if (!LoadSceneEntries(g, kEntries, {.IdlePointer = true})) return;
    static_cast<SelectionState&>(*this) = {};
    ContinueFlag = arg;
    EnterScene(g, SceneId::OpponentSelection);
  }

  void Frame() override {
    const int code = g.HitMapAt(g.MouseX, g.MouseY, 0, HitReadDY);
    if (SelectionDone == 0 && g.HandFrame == 1 && g.ClickState == 1) Choose(code);

    DrawTextCentered(g, 320, 10, 15, Cp1251("ВЫБЕРИ КОЛИЧЕСТВО СОПЕРНИКОВ"), 0, 15);
    for (int i = 0; i < 3; ++i) {
      g.layer.Draw(2,
                   i == 0   ? "Kassir01"
                   : i == 1 ? "Kassir02"
                            : "Kassir03",
                   0, PortraitX[i], PortraitY[i]);
      g.layer.Draw(2, "Text01", i, LabelX + LabelStep * i, LabelY);
      g.layer.Draw(2, "Selec01", i == OpponentChoice ? 1 : 0, MarkX[i], MarkY);
    }
    g.layer.Draw(2, "Strelk01", 0, ArrowsX, ArrowsY);
    g.layer.Draw(2, "Player01", 0, PlayerX, PlayerY);
    Blink();
    EmitBall();
    for (Ball& b : Balls)
      if (b.Active) MoveBall(b);

    g.layer.DrawPatternAlpha(g.layer.FindImage(1, "Button01"), 0,
                             Rect{ReadyLeft, ReadyTop, ReadyRight, ReadyBottom}, 1000);
    DrawTextCentered(g, 570, 440, 15, Cp1251("ГОТОВО"), 0, 15);
    PointerPressStep(g);
    DrawPointer(g);

    if (g.FadeMode == 0 && SelectionDone == 1) StartClosing(g);
    // Bought from the kiosk the card game follows; otherwise the screen stays covered.
    if (ScreenCovered(g) && ContinueFlag == 1) g.LoadScene(SceneId::CardGame, OpponentChoice);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("OpponentChoice", OpponentChoice, "SelectionDone", SelectionDone, "ContinueFlag",
             ContinueFlag, "EyeFrame", EyeFrame, "BallTimer", BallTimer);
    j.BeginArray("Balls");
    for (const Ball& b : Balls) {
      j.BeginObject();
      j.Fields("X", b.X, "Y", b.Y, "Route", b.Route, "Alpha", b.Alpha, "Active", b.Active);
      j.EndObject();
    }
    j.EndArray();
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const char* name : {"Kassir01", "Kassir02", "Kassir03", "Strelk01", "Player01", "Ball01"})
      a.Images.push_back({"s_sel01", name, 1});
    constexpr ImageUse kPictures[] = {{"s_sel01", "Text01", 3}, {"s_sel01", "Selec01", 2},
                                      {"s_sel01", "Glaz01", 2}, {"s_all01", "Button01", 1},
                                      {"s_all01", "Ruka01", 3}, {"s_all01", "FontP", 93}};
    DeclareImages(a, kPictures);
    a.Waves.push_back({"w_all01", "Boom07"});
  }

 private:
  void Choose(int code) {
    const int old = OpponentChoice;
    if (code >= HitOneOpponent && code <= HitThreeOpponents) OpponentChoice = code - 1;
    if (code == HitReady) SelectionDone = 1;
    if (OpponentChoice != old || code == HitReady) PlayCommonSound(g, "Boom07", kRate);
  }

  void Blink() {
    if (g.Random(30) == 25) {
      if (EyeFrame == 0 && EyeClosing == 0) EyeClosing = 1;
    } else if (g.Random(10) == 5 && EyeFrame == 2 && EyeClosing == 1) {
      EyeClosing = 0;
    }
    if (EyeFrame > 0 && EyeClosing == 0) --EyeFrame;
    if (EyeFrame < 2 && EyeClosing == 1) ++EyeFrame;
    if (EyeFrame > 0) g.layer.Draw(2, "Glaz01", EyeFrame - 1, EyelidsX, EyelidsY);
  }

  void EmitBall() {
    if (++BallTimer > kBallEvery) BallTimer = 0;
    if (BallTimer != 0) return;
    for (int i = kBallCount - 1; i >= 0; --i) {
      if (Balls[i].Active) continue;
      Balls[i] = Ball{kBallStartX, kBallStartY, OpponentChoice, 0, 0, 1};
      return;
    }
  }

  // A light keeps the route it was made with, whatever is chosen while it runs.
  void MoveBall(Ball& b) {
    if (b.PulseDown == 0) {
      if (b.Alpha >= 250)
        b.PulseDown = 1;
      else
        b.Alpha += 30;
    } else {
      if (b.Alpha <= 100)
        b.PulseDown = 0;
      else
        b.Alpha -= 30;
    }
    Climb(b);
    g.layer.DrawPatternAlpha(g.layer.FindImage(2, "Ball01"), 0, Rect{b.X, b.Y, b.X + 3, b.Y + 3},
                             b.Alpha);
  }

  // Route 1 goes straight up. Route 0 runs to the left, 2 to the right: up to the crossing, along
  // the run to its end, then up again from the head of the run.
  static void Climb(Ball& b) {
    if (b.Route == 1) {
      if (b.Y > kTopY)
        b.Y -= 2;
      else
        b.Active = 0;
      return;
    }
    const bool left = b.Route == 0;
    if (b.Y > kCrossY)
      b.Y -= 2;
    else if (left ? b.X > kLeftEnd : b.X < kRightEnd) {
      b.X += left ? -5 : 5;
      b.Y = kRunY;
    } else if (b.Y > kTopY) {
      b.Y -= 2;
      b.X = left ? kLeftHead : kRightHead;
    } else
      b.Active = 0;
  }
};

}  // namespace

std::unique_ptr<Scene> MakeSelectionScene(Game& g) { return std::make_unique<SelectionScene>(g); }

}  // namespace vepa
