// The display, sound and input layer. The game calls it by these operation names only; what
// differs between a real window and a headless run sits behind `Backend`. No scene includes SDL.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/mixer.h"
#include "engine/render.h"
#include "engine/surface.h"

namespace vepa {

// What a platform must provide: a place to show frames, an audio device that pulls from the
// mixer, and the keyboard state. Implementations: the SDL backend and the headless backend.
class Backend {
 public:
  virtual ~Backend() = default;
  // Creates the game display (windowed or full screen). False and a message when impossible.
  virtual bool InitDisplay(bool fullScreen, std::string& error) = 0;
  virtual void FinalizeDisplay() = 0;
  // Shows a finished 640x480 frame.
  virtual void Present(const Surface& frame) = 0;
  // Opens the audio device feeding from the mixer; false when there is none.
  virtual bool OpenAudio(Mixer& mixer) = 0;
  virtual void CloseAudio() = 0;
  // Guards the buffers against the audio thread while the game changes them.
  virtual void LockAudio() {}
  virtual void UnlockAudio() {}
  // Keyboard state by virtual-key code (1..255).
  virtual void ReadKeyboard(std::array<bool, 256>& keys) = 0;
};

// Counts names asked for but missing from their list; the runner prints the count.
struct MissingNameLog {
  // Each missing name once, as the message printed for it ("Image 'x' not found").
  std::vector<std::string> Names;
  // Every failed lookup, repeats included.
  uint64_t Lookups = 0;
  // Prints "<kind> '<name>' not found" on stderr the first time a name is missing.
  void Report(const char* kind, std::string_view name);
};

// Names compare without regard to letter case (Latin and Cyrillic of code page 1251).
bool SameName(std::string_view a, std::string_view b);

// A list of named images (DXImageList1..3).
class ImageList {
 public:
  std::vector<Image> Images;
  // Where missing names are counted; the layer sets it, a bare list only prints.
  MissingNameLog* Log = nullptr;
  // Case-insensitive lookup; a missing name is reported once on stderr, counted, and gives null.
  const Image* FindImage(std::string_view name) const;
};

// A list of named waves (DXWaveList1, 2, 4).
class WaveList {
 public:
  std::vector<Wave> Waves;
  MissingNameLog* Log = nullptr;
  // Case-insensitive lookup, first match wins; a missing name is reported like FindImage.
  Wave* FindWave(std::string_view name);
  // The wave at an index; null outside the list.
  Wave* WaveItem(int index);
};

class Layer {
 public:
  static constexpr int ScreenWidth = 640;
  static constexpr int ScreenHeight = 480;

  explicit Layer(Backend& backend);
  ~Layer();

  // Display.
  bool InitDisplay(std::string* error = nullptr);
  void FinalizeDisplay();
  // Only the game's own mode, 640x480 at 16 bits, can be shown; InitDisplay refuses others.
  void SetDisplayMode(int width, int height, int bits);
  void SetFullScreen(bool on) { fullScreen_ = on; }
  bool FullScreen() const { return fullScreen_; }
  void StoreWindow() {}
  bool CanDraw() const { return displayReady_; }
  Surface& BackBuffer() { return backBuffer_; }
  Surface& BackgroundSurface() { return background_; }
  int SurfaceWidth() const { return background_.width; }
  int SurfaceHeight() const { return background_.height; }
  // The background bitmap holder (DXDIB1) and the refill of the background surface from it.
  Surface& BitmapHolder() { return bitmapHolder_; }
  void LoadSurfaceFromBitmap() { background_ = bitmapHolder_; }
  void Flip();
  uint64_t FramesPresented() const { return framesPresented_; }

  // Image lists 1..3 (common, scene, kiosk), for change: the kept shrinks of the list's pictures
  // are forgotten (those of the other lists stay). Other numbers give null.
  ImageList* Images(int list);
  const Image* FindImage(int list, std::string_view name) const;
  void MakeColorTable(int) {}

