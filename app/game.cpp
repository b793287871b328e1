// The frame loop: one tick every 50 ms draws the background, runs the current scene, counts
// down the shared counters, draws the screen transition and presents the frame. The mouse
// handlers only record the pointer and turn presses into ClickState by per-scene rules.
#include "app/game.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cmath>

#include "engine/loaders.h"

namespace vepa {

namespace {

// Scene loads and spoken clips allocate and free blocks of hundreds of kilobytes. By default
// glibc maps each such block afresh and unmaps it when freed, and touching the new zeroed pages
// costs more than filling them: the tick in which a long phrase starts spent most of its time
// in page faults. Serving large blocks from the heap and keeping freed memory there lets the
// next load reuse pages that are already mapped (the game's heap stays near ten megabytes).
void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  static const bool tuned = [] {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    return true;
  }();
  (void)tuned;
#endif
}

}  // namespace

Game::Game(Layer& l) : GameServices(l) {
  KeepFreedMemoryForReuse();
  for (const SceneInfo& info : SceneCatalogue())
    if (info.Built()) scenes_[info.Number()] = info.Make(*this);
}

Game::~Game() = default;

Scene* Game::GetScene(int number) const {
  if (number < 0 || number > 255) return nullptr;
  return scenes_[number].get();
}

void Game::LoadScene(int number, int arg) {
  if (Scene* s = GetScene(number)) s->Load(arg);
}

void Game::NewGame() {
  BatteryCharge = 16200;
  Money = 51;
  Tickets = 0;
  TicketsFilled = 0;
  MusicVolume = -1000;
  BubbleMode = 0;
  // Place-major order: each place of all six tickets before the next place.
  for (int i = 0; i < 6; ++i)
    for (int t = 0; t < 6; ++t) TicketNumbers[t][i] = static_cast<uint8_t>(Random(40) + 1);
}

void Game::StartGameState(bool startLogo) {
  FatalError = 0;
  SceneNumber = SceneNo(SceneId::PublisherLogo);
  SoundAvailable = layer.InitSound() ? 1 : 0;
  LoadWaves(*this, 1, "w_all01");
  LoadImages(*this, 1, "s_all01");
  layer.MakeColorTable(1);
  MusicVolume = -1500;
  CurrentMusic = "none";
  BubbleMode = 1;
  FullScreenActive = 1;
  if (startLogo) LoadScene(SceneId::PublisherLogo);
}

void Game::Tick() {
  if (!FatalError) {
    layer.UpdateInput();
    if (!layer.CanDraw()) return;
    Surface& back = layer.BackBuffer();
    const Surface& bg = layer.BackgroundSurface();
    // A background surface that was never filled (or was lost) is refilled from the holder.
    if (bg.width < 639 && bg.height < 479) layer.LoadSurfaceFromBitmap();
    // The frame starts black under the background; a background that covers the whole back
    // buffer hides the black completely, so the fill is left out then.
    if (bg.width < back.width || bg.height < back.height) FillSurface(back, 0);
    BlitSurface(back, 0, 0, bg, Rect{0, 0, 640, 480});
    FrameToggle ^= 1;
    if (Scene* s = GetScene(SceneNumber)) s->Frame();
    // Daz's battery runs down only while the player is with him.
    if ((InScene(SceneId::DazTable) || InScene(SceneId::DazFood)) && BatteryCharge > 0)
      --BatteryCharge;
    if (SpeechCountdown > 0) --SpeechCountdown;
    TransitionOverlay();
    layer.Flip();
  }
  if (FatalError == 1 && !ReturnedToLauncher) {
    FullScreenActive = 0;
    ReturnedToLauncher = true;
    if (OnReturnToLauncher) OnReturnToLauncher();
  }
}

