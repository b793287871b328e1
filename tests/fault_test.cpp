// Fault runs: the game meets trouble while it runs and must end in its own error paths, never
// in a crash. The archive files are deleted, truncated or damaged under a running game; the
// game runs without a sound device; the settings file is damaged; a second copy is started.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/launcher.h"
#include "app/platform.h"
#include "tests/monkey.h"
#include "tests/temp_dir.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

namespace fs = std::filesystem;
using monkey::GameSession;
using monkey::Monkey;

using ScratchDir = vepa::testing::TempDir;

// A copy of the default archive the test may spoil.
class ArchiveCopy : public ScratchDir {
 public:
  ArchiveCopy() {
    for (const char* name : {DirectoryFileName, DataFileName})
      fs::copy_file(std::string(VEPA_DATA_DIR) + name, File(name));
  }
  std::string Gmd() const { return File(DirectoryFileName); }
  std::string Gam() const { return File(DataFileName); }
};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// Ticks with the monkey until the game returns to the launcher or `limit` ticks pass; the
// ticks run.
int PlayUntilLauncher(GameSession& s, Monkey& m, int limit) {
  for (int t = 1; t <= limit; ++t) {
    m.Step(s);
    s.Tick();
    if (s.game().ReturnedToLauncher) return t;
  }
  return limit;
}

std::vector<int> Scenes() {
  GameSession probe(VEPA_DATA_DIR, 1);
  return monkey::BuiltScenes(probe.game());
}

// --- The archive disappears or breaks while the game runs. -------------------------------

// The player's progress, which no failed or damaged load may touch.
struct Progress {
  uint16_t Money, BatteryCharge, Tickets;
  uint8_t TicketsFilled;
  std::array<std::array<uint8_t, 6>, 6> TicketNumbers;
  bool operator==(const Progress&) const = default;
};
Progress ProgressOf(const Game& g) {
  return {g.Money, g.BatteryCharge, g.Tickets, g.TicketsFilled, g.TicketNumbers};
}

// A game started in `scene` with money, tickets and filled-in numbers, played by the monkey
// until the opening transition is over (at most 40 ticks, and never past a scene change, so
// that the scene is the one running when the test spoils the archive).
std::unique_ptr<GameSession> StartIn(const std::string& dir, int scene, uint32_t seed, Monkey& m,
                                     bool sound = true) {
  auto s = std::make_unique<GameSession>(dir, seed, scene, scene == 0 ? 2 : 0, sound, [](Game& g) {
    g.Money = 500;
    g.Tickets = 3;
    g.TicketsFilled = 1;
  });
  for (int t = 0; t < 40 && s->game().SceneNumber == scene; ++t) {
    if (s->game().FadeMode == 0 && t >= 5) break;
    m.Step(*s);
    s->Tick();
  }
  return s;
}

// The launcher the game returns to after a data-read error, and how often it was called.
struct LauncherWatch {
  std::unique_ptr<SystemServices> sys = MakePosixSystemServices();
  Launcher launcher{*sys};
  int calls = 0;
  LauncherWatch(const LauncherWatch&) = delete;
  explicit LauncherWatch(Game& g) {
    g.OnReturnToLauncher = [this] {
      ++calls;
      launcher.ShowLauncherState(2);
    };
  }
};

// After a failed load: the frame loop leaves full screen without drawing another frame and
// calls the launcher once, which shows the data-read-error picture and its exit button.
void ExpectLauncherAfterFailedLoad(GameSession& s, Launcher& launcher, const int& calls) {
  EXPECT_EQ(s.game().FatalError, 1);
  const uint64_t presented = s.backend().PresentCount();
  s.Tick();
  EXPECT_TRUE(s.game().ReturnedToLauncher);
  EXPECT_EQ(s.game().FullScreenActive, 0);
  EXPECT_EQ(s.backend().PresentCount(), presented) << "a frame was drawn after the error";
  // Further ticks stay in the launcher and call it only once.
  for (int t = 0; t < 5; ++t) s.Tick();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(s.backend().PresentCount(), presented);
  EXPECT_EQ(launcher.State(), 2);
  EXPECT_TRUE(launcher.Visible()[2] && launcher.Visible()[4])
      << "the data-read-error picture and the exit button must show";
}

