// Hit maps through a real archive pair: the input's bytes are stored as the entry "b_fuzz01"
// of an archive in a scratch directory, its directory record optionally bent (offset and size
// moved, so it may point before, into or past the data file), and the scene loader reads it.
// The loaded map holds the entry's first 76800 bytes and keeps the old cells past a short
// entry; a damaged record loads nothing; neither sets FatalError.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/game.h"
#include "engine/archive.h"
#include "engine/backend_headless.h"
#include "engine/loaders.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

namespace {

constexpr size_t kMapBytes = 76800;

void PutLe32(uint8_t* p, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchDir scratch;
  static HeadlessBackend backend(false);
  static Layer layer(backend);
  static Game game(layer);
  game.archive = Archive();
  game.archive.SetDataDir(scratch.Dir());
  game.FatalError = 0;

  InputReader in(data, size);
  const uint32_t mode = in.U8();
  const int32_t offsetShift = static_cast<int32_t>(in.U32());
  const int32_t sizeShift = static_cast<int32_t>(in.U32());
  const uint8_t leading = static_cast<uint8_t>(in.U8());  // bytes of another entry before it
  const std::vector<uint8_t> content(in.Rest(), in.Rest() + in.RestSize());

  // Data file: `leading` filler bytes, then the entry scrambled as the packer stores it.
  std::vector<uint8_t> stored(leading, 0x5A);
  std::vector<uint8_t> scrambled = content;
  ScrambleBytes(scrambled.data(), scrambled.size(), 0, false);
  stored.insert(stored.end(), scrambled.begin(), scrambled.end());
  int32_t offset = leading, length = static_cast<int32_t>(content.size());
  // The record's fields are 32 bits: a bent value wraps around as it would in the file.
  auto bend = [](int32_t value, int32_t shift) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(shift));
  };
  if (mode & 1) offset = bend(offset, (mode & 2) ? offsetShift : static_cast<int8_t>(offsetShift));
  if (mode & 4) length = bend(length, (mode & 8) ? sizeShift : static_cast<int8_t>(sizeShift));
  uint8_t record[20] = {};
  const std::string name = ArchiveName("b_fuzz01");
  record[0] = static_cast<uint8_t>(name.size());
  std::copy(name.begin(), name.end(), record + 1);
  PutLe32(record + 12, offset);
  PutLe32(record + 16, length);
  WriteFile(scratch.Dir() + DirectoryFileName, record, sizeof record);
  WriteFile(scratch.Dir() + DataFileName, stored.data(), stored.size());

  for (size_t i = 0; i < kMapBytes; ++i) game.HitMap[i] = static_cast<uint8_t>(i * 31 + 7);
  LoadHitMap(game, "b_fuzz01");
  FUZZ_CHECK(game.FatalError == 0);

  const bool fits = offset >= 0 && length >= 0 &&
                    static_cast<int64_t>(offset) + length <= static_cast<int64_t>(stored.size());
  // What the record points at, unscrambled with entry positions.
  std::vector<uint8_t> expected;
  if (fits) {
    const size_t n = std::min<size_t>(static_cast<size_t>(length), kMapBytes);
    expected.assign(stored.begin() + offset, stored.begin() + offset + static_cast<int64_t>(n));
    UnscrambleBytes(expected.data(), expected.size(), 0, false);
  }
  for (size_t i = 0; i < kMapBytes; ++i) {
    const uint8_t old = static_cast<uint8_t>(i * 31 + 7);
    FUZZ_CHECK(game.HitMap[i] == (i < expected.size() ? expected[i] : old));
  }
  // Reads through the map never leave it.
  const int x = static_cast<int>(offsetShift % 2000) - 700,
            y = static_cast<int>(sizeShift % 2000) - 700;
  const uint8_t cell =
      game.HitMapAt(x, y, static_cast<int8_t>(mode), -static_cast<int8_t>(leading));
  if (x < -300 || y < -300) FUZZ_CHECK(cell == 0);
  return 0;
}
