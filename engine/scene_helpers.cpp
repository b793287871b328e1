#include "engine/scene_helpers.h"

#include <string>

#include "engine/asset_needs.h"
#include "engine/loaders.h"
#include "engine/services.h"
#include "engine/sound.h"

namespace vepa {

bool LoadSceneEntries(GameServices& g, const SceneEntries& e) {
  if (!e.Background.empty()) LoadBackground(g, e.Background);
  if (!e.Images.empty()) LoadImages(g, 2, e.Images);
  if (!e.Music.empty()) PlayMusic(g, e.Music, e.MusicOffset);
  if (!e.Waves.empty()) LoadWaves(g, 2, e.Waves);
  if (!e.HitMap.empty()) LoadHitMap(g, e.HitMap);
  if (g.FatalError) return false;
  g.layer.MakeColorTable(2);
  return true;
}

void StartScene(GameServices& g, const SceneStart& start) {
  if (start.TakeStake) g.GameStake = g.SpeechRecord.Price;
  if (start.NothingWon) g.GameWinnings = 0;
  if (start.IdlePointer) g.ClickState = g.HandFrame = 0;
  if (start.SteadyAim) g.AimShakeX = g.AimShakeY = 0;
}

bool LoadSceneEntries(GameServices& g, const SceneEntries& entries, const SceneStart& start) {
  if (!LoadSceneEntries(g, entries)) return false;
  StartScene(g, start);
  return true;
}

void DeclareSceneEntries(AssetNeeds& needs, const SceneEntries& e) {
  auto add = [&needs](std::string_view name) {
    if (!name.empty()) needs.Entries.emplace_back(name);
  };
  add(e.Background);
  add(e.Images);
  if (e.Music != "none") add(e.Music);
  add(e.Waves);
  add(e.HitMap);
}

void DeclareImages(AssetNeeds& needs, std::span<const ImageUse> images) {
  for (const ImageUse& image : images)
    needs.Images.push_back({std::string(image.Entry), std::string(image.Name), image.MinPatterns});
}

void DeclareWaves(AssetNeeds& needs, std::string_view entry,
                  std::initializer_list<std::string_view> waves) {
  for (std::string_view wave : waves)
    needs.Waves.push_back({std::string(entry), std::string(wave)});
}

void EnterScene(GameServices& g, SceneId scene, Opening opening) {
  g.ExitMenuState = 0;
  g.EscLatch = 0;
  OpenScene(g, scene, opening);
}

void OpenScene(GameServices& g, SceneId scene, Opening opening) {
  if (opening == Opening::Transition) {
    g.FadeMode = 2;
    g.FadeProgress = 400;
  } else {
    g.FadeMode = 0;
  }
  g.SceneNumber = SceneNo(scene);
}

void StartClosing(GameServices& g) {
  g.FadeMode = 1;
  g.FadeProgress = 0;
}

bool ScreenCovered(const GameServices& g) { return g.FadeMode == 1 && g.FadeProgress >= 400; }

void ReturnToKiosk(GameServices& g, HubEntry entry) {
  g.LoadScene(SceneId::Kiosk, static_cast<int>(entry));
}

bool ReturnToKioskWhenCovered(GameServices& g, HubEntry entry) {
  if (!ScreenCovered(g)) return false;
  ReturnToKiosk(g, entry);
  return true;
}

bool PayPrizeWhenCovered(GameServices& g, int prize) {
  if (!ScreenCovered(g)) return false;
  g.GameWinnings = static_cast<uint16_t>(prize);
  ReturnToKiosk(g, HubEntry::AfterGame);
  return true;
}

}  // namespace vepa
