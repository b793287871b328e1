// Windows bitmaps (backgrounds): the decoder over arbitrary bytes; a decoded picture must
// have the pixels its size says, and encoding it again must decode to the same pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/streams.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Surface picture(3, 3);
  std::string error;
  if (!DecodeBitmap(data, size, picture, &error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(picture.width == 3 && picture.height == 3);  // untouched
    return 0;
  }
  FUZZ_CHECK(picture.width > 0 && picture.height > 0);
  FUZZ_CHECK(picture.pixels.size() == static_cast<size_t>(picture.width) * picture.height);
  // A stored row has at least one byte per pixel; the picture cannot be larger than the file.
  FUZZ_CHECK(picture.pixels.size() <= size);
  const std::vector<uint8_t> again = EncodeBitmap(picture);
  Surface decoded;
  FUZZ_CHECK(DecodeBitmap(again.data(), again.size(), decoded, &error));
  FUZZ_CHECK(decoded.width == picture.width && decoded.height == picture.height);
  FUZZ_CHECK(decoded.pixels == picture.pixels);
  return 0;
}