// In every scene, while it runs: either archive file goes away, then the next load (the
// scene's own loader again, or the hub's, every scene's way back) finds no archive. The failed
// loader leaves the scene number and the player's progress as they were, and the frame loop
// goes to the launcher's data-read-error state, once.
TEST(FaultArchive, DeletedFilesTakeEveryScenetoTheLauncher) {
  for (const char* victim : {DirectoryFileName, DataFileName}) {
    for (int scene : Scenes()) {
      for (const bool ownLoader : {true, false}) {
        SCOPED_TRACE(std::string("deleted ") + victim + ", scene " + std::to_string(scene) +
                     (ownLoader ? ", its own loader" : ", the hub's loader"));
        ArchiveCopy data;
        Monkey m(scene + 1);
        auto s = StartIn(data.Dir(), scene, 7, m);
        ASSERT_EQ(s->game().SceneNumber, scene) << "the scene must be running when spoiled";
        ASSERT_FALSE(s->game().ReturnedToLauncher);
        LauncherWatch watch(s->game());
        // Numbers on every ticket, as after a visit to the ticket scene (whose loader clears
        // them once its entries are loaded).
        for (int t = 0; t < 6; ++t)
          for (int i = 0; i < 6; ++i) s->game().TicketNumbers[t][i] = uint8_t(1 + t * 6 + i);
        fs::remove(data.File(victim));
        const Progress before = ProgressOf(s->game());
        s->game().LoadScene(ownLoader ? scene : 0, ownLoader ? (scene == 0 ? 2 : 0) : 1);
        EXPECT_EQ(s->game().SceneNumber, scene) << "a failed loader set the scene number";
        EXPECT_TRUE(ProgressOf(s->game()) == before) << "a failed loader changed the progress";
        ExpectLauncherAfterFailedLoad(*s, watch.launcher, watch.calls);
      }
    }
  }
}

// In every scene, without a forced load: the scene plays on over the missing files. Whatever it
// still reads (a spoken line, the next scene) ends in the launcher's data-read-error state, or
// the scene keeps running on what it has loaded; never a crash, never a frame after the error.
TEST(FaultArchive, DeletedFilesUnderEverySceneAtPlay) {
  int toLauncher = 0;
  for (int scene : Scenes()) {
    SCOPED_TRACE("scene " + std::to_string(scene));
    ArchiveCopy data;
    Monkey m(scene + 31, /*steered=*/true);
    auto s = StartIn(data.Dir(), scene, 9, m);
    ASSERT_EQ(s->game().SceneNumber, scene);
    LauncherWatch watch(s->game());
    fs::remove(data.Gmd());
    fs::remove(data.Gam());
    uint64_t presentedAtError = 0;
    for (int t = 0; t < 600 && !s->game().QuitRequested; ++t) {
      m.Step(*s);
      s->Tick();
      if (s->game().ReturnedToLauncher) {
        if (presentedAtError == 0) presentedAtError = s->backend().PresentCount();
        EXPECT_EQ(s->backend().PresentCount(), presentedAtError) << "a frame after the error";
      } else {
        ASSERT_EQ(s->game().FatalError, 0) << "tick " << t << ": the error did not end the frames";
      }
    }
    if (s->game().ReturnedToLauncher) {
      ++toLauncher;
      EXPECT_EQ(watch.calls, 1);
      EXPECT_EQ(watch.launcher.State(), 2);
      EXPECT_TRUE(watch.launcher.Visible()[2] && watch.launcher.Visible()[4]);
      EXPECT_EQ(s->game().FullScreenActive, 0);
    } else {
      EXPECT_EQ(watch.calls, 0);
    }
  }
  // The steered monkey leaves most scenes within its 600 ticks, and leaving loads.
  EXPECT_GT(toLauncher, 0);
}

