// The browser backend. The page's script (web/vepa4-page.js) owns the canvas element, the
// event listeners and the audio graph; this side converts frames and keeps the input state.
#include "engine/backend_web.h"

#include <emscripten.h>

#include <algorithm>

#include "engine/viewport.h"

namespace vepa {

namespace {

// Hands an RGBA frame to the canvas; the page resizes the canvas's pixel grid when the picture
// size changes (game or dialog) and notes the time of the first frame.
EM_JS(void, JsShowFrame, (const uint8_t* rgba, int w, int h), {
  if (Module.vepaShowFrame) Module.vepaShowFrame(HEAPU8.subarray(rgba, rgba + w * h * 4), w, h);
});

// The canvas box in page units, inside its full-window stage.
EM_JS(void, JsPlaceCanvas, (double x, double y, double w, double h), {
  if (Module.vepaPlaceCanvas) Module.vepaPlaceCanvas(x, y, w, h);
});

}  // namespace

bool WebBackend::InitDisplay(bool, std::string&) {
  // Full screen in a page is the player's request (a key or the page's button), never the
  // game's: browsers refuse it without one. The display is the canvas either way.
  gameDisplay_ = true;
  pictureWidth_ = Layer::ScreenWidth;
  pictureHeight_ = Layer::ScreenHeight;
  input_.SetPicture(pictureWidth_, pictureHeight_);
  Layout(outW_, outH_, dpr_);
  return true;
}

void WebBackend::FinalizeDisplay() { gameDisplay_ = false; }

void WebBackend::Present(const Surface& frame) {
  if (gameDisplay_) Show(frame);
}

void WebBackend::PresentLauncher(const Surface& s) {
  gameDisplay_ = false;
  if (s.width != pictureWidth_ || s.height != pictureHeight_) {
    pictureWidth_ = s.width;
    pictureHeight_ = s.height;
    input_.SetPicture(pictureWidth_, pictureHeight_);
    Layout(outW_, outH_, dpr_);
  }
  Show(s);
}

void WebBackend::Show(const Surface& s) {
  if (s.width <= 0 || s.height <= 0 || s.pixels.size() < static_cast<size_t>(s.width) * s.height)
    return;
  const size_t count = static_cast<size_t>(s.width) * s.height;
  rgba_.resize(count * 4);
  uint8_t* o = rgba_.data();
  // The same widening of 5 and 6 bits to 8 as the screenshots of the headless runner.
  for (size_t i = 0; i < count; ++i, o += 4) {
    const uint16_t p = s.pixels[i];
    const unsigned r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    o[0] = static_cast<uint8_t>((r << 3) | (r >> 2));
    o[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
    o[2] = static_cast<uint8_t>((b << 3) | (b >> 2));
    o[3] = 255;
  }
  JsShowFrame(rgba_.data(), s.width, s.height);
}

void WebBackend::Layout(double outW, double outH, double dpr) {
  outW_ = outW;
  outH_ = outH;
  dpr_ = dpr > 0 ? dpr : 1;
  if (outW_ <= 0 || outH_ <= 0 || pictureWidth_ <= 0 || pictureHeight_ <= 0) return;
  const Viewport v =
      FitPicture(static_cast<int>(outW_), static_cast<int>(outH_), pictureWidth_, pictureHeight_);
  JsPlaceCanvas(v.X / dpr_, v.Y / dpr_, v.Width / dpr_, v.Height / dpr_);
}

bool WebBackend::OpenAudio(Mixer& mixer) {
  mixer_ = &mixer;
  return true;
}

void WebBackend::CloseAudio() { mixer_ = nullptr; }

void WebBackend::StartAudio(int rate) { audioRate_ = std::clamp(rate, 8000, 192000); }

const int16_t* WebBackend::Mix(int frames) {
  frames = std::clamp(frames, 0, 16384);
  mixed_.resize(static_cast<size_t>(frames) * 2);
  queue_.Pull(mixed_.data(), frames);
  return mixed_.data();
}

void WebBackend::AfterTick(double seconds) {
  if (mixer_ == nullptr) return;
  if (!AudioRunning()) {
    mixer_->Advance(seconds);
    return;
  }
  // Whole frames per tick, the remainder carried (44100 Hz gives 2205 a tick, 22050 gives
  // 1102.5).
  frameRemainder_ += seconds * audioRate_;
  const int frames = static_cast<int>(frameRemainder_);
  frameRemainder_ -= frames;
  tickSound_.resize(static_cast<size_t>(frames) * 2);
  mixer_->MixTick(tickSound_.data(), frames, audioRate_, seconds);
  queue_.Push(tickSound_.data(), frames);
}

void WebBackend::ReadKeyboard(std::array<bool, 256>& keys) { input_.Read(keys); }

}  // namespace vepa
