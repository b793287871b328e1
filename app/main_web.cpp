// vepa4 in a browser page: the launcher's archive search on the page's files (the archive pair
// fetched beside the page into /data before start), then the game on the canvas with one tick
// every 50 ms from the page's animation frames. The page script calls the vepa_web_* entry
// points below for input, layout and sound.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "app/launcher.h"
#include "app/platform.h"
#include "engine/backend_web.h"
#include "engine/cp1251.h"
#include "engine/tick_clock.h"

namespace {

// Where the page puts the archive files it fetched.
constexpr const char* PageDataDir = "/data/";

// The page has one copy of the game and no installation: the data directory is where the page
// put the files it fetched.
class PageSystemServices : public vepa::SystemServices {
 public:
  bool AcquireInstanceLock(const std::string&) override { return true; }
  bool ReadSettings(std::string& gameDir, std::string& cdGameDir) override {
    gameDir = PageDataDir;
    cdGameDir.clear();
    return true;
  }
  std::string CurrentDirectory() override { return PageDataDir; }
  bool FileOpens(const std::string& directory, const std::string& fileName) override {
    std::FILE* f = std::fopen((directory + fileName).c_str(), "rb");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
  }
  char PathSeparator() const override { return '/'; }
};

EM_JS(void, JsGameOver, (), {
  if (Module.vepaGameOver) Module.vepaGameOver();
});

struct Page {
  vepa::WebBackend backend;
  vepa::Layer layer{backend};
  vepa::Game game{layer};
  PageSystemServices sys;
  vepa::Launcher launcher{sys};
  vepa::TickClock clock;
  vepa::Surface dialog;
  bool inLauncher = true;
  bool dialogShown = false;
  bool over = false;
  bool paused = false;
  bool altHeld = false;
  uint64_t ticks = 0;
  // The input so far as a script of the headless runner ("T move X Y" ...), when asked for:
  // the same seed and this script replay the session frame for frame.
  bool recording = false;
  std::string script;
  std::string scriptMove;  // the pending pointer move, written once per tick
  std::string exported;

  void Record(const std::string& line) {
    if (!recording) return;
    FlushMove();
    script += std::to_string(ticks + 1) + " " + line + "\n";
  }
  void RecordMove(int x, int y) {
    if (recording)
      scriptMove =
          std::to_string(ticks + 1) + " move " + std::to_string(x) + " " + std::to_string(y) + "\n";
  }
  void FlushMove() {
    script += scriptMove;
    scriptMove.clear();
  }

  void ShowDialog(int state) {
    layer.FinalizeDisplay();
    launcher.HideLauncherPictures(0);
    launcher.ShowLauncherState(state);
    inLauncher = true;
    dialogShown = false;
  }

  void Start(uint32_t seed) {
    game.OnReturnToLauncher = [this]() {
      vepa::ReturnToLauncher(layer, launcher);
      inLauncher = true;
      dialogShown = false;
    };
    if (!launcher.ReadInstallation() || !launcher.FindArchive()) {
      std::fprintf(stderr, "vepa4: vepa4.gmd and vepa4.gam were not found beside the page\n");
      ShowDialog(4);
      return;
    }
    if (!vepa::StartFromLauncher(launcher, game, seed)) {
      ShowDialog(4);
      return;
    }
    inLauncher = false;
    game.StartGameState();
  }

  void Frame(double nowMs) {
    if (over) return;
    if (inLauncher) {
      if (!dialogShown) {
        launcher.Render(dialog);
        backend.PresentLauncher(dialog);
        dialogShown = true;
      }
      // Back from the game after a data read error, what was playing goes on under the dialog.
      if (layer.SoundInitialized())
        for (int n = clock.Due(nowMs); n > 0; --n) backend.AfterTick(clock.PeriodMs() / 1000.0);
      return;
    }
    if (paused) return;
    for (int n = clock.Due(nowMs); n > 0 && !inLauncher; --n) {
      if (recording) FlushMove();
      game.Tick();
      ++ticks;
      // The game's sounds run in game time, heard or (before the page may play sound) not,
      // so what waits for a sound waits as long as on the desktop and the runner.
      if (layer.SoundInitialized()) backend.AfterTick(clock.PeriodMs() / 1000.0);
      if (game.QuitRequested) {
        End();
        return;
      }
    }
  }

  void End() {
    over = true;
    layer.FinalizeSound();
    layer.FinalizeDisplay();
    JsGameOver();
  }

  vepa::MouseButton Button(int dom) const {
    return dom == 0 ? vepa::MouseButton::Left
                    : (dom == 2 ? vepa::MouseButton::Right : vepa::MouseButton::Middle);
  }
};

Page* page = nullptr;

EM_BOOL OnAnimationFrame(double nowMs, void*) {
  page->Frame(nowMs);
  return page->over ? EM_FALSE : EM_TRUE;
}

}  // namespace

