// The launcher dialog's pictures, compiled into the executable so they show even when the
// archive cannot be found. Generated at build time by the content builder.
#pragma once

#include <cstdint>

namespace vepa {

struct LauncherPicture {
  const char* Component;  // "Image2", "Image6", "Image7", "Image11", "Image1"
  int Left, Top, Width, Height;
  const uint16_t* Pixels;  // RGB565, Width * Height
  bool Transparent;        // pixels of TransparentColor let the background show through
  uint16_t TransparentColor;
};

// Image2 (background), Image6, Image7, Image11, Image1 in that order.
extern const LauncherPicture kLauncherPictures[5];

}  // namespace vepa
