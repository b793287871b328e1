// Module "common": the content every scene shares, loaded once at start-up.
#include "common.h"

namespace {

void Build(content::ContentSink& sink) {
  std::vector<content::ImageSpec> images = {common::FontP(), common::EFont01()};
  for (content::ImageSpec& s : common::CommonSprites()) images.push_back(std::move(s));
  sink.ImageList("s_all01", images);
  sink.WaveList("w_all01", common::CommonWaves());
  sink.Sound("m_vepa4", common::Tune(sink.SourceDir(), "vepa4.score", "m_vepa4"));
}

}  // namespace

VEPA_CONTENT_MODULE(common, Build);
