// Image-list streams: the decoder over arbitrary bytes, then everything a scene does with a
// decoded list: each picture's first and last pattern drawn plain, stretched, blended, turned
// and wave-added on a small surface (partly off its edges), and an encode-decode round trip
// that must give the same pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/render.h"
#include "engine/streams.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

namespace {

bool SameImage(const Image& a, const Image& b) {
  return a.Name == b.Name && a.Width == b.Width && a.Height == b.Height &&
         a.PatternWidth == b.PatternWidth && a.PatternHeight == b.PatternHeight &&
         a.Transparent == b.Transparent && a.TransparentColor == b.TransparentColor &&
         a.Pixels == b.Pixels && a.Alpha == b.Alpha;
}

void DrawAll(const Image& img, int seed) {
  Surface s(96, 72);
  const int last = img.PatternCount() - 1;
  const int x = seed % 120 - 12, y = (seed / 7) % 90 - 9;
  const int angle = seed * 37;
  for (int p : {0, last, last + 1}) {
    DrawPattern(s, &img, p, x, y);
    StretchPattern(s, &img, p, Rect{x, y, x + 40, y + 30});
    StretchPattern(s, &img, p, Rect{x + 40, y + 30, x, y});  // mirrored
    DrawPatternAlpha(s, &img, p, Rect{x, y, x + 17, y + 90}, seed % 300 - 20);
    DrawPatternRotated(s, &img, p, x, y, 50, -30, 0.5, 0.5, angle);
    DrawPatternRotatedAlpha(s, &img, p, 48, 36, -45, 70, 0.25, 1.5, -angle, 128);
    DrawPatternWaveAdd(s, &img, p, x, y, 80, 20, seed % 40 - 20, seed % 64, seed, 200);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<Image> images;
  std::string error;
  if (!DecodeImageList(data, size, images, &error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(images.empty());  // a failed decode hands back nothing
    return 0;
  }
  int seed = size > 8 ? data[size - 1] * 3 + data[size / 2] : 5;
  for (const Image& img : images) {
    FUZZ_CHECK(img.Width > 0 && img.Height > 0);
    FUZZ_CHECK(img.PatternWidth > 0 && img.PatternWidth <= img.Width);
    FUZZ_CHECK(img.PatternHeight > 0 && img.PatternHeight <= img.Height);
    FUZZ_CHECK(img.Pixels.size() == static_cast<size_t>(img.Width) * img.Height);
    FUZZ_CHECK(img.Alpha.empty() || img.Alpha.size() == img.Pixels.size());
    DrawAll(img, seed++);
  }
  const std::vector<uint8_t> again = EncodeImageList(images);
  std::vector<Image> decoded;
  FUZZ_CHECK(DecodeImageList(again.data(), again.size(), decoded, &error));
  FUZZ_CHECK(decoded.size() == images.size());
  for (size_t i = 0; i < images.size(); ++i) FUZZ_CHECK(SameImage(images[i], decoded[i]));
  return 0;
}
