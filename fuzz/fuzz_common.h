// Shared pieces of the fuzz targets: a scratch directory that lives for the whole fuzzing run,
// file writing, a little-endian input reader, and the check that stops the run when an
// invariant breaks (libFuzzer saves the input that did it).
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace vepa::fuzzing {

// Stops the run with a message; libFuzzer treats the abort as a crash and keeps the input.
#define FUZZ_CHECK(condition)                                                                \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

// A directory under /dev/shm (memory, when there is one) or the temporary directory, removed
// at exit.
class ScratchDir {
 public:
  ScratchDir() {
    std::error_code ec;
    std::string base = std::filesystem::is_directory("/dev/shm", ec)
                           ? std::string("/dev/shm")
                           : std::filesystem::temp_directory_path(ec).string();
    std::string pattern = base + "/vepa4-fuzz-XXXXXX";
    if (char* made = mkdtemp(pattern.data())) path_ = made;
    if (path_.empty()) {
      std::fprintf(stderr, "cannot create a scratch directory under %s\n", base.c_str());
      std::abort();
    }
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  // With a trailing separator, as Archive::SetDataDir wants it.
  std::string Dir() const { return path_ + "/"; }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(f != nullptr);
  if (size) FUZZ_CHECK(std::fwrite(data, 1, size, f) == size);
  FUZZ_CHECK(std::fclose(f) == 0);
}

// Takes numbers off the front of the input; past its end every number reads as 0.
class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint32_t U8() { return Take(1); }
  uint32_t U16() { return Take(2); }
  uint32_t U32() { return Take(4); }
  const uint8_t* Rest() const { return data_ + pos_; }
  size_t RestSize() const { return size_ - pos_; }

 private:
  uint32_t Take(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
      if (pos_ < size_) v |= static_cast<uint32_t>(data_[pos_++]) << (8 * i);
    return v;
  }
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace vepa::fuzzing
