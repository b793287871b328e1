// Code page 1251, the game's text encoding, to and from UTF-8 (the encoding of the sources).
#include "engine/cp1251.h"

#include <array>
#include <cstdint>

namespace vepa {

namespace {

// Unicode code points of the bytes 0x80..0xBF of code page 1251 (0 where the byte is unused).
// The bytes 0xC0..0xFF are the Cyrillic capitals and small letters U+0410..U+044F in order.
constexpr std::array<uint16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char ByteOfCodePoint(uint32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
  for (size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] != 0 && kUpperHalf[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The code point of the UTF-8 sequence at text[i], advancing i past it; -1 (and i past one
// byte) for a broken sequence, an overlong form or a code point past Unicode.
long NextCodePoint(std::string_view utf8, size_t& i) {
  const auto b = static_cast<unsigned char>(utf8[i]);
  uint32_t cp = 0;
  int extra = 0;
  if (b < 0x80) {
    cp = b;
  } else if ((b & 0xE0) == 0xC0) {
    cp = b & 0x1F;
    extra = 1;
  } else if ((b & 0xF0) == 0xE0) {
    cp = b & 0x0F;
    extra = 2;
  } else if ((b & 0xF8) == 0xF0) {
    cp = b & 0x07;
    extra = 3;
  } else {
    ++i;  // a stray continuation byte or an invalid lead byte
    return -1;
  }
  bool valid = i + static_cast<size_t>(extra) < utf8.size();
  for (int k = 1; valid && k <= extra; ++k) {
    const auto cb = static_cast<unsigned char>(utf8[i + k]);
    if ((cb & 0xC0) != 0x80) {
      valid = false;
    } else {
      cp = (cp << 6) | (cb & 0x3F);
    }
  }
  static constexpr uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
  if (valid && (cp < kMinimum[extra] || cp > 0x10FFFF)) valid = false;
  if (!valid) {
    ++i;  // resynchronise on the next byte
    return -1;
  }
  i += 1 + extra;
  return static_cast<long>(cp);
}

}  // namespace

std::string Cp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const long cp = NextCodePoint(utf8, i);
    out += cp < 0 ? '?' : ByteOfCodePoint(static_cast<uint32_t>(cp));
  }
  return out;
}

bool Cp1251Strict(std::string_view utf8, std::string& out, std::string* problem) {
  out.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    const size_t at = i;
    const long cp = NextCodePoint(utf8, i);
    if (cp < 0) {
      if (problem) *problem = "the text is not valid UTF-8";
      return false;
    }
    const char byte = ByteOfCodePoint(static_cast<uint32_t>(cp));
    if (byte == '?' && cp != '?') {
      if (problem)
        *problem =
            "character '" + std::string(utf8.substr(at, i - at)) + "' has no code page 1251 form";
      return false;
    }
    out += byte;
  }
  return true;
}

std::string Utf8FromCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else if (b >= 0xC0) {
      AppendUtf8(out, 0x0410 + (b - 0xC0));
    } else if (kUpperHalf[b - 0x80] != 0) {
      AppendUtf8(out, kUpperHalf[b - 0x80]);
    } else {
      out += '?';
    }
  }
  return out;
}

}  // namespace vepa
