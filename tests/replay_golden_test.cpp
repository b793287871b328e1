// Golden replays: every road of tests/replays/ played by the headless runner from its script
// and compared with its stored reference (a digest of the frame and the state after every
// tick, and the whole state with the frame hash at a few ticks). A mismatch names the first
// tick that differs and the first field that differs. VEPA_REWRITE_REPLAYS=1 plays every road
// again with its scripted player and rewrites its script and its reference.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/replays/replay_reference.h"
#include "tests/replays/roads.h"

namespace vepa::testing {

namespace {

bool Rewriting() {
  const char* v = std::getenv("VEPA_REWRITE_REPLAYS");
  return v && std::string(v) == "1";
}

std::string ReplayDir() { return std::string(VEPA_SOURCE_DIR) + "/tests/replays/"; }

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  ASSERT_TRUE(out) << "cannot write " << path;
  out << text;
}

// Plays the road's script alone, with checkpoints at the given ticks.
RunnerResult Replay(const std::string& script, const std::vector<int>& checks) {
  RunnerOptions o;
  std::string error;
  EXPECT_TRUE(ReplayOptionsFromHeader(script, VEPA_DATA_DIR, o, &error)) << error;
  o.CheckTicks = checks;
  o.TickDigests = true;
  RunnerResult r = RunHeadless(o);
  EXPECT_EQ(r.ExitCode, 0) << r.Error;
  return r;
}

void RecordRoad(const Road& road) {
  const bool fromStartUp = road.Name == "whole_game";
  RoadPlayer p(fromStartUp);
  ASSERT_TRUE(p.Ok()) << p.Error();
  road.Play(p);
  ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "the player of " << road.Name << " failed";
  const std::string script = "# Road \"" + road.Name + "\": " + road.What + ".\n" + p.Script();
  // The script alone must give the game the player saw, to the last pixel.
  const RunnerResult r = Replay(script, {p.Ticks()});
  ASSERT_EQ(r.TicksRun, p.Ticks()) << road.Name;
  ASSERT_FALSE(r.Checkpoints.empty());
  const ReplayDifference d =
      CompareStates(FlattenJson(p.Describe()), FlattenJson(r.Checkpoints.back().Json));
  ASSERT_TRUE(d.Field.empty()) << "the script of " << road.Name
                               << " does not replay what was played: " << d.Field << " played "
                               << d.Expected << ", replayed " << d.Actual;
  WriteFile(ReplayDir() + road.Name + ".script", script);
  const std::vector<int> checks = ReferenceCheckTicks(r.TicksRun);
  const RunnerResult withChecks = Replay(script, checks);
  WriteFile(ReplayDir() + road.Name + ".ref", FormatReference(road.Name, withChecks));
  std::printf("road %s recorded: %d ticks\n", road.Name.c_str(), withChecks.TicksRun);
}

void CheckRoad(const Road& road) {
  std::string script, refText;
  const std::string scriptPath = ReplayDir() + road.Name + ".script";
  ASSERT_TRUE(ReadFile(scriptPath, script))
      << "no recorded road " << scriptPath << ": record it with VEPA_REWRITE_REPLAYS=1";
  ASSERT_TRUE(ReadFile(ReplayDir() + road.Name + ".ref", refText))
      << "no reference for " << scriptPath << ": record it with VEPA_REWRITE_REPLAYS=1";
  ReplayReference ref;
  std::string error;
  ASSERT_TRUE(ParseReference(refText, ref, &error)) << road.Name << ".ref: " << error;
  std::vector<int> checks;
  for (const auto& c : ref.Checkpoints) checks.push_back(c.Tick);
  const RunnerResult r = Replay(script, checks);
  const ReplayDifference d = CompareWithReference(ref, r);
  EXPECT_EQ(d.FirstTick, 0) << "road " << road.Name << ": " << d.Message
                            << "\nIf the change is intended, rewrite the references with "
                               "VEPA_REWRITE_REPLAYS=1 build-test/vepa4-tests "
                               "--gtest_filter='ReplayRoad.*'";
  EXPECT_EQ(JsonInt(r.Json, "MissingNameCount"), 0) << road.Name;
  EXPECT_EQ(JsonInt(r.Json, "FatalError"), 0) << road.Name;
}

class RoadTest : public ::testing::Test {
 public:
  explicit RoadTest(const Road& road) : road_(road) {}
  void TestBody() override {
    if (Rewriting())
      RecordRoad(road_);
    else
      CheckRoad(road_);
  }

