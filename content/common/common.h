// The common content: image list "s_all01" (fonts, pointer, bubble, exit box, buttons and
// plates shared by all scenes), the common effects "w_all01" and the main tune "m_vepa4".
#pragma once

#include <vector>

#include "content.h"

namespace common {

content::ImageSpec FontP();
content::ImageSpec EFont01();
std::vector<content::ImageSpec> CommonSprites();
std::vector<content::WaveSpec> CommonWaves();
// A looping tune `name` at 22050 Hz, rendered from the score music/<score> in the source tree.
content::WaveSpec Tune(const std::string& sourceDir, const std::string& score,
                       const std::string& name);

}  // namespace common
