// Byte formats: bitmaps, image-list and wave-list streams, RIFF WAVE. Damaged data of every
// kind must decode to nothing with a reason, never crash or read past the bytes given.
#include "engine/streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace vepa {
namespace {

// ---------------------------------------------------------------------------------------------
// Hand-made bitmaps.

struct BmpSpec {
  uint32_t HeaderSize = 40;
  int32_t Width = 2;
  int32_t Height = 2;  // negative: top-down
  uint16_t Bpp = 24;
  uint32_t Compression = 0;
  std::vector<uint32_t> Masks{};    // BI_BITFIELDS: red, green, blue
  std::vector<uint32_t> Palette{};  // 0x00RRGGBB
  uint32_t ColorsUsed = 0;
  std::vector<uint8_t> Pixels{};  // rows as stored (with padding)
};

void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// A copy of the bytes with `with` written over them from `at` on.
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at,
                             const std::vector<uint8_t>& with) {
  std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

std::vector<uint8_t> MakeBmp(const BmpSpec& s) {
  std::vector<uint8_t> h;
  if (s.HeaderSize == 12) {
    Put32(h, 12);
    Put16(h, static_cast<uint16_t>(s.Width));
    Put16(h, static_cast<uint16_t>(s.Height));
    Put16(h, 1);
    Put16(h, s.Bpp);
  } else {
    Put32(h, s.HeaderSize);
    Put32(h, static_cast<uint32_t>(s.Width));
    Put32(h, static_cast<uint32_t>(s.Height));
    Put16(h, 1);
    Put16(h, s.Bpp);
    Put32(h, s.Compression);
    Put32(h, static_cast<uint32_t>(s.Pixels.size()));
    Put32(h, 2835);
    Put32(h, 2835);
    Put32(h, s.ColorsUsed);
    Put32(h, 0);
    if (s.HeaderSize > 40) {
      for (size_t i = 0; i < 3; ++i) Put32(h, i < s.Masks.size() ? s.Masks[i] : 0);
      h.resize(s.HeaderSize, 0);
    } else {
      for (uint32_t m : s.Masks) Put32(h, m);
    }
  }
  for (uint32_t c : s.Palette) {
    h.push_back(static_cast<uint8_t>(c));
    h.push_back(static_cast<uint8_t>(c >> 8));
    h.push_back(static_cast<uint8_t>(c >> 16));
    if (s.HeaderSize != 12) h.push_back(0);
  }
  std::vector<uint8_t> f = {'B', 'M'};
  Put32(f, static_cast<uint32_t>(14 + h.size() + s.Pixels.size()));
  Put32(f, 0);
  Put32(f, static_cast<uint32_t>(14 + h.size()));
  f.insert(f.end(), h.begin(), h.end());
  f.insert(f.end(), s.Pixels.begin(), s.Pixels.end());
  return f;
}

Surface Decode(const std::vector<uint8_t>& bytes) {
  Surface s;
  std::string error;
  EXPECT_TRUE(DecodeBitmap(bytes.data(), bytes.size(), s, &error)) << error;
  return s;
}

const uint16_t Red = Rgb565(255, 0, 0), Green = Rgb565(0, 255, 0), Blue = Rgb565(0, 0, 255),
               White = Rgb565(255, 255, 255);

TEST(BitmapTest, EncodeDecodeRoundTripIsExact) {
  // Odd width: rows carry padding.
  Surface s(3, 2);
  for (size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = static_cast<uint16_t>(i * 9973 + 17);
  s.pixels[0] = 0xFFFF;
  s.pixels[1] = 0x0000;
  std::vector<uint8_t> bmp = EncodeBitmap(s);
  EXPECT_EQ(bmp.size(), 54u + 2 * 12);
  Surface back = Decode(bmp);
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.pixels, s.pixels);
}

TEST(BitmapTest, EightBitPalettedBottomUpAndTopDown) {
  // Stored bottom row first: bottom = 2,1,0 ; top = 0,1,2. Index 200 lies past the palette.
  BmpSpec spec{.Width = 3,
               .Bpp = 8,
               .Palette = {0xFF0000, 0x00FF00, 0x0000FF},
               .ColorsUsed = 3,
               .Pixels = {2, 1, 0, 0, /*top*/ 0, 1, 200, 0}};
  Surface s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(0, 0), Red);
  EXPECT_EQ(s.At(1, 0), Green);
  EXPECT_EQ(s.At(2, 0), 0);  // outside the palette: black
  EXPECT_EQ(s.At(0, 1), Blue);
  EXPECT_EQ(s.At(2, 1), Red);
  spec.Height = -2;  // the same bytes, first row on top
  Surface t = Decode(MakeBmp(spec));
  EXPECT_EQ(t.At(0, 0), Blue);
  EXPECT_EQ(t.At(2, 1), 0);
}

