// vepa4: the game. Starts as the launcher dialog, finds the archive, then runs full screen,
// one tick every 50 ms while the window is active.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "app/game.h"
#include "app/launcher.h"
#include "app/platform.h"
#include "engine/backend_sdl.h"

namespace {

using Clock = std::chrono::steady_clock;

// Routes window events to the game (full screen) or to the launcher dialog.
class EventRouter : public vepa::SdlEventSink {
 public:
  vepa::Game* game = nullptr;
  vepa::Launcher* launcher = nullptr;
  bool inLauncher = true;
  bool quit = false;
  bool altHeld = false;

  void MouseMove(int x, int y) override {
    if (!inLauncher) game->MouseMove(x, y);
  }
  void MouseDown(int button, int x, int y) override {
    if (inLauncher) {
      if (button == 0 && launcher->ExitButtonAt(x, y)) quit = true;  // Image5Click
      return;
    }
    game->MouseDown(ToButton(button), x, y);
  }
  void MouseUp(int button, int x, int y) override {
    if (!inLauncher) game->MouseUp(ToButton(button), x, y);
  }
  void KeyDown(int vk, bool alt) override {
    if (!inLauncher) game->FormKeyDown(vk, alt);
  }
  void KeyUp(int) override {}
  void Quit() override {
    // Closing the window while full screen is swallowed like Alt+F4; the launcher closes.
    if (inLauncher || !game->FullScreenActive) quit = true;
  }

 private:
  static vepa::MouseButton ToButton(int b) {
    return b == 0 ? vepa::MouseButton::Left
                  : (b == 1 ? vepa::MouseButton::Right : vepa::MouseButton::Middle);
  }
};

}  // namespace

int main() {
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
  EventRouter router;
  router.game = &game;
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
    launcher.HideLauncherPictures(1);
    game.DataDir = launcher.DataDir;
    game.archive.SetDataDir(launcher.DataDir);
    game.rng.Seed = static_cast<uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFFu);
    game.FatalError = 0;
    game.SceneNumber = vepa::SceneNo(vepa::SceneId::PublisherLogo);
    backend.CloseLauncherWindow();
    layer.SetDisplayMode(640, 480, 16);
    layer.SetFullScreen(true);
    std::string error;
    if (!layer.InitDisplay(&error)) {
      std::fprintf(stderr, "vepa4: %s\n", error.c_str());
      showDialog(4);
      return;
    }
    router.inLauncher = false;
    game.StartGameState();
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

  const auto tick = std::chrono::milliseconds(50);
  auto next = Clock::now() + tick;
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
      if (backend.WindowActive()) game.Tick();
      next += tick;
      if (now - next > tick * 4) next = now + tick;
      if (game.QuitRequested) break;
    } else {
      std::this_thread::sleep_for(
          std::min<Clock::duration>(next - now, std::chrono::milliseconds(5)));
    }
  }
  layer.FinalizeSound();
  layer.FinalizeDisplay();
  return 0;
}
