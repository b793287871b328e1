// A scene is a loader and a per-frame routine over the shared game state.
#pragma once

#include <string>
#include <vector>

namespace vepa {

struct Game;
class JsonWriter;

// What a scene loads and draws, so a test can check the default archive holds all of it.
struct AssetNeeds {
  struct ImageNeed {
    std::string Entry;  // the "s_"/"d_" entry the image comes from
    std::string Name;
    int MinPatterns = 1;
  };
  struct WaveNeed {
    std::string Entry;  // the "w_" entry the wave comes from
    std::string Name;
  };
  std::vector<std::string> Entries;  // every archive entry the scene reads (any kind)
  std::vector<ImageNeed> Images;
  std::vector<WaveNeed> Waves;
};

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
