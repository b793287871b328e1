// The score player: instruments and parts written as text, rendered note by note.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <map>
#include <sstream>
#include <utility>

#include "content.h"
#include "synth.h"

namespace synth {

namespace {

struct Instrument {
  std::string Kind = "square";  // an oscillator wave or a drum
  double Attack = 0.01, DecayTime = 0.1, Sustain = 0.7, Release = 0.08;
  double Volume = 0.5;
  double Detune = 0;                         // cents of a second oscillator, 0: none
  double VibratoRate = 0, VibratoDepth = 0;  // Hz, semitones
  double LowPassHz = 0;
  double Gate = 0.9;  // sounding part of each note's length
};

struct Note {
  double Start = 0, Length = 0;  // beats
  std::vector<int> Pitches;      // MIDI numbers; empty for a drum hit
  double Velocity = 1;
};

struct Part {
  std::string Name, InstrumentName;
  int Line = 0;
  std::vector<Note> Notes;
  double Length = 0;  // beats
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw content::BuildError(where + ": " + what);
}

double ParseReal(const std::string& s, const std::string& where, const char* what) {
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || !std::isfinite(v))
    Fail(where, std::string(what) + " must be a number, not '" + s + "'");
  return v;
}

Wave WaveOf(const std::string& kind) {
  if (kind == "sine") return Wave::Sine;
  if (kind == "triangle") return Wave::Triangle;
  if (kind == "saw") return Wave::Saw;
  if (kind == "square") return Wave::Square;
  if (kind == "pulse25") return Wave::Pulse25;
  if (kind == "pulse12") return Wave::Pulse12;
  if (kind == "organ") return Wave::Organ;
  return Wave::Noise;
}

bool IsDrum(const std::string& kind) {
  return kind == "kick" || kind == "snare" || kind == "hat" || kind == "openhat";
}

bool KnownKind(const std::string& kind) {
  return IsDrum(kind) || kind == "sine" || kind == "triangle" || kind == "saw" ||
         kind == "square" || kind == "pulse25" || kind == "pulse12" || kind == "organ";
}

// "c4", "f#5", "bb3" -> MIDI number; -1 when not a note.
int ParsePitch(const std::string& s) {
  if (s.size() < 2) return -1;
  static const int kBase[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  const char l = s[0];
  if (l < 'a' || l > 'g') return -1;
  int n = kBase[l - 'a'];
  size_t i = 1;
  if (s[i] == '#') {
    ++n;
    ++i;
  } else if (s[i] == 'b' && i + 1 < s.size()) {
    --n;
    ++i;
  }
  if (i + 1 != s.size() || s[i] < '0' || s[i] > '8') return -1;
  return 12 * (s[i] - '0' + 1) + n;
}

// Takes a mark off the end of a token and gives the factor it stands for; 1 when the token ends
// in none of the marks.
double TakeMark(std::string& token, std::initializer_list<std::pair<char, double>> marks) {
  for (const auto& [mark, factor] : marks) {
    if (!token.empty() && token.back() == mark) {
      token.pop_back();
      return factor;
    }
  }
  return 1;
}

double ParseDuration(const std::string& s, const std::string& where) {
  std::string d = s;
  const double factor = TakeMark(d, {{'.', 1.5}, {'t', 2.0 / 3.0}});  // dotted, triplet
  if (d != "1" && d != "2" && d != "4" && d != "8" && d != "16" && d != "32") {
    Fail(where, "duration ':" + s + "' must be 1, 2, 4, 8, 16 or 32, optionally with '.' or 't'");
  }
  return 4.0 / std::stoi(d) * factor;
}

// Expands [ ... ]N repeat groups into a flat token list.
std::vector<std::pair<std::string, std::string>> Expand(
    const std::vector<std::pair<std::string, std::string>>& tokens, size_t& i, bool nested,
    const std::string& partWhere) {
  std::vector<std::pair<std::string, std::string>> out;
  while (i < tokens.size()) {
    const auto& [tok, where] = tokens[i];
    if (tok == "[") {
      ++i;
      auto inner = Expand(tokens, i, true, partWhere);
      if (i >= tokens.size()) Fail(where, "'[' without a closing ']'");
      const std::string close = tokens[i].first;
      int times = 2;
      if (close.size() > 1)
        times = static_cast<int>(ParseReal(close.substr(1), tokens[i].second, "repeat count"));
      if (times < 1 || times > 64) Fail(tokens[i].second, "repeat count must be 1..64");
      for (int k = 0; k < times; ++k) out.insert(out.end(), inner.begin(), inner.end());
      ++i;
    } else if (tok[0] == ']') {
      if (!nested) Fail(where, "']' without an opening '['");
      return out;
    } else {
      out.push_back(tokens[i]);
      ++i;
    }
  }
  (void)partWhere;
  return out;
}

void ParseNotes(Part& part, const std::vector<std::pair<std::string, std::string>>& raw,
                bool drum) {
  size_t i = 0;
  const auto tokens = Expand(raw, i, false, part.Name);
  double beat = 0, length = 1;
  for (const auto& [tok, where] : tokens) {
    if (tok == "|") continue;
    std::string body = tok;
    const double velocity = TakeMark(body, {{'!', 1.35}, {'?', 0.55}});  // accented, soft
    const size_t colon = body.find(':');
    if (colon != std::string::npos) {
      length = ParseDuration(body.substr(colon + 1), where);
      body = body.substr(0, colon);
    }
    if (body == "r") {
      beat += length;
      continue;
    }
    if (body == "-") {  // tie: lengthen the previous note
      if (part.Notes.empty()) Fail(where, "'-' with no note before it");
      part.Notes.back().Length += length;
      beat += length;
      continue;
    }
    Note n;
    n.Start = beat;
    n.Length = length;
    n.Velocity = velocity;
    if (drum) {
      if (body != "x")
        Fail(where,
             "drum part '" + part.Name + "' takes 'x' hits and 'r' rests, not '" + tok + "'");
    } else {
      std::stringstream chord(body);
      std::string p;
      while (std::getline(chord, p, '+')) {
        const int m = ParsePitch(p);
        if (m < 0)
          Fail(where, "'" + tok + "' is not a note (like c4, f#5, bb3), a rest 'r' or a tie '-'");
        n.Pitches.push_back(m);
      }
    }
    part.Notes.push_back(n);
    beat += length;
  }
  part.Length = beat;
}

Buffer RenderVoice(const Instrument& ins, const Note& n, double seconds, int rate, uint32_t seed) {
  const double sounding = seconds * ins.Gate;
  Buffer out(Samples(sounding + ins.Release, rate), 0.0f);
  if (out.empty()) return out;
  const Wave wave = WaveOf(ins.Kind);
  (void)seed;
  for (int pitch : n.Pitches) {
    const double f = 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
    const int oscs = ins.Detune != 0 ? 2 : 1;
    for (int o = 0; o < oscs; ++o) {
      const double cents = o == 0 ? 0 : ins.Detune;
      const double fo = f * std::pow(2.0, cents / 1200.0);
      double phase = o == 0 ? 0 : 0.37;
      for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        double fi = fo;
        if (ins.VibratoDepth > 0 && t > 0.12) {
          const double depth = ins.VibratoDepth * std::min(1.0, (t - 0.12) / 0.2);
          fi *= std::pow(2.0, depth / 12.0 * std::sin(2 * M_PI * ins.VibratoRate * t));
        }
        const double dt = fi / rate;
        const double v = Oscillator(wave, phase, dt);
        out[i] = static_cast<float>(out[i] + v / oscs);
        phase += dt;
        if (phase >= 1.0) phase -= std::floor(phase);
      }
    }
  }
  Adsr(out, rate, ins.Attack, ins.DecayTime, ins.Sustain, ins.Release);
  Gain(out, ins.Volume * n.Velocity /
                std::sqrt(static_cast<double>(std::max<size_t>(1, n.Pitches.size()))));
  return out;
}

}  // namespace

