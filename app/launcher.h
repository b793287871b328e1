// The launcher dialog: single-instance check, installation settings, the archive search and
// the message pictures shown when the game cannot start (or loses its data while running).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/platform.h"
#include "engine/surface.h"

namespace vepa {
class Layer;
struct Game;
}  // namespace vepa

namespace vepa {

class Launcher {
 public:
  static constexpr int ClientWidth = 213;
  static constexpr int ClientHeight = 116;

  explicit Launcher(SystemServices& sys) : sys_(sys) {}

  // Start-up steps 4 to 6: current directory and settings. Returns `Installed`.
  bool ReadInstallation();
  // The archive search: the current directory, then GameDir and CDGameDir when installed.
  // Sets DataDir and returns true when both files open in one directory.
  bool FindArchive();

  // Shows one state: 1 not installed, 2 data read error, 4 archive files not found.
  void ShowLauncherState(int state);
  // Hides the message pictures; with 1 the background too.
  void HideLauncherPictures(int all);

  int State() const { return state_; }
  // Visibility of Image2, Image6, Image7, Image11, Image1 (the picture table's order).
  const std::array<bool, 5>& Visible() const { return visible_; }
  // Draws the visible pictures into a 213x116 surface.
  void Render(Surface& out) const;
  // True when a click at dialog coordinates hits the visible "ВЫХОД" button.
  bool ExitButtonAt(int x, int y) const;

  bool Installed = false;
  std::string CurrentDir, GameDir, CDGameDir, DataDir;

 private:
  std::string WithSeparator(const std::string& dir) const;
  SystemServices& sys_;
  int state_ = 0;
  std::array<bool, 5> visible_{};
};

// The way back from a running game after a data read error: the display leaves full screen and
// the dialog shows its data-read-error picture. The sound is left as it was, so whatever was
// playing goes on under the dialog.
void ReturnToLauncher(Layer& layer, Launcher& launcher);

// The way from the dialog into the game: the dialog's pictures hidden, the game set to read the
// archive the launcher found, with this random seed and the publisher's logo as its first scene,
// and the display opened full screen. False, the reason written to stderr, when the display does
// not open: the caller shows the dialog again.
bool StartFromLauncher(Launcher& launcher, Game& game, uint32_t seed);

}  // namespace vepa
