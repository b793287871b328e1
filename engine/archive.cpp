// The resource archive reader and writer. Every read opens and closes the files again: a scene
// change reloads all its entries from disk, nothing is cached between loads.
#include "engine/archive.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>

namespace vepa {

namespace {

constexpr size_t RecordSize = 20;
constexpr size_t MaxNameLength = 11;
constexpr size_t KeyLength = 12;
// Speech waves keep their bytes after this position unscrambled.
constexpr size_t SpeechScrambledBytes = 41;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenRead(const std::string& path) { return File(std::fopen(path.c_str(), "rb")); }

int32_t ReadLe32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) |
                              (static_cast<uint32_t>(p[3]) << 24));
}

void WriteLe32(uint8_t* p, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

// Size of an open file, or -1.
int64_t FileSize(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  long size = std::ftell(f);
  if (size < 0) return -1;
  return size;
}

// How many bytes of a run starting at entry position `start` the scrambling touches.
size_t ScrambledCount(size_t count, size_t start, bool speech) {
  if (!speech) return count;
  if (start >= SpeechScrambledBytes) return 0;
  return std::min(count, SpeechScrambledBytes - start);
}

// Checks a record against the data file; the reason says what is wrong.
bool RecordFits(int32_t offset, int32_t size, int64_t fileSize, std::string* reason) {
  if (size < 0) {
    if (reason) *reason = "negative size " + std::to_string(size);
    return false;
  }
  if (offset < 0) {
    if (reason) *reason = "negative offset " + std::to_string(offset);
    return false;
  }
  if (static_cast<int64_t>(offset) + size > fileSize) {
    if (reason)
      *reason = "offset " + std::to_string(offset) + " + size " + std::to_string(size) +
                " lies past the end of the data file (" + std::to_string(fileSize) + " bytes)";
    return false;
  }
  return true;
}

}  // namespace

std::string ArchiveName(std::string_view name) {
  std::string out(name.size(), '\0');
  for (size_t i = 0; i < name.size(); ++i) {
    // Names never exceed the key; should a longer one come, the key simply repeats.
    uint8_t key = static_cast<uint8_t>(ArchiveKey[i % KeyLength]);
    out[i] = static_cast<char>(static_cast<uint8_t>(static_cast<uint8_t>(name[i]) + key));
  }
  return out;
}

namespace {

// Byte-wise addition of two 64-bit words, eight lanes, no carry between lanes.
constexpr uint64_t AddLanes(uint64_t x, uint64_t y) {
  constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7FULL, High = 0x8080808080808080ULL;
  return ((x & Low7) + (y & Low7)) ^ ((x ^ y) & High);
}

// Adds (position mod 256), or subtracts it, to every byte. Entries are read whole at every
// scene load, so this runs eight bytes at a time (lane j of a little-endian word is byte j).
void AddPositions(uint8_t* data, size_t n, size_t startPosition, bool subtract) {
  size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr uint64_t Ones = 0x0101010101010101ULL;
    uint64_t ramp = AddLanes(0x0706050403020100ULL, (startPosition & 0xFF) * Ones);
    for (; i + 8 <= n; i += 8) {
      uint64_t word;
      std::memcpy(&word, data + i, 8);
      // Lane-wise two's complement (~r + 1) subtracts.
      word = AddLanes(word, subtract ? AddLanes(~ramp, Ones) : ramp);
      std::memcpy(data + i, &word, 8);
      ramp = AddLanes(ramp, 8 * Ones);
    }
  }
  for (; i < n; ++i) {
    const uint8_t p = static_cast<uint8_t>(startPosition + i);
    data[i] = static_cast<uint8_t>(subtract ? data[i] - p : data[i] + p);
  }
}

}  // namespace

void ScrambleBytes(uint8_t* data, size_t count, size_t startPosition, bool speech) {
  AddPositions(data, ScrambledCount(count, startPosition, speech), startPosition, true);
}

void UnscrambleBytes(uint8_t* data, size_t count, size_t startPosition, bool speech) {
  AddPositions(data, ScrambledCount(count, startPosition, speech), startPosition, false);
}

