// Area-averaged shrinking of StretchPattern and DrawPatternAlpha: the exact averages of small
// cases, agreement with a straightforward floating-point box filter on random pictures, no holes
// in opaque pictures, untouched transparent areas, exact clipping and mirroring, and the
// boundary to the nearest-sampling path.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/render.h"

namespace vepa {
namespace {

constexpr uint16_t kKey = 0xF81F;
constexpr uint16_t kBlack = 0x0000, kWhite = 0xFFFF;

uint16_t Rgb(int r5, int g6, int b5) { return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5); }
int R5(uint16_t p) { return p >> 11; }
int G6(uint16_t p) { return (p >> 5) & 63; }
int B5(uint16_t p) { return p & 31; }

Image Picture(int w, int h, std::vector<uint16_t> pixels, std::vector<uint8_t> mask = {}) {
  Image img = PatternedImage("Shrink01", w, h, w, h);
  img.Transparent = true;
  img.TransparentColor = kKey;
  img.Pixels = std::move(pixels);
  img.Alpha = std::move(mask);
  return img;
}

Surface Filled(int w, int h, uint16_t color) {
  Surface s(w, h);
  FillSurface(s, color);
  return s;
}

// A picture of random colours; with holes, about a quarter of it is the transparent colour,
// and with a mask every texel gets a random alpha.
Image RandomPicture(std::mt19937& rng, int w, int h, bool holes, bool mask) {
  std::vector<uint16_t> px(static_cast<size_t>(w) * h);
  std::vector<uint8_t> alpha;
  for (uint16_t& p : px) {
    p = static_cast<uint16_t>(rng());
    if (p == kKey) p ^= 0x20;
    if (holes && rng() % 4 == 0) p = kKey;
  }
  if (mask) {
    alpha.resize(px.size());
    for (uint8_t& a : alpha) a = static_cast<uint8_t>(rng() % 4 == 0 ? 0 : rng());
  }
  return Picture(w, h, std::move(px), std::move(alpha));
}

// The reference: each destination pixel averages the texels its box covers, by covered area,
// with colours premultiplied by alpha, in doubles. An axis that is not shrunk takes the texel
// under the pixel centre (mirrored as the sampling path mirrors it). The result is the blend
// of that average over the destination with the averaged alpha times the call's alpha.
struct AxisTaps {
  std::vector<std::pair<int, double>> taps;  // texel, weight (summing to 1)
};

AxisTaps Taps(int64_t k, int64_t n, int64_t l, bool mirror) {
  AxisTaps t;
  if (n <= l) {
    const int64_t q = (2 * k + 1) * n / (2 * l);
    t.taps.push_back({static_cast<int>(mirror ? n - 1 - q : q), 1.0});
    return t;
  }
  if (mirror) k = l - 1 - k;
  const double from = static_cast<double>(k) * n / l, to = static_cast<double>(k + 1) * n / l;
  for (int j = static_cast<int>(from); j < to; ++j) {
    const double part = std::min<double>(j + 1, to) - std::max<double>(j, from);
    if (part > 0) t.taps.push_back({j, part * l / n});
  }
  return t;
}

void ReferenceDraw(Surface& dst, const Image& img, const Rect& r, int alpha) {
  const bool flipX = r.Right < r.Left, flipY = r.Bottom < r.Top;
  const int left = std::min(r.Left, r.Right), top = std::min(r.Top, r.Bottom);
  const int w = std::abs(r.Right - r.Left), h = std::abs(r.Bottom - r.Top);
  const double g = std::clamp(alpha, 0, 255) / 255.0;
  for (int y = std::max(top, 0); y < std::min(top + h, dst.height); ++y) {
    const AxisTaps ty = Taps(y - top, img.Height, h, flipY);
    for (int x = std::max(left, 0); x < std::min(left + w, dst.width); ++x) {
      const AxisTaps tx = Taps(x - left, img.Width, w, flipX);
      double a = 0, pr = 0, pg = 0, pb = 0;
      for (auto [sy, wy] : ty.taps) {
        for (auto [sx, wx] : tx.taps) {
          const size_t at = static_cast<size_t>(sy) * img.Width + sx;
          const uint16_t p = img.Pixels[at];
          double ta = img.Alpha.empty() ? 1.0 : img.Alpha[at] / 255.0;
          if (img.Transparent && p == img.TransparentColor) ta = 0;
          a += wx * wy * ta;
          pr += wx * wy * ta * R5(p);
          pg += wx * wy * ta * G6(p);
          pb += wx * wy * ta * B5(p);
        }
      }
      const uint16_t d = dst.At(x, y);
      const double e = a * g;
      auto mix = [&](double p, int dc) { return static_cast<int>(p * g + dc * (1 - e) + 0.5); };
      dst.Row(y)[x] = Rgb(mix(pr, R5(d)), mix(pg, G6(d)), mix(pb, B5(d)));
    }
  }
}

// Largest channel difference between two surfaces of the same size.
int MaxChannelDifference(const Surface& a, const Surface& b) {
  int worst = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const uint16_t p = a.pixels[i], q = b.pixels[i];
    worst = std::max(
        {worst, std::abs(R5(p) - R5(q)), std::abs(G6(p) - G6(q)), std::abs(B5(p) - B5(q))});
  }
  return worst;
}