// Without a forced load: the start-up logos move on by themselves and the monkey plays on;
// whatever load comes first after the deletion ends in the launcher.
TEST(FaultArchive, DeletedDuringTheStartUpSequenceEndsInTheLauncher) {
  ArchiveCopy data;
  GameSession s(data.Dir(), 3);
  Monkey m(3);
  for (int t = 0; t < 3; ++t) s.Tick();
  fs::remove(data.Gam());
  fs::remove(data.Gmd());
  const int ticks = PlayUntilLauncher(s, m, 4000);
  EXPECT_TRUE(s.game().ReturnedToLauncher) << "still playing after " << ticks << " ticks";
  EXPECT_EQ(s.game().FatalError, 1);
}

// Truncated or damaged files open fine: damaged entries load nothing and are reported once,
// missing ones load nothing, and the game plays on without a fatal error or a crash. Every
// scene meets the data file cut to a third while it runs, and one more damage in turn; it
// plays on over the spoiled files (what it reads at play comes from them), then every scene
// loads from them, and the monkey plays on. The player's progress survives the loads.
TEST(FaultArchive, TruncatedAndDamagedFilesKeepTheGameRunning) {
  struct Damage {
    const char* What;
    void (*Apply)(const ArchiveCopy&);
  };
  const Damage damages[] = {
      {"data file cut to a third",
       [](const ArchiveCopy& d) { fs::resize_file(d.Gam(), fs::file_size(d.Gam()) / 3); }},
      {"data file emptied", [](const ArchiveCopy& d) { fs::resize_file(d.Gam(), 0); }},
      {"directory cut inside a record",
       [](const ArchiveCopy& d) { fs::resize_file(d.Gmd(), fs::file_size(d.Gmd()) / 2 + 7); }},
      {"directory emptied", [](const ArchiveCopy& d) { fs::resize_file(d.Gmd(), 0); }},
      {"data bytes overwritten",
       [](const ArchiveCopy& d) {
         std::fstream f(d.Gam(), std::ios::binary | std::ios::in | std::ios::out);
         const auto size = static_cast<std::streamoff>(fs::file_size(d.Gam()));
         for (std::streamoff at = 3; at < size; at += 997) {
           f.seekp(at);
           f.put(static_cast<char>(at * 7));
         }
       }},
      {"directory records scrambled",
       [](const ArchiveCopy& d) {
         std::fstream f(d.Gmd(), std::ios::binary | std::ios::in | std::ios::out);
         const auto size = static_cast<std::streamoff>(fs::file_size(d.Gmd()));
         // Sizes and offsets of every third record point anywhere.
         for (std::streamoff at = 0; at + 20 <= size; at += 60) {
           f.seekp(at + 13 + (at / 60) % 7);
           f.put(static_cast<char>(0x80 | (at / 20)));
         }
       }},
  };
  constexpr size_t kDamages = sizeof(damages) / sizeof(damages[0]);
  const std::vector<int> scenes = Scenes();
  for (size_t i = 0; i < scenes.size(); ++i) {
    const int scene = scenes[i];
    for (const Damage* damage : {&damages[0], &damages[1 + i % (kDamages - 1)]}) {
      SCOPED_TRACE(std::string(damage->What) + ", scene " + std::to_string(scene));
      ArchiveCopy data;
      Monkey m(scene + 100, /*steered=*/true);
      auto s = StartIn(data.Dir(), scene, 11, m);
      ASSERT_EQ(s->game().SceneNumber, scene) << "the scene must be running when spoiled";
      damage->Apply(data);
      auto play = [&](int ticks, const char* when) {
        for (int t = 0; t < ticks && !s->game().QuitRequested; ++t) {
          m.Step(*s);
          s->Tick();
          ASSERT_EQ(s->game().FatalError, 0) << when << ", tick " << t;
          ASSERT_TRUE(s->game().GetScene(s->game().SceneNumber)) << when << ", tick " << t;
        }
      };
      ::testing::internal::CaptureStderr();  // the reports of damaged entries
      play(150, "playing on over the spoiled files");
      // Every scene loads once more from the spoiled files, then the monkey plays on.
      if (!s->game().QuitRequested) {
        const Progress before = ProgressOf(s->game());
        for (int next : scenes)
          if (next != SceneNo(SceneId::Ticket)) s->game().LoadScene(next, 0);  // it clears numbers
        EXPECT_TRUE(ProgressOf(s->game()) == before) << "a load changed the player's progress";
        s->game().LoadScene(scene, scene == 0 ? 2 : 0);
        play(200, "after every scene loaded again");
      }
      ::testing::internal::GetCapturedStderr();
      EXPECT_FALSE(s->game().ReturnedToLauncher);
    }
  }
}

