// Browser key code names to usage codes.
#include "engine/dom_keys.h"

#include <array>
#include <utility>

namespace vepa {

namespace {

// Numbered families: a prefix and the usage code of its first member.
bool Numbered(std::string_view code, std::string_view prefix, int first, int last, int base,
              int& usage) {
  if (code.size() <= prefix.size() || code.substr(0, prefix.size()) != prefix) return false;
  const std::string_view rest = code.substr(prefix.size());
  int n = 0;
  for (char c : rest) {
    if (c < '0' || c > '9' || n > 100) return false;
    n = n * 10 + (c - '0');
  }
  if (rest.size() > 1 && rest[0] == '0') return false;
  if (n < first || n > last) return false;
  usage = base + (n - first);
  return true;
}

constexpr std::array<std::pair<std::string_view, int>, 57> kNamed{{
    {"Digit0", 39},
    {"Enter", 40},
    {"Escape", 41},
    {"Backspace", 42},
    {"Tab", 43},
    {"Space", 44},
    {"Minus", 45},
    {"Equal", 46},
    {"BracketLeft", 47},
    {"BracketRight", 48},
    {"Backslash", 49},
    {"Semicolon", 51},
    {"Quote", 52},
    {"Backquote", 53},
    {"Comma", 54},
    {"Period", 55},
    {"Slash", 56},
    {"CapsLock", 57},
    {"PrintScreen", 70},
    {"ScrollLock", 71},
    {"Pause", 72},
    {"Insert", 73},
    {"Home", 74},
    {"PageUp", 75},
    {"Delete", 76},
    {"End", 77},
    {"PageDown", 78},
    {"ArrowRight", 79},
    {"ArrowLeft", 80},
    {"ArrowDown", 81},
    {"ArrowUp", 82},
    {"NumLock", 83},
    {"NumpadDivide", 84},
    {"NumpadMultiply", 85},
    {"NumpadSubtract", 86},
    {"NumpadAdd", 87},
    {"NumpadEnter", 88},
    {"Numpad0", 98},
    {"NumpadDecimal", 99},
    {"IntlBackslash", 100},
    {"ContextMenu", 101},
    {"NumpadEqual", 103},
    {"ControlLeft", 224},
    {"ShiftLeft", 225},
    {"AltLeft", 226},
    {"MetaLeft", 227},
    {"OSLeft", 227},
    {"ControlRight", 228},
    {"ShiftRight", 229},
    {"AltRight", 230},
    {"MetaRight", 231},
    {"OSRight", 231},
    {"IntlRo", 135},
    {"IntlYen", 137},
    {"Lang1", 144},
    {"Lang2", 145},
    {"NumpadComma", 133},
}};

}  // namespace

int UsbUsageFromDomCode(std::string_view code) {
  // Letters: "KeyA".."KeyZ".
  if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z')
    return 4 + (code[3] - 'A');
  int usage = 0;
  if (Numbered(code, "Digit", 1, 9, 30, usage)) return usage;
  if (Numbered(code, "Numpad", 1, 9, 89, usage)) return usage;
  if (Numbered(code, "F", 1, 12, 58, usage)) return usage;
  if (Numbered(code, "F", 13, 24, 104, usage)) return usage;
  for (const auto& [name, value] : kNamed)
    if (name == code) return value;
  return 0;
}

}  // namespace vepa
