// Writes RGB565 pictures (with an optional alpha mask) as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vepa {

bool WritePng565(const std::string& path, int width, int height, const uint16_t* pixels,
                 const uint8_t* alpha = nullptr, std::string* error = nullptr);

}  // namespace vepa
