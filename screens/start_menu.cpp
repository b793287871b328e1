// Placeholder until the start menu and closing screen are built.
#include "app/game.h"

namespace vepa {
namespace {
class PlainScene : public Scene {
 public:
  PlainScene(Game& g, int number) : Scene(g), number_(number) {}
  void Load(int) override {
    g.FadeMode = 2;
    g.FadeProgress = 400;
    g.SceneNumber = static_cast<uint8_t>(number_);
  }
  void Frame() override {}

 private:
  int number_;
};
}  // namespace

std::unique_ptr<Scene> MakeStartMenuScene(Game& g) { return std::make_unique<PlainScene>(g, 84); }
std::unique_ptr<Scene> MakeClosingScene(Game& g) { return std::make_unique<PlainScene>(g, 85); }

}  // namespace vepa
