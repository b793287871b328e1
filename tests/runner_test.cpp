// The headless runner: script and argument parsing, shared-variable setting, determinism.
#include "app/runner.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/game.h"
#include "engine/archive.h"
#include "engine/backend_headless.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

TEST(ScriptTest, ParsesEveryEventKindAndRejectsBadLines) {
  std::vector<ScriptEvent> ev;
  std::string err;
  ASSERT_TRUE(
      ParseScript("# road\n3 move 10 20\n4 down left 10 20\n\n5 up right 1 2  # x\n"
                  "6 key 27 down\n7 key 27 up\n",
                  ev, &err))
      << err;
  ASSERT_EQ(ev.size(), 5u);
  EXPECT_EQ(ev[0].Type, ScriptEvent::Move);
  EXPECT_EQ(ev[1].Type, ScriptEvent::Down);
  EXPECT_EQ(ev[1].Button, 0);
  EXPECT_EQ(ev[2].Type, ScriptEvent::Up);
  EXPECT_EQ(ev[2].Button, 1);
  EXPECT_EQ(ev[3].Code, 27);
  EXPECT_EQ(ev[4].Type, ScriptEvent::KeyUp);
  for (const char* bad : {"0 move 1 1", "x move 1 1", "3 down middle 1 1", "3 key 256 down",
                          "3 key 13 pressed", "3 jump 1 1", "3 move 1", "3 move 1 2 3"}) {
    ev.clear();
    err.clear();
    EXPECT_FALSE(ParseScript(bad, ev, &err)) << bad;
    EXPECT_FALSE(err.empty()) << bad;
  }
}

TEST(RunnerArgsTest, StartSetShotAndErrors) {
  const char* argv[] = {
      "r",       "--data", "/d",     "--seed",       "7",     "--start",    "0:2",
      "--ticks", "30",     "--shot", "5:/tmp/a.png", "--set", "Money=1000", "--no-sound"};
  RunnerOptions o;
  std::string err;
  ASSERT_TRUE(ParseRunnerArgs(14, const_cast<char**>(argv), o, &err)) << err;
  EXPECT_EQ(o.Seed, 7u);
  EXPECT_EQ(o.StartScene, 0);
  EXPECT_EQ(o.StartArg, 2);
  EXPECT_EQ(o.Ticks, 30);
  ASSERT_EQ(o.Shots.size(), 1u);
  EXPECT_EQ(o.Shots[0].first, 5);
  EXPECT_TRUE(o.NoSound);
  const char* bad1[] = {"r", "--start", "300"};
  const char* bad2[] = {"r", "--data"};
  const char* bad3[] = {"r", "--frobnicate"};
  const char* bad4[] = {"r", "--seed", "12"};  // no --data
  for (auto* a : {bad1, bad2, bad3}) {
    RunnerOptions x;
    EXPECT_FALSE(ParseRunnerArgs(a == bad2 ? 2 : 3, const_cast<char**>(a), x, &err));
  }
  RunnerOptions x;
  EXPECT_FALSE(ParseRunnerArgs(3, const_cast<char**>(bad4), x, &err));
}

TEST(RunnerSetTest, SharedVariablesByNameWithRangeChecks) {
  HeadlessBackend backend(false);
  Layer layer(backend);
  Game g(layer);
  std::string err;
  EXPECT_TRUE(SetSharedVariable(g, "Money", "1000", &err));
  EXPECT_EQ(g.Money, 1000);
  EXPECT_FALSE(SetSharedVariable(g, "Money", "70000", &err));
  EXPECT_FALSE(SetSharedVariable(g, "Money", "12abc", &err));
  EXPECT_FALSE(SetSharedVariable(g, "Nonsense", "1", &err));
  EXPECT_TRUE(SetSharedVariable(g, "DrawnNumbers", "1,2,3,4,5,36", &err));
  EXPECT_EQ(g.DrawnNumbers[5], 36);
  EXPECT_FALSE(SetSharedVariable(g, "DrawnNumbers", "1,2,3", &err));
  EXPECT_TRUE(SetSharedVariable(g, "MusicVolume", "-2000", &err));
  EXPECT_EQ(g.MusicVolume, -2000);
}

TEST(RunnerTest, MissingArchiveIsAClearError) {
  RunnerOptions o;
  o.DataDir = "/nonexistent-vepa4";
  RunnerResult r = RunHeadless(o);
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_NE(r.Error.find("vepa4.gmd"), std::string::npos);
}

// Same seed and script give the same frames and state; another seed changes the state.
TEST(RunnerTest, DeterministicForSeedAndScript) {
  std::string dir = VEPA_DATA_DIR;
  if (!std::filesystem::exists(dir + "vepa4.gmd")) {
    // Without the default content, an empty archive still runs the loop.
    dir = (std::filesystem::temp_directory_path() / "vepa4-runner-test/").string();
    std::filesystem::create_directories(dir);
    ASSERT_TRUE(WriteArchive(dir, {}));
  }
  RunnerOptions o;
  o.DataDir = dir;
  o.Seed = 42;
  o.Ticks = 120;
  std::string err;
  ASSERT_TRUE(
      ParseScript("10 move 300 200\n20 down left 300 200\n25 up left 300 200\n"
                  "40 key 27 down\n45 key 27 up\n60 key 27 down\n62 key 27 up\n",
                  o.Script, &err));
  RunnerResult a = RunHeadless(o);
  RunnerResult b = RunHeadless(o);
  ASSERT_EQ(a.ExitCode, 0) << a.Error;
  EXPECT_EQ(a.Json, b.Json);
  EXPECT_EQ(a.LastFrameHash, b.LastFrameHash);
  EXPECT_NE(a.Json.find("\"SceneNumber\":"), std::string::npos);
  EXPECT_NE(a.Json.find("\"MissingNames\":"), std::string::npos);
}

}  // namespace
}  // namespace vepa