TEST(BitmapTest, SixteenBit555And565) {
  // 555: red, blue.
  BmpSpec spec{.Width = 2, .Height = 1, .Bpp = 16, .Pixels = {0x00, 0x7C, 0x1F, 0x00}};
  Surface s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(0, 0), Red);
  EXPECT_EQ(s.At(1, 0), Blue);
  spec.Compression = 3;
  spec.Masks = {0xF800, 0x07E0, 0x001F};
  spec.Pixels = {0xE0, 0x07, 0x34, 0x12};  // 565: green, raw 0x1234
  s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(0, 0), Green);
  EXPECT_EQ(s.At(1, 0), 0x1234);
  // Masks inside a V5 header.
  spec.HeaderSize = 124;
  s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(1, 0), 0x1234);
}

TEST(BitmapTest, ThirtyTwoBitAndCoreHeader) {
  BmpSpec spec{.Width = 1,
               .Height = 2,
               .Bpp = 32,
               .Pixels = {0xFF, 0x00, 0x00, 0x00, /*top*/ 0xFF, 0xFF, 0xFF, 0x80}};  // BGRX
  Surface s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(0, 0), White);
  EXPECT_EQ(s.At(0, 1), Blue);
  spec.Compression = 3;
  spec.HeaderSize = 108;
  spec.Masks = {0x0000FF00, 0x00FF0000, 0xFF000000};  // RGBX-style layout
  spec.Pixels = {0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF};
  s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(0, 0), Blue);
  EXPECT_EQ(s.At(0, 1), Red);

  const BmpSpec core{.HeaderSize = 12, .Width = 1, .Height = 1, .Pixels = {0x00, 0x00, 0xFF, 0x00}};
  EXPECT_EQ(Decode(MakeBmp(core)).At(0, 0), Red);
}

TEST(BitmapTest, LastRowMayLackItsPadding) {
  // The second row without its pad byte.
  const BmpSpec spec{.Width = 1, .Height = 2, .Pixels = {0, 0, 0xFF, 0, 0, 0xFF, 0}};
  Surface s = Decode(MakeBmp(spec));
  EXPECT_EQ(s.At(0, 0), Green);
  EXPECT_EQ(s.At(0, 1), Red);
}

TEST(BitmapTest, DamagedBitmapsAreRefused) {
  const BmpSpec good{.Width = 2, .Height = 2, .Pixels = std::vector<uint8_t>(16, 0x55)};
  const std::vector<uint8_t> base = MakeBmp(good);
  Surface untouched(1, 1);
  untouched.pixels[0] = 1234;
  auto refused = [&](std::vector<uint8_t> bytes, const char* what) {
    Surface s = untouched;
    std::string error;
    EXPECT_FALSE(DecodeBitmap(bytes.data(), bytes.size(), s, &error)) << what;
    EXPECT_FALSE(error.empty()) << what;
    EXPECT_EQ(s.pixels, untouched.pixels) << what << ": output must stay as it was";
  };
  // Every prefix cut short of the last row's pixels (its two pad bytes may be missing).
  for (size_t n = 0; n < base.size() - 2; ++n)
    refused(std::vector<uint8_t>(base.begin(), base.begin() + n), "prefix");
  refused(Patched(base, 0, {'X'}), "magic");
  // The good bitmap with a change to its header.
  auto altered = [&](void (*change)(BmpSpec&)) {
    BmpSpec spec = good;
    change(spec);
    return MakeBmp(spec);
  };
  refused(altered([](BmpSpec& s) { s.Width = 0; }), "zero width");
  refused(altered([](BmpSpec& s) { s.Width = s.Height = 30000; }), "huge size, tiny data");
  refused(altered([](BmpSpec& s) { s.Height = INT32_MIN; }), "most negative height");
  refused(altered([](BmpSpec& s) { s.Compression = 1; }), "RLE8 compression");
  refused(altered([](BmpSpec& s) { s.Bpp = 4; }), "4-bit");
  refused(altered([](BmpSpec& s) { s.HeaderSize = 20; }), "odd header size");
  refused(Patched(base, 10, {0xFF, 0xFF, 0xFF, 0xFF}), "pixel offset far past the end");
  refused(MakeBmp({.Width = 2, .Height = 2, .Bpp = 16, .Compression = 3}),
          "bitfields without masks or pixels");
}

