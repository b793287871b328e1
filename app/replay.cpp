#include "app/replay.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <utility>

#include "app/game.h"

namespace vepa {

GameInput::GameInput(Game& game, std::function<void(int, bool)> keyState)
    : g_(game), keyState_(std::move(keyState)) {}

GameInput::~GameInput() { StopRecording(); }

void GameInput::Note(const ScriptEvent& e) {
  // Pointer moves between two ticks only leave the last position (a press in between keeps
  // the moves before it), so a fast mouse does not fill the file.
  if (e.Type == ScriptEvent::Move && written_ < events_.size() && !events_.empty() &&
      events_.back().Tick == e.Tick && events_.back().Type == ScriptEvent::Move &&
      (comments_.empty() || comments_.back().first < events_.size())) {
    events_.back() = e;
    return;
  }
  events_.push_back(e);
}

void GameInput::MouseMove(int x, int y) {
  ScriptEvent e;
  e.Tick = ticks_ + 1;
  e.Type = ScriptEvent::Move;
  e.X = x;
  e.Y = y;
  Note(e);
  g_.MouseMove(x, y);
}

void GameInput::MouseDown(MouseButton button, int x, int y) {
  if (NoteButton(ScriptEvent::Down, button, x, y)) g_.MouseDown(button, x, y);
}

void GameInput::MouseUp(MouseButton button, int x, int y) {
  if (NoteButton(ScriptEvent::Up, button, x, y)) g_.MouseUp(button, x, y);
}

bool GameInput::NoteButton(ScriptEvent::Kind type, MouseButton button, int x, int y) {
  if (button == MouseButton::Middle) return false;  // the game has no use for it
  ScriptEvent e;
  e.Tick = ticks_ + 1;
  e.Type = type;
  e.Button = button == MouseButton::Left ? 0 : 1;
  e.X = x;
  e.Y = y;
  Note(e);
  return true;
}

bool GameInput::KeyDown(int code, bool alt) {
  if (code < 1 || code > 255) return false;
  // An Alt held since before the window had the keys came without its own event: the log
  // gets one, so the replay sees the same combination.
  if (alt && !altHeld_ && code != key::Alt) KeyDown(key::Alt, true);
  if (code == key::Alt) altHeld_ = true;
  // Held keys repeat; the game only ever asks whether a key is down.
  if (!keyDown_[code]) {
    keyDown_[code] = true;
    ScriptEvent e;
    e.Tick = ticks_ + 1;
    e.Type = ScriptEvent::KeyDown;
    e.Code = code;
    Note(e);
  }
  const bool swallowed = g_.FormKeyDown(code, altHeld_);
  if (!swallowed && keyState_) keyState_(code, true);
  return swallowed;
}

void GameInput::KeyUp(int code) {
  if (code < 1 || code > 255) return;
  if (code == key::Alt) altHeld_ = false;
  keyDown_[code] = false;
  ScriptEvent e;
  e.Tick = ticks_ + 1;
  e.Type = ScriptEvent::KeyUp;
  e.Code = code;
  Note(e);
  if (keyState_) keyState_(code, false);
}

void GameInput::Annotate(const std::string& text) { comments_.emplace_back(events_.size(), text); }

void GameInput::Tick() {
  WritePending();
  g_.Tick();
  ++ticks_;
  // Every five seconds the file says how far the game has run, so a file whose game never
  // closed it still replays to about where it stopped.
  if (file_.is_open() && ticks_ % kTickMarkEvery == 0) {
    file_ << "# tick " << ticks_ << "\n";
    file_.flush();
  }
}

std::string GameInput::Command(bool withTicks) const {
  std::string c = "# vepa4-headless --data " + (DataDir.empty() ? std::string("DIR") : DataDir) +
                  " --seed " + std::to_string(Seed);
  if (!StartArgs.empty()) c += " " + StartArgs;
  c += " --script FILE";
  if (withTicks) c += " --ticks " + std::to_string(ticks_);
  return c + "\n";
}

std::string GameInput::Header() const {
  return "# Pelko Vepa 4 replay: the seed and every input event of a game, by the tick\n"
         "# each comes before. Play it again with\n" +
         Command(false);
}

std::string GameInput::Line(size_t index) const { return FormatScriptEvent(events_[index]) + "\n"; }

std::string GameInput::ScriptText() const {
  std::string out = Header();
  size_t c = 0;
  for (size_t i = 0; i <= events_.size(); ++i) {
    for (; c < comments_.size() && comments_[c].first == i; ++c)
      out += "# " + comments_[c].second + "\n";
    if (i < events_.size()) out += Line(i);
  }
  return out + Command(true);
}

void GameInput::WritePending() {
  if (!file_.is_open()) return;
  for (; written_ < events_.size(); ++written_) {
    for (; commentsWritten_ < comments_.size() && comments_[commentsWritten_].first <= written_;
         ++commentsWritten_)
      file_ << "# " << comments_[commentsWritten_].second << "\n";
    file_ << Line(written_);
  }
  // Each tick reaches the disk, so a game that ends badly still leaves its replay.
  file_.flush();
}

bool GameInput::StartRecording(const std::string& path, std::string* error) {
  StopRecording();
  file_.open(path, std::ios::binary | std::ios::trunc);
  if (!file_) {
    file_.close();
    if (error) *error = "cannot write the replay " + path;
    return false;
  }
  path_ = path;
  file_ << Header();
  written_ = 0;
  commentsWritten_ = 0;
  WritePending();
  return true;
}

void GameInput::StopRecording() {
  if (!file_.is_open()) return;
  WritePending();
  file_ << Command(true);
  file_.close();
}

GameEventRouter::GameEventRouter(GameInput& input, std::string recordPath, std::string replayDir)
    : input_(input), recordPath_(std::move(recordPath)), replayDir_(std::move(replayDir)) {}

namespace {
MouseButton WindowButton(int b) {
  return b == 0 ? MouseButton::Left : (b == 1 ? MouseButton::Right : MouseButton::Middle);
}
}  // namespace

void GameEventRouter::MouseDown(int button, int x, int y) {
  input_.MouseDown(WindowButton(button), x, y);
}

void GameEventRouter::MouseUp(int button, int x, int y) {
  input_.MouseUp(WindowButton(button), x, y);
}

bool GameEventRouter::KeyDown(int vk, bool alt) {
  if (vk == RecordKey) {
    // A held F12 repeats; only its first press counts.
    const bool first = !recordKeyDown_;
    if (first) ToggleRecording();
    recordKeyDown_ = true;
    return first;
  }
  input_.KeyDown(vk, alt);
  return false;
}

void GameEventRouter::KeyUp(int vk) {
  if (vk == RecordKey) {
    recordKeyDown_ = false;
    return;
  }
  input_.KeyUp(vk);
}

void GameEventRouter::ToggleRecording() {
  if (input_.Recording()) {
    input_.StopRecording();
    message_ = "replay of " + std::to_string(input_.TicksRun()) + " ticks written to " +
               input_.RecordingPath();
    return;
  }
  std::string path = recordPath_;
  if (path.empty()) {
    path = DefaultReplayPath(replayDir_, static_cast<int64_t>(std::time(nullptr)));
    // Two recordings in the same second keep apart.
    if (recordings_ > 0 && path == input_.RecordingPath())
      path += "." + std::to_string(recordings_ + 1);
  } else if (recordings_ > 0) {
    path += "." + std::to_string(recordings_ + 1);  // a second recording keeps the first
  }
  std::string error;
  if (input_.StartRecording(path, &error)) {
    ++recordings_;
    message_ = "recording a replay to " + path + " (F12 stops)";
  } else {
    message_ = error;
  }
}

bool ParseGameArgs(int argc, char** argv, GameOptions& out, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--record") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        if (error) *error = "--record needs a file";
        return false;
      }
      out.RecordPath = argv[++i];
    } else {
      if (error) *error = "unknown option " + a;
      return false;
    }
  }
  return true;
}