// --- Small cases with known averages --------------------------------------------------------

TEST(RenderShrink, CheckerOfTwoColoursAveragesToTheMiddle) {
  const uint16_t c1 = Rgb(30, 60, 10), c2 = Rgb(0, 0, 20);
  Image checker = Picture(2, 2, {c1, c2, c2, c1});
  Surface s = Filled(3, 3, kWhite);
  StretchPattern(s, &checker, 0, Rect{1, 1, 2, 2});
  EXPECT_EQ(s.At(1, 1), Rgb(15, 30, 15));
  // Only that pixel changed.
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      if (x != 1 || y != 1) {
        EXPECT_EQ(s.At(x, y), kWhite) << x << "," << y;
      }
    }
  }

  // Blended at 128 over black: half of the average, 15 * 128 / 255 = 7.53 -> 8,
  // 30 * 128 / 255 = 15.06 -> 15.
  Surface t = Filled(1, 1, kBlack);
  DrawPatternAlpha(t, &checker, 0, Rect{0, 0, 1, 1}, 128);
  EXPECT_EQ(t.At(0, 0), Rgb(8, 15, 8));

  // A checker of white and black stripes shrunk to a column of pixels: each row averages.
  Image stripes = Picture(4, 2, {kWhite, kBlack, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack});
  Surface u = Filled(1, 2, Rgb(1, 1, 1));
  StretchPattern(u, &stripes, 0, Rect{0, 0, 1, 2});  // width 4 -> 1, height kept
  EXPECT_EQ(u.At(0, 0), Rgb(16, 32, 16));            // 31 / 2 = 15.5 and 63 / 2 = 31.5, up
  EXPECT_EQ(u.At(0, 1), kBlack);
}

TEST(RenderShrink, TransparentTexelsAddNoColour) {
  // Two texels of the magenta transparent colour and two opaque ones: half coverage of the
  // opaque colour only (the magenta would show as red and blue).
  const uint16_t c = Rgb(30, 60, 20);
  Image half = Picture(2, 2, {c, kKey, kKey, c});
  Surface s = Filled(1, 1, kBlack);
  StretchPattern(s, &half, 0, Rect{0, 0, 1, 1});
  EXPECT_EQ(s.At(0, 0), Rgb(15, 30, 10));

  // A texel whose mask is 0 counts as transparent whatever its colour; mask 51 on the other
  // white texel: alpha (255 + 51) / 2 = 153, 31 * 153 / 255 = 18.6 -> 19, 63 * 0.6 = 37.8 -> 38.
  Image masked = Picture(2, 1, {kWhite, kWhite}, {51, 255});
  Image hidden = Picture(2, 1, {kWhite, Rgb(31, 0, 0)}, {255, 0});
  Surface t = Filled(2, 1, kBlack);
  StretchPattern(t, &masked, 0, Rect{0, 0, 1, 1});
  StretchPattern(t, &hidden, 0, Rect{1, 0, 2, 1});
  EXPECT_EQ(t.At(0, 0), Rgb(19, 38, 19));
  EXPECT_EQ(t.At(1, 0), Rgb(16, 32, 16));  // half white, no red added
}

// --- Agreement with the reference --------------------------------------------------------

