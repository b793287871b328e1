// The SDL backend: the game window (full screen on the desktop, picture scaled with black
// bars), the small launcher window, the audio device that pulls from the mixer, the keyboard
// snapshot and the event pump of the main loop. This header carries no SDL types, so the
// program's main file does not depend on SDL headers.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/layer.h"

namespace vepa {

// Receives the window's input events; coordinates are already in picture pixels (640x480 in
// the game, the dialog's own size in the launcher).
class SdlEventSink {
 public:
  static constexpr int LeftButton = 0;
  static constexpr int RightButton = 1;
  static constexpr int MiddleButton = 2;

  virtual ~SdlEventSink() = default;
  virtual void MouseMove(int x, int y) = 0;
  virtual void MouseDown(int button, int x, int y) = 0;
  virtual void MouseUp(int button, int x, int y) = 0;
  // Virtual-key code and whether Alt was held; auto-repeat sends KeyDown again.
  virtual void KeyDown(int vk, bool alt) = 0;
  virtual void KeyUp(int vk) = 0;
  // The window was closed (close button, Alt+F4 through the window manager, session end).
  virtual void Quit() = 0;
};

class SdlBackend : public Backend {
 public:
  static constexpr const char* WindowTitle = "Pelko Vepa 4 Demo";

  SdlBackend();
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  // Backend.
  bool InitDisplay(bool fullScreen, std::string& error) override;
  void FinalizeDisplay() override;
  void Present(const Surface& frame) override;
  bool OpenAudio(Mixer& mixer) override;
  void CloseAudio() override;
  void LockAudio() override;
  void UnlockAudio() override;
  void ReadKeyboard(std::array<bool, 256>& keys) override;

  // Delivers pending window events to the sink, waiting up to waitMs for the first one.
  // Alt+Enter in the game window switches between full screen and a window and is not passed
  // on. Returns false once the window has been asked to close (the sink's Quit was called).
  bool PollEvents(SdlEventSink& sink, int waitMs = 0);
  // Whether the window is shown, not minimized and not left for another application; the
  // frame timer runs only then.
  bool WindowActive() const;
  // Full screen on the desktop or a window, for the game display.
  void ToggleFullScreen();
  bool IsFullScreen() const;

  // The launcher dialog: a fixed w x h picture shown at a whole-number scale (2x or 3x, as
  // the desktop allows) in a small centred window. Mouse events are mapped back to the
  // dialog's own coordinates.
  bool OpenLauncherWindow(int w, int h, const char* title);
  void PresentLauncher(const Surface& s);
  void CloseLauncherWindow();
  int LauncherScale() const;

  // Last SDL error text, for messages.
  std::string LastError() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vepa
