// Phrase sources: parsing, checking against what the bubble and FontP can show, encoding.
#include "phrases.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "engine/cp1251.h"

namespace content {

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw BuildError(where + ": " + what);
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

int ParseNumber(const std::string& token, const std::string& where, const char* what, int lo,
                int hi) {
  if (token.empty() || token.size() > 6 ||
      !std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    Fail(where, std::string(what) + " must be a whole number, not '" + token + "'");
  }
  int v = std::stoi(token);
  if (v < lo || v > hi) {
    Fail(where, std::string(what) + " " + token + " is outside " + std::to_string(lo) + ".." +
                    std::to_string(hi));
  }
  return v;
}

// "key: value" lines use a lower-case Latin key; subtitle text is capitals only, so the two
// never mix up, even when a subtitle holds a colon ("ЦЕНА: 5 $").
bool SplitKey(const std::string& line, std::string& key, std::string& value) {
  size_t i = 0;
  while (i < line.size() && line[i] >= 'a' && line[i] <= 'z') ++i;
  if (i == 0 || i >= line.size() || line[i] != ':') return false;
  key = line.substr(0, i);
  value = Trim(std::string_view(line).substr(i + 1));
  return true;
}

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

const char* DollarWord(long n) {
  long last2 = n % 100, last = n % 10;
  if (last2 >= 11 && last2 <= 14) return "долларов";
  if (last == 1) return "доллар";
  if (last >= 2 && last <= 4) return "доллара";
  return "долларов";
}

}  // namespace

std::string ToCp1251(std::string_view utf8, const std::string& where) {
  std::string out, problem;
  if (!vepa::Cp1251Strict(utf8, out, &problem)) Fail(where, problem);
  return out;
}

bool IsFontCharacter(unsigned char c) {
  if (c >= 0xC0 && c <= 0xDF) return true;  // А..Я
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= '0' && c <= '9') return true;
  return std::string_view(" !.,$?-:/<>@'()").find(static_cast<char>(c)) != std::string_view::npos;
}

PhraseSource ParsePhraseSource(std::string_view text, const std::string& fileName) {
  PhraseSource src;
  std::set<int> numbers;
  Phrase* cur = nullptr;
  bool sawRecords = false;
  int lineNo = 0;
  size_t pos = 0;
  auto finish = [&]() {
    if (cur && cur->Lines.empty() && cur->SayUtf8.empty()) {
      Fail(fileName + ":" + std::to_string(cur->SourceLine),
           "phrase " + std::to_string(cur->Number) + " has neither lines nor a say: text");
    }
  };
  while (pos <= text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) nl = text.size();
    std::string raw(text.substr(pos, nl - pos));
    pos = nl + 1;
    ++lineNo;
    const std::string where = fileName + ":" + std::to_string(lineNo);
    std::string line = Trim(raw);
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line = Trim(line.substr(3));
    if (line.empty() || line[0] == '#') continue;

    std::vector<std::string> words = Words(line);
    if (words[0] == "phrase") {
      finish();
      if (words.size() < 2) Fail(where, "'phrase' needs a number");
      Phrase p;
      p.Number = ParseNumber(words[1], where, "phrase number", 1, 590);
      p.SourceLine = lineNo;
      if (!numbers.insert(p.Number).second) {
        Fail(where, "phrase " + words[1] + " is defined twice");
      }
      if (words.size() % 2 != 0) Fail(where, "expected 'phrase N [kind K] [price P] [shift S]'");
      for (size_t k = 2; k + 1 < words.size(); k += 2) {
        const std::string& key = words[k];
        if (key == "kind") {
          p.Kind = ParseNumber(words[k + 1], where, "kind", 0, 7);
        } else if (key == "price") {
          p.Price = ParseNumber(words[k + 1], where, "price", 0, 65535);
        } else if (key == "shift") {
          p.LineShift = ParseNumber(words[k + 1], where, "shift", 0, 1);
        } else {
          Fail(where, "unknown phrase setting '" + key + "' (kind, price, shift)");
        }
      }
      src.Phrases.push_back(p);
      cur = &src.Phrases.back();
      continue;
    }

    std::string key, value;
    if (SplitKey(line, key, value)) {
      if (key == "say") {
        if (!cur) Fail(where, "'say:' outside a phrase");
        if (value.empty()) Fail(where, "'say:' needs a text");
        ToCp1251(value, where);  // only checks that it is Russian text espeak can take
        cur->SayUtf8 = value;
      } else if (key == "voice") {
        // Before the first phrase it is the file's voice; inside a phrase, that phrase's own
        // (a second speaker in the same table), starting from the file's.
        if (cur && cur->OwnVoice)
          Fail(where, "phrase " + std::to_string(cur->Number) + " has two 'voice:' lines");
        Voice& voice = cur ? cur->PhraseVoice : src.SpeakerVoice;
        if (cur) {
          cur->OwnVoice = true;
          voice = src.SpeakerVoice;
        }
        std::vector<std::string> v = Words(value);
        if (v.size() % 2 != 0)
          Fail(where, "expected 'voice: pitch P speed S [range R] [gap G] [variant V]'");
        for (size_t k = 0; k + 1 < v.size(); k += 2) {
          if (v[k] == "pitch") {
            voice.Pitch = ParseNumber(v[k + 1], where, "pitch", 0, 99);
          } else if (v[k] == "speed") {
            voice.Speed = ParseNumber(v[k + 1], where, "speed", 80, 450);
          } else if (v[k] == "range") {
            voice.Range = ParseNumber(v[k + 1], where, "range", 0, 99);
          } else if (v[k] == "gap") {
            voice.WordGap = ParseNumber(v[k + 1], where, "gap", 0, 100);
          } else if (v[k] == "variant") {
            voice.Variant = v[k + 1];
          } else {
            Fail(where, "unknown voice setting '" + v[k] + "' (pitch, speed, range, gap, variant)");
          }
        }
      } else if (key == "records") {
        if (cur) Fail(where, "'records:' must come before the first phrase");
        src.Records = ParseNumber(value, where, "records", 1, 590);
        sawRecords = true;
      } else {
        Fail(where, "unknown setting '" + key + ":' (voice, records, say)");
      }
      continue;
    }

    if (!cur) Fail(where, "subtitle text before the first 'phrase N' line");
    if (static_cast<int>(cur->Lines.size()) >= kPhraseLines) {
      Fail(where, "phrase " + std::to_string(cur->Number) + " has more than five lines");
    }
    std::string cp = line == "~" ? std::string() : ToCp1251(line, where);
    const bool last = cur->Lines.size() == kPhraseLines - 1;
    const size_t limit = last ? kPhraseLastLineChars : kPhraseLineChars;
    if (cp.size() > limit) {
      Fail(where, "line '" + line + "' has " + std::to_string(cp.size()) +
                      " characters; the bubble holds " + std::to_string(limit) +
                      (last ? " on the fifth line" : " per line"));
    }
    for (unsigned char c : cp) {
      if (!IsFontCharacter(c)) {
        std::string ch = vepa::Utf8FromCp1251(std::string(1, static_cast<char>(c)));
        Fail(where, "character '" + ch + "' in '" + line +
                        "' is not in the game font (capitals А-Я and A-Z, digits, "
                        "! . , $ ? - : / < > @ ' ( ) and space)");
      }
    }
    cur->Lines.push_back(cp);
  }
  finish();
  int highest = numbers.empty() ? 0 : *numbers.rbegin();
  if (sawRecords && src.Records < highest) {
    Fail(fileName, "records: " + std::to_string(src.Records) + " is less than the highest phrase " +
                       std::to_string(highest));
  }
  src.Records = std::max(src.Records, highest);
  if (src.Records == 0) Fail(fileName, "no phrases");
  return src;
}

