// Played roads for the scene benchmarks: for the scenes whose busiest moments a random monkey
// seldom reaches (a bet placed, punches landed, shots fired, apples eaten, a payout), a small
// scripted player plays the scene as a player would, reading the scene's own state as the
// runner prints it, and the benchmark times every tick of its road.
#pragma once

#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/json.h"
#include "engine/scene_helpers.h"
#include "engine/scene_ids.h"
#include "minigames/aquarium.h"
#include "minigames/daz_layout.h"
#include "minigames/gallery_layout.h"
#include "minigames/race_layout.h"
#include "minigames/rps_layout.h"
#include "screens/book_layout.h"
#include "tests/monkey.h"
#include "tests/scripted_players.h"

namespace vepa::roads {

using Clock = std::chrono::steady_clock;

// The CPU time this thread has used, in microseconds: on a loaded machine the wall time of a
// tick also counts the time the thread waited for a core.
inline double ThreadCpuUs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The figures of a road's ticks over all its runs: for each tick the fastest run (so that a
// moment the machine was busy elsewhere does not count), in wall and in CPU time.
struct TickFigures {
  std::vector<double> Wall, Cpu;
  size_t Length = std::numeric_limits<size_t>::max();  // the shortest road
  void Add(const std::vector<double>& wall, const std::vector<double>& cpu) {
    if (Wall.size() < wall.size()) {
      Wall.resize(wall.size(), std::numeric_limits<double>::infinity());
      Cpu.resize(wall.size(), std::numeric_limits<double>::infinity());
    }
    for (size_t i = 0; i < wall.size(); ++i) {
      Wall[i] = std::min(Wall[i], wall[i]);
      Cpu[i] = std::min(Cpu[i], cpu[i]);
    }
    Length = std::min(Length, wall.size());
  }
  // busiest_us (its tick, from 1) and quiet_mean_us, and the same in CPU time.
  template <typename Counters>
  void Report(Counters& c) const {
    const size_t n = Length == std::numeric_limits<size_t>::max() ? 0 : Length;
    double busiest = 0, quiet = 0, busiestCpu = 0, quietCpu = 0;
    size_t busiestTick = 0, busiestCpuTick = 0;
    for (size_t i = 0; i < n; ++i) {
      quiet += Wall[i];
      quietCpu += Cpu[i];
      if (Wall[i] > busiest) busiest = Wall[i], busiestTick = i + 1;
      if (Cpu[i] > busiestCpu) busiestCpu = Cpu[i], busiestCpuTick = i + 1;
    }
    c["busiest_us"] = busiest;
    c["busiest_tick"] = static_cast<double>(busiestTick);
    c["quiet_mean_us"] = n ? quiet / static_cast<double>(n) : 0.0;
    c["busiest_cpu_us"] = busiestCpu;
    c["busiest_cpu_tick"] = static_cast<double>(busiestCpuTick);
    c["quiet_mean_cpu_us"] = n ? quietCpu / static_cast<double>(n) : 0.0;
    c["road_ticks"] = static_cast<double>(n);
  }
};

using testing::JsonNumber;
using testing::JsonNumbers;

// Drives one road: input helpers as a player's hand, and the timed tick. Once the scene is
// left or the road's length is reached every further Tick does nothing and returns false, so
// a player's loops simply run out.
class Road {
 public:
  Road(monkey::GameSession& s, int scene, int limit, std::vector<double>& ticksUs,
       std::vector<double>& ticksCpuUs)
      : s(s),
        g(s.game()),
        scene_(scene),
        limit_(limit),
        ticksUs_(ticksUs),
        ticksCpuUs_(ticksCpuUs) {}

