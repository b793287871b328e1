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

// Starts or stops the recording of a replay; says on the terminal where it goes.
void ToggleRecording(vepa::GameInput& input, const std::string& recordPath, int& recordings) {
  if (input.Recording()) {
    input.StopRecording();
    std::fprintf(stderr, "vepa4: replay of %d ticks written to %s\n", input.TicksRun(),
                 input.RecordingPath().c_str());
    return;
  }
  std::string path = recordPath;
  if (path.empty()) {
    // Next to the settings file, in the player's own configuration directory.
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(vepa::SettingsFilePath()).parent_path();
    std::error_code ec;
    fs::create_directories(dir, ec);
    path = vepa::DefaultReplayPath(
        dir.string(), std::chrono::duration_cast<std::chrono::seconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count());
  } else if (recordings > 0) {
    path += "." + std::to_string(recordings + 1);  // a second recording keeps the first
  }
  std::string error;
  if (input.StartRecording(path, &error)) {
    ++recordings;
    std::fprintf(stderr, "vepa4: recording a replay to %s (F12 stops)\n", path.c_str());
  } else {
    std::fprintf(stderr, "vepa4: %s\n", error.c_str());
  }
}

// Routes window events to the game (full screen) or to the launcher dialog.
class EventRouter : public vepa::SdlEventSink {
 public:
  vepa::GameInput* input = nullptr;
  vepa::Game* game = nullptr;
  vepa::Launcher* launcher = nullptr;
  std::string recordPath;
  int recordings = 0;
  bool inLauncher = true;
  bool quit = false;

  void MouseMove(int x, int y) override {
    if (!inLauncher) input->MouseMove(x, y);
  }
  void MouseDown(int button, int x, int y) override {
    if (inLauncher) {
      if (button == 0 && launcher->ExitButtonAt(x, y)) quit = true;  // Image5Click
      return;
    }
    input->MouseDown(ToButton(button), x, y);
  }
  void MouseUp(int button, int x, int y) override {
    if (!inLauncher) input->MouseUp(ToButton(button), x, y);
  }
  void KeyDown(int vk, bool alt) override {
    if (inLauncher) return;
    if (vk == vepa::RecordKey) {
      if (!recordKeyDown_) ToggleRecording(*input, recordPath, recordings);
      recordKeyDown_ = true;
      return;
    }
    input->KeyDown(vk, alt);
  }
  void KeyUp(int vk) override {
    if (inLauncher) return;
    if (vk == vepa::RecordKey) {
      recordKeyDown_ = false;
      return;
    }
    input->KeyUp(vk);
  }
  void Quit() override {
    // Closing the window while full screen is swallowed like Alt+F4; the launcher closes.
    if (inLauncher || !game->FullScreenActive) quit = true;
  }

 private:
  bool recordKeyDown_ = false;
  static vepa::MouseButton ToButton(int b) {
    return b == 0 ? vepa::MouseButton::Left
                  : (b == 1 ? vepa::MouseButton::Right : vepa::MouseButton::Middle);
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
  EventRouter router;
  router.input = &input;
  router.game = &game;
  router.launcher = &launcher;
  router.recordPath = options.RecordPath;

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
    input.Seed = game.rng.Seed;
    input.DataDir = launcher.DataDir;
    game.StartGameState();
    if (!options.RecordPath.empty())
      ToggleRecording(input, options.RecordPath, router.recordings);
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
      if (backend.WindowActive()) input.Tick();
      next += tick;
      if (now - next > tick * 4) next = now + tick;
      if (game.QuitRequested) break;
    } else {
      std::this_thread::sleep_for(
          std::min<Clock::duration>(next - now, std::chrono::milliseconds(5)));
    }
  }
  if (input.Recording()) ToggleRecording(input, router.recordPath, router.recordings);
  layer.FinalizeSound();
  layer.FinalizeDisplay();
  return 0;
}
