// The archive reader over arbitrary directory and data files. The input is split into
// "vepa4.gmd" and "vepa4.gam": a 16-bit directory length, a slice start and count, then the
// directory bytes and the data bytes. Every name of the directory and a few fixed ones are
// looked up, read whole and read in a slice; each read must agree with the record it found.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/archive.h"
#include "fuzz/fuzz_common.h"

using namespace vepa;
using namespace vepa::fuzzing;

namespace {

const char* const kFixedNames[] = {"s_all01", "w_all01", "b_kiosk01", "t_kib01",
                                   "kib001",  "",        "a",         "twelve_char"};

void CheckName(const Archive& archive, const std::string& name, int64_t dataSize, int sliceStart,
               int sliceCount) {
  EntryInfo info;
  const ArchiveResult found = archive.FindEntry(name, info);
  FUZZ_CHECK(found == ArchiveResult::Ok || found == ArchiveResult::NotFound);
  // A stored name has at most 11 bytes.
  if (name.size() > 11) FUZZ_CHECK(found == ArchiveResult::NotFound);

  const bool fits = found == ArchiveResult::Ok && info.Offset >= 0 && info.Size >= 0 &&
                    static_cast<int64_t>(info.Offset) + info.Size <= dataSize;
  std::vector<uint8_t> bytes = {1, 2, 3};
  const ArchiveResult whole =
      archive.ReadEntry(name, bytes, KindOfEntry(name) == EntryKind::Speech);
  if (found == ArchiveResult::NotFound) {
    FUZZ_CHECK(whole == ArchiveResult::NotFound);
  } else if (fits) {
    FUZZ_CHECK(whole == ArchiveResult::Ok);
    FUZZ_CHECK(bytes.size() == static_cast<size_t>(info.Size));
  } else {
    FUZZ_CHECK(whole == ArchiveResult::Malformed);
    FUZZ_CHECK((bytes == std::vector<uint8_t>{1, 2, 3}));  // a damaged entry reads nothing
  }

  std::vector<uint8_t> slice;
  const ArchiveResult part = archive.ReadEntrySlice(name, sliceStart, sliceCount, slice);
  if (found == ArchiveResult::NotFound) {
    FUZZ_CHECK(part == ArchiveResult::NotFound);
  } else if (fits) {
    FUZZ_CHECK(part == ArchiveResult::Ok);
    size_t expected = 0;
    if (sliceStart >= 0 && sliceCount > 0 && sliceStart < info.Size)
      expected = static_cast<size_t>(std::min(sliceCount, info.Size - sliceStart));
    FUZZ_CHECK(slice.size() == expected);
    // The slice unscrambles with entry positions, so it matches the whole read (speech entries
    // unscramble differently and are left out).
    if (KindOfEntry(name) != EntryKind::Speech && expected > 0)
      FUZZ_CHECK(std::equal(slice.begin(), slice.end(), bytes.begin() + sliceStart));
  } else {
    FUZZ_CHECK(part == ArchiveResult::Malformed);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchDir scratch;
  InputReader in(data, size);
  const size_t dirLength = std::min<size_t>(in.U16(), size);
  const int sliceStart = static_cast<int16_t>(in.U16());
  const int sliceCount = static_cast<int16_t>(in.U16());
  const size_t dirBytes = std::min(dirLength, in.RestSize());
  WriteFile(scratch.Dir() + DirectoryFileName, in.Rest(), dirBytes);
  const size_t dataBytes = in.RestSize() - dirBytes;
  WriteFile(scratch.Dir() + DataFileName, in.Rest() + dirBytes, dataBytes);

  Archive archive;
  archive.SetDataDir(scratch.Dir());
  std::vector<DirectoryRecord> records;
  FUZZ_CHECK(archive.ReadDirectory(records) == ArchiveResult::Ok);
  FUZZ_CHECK(records.size() == dirBytes / 20);  // a trailing partial record is ignored

  std::vector<std::string> names(std::begin(kFixedNames), std::end(kFixedNames));
  for (const DirectoryRecord& r : records)
    if (r.NameLength <= 11) names.push_back(r.Name);
  if (names.size() > 64) names.resize(64);
  for (const std::string& name : names)
    CheckName(archive, name, static_cast<int64_t>(dataBytes), sliceStart, sliceCount);
  for (const DirectoryRecord& r : records) {
    std::vector<uint8_t> bytes;
    std::string reason;
    const ArchiveResult result = archive.ReadRecord(r, bytes, false, &reason);
    FUZZ_CHECK(result == ArchiveResult::Ok || result == ArchiveResult::Malformed);
    if (result == ArchiveResult::Malformed) FUZZ_CHECK(!reason.empty());
  }
  return 0;
}
