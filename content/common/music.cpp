// The game's tunes, rendered from their scores.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common.h"
#include "synth.h"

namespace common {

content::WaveSpec Tune(const std::string& sourceDir, const std::string& score,
                       const std::string& name) {
  const std::string path = (std::filesystem::path(sourceDir) / "music" / score).string();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw content::BuildError("cannot read " + path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  constexpr int kRate = 22050;
  synth::Buffer tune = synth::RenderScore(text, path, kRate, true);
  return {name, true, synth::ToPcm16(tune), kRate};
}

}  // namespace common