// A damaged entry is reported once per name, however often it is loaded again.
TEST(FaultArchive, DamagedEntriesAreReportedOnce) {
  ArchiveCopy data;
  GameSession s(data.Dir(), 5, 0, 0);
  fs::resize_file(data.Gam(), 1000);
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i)
    for (int scene : Scenes()) s.game().LoadScene(scene, 0);
  const std::string err = ::testing::internal::GetCapturedStderr();
  const size_t reports = s.game().archive.MalformedReportCount();
  EXPECT_GT(reports, 0u);
  size_t lines = 0;
  for (size_t at = err.find("damaged archive entry"); at != std::string::npos;
       at = err.find("damaged archive entry", at + 1))
    ++lines;
  EXPECT_EQ(lines, reports);
  EXPECT_EQ(s.game().FatalError, 0);
}

// --- No sound device. --------------------------------------------------------------------

// Without a device every scene plays silent: no wave is looked up (so none is missing),
// phrases still count down, and the monkey gets through scene changes.
TEST(FaultSound, NoDeviceEveryScenePlaysSilent) {
  std::set<int> reached;  // scenes entered by play, not only as a start
  int starts = 0;
  for (int start : [] {
         std::vector<int> v = Scenes();
         v.insert(v.begin(), -1);
         return v;
       }()) {
    SCOPED_TRACE("start " + std::to_string(start));
    GameSession s(VEPA_DATA_DIR, 21, start, start == 0 ? 2 : 0, /*sound=*/false);
    EXPECT_FALSE(s.backend().AudioOpen());
    EXPECT_EQ(s.game().SoundAvailable, 0);
    EXPECT_TRUE(s.layer().Waves(1)->Waves.empty());
    if (start >= 0) {
      ASSERT_EQ(s.game().SceneNumber, start) << "the scene must open silent";
    }
    Monkey m(start + 50, /*steered=*/true);
    ++starts;
    int last = s.game().SceneNumber;
    for (int t = 0; t < 1500; ++t) {
      m.Step(s);
      s.Tick();
      Game& g = s.game();
      ASSERT_EQ(g.FatalError, 0);
      ASSERT_TRUE(g.GetScene(g.SceneNumber)) << "scene " << int(g.SceneNumber);
      ASSERT_TRUE(g.layer.Missing().Names.empty()) << g.layer.Missing().Names.front();
      ASSERT_TRUE(s.layer().Waves(2)->Waves.empty());
      if (g.SceneNumber != last) reached.insert(last = g.SceneNumber);
      if (g.QuitRequested) break;
    }
    EXPECT_GT(s.backend().PresentCount(), 0u);
  }
  // Silent speech still ends, so the monkey gets from scene to scene: the kiosk and most others.
  EXPECT_TRUE(reached.count(SceneNo(SceneId::Kiosk)));
  EXPECT_GE(reached.size() * 2, static_cast<size_t>(starts)) << reached.size() << " scenes reached";
}

// --- Damaged settings. -------------------------------------------------------------------

