// The aquarium, scene 2: the tank, its four creatures, the bubbles, the buckets with their
// counts, the clock and the end of the contest. The anglers are in aquarium_anglers.cpp.
//
// The contest lasts 600 game seconds of 17 frames each. A creature that touches a hook with its
// mouth bites; the angler reels it in and drops it into its bucket, where it is counted, and a
// new one grows out of the sunken castle. The big fish cannot be caught.
#include "minigames/aquarium.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/aquarium_layout.h"
#include "minigames/state_arrays.h"

namespace vepa {

using namespace aquarium;

namespace {

constexpr SceneEntries kEntries{.Background = kBackground,
                                .Images = kImages,
                                .Music = kMusic,
                                .MusicOffset = kMusicOffset,
                                .Waves = kWaves};

constexpr int kRate = 11000;
constexpr int kBigFishNo = 0, kCrabNo = 3;
constexpr int kBubbleSlots = 10;

// One game second lasts 17 frames: the tick counter runs 0..16.
constexpr int kTicksPerSecond = 16;
// A creature grows anew from State 3; past 23 it swims off.
constexpr int kGrowFirst = 3, kGrowLast = 23;

// The swimming and walking animation: 0, 1, 2, 3 with pattern 1 shown for 3.
void Advance(int32_t& anim, int32_t& pattern) {
  anim = anim >= 3 ? 0 : anim + 1;
  pattern = anim == 3 ? 1 : anim;
}

// The tilt of a free creature eases back towards level, five units a frame.
void EaseTilt(int32_t& tilt) {
  if (tilt >= 6)
    tilt -= 5;
  else if (tilt < -5)
    tilt += 5;
  else
    tilt = 0;
}

// 1.5 x s to the nearest whole number, halves to the even neighbour.
int HalfAgain(int s) {
  const int twice = 3 * s;
  int r = twice / 2;
  if (twice % 2 != 0 && r % 2 != 0) r += twice > 0 ? 1 : -1;
  return r;
}

}  // namespace

int AquariumScene::Prize(int computer, int player) {
  if (computer == player) return 19;
  if (computer < player) return 19 + std::min(3 * (player - computer), 15);
  return 0;
}

void AquariumScene::Load(int) {
  if (!LoadSceneEntries(g, kEntries, kGameStart)) return;
  ResetAnglers();
  for (int f = 0; f < 4; ++f) {
    AquariumCreature& c = Fish[f];
    c = AquariumCreature{};
    c.X = g.Random(200) + 185;
    c.Y = 60 * f + 160;
    c.Speed = g.Random(5);
    c.Dir = g.Random(2);
  }
  PlantStep = PlantFrame = WaterDir = WaterFrame = 0;
  for (AquariumBubble& b : Bubble) b = AquariumBubble{};
  Catches = {};
  BucketFull = {};
  TimeLeft = 600;
  TimeTick = 0;
  ClockTimer = 0;
  EnterScene(g, SceneId::Aquarium);
}

void AquariumScene::Frame() {
  StepClock();
  DrawClock();
  DrawWaterAndWeed();
  StartBubble();
  StepBubbles();
  Angler[0].HookX = Angler[0].HookOff + kTipX0;
  Angler[1].HookX = kTipX1 - Angler[1].HookOff;
  for (int f = 0; f < 4; ++f) StepCreature(f);
  StepAnglers();
  DrawBuckets();
  RingBell();
  StepExitBox();
  StepEnd();
}

void AquariumScene::StepClock() {
  if (TimeTick > kTicksPerSecond - 1) {
    if (TimeLeft > 0) --TimeLeft;
    TimeTick = 0;
  } else {
    ++TimeTick;
  }
}

void AquariumScene::DrawClock() {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", TimeLeft / 60, TimeLeft % 60);
  DrawDigits(g, kClockX, kClockY, text);
}

void AquariumScene::DrawWaterAndWeed() {
  // The surface rocks 0, 1, 2, 3, 2, 1 ... and the weed sways 0, 1, 2, 1 at half rate.
  if (g.FrameToggle != 0) {
    if (WaterDir == 0) {
      ++WaterFrame;
      if (WaterFrame > 2) WaterDir = 1;
    } else {
      --WaterFrame;
      if (WaterFrame < 1) WaterDir = 0;
    }
    PlantStep = PlantStep >= 3 ? 0 : PlantStep + 1;
    PlantFrame = PlantStep == 3 ? 1 : PlantStep;
  }
  g.layer.Draw(2, kWater.Name, WaterFrame, kWaterX, kWaterY);
  g.layer.Draw(2, kCastle.Name, 0, kCastleX, kCastleY);
  g.layer.Draw(2, kStone.Name, 0, kStoneX[0], kStoneY[0]);
  g.layer.Draw(2, kWeed.Name, PlantFrame, kWeedX, kWeedY);
  g.layer.Draw(2, kStone.Name, 0, kStoneX[1], kStoneY[1]);
  g.layer.Draw(2, kStone.Name, 0, kStoneX[2], kStoneY[2]);
}

// Now and then a bubble rises from a creature in the middle of the tank or from the air stone.
void AquariumScene::StartBubble() {
  if (g.Random(20) != 1) return;
  int slot = 1;
  while (slot < kBubbleSlots && Bubble[slot].State != 0) ++slot;
  if (slot == kBubbleSlots) return;
  AquariumBubble& b = Bubble[slot];
  const int j = g.Random(5);
  auto inMiddle = [](int x) { return x >= 251 && x <= 359; };
  if (j == 0) {
    const AquariumCreature& c = Fish[kBigFishNo];
    if (!inMiddle(c.X)) return;
    b.X = c.Dir == 1 ? c.X - 5 : c.X + kBigFish.Width;
    b.Y = c.Y + 20;
    PlaySceneSound(g, kBubbleWaves[5], kBubbleRate);
  } else if (j == 1 || j == 2) {
    const AquariumCreature& c = Fish[j];
    if (c.HookedBy != 0 || c.State > 2 || !inMiddle(c.X)) return;
    b.X = c.Dir == 1 ? c.X - 5 : c.X + kSmallFish.Width;
    b.Y = c.Y + 20;
    PlaySceneSound(g, kBubbleWaves[4], kBubbleRate);
  } else if (j == 3) {
    const AquariumCreature& c = Fish[kCrabNo];
    if (c.HookedBy != 0 || c.State >= 3 || c.X <= 250 || c.X >= 360) return;
    b.X = c.X + 30;
    b.Y = c.Y + 20;
    PlaySceneSound(g, kBubbleWaves[5], kBubbleRate);
  } else {
    b.X = kAirStoneX;
    b.Y = kAirStoneY;
    PlaySceneSound(g, kBubbleWaves[3], kBubbleRate);
  }
  // Size, spin and animation go on from where the slot's last bubble left them.
  b.State = 1;
}

void AquariumScene::StepBubbles() {
  const Image* img = g.layer.FindImage(2, kBubble.Name);
  for (int i = 1; i < kBubbleSlots; ++i) {
    AquariumBubble& b = Bubble[i];
    if (b.State != 1) continue;
    ++b.Spin;
    b.X += g.Random(4) - 2;
    b.Y -= g.Random(3) + 3;
    // It breathes between 9 and 25 pixels as it rises.
    if (b.Shrinking == 0) {
      ++b.Size;
      if (b.Size > 24) b.Shrinking = 1;
    } else {
      --b.Size;
      if (b.Size < 9) b.Shrinking = 0;
    }
    if (g.FrameToggle == 1) b.Anim = b.Anim >= 3 ? 0 : b.Anim + 1;
    b.Pattern = b.Anim == 3 ? 1 : b.Anim;
    g.layer.DrawPatternRotatedAlpha(img, b.Pattern, b.X, b.Y, b.Size, b.Size, 0.5, 0.5, b.Spin,
                                    200);
    if (b.Y < kBurstY) {
      b.State = 0;
      PlaySceneSound(g, kBubbleWaves[g.Random(3)], kBubbleRate);
    }
  }
}

void AquariumScene::StepCreature(int f) {
  AquariumCreature& c = Fish[f];
  if (f != kCrabNo && c.State < kGrowFirst) SwimFish(f);
  if (f == kCrabNo && c.HookedBy == 0 && c.State <= 2) WalkCrab();
  if (f != kBigFishNo) TryBites(f);
  if (f == kBigFishNo || (c.HookedBy == 0 && c.State < kGrowFirst)) DrawFreeCreature(f);
  if (c.HookedBy == 0 && c.State >= kGrowFirst) GrowCreature(f);
  if (c.HookedBy != 0) StepHookedCreature(f);
}

// The fish keep to their depth bands and swim from wall to wall, turning about at each end.
void AquariumScene::SwimFish(int f) {
  AquariumCreature& c = Fish[f];
  if (g.Random(50) == 10) c.Speed = g.Random(5);
  if (c.State == 0) Advance(c.Anim, c.Pattern);
  if (c.HookedBy != 0) return;
  if (c.Y < 60 * f + 150)
    ++c.Y;
  else if (c.Y > 60 * f + 170)
    --c.Y;
  if (c.Dir == 0 && c.X < 20 * f + 380) {
    c.X += c.Speed + 3;
  } else if (c.Dir == 1 && c.X > 170 - 10 * f) {
    c.X -= c.Speed + 3;
  } else if (g.FrameToggle != 0) {
    // Turning about: two frames seen from the front, then the other way round.
    if (c.State == 0) c.Anim = 0;
    c.State = 1;
    ++c.Anim;
    if (c.Anim < 3) {
      c.Pattern = c.Anim + 3;
    } else {
      c.State = 0;
      c.Dir = 1 - c.Dir;
      c.Pattern = 0;
      c.Anim = 0;
    }
  }
}

// The crab walks to and fro on the gravel.
void AquariumScene::WalkCrab() {
  AquariumCreature& c = Fish[kCrabNo];
  if (g.Random(50) == 10) c.Speed = g.Random(3);
  if (g.FrameToggle != 0) Advance(c.Anim, c.Pattern);
  if (c.Dir == 0 && c.X <= 369) {
    c.X += c.Speed + 1;
  } else if (c.Dir == 1) {
    if (c.X < 201)
      c.Dir = 0;
    else
      c.X -= c.Speed + 1;
  } else {
    c.Dir = 1;
  }
  if (c.Y < 339)
    ++c.Y;
  else if (c.Y > 341)
    c.Y -= 3;
}

// A small fish bites with its mouth: the right end when it swims right, the left end when it
// swims left. The crab snaps with its raised right claw, from below the hook.
void AquariumScene::TryBites(int f) {
  AquariumCreature& c = Fish[f];
  for (int a = 0; a < 2 && c.HookedBy == 0; ++a) {
    AquariumAngler& an = Angler[a];
    if (an.Catch != 0) continue;
    const int hx = an.HookX - 9, hy = an.HookY;
    bool bite;
    if (f == kCrabNo) {
      bite = hy < c.Y && c.Y < hy + 10 && c.X + 50 < hx && hx < c.X + 60;
    } else {
      const bool mouth =
          c.Dir == 0 ? (c.X + 50 < hx && hx < c.X + 60) : (c.X < hx && hx < c.X + 10);
      bite = hy - 20 < c.Y && c.Y < hy + 10 && mouth;
    }
    if (!bite) continue;
    c.Tilt = 0;
    c.HookedBy = a + 1;
    an.Catch = static_cast<uint8_t>(f);
    an.State = 1;
    PlayCommonSound(g, "Boom02", kRate);
  }
}

void AquariumScene::DrawFreeCreature(int f) {
  AquariumCreature& c = Fish[f];
  if (f == kBigFishNo) {
    g.layer.DrawPatternRotated(g.layer.FindImage(2, kBigFish.Name), c.Pattern + 6 * c.Dir, c.X, c.Y,
                               kBigFish.Width, kBigFish.Height, 0, 0, 0);
  } else if (f == kCrabNo) {
    EaseTilt(c.Tilt);
    g.layer.DrawPatternRotated(g.layer.FindImage(2, kCrab.Name), c.Pattern, c.X, c.Y - 5,
                               kCrab.Width, kCrab.Height, 0, 0, 0);
  } else {
    EaseTilt(c.Tilt);
    g.layer.DrawPatternRotated(g.layer.FindImage(2, kSmallFish.Name), c.Pattern + 6 * c.Dir,
                               c.X + 35, c.Y + 20, kSmallFish.Width, kSmallFish.Height, 0.5, 0.5,
                               c.Tilt);
  }
}

// A new creature grows out of the castle's door, bigger each frame, and swims off past State 23.
void AquariumScene::GrowCreature(int f) {
  AquariumCreature& c = Fish[f];
  ++c.State;
  if (c.State == 5) PlaySceneSound(g, kBubbleWaves[6], kBubbleRate);
  const int r = HalfAgain(c.State);
  if (f == kCrabNo) {
    if (g.FrameToggle != 0) Advance(c.Anim, c.Pattern);
    g.layer.DrawPatternRotated(g.layer.FindImage(2, kCrab.Name), c.Pattern, r + 230, 380 - r,
                               2 * c.State + 8, 3 * c.State + 10, 0, 0, 0);
  } else {
    if (c.State > 18) c.Pattern = 1;
    g.layer.DrawPatternRotated(g.layer.FindImage(2, kSmallFish.Name), 4 - c.Pattern, 230, 375,
                               2 * c.State + 20, c.State + 10, 0, 0, 0);
  }
  if (c.State > kGrowLast) {
    if (f == kCrabNo) {
      c.X = r + 230;
      c.Y = 380 - r;
    } else {
      c.X = 220;
      c.Y = 365;
    }
    c.State = c.Pattern = c.Dir = c.Tilt = 0;
  }
}

void AquariumScene::StepHookedCreature(int f) {
  AquariumCreature& c = Fish[f];
  if (c.State < 2) {
    if (f == kCrabNo) {
      if (g.FrameToggle != 0 && c.Anim < 5) ++c.Anim;
      if (c.Anim < 3) c.Anim = 3;
    } else if (c.Dir == 1) {
      // A small fish on the hook wriggles up to a quarter turn. Turning the other way it stops
      // one unit further, at -65: so it always did, and the picture shows no difference.
      if (c.Tilt < 64) c.Tilt += 10;
      if (c.Tilt > 64) c.Tilt = 64;
    } else {
      if (c.Tilt > -64) c.Tilt -= 10;
      if (c.Tilt < -64) c.Tilt = -65;
    }
  } else if (c.State == 2) {
    if (g.FrameToggle != 0 && c.Anim > 0) --c.Anim;
    c.Y += 10;
    if (c.Y > 350) {
      const int k = c.HookedBy - 1;
      // The crab is counted but does not show in the bucket.
      if (f != kCrabNo) BucketFull[k] = 1;
      ++Catches[k];
      c.HookedBy = 0;
      c.State = kGrowFirst;
      c.Anim = 0;
      c.Pattern = 0;
    }
  }
}

void AquariumScene::DrawBuckets() {
  for (int k = 0; k < 2; ++k) {
    g.layer.Draw(2, kBucket.Name, BucketFull[k], kBucketX[k], kBucketY);
    DrawTextCentered(g, kCountX[k], kCountY, kCountSize, std::to_string(Catches[k]), 0, kCountSize);
  }
}

// The bell rings for the last second.
void AquariumScene::RingBell() {
  if (TimeLeft == 1 && TimeTick == 5) {
    PlayCommonSound(g, "Clock01", kRate);
    ClockTimer = 10;
  }
  if (ClockTimer < 1)
    StopCommonSound(g, "Clock01");
  else
    --ClockTimer;
}

void AquariumScene::StepExitBox() {
  ExitBoxWatchEsc(g);
  if (g.ExitMenuState == 1) {
    ExitBox(g);
    PointerPressStep(g);
    DrawPointer(g);
  }
}

// Time is up, or the player left through the exit box with the score so far.
void AquariumScene::StepEnd() {
  if (g.FadeMode == 0 && (g.ExitMenuState == 2 || TimeLeft == 0)) StartClosing(g);
  PayPrizeWhenCovered(g, Prize(Catches[0], Catches[1]));
}

void AquariumScene::DescribeState(JsonWriter& j) const {
  FieldArrays(j, Fish, "FishX", &AquariumCreature::X, "FishY", &AquariumCreature::Y, "FishDir",
              &AquariumCreature::Dir, "FishSpeed", &AquariumCreature::Speed, "FishTilt",
              &AquariumCreature::Tilt, "FishPattern", &AquariumCreature::Pattern, "FishAnim",
              &AquariumCreature::Anim, "FishState", &AquariumCreature::State, "FishHookedBy",
              &AquariumCreature::HookedBy);
  FieldArrays(j, Angler, "AnglerState", &AquariumAngler::State, "AnglerTip", &AquariumAngler::Tip,
              "AnglerHookOff", &AquariumAngler::HookOff, "AnglerHookX", &AquariumAngler::HookX,
              "AnglerHookY", &AquariumAngler::HookY, "AnglerLine", &AquariumAngler::Line,
              "AnglerSwing", &AquariumAngler::Swing, "AnglerCatch", &AquariumAngler::Catch,
              "AnglerTarget", &AquariumAngler::Target);
  FieldArrays(j, Bubble, "BubbleState", &AquariumBubble::State, "BubbleX", &AquariumBubble::X,
              "BubbleY", &AquariumBubble::Y);
  j.Fields("Catches", Catches, "BucketFull", BucketFull, "TimeLeft", TimeLeft, "TimeTick", TimeTick,
           "ClockTimer", ClockTimer, "WaterFrame", WaterFrame, "PlantFrame", PlantFrame);
}

void AquariumScene::DeclareAssets(AssetNeeds& a) const {
  DeclareSceneEntries(a, kEntries);
  for (const Picture& p : {kWater, kCastle, kStone, kWeed, kBubble, kBigFish, kSmallFish, kCrab,
                           kBucket, kArm, kRod, kKnob, kHand, kHook})
    a.Images.push_back({kImages, p.Name, p.Patterns});
  DeclarePointer(a);
  DeclareExitBox(a);
  a.Images.push_back({"s_all01", "FontP", 42});    // digits of style 0 are glyphs 32..41
  a.Images.push_back({"s_all01", "EFont01", 11});  // digits and the colon
  for (const char* w : kBubbleWaves) a.Waves.push_back({kWaves, w});
  DeclareWaves(a, "w_all01", {"Boom02", "Boom07", "Clock01"});
}

std::unique_ptr<Scene> MakeAquariumScene(Game& g) { return std::make_unique<AquariumScene>(g); }

}  // namespace vepa
