// Our renderer against pixman on the same RGB565 640 x 480 back buffer: the background copy,
// a keyed sprite, blended stretched sprites, stretched keyed sprites and turned sprites. Each
// benchmark runs our operation and pixman's in every iteration, so both see the same cache and
// machine state, and reports the time of each (ours_us, pixman_us) and the ratio ours / pixman
// (below 1: ours is faster), of the means and of the fastest runs.
//
// pixman has no transparent colour; the fair equivalent of a keyed sprite is an a8r8g8b8
// picture whose keyed texels have alpha 0, composited with OVER (pixman's fast paths for
// 8888 OVER 0565 serve it). Blending by a constant alpha is a solid mask; stretching and
// turning are a transform with the NEAREST filter, as our sampling is nearest-neighbour.
// pixman is only linked into this benchmark binary, never into the game.
#ifdef VEPA_HAVE_PIXMAN

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/bench_pictures.h"
#include "engine/render.h"

namespace vepa {
namespace {

using bench::MakeScreen;
using bench::MakeSprite;
constexpr double kPi = 3.14159265358979323846;

struct PixmanDeleter {
  void operator()(pixman_image_t* p) const { pixman_image_unref(p); }
};
using PixmanImage = std::unique_ptr<pixman_image_t, PixmanDeleter>;

// A pixman view of a surface's pixels (no copy).
PixmanImage Wrap565(Surface& s) {
  return PixmanImage(pixman_image_create_bits(
      PIXMAN_r5g6b5, s.width, s.height, reinterpret_cast<uint32_t*>(s.pixels.data()), s.width * 2));
}

// The sprite as premultiplied a8r8g8b8: keyed texels transparent, the rest opaque.
struct Argb {
  std::vector<uint32_t> Pixels;
  PixmanImage Image;
  explicit Argb(const vepa::Image& img) : Pixels(img.Pixels.size()) {
    for (size_t i = 0; i < Pixels.size(); ++i) {
      const uint16_t c = img.Pixels[i];
      if (img.Transparent && c == img.TransparentColor) continue;
      const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
      Pixels[i] = 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) |
                  ((b << 3) | (b >> 2));
    }
    Image.reset(pixman_image_create_bits(PIXMAN_a8r8g8b8, img.Width, img.Height, Pixels.data(),
                                         img.Width * 4));
  }
};

// The back buffer and a side x side sprite, each with its pixman view.
struct SpriteOnScreen {
  Surface screen = MakeScreen();
  vepa::Image img;
  Argb argb;
  PixmanImage dst;
  explicit SpriteOnScreen(int side)
      : img(MakeSprite(side, side)), argb(img), dst(Wrap565(screen)) {}
};

PixmanImage SolidAlpha(int alpha) {
  const uint16_t a = static_cast<uint16_t>(alpha * 257);
  pixman_color_t color = {0, 0, 0, a};
  return PixmanImage(pixman_image_create_solid_fill(&color));
}

// Destination pixel (x, y) samples the source at (x * sx + ox, y * sy + oy).
void SetScale(pixman_image_t* src, double sx, double sy, double ox, double oy) {
  pixman_f_transform_t f;
  pixman_f_transform_init_identity(&f);
  f.m[0][0] = sx;
  f.m[1][1] = sy;
  f.m[0][2] = ox;
  f.m[1][2] = oy;
  pixman_transform_t t;
  pixman_transform_from_pixman_f_transform(&t, &f);
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
}

// Turned by `angle` (1/256 turn, clockwise on screen) about the sprite's centre, which lands
// on (cx, cy) of the destination: the inverse rotation maps destination to sprite.
void SetRotation(pixman_image_t* src, int w, int h, double cx, double cy, int angle) {
  const double a = angle * 2 * kPi / 256, c = std::cos(a), s = std::sin(a);
  pixman_f_transform_t f;
  pixman_f_transform_init_identity(&f);
  f.m[0][0] = c;
  f.m[0][1] = s;
  f.m[1][0] = -s;
  f.m[1][1] = c;
  f.m[0][2] = w / 2.0 - (c * cx + s * cy);
  f.m[1][2] = h / 2.0 - (-s * cx + c * cy);
  pixman_transform_t t;
  pixman_transform_from_pixman_f_transform(&t, &f);
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
}

// Runs `ours` and `theirs` in every iteration, which one goes first alternating, and reports
// the mean time of each (ours_us, pixman_us), their ratio, and the ratio of the fastest runs
// (best_ratio), which is the figure least disturbed by other work on a shared machine.
template <typename Ours, typename Theirs>
void Compare(benchmark::State& st, Surface& screen, Ours ours, Theirs theirs) {
  using Clock = std::chrono::steady_clock;
  double oursNs = 0, theirsNs = 0, oursBest = 1e18, theirsBest = 1e18;
  int64_t n = 0;
  auto timed = [&screen](auto& op) {
    const auto t0 = Clock::now();
    op();
    benchmark::DoNotOptimize(screen.pixels.data());
    benchmark::ClobberMemory();
    return std::chrono::duration<double, std::nano>(Clock::now() - t0).count();
  };
  for (auto _ : st) {
    double a, b;
    if (n % 2 == 0) {
      a = timed(ours);
      b = timed(theirs);
    } else {
      b = timed(theirs);
      a = timed(ours);
    }
    oursNs += a;
    theirsNs += b;
    oursBest = std::min(oursBest, a);
    theirsBest = std::min(theirsBest, b);
    ++n;
  }
  if (n == 0) return;
  st.counters["ours_us"] = oursNs / n / 1000.0;
  st.counters["pixman_us"] = theirsNs / n / 1000.0;
  st.counters["ratio"] = theirsNs > 0 ? oursNs / theirsNs : 0.0;
  st.counters["best_ratio"] = theirsBest > 0 ? oursBest / theirsBest : 0.0;
}

void BM_VsPixman_BackgroundCopy(benchmark::State& st) {
  Surface bg = MakeScreen(), screen(640, 480);
  PixmanImage src = Wrap565(bg), dst = Wrap565(screen);
  Compare(
      st, screen,
      [&] {
        BlitSurface(screen, 0, 0, bg, Rect{0, 0, 640, 480});
      },
      [&] {
        pixman_image_composite32(PIXMAN_OP_SRC, src.get(), nullptr, dst.get(), 0, 0, 0, 0, 0, 0,
                                 640, 480);
      });
}
BENCHMARK(BM_VsPixman_BackgroundCopy);

// A 200 x 200 keyed sprite drawn 1:1 (the kiosk's large pictures).
void BM_VsPixman_KeyedSprite(benchmark::State& st) {
  SpriteOnScreen on(200);
  Compare(
      st, on.screen, [&] { DrawPattern(on.screen, &on.img, 0, 200, 150); },
      [&] {
        pixman_image_composite32(PIXMAN_OP_OVER, on.argb.Image.get(), nullptr, on.dst.get(), 0, 0,
                                 0, 0, 200, 150, 200, 200);
      });
}
BENCHMARK(BM_VsPixman_KeyedSprite);

// A keyed sprite stretched (38 x 38 into 76 x 76), no blending.
void BM_VsPixman_StretchedKeyed(benchmark::State& st) {
  SpriteOnScreen on(38);
  SetScale(on.argb.Image.get(), 0.5, 0.5, -50.0, -50.0);
  Compare(
      st, on.screen,
      [&] {
        StretchPattern(on.screen, &on.img, 0, Rect{100, 100, 176, 176});
      },
      [&] {
        pixman_image_composite32(PIXMAN_OP_OVER, on.argb.Image.get(), nullptr, on.dst.get(), 100,
                                 100, 0, 0, 100, 100, 76, 76);
      });
}
BENCHMARK(BM_VsPixman_StretchedKeyed);

// Box filtering for a strong shrink: each destination pixel averages the source texels its
// box covers, as our renderer does when a pattern shrinks by more than 1.5.
void SetBoxFilter(pixman_image_t* src, double scale) {
  int n = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n, pixman_double_to_fixed(scale), pixman_double_to_fixed(scale), PIXMAN_KERNEL_BOX,
      PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 2, 2);
  pixman_image_set_filter(src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
  std::free(params);
}

// Blended and stretched: a glyph shrunk (38 x 38 into 13 x 13), a sprite enlarged (100 x 100
// into 200 x 200), at alpha 128. A shrink by more than 1.5 averages the covered texels in our
// renderer, so pixman gets its box filter there (range 2 = 1; range 2 = 0 gives pixman the
// nearest filter instead, which does less work than ours).
void BM_VsPixman_AlphaStretched(benchmark::State& st) {
  const int from = static_cast<int>(st.range(0)), to = static_cast<int>(st.range(1));
  SpriteOnScreen on(from);
  PixmanImage mask = SolidAlpha(128);
  const double scale = static_cast<double>(from) / to;
  SetScale(on.argb.Image.get(), scale, scale, -100.0 * scale, -100.0 * scale);
  if (st.range(2)) SetBoxFilter(on.argb.Image.get(), scale);
  Compare(
      st, on.screen,
      [&] {
        DrawPatternAlpha(on.screen, &on.img, 0, Rect{100, 100, 100 + to, 100 + to}, 128);
      },
      [&] {
        pixman_image_composite32(PIXMAN_OP_OVER, on.argb.Image.get(), mask.get(), on.dst.get(), 100,
                                 100, 0, 0, 100, 100, to, to);
      });
}
BENCHMARK(BM_VsPixman_AlphaStretched)->Args({38, 13, 1})->Args({38, 13, 0})->Args({100, 200, 0});

// An 80 x 80 keyed sprite turned about its centre at (320, 240), the angle changing every
// iteration; pixman composites the turned sprite's bounding box. With alpha 128 blended.
void BM_VsPixman_Rotated(benchmark::State& st) {
  const int alpha = static_cast<int>(st.range(0));
  SpriteOnScreen on(80);
  PixmanImage mask = SolidAlpha(alpha);
  int angleOurs = 0, angleTheirs = 0;
  Compare(
      st, on.screen,
      [&] {
        if (alpha >= 255)
          DrawPatternRotated(on.screen, &on.img, 0, 320, 240, 80, 80, 0.5, 0.5, angleOurs);
        else
          DrawPatternRotatedAlpha(on.screen, &on.img, 0, 320, 240, 80, 80, 0.5, 0.5, angleOurs,
                                  alpha);
        angleOurs = (angleOurs + 7) & 255;
      },
      [&] {
        SetRotation(on.argb.Image.get(), 80, 80, 320, 240, angleTheirs);
        // The turned square's bounding box: half-side times |cos| + |sin|.
        const double a = angleTheirs * 2 * kPi / 256;
        const int half =
            static_cast<int>(std::ceil(40 * (std::fabs(std::cos(a)) + std::fabs(std::sin(a)))));
        pixman_image_composite32(PIXMAN_OP_OVER, on.argb.Image.get(),
                                 alpha >= 255 ? nullptr : mask.get(), on.dst.get(), 320 - half,
                                 240 - half, 0, 0, 320 - half, 240 - half, 2 * half, 2 * half);
        angleTheirs = (angleTheirs + 7) & 255;
      });
}
BENCHMARK(BM_VsPixman_Rotated)->Arg(255)->Arg(128);

}  // namespace
}  // namespace vepa

#endif  // VEPA_HAVE_PIXMAN
