// Browser key names (KeyboardEvent.code, the physical key position whatever the layout) to
// USB keyboard usage codes, which the virtual-key table of keymap.h is written for.
#pragma once

#include <string_view>

namespace vepa {

// The usage code of a key by its browser code name ("KeyA", "Escape", "ArrowLeft",
// "ShiftLeft" ...); 0 for names the game has no key for (and for an empty name).
int UsbUsageFromDomCode(std::string_view code);

}  // namespace vepa
