// The software renderer: exact pixels for placement, clipping, mirroring, turning, blending,
// the alpha mask, the transparent colour, wave addition and the canvas shapes, and robustness
// against sizes and positions that could send a careless renderer out of its buffers.
#include "engine/render.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace vepa {
namespace {

constexpr uint16_t kBg = 0x1234;  // background of every test surface
constexpr uint16_t A = 0x0001, B = 0x0002, C = 0x0003, D = 0x0004, E = 0x0005, F = 0x0006;
constexpr uint16_t kWhite = 0xFFFF, kBlack = 0x0000, kRed = 0xF800, kBlue = 0x001F;
constexpr uint16_t kKey = 0xF81F;  // magenta, the transparent colour of the test pictures

uint16_t Rgb(int r5, int g6, int b5) { return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5); }

// A picture of the given texels, cut into patterns of pw x ph.
Image MakeImage(int width, int height, int pw, int ph, std::vector<uint16_t> pixels,
                bool transparent = true) {
  Image img = PatternedImage("Test01", width, height, pw, ph);
  img.Transparent = transparent;
  img.TransparentColor = kKey;
  img.Pixels = std::move(pixels);
  return img;
}

// The asymmetric 3 x 2 picture used by most cases:
//   A B C
//   D E F
Image Abc() { return MakeImage(3, 2, 3, 2, {A, B, C, D, E, F}); }

// One pattern of one colour.
Image Solid(int w, int h, uint16_t color) {
  return MakeImage(w, h, w, h, std::vector<uint16_t>(static_cast<size_t>(w) * h, color));
}

Surface Canvas(int w = 8, int h = 6) {
  Surface s(w, h);
  FillSurface(s, kBg);
  return s;
}

// The surface as text, one row per line, with the letters A..F for the test texels, '.' for the
// background and '#' for anything else, so a failing case shows the whole picture.
std::string Picture(const Surface& s) {
  std::string out;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const uint16_t p = s.At(x, y);
      out += p == kBg ? '.' : (p >= A && p <= F) ? static_cast<char>('A' + p - A) : '#';
    }
    out += '\n';
  }
  return out;
}

int CountNot(const Surface& s, uint16_t color) {
  int n = 0;
  for (uint16_t p : s.pixels) n += p != color;
  return n;
}

// --- Placement and clipping ---------------------------------------------------------------

