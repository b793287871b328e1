// The SDL backend. One window serves both the launcher dialog and the game display; it
// changes size and mode as the program moves between them.
#define SDL_MAIN_HANDLED
#include "engine/backend_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/keymap.h"
#include "engine/viewport.h"
#include "engine/x11_window_sdl.h"

namespace vepa {

// Scan codes are USB keyboard usage codes, which the key table is written for.
static_assert(SDL_SCANCODE_A == 4 && SDL_SCANCODE_RETURN == 40 && SDL_SCANCODE_F1 == 58 &&
                  SDL_SCANCODE_LCTRL == 224 && SDL_SCANCODE_KP_1 == 89,
              "SDL scan codes are expected to be USB usage codes");

namespace {

constexpr int GameWidth = Layer::ScreenWidth;
constexpr int GameHeight = Layer::ScreenHeight;
constexpr int AudioRate = 44100;
constexpr int AudioFrames = 1024;  // about 23 ms at 44100 Hz

enum class WindowMode { None, Launcher, Game };

}  // namespace

struct SdlBackend::Impl {
  bool videoReady = false;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;  // the picture of the current mode
  int textureWidth = 0;
  int textureHeight = 0;
  WindowMode mode = WindowMode::None;
  int pictureWidth = GameWidth;  // the picture mouse coordinates are mapped to
  int pictureHeight = GameHeight;
  int launcherScale = 2;
  bool fullScreen = false;
  bool focused = true;  // without a window manager no focus events come; assume focus
  bool minimized = false;
  bool quit = false;
  KeyLatch keyLatch;  // presses since the last keyboard read
  // The window's real size in window units, as the window system has it (see RealWindowSize),
  // and how many presents are left in which a change of mode may still be applied.
  int realWidth = 0;
  int realHeight = 0;
  int modeChecks = 0;

  SDL_AudioDeviceID audioDevice = 0;
  Mixer* mixer = nullptr;
  int audioRate = AudioRate;

  static void AudioCallback(void* user, Uint8* stream, int len) {
    auto* self = static_cast<Impl*>(user);
    const int frames = len / static_cast<int>(2 * sizeof(int16_t));
    if (self->mixer != nullptr && frames > 0) {
      self->mixer->Mix(reinterpret_cast<int16_t*>(stream), frames, self->audioRate);
    } else {
      std::memset(stream, 0, static_cast<size_t>(len));
    }
  }

  bool EnsureVideo(std::string& error) {
    if (videoReady) return true;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // A 640x480 picture scaled by whole steps needs no graphics card: the software renderer
    // draws it into the window's own surface. An OpenGL renderer would bring a whole driver
    // stack into memory (over 60 MB of it on a machine without a GPU) and slow the start.
    // SDL_RENDER_DRIVER in the environment still chooses another.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The game reads keys, never text, so X11's compose table is of no use to it; reading
    // it (SDL opens an input method on every start) was most of the display's set-up.
    // A compose file the player names in the environment is still used.
    setenv("XCOMPOSEFILE", "/dev/null", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      error = std::string("The display cannot be initialized: ") + SDL_GetError();
      return false;
    }
    videoReady = true;
    return true;
  }

  bool EnsureWindow(int w, int h, std::string& error) {
    if (window != nullptr) return true;
    window =
        SDL_CreateWindow(SdlBackend::WindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w,
                         h, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window == nullptr) {
      error = std::string("The window cannot be created: ") + SDL_GetError();
      return false;
    }
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) {
      error = std::string("The renderer cannot be created: ") + SDL_GetError();
      SDL_DestroyWindow(window);
      window = nullptr;
      return false;
    }
    focused = true;
    minimized = false;
    return true;
  }

  void DestroyTexture() {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    texture = nullptr;
    textureWidth = textureHeight = 0;
  }

