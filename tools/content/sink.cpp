#include "sink.h"

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

#include "engine/streams.h"
#include "phrases.h"
#include "raster.h"
#include "speech.h"

namespace fs = std::filesystem;

namespace content {

namespace {

// Extensions of the tree's files; the packer names each entry by the file name without it.
constexpr const char* kExtensions[] = {".bmp", ".img", ".hit", ".wvl", ".wav", ".phr", ".bin"};

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw BuildError("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs one step of making an entry; a BuildError from it names `what` (the entry or the file)
// first.
template <typename Step>
auto Naming(const std::string& what, Step&& step) -> decltype(step()) {
  try {
    return step();
  } catch (const BuildError& e) {
    throw BuildError(what + ": " + e.what());
  }
}

// A preview picture with no transparent colour (a background, a hit map).
vepa::Image OpaqueImage(int width, int height, std::vector<uint16_t> pixels) {
  vepa::Image img;
  img.Width = width;
  img.Height = height;
  img.Transparent = false;
  img.Pixels = std::move(pixels);
  return img;
}

void WritePng(const std::string& path, cairo_surface_t* s) {
  if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw BuildError("cannot write preview " + path);
  }
}

}  // namespace

void CheckEntryName(const std::string& entry) {
  if (entry.empty() || entry.size() > 11) {
    throw BuildError("entry name '" + entry + "' must have 1..11 characters");
  }
  for (char c : entry) {
    const bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok)
      throw BuildError("entry name '" + entry + "' may hold only Latin letters, digits and '_'");
  }
}

bool WriteIfChanged(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::error_code ec;
  if (fs::exists(path, ec) && fs::file_size(path, ec) == bytes.size()) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> old((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    if (old == bytes) return false;
  }
  const std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) throw BuildError("cannot write " + tmp);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw BuildError("cannot write " + tmp);
  }
  fs::rename(tmp, path, ec);
  if (ec) throw BuildError("cannot replace " + path + ": " + ec.message());
  return true;
}

std::vector<uint8_t> EncodeWave(const WaveSpec& wave, const std::string& what) {
  if (wave.SampleRate < 1000 || wave.SampleRate > 96000) {
    throw BuildError(what + ": sample rate " + std::to_string(wave.SampleRate) +
                     " is outside 1000..96000");
  }
  if (wave.Samples.empty()) throw BuildError(what + ": no samples");
  return vepa::EncodeRiffWave(wave.Samples, wave.SampleRate, 1, 16);
}

TreeSink::TreeSink(TreeOptions options) : options_(std::move(options)) {
  std::error_code ec;
  fs::create_directories(options_.OutDir, ec);
  if (ec) throw BuildError("cannot create " + options_.OutDir + ": " + ec.message());
  if (!options_.PreviewDir.empty()) {
    fs::create_directories(options_.PreviewDir, ec);
    if (ec) throw BuildError("cannot create " + options_.PreviewDir + ": " + ec.message());
  }
}

void TreeSink::Emit(const std::string& entry, const char* extension,
                    const std::vector<uint8_t>& bytes) {
  CheckEntryName(entry);
  auto [it, fresh] = owner_.emplace(entry, module_);
  if (!fresh) {
    throw BuildError("entry '" + entry + "' is emitted twice (first by module " + it->second + ")");
  }
  const std::string file = entry + extension;
  produced_.insert(file);
  if (WriteIfChanged((fs::path(options_.OutDir) / file).string(), bytes)) {
    ++written_;
  } else {
    ++unchanged_;
  }
}

void TreeSink::PreviewImage(const std::string& file, const vepa::Image& img) {
  if (options_.PreviewDir.empty()) return;
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> s(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.Width, img.Height),
      cairo_surface_destroy);
  unsigned char* data = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  for (int y = 0; y < img.Height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < img.Width; ++x) {
      const size_t i = static_cast<size_t>(y) * img.Width + x;
      const uint16_t c = img.Pixels[i];
      int a = img.Alpha.empty() ? 255 : img.Alpha[i];
      if (img.Transparent && c == img.TransparentColor) a = 0;
      const int r = ((c >> 11) & 31) * 255 / 31, g = ((c >> 5) & 63) * 255 / 63,
                b = (c & 31) * 255 / 31;
      row[x] = (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r * a / 255) << 16) |
               (static_cast<uint32_t>(g * a / 255) << 8) | static_cast<uint32_t>(b * a / 255);
    }
  }
  cairo_surface_mark_dirty(s.get());
  WritePng((fs::path(options_.PreviewDir) / (file + ".png")).string(), s.get());
}

void TreeSink::Background(const std::string& entry, int width, int height, const DrawFn& draw) {
  const vepa::Surface surface =
      Naming(entry, [&] { return RenderBackground(width, height, draw); });
  Emit(entry, ".bmp", vepa::EncodeBitmap(surface));
  if (!options_.PreviewDir.empty())
    PreviewImage(entry, OpaqueImage(surface.width, surface.height, surface.pixels));
}

