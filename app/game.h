// The running game: shared state, the layer, the archive, the random generator, the scene
// table and the frame loop with its mouse and key rules.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "app/scene.h"
#include "app/scene_catalogue.h"
#include "engine/services.h"
#include "engine/state.h"

namespace vepa {

enum class MouseButton { Left, Right, Middle };

struct Game final : GameServices {
  explicit Game(Layer& layer);
  ~Game();

  // Scene table: the per-frame routine of each scene number (null where none).
  Scene* GetScene(int number) const;
  // Calls the loader of a scene (which sets SceneNumber last).
  void LoadScene(int number, int arg = 0) override;
  using GameServices::LoadScene;

  // The tick (DXTimer1Timer): keyboard, background, scene routine, counters, transition, flip.
  void Tick();
  void TransitionOverlay();
  // Mouse handlers of the drawing surface; coordinates in 640x480 screen pixels.
  void MouseMove(int x, int y);
  void MouseDown(MouseButton button, int x, int y);
  void MouseUp(MouseButton button, int x, int y);
  // Returns true when the key is swallowed (Alt+F4 while full screen).
  bool FormKeyDown(int key, bool alt);

  // Player progress for a new game.
  void NewGame();
  // The start of the game proper once the display runs: sound device, the common lists,
  // the program-start sound settings, then (unless told otherwise) the publisher logo.
  void StartGameState(bool startLogo = true);

  // Shots not yet fired in the shooting gallery; its mouse rule reads them.
  uint16_t ShotsLeft = 0;

  // Set by the closing screen: the program ends after this tick.
  bool QuitRequested = false;
  // Set by the frame loop when it returns to the launcher (data read error).
  bool ReturnedToLauncher = false;
  std::function<void()> OnReturnToLauncher;

 private:
  std::array<std::unique_ptr<Scene>, 256> scenes_;
};

}  // namespace vepa
