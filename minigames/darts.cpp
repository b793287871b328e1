// Placeholder until the scene is built: loads nothing and returns to the kiosk.
#include "app/game.h"

namespace vepa {
namespace {
class DartsScene : public Scene {
 public:
  using Scene::Scene;
  void Load(int) override {
    g.FadeMode = 2;
    g.FadeProgress = 400;
    g.SceneNumber = 1;
  }
  void Frame() override {}
};
}  // namespace

std::unique_ptr<Scene> MakeDartsScene(Game& g) { return std::make_unique<DartsScene>(g); }

}  // namespace vepa
