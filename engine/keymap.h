// Keyboard keys by Windows virtual-key code (the codes the scenes test with KeyPressed),
// from USB HID keyboard usage codes (the physical key positions that window libraries report
// as scan codes). Physical positions keep the letter keys where the game expects them
// whatever keyboard layout is active.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vepa {

// The virtual-key code of one key; modifiers give the common code (16 Shift, 17 Ctrl,
// 18 Alt). 0 for keys the game has no code for.
int VirtualKeyFromUsbUsage(int usage);

// The side-specific code of a modifier key (160/161 Shift, 162/163 Ctrl, 164/165 Alt), 0 for
// other keys.
int SideVirtualKeyFromUsbUsage(int usage);

// A keyboard snapshot by virtual-key code from key states indexed by usage code (nonzero =
// down). A modifier sets both its common and its side-specific code.
void KeysFromUsbState(const uint8_t* state, int count, std::array<bool, 256>& keys);

// Keys pressed since the keyboard was last read. The game reads the keyboard once a tick; a tap
// that goes down and up between two reads must still count, as the system's own key state
// remembers a press until it is read, or quick taps of Enter or the arrows are lost.
class KeyLatch {
 public:
  void Press(int code) {
    if (code >= 1 && code <= 255) pressed_[static_cast<size_t>(code)] = true;
  }
  // Adds the presses to a snapshot of the keys held now, and forgets them.
  void Apply(std::array<bool, 256>& keys) {
    for (size_t i = 0; i < keys.size(); ++i) keys[i] = keys[i] || pressed_[i];
    pressed_.fill(false);
  }
  void Clear() { pressed_.fill(false); }

 private:
  std::array<bool, 256> pressed_{};
};

}  // namespace vepa
