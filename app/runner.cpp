#include "app/runner.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "app/game.h"
#include "app/json.h"
#include "app/replay.h"
#include "engine/backend_headless.h"
#include "engine/text.h"
#include "tools/png/png_write.h"

namespace vepa {

namespace {

bool ToInt(const std::string& s, long long& v) {
  if (s.empty()) return false;
  const char* b = s.data();
  const char* e = b + s.size();
  if (*b == '+') ++b;
  auto r = std::from_chars(b, e, v);
  return r.ec == std::errc() && r.ptr == e;
}

}  // namespace

bool ParseScriptLine(const std::string& raw, ScriptEvent& out, std::string* error) {
  std::string line = raw;
  if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
  std::istringstream in(line);
  std::vector<std::string> w;
  for (std::string t; in >> t;) w.push_back(t);
  if (w.empty()) return false;
  auto fail = [&](const char* why) {
    if (error) *error = std::string(why) + ": \"" + raw + "\"";
    return false;
  };
  long long tick = 0;
  if (!ToInt(w[0], tick) || tick < 1 || tick > 100000000) return fail("bad tick");
  out = ScriptEvent{};
  out.Tick = static_cast<int>(tick);
  long long a = 0, b = 0;
  if (w.size() == 4 && w[1] == "move") {
    if (!ToInt(w[2], a) || !ToInt(w[3], b)) return fail("bad coordinates");
    out.Type = ScriptEvent::Move;
  } else if (w.size() == 5 && (w[1] == "down" || w[1] == "up")) {
    out.Type = w[1] == "down" ? ScriptEvent::Down : ScriptEvent::Up;
    if (w[2] == "left")
      out.Button = 0;
    else if (w[2] == "right")
      out.Button = 1;
    else
      return fail("button must be left or right");
    if (!ToInt(w[3], a) || !ToInt(w[4], b)) return fail("bad coordinates");
  } else if (w.size() == 4 && w[1] == "key") {
    long long code = 0;
    if (!ToInt(w[2], code) || code < 1 || code > 255) return fail("key code must be 1..255");
    if (w[3] != "down" && w[3] != "up") return fail("key state must be down or up");
    out.Type = w[3] == "down" ? ScriptEvent::KeyDown : ScriptEvent::KeyUp;
    out.Code = static_cast<int>(code);
    return true;
  } else {
    return fail("unknown event");
  }
  if (a < -10000 || a > 10000 || b < -10000 || b > 10000) return fail("coordinates out of range");
  out.X = static_cast<int>(a);
  out.Y = static_cast<int>(b);
  return true;
}

bool ParseScript(const std::string& text, std::vector<ScriptEvent>& out, std::string* error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    ScriptEvent ev;
    std::string err;
    if (ParseScriptLine(line, ev, &err)) {
      out.push_back(ev);
    } else if (!err.empty()) {
      if (error) *error = "script line " + std::to_string(number) + ": " + err;
      return false;
    }
  }
  return true;
}

std::string FormatScriptEvent(const ScriptEvent& e) {
  std::string s = std::to_string(e.Tick);
  const std::string xy = " " + std::to_string(e.X) + " " + std::to_string(e.Y);
  const char* button = e.Button == 0 ? " left" : " right";
  switch (e.Type) {
    case ScriptEvent::Move:
      return s + " move" + xy;
    case ScriptEvent::Down:
      return s + " down" + button + xy;
    case ScriptEvent::Up:
      return s + " up" + button + xy;
    case ScriptEvent::KeyDown:
      return s + " key " + std::to_string(e.Code) + " down";
    case ScriptEvent::KeyUp:
      return s + " key " + std::to_string(e.Code) + " up";
  }
  return s;
}

