// The layer over the headless backend: name lookups, missing names, the sound operations and
// their audio lock, the channel list, presenting frames and the keyboard snapshot.
#include "engine/layer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/backend_headless.h"

namespace vepa {
namespace {

// Counts the audio lock and checks that it is always released.
class LockCountingBackend : public HeadlessBackend {
 public:
  using HeadlessBackend::HeadlessBackend;
  void LockAudio() override {
    ++locks;
    ++depth;
    EXPECT_EQ(depth, 1) << "the audio lock is taken twice";
  }
  void UnlockAudio() override {
    ++unlocks;
    --depth;
    EXPECT_EQ(depth, 0) << "the audio lock is released without being held";
  }
  int locks = 0;
  int unlocks = 0;
  int depth = 0;
};

Image NamedImage(const char* name) {
  Image img;
  img.Name = name;
  img.Width = img.Height = img.PatternWidth = img.PatternHeight = 2;
  img.Pixels.assign(4, 0xFFFF);
  return img;
}

Wave NamedWave(const char* name, size_t frames = 1000, int rate = 10000) {
  Wave w;
  w.Name = name;
  w.Buffer.Channels = 1;
  w.Buffer.BitsPerSample = 16;
  w.Buffer.SampleRate = rate;
  w.Buffer.Frequency = rate;
  w.Buffer.Data.assign(frames * 2, 0);
  return w;
}

TEST(LayerNamesTest, ImagesAreFoundWithoutRegardToCase) {
  HeadlessBackend backend;
  Layer layer(backend);
  layer.Images(1)->Images = {NamedImage("Ruka01"), NamedImage("FontP")};
  layer.Images(3)->Images = {NamedImage("Kassa01")};
  const Image* hand = layer.FindImage(1, "Ruka01");
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(layer.FindImage(1, "RUKA01"), hand);
  EXPECT_EQ(layer.FindImage(1, "ruka01"), hand);
  ASSERT_NE(layer.FindImage(3, "kassa01"), nullptr);
  // Lists are separate: a kiosk sprite is not in the common list.
  EXPECT_EQ(layer.FindImage(1, "Kassa01"), nullptr);
  EXPECT_EQ(layer.Images(0), nullptr);
  EXPECT_EQ(layer.Images(4), nullptr);
}

TEST(LayerNamesTest, CaseFoldingCoversCyrillicOfCodePage1251) {
  EXPECT_TRUE(SameName("\xC0\xC1\xC2\xA8", "\xE0\xE1\xE2\xB8"));  // АБВЁ / абвё
  EXPECT_TRUE(SameName("Boom01", "boom01"));
  EXPECT_FALSE(SameName("Boom01", "Boom1"));
  EXPECT_FALSE(SameName("Boom01", "Boom02"));
  EXPECT_FALSE(SameName("@", "`"));  // neighbours of the letter range are not letters
}

TEST(LayerNamesTest, MissingNameIsReportedOnceAndCounted) {
  HeadlessBackend backend;
  Layer layer(backend);
  layer.Images(2)->Images = {NamedImage("Drot01")};
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(layer.FindImage(2, "Drot02"), nullptr);
  EXPECT_EQ(layer.FindImage(2, "Drot02"), nullptr);
  EXPECT_EQ(layer.FindWave(1, "Nothing01"), nullptr);
  EXPECT_EQ(layer.FindWave(1, "Nothing01"), nullptr);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "Image 'Drot02' not found\nWave 'Nothing01' not found\n");
  ASSERT_EQ(layer.Missing().Names.size(), 2u);
  EXPECT_EQ(layer.Missing().Names[0], "Image 'Drot02' not found");
  EXPECT_EQ(layer.Missing().Lookups, 4u);
  // Drawing with the missing image is harmless.
  layer.Draw(2, "Drot02", 0, 10, 10);
  EXPECT_EQ(layer.Missing().Lookups, 5u);
}

TEST(LayerNamesTest, WaveListFourHasTheTwoChannelItems) {
  HeadlessBackend backend;
  Layer layer(backend);
  WaveList* channels = layer.Waves(4);
  ASSERT_NE(channels, nullptr);
  ASSERT_EQ(channels->Waves.size(), 2u);
  ASSERT_NE(channels->WaveItem(0), nullptr);
  EXPECT_EQ(channels->WaveItem(0)->Name, "CustomSnd01");
  EXPECT_EQ(channels->WaveItem(1)->Name, "Music01");
  EXPECT_FALSE(channels->WaveItem(0)->Loop);
  EXPECT_FALSE(channels->WaveItem(1)->Loop);
  EXPECT_EQ(channels->WaveItem(2), nullptr);
  EXPECT_EQ(channels->WaveItem(-1), nullptr);
  EXPECT_EQ(layer.FindWave(4, "music01"), channels->WaveItem(1));
  EXPECT_EQ(layer.Waves(3), nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(layer.FindWave(3, "Music01"), nullptr);  // no such list
  ::testing::internal::GetCapturedStderr();
}

TEST(LayerNamesTest, FindWaveTakesTheFirstOfEqualNames) {
  HeadlessBackend backend;
  Layer layer(backend);
  layer.ReplaceWaves(2, {NamedWave("Boom01"), NamedWave("BOOM01"), NamedWave("Boom02")});
  EXPECT_EQ(layer.FindWave(2, "boom01"), layer.Waves(2)->WaveItem(0));
  EXPECT_EQ(layer.FindWave(2, "Boom02"), layer.Waves(2)->WaveItem(2));
}

TEST(LayerSoundTest, OperationsWithoutSoundOrWaveDoNothing) {
  LockCountingBackend backend(/*soundEnabled=*/false);
  Layer layer(backend);
  EXPECT_FALSE(layer.InitSound());
  EXPECT_FALSE(layer.SoundInitialized());
  layer.ReplaceWaves(1, {NamedWave("Pick01")});
  const int locksAfterLoad = backend.locks;
  Wave* w = layer.FindWave(1, "Pick01");
  ASSERT_NE(w, nullptr);
  layer.Play(w, false);
  EXPECT_FALSE(w->Buffer.Playing);
  EXPECT_FALSE(layer.IsPlaying(w));
  layer.SetVolume(w, -500);
  layer.SetFrequency(w, 22050);
  layer.SetPan(w, 5000);
  layer.SetPosition(w, 100);
  EXPECT_EQ(w->Buffer.Volume, 0);
  EXPECT_EQ(w->Buffer.Frequency, 10000);
  EXPECT_EQ(w->Buffer.Pan, 0);
  EXPECT_EQ(layer.GetPosition(w), 0u);
  layer.AdvanceAudio(1.0);
  EXPECT_EQ(backend.locks, locksAfterLoad);

  // A null wave (a name that was missing) is as harmless with sound on.
  LockCountingBackend withSound;
  Layer sounding(withSound);
  ASSERT_TRUE(sounding.InitSound());
  sounding.Play(nullptr, true);
  sounding.Stop(nullptr);
  sounding.SetPosition(nullptr, 0);
  sounding.SetFrequency(nullptr, 11000);
  sounding.SetVolume(nullptr, 0);
  sounding.SetPan(nullptr, 0);
  EXPECT_FALSE(sounding.IsPlaying(nullptr));
  EXPECT_EQ(sounding.GetPosition(nullptr), 0u);
  EXPECT_EQ(withSound.locks, 0);
}

TEST(LayerSoundTest, EachOperationTakesTheAudioLockOnce) {
  LockCountingBackend backend;
  Layer layer(backend);
  ASSERT_TRUE(layer.InitSound());
  EXPECT_TRUE(backend.AudioOpen());
  layer.ReplaceWaves(1, {NamedWave("Boom01")});
  Wave* w = layer.FindWave(1, "Boom01");
  ASSERT_NE(w, nullptr);
  int before = backend.locks;
  layer.SetFrequency(w, 20000);
  layer.SetVolume(w, -300);
  layer.SetPan(w, -400);
  layer.Play(w, false);
  layer.SetPosition(w, 200);
  EXPECT_TRUE(layer.IsPlaying(w));
  EXPECT_EQ(layer.GetPosition(w), 200u);
  layer.Stop(w);
  EXPECT_EQ(backend.locks - before, 8);
  EXPECT_EQ(backend.locks, backend.unlocks);
  EXPECT_EQ(w->Buffer.Frequency, 20000);
  EXPECT_EQ(w->Buffer.Volume, -300);
  EXPECT_EQ(w->Buffer.Pan, -400);
}

TEST(LayerSoundTest, SimulatedTimeEndsSoundsInAllLists) {
  HeadlessBackend backend;
  Layer layer(backend);
  ASSERT_TRUE(layer.InitSound());
  layer.ReplaceWaves(1, {NamedWave("Clock01", 1000, 10000)});  // 0.1 s
  layer.ReplaceWaves(2, {NamedWave("Krest01", 2000, 10000)});  // 0.2 s
  SoundBuffer phrase = NamedWave("x", 3000, 10000).Buffer;     // 0.3 s
  layer.LoadBufferFromWave(0, phrase);
  Wave* clock = layer.FindWave(1, "Clock01");
  Wave* cross = layer.FindWave(2, "Krest01");
  Wave* speech = layer.Waves(4)->WaveItem(0);
  layer.Play(clock, false);
  layer.Play(cross, true);
  layer.Play(speech, false);
  layer.AdvanceAudio(0.05);
  EXPECT_EQ(layer.GetPosition(clock), 500u * 2);
  EXPECT_EQ(layer.GetPosition(cross), 500u * 2);
  EXPECT_EQ(layer.GetPosition(speech), 500u * 2);
  layer.AdvanceAudio(0.05);
  EXPECT_FALSE(layer.IsPlaying(clock));
  EXPECT_EQ(layer.GetPosition(clock), 0u);
  for (int tick = 0; tick < 4; ++tick) layer.AdvanceAudio(0.05);
  EXPECT_FALSE(layer.IsPlaying(speech));
  EXPECT_TRUE(layer.IsPlaying(cross));  // looped: wraps to 0.3 - 0.2 = 0.1 s
  EXPECT_EQ(layer.GetPosition(cross), 1000u * 2);
}

TEST(LayerSoundTest, ReplacedWavesStartAsFreshBuffers) {
  HeadlessBackend backend;
  Layer layer(backend);
  ASSERT_TRUE(layer.InitSound());
  Wave stale = NamedWave("Kard01");
  stale.Buffer.Playing = true;
  stale.Buffer.Position = 50;
  stale.Buffer.Frequency = 3000;
  stale.Buffer.Volume = -700;
  layer.ReplaceWaves(2, {stale});
  Wave* w = layer.FindWave(2, "Kard01");
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(layer.IsPlaying(w));
  EXPECT_EQ(layer.GetPosition(w), 0u);
  EXPECT_EQ(w->Buffer.Frequency, 10000);
  EXPECT_EQ(w->Buffer.Volume, 0);
  // The old list is gone and the channel list cannot be replaced this way.
  layer.ReplaceWaves(2, {NamedWave("Kard02")});
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(layer.FindWave(2, "Kard01"), nullptr);
  ::testing::internal::GetCapturedStderr();
  layer.ReplaceWaves(4, {NamedWave("Other")});
  EXPECT_EQ(layer.Waves(4)->Waves.size(), 2u);
  EXPECT_EQ(layer.Waves(4)->WaveItem(0)->Name, "CustomSnd01");
}

TEST(LayerSoundTest, LoadingAChannelStopsItAndKeepsItsName) {
  HeadlessBackend backend;
  Layer layer(backend);
  ASSERT_TRUE(layer.InitSound());
  Wave* music = layer.Waves(4)->WaveItem(1);
  layer.LoadBufferFromWave(1, NamedWave("tune", 4000, 22050).Buffer);
  layer.SetVolume(music, -1200);
  layer.Play(music, true);
  layer.AdvanceAudio(0.05);
  ASSERT_GT(layer.GetPosition(music), 0u);

  layer.LoadBufferFromWave(1, NamedWave("tune2", 8000, 11025).Buffer);
  EXPECT_EQ(music, layer.Waves(4)->WaveItem(1));
  EXPECT_EQ(music->Name, "Music01");
  EXPECT_FALSE(layer.IsPlaying(music));
  EXPECT_EQ(layer.GetPosition(music), 0u);
  // A new sound is a new buffer: the caller sets the volume it wants after loading.
  EXPECT_EQ(music->Buffer.Volume, 0);
  EXPECT_EQ(music->Buffer.Frequency, 11025);
  EXPECT_EQ(music->Buffer.FrameCount(), 8000u);
  // Items other than the two channels are ignored.
  layer.LoadBufferFromWave(2, NamedWave("x").Buffer);
  EXPECT_EQ(layer.Waves(4)->Waves.size(), 2u);
}

TEST(LayerDisplayTest, FlipPresentsOnlyAnInitializedDisplay) {
  HeadlessBackend backend;
  Layer layer(backend);
  EXPECT_FALSE(layer.CanDraw());
  layer.Flip();
  EXPECT_EQ(backend.PresentCount(), 0u);
  EXPECT_EQ(backend.FrameHash(), 0u);

  layer.SetFullScreen(true);
  layer.SetDisplayMode(640, 480, 16);
  ASSERT_TRUE(layer.InitDisplay());
  EXPECT_TRUE(layer.CanDraw());
  EXPECT_TRUE(backend.FullScreen());
  layer.FillSurface(Rgb565(255, 0, 0));
  layer.Flip();
  EXPECT_EQ(layer.FramesPresented(), 1u);
  ASSERT_EQ(backend.LastFrame().width, 640);
  ASSERT_EQ(backend.LastFrame().height, 480);
  EXPECT_EQ(backend.LastFrame().At(639, 479), Rgb565(255, 0, 0));
  const uint64_t red = backend.FrameHash();
  layer.FillSurface(0);
  layer.Flip();
  EXPECT_NE(backend.FrameHash(), red);
  EXPECT_EQ(backend.FrameHash(), HashSurface(layer.BackBuffer()));

  layer.FinalizeDisplay();
  EXPECT_FALSE(layer.CanDraw());
  EXPECT_FALSE(backend.DisplayOpen());
  layer.Flip();
  EXPECT_EQ(backend.PresentCount(), 2u);
  layer.FinalizeDisplay();  // safe twice
}

// The layer keeps strong shrinks (text) between frames; a picture changed through Images()
// (here in place, so its pixels stay where they were) is averaged afresh, not shown as kept.
TEST(LayerDisplayTest, ChangedPicturesAreNotDrawnFromKeptShrinks) {
  HeadlessBackend backend;
  Layer layer(backend);
  ASSERT_TRUE(layer.InitDisplay());
  Image glyph = NamedImage("FontP");
  glyph.Width = glyph.Height = glyph.PatternWidth = glyph.PatternHeight = 30;
  glyph.Pixels.assign(900, Rgb565(255, 255, 255));
  layer.Images(1)->Images = {glyph};
  const Image* font = layer.FindImage(1, "FontP");
  const Rect box{10, 10, 20, 20};  // 30 -> 10: averaged
  layer.FillSurface(0);
  layer.DrawPatternAlpha(font, 0, box, 255);
  EXPECT_EQ(layer.BackBuffer().At(15, 15), Rgb565(255, 255, 255));

  Image& same = layer.Images(1)->Images[0];
  std::fill(same.Pixels.begin(), same.Pixels.end(), Rgb565(255, 0, 0));
  ASSERT_EQ(layer.FindImage(1, "FontP")->Pixels.data(), font->Pixels.data());
  layer.FillSurface(0);
  layer.DrawPatternAlpha(font, 0, box, 255);
  EXPECT_EQ(layer.BackBuffer().At(15, 15), Rgb565(255, 0, 0));
}

TEST(LayerDisplayTest, InitDisplayReportsWhyItFails) {
  HeadlessBackend noDisplay(true, /*displayEnabled=*/false);
  Layer layer(noDisplay);
  std::string error;
  EXPECT_FALSE(layer.InitDisplay(&error));
  EXPECT_FALSE(layer.CanDraw());
  EXPECT_FALSE(error.empty());

  HeadlessBackend backend;
  Layer other(backend);
  other.SetDisplayMode(800, 600, 32);
  other.SetFullScreen(true);
  EXPECT_FALSE(other.InitDisplay(&error));
  EXPECT_EQ(error, "Display mode cannot be changed (800x600 32bit)");
  // The mode matters only in full screen.
  other.SetFullScreen(false);
  EXPECT_TRUE(other.InitDisplay(&error));
}

TEST(LayerInputTest, KeysComeFromTheLastSnapshot) {
  HeadlessBackend backend;
  Layer layer(backend);
  backend.SetKey(27, true);
  EXPECT_FALSE(layer.KeyPressed(27));  // not read yet
  layer.UpdateInput();
  EXPECT_TRUE(layer.KeyPressed(27));
  EXPECT_FALSE(layer.KeyPressed(13));
  backend.SetKey(27, false);
  EXPECT_TRUE(layer.KeyPressed(27));  // the snapshot holds until the next read
  layer.UpdateInput();
  EXPECT_FALSE(layer.KeyPressed(27));

  backend.SetKey(255, true);
  backend.SetKey(0, true);
  backend.SetKey(256, true);
  backend.SetKey(-3, true);
  layer.UpdateInput();
  EXPECT_TRUE(layer.KeyPressed(255));
  EXPECT_FALSE(layer.KeyPressed(0));
  EXPECT_FALSE(layer.KeyPressed(256));
  EXPECT_FALSE(layer.KeyPressed(-3));
  backend.ReleaseAllKeys();
  layer.UpdateInput();
  EXPECT_FALSE(layer.KeyPressed(255));
}

}  // namespace
}  // namespace vepa
