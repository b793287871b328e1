// The check that the default archive holds everything a scene declares it loads and draws:
// every entry, every image (with at least the patterns drawn) and every wave.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/scene.h"
#include "engine/archive.h"
#include "engine/layer.h"
#include "engine/streams.h"

namespace vepa::testing {

inline void ExpectSceneAssetsInArchive(Game& g, int scene) {
  AssetNeeds needs;
  g.GetScene(scene)->DeclareAssets(needs);
  ASSERT_FALSE(needs.Entries.empty()) << scene;
  for (const std::string& entry : needs.Entries) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(g.archive.ReadEntry(entry, bytes), ArchiveResult::Ok) << scene << " " << entry;
  }
  for (const AssetNeeds::ImageNeed& need : needs.Images) {
    std::vector<uint8_t> bytes;
    std::vector<Image> images;
    ASSERT_EQ(g.archive.ReadEntry(need.Entry, bytes), ArchiveResult::Ok) << need.Entry;
    ASSERT_TRUE(DecodeImageList(bytes.data(), bytes.size(), images)) << need.Entry;
    const auto it = std::find_if(images.begin(), images.end(),
                                 [&](const Image& i) { return SameName(i.Name, need.Name); });
    ASSERT_NE(it, images.end()) << need.Name << " not in " << need.Entry;
    EXPECT_GE(it->PatternCount(), need.MinPatterns) << need.Name;
  }
  for (const AssetNeeds::WaveNeed& need : needs.Waves) {
    std::vector<uint8_t> bytes;
    std::vector<Wave> waves;
    ASSERT_EQ(g.archive.ReadEntry(need.Entry, bytes), ArchiveResult::Ok) << need.Entry;
    ASSERT_TRUE(DecodeWaveList(bytes.data(), bytes.size(), waves)) << need.Entry;
    EXPECT_TRUE(std::any_of(waves.begin(), waves.end(),
                            [&](const Wave& w) { return SameName(w.Name, need.Name); }))
        << need.Name << " not in " << need.Entry;
  }
}

}  // namespace vepa::testing
