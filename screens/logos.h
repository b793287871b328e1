// The two intro logos: the publisher's jumping critter (scene 61) and the maker's sun that is
// built up piece by piece (scene 60). Both play a jingle on the speech channel and can be
// skipped with Esc.
#pragma once

#include <array>
#include <cstdint>

#include "app/scene.h"
#include "engine/scene_ids.h"

namespace vepa {

// The publisher logo's counters, started afresh on every load.
struct PublisherLogoState {
  int32_t LogoStage = 0;  // 0 intro, 1 jumping, 2 texts, 3 final pause, 4 done
  int32_t IntroCount = 10;
  int32_t PauseCount = 0;
  int32_t TextFade = 6;  // 6 invisible .. 0 full
  int32_t Keyframe = 0;
  int32_t JumpSpeed = 0;
  int32_t LidRequest = 0;
  int32_t EyeLid = 0;
  int32_t BodyPattern = 0;
  int32_t Text03Frame = 0;
  int32_t Text04Frame = 0;
  int32_t FinalCount = 0;
};

class PublisherLogoScene : public Scene, public PublisherLogoState {
 public:
  static constexpr SceneId Id = SceneId::PublisherLogo;

  // One moving piece of the critter: 0 the body ("Dreb03"), 1 and 2 the feet ("Dreb01").
  struct Part {
    double X = 0, Y = 0;
    int TargetX = 0, TargetY = 0;
    double VX = 0, VY = 0;
    int Angle = 0;        // 1/256 turn
    double AngleSum = 0;  // the angle before rounding
  };

  explicit PublisherLogoScene(Game& g) : Scene(g) {}
  void Load(int arg) override;
  void Frame() override;
  void DescribeState(JsonWriter& j) const override;
  void DeclareAssets(AssetNeeds& needs) const override;

  std::array<Part, 3> Parts{};

 private:
  void StepEyeLid();
  void StepIntro();
  void StepJump();
  void ApplyKeyframe();
  void StepTexts();
  void Draw();
  void DrawParts();
  void DrawEyes();
  // The speech channel's play position in bytes; 0 while it is silent.
  uint32_t JinglePosition();
};

class MakerLogoScene : public Scene {
 public:
  static constexpr SceneId Id = SceneId::MakerLogo;

  explicit MakerLogoScene(Game& g) : Scene(g) {}
  void Load(int arg) override;
  void Frame() override;
  void DescribeState(JsonWriter& j) const override;
  void DeclareAssets(AssetNeeds& needs) const override;

  int32_t LogoPhase = 0;  // 0 wait, 1 build-up, 2 idle
  int32_t LogoTicks = 0;
  int32_t BuildFrame = 0;  // 0 nothing yet, 1..13 "Bax01".."Bax13"
  int32_t LogoEyeFrame = 0;
  int32_t Blinking = 0;
  int32_t TalkVariant = 0;
  int32_t LogoMouthFrame = 0;
  int32_t MouthOpening = 0;
  int32_t SkipState = 0;  // 1 Esc still held from before, 2 skip requested
};

}  // namespace vepa
