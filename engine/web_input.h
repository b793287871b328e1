// The input side of the browser page, kept free of the browser so it is tested natively: keys
// by their browser code names into the same virtual-key snapshot the desktop reads, and the
// pointer mapped from the canvas box (any size, any pixel density) onto the picture, clamped
// so that it never leaves the picture.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/keymap.h"

namespace vepa {

class WebInput {
 public:
  // A key went down or up; returns its virtual-key code (0 when the game has none).
  int Key(std::string_view domCode, bool down);
  // Every key up (the page lost the focus: no key-up will come for keys held now).
  void ReleaseAll();
  // The keys held now plus every key pressed since the last read (see KeyLatch).
  void Read(std::array<bool, 256>& keys);

  // The size of the picture on the canvas (640x480 in the game, the dialog's own size in the
  // launcher).
  void SetPicture(int width, int height);
  // An absolute pointer position in canvas box units (its top left at 0, 0; the box boxW x
  // boxH). Returns whether the point lay on the picture.
  bool MoveTo(double x, double y, double boxW, double boxH);
  // A relative movement (pointer locked to the page in full screen), in box units; the
  // pointer stops at the picture's edges.
  void MoveBy(double dx, double dy, double boxW, double boxH);
  // The pixel under the pointer. Steps of a third of a pixel add up to a little less than a
  // whole one in floating point; the pixel is taken with that much grace.
  int X() const { return static_cast<int>(x_ + 1e-9); }
  int Y() const { return static_cast<int>(y_ + 1e-9); }

 private:
  std::array<uint8_t, 256> usages_{};
  KeyLatch latch_;
  int width_ = 640;
  int height_ = 480;
  double x_ = 0;
  double y_ = 0;
};

}  // namespace vepa
