// The main tune "m_vepa4", rendered from its score.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common.h"
#include "synth.h"

namespace common {

content::WaveSpec MainTune(const std::string& sourceDir) {
  const std::string path = (std::filesystem::path(sourceDir) / "music" / "vepa4.score").string();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw content::BuildError("cannot read " + path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  constexpr int kRate = 22050;
  synth::Buffer tune = synth::RenderScore(text, path, kRate, true);
  return {"m_vepa4", true, synth::ToPcm16(tune), kRate};
}

}  // namespace common
