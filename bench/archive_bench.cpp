// Archive reads and entry decoding at scene size: a scene load must stay well under one tick.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>

#include "engine/archive.h"
#include "engine/streams.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

// About what a busy scene's list holds: a few large antialiased sprites on transparent
// backgrounds (long runs), some small noisy ones (raw planes), all with alpha masks.
std::vector<Image> SceneImages() {
  std::vector<Image> images;
  std::mt19937 rng(3);
  auto add = [&](const std::string& name, int w, int h, int pw, int ph, bool noisy) {
    Image img = PatternedImage(name, w, h, pw, ph);
    img.Alpha.assign(img.Pixels.size(), 0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        size_t i = static_cast<size_t>(y) * w + x;
        // A filled disc per pattern; noisy sprites get random texture inside it.
        int cx = x % pw - pw / 2, cy = y % ph - ph / 2;
        if (cx * cx + cy * cy < pw * ph / 5) {
          img.Pixels[i] = noisy ? static_cast<uint16_t>(rng()) : static_cast<uint16_t>(x / 4 + y);
          img.Alpha[i] = 255;
        }
      }
    }
    images.push_back(std::move(img));
  };
  add("Kib01", 1200, 240, 200, 240, false);
  add("Kib02", 800, 300, 200, 300, true);
  add("Ruka01", 320, 80, 80, 80, true);
  add("Back01", 640, 200, 640, 200, false);
  for (int i = 0; i < 20; ++i) add("Small" + std::to_string(i), 96, 48, 48, 48, true);
  return images;
}

void BM_DecodeImageList(benchmark::State& state) {
  const std::vector<uint8_t> bytes = EncodeImageList(SceneImages());
  size_t decoded = 0;
  for (auto _ : state) {
    std::vector<Image> out;
    if (!DecodeImageList(bytes.data(), bytes.size(), out)) state.SkipWithError("decode failed");
    decoded = 0;
    for (const Image& img : out) decoded += img.Pixels.size() * 2 + img.Alpha.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["stored_KB"] = static_cast<double>(bytes.size()) / 1024;
  state.counters["decoded_KB"] = static_cast<double>(decoded) / 1024;
}
BENCHMARK(BM_DecodeImageList)->Unit(benchmark::kMillisecond);

void BM_DecodeBackgroundBitmap(benchmark::State& state) {
  Surface s(640, 480);
  for (size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = static_cast<uint16_t>(i * 7);
  const std::vector<uint8_t> bmp = EncodeBitmap(s);
  for (auto _ : state) {
    Surface out;
    DecodeBitmap(bmp.data(), bmp.size(), out);
    benchmark::DoNotOptimize(out.pixels.data());
  }
}
BENCHMARK(BM_DecodeBackgroundBitmap)->Unit(benchmark::kMillisecond);

// The whole loader path for an image list: directory scan among a full directory, read,
// unscramble, decode. Files are reopened every time, as in the game.
void BM_ReadAndDecodeSceneList(benchmark::State& state) {
  std::string dir = (std::filesystem::temp_directory_path() / "vepa4-bench-XXXXXX").string();
  if (!mkdtemp(dir.data())) {
    state.SkipWithError("no temp dir");
    return;
  }
  std::vector<PackEntry> entries;
  for (int i = 0; i < 400; ++i) entries.push_back({"kib" + std::to_string(1000 + i), {1, 2}, true});
  entries.push_back({"s_scene01", EncodeImageList(SceneImages()), false});
  WriteArchive(dir, entries);
  Archive archive;
  archive.SetDataDir(dir + "/");
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    std::vector<Image> out;
    if (archive.ReadEntry("s_scene01", bytes) != ArchiveResult::Ok ||
        !DecodeImageList(bytes.data(), bytes.size(), out))
      state.SkipWithError("read failed");
    benchmark::DoNotOptimize(out.data());
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadAndDecodeSceneList)->Unit(benchmark::kMillisecond);

// The largest image list of the default archive (when it has been built), read and decoded.
void BM_ReadAndDecodeLargestDefaultList(benchmark::State& state) {
  Archive archive;
  std::string dataDir = VEPA_DATA_DIR;
  if (!dataDir.empty() && dataDir.back() != '/') dataDir += '/';
  archive.SetDataDir(dataDir);
  std::vector<DirectoryRecord> records;
  if (archive.ReadDirectory(records) != ArchiveResult::Ok) {
    state.SkipWithError("no default archive");
    return;
  }
  std::string largest;
  int32_t size = -1;
  for (const DirectoryRecord& r : records) {
    if (KindOfEntry(r.Name) == EntryKind::ImageList && r.Size > size) {
      largest = r.Name;
      size = r.Size;
    }
  }
  if (largest.empty()) {
    state.SkipWithError("no image list in the default archive");
    return;
  }
  // As LoadImages does: the new list replaces the old one, which is freed afterwards.
  std::vector<Image> list;
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    std::vector<Image> out;
    if (archive.ReadEntry(largest, bytes) != ArchiveResult::Ok ||
        !DecodeImageList(bytes.data(), bytes.size(), out))
      state.SkipWithError("read failed");
    list = std::move(out);
    benchmark::DoNotOptimize(list.data());
  }
  state.SetLabel(largest);
  state.counters["stored_KB"] = static_cast<double>(size) / 1024;
}
BENCHMARK(BM_ReadAndDecodeLargestDefaultList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vepa
