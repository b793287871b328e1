// Byte formats of archive entries: Windows bitmaps, RIFF WAVE, and the image-list and wave-list
// streams. Every decoder checks each size against the bytes it was given before it allocates
// or copies, so damaged data decodes to nothing and a reason instead of a crash.
#include "engine/streams.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace vepa {

namespace {

// Bounds-checked little-endian reader over a byte range.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
  size_t Position() const { return pos_; }
  size_t Remaining() const { return size_ - pos_; }
  bool U8(uint8_t& v) {
    if (Remaining() < 1) return false;
    v = data_[pos_++];
    return true;
  }
  bool U16(uint16_t& v) {
    if (Remaining() < 2) return false;
    v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool U32(uint32_t& v) {
    if (Remaining() < 4) return false;
    v = static_cast<uint32_t>(data_[pos_]) | (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
        (static_cast<uint32_t>(data_[pos_ + 2]) << 16) |
        (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return true;
  }
  bool Bytes(size_t n, const uint8_t*& p) {
    if (Remaining() < n) return false;
    p = data_ + pos_;
    pos_ += n;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class Writer {
 public:
  std::vector<uint8_t> Out;
  void U8(uint8_t v) { Out.push_back(v); }
  void U16(uint16_t v) {
    Out.push_back(static_cast<uint8_t>(v));
    Out.push_back(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Bytes(const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    Out.insert(Out.end(), b, b + n);
  }
  void Text(const char* s) { Bytes(s, std::strlen(s)); }
  void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) Out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
};

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// ---------------------------------------------------------------------------------------------
// Image-list planes: raw, or PackBits-style run-length packets. A packet byte h gives a count
// of (h & 0x7F) + 1 values: with the high bit set one value repeated, else that many literal
// values. Values are 16-bit little-endian in the pixel plane, bytes in the alpha plane.

constexpr uint8_t PlaneRaw = 0;
constexpr uint8_t PlaneRle = 1;
constexpr size_t MaxRun = 128;
// Bytes written in one block by the run-length decoder's fast path.
constexpr size_t BurstBytes = 32;

// The most values `bytes` stored bytes can describe: a repeat packet is the densest (1 + width
// bytes for 128 values).
uint64_t MaxValues(uint8_t encoding, uint64_t bytes, size_t width) {
  if (encoding == PlaneRaw) return bytes / width;
  return bytes / (1 + width) * MaxRun;
}

template <typename T>
T LoadValue(const uint8_t* p) {
  if constexpr (sizeof(T) == 1)
    return p[0];
  else
    return Le16(p);
}

template <typename T>
bool DecodePlane(uint8_t encoding, const uint8_t* p, size_t bytes, T* out, size_t count,
                 std::string& reason) {
  constexpr size_t W = sizeof(T);
  constexpr size_t Burst = BurstBytes / W;
  if (encoding == PlaneRaw) {
    if (bytes != count * W) {
      reason = "raw plane holds " + std::to_string(bytes) + " bytes, expected " +
               std::to_string(count * W);
      return false;
    }
    if constexpr (W == 1 || std::endian::native == std::endian::little) {
      if (count) std::memcpy(out, p, count * W);
    } else {
      for (size_t i = 0; i < count; ++i) out[i] = LoadValue<T>(p + i * W);
    }
    return true;
  }
  const uint8_t* end = p + bytes;
  size_t o = 0;
  while (o < count) {
    if (p >= end) {
      reason = "run-length plane ends early";
      return false;
    }
    uint8_t h = *p++;
    size_t n = (h & 0x7F) + 1u;
    if (n > count - o) {
      reason = "run-length packet runs past the picture";
      return false;
    }
    // Packets are written in whole blocks of Burst values (32 bytes) where the picture (and, for
    // literals, the stream) has room for the rounded-up length: what lands past this packet
    // is overwritten by the next ones, and fixed-size blocks compile to a few wide moves.
    const size_t blocks = (n + Burst - 1) / Burst;
    const bool room = count - o >= blocks * Burst;
    T* dst = out + o;
    if (h & 0x80) {
      if (static_cast<size_t>(end - p) < W) {
        reason = "run-length plane ends inside a packet";
        return false;
      }
      const T v = LoadValue<T>(p);
      p += W;
      if (room) {
        // Eight-byte stores of the repeated value (a plain fill loop may become `rep stos`,
        // which is slow to start for such short runs).
        const uint64_t word =
            sizeof(T) == 1 ? v * 0x0101010101010101ULL : v * 0x0001000100010001ULL;
        uint8_t* d = reinterpret_cast<uint8_t*>(dst);
        for (size_t b = 0; b < blocks * BurstBytes; b += 8) std::memcpy(d + b, &word, 8);
      } else {
        std::fill(dst, dst + n, v);
      }
    } else {
      const size_t nb = n * W;
      if (static_cast<size_t>(end - p) < nb) {
        reason = "run-length plane ends inside a packet";
        return false;
      }
      if constexpr (W == 1 || std::endian::native == std::endian::little) {
        if (room && static_cast<size_t>(end - p) >= blocks * Burst * W) {
          for (size_t b = 0; b < blocks; ++b)
            std::memcpy(dst + b * Burst, p + b * Burst * W, Burst * W);
        } else {
          std::memcpy(dst, p, nb);
        }
      } else {
        for (size_t i = 0; i < n; ++i) dst[i] = LoadValue<T>(p + i * W);
      }
      p += nb;
    }
    o += n;
  }
  if (p != end) {
    reason = "run-length plane has bytes after the picture";
    return false;
  }
  return true;
}

template <typename T>
void StoreValue(Writer& w, T v) {
  if constexpr (sizeof(T) == 1)
    w.U8(v);
  else
    w.U16(v);
}

template <typename T>
std::vector<uint8_t> EncodeRle(const T* v, size_t count) {
  Writer w;
  size_t i = 0;
  while (i < count) {
    size_t run = 1;
    while (i + run < count && run < MaxRun && v[i + run] == v[i]) ++run;
    if (run >= 2) {
      w.U8(static_cast<uint8_t>(0x80 | (run - 1)));
      StoreValue(w, v[i]);
      i += run;
      continue;
    }
    // Literal packet up to the next run of three equal values.
    size_t start = i, n = 0;
    while (i < count && n < MaxRun) {
      if (i + 2 < count && v[i] == v[i + 1] && v[i] == v[i + 2]) break;
      ++i;
      ++n;
    }
    w.U8(static_cast<uint8_t>(n - 1));
    for (size_t k = 0; k < n; ++k) StoreValue(w, v[start + k]);
  }
  return std::move(w.Out);
}

template <typename T>
void WritePlane(Writer& w, const T* v, size_t count) {
  std::vector<uint8_t> rle = EncodeRle(v, count);
  if (rle.size() < count * sizeof(T)) {
    w.U8(PlaneRle);
    w.U32(static_cast<uint32_t>(rle.size()));
    w.Bytes(rle.data(), rle.size());
  } else {
    w.U8(PlaneRaw);
    w.U32(static_cast<uint32_t>(count * sizeof(T)));
    for (size_t i = 0; i < count; ++i) StoreValue(w, v[i]);
  }
}

constexpr char ImageListMagic[4] = {'V', 'I', 'L', '1'};
constexpr char WaveListMagic[4] = {'V', 'W', 'L', '1'};
constexpr uint8_t ImageFlagTransparent = 1;
constexpr uint8_t ImageFlagAlpha = 2;
constexpr uint8_t WaveFlagLoop = 1;
// Smallest stored image and wave records, to bound the counts before anything is reserved.
constexpr size_t MinImageRecord = 1 + 1 + 8 + 1 + 2 + 5;
constexpr size_t MinWaveRecord = 1 + 1 + 1 + 4;

bool ReadName(Reader& r, std::string& name) {
  uint8_t n;
  const uint8_t* p;
  if (!r.U8(n) || n == 0 || !r.Bytes(n, p)) return false;
  name.assign(reinterpret_cast<const char*>(p), n);
  return true;
}

// A list of named records (the image and wave lists): a magic, a count, then the records, each
// a name followed by what readRecord reads. `what` ("image") names the records in messages and
// `aList` ("an image list") the stream; readRecord gets the record's place and name for its own.
template <typename Item, typename ReadRecord>
bool DecodeNamedList(const uint8_t* data, size_t size, const char (&listMagic)[4],
                     const std::string& what, const char* aList, size_t minRecord,
                     std::vector<Item>& out, std::string* error, ReadRecord readRecord) {
  // A zero-length stream is a list with no records.
  if (size == 0) {
    out.clear();
    return true;
  }
  Reader r(data, size);
  const uint8_t* magic;
  uint32_t count;
  if (!r.Bytes(4, magic) || std::memcmp(magic, listMagic, 4) != 0)
    return Fail(error, "not " + std::string(aList) + " (no \"" + std::string(listMagic, 4) + "\")");
  if (!r.U32(count)) return Fail(error, what + " list header cut short");
  if (count > r.Remaining() / minRecord)
    return Fail(error, what + " count " + std::to_string(count) + " too large for the stream");
  std::vector<Item> items;
  items.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    Item item;
    const std::string where = what + " " + std::to_string(i);
    if (!ReadName(r, item.Name)) return Fail(error, where + ": name missing or cut short");
    if (!readRecord(r, item, where + " \"" + item.Name + "\"")) return false;
    items.push_back(std::move(item));
  }
  if (r.Remaining() != 0)
    return Fail(error, std::to_string(r.Remaining()) + " stray bytes after the last " + what);
  out = std::move(items);
  return true;
}

// The writing side of DecodeNamedList: the magic, the count, then each item's name (1 to 255
// bytes, or std::invalid_argument naming the `what`) followed by what writeRecord writes.
template <typename Item, typename WriteRecord>
std::vector<uint8_t> EncodeNamedList(const char (&listMagic)[4], const char* what,
                                     const std::vector<Item>& items, WriteRecord writeRecord) {
  Writer w;
  w.Bytes(listMagic, 4);
  w.U32(static_cast<uint32_t>(items.size()));
  for (const Item& item : items) {
    if (item.Name.empty() || item.Name.size() > 255)
      throw std::invalid_argument(std::string(what) + " name \"" + item.Name +
                                  "\" must have 1..255 bytes");
    w.U8(static_cast<uint8_t>(item.Name.size()));
    w.Bytes(item.Name.data(), item.Name.size());
    writeRecord(w, item);
  }
  return std::move(w.Out);
}

template <typename T>
bool ReadPlane(Reader& r, std::vector<T>& out, size_t count, std::string& reason) {
  uint8_t encoding;
  uint32_t bytes;
  const uint8_t* p;
  if (!r.U8(encoding) || !r.U32(bytes)) {
    reason = "plane header cut short";
    return false;
  }
  if (encoding != PlaneRaw && encoding != PlaneRle) {
    reason = "unknown plane encoding " + std::to_string(encoding);
    return false;
  }
  if (!r.Bytes(bytes, p)) {
    reason = "plane of " + std::to_string(bytes) + " bytes runs past the end of the stream";
    return false;
  }
  if (count > MaxValues(encoding, bytes, sizeof(T))) {
    reason = "plane of " + std::to_string(bytes) + " bytes cannot hold " + std::to_string(count) +
             " pixels";
    return false;
  }
  out.resize(count);
  return DecodePlane(encoding, p, bytes, out.data(), count, reason);
}

// ---------------------------------------------------------------------------------------------
// Bitmap colour channels given by a bit mask.

struct Channel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;
  void Set(uint32_t mask) {
    Mask = mask;
    Shift = mask ? std::countr_zero(mask) : 0;
    Bits = mask ? std::popcount(mask) : 0;
  }
  int Get(uint32_t px) const {
    if (!Bits) return 0;
    uint32_t v = (px & Mask) >> Shift;
    if (Bits >= 8) return static_cast<int>(v >> (Bits - 8));
    return static_cast<int>(v * 255 / ((1u << Bits) - 1));
  }
};

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;
constexpr int MaxBitmapSide = 32768;

}  // namespace

// ---------------------------------------------------------------------------------------------

bool DecodeBitmap(const uint8_t* data, size_t size, Surface& out, std::string* error) {
  if (!data || size < 14 + 12) return Fail(error, "bitmap too short");
  if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a bitmap (no \"BM\")");
  uint32_t pixelOffset = Le32(data + 10);
  uint32_t headerSize = Le32(data + 14);
  if (headerSize != 12 && (headerSize < 40 || headerSize > size - 14))
    return Fail(error, "unsupported bitmap header size " + std::to_string(headerSize));

  int64_t width, height;
  int bpp;
  uint32_t compression = BiRgb, colorsUsed = 0;
  size_t paletteEntrySize = 4;
  if (headerSize == 12) {  // OS/2 core header
    width = Le16(data + 18);
    height = static_cast<int16_t>(Le16(data + 20));
    bpp = Le16(data + 24);
    paletteEntrySize = 3;
  } else {
    width = static_cast<int32_t>(Le32(data + 18));
    height = static_cast<int32_t>(Le32(data + 22));
    bpp = Le16(data + 28);
    compression = Le32(data + 30);
    colorsUsed = Le32(data + 46);
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > MaxBitmapSide || height > MaxBitmapSide)
    return Fail(error, "bad bitmap size " + std::to_string(width) + "x" + std::to_string(height));
  if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(error, "unsupported bitmap depth " + std::to_string(bpp) + " bits");
  if (compression != BiRgb && !(compression == BiBitfields && (bpp == 16 || bpp == 32)))
    return Fail(error, "compressed bitmaps are not supported (compression " +
                           std::to_string(compression) + ")");

  size_t afterHeader = 14 + static_cast<size_t>(headerSize);
  Channel red, green, blue;
  if (compression == BiBitfields) {
    // The masks sit inside a V2+ header, or follow a plain 40-byte header.
    size_t at = 14 + 40;
    if (headerSize == 40) afterHeader += 12;
    if (at + 12 > size) return Fail(error, "bitmap colour masks cut short");
    red.Set(Le32(data + at));
    green.Set(Le32(data + at + 4));
    blue.Set(Le32(data + at + 8));
  } else if (bpp == 16) {
    red.Set(0x7C00);
    green.Set(0x03E0);
    blue.Set(0x001F);
  } else {
    red.Set(0xFF0000);
    green.Set(0x00FF00);
    blue.Set(0x0000FF);
  }

  uint16_t palette[256] = {};
  if (bpp == 8) {
    size_t count = colorsUsed == 0 || colorsUsed > 256 ? 256 : colorsUsed;
    // A palette may be shorter than announced when the pixels start earlier; use what is there.
    size_t limit = std::min<size_t>(size, pixelOffset);
    if (afterHeader > limit) return Fail(error, "bitmap palette missing");
    count = std::min(count, (limit - afterHeader) / paletteEntrySize);
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* e = data + afterHeader + i * paletteEntrySize;
      palette[i] = Rgb565(e[2], e[1], e[0]);
    }
  }

  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bpp + 7) / 8;
  const uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
  // The last row may lack its padding; everything else must be there.
  const uint64_t needed = stride * static_cast<uint64_t>(height - 1) + rowBytes;
  if (pixelOffset > size || needed > size - pixelOffset)
    return Fail(error, "bitmap pixels cut short (" + std::to_string(size) + " bytes for " +
                           std::to_string(width) + "x" + std::to_string(height) + "x" +
                           std::to_string(bpp) + ")");

  Surface s(static_cast<int>(width), static_cast<int>(height));
  const bool exact565 =
      bpp == 16 && red.Mask == 0xF800 && green.Mask == 0x07E0 && blue.Mask == 0x001F;
  for (int y = 0; y < s.height; ++y) {
    int srcRow = topDown ? y : s.height - 1 - y;
    const uint8_t* src = data + pixelOffset + stride * static_cast<uint64_t>(srcRow);
    uint16_t* dst = s.Row(y);
    switch (bpp) {
      case 8:
        for (int x = 0; x < s.width; ++x) dst[x] = palette[src[x]];
        break;
      case 16:
        for (int x = 0; x < s.width; ++x) {
          uint32_t px = Le16(src + 2 * x);
          dst[x] = exact565 ? static_cast<uint16_t>(px)
                            : Rgb565(red.Get(px), green.Get(px), blue.Get(px));
        }
        break;
      case 24:
        for (int x = 0; x < s.width; ++x) {
          const uint8_t* p = src + 3 * x;
          dst[x] = Rgb565(p[2], p[1], p[0]);
        }
        break;
      case 32:
        for (int x = 0; x < s.width; ++x) {
          uint32_t px = Le32(src + 4 * x);
          dst[x] = Rgb565(red.Get(px), green.Get(px), blue.Get(px));
        }
        break;
    }
  }
  out = std::move(s);
  return true;
}

std::vector<uint8_t> EncodeBitmap(const Surface& s) {
  const uint32_t stride = (static_cast<uint32_t>(s.width) * 3 + 3) / 4 * 4;
  const uint32_t imageSize = stride * static_cast<uint32_t>(s.height);
  Writer w;
  w.Text("BM");
  w.U32(54 + imageSize);
  w.U32(0);
  w.U32(54);
  w.U32(40);
  w.U32(static_cast<uint32_t>(s.width));
  w.U32(static_cast<uint32_t>(s.height));  // positive: bottom-up
  w.U16(1);
  w.U16(24);
  w.U32(BiRgb);
  w.U32(imageSize);
  w.U32(2835);  // 72 dpi
  w.U32(2835);
  w.U32(0);
  w.U32(0);
  w.Out.reserve(w.Out.size() + imageSize);
  for (int y = s.height - 1; y >= 0; --y) {
    const uint16_t* row = s.Row(y);
    for (int x = 0; x < s.width; ++x) {
      // Bit replication makes 5-6-5 -> 8-8-8 -> 5-6-5 exact.
      uint16_t c = row[x];
      int r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
      w.U8(static_cast<uint8_t>((b << 3) | (b >> 2)));
      w.U8(static_cast<uint8_t>((g << 2) | (g >> 4)));
      w.U8(static_cast<uint8_t>((r << 3) | (r >> 2)));
    }
    for (uint32_t pad = static_cast<uint32_t>(s.width) * 3; pad < stride; ++pad) w.U8(0);
  }
  return std::move(w.Out);
}

// ---------------------------------------------------------------------------------------------

bool DecodeImageList(const uint8_t* data, size_t size, std::vector<Image>& out,
                     std::string* error) {
  auto record = [error](Reader& r, Image& img, const std::string& named) {
    uint16_t w, h, pw, ph, key;
    uint8_t flags;
    if (!r.U16(w) || !r.U16(h) || !r.U16(pw) || !r.U16(ph) || !r.U8(flags) || !r.U16(key))
      return Fail(error, named + ": header cut short");
    if (w == 0 || h == 0 || pw == 0 || ph == 0 || pw > w || ph > h)
      return Fail(error, named + ": bad size " + std::to_string(w) + "x" + std::to_string(h) +
                             " with patterns " + std::to_string(pw) + "x" + std::to_string(ph));
    if (flags & ~(ImageFlagTransparent | ImageFlagAlpha))
      return Fail(error, named + ": unknown flags");
    img.Width = w;
    img.Height = h;
    img.PatternWidth = pw;
    img.PatternHeight = ph;
    img.Transparent = (flags & ImageFlagTransparent) != 0;
    img.TransparentColor = key;
    const size_t pixels = static_cast<size_t>(w) * h;
    std::string reason;
    if (!ReadPlane(r, img.Pixels, pixels, reason)) return Fail(error, named + " pixels: " + reason);
    if ((flags & ImageFlagAlpha) && !ReadPlane(r, img.Alpha, pixels, reason))
      return Fail(error, named + " alpha: " + reason);
    return true;
  };
  return DecodeNamedList(data, size, ImageListMagic, "image", "an image list", MinImageRecord, out,
                         error, record);
}

std::vector<uint8_t> EncodeImageList(const std::vector<Image>& images) {
  return EncodeNamedList(ImageListMagic, "image", images, [](Writer& w, const Image& img) {
    const size_t pixels = static_cast<size_t>(std::max(img.Width, 0)) * std::max(img.Height, 0);
    if (img.Width <= 0 || img.Height <= 0 || img.Width > 65535 || img.Height > 65535 ||
        img.PatternWidth <= 0 || img.PatternHeight <= 0 || img.PatternWidth > img.Width ||
        img.PatternHeight > img.Height)
      throw std::invalid_argument("image \"" + img.Name + "\" has a bad picture or pattern size");
    if (img.Pixels.size() != pixels || (!img.Alpha.empty() && img.Alpha.size() != pixels))
      throw std::invalid_argument("image \"" + img.Name + "\" pixel count does not match its size");
    w.U16(static_cast<uint16_t>(img.Width));
    w.U16(static_cast<uint16_t>(img.Height));
    w.U16(static_cast<uint16_t>(img.PatternWidth));
    w.U16(static_cast<uint16_t>(img.PatternHeight));
    uint8_t flags =
        (img.Transparent ? ImageFlagTransparent : 0) | (img.Alpha.empty() ? 0 : ImageFlagAlpha);
    w.U8(flags);
    w.U16(img.TransparentColor);
    WritePlane(w, img.Pixels.data(), pixels);
    if (!img.Alpha.empty()) WritePlane(w, img.Alpha.data(), pixels);
  });
}

// ---------------------------------------------------------------------------------------------

bool DecodeWaveList(const uint8_t* data, size_t size, std::vector<Wave>& out, std::string* error) {
  auto record = [error](Reader& r, Wave& wave, const std::string& named) {
    uint8_t flags;
    uint32_t bytes;
    const uint8_t* p;
    if (!r.U8(flags) || !r.U32(bytes)) return Fail(error, named + ": header cut short");
    if (flags & ~WaveFlagLoop) return Fail(error, named + ": unknown flags");
    if (!r.Bytes(bytes, p))
      return Fail(error,
                  named + ": " + std::to_string(bytes) + " bytes run past the end of the stream");
    std::string reason;
    if (!ParseWave(p, bytes, wave.Buffer, &reason)) return Fail(error, named + ": " + reason);
    wave.Loop = (flags & WaveFlagLoop) != 0;
    return true;
  };
  return DecodeNamedList(data, size, WaveListMagic, "wave", "a wave list", MinWaveRecord, out,
                         error, record);
}

std::vector<uint8_t> EncodeWaveList(const std::vector<WaveListItem>& items) {
  return EncodeNamedList(WaveListMagic, "wave", items, [](Writer& w, const WaveListItem& item) {
    w.U8(item.Loop ? WaveFlagLoop : 0);
    w.U32(static_cast<uint32_t>(item.RiffWave.size()));
    w.Bytes(item.RiffWave.data(), item.RiffWave.size());
  });
}

// ---------------------------------------------------------------------------------------------

std::vector<uint8_t> EncodeRiffWave(const std::vector<int16_t>& samples, int sampleRate,
                                    int channels, int bitsPerSample) {
  if (channels != 1 && channels != 2) throw std::invalid_argument("a wave has 1 or 2 channels");
  if (bitsPerSample != 8 && bitsPerSample != 16)
    throw std::invalid_argument("a wave has 8 or 16 bits per sample");
  if (sampleRate <= 0) throw std::invalid_argument("a wave needs a positive sample rate");
  const size_t frames = samples.size() / static_cast<size_t>(channels);
  const size_t values = frames * static_cast<size_t>(channels);
  const uint32_t blockAlign = static_cast<uint32_t>(channels * bitsPerSample / 8);
  const uint32_t dataBytes = static_cast<uint32_t>(frames * blockAlign);
  Writer w;
  w.Out.reserve(44 + dataBytes + 1);
  w.Text("RIFF");
  w.U32(36 + dataBytes + (dataBytes & 1));
  w.Text("WAVE");
  w.Text("fmt ");
  w.U32(16);
  w.U16(1);  // PCM
  w.U16(static_cast<uint16_t>(channels));
  w.U32(static_cast<uint32_t>(sampleRate));
  w.U32(static_cast<uint32_t>(sampleRate) * blockAlign);
  w.U16(static_cast<uint16_t>(blockAlign));
  w.U16(static_cast<uint16_t>(bitsPerSample));
  w.Text("data");
  w.U32(dataBytes);
  for (size_t i = 0; i < values; ++i) {
    if (bitsPerSample == 16)
      w.U16(static_cast<uint16_t>(samples[i]));
    else
      w.U8(static_cast<uint8_t>((samples[i] >> 8) + 128));
  }
  if (dataBytes & 1) w.U8(0);  // chunks are padded to an even size
  return std::move(w.Out);
}

namespace {

// Reads a RIFF WAVE's format into `shape` (Data left empty) and finds its PCM bytes: dataBytes
// bytes from dataAt, whole sample frames only.
bool ParseWaveHeader(const uint8_t* data, size_t size, SoundBuffer& shape, size_t& dataAt,
                     size_t& dataBytes, std::string* error) {
  if (!data || size < 12) return Fail(error, "wave too short");
  if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
    return Fail(error, "not a RIFF WAVE file");
  bool haveFormat = false, haveData = false;
  uint16_t format = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  dataAt = 0;
  dataBytes = 0;
  // The RIFF size field is not trusted: chunks are walked over the bytes that exist.
  uint64_t pos = 12;
  while (pos + 8 <= size && !(haveFormat && haveData)) {
    const uint8_t* chunk = data + pos;
    const uint64_t chunkSize = Le32(chunk + 4);
    const uint64_t body = pos + 8;
    const uint64_t available = size - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
      if (chunkSize < 16 || available < 16) return Fail(error, "wave format chunk cut short");
      const uint8_t* f = data + body;
      format = Le16(f);
      channels = Le16(f + 2);
      rate = Le32(f + 4);
      bits = Le16(f + 14);
      // WAVE_FORMAT_EXTENSIBLE carries the real format in its sub-format GUID.
      if (format == 0xFFFE && chunkSize >= 40 && available >= 40) format = Le16(f + 24);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
      dataAt = static_cast<size_t>(body);
      dataBytes = static_cast<size_t>(std::min(chunkSize, available));
      haveData = true;
    }
    pos = body + chunkSize + (chunkSize & 1);
  }
  if (!haveFormat) return Fail(error, "wave has no format chunk");
  if (!haveData) return Fail(error, "wave has no data chunk");
  if (format != 1) return Fail(error, "wave is not PCM (format " + std::to_string(format) + ")");
  if (channels != 1 && channels != 2)
    return Fail(error, "wave has " + std::to_string(channels) + " channels");
  if (bits != 8 && bits != 16)
    return Fail(error, "wave has " + std::to_string(bits) + " bits per sample");
  if (rate < 100 || rate > 384000)
    return Fail(error, "wave sample rate " + std::to_string(rate) + " out of range");