  // Drawing on the back buffer; each takes an image found with FindImage (null draws nothing).
  void DrawPattern(const Image* img, int pattern, int x, int y) {
    vepa::DrawPattern(backBuffer_, img, pattern, x, y);
  }
  void StretchPattern(const Image* img, int pattern, const Rect& r) {
    vepa::StretchPattern(backBuffer_, img, pattern, r, &shrinks_);
  }
  void DrawPatternAlpha(const Image* img, int pattern, const Rect& r, int alpha) {
    vepa::DrawPatternAlpha(backBuffer_, img, pattern, r, alpha, &shrinks_);
  }
  void DrawPatternRotated(const Image* img, int pattern, int x, int y, int w, int h, double cx,
                          double cy, int angle) {
    vepa::DrawPatternRotated(backBuffer_, img, pattern, x, y, w, h, cx, cy, angle);
  }
  void DrawPatternRotatedAlpha(const Image* img, int pattern, int x, int y, int w, int h, double cx,
                               double cy, int angle, int alpha) {
    vepa::DrawPatternRotatedAlpha(backBuffer_, img, pattern, x, y, w, h, cx, cy, angle, alpha);
  }
  void DrawPatternWaveAdd(const Image* img, int pattern, int x, int y, int w, int h, int amplitude,
                          int length, int phase, int alpha) {
    vepa::DrawPatternWaveAdd(backBuffer_, img, pattern, x, y, w, h, amplitude, length, phase,
                             alpha);
  }
  // Shorthands: find by name in a list and draw.
  void Draw(int list, std::string_view name, int pattern, int x, int y) {
    DrawPattern(FindImage(list, name), pattern, x, y);
  }

  // Canvas on the back buffer (pen and brush of one colour).
  void FillSurface(uint16_t color) { vepa::FillSurface(backBuffer_, color); }
  void Rectangle(int x1, int y1, int x2, int y2, uint16_t color) {
    vepa::FillRectangle(backBuffer_, x1, y1, x2, y2, color);
  }
  void Ellipse(int x1, int y1, int x2, int y2, uint16_t color) {
    vepa::FillEllipse(backBuffer_, x1, y1, x2, y2, color);
  }
  void Line(int x1, int y1, int x2, int y2, uint16_t color) {
    vepa::DrawLine(backBuffer_, x1, y1, x2, y2, color);
  }

  // Sound.
  bool InitSound();
  void FinalizeSound();
  bool SoundInitialized() const { return soundReady_; }
  WaveList* Waves(int list);  // 1, 2, 4; others null
  Wave* FindWave(int list, std::string_view name);
  // Buffer operations, each guarded against the audio thread.
  void Play(Wave* w, bool loop);
  void Stop(Wave* w);
  void SetPosition(Wave* w, uint32_t bytes);
  void SetFrequency(Wave* w, int hz);
  void SetVolume(Wave* w, int hundredthsDb);
  void SetPan(Wave* w, int pan);
  bool IsPlaying(Wave* w);
  uint32_t GetPosition(Wave* w);
  // Replaces the waves of list 1 or 2 (taken under the audio lock).
  void ReplaceWaves(int list, std::vector<Wave> waves);
  // Replaces the sound of channel item 0 (speech) or 1 (music) of list 4.
  void LoadBufferFromWave(int item, SoundBuffer buffer);
  // Simulated audio time for the headless layer: advances every playing buffer.
  void AdvanceAudio(double seconds);

  // Input.
  void UpdateInput();
  bool KeyPressed(int code) const { return code >= 1 && code <= 255 && keys_[code]; }

  MissingNameLog& Missing() { return missing_; }
  Backend& GetBackend() { return backend_; }

 private:
  // Runs op on the wave's buffer under the audio lock. Without a wave or a sound device it
  // does nothing and returns op's result type empty (false, 0).
  template <typename Op>
  auto OnBuffer(Wave* w, Op op);

  Backend& backend_;
  bool fullScreen_ = false;
  bool displayReady_ = false;
  int modeWidth_ = ScreenWidth;
  int modeHeight_ = ScreenHeight;
  int modeBits_ = 16;
  bool soundReady_ = false;
  uint64_t framesPresented_ = 0;
  Surface backBuffer_;
  Surface background_;
  Surface bitmapHolder_;
  ImageList images_[3];
  ShrinkCache shrinks_;
  WaveList waves_[3];  // 1, 2, 4
  Mixer mixer_;
  std::array<bool, 256> keys_{};
  mutable MissingNameLog missing_;
};

}  // namespace vepa