std::vector<uint8_t> EncodePhraseTable(const PhraseSource& source) {
  std::vector<uint8_t> out(static_cast<size_t>(source.Records) * kPhraseRecordSize, 0);
  for (const Phrase& p : source.Phrases) {
    if (p.Number < 1 || p.Number > source.Records) {
      throw BuildError("phrase " + std::to_string(p.Number) + " lies outside the table");
    }
    uint8_t* r = out.data() + static_cast<size_t>(p.Number - 1) * kPhraseRecordSize;
    auto put16 = [&](int at, int v) {
      r[at] = static_cast<uint8_t>(v & 0xFF);
      r[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    put16(0, p.Kind);
    put16(2, p.Price);
    put16(4, p.LineShift);
    for (size_t i = 0; i < p.Lines.size() && i < kPhraseLines; ++i) {
      const size_t limit = i == kPhraseLines - 1 ? kPhraseLastLineChars : kPhraseLineChars;
      const std::string& s = p.Lines[i];
      if (s.size() > limit) throw BuildError("phrase line too long for the record");
      uint8_t* l = r + 8 + i * (kPhraseLineChars + 1);
      l[0] = static_cast<uint8_t>(s.size());
      std::copy(s.begin(), s.end(), l + 1);
    }
  }
  return out;
}

const Voice& SpokenVoice(const PhraseSource& source, const Phrase& phrase) {
  return phrase.OwnVoice ? phrase.PhraseVoice : source.SpeakerVoice;
}

std::string SpokenText(const Phrase& phrase) {
  if (!phrase.SayUtf8.empty()) return phrase.SayUtf8;
  // Join the lines; a word broken with a hyphen at a line end is joined again.
  std::string joined;
  for (const std::string& l : phrase.Lines) {
    if (l.empty()) continue;
    if (!joined.empty()) {
      size_t n = joined.size();
      bool broken = n >= 2 && joined[n - 1] == '-' &&
                    (std::isalpha(static_cast<unsigned char>(joined[n - 2])) ||
                     static_cast<unsigned char>(joined[n - 2]) >= 0xC0);
      if (broken) {
        joined.pop_back();
      } else {
        joined += ' ';
      }
    }
    joined += l;
  }
  // Lower case reads as words, not letter by letter; signs the voice would spell are dropped.
  std::string text;
  for (size_t i = 0; i < joined.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(joined[i]);
    if (c >= 0xC0 && c <= 0xDF) c = static_cast<unsigned char>(c + 0x20);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 0x20);
    if (c == '<' || c == '>' || c == '@' || c == '/' || c == '\'') c = ' ';
    if (c == '(' || c == ')') c = ',';
    text += static_cast<char>(c);
  }
  // Prices: "10 $" and "10$" read as "10 долларов", a lone "$" as "долларов".
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '$') {
      out += text[i];
      continue;
    }
    size_t e = out.size();
    while (e > 0 && out[e - 1] == ' ') --e;
    size_t b = e;
    while (b > 0 && out[b - 1] >= '0' && out[b - 1] <= '9') --b;
    long n = -1;
    if (b < e && e - b <= 9) n = std::stol(out.substr(b, e - b));
    out.resize(e);
    if (!out.empty() && out.back() != ' ') out += ' ';
    std::string word = n >= 0 ? DollarWord(n) : "долларов";
    out += ToCp1251(word, "price word");
  }
  return vepa::Utf8FromCp1251(out);
}

}  // namespace content