  bool EnsureTexture(int w, int h) {
    if (texture != nullptr && textureWidth == w && textureHeight == h) return true;
    DestroyTexture();
    if (renderer == nullptr || w <= 0 || h <= 0) return false;
    texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (texture == nullptr) {
      std::fprintf(stderr, "The picture texture cannot be created: %s\n", SDL_GetError());
      return false;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    textureWidth = w;
    textureHeight = h;
    return true;
  }

  void DestroyWindow() {
    DestroyTexture();
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
    renderer = nullptr;
    window = nullptr;
    mode = WindowMode::None;
    fullScreen = false;
  }

  // Leaves the game display: the pointer is free and visible again, the window is a window.
  void LeaveGameMode() {
    if (mode != WindowMode::Game) return;
    DestroyTexture();
    if (window != nullptr) {
      SDL_SetWindowGrab(window, SDL_FALSE);
      SDL_SetWindowFullscreen(window, 0);
    }
    SDL_ShowCursor(SDL_ENABLE);
    fullScreen = false;
    mode = WindowMode::None;
  }

  void ApplyFullScreen(bool on) {
    if (window == nullptr) return;
    if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
      std::fprintf(stderr, "Full screen is not available, staying in a window: %s\n",
                   SDL_GetError());
      on = false;
    }
    fullScreen = on;
    if (!on) {
      // Back in a window: the game's own window size, centred, whatever size the window had
      // taken while it covered the desktop.
      const int scale = WindowedScale();
      SDL_SetWindowSize(window, GameWidth * scale, GameHeight * scale);
      SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    // In full screen the pointer is confined to the window; in a window it moves freely and
    // only its game coordinates are clamped.
    SDL_SetWindowGrab(window, on ? SDL_TRUE : SDL_FALSE);
    RefreshRealSize();
    // A window manager applies the request within a frame or two; ten frames without it and
    // there is none.
    modeChecks = 10;
  }

  // A window scale for the game picture: as large as fits the usable desktop, at most 2x.
  int WindowedScale() const {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    const int scale = IntegerScale(usable.w, usable.h - 40, GameWidth, GameHeight);
    return std::clamp(scale, 1, 2);
  }

  // The window's size as the window system really has it. After a full-screen request SDL
  // counts with the desktop's size at once, but under an X server without a window manager
  // nobody applies the request and the window keeps its old size.
  void RealWindowSize(int& w, int& h) const {
    SDL_GetWindowSize(window, &w, &h);
    RealX11WindowSize(window, w, h);
  }

  // Reads the real size again: on every size change, and after a change of mode.
  void RefreshRealSize() {
    if (window == nullptr) return;
    RealWindowSize(realWidth, realHeight);
  }

  // A change of mode that nobody applied within a few frames is applied here: the window is
  // moved and sized as a window manager would have done (to the desktop in full screen, back
  // to its own size and place in a window).
  void ApplyUnhonouredMode() {
    if (modeChecks <= 0 || window == nullptr) return;
    --modeChecks;
    RefreshRealSize();
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    if (realWidth == ww && realHeight == wh) {
      modeChecks = 0;
      return;
    }
    if (modeChecks > 0) return;
    int x = 0, y = 0;
    if (!fullScreen) SDL_GetWindowPosition(window, &x, &y);
    if (MoveResizeX11Window(window, x, y, ww, wh)) RefreshRealSize();
  }

  // The output pixels the renderer really reaches.
  void OutputSize(int& ow, int& oh) const {
    ow = oh = 0;
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &ow, &oh) != 0) return;
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window, &ww, &wh);
    RealOutputSize(ow, oh, ww, wh, realWidth, realHeight, ow, oh);
  }

  Viewport CurrentViewport() const {
    int ow = 0, oh = 0;
    OutputSize(ow, oh);
    return FitPicture(ow, oh, pictureWidth, pictureHeight);
  }

  // Window coordinates to picture pixels (clamped); true when the point lay on the picture.
  bool MapPoint(int wx, int wy, int& px, int& py) const {
    if (window == nullptr || renderer == nullptr) {
      px = wx;
      py = wy;
      return true;
    }
    int ow = 0, oh = 0;
    OutputSize(ow, oh);
    const int ww = realWidth > 0 ? realWidth : ow, wh = realHeight > 0 ? realHeight : oh;
    const Viewport v = FitPicture(ow, oh, pictureWidth, pictureHeight);
    return OutputToPicture(v, pictureWidth, pictureHeight, WindowToOutput(wx, ww, ow),
                           WindowToOutput(wy, wh, oh), px, py);
  }

  // Puts the system pointer back onto the picture at the given picture pixel.
  void WarpTo(int px, int py) {
    int ow = 0, oh = 0;
    OutputSize(ow, oh);
    if (ow <= 0 || oh <= 0) return;
    const int ww = realWidth > 0 ? realWidth : ow, wh = realHeight > 0 ? realHeight : oh;
    int ox = 0, oy = 0;
    PictureToOutput(FitPicture(ow, oh, pictureWidth, pictureHeight), pictureWidth, pictureHeight,
                    px, py, ox, oy);
    SDL_WarpMouseInWindow(window, ox * ww / ow, oy * wh / oh);
  }

  void PresentTexture(const Surface& s) {
    if (renderer == nullptr || s.width <= 0 || s.height <= 0 ||
        s.pixels.size() < static_cast<size_t>(s.width) * s.height)
      return;
    if (!EnsureTexture(s.width, s.height)) return;
    ApplyUnhonouredMode();
    SDL_UpdateTexture(texture, nullptr, s.pixels.data(),
                      s.width * static_cast<int>(sizeof(uint16_t)));
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    const Viewport v = CurrentViewport();
    const SDL_Rect dst{v.X, v.Y, v.Width, v.Height};
    SDL_RenderCopy(renderer, texture, nullptr, &dst);
    SDL_RenderPresent(renderer);
  }

  static int ButtonIndex(Uint8 button) {
    switch (button) {
      case SDL_BUTTON_LEFT:
        return SdlEventSink::LeftButton;
      case SDL_BUTTON_RIGHT:
        return SdlEventSink::RightButton;
      case SDL_BUTTON_MIDDLE:
        return SdlEventSink::MiddleButton;
      default:
        return -1;
    }
  }
};

