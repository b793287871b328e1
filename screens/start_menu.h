// The start menu (scene 84): the choice between speech with or without subtitles, Enter for
// a new game and the exit button; and the closing screen (scene 85) that ends the program at
// the next fresh key press.
#pragma once

#include <cstdint>
#include <string>

#include "app/scene.h"
#include "engine/scene_ids.h"

namespace vepa {

class StartMenuScene : public Scene {
 public:
  static constexpr SceneId Id = SceneId::StartMenu;

  explicit StartMenuScene(Game& g);
  void Load(int arg) override;
  void Frame() override;
  void DescribeState(JsonWriter& j) const override;
  void DeclareAssets(AssetNeeds& needs) const override;

  // Selector patterns: 1 chosen, 2 not chosen, 0 neither chosen yet.
  int32_t OptionA = 0;  // speech without subtitles
  int32_t OptionB = 2;  // speech with subtitles
  int32_t StartRequested = 0;
  int32_t ExitShown = 1;
  int32_t ExitPressed = 0;

 private:
  void DrawExitButtonAndHint();
  void Leave();

  // Captions in code page 1251, converted once.
  std::string exitTop_, exitBottom_, hint_;
};

class ClosingScene : public Scene {
 public:
  static constexpr SceneId Id = SceneId::Closing;

  explicit ClosingScene(Game& g) : Scene(g) {}
  void Load(int arg) override;
  void Frame() override;
  // Its only state is SceneBytes[0] (the key seen on the previous tick), in the shared state.
  void DeclareAssets(AssetNeeds& needs) const override;

 private:
  bool AnyLeaveKey() const;
};

}  // namespace vepa
