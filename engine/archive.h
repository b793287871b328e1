// The resource archive: "vepa4.gmd" (20-byte directory records) and "vepa4.gam" (entry bytes,
// lightly scrambled). Each read opens and closes the files; nothing is cached.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vepa {

inline constexpr const char* ArchiveKey = "Q&*#Wpk3T9m5";
inline constexpr const char* DirectoryFileName = "vepa4.gmd";
inline constexpr const char* DataFileName = "vepa4.gam";

// Scrambled form of an entry name: character i + key character i, mod 256.
std::string ArchiveName(std::string_view name);

// Scrambles (stored form) or unscrambles bytes of an entry, P counted from the entry's start.
// Speech waves scramble only positions 0..40.
void ScrambleBytes(uint8_t* data, size_t count, size_t startPosition, bool speech);
void UnscrambleBytes(uint8_t* data, size_t count, size_t startPosition, bool speech);

enum class ArchiveResult { Ok, NotFound, FileError, Malformed };

struct EntryInfo {
  int32_t Offset = 0;
  int32_t Size = 0;
};

// One directory record as stored, with its name unscrambled (for the archive tool).
struct DirectoryRecord {
  std::string Name;    // at most 11 bytes
  int NameLength = 0;  // the stored length byte (a value over 11 marks a damaged record)
  int32_t Offset = 0;
  int32_t Size = 0;
};

class Archive {
 public:
  // dataDir ends with a path separator (or is empty for the current directory).
  void SetDataDir(std::string dataDir) { dataDir_ = std::move(dataDir); }
  const std::string& DataDir() const { return dataDir_; }

  // Directory scan; first match wins. FileError when the directory file cannot be opened.
  ArchiveResult FindEntry(std::string_view name, EntryInfo& out) const;
  // Whole entry, unscrambled (speech: positions 0..40 only). An entry that points outside the
  // data file is Malformed (reported once on stderr) and reads nothing.
  ArchiveResult ReadEntry(std::string_view name, std::vector<uint8_t>& out,
                          bool speech = false) const;
  // `count` bytes at entry position `start`, each unscrambled with its entry position; fewer
  // when the entry or file ends first.
  ArchiveResult ReadEntrySlice(std::string_view name, int start, int count,
                               std::vector<uint8_t>& out) const;

  // Every record of the directory in stored order (a trailing partial record is ignored).
  ArchiveResult ReadDirectory(std::vector<DirectoryRecord>& out) const;
  // The bytes of one record, unscrambled; Malformed (with a reason) when the record points
  // outside the data file. Reports nothing.
  ArchiveResult ReadRecord(const DirectoryRecord& record, std::vector<uint8_t>& out, bool speech,
                           std::string* reason = nullptr) const;

  // A damaged entry is reported on stderr once per name; later reports of it are dropped.
  void ReportMalformed(std::string_view name, std::string_view reason) const;
  size_t MalformedReportCount() const { return reported_.size(); }

 private:
  std::string dataDir_;
  mutable std::set<std::string, std::less<>> reported_;
};

// Writes an archive pair from (name, bytes, speech) entries, in the given order, into the
// directory `dir` (created when missing). Names must be 1..11 bytes.
struct PackEntry {
  std::string Name;
  std::vector<uint8_t> Bytes;  // content bytes, unscrambled
  bool Speech = false;
};
bool WriteArchive(const std::string& dir, const std::vector<PackEntry>& entries,
                  std::string* error = nullptr);

// Entry kind by name prefix: background, image list, hit map, wave list, music, phrase table,
// or speech (no "x_" prefix, letter + underscore). A letter + underscore prefix that is none of
// the known ones is Other: stored fully scrambled, content unchecked.
enum class EntryKind { Background, ImageList, HitMap, WaveList, Music, PhraseTable, Speech, Other };
EntryKind KindOfEntry(std::string_view name);
const char* EntryKindName(EntryKind kind);

}  // namespace vepa