ArchiveResult Archive::FindEntry(std::string_view name, EntryInfo& out) const {
  const std::string scrambled = ArchiveName(name);
  File dir = OpenRead(dataDir_ + DirectoryFileName);
  if (!dir) return ArchiveResult::FileError;
  // A stored name has at most 11 bytes, so a longer name can never match; the scan still runs
  // so that a missing directory file is noticed the same way for every name.
  uint8_t record[RecordSize];
  while (std::fread(record, 1, RecordSize, dir.get()) == RecordSize) {
    if (record[0] == scrambled.size() && scrambled.size() <= MaxNameLength &&
        std::memcmp(record + 1, scrambled.data(), scrambled.size()) == 0) {
      out.Offset = ReadLe32(record + 12);
      out.Size = ReadLe32(record + 16);
      return ArchiveResult::Ok;
    }
  }
  // A trailing partial record (directory length not a multiple of 20) is ignored.
  return ArchiveResult::NotFound;
}

ArchiveResult Archive::ReadRecord(const DirectoryRecord& record, std::vector<uint8_t>& out,
                                  bool speech, std::string* reason) const {
  File data = OpenRead(dataDir_ + DataFileName);
  if (!data) {
    if (reason) *reason = "cannot open " + dataDir_ + DataFileName;
    return ArchiveResult::FileError;
  }
  int64_t fileSize = FileSize(data.get());
  if (fileSize < 0) {
    if (reason) *reason = "cannot read " + dataDir_ + DataFileName;
    return ArchiveResult::FileError;
  }
  // Sizes are checked against the data file before anything is allocated.
  if (!RecordFits(record.Offset, record.Size, fileSize, reason)) return ArchiveResult::Malformed;
  std::vector<uint8_t> bytes(static_cast<size_t>(record.Size));
  if (std::fseek(data.get(), record.Offset, SEEK_SET) != 0 ||
      std::fread(bytes.data(), 1, bytes.size(), data.get()) != bytes.size()) {
    if (reason) *reason = "read error in " + dataDir_ + DataFileName;
    return ArchiveResult::FileError;
  }
  UnscrambleBytes(bytes.data(), bytes.size(), 0, speech);
  out = std::move(bytes);
  return ArchiveResult::Ok;
}

ArchiveResult Archive::ReadEntry(std::string_view name, std::vector<uint8_t>& out,
                                 bool speech) const {
  EntryInfo info;
  ArchiveResult r = FindEntry(name, info);
  if (r != ArchiveResult::Ok) return r;
  DirectoryRecord record;
  record.Name = std::string(name);
  record.Offset = info.Offset;
  record.Size = info.Size;
  std::string reason;
  r = ReadRecord(record, out, speech, &reason);
  if (r == ArchiveResult::Malformed) ReportMalformed(name, reason);
  return r;
}

ArchiveResult Archive::ReadEntrySlice(std::string_view name, int start, int count,
                                      std::vector<uint8_t>& out) const {
  EntryInfo info;
  ArchiveResult r = FindEntry(name, info);
  if (r != ArchiveResult::Ok) return r;
  File data = OpenRead(dataDir_ + DataFileName);
  if (!data) return ArchiveResult::FileError;
  int64_t fileSize = FileSize(data.get());
  if (fileSize < 0) return ArchiveResult::FileError;
  std::string reason;
  if (!RecordFits(info.Offset, info.Size, fileSize, &reason)) {
    ReportMalformed(name, reason);
    return ArchiveResult::Malformed;
  }
  out.clear();
  if (start < 0 || count <= 0 || start >= info.Size) return ArchiveResult::Ok;
  size_t n = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(info.Size) - start));
  std::vector<uint8_t> bytes(n);
  if (std::fseek(data.get(), static_cast<long>(info.Offset) + start, SEEK_SET) != 0 ||
      std::fread(bytes.data(), 1, n, data.get()) != n)
    return ArchiveResult::FileError;
  UnscrambleBytes(bytes.data(), n, static_cast<size_t>(start), false);
  out = std::move(bytes);
  return ArchiveResult::Ok;
}