TEST(RenderShrink, MatchesTheFloatingPointBoxFilter) {
  std::mt19937 rng(20240607);
  struct Size {
    int pw, ph, w, h;
  };
  // The font's 38 x 38 cells at text sizes, odd factors, one axis shrunk and the other kept or
  // enlarged, and extreme shrinks.
  const Size sizes[] = {{38, 38, 8, 8},   {38, 38, 13, 13}, {38, 38, 25, 20}, {38, 38, 30, 12},
                        {37, 11, 5, 3},   {10, 10, 6, 6},   {9, 4, 2, 9},     {4, 9, 9, 2},
                        {40, 3, 7, 3},    {3, 40, 3, 7},    {200, 150, 3, 2}, {300, 2, 1, 1},
                        {50, 50, 49, 16}, {16, 16, 10, 5}};
  for (const Size& z : sizes) {
    for (int variant = 0; variant < 4; ++variant) {
      const bool holes = variant & 1, mask = variant & 2;
      Image img = RandomPicture(rng, z.pw, z.ph, holes, mask);
      for (int alpha : {255, 254, 200, 77}) {
        Surface bg(24, 20);
        for (uint16_t& p : bg.pixels) p = static_cast<uint16_t>(rng());
        // Plain, mirrored on each axis, and partly off the surface.
        const int x = static_cast<int>(rng() % 20) - 4, y = static_cast<int>(rng() % 16) - 4;
        const Rect rects[] = {Rect{x, y, x + z.w, y + z.h}, Rect{x + z.w, y, x, y + z.h},
                              Rect{x, y + z.h, x + z.w, y}};
        for (const Rect& r : rects) {
          Surface got = bg, want = bg;
          UseWideVectors(alpha != 200);  // the narrow code gets some of the cases
          DrawPatternAlpha(got, &img, 0, r, alpha);
          UseWideVectors(true);
          ReferenceDraw(want, img, r, alpha);
          EXPECT_LE(MaxChannelDifference(got, want), 1)
              << z.pw << "x" << z.ph << " -> " << z.w << "x" << z.h << " holes " << holes
              << " mask " << mask << " alpha " << alpha << " rect " << r.Left << "," << r.Top << ","
              << r.Right << "," << r.Bottom;
        }
      }
    }
  }
}

// --- Coverage ------------------------------------------------------------------------------

TEST(RenderShrink, OpaquePicturesLeaveNoHoles) {
  std::mt19937 rng(7);
  for (int w = 1; w <= 25; ++w) {
    for (int h : {1, 3, 8, 13, 25}) {
      // One colour: every pixel of the rectangle takes exactly that colour, whatever the
      // background, and nothing outside changes.
      const uint16_t c = Rgb(static_cast<int>(rng() % 32), static_cast<int>(rng() % 64),
                             static_cast<int>(rng() % 32));
      Image solid = Picture(38, 38, std::vector<uint16_t>(38 * 38, c));
      // Random opaque colours: the result must not depend on the background at all.
      Image busy = RandomPicture(rng, 38, 38, false, false);
      for (uint16_t bg : {kBlack, kWhite}) {
        Surface s = Filled(30, 30, bg);
        StretchPattern(s, &solid, 0, Rect{2, 3, 2 + w, 3 + h});
        int inside = 0, outside = 0;
        for (int y = 0; y < 30; ++y)
          for (int x = 0; x < 30; ++x) {
            const bool in = x >= 2 && x < 2 + w && y >= 3 && y < 3 + h;
            if (in) inside += s.At(x, y) == c;
            if (!in) outside += s.At(x, y) != bg;
          }
        EXPECT_EQ(inside, w * h) << w << "x" << h;
        EXPECT_EQ(outside, 0) << w << "x" << h;
      }
      Surface onBlack = Filled(30, 30, kBlack), onWhite = Filled(30, 30, kWhite);
      DrawPatternAlpha(onBlack, &busy, 0, Rect{2, 3, 2 + w, 3 + h}, 1000);
      DrawPatternAlpha(onWhite, &busy, 0, Rect{2, 3, 2 + w, 3 + h}, 1000);
      for (int y = 3; y < 3 + h; ++y)
        for (int x = 2; x < 2 + w; ++x)
          ASSERT_EQ(onBlack.At(x, y), onWhite.At(x, y)) << w << "x" << h << " at " << x << "," << y;
    }
  }
}