TEST(BitmapTest, RandomDamageNeverCrashes) {
  Surface s(17, 5);
  for (size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = static_cast<uint16_t>(i * 31);
  const std::vector<uint8_t> base = EncodeBitmap(s);
  std::mt19937 rng(7);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> b = base;
    for (int k = 0; k < 3; ++k) b[rng() % 54] = static_cast<uint8_t>(rng());
    Surface out;
    if (DecodeBitmap(b.data(), b.size(), out)) {
      EXPECT_EQ(out.pixels.size(), static_cast<size_t>(out.width) * out.height);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Image lists.

Image MakeImage(const std::string& name, int w, int h, int pw, int ph, bool noisy, bool alpha) {
  Image img = PatternedImage(name, w, h, pw, ph);
  img.TransparentColor = 0xF81F;
  img.Pixels.assign(static_cast<size_t>(w) * h, 0xF81F);
  std::mt19937 rng(static_cast<unsigned>(w * 131 + h));
  for (size_t i = 0; i < img.Pixels.size(); ++i) {
    if (noisy)
      img.Pixels[i] = static_cast<uint16_t>(rng());
    else if (i % 10 < 4)
      img.Pixels[i] = static_cast<uint16_t>(i / 10);  // short literal stretches between runs
  }
  if (alpha) {
    img.Alpha.resize(img.Pixels.size());
    for (size_t i = 0; i < img.Alpha.size(); ++i) img.Alpha[i] = i % 7 < 3 ? 255 : i % 256;
  }
  return img;
}

void ExpectSameImages(const std::vector<Image>& a, const std::vector<Image>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].Name, b[i].Name);
    EXPECT_EQ(a[i].Width, b[i].Width);
    EXPECT_EQ(a[i].Height, b[i].Height);
    EXPECT_EQ(a[i].PatternWidth, b[i].PatternWidth);
    EXPECT_EQ(a[i].PatternHeight, b[i].PatternHeight);
    EXPECT_EQ(a[i].Transparent, b[i].Transparent);
    EXPECT_EQ(a[i].TransparentColor, b[i].TransparentColor);
    EXPECT_EQ(a[i].Pixels, b[i].Pixels) << a[i].Name;
    EXPECT_EQ(a[i].Alpha, b[i].Alpha) << a[i].Name;
  }
}

std::vector<Image> SampleImages() {
  std::vector<Image> images;
  images.push_back(MakeImage("Ruka01", 96, 40, 32, 40, false, true));  // run-length planes
  images.push_back(MakeImage("Noise01", 13, 7, 13, 7, true, false));   // raw plane
  Image plain = MakeImage("Bax01", 640, 3, 64, 3, false, false);
  plain.Transparent = false;
  plain.TransparentColor = 0x1234;
  images.push_back(plain);
  images.push_back(MakeImage("Noisealpha", 5, 5, 1, 1, true, true));
  return images;
}

