// The game's input as the window delivers it, and the replay a player can record of it: the
// seed and every input event, by the tick it came before, in the headless runner's script
// format. `vepa4 --record FILE` records from the start; F12 starts and stops a recording
// during play. Either way the file holds the whole game from the start-up, so
// `vepa4-headless --data DIR --seed N --script FILE --ticks T` (the command is written at the
// top of the file) plays the same game again.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/runner.h"

namespace vepa {

struct Game;
enum class MouseButton;

// The key that starts and stops a recording during play (F12).
inline constexpr int RecordKey = 123;
// A recording marks the ticks run every this many ticks ("# tick 100").
inline constexpr int kTickMarkEvery = 100;

// Every event goes to the game and into the log of this game; the ticks run through here, so
// the log knows which tick each event came before.
class GameInput {
 public:
  // `keyState` gets every key that goes down or up and is not swallowed by the game; the
  // headless backend keeps its keyboard that way. The window's backend reads its own.
  explicit GameInput(Game& game, std::function<void(int code, bool down)> keyState = {});
  ~GameInput();
  GameInput(const GameInput&) = delete;
  GameInput& operator=(const GameInput&) = delete;

  void MouseMove(int x, int y);
  // Left and right buttons; the game has no use for the others, so they are not kept.
  void MouseDown(MouseButton button, int x, int y);
  void MouseUp(MouseButton button, int x, int y);
  // `alt` is the window's own modifier state. Returns true when the game swallowed the key
  // (Alt+F4 in full screen).
  bool KeyDown(int code, bool alt = false);
  void KeyUp(int code);
  // A comment line before the next event (the scripted players say what they do).
  void Annotate(const std::string& text);

  // Runs one tick of the game (writing the tick's events to the recording first).
  void Tick();
  int TicksRun() const { return ticks_; }

  // What the replay's command line needs: the seed of the game and its data directory.
  uint32_t Seed = 0;
  std::string DataDir;    // empty: "DIR" stands for it
  std::string StartArgs;  // runner options of a game that did not start at the start-up

  // The events so far, in order.
  const std::vector<ScriptEvent>& Events() const { return events_; }
  // The whole replay so far: the header with its command line, then every event.
  std::string ScriptText() const;

  // Starts writing the replay to a file: everything so far at once, then each tick's events as
  // the tick runs. False with a message when the file cannot be written.
  bool StartRecording(const std::string& path, std::string* error);
  // Closes the file with a last line saying how many ticks it holds.
  void StopRecording();
  bool Recording() const { return file_.is_open(); }
  const std::string& RecordingPath() const { return path_; }

 private:
  void Note(const ScriptEvent& e);
  // Notes a press or release of the left or right button; false for the middle one.
  bool NoteButton(ScriptEvent::Kind type, MouseButton button, int x, int y);
  std::string Header() const;
  std::string Command(bool withTicks) const;
  std::string Line(size_t index) const;
  void WritePending();

  Game& g_;
  std::function<void(int, bool)> keyState_;
  int ticks_ = 0;
  bool altHeld_ = false;
  bool keyDown_[256] = {};
  std::vector<ScriptEvent> events_;
  std::vector<std::pair<size_t, std::string>> comments_;  // before event index
  std::ofstream file_;
  std::string path_;
  size_t written_ = 0;          // events already in the file
  size_t commentsWritten_ = 0;  // comments already in the file
};

// The window's events in the full-screen game: F12 starts or stops a recording, every other
// event goes to the game's input. The window's own main loop and the tests both go through it.
class GameEventRouter {
 public:
  // `recordPath` is the --record file (empty: F12 recordings get DefaultReplayPath names in
  // `replayDir`).
  GameEventRouter(GameInput& input, std::string recordPath, std::string replayDir);

  void MouseMove(int x, int y) { input_.MouseMove(x, y); }
  // Buttons as the window numbers them: 0 left, 1 right, 2 middle.
  void MouseDown(int button, int x, int y);
  void MouseUp(int button, int x, int y);
  // True when the key started or stopped a recording (Message says how it went).
  bool KeyDown(int vk, bool alt);
  void KeyUp(int vk);

  // Starts or stops the recording; the message says what happened and where.
  void ToggleRecording();
  const std::string& Message() const { return message_; }
  int Recordings() const { return recordings_; }

 private:
  GameInput& input_;
  std::string recordPath_, replayDir_;
  std::string message_;
  int recordings_ = 0;
  bool recordKeyDown_ = false;
};

// The command line of the game: `vepa4 [--record FILE]`.
struct GameOptions {
  std::string RecordPath;
};
bool ParseGameArgs(int argc, char** argv, GameOptions& out, std::string* error);

// A file name for a recording started with F12 without --record:
// DIR/vepa4-replay-YYYYMMDD-HHMMSS.txt, the time given as seconds since 1970 (UTC).
std::string DefaultReplayPath(const std::string& directory, int64_t unixSeconds);

// The runner's options from a replay's header line
// "# vepa4-headless --data DIR --seed N ... --script FILE --ticks T": the data directory and
// the script file are taken from the arguments instead. False with a message when the text
// has no such line or its options are bad.
bool ReplayOptionsFromHeader(const std::string& scriptText, const std::string& dataDir,
                             RunnerOptions& out, std::string* error);

}  // namespace vepa
