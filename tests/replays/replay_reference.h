// The stored reference of a golden replay and the comparison that names what changed.
//
//   ticks 812
//   digests 1 0a1b2c3d 11223344 ...        (one per tick from the tick named first)
//   checkpoint 203 frame 1234567890123
//   SceneNumber 1                          (every field of the state after that tick)
//   Scene.Score 4
//   ...
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/runner.h"

namespace vepa::testing {

using FlatState = std::vector<std::pair<std::string, std::string>>;

// The runner's JSON as one "path value" pair per number or string ("Scene.Fish[1].X", "12").
// Strings keep their quotes and escapes.
inline FlatState FlattenJson(const std::string& json) {
  FlatState out;
  size_t i = 0;
  auto skipSpace = [&] {
    while (i < json.size() && (json[i] == ' ' || json[i] == '\n' || json[i] == '\t')) ++i;
  };
  auto readString = [&]() {
    const size_t start = i++;
    while (i < json.size() && json[i] != '"') i += json[i] == '\\' ? 2 : 1;
    ++i;
    return json.substr(start, i - start);
  };
  std::function<void(const std::string&)> value = [&](const std::string& path) {
    skipSpace();
    if (i >= json.size()) return;
    if (json[i] == '{') {
      ++i;
      for (skipSpace(); i < json.size() && json[i] != '}';) {
        std::string key = readString();
        key = key.substr(1, key.size() - 2);
        skipSpace();
        ++i;  // ':'
        value(path.empty() ? key : path + "." + key);
        skipSpace();
        if (i < json.size() && json[i] == ',') ++i;
        skipSpace();
      }
      ++i;
    } else if (json[i] == '[') {
      ++i;
      int n = 0;
      for (skipSpace(); i < json.size() && json[i] != ']';) {
        value(path + "[" + std::to_string(n++) + "]");
        skipSpace();
        if (i < json.size() && json[i] == ',') ++i;
        skipSpace();
      }
      ++i;
    } else if (json[i] == '"') {
      out.emplace_back(path, readString());
    } else {
      const size_t start = i;
      while (i < json.size() && json[i] != ',' && json[i] != '}' && json[i] != ']') ++i;
      out.emplace_back(path, json.substr(start, i - start));
    }
  };
  value("");
  return out;
}

struct ReplayCheckpoint {
  int Tick = 0;
  uint64_t FrameHash = 0;
  FlatState Fields;
};

struct ReplayReference {
  int Ticks = 0;
  std::vector<uint32_t> Digests;  // after tick 1, 2, ...
  std::vector<ReplayCheckpoint> Checkpoints;
};

// A few ticks along the road and its last one.
inline std::vector<int> ReferenceCheckTicks(int ticks) {
  std::vector<int> out;
  for (int k = 1; k <= 4; ++k) {
    const int t = ticks * k / 4;
    if (t >= 1 && (out.empty() || out.back() != t)) out.push_back(t);
  }
  return out;
}

inline std::string FormatReference(const std::string& name, const RunnerResult& r) {
  std::string out =
      "# The reference of the road in " + name +
      ".script. Rewrite it only for an intended change:\n"
      "# VEPA_REWRITE_REPLAYS=1 build-test/vepa4-tests --gtest_filter='ReplayRoad.*'\n";
  out += "ticks " + std::to_string(r.TicksRun) + "\n";
  for (size_t i = 0; i < r.Digests.size(); i += 16) {
    out += "digests " + std::to_string(i + 1);
    for (size_t k = i; k < r.Digests.size() && k < i + 16; ++k) {
      char hex[12];
      std::snprintf(hex, sizeof hex, " %08x", r.Digests[k]);
      out += hex;
    }
    out += "\n";
  }
  for (const RunnerCheckpoint& c : r.Checkpoints) {
    out += "checkpoint " + std::to_string(c.Tick) + " frame " + std::to_string(c.FrameHash) + "\n";
    for (const auto& [path, v] : FlattenJson(c.Json)) out += path + " " + v + "\n";
  }
  return out;
}

inline bool ParseReference(const std::string& text, ReplayReference& out, std::string* error) {
  auto fail = [&](const std::string& why, int line) {
    if (error) *error = "line " + std::to_string(line) + ": " + why;
    return false;
  };
  ReplayReference r;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  bool sawTicks = false;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "ticks") {
      if (!(words >> r.Ticks) || r.Ticks < 1) return fail("bad number of ticks", number);
      sawTicks = true;
    } else if (word == "digests") {
      size_t first = 0;
      if (!(words >> first) || first != r.Digests.size() + 1)
        return fail("digests out of order", number);
      for (std::string hex; words >> hex;) {
        char* end = nullptr;
        const unsigned long v = std::strtoul(hex.c_str(), &end, 16);
        if (hex.size() != 8 || *end != '\0') return fail("bad digest " + hex, number);
        r.Digests.push_back(static_cast<uint32_t>(v));
      }
    } else if (word == "checkpoint") {
      ReplayCheckpoint c;
      std::string frame;
      if (!(words >> c.Tick >> frame >> c.FrameHash) || frame != "frame")
        return fail("bad checkpoint", number);
      r.Checkpoints.push_back(c);
    } else {
      if (r.Checkpoints.empty()) return fail("a field outside a checkpoint", number);
      const size_t space = line.find(' ');
      if (space == std::string::npos) return fail("a field without a value", number);
      r.Checkpoints.back().Fields.emplace_back(line.substr(0, space), line.substr(space + 1));
    }
  }
  if (!sawTicks) return fail("no \"ticks\" line", number);
  if (static_cast<int>(r.Digests.size()) != r.Ticks)
    return fail("the digests do not cover the ticks", number);
  out = std::move(r);
  return true;
}

