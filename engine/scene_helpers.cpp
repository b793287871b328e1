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

void TrembleAim(GameServices& g, int tremor) {
  g.AimShakeX += g.Random(2 * tremor + 1) - tremor;
  g.AimShakeY += g.Random(2 * tremor + 1) - tremor;
}

void KeepAimInArea(GameServices& g, const AimArea& a) {
  auto aimX = [&g] { return g.MouseX + g.AimShakeX; };
  auto aimY = [&g] { return g.MouseY + g.AimShakeY; };
  if (aimX() > a.Right) g.AimShakeX = a.Right - g.MouseX;
  if (aimX() < 0) g.AimShakeX = -g.MouseX;
  if (aimY() > a.Bottom) g.AimShakeY = a.Bottom - g.MouseY;
  if (aimY() < 0) g.AimShakeY = -g.MouseY;
  if (g.MouseX == 0 && g.AimShakeX > a.Slack) g.AimShakeX -= a.Creep;
  if (g.MouseY == 0 && g.AimShakeY > a.Slack) g.AimShakeY -= a.Creep;
  if (g.MouseX == a.StopRight && aimX() < a.Right - a.Slack) g.AimShakeX += a.Creep;
  if (g.MouseY == a.StopBottom && aimY() < a.Bottom - a.Slack) g.AimShakeY += a.Creep;
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
