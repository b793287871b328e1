// Fault runs: the game meets trouble while it runs and must end in its own error paths, never
// in a crash. The archive files are deleted, truncated or damaged under a running game; the
// game runs without a sound device; the settings file is damaged; a second copy is started.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher.h"
#include "app/platform.h"
#include "engine/scene_helpers.h"
#include "tests/monkey.h"
#include "tests/temp_dir.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

namespace fs = std::filesystem;
using monkey::GameSession;
using monkey::Monkey;

// A copy of the default archive the test may spoil.
class ArchiveCopy : public testing::TempDir {
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

// From every scene: the files go away after some play, the next load finds no archive, and
// the frame loop leaves full screen for the launcher's data-read-error state, once.
TEST(FaultArchive, DeletedFilesTakeEveryScenetoTheLauncher) {
  for (const char* victim : {DirectoryFileName, DataFileName}) {
    for (int scene : Scenes()) {
      SCOPED_TRACE(std::string("deleted ") + victim + ", scene " + std::to_string(scene));
      ArchiveCopy data;
      GameSession s(data.Dir(), 7, scene, scene == 0 ? 2 : 0);
      auto sys = MakePosixSystemServices();
      Launcher launcher(*sys);
      int calls = 0;
      s.game().OnReturnToLauncher = [&] {
        ++calls;
        launcher.ShowLauncherState(2);
      };
      Monkey m(scene + 1);
      for (int t = 0; t < 40; ++t) {
        m.Step(s);
        s.Tick();
      }
      ASSERT_FALSE(s.game().ReturnedToLauncher);
      fs::remove(data.File(victim));
      // The next scene load (the hub's, as every scene's way back) finds no archive.
      s.game().LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::AfterGame));
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
  }
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
// missing ones load nothing, and the game plays on without a fatal error or a crash.
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
  const std::vector<int> scenes = Scenes();
  int round = 0;
  for (const Damage& damage : damages) {
    // Each damage meets the game in two different scenes.
    for (int scene : {scenes[round % scenes.size()], scenes[(round + 3) % scenes.size()]}) {
      ++round;
      SCOPED_TRACE(std::string(damage.What) + ", scene " + std::to_string(scene));
      ArchiveCopy data;
      GameSession s(data.Dir(), 11, scene, 0);
      Monkey m(scene + 100);
      for (int t = 0; t < 30; ++t) {
        m.Step(s);
        s.Tick();
      }
      damage.Apply(data);
      // Every scene loads once more from the spoiled files, then the monkey plays on.
      for (int next : scenes) s.game().LoadScene(next, 0);
      s.game().LoadScene(scene, 0);
      for (int t = 0; t < 400; ++t) {
        m.Step(s);
        s.Tick();
        ASSERT_EQ(s.game().FatalError, 0) << "tick " << t;
        if (s.game().QuitRequested) break;
      }
      EXPECT_FALSE(s.game().ReturnedToLauncher);
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
    Monkey m(start + 50);
    int changes = 0, last = s.game().SceneNumber;
    for (int t = 0; t < 1500; ++t) {
      m.Step(s);
      s.Tick();
      Game& g = s.game();
      ASSERT_EQ(g.FatalError, 0);
      ASSERT_TRUE(g.GetScene(g.SceneNumber)) << "scene " << int(g.SceneNumber);
      ASSERT_TRUE(g.layer.Missing().Names.empty()) << g.layer.Missing().Names.front();
      ASSERT_TRUE(s.layer().Waves(2)->Waves.empty());
      if (g.SceneNumber != last) ++changes, last = g.SceneNumber;
      if (g.QuitRequested) break;
    }
    EXPECT_GT(s.backend().PresentCount(), 0u);
  }
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
  testing::TempDir config, cwd;
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
  testing::TempDir runtime;
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
  testing::TempDir runtime;
  ScopedEnv env("XDG_RUNTIME_DIR", runtime.Dir() + "does/not/exist");
  auto sys = MakePosixSystemServices();
  EXPECT_TRUE(sys->AcquireInstanceLock("Roderuze"));
}

}  // namespace
}  // namespace vepa