TEST(ImageListTest, RoundTripKeepsEverything) {
  const std::vector<Image> images = SampleImages();
  const std::vector<uint8_t> bytes = EncodeImageList(images);
  std::vector<Image> back;
  std::string error;
  ASSERT_TRUE(DecodeImageList(bytes.data(), bytes.size(), back, &error)) << error;
  ExpectSameImages(images, back);
  EXPECT_EQ(back[0].PatternCount(), 3);
  EXPECT_EQ(back[3].PatternCount(), 25);
}

TEST(ImageListTest, FlatPicturesAreStoredSmall) {
  // A 640x480 picture of one colour with a full alpha mask: a few kilobytes, not 900 KB.
  Image big = PatternedImage("Big01", 640, 480, 640, 480);
  big.Pixels.assign(640 * 480, 0x07E0);
  big.Alpha.assign(640 * 480, 255);
  const std::vector<uint8_t> bytes = EncodeImageList({big});
  EXPECT_LT(bytes.size(), 20000u);
  std::vector<Image> back;
  ASSERT_TRUE(DecodeImageList(bytes.data(), bytes.size(), back));
  ExpectSameImages({big}, back);
}

TEST(ImageListTest, RunsAndLiteralsOfEveryLengthRoundTrip) {
  // Pictures of 1..300 pixels made of runs and noise of random lengths (1..200), so packets
  // end at every distance from the picture's end and cross the 128-value packet limit.
  std::mt19937 rng(23);
  for (int w = 1; w <= 300; ++w) {
    Image img = PatternedImage("R", w, 1, 1, 1);
    img.Alpha.resize(static_cast<size_t>(w));
    for (size_t i = 0; i < img.Pixels.size();) {
      size_t len = std::min<size_t>(1 + rng() % 200, img.Pixels.size() - i);
      bool run = rng() % 2;
      uint16_t v = static_cast<uint16_t>(rng());
      for (size_t k = 0; k < len; ++k, ++i) {
        img.Pixels[i] = run ? v : static_cast<uint16_t>(rng());
        img.Alpha[i] = run ? static_cast<uint8_t>(v) : static_cast<uint8_t>(rng());
      }
    }
    const std::vector<uint8_t> bytes = EncodeImageList({img});
    std::vector<Image> back;
    ASSERT_TRUE(DecodeImageList(bytes.data(), bytes.size(), back)) << w;
    ASSERT_EQ(back.size(), 1u);
    ASSERT_EQ(back[0].Pixels, img.Pixels) << w;
    ASSERT_EQ(back[0].Alpha, img.Alpha) << w;
  }
}

TEST(ImageListTest, EmptyStreamIsAnEmptyList) {
  std::vector<Image> out = SampleImages();
  EXPECT_TRUE(DecodeImageList(nullptr, 0, out));
  EXPECT_TRUE(out.empty());
  const std::vector<uint8_t> none = EncodeImageList({});
  out = SampleImages();
  EXPECT_TRUE(DecodeImageList(none.data(), none.size(), out));
  EXPECT_TRUE(out.empty());
}

TEST(ImageListTest, EncoderRefusesInconsistentImages) {
  Image bad = MakeImage("Bad01", 4, 4, 2, 2, false, false);
  bad.Pixels.pop_back();
  EXPECT_THROW(EncodeImageList({bad}), std::invalid_argument);
  Image wide = MakeImage("Wide01", 4, 4, 8, 2, false, false);
  EXPECT_THROW(EncodeImageList({wide}), std::invalid_argument);
  Image nameless = MakeImage("", 4, 4, 2, 2, false, false);
  EXPECT_THROW(EncodeImageList({nameless}), std::invalid_argument);
}

bool RefusesImageList(const std::vector<uint8_t>& bytes) {
  std::vector<Image> out = {MakeImage("Keep01", 2, 2, 1, 1, false, false)};
  std::string error;
  bool ok = DecodeImageList(bytes.data(), bytes.size(), out, &error);
  EXPECT_EQ(out.size(), 1u) << "a refused stream must leave the list as it was";
  EXPECT_TRUE(ok || !error.empty());
  return !ok;
}

