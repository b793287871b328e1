#include "mockup.h"

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "content.h"
#include "engine/render.h"
#include "engine/streams.h"
#include "fontp.h"
#include "phrases.h"
#include "raster.h"

namespace content {

namespace {

struct Screen {
  vepa::Surface s{640, 480};
  std::vector<vepa::Image> images;

  const vepa::Image* Find(const std::string& name) const {
    for (const auto& i : images) {
      if (i.Name == name) return &i;
    }
    throw BuildError("s_all01 has no image '" + name + "'");
  }
  void Pattern(const std::string& name, int p, int x, int y) {
    vepa::DrawPattern(s, Find(name), p, x, y);
  }
  // The game's text rule: each glyph stretched into size x height, advances by design width.
  void TextLeft(int x, int y, int size, const std::string& utf8, int style, int height) {
    const std::string text = ToCp1251(utf8, "mock-up text");
    int pen = x;
    for (unsigned char c : text) {
      const int g = art::FontPGlyph(c, style);
      if (g >= 0)
        vepa::DrawPatternAlpha(s, Find("FontP"), g, vepa::Rect{pen, y, pen + size, y + height},
                               254);
      pen += art::FontPAdvance(c, style, size);
    }
  }
  void TextCentered(int x, int y, int size, const std::string& utf8, int style, int height) {
    const int total = art::FontPTextWidth(ToCp1251(utf8, "mock-up text"), style, size);
    TextLeft(x - total / 2, y, size, utf8, style, height);
  }
  void Bubble(int x, int y, int tail, const std::vector<std::string>& lines, int shift) {
    Pattern("Bazar01", 0, x, y);
    const vepa::Image* t = Find("Bazar02");
    switch (tail) {
      case 0:
        vepa::DrawPattern(s, t, 0, x + 25, y + 137);
        break;
      case 1:
        vepa::DrawPatternRotated(s, t, 0, x + 25, y + 22, 73, -63, 0, 0, 0);
        break;
      case 2:
        vepa::DrawPatternRotated(s, t, 0, x + 180, y + 137, -73, 63, 0, 0, 0);
        break;
      case 3:
        vepa::DrawPatternRotated(s, t, 0, x + 180, y + 22, -73, -63, 0, 0, 0);
        break;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      TextCentered(x + 100, y + 20 * static_cast<int>(i) + 10 * shift + 35, 13, lines[i], 0, 13);
    }
  }
  void Backdrop() {
    // Stripes of dark, mid and light colours to judge contrast everywhere.
    const uint16_t colors[] = {Pack565(40, 30, 60),  Pack565(120, 80, 50),   Pack565(200, 170, 120),
                               Pack565(90, 150, 90), Pack565(230, 230, 220), Pack565(60, 110, 170),
                               Pack565(170, 60, 50), Pack565(20, 20, 20)};
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) s.Row(y)[x] = colors[((x / 80) + (y / 120)) % 8];
    }
  }
  void Save(const std::string& path) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> c(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480), cairo_surface_destroy);
    unsigned char* data = cairo_image_surface_get_data(c.get());
    const int stride = cairo_image_surface_get_stride(c.get());
    for (int y = 0; y < 480; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
      for (int x = 0; x < 640; ++x) {
        const uint16_t v = s.Row(y)[x];
        row[x] = (((v >> 11) & 31) * 255 / 31) << 16 | (((v >> 5) & 63) * 255 / 63) << 8 |
                 ((v & 31) * 255 / 31);
      }
    }
    cairo_surface_mark_dirty(c.get());
    cairo_surface_write_to_png(c.get(), path.c_str());
  }
};

}  // namespace

void WriteCommonMockups(const std::string& treeDir, const std::string& outDir) {
  const std::string path = (std::filesystem::path(treeDir) / "s_all01.img").string();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw BuildError("cannot read " + path + " (build the content tree first)");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  Screen a;
  std::string error;
  if (!vepa::DecodeImageList(bytes.data(), bytes.size(), a.images, &error)) {
    throw BuildError(path + ": " + error);
  }
  std::filesystem::create_directories(outDir);
  Screen b = a;

  // A kiosk-like screen: cashier's bubble, player's bubble with mouth, buttons, money.
  a.Backdrop();
  a.Bubble(330, 50, 0,
           {"ДАРТС! ТРИ БРОСКА", "ВСЕГО ЗА 10 $.", "ПОПАДЕШЬ В ЯБЛОЧКО -", "ВЫИГРАЕШЬ ВДВОЕ!",
            "СЫГРАЕМ?"},
           0);
  a.Pattern("PlRot01", 3, 10, 410);
  a.Bubble(80, 230, 0, {"ДАВАЙ!", "ПОПРОБУЮ."}, 1);
  vepa::DrawPatternAlpha(a.s, a.Find("Button01"), 0, vepa::Rect{210, 423, 310, 468}, 256);
  vepa::DrawPatternAlpha(a.s, a.Find("Button01"), 1, vepa::Rect{330, 423, 430, 468}, 256);
  a.TextCentered(260, 444 - 6, 13, "ДА", 0, 13);
  a.TextCentered(380, 444 - 6, 13, "НЕТ", 0, 13);
  a.Pattern("Bax01", 0, 515, 418);
  a.TextCentered(563, 433, 20, "1250", 0, 20);
  vepa::DrawPatternAlpha(a.s, a.Find("Button01"), 0, vepa::Rect{5, 6, 105, 50}, 1000);
  a.TextCentered(55, 20, 12, "ДАЛЬШЕ", 0, 15);
  a.Pattern("Ruka01", 0, 150, 120);
  a.Pattern("Ruka01", 1, 200, 120);
  a.Pattern("Ruka01", 2, 250, 120);
  for (int i = 0; i < 5; ++i) a.Pattern("EFont01", "0123456789"[i * 2] - '0', 20 + 8 * i, 80);
  a.Pattern("EFont01", 1, 70, 80);
  a.Pattern("EFont01", 2, 78, 80);
  a.Pattern("EFont01", 10, 86, 80);
  a.Pattern("EFont01", 0, 94, 80);
  a.Pattern("EFont01", 5, 102, 80);
  a.Save((std::filesystem::path(outDir) / "mockup-1.png").string());

  // Exit box, sight, text at every size, the display digits and the mirrored tails.
  b.Backdrop();
  b.Bubble(20, 60, 1, {"ЭЙ, ТАРАКАН!", "БЕГИ БЫСТРЕЕ!"}, 1);
  b.Bubble(420, 260, 2, {"Я ПЕРВЫЙ!"}, 1);
  b.Pattern("Exi01", 0, 177, 157);
  b.Pattern("Ruka01", 1, 290, 245);
  b.Pattern("Pricel01", 0, 440, 20);
  int y = 340;
  for (int size : {8, 10, 12, 15, 20, 30}) {
    b.TextLeft(10, y, size, "ВЫХОД 1234567890 $?!", 0, size);
    y += size + 3;
  }
  b.TextLeft(300, 340, 30, "0123456789-", 1, 30);
  b.TextLeft(300, 380, 14, "0123456789-", 1, 14);
  b.TextCentered(322, 2, 15, "ДЛЯ ВЫХОДА ИЗ КИОСКА НАЖМИ НА РУЧКУ ДВЕРИ", 0, 10);
  b.TextCentered(480, 440, 8, "БУ-БУ-БУ", 0, 15);
  b.Save((std::filesystem::path(outDir) / "mockup-2.png").string());
}

}  // namespace content