void TreeSink::ImageList(const std::string& entry, const std::vector<ImageSpec>& images) {
  if (images.empty()) throw BuildError(entry + ": an image list needs at least one image");
  std::vector<vepa::Image> rendered;
  std::set<std::string> names;
  for (const ImageSpec& spec : images) {
    if (!names.insert(spec.Name).second) {
      throw BuildError(entry + ": image '" + spec.Name + "' appears twice");
    }
    rendered.push_back(Naming(entry, [&] { return RenderImage(spec); }));
  }
  Emit(entry, ".img", vepa::EncodeImageList(rendered));
  for (const vepa::Image& img : rendered) PreviewImage(entry + "-" + img.Name, img);
}

void TreeSink::HitMap(const std::string& entry, const std::vector<HitShape>& shapes) {
  const std::vector<uint8_t> map = Naming(entry, [&] { return RasterizeHitMap(shapes); });
  Emit(entry, ".hit", map);
  if (!options_.PreviewDir.empty()) {
    // Each code gets a distinct colour; 0 stays black.
    std::vector<uint16_t> colours(map.size());
    for (size_t i = 0; i < map.size(); ++i) {
      const unsigned v = map[i];
      colours[i] =
          v == 0 ? 0 : Pack565(64 + (v * 97) % 192, 64 + (v * 57) % 192, 64 + (v * 151) % 192);
    }
    PreviewImage(entry, OpaqueImage(kHitMapWidth, kHitMapHeight, std::move(colours)));
  }
}

void TreeSink::WaveList(const std::string& entry, const std::vector<WaveSpec>& waves) {
  if (waves.empty()) throw BuildError(entry + ": a wave list needs at least one wave");
  std::vector<vepa::WaveListItem> items;
  std::set<std::string> names;
  for (const WaveSpec& w : waves) {
    if (w.Name.empty()) throw BuildError(entry + ": a wave has no name");
    if (!names.insert(w.Name).second)
      throw BuildError(entry + ": wave '" + w.Name + "' appears twice");
    items.push_back({w.Name, w.Loop, EncodeWave(w, entry + ": wave '" + w.Name + "'")});
  }
  Emit(entry, ".wvl", vepa::EncodeWaveList(items));
  if (!options_.PreviewDir.empty()) {
    for (const vepa::WaveListItem& item : items) {
      WriteIfChanged((fs::path(options_.PreviewDir) / (entry + "-" + item.Name + ".wav")).string(),
                     item.RiffWave);
    }
  }
}

void TreeSink::Sound(const std::string& entry, const WaveSpec& wave) {
  Emit(entry, ".wav", EncodeWave(wave, entry));
}

void TreeSink::PhraseTable(const std::string& stem, const std::string& sourceFile, int speechRate) {
  const fs::path path = fs::path(sourceFile).is_absolute()
                            ? fs::path(sourceFile)
                            : fs::path(options_.SourceDir) / sourceFile;
  if (stem.empty() || stem.size() > 6) {
    throw BuildError("phrase stem '" + stem + "' must have 1..6 characters");
  }
  PhraseSource src = ParsePhraseSource(ReadTextFile(path.string()), path.string());
  Emit("t_" + stem + "01", ".phr", EncodePhraseTable(src));
  std::vector<SpeechJob> jobs;
  for (const Phrase& p : src.Phrases)
    jobs.push_back({SpokenText(p), speechRate, SpokenVoice(src, p)});
  std::vector<std::vector<int16_t>> spoken = Naming(path.string(), [&] { return SpeakAll(jobs); });
  for (size_t i = 0; i < src.Phrases.size(); ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", src.Phrases[i].Number);
    const std::string entry = stem + number;
    Emit(entry, ".wav", EncodeWave({entry, false, std::move(spoken[i]), speechRate}, entry));
  }
}

void TreeSink::SpokenClip(const std::string& entry, const std::string& textUtf8, int sampleRate,
                          int pitch, int speed) {
  Voice v;
  v.Pitch = pitch;
  v.Speed = speed;
  SpokenClip(entry, textUtf8, sampleRate, v);
}

void TreeSink::SpokenClip(const std::string& entry, const std::string& textUtf8, int sampleRate,
                          const Voice& voice) {
  std::vector<int16_t> samples = Naming(entry, [&] { return Speak(textUtf8, sampleRate, voice); });
  Emit(entry, ".wav", EncodeWave({entry, false, std::move(samples), sampleRate}, entry));
}

void TreeSink::Raw(const std::string& entry, const std::vector<uint8_t>& bytes) {
  Emit(entry, ".bin", bytes);
}

int TreeSink::RemoveStale() {
  int removed = 0;
  std::error_code ec;
  for (const auto& de : fs::directory_iterator(options_.OutDir, ec)) {
    if (!de.is_regular_file()) continue;
    const std::string name = de.path().filename().string();
    const std::string ext = de.path().extension().string();
    bool ours = false;
    for (const char* e : kExtensions) ours = ours || ext == e;
    if (ours && !produced_.count(name)) {
      fs::remove(de.path(), ec);
      if (!ec) ++removed;
    }
  }
  return removed;
}

}  // namespace content
