// A game recorded as it is played replays exactly: the window's events go through the same
// router and input as in the real game (F12, --record), here fed by a restless player over the
// headless layer, and the file the recording leaves is played again by the runner.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "app/game.h"
#include "app/replay.h"
#include "app/runner.h"
#include "engine/state.h"
#include "tests/temp_dir.h"
#include "tests/test_paths.h"

namespace vepa::testing {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

RunnerOptions FromStartUp(uint32_t seed) {
  RunnerOptions o;
  o.DataDir = VEPA_DATA_DIR;
  o.Seed = seed;
  return o;
}

// A player at a real window: several pointer moves between two ticks, all three buttons, keys
// that repeat while held, quick taps between two ticks, Alt held with other keys, Enter and
// Esc often enough to get past the menus into the kiosk and its games.
class RestlessPlayer {
 public:
  explicit RestlessPlayer(uint32_t seed) { rng_.Seed = seed; }
  void Act(GameEventRouter& events) {
    const int moves = rng_.Random(4);
    for (int i = 0; i < moves; ++i) {
      x_ = std::clamp(x_ + rng_.Random(81) - 40, 0, 639);
      y_ = std::clamp(y_ + rng_.Random(61) - 30, 0, 479);
      events.MouseMove(x_, y_);
    }
    if (rng_.Random(12) == 0) {
      const int button = rng_.Random(8) == 0 ? 2 : (rng_.Random(6) == 0 ? 1 : 0);
      events.MouseDown(button, x_, y_);
      events.MouseUp(button, x_, y_);
    }
    if (held_ != 0 && rng_.Random(6) == 0) {
      events.KeyUp(held_);
      held_ = 0;
    } else if (held_ != 0) {
      events.KeyDown(held_, false);  // the window repeats a held key
    }
    if (held_ == 0 && rng_.Random(15) == 0) {
      static constexpr int kKeys[] = {key::Enter, key::Esc,  key::Space, key::Left, key::Right,
                                      key::Up,    key::Down, key::Ctrl,  '3',       'A'};
      held_ = kKeys[rng_.Random(10)];
      events.KeyDown(held_, false);
    }
    if (rng_.Random(40) == 0) {  // a tap that goes down and up before the next tick
      events.KeyDown(key::Enter, false);
      events.KeyUp(key::Enter);
    }
    if (rng_.Random(300) == 0) {  // Alt+F4, which the full-screen game swallows
      events.KeyDown(key::Alt, true);
      events.KeyDown(key::F4, true);
      events.KeyUp(key::F4);
      events.KeyUp(key::Alt);
    }
  }