SdlBackend::SdlBackend() : impl_(std::make_unique<Impl>()) { SDL_SetMainReady(); }

SdlBackend::~SdlBackend() {
  CloseAudio();
  impl_->DestroyWindow();
  if (impl_->videoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

std::string SdlBackend::LastError() const { return SDL_GetError(); }

// --- Game display.

bool SdlBackend::InitDisplay(bool fullScreen, std::string& error) {
  Impl& im = *impl_;
  if (!im.EnsureVideo(error)) return false;
  const int scale = im.WindowedScale();
  const bool reused = im.window != nullptr;
  if (!im.EnsureWindow(GameWidth * scale, GameHeight * scale, error)) return false;
  im.DestroyTexture();
  if (reused) {
    // Coming from the launcher dialog: the same window becomes the game window.
    SDL_SetWindowFullscreen(im.window, 0);
    SDL_SetWindowSize(im.window, GameWidth * scale, GameHeight * scale);
    SDL_SetWindowPosition(im.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  SDL_SetWindowTitle(im.window, WindowTitle);
  SDL_SetWindowResizable(im.window, SDL_TRUE);
  im.mode = WindowMode::Game;
  im.pictureWidth = GameWidth;
  im.pictureHeight = GameHeight;
  if (!im.EnsureTexture(GameWidth, GameHeight)) {
    error = std::string("The display cannot be initialized: ") + SDL_GetError();
    im.mode = WindowMode::None;
    return false;
  }
  // Full screen is asked for before the window is shown, so that it appears in its mode at
  // once instead of waiting for the window manager to change it.
  im.ApplyFullScreen(fullScreen);
  SDL_ShowWindow(im.window);
  SDL_RaiseWindow(im.window);
  // The game draws its own pointer.
  SDL_ShowCursor(SDL_DISABLE);
  // Start from a black picture rather than whatever the window held.
  SDL_SetRenderDrawColor(im.renderer, 0, 0, 0, 255);
  SDL_RenderClear(im.renderer);
  SDL_RenderPresent(im.renderer);
  return true;
}

void SdlBackend::FinalizeDisplay() { impl_->LeaveGameMode(); }

void SdlBackend::Present(const Surface& frame) {
  if (impl_->mode != WindowMode::Game) return;
  impl_->PresentTexture(frame);
}

void SdlBackend::ToggleFullScreen() {
  Impl& im = *impl_;
  if (im.mode != WindowMode::Game) return;
  im.ApplyFullScreen(!im.fullScreen);
}

bool SdlBackend::IsFullScreen() const { return impl_->fullScreen; }

bool SdlBackend::WindowActive() const {
  const Impl& im = *impl_;
  if (im.window == nullptr || im.mode == WindowMode::None) return false;
  const Uint32 flags = SDL_GetWindowFlags(im.window);
  if ((flags & SDL_WINDOW_SHOWN) == 0 || (flags & SDL_WINDOW_MINIMIZED) != 0) return false;
  return im.focused && !im.minimized;
}

// --- Launcher window.

bool SdlBackend::OpenLauncherWindow(int w, int h, const char* title) {
  Impl& im = *impl_;
  std::string error;
  if (w <= 0 || h <= 0) return false;
  if (!im.EnsureVideo(error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  im.LeaveGameMode();
  // 3x where the desktop has room for it, else 2x, and 1x on a very small screen.
  int scale = 2;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    if (desktop.w >= w * 3 * 2 && desktop.h >= h * 3 * 2) {
      scale = 3;
    } else if (desktop.w < w * 2 || desktop.h < h * 2) {
      scale = 1;
    }
  }
  im.launcherScale = scale;
  if (!im.EnsureWindow(w * scale, h * scale, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  im.DestroyTexture();
  SDL_SetWindowFullscreen(im.window, 0);
  SDL_SetWindowResizable(im.window, SDL_FALSE);
  SDL_SetWindowSize(im.window, w * scale, h * scale);
  SDL_SetWindowPosition(im.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  SDL_SetWindowTitle(im.window, title != nullptr ? title : WindowTitle);
  SDL_ShowCursor(SDL_ENABLE);
  im.mode = WindowMode::Launcher;
  im.pictureWidth = w;
  im.pictureHeight = h;
  SDL_ShowWindow(im.window);
  im.modeChecks = 0;
  im.RefreshRealSize();
  return true;
}

void SdlBackend::PresentLauncher(const Surface& s) {
  Impl& im = *impl_;
  if (im.mode != WindowMode::Launcher) return;
  im.PresentTexture(s);
}

void SdlBackend::CloseLauncherWindow() {
  if (impl_->mode != WindowMode::Launcher) return;
  impl_->DestroyWindow();
}

int SdlBackend::LauncherScale() const { return impl_->launcherScale; }

// --- Events and keyboard.

bool SdlBackend::PollEvents(SdlEventSink& sink, int waitMs) {
  Impl& im = *impl_;
  if (!im.videoReady) {
    if (waitMs > 0) SDL_Delay(static_cast<Uint32>(waitMs));
    return !im.quit;
  }
  SDL_Event e;
  int got = waitMs > 0 ? SDL_WaitEventTimeout(&e, waitMs) : SDL_PollEvent(&e);
  while (got != 0) {
    switch (e.type) {
      case SDL_QUIT:
        im.quit = true;
        sink.Quit();
        break;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            im.focused = true;
            if (im.mode == WindowMode::Game && im.fullScreen)
              SDL_SetWindowGrab(im.window, SDL_TRUE);
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            im.focused = false;
            break;
          case SDL_WINDOWEVENT_MINIMIZED:
            im.minimized = true;
            break;
          case SDL_WINDOWEVENT_RESTORED:
          case SDL_WINDOWEVENT_MAXIMIZED:
            im.minimized = false;
            im.RefreshRealSize();
            break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
          case SDL_WINDOWEVENT_RESIZED:
            im.RefreshRealSize();
            break;
          default:
            break;
        }
        break;
      case SDL_MOUSEMOTION: {
        if (im.mode == WindowMode::None) break;
        int x = 0, y = 0;
        const bool inside = im.MapPoint(e.motion.x, e.motion.y, x, y);
        // In full screen the system pointer is kept on the picture, off the black bars.
        if (!inside && im.mode == WindowMode::Game && im.fullScreen && im.focused) im.WarpTo(x, y);
        sink.MouseMove(x, y);
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        if (im.mode == WindowMode::None) break;
        const int button = Impl::ButtonIndex(e.button.button);
        if (button < 0) break;
        int x = 0, y = 0;
        im.MapPoint(e.button.x, e.button.y, x, y);
        if (e.type == SDL_MOUSEBUTTONDOWN) {
          sink.MouseDown(button, x, y);
        } else {
          sink.MouseUp(button, x, y);
        }
        break;
      }
      case SDL_KEYDOWN: {
        const int vk = VirtualKeyFromUsbUsage(e.key.keysym.scancode);
        const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
        if (vk == 13 && alt && im.mode == WindowMode::Game) {
          if (e.key.repeat == 0) im.ApplyFullScreen(!im.fullScreen);
          break;
        }
        if (vk != 0) {
          im.keyLatch.Press(vk);
          im.keyLatch.Press(SideVirtualKeyFromUsbUsage(e.key.keysym.scancode));
          sink.KeyDown(vk, alt);
        }
        break;
      }
      case SDL_KEYUP: {
        const int vk = VirtualKeyFromUsbUsage(e.key.keysym.scancode);
        if (vk != 0) sink.KeyUp(vk);
        break;
      }
      default:
        break;
    }
    got = SDL_PollEvent(&e);
  }
  return !im.quit;
}

void SdlBackend::ReadKeyboard(std::array<bool, 256>& keys) {
  Impl& im = *impl_;
  // Like a foreground keyboard device: nothing is read while another window has the keys.
  if (!im.videoReady || !im.focused) {
    keys.fill(false);
    im.keyLatch.Clear();
    return;
  }
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  KeysFromUsbState(state, count, keys);
  im.keyLatch.Apply(keys);
}

// --- Audio.

bool SdlBackend::OpenAudio(Mixer& mixer) {
  Impl& im = *impl_;
  if (im.audioDevice != 0) {
    SDL_LockAudioDevice(im.audioDevice);
    im.mixer = &mixer;
    SDL_UnlockAudioDevice(im.audioDevice);
    return true;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = AudioRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = AudioFrames;
  want.callback = &Impl::AudioCallback;
  want.userdata = &im;
  SDL_AudioSpec have{};
  im.mixer = &mixer;
  // The device may choose its own rate (the mixer resamples to any); format and channel count
  // are converted by SDL when the device differs.
  im.audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (im.audioDevice == 0) {
    std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
    im.mixer = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  im.audioRate = have.freq > 0 ? have.freq : AudioRate;
  SDL_PauseAudioDevice(im.audioDevice, 0);
  return true;
}

void SdlBackend::CloseAudio() {
  Impl& im = *impl_;
  if (im.audioDevice == 0) return;
  SDL_CloseAudioDevice(im.audioDevice);
  im.audioDevice = 0;
  im.mixer = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlBackend::LockAudio() {
  if (impl_->audioDevice != 0) SDL_LockAudioDevice(impl_->audioDevice);
}

void SdlBackend::UnlockAudio() {
  if (impl_->audioDevice != 0) SDL_UnlockAudioDevice(impl_->audioDevice);
}

}  // namespace vepa