struct ReplayDifference {
  int FirstTick = 0;  // 0: the replay is the reference
  std::string Field, Expected, Actual;
  std::string Message;
};

// The first field that differs between two states (names missing on one side count).
inline ReplayDifference CompareStates(const FlatState& expected, const FlatState& actual) {
  ReplayDifference d;
  const size_t n = std::max(expected.size(), actual.size());
  for (size_t i = 0; i < n; ++i) {
    const std::string ek = i < expected.size() ? expected[i].first : "(none)";
    const std::string ak = i < actual.size() ? actual[i].first : "(none)";
    if (ek != ak) {
      d.Field = i < expected.size() ? ek : ak;
      d.Expected = i < expected.size() ? expected[i].second : "(no such field)";
      d.Actual = ek == ak || i >= actual.size() ? "(no such field)" : ak + " " + actual[i].second;
      return d;
    }
    if (expected[i].second != actual[i].second) {
      d.Field = ek;
      d.Expected = expected[i].second;
      d.Actual = actual[i].second;
      return d;
    }
  }
  return d;
}

inline ReplayDifference CompareWithReference(const ReplayReference& ref, const RunnerResult& r) {
  ReplayDifference d;
  const size_t common = std::min(ref.Digests.size(), r.Digests.size());
  for (size_t i = 0; i < common && d.FirstTick == 0; ++i)
    if (ref.Digests[i] != r.Digests[i]) d.FirstTick = static_cast<int>(i) + 1;
  std::string about;
  if (d.FirstTick == 0 && ref.Ticks != r.TicksRun) {
    d.FirstTick = static_cast<int>(common) + 1;
    about = "the replay ran " + std::to_string(r.TicksRun) + " ticks, the reference " +
            std::to_string(ref.Ticks) + " ticks";
  }
  if (d.FirstTick == 0) return d;
  // The first field: at the first checkpoint at or after the first differing tick.
  for (const ReplayCheckpoint& c : ref.Checkpoints) {
    if (c.Tick < d.FirstTick) continue;
    const RunnerCheckpoint* mine = nullptr;
    for (const RunnerCheckpoint& m : r.Checkpoints)
      if (m.Tick == c.Tick) mine = &m;
    if (!mine) continue;
    const ReplayDifference f = CompareStates(c.Fields, FlattenJson(mine->Json));
    if (!f.Field.empty()) {
      d.Field = f.Field;
      d.Expected = f.Expected;
      d.Actual = f.Actual;
    } else if (mine->FrameHash != c.FrameHash) {
      d.Field = "FrameHash";
      d.Expected = std::to_string(c.FrameHash);
      d.Actual = std::to_string(mine->FrameHash);
    }
    if (d.Field.empty()) continue;
    about += (about.empty() ? "" : "; ") + std::string("at tick ") + std::to_string(c.Tick) +
             " the first differing field is " + d.Field + ": reference " + d.Expected +
             ", replay " + d.Actual;
    break;
  }
  d.Message = "the first differing tick is tick " + std::to_string(d.FirstTick) +
              (about.empty() ? std::string(" (the frame or the state)") : "; " + about);
  return d;
}

}  // namespace vepa::testing
