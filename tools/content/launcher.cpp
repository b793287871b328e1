#include "launcher.h"

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "content.h"
#include "draw.h"
#include "fonts.h"
#include "raster.h"
#include "sink.h"

namespace content {

namespace {

constexpr int kDialogWidth = 213, kDialogHeight = 116;

using CanvasPtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

CanvasPtr Canvas(int w, int h) {
  return CanvasPtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), cairo_surface_destroy);
}

// The dialog's background: a dark wooden kiosk board with a brass frame.
void DrawBackground(cairo_t* cr) {
  art::WoodPlanks(cr, 0, 0, kDialogWidth, kDialogHeight, 23, false, 41, art::pal::WoodDark);
  // Darken towards the edges so the captions stand out in the middle.
  cairo_pattern_t* v = cairo_pattern_create_radial(106, 50, 20, 106, 58, 140);
  cairo_pattern_add_color_stop_rgba(v, 0, 0.1, 0.05, 0.02, 0.35);
  cairo_pattern_add_color_stop_rgba(v, 1, 0.1, 0.05, 0.02, 0.7);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
  art::Grain(cr, 0, 0, kDialogWidth, kDialogHeight, 7, 0.06, 0.3);
  // Frame.
  art::RoundedRect(cr, 2.5, 2.5, kDialogWidth - 5, kDialogHeight - 5, 6);
  art::Stroke(cr, art::pal::Brass, 3);
  art::RoundedRect(cr, 1, 1, kDialogWidth - 2, kDialogHeight - 2, 7);
  art::Stroke(cr, art::pal::Outline, 1.2);
  art::RoundedRect(cr, 4.5, 4.5, kDialogWidth - 9, kDialogHeight - 9, 4);
  art::Stroke(cr, art::pal::Outline.WithAlpha(0.8), 1);
  // A little lottery star in each lower corner.
  for (double x : {16.0, kDialogWidth - 16.0}) {
    art::Star(cr, x, kDialogHeight - 16, 6, 2.6, 5);
    art::Paint(cr, art::Style{art::pal::Yellow, art::pal::Outline, 1, 0.3, 0});
  }
}

// Hinted caption lines drawn over the background at the picture's place; pixels the text
// does not touch become transparent.
LauncherImage Caption(const std::string& component, int left, int top, int w, int h,
                      const std::vector<std::string>& lines, double size, double lineHeight,
                      cairo_surface_t* background, double raise = 0) {
  CanvasPtr canvas = Canvas(w, h);
  cairo_t* cr = cairo_create(canvas.get());
  cairo_set_source_surface(cr, background, -left, -top);
  cairo_paint(cr);
  art::TextStyle st{.Face = art::Font::SansBold, .Size = size, .Hinted = true};
  const double total = lineHeight * static_cast<double>(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    // Baseline so that the block of lines is centred vertically.
    const double base =
        std::round((h - total) / 2 + lineHeight * i + (lineHeight + size * 0.729) / 2 - raise);
    st.Fill = art::pal::Outline;
    art::Text(cr, lines[i], w / 2.0 + 1, base + 1, st);  // a hard shadow keeps it readable
    st.Fill = art::pal::Yellow.Lighter(0.35);
    art::Text(cr, lines[i], w / 2.0, base, st);
  }
  cairo_destroy(cr);
  vepa::Surface drawn = SurfaceFromCanvas(canvas.get(), false);
  CanvasPtr bgPart = Canvas(w, h);
  cairo_t* bcr = cairo_create(bgPart.get());
  cairo_set_source_surface(bcr, background, -left, -top);
  cairo_paint(bcr);
  cairo_destroy(bcr);
  vepa::Surface plain = SurfaceFromCanvas(bgPart.get(), false);
  LauncherImage img{component, left, top, w, h, {}, true, kTransparentColor};
  img.Pixels.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < img.Pixels.size(); ++i) {
    uint16_t c = drawn.pixels[i];
    if (c == kTransparentColor) c ^= 0x0020;
    img.Pixels[i] = c == plain.pixels[i] ? kTransparentColor : c;
  }
  return img;
}

// The exit button: a small orange plate with the word, fully opaque.
LauncherImage ExitButton() {
  const int w = 55, h = 12;
  CanvasPtr canvas = Canvas(w, h);
  cairo_t* cr = cairo_create(canvas.get());
  art::RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
  const art::Color top = art::pal::Orange.Lighter(0.3), bottom = art::pal::Orange.Shade(0.25);
  art::FillWith(cr, art::LinearGradient(0, 0, 0, h, {{0, top}, {1, bottom}}), true);
  art::Stroke(cr, art::pal::Outline, 1);
  const art::TextStyle st{
      .Face = art::Font::SansBold, .Size = 9, .Fill = art::pal::Outline, .Hinted = true};
  art::Text(cr, "ВЫХОД", w / 2.0, 9, st);
  cairo_destroy(cr);
  vepa::Surface s = SurfaceFromCanvas(canvas.get(), false);
  LauncherImage img{"Image1", 81, 64, w, h, s.pixels, false, 0};
  return img;
}

}  // namespace

