// 16-bit drawing surfaces and named pictures divided into patterns.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vepa {

// RGB565 helpers. Every surface of the game is 5-6-5, like the original 16-bit full-screen mode.
constexpr uint16_t Rgb565(int r, int g, int b) {
  return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | ((b & 0xF8) >> 3));
}

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;  // row-major, width * height

  Surface() = default;
  Surface(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
  void Resize(int w, int h) {
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * h, 0);
  }
  uint16_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
  const uint16_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
  uint16_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A named picture of an image list. The picture is divided into equal patterns of
// PatternWidth x PatternHeight, numbered left to right, then top to bottom.
// Transparency: pixels equal to TransparentColor are skipped when Transparent is set;
// an optional per-pixel alpha mask (0..255) gives smooth edges on top of that.
struct Image {
  std::string Name;
  int Width = 0;  // whole picture
  int Height = 0;
  int PatternWidth = 0;
  int PatternHeight = 0;
  bool Transparent = true;
  uint16_t TransparentColor = 0;
  std::vector<uint16_t> Pixels;  // Width * Height, RGB565
  std::vector<uint8_t> Alpha;    // empty, or Width * Height

  int PatternsPerRow() const { return PatternWidth > 0 ? Width / PatternWidth : 0; }
  int PatternCount() const {
    if (PatternWidth <= 0 || PatternHeight <= 0) return 0;
    return (Width / PatternWidth) * (Height / PatternHeight);
  }
  // Top-left pixel of a pattern inside the picture; false when the pattern does not exist.
  bool PatternOrigin(int pattern, int& px, int& py) const {
    if (pattern < 0 || pattern >= PatternCount()) return false;
    px = (pattern % PatternsPerRow()) * PatternWidth;
    py = (pattern / PatternsPerRow()) * PatternHeight;
    return true;
  }
};

// A picture of width x height cut into patterns of patternWidth x patternHeight, every pixel 0
// and the other fields as a new Image has them.
inline Image PatternedImage(std::string name, int width, int height, int patternWidth,
                            int patternHeight) {
  Image img;
  img.Name = std::move(name);
  img.Width = width;
  img.Height = height;
  img.PatternWidth = patternWidth;
  img.PatternHeight = patternHeight;
  img.Pixels.assign(static_cast<size_t>(width) * height, 0);
  return img;
}

}  // namespace vepa