TEST(RenderDrawPattern, CopiesThePatternAtItsTopLeft) {
  Surface s = Canvas();
  Image img = Abc();
  DrawPattern(s, &img, 0, 2, 1);
  EXPECT_EQ(Picture(s),
            "........\n"
            "..ABC...\n"
            "..DEF...\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST(RenderDrawPattern, ClipsAtEachEdge) {
  Image img = Abc();
  {
    Surface s = Canvas();
    DrawPattern(s, &img, 0, -1, -1);  // left and top
    EXPECT_EQ(Picture(s).substr(0, 9), "EF......\n");
    EXPECT_EQ(CountNot(s, kBg), 2);
  }
  {
    Surface s = Canvas();
    DrawPattern(s, &img, 0, 6, 5);  // right and bottom
    EXPECT_EQ(s.At(6, 5), A);
    EXPECT_EQ(s.At(7, 5), B);
    EXPECT_EQ(CountNot(s, kBg), 2);
  }
  {
    Surface s = Canvas();
    DrawPattern(s, &img, 0, -2, 4);  // only the right column, both rows
    EXPECT_EQ(s.At(0, 4), C);
    EXPECT_EQ(s.At(0, 5), F);
    EXPECT_EQ(CountNot(s, kBg), 2);
  }
  for (auto [x, y] : {std::pair{-3, 0},
                      {8, 0},
                      {0, -2},
                      {0, 6},
                      {INT_MIN, INT_MIN},
                      {INT_MAX, INT_MAX},
                      {INT_MAX, 0},
                      {0, INT_MIN}}) {
    Surface s = Canvas();
    DrawPattern(s, &img, 0, x, y);
    EXPECT_EQ(CountNot(s, kBg), 0) << x << "," << y;
  }
}

TEST(RenderDrawPattern, PicksPatternsAndRejectsBadOnes) {
  // Two 3 x 2 patterns side by side, a third row of patterns below: 6 x 4, patterns 0..3.
  std::vector<uint16_t> px(24);
  for (int i = 0; i < 24; ++i) px[i] = static_cast<uint16_t>(0x100 + (i / 6 / 2) * 2 + (i % 6) / 3);
  Image img = MakeImage(6, 4, 3, 2, px);
  for (int pattern = 0; pattern < 4; ++pattern) {
    Surface s = Canvas();
    DrawPattern(s, &img, pattern, 0, 0);
    EXPECT_EQ(s.At(0, 0), 0x100 + pattern);
    EXPECT_EQ(s.At(2, 1), 0x100 + pattern);
    EXPECT_EQ(CountNot(s, kBg), 6);
  }
  Surface s = Canvas();
  DrawPattern(s, &img, 4, 0, 0);
  DrawPattern(s, &img, -1, 0, 0);
  DrawPattern(s, &img, INT_MAX, 0, 0);
  DrawPattern(s, nullptr, 0, 0, 0);
  StretchPattern(s, &img, 4, Rect{0, 0, 4, 4});
  DrawPatternAlpha(s, &img, -1, Rect{0, 0, 4, 4}, 1000);
  DrawPatternRotated(s, &img, 9, 2, 2, 3, 2, 0, 0, 0);
  DrawPatternRotatedAlpha(s, nullptr, 0, 2, 2, 3, 2, 0, 0, 0, 255);
  DrawPatternWaveAdd(s, &img, 5, 0, 0, 3, 2, 1, 4, 0, 255);
  EXPECT_EQ(CountNot(s, kBg), 0);
}

TEST(RenderDrawPattern, DamagedPicturesDrawNothing) {
  Surface s = Canvas();
  Image shortPixels = Abc();
  shortPixels.Pixels.resize(5);
  Image shortMask = Abc();
  shortMask.Alpha.assign(3, 255);
  Image noPatterns = Abc();
  noPatterns.PatternWidth = 0;
  Image patternTooBig = Abc();
  patternTooBig.PatternWidth = 4;  // wider than the picture: no whole pattern
  Image negative = Abc();
  negative.Height = -2;
  for (const Image* img : {&shortPixels, &shortMask, &noPatterns, &patternTooBig, &negative}) {
    DrawPattern(s, img, 0, 0, 0);
    StretchPattern(s, img, 0, Rect{0, 0, 8, 6});
    DrawPatternRotated(s, img, 0, 4, 3, 3, 2, 0.5, 0.5, 10);
    DrawPatternWaveAdd(s, img, 0, 0, 0, 3, 2, 1, 4, 0, 255);
  }
  EXPECT_EQ(CountNot(s, kBg), 0);
  // A surface whose store does not match its size is left alone too.
  Surface broken;
  broken.width = 100;
  broken.height = 100;
  Image img = Abc();
  DrawPattern(broken, &img, 0, 0, 0);
  FillRectangle(broken, 0, 0, 10, 10, kWhite);
  FillEllipse(broken, 0, 0, 10, 10, kWhite);
  DrawLine(broken, 0, 0, 10, 10, kWhite);
  BlitSurface(broken, 0, 0, s, Rect{0, 0, 8, 6});
  EXPECT_TRUE(broken.pixels.empty());
}

// --- Transparency and the alpha mask ------------------------------------------------------

TEST(RenderTransparency, KeyColourIsSkippedByEveryPatternDraw) {
  Image img = MakeImage(2, 2, 2, 2, {A, kKey, kKey, D});
  auto check = [](const Surface& s, const char* what) {
    EXPECT_EQ(s.At(1, 0), kBg) << what;
    EXPECT_EQ(s.At(0, 1), kBg) << what;
    EXPECT_EQ(CountNot(s, kBg), 2) << what;
  };
  Surface s1 = Canvas();
  DrawPattern(s1, &img, 0, 0, 0);
  check(s1, "DrawPattern");
  Surface s2 = Canvas();
  StretchPattern(s2, &img, 0, Rect{0, 0, 2, 2});
  check(s2, "StretchPattern");
  Surface s3 = Canvas();
  DrawPatternAlpha(s3, &img, 0, Rect{0, 0, 2, 2}, 128);
  check(s3, "DrawPatternAlpha");
  Surface s4 = Canvas();
  DrawPatternRotated(s4, &img, 0, 0, 0, 2, 2, 0, 0, 0);
  check(s4, "DrawPatternRotated");
  Surface s5 = Canvas();
  DrawPatternRotatedAlpha(s5, &img, 0, 0, 0, 2, 2, 0, 0, 0, 100);
  check(s5, "DrawPatternRotatedAlpha");
  Surface s6 = Canvas();
  DrawPatternWaveAdd(s6, &img, 0, 0, 0, 2, 2, 0, 4, 0, 255);
  check(s6, "DrawPatternWaveAdd");

  // Without the transparent flag the key colour is an ordinary colour.
  img.Transparent = false;
  Surface s7 = Canvas();
  DrawPattern(s7, &img, 0, 0, 0);
  EXPECT_EQ(s7.At(1, 0), kKey);
  EXPECT_EQ(s7.At(0, 1), kKey);
}

TEST(RenderAlphaMask, BlendsEachTexelByItsMask) {
  // White texels over black, mask 255, 128, 0, 64; the last texel is the transparent colour
  // with a full mask and stays skipped.
  Image img = MakeImage(5, 1, 5, 1, {kWhite, kWhite, kWhite, kWhite, kKey});
  img.Alpha = {255, 128, 0, 64, 255};
  Surface s(5, 1);
  FillSurface(s, kBlack);
  DrawPattern(s, &img, 0, 0, 0);
  EXPECT_EQ(s.At(0, 0), kWhite);
  // 31 * 128 / 255 = 15.56 -> 16, 63 * 128 / 255 = 31.62 -> 32.
  EXPECT_EQ(s.At(1, 0), Rgb(16, 32, 16));
  EXPECT_EQ(s.At(2, 0), kBlack);
  // 31 * 64 / 255 = 7.78 -> 8, 63 * 64 / 255 = 15.81 -> 16.
  EXPECT_EQ(s.At(3, 0), Rgb(8, 16, 8));
  EXPECT_EQ(s.At(4, 0), kBlack);

  // With a global alpha of 128 the mask 128 becomes 128 * 128 / 255 = 64.25 -> 64,
  // the same as a mask of 64 alone.
  FillSurface(s, kBlack);
  DrawPatternAlpha(s, &img, 0, Rect{0, 0, 5, 1}, 128);
  EXPECT_EQ(s.At(0, 0), Rgb(16, 32, 16));
  EXPECT_EQ(s.At(1, 0), Rgb(8, 16, 8));
  EXPECT_EQ(s.At(2, 0), kBlack);
  // mask 64 * 128 / 255 = 32.1 -> 32: 31 * 32 / 255 = 3.89 -> 4, 63 * 32 / 255 = 7.9 -> 8.
  EXPECT_EQ(s.At(3, 0), Rgb(4, 8, 4));

  // The rotated draw and the stretched draw honour the mask the same way.
  FillSurface(s, kBlack);
  DrawPatternRotated(s, &img, 0, 0, 0, 5, 1, 0, 0, 0);
  EXPECT_EQ(s.At(1, 0), Rgb(16, 32, 16));
  EXPECT_EQ(s.At(2, 0), kBlack);
  FillSurface(s, kBlack);
  StretchPattern(s, &img, 0, Rect{0, 0, 5, 1});
  EXPECT_EQ(s.At(3, 0), Rgb(8, 16, 8));
}

// Rows wide enough for the vector code, whose masks hold long runs of fully transparent and
// fully opaque texels (the shortcuts), the values at the edges of those shortcuts (2, 3, 252,
// 253) and random values, with keyed texels among them: every pixel must match the per-texel
// formula, for the mask alone and for the mask under a global alpha, on either vector width.
TEST(RenderAlphaMask, WideRowsMatchThePerTexelFormula) {
  constexpr int kW = 77, kH = 4;
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  std::vector<uint16_t> pixels(kW * kH);
  std::vector<uint8_t> mask(kW * kH);
  const uint8_t runValues[] = {0, 255, 1, 2, 3, 252, 253, 254};
  for (size_t i = 0; i < pixels.size();) {
    const size_t run = 1 + next() % 20;
    const bool random = next() % 3 == 0;
    const uint8_t value = runValues[next() % 8];
    for (size_t k = 0; k < run && i < pixels.size(); ++k, ++i) {
      pixels[i] = next() % 9 == 0 ? kKey : static_cast<uint16_t>(next());
      mask[i] = random ? static_cast<uint8_t>(next()) : value;
    }
  }
  Image img = MakeImage(kW, kH, kW, kH, pixels);
  img.Alpha = mask;
  auto blend = [](uint16_t src, uint16_t dst, uint32_t a) {
    auto channel = [&](int shift, uint32_t max) {
      const uint32_t sc = (src >> shift) & max, dc = (dst >> shift) & max;
      return ((sc * a + dc * (255 - a)) * 2 + 255) / 510 << shift;
    };
    return static_cast<uint16_t>(channel(11, 31) | channel(5, 63) | channel(0, 31));
  };
  for (int variant = 0; variant < 4; ++variant) {
    const int alpha = variant % 2 == 0 ? 255 : 130;
    // The AVX2 code (where the processor has it) and the SSE2 code.
    UseWideVectors(variant < 2);
    Surface s(kW + 3, kH);
    for (uint16_t& p : s.pixels) p = static_cast<uint16_t>(next());
    const Surface before = s;
    DrawPatternAlpha(s, &img, 0, Rect{2, 0, 2 + kW, kH}, alpha);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const size_t i = static_cast<size_t>(y) * kW + x;
        const uint16_t d = before.At(x + 2, y);
        uint16_t want = d;
        if (pixels[i] != kKey) {
          const uint32_t e = alpha >= 255 ? mask[i] : (mask[i] * alpha * 2 + 255) / 510;
          want = blend(pixels[i], d, e);
        }
        ASSERT_EQ(s.At(x + 2, y), want)
            << "alpha " << alpha << " at " << x << "," << y << " mask " << int(mask[i]);
      }
      EXPECT_EQ(s.At(0, y), before.At(0, y));
      EXPECT_EQ(s.At(kW + 2, y), before.At(kW + 2, y));
    }
  }
  // Without a mask the opaque texels are copied and the keyed ones skipped.
  Image keyedOnly = MakeImage(kW, kH, kW, kH, pixels);
  for (bool wide : {true, false}) {
    UseWideVectors(wide);
    Surface s(kW, kH);
    for (uint16_t& p : s.pixels) p = static_cast<uint16_t>(next());
    const Surface before = s;
    DrawPattern(s, &keyedOnly, 0, 0, 0);
    for (size_t i = 0; i < pixels.size(); ++i)
      ASSERT_EQ(s.pixels[i], pixels[i] == kKey ? before.pixels[i] : pixels[i]) << i;
  }
  UseWideVectors(true);
}

