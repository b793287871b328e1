// The pictures the renderer's benchmarks draw: sprites like the game's and a busy back buffer.
#pragma once

#include <cstdint>

#include "engine/surface.h"

namespace vepa::bench {

constexpr uint16_t kKey = 0xF81F;

// A sprite like the game's: a disc of varied colour on the transparent colour, so about a
// fifth of its texels are skipped. With alphaEdge, a mask fades the disc's rim.
inline Image MakeSprite(int w, int h, int patterns = 1, bool alphaEdge = false) {
  Image img = PatternedImage("Bench01", w * patterns, h, w, h);
  img.Transparent = true;
  img.TransparentColor = kKey;
  if (alphaEdge) img.Alpha.resize(img.Pixels.size());
  const double cx = w / 2.0, cy = h / 2.0, r2 = cx * cy;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      const double dx = (x % w) + 0.5 - cx, dy = y + 0.5 - cy;
      const double d = (dx * dx + dy * dy) / r2;
      const size_t at = static_cast<size_t>(y) * img.Width + x;
      img.Pixels[at] = d <= 1.0 ? Rgb565(40 + x * 3, 60 + y * 5, 90 + x * y) : kKey;
      if (alphaEdge)
        img.Alpha[at] = d <= 0.7 ? 255 : d <= 1.0 ? static_cast<uint8_t>((1.0 - d) * 850) : 0;
    }
  }
  return img;
}

// A 640 x 480 back buffer of smooth gradients.
inline Surface MakeScreen() {
  Surface s(640, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) s.Row(y)[x] = Rgb565(x / 3, y / 2, (x + y) / 5);
  return s;
}

}  // namespace vepa::bench
