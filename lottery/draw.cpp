// Placeholder until the scene is built: loads nothing and returns to the kiosk.
#include "app/game.h"

namespace vepa {
namespace {
class DrawScene : public Scene {
 public:
  using Scene::Scene;
  void Load(int) override {
    g.FadeMode = 2;
    g.FadeProgress = 400;
    g.SceneNumber = 24;
  }
  void Frame() override {}
};
}  // namespace

std::unique_ptr<Scene> MakeDrawScene(Game& g) { return std::make_unique<DrawScene>(g); }

}  // namespace vepa
