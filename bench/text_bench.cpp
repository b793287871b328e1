// Font text and the speech bubble as a scene draws them every tick: glyph by glyph, each glyph
// stretched and blended from a 38-pixel cell.
#include <benchmark/benchmark.h>

#include "app/game.h"
#include "engine/backend_headless.h"
#include "engine/helpers.h"
#include "engine/text.h"

namespace vepa {
namespace {

// A font like the real one: 93 cells of 38 x 38 with an alpha mask (antialiased edges).
Image BenchFont() {
  Image img;
  img.Name = "FontP";
  img.PatternWidth = img.PatternHeight = 38;
  img.Width = 38 * 31;
  img.Height = 38 * 3;
  img.Pixels.assign(static_cast<size_t>(img.Width) * img.Height, 0);
  img.Alpha.assign(img.Pixels.size(), 0);
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const size_t i = static_cast<size_t>(y) * img.Width + x;
      const int cx = x % 38, cy = y % 38;
      if (cx > 2 && cx < 30 && cy > 4 && cy < 34) {
        img.Pixels[i] = static_cast<uint16_t>(0xFFFF - cx * 33);
        img.Alpha[i] = static_cast<uint8_t>((cx + cy) % 7 == 0 ? 128 : 255);
      }
    }
  return img;
}

Image Solid(const char* name, int w, int h) {
  Image img;
  img.Name = name;
  img.Width = img.PatternWidth = w;
  img.Height = img.PatternHeight = h;
  img.Pixels.assign(static_cast<size_t>(w) * h, 0x3333);
  return img;
}

struct BenchGame {
  HeadlessBackend backend{false};
  Layer layer{backend};
  Game g{layer};
  BenchGame() {
    layer.Images(1)->Images = {BenchFont(), Solid("Bazar01", 200, 140), Solid("Bazar02", 73, 63)};
    g.BubbleMode = 1;
    g.SpeechRecord.Lines = {Cp1251("ПРИВЕТ! ЧТО ХОЧЕШЬ?"), Cp1251("БИЛЕТ ЛОТЕРЕИ"),
                            Cp1251("ВСЕГО ЗА 5$"), Cp1251("ПОКУПАЙ, НЕ ЖАЛЕЙ!"),
                            Cp1251("ВЫИГРЫШ: 1000$")};
  }
};

void BM_DrawTextCentered(benchmark::State& state) {
  BenchGame b;
  const int size = static_cast<int>(state.range(0));
  const std::string text = Cp1251("ДЛЯ ВЫХОДА ИЗ КИОСКА НАЖМИ НА РУЧКУ ДВЕРИ");
  for (auto _ : state) {
    DrawTextCentered(b.g, 320, 100, size, text, 0, size);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_DrawTextCentered)->Arg(8)->Arg(15)->Arg(30);

// The bubble with a tail and five full lines, as the kiosk draws it while the cashier speaks.
void BM_DrawSpeechBubble(benchmark::State& state) {
  BenchGame b;
  for (auto _ : state) {
    DrawSpeechBubble(b.g, 200, 100, 3);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawSpeechBubble);

void BM_TextWidth(benchmark::State& state) {
  const std::string text = Cp1251("СОВПАЛО НОМЕРОВ: 6");
  int sum = 0;
  for (auto _ : state) {
    sum += TextWidth(text, 0, 13);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_TextWidth);

}  // namespace
}  // namespace vepa