std::string DefaultReplayPath(const std::string& directory, int64_t unixSeconds) {
  const std::time_t t = static_cast<std::time_t>(unixSeconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char name[64];
  std::strftime(name, sizeof name, "vepa4-replay-%Y%m%d-%H%M%S.txt", &tm);
  std::string dir = directory.empty() ? std::string(".") : directory;
  if (dir.back() != '/') dir += '/';
  return dir + name;
}

bool ReplayOptionsFromHeader(const std::string& text, const std::string& dataDir,
                             RunnerOptions& out, std::string* error) {
  // The last command line in the file counts: a finished recording ends with one that
  // knows its number of ticks.
  std::istringstream in(text);
  std::string line, command;
  int marked = 0;
  for (std::string l; std::getline(in, l);) {
    if (l.rfind("# vepa4-headless ", 0) == 0) command = l.substr(2);
    if (l.rfind("# tick ", 0) == 0) marked = std::max(marked, std::atoi(l.c_str() + 7));
  }
  if (command.empty()) {
    if (error) *error = "no \"# vepa4-headless ...\" line in the replay";
    return false;
  }
  std::istringstream words(command);
  std::vector<std::string> args;
  bool ticksGiven = false;
  for (std::string w; words >> w;) {
    if (w == "--script" || w == "--data") {
      words >> w;  // the file and the directory come from the caller
      continue;
    }
    if (w == "--ticks") ticksGiven = true;
    args.push_back(w);
  }
  args.push_back("--data");
  args.push_back(dataDir);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  RunnerOptions o;
  if (!ParseRunnerArgs(static_cast<int>(argv.size()), argv.data(), o, error)) return false;
  if (!ParseScript(text, o.Script, error)) return false;
  // A recording cut short (the game never closed it) runs to its last event or its last
  // mark of the ticks run, whichever is later.
  if (!ticksGiven) o.Ticks = std::max({1, marked, o.Script.empty() ? 0 : o.Script.back().Tick});
  out = std::move(o);
  return true;
}

}  // namespace vepa
