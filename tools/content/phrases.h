// Phrase tables: a readable text source per speaker, encoded to the game's 111-byte records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "content.h"

namespace content {

// Size of one phrase record in a "t_" entry and the limits of its subtitle lines.
constexpr int kPhraseRecordSize = 111;
constexpr int kPhraseLines = 5;
constexpr int kPhraseLineChars = 20;
// The fifth line's last two bytes lie beyond the record, so it holds two characters less.
constexpr int kPhraseLastLineChars = 18;

struct Phrase {
  int Number = 0;  // 1..
  int Kind = 0;
  int Price = 0;
  int LineShift = 0;
  std::vector<std::string> Lines;  // code page 1251, at most five
  std::string SayUtf8;             // what is spoken; empty: the lines are read
  bool OwnVoice = false;           // a "voice:" line inside the phrase: another speaker
  Voice PhraseVoice;               // the file's voice with the phrase's own settings over it
  int SourceLine = 0;
};

struct PhraseSource {
  std::vector<Phrase> Phrases;  // in file order, numbers unique
  int Records = 0;              // at least the highest number
  Voice SpeakerVoice;
};

// Converts UTF-8 to code page 1251. Throws BuildError naming `where` for a character that has
// no 1251 form or for broken UTF-8.
std::string ToCp1251(std::string_view utf8, const std::string& where);
// Whether FontP has a glyph for the 1251 character (space counts).
bool IsFontCharacter(unsigned char c);

// Parses a phrase source (format in docs/content.md). `fileName` is used in messages.
// Throws BuildError on any mistake, with the file name and line number.
PhraseSource ParsePhraseSource(std::string_view text, const std::string& fileName);
// The "t_" entry: Records records, phrase n at (n - 1) * 111, unreferenced numbers empty.
std::vector<uint8_t> EncodePhraseTable(const PhraseSource& source);
// The text read aloud for a phrase: its "say:" text, or its lines in lower case with prices
// written as words ("10 $" reads as "10 долларов").
std::string SpokenText(const Phrase& phrase);
// The voice a phrase is spoken in: its own, or the file's.
const Voice& SpokenVoice(const PhraseSource& source, const Phrase& phrase);

}  // namespace content