bool ParseRunnerArgs(int argc, char** argv, RunnerOptions& o, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    std::string v;
    long long n = 0;
    if (a == "--no-sound") {
      o.NoSound = true;
    } else if (a == "--data") {
      if (!value(o.DataDir)) return fail("--data needs a directory");
    } else if (a == "--seed") {
      if (!value(v) || !ToInt(v, n) || n < 0 || n > 0xFFFFFFFFll) return fail("bad --seed");
      o.Seed = static_cast<uint32_t>(n);
    } else if (a == "--ticks") {
      if (!value(v) || !ToInt(v, n) || n < 0 || n > 100000000) return fail("bad --ticks");
      o.Ticks = static_cast<int>(n);
    } else if (a == "--start") {
      if (!value(v)) return fail("--start needs SCENE[:ARG]");
      auto colon = v.find(':');
      long long arg = 0;
      const std::string scene = v.substr(0, colon);
      const SceneInfo* info = ToInt(scene, n) ? FindScene(static_cast<int>(n)) : FindScene(scene);
      if (!info) return fail("bad --start scene '" + scene + "': no such scene");
      if (!info->Built())
        return fail("scene '" + std::string(info->Name) + "' (" + std::to_string(info->Number()) +
                    ") is not built yet");
      n = info->Number();
      if (colon != std::string::npos && (!ToInt(v.substr(colon + 1), arg) || arg < 0 || arg > 255))
        return fail("bad --start argument");
      o.StartScene = static_cast<int>(n);
      o.StartArg = static_cast<int>(arg);
    } else if (a == "--script") {
      if (!value(v)) return fail("--script needs a file");
      std::ifstream in(v, std::ios::binary);
      if (!in) return fail("cannot read script " + v);
      std::stringstream ss;
      ss << in.rdbuf();
      std::string err;
      if (!ParseScript(ss.str(), o.Script, &err)) return fail(v + ": " + err);
    } else if (a == "--shot") {
      if (!value(v)) return fail("--shot needs T:FILE.png");
      auto colon = v.find(':');
      if (colon == std::string::npos || !ToInt(v.substr(0, colon), n) || n < 1)
        return fail("bad --shot " + v);
      o.Shots.emplace_back(static_cast<int>(n), v.substr(colon + 1));
    } else if (a == "--set") {
      if (!value(v)) return fail("--set needs NAME=VALUE");
      auto eq = v.find('=');
      if (eq == std::string::npos) return fail("bad --set " + v);
      o.Sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else {
      return fail("unknown option " + a);
    }
  }
  if (o.DataDir.empty()) return fail("--data DIR is required");
  return true;
}

bool SetSharedVariable(Game& g, const std::string& name, const std::string& value,
                       std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = name + ": " + why;
    return false;
  };
  // Lists of numbers: TicketNumbers (36, ticket-major) and DrawnNumbers (6).
  if (name == "TicketNumbers" || name == "DrawnNumbers") {
    std::vector<long long> nums;
    std::stringstream ss(value);
    for (std::string t; std::getline(ss, t, ',');) {
      long long n = 0;
      if (!ToInt(t, n) || n < 0 || n > 255) return fail("bad number " + t);
      nums.push_back(n);
    }
    if (name == "DrawnNumbers") {
      if (nums.size() != 6) return fail("needs 6 numbers");
      for (int i = 0; i < 6; ++i) g.DrawnNumbers[i] = static_cast<uint8_t>(nums[i]);
    } else {
      if (nums.size() != 36) return fail("needs 36 numbers");
      for (int i = 0; i < 36; ++i) g.TicketNumbers[i / 6][i % 6] = static_cast<uint8_t>(nums[i]);
    }
    return true;
  }
  long long n = 0;
  if (!ToInt(value, n)) return fail("not a number");
  struct Field {
    const char* Name;
    long long Min, Max;
    void (*Set)(Game&, long long);
  };
  static const Field fields[] = {
      {"Money", 0, 65535, [](Game& g, long long v) { g.Money = static_cast<uint16_t>(v); }},
      {"Tickets", 0, 65535, [](Game& g, long long v) { g.Tickets = static_cast<uint16_t>(v); }},
      {"TicketsFilled", 0, 1,
       [](Game& g, long long v) { g.TicketsFilled = static_cast<uint8_t>(v); }},
      {"BatteryCharge", 0, 65535,
       [](Game& g, long long v) { g.BatteryCharge = static_cast<uint16_t>(v); }},
      {"BubbleMode", 0, 1, [](Game& g, long long v) { g.BubbleMode = static_cast<uint8_t>(v); }},
      {"AutoAnswer", 0, 1, [](Game& g, long long v) { g.AutoAnswer = static_cast<uint8_t>(v); }},
      {"MusicVolume", -10000, 10000,
       [](Game& g, long long v) { g.MusicVolume = static_cast<int32_t>(v); }},
      {"GameStake", 0, 65535, [](Game& g, long long v) { g.GameStake = static_cast<uint16_t>(v); }},
      {"GameWinnings", 0, 65535,
       [](Game& g, long long v) { g.GameWinnings = static_cast<uint16_t>(v); }},
      {"SelectedItem", 0, 255,
       [](Game& g, long long v) { g.SelectedItem = static_cast<uint8_t>(v); }},
  };
  for (const Field& f : fields) {
    if (name != f.Name) continue;
    if (n < f.Min || n > f.Max) return fail("out of range");
    f.Set(g, n);
    return true;
  }
  return fail("unknown shared variable");
}