// --- Blending -----------------------------------------------------------------------------

TEST(RenderAlpha, BlendValuesInRgb565) {
  struct Case {
    uint16_t src, dst;
    int alpha;
    uint16_t expected;
  };
  const uint16_t mid = Rgb(20, 40, 10), other = Rgb(4, 10, 30);
  const Case cases[] = {
      {kWhite, kBlack, 0, kBlack},
      {kWhite, kBlack, -7, kBlack},
      {kWhite, kBlack, 1, kBlack},  // 63 * 1 / 255 = 0.25 -> 0
      {kWhite, kBlack, 2, kBlack},
      {kWhite, kBlack, 3, Rgb(0, 1, 0)},  // 63 * 3 / 255 = 0.74 -> 1, 31 * 3 / 255 = 0.36 -> 0
      {kWhite, kBlack, 128, Rgb(16, 32, 16)},
      {kRed, kBlue, 128, Rgb(16, 0, 15)},      // blue keeps 31 * 127 / 255 = 15.44 -> 15
      {mid, other, 100, Rgb(10, 22, 22)},      // (20*100+4*155)/255 = 10.27, 21.76, 22.16
      {kWhite, kBlack, 252, Rgb(31, 62, 31)},  // 63 * 252 / 255 = 62.26 -> 62
      {kWhite, kBlack, 254, kWhite},
      {kBlack, kWhite, 254, kBlack},
      {kWhite, kBlack, 255, kWhite},
      {kWhite, kBlack, 1000, kWhite},
      {mid, other, 254, mid},
  };
  for (const Case& c : cases) {
    Image img = MakeImage(1, 1, 1, 1, {c.src}, false);
    Surface s(4, 2);
    FillSurface(s, c.dst);
    DrawPatternAlpha(s, &img, 0, Rect{1, 0, 3, 2}, c.alpha);
    EXPECT_EQ(s.At(1, 0), c.expected) << "alpha " << c.alpha << " src " << c.src;
    EXPECT_EQ(s.At(2, 1), c.expected) << "alpha " << c.alpha << " src " << c.src;
    EXPECT_EQ(s.At(0, 0), c.dst);
    EXPECT_EQ(s.At(3, 1), c.dst);
    // The rotated blend gives the same values.
    Surface r(4, 2);
    FillSurface(r, c.dst);
    DrawPatternRotatedAlpha(r, &img, 0, 1, 0, 2, 2, 0, 0, 0, c.alpha);
    EXPECT_EQ(r.At(1, 0), c.expected) << "rotated, alpha " << c.alpha;
    EXPECT_EQ(r.At(3, 1), c.dst);
  }
}

// --- Stretching and mirroring -------------------------------------------------------------

TEST(RenderStretch, ScalesUpAndDownByTexelCentres) {
  Image img = MakeImage(2, 2, 2, 2, {A, B, C, D});
  Surface s = Canvas();
  StretchPattern(s, &img, 0, Rect{1, 1, 5, 5});
  EXPECT_EQ(Picture(s),
            "........\n"
            ".AABB...\n"
            ".AABB...\n"
            ".CCDD...\n"
            ".CCDD...\n"
            "........\n");

  // A mild shrink (at most 1.5) still samples: 4 x 4 down to 3 x 3 takes texels 0, 2 and 3 of
  // each axis, floor((2k + 1) * 4 / 6). (Stronger shrinks average: render_shrink_test.cpp.)
  std::vector<uint16_t> px(16);
  for (int i = 0; i < 16; ++i) px[i] = static_cast<uint16_t>(0x200 + i);
  Image big = MakeImage(4, 4, 4, 4, px);
  Surface t = Canvas();
  StretchPattern(t, &big, 0, Rect{0, 0, 3, 3});
  EXPECT_EQ(t.At(0, 0), 0x200 + 0);
  EXPECT_EQ(t.At(1, 0), 0x200 + 2);
  EXPECT_EQ(t.At(2, 0), 0x200 + 3);
  EXPECT_EQ(t.At(0, 1), 0x200 + 8);
  EXPECT_EQ(t.At(2, 2), 0x200 + 15);
  EXPECT_EQ(CountNot(t, kBg), 9);

  // 3 texels over 2 cells (exactly 1.5): floor(3/4) = 0 and floor(9/4) = 2.
  Image abc = Abc();
  Surface u = Canvas();
  StretchPattern(u, &abc, 0, Rect{0, 0, 2, 2});
  EXPECT_EQ(Picture(u).substr(0, 18), "AC......\nDF......\n");
}