TEST(RenderShrink, FullyTransparentAreasStayUntouched) {
  // Left half transparent (the key colour, and a masked-out part), right half opaque white.
  std::vector<uint16_t> px(40 * 20);
  std::vector<uint8_t> mask(px.size(), 255);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const size_t at = static_cast<size_t>(y) * 40 + x;
      px[at] = x < 20 ? (y < 10 ? kKey : Rgb(31, 0, 0)) : kWhite;
      if (x < 20 && y >= 10) mask[at] = 0;
    }
  Image img = Picture(40, 20, px, mask);
  std::mt19937 rng(3);
  Surface bg(12, 6);
  for (uint16_t& p : bg.pixels) p = static_cast<uint16_t>(rng());
  for (int alpha : {1000, 128, 3}) {
    Surface s = bg;
    DrawPatternAlpha(s, &img, 0, Rect{0, 0, 10, 5}, alpha);  // 4 x 4 texels per pixel
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 12; ++x) {
        if (x < 5 || x >= 10 || y >= 5) {
          EXPECT_EQ(s.At(x, y), bg.At(x, y)) << x << "," << y;
        } else if (alpha == 1000) {
          EXPECT_EQ(s.At(x, y), kWhite) << x << "," << y;
        }
      }
  }
  // Alpha 2 and below draws nothing, as for every blended draw.
  Surface s = bg;
  DrawPatternAlpha(s, &img, 0, Rect{0, 0, 10, 5}, 2);
  EXPECT_EQ(s.pixels, bg.pixels);
}

TEST(RenderShrink, VectorWidthsGiveTheSameResult) {
  // The wide (AVX2) and narrow (SSE2) code must agree to the bit; on a processor without AVX2
  // both runs take the narrow code and the comparison holds trivially.
  std::mt19937 rng(99);
  struct Size {
    int pw, ph, w, h;
  };
  const Size sizes[] = {{38, 38, 13, 13}, {38, 38, 8, 10},  {38, 38, 25, 25}, {75, 9, 17, 4},
                        {7, 100, 7, 9},   {300, 40, 9, 40}, {33, 33, 2, 31}};
  for (const Size& z : sizes) {
    for (int variant = 0; variant < 4; ++variant) {
      // Several patterns side by side, so that groups of columns read into the neighbour, and
      // the last pattern, where they would run past the picture's end.
      Image img = RandomPicture(rng, z.pw * 3, z.ph, variant & 1, variant & 2);
      img.PatternWidth = z.pw;
      for (int pattern = 0; pattern < 3; ++pattern) {
        for (int alpha : {255, 254, 100}) {
          Surface bg(40, 44);
          for (uint16_t& p : bg.pixels) p = static_cast<uint16_t>(rng());
          const int x = static_cast<int>(rng() % 40) - 10, y = static_cast<int>(rng() % 40) - 10;
          const Rect r = rng() % 2 ? Rect{x, y, x + z.w, y + z.h} : Rect{x + z.w, y, x, y + z.h};
          Surface narrow = bg, wide = bg;
          UseWideVectors(false);
          DrawPatternAlpha(narrow, &img, pattern, r, alpha);
          UseWideVectors(true);
          DrawPatternAlpha(wide, &img, pattern, r, alpha);
          ASSERT_EQ(narrow.pixels, wide.pixels)
              << z.pw << "x" << z.ph << " -> " << z.w << "x" << z.h << " pattern " << pattern;
        }
      }
    }
  }
}

// --- Kept shrinks --------------------------------------------------------------------------

