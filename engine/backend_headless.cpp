// The headless backend: the game runs as with a window, but frames stay in memory and sound
// advances in simulated time.
#include "engine/backend_headless.h"

namespace vepa {

bool HeadlessBackend::InitDisplay(bool fullScreen, std::string& error) {
  if (!displayEnabled_) {
    error = "No display is available";
    displayOpen_ = false;
    return false;
  }
  displayOpen_ = true;
  fullScreen_ = fullScreen;
  return true;
}

void HeadlessBackend::Present(const Surface& frame) {
  // Assigning reuses the stored pixel block once its size is right, so no allocation per tick.
  lastFrame_.width = frame.width;
  lastFrame_.height = frame.height;
  lastFrame_.pixels.assign(frame.pixels.begin(), frame.pixels.end());
  ++presentCount_;
}

bool HeadlessBackend::OpenAudio(Mixer& mixer) {
  if (!soundEnabled_) return false;
  mixer_ = &mixer;
  return true;
}

void HeadlessBackend::CloseAudio() { mixer_ = nullptr; }

void HeadlessBackend::SetKey(int code, bool down) {
  if (code < 1 || code > 255) return;
  keys_[static_cast<size_t>(code)] = down;
  if (down) latch_.Press(code);
}

uint64_t HeadlessBackend::FrameHash() const {
  if (presentCount_ == 0) return 0;
  return HashSurface(lastFrame_);
}

uint64_t HashSurface(const Surface& s) {
  uint64_t h = 14695981039346656037ull;
  for (uint16_t p : s.pixels) {
    h = (h ^ (p & 0xFF)) * 1099511628211ull;
    h = (h ^ (p >> 8)) * 1099511628211ull;
  }
  return h;
}

}  // namespace vepa
