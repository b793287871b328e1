#include "app/launcher.h"

#include <cstdio>

#include "app/game.h"
#include "engine/layer.h"
#include "engine/scene_ids.h"

namespace vepa {

namespace {
enum { kImage2, kImage6, kImage7, kImage11, kImage1 };
}  // namespace

bool Launcher::ReadInstallation() {
  Installed = false;
  CurrentDir = sys_.CurrentDirectory();
  CDGameDir.clear();
  GameDir.clear();
  if (sys_.ReadSettings(GameDir, CDGameDir)) Installed = true;
  if (!CDGameDir.empty()) Installed = true;
  return Installed;
}

std::string Launcher::WithSeparator(const std::string& dir) const {
  // An empty directory stays empty: it is skipped by the search rather than taken as the
  // current directory, which the search tries first anyway.
  if (dir.empty() || dir.back() == sys_.PathSeparator()) return dir;
  return dir + sys_.PathSeparator();
}

bool Launcher::FindArchive() {
  CurrentDir = WithSeparator(CurrentDir);
  if (Installed) {
    GameDir = WithSeparator(GameDir);
    CDGameDir = WithSeparator(CDGameDir);
  }
  const std::string* candidates[] = {&CurrentDir, &GameDir, &CDGameDir};
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && !Installed) break;
    const std::string& dir = *candidates[i];
    if (i > 0 && dir.empty()) continue;
    if (sys_.FileOpens(dir, "vepa4.gmd") && sys_.FileOpens(dir, "vepa4.gam")) {
      DataDir = dir;
      return true;
    }
  }
  return false;
}

void Launcher::HideLauncherPictures(int all) {
  visible_[kImage11] = visible_[kImage1] = visible_[kImage6] = visible_[kImage7] = false;
  if (all == 1) visible_[kImage2] = false;
}

void Launcher::ShowLauncherState(int state) {
  state_ = state;
  switch (state) {
    case 1:
      visible_[kImage2] = visible_[kImage1] = visible_[kImage6] = true;
      break;
    case 2:
      visible_[kImage2] = visible_[kImage1] = visible_[kImage7] = true;
      break;
    case 4:
      visible_[kImage2] = visible_[kImage1] = visible_[kImage11] = true;
      break;
    default:
      break;
  }
}

void ReturnToLauncher(Layer& layer, Launcher& launcher) {
  layer.FinalizeDisplay();
  launcher.HideLauncherPictures(0);
  launcher.ShowLauncherState(2);
}

bool StartFromLauncher(Launcher& launcher, Game& game, uint32_t seed) {
  launcher.HideLauncherPictures(1);
  game.DataDir = launcher.DataDir;
  game.archive.SetDataDir(launcher.DataDir);
  game.rng.Seed = seed;
  game.FatalError = 0;
  game.SceneNumber = SceneNo(SceneId::PublisherLogo);
  game.layer.SetDisplayMode(640, 480, 16);
  game.layer.SetFullScreen(true);
  std::string error;
  if (!game.layer.InitDisplay(&error)) {
    std::fprintf(stderr, "vepa4: %s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace vepa
