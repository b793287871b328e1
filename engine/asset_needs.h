// What a scene loads and draws, so a test can check the default archive holds all of it.
#pragma once

#include <string>
#include <vector>

namespace vepa {

struct AssetNeeds {
  struct ImageNeed {
    std::string Entry;  // the "s_"/"d_" entry the image comes from
    std::string Name;
    int MinPatterns = 1;
  };
  struct WaveNeed {
    std::string Entry;  // the "w_" entry the wave comes from
    std::string Name;
  };
  std::vector<std::string> Entries;  // every archive entry the scene reads (any kind)
  std::vector<ImageNeed> Images;
  std::vector<WaveNeed> Waves;
};

}  // namespace vepa