TEST(FaultSettings, DamagedTextKeepsTheGoodLinesAndSkipsTheRest) {
  // "old" marks a value no line sets: the parser leaves it as it was.
  struct Case {
    std::string Text, GameDir, CDGameDir;
  };
  const Case cases[] = {
      {"", "old", "old"},
      {"\n\n\r\n", "old", "old"},
      {"GameDir=/games/vepa\r\nCDGameDir=/media/cd\r\n", "/games/vepa", "/media/cd"},
      {"GameDir=/no/newline/at/end", "/no/newline/at/end", "old"},
      {"garbage without equals\nGameDir=/ok\n==\n=\nCDGameDir\n", "/ok", "old"},
      {"GameDir=/first\nGameDir=/second\n", "/second", "old"},
      {"GameDir=\nCDGameDir=/cd\n", "", "/cd"},
      {"GameDir=/with=equals=inside\n", "/with=equals=inside", "old"},
      {std::string("\xFF\xFE\x00G\x00\x00\n\x01\x02\x03\nCDGameDir=/cd\n", 25), "old", "/cd"},
      {std::string("GameDir=/a\0b\n", 13), std::string("/a\0b", 4), "old"},
      {"GameDir=" + std::string(100000, 'x') + "\n", std::string(100000, 'x'), "old"},
      {"# GameDir=/commented\n; CDGameDir=/commented\n", "old", "old"},
  };
  for (const Case& c : cases) {
    std::string gameDir = "old", cdGameDir = "old";
    ::testing::internal::CaptureStderr();
    ParseSettings(c.Text, gameDir, cdGameDir);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(gameDir, c.GameDir) << "text: " << c.Text.substr(0, 60);
    EXPECT_EQ(cdGameDir, c.CDGameDir) << "text: " << c.Text.substr(0, 60);
  }
}

// Through the launcher: a damaged file still counts as installed, a directory where the file
// should be reads as installed with no directories, and neither finds an archive elsewhere.
TEST(FaultSettings, DamagedFileLeadsTheLauncherToFilesNotFound) {
  ScratchDir config, cwd;
  ScopedEnv env("XDG_CONFIG_HOME", config.Dir());
  const fs::path file = SettingsFilePath();
  ASSERT_EQ(file.string().rfind(config.Dir(), 0), 0u) << file;
  fs::create_directories(file.parent_path());
  // In an empty current directory, so that only the settings could lead to an archive.
  struct CwdGuard {
    fs::path Old = fs::current_path();
    ~CwdGuard() { fs::current_path(Old); }
  } guard;
  fs::current_path(cwd.Dir());
  {
    std::ofstream out(file, std::ios::binary);
    out << "\x01\x02GameDir\n=\nGameDir=" << cwd.Dir() << "missing\nCDGameDir=\xFF\xFE\n";
  }
  auto sys = MakePosixSystemServices();
  Launcher launcher(*sys);
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(launcher.ReadInstallation());
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(launcher.GameDir, cwd.Dir() + "missing");
  EXPECT_FALSE(launcher.FindArchive());

  fs::remove(file);
  fs::create_directory(file);  // a directory in place of the file
  Launcher second(*sys);
  second.ReadInstallation();
  EXPECT_TRUE(second.GameDir.empty());
  EXPECT_FALSE(second.FindArchive());
}

