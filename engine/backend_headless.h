// A backend without a window or a sound card: frames are kept in memory (for screenshots and
// hashes), the keyboard is whatever the runner sets, and sound time advances only when the
// runner advances it (Layer::AdvanceAudio), so waiting for a sound behaves as with a device.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/keymap.h"
#include "engine/layer.h"

namespace vepa {

class HeadlessBackend : public Backend {
 public:
  // With sound off, OpenAudio fails and the game runs silent; with the display off,
  // InitDisplay fails (the launcher's "files not found" path).
  explicit HeadlessBackend(bool soundEnabled = true, bool displayEnabled = true)
      : soundEnabled_(soundEnabled), displayEnabled_(displayEnabled) {}

  bool InitDisplay(bool fullScreen, std::string& error) override;
  void FinalizeDisplay() override { displayOpen_ = false; }
  void Present(const Surface& frame) override;
  bool OpenAudio(Mixer& mixer) override;
  void CloseAudio() override;
  void ReadKeyboard(std::array<bool, 256>& keys) override {
    keys = keys_;
    latch_.Apply(keys);
  }

  // Keyboard state by virtual-key code; codes outside 1..255 are ignored.
  void SetKey(int code, bool down);
  void ReleaseAllKeys() {
    keys_.fill(false);
    latch_.Clear();
  }

  bool DisplayOpen() const { return displayOpen_; }
  bool FullScreen() const { return fullScreen_; }
  bool AudioOpen() const { return mixer_ != nullptr; }
  Mixer* AudioMixer() const { return mixer_; }

  // The last presented frame (empty before the first Present) and how many were presented.
  const Surface& LastFrame() const { return lastFrame_; }
  uint64_t PresentCount() const { return presentCount_; }
  // 64-bit FNV-1a of the last frame's pixels (little-endian bytes); 0 before the first frame.
  uint64_t FrameHash() const;

 private:
  bool soundEnabled_;
  bool displayEnabled_;
  bool displayOpen_ = false;
  bool fullScreen_ = false;
  Mixer* mixer_ = nullptr;
  std::array<bool, 256> keys_{};
  KeyLatch latch_;
  Surface lastFrame_;
  uint64_t presentCount_ = 0;
};

// 64-bit FNV-1a of a surface's pixels, each pixel as two little-endian bytes.
uint64_t HashSurface(const Surface& s);

}  // namespace vepa