ArchiveResult Archive::ReadDirectory(std::vector<DirectoryRecord>& out) const {
  File dir = OpenRead(dataDir_ + DirectoryFileName);
  if (!dir) return ArchiveResult::FileError;
  out.clear();
  uint8_t record[RecordSize];
  while (std::fread(record, 1, RecordSize, dir.get()) == RecordSize) {
    DirectoryRecord r;
    r.NameLength = record[0];
    size_t n = std::min<size_t>(record[0], MaxNameLength);
    r.Name.resize(n);
    for (size_t i = 0; i < n; ++i)
      r.Name[i] = static_cast<char>(record[1 + i] - static_cast<uint8_t>(ArchiveKey[i]));
    r.Offset = ReadLe32(record + 12);
    r.Size = ReadLe32(record + 16);
    out.push_back(std::move(r));
  }
  return ArchiveResult::Ok;
}

void Archive::ReportMalformed(std::string_view name, std::string_view reason) const {
  if (reported_.find(name) != reported_.end()) return;
  reported_.emplace(name);
  std::fprintf(stderr, "vepa4: damaged archive entry \"%.*s\": %.*s; nothing loaded\n",
               static_cast<int>(name.size()), name.data(), static_cast<int>(reason.size()),
               reason.data());
}

bool WriteArchive(const std::string& dir, const std::vector<PackEntry>& entries,
                  std::string* error) {
  auto fail = [&](std::string message) {
    if (error) *error = std::move(message);
    return false;
  };
  std::vector<uint8_t> directory;
  directory.reserve(entries.size() * RecordSize);
  int64_t offset = 0;
  for (const PackEntry& e : entries) {
    if (e.Name.empty() || e.Name.size() > MaxNameLength)
      return fail("entry name \"" + e.Name + "\" must have 1 to 11 characters");
    if (offset + static_cast<int64_t>(e.Bytes.size()) > INT32_MAX)
      return fail("archive data would exceed 2 GB at entry \"" + e.Name + "\"");
    uint8_t record[RecordSize] = {};
    std::string scrambled = ArchiveName(e.Name);
    record[0] = static_cast<uint8_t>(scrambled.size());
    std::memcpy(record + 1, scrambled.data(), scrambled.size());
    WriteLe32(record + 12, static_cast<int32_t>(offset));
    WriteLe32(record + 16, static_cast<int32_t>(e.Bytes.size()));
    directory.insert(directory.end(), record, record + RecordSize);
    offset += static_cast<int64_t>(e.Bytes.size());
  }

  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const std::filesystem::path base(dir);
  const std::string dirPath = (base / DirectoryFileName).string();
  const std::string dataPath = (base / DataFileName).string();

  std::FILE* f = std::fopen(dataPath.c_str(), "wb");
  if (!f) return fail("cannot create " + dataPath);
  bool ok = true;
  std::vector<uint8_t> scratch;
  for (const PackEntry& e : entries) {
    scratch = e.Bytes;
    ScrambleBytes(scratch.data(), scratch.size(), 0, e.Speech);
    if (!scratch.empty() && std::fwrite(scratch.data(), 1, scratch.size(), f) != scratch.size())
      ok = false;
  }
  if (std::fclose(f) != 0) ok = false;
  if (!ok) return fail("cannot write " + dataPath);

  f = std::fopen(dirPath.c_str(), "wb");
  if (!f) return fail("cannot create " + dirPath);
  if (!directory.empty() &&
      std::fwrite(directory.data(), 1, directory.size(), f) != directory.size())
    ok = false;
  if (std::fclose(f) != 0) ok = false;
  if (!ok) return fail("cannot write " + dirPath);
  return true;
}

EntryKind KindOfEntry(std::string_view name) {
  if (name.size() < 2 || name[1] != '_') return EntryKind::Speech;
  switch (name[0]) {
    case 'r':
    case 'l':
      return EntryKind::Background;
    case 's':
    case 'd':
      return EntryKind::ImageList;
    case 'b':
      return EntryKind::HitMap;
    case 'w':
      return EntryKind::WaveList;
    case 'm':
      return EntryKind::Music;
    case 't':
      return EntryKind::PhraseTable;
    default:
      break;
  }
  char c = name[0];
  bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  return letter ? EntryKind::Other : EntryKind::Speech;
}

const char* EntryKindName(EntryKind kind) {
  // In the order of EntryKind.
  static constexpr const char* kNames[] = {"background", "image list",   "hit map", "wave list",
                                           "music",      "phrase table", "speech",  "other"};
  const size_t i = static_cast<size_t>(kind);
  return i < std::size(kNames) ? kNames[i] : "other";
}

}  // namespace vepa
