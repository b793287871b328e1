// The scene loaders' archive reads. An archive file that cannot be opened sets FatalError and
// ends the load with nothing changed; a missing entry loads nothing; a damaged entry loads
// nothing either and is reported once on stderr.
#include "engine/loaders.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/services.h"
#include "engine/streams.h"

namespace vepa {

namespace {

constexpr int HitMapBytes = 76800;  // 320 x 240 cells

// Reads a whole entry for a loader. True with the bytes when there is something to hand on;
// false when nothing is to be loaded (FatalError already set when a file would not open).
bool ReadForLoader(GameServices& g, std::string_view name, std::vector<uint8_t>& bytes,
                   bool speech = false) {
  switch (g.archive.ReadEntry(name, bytes, speech)) {
    case ArchiveResult::Ok:
      return true;
    case ArchiveResult::FileError:
      g.FatalError = 1;
      return false;
    case ArchiveResult::NotFound:
    case ArchiveResult::Malformed:  // already reported by the archive
      return false;
  }
  return false;
}

// Reads and decodes a list entry (images, waves) for a loader; a damaged list is reported as
// the archive's and loads nothing.
template <typename Item, typename Decode>
bool ReadListForLoader(GameServices& g, std::string_view name, std::vector<Item>& items,
                       Decode decode) {
  std::vector<uint8_t> bytes;
  if (!ReadForLoader(g, name, bytes)) return false;
  std::string reason;
  if (decode(bytes.data(), bytes.size(), items, &reason)) return true;
  g.archive.ReportMalformed(name, reason);
  return false;
}

}  // namespace

void LoadBackground(GameServices& g, std::string_view name) {
  std::vector<uint8_t> bytes;
  switch (g.archive.ReadEntry(name, bytes)) {
    case ArchiveResult::FileError:
      g.FatalError = 1;
      return;  // the whole load ends; not even the refill happens
    case ArchiveResult::Ok: {
      Surface picture;
      std::string reason;
      if (DecodeBitmap(bytes.data(), bytes.size(), picture, &reason))
        g.layer.BitmapHolder() = std::move(picture);
      else
        g.archive.ReportMalformed(name, reason);
      break;
    }
    case ArchiveResult::NotFound:
    case ArchiveResult::Malformed:
      break;
  }
  // Found or not, the background surface is refilled from the bitmap holder.
  g.layer.LoadSurfaceFromBitmap();
}

void LoadImages(GameServices& g, int list, std::string_view name) {
  ImageList* target = (list >= 1 && list <= 3) ? g.layer.Images(list) : nullptr;
  if (!target) return;
  std::vector<Image> images;
  if (ReadListForLoader(g, name, images, DecodeImageList)) target->Images = std::move(images);
}

void LoadHitMap(GameServices& g, std::string_view name) {
  // Only the first 76800 bytes are read and unscrambled; a shorter entry leaves the rest of
  // the map as it was.
  std::vector<uint8_t> bytes;
  switch (g.archive.ReadEntrySlice(name, 0, HitMapBytes, bytes)) {
    case ArchiveResult::Ok:
      std::copy(bytes.begin(), bytes.end(), g.HitMap.begin());
      return;
    case ArchiveResult::FileError:
      g.FatalError = 1;
      return;
    case ArchiveResult::NotFound:
    case ArchiveResult::Malformed:
      return;
  }
}

void LoadWaves(GameServices& g, int list, std::string_view name) {
  if (!g.SoundAvailable) return;
  if (list != 1 && list != 2) return;
  std::vector<Wave> waves;
  if (ReadListForLoader(g, name, waves, DecodeWaveList))
    g.layer.ReplaceWaves(list, std::move(waves));
}

bool ReadChannelWave(GameServices& g, std::string_view name, int channel, SoundBuffer& out) {
  if (!g.SoundAvailable) return false;
  if (channel != 0 && channel != 1) return false;
  // Speech entries are scrambled only in their first 41 bytes; music all through.
  std::vector<uint8_t> bytes;
  if (!ReadForLoader(g, name, bytes, channel == 0)) return false;
  std::string reason;
  if (!ParseWave(std::move(bytes), out, &reason)) {
    g.archive.ReportMalformed(name, reason);
    return false;
  }
  return true;
}

void LoadChannelWave(GameServices& g, std::string_view name, int channel) {
  SoundBuffer buffer;
  if (ReadChannelWave(g, name, channel, buffer))
    g.layer.LoadBufferFromWave(channel, std::move(buffer));
}

}  // namespace vepa
