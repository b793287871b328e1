// Usage code to virtual-key code table.
#include "engine/keymap.h"

#include <cstddef>

namespace vepa {

int VirtualKeyFromUsbUsage(int usage) {
  if (usage >= 4 && usage <= 29) return 'A' + (usage - 4);       // letters
  if (usage >= 30 && usage <= 38) return '1' + (usage - 30);     // digits 1..9
  if (usage >= 58 && usage <= 69) return 112 + (usage - 58);     // F1..F12
  if (usage >= 89 && usage <= 97) return 97 + (usage - 89);      // keypad 1..9
  if (usage >= 104 && usage <= 115) return 124 + (usage - 104);  // F13..F24
  switch (usage) {
    case 39:
      return '0';
    case 40:
      return 13;  // Enter
    case 41:
      return 27;  // Esc
    case 42:
      return 8;  // Backspace
    case 43:
      return 9;  // Tab
    case 44:
      return 32;  // Space
    case 45:
      return 189;  // minus
    case 46:
      return 187;  // equals
    case 47:
      return 219;  // opening bracket
    case 48:
      return 221;  // closing bracket
    case 49:
      return 220;  // backslash
    case 50:
      return 220;  // the extra key beside Enter on European keyboards
    case 51:
      return 186;  // semicolon
    case 52:
      return 222;  // apostrophe
    case 53:
      return 192;  // grave accent
    case 54:
      return 188;  // comma
    case 55:
      return 190;  // period
    case 56:
      return 191;  // slash
    case 57:
      return 20;  // Caps Lock
    case 70:
      return 44;  // Print Screen
    case 71:
      return 145;  // Scroll Lock
    case 72:
      return 19;  // Pause
    case 73:
      return 45;  // Insert
    case 74:
      return 36;  // Home
    case 75:
      return 33;  // Page Up
    case 76:
      return 46;  // Delete
    case 77:
      return 35;  // End
    case 78:
      return 34;  // Page Down
    case 79:
      return 39;  // right arrow
    case 80:
      return 37;  // left arrow
    case 81:
      return 40;  // down arrow
    case 82:
      return 38;  // up arrow
    case 83:
      return 144;  // Num Lock
    case 84:
      return 111;  // keypad /
    case 85:
      return 106;  // keypad *
    case 86:
      return 109;  // keypad -
    case 87:
      return 107;  // keypad +
    case 88:
      return 13;  // keypad Enter
    case 98:
      return 96;  // keypad 0
    case 99:
      return 110;  // keypad .
    case 100:
      return 226;  // the extra key beside left Shift
    case 101:
      return 93;  // application (menu) key
    case 224:
      return 17;  // left Ctrl
    case 225:
      return 16;  // left Shift
    case 226:
      return 18;  // left Alt
    case 227:
      return 91;  // left Windows key
    case 228:
      return 17;  // right Ctrl
    case 229:
      return 16;  // right Shift
    case 230:
      return 18;  // right Alt
    case 231:
      return 92;  // right Windows key
    default:
      return 0;
  }
}

int SideVirtualKeyFromUsbUsage(int usage) {
  switch (usage) {
    case 224:
      return 162;
    case 225:
      return 160;
    case 226:
      return 164;
    case 228:
      return 163;
    case 229:
      return 161;
    case 230:
      return 165;
    default:
      return 0;
  }
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
