// vepa4-fuzz-seeds DATADIR OUTDIR: writes small seed inputs for every fuzz target into
// OUTDIR/<target>/. Seeds come from the archive in DATADIR (each image of every image list as a
// one-image list, the first seconds of every wave, crops of the backgrounds, phrase records,
// hit maps, a small archive of real entries) and from hand-made variants of each format that
// the default content does not use (8-bit and 16-bit bitmaps, top-down rows, stereo and 8-bit
// waves, extensible wave formats, odd chunks). Seeds are kept small so that fuzzing stays fast;
// scripts/fuzz.sh adds the raw entries extracted with vepa4-pack.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/archive.h"
#include "engine/streams.h"

namespace fs = std::filesystem;
using namespace vepa;

namespace {

constexpr size_t kMaxSeed = 48 * 1024;
fs::path gOut;
int gWritten = 0;

void Seed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  // A hit map is 76800 bytes whatever it holds.
  if (bytes.size() > (target == "hit_map" ? 80000 : kMaxSeed)) return;
  fs::path dir = gOut / target;
  std::error_code ec;
  fs::create_directories(dir, ec);
  std::string safe = name;
  for (char& c : safe)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') c = '_';
  std::ofstream out(dir / ("seed-" + safe), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (out) ++gWritten;
}

void PutLe16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void PutLe32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// ---------------------------------------------------------------------------------------------
// Bitmaps in every layout the decoder accepts, from a small surface.

std::vector<uint8_t> BitmapOf(const Surface& s, int bpp, bool topDown, int header, bool masks565) {
  const uint32_t stride = (static_cast<uint32_t>(s.width) * bpp + 31) / 32 * 4;
  const uint32_t paletteBytes = bpp == 8 ? 256 * (header == 12 ? 3 : 4) : 0;
  const uint32_t maskBytes = (masks565 && header == 40) ? 12 : 0;
  const uint32_t pixelOffset = 14 + header + maskBytes + paletteBytes;
  std::vector<uint8_t> v;
  v.push_back('B');
  v.push_back('M');
  PutLe32(v, pixelOffset + stride * s.height);
  PutLe32(v, 0);
  PutLe32(v, pixelOffset);
  PutLe32(v, static_cast<uint32_t>(header));
  if (header == 12) {
    PutLe16(v, static_cast<uint16_t>(s.width));
    PutLe16(v, static_cast<uint16_t>(topDown ? -s.height : s.height));
    PutLe16(v, 1);
    PutLe16(v, static_cast<uint16_t>(bpp));
  } else {
    PutLe32(v, static_cast<uint32_t>(s.width));
    PutLe32(v, static_cast<uint32_t>(topDown ? -s.height : s.height));
    PutLe16(v, 1);
    PutLe16(v, static_cast<uint16_t>(bpp));
    PutLe32(v, masks565 ? 3 : 0);
    PutLe32(v, stride * s.height);
    PutLe32(v, 2835);
    PutLe32(v, 2835);
    PutLe32(v, bpp == 8 ? 256 : 0);
    PutLe32(v, 0);
    if (masks565) {
      PutLe32(v, 0xF800);
      PutLe32(v, 0x07E0);
      PutLe32(v, 0x001F);
    }
    while (v.size() < 14 + static_cast<size_t>(header) + maskBytes) v.push_back(0);
  }
  if (bpp == 8)  // a grey ramp
    for (int i = 0; i < 256; ++i) {
      v.push_back(static_cast<uint8_t>(i));
      v.push_back(static_cast<uint8_t>(i));
      v.push_back(static_cast<uint8_t>(i));
      if (header != 12) v.push_back(0);
    }
  for (int row = 0; row < s.height; ++row) {
    const int y = topDown ? row : s.height - 1 - row;
    const size_t start = v.size();
    for (int x = 0; x < s.width; ++x) {
      const uint16_t c = s.At(x, y);
      const int r = (c >> 11) << 3, g = ((c >> 5) & 63) << 2, b = (c & 31) << 3;
      switch (bpp) {
        case 8:
          v.push_back(static_cast<uint8_t>((r + g + b) / 3));
          break;
        case 16:
          PutLe16(v, masks565
                         ? c
                         : static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)));
          break;
        case 24:
          v.push_back(static_cast<uint8_t>(b));
          v.push_back(static_cast<uint8_t>(g));
          v.push_back(static_cast<uint8_t>(r));
          break;
        case 32:
          PutLe32(v, static_cast<uint32_t>((r << 16) | (g << 8) | b));
          break;
      }
    }
    while (v.size() - start < stride) v.push_back(0);
  }
  return v;
}

Surface Crop(const Surface& s, int x0, int y0, int w, int h) {
  Surface c(std::min(w, s.width - x0), std::min(h, s.height - y0));
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) c.Row(y)[x] = s.At(x0 + x, y0 + y);
  return c;
}

