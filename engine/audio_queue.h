// Sound made tick by tick and played by a device that asks for it in blocks of its own size
// and at its own clock (a browser's audio graph). The game's sounds then advance in game time,
// exactly as in the headless runner, whatever the device does; the queue between the two
// absorbs the difference. It starts playing once a little is queued (so that one late tick
// does not break the sound), gives silence when it runs dry, and drops the oldest sound when
// it grows too long (the two clocks drift apart, or the device stopped asking for a while).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vepa {

class AudioQueue {
 public:
  // Lengths in stereo frames: queued before the first play, and the most ever kept.
  AudioQueue(int startFrames, int maxFrames)
      : startFrames_(std::max(0, startFrames)), maxFrames_(std::max(1, maxFrames)) {}

  // Appends interleaved stereo frames.
  void Push(const int16_t* frames, int count) {
    if (frames == nullptr || count <= 0) return;
    Compact();
    data_.insert(data_.end(), frames, frames + static_cast<size_t>(count) * 2);
    const size_t queued = Queued();
    if (queued > static_cast<size_t>(maxFrames_)) {
      const size_t drop = queued - static_cast<size_t>(maxFrames_);
      head_ += drop * 2;
      dropped_ += static_cast<long long>(drop);
    }
  }

  // Fills `count` frames: queued sound first, silence for what is missing.
  void Pull(int16_t* out, int count) {
    if (out == nullptr || count <= 0) return;
    const size_t want = static_cast<size_t>(count);
    if (!playing_ && Queued() >= static_cast<size_t>(startFrames_) && Queued() > 0) playing_ = true;
    size_t take = 0;
    if (playing_) {
      take = std::min(want, Queued());
      std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(head_), take * 2, out);
      head_ += take * 2;
      if (take < want) {
        // Ran dry: wait for a start's worth again rather than play crumbs.
        playing_ = false;
        ++underruns_;
      }
    }
    std::fill(out + take * 2, out + want * 2, int16_t{0});
  }

  size_t Queued() const { return (data_.size() - head_) / 2; }
  bool Playing() const { return playing_; }
  long long Underruns() const { return underruns_; }
  long long DroppedFrames() const { return dropped_; }

 private:
  void Compact() {
    if (head_ == 0 || head_ < data_.size() / 2) return;
    data_.erase(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
  }

  int startFrames_;
  int maxFrames_;
  std::vector<int16_t> data_;
  size_t head_ = 0;  // index of the first queued sample
  bool playing_ = false;
  long long underruns_ = 0;
  long long dropped_ = 0;
};

}  // namespace vepa
