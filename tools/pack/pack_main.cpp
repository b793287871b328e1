// vepa4-pack: builds, lists, extracts and checks the resource archive (vepa4.gmd + vepa4.gam).
//
//   vepa4-pack pack TREE OUTDIR          every file of TREE becomes one entry
//   vepa4-pack list DATADIR              name, size and kind of each entry
//   vepa4-pack extract DATADIR NAME OUT  unscrambled bytes (an image list: PNGs into OUT/)
//   vepa4-pack verify DATADIR            every entry parses as its kind
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/archive.h"
#include "engine/streams.h"
#include "tools/png/png_write.h"

namespace fs = std::filesystem;
using namespace vepa;

namespace {

constexpr size_t HitMapBytes = 76800;
constexpr size_t PhraseRecordBytes = 111;

int Usage() {
  std::fprintf(stderr,
               "usage: vepa4-pack pack TREE OUTDIR\n"
               "       vepa4-pack list DATADIR\n"
               "       vepa4-pack extract DATADIR NAME OUT\n"
               "       vepa4-pack verify DATADIR\n");
  return 2;
}

std::string DirWithSeparator(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

bool ReadFile(const fs::path& path, std::vector<uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

const char* ResultText(ArchiveResult r) {
  // In the order of ArchiveResult.
  static constexpr const char* kTexts[] = {"ok", "not found", "cannot open the archive files",
                                           "damaged directory record"};
  const size_t i = static_cast<size_t>(r);
  return i < std::size(kTexts) ? kTexts[i] : "?";
}

// ---------------------------------------------------------------------------------------------

int Pack(const fs::path& tree, const std::string& outDir) {
  std::error_code ec;
  if (!fs::is_directory(tree, ec)) {
    std::fprintf(stderr, "vepa4-pack: %s is not a directory\n", tree.string().c_str());
    return 1;
  }
  // Entry name -> source file; sorted by name so the same tree gives the same bytes.
  std::map<std::string, fs::path> files;
  bool ok = true;
  for (auto it = fs::recursive_directory_iterator(tree, ec); !ec && it != fs::end(it);
       it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    const fs::path& path = it->path();
    std::string file = path.filename().string();
    if (file.empty() || file[0] == '.') continue;
    std::string name = path.stem().string();
    if (name.empty() || name.size() > 11) {
      std::fprintf(stderr, "vepa4-pack: %s: entry name \"%s\" must have 1 to 11 characters\n",
                   path.string().c_str(), name.c_str());
      ok = false;
      continue;
    }
    auto [where, inserted] = files.emplace(name, path);
    if (!inserted) {
      std::fprintf(stderr, "vepa4-pack: %s and %s both give entry \"%s\"\n",
                   where->second.string().c_str(), path.string().c_str(), name.c_str());
      ok = false;
    }
  }
  if (ec) {
    std::fprintf(stderr, "vepa4-pack: cannot read %s: %s\n", tree.string().c_str(),
                 ec.message().c_str());
    return 1;
  }
  if (!ok) return 1;

  std::vector<PackEntry> entries;
  entries.reserve(files.size());
  for (const auto& [name, path] : files) {
    PackEntry e;
    e.Name = name;
    e.Speech = KindOfEntry(name) == EntryKind::Speech;
    if (!ReadFile(path, e.Bytes)) {
      std::fprintf(stderr, "vepa4-pack: cannot read %s\n", path.string().c_str());
      return 1;
    }
    entries.push_back(std::move(e));
  }
  std::string error;
  if (!WriteArchive(outDir, entries, &error)) {
    std::fprintf(stderr, "vepa4-pack: %s\n", error.c_str());
    return 1;
  }
  std::printf("packed %zu entries into %s\n", entries.size(), outDir.c_str());
  return 0;
}

// Opens the archive of dataDir and reads its directory; says so on stderr when it cannot.
bool OpenDirectory(Archive& archive, const std::string& dataDir,
                   std::vector<DirectoryRecord>& records) {
  archive.SetDataDir(DirWithSeparator(dataDir));
  if (archive.ReadDirectory(records) == ArchiveResult::Ok) return true;
  std::fprintf(stderr, "vepa4-pack: cannot open %s%s\n", archive.DataDir().c_str(),
               DirectoryFileName);
  return false;
}

int List(const std::string& dataDir) {
  Archive archive;
  std::vector<DirectoryRecord> records;
  if (!OpenDirectory(archive, dataDir, records)) return 1;
  for (const DirectoryRecord& r : records)
    std::printf("%-11s %10d  %s\n", r.Name.c_str(), r.Size, EntryKindName(KindOfEntry(r.Name)));
  return 0;
}

// Writes each image of a list as OUT/<name>.png: the whole picture with all its patterns, the
// transparent colour and the alpha mask turned into PNG alpha.
bool ExtractImages(const std::vector<uint8_t>& bytes, const fs::path& out, std::string& error) {
  std::vector<Image> images;
  if (!DecodeImageList(bytes.data(), bytes.size(), images, &error)) return false;
  std::error_code ec;
  fs::create_directories(out, ec);
  if (ec) {
    error = "cannot create " + out.string();
    return false;
  }
  std::set<std::string> used;
  for (const Image& img : images) {
    std::vector<uint8_t> alpha(img.Pixels.size(), 255);
    for (size_t i = 0; i < alpha.size(); ++i) {
      if (!img.Alpha.empty()) alpha[i] = img.Alpha[i];
      if (img.Transparent && img.Pixels[i] == img.TransparentColor) alpha[i] = 0;
    }
    // Names that would clash or escape the directory get a safe file name.
    std::string file;
    for (char c : img.Name) file += (c == '/' || c == '\\' || c == '\0') ? '_' : c;
    if (file == "." || file == "..") file = "_" + file;
    std::string unique = file;
    for (int n = 2; !used.insert(unique).second; ++n) unique = file + "-" + std::to_string(n);
    if (!WritePng565((out / (unique + ".png")).string(), img.Width, img.Height, img.Pixels.data(),
                     alpha.data(), &error))
      return false;
    std::printf("%s.png  %dx%d, patterns %dx%d (%d)\n", unique.c_str(), img.Width, img.Height,
                img.PatternWidth, img.PatternHeight, img.PatternCount());
  }
  return true;
}

int Extract(const std::string& dataDir, const std::string& name, const fs::path& out) {
  Archive archive;
  archive.SetDataDir(DirWithSeparator(dataDir));
  const EntryKind kind = KindOfEntry(name);
  std::vector<uint8_t> bytes;
  ArchiveResult r = archive.ReadEntry(name, bytes, kind == EntryKind::Speech);
  if (r != ArchiveResult::Ok) {
    std::fprintf(stderr, "vepa4-pack: entry \"%s\": %s\n", name.c_str(), ResultText(r));
    return 1;
  }
  if (kind == EntryKind::ImageList) {
    std::string error;
    if (!ExtractImages(bytes, out, error)) {
      std::fprintf(stderr, "vepa4-pack: entry \"%s\": %s\n", name.c_str(), error.c_str());
      return 1;
    }
    return 0;
  }
  if (!WriteFile(out, bytes)) {
    std::fprintf(stderr, "vepa4-pack: cannot write %s\n", out.string().c_str());
    return 1;
  }
  return 0;
}

// Checks one entry's content by its kind; false with a reason when it would not load.
bool CheckContent(EntryKind kind, const std::vector<uint8_t>& bytes, std::string& reason) {
  switch (kind) {
    case EntryKind::Background: {
      Surface s;
      return DecodeBitmap(bytes.data(), bytes.size(), s, &reason);
    }
    case EntryKind::ImageList: {
      std::vector<Image> images;
      return DecodeImageList(bytes.data(), bytes.size(), images, &reason);
    }
    case EntryKind::WaveList: {
      std::vector<Wave> waves;
      return DecodeWaveList(bytes.data(), bytes.size(), waves, &reason);
    }
    case EntryKind::Music:
    case EntryKind::Speech: {
      SoundBuffer b;
      return ParseWave(bytes.data(), bytes.size(), b, &reason);
    }
    case EntryKind::HitMap:
      if (bytes.size() == HitMapBytes) return true;
      reason = "hit map of " + std::to_string(bytes.size()) + " bytes, expected 76800";
      return false;
    case EntryKind::PhraseTable:
      if (!bytes.empty() && bytes.size() % PhraseRecordBytes == 0) return true;
      reason = "phrase table of " + std::to_string(bytes.size()) +
               " bytes, expected a non-zero multiple of 111";
      return false;
    case EntryKind::Other:
      return true;
  }
  return true;
}

int Verify(const std::string& dataDir) {
  Archive archive;
  std::vector<DirectoryRecord> records;
  if (!OpenDirectory(archive, dataDir, records)) return 1;
  std::set<std::string> seen;
  int failures = 0, checked = 0;
  for (const DirectoryRecord& rec : records) {
    auto fail = [&](const std::string& reason) {
      std::printf("FAIL %-11s %s\n", rec.Name.c_str(), reason.c_str());
      ++failures;
    };
    if (rec.NameLength == 0 || rec.NameLength > 11) {
      fail("name length byte " + std::to_string(rec.NameLength) + " (must be 1..11)");
      continue;
    }
    if (!seen.insert(rec.Name).second) {
      // The loaders only ever see the first record of a name.
      std::printf("note %-11s shadowed by an earlier entry of the same name\n", rec.Name.c_str());
      continue;
    }
    const EntryKind kind = KindOfEntry(rec.Name);
    std::vector<uint8_t> bytes;
    std::string reason;
    ArchiveResult r = archive.ReadRecord(rec, bytes, kind == EntryKind::Speech, &reason);
    if (r == ArchiveResult::FileError) {
      std::fprintf(stderr, "vepa4-pack: %s\n", reason.c_str());
      return 1;
    }
    ++checked;
    if (r != ArchiveResult::Ok) {
      fail(reason);
      continue;
    }
    if (!CheckContent(kind, bytes, reason)) fail(std::string(EntryKindName(kind)) + ": " + reason);
  }
  std::printf("%d entries checked, %d failed\n", checked, failures);
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "pack" && argc == 4) return Pack(argv[2], argv[3]);
  if (command == "list" && argc == 3) return List(argv[2]);
  if (command == "extract" && argc == 5) return Extract(argv[2], argv[3], argv[4]);
  if (command == "verify" && argc == 3) return Verify(argv[2]);
  return Usage();
}