  shape = SoundBuffer{};
  shape.Channels = channels;
  shape.BitsPerSample = bits;
  shape.SampleRate = static_cast<int>(rate);
  shape.Frequency = static_cast<int>(rate);
  const size_t blockAlign = static_cast<size_t>(channels) * (bits / 8);
  dataBytes -= dataBytes % blockAlign;  // a partial last frame is dropped
  return true;
}

}  // namespace

bool ParseWave(const uint8_t* data, size_t size, SoundBuffer& out, std::string* error) {
  SoundBuffer buffer;
  size_t dataAt = 0, dataBytes = 0;
  if (!ParseWaveHeader(data, size, buffer, dataAt, dataBytes, error)) return false;
  buffer.Data.assign(data + dataAt, data + dataAt + dataBytes);
  out = std::move(buffer);
  return true;
}

bool ParseWave(std::vector<uint8_t>&& bytes, SoundBuffer& out, std::string* error) {
  SoundBuffer buffer;
  size_t dataAt = 0, dataBytes = 0;
  if (!ParseWaveHeader(bytes.data(), bytes.size(), buffer, dataAt, dataBytes, error)) return false;
  // The samples move to the front of the file's own bytes, which then become the buffer.
  if (dataAt > 0) std::memmove(bytes.data(), bytes.data() + dataAt, dataBytes);
  bytes.resize(dataBytes);
  buffer.Data = std::move(bytes);
  out = std::move(buffer);
  return true;
}

}  // namespace vepa
