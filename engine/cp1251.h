// Code page 1251, the game's text encoding, to and from UTF-8 (the encoding of the sources,
// logs and JSON). Used by the game and by the content builder alike.
#pragma once

#include <string>
#include <string_view>

namespace vepa {

// Converts UTF-8 to code page 1251. Characters without a 1251 form and broken sequences
// become '?'.
std::string Cp1251(std::string_view utf8);
// The same, but refusing: false with the reason at the first broken sequence or character
// without a 1251 form (out then holds what was converted before it).
bool Cp1251Strict(std::string_view utf8, std::string& out, std::string* problem = nullptr);
// And back.
std::string Utf8FromCp1251(std::string_view text);

}  // namespace vepa