void BitmapSeeds(const std::string& name, const Surface& s) {
  Seed("bitmap", name + "-24", EncodeBitmap(s));
  Seed("bitmap", name + "-8", BitmapOf(s, 8, false, 40, false));
  Seed("bitmap", name + "-8core", BitmapOf(s, 8, true, 12, false));
  Seed("bitmap", name + "-16-555", BitmapOf(s, 16, false, 40, false));
  Seed("bitmap", name + "-16-565", BitmapOf(s, 16, true, 40, true));
  Seed("bitmap", name + "-16-v4", BitmapOf(s, 16, false, 108, true));
  Seed("bitmap", name + "-32", BitmapOf(s, 32, true, 40, false));
  Seed("bitmap", name + "-24core", BitmapOf(s, 24, false, 12, false));
}

// ---------------------------------------------------------------------------------------------
// Waves.

std::vector<int16_t> SamplesOf(const SoundBuffer& b, size_t maxFrames) {
  std::vector<int16_t> out;
  const size_t frames = std::min(b.FrameCount(), maxFrames);
  for (size_t i = 0; i < frames * static_cast<size_t>(b.Channels); ++i) {
    if (b.BitsPerSample == 8)
      out.push_back(static_cast<int16_t>((b.Data[i] - 128) * 256));
    else
      out.push_back(static_cast<int16_t>(b.Data[2 * i] | (b.Data[2 * i + 1] << 8)));
  }
  return out;
}

void HandMadeWaves() {
  std::vector<int16_t> tone;
  for (int i = 0; i < 400; ++i) tone.push_back(static_cast<int16_t>((i % 40 - 20) * 1000));
  Seed("riff_wave", "mono16", EncodeRiffWave(tone, 11025, 1, 16));
  Seed("riff_wave", "stereo16", EncodeRiffWave(tone, 22050, 2, 16));
  Seed("riff_wave", "mono8", EncodeRiffWave(tone, 8000, 1, 8));
  std::vector<int16_t> odd(tone.begin(), tone.begin() + 101);
  Seed("riff_wave", "stereo8-odd", EncodeRiffWave(odd, 44100, 2, 8));
  // An unknown chunk of odd size before the format, and an extensible format chunk.
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (char c : std::string("LIST")) w.push_back(static_cast<uint8_t>(c));
  PutLe32(w, 3);
  w.insert(w.end(), {'a', 'b', 'c', 0});
  for (char c : std::string("fmt ")) w.push_back(static_cast<uint8_t>(c));
  PutLe32(w, 40);
  PutLe16(w, 0xFFFE);
  PutLe16(w, 1);
  PutLe32(w, 16000);
  PutLe32(w, 32000);
  PutLe16(w, 2);
  PutLe16(w, 16);
  PutLe16(w, 22);
  PutLe16(w, 16);
  PutLe32(w, 4);
  PutLe16(w, 1);  // sub-format: PCM
  for (int i = 0; i < 14; ++i) w.push_back(static_cast<uint8_t>(i));
  for (char c : std::string("data")) w.push_back(static_cast<uint8_t>(c));
  PutLe32(w, 64);
  for (int i = 0; i < 64; ++i) w.push_back(static_cast<uint8_t>(i * 5));
  Seed("riff_wave", "extensible", w);

  std::vector<WaveListItem> items = {{"Boom01", false, EncodeRiffWave(tone, 11025, 1, 16)},
                                     {"Loop01", true, EncodeRiffWave(odd, 22050, 2, 8)}};
  Seed("wave_list", "handmade", EncodeWaveList(items));
  Seed("wave_list", "empty", EncodeWaveList({}));
}

// ---------------------------------------------------------------------------------------------
// Image lists.

void HandMadeImages() {
  Image a = PatternedImage("Ruka01", 24, 8, 8, 8);
  a.Transparent = true;
  a.TransparentColor = 0xF81F;
  for (int i = 0; i < 24 * 8; ++i)
    a.Pixels[i] = i % 5 == 0 ? 0xF81F : static_cast<uint16_t>(i * 331);
  Image b = a;
  b.Name = "Alpha01";
  b.Transparent = false;
  for (int i = 0; i < 24 * 8; ++i) b.Alpha.push_back(static_cast<uint8_t>(i * 11));
  Image c = a;
  c.Name = "Flat01";
  c.Pixels.assign(c.Pixels.size(), 0x1234);  // one long run
  Seed("image_list", "handmade", EncodeImageList({a, b, c}));
  Seed("image_list", "empty", EncodeImageList({}));
}

// ---------------------------------------------------------------------------------------------

