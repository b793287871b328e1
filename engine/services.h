// What the engine's services work on: the shared game state, the display, sound and input
// layer, the archive and the random generator. The shell's Game adds the scene table and the
// frame loop; the engine knows scenes only by number, through LoadScene.
#pragma once

#include "engine/archive.h"
#include "engine/layer.h"
#include "engine/scene_ids.h"
#include "engine/state.h"

namespace vepa {

struct GameServices : SharedState {
  explicit GameServices(Layer& l) : layer(l) {}
  GameServices(const GameServices&) = delete;
  GameServices& operator=(const GameServices&) = delete;

  Layer& layer;
  Archive archive;
  RandomGenerator rng;
  int Random(int n) { return rng.Random(n); }

  // Calls the loader of a scene (which sets SceneNumber last); nothing for a number no scene
  // has.
  virtual void LoadScene(int number, int arg) = 0;
  void LoadScene(SceneId id, int arg = 0) { LoadScene(SceneNo(id), arg); }
  bool InScene(SceneId id) const { return SceneNumber == SceneNo(id); }

 protected:
  ~GameServices() = default;
};

}  // namespace vepa