TEST(RenderStretch, ReversedRectanglesMirror) {
  Image img = Abc();
  Surface s = Canvas();
  StretchPattern(s, &img, 0, Rect{5, 0, 2, 2});  // Right < Left: columns 2..4 mirrored
  StretchPattern(s, &img, 0, Rect{0, 5, 3, 3});  // Bottom < Top: rows 3..4 mirrored
  EXPECT_EQ(Picture(s),
            "..CBA...\n"
            "..FED...\n"
            "........\n"
            "DEF.....\n"
            "ABC.....\n"
            "........\n");
  Surface t = Canvas();
  DrawPatternAlpha(t, &img, 0, Rect{8, 6, 5, 4}, 1000);  // both, clipped at nothing
  EXPECT_EQ(Picture(t).substr(27), "........\n.....FED\n.....CBA\n");
  // A mirrored rectangle cut by the left edge keeps the texels that belong there.
  Surface u = Canvas();
  // Covers -2..0 with columns C B A (F E D below): only A and D show.
  StretchPattern(u, &img, 0, Rect{1, 0, -2, 2});
  EXPECT_EQ(Picture(u).substr(0, 18), "A.......\nD.......\n");
  EXPECT_EQ(CountNot(u, kBg), 2);
}

TEST(RenderStretch, EmptyAndHugeRectangles) {
  Image img = Abc();
  Surface s = Canvas();
  StretchPattern(s, &img, 0, Rect{2, 2, 2, 5});
  StretchPattern(s, &img, 0, Rect{2, 2, 5, 2});
  DrawPatternAlpha(s, &img, 0, Rect{0, 0, 0, 0}, 255);
  EXPECT_EQ(CountNot(s, kBg), 0);
  // Stretched over the whole int range, the screen sits at the picture's middle: column
  // texel floor((2k + 1) * 3 / (2 (2^32 - 1))) = 1 and row texel 1 everywhere, that is E.
  StretchPattern(s, &img, 0, Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(CountNot(s, E), 0);
  Surface t = Canvas();
  DrawPatternAlpha(t, &img, 0, Rect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 255);  // mirrored
  EXPECT_EQ(CountNot(t, B), 0);  // mirrored: columns 3-1-1 = 1 (B), rows 2-1-1 = 0
}

// --- Turning ------------------------------------------------------------------------------

TEST(RenderRotated, AngleZeroMatchesThePlainAndStretchedDraws) {
  Image img = Abc();
  Surface plain = Canvas(), turned = Canvas();
  DrawPattern(plain, &img, 0, 3, 2);
  DrawPatternRotated(turned, &img, 0, 3, 2, 3, 2, 0, 0, 0);
  EXPECT_EQ(Picture(turned), Picture(plain));
  Surface stretched = Canvas(12, 8), scaled = Canvas(12, 8);
  StretchPattern(stretched, &img, 0, Rect{1, 1, 10, 7});
  DrawPatternRotated(scaled, &img, 0, 1, 1, 9, 6, 0, 0, 256);  // a whole turn is angle 0
  EXPECT_EQ(Picture(scaled), Picture(stretched));
  // The centre point goes to the anchor: centre (1/3, 1/2) of 3 x 2 is texel corner (1, 1).
  Surface centred = Canvas();
  DrawPatternRotated(centred, &img, 0, 4, 3, 3, 2, 1.0 / 3.0, 0.5, 0);
  EXPECT_EQ(centred.At(3, 2), A);
  EXPECT_EQ(centred.At(5, 3), F);
  EXPECT_EQ(CountNot(centred, kBg), 6);
}

TEST(RenderRotated, QuarterTurnIsClockwise) {
  // Angle 64 turns the picture's right to point down: the top row A B C becomes the right
  // column read downwards, and with the turning point at the top-left corner the picture ends
  // just left of the anchor.
  Image img = Abc();
  Surface s = Canvas();
  DrawPatternRotated(s, &img, 0, 5, 1, 3, 2, 0, 0, 64);
  EXPECT_EQ(Picture(s),
            "........\n"
            "...DA...\n"
            "...EB...\n"
            "...FC...\n"
            "........\n"
            "........\n");
  // -64 turns the other way: the right points up, the picture lies above the anchor.
  Surface t = Canvas();
  DrawPatternRotated(t, &img, 0, 2, 4, 3, 2, 0, 0, -64);
  EXPECT_EQ(Picture(t),
            "........\n"
            "..CF....\n"
            "..BE....\n"
            "..AD....\n"
            "........\n"
            "........\n");
  // A half turn about the picture's own centre.
  Surface u = Canvas();
  DrawPatternRotated(u, &img, 0, 4, 3, 3, 2, 0.5, 0.5, 128);
  EXPECT_EQ(Picture(u),
            "........\n"
            "........\n"
            "...FED..\n"
            "...CBA..\n"
            "........\n"
            "........\n");
  // A 2 x 2 picture turned about its centre stays in place.
  Image sq = MakeImage(2, 2, 2, 2, {A, B, C, D});
  Surface v = Canvas();
  DrawPatternRotated(v, &sq, 0, 4, 3, 2, 2, 0.5, 0.5, 64);
  EXPECT_EQ(Picture(v).substr(18, 18), "...CA...\n...DB...\n");
}

TEST(RenderRotated, NegativeSizesMirrorAboutTheAnchor) {
  Image img = Abc();
  Surface s = Canvas();
  DrawPatternRotated(s, &img, 0, 5, 0, -3, 2, 0, 0, 0);  // extends left of x = 5
  DrawPatternRotated(s, &img, 0, 3, 6, 3, -2, 0, 0, 0);  // extends above y = 6
  EXPECT_EQ(Picture(s),
            "..CBA...\n"
            "..FED...\n"
            "........\n"
            "........\n"
            "...DEF..\n"
            "...ABC..\n");
  // Mirrored both ways about the anchor is the half turn about it.
  Surface both = Canvas(), half = Canvas();
  DrawPatternRotated(both, &img, 0, 5, 4, -3, -2, 0, 0, 0);
  DrawPatternRotated(half, &img, 0, 5, 4, 3, 2, 0, 0, 128);
  EXPECT_EQ(Picture(both), Picture(half));
  EXPECT_EQ(CountNot(both, kBg), 6);
  // Mirrored left to right, then turned by a quarter: the picture now extends up from the
  // anchor row instead of down, read from the anchor outwards.
  Surface m = Canvas();
  DrawPatternRotated(m, &img, 0, 5, 3, -3, 2, 0, 0, 64);
  EXPECT_EQ(Picture(m),
            "...FC...\n"
            "...EB...\n"
            "...DA...\n"
            "........\n"
            "........\n"
            "........\n");
}

TEST(RenderRotated, ClipsAtEachEdge) {
  Image img = Abc();
  // Left: the quarter-turned picture occupies columns x - 2 and x - 1.
  Surface s = Canvas();
  DrawPatternRotated(s, &img, 0, 1, 2, 3, 2, 0, 0, 64);
  EXPECT_EQ(s.At(0, 2), A);
  EXPECT_EQ(s.At(0, 4), C);
  EXPECT_EQ(CountNot(s, kBg), 3);
  // Right and bottom.
  Surface t = Canvas();
  DrawPatternRotated(t, &img, 0, 7, 5, 3, 2, 0, 0, 0);
  EXPECT_EQ(t.At(7, 5), A);
  EXPECT_EQ(CountNot(t, kBg), 1);
  // Top.
  Surface u = Canvas();
  DrawPatternRotated(u, &img, 0, 2, -1, 3, 2, 0, 0, 0);
  EXPECT_EQ(Picture(u).substr(0, 9), "..DEF...\n");
  EXPECT_EQ(CountNot(u, kBg), 3);
}

TEST(RenderRotated, SlantedTurnsCoverTheirArea) {
  // A 10 x 10 square turned by 1/8 turn about its centre, placed on a pixel corner: a diamond
  // whose rows hold 2, 4, ... 14, 14, ... 2 pixel centres, symmetric about the anchor.
  Image sq = Solid(10, 10, A);
  Surface s = Canvas(40, 40);
  DrawPatternRotated(s, &sq, 0, 20, 20, 10, 10, 0.5, 0.5, 32);
  for (int y = 0; y < 40; ++y) {
    const int half = y < 13 || y > 26 ? 0 : y < 20 ? y - 12 : 27 - y;
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 20 - half && x < 20 + half;
      EXPECT_EQ(s.At(x, y), inside ? A : kBg) << x << "," << y;
    }
  }
}