// Written back after a damaged read, the settings keep what was read; a write that cannot
// finish says why and leaves the file it would have replaced as it was; a value that would
// split into two lines is refused rather than written as a second setting.
TEST(FaultSettings, WritingBackLosesNothing) {
  ScratchDir config;
  ScopedEnv env("XDG_CONFIG_HOME", config.Dir());
  const fs::path file = SettingsFilePath();
  fs::create_directories(file.parent_path());
  auto readText = [&] {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  {
    std::ofstream out(file, std::ios::binary);
    out << "\xFF\xFE junk\nGameDir=/games/vepa 4\r\nCDGameDir=/media/cd\n=\n";
  }
  std::string gameDir, cdGameDir;
  ::testing::internal::CaptureStderr();
  ParseSettings(readText(), gameDir, cdGameDir);
  ::testing::internal::GetCapturedStderr();
  std::string error;
  ASSERT_TRUE(WriteSettings(gameDir, cdGameDir, &error)) << error;
  std::string again = "old", cdAgain = "old";
  ParseSettings(readText(), again, cdAgain);
  EXPECT_EQ(again, "/games/vepa 4");
  EXPECT_EQ(cdAgain, "/media/cd");

  // The scratch file it writes first cannot be made: the old file stays whole.
  const std::string before = readText();
  fs::create_directory(file.string() + ".tmp");
  error.clear();
  EXPECT_FALSE(WriteSettings("/elsewhere", "", &error));
  EXPECT_NE(error.find(".tmp"), std::string::npos) << error;
  EXPECT_EQ(readText(), before);
  fs::remove(file.string() + ".tmp");

  // A line break inside a value.
  for (const char* bad : {"/a\nCDGameDir=/b", "/a\r"}) {
    error.clear();
    EXPECT_FALSE(WriteSettings(bad, "", &error)) << bad;
    EXPECT_NE(error.find("line break"), std::string::npos) << error;
    EXPECT_FALSE(WriteSettings("/ok", bad, &error)) << bad;
    EXPECT_EQ(readText(), before);
  }

  // The settings folder's place is taken by a file.
  ScratchDir other;
  ScopedEnv env2("XDG_CONFIG_HOME", other.Dir());
  { std::ofstream(other.File("Dreb")) << "a file"; }
  error.clear();
  EXPECT_FALSE(WriteSettings("/games", "", &error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

// --- A second copy. ----------------------------------------------------------------------

// Runs `body` in a child process and gives its exit code.
template <typename Body>
int InChild(Body body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(FaultInstance, SecondCopyIsRefusedWhileTheFirstRuns) {
  ScratchDir runtime;
  ScopedEnv env("XDG_RUNTIME_DIR", runtime.Dir());
  auto secondCopy = [] {
    auto sys = MakePosixSystemServices();
    return sys->AcquireInstanceLock("Roderuze") ? 0 : 1;
  };
  EXPECT_EQ(InChild(secondCopy), 0) << "nothing runs yet: the lock must be free";
  {
    auto first = MakePosixSystemServices();
    ASSERT_TRUE(first->AcquireInstanceLock("Roderuze"));
    ASSERT_TRUE(first->AcquireInstanceLock("RoderuzeSetup"));
    EXPECT_EQ(InChild(secondCopy), 1) << "a second copy must be refused";
    // The setup lock is another name: it does not stop the game's own lock... and vice versa.
    EXPECT_EQ(InChild([] {
                auto sys = MakePosixSystemServices();
                return sys->AcquireInstanceLock("SomethingElse") ? 0 : 1;
              }),
              0);
    // Within the one process, a second services object is refused too.
    auto again = MakePosixSystemServices();
    EXPECT_FALSE(again->AcquireInstanceLock("Roderuze"));
  }
  // The first copy ended: a new one starts.
  EXPECT_EQ(InChild(secondCopy), 0);
  // A lock left behind by a copy that was killed does not block the next start.
  EXPECT_EQ(InChild([] {
              auto sys = MakePosixSystemServices();
              if (!sys->AcquireInstanceLock("Roderuze")) return 2;
              raise(SIGKILL);
              return 3;
            }),
            -1);
  EXPECT_EQ(InChild(secondCopy), 0);
}

TEST(FaultInstance, MissingLockDirectoryDoesNotStopTheGame) {
  ScratchDir runtime;
  ScopedEnv env("XDG_RUNTIME_DIR", runtime.Dir() + "does/not/exist");
  auto sys = MakePosixSystemServices();
  EXPECT_TRUE(sys->AcquireInstanceLock("Roderuze"));
}

}  // namespace
}  // namespace vepa
