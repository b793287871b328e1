// The sound channels: effects by name, the speech channel with its countdown, and the music
// channel's rules for the same tune, "none" and the volume threshold.
#include "engine/sound.h"

#include <gtest/gtest.h>

#include "service_fixture.h"

namespace vepa {
namespace {

using servicetest::ServiceTest;
using servicetest::Silent;
using servicetest::TestRiffWave;
using servicetest::TestWave;

// Entries of the test archive: two tunes and two phrases of different lengths.
constexpr int kVepaFrames = 22050;
constexpr int kGunFrames = 5000;
constexpr int kKibFrames = 4410;
constexpr int kKndFrames = 3000;

std::vector<PackEntry> SoundEntries() {
  return {
      {"m_vepa4", TestRiffWave(kVepaFrames), false},
      {"m_gun02", TestRiffWave(kGunFrames), false},
      {"kib001", TestRiffWave(kKibFrames), true},
      {"knd01", TestRiffWave(kKndFrames), true},
  };
}

class SoundTest : public ServiceTest {
 protected:
  explicit SoundTest(bool sound = true) : ServiceTest(sound) {}
  void SetUp() override {
    s.WriteEntries(SoundEntries());
    s.layer.ReplaceWaves(1, {TestWave("Boom07", 8000), TestWave("Klik01", 2000)});
    s.layer.ReplaceWaves(2, {TestWave("Banka", 8000)});
  }
  Wave* Common(const char* name) { return s.layer.FindWave(1, name); }
  Wave* SceneWave(const char* name) { return s.layer.FindWave(2, name); }
};

using SilentSoundTest = Silent<SoundTest>;

// --- Effects.

TEST_F(SoundTest, EffectsPlayOnceAtTheCallersRateInTheirOwnList) {
  PlayCommonSound(g, "boom07", 8000);  // names are looked up without regard to case
  Wave* boom = Common("Boom07");
  EXPECT_TRUE(boom->Buffer.Playing);
  EXPECT_FALSE(boom->Buffer.Looping);
  EXPECT_EQ(boom->Buffer.Frequency, 8000);
  EXPECT_FALSE(Common("Klik01")->Buffer.Playing);

  PlaySceneSound(g, "Banka", 22000);
  EXPECT_TRUE(SceneWave("Banka")->Buffer.Playing);
  EXPECT_EQ(SceneWave("Banka")->Buffer.Frequency, 22000);
  // A scene sound is not searched in the common list.
  PlaySceneSound(g, "Klik01", 11000);
  EXPECT_FALSE(Common("Klik01")->Buffer.Playing);
}

TEST_F(SoundTest, PlayingAPlayingEffectContinuesWhereItIs) {
  PlayCommonSound(g, "Boom07", 11000);
  s.layer.AdvanceAudio(0.1);
  const uint32_t pos = s.layer.GetPosition(Common("Boom07"));
  ASSERT_GT(pos, 0u);
  PlayCommonSound(g, "Boom07", 11000);
  EXPECT_EQ(s.layer.GetPosition(Common("Boom07")), pos);
}

TEST_F(SoundTest, StopRewindsToTheStart) {
  PlayCommonSound(g, "Boom07", 11000);
  PlaySceneSound(g, "Banka", 11000);
  s.layer.AdvanceAudio(0.2);
  ASSERT_GT(s.layer.GetPosition(Common("Boom07")), 0u);

  StopCommonSound(g, "Boom07");
  EXPECT_FALSE(Common("Boom07")->Buffer.Playing);
  EXPECT_EQ(s.layer.GetPosition(Common("Boom07")), 0u);
  StopSceneSound(g, "Banka");
  EXPECT_FALSE(SceneWave("Banka")->Buffer.Playing);
  EXPECT_EQ(s.layer.GetPosition(SceneWave("Banka")), 0u);
}

TEST_F(SoundTest, AMissingEffectIsReportedAndNothingElseHappens) {
  PlayCommonSound(g, "Nowhere01", 11000);
  StopSceneSound(g, "Nowhere02");
  ASSERT_EQ(s.layer.Missing().Names.size(), 2u);
  EXPECT_NE(s.layer.Missing().Names[0].find("Nowhere01"), std::string::npos);
  EXPECT_FALSE(Common("Boom07")->Buffer.Playing);
}

TEST_F(SoundTest, WithTheFlagOffEffectsStaySilentEvenWithADevice) {
  g.SoundAvailable = 0;
  PlayCommonSound(g, "Boom07", 8000);
  PlaySceneSound(g, "Banka", 8000);
  EXPECT_FALSE(Common("Boom07")->Buffer.Playing);
  EXPECT_FALSE(SceneWave("Banka")->Buffer.Playing);
  EXPECT_NE(Common("Boom07")->Buffer.Frequency, 8000);
}

// --- Speech.

TEST_F(SoundTest, SayWaveLoadsThePhraseAndPlaysItOnceAtTheRate) {
  SayWave(g, "kib001", 11000);
  EXPECT_EQ(g.SpeechCountdown, 60);
  Wave* speech = s.Speech();
  EXPECT_EQ(speech->Buffer.FrameCount(), static_cast<size_t>(kKibFrames));
  EXPECT_EQ(speech->Buffer.Frequency, 11000);
  EXPECT_TRUE(speech->Buffer.Playing);
  EXPECT_FALSE(speech->Buffer.Looping);
  EXPECT_TRUE(IsSpeaking(g));
}

TEST_F(SoundTest, WithSoundIsSpeakingFollowsTheChannelNotTheCountdown) {
  SayWave(g, "kib001", 11000);  // 4410 frames at 11000 Hz: about 0.4 s
  s.layer.AdvanceAudio(0.5);
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_FALSE(IsSpeaking(g));
}

TEST_F(SoundTest, ANewPhraseReplacesTheOneStillPlaying) {
  SayWave(g, "kib001", 11000);
  s.layer.AdvanceAudio(0.1);
  ASSERT_GT(s.layer.GetPosition(s.Speech()), 0u);
  SayWave(g, "knd01", 14000);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), static_cast<size_t>(kKndFrames));
  EXPECT_EQ(s.layer.GetPosition(s.Speech()), 0u);
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 14000);
  EXPECT_TRUE(IsSpeaking(g));
}