extern "C" {

// A key went down (down = 1) or up; returns 1 when the page should keep the browser from
// acting on it (the game uses the key).
EMSCRIPTEN_KEEPALIVE int vepa_web_key(const char* domCode, int down, int alt) {
  if (page == nullptr || domCode == nullptr) return 0;
  const int vk = page->backend.Input().Key(domCode, down != 0);
  if (vk == 0) return 0;
  if (vk == 18) page->altHeld = down != 0;
  if (page->inLauncher || page->over) return 1;
  page->Record("key " + std::to_string(vk) + (down ? " down" : " up"));
  if (down) page->game.FormKeyDown(vk, alt != 0 || page->altHeld);
  return 1;
}

// The page lost the focus: keys held now will never report going up.
EMSCRIPTEN_KEEPALIVE void vepa_web_blur() {
  if (page == nullptr) return;
  page->backend.Input().ReleaseAll();
  page->altHeld = false;
}

// Pointer movement: absolute (x, y in the canvas box of boxW x boxH page units) or, with
// relative = 1, by (x, y) while the pointer is locked to the page in full screen.
EMSCRIPTEN_KEEPALIVE void vepa_web_mouse_move(double x, double y, double boxW, double boxH,
                                              int relative) {
  if (page == nullptr) return;
  vepa::WebInput& in = page->backend.Input();
  if (relative)
    in.MoveBy(x, y, boxW, boxH);
  else
    in.MoveTo(x, y, boxW, boxH);
  if (page->inLauncher || page->over) return;
  page->RecordMove(in.X(), in.Y());
  page->game.MouseMove(in.X(), in.Y());
}

// A button (0 left, 1 middle, 2 right as the page numbers them) at the pointer's place.
EMSCRIPTEN_KEEPALIVE void vepa_web_mouse_button(int domButton, int down) {
  if (page == nullptr || domButton < 0 || domButton > 2) return;
  const vepa::WebInput& in = page->backend.Input();
  if (page->over) return;
  if (page->inLauncher) {
    // The dialog's exit button closes the game as far as a page can: it stops.
    if (down && domButton == 0 && page->dialogShown && page->launcher.ExitButtonAt(in.X(), in.Y()))
      page->End();
    return;
  }
  const vepa::MouseButton b = page->Button(domButton);
  if (domButton != 1)
    page->Record(std::string(down ? "down " : "up ") + (domButton == 0 ? "left " : "right ") +
                 std::to_string(in.X()) + " " + std::to_string(in.Y()));
  if (down)
    page->game.MouseDown(b, in.X(), in.Y());
  else
    page->game.MouseUp(b, in.X(), in.Y());
}

EMSCRIPTEN_KEEPALIVE void vepa_web_layout(double outW, double outH, double dpr) {
  if (page != nullptr) page->backend.Layout(outW, outH, dpr);
}

// The page's audio graph started (after the player's first click or key).
EMSCRIPTEN_KEEPALIVE void vepa_web_audio_start(int rate) {
  if (page != nullptr) page->backend.StartAudio(rate);
}

EMSCRIPTEN_KEEPALIVE const int16_t* vepa_web_mix(int frames) {
  static const int16_t silence[2] = {0, 0};
  if (page == nullptr) return silence;
  return page->backend.Mix(frames);
}

// For the page's tests and for reproducing a session: ticks run, holding the ticks (as a
// window that is not active holds them on the desktop) and the input script so far.
EMSCRIPTEN_KEEPALIVE double vepa_web_ticks() { return page ? static_cast<double>(page->ticks) : 0; }

EMSCRIPTEN_KEEPALIVE void vepa_web_hold(int on) {
  if (page == nullptr) return;
  page->paused = on != 0;
  if (!page->paused) page->clock.Restart(emscripten_performance_now());
}

EMSCRIPTEN_KEEPALIVE const char* vepa_web_script() {
  if (page == nullptr) return "";
  page->exported = page->script + page->scriptMove;
  return page->exported.c_str();
}

// The shared state the page's tests look at, with the current scene's own state.
EMSCRIPTEN_KEEPALIVE const char* vepa_web_state() {
  if (page == nullptr) return "{}";
  const vepa::Game& g = page->game;
  vepa::JsonWriter j;
  j.BeginObject();
  j.Number("Ticks", static_cast<int64_t>(page->ticks));
  j.Number("SceneNumber", g.SceneNumber);
  j.Number("TickStalls", page->clock.Stalls());
  j.Number("TicksLost", page->clock.LostTicks());
  j.Number("InLauncher", page->inLauncher ? 1 : 0);
  j.Number("LauncherState", page->launcher.State());
  j.Number("SoundAvailable", g.SoundAvailable);
  j.Number("SpeechCountdown", g.SpeechCountdown);
  j.String("SpeakerName", vepa::Utf8FromCp1251(g.SpeakerName));
  j.BeginArray("SpeechLines");
  for (const auto& line : g.SpeechRecord.Lines) j.String(vepa::Utf8FromCp1251(line));
  j.EndArray();
  j.Number("Money", g.Money);
  j.Number("AudioRunning", page->backend.AudioRunning() ? 1 : 0);
  j.Number("AudioQueued", static_cast<int64_t>(page->backend.Queue().Queued()));
  j.Number("AudioUnderruns", page->backend.Queue().Underruns());
  j.Number("AudioDropped", page->backend.Queue().DroppedFrames());
  if (const vepa::Scene* s = g.GetScene(g.SceneNumber)) {
    j.BeginObject("Scene");
    s->DescribeState(j);
    j.EndObject();
  }
  j.EndObject();
  page->exported = j.Text();
  return page->exported.c_str();
}

}  // extern "C"

int main(int argc, char** argv) {
  uint32_t seed = static_cast<uint32_t>(
      std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFFu);
  bool recording = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--seed" && i + 1 < argc) {
      char* end = nullptr;
      const unsigned long long v = std::strtoull(argv[++i], &end, 10);
      if (end != nullptr && *end == '\0' && v <= 0xFFFFFFFFull) {
        seed = static_cast<uint32_t>(v);
      } else {
        std::fprintf(stderr, "vepa4: the seed '%s' is not a number 0..4294967295; ignored\n",
                     argv[i]);
      }
    } else if (a == "--record") {
      recording = true;
    } else {
      std::fprintf(stderr, "vepa4: unknown page option '%s' ignored\n", a.c_str());
    }
  }
  page = new Page;
  page->recording = recording;
  page->Start(seed);
  emscripten_request_animation_frame_loop(OnAnimationFrame, nullptr);
  return 0;
}
