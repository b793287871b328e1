// The scene loaders over a packed archive: each consumer gets its entry, a missing entry loads
// nothing, a damaged one loads nothing and is reported once, an unopenable file sets FatalError.
#include "engine/loaders.h"

#include <gtest/gtest.h>

#include "app/game.h"
#include "engine/backend_headless.h"
#include "engine/streams.h"
#include "tests/archive_fixtures.h"

namespace vepa {
namespace {

using archive_testing::DirectoryRecordBytes;
using archive_testing::PatternBytes;
using archive_testing::TempDir;
using archive_testing::WriteBytes;

Surface Picture(int w, int h, uint16_t seed) {
  Surface s(w, h);
  for (size_t i = 0; i < s.pixels.size(); ++i) s.pixels[i] = static_cast<uint16_t>(seed + i * 37);
  return s;
}

Image SpriteImage(const std::string& name, int patterns, uint16_t color) {
  Image img;
  img.Name = name;
  img.Width = 8 * patterns;
  img.Height = 6;
  img.PatternWidth = 8;
  img.PatternHeight = 6;
  img.Pixels.assign(static_cast<size_t>(img.Width) * img.Height, color);
  img.Alpha.assign(img.Pixels.size(), 200);
  return img;
}

std::vector<int16_t> Tone(size_t n, int16_t step) {
  std::vector<int16_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<int16_t>(i * step);
  return v;
}

std::vector<uint8_t> HitMapBytes(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i % 251 + 1);
  return v;
}

class LoadersTest : public ::testing::Test {
 protected:
  LoadersTest() : layer(backend), game(layer) {
    game.archive.SetDataDir(dir.Dir());
    game.SoundAvailable = 1;
  }

  void Pack(const std::vector<PackEntry>& entries) {
    std::string error;
    ASSERT_TRUE(WriteArchive(dir.Dir(), entries, &error)) << error;
  }

  // The usual content of a scene.
  void PackScene() {
    background = Picture(64, 48, 5);
    sprites = {SpriteImage("Ruka01", 3, 0x1234), SpriteImage("Kib01", 2, 0x4321)};
    waveItems = {{"Boom01", false, EncodeRiffWave(Tone(400, 97), 11000)},
                 {"Melnic01", true, EncodeRiffWave(Tone(50, 300), 22050, 1, 8)}};
    music = EncodeRiffWave(Tone(3000, 13), 22050);
    speech = EncodeRiffWave(Tone(1500, 29), 11000);
    hitMap = HitMapBytes(76800);
    Pack({{"b_test01", hitMap, false},
          {"kib046", speech, true},
          {"m_vepa4", music, false},
          {"r_test01", EncodeBitmap(background), false},
          {"s_test01", EncodeImageList(sprites), false},
          {"w_test01", EncodeWaveList(waveItems), false}});
  }

  TempDir dir;
  HeadlessBackend backend;
  Layer layer;
  Game game;

