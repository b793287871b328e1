// The default content of the logos, the start menu and the closing screen: everything the
// scenes read is in the archive, with the sizes, rates and lengths the scenes rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "engine/archive.h"
#include "engine/mixer.h"
#include "engine/streams.h"
#include "tests/scene_assets.h"
#include "tests/scene_fixture.h"

namespace vepa {
namespace {

class ScreensContentTest : public testing::SceneFixture {
 protected:
  ScreensContentTest() : SceneFixture(false, 1, false) {}

  std::vector<Image> ImagesOf(const std::string& entry) {
    std::vector<uint8_t> bytes;
    std::vector<Image> images;
    EXPECT_EQ(g.archive.ReadEntry(entry, bytes), ArchiveResult::Ok) << entry;
    EXPECT_TRUE(DecodeImageList(bytes.data(), bytes.size(), images)) << entry;
    return images;
  }
  const Image* Find(const std::vector<Image>& images, const std::string& name) {
    auto it = std::find_if(images.begin(), images.end(),
                           [&](const Image& i) { return SameName(i.Name, name); });
    return it == images.end() ? nullptr : &*it;
  }
  SoundBuffer Clip(const std::string& entry) {
    std::vector<uint8_t> bytes;
    SoundBuffer b;
    EXPECT_EQ(g.archive.ReadEntry(entry, bytes, true), ArchiveResult::Ok) << entry;
    EXPECT_TRUE(ParseWave(bytes.data(), bytes.size(), b)) << entry;
    return b;
  }
};

TEST_F(ScreensContentTest, ArchiveHoldsEverythingTheScreensUse) {
  for (const SceneId id :
       {SceneId::MakerLogo, SceneId::PublisherLogo, SceneId::StartMenu, SceneId::Closing})
    testing::ExpectSceneAssetsInArchive(g, SceneNo(id));
}

TEST_F(ScreensContentTest, TheCrittersPiecesHaveTheSizesTheirTurningPointsNeed) {
  const std::vector<Image> images = ImagesOf("d_dreb01");
  struct Size {
    const char* Name;
    int W, H;
  };
  for (const Size& size : {Size{"Dreb01", 59, 34}, Size{"Dreb02", 29, 31}, Size{"Dreb03", 143, 100},
                           Size{"Text01", 326, 128}, Size{"Svet01", 218, 59}}) {
    const Image* img = Find(images, size.Name);
    ASSERT_NE(img, nullptr) << size.Name;
    EXPECT_EQ(img->PatternWidth, size.W) << size.Name;
    EXPECT_EQ(img->PatternHeight, size.H) << size.Name;
  }
  // The maker's eyes and mouth lie inside the build-up pictures drawn at (144, 118).
  const std::vector<Image> sun = ImagesOf("s_kibp01");
  const Image* bax = Find(sun, "Bax13");
  const Image* eyes = Find(sun, "Glaza01");
  const Image* mouth = Find(sun, "Rot01");
  ASSERT_TRUE(bax && eyes && mouth);
  EXPECT_LE(310 + eyes->PatternWidth, 144 + bax->PatternWidth);
  EXPECT_LE(251 + mouth->PatternHeight, 118 + bax->PatternHeight);
}

TEST_F(ScreensContentTest, JinglesAreRecordedAtTheirRateAndLongEnoughForTheTextBeats) {
  const SoundBuffer dreb = Clip("dreb01");
  EXPECT_EQ(dreb.SampleRate, 22000);
  // The ribbon waits for 140000 bytes and the star for 220000: both must be reached while
  // the jingle still plays, and the star's beat must come after the texts begin.
  EXPECT_GT(dreb.Data.size(), 220000u + 22000u);
  for (const char* name : {"kibp01", "kibp02"}) {
    const SoundBuffer b = Clip(name);
    EXPECT_EQ(b.SampleRate, 22000) << name;
    EXPECT_GT(b.Data.size(), 44000u) << name << " is at least a second long";
  }
}

TEST_F(ScreensContentTest, PicturesFillTheScreenAndTheMenuMapMatchesItsLayout) {
  for (const char* name : {"l_blck01", "r_intm01", "l_demo01"}) {
    std::vector<uint8_t> bytes;
    Surface picture;
    ASSERT_EQ(g.archive.ReadEntry(name, bytes), ArchiveResult::Ok) << name;
    ASSERT_TRUE(DecodeBitmap(bytes.data(), bytes.size(), picture)) << name;
    EXPECT_EQ(picture.width, 640) << name;
    EXPECT_EQ(picture.height, 480) << name;
  }
  std::vector<uint8_t> map;
  ASSERT_EQ(g.archive.ReadEntry("b_intm01", map), ArchiveResult::Ok);
  ASSERT_GE(map.size(), 76800u);
  auto cell = [&map](int x, int y) { return map[static_cast<size_t>(y / 2) * 320 + x / 2]; };
  // Each option's line runs up to its selector; the button covers the rectangle it is drawn in.
  EXPECT_EQ(cell(400, 430), 3);
  EXPECT_EQ(cell(540, 430), 3);
  EXPECT_EQ(cell(400, 452), 4);
  EXPECT_EQ(cell(540, 452), 4);
  EXPECT_EQ(cell(537, 8), 5);
  EXPECT_EQ(cell(632, 48), 5);
  EXPECT_EQ(cell(320, 240), 0);
  EXPECT_EQ(cell(100, 440), 0) << "the Enter hint is not an option";
  // The two selectors are drawn 21 pixels apart and must not overlap.
  const std::vector<Image> menuImages = ImagesOf("s_intm01");
  const Image* selector = Find(menuImages, "Selector01");
  ASSERT_NE(selector, nullptr);
  EXPECT_LE(selector->PatternHeight, 21);
}

}  // namespace
}  // namespace vepa