Buffer RenderScore(std::string_view text, const std::string& fileName, int rate, bool loop) {
  double tempo = 120;
  std::map<std::string, Instrument> instruments;
  std::vector<Part> parts;
  std::vector<std::vector<std::pair<std::string, std::string>>> partTokens;
  std::istringstream in{std::string(text)};
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    const std::string where = fileName + ":" + std::to_string(lineNo);
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line = line.substr(0, hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string s; words >> s;) w.push_back(s);
    if (w.empty()) continue;
    if (w[0] == "tempo") {
      if (w.size() != 2) Fail(where, "expected 'tempo BPM'");
      tempo = ParseReal(w[1], where, "tempo");
      if (tempo < 20 || tempo > 400) Fail(where, "tempo must be 20..400");
    } else if (w[0] == "instrument") {
      if (w.size() < 3) Fail(where, "expected 'instrument NAME wave KIND [setting value]...'");
      Instrument ins;
      size_t k = 2;
      while (k < w.size()) {
        const std::string& key = w[k];
        auto need = [&](size_t count) {
          if (k + count >= w.size())
            Fail(where, "'" + key + "' needs " + std::to_string(count) + " value(s)");
        };
        if (key == "wave") {
          need(1);
          ins.Kind = w[k + 1];
          if (!KnownKind(ins.Kind)) {
            Fail(where,
                 "unknown wave '" + ins.Kind +
                     "' (sine triangle saw square pulse25 pulse12 organ kick snare hat openhat)");
          }
          k += 2;
        } else if (key == "vibrato") {
          need(2);
          ins.VibratoRate = ParseReal(w[k + 1], where, "vibrato rate");
          ins.VibratoDepth = ParseReal(w[k + 2], where, "vibrato depth");
          k += 3;
        } else {
          // The settings with one number.
          static const std::pair<const char*, double Instrument::*> kSettings[] = {
              {"attack", &Instrument::Attack},     {"decay", &Instrument::DecayTime},
              {"sustain", &Instrument::Sustain},   {"release", &Instrument::Release},
              {"volume", &Instrument::Volume},     {"detune", &Instrument::Detune},
              {"lowpass", &Instrument::LowPassHz}, {"gate", &Instrument::Gate}};
          need(1);
          const double v = ParseReal(w[k + 1], where, key.c_str());
          if (v < 0 && key != "detune") Fail(where, "'" + key + "' must not be negative");
          const auto* setting = std::find_if(std::begin(kSettings), std::end(kSettings),
                                             [&](const auto& s) { return key == s.first; });
          if (setting == std::end(kSettings))
            Fail(where, "unknown instrument setting '" + key + "'");
          ins.*setting->second = key == "gate" ? std::min(1.0, v) : v;
          k += 2;
        }
      }
      instruments[w[1]] = ins;
    } else if (w[0] == "part") {
      if (w.size() != 3) Fail(where, "expected 'part NAME INSTRUMENT'");
      if (!instruments.count(w[2])) Fail(where, "instrument '" + w[2] + "' is not defined above");
      Part p;
      p.Name = w[1];
      p.InstrumentName = w[2];
      p.Line = lineNo;
      parts.push_back(p);
      partTokens.emplace_back();
    } else {
      if (parts.empty()) Fail(where, "notes before the first 'part' line");
      for (const std::string& t : w) {
        // '[' and ']N' may stick to notes: split them off.
        std::string s = t;
        while (!s.empty() && s[0] == '[') {
          partTokens.back().push_back({"[", where});
          s = s.substr(1);
        }
        std::string close;
        const size_t br = s.find(']');
        if (br != std::string::npos) {
          close = s.substr(br);
          s = s.substr(0, br);
        }
        if (!s.empty()) partTokens.back().push_back({s, where});
        if (!close.empty()) partTokens.back().push_back({close, where});
      }
    }
  }
  if (parts.empty()) Fail(fileName, "the score has no parts");
  double beats = 0;
  for (size_t p = 0; p < parts.size(); ++p) {
    ParseNotes(parts[p], partTokens[p], IsDrum(instruments[parts[p].InstrumentName].Kind));
    beats = std::max(beats, parts[p].Length);
  }
  if (beats <= 0) Fail(fileName, "the score has no notes");
  const double secPerBeat = 60.0 / tempo;
  const size_t total = Samples(beats * secPerBeat, rate);
  Buffer mix(total, 0.0f);
  uint32_t seed = 1;
  for (const Part& part : parts) {
    const Instrument& ins = instruments[part.InstrumentName];
    Buffer track(total, 0.0f);
    Buffer drum;
    if (ins.Kind == "kick") drum = Kick(rate);
    if (ins.Kind == "snare") drum = Snare(rate);
    if (ins.Kind == "hat") drum = HiHat(rate, false);
    if (ins.Kind == "openhat") drum = HiHat(rate, true);
    for (const Note& n : part.Notes) {
      const size_t at = Samples(n.Start * secPerBeat, rate);
      if (!drum.empty()) {
        Mix(track, drum, ins.Volume * n.Velocity, at);
      } else {
        Mix(track, RenderVoice(ins, n, n.Length * secPerBeat, rate, ++seed), 1.0, at);
      }
    }
    if (ins.LowPassHz > 0) LowPass(track, rate, ins.LowPassHz);
    Mix(mix, track);
  }
  if (loop && mix.size() > total) {
    // Fold what rings past the end onto the start, so the loop joins seamlessly.
    for (size_t i = total; i < mix.size(); ++i) mix[i % total] += mix[i];
    mix.resize(total);
  }
  Normalize(mix, 0.8);
  return mix;
}

}  // namespace synth
