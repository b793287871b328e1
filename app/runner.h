// The headless runner: plays the game without a window from a seed and a script of input
// events, takes screenshots of chosen ticks and dumps the shared state as JSON. Tests drive
// whole roads through it; the same seed and script give the same frames and state every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vepa {

struct Game;
class HeadlessBackend;

struct ScriptEvent {
  int Tick = 0;  // applied before this tick runs (ticks count from 1)
  enum Kind { Move, Down, Up, KeyDown, KeyUp } Type = Move;
  int Button = 0;  // 0 left, 1 right
  int X = 0, Y = 0, Code = 0;
};

struct RunnerOptions {
  std::string DataDir;
  uint32_t Seed = 1;
  int StartScene = -1;  // -1: the start-up sequence (logos)
  int StartArg = 0;
  std::vector<ScriptEvent> Script;
  int Ticks = 100;
  std::vector<std::pair<int, std::string>> Shots;  // tick, PNG path
  bool NoSound = false;
  std::vector<std::pair<std::string, std::string>> Sets;  // shared variable, value
};

// Parses one script line ("T move X Y", "T down left X Y", "T up right X Y",
// "T key CODE down"); blank lines and '#' comments give false without an error.
bool ParseScriptLine(const std::string& line, ScriptEvent& out, std::string* error);
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error);
// Parses the command line; false with a message on bad arguments.
bool ParseRunnerArgs(int argc, char** argv, RunnerOptions& out, std::string* error);
// Sets a shared variable by name ("Money=1000", "TicketNumbers=1,2,..."). False when unknown
// or not a number in range.
bool SetSharedVariable(Game& g, const std::string& name, const std::string& value,
                       std::string* error);

struct RunnerResult {
  std::string Json;
  uint64_t LastFrameHash = 0;
  int TicksRun = 0;
  int ExitCode = 0;
  std::string Error;
};

// Runs the game headless. Screenshots are written as PNG files.
RunnerResult RunHeadless(const RunnerOptions& options);
// The JSON object with the shared state, the current scene's own state and missing names.
std::string DescribeGame(const Game& g, uint64_t frameHash, int ticks);

}  // namespace vepa