// A kept shrink, drawn again anywhere (cut by every edge, mirrored, under any alpha, on either
// vector width), gives exactly the pixels of averaging afresh.
TEST(RenderShrinkCache, KeptShrinksDrawTheSamePixels) {
  std::mt19937 rng(2024);
  struct Size {
    int pw, ph, w, h;
  };
  const Size sizes[] = {{38, 38, 13, 13}, {38, 38, 9, 10}, {75, 9, 17, 4}, {33, 33, 2, 31}};
  ShrinkCache cache;
  for (bool wideVectors : {true, false}) {
    UseWideVectors(wideVectors);
    for (const Size& z : sizes) {
      for (int variant = 0; variant < 4; ++variant) {
        Image img = RandomPicture(rng, z.pw * 3, z.ph, variant & 1, variant & 2);
        img.PatternWidth = z.pw;
        for (int draw = 0; draw < 12; ++draw) {
          const int pattern = static_cast<int>(rng() % 3);
          const int alpha = draw % 3 == 0 ? 255 : static_cast<int>(rng() % 256);
          Surface bg(30, 34);
          for (uint16_t& p : bg.pixels) p = static_cast<uint16_t>(rng());
          const int x = static_cast<int>(rng() % 40) - 12, y = static_cast<int>(rng() % 44) - 12;
          Rect r{x, y, x + z.w, y + z.h};
          if (rng() % 3 == 0) std::swap(r.Left, r.Right);
          if (rng() % 3 == 0) std::swap(r.Top, r.Bottom);
          Surface fresh = bg, kept = bg;
          DrawPatternAlpha(fresh, &img, pattern, r, alpha);
          DrawPatternAlpha(kept, &img, pattern, r, alpha, &cache);
          ASSERT_EQ(fresh.pixels, kept.pixels)
              << z.pw << "x" << z.ph << " -> " << z.w << "x" << z.h << " draw " << draw;
          if (alpha == 255) {
            Surface freshStretch = bg, keptStretch = bg;
            StretchPattern(freshStretch, &img, pattern, r);
            StretchPattern(keptStretch, &img, pattern, r, &cache);
            ASSERT_EQ(freshStretch.pixels, keptStretch.pixels);
          }
        }
        // The picture is freed; the next may take its place in memory, so nothing kept of it
        // may stay (the owner's duty).
        EXPECT_GT(cache.Size(), 0u);
        cache.Clear();
        EXPECT_EQ(cache.Size(), 0u);
      }
    }
  }
  UseWideVectors(true);
}

// One kept shrink per pattern, size and mirroring; draws that are not strong shrinks, or whose
// boxes are large, keep nothing.
TEST(RenderShrinkCache, KeepsOnePerPatternSizeAndMirroring) {
  std::mt19937 rng(8);
  Image img = RandomPicture(rng, 38 * 2, 38, true, true);
  img.PatternWidth = 38;
  ShrinkCache cache;
  Surface s = Filled(200, 200, kBlack);
  DrawPatternAlpha(s, &img, 0, Rect{0, 0, 13, 13}, 254, &cache);
  DrawPatternAlpha(s, &img, 0, Rect{50, 60, 63, 73}, 100, &cache);  // elsewhere, other alpha
  EXPECT_EQ(cache.Size(), 1u);
  DrawPatternAlpha(s, &img, 1, Rect{0, 0, 13, 13}, 254, &cache);
  DrawPatternAlpha(s, &img, 0, Rect{0, 0, 12, 13}, 254, &cache);
  DrawPatternAlpha(s, &img, 0, Rect{13, 0, 0, 13}, 254, &cache);
  EXPECT_EQ(cache.Size(), 4u);
  DrawPatternAlpha(s, &img, 0, Rect{0, 0, 30, 30}, 254, &cache);  // sampled, not averaged
  Image big = RandomPicture(rng, 400, 400, false, false);
  StretchPattern(s, &big, 0, Rect{0, 0, 150, 150}, &cache);  // averaged, too large to keep
  EXPECT_EQ(cache.Size(), 4u);
  // Forgetting a list of pictures drops their shrinks only.
  Image other = RandomPicture(rng, 40, 40, false, true);
  DrawPatternAlpha(s, &other, 0, Rect{0, 0, 10, 10}, 255, &cache);
  EXPECT_EQ(cache.Size(), 5u);
  std::vector<Image> list(1);
  list[0] = std::move(img);  // the moved pixels stay where they were
  cache.Forget(list);
  EXPECT_EQ(cache.Size(), 1u);
  list[0] = std::move(other);
  cache.Forget(list);
  EXPECT_EQ(cache.Size(), 0u);
}

// --- Clipping, mirroring and the boundary to sampling -------------------------------------