  bool Over() const { return over_; }
  // One timed tick of the frame loop; false when the road is over.
  bool Tick(int n = 1) {
    for (int i = 0; i < n && !over_; ++i) {
      const double c0 = ThreadCpuUs();
      const auto t0 = Clock::now();
      g.Tick();
      const auto t1 = Clock::now();
      const double c1 = ThreadCpuUs();
      s.layer().AdvanceAudio(0.05);
      // The tick that left the scene ran the next scene's loader: a load, not a tick.
      if (g.SceneNumber != scene_ || g.QuitRequested) {
        over_ = true;
        break;
      }
      ticksUs_.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
      ticksCpuUs_.push_back(c1 - c0);
      if (static_cast<int>(ticksUs_.size()) >= limit_) over_ = true;
    }
    return !over_;
  }
  template <typename Pred>
  bool TickUntil(Pred pred, int limit) {
    for (int i = 0; i < limit; ++i) {
      if (pred()) return true;
      if (!Tick()) return false;
    }
    return pred();
  }
  // The rest of the road with the hands off.
  void Idle() {
    while (Tick()) {
    }
  }

  void MoveTo(int x, int y) { s.MouseMove(x, y); }
  void Press(int button = 0) { s.MouseDown(button, g.MouseX, g.MouseY); }
  void Release(int button = 0) { s.MouseUp(button, g.MouseX, g.MouseY); }
  // Moves, ticks once, then presses and lets go, as a real mouse does.
  void Click(int x, int y, int button = 0) {
    MoveTo(x, y);
    Tick();
    Press(button);
    Release(button);
  }
  void KeyDown(int code) { s.KeyDown(code); }
  void KeyUp(int code) { s.KeyUp(code); }
  void TapKey(int code, int ticks = 1) {
    KeyDown(code);
    Tick(ticks);
    KeyUp(code);
  }
  // The middle of the hit map's cells with `code`, on screen; false when there are none.
  bool FindCode(int code, int& x, int& y) const {
    long sx = 0, sy = 0, n = 0;
    for (size_t i = 0; i < g.HitMap.size(); ++i)
      if (g.HitMap[i] == code) {
        sx += static_cast<long>(i % 320);
        sy += static_cast<long>(i / 320);
        ++n;
      }
    if (n == 0) return false;
    x = static_cast<int>(sx / n) * 2 + 1;
    y = static_cast<int>(sy / n) * 2 + 1;
    return true;
  }

  std::string SceneState() const {
    JsonWriter j;
    j.BeginObject();
    if (const Scene* sc = g.GetScene(g.SceneNumber)) sc->DescribeState(j);
    j.EndObject();
    return j.Text();
  }
  double State(const std::string& key) const { return JsonNumber(SceneState(), key); }
  std::vector<double> StateArray(const std::string& key) const {
    return JsonNumbers(SceneState(), key);
  }

  monkey::GameSession& s;
  Game& g;

