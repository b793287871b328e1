// Where the game picture sits inside a window of any size, and how window points map back to
// picture pixels. Kept free of any window library so the arithmetic is tested on its own.
#pragma once

#include <algorithm>
#include <cmath>

namespace vepa {

// The picture's rectangle in output pixels (the area outside it shows black bars).
struct Viewport {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// The largest whole-number scale of a picW x picH picture that fits into outW x outH, or 0
// when not even 1x fits.
inline int IntegerScale(int outW, int outH, int picW, int picH) {
  if (outW <= 0 || outH <= 0 || picW <= 0 || picH <= 0) return 0;
  return std::min(outW / picW, outH / picH);
}

// Places the picture centred in the output: at the largest whole-number scale that fits, so
// every picture pixel becomes an equal square; when the output is smaller than the picture,
// at the largest fractional scale that keeps the aspect. Empty when any size is not positive.
inline Viewport FitPicture(int outW, int outH, int picW, int picH) {
  Viewport v;
  if (outW <= 0 || outH <= 0 || picW <= 0 || picH <= 0) return v;
  const int k = IntegerScale(outW, outH, picW, picH);
  if (k >= 1) {
    v.Width = picW * k;
    v.Height = picH * k;
  } else if (static_cast<long long>(outW) * picH <= static_cast<long long>(outH) * picW) {
    // Width is the tighter limit.
    v.Width = outW;
    v.Height = std::max(1, static_cast<int>(static_cast<long long>(outW) * picH / picW));
  } else {
    v.Height = outH;
    v.Width = std::max(1, static_cast<int>(static_cast<long long>(outH) * picW / picH));
  }
  v.X = (outW - v.Width) / 2;
  v.Y = (outH - v.Height) / 2;
  return v;
}

// The output a renderer really reaches: the renderer's size scaled by the window's real size
// over the size the window library believes it has. They differ after a full-screen request
// that nothing applied (an X server without a window manager leaves the window as it was,
// while the library already counts with the desktop's size).
inline void RealOutputSize(int rendererW, int rendererH, int believedW, int believedH, int realW,
                           int realH, int& outW, int& outH) {
  if (believedW <= 0 || believedH <= 0 || realW <= 0 || realH <= 0) {
    outW = rendererW;
    outH = rendererH;
    return;
  }
  outW = static_cast<int>(static_cast<long long>(rendererW) * realW / believedW);
  outH = static_cast<int>(static_cast<long long>(rendererH) * realH / believedH);
}

// Maps an output point to the picture pixel under it. Points on the bars are clamped to the
// nearest edge pixel, so the pointer never leaves the picture. Returns whether the point lay
// inside the picture. An empty viewport maps everything to (0, 0).
inline bool OutputToPicture(const Viewport& v, int picW, int picH, double ox, double oy, int& px,
                            int& py) {
  if (v.Width <= 0 || v.Height <= 0 || picW <= 0 || picH <= 0) {
    px = py = 0;
    return false;
  }
  const double fx = std::floor((ox - v.X) * picW / v.Width);
  const double fy = std::floor((oy - v.Y) * picH / v.Height);
  const bool inside = fx >= 0 && fy >= 0 && fx < picW && fy < picH;
  px = static_cast<int>(std::clamp(fx, 0.0, static_cast<double>(picW - 1)));
  py = static_cast<int>(std::clamp(fy, 0.0, static_cast<double>(picH - 1)));
  return inside;
}

// The output pixel at the centre of a picture pixel (where to put a system pointer so that
// it maps back to that picture pixel).
inline void PictureToOutput(const Viewport& v, int picW, int picH, int px, int py, int& ox,
                            int& oy) {
  if (v.Width <= 0 || v.Height <= 0 || picW <= 0 || picH <= 0) {
    ox = v.X;
    oy = v.Y;
    return;
  }
  ox = v.X + static_cast<int>(std::floor((px + 0.5) * v.Width / picW));
  oy = v.Y + static_cast<int>(std::floor((py + 0.5) * v.Height / picH));
}

// Window coordinates to output pixels when the two differ (high-density screens report the
// pointer in window units but render in pixels).
inline double WindowToOutput(double w, int windowSize, int outputSize) {
  if (windowSize <= 0) return w;
  return w * outputSize / windowSize;
}

}  // namespace vepa