 private:
  RandomGenerator rng_;
  int x_ = 320, y_ = 240, held_ = 0;
};

// Plays the game recorded, then the runner plays the file; both end in the same state.
void ExpectReplaysTheSame(HeadlessSession& played, const std::string& file) {
  const std::string text = ReadAll(file);
  RunnerOptions o;
  std::string error;
  ASSERT_TRUE(ReplayOptionsFromHeader(text, VEPA_DATA_DIR, o, &error)) << error;
  EXPECT_EQ(o.Seed, played.Input().Seed);
  EXPECT_EQ(o.Ticks, played.TicksRun());
  const RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(r.TicksRun, played.TicksRun());
  EXPECT_EQ(r.Json, played.Describe()) << "the replay went another way";
}

TEST(ReplayRecording, ARecordedGameReplaysToTheSameStateAndFrame) {
  TempDir dir;
  const std::string file = dir.File("game.replay");
  HeadlessSession s(FromStartUp(20261209));
  ASSERT_TRUE(s.Ok()) << s.Error();
  GameEventRouter events(s.Input(), file, dir.File(""));
  events.ToggleRecording();  // as --record does at the start
  ASSERT_TRUE(s.Input().Recording()) << events.Message();
  RestlessPlayer player(5);
  std::set<int> scenes;
  for (int t = 0; t < 3000 && !s.Ended(); ++t) {
    player.Act(events);
    s.Tick();
    scenes.insert(s.GetGame().SceneNumber);
  }
  EXPECT_GE(scenes.size(), 3u) << "the player got past the logos";
  events.ToggleRecording();
  EXPECT_FALSE(s.Input().Recording());
  EXPECT_NE(events.Message().find(file), std::string::npos) << events.Message();
  ExpectReplaysTheSame(s, file);

  // The file reads like the runner's scripts: no middle button, moves kept once per tick, the
  // recording key never in it, the command line with the seed at the top and the end.
  const std::string text = ReadAll(file);
  EXPECT_EQ(text.find(" key 123 "), std::string::npos);
  std::istringstream in(text);
  std::string line, lastMoveTick;
  int events_ = 0, lines = 0;
  std::string previousKind;
  for (std::string l; std::getline(in, l); ++lines) {
    if (l.empty() || l[0] == '#') continue;
    ++events_;
    std::istringstream w(l);
    std::string tick, kind;
    w >> tick >> kind;
    if (kind == "move" && previousKind == "move") {
      EXPECT_NE(tick, lastMoveTick) << "two moves in a row before one tick: " << l;
    }
    if (kind == "move") lastMoveTick = tick;
    previousKind = kind;
  }
  EXPECT_GT(events_, 500);
  EXPECT_EQ(text.rfind("# vepa4-headless --data ", 0), std::string::npos) << "a title first";
  EXPECT_NE(text.find("--seed 20261209 --script FILE\n"), std::string::npos);
  EXPECT_NE(text.find("--ticks " + std::to_string(s.TicksRun()) + "\n"), std::string::npos);
}

TEST(ReplayRecording, F12DuringPlayRecordsTheWholeGameSoFarAndStopsWithTheNextPress) {
  TempDir dir;
  HeadlessSession s(FromStartUp(77));
  ASSERT_TRUE(s.Ok()) << s.Error();
  GameEventRouter events(s.Input(), "", dir.File(""));
  RestlessPlayer player(9);
  for (int t = 0; t < 400; ++t) {
    player.Act(events);
    s.Tick();
  }
  EXPECT_TRUE(events.KeyDown(RecordKey, false)) << "F12 starts a recording";
  EXPECT_FALSE(events.KeyDown(RecordKey, false)) << "a held F12 repeats without a new toggle";
  events.KeyUp(RecordKey);
  ASSERT_TRUE(s.Input().Recording()) << events.Message();
  const std::string file = s.Input().RecordingPath();
  EXPECT_EQ(file.rfind(dir.File("vepa4-replay-"), 0), 0u) << file;
  for (int t = 0; t < 300; ++t) {
    player.Act(events);
    s.Tick();
  }
  // While it records, the file already holds every tick so far (a crash keeps it).
  RunnerOptions partial;
  std::string error;
  ASSERT_TRUE(ReplayOptionsFromHeader(ReadAll(file), VEPA_DATA_DIR, partial, &error)) << error;
  EXPECT_EQ(partial.Ticks, 700) << "a file without its last line runs to its last mark";
  EXPECT_NE(ReadAll(file).find("\n# tick 700\n"), std::string::npos);
  EXPECT_TRUE(events.KeyDown(RecordKey, false));
  events.KeyUp(RecordKey);
  EXPECT_FALSE(s.Input().Recording());
  ExpectReplaysTheSame(s, file);
  // The player goes on; a second recording gets a file of its own, again from the start.
  for (int t = 0; t < 50; ++t) {
    player.Act(events);
    s.Tick();
  }
  events.ToggleRecording();
  ASSERT_TRUE(s.Input().Recording());
  EXPECT_NE(s.Input().RecordingPath(), file);
  events.ToggleRecording();
  ExpectReplaysTheSame(s, s.Input().RecordingPath());
}

TEST(ReplayRecording, AFileThatCannotBeWrittenIsSaidAndTheGamePlaysOn) {
  HeadlessSession s(FromStartUp(3));
  ASSERT_TRUE(s.Ok()) << s.Error();
  GameEventRouter events(s.Input(), "/nonexistent-directory/game.replay", "");
  events.ToggleRecording();
  EXPECT_FALSE(s.Input().Recording());
  EXPECT_NE(events.Message().find("cannot write the replay /nonexistent-directory/game.replay"),
            std::string::npos)
      << events.Message();
  s.Tick(), s.Tick();
  EXPECT_EQ(s.TicksRun(), 2);
}

TEST(ReplayRecording, TheGameTakesOnlyTheRecordOption) {
  auto parse = [](std::vector<std::string> args, GameOptions& o, std::string& error) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return ParseGameArgs(static_cast<int>(argv.size()), argv.data(), o, &error);
  };
  GameOptions o;
  std::string error;
  EXPECT_TRUE(parse({"vepa4"}, o, error));
  EXPECT_TRUE(o.RecordPath.empty());
  EXPECT_TRUE(parse({"vepa4", "--record", "my game.txt"}, o, error));
  EXPECT_EQ(o.RecordPath, "my game.txt");
  EXPECT_FALSE(parse({"vepa4", "--record"}, o, error));
  EXPECT_EQ(error, "--record needs a file");
  EXPECT_FALSE(parse({"vepa4", "--record", ""}, o, error));
  EXPECT_FALSE(parse({"vepa4", "--fast"}, o, error));
  EXPECT_EQ(error, "unknown option --fast");
  EXPECT_EQ(DefaultReplayPath("/tmp/x", 1765251000), "/tmp/x/vepa4-replay-20251209-033000.txt");
  EXPECT_EQ(DefaultReplayPath("", 0), "./vepa4-replay-19700101-000000.txt");
}

TEST(ReplayRecording, AReplayWithoutItsCommandLineIsRefused) {
  RunnerOptions o;
  std::string error;
  EXPECT_FALSE(ReplayOptionsFromHeader("5 move 1 2\n", VEPA_DATA_DIR, o, &error));
  EXPECT_NE(error.find("no \"# vepa4-headless"), std::string::npos) << error;
  EXPECT_FALSE(ReplayOptionsFromHeader("# vepa4-headless --seed x --script FILE\n", VEPA_DATA_DIR,
                                       o, &error));
  EXPECT_EQ(error, "bad --seed");
  EXPECT_FALSE(ReplayOptionsFromHeader("# vepa4-headless --seed 1 --script FILE\n5 jump\n",
                                       VEPA_DATA_DIR, o, &error));
  EXPECT_NE(error.find("unknown event"), std::string::npos) << error;
  // Script lines come back as they were written.
  for (const char* line : {"12 move -3 479", "13 down left 300 200", "14 up right 0 0",
                           "15 key 27 down", "16 key 13 up"}) {
    ScriptEvent e;
    ASSERT_TRUE(ParseScriptLine(line, e, &error)) << line;
    EXPECT_EQ(FormatScriptEvent(e), line);
  }
}

}  // namespace
}  // namespace vepa::testing