// Every pixel against the turning written out in floating point: the pixel centre taken back
// through the turn and the scale must land on the texel drawn there. Pixels whose centre falls
// within a thousandth of a texel of an edge may go either way and are not compared.
TEST(RenderRotated, MatchesTheTurningFormulaAtEveryPixel) {
  std::vector<uint16_t> px(7 * 5);
  for (int i = 0; i < 35; ++i) px[i] = static_cast<uint16_t>(0x300 + i);
  Image img = MakeImage(7, 5, 7, 5, px, false);
  struct Case {
    int x, y, w, h;
    double cx, cy;
    int angle;
  };
  const Case cases[] = {{30, 20, 7, 5, 0, 0, 10},
                        {30, 20, 21, 15, 0.5, 0.5, 45},
                        {25, 25, -14, 9, 0.3, 0.8, 100},
                        {31, 19, 13, -22, 1, 0, 200},
                        {5, 40, 30, 6, 0.5, 0.5, 250},
                        {33, 21, 4, 3, 0.25, 0.75, 64},
                        {30, 30, -7, -5, 0.5, 0.5, 77},
                        {-3, 2, 40, 40, 0, 0, 30},
                        // Unturned and unscaled: anchored on a pixel corner, or between pixels.
                        {30, 20, 7, 5, 0, 0, 0},
                        {40, 30, 7, 5, 1, 1, 256},
                        {-2, 47, 7, 5, 0, 0.4, -512},
                        {30, 20, 7, 5, 0.3, 0.25, 0}};
  for (const Case& c : cases) {
    Surface s(60, 50);
    FillSurface(s, kBg);
    DrawPatternRotated(s, &img, 0, c.x, c.y, c.w, c.h, c.cx, c.cy, c.angle);
    const double turn = c.angle * 2.0 * 3.14159265358979323846 / 256.0;
    const double cs = std::cos(turn), sn = std::sin(turn);
    int compared = 0;
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 60; ++x) {
        const double u = x + 0.5 - c.x, v = y + 0.5 - c.y;
        const double X = u * cs + v * sn, Y = -u * sn + v * cs;  // undo the clockwise turn
        const double tx = (X / c.w + c.cx) * 7, ty = (Y / c.h + c.cy) * 5;
        const double nearEdge =
            std::min(std::abs(tx - std::round(tx)), std::abs(ty - std::round(ty)));
        if (nearEdge < 1e-3) continue;
        ++compared;
        const bool inside = tx >= 0 && tx < 7 && ty >= 0 && ty < 5;
        const uint16_t want =
            inside ? static_cast<uint16_t>(0x300 + static_cast<int>(ty) * 7 + static_cast<int>(tx))
                   : kBg;
        ASSERT_EQ(s.At(x, y), want)
            << "angle " << c.angle << " size " << c.w << "x" << c.h << " at " << x << "," << y;
      }
    }
    EXPECT_GT(compared, 2500);
  }
}

