// A scene is a loader and a per-frame routine over the shared game state.
#pragma once

#include "engine/asset_needs.h"

namespace vepa {

struct Game;
class JsonWriter;

class Scene {
 public:
  explicit Scene(Game& game) : g(game) {}
  virtual ~Scene() = default;
  // The scene's loader; `arg` is the loader's argument where it has one (the hub's entry code).
  virtual void Load(int arg) = 0;
  // The per-frame routine, called once per tick while this scene is current.
  virtual void Frame() = 0;
  // The scene's own state for the runner's JSON (optional).
  virtual void DescribeState(JsonWriter&) const {}
  // Archive entries, images and waves this scene uses.
  virtual void DeclareAssets(AssetNeeds&) const {}

 protected:
  Game& g;
};

}  // namespace vepa