TEST(RenderShrink, ClippingKeepsTheUnclippedPixels) {
  std::mt19937 rng(11);
  Image img = RandomPicture(rng, 38, 38, true, true);
  // The whole draw on a big surface, then the same draw cut by each edge of a small one.
  Surface big = Filled(60, 60, Rgb(5, 10, 15));
  DrawPatternAlpha(big, &img, 0, Rect{20, 20, 33, 33}, 254);
  for (auto [dx, dy] : {std::pair{-25, -25}, {-20, -27}, {-28, -20}, {-14, -14}, {-9, -21}}) {
    // The small surface shows big's pixels from (-dx, -dy) on.
    Surface small = Filled(10, 10, Rgb(5, 10, 15));
    DrawPatternAlpha(small, &img, 0, Rect{20 + dx, 20 + dy, 33 + dx, 33 + dy}, 254);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(small.At(x, y), big.At(x - dx, y - dy))
            << dx << "," << dy << " at " << x << "," << y;
  }
  // Far off the surface, and over the whole int range, nothing breaks.
  Surface s = Filled(8, 8, kBlack);
  DrawPatternAlpha(s, &img, 0, Rect{INT_MIN, INT_MIN, INT_MIN + 5, INT_MIN + 5}, 255);
  DrawPatternAlpha(s, &img, 0, Rect{INT_MAX - 3, 0, INT_MAX, 5}, 255);
  DrawPatternAlpha(s, &img, 0, Rect{INT_MAX, INT_MAX, INT_MAX - 4, INT_MAX - 4}, 255);
  EXPECT_EQ(std::count(s.pixels.begin(), s.pixels.end(), kBlack), 64);
  Image huge = RandomPicture(rng, 3000, 2, false, false);
  StretchPattern(s, &huge, 0, Rect{0, 0, 8, 1});
  EXPECT_NE(std::count(s.pixels.begin(), s.pixels.end(), kBlack), 64);
}

TEST(RenderShrink, MirroredShrinkIsTheMirrorOfThePlainOne) {
  std::mt19937 rng(5);
  Image img = RandomPicture(rng, 38, 31, true, true);
  Surface plain = Filled(13, 11, kBlack), mirrored = plain, flipped = plain;
  DrawPatternAlpha(plain, &img, 0, Rect{0, 0, 13, 11}, 200);
  DrawPatternAlpha(mirrored, &img, 0, Rect{13, 0, 0, 11}, 200);
  DrawPatternAlpha(flipped, &img, 0, Rect{0, 11, 13, 0}, 200);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 13; ++x) {
      EXPECT_EQ(mirrored.At(x, y), plain.At(12 - x, y));
      EXPECT_EQ(flipped.At(x, y), plain.At(x, 10 - y));
    }
}

TEST(RenderShrink, SamplingUpToAShrinkOfOneAndAHalf) {
  // Distinct colours: a sampled draw shows only texel colours, an averaged one mixes them.
  std::vector<uint16_t> px(38 * 38);
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint16_t>(0x0800 + i * 37);
  Image img = Picture(38, 38, px);
  auto onlyTexels = [&](const Surface& s) {
    for (uint16_t p : s.pixels)
      if (std::find(px.begin(), px.end(), p) == px.end()) return false;
    return true;
  };
  for (int size : {26, 30, 38, 57, 100}) {  // 38 / 26 = 1.46 and up: sampled
    Surface s(size, size);
    StretchPattern(s, &img, 0, Rect{0, 0, size, size});
    EXPECT_TRUE(onlyTexels(s)) << size;
  }
  for (int size : {25, 13, 8}) {  // 38 / 25 = 1.52 and down: averaged
    Surface s(size, size);
    StretchPattern(s, &img, 0, Rect{0, 0, size, size});
    EXPECT_FALSE(onlyTexels(s)) << size;
  }
  // Only one axis shrunk enough: the draw averages, the other axis still picks whole texels
  // (here a single row, so the rows of the result are all the same).
  Image row = Picture(
      6, 1, {Rgb(6, 0, 0), Rgb(0, 0, 0), Rgb(0, 12, 0), Rgb(0, 0, 0), kWhite, Rgb(0, 0, 0)});
  Surface t = Filled(3, 4, Rgb(1, 1, 1));
  StretchPattern(t, &row, 0, Rect{0, 0, 3, 4});
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(t.At(0, y), Rgb(3, 0, 0));
    EXPECT_EQ(t.At(1, y), Rgb(0, 6, 0));
    EXPECT_EQ(t.At(2, y), Rgb(16, 32, 16));
  }
}

}  // namespace
}  // namespace vepa
