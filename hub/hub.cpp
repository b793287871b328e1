// Placeholder until the scene is built: loads nothing and returns to the kiosk.
#include "app/game.h"

namespace vepa {
namespace {
class HubScene : public Scene {
 public:
  using Scene::Scene;
  void Load(int) override {
    g.FadeMode = 2;
    g.FadeProgress = 400;
    g.SceneNumber = 0;
  }
  void Frame() override {}
};
}  // namespace

std::unique_ptr<Scene> MakeHubScene(Game& g) { return std::make_unique<HubScene>(g); }

}  // namespace vepa
