// The aquarium, scene 2: a fishing contest between two anglers over a tank of four creatures.
// The state lives in one object; its routines are split in two files:
//   aquarium.cpp          loader, the tank, the creatures, the bubbles, the score and the end
//   aquarium_anglers.cpp  the two anglers: rods, lines, hooks, reeling, keys, the computer's play
#pragma once

#include <array>
#include <cstdint>

#include "app/game.h"
#include "app/scene.h"

namespace vepa {

// One creature of the tank: 0 the big fish, 1 and 2 the small fish, 3 the crab.
struct AquariumCreature {
  int32_t X = 0, Y = 0;
  int32_t Tilt = 0;   // a small fish's turn, 1/256 turn
  int32_t Speed = 0;  // 0..4 (the crab 0..2)
  int32_t Dir = 0;    // 0 swimming right, 1 left
  int32_t Pattern = 0, Anim = 0;
  // Free: 0 swimming, 1 turning about, 3..23 growing anew. Hooked: 0 on the hook, 1 carried to
  // the bucket, 2 dropping in.
  int32_t State = 0;
  int32_t HookedBy = 0;  // 0 free, 1 the computer's hook, 2 the player's
};

struct AquariumBubble {
  int32_t X = 0, Y = 0;
  uint8_t State = 0;  // 0 free, 1 rising
  uint8_t Spin = 0;   // wraps at 256
  uint8_t Pattern = 0, Anim = 0;
  int32_t Size = 5;       // pixels
  int32_t Shrinking = 0;  // 0 growing, 1 shrinking
};

// 0 the computer (left), 1 the player (right).
struct AquariumAngler {
  int32_t Tip = 0;      // how far the rod tip is pushed out, 0..170
  int32_t HookOff = 0;  // the hook's offset, trailing Tip
  int32_t Swing = 0;    // the arm's swing while bringing a catch to the bucket
  int32_t HookX = 0;
  int32_t Line = 60;  // line length, 0..340
  int32_t HookY = 60;
  int32_t Follow = 4;  // pixels a frame at which the hook follows the tip
  uint8_t Catch = 0;   // the creature on the hook, 1..3; 0 none
  // 0 fishing, 1 reeling in, 2 lifting, 3 swinging to the bucket, 4 swinging back, 5 paying out
  uint8_t State = 0;
  uint8_t Target = 1;  // the computer's chosen creature, 1..3
  double Crank = 0;    // the reel crank's angle, radians
};

class AquariumScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override;
  void Frame() override;
  void DescribeState(JsonWriter& j) const override;
  void DeclareAssets(AssetNeeds& a) const override;

  // What the kiosk pays for a final count: a draw 19, a win 19 + 3 a creature ahead (at most
  // 34), a loss nothing.
  static int Prize(int computer, int player);

  std::array<AquariumCreature, 4> Fish{};
  std::array<AquariumBubble, 10> Bubble{};  // slot 0 is never used
  std::array<AquariumAngler, 2> Angler{};
  std::array<int16_t, 2> Catches{};     // creatures in the computer's and the player's bucket
  std::array<int16_t, 2> BucketFull{};  // the bucket's picture
  int32_t TimeLeft = 600;               // game seconds
  int16_t TimeTick = 0;
  int32_t WaterFrame = 0, WaterDir = 0, PlantStep = 0, PlantFrame = 0;
  int32_t ClockTimer = 0;

 private:
  // The tank (aquarium.cpp).
  void StepClock();
  void DrawClock();
  void DrawWaterAndWeed();
  void StartBubble();
  void StepBubbles();
  void StepCreature(int f);
  void SwimFish(int f);
  void WalkCrab();
  void TryBites(int f);
  void DrawFreeCreature(int f);
  void GrowCreature(int f);
  void StepHookedCreature(int f);
  void DrawBuckets();
  void RingBell();
  void StepExitBox();
  void StepEnd();

  // The anglers (aquarium_anglers.cpp).
  void ResetAnglers();
  void StepAnglers();
  void StepAnglerState(int a);
  void LoseCatch(AquariumAngler& an);
  void ComputerChooses();
  void ComputerReels();
  void PlayerKeys();
  void StepLine(AquariumAngler& an);
  void DrawAnglers();
  void DrawHookedCreatures();
  void DrawReelHands();
};

}  // namespace vepa