TEST(RenderRotated, DegenerateArgumentsAreSafe) {
  Image img = Abc();
  Surface s = Canvas();
  DrawPatternRotated(s, &img, 0, 4, 3, 0, 2, 0, 0, 10);
  DrawPatternRotated(s, &img, 0, 4, 3, 3, 0, 0, 0, 10);
  DrawPatternRotated(s, &img, 0, 4, 3, 3, 2, std::nan(""), 0, 10);
  DrawPatternRotated(s, &img, 0, 4, 3, 3, 2, 0, INFINITY, 10);
  DrawPatternRotated(s, &img, 0, 4, 3, 3, 2, 1e300, -1e300, 10);
  DrawPatternRotated(s, &img, 0, INT_MIN, INT_MAX, 3, 2, 0, 0, INT_MIN);
  EXPECT_EQ(CountNot(s, kBg), 0);
  // Angles wrap at whole turns from any int: INT_MAX is 255 (mod 256), INT_MIN is 0.
  Surface p1 = Canvas(), p2 = Canvas(), p3 = Canvas(), p4 = Canvas();
  DrawPatternRotated(p1, &img, 0, 4, 3, 3, 2, 0.5, 0.5, INT_MAX);
  DrawPatternRotated(p2, &img, 0, 4, 3, 3, 2, 0.5, 0.5, -1);
  DrawPatternRotated(p3, &img, 0, 4, 3, 3, 2, 0.5, 0.5, INT_MIN);
  DrawPatternRotated(p4, &img, 0, 4, 3, 3, 2, 0.5, 0.5, 0);
  EXPECT_EQ(Picture(p1), Picture(p2));
  EXPECT_EQ(Picture(p3), Picture(p4));
  EXPECT_EQ(CountNot(p4, kBg), 6);
  // Scaled beyond the screen in every direction, the screen sees the centre texel only.
  Image nine = MakeImage(3, 3, 3, 3, {A, A, A, A, E, A, A, A, A});
  for (int angle : {0, 17, 64, 100, 200}) {
    Surface t = Canvas();
    DrawPatternRotated(t, &nine, 0, 4, 3, 1 << 30, 1 << 30, 0.5, 0.5, angle);
    EXPECT_EQ(CountNot(t, E), 0) << angle;
    Surface u = Canvas();
    DrawPatternRotated(u, &nine, 0, 4, 3, INT_MIN, INT_MAX, 0.5, 0.5, angle);
    EXPECT_EQ(CountNot(u, E), 0) << angle;
  }
  // A tiny size of a large picture still reads inside the picture.
  Image big = Solid(300, 200, B);
  Surface v = Canvas();
  DrawPatternRotated(v, &big, 0, 4, 3, 1, 1, 0, 0, 37);
  DrawPatternRotated(v, &big, 0, 4, 3, -1, 1, 1, 1, 211);
  EXPECT_LE(CountNot(v, kBg), 2);
  for (uint16_t p : v.pixels) EXPECT_TRUE(p == kBg || p == B);
}

// --- Wave addition ------------------------------------------------------------------------

TEST(RenderWaveAdd, ShiftsRowsAlongTheSine) {
  // Amplitude 3, length 4: row r moves by round(3 sin(2 pi r / 4)) = 0, 3, 0, -3.
  Image img = Solid(2, 4, Rgb(1, 1, 1));
  Surface s(12, 4);
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, 5, 0, 2, 4, 3, 4, 0, 255);
  auto row = [&](int y) {
    std::string out;
    for (int x = 0; x < s.width; ++x) out += s.At(x, y) == kBlack ? '.' : 'x';
    return out;
  };
  EXPECT_EQ(row(0), ".....xx.....");
  EXPECT_EQ(row(1), "........xx..");
  EXPECT_EQ(row(2), ".....xx.....");
  EXPECT_EQ(row(3), "..xx........");
  // Phase 64 is a quarter of the wave further: 3, 0, -3, 0.
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, 5, 0, 2, 4, 3, 4, 64, 255);
  EXPECT_EQ(row(0), "........xx..");
  EXPECT_EQ(row(1), ".....xx.....");
  EXPECT_EQ(row(2), "..xx........");
  EXPECT_EQ(row(3), ".....xx.....");
  // Length 0 has no wave: nothing moves.
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, 5, 0, 2, 4, 3, 0, 64, 255);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(row(y), ".....xx.....") << y;
  // Shifted rows clip at both sides.
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, -1, 0, 3, 4, 10, 4, 0, 255);  // shifts 0, 10, 0, -10
  EXPECT_EQ(row(0), "xx..........");
  EXPECT_EQ(row(1), ".........xxx");
  EXPECT_EQ(row(3), "............");
  // A huge amplitude throws rows 1 and 3 off the surface; rows 0 and 2 stay
  // (sin 0 and sin pi, the latter a rounding error away from 0).
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, 5, 0, 2, 4, INT_MAX, 4, 0, 255);
  EXPECT_EQ(row(0), ".....xx.....");
  EXPECT_EQ(row(1), "............");
  EXPECT_EQ(row(2), ".....xx.....");
  EXPECT_EQ(row(3), "............");
}

TEST(RenderWaveAdd, AddsWithSaturation) {
  Image img = MakeImage(4, 1, 4, 1, {kWhite, Rgb(20, 40, 20), Rgb(1, 2, 3), kKey});
  Surface s(4, 1);
  FillSurface(s, Rgb(20, 40, 20));
  DrawPatternWaveAdd(s, &img, 0, 0, 0, 4, 1, 5, 7, 0, 255);  // row 0: sin 0, no shift
  EXPECT_EQ(s.At(0, 0), kWhite);                             // saturated in every channel
  EXPECT_EQ(s.At(1, 0), Rgb(31, 63, 31));                    // 40 + 40 > 31 and 80 > 63
  EXPECT_EQ(s.At(2, 0), Rgb(21, 42, 23));                    // plain sum
  EXPECT_EQ(s.At(3, 0), Rgb(20, 40, 20));                    // transparent colour skipped
  // Alpha 128: white adds round(31 * 128 / 255) = 16 and round(63 * 128 / 255) = 32.
  FillSurface(s, Rgb(4, 8, 4));
  DrawPatternWaveAdd(s, &img, 0, 0, 0, 4, 1, 0, 7, 0, 128);
  EXPECT_EQ(s.At(0, 0), Rgb(20, 40, 20));
  // (20, 40, 20) * 128 / 255 = (10.04, 20.08, 10.04) -> (10, 20, 10).
  EXPECT_EQ(s.At(1, 0), Rgb(14, 28, 14));
  // Alpha 0 adds nothing, alpha 1000 is plain addition.
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, 0, 0, 4, 1, 0, 7, 0, 0);
  EXPECT_EQ(CountNot(s, kBlack), 0);
  DrawPatternWaveAdd(s, &img, 0, 0, 0, 4, 1, 0, 7, 0, 1000);
  EXPECT_EQ(s.At(2, 0), Rgb(1, 2, 3));
  // With a mask: mask 128 at alpha 255 adds like alpha 128.
  img.Alpha = {128, 0, 255, 255};
  FillSurface(s, Rgb(4, 8, 4));
  DrawPatternWaveAdd(s, &img, 0, 0, 0, 4, 1, 0, 7, 0, 255);
  EXPECT_EQ(s.At(0, 0), Rgb(20, 40, 20));
  EXPECT_EQ(s.At(1, 0), Rgb(4, 8, 4));
  EXPECT_EQ(s.At(2, 0), Rgb(5, 10, 7));
}