std::string DescribeGame(const Game& g, uint64_t frameHash, int ticks) {
  JsonWriter j;
  j.BeginObject();
  j.Number("Ticks", ticks);
  j.String("FrameHash", std::to_string(frameHash));
  j.Number("SceneNumber", g.SceneNumber);
  j.Number("FatalError", g.FatalError);
  j.Number("FullScreenActive", g.FullScreenActive);
  j.Number("FrameToggle", g.FrameToggle);
  j.Number("MouseX", g.MouseX);
  j.Number("MouseY", g.MouseY);
  j.Number("ClickState", g.ClickState);
  j.Number("HandFrame", g.HandFrame);
  j.Number("ButtonHeld", g.ButtonHeld);
  j.Number("AimShakeX", g.AimShakeX);
  j.Number("AimShakeY", g.AimShakeY);
  j.Number("ExitMenuState", g.ExitMenuState);
  j.Number("EscLatch", g.EscLatch);
  j.NumberArray("SceneBytes", g.SceneBytes);
  j.Number("FadeMode", g.FadeMode);
  j.Number("FadeProgress", g.FadeProgress);
  j.Number("FadeLatch", g.FadeLatch);
  j.Number("FadeShape", g.FadeShape);
  j.Number("SoundAvailable", g.SoundAvailable);
  j.Number("SpeechCountdown", g.SpeechCountdown);
  j.Number("MusicVolume", g.MusicVolume);
  j.String("CurrentMusic", g.CurrentMusic);
  j.Number("BubbleMode", g.BubbleMode);
  j.Number("AutoAnswer", g.AutoAnswer);
  j.String("SpeakerName", g.SpeakerName);
  j.BeginObject("SpeechRecord");
  j.Number("Kind", g.SpeechRecord.Kind);
  j.Number("Price", g.SpeechRecord.Price);
  j.Number("LineShift", g.SpeechRecord.LineShift);
  j.BeginArray("Lines");
  for (const auto& line : g.SpeechRecord.Lines) j.String(Utf8FromCp1251(line));
  j.EndArray();
  j.EndObject();
  for (const auto& [key, value] : {std::pair<const char*, int64_t>{"Money", g.Money},
                                   {"BatteryCharge", g.BatteryCharge},
                                   {"Tickets", g.Tickets},
                                   {"TicketsFilled", g.TicketsFilled}})
    j.Number(key, value);
  j.BeginArray("TicketNumbers");
  for (const auto& t : g.TicketNumbers) {
    j.BeginArray();
    for (auto n : t) j.Number(n);
    j.EndArray();
  }
  j.EndArray();
  j.NumberArray("DrawnNumbers", g.DrawnNumbers);
  for (const auto& [key, value] : {std::pair<const char*, int64_t>{"GameStake", g.GameStake},
                                   {"GameWinnings", g.GameWinnings},
                                   {"SelectedItem", g.SelectedItem},
                                   {"QuitRequested", g.QuitRequested ? 1 : 0}})
    j.Number(key, value);
  if (const Scene* s = g.GetScene(g.SceneNumber)) {
    j.BeginObject("Scene");
    s->DescribeState(j);
    j.EndObject();
  }
  const auto& missing = g.layer.Missing().Names;
  j.Number("MissingNameCount", static_cast<int64_t>(missing.size()));
  j.BeginArray("MissingNames");
  for (const auto& n : missing) j.String(n);
  j.EndArray();
  j.EndObject();
  return j.Text();
}

uint32_t TickDigest(const std::vector<uint16_t>& pixels, const std::string& json) {
  uint64_t h = 0x9E3779B97F4A7C15ull;
  auto mix = [&h](uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h *= 0xBF58476D1CE4E5B9ull;
  };
  const size_t words = pixels.size() / 4;
  for (size_t i = 0; i < words; ++i) {
    uint64_t v;
    std::memcpy(&v, pixels.data() + 4 * i, sizeof v);
    mix(v);
  }
  for (size_t i = words * 4; i < pixels.size(); ++i) mix(pixels[i]);
  mix(pixels.size());
  for (char c : json) mix(static_cast<uint8_t>(c));
  return static_cast<uint32_t>(h ^ (h >> 32));
}