std::vector<LauncherImage> DrawLauncherPictures() {
  CanvasPtr bg = Canvas(kDialogWidth, kDialogHeight);
  cairo_t* cr = cairo_create(bg.get());
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  DrawBackground(cr);
  cairo_destroy(cr);
  cairo_surface_flush(bg.get());
  std::vector<LauncherImage> out;
  vepa::Surface s = SurfaceFromCanvas(bg.get(), true);
  out.push_back({"Image2", 0, 0, kDialogWidth, kDialogHeight, s.pixels, false, 0});
  out.push_back(Caption("Image6", 14, 29, 189, 12, {"ИГРА НЕ УСТАНОВЛЕНА"}, 11, 12, bg.get()));
  out.push_back(Caption("Image7", 42, 16, 133, 25, {"ОШИБКА ЧТЕНИЯ", "ДАННЫХ"}, 11, 11, bg.get(),
                        2));  // room below for the tail of "Д"
  out.push_back(Caption("Image11", 11, 10, 195, 43,
                        {"НЕ НАЙДЕНЫ ФАЙЛЫ", "С ДАННЫМИ! ПОПРОБУЙТЕ", "ПЕРЕУСТАНОВИТЬ ИГРУ!"}, 11,
                        14, bg.get()));
  out.push_back(ExitButton());
  return out;
}

std::string LauncherSource(const std::vector<LauncherImage>& pictures) {
  std::string s =
      "// Generated by vepa4-content --launcher-source from tools/content/launcher.cpp; do not "
      "edit.\n"
      "#include \"app/launcher_pictures.h\"\n\nnamespace vepa {\n\nnamespace {\n\n";
  char buf[64];
  for (const LauncherImage& p : pictures) {
    s += "const uint16_t k" + p.Component + "Pixels[" + std::to_string(p.Pixels.size()) + "] = {";
    for (size_t i = 0; i < p.Pixels.size(); ++i) {
      if (i % 12 == 0) s += "\n   ";
      std::snprintf(buf, sizeof buf, " 0x%04X,", p.Pixels[i]);
      s += buf;
    }
    s += "\n};\n\n";
  }
  s += "}  // namespace\n\nconst LauncherPicture kLauncherPictures[5] = {\n";
  for (const LauncherImage& p : pictures) {
    std::snprintf(buf, sizeof buf, "0x%04X", p.TransparentColor);
    s += "    {\"" + p.Component + "\", " + std::to_string(p.Left) + ", " + std::to_string(p.Top) +
         ", " + std::to_string(p.Width) + ", " + std::to_string(p.Height) + ", k" + p.Component +
         "Pixels, " + (p.Transparent ? "true" : "false") + ", " + buf + "},\n";
  }
  s += "};\n\n}  // namespace vepa\n";
  return s;
}

void WriteLauncherSource(const std::string& path) {
  std::vector<LauncherImage> pictures = DrawLauncherPictures();
  if (pictures.size() != 5) throw BuildError("the launcher needs exactly five pictures");
  const std::string src = LauncherSource(pictures);
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ec);
  WriteIfChanged(path, std::vector<uint8_t>(src.begin(), src.end()));
}

}  // namespace content

namespace content {

void WriteLauncherPreview(const std::string& dir) {
  std::vector<LauncherImage> pictures = DrawLauncherPictures();
  std::filesystem::create_directories(dir);
  // The three dialog states: not installed (6), read error (7), files not found (11).
  const int states[3] = {1, 2, 3};
  for (int st : states) {
    const int scale = 3;
    CanvasPtr out = Canvas(kDialogWidth * scale, kDialogHeight * scale);
    unsigned char* data = cairo_image_surface_get_data(out.get());
    const int stride = cairo_image_surface_get_stride(out.get());
    for (const LauncherImage& p : pictures) {
      if (p.Component != "Image2" && p.Component != "Image1" &&
          p.Component != pictures[st].Component)
        continue;
      for (int y = 0; y < p.Height; ++y) {
        for (int x = 0; x < p.Width; ++x) {
          const uint16_t c = p.Pixels[static_cast<size_t>(y) * p.Width + x];
          if (p.Transparent && c == p.TransparentColor) continue;
          const uint32_t argb = 0xFF000000u | (((c >> 11) & 31) * 255 / 31) << 16 |
                                (((c >> 5) & 63) * 255 / 63) << 8 | ((c & 31) * 255 / 31);
          for (int sy = 0; sy < scale; ++sy) {
            uint32_t* row = reinterpret_cast<uint32_t*>(
                data + static_cast<size_t>((p.Top + y) * scale + sy) * stride);
            for (int sx = 0; sx < scale; ++sx) row[(p.Left + x) * scale + sx] = argb;
          }
        }
      }
    }
    cairo_surface_mark_dirty(out.get());
    const std::string path = dir + "/launcher-" + pictures[st].Component + ".png";
    cairo_surface_write_to_png(out.get(), path.c_str());
  }
}

}  // namespace content
