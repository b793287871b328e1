// The browser backend (WebAssembly): frames go onto the page's canvas, sound is our own mixer
// pulled by the page's Web Audio graph, and keys and the pointer arrive from the page's event
// handlers through WebInput. Everything runs on the page's one thread, so the audio lock has
// nothing to guard. This header carries no browser types.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio_queue.h"
#include "engine/layer.h"
#include "engine/web_input.h"

namespace vepa {

class WebBackend : public Backend {
 public:
  // Backend.
  bool InitDisplay(bool fullScreen, std::string& error) override;
  void FinalizeDisplay() override;
  void Present(const Surface& frame) override;
  // The mixer is taken at once, but the page may start sound only after the player's first
  // click or key; until then AudioRunning is false and the frame loop advances the sounds in
  // game time, unheard, so the game runs as it does with sound (see the frame loop).
  bool OpenAudio(Mixer& mixer) override;
  void CloseAudio() override;
  void ReadKeyboard(std::array<bool, 256>& keys) override;

  // The launcher dialog's picture on the same canvas, at its own size.
  void PresentLauncher(const Surface& s);
  // Places the canvas in an output of outW x outH device pixels (dpr device pixels to a page
  // unit): centred, aspect kept, a whole-number scale where one fits.
  void Layout(double outW, double outH, double dpr);

  // Sound from the page: the audio graph runs at `rate` samples a second from now on, and
  // asks for `frames` stereo frames at a time (interleaved signed 16-bit, valid until the
  // next call).
  void StartAudio(int rate);
  bool AudioRunning() const { return audioRate_ > 0 && mixer_ != nullptr; }
  const int16_t* Mix(int frames);
  // After each tick: the tick's sound into the queue the audio graph plays from (the game's
  // sounds move on in game time, as on the runner), or, before the audio graph runs, the
  // sounds moved on unheard.
  void AfterTick(double seconds);
  const AudioQueue& Queue() const { return queue_; }

  WebInput& Input() { return input_; }
  bool GameDisplayOpen() const { return gameDisplay_; }

 private:
  void Show(const Surface& s);

  WebInput input_;
  bool gameDisplay_ = false;
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  double outW_ = 0, outH_ = 0, dpr_ = 1;
  std::vector<uint8_t> rgba_;
  Mixer* mixer_ = nullptr;
  int audioRate_ = 0;
  std::vector<int16_t> mixed_;
  std::vector<int16_t> tickSound_;
  double frameRemainder_ = 0;
  // Starts with about 90 ms queued and keeps at most 300 ms.
  AudioQueue queue_{4096, 14400};
};

}  // namespace vepa