  Surface background;
  std::vector<Image> sprites;
  std::vector<WaveListItem> waveItems;
  std::vector<uint8_t> music, speech, hitMap;
};

TEST_F(LoadersTest, BackgroundGoesToHolderAndSurface) {
  PackScene();
  LoadBackground(game, "r_test01");
  EXPECT_EQ(game.FatalError, 0);
  EXPECT_EQ(layer.BitmapHolder().pixels, background.pixels);
  EXPECT_EQ(layer.BackgroundSurface().width, 64);
  EXPECT_EQ(layer.BackgroundSurface().pixels, background.pixels);
}

TEST_F(LoadersTest, MissingBackgroundStillRefillsTheSurface) {
  PackScene();
  LoadBackground(game, "r_test01");
  layer.BackgroundSurface() = Picture(4, 4, 9);  // as if the surface had been lost
  LoadBackground(game, "r_none01");
  EXPECT_EQ(game.FatalError, 0);
  EXPECT_EQ(layer.BackgroundSurface().pixels, background.pixels);
  EXPECT_EQ(layer.BitmapHolder().pixels, background.pixels);
}

TEST_F(LoadersTest, DamagedBackgroundKeepsTheOldPictureAndIsReportedOnce) {
  PackScene();
  LoadBackground(game, "r_test01");
  std::vector<uint8_t> bad = EncodeBitmap(Picture(64, 48, 1));
  bad.resize(100);  // pixels cut short
  Pack({{"r_bad01", bad, false}});
  ::testing::internal::CaptureStderr();
  LoadBackground(game, "r_bad01");
  LoadBackground(game, "r_bad01");
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(game.FatalError, 0);
  EXPECT_EQ(layer.BitmapHolder().pixels, background.pixels);
  EXPECT_EQ(layer.BackgroundSurface().pixels, background.pixels);
  EXPECT_EQ(game.archive.MalformedReportCount(), 1u);
  EXPECT_NE(err.find("r_bad01"), std::string::npos);
  EXPECT_EQ(err.find("r_bad01"), err.rfind("r_bad01")) << "reported twice: " << err;
}

TEST_F(LoadersTest, ImagesReplaceListsOneToThree) {
  PackScene();
  for (int list = 1; list <= 3; ++list) {
    layer.Images(list)->Images = {SpriteImage("Old01", 1, 1)};
    LoadImages(game, list, "s_test01");
    const auto& images = layer.Images(list)->Images;
    ASSERT_EQ(images.size(), 2u) << list;
    EXPECT_EQ(images[0].Name, "Ruka01");
    EXPECT_EQ(images[0].PatternCount(), 3);
    EXPECT_EQ(images[1].Pixels, sprites[1].Pixels);
    EXPECT_EQ(images[1].Alpha, sprites[1].Alpha);
  }
  EXPECT_NE(layer.FindImage(2, "ruka01"), nullptr);
  // Other list numbers load nothing and touch nothing.
  layer.Images(2)->Images = {SpriteImage("Old01", 1, 1)};
  LoadImages(game, 0, "s_test01");
  LoadImages(game, 4, "s_test01");
  EXPECT_EQ(layer.Images(2)->Images.size(), 1u);
  EXPECT_EQ(game.FatalError, 0);
}

TEST_F(LoadersTest, MissingOrDamagedImageListLeavesTheListAlone) {
  std::vector<uint8_t> cut = EncodeImageList({SpriteImage("Ruka01", 3, 7)});
  cut.resize(cut.size() - 5);
  Pack({{"s_cut01", cut, false}, {"s_empty01", {}, false}});
  layer.Images(2)->Images = {SpriteImage("Old01", 1, 1)};
  LoadImages(game, 2, "s_none01");
  EXPECT_EQ(layer.Images(2)->Images.size(), 1u);
  ::testing::internal::CaptureStderr();
  LoadImages(game, 2, "s_cut01");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(layer.Images(2)->Images.size(), 1u);
  EXPECT_EQ(layer.Images(2)->Images[0].Name, "Old01");
  EXPECT_EQ(game.archive.MalformedReportCount(), 1u);
  // An entry of size 0 is an empty stream: the list ends up empty.
  LoadImages(game, 2, "s_empty01");
  EXPECT_TRUE(layer.Images(2)->Images.empty());
  EXPECT_EQ(game.FatalError, 0);
}

TEST_F(LoadersTest, HitMapReadsAtMost76800Bytes) {
  PackScene();
  LoadHitMap(game, "b_test01");
  EXPECT_TRUE(std::equal(hitMap.begin(), hitMap.end(), game.HitMap.begin()));

  // Longer entry: its first 76800 bytes, the rest ignored.
  std::vector<uint8_t> longer = HitMapBytes(80000);
  std::reverse(longer.begin(), longer.end());
  // Shorter entry: the cells after it stay as they were.
  std::vector<uint8_t> shorter(1000, 77);
  Pack({{"b_long01", longer, false}, {"b_short01", shorter, false}, {"b_zero01", {}, false}});
  LoadHitMap(game, "b_long01");
  EXPECT_TRUE(std::equal(game.HitMap.begin(), game.HitMap.end(), longer.begin()));
  std::vector<uint8_t> before(game.HitMap.begin(), game.HitMap.end());
  LoadHitMap(game, "b_short01");
  EXPECT_EQ(game.HitMap[0], 77);
  EXPECT_EQ(game.HitMap[999], 77);
  EXPECT_EQ(game.HitMap[1000], before[1000]);
  EXPECT_EQ(game.HitMap[76799], before[76799]);
  before.assign(game.HitMap.begin(), game.HitMap.end());
  LoadHitMap(game, "b_zero01");
  LoadHitMap(game, "b_none01");
  EXPECT_TRUE(std::equal(before.begin(), before.end(), game.HitMap.begin()));
  EXPECT_EQ(game.FatalError, 0);
}

TEST_F(LoadersTest, WavesLoadOnlyWithSound) {
  PackScene();
  LoadWaves(game, 2, "w_test01");
  ASSERT_EQ(layer.Waves(2)->Waves.size(), 2u);
  EXPECT_EQ(layer.Waves(2)->Waves[0].Name, "Boom01");
  EXPECT_EQ(layer.Waves(2)->Waves[0].Buffer.Data.size(), 800u);
  EXPECT_TRUE(layer.Waves(2)->Waves[1].Loop);
  EXPECT_EQ(layer.Waves(2)->Waves[1].Buffer.SampleRate, 22050);
  LoadWaves(game, 1, "w_test01");
  EXPECT_EQ(layer.Waves(1)->Waves.size(), 2u);
  // List 3 and 4 are not loadable lists.
  LoadWaves(game, 3, "w_test01");
  LoadWaves(game, 4, "w_test01");
  EXPECT_EQ(layer.Waves(4)->Waves[0].Name, "CustomSnd01");
  EXPECT_EQ(layer.Waves(4)->Waves.size(), 2u);

  game.SoundAvailable = 0;
  layer.Waves(2)->Waves.clear();
  LoadWaves(game, 2, "w_test01");
  EXPECT_TRUE(layer.Waves(2)->Waves.empty());
  // Without sound the archive is not even opened: no FatalError for missing files.
  std::filesystem::remove(dir.File(DataFileName));
  LoadWaves(game, 2, "w_test01");
  LoadChannelWave(game, "m_vepa4", 1);
  EXPECT_EQ(game.FatalError, 0);
}

TEST_F(LoadersTest, SpeechUnscramblesOnlyItsHeadMusicEverything) {
  PackScene();
  LoadChannelWave(game, "kib046", 0);
  SoundBuffer& speechBuffer = layer.Waves(4)->Waves[0].Buffer;
  SoundBuffer expected;
  ASSERT_TRUE(ParseWave(speech.data(), speech.size(), expected));
  EXPECT_EQ(speechBuffer.Data, expected.Data);
  EXPECT_EQ(speechBuffer.SampleRate, 11000);

  LoadChannelWave(game, "m_vepa4", 1);
  SoundBuffer& musicBuffer = layer.Waves(4)->Waves[1].Buffer;
  ASSERT_TRUE(ParseWave(music.data(), music.size(), expected));
  EXPECT_EQ(musicBuffer.Data, expected.Data);

  // The music entry through the speech channel keeps its tail scrambled: different sound.
  LoadChannelWave(game, "m_vepa4", 0);
  EXPECT_NE(layer.Waves(4)->Waves[0].Buffer.Data, expected.Data);
  // Not found: the channel keeps what it had.
  LoadChannelWave(game, "kib999", 1);
  EXPECT_EQ(layer.Waves(4)->Waves[1].Buffer.Data, expected.Data);
  // Other channel numbers load nothing.
  LoadChannelWave(game, "kib046", 2);
  EXPECT_EQ(game.FatalError, 0);
}

TEST_F(LoadersTest, DamagedChannelWaveKeepsTheOldSound) {
  PackScene();
  LoadChannelWave(game, "m_vepa4", 1);
  const std::vector<uint8_t> old = layer.Waves(4)->Waves[1].Buffer.Data;
  Pack({{"m_bad", {'R', 'I', 'F', 'F', 1, 2, 3}, false}, {"m_empty", {}, false}});
  ::testing::internal::CaptureStderr();
  LoadChannelWave(game, "m_bad", 1);
  LoadChannelWave(game, "m_empty", 1);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(layer.Waves(4)->Waves[1].Buffer.Data, old);
  EXPECT_EQ(game.archive.MalformedReportCount(), 2u);
}

TEST_F(LoadersTest, UnopenableArchiveSetsFatalError) {
  // No archive at all.
  auto expectFatal = [&](const char* what, auto load) {
    game.FatalError = 0;
    load();
    EXPECT_EQ(game.FatalError, 1) << what;
  };
  layer.Images(2)->Images = {SpriteImage("Old01", 1, 1)};
  expectFatal("background", [&] { LoadBackground(game, "r_test01"); });
  expectFatal("images", [&] { LoadImages(game, 2, "s_test01"); });
  expectFatal("hit map", [&] { LoadHitMap(game, "b_test01"); });
  expectFatal("waves", [&] { LoadWaves(game, 2, "w_test01"); });
  expectFatal("speech", [&] { LoadChannelWave(game, "kib046", 0); });
  EXPECT_EQ(layer.Images(2)->Images.size(), 1u);

  // Directory present, data file missing.
  PackScene();
  std::filesystem::remove(dir.File(DataFileName));
  layer.BackgroundSurface() = Picture(4, 4, 9);
  expectFatal("background", [&] { LoadBackground(game, "r_test01"); });
  // The load ended at once: the background surface was not refilled.
  EXPECT_EQ(layer.BackgroundSurface().width, 4);
  expectFatal("images", [&] { LoadImages(game, 1, "s_test01"); });
  expectFatal("hit map", [&] { LoadHitMap(game, "b_test01"); });
  expectFatal("waves", [&] { LoadWaves(game, 1, "w_test01"); });
  expectFatal("music", [&] { LoadChannelWave(game, "m_vepa4", 1); });
  EXPECT_EQ(layer.Images(2)->Images.size(), 1u);
}

TEST_F(LoadersTest, RecordsOutsideTheDataFileLoadNothing) {
  PackScene();
  LoadHitMap(game, "b_test01");
  LoadImages(game, 2, "s_test01");
  // Hand-made directory: the data file is 50 bytes, the records point past it.
  std::vector<uint8_t> d;
  for (const auto& r :
       {DirectoryRecordBytes("b_test01", 40, 76800), DirectoryRecordBytes("s_test01", -1, 10),
        DirectoryRecordBytes("r_test01", 0, -5), DirectoryRecordBytes("w_test01", 49, 2)})
    d.insert(d.end(), r.begin(), r.end());
  WriteBytes(dir.File(DirectoryFileName), d);
  WriteBytes(dir.File(DataFileName), PatternBytes(50, 0));
  ::testing::internal::CaptureStderr();
  LoadHitMap(game, "b_test01");
  LoadImages(game, 2, "s_test01");
  LoadBackground(game, "r_test01");
  LoadWaves(game, 2, "w_test01");
  LoadHitMap(game, "b_test01");
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(game.FatalError, 0);
  EXPECT_TRUE(std::equal(hitMap.begin(), hitMap.end(), game.HitMap.begin()));
  EXPECT_EQ(layer.Images(2)->Images.size(), 2u);
  EXPECT_EQ(game.archive.MalformedReportCount(), 4u);
  EXPECT_NE(err.find("b_test01"), std::string::npos);
}

}  // namespace
}  // namespace vepa
