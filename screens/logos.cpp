// Placeholder until the logos are built.
#include "app/game.h"

namespace vepa {
namespace {
class LogoScene : public Scene {
 public:
  LogoScene(Game& g, int number) : Scene(g), number_(number) {}
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

std::unique_ptr<Scene> MakeMakerLogoScene(Game& g) { return std::make_unique<LogoScene>(g, 60); }
std::unique_ptr<Scene> MakePublisherLogoScene(Game& g) {
  return std::make_unique<LogoScene>(g, 61);
}

}  // namespace vepa
