#include "tools/png/png_write.h"

#include <png.h>

#include <cstdio>

namespace vepa {

bool WritePng565(const std::string& path, int width, int height, const uint16_t* pixels,
                 const uint8_t* alpha, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    if (error) *error = "PNG encoder failed for " + path;
    return false;
  }
  png_init_io(png, f);
  const int channels = alpha ? 4 : 3;
  png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(width) * channels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t i = static_cast<size_t>(y) * width + x;
      const uint16_t c = pixels[i];
      uint8_t* o = &row[static_cast<size_t>(x) * channels];
      const int r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
      o[0] = static_cast<uint8_t>((r << 3) | (r >> 2));
      o[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
      o[2] = static_cast<uint8_t>((b << 3) | (b >> 2));
      if (alpha) o[3] = alpha[i];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

}  // namespace vepa