void Game::TransitionOverlay() {
  if (FadeMode == 0) {
    FadeLatch = 0;
    return;
  }
  if (FadeMode == 1) {
    if (FadeLatch != 1) {
      FadeLatch = 1;
    } else {
      if (FadeProgress == 0) FadeShape = static_cast<uint8_t>(Random(5));
      if (FadeProgress < 400) FadeProgress += 80;
    }
  } else if (FadeMode == 2) {
    if (FadeLatch != 2) {
      FadeLatch = 2;
    } else {
      if (FadeProgress == 400) FadeShape = static_cast<uint8_t>(Random(5));
      if (FadeProgress > 0)
        FadeProgress -= 80;
      else
        FadeMode = 0;
    }
  } else {
    return;  // unknown modes draw nothing
  }
  Surface& back = layer.BackBuffer();
  const int p = FadeProgress;
  if (p >= 400) {
    FillRectangle(back, 0, 0, 640, 480, 0);
    return;
  }
  const int w = static_cast<int>(std::trunc(p * 1.6));
  const int h = static_cast<int>(std::trunc(p * 1.2));
  switch (FadeShape) {
    case 0:
      FillEllipse(back, 320 - p, 240 - p, 320 + p, 240 + p, 0);
      break;
    case 1:
      FillRectangle(back, 0, 0, w, 480, 0);
      break;
    case 2:
      FillRectangle(back, 640 - w, 0, 640, 480, 0);
      break;
    case 3:
      FillRectangle(back, 0, 0, 640, h, 0);
      break;
    case 4:
      FillRectangle(back, 0, 480 - h, 640, 480, 0);
      break;
    default:
      break;
  }
}

void Game::MouseMove(int x, int y) {
  const int s = SceneNumber;
  // Darts freezes the pointer while a dart is being picked up or thrown.
  if (s == SceneNo(SceneId::Darts)) {
    if (ClickState == 0 || ClickState == 2) {
      MouseX = x;
      MouseY = y;
    }
  } else if (s <= 100) {
    MouseX = x;
    MouseY = y;
  }
}

namespace {
// Scenes where a left press starts the pointer-press animation (ClickState 0 -> 1).
bool InLeftPressSet(int scene) {
  switch (static_cast<SceneId>(scene)) {
    case SceneId::Aquarium:
    case SceneId::Boxing:
    case SceneId::RockPaperScissors:
    case SceneId::Hammer:
    case SceneId::Ticket:
    case SceneId::DazTable:
    case SceneId::DazFood:
    case SceneId::CockroachRace:
    case SceneId::OpponentSelection:
    case SceneId::About:
    case SceneId::Journal:
    case SceneId::SettingsBook:
    case SceneId::StartMenu:
      return true;
    default:
      return false;
  }
}
}  // namespace

void Game::MouseDown(MouseButton button, int x, int y) {
  const bool left = button == MouseButton::Left;
  const bool right = button == MouseButton::Right;
  switch (static_cast<SceneId>(SceneNumber)) {
    case SceneId::Kiosk:
      if (left && ClickState == 0 && HandFrame == 0)
        ClickState = 1;
      else if (right && ClickState == 0 && HandFrame == 0)
        ClickState = 3;
      else if (left && ClickState == 4)
        ClickState = 5;
      return;
    case SceneId::Darts:
      if (!left) return;
      if (SceneBytes[0] > 0 && ClickState == 0 && HitMapAt(x, y, AimShakeX, AimShakeY + 20) == 8) {
        ClickState = 1;
      } else if (ClickState == 2) {
        const uint8_t ring = HitMapAt(x, y, AimShakeX + 75, AimShakeY + 32);
        if (ring >= 1 && ring <= 7) ClickState = 3;
      }
      return;
    default:
      if (left && InLeftPressSet(SceneNumber) && ClickState == 0 && HandFrame == 0) {
        ClickState = 1;
      } else if (left && InScene(SceneId::Gallery) && ClickState == 0 && ShotsLeft > 0) {
        ClickState = 1;
      } else if (left && InScene(SceneId::CardGame)) {
        ClickState = 1;
        ButtonHeld = 1;
      }
      return;
  }
}

void Game::MouseUp(MouseButton button, int, int) {
  if (button == MouseButton::Left && InScene(SceneId::CardGame)) ButtonHeld = 0;
}

bool Game::FormKeyDown(int key, bool alt) { return FullScreenActive == 1 && alt && key == key::F4; }

}  // namespace vepa
