// The renderer's operations on a 640 x 480 back buffer with sprite sizes the scenes use, and a
// busy synthetic frame: the background copy, 200 glyphs, 20 turned sprites and a wave sprite.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "bench/bench_pictures.h"
#include "engine/render.h"

namespace vepa {
namespace {

using bench::kKey;
using bench::MakeScreen;
using bench::MakeSprite;

// The machine running the benchmarks is often shared; with --benchmark_repetitions the fastest
// repetition ("_min") is the figure least disturbed by other work.
double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Times draw(), which draws on the back buffer s, once an iteration.
template <typename Draw>
void DrawEachIteration(benchmark::State& st, Surface& s, Draw draw) {
  for (auto _ : st) {
    draw();
    benchmark::DoNotOptimize(s.pixels.data());
  }
}

// Positions spread over the screen, partly off its edges, the same on every run.
struct Scatter {
  uint32_t state = 12345;
  int Next(int lo, int hi) {
    state = state * 1103515245u + 12345u;
    return lo + static_cast<int>((state >> 8) % static_cast<uint32_t>(hi - lo));
  }
};

void BM_FillSurface(benchmark::State& st) {
  Surface s(640, 480);
  DrawEachIteration(st, s, [&] { FillSurface(s, 0); });
}
BENCHMARK(BM_FillSurface)->ComputeStatistics("min", Fastest);

void BM_BlitBackground(benchmark::State& st) {
  Surface bg = MakeScreen(), s(640, 480);
  DrawEachIteration(st, s, [&] { BlitSurface(s, 0, 0, bg, Rect{0, 0, 640, 480}); });
}
BENCHMARK(BM_BlitBackground)->ComputeStatistics("min", Fastest);

void BM_BlitKeyed(benchmark::State& st) {
  Surface bg = MakeScreen(), s(640, 480);
  DrawEachIteration(st, s, [&] { BlitSurface(s, 0, 0, bg, Rect{0, 0, 640, 480}, true, kKey); });
}
BENCHMARK(BM_BlitKeyed)->ComputeStatistics("min", Fastest);

// DrawPattern of a keyed sprite of the given side.
void BM_DrawPattern(benchmark::State& st) {
  const int side = static_cast<int>(st.range(0));
  Image img = MakeSprite(side, side);
  Surface s = MakeScreen();
  DrawEachIteration(st, s, [&] { DrawPattern(s, &img, 0, 200, 150); });
}
BENCHMARK(BM_DrawPattern)->ComputeStatistics("min", Fastest)->Arg(16)->Arg(64)->Arg(200);

void BM_DrawPatternOpaque(benchmark::State& st) {
  Image img = MakeSprite(200, 200);
  img.Transparent = false;
  Surface s = MakeScreen();
  DrawEachIteration(st, s, [&] { DrawPattern(s, &img, 0, 200, 150); });
}
BENCHMARK(BM_DrawPatternOpaque)->ComputeStatistics("min", Fastest);

void BM_StretchPattern(benchmark::State& st) {
  Image img = MakeSprite(38, 38);
  Surface s = MakeScreen();
  const int side = static_cast<int>(st.range(0));
  DrawEachIteration(st, s, [&] {
    StretchPattern(s, &img, 0, Rect{100, 100, 100 + side, 100 + side});
  });
}
BENCHMARK(BM_StretchPattern)->ComputeStatistics("min", Fastest)->Arg(13)->Arg(76);

// A glyph of the proportional font: a 38 x 38 pattern into a 13 x 13 cell at alpha 254 (the
// text case), 128 (a real blend) and 128 with an alpha mask.
void BM_DrawPatternAlphaGlyph(benchmark::State& st) {
  Image img = MakeSprite(38, 38, 1, st.range(1) != 0);
  Surface s = MakeScreen();
  const int alpha = static_cast<int>(st.range(0));
  DrawEachIteration(st, s, [&] { DrawPatternAlpha(s, &img, 0, Rect{300, 200, 313, 213}, alpha); });
}
BENCHMARK(BM_DrawPatternAlphaGlyph)
    ->ComputeStatistics("min", Fastest)
    ->Args({254, 0})
    ->Args({254, 1})
    ->Args({128, 0})
    ->Args({128, 1});

// The font's glyphs at the text sizes: 38 x 38 with an alpha mask into size x size at alpha
// 254. Up to 25 the draw averages the texels each pixel covers; 26 and 30 still sample.
void BM_GlyphSize(benchmark::State& st) {
  Image img = MakeSprite(38, 38, 1, true);
  Surface s = MakeScreen();
  const int size = static_cast<int>(st.range(0));
  DrawEachIteration(st, s, [&] {
    DrawPatternAlpha(s, &img, 0, Rect{300, 200, 300 + size, 200 + size}, 254);
  });
}
BENCHMARK(BM_GlyphSize)
    ->ComputeStatistics("min", Fastest)
    ->Arg(8)
    ->Arg(10)
    ->Arg(13)
    ->Arg(20)
    ->Arg(25)
    ->Arg(30);

void BM_DrawPatternAlphaLarge(benchmark::State& st) {
  Image img = MakeSprite(100, 100);
  Surface s = MakeScreen();
  DrawEachIteration(st, s, [&] { DrawPatternAlpha(s, &img, 0, Rect{100, 100, 300, 300}, 128); });
}
BENCHMARK(BM_DrawPatternAlphaLarge)->ComputeStatistics("min", Fastest);

// An 80 x 80 sprite turned by a varying angle (the flies, darts and cards), drawn plainly
// (alpha 256) or blended at the alpha given.
void BM_DrawPatternRotated(benchmark::State& st) {
  Image img = MakeSprite(80, 80);
  Surface s = MakeScreen();
  const int alpha = static_cast<int>(st.range(0));
  int angle = 0;
  DrawEachIteration(st, s, [&] {
    if (alpha == 256)
      DrawPatternRotated(s, &img, 0, 320, 240, 80, 80, 0.5, 0.5, angle);
    else
      DrawPatternRotatedAlpha(s, &img, 0, 320, 240, 80, 80, 0.5, 0.5, angle, alpha);
    angle = (angle + 7) & 255;
  });
}
BENCHMARK(BM_DrawPatternRotated)->ComputeStatistics("min", Fastest)->Arg(256)->Arg(128);

void BM_DrawPatternWaveAdd(benchmark::State& st) {
  Image img = MakeSprite(100, 50);
  Surface s = MakeScreen();
  int phase = 0;
  const int alpha = static_cast<int>(st.range(0));
  DrawEachIteration(st, s, [&] {
    DrawPatternWaveAdd(s, &img, 0, 220, 190, 200, 100, 6, 40, phase, alpha);
    phase = (phase + 5) & 255;
  });
}
BENCHMARK(BM_DrawPatternWaveAdd)->ComputeStatistics("min", Fastest)->Arg(255)->Arg(128);

void BM_FillRectangle(benchmark::State& st) {
  Surface s(640, 480);
  DrawEachIteration(st, s, [&] { FillRectangle(s, 0, 0, 320, 480, 0); });
}
BENCHMARK(BM_FillRectangle)->ComputeStatistics("min", Fastest);

// The transition circle at progress 240: 480 pixels across.
void BM_FillEllipse(benchmark::State& st) {
  Surface s(640, 480);
  DrawEachIteration(st, s, [&] { FillEllipse(s, 80, 0, 560, 480, 0); });
}
BENCHMARK(BM_FillEllipse)->ComputeStatistics("min", Fastest);

void BM_DrawLine(benchmark::State& st) {
  Surface s(640, 480);
  DrawEachIteration(st, s, [&] { DrawLine(s, 10, 20, 600, 300, 0xFFFF); });
}
BENCHMARK(BM_DrawLine)->ComputeStatistics("min", Fastest);

// A busy frame: background copy, 200 glyphs (38 x 38 patterns into 13 x 13 cells, alpha 254),
// 20 turned 80 x 80 sprites (half of them blended) and one 200 x 100 wave sprite. Argument 1
// keeps the glyph shrinks between frames as the layer does; 0 averages every glyph afresh.
void BM_BusyFrame(benchmark::State& st) {
  ShrinkCache cache;
  ShrinkCache* kept = st.range(0) != 0 ? &cache : nullptr;
  Surface bg = MakeScreen(), s(640, 480);
  Image font = MakeSprite(38, 38, 93);
  Image sprite = MakeSprite(80, 80, 4);
  Image wave = MakeSprite(100, 50);
  struct Glyph {
    int x, y, pattern;
  };
  struct Turned {
    int x, y, pattern, angle;
  };
  Scatter rnd;
  std::vector<Glyph> glyphs(200);
  for (Glyph& g : glyphs) g = Glyph{rnd.Next(-6, 634), rnd.Next(-6, 474), rnd.Next(0, 93)};
  std::vector<Turned> turned(20);
  for (Turned& t : turned) t = Turned{rnd.Next(-20, 660), rnd.Next(-20, 500), rnd.Next(0, 4), 0};
  int tick = 0;
  for (auto _ : st) {
    BlitSurface(s, 0, 0, bg, Rect{0, 0, 640, 480});
    for (const Glyph& g : glyphs) {
      DrawPatternAlpha(s, &font, g.pattern, Rect{g.x, g.y, g.x + 13, g.y + 13}, 254, kept);
    }
    for (size_t i = 0; i < turned.size(); ++i) {
      const Turned& t = turned[i];
      const int angle = t.angle + tick * static_cast<int>(i + 1);
      if (i % 2 == 0) {
        DrawPatternRotated(s, &sprite, t.pattern, t.x, t.y, 80, 80, 0.5, 0.5, angle);
      } else {
        DrawPatternRotatedAlpha(s, &sprite, t.pattern, t.x, t.y, 80, 80, 0.5, 0.5, angle, 160);
      }
    }
    DrawPatternWaveAdd(s, &wave, 0, 220, 190, 200, 100, 6, 40, tick * 5, 200);
    ++tick;
    benchmark::DoNotOptimize(s.pixels.data());
  }
}
BENCHMARK(BM_BusyFrame)
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMicrosecond)
    ->Arg(0)
    ->Arg(1);

}  // namespace
}  // namespace vepa
