// Soak and monkey test: a seeded monkey plays the game from the start-up sequence and from
// every scene of the table, through whatever scene changes its clicks and keys cause, and
// after every tick the game must hold its invariants: money at most 60000, at most 5 tickets,
// the current scene one of the table, no image or wave name missing, no fatal error, the same
// lists loaded every time a scene is entered the same way, and memory that does not grow. The
// closing screen ends a game; the test then starts a new one, as a player would.
//
// The normal run plays 10000 ticks; VEPA_SOAK_TICKS sets another total (the long run uses
// 100000 or more) and VEPA_SOAK_SEED another seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
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

#include "tests/test_paths.h"
#endif

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
  bool operator==(const Loaded&) const = default;
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
  std::map<int, int> Entries;  // scene number -> times entered
  std::map<int, std::vector<size_t>> MemoryAtEntry;
  // (scene left, scene entered) -> lists after the entry. A scene replaces only the lists it
  // loads; the others keep what the scene before it left, so the pair decides what is there.
  std::map<std::pair<int, int>, Loaded> LoadedAtEntry;
  size_t PeakBytes = 0;
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
  Monkey monkey(seed * 2654435761u + 17);
  int lastScene = -1;
  for (long t = 1; t <= ticks; ++t) {
    Game& g = session->game();
    monkey.Step(*session);
    session->Tick();
    ++report.Ticks;
    const std::string broken = Broken(g);
    std::ostringstream where;
    where << "start " << startScene << ":" << startArg << " seed " << seed << " tick " << t
          << " scene " << int(g.SceneNumber) << ": ";
    if (!broken.empty()) {
      failure = where.str() + broken;
      return false;
    }
    if (g.SceneNumber != lastScene) {
      const std::pair<int, int> change(lastScene, g.SceneNumber);
      lastScene = g.SceneNumber;
      ++report.Entries[lastScene];
      const Loaded now = LoadedNow(session->layer());
      auto [it, first] = report.LoadedAtEntry.emplace(change, now);
      if (!first && !(it->second == now)) {
        std::ostringstream why;
        why << "scene entered from " << change.first << " with " << now.Images2 << "/"
            << now.Images3 << " images, " << now.Waves2 << " waves, earlier with "
            << it->second.Images2 << "/" << it->second.Images3 << ", " << it->second.Waves2;
        failure = where.str() + why.str();
        return false;
      }
      report.MemoryAtEntry[lastScene].push_back(BytesInUse());
    }
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
          << " KiB, scene entries:";
  for (const auto& [scene, n] : report.Entries) summary << " " << scene << "x" << n;
  std::printf("%s\n", summary.str().c_str());
  RecordProperty("ticks", static_cast<int>(report.Ticks));
  RecordProperty("games", report.Games);
}

}  // namespace
}  // namespace vepa