HeadlessSession::HeadlessSession(const RunnerOptions& o) {
  std::string dir = o.DataDir;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(dir + DirectoryFileName, ec) ||
      !fs::is_regular_file(dir + DataFileName, ec)) {
    error_ = "no archive (vepa4.gmd and vepa4.gam) in " + dir;
    return;
  }
  backend_ = std::make_unique<HeadlessBackend>(!o.NoSound);
  layer_ = std::make_unique<Layer>(*backend_);
  game_ = std::make_unique<Game>(*layer_);
  Game& g = *game_;
  HeadlessBackend& backend = *backend_;
  input_ = std::make_unique<GameInput>(
      g, [&backend](int code, bool down) { backend.SetKey(code, down); });
  input_->Seed = o.Seed;
  input_->DataDir = dir;
  g.DataDir = dir;
  g.archive.SetDataDir(dir);
  g.rng.Seed = o.Seed;
  layer_->SetDisplayMode(640, 480, 16);
  layer_->SetFullScreen(true);
  std::string err;
  if (!layer_->InitDisplay(&err)) {
    error_ = "display: " + err;
    return;
  }
  const bool startUp = o.StartScene < 0;
  if (startUp && !o.Sets.empty()) {
    error_ = "--set needs --start";
    return;
  }
  g.StartGameState(startUp);
  if (!startUp) {
    g.NewGame();
    for (const auto& [name, value] : o.Sets) {
      if (!SetSharedVariable(g, name, value, &err)) {
        error_ = "--set " + err;
        return;
      }
    }
    g.LoadScene(o.StartScene, o.StartArg);
  }
}

HeadlessSession::~HeadlessSession() = default;

void HeadlessSession::Apply(const ScriptEvent& e) {
  const MouseButton b = e.Button == 0 ? MouseButton::Left : MouseButton::Right;
  switch (e.Type) {
    case ScriptEvent::Move:
      input_->MouseMove(e.X, e.Y);
      break;
    case ScriptEvent::Down:
      input_->MouseDown(b, e.X, e.Y);
      break;
    case ScriptEvent::Up:
      input_->MouseUp(b, e.X, e.Y);
      break;
    case ScriptEvent::KeyDown:
      input_->KeyDown(e.Code);
      break;
    case ScriptEvent::KeyUp:
      input_->KeyUp(e.Code);
      break;
  }
}

void HeadlessSession::Tick() {
  input_->Tick();
  layer_->AdvanceAudio(0.05);
}

bool HeadlessSession::Ended() const { return game_->QuitRequested || game_->ReturnedToLauncher; }

int HeadlessSession::TicksRun() const { return input_->TicksRun(); }

std::string HeadlessSession::Describe() const {
  return DescribeGame(*game_, backend_->FrameHash(), input_->TicksRun());
}

RunnerResult RunHeadless(const RunnerOptions& o) {
  RunnerResult r;
  HeadlessSession session(o);
  if (!session.Ok()) {
    r.ExitCode = 2;
    r.Error = session.Error();
    return r;
  }
  HeadlessBackend& backend = session.Backend();
  std::string err;
  size_t next = 0;
  std::vector<ScriptEvent> script = o.Script;
  std::stable_sort(script.begin(), script.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.Tick < b.Tick; });
  for (int t = 1; t <= o.Ticks; ++t) {
    for (; next < script.size() && script[next].Tick <= t; ++next) session.Apply(script[next]);
    session.Tick();
    r.TicksRun = t;
    for (const auto& [tick, path] : o.Shots) {
      if (tick != t) continue;
      const Surface& f = backend.LastFrame();
      if (f.pixels.empty() ||
          !WritePng565(path, f.width, f.height, f.pixels.data(), nullptr, &err)) {
        std::fprintf(stderr, "vepa4-headless: shot %d not written: %s\n", tick,
                     f.pixels.empty() ? "no frame presented yet" : err.c_str());
      }
    }
    const bool check = std::find(o.CheckTicks.begin(), o.CheckTicks.end(), t) != o.CheckTicks.end();
    // The digest reads the frame's pixels itself; the state it mixes in leaves the frame's
    // hash out, which is slow to take at every tick.
    if (o.TickDigests)
      r.Digests.push_back(
          TickDigest(backend.LastFrame().pixels, DescribeGame(session.GetGame(), 0, t)));
    if (check) r.Checkpoints.push_back({t, backend.FrameHash(), session.Describe()});
    if (session.Ended()) break;
  }
  r.LastFrameHash = backend.FrameHash();
  r.Json = session.Describe();
  return r;
}

}  // namespace vepa
