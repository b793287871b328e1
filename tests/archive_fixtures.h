// Helpers for the archive, stream and loader tests: raw file writing and hand-made directory
// records, with the shared temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/archive.h"
#include "tests/temp_dir.h"

namespace vepa::archive_testing {

using testing::TempDir;

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void PutLe32(std::vector<uint8_t>& v, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// One 20-byte directory record as the game stores it (name scrambled).
inline std::vector<uint8_t> DirectoryRecordBytes(const std::string& name, int32_t offset,
                                                 int32_t size) {
  std::vector<uint8_t> r(20, 0);
  std::string s = ArchiveName(name);
  r[0] = static_cast<uint8_t>(s.size());
  for (size_t i = 0; i < s.size() && i < 11; ++i) r[1 + i] = static_cast<uint8_t>(s[i]);
  PutLe32(r, 12, static_cast<uint32_t>(offset));
  PutLe32(r, 16, static_cast<uint32_t>(size));
  return r;
}

// Bytes 0, 1, 2 ... (mod 256) with a seed, long enough to cross several 256-byte wraps.
inline std::vector<uint8_t> PatternBytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  return v;
}

}  // namespace vepa::archive_testing
