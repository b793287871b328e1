// Soak and monkey test: a seeded monkey plays the game from the start-up sequence and from
// every scene of the table, through whatever scene changes its clicks and keys cause, and
// after every tick the game must hold its invariants: money at most 60000, at most 5 tickets,
// the current scene one of the table, no image or wave name missing, no fatal error, the same
// lists loaded every time a scene is entered the same way, and memory that does not grow. The
// closing screen ends a game; the test then starts a new one, as a player would.
//
// The monkey is steered: it accepts most offers of the kiosk, buys and fills tickets before it
// asks for the draw, and leaves a scene through its exit box once it has played there a while,
// so that every scene of the table is entered again and again by play.
//
// The normal run plays 10000 ticks; VEPA_SOAK_TICKS sets another total (CI runs 100000, the
// long run 1000000) and VEPA_SOAK_SEED another seed. From 50000 ticks on, every scene must be
// entered by play at least once per 50000 ticks (up to 20 times).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/monkey.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEPA_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VEPA_SOAK_ASAN 1
#endif
#ifdef VEPA_SOAK_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif
#include "tests/test_paths.h"

namespace vepa {
namespace {

using monkey::GameSession;
using monkey::Monkey;

// Bytes the program holds on the heap right now.
size_t BytesInUse() {
#ifdef VEPA_SOAK_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

// The most the process has held in memory (resident) so far.
long ResidentPeakKiB() {
  struct rusage usage {};
  return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
}

long EnvNumber(const char* name, long fallback) {
  const char* v = std::getenv(name);
  if (!v || !*v) return fallback;
  char* end = nullptr;
  long n = std::strtol(v, &end, 10);
  return (end && *end == '\0' && n > 0) ? n : fallback;
}

// What a scene has loaded: pictures of lists 2 and 3, waves of list 2.
struct Loaded {
  size_t Images2 = 0, Images3 = 0, Waves2 = 0;
  auto operator<=>(const Loaded&) const = default;
};

Loaded LoadedNow(Layer& layer) {
  return {layer.Images(2)->Images.size(), layer.Images(3)->Images.size(),
          layer.Waves(2)->Waves.size()};
}

// The first broken invariant after a tick, or "".
std::string Broken(Game& g) {
  std::ostringstream why;
  if (g.Money > 60000) why << "Money " << g.Money << " above 60000; ";
  if (g.Tickets > 5) why << "Tickets " << g.Tickets << " above 5; ";
  if (!g.GetScene(g.SceneNumber)) why << "SceneNumber " << int(g.SceneNumber) << " not a scene; ";
  if (g.FatalError) why << "FatalError set; ";
  if (g.ReturnedToLauncher) why << "returned to the launcher; ";
  if (!g.layer.Missing().Names.empty()) why << "missing: " << g.layer.Missing().Names.front();
  return why.str();
}

struct SoakReport {
  long Ticks = 0;
  int Games = 0;  // started sessions (starts and restarts after the closing screen)
  int Restarts = 0;
  std::map<int, int> Entries;        // scene number -> times entered
  std::map<int, int> EntriesByPlay;  // the same, less the scene each start begins in
  std::map<int, std::vector<size_t>> MemoryAtEntry;
  // (scene left, scene entered, lists before) -> lists after the entry. A scene replaces only
  // the lists it loads and the others keep what was there, so the same change from the same
  // lists must always give the same lists.
  std::map<std::tuple<int, int, Loaded>, Loaded> LoadedAtEntry;
  size_t PeakBytes = 0;
  std::map<int, int> MonkeyMemory;  // the scenes the steered monkeys have seen, over all starts
};

// Plays `ticks` ticks from one start; false (with the reason in `failure`) on the first broken
// invariant.
bool Play(int startScene, int startArg, uint32_t seed, long ticks, SoakReport& report,
          std::string& failure) {
  // A start at a scene comes with money and tickets, so that the ticket and draw scenes have
  // tickets to fill in and check, and the kiosk has offers to sell.
  auto session =
      std::make_unique<GameSession>(VEPA_DATA_DIR, seed, startScene, startArg, true, [](Game& g) {
        g.Money = 1000;
        g.Tickets = 3;
      });
  ++report.Games;
  Monkey monkey(seed * 2654435761u + 17, report.MonkeyMemory);
  int lastScene = -1;
  bool started = false;  // the scene the start begins in is not entered by play
  Loaded before = LoadedNow(session->layer());
  for (long t = 1; t <= ticks; ++t) {
    Game& g = session->game();
    monkey.Step(*session);
    session->Tick();
    ++report.Ticks;
    const std::string broken = Broken(g);
    auto where = [&] {
      std::ostringstream w;
      w << "start " << startScene << ":" << startArg << " seed " << seed << " tick " << t
        << " scene " << int(g.SceneNumber) << ": ";
      return w.str();
    };
    if (!broken.empty()) {
      failure = where() + broken;
      return false;
    }
    const Loaded now = LoadedNow(session->layer());
    if (g.SceneNumber != lastScene) {
      const std::tuple<int, int, Loaded> change(lastScene, g.SceneNumber, before);
      lastScene = g.SceneNumber;
      ++report.Entries[lastScene];
      if (started) ++report.EntriesByPlay[lastScene];
      started = true;
      auto [it, first] = report.LoadedAtEntry.emplace(change, now);
      if (!first && !(it->second == now)) {
        std::ostringstream why;
        why << "scene entered from " << std::get<0>(change) << " with " << now.Images2 << "/"
            << now.Images3 << " images, " << now.Waves2 << " waves, earlier with "
            << it->second.Images2 << "/" << it->second.Images3 << ", " << it->second.Waves2;
        failure = where() + why.str();
        return false;
      }
      report.MemoryAtEntry[lastScene].push_back(BytesInUse());
    }
    before = now;
    report.PeakBytes = std::max(report.PeakBytes, BytesInUse());
    if (g.QuitRequested) {
      // The closing screen ended the game: start a new one from the start-up sequence.
      monkey.ReleaseAll(*session);
      session.reset();
      seed = seed * 1664525u + 1013904223u;
      session = std::make_unique<GameSession>(VEPA_DATA_DIR, seed, -1, 0);
      ++report.Games;
      ++report.Restarts;
      lastScene = -1;
      before = LoadedNow(session->layer());
    }
  }
  return true;
}

TEST(Soak, MonkeyPlaysEveryBuiltSceneWithTheInvariantsHeld) {
  const long total = EnvNumber("VEPA_SOAK_TICKS", 10000);
  const uint32_t seed = static_cast<uint32_t>(EnvNumber("VEPA_SOAK_SEED", 1));

  // The starts: the start-up sequence, every scene of the table, and the hub with each of
  // its entry codes.
  std::vector<std::pair<int, int>> starts = {{-1, 0}};
  {
    GameSession probe(VEPA_DATA_DIR, seed);
    ASSERT_TRUE(probe.DisplayOpen()) << probe.DisplayError();
    for (int scene : monkey::BuiltScenes(probe.game())) starts.push_back({scene, 0});
  }
  for (int entry = 1; entry <= 3; ++entry) starts.push_back({0, entry});
  const long each = std::max<long>(200, total / static_cast<long>(starts.size()));

  SoakReport report;
  for (size_t i = 0; i < starts.size(); ++i) {
    std::string failure;
    ASSERT_TRUE(Play(starts[i].first, starts[i].second, seed + static_cast<uint32_t>(i) * 101, each,
                     report, failure))
        << failure;
  }

  // The monkey must have moved between scenes, not only sat in the ones it started in.
  int entries = 0;
  for (const auto& [scene, n] : report.Entries) entries += n;
  EXPECT_GT(entries, static_cast<int>(starts.size()) + report.Restarts);
  // And reached every scene of the table by play, the more often the longer it played.
  const int wanted = static_cast<int>(std::min<long>(20, report.Ticks / 50000));
  if (wanted > 0) {
    for (const auto& [scene, from] : starts) {
      if (scene < 0 || from != 0) continue;
      const int n = report.EntriesByPlay.count(scene) ? report.EntriesByPlay.at(scene) : 0;
      EXPECT_GE(n, wanted) << "scene " << scene << " entered by play only " << n << " times";
    }
  }

  // Memory flat: each time a scene is entered again after the first quarter of its visits,
  // the heap is no larger than at its early visits plus a margin for the speech and music
  // buffers, whose sizes vary from phrase to phrase.
  constexpr size_t kMargin = 3u << 20;
  for (const auto& [scene, bytes] : report.MemoryAtEntry) {
    if (bytes.size() < 8) continue;
    const size_t quarter = bytes.size() / 4;
    const size_t early = *std::max_element(bytes.begin(), bytes.begin() + quarter + 1);
    const size_t late = *std::min_element(bytes.end() - quarter, bytes.end());
    EXPECT_LE(late, early + kMargin)
        << "scene " << scene << ": heap at entry grew from " << early << " to " << late << " bytes";
  }

  std::ostringstream summary;
  summary << "soak: " << report.Ticks << " ticks, " << report.Games << " games (" << report.Restarts
          << " after the closing screen), peak heap " << report.PeakBytes / 1024
          << " KiB, resident peak " << ResidentPeakKiB() << " KiB, scene entries:";
  for (const auto& [scene, n] : report.Entries) summary << " " << scene << "x" << n;
  summary << "; by play:";
  for (const auto& [scene, n] : report.EntriesByPlay) summary << " " << scene << "x" << n;
  std::printf("%s\n", summary.str().c_str());
  RecordProperty("ticks", static_cast<int>(report.Ticks));
  RecordProperty("games", report.Games);
}

}  // namespace
}  // namespace vepa
