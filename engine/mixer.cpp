// Sound buffers and the software mixer. A buffer keeps its play position in sample frames
// (fractional while resampling) and reports it in bytes, the way the game reads it.
#include "engine/mixer.h"

#include <algorithm>
#include <cmath>

namespace vepa {

namespace {

constexpr int MinVolume = -10000;
constexpr int MaxPan = 10000;

// Hundredths of a decibel to a linear gain; the bottom of the range is silence, not -100 dB.
float AttenuationGain(int hundredthsDb) {
  if (hundredthsDb <= MinVolume) return 0.0f;
  if (hundredthsDb >= 0) return 1.0f;
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

}  // namespace

void SoundBuffer::Play(bool loop) {
  if (FrameCount() == 0) {
    Playing = false;
    Position = 0;
    return;
  }
  if (Position < 0 || Position >= static_cast<double>(FrameCount())) Position = 0;
  Playing = true;
  Looping = loop;
}

void SoundBuffer::SetPosition(uint32_t bytes) {
  const int align = BlockAlign();
  if (align <= 0) return;
  const size_t frame = bytes / static_cast<uint32_t>(align);
  if (frame >= FrameCount()) return;
  Position = static_cast<double>(frame);
}

uint32_t SoundBuffer::GetPosition() const {
  const int align = BlockAlign();
  if (align <= 0 || Position <= 0) return 0;
  return static_cast<uint32_t>(std::floor(Position)) * static_cast<uint32_t>(align);
}

void SoundBuffer::SetFrequency(int hz) {
  if (hz == 0) hz = SampleRate;
  Frequency = std::clamp(hz, MinFrequency, MaxFrequency);
}

void SoundBuffer::SetVolume(int hundredthsDb) { Volume = std::clamp(hundredthsDb, MinVolume, 0); }

void SoundBuffer::SetPan(int pan) { Pan = std::clamp(pan, -MaxPan, MaxPan); }

void SoundBuffer::ResetPlayback() {
  Playing = false;
  Looping = false;
  Position = 0;
  Volume = 0;
  Pan = 0;
  Frequency = std::clamp(SampleRate > 0 ? SampleRate : 11025, MinFrequency, MaxFrequency);
}

void SoundBuffer::Gains(float& left, float& right) const {
  const float base = AttenuationGain(Volume);
  // A pan to the right attenuates the left channel and the other way round.
  left = base * (Pan > 0 ? AttenuationGain(-Pan) : 1.0f);
  right = base * (Pan < 0 ? AttenuationGain(Pan) : 1.0f);
}

void SoundBuffer::FrameAt(size_t i, float& left, float& right) const {
  left = right = 0.0f;
  const int align = BlockAlign();
  if (align <= 0) return;
  const size_t offset = i * static_cast<size_t>(align);
  if (offset + static_cast<size_t>(align) > Data.size()) return;
  const uint8_t* p = Data.data() + offset;
  if (BitsPerSample == 8) {
    left = (static_cast<int>(p[0]) - 128) / 128.0f;
    right = Channels >= 2 ? (static_cast<int>(p[1]) - 128) / 128.0f : left;
  } else if (BitsPerSample == 16) {
    const auto s16 = [](const uint8_t* q) {
      return static_cast<int16_t>(static_cast<uint16_t>(q[0] | (q[1] << 8)));
    };
    left = s16(p) / 32768.0f;
    right = Channels >= 2 ? s16(p + 2) / 32768.0f : left;
  }
}

void SoundBuffer::Advance(double seconds) {
  if (!Playing || seconds <= 0) return;
  const double frames = static_cast<double>(FrameCount());
  if (frames <= 0) {
    Playing = false;
    Position = 0;
    return;
  }
  Position += seconds * Frequency;
  if (Position < frames) return;
  if (Looping) {
    Position = std::fmod(Position, frames);
  } else {
    // A buffer played once ends stopped and rewound: code that watches the position sees 0.
    Playing = false;
    Position = 0;
  }
}

namespace {

// Adds one playing buffer into the float accumulator (interleaved stereo) and moves it on.
void MixBuffer(SoundBuffer& b, float* acc, int frames, int deviceRate) {
  const size_t count = b.FrameCount();
  if (count == 0) {
    b.Playing = false;
    b.Position = 0;
    return;
  }
  float gainLeft = 0, gainRight = 0;
  b.Gains(gainLeft, gainRight);
  if (gainLeft == 0.0f && gainRight == 0.0f) {
    // Silent, but the position still runs as if heard.
    b.Advance(static_cast<double>(frames) / deviceRate);
    return;
  }
  const double step = static_cast<double>(b.Frequency) / deviceRate;
  const double end = static_cast<double>(count);
  double pos = b.Position;
  if (pos < 0 || pos >= end) pos = 0;
  for (int i = 0; i < frames; ++i) {
    const size_t i0 = static_cast<size_t>(pos);
    size_t i1 = i0 + 1;
    // Past the last frame a loop interpolates into its start; a single play holds the last
    // sample rather than ramping to zero.
    if (i1 >= count) i1 = b.Looping ? 0 : i0;
    const float frac = static_cast<float>(pos - static_cast<double>(i0));
    float l0, r0, l1, r1;
    b.FrameAt(i0, l0, r0);
    b.FrameAt(i1, l1, r1);
    acc[2 * i] += (l0 + (l1 - l0) * frac) * gainLeft;
    acc[2 * i + 1] += (r0 + (r1 - r0) * frac) * gainRight;
    pos += step;
    if (pos >= end) {
      if (b.Looping) {
        pos = std::fmod(pos, end);
      } else {
        b.Playing = false;
        b.Position = 0;
        return;
      }
    }
  }
  b.Position = pos;
}

}  // namespace

void Mixer::Mix(int16_t* out, int frames, int deviceRate) {
  if (frames <= 0 || out == nullptr) return;
  scratch_.assign(static_cast<size_t>(frames) * 2, 0.0f);
  if (deviceRate > 0) {
    for (std::vector<Wave>* list : lists_) {
      if (list == nullptr) continue;
      for (Wave& w : *list) {
        if (w.Buffer.Playing) MixBuffer(w.Buffer, scratch_.data(), frames, deviceRate);
      }
    }
  }
  for (size_t i = 0; i < scratch_.size(); ++i) {
    const float v = std::nearbyint(scratch_[i] * 32767.0f);
    out[i] = static_cast<int16_t>(std::clamp(v, -32768.0f, 32767.0f));
  }
}

void Mixer::Advance(double seconds) {
  for (std::vector<Wave>* list : lists_) {
    if (list == nullptr) continue;
    for (Wave& w : *list) w.Buffer.Advance(seconds);
  }
}

void Mixer::MixTick(int16_t* out, int frames, int deviceRate, double seconds) {
  kept_.clear();
  for (std::vector<Wave>* list : lists_) {
    if (list == nullptr) continue;
    for (Wave& w : *list) kept_.push_back({&w.Buffer, w.Buffer.Position, w.Buffer.Playing});
  }
  Mix(out, frames, deviceRate);
  // Mixing steps the positions sample by sample; game time moves them in one step, and the
  // two can differ in the last bits. The game sees the game-time positions.
  for (const KeptPlayback& k : kept_) {
    k.Buffer->Position = k.Position;
    k.Buffer->Playing = k.Playing;
  }
  Advance(seconds);
}

}  // namespace vepa
