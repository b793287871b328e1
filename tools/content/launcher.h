// The launcher dialog's pictures: drawn here, written out as C++ source that the game compiles
// in, so the "data files not found" message shows even without the archive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct LauncherImage {
  std::string Component;  // "Image2", ...
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<uint16_t> Pixels;  // RGB565
  bool Transparent = false;
  uint16_t TransparentColor = 0;
};

// Image2, Image6, Image7, Image11, Image1 in that order.
std::vector<LauncherImage> DrawLauncherPictures();
// C++ source defining vepa::kLauncherPictures.
std::string LauncherSource(const std::vector<LauncherImage>& pictures);
// Draws the pictures and writes the source (only when it changed).
void WriteLauncherSource(const std::string& path);
// PNG previews of the three dialog states, three times enlarged.
void WriteLauncherPreview(const std::string& dir);

}  // namespace content
