// The headless runner: plays the game without a window from a seed and a script of input
// events, takes screenshots of chosen ticks and dumps the shared state as JSON. Tests drive
// whole roads through it; the same seed and script give the same frames and state every run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vepa {

struct Game;
class GameInput;
class HeadlessBackend;
class Layer;

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
  // Ticks after which the whole state is kept in the result (RunnerResult::Checkpoints).
  std::vector<int> CheckTicks;
  // Keep a digest of the frame and the state after every tick (RunnerResult::Digests).
  bool TickDigests = false;
};

// Parses one script line ("T move X Y", "T down left X Y", "T up right X Y",
// "T key CODE down"); blank lines and '#' comments give false without an error.
bool ParseScriptLine(const std::string& line, ScriptEvent& out, std::string* error);
bool ParseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error);
// The script line of an event, as ParseScriptLine reads it back ("12 down left 300 200").
std::string FormatScriptEvent(const ScriptEvent& e);
// Parses the command line; false with a message on bad arguments.
bool ParseRunnerArgs(int argc, char** argv, RunnerOptions& out, std::string* error);
// Sets a shared variable by name ("Money=1000", "TicketNumbers=1,2,..."). False when unknown
// or not a number in range.
bool SetSharedVariable(Game& g, const std::string& name, const std::string& value,
                       std::string* error);

struct RunnerCheckpoint {
  int Tick = 0;
  uint64_t FrameHash = 0;
  std::string Json;  // DescribeGame after the tick
};

struct RunnerResult {
  std::string Json;
  uint64_t LastFrameHash = 0;
  int TicksRun = 0;
  int ExitCode = 0;
  std::string Error;
  std::vector<RunnerCheckpoint> Checkpoints;
  std::vector<uint32_t> Digests;  // after tick 1, 2, ...: see TickDigest
};

// 32 bits that stand for one tick of a replay: its frame's pixels and its state description
// (a quick mix of whole words, as it is taken after every tick).
uint32_t TickDigest(const std::vector<uint16_t>& pixels, const std::string& json);

// A game without a window, set up as the runner sets it up: from the start-up sequence, or
// from a new game entering a scene with shared variables set. Its input goes through
// GameInput, as the window's does, so a session can be recorded too.
class HeadlessSession {
 public:
  explicit HeadlessSession(const RunnerOptions& options);
  ~HeadlessSession();
  // False (with ExitCode 2 and Error) when the game could not start.
  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  // Applies one event of a script (its tick is not looked at).
  void Apply(const ScriptEvent& e);
  // One tick of the game and 50 ms of sound time.
  void Tick();
  // The closing screen has ended the program, or the game went back to the launcher.
  bool Ended() const;
  int TicksRun() const;
  std::string Describe() const;

  HeadlessBackend& Backend() { return *backend_; }
  Game& GetGame() { return *game_; }
  GameInput& Input() { return *input_; }
  const GameInput& Input() const { return *input_; }

 private:
  std::unique_ptr<HeadlessBackend> backend_;
  std::unique_ptr<Layer> layer_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<GameInput> input_;
  std::string error_;
};

// Runs the game headless. Screenshots are written as PNG files.
RunnerResult RunHeadless(const RunnerOptions& options);
// The JSON object with the shared state, the current scene's own state and missing names.
std::string DescribeGame(const Game& g, uint64_t frameHash, int ticks);

}  // namespace vepa