TEST_F(SoundTest, AMissingPhraseEntryReplaysThePreviousSound) {
  SayWave(g, "kib001", 11000);
  s.layer.AdvanceAudio(1.0);  // played to its end
  ASSERT_FALSE(IsSpeaking(g));
  SayWave(g, "kib999", 13000);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), static_cast<size_t>(kKibFrames));
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 13000);
  EXPECT_TRUE(IsSpeaking(g));
  EXPECT_EQ(g.SpeechCountdown, 60);
}

// A clip read ahead plays like SayWave when it is started, however much later; the read leaves
// the channel alone, and a second start (or a clip whose entry is missing) replays what the
// channel holds.
TEST_F(SoundTest, AClipReadAheadPlaysWhenStarted) {
  SayWave(g, "kib001", 11000);
  SpokenClip clip;
  ReadSpokenClip(g, "knd01", clip);
  ASSERT_TRUE(clip.Ready);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), static_cast<size_t>(kKibFrames));
  EXPECT_TRUE(IsSpeaking(g));
  s.layer.AdvanceAudio(1.0);
  SayClip(g, clip, 14000);
  EXPECT_FALSE(clip.Ready);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), static_cast<size_t>(kKndFrames));
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 14000);
  EXPECT_EQ(s.layer.GetPosition(s.Speech()), 0u);
  EXPECT_TRUE(IsSpeaking(g));
  EXPECT_EQ(g.SpeechCountdown, 60);
  s.layer.AdvanceAudio(1.0);
  SayClip(g, clip, 13000);  // used up: the channel's sound again
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), static_cast<size_t>(kKndFrames));
  EXPECT_TRUE(IsSpeaking(g));

  SpokenClip missing;
  ReadSpokenClip(g, "kib999", missing);
  EXPECT_FALSE(missing.Ready);
  s.layer.AdvanceAudio(1.0);
  SayClip(g, missing, 11000);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), static_cast<size_t>(kKndFrames));
  EXPECT_TRUE(IsSpeaking(g));
}

TEST_F(SoundTest, StopSpeechEndsThePhraseAndTheCountdownAtOnce) {
  SayWave(g, "kib001", 11000);
  StopSpeech(g);
  EXPECT_EQ(g.SpeechCountdown, 0);
  EXPECT_FALSE(s.Speech()->Buffer.Playing);
  EXPECT_FALSE(IsSpeaking(g));
}

TEST_F(SilentSoundTest, WithoutSoundAPhraseCountsAsSpokenForSixtyTicks) {
  SayWave(g, "kib001", 11000);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), 0u);  // nothing loaded
  int ticks = 0;
  while (IsSpeaking(g) && ticks < 1000) {
    // The frame loop counts the countdown down once per tick.
    if (g.SpeechCountdown > 0) --g.SpeechCountdown;
    ++ticks;
  }
  EXPECT_EQ(ticks, 60);
}

TEST_F(SilentSoundTest, WithoutSoundAClipIsNotReadButStillCountsAsSpoken) {
  SpokenClip clip;
  ReadSpokenClip(g, "kib001", clip);
  EXPECT_FALSE(clip.Ready);
  SayClip(g, clip, 11000);
  EXPECT_EQ(s.Speech()->Buffer.FrameCount(), 0u);
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_TRUE(IsSpeaking(g));
}

TEST_F(SilentSoundTest, StopSpeechEndsTheCountdown) {
  SayWave(g, "kib001", 11000);
  ASSERT_TRUE(IsSpeaking(g));
  StopSpeech(g);
  EXPECT_EQ(g.SpeechCountdown, 0);
  EXPECT_FALSE(IsSpeaking(g));
}