TEST(RenderWaveAdd, ScalesIntoItsRectangle) {
  Image img = MakeImage(2, 2, 2, 2, {Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(3, 0, 0), Rgb(4, 0, 0)});
  Surface s(6, 4);
  FillSurface(s, kBlack);
  DrawPatternWaveAdd(s, &img, 0, 1, 0, 4, 4, 0, 4, 0, 255);
  const uint16_t expected[4][6] = {
      {0, 1, 1, 2, 2, 0}, {0, 1, 1, 2, 2, 0}, {0, 3, 3, 4, 4, 0}, {0, 3, 3, 4, 4, 0}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(s.At(x, y) >> 11, expected[y][x]) << x << "," << y;
  // Empty or negative sizes draw nothing.
  Surface t = Canvas();
  DrawPatternWaveAdd(t, &img, 0, 1, 1, 0, 4, 0, 4, 0, 255);
  DrawPatternWaveAdd(t, &img, 0, 1, 1, 4, -4, 0, 4, 0, 255);
  DrawPatternWaveAdd(t, &img, 0, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MIN, -1, INT_MIN, 255);
  EXPECT_EQ(CountNot(t, kBg), 0);
  // Sizes and amplitudes at the ends of the int range stay on the surface.
  DrawPatternWaveAdd(t, &img, 0, INT_MIN, 0, INT_MAX, INT_MAX, INT_MIN, -1, INT_MIN, 255);
  DrawPatternWaveAdd(t, &img, 0, -5, -2, INT_MAX, 3, INT_MAX, 3, 7, 100);
  DrawPatternWaveAdd(t, &img, 0, 0, 0, 8, 6, 1 << 20, 1, 0, 255);
}

// --- Canvas -------------------------------------------------------------------------------

TEST(RenderCanvas, RectangleExcludesRightAndBottom) {
  Surface s = Canvas();
  FillRectangle(s, 1, 1, 4, 3, A);
  FillRectangle(s, 7, 5, 5, 4, B);  // corners in any order
  FillRectangle(s, 2, 4, 2, 6, C);  // zero width: nothing
  EXPECT_EQ(Picture(s),
            "........\n"
            ".AAA....\n"
            ".AAA....\n"
            "........\n"
            ".....BB.\n"
            "........\n");
  FillRectangle(s, INT_MIN, INT_MIN, INT_MAX, INT_MAX, D);
  EXPECT_EQ(CountNot(s, D), 0);
  FillRectangle(s, -5, -5, 1, 1, E);  // clipped at the top-left
  FillRectangle(s, 7, 5, 100, 100, F);
  EXPECT_EQ(s.At(0, 0), E);
  EXPECT_EQ(s.At(7, 5), F);
  EXPECT_EQ(CountNot(s, D), 2);
  FillSurface(s, kBg);
  EXPECT_EQ(CountNot(s, kBg), 0);
}

TEST(RenderCanvas, EllipseIsInscribedWithExclusiveEdges) {
  Surface s = Canvas();
  FillEllipse(s, 2, 1, 6, 5, A);  // a 4 x 4 circle
  EXPECT_EQ(Picture(s),
            "........\n"
            "...AA...\n"
            "..AAAA..\n"
            "..AAAA..\n"
            "...AA...\n"
            "........\n");
  Surface t = Canvas();
  FillEllipse(t, 8, 4, 0, 0, B);  // an 8 x 4 ellipse given corner-swapped
  EXPECT_EQ(Picture(t),
            ".BBBBBB.\n"
            "BBBBBBBB\n"
            "BBBBBBBB\n"
            ".BBBBBB.\n"
            "........\n"
            "........\n");
  Surface u = Canvas();
  FillEllipse(u, 3, 3, 3, 5, A);
  FillEllipse(u, INT_MIN, 0, INT_MIN, 4, A);
  EXPECT_EQ(CountNot(u, kBg), 0);
  FillEllipse(u, INT_MIN, INT_MIN, INT_MAX, INT_MAX, C);  // the middle of a huge ellipse
  EXPECT_EQ(CountNot(u, C), 0);
}

TEST(RenderCanvas, TransitionCircleIsRoundAndSymmetric) {
  // The closing circle at progress p: (320 - p, 240 - p)-(320 + p, 240 + p).
  for (int p : {80, 200, 240}) {
    Surface s(640, 480);
    FillSurface(s, kWhite);
    FillEllipse(s, 320 - p, 240 - p, 320 + p, 240 + p, kBlack);
    int top = 480, bottom = -1, left = 640, right = -1;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const bool on = s.At(x, y) == kBlack;
        EXPECT_EQ(on, s.At(639 - x, y) == kBlack) << "left-right " << x << "," << y;
        EXPECT_EQ(on, s.At(x, 479 - y) == kBlack) << "top-bottom " << x << "," << y;
        // Round: swapping the offsets from the centre, (x, y) <-> (y + 80, x - 80).
        const int tx = y + 80, ty = x - 80;
        if (ty >= 0 && ty < 480) {
          EXPECT_EQ(on, s.At(tx, ty) == kBlack) << "swap " << x << "," << y;
        }
        if (on) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
      if (::testing::Test::HasFailure()) return;
    }
    EXPECT_EQ(top, 240 - p);
    EXPECT_EQ(bottom, 240 + p - 1);
    EXPECT_EQ(left, 320 - p);
    EXPECT_EQ(right, 320 + p - 1);
  }
}