 private:
  int scene_, limit_;
  std::vector<double>& ticksUs_;
  std::vector<double>& ticksCpuUs_;
  bool over_ = false;
};

// A played road: where it starts (entry argument, shared state set before the loader), how
// many ticks it may last, and the player.
struct PlayedRoad {
  SceneId Scene;
  int Arg;
  int Limit;
  std::function<void(Game&)> Setup;
  std::function<void(Road&)> Play;
};

// ---- The players --------------------------------------------------------------------------

// The kiosk after a won game: the cashier announces and pays the prize, the player asks for a
// hint, is offered darts and says no, then accepts the cockroach race (the road ends there).
inline void PlayKiosk(Road& r) {
  auto idle = [&] { return r.State("HubState") == 0; };
  r.TickUntil(idle, 400);
  r.MoveTo(300, 300);
  r.Tick();
  r.Press(1);
  r.Release(1);
  r.Tick(5);
  r.TickUntil(idle, 300);
  for (int item : {5, 17}) {
    int x = 0, y = 0;
    if (!r.FindCode(item, x, y)) return;
    r.Click(x - 5, y - 25);
    r.TickUntil([&] { return r.State("HubState") == 5; }, 300);
    r.Tick(10);
    if (item == 5) {
      r.Click(380 - 5, 445 - 25);  // no
      r.Tick(5);
      r.TickUntil(idle, 300);
    } else {
      r.Click(260 - 5, 445 - 25);  // yes
    }
  }
  r.Idle();
}

// Darts: take a dart from the rack, aim the tip at the board's middle with the tremor as it
// is, throw; three times.
inline void PlayDarts(Road& r) {
  constexpr int kRackX = 170, kRackY = 386, kTipDX = 75, kTipDY = 32;
  auto press = [&](int x, int y) {
    r.MoveTo(x, y);
    r.Press();
    r.Release();
  };
  r.Tick(10);
  for (int dart = 0; dart < 3 && !r.Over(); ++dart) {
    r.TickUntil([&] { return r.g.ClickState == 0; }, 30);
    press(kRackX - r.g.AimShakeX, kRackY - 20 - r.g.AimShakeY);
    r.TickUntil([&] { return r.g.ClickState == 2; }, 14);
    r.Tick(8);
    press(330 - 20 * dart - kTipDX - r.g.AimShakeX, 200 - kTipDY - r.g.AimShakeY);
    r.Tick(4);
  }
  r.Idle();
}

// The aquarium: the hook held at the depth of a free creature, reeled in fast once something
// bites, given and moved aside while the big fish is near.
inline void PlayAquarium(Road& r) {
  auto* a = dynamic_cast<AquariumScene*>(r.g.GetScene(SceneNo(SceneId::Aquarium)));
  if (!a) return;
  const int keys[] = {key::Left, key::Right, key::Up, key::Down};
  auto hold = [&](int k) { r.KeyDown(k); };
  do {
    for (int k : keys) r.KeyUp(k);
    const AquariumAngler& p = a->Angler[1];
    const AquariumCreature& big = a->Fish[0];
    if (p.State == 1 && p.Catch != 0) {
      const bool near = big.X - 40 < p.HookX && p.HookX < big.X + 150 && p.HookY > 130;
      hold(near ? key::Down : key::Up);
      if (near && p.HookX < big.X + 55 && big.Dir == 0) hold(key::Left);
      if (near && p.HookX > big.X + 55 && big.Dir == 1) hold(key::Right);
      continue;
    }
    if (p.State != 0) continue;
    int target = 0, best = 1000;
    for (int f = 1; f <= 3; ++f) {
      const AquariumCreature& c = a->Fish[f];
      if (c.HookedBy != 0 || c.State >= 3) continue;
      const int d = std::abs(c.Y - p.HookY);
      if (d < best) best = d, target = f;
    }
    if (p.Tip < 90) hold(key::Left);
    if (p.Tip > 90) hold(key::Right);
    if (target == 0) continue;
    const int want = a->Fish[target].Y + (target == 3 ? -5 : 5);
    if (p.HookY < want - 3) hold(key::Down);
    if (p.HookY > want + 3) hold(key::Up);
  } while (r.Tick());
}

// The gallery: the shooter leads the hand's tremor (the scene's first two draws of a frame
// move the aim) and fires at the rabbit, the duck, an apple, the windmill and an apple.
inline void PlayGallery(Road& r) {
  namespace gl = gallery;
  auto aimNextFrameAt = [&](int x, int y, int margin) {
    RandomGenerator next = r.g.rng;
    const int dx = next.Random(2 * gl::AimTremor + 1) - gl::AimTremor;
    const int dy = next.Random(2 * gl::AimTremor + 1) - gl::AimTremor;
    int mx = x - r.g.AimShakeX - dx, my = y - r.g.AimShakeY - dy;
    const bool reachable = mx >= margin && mx <= 639 - margin && my >= margin && my <= 479 - margin;
    if (mx < margin) mx = 639;
    if (mx > 639 - margin) mx = 0;
    if (my < margin) my = 479;
    if (my > 479 - margin) my = 0;
    r.MoveTo(mx, my);
    return reachable;
  };
  auto shoot = [&](const std::function<std::pair<int, int>()>& where) {
    if (!r.TickUntil([&] { return r.g.ClickState == 0; }, 20)) return;
    auto aim = [&](int margin) {
      const auto [x, y] = where();
      return aimNextFrameAt(x, y, margin);
    };
    for (int i = 0; !aim(30); ++i)
      if (i == 20 || !r.Tick()) return;
    r.Tick();
    r.Press();
    r.Release();
    for (int i = 0; i < 10 && r.g.ClickState != 3; ++i) {
      aim(1);
      if (!r.Tick()) return;
    }
  };
  auto nextX = [&](const char* name) {
    const std::string s = r.SceneState();
    const size_t at = s.find(std::string("\"") + name + "\":{");
    if (at == std::string::npos) return 0;
    const std::string rec = s.substr(at);
    const int x = static_cast<int>(JsonNumber(rec, "X")),
              dir = static_cast<int>(JsonNumber(rec, "Dir"));
    if (JsonNumber(rec, "Turn") != 0) return x;
    if (dir == 0) return x < gl::RailLength ? x + gl::RailStep : x;
    return x > 0 ? x - gl::RailStep : x;
  };
  auto apple = [](int i) {
    return std::pair{gl::AppleAt[i].X + gl::AppleW / 2, gl::AppleAt[i].Y + 30};
  };
  shoot([&] {
    return std::pair{nextX("Rabbit") + (gl::RabbitBox.Left + gl::RabbitBox.Right) / 2, 215};
  });
  shoot([&] { return std::pair{nextX("Duck") + (gl::DuckBox.Left + gl::DuckBox.Right) / 2, 215}; });
  shoot([&] { return apple(2); });
  shoot([&] { return std::pair{gl::MillCentre.X + 20, gl::MillCentre.Y - 10}; });
  shoot([&] { return apple(0); });
  r.Idle();
}

// The snake: steered to the nearest good apple by the arrow keys, never backwards and never
// into the fence, itself or a bad apple, preferring the way with more room.
inline void PlaySnake(Road& r) {
  constexpr int kColumns = 15, kRows = 11;
  constexpr std::array kDX = {0, 1, 0, -1}, kDY = {-1, 0, 1, 0};
  constexpr std::array kKeys = {key::Up, key::Right, key::Down, key::Left};
  auto good = [](int c) { return c == 20 || c == 21; };
  do {
    const std::string s = r.SceneState();
    const std::vector<double> cells = JsonNumbers(s, "Cells");
    if (cells.size() != static_cast<size_t>(kColumns * kRows)) break;
    const int hx = static_cast<int>(JsonNumber(s, "HeadX")),
              hy = static_cast<int>(JsonNumber(s, "HeadY"));
    const int dir = static_cast<int>(JsonNumber(s, "Dir"));
    auto at = [&](int x, int y) {
      return static_cast<int>(cells[static_cast<size_t>(y * kColumns + x)]);
    };
    auto passable = [&](int c) { return c == 0 || good(c); };
    int best = dir, bestScore = -1 << 30;
    for (int d = 0; d < 4; ++d) {
      if (d == (dir + 2) % 4) continue;
      const int nx = hx + kDX[d], ny = hy + kDY[d];
      if (nx < 0 || nx >= kColumns || ny < 0 || ny >= kRows || !passable(at(nx, ny))) continue;
      // Room reachable from there and the way to the nearest good apple.
      std::array<int, kColumns * kRows> dist;
      dist.fill(-1);
      std::vector<int> queue{ny * kColumns + nx};
      dist[static_cast<size_t>(queue[0])] = 0;
      int nearest = 1000;
      for (size_t q = 0; q < queue.size(); ++q) {
        const int i = queue[q];
        if (good(at(i % kColumns, i / kColumns)))
          nearest = std::min(nearest, dist[static_cast<size_t>(i)]);
        for (int e = 0; e < 4; ++e) {
          const int x = i % kColumns + kDX[e], y = i / kColumns + kDY[e];
          if (x < 0 || x >= kColumns || y < 0 || y >= kRows) continue;
          const int j = y * kColumns + x;
          if (dist[static_cast<size_t>(j)] >= 0 || !passable(at(x, y))) continue;
          dist[static_cast<size_t>(j)] = dist[static_cast<size_t>(i)] + 1;
          queue.push_back(j);
        }
      }
      const int room = static_cast<int>(queue.size());
      const int score = (room >= 40 ? 100000 : room * 100) - nearest;
      if (score > bestScore) bestScore = score, best = d;
    }
    for (int d = 0; d < 4; ++d) d == best ? r.KeyDown(kKeys[d]) : r.KeyUp(kKeys[d]);
  } while (r.Tick());
}

// Boxing: stand 110 pixels from the opponent and 40 above or below, punch (Ctrl) whenever it
// is in reach of a stretched glove.
inline void PlayBoxing(Road& r) {
  constexpr int kOpp = 0, kPly = 1;
  do {
    const std::string s = r.SceneState();
    const auto x = JsonNumbers(s, "X"), y = JsonNumbers(s, "Y"), punch = JsonNumbers(s, "Punch");
    if (x.size() < 2 || y.size() < 2 || punch.size() < 2) break;
    const double side = x[kPly] >= x[kOpp] ? 1 : -1, level = y[kPly] >= y[kOpp] ? 1 : -1;
    const double tx = x[kOpp] + 110 * side, ty = y[kOpp] + 40 * level, dead = 4;
    x[kPly] < tx - dead ? r.KeyDown(key::Right) : r.KeyUp(key::Right);
    x[kPly] > tx + dead ? r.KeyDown(key::Left) : r.KeyUp(key::Left);
    y[kPly] < ty - dead ? r.KeyDown(key::Down) : r.KeyUp(key::Down);
    y[kPly] > ty + dead ? r.KeyDown(key::Up) : r.KeyUp(key::Up);
    const double dx = std::fabs(x[kPly] - x[kOpp]), dy = std::fabs(y[kPly] - y[kOpp]);
    const bool inReach = dx > 92 && dx < 128 && dy > 30 && dy < 50;
    inReach&& punch[kPly] == 0 ? r.KeyDown(key::Ctrl) : r.KeyUp(key::Ctrl);
  } while (r.Tick());
}

// Rock, paper, scissors: paper is chosen once the count has begun.
inline void PlayRps(Road& r) {
  r.TickUntil([&] { return r.State("RpsState") == 1; }, 100);
  r.Click(rps::ButtonX0 + rps::ButtonStep * 2 + 35, rps::ButtonY + 10);
  r.Idle();
}

// The hammer: the middle finger starts it; then the finger the hammer aims at is always lifted
// until 25 points, after which the player falls asleep and the hammer strikes three fingers.
inline void PlayHammer(Road& r) {
  r.KeyDown(testing::FingerKey(2));
  r.TickUntil([&] { return r.State("HammerState") >= 2; }, 200);
  r.KeyUp(testing::FingerKey(2));
  testing::PlayWithOneKey(
      r, std::numeric_limits<int>::max(), [&] { return r.Over() || r.State("Score") >= 25; },
      [&] { return testing::KeyOfTheAimedFinger(r); });
  r.Idle();
}

// Daz's table: the first button starts the food game (the road ends at its load).
inline void PlayDazTable(Road& r) {
  r.Tick(60);
  const daz::ButtonArea& a = daz::ButtonAreas[0];
  r.Click(a.X + a.W / 2 - daz::FingerDX, a.Y + a.H / 2 - daz::FingerDY);
  r.Idle();
}

// Daz's food game: Gorm walks to the column of the piece that comes down lowest.
inline void PlayDazFood(Road& r) {
  int t = 0;
  do {
    const std::string s = r.SceneState();
    const auto y = JsonNumbers(s, "PieceY"), vy = JsonNumbers(s, "PieceVY10");
    int target = -1;
    for (int i = 0; i < 3 && i < static_cast<int>(y.size()) && i < static_cast<int>(vy.size()); ++i)
      if (vy[static_cast<size_t>(i)] > 0 &&
          (target < 0 || y[static_cast<size_t>(i)] > y[static_cast<size_t>(target)]))
        target = i;
    r.KeyUp(key::Left);
    r.KeyUp(key::Right);
    if (t++ % 2 == 0 && target >= 0) {
      const double c = JsonNumber(s, "GormColumn");
      if (target < c) r.KeyDown(key::Left);
      if (target > c) r.KeyDown(key::Right);
    }
  } while (r.Tick());
}

// The race: the pointer on lane 2, a click for the bet, then the whole race watched.
inline void PlayRace(Road& r) {
  r.Tick(5);
  r.MoveTo(50, race::LaneTop(2) + 20);
  r.Tick();
  r.Press();
  r.Release();
  r.MoveTo(400, 420);
  r.Idle();
}

// A book: every page turned forwards, then all back.
inline void PlayBook(Road& r, int lastPage) {
  auto tap = [&](int x, int y) {
    r.TickUntil([&] { return r.g.ClickState == 0 && r.g.HandFrame == 0; }, 20);
    r.Click(x, y - book::HitMapDY);
    r.Tick(2);
  };
  const int rightX = book::RightArrowX + book::ArrowW / 2,
            leftX = book::LeftArrowX + book::ArrowW / 2;
  const int arrowY = book::ArrowY + book::ArrowH / 2;
  for (int p = 0; p < lastPage && !r.Over(); ++p) {
    tap(rightX, arrowY);
    r.TickUntil([&] { return r.State("TurnState") == 0; }, 30);
  }
  for (int p = 0; p < lastPage && !r.Over(); ++p) {
    tap(leftX, arrowY);
    r.TickUntil([&] { return r.State("TurnState") == 0; }, 30);
  }
  r.Idle();
}

// Every played road. Money for the stakes; tickets for the ticket and draw scenes.
inline std::vector<PlayedRoad> PlayedRoads() {
  auto afterWin = [](Game& g) {
    g.GameStake = 7;
    g.GameWinnings = 25;
  };
  return {
      {SceneId::Kiosk, static_cast<int>(HubEntry::AfterGame), 1500, afterWin, PlayKiosk},
      {SceneId::Darts, 0, 600, {}, PlayDarts},
      {SceneId::Aquarium, 0, 1500, {}, PlayAquarium},
      {SceneId::Gallery, 0, 600, {}, PlayGallery},
      {SceneId::Snake, 0, 1500, {}, PlaySnake},
      {SceneId::Boxing, 0, 1500, {}, PlayBoxing},
      {SceneId::Lamp, 0, 600, {}, [](Road& r) { r.Idle(); }},
      {SceneId::RockPaperScissors, 0, 600, {}, PlayRps},
      {SceneId::Hammer, 0, 1500, {}, PlayHammer},
      {SceneId::Draw, 0, 1500, {}, [](Road& r) { r.Idle(); }},
      {SceneId::DazTable, 0, 600, {}, PlayDazTable},
      {SceneId::DazFood, 0, 1500, {}, PlayDazFood},
      {SceneId::CockroachRace, 0, 1500, {}, PlayRace},
      {SceneId::Journal, 0, 600, {}, [](Road& r) { PlayBook(r, book::JournalLastPage); }},
      {SceneId::SettingsBook, 0, 400, {}, [](Road& r) { PlayBook(r, 3); }},
  };
}

}  // namespace vepa::roads