TEST(ImageListTest, EveryCutShortStreamIsRefused) {
  const std::vector<uint8_t> bytes = EncodeImageList(SampleImages());
  for (size_t n = 1; n < bytes.size(); ++n)
    EXPECT_TRUE(RefusesImageList(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n))) << n;
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_TRUE(RefusesImageList(longer)) << "stray bytes after the last image";
}

// Offsets into a one-image stream "A", 2x2 picture, patterns 1x1, raw pixel plane.
std::vector<uint8_t> TinyImageList() {
  Image img = PatternedImage("A", 2, 2, 1, 1);
  img.Pixels = {1, 2, 3, 4};
  std::vector<uint8_t> b = EncodeImageList({img});
  // magic 4, count 4, name 2, w h pw ph 8, flags 1, key 2 -> plane encoding at 21, size at 22.
  EXPECT_EQ(b.size(), 21u + 1 + 4 + 8);
  EXPECT_EQ(b[21], 0);
  return b;
}

TEST(ImageListTest, DamagedHeadersAreRefused) {
  const std::vector<uint8_t> tiny = TinyImageList();
  const uint8_t flags = tiny[18];
  const struct {
    const char* what;
    size_t at;
    std::vector<uint8_t> with;
  } damages[] = {
      {"magic", 0, {'X'}},
      {"count far beyond the stream", 4, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"count one too many", 4, {2}},
      {"empty name", 8, {0}},
      {"zero width", 10, {0, 0}},
      {"pattern wider than the picture", 14, {3}},
      {"zero pattern height", 16, {0}},
      {"unknown flag", 18, {static_cast<uint8_t>(flags | 0x80)}},
      {"alpha flag without an alpha plane", 18, {static_cast<uint8_t>(flags | 2)}},
      {"unknown plane encoding", 21, {7}},
      {"raw plane size not width x height x 2", 22, {6}},
      {"65535 x 65535 picture in 8 bytes", 10, {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& d : damages)
    EXPECT_TRUE(RefusesImageList(Patched(tiny, d.at, d.with))) << d.what;
}

TEST(ImageListTest, DamagedRunLengthPlanesAreRefused) {
  // One 4x1 image whose pixel plane is run-length coded by hand.
  auto stream = [](std::vector<uint8_t> plane) {
    std::vector<uint8_t> b = {'V', 'I', 'L', '1', 1, 0, 0, 0, 1, 'A', 4,
                              0,   1,   0,   4,   0, 1, 0, 1, 0, 0,   1};
    b.push_back(static_cast<uint8_t>(plane.size()));
    b.insert(b.end(), {0, 0, 0});
    b.insert(b.end(), plane.begin(), plane.end());
    return b;
  };
  // Sound: run of 3 x 0x0102, literal 1 x 0x0304.
  std::vector<uint8_t> good = stream({0x82, 0x02, 0x01, 0x00, 0x04, 0x03});
  std::vector<Image> out;
  ASSERT_TRUE(DecodeImageList(good.data(), good.size(), out));
  EXPECT_EQ(out[0].Pixels, (std::vector<uint16_t>{0x0102, 0x0102, 0x0102, 0x0304}));
  EXPECT_TRUE(RefusesImageList(stream({0x84, 0x02, 0x01}))) << "run past the picture";
  EXPECT_TRUE(RefusesImageList(stream({0x82, 0x02, 0x01}))) << "plane ends early";
  EXPECT_TRUE(RefusesImageList(stream({0x82, 0x02, 0x01, 0x00, 0x04}))) << "literal cut short";
  EXPECT_TRUE(RefusesImageList(stream({0x83, 0x02, 0x01, 0x00}))) << "bytes after the picture";
  EXPECT_TRUE(RefusesImageList(stream({0x82}))) << "run value missing";
}

TEST(ImageListTest, RandomDamageNeverCrashes) {
  const std::vector<uint8_t> base = EncodeImageList(SampleImages());
  std::mt19937 rng(11);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> b = base;
    int flips = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < flips; ++k)
      b[rng() % std::min<size_t>(b.size(), 400)] = static_cast<uint8_t>(rng());
    std::vector<Image> out;
    if (DecodeImageList(b.data(), b.size(), out)) {
      for (const Image& img : out) {
        ASSERT_EQ(img.Pixels.size(), static_cast<size_t>(img.Width) * img.Height);
        ASSERT_TRUE(img.Alpha.empty() || img.Alpha.size() == img.Pixels.size());
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// RIFF WAVE.

std::vector<int16_t> Ramp(size_t n) {
  std::vector<int16_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<int16_t>(i * 1000 - 20000);
  return v;
}

TEST(RiffWaveTest, EncodeThenParse16BitMono) {
  const std::vector<int16_t> samples = Ramp(21);
  std::vector<uint8_t> wav = EncodeRiffWave(samples, 11000);
  ASSERT_EQ(wav.size(), 44u + 42);
  EXPECT_EQ(std::memcmp(wav.data(), "RIFF", 4), 0);
  SoundBuffer b;
  std::string error;
  ASSERT_TRUE(ParseWave(wav.data(), wav.size(), b, &error)) << error;
  EXPECT_EQ(b.Channels, 1);
  EXPECT_EQ(b.BitsPerSample, 16);
  EXPECT_EQ(b.SampleRate, 11000);
  EXPECT_EQ(b.Frequency, 11000);
  ASSERT_EQ(b.Data.size(), 42u);
  EXPECT_EQ(std::memcmp(b.Data.data(), samples.data(), 42), 0);  // little-endian host
}

TEST(RiffWaveTest, EightBitStereoWithOddDataIsPadded) {
  const std::vector<int16_t> samples = {-32768, 32767, 0, 256, 0};  // last value: half a frame
  std::vector<uint8_t> wav = EncodeRiffWave(samples, 22050, 2, 8);
  // 2 frames x 2 bytes = 4 data bytes.
  ASSERT_EQ(wav.size(), 44u + 4);
  SoundBuffer b;
  ASSERT_TRUE(ParseWave(wav.data(), wav.size(), b));
  EXPECT_EQ(b.Channels, 2);
  EXPECT_EQ(b.BitsPerSample, 8);
  EXPECT_EQ(b.Data, (std::vector<uint8_t>{0, 255, 128, 129}));
  // Mono 8-bit with an odd data size gets a pad byte after the chunk.
  std::vector<uint8_t> odd = EncodeRiffWave({1, 2, 3}, 8000, 1, 8);
  EXPECT_EQ(odd.size(), 44u + 3 + 1);
  ASSERT_TRUE(ParseWave(odd.data(), odd.size(), b));
  EXPECT_EQ(b.Data.size(), 3u);
}

// A WAVE file assembled from chunks.
std::vector<uint8_t> Riff(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& chunks,
                          bool pad = true) {
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const auto& [id, body] : chunks) {
    b.insert(b.end(), id.begin(), id.end());
    Put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) b.push_back(0);
  }
  return b;
}

std::vector<uint8_t> Fmt(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits) {
  std::vector<uint8_t> f;
  Put16(f, format);
  Put16(f, channels);
  Put32(f, rate);
  Put32(f, rate * channels * bits / 8);
  Put16(f, static_cast<uint16_t>(channels * bits / 8));
  Put16(f, bits);
  return f;
}

TEST(RiffWaveTest, UnknownChunksAreSkipped) {
  std::vector<uint8_t> wav = Riff({{"LIST", {1, 2, 3}},  // odd size, padded
                                   {"fmt ", Fmt(1, 1, 11025, 8)},
                                   {"fact", {0, 0, 0, 0}},
                                   {"data", {10, 20, 30}}});
  SoundBuffer b;
  std::string error;
  ASSERT_TRUE(ParseWave(wav.data(), wav.size(), b, &error)) << error;
  EXPECT_EQ(b.Data, (std::vector<uint8_t>{10, 20, 30}));
  EXPECT_EQ(b.SampleRate, 11025);
  // Taking over the file's bytes gives the same buffer.
  SoundBuffer taken;
  ASSERT_TRUE(ParseWave(std::vector<uint8_t>(wav), taken, &error)) << error;
  EXPECT_EQ(taken.Data, b.Data);
  EXPECT_EQ(taken.SampleRate, 11025);
  EXPECT_EQ(taken.BitsPerSample, 8);
  // A file that fails leaves the buffer as it was.
  std::vector<uint8_t> broken = Riff({{"fmt ", Fmt(3, 1, 11025, 32)}, {"data", {1, 2, 3, 4}}});
  EXPECT_FALSE(ParseWave(std::move(broken), taken, &error));
  EXPECT_EQ(taken.Data, b.Data);
}

TEST(RiffWaveTest, DataChunkClampedToWhatExists) {
  std::vector<uint8_t> wav = Riff({{"fmt ", Fmt(1, 1, 8000, 16)}, {"data", {1, 2, 3, 4, 5, 6}}});
  // Claim 1000 bytes of data; 6 exist.
  size_t sizeAt = wav.size() - 6 - 4;
  wav[sizeAt] = 0xE8, wav[sizeAt + 1] = 0x03;
  SoundBuffer b;
  ASSERT_TRUE(ParseWave(wav.data(), wav.size(), b));
  EXPECT_EQ(b.Data.size(), 6u);
  // Five bytes of 16-bit data: the half frame is dropped.
  wav.pop_back();
  ASSERT_TRUE(ParseWave(wav.data(), wav.size(), b));
  EXPECT_EQ(b.Data, (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(RiffWaveTest, ExtensiblePcmIsAccepted) {
  std::vector<uint8_t> fmt = Fmt(0xFFFE, 2, 44100, 16);
  Put16(fmt, 22);     // extension size
  Put16(fmt, 16);     // valid bits
  Put32(fmt, 3);      // channel mask
  Put16(fmt, 1);      // sub-format: PCM ...
  fmt.resize(40, 0);  // ... rest of the GUID
  std::vector<uint8_t> wav = Riff({{"fmt ", fmt}, {"data", {1, 2, 3, 4}}});
  SoundBuffer b;
  std::string error;
  ASSERT_TRUE(ParseWave(wav.data(), wav.size(), b, &error)) << error;
  EXPECT_EQ(b.Channels, 2);
}

TEST(RiffWaveTest, DamagedWavesAreRefusedAndLeaveTheBufferAlone) {
  auto refused = [](const std::vector<uint8_t>& wav, const char* what) {
    SoundBuffer b;
    b.Data = {99};
    b.SampleRate = 1234;
    std::string error;
    EXPECT_FALSE(ParseWave(wav.data(), wav.size(), b, &error)) << what;
    EXPECT_FALSE(error.empty()) << what;
    EXPECT_EQ(b.Data, std::vector<uint8_t>{99}) << what;
    EXPECT_EQ(b.SampleRate, 1234) << what;
  };
  const std::vector<uint8_t> good = EncodeRiffWave(Ramp(10), 11000);
  for (size_t n = 0; n < 44; ++n)
    refused(std::vector<uint8_t>(good.begin(), good.begin() + n), "cut inside the headers");
  refused(Patched(good, 8, {'X'}), "not WAVE");
  refused(Riff({{"data", {1, 2}}}), "no format chunk");
  refused(Riff({{"fmt ", Fmt(1, 1, 8000, 8)}}), "no data chunk");
  refused(Riff({{"fmt ", Fmt(3, 1, 8000, 32)}, {"data", {1, 2, 3, 4}}}), "float samples");
  refused(Riff({{"fmt ", Fmt(2, 1, 8000, 4)}, {"data", {1, 2}}}), "ADPCM");
  refused(Riff({{"fmt ", Fmt(1, 3, 8000, 16)}, {"data", {1, 2}}}), "three channels");
  refused(Riff({{"fmt ", Fmt(1, 0, 8000, 16)}, {"data", {1, 2}}}), "no channels");
  refused(Riff({{"fmt ", Fmt(1, 1, 8000, 24)}, {"data", {1, 2, 3}}}), "24-bit");
  refused(Riff({{"fmt ", Fmt(1, 1, 0, 16)}, {"data", {1, 2}}}), "rate 0");
  refused(Riff({{"fmt ", {1, 0, 1, 0}}, {"data", {1, 2}}}), "format chunk too small");
  // A huge unknown chunk jumps past the end: the format after it is never reached.
  const std::vector<uint8_t> jump =
      Riff({{"junk", {}}, {"fmt ", Fmt(1, 1, 8000, 8)}, {"data", {1}}});
  refused(Patched(jump, 16, {0xFF, 0xFF, 0xFF, 0xFF}), "chunk size past the end");
}

// ---------------------------------------------------------------------------------------------
// Wave lists.

std::vector<WaveListItem> SampleWaves() {
  return {{"Boom01", false, EncodeRiffWave(Ramp(100), 11000)},
          {"Melnic01", true, EncodeRiffWave(Ramp(33), 22050, 1, 8)},
          {"Stereo01", false, EncodeRiffWave(Ramp(8), 44100, 2, 16)}};
}

TEST(WaveListTest, RoundTripKeepsNamesLoopFlagsAndSound) {
  const std::vector<uint8_t> bytes = EncodeWaveList(SampleWaves());
  std::vector<Wave> waves;
  std::string error;
  ASSERT_TRUE(DecodeWaveList(bytes.data(), bytes.size(), waves, &error)) << error;
  ASSERT_EQ(waves.size(), 3u);
  EXPECT_EQ(waves[0].Name, "Boom01");
  EXPECT_FALSE(waves[0].Loop);
  EXPECT_EQ(waves[0].Buffer.Data.size(), 200u);
  EXPECT_EQ(waves[1].Name, "Melnic01");
  EXPECT_TRUE(waves[1].Loop);
  EXPECT_EQ(waves[1].Buffer.BitsPerSample, 8);
  EXPECT_EQ(waves[1].Buffer.SampleRate, 22050);
  EXPECT_EQ(waves[2].Buffer.Channels, 2);
  EXPECT_EQ(waves[2].Buffer.Data.size(), 16u);
}

TEST(WaveListTest, EmptyStreamIsAnEmptyList) {
  std::vector<Wave> waves(2);
  EXPECT_TRUE(DecodeWaveList(nullptr, 0, waves));
  EXPECT_TRUE(waves.empty());
}

TEST(WaveListTest, DamagedListsAreRefused) {
  const std::vector<uint8_t> bytes = EncodeWaveList(SampleWaves());
  auto refused = [](const std::vector<uint8_t>& b, const std::string& what) {
    std::vector<Wave> waves(1);
    waves[0].Name = "Keep";
    std::string error;
    EXPECT_FALSE(DecodeWaveList(b.data(), b.size(), waves, &error)) << what;
    ASSERT_EQ(waves.size(), 1u) << what;
    EXPECT_EQ(waves[0].Name, "Keep") << what;
  };
  for (size_t n = 1; n < bytes.size(); ++n)
    refused(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n), "prefix " + std::to_string(n));
  std::vector<uint8_t> b = bytes;
  b.push_back(1);
  refused(b, "stray byte");
  refused(Patched(bytes, 4, {0xFF, 0xFF, 0xFF, 0x7F}), "huge count");
  refused(Patched(bytes, 8 + 1 + 6, {4}), "unknown flag");
  refused(Patched(bytes, 8 + 1 + 6 + 1 + 4, {'X'}), "inner wave damaged");  // first wave's "RIFF"
  refused(Patched(bytes, 8 + 1 + 6 + 1 + 3, {0x80}), "wave size past the end");  // 2 GB
}

TEST(WaveListTest, RandomDamageNeverCrashes) {
  const std::vector<uint8_t> base = EncodeWaveList(SampleWaves());
  std::mt19937 rng(5);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> b = base;
    for (int k = 0; k < 3; ++k) b[rng() % b.size()] = static_cast<uint8_t>(rng());
    std::vector<Wave> waves;
    if (DecodeWaveList(b.data(), b.size(), waves)) {
      for (const Wave& w : waves) ASSERT_EQ(w.Buffer.Data.size() % w.Buffer.BlockAlign(), 0u);
    }
  }
}

}  // namespace
}  // namespace vepa