TEST(RenderCanvas, LineStopsBeforeItsEndPoint) {
  Surface s = Canvas();
  DrawLine(s, 1, 0, 5, 0, A);  // horizontal
  DrawLine(s, 7, 1, 7, 4, B);  // vertical
  DrawLine(s, 1, 1, 4, 4, C);  // diagonal
  DrawLine(s, 3, 3, 3, 3, D);  // zero length: nothing
  EXPECT_EQ(Picture(s),
            ".AAAA...\n"
            ".C.....B\n"
            "..C....B\n"
            "...C...B\n"
            "........\n"
            "........\n");
  // Steep: k * 2 / 5 rounded, halves towards the end: x = 0, 0, 1, 1, 2.
  Surface t = Canvas();
  DrawLine(t, 0, 0, 2, 5, A);
  EXPECT_EQ(Picture(t),
            "A.......\n"
            "A.......\n"
            ".A......\n"
            ".A......\n"
            "..A.....\n"
            "........\n");
  // Drawn the other way it starts at (2, 5) and leaves out (0, 0).
  Surface u = Canvas();
  DrawLine(u, 2, 5, 0, 0, A);
  EXPECT_EQ(u.At(2, 5), A);
  EXPECT_EQ(u.At(0, 0), kBg);
  EXPECT_EQ(CountNot(u, kBg), 5);
}

TEST(RenderCanvas, LinesClipWithoutLosingTheirCourse) {
  Surface s = Canvas();
  DrawLine(s, -10, 2, 100, 2, A);
  DrawLine(s, INT_MIN, INT_MIN, INT_MAX, INT_MAX, B);  // through (i, i)
  for (int x = 0; x < 8; ++x) EXPECT_EQ(s.At(x, 2), x == 2 ? B : A) << x;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.At(i, i), B) << i;
  EXPECT_EQ(CountNot(s, kBg), 8 + 5);
  // A shallow line entering through the top edge: y = -1 + round(3k / 2000) reaches row 0 at
  // k = 334 and row 1 at k = 1000, so row 0 holds x = 334..639.
  Surface t(640, 480);
  DrawLine(t, 0, -1, 2000, 2, A);
  int first = -1, last = -1;
  for (int x = 0; x < 640; ++x) {
    if (t.At(x, 0) == A) {
      if (first < 0) first = x;
      last = x;
    }
  }
  EXPECT_EQ(first, 334);
  EXPECT_EQ(last, 639);
  EXPECT_EQ(CountNot(t, 0), 306);
  // Lines wholly off the surface.
  Surface u = Canvas();
  DrawLine(u, -5, -1, 100, -1, A);
  DrawLine(u, 8, 0, 8, 100, A);
  DrawLine(u, -100, 50, 50, -100, A);
  EXPECT_EQ(CountNot(u, kBg), 0);
}

TEST(RenderCanvas, BlitClipsAndHonoursTheKey) {
  Surface src(4, 3);
  for (int i = 0; i < 12; ++i) src.pixels[i] = static_cast<uint16_t>(A + i % 6);
  src.pixels[5] = kKey;  // (1, 1)
  Surface s = Canvas();
  BlitSurface(s, 2, 1, src, Rect{0, 0, 4, 3});
  EXPECT_EQ(Picture(s),
            "........\n"
            "..ABCD..\n"
            "..E#AB..\n"
            "..CDEF..\n"
            "........\n"
            "........\n");
  Surface t = Canvas();
  BlitSurface(t, 2, 1, src, Rect{0, 0, 4, 3}, true, kKey);
  EXPECT_EQ(t.At(3, 2), kBg);
  EXPECT_EQ(CountNot(t, kBg), 11);
  // Clipped by the destination's left/top and by the source rectangle leaving the source.
  Surface u = Canvas();
  BlitSurface(u, -1, -1, src, Rect{-2, 0, 10, 2});  // source x from 0: lands at x = 1
  EXPECT_EQ(Picture(u).substr(0, 9), ".E#AB...\n");
  EXPECT_EQ(CountNot(u, kBg), 4);
  // Right and bottom edges.
  Surface v = Canvas();
  BlitSurface(v, 6, 4, src, Rect{0, 0, 4, 3});
  EXPECT_EQ(Picture(v).substr(36), "......AB\n......E#\n");
  // Reversed or empty rectangles copy nothing.
  Surface w = Canvas();
  BlitSurface(w, 0, 0, src, Rect{3, 0, 1, 3});
  BlitSurface(w, INT_MAX, INT_MIN, src, Rect{0, 0, 4, 3});
  EXPECT_EQ(CountNot(w, kBg), 0);
}

// Surfaces of the same width copy whole rows as one block; the rows must still land at the
// destination's y, clipped at its bottom.
TEST(RenderCanvas, FullWidthBlitKeepsRowsInPlace) {
  Surface src(8, 4);
  for (int i = 0; i < 32; ++i) src.pixels[i] = static_cast<uint16_t>(A + i % 6);
  Surface s = Canvas();
  BlitSurface(s, 0, 3, src, Rect{0, 1, 8, 4});  // rows 1..3 of the source at y = 3..5
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const uint16_t want = y < 3 ? kBg : src.At(x, y - 2);
      ASSERT_EQ(s.At(x, y), want) << x << "," << y;
    }
  }
  Surface t = Canvas();
  BlitSurface(t, 0, 4, src, Rect{0, 0, 8, 4});  // only two rows fit
  EXPECT_EQ(CountNot(t, kBg), 16);
  EXPECT_EQ(t.At(7, 5), src.At(7, 1));
}

TEST(RenderCanvas, BlitWithinOneSurfaceReadsTheOldPicture) {
  Surface s = Canvas();
  for (int x = 0; x < 8; ++x) s.Row(0)[x] = static_cast<uint16_t>(A + x % 6);
  BlitSurface(s, 1, 0, s, Rect{0, 0, 7, 1});  // shift right by one over itself
  EXPECT_EQ(Picture(s).substr(0, 9), "AABCDEFA\n");
  BlitSurface(s, 1, 0, s, Rect{0, 0, 7, 1}, true, kKey);  // the same with the key in force
  EXPECT_EQ(Picture(s).substr(0, 9), "AAABCDEF\n");
  BlitSurface(s, 0, 1, s, Rect{0, 0, 8, 2});  // down by one over itself
  EXPECT_EQ(Picture(s).substr(0, 27), "AAABCDEF\nAAABCDEF\n........\n");
}

}  // namespace
}  // namespace vepa
