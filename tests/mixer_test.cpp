// Sound buffers and the mixer: rate, positions in bytes, looping and single plays, volume and
// pan laws, interpolation and saturation.
#include "engine/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vepa {
namespace {

// A 16-bit buffer whose every sample (all channels) holds `value`.
SoundBuffer ConstantBuffer(size_t frames, int16_t value, int rate = 11025, int channels = 1) {
  SoundBuffer b;
  b.Channels = channels;
  b.BitsPerSample = 16;
  b.SampleRate = rate;
  b.Frequency = rate;
  b.Data.resize(frames * static_cast<size_t>(channels) * 2);
  for (size_t i = 0; i < frames * static_cast<size_t>(channels); ++i) {
    b.Data[2 * i] = static_cast<uint8_t>(static_cast<uint16_t>(value) & 0xFF);
    b.Data[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
  }
  return b;
}

// A 16-bit mono buffer with the given samples.
SoundBuffer SampleBuffer(const std::vector<int16_t>& samples, int rate) {
  SoundBuffer b = ConstantBuffer(samples.size(), 0, rate);
  for (size_t i = 0; i < samples.size(); ++i) {
    b.Data[2 * i] = static_cast<uint8_t>(static_cast<uint16_t>(samples[i]) & 0xFF);
    b.Data[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(samples[i]) >> 8);
  }
  return b;
}

// Mixes one buffer (wrapped in a wave list) and returns the interleaved output.
std::vector<int16_t> MixOne(std::vector<Wave>& list, int frames, int deviceRate) {
  Mixer mixer;
  mixer.SetSources({&list});
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);  // garbage to overwrite
  mixer.Mix(out.data(), frames, deviceRate);
  return out;
}

std::vector<Wave> ListOf(SoundBuffer b) {
  std::vector<Wave> list(1);
  list[0].Name = "Test01";
  list[0].Buffer = std::move(b);
  return list;
}

TEST(SoundBufferTest, PlaybackRateSetsHowLongASinglePlayLasts) {
  // 11025 frames at 22050 Hz last half a second, whatever the recorded rate.
  SoundBuffer b = ConstantBuffer(11025, 100, 11025);
  b.SetFrequency(22050);
  b.Play(false);
  b.Advance(0.25);
  EXPECT_TRUE(b.IsPlaying());
  EXPECT_EQ(b.GetPosition(), 5512u * 2);  // frame 5512.5 reported as whole frames in bytes
  b.Advance(0.25);
  EXPECT_FALSE(b.IsPlaying());
  EXPECT_EQ(b.GetPosition(), 0u);

  // The same in 50 ms ticks: still playing after nine, ended by the tenth.
  SoundBuffer c = ConstantBuffer(11025, 100, 11025);
  c.SetFrequency(22050);
  c.Play(false);
  for (int tick = 0; tick < 9; ++tick) c.Advance(0.05);
  EXPECT_TRUE(c.IsPlaying());
  c.Advance(0.05);
  EXPECT_FALSE(c.IsPlaying());
}

TEST(SoundBufferTest, PositionIsInBytesOfWholeFrames) {
  SoundBuffer b = ConstantBuffer(2000, 0, 11025, 2);  // 16-bit stereo: 4 bytes a frame
  ASSERT_EQ(b.BlockAlign(), 4);
  b.SetPosition(4000);
  EXPECT_EQ(b.GetPosition(), 4000u);
  b.SetPosition(4003);  // inside frame 1000
  EXPECT_EQ(b.GetPosition(), 4000u);
  b.Play(false);
  b.Advance(0.01);  // 110.25 frames at 11025 Hz
  EXPECT_EQ(b.GetPosition(), (1000u + 110u) * 4);

  // A position at or past the end is refused and the old one stays.
  b.SetPosition(8000);
  EXPECT_EQ(b.GetPosition(), (1000u + 110u) * 4);
  b.SetPosition(7996);  // the last frame is allowed
  EXPECT_EQ(b.GetPosition(), 7996u);
  b.SetPosition(0);
  EXPECT_EQ(b.GetPosition(), 0u);
}

TEST(SoundBufferTest, LoopWrapsAndSinglePlayStopsRewound) {
  SoundBuffer loop = ConstantBuffer(1000, 0, 1000);
  loop.Play(true);
  loop.Advance(2.5);
  EXPECT_TRUE(loop.IsPlaying());
  EXPECT_EQ(loop.GetPosition(), 500u * 2);

  SoundBuffer once = ConstantBuffer(1000, 0, 1000);
  once.Play(false);
  once.Advance(0.999);
  EXPECT_TRUE(once.IsPlaying());
  once.Advance(0.001);  // exactly at the end counts as ended
  EXPECT_FALSE(once.IsPlaying());
  EXPECT_EQ(once.GetPosition(), 0u);
  // Played again, it starts over from the beginning.
  once.Play(false);
  once.Advance(0.1);
  EXPECT_EQ(once.GetPosition(), 100u * 2);
}

TEST(SoundBufferTest, StopKeepsPositionAndPlayContinues) {
  SoundBuffer b = ConstantBuffer(1000, 0, 1000);
  b.Play(false);
  b.Advance(0.3);
  b.Stop();
  EXPECT_FALSE(b.IsPlaying());
  b.Advance(0.3);  // a stopped buffer does not move
  EXPECT_EQ(b.GetPosition(), 300u * 2);
  b.Play(false);
  b.Advance(0.1);
  EXPECT_EQ(b.GetPosition(), 400u * 2);
}

TEST(SoundBufferTest, EmptyBufferNeverPlays) {
  SoundBuffer b;
  b.Play(true);
  EXPECT_FALSE(b.IsPlaying());
  b.SetPosition(0);
  EXPECT_EQ(b.GetPosition(), 0u);
  b.Advance(1.0);
  EXPECT_FALSE(b.IsPlaying());
}

TEST(SoundBufferTest, SettingsAreClampedToTheirRanges) {
  SoundBuffer b = ConstantBuffer(10, 0, 11025);
  b.SetFrequency(3000);
  EXPECT_EQ(b.Frequency, 3000);
  b.SetFrequency(5);
  EXPECT_EQ(b.Frequency, SoundBuffer::MinFrequency);
  b.SetFrequency(1000000);
  EXPECT_EQ(b.Frequency, SoundBuffer::MaxFrequency);
  b.SetFrequency(0);  // back to the recorded rate
  EXPECT_EQ(b.Frequency, 11025);
  b.SetVolume(300);
  EXPECT_EQ(b.Volume, 0);
  b.SetVolume(-20000);
  EXPECT_EQ(b.Volume, -10000);
  b.SetPan(28800);  // a pan computed from a position at the screen edge
  EXPECT_EQ(b.Pan, 10000);
  b.SetPan(-28800);
  EXPECT_EQ(b.Pan, -10000);
}

TEST(MixerTest, FullVolumeCentredPassesSamplesThrough) {
  auto list = ListOf(ConstantBuffer(1000, 16384, 44100));
  list[0].Buffer.Play(false);
  auto out = MixOne(list, 100, 44100);
  for (int16_t s : out) EXPECT_NEAR(s, 16384, 1);
}

TEST(MixerTest, VolumeFollowsTheDecibelLaw) {
  auto quiet = ListOf(ConstantBuffer(1000, 16384, 44100));
  quiet[0].Buffer.SetVolume(-2000);  // -20 dB: a tenth
  quiet[0].Buffer.Play(false);
  auto out = MixOne(quiet, 10, 44100);
  EXPECT_NEAR(out[0], 1638, 2);
  EXPECT_NEAR(out[1], 1638, 2);

  auto silent = ListOf(ConstantBuffer(1000, 32767, 44100));
  silent[0].Buffer.SetVolume(-10000);
  silent[0].Buffer.Play(false);
  out = MixOne(silent, 100, 44100);
  for (int16_t s : out) EXPECT_EQ(s, 0);
  // Silent buffers still run through their sound.
  EXPECT_EQ(silent[0].Buffer.GetPosition(), 100u * 2);
}

TEST(MixerTest, PanAttenuatesTheOppositeSide) {
  auto left = ListOf(ConstantBuffer(100, 16384, 44100));
  left[0].Buffer.SetPan(-10000);
  left[0].Buffer.Play(false);
  auto out = MixOne(left, 10, 44100);
  EXPECT_NEAR(out[0], 16384, 1);
  EXPECT_EQ(out[1], 0);

  auto right = ListOf(ConstantBuffer(100, 16384, 44100));
  right[0].Buffer.SetPan(10000);
  right[0].Buffer.Play(false);
  out = MixOne(right, 10, 44100);
  EXPECT_EQ(out[0], 0);
  EXPECT_NEAR(out[1], 16384, 1);

  auto partly = ListOf(ConstantBuffer(100, 16384, 44100));
  partly[0].Buffer.SetPan(2000);  // 20 dB down on the left, right untouched
  partly[0].Buffer.Play(false);
  out = MixOne(partly, 10, 44100);
  EXPECT_NEAR(out[0], 1638, 2);
  EXPECT_NEAR(out[1], 16384, 1);
}

TEST(MixerTest, SumSaturatesInsteadOfWrapping) {
  std::vector<Wave> list(3);
  list[0].Buffer = ConstantBuffer(100, 26000, 44100);
  list[1].Buffer = ConstantBuffer(100, 26000, 44100);
  list[2].Buffer = ConstantBuffer(100, -30000, 44100);
  list[0].Buffer.Play(false);
  list[1].Buffer.Play(false);
  auto out = MixOne(list, 10, 44100);
  for (int16_t s : out) EXPECT_EQ(s, 32767);

  list[0].Buffer = ConstantBuffer(100, -26000, 44100);
  list[1].Buffer = ConstantBuffer(100, -26000, 44100);
  list[0].Buffer.Play(false);
  list[1].Buffer.Play(false);
  list[2].Buffer.Play(false);
  out = MixOne(list, 10, 44100);
  for (int16_t s : out) EXPECT_EQ(s, -32768);
}

TEST(MixerTest, ResamplesWithLinearInterpolation) {
  // At half the device rate each recorded frame spans two output frames; the in-between one
  // is the average of its neighbours.
  auto list = ListOf(SampleBuffer({0, 20000, -20000, 8000}, 22050));
  list[0].Buffer.Play(false);
  auto out = MixOne(list, 10, 44100);
  const int expected[] = {0, 10000, 20000, 0, -20000, -6000, 8000, 8000};
  for (int i = 0; i < 8; ++i) {
    EXPECT_NEAR(out[2 * i], expected[i], 2) << i;
    EXPECT_EQ(out[2 * i], out[2 * i + 1]) << i;  // mono goes to both sides
  }
  // Played once to the end: the buffer stops, rewound, and the rest of the output is silence.
  EXPECT_FALSE(list[0].Buffer.IsPlaying());
  EXPECT_EQ(list[0].Buffer.GetPosition(), 0u);
  EXPECT_EQ(out[16], 0);
  EXPECT_EQ(out[18], 0);
}

TEST(MixerTest, MixingMovesPositionsLikeSimulatedTime) {
  std::vector<Wave> list(2);
  list[0].Buffer = ConstantBuffer(100000, 1000, 22050, 2);
  list[1].Buffer = ConstantBuffer(100000, 1000, 22050, 2);
  list[0].Buffer.Play(false);
  list[1].Buffer.Play(false);
  Mixer mixer;
  mixer.SetSources({&list});
  std::vector<int16_t> out(441 * 2);
  mixer.Mix(out.data(), 441, 44100);  // 10 ms
  // The other buffer is moved by the same 10 ms without a device.
  Mixer clock;
  std::vector<Wave> other(1);
  other[0].Buffer = ConstantBuffer(100000, 1000, 22050, 2);
  other[0].Buffer.Play(false);
  clock.SetSources({&other});
  clock.Advance(0.01);
  EXPECT_EQ(list[0].Buffer.GetPosition(), 220u * 4);  // 220.5 frames
  EXPECT_EQ(other[0].Buffer.GetPosition(), list[0].Buffer.GetPosition());
}

TEST(MixerTest, LoopedBufferWrapsWhileMixing) {
  auto list = ListOf(SampleBuffer({1000, 2000, 3000}, 44100));
  list[0].Buffer.Play(true);
  auto out = MixOne(list, 7, 44100);
  const int expected[] = {1000, 2000, 3000, 1000, 2000, 3000, 1000};
  for (int i = 0; i < 7; ++i) EXPECT_NEAR(out[2 * i], expected[i], 1) << i;
  EXPECT_TRUE(list[0].Buffer.IsPlaying());
  EXPECT_EQ(list[0].Buffer.GetPosition(), 1u * 2);
}

TEST(MixerTest, EightBitSamplesAreUnsigned) {
  SoundBuffer b;
  b.Channels = 1;
  b.BitsPerSample = 8;
  b.SampleRate = b.Frequency = 44100;
  b.Data = {128, 192, 64, 0};
  auto list = ListOf(b);
  list[0].Buffer.Play(false);
  auto out = MixOne(list, 4, 44100);
  EXPECT_NEAR(out[0], 0, 1);
  EXPECT_NEAR(out[2], 16384, 1);
  EXPECT_NEAR(out[4], -16384, 1);
  EXPECT_NEAR(out[6], -32767, 1);
}

TEST(MixerTest, StoppedBuffersAndNoSourcesGiveSilence) {
  auto list = ListOf(ConstantBuffer(100, 20000, 44100));
  auto out = MixOne(list, 16, 44100);  // never started
  for (int16_t s : out) EXPECT_EQ(s, 0);
  EXPECT_EQ(list[0].Buffer.GetPosition(), 0u);

  Mixer empty;
  std::vector<int16_t> buf(32, 777);
  empty.Mix(buf.data(), 16, 44100);
  for (int16_t s : buf) EXPECT_EQ(s, 0);
}

TEST(MixerTest, AdvanceMovesOnlyPlayingBuffersOfEveryList) {
  std::vector<Wave> a(2), b(1);
  a[0].Buffer = ConstantBuffer(10000, 0, 10000);
  a[1].Buffer = ConstantBuffer(10000, 0, 10000);
  b[0].Buffer = ConstantBuffer(10000, 0, 10000);
  a[0].Buffer.Play(false);
  b[0].Buffer.Play(true);
  Mixer mixer;
  mixer.SetSources({&a, &b});
  mixer.Advance(0.05);
  EXPECT_EQ(a[0].Buffer.GetPosition(), 500u * 2);
  EXPECT_EQ(a[1].Buffer.GetPosition(), 0u);
  EXPECT_EQ(b[0].Buffer.GetPosition(), 500u * 2);
}

}  // namespace
}  // namespace vepa
