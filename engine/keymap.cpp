// Usage code to virtual-key code table.
#include "engine/keymap.h"

#include <cstddef>

namespace vepa {

namespace {

// The keys outside the numbered runs: usage code, virtual-key code and, for the modifiers, the
// side-specific code.
struct UsageKey {
  int Usage, Key, SideKey = 0;
};
constexpr UsageKey kKeys[] = {
    {39, '0'},       // the digit 0
    {40, 13},        // Enter
    {41, 27},        // Esc
    {42, 8},         // Backspace
    {43, 9},         // Tab
    {44, 32},        // Space
    {45, 189},       // minus
    {46, 187},       // equals
    {47, 219},       // opening bracket
    {48, 221},       // closing bracket
    {49, 220},       // backslash
    {50, 220},       // the extra key beside Enter on European keyboards
    {51, 186},       // semicolon
    {52, 222},       // apostrophe
    {53, 192},       // grave accent
    {54, 188},       // comma
    {55, 190},       // period
    {56, 191},       // slash
    {57, 20},        // Caps Lock
    {70, 44},        // Print Screen
    {71, 145},       // Scroll Lock
    {72, 19},        // Pause
    {73, 45},        // Insert
    {74, 36},        // Home
    {75, 33},        // Page Up
    {76, 46},        // Delete
    {77, 35},        // End
    {78, 34},        // Page Down
    {79, 39},        // right arrow
    {80, 37},        // left arrow
    {81, 40},        // down arrow
    {82, 38},        // up arrow
    {83, 144},       // Num Lock
    {84, 111},       // keypad /
    {85, 106},       // keypad *
    {86, 109},       // keypad -
    {87, 107},       // keypad +
    {88, 13},        // keypad Enter
    {98, 96},        // keypad 0
    {99, 110},       // keypad .
    {100, 226},      // the extra key beside left Shift
    {101, 93},       // application (menu) key
    {224, 17, 162},  // left Ctrl
    {225, 16, 160},  // left Shift
    {226, 18, 164},  // left Alt
    {227, 91},       // left Windows key
    {228, 17, 163},  // right Ctrl
    {229, 16, 161},  // right Shift
    {230, 18, 165},  // right Alt
    {231, 92},       // right Windows key
};

const UsageKey* KeyOfUsage(int usage) {
  for (const UsageKey& k : kKeys)
    if (k.Usage == usage) return &k;
  return nullptr;
}

}  // namespace

int VirtualKeyFromUsbUsage(int usage) {
  if (usage >= 4 && usage <= 29) return 'A' + (usage - 4);       // letters
  if (usage >= 30 && usage <= 38) return '1' + (usage - 30);     // digits 1..9
  if (usage >= 58 && usage <= 69) return 112 + (usage - 58);     // F1..F12
  if (usage >= 89 && usage <= 97) return 97 + (usage - 89);      // keypad 1..9
  if (usage >= 104 && usage <= 115) return 124 + (usage - 104);  // F13..F24
  const UsageKey* k = KeyOfUsage(usage);
  return k != nullptr ? k->Key : 0;
}

int SideVirtualKeyFromUsbUsage(int usage) {
  const UsageKey* k = KeyOfUsage(usage);
  return k != nullptr ? k->SideKey : 0;
}

void KeysFromUsbState(const uint8_t* state, int count, std::array<bool, 256>& keys) {
  keys.fill(false);
  if (state == nullptr) return;
  for (int usage = 0; usage < count; ++usage) {
    if (state[usage] == 0) continue;
    const int vk = VirtualKeyFromUsbUsage(usage);
    if (vk > 0 && vk < 256) keys[static_cast<size_t>(vk)] = true;
    const int side = SideVirtualKeyFromUsbUsage(usage);
    if (side > 0) keys[static_cast<size_t>(side)] = true;
  }
}

}  // namespace vepa
