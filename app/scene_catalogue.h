// The one table of the game's scenes: number, name and factory. The frame loop builds its
// scene table from it, the runner finds scenes by name, and the tests and benchmarks walk it,
// so a scene added here is reached everywhere at once.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "engine/scene_ids.h"

namespace vepa {

struct Game;
class Scene;

using SceneFactory = std::unique_ptr<Scene> (*)(Game&);

struct SceneInfo {
  SceneId Id;
  std::string_view Name;  // the runner's name for it: "--start snake"
  SceneFactory Make;      // null while the scene is not built
  int UsualArg = 0;       // the loader's argument on the scene's usual road in
  bool Built() const { return Make != nullptr; }
  uint8_t Number() const { return SceneNo(Id); }
};

// All 23 scenes in scene-number order, built or not.
std::span<const SceneInfo> SceneCatalogue();
// The entry of a scene number or a runner name; null when there is none.
const SceneInfo* FindScene(int number);
const SceneInfo* FindScene(std::string_view name);

}  // namespace vepa
