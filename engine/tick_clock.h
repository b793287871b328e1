// The 50 ms game tick driven by a frame callback of uneven period (a browser's animation
// frames: 60 or 144 a second, late under load, none while the page is hidden). Ticks are due
// on a fixed grid from the start, so uneven frames never make the tick rate drift; like the
// desktop timer, a long stall does not queue up ticks to be run all at once afterwards.
#pragma once

namespace vepa {

class TickClock {
 public:
  static constexpr double DefaultPeriodMs = 50.0;
  // Behind by more than this many periods counts as a stall.
  static constexpr int StallPeriods = 4;

  explicit TickClock(double periodMs = DefaultPeriodMs) : period_(periodMs) {}

  // Starts (or starts again after a pause) with the first tick one period after nowMs.
  void Restart(double nowMs) {
    next_ = nowMs + period_;
    started_ = true;
  }

  // The number of ticks to run at time nowMs (milliseconds of any steady clock). A frame
  // that comes a little late runs the ticks it missed; after a stall a single tick runs and
  // the grid starts again from now.
  int Due(double nowMs) {
    if (!started_) {
      Restart(nowMs);
      return 0;
    }
    if (nowMs < next_) return 0;
    if (nowMs - next_ > period_ * StallPeriods) {
      lost_ += static_cast<long long>((nowMs - next_) / period_);
      ++stalls_;
      next_ = nowMs + period_;
      return 1;
    }
    int n = 0;
    while (nowMs >= next_) {
      next_ += period_;
      ++n;
    }
    return n;
  }

  double PeriodMs() const { return period_; }
  double NextMs() const { return next_; }
  // Stalls so far and the ticks they left out.
  long long Stalls() const { return stalls_; }
  long long LostTicks() const { return lost_; }

 private:
  double period_;
  double next_ = 0;
  bool started_ = false;
  long long stalls_ = 0;
  long long lost_ = 0;
};

}  // namespace vepa
