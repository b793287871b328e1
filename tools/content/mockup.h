// Mock-up screens of the common pictures drawn with the game's own renderer and text rules,
// to check how fonts, bubbles, buttons and plates look at their real sizes.
#pragma once

#include <string>

namespace content {

// Reads s_all01 from the content tree and writes mockup-1.png and mockup-2.png into outDir.
void WriteCommonMockups(const std::string& treeDir, const std::string& outDir);

}  // namespace content
