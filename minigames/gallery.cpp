// The shooting gallery, scene 4. Five shots with a sight that trembles in the hand; three
// apples on the shelf (3 dollars each), the windmill (20 a hit, as often as it is hit), the tin
// rabbit and duck running to and fro on their rail (5 a hit, and the hit one turns about), and
// the lamp that lights the booth: shoot that and the game is over at once, and the lamp scene
// follows with its fine. A miss leaves a bullet hole. The kiosk pays the prize on the way back.
//
// Click states: 0 ready, 1 the trigger pulled (set by the mouse handler while shots are left),
// 2 the bullet strikes, 3 the gun settles back. Each stage lasts until the next frame on which
// FrameToggle is set, so a shot takes about six frames and the aim keeps trembling until the
// bullet strikes.
#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/gallery_layout.h"
#include "minigames/state_arrays.h"

namespace vepa {
namespace {

using namespace gallery;

constexpr SceneEntries kEntries{.Background = Backdrop,
                                .Images = Sprites,
                                .Music = Music,
                                .MusicOffset = MusicOffset,
                                .HitMap = HitMapEntry};

struct RailTarget {
  int32_t X = 0;
  int32_t Dir = 0;   // 0 moving right, 1 moving left
  int32_t Turn = 0;  // 0 moving, 1..3 turning about
  int32_t Pattern = 0;
};

struct FallingApple {
  int32_t X = 0, Y = 0, Angle = 0, Speed = 0, Active = 0;
};

struct BulletHole {
  int32_t X = 0, Y = 0;
  uint8_t Layer = 0;  // 0 none, 1 behind the targets, 2 in front of them
  uint8_t Pattern = 0;
};

class GalleryScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, kAimingGameStart)) return;
    Rabbit = {0, 0, 0, 0};
    Duck = {RailLength, 1, 0, 0};
    for (FallingApple& a : Falling) a.Active = 0;
    AppleDown = {0, 0, 0};
    MillTimer = 0;
    for (BulletHole& h : Holes) h.Layer = 0;
    MillAngle = 0;
    LampHit = 0;
    RecoilTimer = 0;
    g.ShotsLeft = Shots;
    EndCount = 0;
    EnterScene(g, SceneId::Gallery);
  }

  void Frame() override {
    g.layer.Draw(1, "Bax01", 0, PlateAt.X, PlateAt.Y);
    DrawTextCentered(g, ScoreAt.X, ScoreAt.Y, ScoreSize, std::to_string(g.GameWinnings), 0,
                     ScoreSize);
    TrembleAim(g, AimTremor);
    KeepAimInArea(g, AimBounds);

    g.layer.Draw(2, "Lamp01", 0, LampAt.X, LampAt.Y);
    g.layer.Draw(2, "Apple01", AppleDown[0] + 1, AppleAt[0].X, AppleAt[0].Y);
    g.layer.Draw(2, "Apple01", 2 * AppleDown[1], AppleAt[1].X, AppleAt[1].Y);
    g.layer.Draw(2, "Apple01", AppleDown[2] + 1, AppleAt[2].X, AppleAt[2].Y);
    g.layer.Draw(2, "Tex01", 0, BackSceneryAt.X, BackSceneryAt.Y);

    MoveOnRail(Rabbit);
    MoveOnRail(Duck);
    DrawHoles(1);
    g.layer.Draw(2, "Rabbit01", Rabbit.Pattern, Rabbit.X + RailX, RailY);
    g.layer.Draw(2, "Duck01", Duck.Pattern, Duck.X + RailX, RailY);
    g.layer.Draw(2, "Tex02", 0, FrontSceneryAt.X, FrontSceneryAt.Y);
    DrawHoles(2);

    TurnMill();
    DropApples();
    for (int i = 1; i <= g.ShotsLeft; ++i)
      g.layer.Draw(2, "Gilza01", 0, CartridgeStep * i, CartridgeY - i);
    g.layer.Draw(1, "Pricel01", 0, AimX() + SightDX, AimY() + SightDY);
    // With the lamp shot the game is over: a trigger pulled while the booth goes dark fires
    // nothing, or a shot in the dark could still win a prize.
    if (LampHit == 10 && g.ClickState == 1) g.ClickState = 0;
    DrawGun();

    if (g.FrameToggle != 0 && g.ClickState > 0) ShotStep();
    if (RecoilTimer > 0 && ++RecoilTimer > RecoilFrames) {
      RecoilTimer = 0;
      StopCommonSound(g, "Boom04");
    }
    if (g.ShotsLeft == 0) ++EndCount;

    if (g.FadeMode == 0 && (LampHit == 10 || EndCount > EndFrames)) StartClosing(g);
    if (ScreenCovered(g)) {
      if (LampHit == 10)
        g.LoadScene(SceneId::Lamp);
      else
        ReturnToKiosk(g, HubEntry::AfterGame);
    }
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("ShotsLeft", g.ShotsLeft, "Prize", g.GameWinnings, "AimX", AimX(), "AimY", AimY(),
             "AppleDown", AppleDown, "MillTimer", MillTimer, "MillAngle", MillAngle);
    DescribeTarget(j, "Rabbit", Rabbit);
    DescribeTarget(j, "Duck", Duck);
    FieldArray(j, "FallingAppleX", Falling, &FallingApple::X);
    FieldArray(j, "FallingAppleY", Falling, &FallingApple::Y);
    FieldArray(j, "FallingAppleSpeed", Falling, &FallingApple::Speed);
    FieldArray(j, "FallingAppleActive", Falling, &FallingApple::Active);
    FieldArray(j, "HoleX", Holes, &BulletHole::X);
    FieldArray(j, "HoleY", Holes, &BulletHole::Y);
    FieldArray(j, "HoleLayer", Holes, &BulletHole::Layer);
    FieldArray(j, "HolePattern", Holes, &BulletHole::Pattern);
    j.Fields("RecoilTimer", RecoilTimer, "LampHit", LampHit, "EndCount", EndCount, "LastHitValue",
             LastHitValue);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const char* name :
         {"Lamp01", "Apple02", "Tex01", "Tex02", "Melnica01", "Gilza01", "Gun01", "Gun02", "Gun03"})
      a.Images.push_back({Sprites, name, 1});
    constexpr ImageUse kPictures[] = {{Sprites, "Apple01", 3},
                                      {Sprites, "Dirka01", HolePatterns},
                                      {Sprites, "Rabbit01", 8},
                                      {Sprites, "Duck01", 8},
                                      {Sprites, "Fire01", 2},
                                      {"s_all01", "Bax01", 1},
                                      {"s_all01", "Pricel01", 1},
                                      // digits of style 0 are glyphs 32..41
                                      {"s_all01", "FontP", 42}};
    DeclareImages(a, kPictures);
    DeclareWaves(a, "w_all01", {"Boom04", "Boom05", "Boom06", "Boom07", "Melnic01"});
  }

 private:
  int AimX() const { return g.MouseX + g.AimShakeX; }
  int AimY() const { return g.MouseY + g.AimShakeY; }

  static void DescribeTarget(JsonWriter& j, std::string_view name, const RailTarget& t) {
    j.BeginObject(name);
    j.Fields("X", t.X, "Dir", t.Dir, "Turn", t.Turn, "Pattern", t.Pattern);
    j.EndObject();
  }

  // A tin target runs to the end of the rail, turns about over three frames of two and runs
  // back. Moving right shows pattern 2, moving left pattern 6; a turn runs through the patterns
  // in between.
  void MoveOnRail(RailTarget& t) {
    if (t.Turn == 0) {
      if (t.Dir == 0) {
        if (t.X < RailLength)
          t.X += RailStep;
        else
          t.Turn = 1;
      } else {
        if (t.X > 0)
          t.X -= RailStep;
        else
          t.Turn = 1;
      }
    } else if (g.FrameToggle != 0) {
      if (++t.Turn > 3) {
        t.Turn = 0;
        t.Dir = 1 - t.Dir;
      }
    }
    t.Pattern = t.Turn + 2 + 4 * t.Dir;
    if (t.Pattern > 7) t.Pattern -= 8;
  }

  void DrawHoles(uint8_t layer) {
    for (const BulletHole& h : Holes)
      if (h.Layer == layer) g.layer.Draw(2, "Dirka01", h.Pattern, h.X + HoleDX, h.Y + HoleDY);
  }

  void TurnMill() {
    if (MillTimer > 0) {
      ++MillAngle;
      ++MillTimer;
      if (MillTimer == 2) PlayCommonSound(g, "Melnic01", SoundRate);
      if (MillTimer > MillTurnFrames) MillTimer = 0;
    }
    g.layer.DrawPatternRotated(g.layer.FindImage(2, "Melnica01"), 0, MillCentre.X, MillCentre.Y,
                               MillSize, MillSize, 0.5, 0.5, MillAngleStep * MillAngle);
  }

  // A knocked-off apple jumps up, then falls ever faster (at most 25 a frame, halved), drifting
  // sideways, and is gone once below the screen.
  void DropApples() {
    for (FallingApple& a : Falling) {
      if (a.Active != 1) continue;
      a.X += g.Random(20) - 10;
      a.Y += Nearest(a.Speed * 0.5);
      if (a.Speed < 25) ++a.Speed;
      a.Angle += 10;
      g.layer.DrawPatternRotated(g.layer.FindImage(2, "Apple02"), 0, a.X, a.Y, FallingAppleW,
                                 FallingAppleH, 0.5, 0.5, a.Angle);
      if (a.Y > 480) a.Active = 0;
    }
  }

  void DrawGun() {
    const int gx = Nearest(AimX() * GunFollowX), gy = Nearest(AimY() * GunFollowY);
    const uint8_t c = g.ClickState;
    if (c == 1) g.layer.Draw(2, "Fire01", 0, gx + FlashAt.X, gy + FlashAt.Y);
    if (c == 2) g.layer.Draw(2, "Fire01", 1, gx + SmokeAt.X, gy + SmokeAt.Y);
    if (c == 0) g.layer.Draw(2, "Gun01", 0, gx + GunRestAt.X, gy + GunRestAt.Y);
    if (c == 1 || c == 3) g.layer.Draw(2, "Gun02", 0, gx + GunKickAt.X, gy + GunKickAt.Y);
    if (c == 2) g.layer.Draw(2, "Gun03", 0, gx + GunRecoilAt.X, gy + GunRecoilAt.Y);
  }

  void RestartSound(std::string_view name) {
    StopCommonSound(g, name);
    PlayCommonSound(g, name, SoundRate);
  }

  void ShotStep() {
    if (g.ClickState == 1) {
      RecoilTimer = 1;
      RestartSound("Boom04");
      if (g.ShotsLeft > 0) --g.ShotsLeft;
    } else if (g.ClickState == 2) {
      Strike();
    }
    if (++g.ClickState > 3) g.ClickState = 0;
  }

  // The bullet strikes where the sight is now. An apple already down is not there any more, so
  // the shot goes on to the animals and the wall behind.
  void Strike() {
    const int px = AimX(), py = AimY();
    const uint8_t v = g.HitMapAt(px, py);
    LastHitValue = v;
    if (v == CodeLamp) LampHit = 10;
    const int apple = v - CodeFirstApple;
    if (apple >= 0 && apple < 3 && AppleDown[apple] == 0) {
      AppleDown[apple] = 1;
      RestartSound("Boom07");
      g.GameWinnings += ApplePrize;
      Falling[apple] = {AppleFallX + AppleFallStep * apple, AppleFallY, 0, -10, 1};
    } else if (v == CodeMill) {
      MillTimer = 1;
      RestartSound("Boom05");
      g.GameWinnings += MillPrize;
    } else if (Inside(DuckBox, Duck.X, px, py)) {
      Duck.Turn = 1;
      g.GameWinnings += AnimalPrize;
      RestartSound("Boom06");
    } else if (Inside(RabbitBox, Rabbit.X, px, py)) {
      Rabbit.Turn = 1;
      g.GameWinnings += AnimalPrize;
      RestartSound("Boom06");
    } else {
      // One hole a shot: the slot is the count of shots left after this one, 4 down to 0 (the
      // remainder only guards the slots should the count ever be set from outside).
      BulletHole& h = Holes[g.ShotsLeft % Holes.size()];
      h.Layer = v == CodeCounter ? 2 : 1;
      h.X = px;
      h.Y = py;
      h.Pattern = static_cast<uint8_t>(g.Random(HolePatterns));
    }
  }

  static bool Inside(const HitBox& b, int x, int px, int py) {
    return x + b.Left < px && px < x + b.Right && b.Top < py && py < b.Bottom;
  }

  std::array<uint8_t, 3> AppleDown{};
  uint8_t MillTimer = 0;
  int32_t MillAngle = 0;
  RailTarget Rabbit, Duck;
  std::array<FallingApple, 3> Falling{};
  std::array<BulletHole, 5> Holes{};
  int32_t RecoilTimer = 0;
  uint8_t LampHit = 0;
  int32_t EndCount = 0;
  int32_t LastHitValue = 0;
};

}  // namespace

std::unique_ptr<Scene> MakeGalleryScene(Game& g) { return std::make_unique<GalleryScene>(g); }

}  // namespace vepa
