// The start menu and the closing screen.
#include "screens/start_menu.h"

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/loaders.h"
#include "engine/render.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"

namespace vepa {

namespace {
constexpr int kEffectRate = 11000;
}  // namespace

// --- Start menu (scene 84).

StartMenuScene::StartMenuScene(Game& game)
    : Scene(game),
      exitTop_(Cp1251("ВЫХОД")),
      exitBottom_(Cp1251("В СИСТЕМУ")),
      hint_(Cp1251("ДЛЯ ВЫХОДА ИЗ КИОСКА НАЖМИ НА РУЧКУ ДВЕРИ")) {}

void StartMenuScene::Load(int) {
  LoadBackground(g, "r_intm01");
  LoadHitMap(g, "b_intm01");
  LoadImages(g, 2, "s_intm01");
  LoadWaves(g, 2, "w_intm01");
  PlayMusic(g, "none", 0);
  if (g.FatalError) return;
  g.layer.MakeColorTable(2);
  g.ClickState = 0;
  g.HandFrame = 0;
  OptionA = 0;
  OptionB = 2;
  StartRequested = 0;
  ExitShown = 1;
  ExitPressed = 0;
  g.FadeMode = 2;
  g.FadeProgress = 400;
  g.SceneNumber = SceneNo(Id);
}

void StartMenuScene::DrawExitButtonAndHint() {
  if (ExitShown) {
    g.layer.DrawPatternAlpha(g.layer.FindImage(1, "Button01"), ExitPressed == 1 ? 1 : 0,
                             Rect{535, 6, 635, 50}, 1000);
    DrawTextCentered(g, 585, 16, 12, exitTop_, 0, 10);
    DrawTextCentered(g, 585, 26, 9, exitBottom_, 0, 10);
  }
  DrawTextCentered(g, 322, 2, 15, hint_, 0, 10);
}

void StartMenuScene::Frame() {
  DrawExitButtonAndHint();

  // The hand's fingertip is below the pointer's spot, hence the 20 rows down.
  g.SceneBytes[0] = g.HitMapAt(g.MouseX, g.MouseY, 0, 20);
  if (g.ClickState == 1 && g.HandFrame == 1) {
    switch (g.SceneBytes[0]) {
      case CodeNoSubtitles:
        // Choosing the option already chosen is silent.
        if (OptionA != 1) PlaySceneSound(g, "Boom01", kEffectRate);
        OptionA = 1;
        OptionB = 2;
        break;
      case CodeSubtitles:
        if (OptionB != 1) PlaySceneSound(g, "Boom01", kEffectRate);
        OptionA = 2;
        OptionB = 1;
        break;
      case CodeExit:
        if (ExitShown) {
          ExitPressed = 1;
          PlayCommonSound(g, "Boom01", kEffectRate);
        }
        break;
      default:
        break;
    }
  }

  const Image* selector = g.layer.FindImage(2, "Selector01");
  g.layer.DrawPattern(selector, OptionA, 530, 420);
  g.layer.DrawPattern(selector, OptionB, 530, 441);

  PointerPressStep(g);
  DrawPointer(g);

  if (g.layer.KeyPressed(key::Enter)) {
    PlayCommonSound(g, "Boom02", kEffectRate);
    StartRequested = 1;
  }
  if (g.FadeMode == 0 && (StartRequested == 1 || ExitPressed == 1)) {
    g.FadeMode = 1;
    g.FadeProgress = 0;
  }
  if (g.FadeMode == 1 && g.FadeProgress >= 400) Leave();
}

void StartMenuScene::Leave() {
  if (ExitPressed == 1) {
    g.LoadScene(ClosingScene::Id);
    return;
  }
  g.NewGame();
  // Without a choice the game keeps the new game's setting: no subtitles.
  if (OptionA == 1)
    g.BubbleMode = 0;
  else if (OptionB == 1)
    g.BubbleMode = 1;
  ReturnToKiosk(g, HubEntry::NewGame);
}

void StartMenuScene::DescribeState(JsonWriter& j) const {
  j.Number("OptionA", OptionA);
  j.Number("OptionB", OptionB);
  j.Number("StartRequested", StartRequested);
  j.Number("ExitShown", ExitShown);
  j.Number("ExitPressed", ExitPressed);
}

void StartMenuScene::DeclareAssets(AssetNeeds& needs) const {
  needs.Entries.insert(needs.Entries.end(), {"r_intm01", "b_intm01", "s_intm01", "w_intm01"});
  needs.Images.push_back({"s_intm01", "Selector01", 3});
  needs.Images.push_back({"s_all01", "Button01", 2});
  needs.Images.push_back({"s_all01", "Ruka01", 3});
  needs.Images.push_back({"s_all01", "FontP", 93});
  needs.Waves.push_back({"w_intm01", "Boom01"});
  needs.Waves.push_back({"w_all01", "Boom01"});
  needs.Waves.push_back({"w_all01", "Boom02"});
}

// --- Closing screen (scene 85).

bool ClosingScene::AnyLeaveKey() const {
  const Layer& l = g.layer;
  return l.KeyPressed(key::Esc) || l.KeyPressed(key::Enter) || l.KeyPressed(key::Space);
}

void ClosingScene::Load(int) {
  LoadBackground(g, "l_demo01");
  if (g.FatalError) return;
  // A key still held from the menu or the kiosk must be let go before it counts.
  g.SceneBytes[0] = AnyLeaveKey() ? 2 : 0;
  g.FadeMode = 2;
  g.FadeProgress = 400;
  g.SceneNumber = SceneNo(Id);
}

void ClosingScene::Frame() {
  // SceneBytes[0]: 0 no key, 1 a key went down this tick, 2 a key is held.
  uint8_t k = 0;
  if (AnyLeaveKey()) k = g.SceneBytes[0] != 0 ? 2 : 1;
  g.SceneBytes[0] = k;
  if (g.FadeMode == 0 && k == 1) {
    g.FadeMode = 1;
    g.FadeProgress = 0;
  }
  if (g.FadeMode == 1 && g.FadeProgress >= 400) {
    PlayMusic(g, "none", 0);
    // Closing the main form: the frame loop and the runner stop after this tick.
    g.QuitRequested = true;
  }
}

void ClosingScene::DeclareAssets(AssetNeeds& needs) const { needs.Entries.push_back("l_demo01"); }

std::unique_ptr<Scene> MakeStartMenuScene(Game& g) { return std::make_unique<StartMenuScene>(g); }
std::unique_ptr<Scene> MakeClosingScene(Game& g) { return std::make_unique<ClosingScene>(g); }

}  // namespace vepa
