// vepa4: the game. Starts as the launcher dialog, finds the archive, then runs full screen,
// one tick every 50 ms while the window is active. `vepa4 --record FILE` writes a replay of
// the game as it is played; F12 starts and stops one during play.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/game.h"
#include "app/launcher.h"
#include "app/platform.h"
#include "app/replay.h"
#include "engine/backend_sdl.h"

namespace {

using Clock = std::chrono::steady_clock;

// Routes window events to the game (full screen) or to the launcher dialog.
class EventRouter : public vepa::SdlEventSink {
 public:
  vepa::GameEventRouter* game = nullptr;
  vepa::Game* state = nullptr;
  vepa::Launcher* launcher = nullptr;
  bool inLauncher = true;
  bool quit = false;

  void MouseMove(int x, int y) override {
    if (!inLauncher) game->MouseMove(x, y);
  }
  void MouseDown(int button, int x, int y) override {
    if (inLauncher) {
      if (button == 0 && launcher->ExitButtonAt(x, y)) quit = true;  // Image5Click
      return;
    }
    game->MouseDown(button, x, y);
  }
  void MouseUp(int button, int x, int y) override {
    if (!inLauncher) game->MouseUp(button, x, y);
  }
  void KeyDown(int vk, bool alt) override {
    if (inLauncher) return;
    if (game->KeyDown(vk, alt)) Report();
  }
  void KeyUp(int vk) override {
    if (!inLauncher) game->KeyUp(vk);
  }
  void Quit() override {
    // Closing the window while full screen is swallowed like Alt+F4; the launcher closes.
    if (inLauncher || !state->FullScreenActive) quit = true;
  }
  // Says on the terminal what the recording key did.
  void Report() {
    if (!game->Message().empty()) std::fprintf(stderr, "vepa4: %s\n", game->Message().c_str());
  }
};

}  // namespace

int main(int argc, char** argv) {
  vepa::GameOptions options;
  std::string argError;
  if (!vepa::ParseGameArgs(argc, argv, options, &argError)) {
    std::fprintf(stderr, "vepa4: %s\nusage: vepa4 [--record FILE]\n", argError.c_str());
    return 2;
  }
  // A termination signal ends the program at once (nothing is kept on disk); only the
  // window's own close requests go through the game's rules.
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
  auto sys = vepa::MakePosixSystemServices();
  // A second copy ends silently.
  if (!sys->AcquireInstanceLock("Roderuze")) return 0;
  sys->AcquireInstanceLock("RoderuzeSetup");

  vepa::SdlBackend backend;
  vepa::Layer layer(backend);
  vepa::Game game(layer);
  vepa::Launcher launcher(*sys);
  vepa::GameInput input(game);
  // Recordings started with F12 go next to the settings file, in the player's own
  // configuration directory.
  const std::string replayDir =
      std::filesystem::path(vepa::SettingsFilePath()).parent_path().string();
  vepa::GameEventRouter gameEvents(input, options.RecordPath, replayDir);
  EventRouter router;
  router.game = &gameEvents;
  router.state = &game;
  router.launcher = &launcher;

  vepa::Surface dialog;
  auto openDialog = [&]() {
    launcher.Render(dialog);
    router.inLauncher = true;
    if (!backend.OpenLauncherWindow(vepa::Launcher::ClientWidth, vepa::Launcher::ClientHeight,
                                    "Pelko Vepa 4 Demo")) {
      std::fprintf(stderr, "vepa4: cannot open a window\n");
      router.quit = true;
    }
  };
  // Before the game starts: the dialog with one of its messages.
  auto showDialog = [&](int state) {
    layer.FinalizeDisplay();
    launcher.HideLauncherPictures(0);
    launcher.ShowLauncherState(state);
    openDialog();
  };

  auto startFullScreen = [&]() {
    backend.CloseLauncherWindow();
    const auto seed = static_cast<uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFFu);
    if (!vepa::StartFromLauncher(launcher, game, seed)) {
      showDialog(4);
      return;
    }
    router.inLauncher = false;
    input.Seed = game.rng.Seed;
    input.DataDir = launcher.DataDir;
    game.StartGameState();
    if (!options.RecordPath.empty()) {
      gameEvents.ToggleRecording();
      router.Report();
    } else {
      std::error_code ec;
      std::filesystem::create_directories(replayDir, ec);  // for F12
    }
  };

  game.OnReturnToLauncher = [&]() {
    vepa::ReturnToLauncher(layer, launcher);
    openDialog();
  };

  if (!launcher.ReadInstallation()) {
    showDialog(1);
  } else if (launcher.FindArchive()) {
    startFullScreen();
  } else {
    std::fprintf(stderr, "vepa4: vepa4.gmd and vepa4.gam not found (run vepa4-setup DIR)\n");
    showDialog(4);
  }

  // The first tick runs as soon as the window can show it (a window manager may take a
  // moment to map and focus a full-screen window), so the first picture follows the window
  // without waiting for the next tick of the timer; from then on one tick every 50 ms.
  const auto tick = std::chrono::milliseconds(50);
  auto next = Clock::now();
  bool ticked = false;
  while (!router.quit) {
    backend.PollEvents(router);
    if (router.quit) break;
    if (router.inLauncher) {
      backend.PresentLauncher(dialog);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    const auto now = Clock::now();
    if (now >= next) {
      // The timer fires only while the window is active; a long stall does not queue ticks.
      if (backend.WindowActive()) {
        if (!ticked) next = now;  // the timer starts with the first picture
        input.Tick();
        ticked = true;
      } else if (!ticked) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        continue;
      }
      next += tick;
      if (now - next > tick * 4) next = now + tick;
      if (game.QuitRequested) break;
    } else {
      std::this_thread::sleep_for(
          std::min<Clock::duration>(next - now, std::chrono::milliseconds(5)));
    }
  }
  if (input.Recording()) {
    gameEvents.ToggleRecording();
    router.Report();
  }
  layer.FinalizeSound();
  layer.FinalizeDisplay();
  return 0;
}
