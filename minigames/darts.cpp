// Darts, scene 1. Three darts lie on the rack below the board; the player takes one, aims
// while the hand trembles and throws with a second click. The ring under the dart's tip is
// worth 0 to 4 dollars; after the third dart the scene closes and the kiosk pays the total.
//
// Click states: 0 empty hand, 1 taking a dart, 2 aiming, 3 throwing (the mouse handler moves
// 0 -> 1 on the rack and 2 -> 3 over the board; the scene does the rest). HandFrame counts the
// steps of the take (1..6) and of the throw (7..11) at half rate.
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/darts_layout.h"

namespace vepa {
namespace {

using namespace darts;

constexpr SceneEntries kEntries{
    .Background = BackgroundEntry, .Images = ImagesEntry, .HitMap = HitMapEntry};

constexpr int kTremor = 15;  // each tick the aim wanders by -15..+15 on each axis
// The aim point stays in the playing area; at the area's edges the tremor creeps back.
constexpr AimArea kAimArea{
    .Right = 500, .Bottom = 480, .StopRight = 500, .Slack = kTremor, .Creep = 10};

// Steps of the hand animation.
constexpr int kPickSoundStep = 2, kRackTakeStep = 3, kAimStep = 6;
constexpr int kLandStep = 9, kThrowDoneStep = 11;

// The end: frames after the third dart lands.
constexpr int kCloseAt = 22, kLeaveAt = 30;

constexpr int kRate = 11000;

class DartsScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, kAimingGameStart)) return;
    DartOrder = {0, 1, 2};
    DartsOnRack() = 3;
    DartsThrown = 0;
    EndCount = 0;
    EnterScene(g, SceneId::Darts);
  }

  void Frame() override {
    g.layer.Draw(2, "DTir01", 0, BoardX, BoardY);
    g.layer.Draw(1, "Bax01", 0, PlateX, PlateY);
    DrawTextCentered(g, ScoreX, ScoreY, ScoreSize, std::to_string(g.GameWinnings), 0, ScoreSize);
    if (g.ClickState == 2) TrembleAim(g, kTremor);  // while a dart is in hand
    KeepAimInArea(g, kAimArea);
    if (g.FrameToggle == 1) StepHand();
    for (int i = 0; i < DartsOnRack(); ++i)
      g.layer.Draw(2, "Drot01", 0, RackX + RackStep * i, RackY);
    for (int i = 0; i < DartsThrown; ++i) {
      const int n = DartOrder[i];
      g.layer.Draw(2, "Drot02", 0, DartX[n] + TipDX, DartY[n] + TipDY - StuckTipY);
    }
    DrawHand();
    if (DartsThrown > 2) {
      ++EndCount;
      if (EndCount == kCloseAt) StartClosing(g);
      if (EndCount >= kLeaveAt) ReturnToKiosk(g, HubEntry::AfterGame);
    }
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("DartsOnRack", g.SceneBytes[0], "DartsThrown", DartsThrown, "EndCount", EndCount,
             "DartX", DartX, "DartY", DartY, "DartOrder", DartOrder);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const char* name : {"DTir01", "Drot01", "Drot02", "Ruka01", "Ruka02"})
      a.Images.push_back({std::string(ImagesEntry), name, 1});
    a.Images.push_back({std::string(ImagesEntry), "Ruka03", 9});
    a.Images.push_back({"s_all01", "Bax01", 1});
    a.Images.push_back({"s_all01", "FontP", 42});  // digits of style 0 are glyphs 32..41
    a.Waves.push_back({"w_all01", "Pick01"});
    a.Waves.push_back({"w_all01", "Boom01"});
  }

 private:
  // The mouse handler reads the darts left from the shared work area, so they live there.
  uint8_t& DartsOnRack() { return g.SceneBytes[0]; }
  int AimX() const { return g.MouseX + g.AimShakeX; }
  int AimY() const { return g.MouseY + g.AimShakeY; }

  void StepHand() {
    if (g.ClickState == 1) {
      ++g.HandFrame;
      if (g.HandFrame == kPickSoundStep) PlayCommonSound(g, "Pick01", kRate);
      if (g.HandFrame == kRackTakeStep && DartsOnRack() > 0) --DartsOnRack();
      if (g.HandFrame >= kAimStep) g.ClickState = 2;
    } else if (g.ClickState == 3) {
      ++g.HandFrame;
      if (g.HandFrame == kLandStep) Land();
      if (g.HandFrame >= kThrowDoneStep) {
        g.ClickState = 0;
        g.HandFrame = 0;
      }
    }
  }

  void Land() {
    const int x = AimX(), y = AimY();
    // Only three darts can be taken, so a fourth landing cannot happen; should the shared
    // state ever say otherwise the dart is not stored.
    if (DartsThrown < 3) {
      DartX[DartsThrown] = x;
      DartY[DartsThrown] = y;
      ++DartsThrown;
      SortDarts();
    }
    const uint8_t v = g.HitMapAt(x + TipDX, y + TipDY);
    if (v >= FirstRing && v <= LastRing) g.GameWinnings += v - FirstRing;
    PlayCommonSound(g, "Boom01", kRate);
  }

  // Drawing order by falling X, so the leftmost dart is drawn last, on top. Every pair is
  // compared both ways; with equal X nothing moves.
  void SortDarts() {
    DartOrder = {0, 1, 2};
    for (int i = 0; i < DartsThrown; ++i)
      for (int j = 0; j < DartsThrown; ++j)
        if (DartX[DartOrder[i]] > DartX[DartOrder[j]]) std::swap(DartOrder[i], DartOrder[j]);
  }

  void DrawHand() {
    const int x = AimX(), y = AimY();
    const int f = g.HandFrame;
    if (f == 0)
      g.layer.Draw(2, "Ruka01", 0, x, y);
    else if (f <= 5)  // taking the dart from the rack
      g.layer.Draw(2, "Ruka03", f - 1, x + TakeDX, y + TakeDY);
    else if (f == kAimStep)
      g.layer.Draw(2, "Ruka02", 0, x + AimHandDX, y + AimHandDY);
    else if (f <= 8)  // the throw
      g.layer.Draw(2, "Ruka03", f - 2, x + ThrowDX, y + ThrowDY);
    else if (f <= 10)  // the empty hand comes back
      g.layer.Draw(2, "Ruka03", f - 2, x + TakeDX, y + TakeDY);
  }

  uint8_t DartsThrown = 0;
  uint8_t EndCount = 0;
  std::array<int32_t, 3> DartX{}, DartY{};  // aim point of each landed dart, by throw number
  std::array<uint8_t, 3> DartOrder{0, 1, 2};
};

}  // namespace

std::unique_ptr<Scene> MakeDartsScene(Game& g) { return std::make_unique<DartsScene>(g); }

}  // namespace vepa
