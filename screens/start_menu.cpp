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
#include "screens/start_menu_layout.h"

namespace vepa {

namespace {

using namespace start_menu;

constexpr int kEffectRate = 11000;

constexpr SceneEntries kMenuEntries{.Background = BackgroundEntry,
                                    .Images = ImagesEntry,
                                    .Music = "none",
                                    .Waves = WavesEntry,
                                    .HitMap = HitMapEntry};
constexpr SceneEntries kClosingEntries{.Background = ClosingEntry};

}  // namespace

// --- Start menu (scene 84).

StartMenuScene::StartMenuScene(Game& game)
    : Scene(game),
      exitTop_(Cp1251("ВЫХОД")),
      exitBottom_(Cp1251("В СИСТЕМУ")),
      hint_(Cp1251("ДЛЯ ВЫХОДА ИЗ КИОСКА НАЖМИ НА РУЧКУ ДВЕРИ")) {}

void StartMenuScene::Load(int) {
  if (!LoadSceneEntries(g, kMenuEntries, {.IdlePointer = true})) return;
  OptionA = 0;
  OptionB = 2;
  StartRequested = 0;
  ExitShown = 1;
  ExitPressed = 0;
  EnterScene(g, Id);
}

void StartMenuScene::DrawExitButtonAndHint() {
  if (ExitShown) {
    g.layer.DrawPatternAlpha(
        g.layer.FindImage(1, "Button01"), ExitPressed == 1 ? 1 : 0,
        Rect{ExitButton.Left, ExitButton.Top, ExitButton.Right, ExitButton.Bottom}, 1000);
    DrawTextCentered(g, ExitCaptionX, ExitTopY, 12, exitTop_, 0, 10);
    DrawTextCentered(g, ExitCaptionX, ExitBottomY, 9, exitBottom_, 0, 10);
  }
  DrawTextCentered(g, HintX, HintY, 15, hint_, 0, 10);
}

void StartMenuScene::Frame() {
  DrawExitButtonAndHint();

  // The hand's fingertip is below the pointer's spot.
  g.SceneBytes[0] = g.HitMapAt(g.MouseX, g.MouseY, 0, FingertipDY);
  if (g.ClickState == 1 && g.HandFrame == 1) {
    switch (g.SceneBytes[0]) {
      case NoSubtitles:
        // Choosing the option already chosen is silent.
        if (OptionA != 1) PlaySceneSound(g, "Boom01", kEffectRate);
        OptionA = 1;
        OptionB = 2;
        break;
      case Subtitles:
        if (OptionB != 1) PlaySceneSound(g, "Boom01", kEffectRate);
        OptionA = 2;
        OptionB = 1;
        break;
      case Exit:
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
  g.layer.DrawPattern(selector, OptionA, SelectorX, NoSubtitlesSelectorY);
  g.layer.DrawPattern(selector, OptionB, SelectorX, SubtitlesSelectorY);

  PointerPressStep(g);
  DrawPointer(g);

  if (g.layer.KeyPressed(key::Enter)) {
    PlayCommonSound(g, "Boom02", kEffectRate);
    StartRequested = 1;
  }
  if (g.FadeMode == 0 && (StartRequested == 1 || ExitPressed == 1)) StartClosing(g);
  if (ScreenCovered(g)) Leave();
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
  j.Fields("OptionA", OptionA, "OptionB", OptionB, "StartRequested", StartRequested, "ExitShown",
           ExitShown, "ExitPressed", ExitPressed);
}

void StartMenuScene::DeclareAssets(AssetNeeds& needs) const {
  DeclareSceneEntries(needs, kMenuEntries);
  constexpr ImageUse kPictures[] = {{ImagesEntry, "Selector01", 3},
                                    {"s_all01", "Button01", 2},
                                    {"s_all01", "Ruka01", 3},
                                    {"s_all01", "FontP", 93}};
  DeclareImages(needs, kPictures);
  needs.Waves.push_back({std::string(WavesEntry), "Boom01"});
  DeclareWaves(needs, "w_all01", {"Boom01", "Boom02"});
}

// --- Closing screen (scene 85).

bool ClosingScene::AnyLeaveKey() const {
  const Layer& l = g.layer;
  return l.KeyPressed(key::Esc) || l.KeyPressed(key::Enter) || l.KeyPressed(key::Space);
}

void ClosingScene::Load(int) {
  if (!LoadSceneEntries(g, kClosingEntries)) return;
  // A key still held from the menu or the kiosk must be let go before it counts.
  g.SceneBytes[0] = AnyLeaveKey() ? 2 : 0;
  EnterScene(g, Id);
}

void ClosingScene::Frame() {
  // SceneBytes[0]: 0 no key, 1 a key went down this tick, 2 a key is held.
  uint8_t k = 0;
  if (AnyLeaveKey()) k = g.SceneBytes[0] != 0 ? 2 : 1;
  g.SceneBytes[0] = k;
  if (g.FadeMode == 0 && k == 1) StartClosing(g);
  if (ScreenCovered(g)) {
    PlayMusic(g, "none", 0);
    // Closing the main form: the frame loop and the runner stop after this tick.
    g.QuitRequested = true;
  }
}

void ClosingScene::DeclareAssets(AssetNeeds& needs) const {
  DeclareSceneEntries(needs, kClosingEntries);
}

std::unique_ptr<Scene> MakeStartMenuScene(Game& g) { return std::make_unique<StartMenuScene>(g); }
std::unique_ptr<Scene> MakeClosingScene(Game& g) { return std::make_unique<ClosingScene>(g); }

}  // namespace vepa