// --- Music.

TEST_F(SoundTest, MusicLoadsAtTheSettingPlusTheOffsetAndLoops) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_vepa4", 200);
  Wave* music = s.Music();
  EXPECT_EQ(music->Buffer.FrameCount(), static_cast<size_t>(kVepaFrames));
  EXPECT_EQ(music->Buffer.Volume, -800);
  EXPECT_TRUE(music->Buffer.Playing);
  EXPECT_TRUE(music->Buffer.Looping);
  EXPECT_EQ(g.CurrentMusic, "m_vepa4");
}

TEST_F(SoundTest, TheSameTuneGoesOnAtItsOldVolume) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_vepa4", 0);
  s.layer.AdvanceAudio(0.3);
  const uint32_t pos = s.layer.GetPosition(s.Music());
  ASSERT_GT(pos, 0u);
  PlayMusic(g, "m_vepa4", 300);
  EXPECT_EQ(s.Music()->Buffer.Volume, -1000);
  EXPECT_EQ(s.layer.GetPosition(s.Music()), pos);
  EXPECT_TRUE(s.Music()->Buffer.Playing);
}

TEST_F(SoundTest, AnotherTuneReplacesTheCurrentOne) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_vepa4", 0);
  PlayMusic(g, "m_gun02", 300);
  EXPECT_EQ(s.Music()->Buffer.FrameCount(), static_cast<size_t>(kGunFrames));
  EXPECT_EQ(s.Music()->Buffer.Volume, -700);
  EXPECT_EQ(g.CurrentMusic, "m_gun02");
}

TEST_F(SoundTest, NoneStopsTheMusicAndTheTuneIsReloadedAfterwards) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_vepa4", 0);
  PlayMusic(g, "none", 0);
  EXPECT_FALSE(s.Music()->Buffer.Playing);
  EXPECT_EQ(g.CurrentMusic, "none");

  s.Music()->Buffer.Volume = -5000;  // only a reload sets the volume again
  PlayMusic(g, "m_vepa4", 200);
  EXPECT_EQ(s.Music()->Buffer.Volume, -800);
  EXPECT_TRUE(s.Music()->Buffer.Playing);
}

TEST_F(SoundTest, BelowMinus1900EveryRequestMeansNone) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_vepa4", 0);
  g.MusicVolume = -1901;
  PlayMusic(g, "m_vepa4", 0);
  EXPECT_FALSE(s.Music()->Buffer.Playing);
  EXPECT_EQ(g.CurrentMusic, "none");
  PlayMusic(g, "m_gun02", 300);
  EXPECT_FALSE(s.Music()->Buffer.Playing);
  EXPECT_EQ(s.Music()->Buffer.FrameCount(), static_cast<size_t>(kVepaFrames));  // not loaded

  // Raised again: the same tune is loaded anew, not just resumed.
  g.MusicVolume = -1000;
  s.Music()->Buffer.Data.clear();
  PlayMusic(g, "m_vepa4", 0);
  EXPECT_EQ(s.Music()->Buffer.FrameCount(), static_cast<size_t>(kVepaFrames));
  EXPECT_EQ(s.Music()->Buffer.Volume, -1000);
  EXPECT_TRUE(s.Music()->Buffer.Playing);
  EXPECT_EQ(g.CurrentMusic, "m_vepa4");
}

TEST_F(SoundTest, Minus1900ItselfStillPlays) {
  g.MusicVolume = -1900;
  PlayMusic(g, "m_vepa4", 0);
  EXPECT_TRUE(s.Music()->Buffer.Playing);
  EXPECT_EQ(s.Music()->Buffer.Volume, -1900);
  EXPECT_EQ(g.CurrentMusic, "m_vepa4");
}

TEST_F(SoundTest, TheTuneNameIsKeptToTenCharacters) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_longtune99", 0);  // not in the archive: the channel keeps what it had
  EXPECT_EQ(g.CurrentMusic, "m_longtune");
  // The cut name never equals the request, so the same request counts as a new tune.
  s.Music()->Buffer.Volume = -5000;
  PlayMusic(g, "m_longtune99", 100);
  EXPECT_EQ(s.Music()->Buffer.Volume, -900);
}

TEST_F(SilentSoundTest, WithoutSoundMusicRequestsChangeNothing) {
  PlayMusic(g, "m_vepa4", 0);
  EXPECT_EQ(g.CurrentMusic, "none");
  g.CurrentMusic = "m_vepa4";
  g.MusicVolume = -5000;
  PlayMusic(g, "none", 0);
  EXPECT_EQ(g.CurrentMusic, "m_vepa4");
  EXPECT_FALSE(s.Music()->Buffer.Playing);
}

}  // namespace
}  // namespace vepa
