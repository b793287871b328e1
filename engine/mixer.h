// Sound buffers and the mixer that plays them. Both the SDL audio device and the headless
// layer use the same buffers: the device pulls mixed samples, the headless layer advances the
// play positions in simulated time, so code that waits for a sound behaves the same in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vepa {

// PCM data of one RIFF WAVE and its playback state. Positions are in bytes of the PCM data,
// as the game reads them.
struct SoundBuffer {
  std::vector<uint8_t> Data;  // PCM bytes (8-bit unsigned or 16-bit signed little-endian)
  int Channels = 1;
  int BitsPerSample = 8;
  int SampleRate = 11025;  // as stored
  int Frequency = 11025;   // playback rate in Hz (pitch and speed)
  int Volume = 0;          // hundredths of a decibel, 0 full .. -10000 silent
  int Pan = 0;             // -10000 left .. 10000 right
  bool Playing = false;
  bool Looping = false;
  double Position = 0;  // in sample frames, fractional while resampling

  // Limits of the playback rate, as a sound card buffer accepts them.
  static constexpr int MinFrequency = 100;
  static constexpr int MaxFrequency = 100000;

  int BlockAlign() const { return Channels * (BitsPerSample / 8); }
  size_t FrameCount() const { return BlockAlign() > 0 ? Data.size() / BlockAlign() : 0; }
  // Play: flag 0 once, 1 looped; continues from the current position. An empty buffer does
  // not start.
  void Play(bool loop);
  void Stop() { Playing = false; }
  // Byte position inside the data (0 = rewind); a position at or past the end is ignored.
  void SetPosition(uint32_t bytes);
  uint32_t GetPosition() const;
  bool IsPlaying() const { return Playing; }
  // Rate in Hz, clamped to MinFrequency..MaxFrequency; 0 restores the recorded rate.
  void SetFrequency(int hz);
  // Clamped to -10000..0 and -10000..10000 (callers compute pans beyond the edges).
  void SetVolume(int hundredthsDb);
  void SetPan(int pan);
  // Stopped at position 0, recorded rate, full volume, centred: a freshly created buffer.
  void ResetPlayback();
  // Linear gains of the left and right channel from Volume and Pan: 10^(dB/20) with the pan
  // attenuating the opposite side; -10000 is exact silence.
  void Gains(float& left, float& right) const;
  // Sample (left, right) of frame i as floats -1..1.
  void FrameAt(size_t i, float& left, float& right) const;
  // Moves the position by the frames that `seconds` at the playback rate consume. A buffer
  // played once stops at its end and is rewound to 0; a looped one wraps.
  void Advance(double seconds);
};

// Parses a RIFF WAVE file into a buffer (PCM 8 or 16 bit, mono or stereo). Returns false on
// malformed data and leaves the buffer untouched.
bool ParseWave(const uint8_t* data, size_t size, SoundBuffer& out, std::string* error = nullptr);
// The same, taking over the file's bytes for the samples instead of copying them (a long
// spoken clip is read and started within one tick).
bool ParseWave(std::vector<uint8_t>&& bytes, SoundBuffer& out, std::string* error = nullptr);

// A named wave of a wave list.
struct Wave {
  std::string Name;
  bool Loop = false;
  SoundBuffer Buffer;
};

// Mixes every playing buffer of the registered lists into interleaved signed 16-bit stereo.
class Mixer {
 public:
  void SetSources(std::vector<std::vector<Wave>*> lists) { lists_ = std::move(lists); }
  void Mix(int16_t* out, int frames, int deviceRate);
  // Simulated time: advance every playing buffer by the given seconds (headless layer).
  void Advance(double seconds);
  // The sound of one tick of `seconds` for a device fed tick by tick: mixes `frames` frames,
  // then leaves every buffer where Advance(seconds) leaves it, so that the game's sounds
  // start, end and report positions exactly as without a device.
  void MixTick(int16_t* out, int frames, int deviceRate, double seconds);

 private:
  struct KeptPlayback {
    SoundBuffer* Buffer;
    double Position;
    bool Playing;
  };
  std::vector<std::vector<Wave>*> lists_;
  std::vector<float> scratch_;
  std::vector<KeptPlayback> kept_;
};

}  // namespace vepa