 private:
  Road road_;
};

}  // namespace

bool RegisterRoad(const Road& road) {
  Roads().push_back(road);
  ::testing::RegisterTest("ReplayRoad", road.Name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                          [road]() -> ::testing::Test* { return new RoadTest(road); });
  return true;
}

namespace {

// --- The comparison itself must point at the fault.

TEST(ReplayDifference, NamesTheFirstDifferingTickAndField) {
  // A short road of the kiosk: the hand is moved and clicks the cashier at tick 20.
  const std::string script =
      "# vepa4-headless --data DIR --seed 7 --start kiosk --script FILE --ticks 60\n"
      "5 move 300 180\n20 down left 300 180\n21 up left 300 180\n";
  const std::vector<int> checks{15, 20, 21, 22, 30, 60};
  const RunnerResult good = Replay(script, checks);
  ReplayReference ref;
  std::string error;
  ASSERT_TRUE(ParseReference(FormatReference("probe", good), ref, &error)) << error;
  EXPECT_EQ(CompareWithReference(ref, Replay(script, checks)).FirstTick, 0)
      << "the same script, the same game";

  // The click two ticks later: the game is the same until the first click would have come.
  std::string late = script;
  late.replace(late.find("20 down"), 7, "22 down");
  late.replace(late.find("21 up"), 5, "23 up");
  const ReplayDifference d = CompareWithReference(ref, Replay(late, checks));
  EXPECT_EQ(d.FirstTick, 20) << d.Message;
  EXPECT_FALSE(d.Field.empty()) << d.Message;
  EXPECT_NE(d.Message.find("tick 20"), std::string::npos) << d.Message;
  EXPECT_NE(d.Message.find(d.Field), std::string::npos) << d.Message;

  // A replay that stops early is named as such.
  std::string shorter = script;
  shorter.replace(shorter.find("--ticks 60"), 10, "--ticks 40");
  const ReplayDifference s = CompareWithReference(ref, Replay(shorter, {15, 20, 21, 22, 30, 40}));
  EXPECT_EQ(s.FirstTick, 41) << s.Message;
  EXPECT_NE(s.Message.find("40 ticks"), std::string::npos) << s.Message;
}

TEST(ReplayDifference, AReferenceThatIsNotOneIsRefused) {
  ReplayReference ref;
  std::string error;
  EXPECT_FALSE(ParseReference("", ref, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ParseReference("ticks 10\ndigests 1 zz\n", ref, &error));
  EXPECT_FALSE(ParseReference("ticks 3\ndigests 1 00000001 00000002\n", ref, &error))
      << "fewer digests than ticks";
  EXPECT_FALSE(ParseReference("ticks 1\ndigests 1 00000001\nSceneNumber 0\n", ref, &error))
      << "a field outside a checkpoint";
  EXPECT_TRUE(
      ParseReference("ticks 1\ndigests 1 00000001\ncheckpoint 1 frame 5\nMoney 51\n", ref, &error))
      << error;
  ASSERT_EQ(ref.Checkpoints.size(), 1u);
  EXPECT_EQ(ref.Checkpoints[0].Fields.at(0).second, "51");
}

TEST(ReplayDifference, FlattensNestedObjectsArraysAndStrings) {
  const auto f = FlattenJson(R"({"A":1,"B":{"C":[2,3],"D":"x \"y\""},"E":[{"F":-4}]})");
  const std::vector<std::pair<std::string, std::string>> want{
      {"A", "1"}, {"B.C[0]", "2"}, {"B.C[1]", "3"}, {"B.D", "\"x \\\"y\\\"\""}, {"E[0].F", "-4"}};
  EXPECT_EQ(f, want);
}

}  // namespace
}  // namespace vepa::testing
