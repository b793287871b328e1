// Phrase records: bytes of a phrase table laid over the record at any offset, twice (a whole
// record, then a subtitle part as the phrase player does with linesOnly). Lines never exceed
// the room of the record, the fields the bytes do not reach keep their values and the ones
// they reach take them.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/helpers.h"
#include "engine/state.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

namespace {

constexpr int kLinesOffset = 8;
constexpr int kLineBytes = 21;

void CheckRecord(const PhraseRecord& r) {
  for (int i = 0; i < 5; ++i) FUZZ_CHECK(r.Lines[i].size() <= (i == 4 ? 18u : 20u));
}

void LayAndCheck(PhraseRecord& record, int offset, const std::vector<uint8_t>& bytes) {
  const PhraseRecord before = record;
  LoadPhraseBytes(record, offset, bytes);
  CheckRecord(record);
  const int begin = std::clamp(offset, 0, PhraseRecordSize);
  const int end = std::min<int>(PhraseRecordSize, begin + static_cast<int>(bytes.size()));
  auto reached = [&](int from, int count) { return from < end && from + count > begin; };
  auto covered = [&](int from, int count) { return from >= begin && from + count <= end; };
  auto at = [&](int position) { return bytes[static_cast<size_t>(position - begin)]; };
  if (!reached(0, 2)) FUZZ_CHECK(record.Kind == before.Kind);
  if (covered(0, 2)) FUZZ_CHECK(record.Kind == (at(0) | (at(1) << 8)));
  if (!reached(2, 2)) FUZZ_CHECK(record.Price == before.Price);
  if (covered(2, 2)) FUZZ_CHECK(record.Price == (at(2) | (at(3) << 8)));
  if (!reached(4, 2)) FUZZ_CHECK(record.LineShift == before.LineShift);
  if (covered(4, 2)) FUZZ_CHECK(record.LineShift == (at(4) | (at(5) << 8)));
  for (int i = 0; i < 5; ++i) {
    const int line = kLinesOffset + i * kLineBytes;
    const int room = i == 4 ? 18 : 20;
    if (!reached(line, kLineBytes)) {
      FUZZ_CHECK(record.Lines[i] == before.Lines[i]);
    } else if (covered(line, 1 + room)) {
      // A whole line in the bytes: its length byte, cut to the room, and its characters.
      const size_t n = std::min<int>(at(line), room);
      FUZZ_CHECK(record.Lines[i].size() == n);
      for (size_t k = 0; k < n; ++k)
        FUZZ_CHECK(static_cast<uint8_t>(record.Lines[i][k]) == at(line + 1 + static_cast<int>(k)));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputReader in(data, size);
  const int offset = static_cast<int32_t>(in.U32());
  const size_t firstLength = std::min<size_t>(in.U8(), in.RestSize());
  std::vector<uint8_t> first(in.Rest(), in.Rest() + firstLength);
  std::vector<uint8_t> second(in.Rest() + firstLength, in.Rest() + in.RestSize());
  PhraseRecord record;
  LayAndCheck(record, 0, first);
  LayAndCheck(record, offset, second);
  LayAndCheck(record, 4, second);
  return 0;
}
