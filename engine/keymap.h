// Keyboard keys by Windows virtual-key code (the codes the scenes test with KeyPressed),
// from USB HID keyboard usage codes (the physical key positions that window libraries report
// as scan codes). Physical positions keep the letter keys where the game expects them
// whatever keyboard layout is active.
#pragma once

#include <array>
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

}  // namespace vepa