void FromArchive(const std::string& dataDir) {
  Archive archive;
  archive.SetDataDir(dataDir);
  std::vector<DirectoryRecord> records;
  if (archive.ReadDirectory(records) != ArchiveResult::Ok) {
    std::fprintf(stderr, "vepa4-fuzz-seeds: no archive in %s; hand-made seeds only\n",
                 dataDir.c_str());
    return;
  }
  std::vector<PackEntry> small;
  for (const DirectoryRecord& r : records) {
    const EntryKind kind = KindOfEntry(r.Name);
    std::vector<uint8_t> bytes;
    if (archive.ReadRecord(r, bytes, kind == EntryKind::Speech) != ArchiveResult::Ok) continue;
    // The first entries, cut to a few hundred bytes, make a small archive for the directory
    // target (the directory does not care what the bytes are).
    if (small.size() < 8) {
      std::vector<uint8_t> head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 300));
      small.push_back({r.Name, head, kind == EntryKind::Speech});
    }
    switch (kind) {
      case EntryKind::Background: {
        Surface s;
        if (!DecodeBitmap(bytes.data(), bytes.size(), s)) break;
        BitmapSeeds(r.Name, Crop(s, s.width / 3, s.height / 3, 33, 17));
        break;
      }
      case EntryKind::ImageList: {
        std::vector<Image> images;
        if (!DecodeImageList(bytes.data(), bytes.size(), images)) break;
        for (const Image& img : images)
          Seed("image_list", r.Name + "-" + img.Name, EncodeImageList({img}));
        Seed("image_list", r.Name, bytes);
        break;
      }
      case EntryKind::WaveList: {
        std::vector<Wave> waves;
        if (!DecodeWaveList(bytes.data(), bytes.size(), waves)) break;
        std::vector<WaveListItem> items;
        for (const Wave& w : waves) {
          items.push_back({w.Name, w.Loop,
                           EncodeRiffWave(SamplesOf(w.Buffer, 1500), w.Buffer.SampleRate,
                                          w.Buffer.Channels, w.Buffer.BitsPerSample)});
          Seed("riff_wave", r.Name + "-" + w.Name, items.back().RiffWave);
        }
        Seed("wave_list", r.Name, EncodeWaveList(items));
        break;
      }
      case EntryKind::Music:
      case EntryKind::Speech: {
        SoundBuffer b;
        if (!ParseWave(bytes.data(), bytes.size(), b)) break;
        Seed("riff_wave", r.Name,
             EncodeRiffWave(SamplesOf(b, 2000), b.SampleRate, b.Channels, b.BitsPerSample));
        break;
      }
      case EntryKind::PhraseTable:
        // Offset 0, a whole first record, then the next record laid at the fuzzed offset.
        for (size_t k = 0; k + 222 <= bytes.size() && k < 4 * 111; k += 111) {
          std::vector<uint8_t> seed = {0, 0, 0, 0, 111};
          seed.insert(seed.end(), bytes.begin() + k, bytes.begin() + k + 222);
          Seed("phrase_record", r.Name + "-" + std::to_string(k / 111), seed);
        }
        break;
      case EntryKind::HitMap: {
        std::vector<uint8_t> seed(10, 0);  // plain record, no filler
        seed.insert(seed.end(), bytes.begin(), bytes.end());
        Seed("hit_map", r.Name, seed);
        break;
      }
      default:
        break;
    }
  }
  // A small archive of real entries, as the directory target takes it.
  Seed("archive_directory", "empty", {0, 0, 0, 0, 0, 0});
  if (small.empty()) return;
  std::error_code ec;
  const fs::path tmp = gOut / ".archive-tmp";
  if (!WriteArchive(tmp.string(), small)) return;
  auto read = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  };
  const std::vector<uint8_t> dir = read(tmp / DirectoryFileName);
  const std::vector<uint8_t> data = read(tmp / DataFileName);
  fs::remove_all(tmp, ec);
  std::vector<uint8_t> seed;
  PutLe16(seed, static_cast<uint16_t>(dir.size()));
  PutLe16(seed, 3);   // slice start
  PutLe16(seed, 40);  // slice count
  seed.insert(seed.end(), dir.begin(), dir.end());
  seed.insert(seed.end(), data.begin(), data.end());
  Seed("archive_directory", "small-archive", seed);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vepa4-fuzz-seeds DATADIR OUTDIR\n");
    return 2;
  }
  std::string dataDir = argv[1];
  if (!dataDir.empty() && dataDir.back() != '/') dataDir += '/';
  gOut = argv[2];
  Surface s(21, 13);
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x) s.Row(y)[x] = Rgb565(x * 12, y * 19, (x ^ y) * 9);
  BitmapSeeds("handmade", s);
  HandMadeWaves();
  HandMadeImages();
  Seed("phrase_record", "short", {200, 0, 0, 0, 3, 1, 2, 3, 9, 9});
  Seed("hit_map", "short", {5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5});
  FromArchive(dataDir);
  std::printf("vepa4-fuzz-seeds: %d seeds written to %s\n", gWritten, gOut.string().c_str());
  return 0;
}
