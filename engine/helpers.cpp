// Routines shared by many scenes: the phrase player with its subtitle record, the speech
// bubble, the Esc exit box, the pointer-press animation and the two angle helpers.
#include "engine/helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "engine/asset_needs.h"
#include "engine/loaders.h"
#include "engine/services.h"
#include "engine/sound.h"
#include "engine/text.h"

namespace vepa {

namespace {

// Layout of a phrase record.
constexpr int kLinesOffset = 8;
constexpr int kLineBytes = 21;  // length byte + 20 characters
constexpr int kLineChars = 20;
constexpr int kLineCount = 5;
constexpr int kRecordMemory = kLinesOffset + kLineCount * kLineBytes;  // 113
// Only the first 18 characters of the fifth line lie inside the 111 bytes of a record.
constexpr int kLastLineChars = PhraseRecordSize - (kLinesOffset + 4 * kLineBytes + 1);
constexpr int kSubtitleOffset = 4;  // LineShift onwards
constexpr int kSubtitleBytes = PhraseRecordSize - kSubtitleOffset;

constexpr uint16_t kSpeechTicks = 60;

int LineCapacity(int line) { return line == kLineCount - 1 ? kLastLineChars : kLineChars; }

}  // namespace

void LoadPhraseBytes(PhraseRecord& record, int offset, const std::vector<uint8_t>& bytes) {
  // The record as it sits in memory, so that bytes not reached keep their values.
  std::array<uint8_t, kRecordMemory> mem{};
  auto put16 = [&mem](int at, uint16_t v) {
    mem[at] = static_cast<uint8_t>(v & 0xFF);
    mem[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put16(0, record.Kind);
  put16(2, record.Price);
  put16(4, record.LineShift);
  for (int i = 0; i < kLineCount; ++i) {
    const std::string& line = record.Lines[i];
    const int n = static_cast<int>(std::min<size_t>(line.size(), kLineChars));
    const int at = kLinesOffset + i * kLineBytes;
    mem[at] = static_cast<uint8_t>(n);
    std::copy_n(line.begin(), n, mem.begin() + at + 1);
  }

  // A load never writes past the 111 bytes of a record.
  const int begin = std::clamp(offset, 0, PhraseRecordSize);
  const int end = std::min<int>(PhraseRecordSize, begin + static_cast<int>(bytes.size()));
  std::copy(bytes.begin(), bytes.begin() + (end - begin), mem.begin() + begin);
  auto reached = [begin, end](int from, int count) { return from < end && from + count > begin; };

  auto get16 = [&mem](int at) { return static_cast<uint16_t>(mem[at] | (mem[at + 1] << 8)); };
  if (reached(0, 2)) record.Kind = get16(0);
  if (reached(2, 2)) record.Price = get16(2);
  if (reached(4, 2)) record.LineShift = get16(4);
  for (int i = 0; i < kLineCount; ++i) {
    const int at = kLinesOffset + i * kLineBytes;
    if (!reached(at, kLineBytes)) continue;
    // A damaged length byte must not reach into the next line: cut it to the line's room.
    const int n = std::min<int>(mem[at], LineCapacity(i));
    record.Lines[i].assign(reinterpret_cast<const char*>(mem.data() + at + 1), n);
  }
}

namespace {

// The record part of the phrase player. False when the archive could not be read (FatalError).
bool LoadPhraseRecord(GameServices& g, std::string_view stem, int number, int linesOnly) {
  // The table's name is held in ten characters.
  std::string table = "t_" + std::string(stem) + "01";
  if (table.size() > 10) table.resize(10);

  EntryInfo info;
  const ArchiveResult found = g.archive.FindEntry(table, info);
  if (found == ArchiveResult::FileError) {
    g.FatalError = 1;
    return false;
  }
  if (found == ArchiveResult::Ok) {
    const int64_t start =
        static_cast<int64_t>(number - 1) * PhraseRecordSize + (linesOnly ? kSubtitleOffset : 0);
    if (number < 1 || start > std::numeric_limits<int>::max()) {
      std::fprintf(stderr, "Phrase %d of '%s' does not exist\n", number, table.c_str());
    } else {
      std::vector<uint8_t> bytes;
      const ArchiveResult read = g.archive.ReadEntrySlice(
          table, static_cast<int>(start), linesOnly ? kSubtitleBytes : PhraseRecordSize, bytes);
      if (read == ArchiveResult::FileError) {
        g.FatalError = 1;
        return false;
      }
      if (read == ArchiveResult::Ok) {
        LoadPhraseBytes(g.SpeechRecord, linesOnly ? kSubtitleOffset : 0, bytes);
      }
    }
  }
  // A missing table leaves the old subtitles; the phrase is spoken all the same.
  return true;
}

}  // namespace

void SayPhrase(GameServices& g, std::string_view stem, int number, int linesOnly, int rate) {
  if (!LoadPhraseRecord(g, stem, number, linesOnly)) return;
  g.SpeechCountdown = kSpeechTicks;
  if (!g.SoundAvailable) return;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  LoadChannelWave(g, std::string(stem) + digits, 0);
  WaveList* channels = g.layer.Waves(4);
  if (Wave* w = channels ? channels->WaveItem(0) : nullptr) {
    g.layer.SetFrequency(w, rate);
    g.layer.Play(w, false);
  }
}

void SayPhrase(GameServices& g, std::string_view stem, int number, int linesOnly, int rate,
               SpokenClip& clip) {
  if (!LoadPhraseRecord(g, stem, number, linesOnly)) return;
  SayClip(g, clip, rate);
}

void SetSubtitles(GameServices& g, std::initializer_list<std::string_view> lines, int shift) {
  PhraseRecord& r = g.SpeechRecord;
  r.LineShift = static_cast<uint16_t>(shift);
  auto given = lines.begin();
  for (std::string& line : r.Lines) line = given != lines.end() ? Cp1251(*given++) : std::string();
}

void DrawSpeechBubble(GameServices& g, int x, int y, int tail) {
  if (g.BubbleMode == 0) return;
  g.layer.Draw(1, "Bazar01", 0, x, y);

  // The tail hangs from the bubble's lower or upper edge, at its left or right end; a
  // negative width or height mirrors it about its anchor.
  const Image* tailImage = g.layer.FindImage(1, "Bazar02");
  switch (tail) {
    case 0:
      g.layer.DrawPattern(tailImage, 0, x + 25, y + 137);
      break;
    case 1:
      g.layer.DrawPatternRotated(tailImage, 0, x + 25, y + 22, 73, -63, 0, 0, 0);
      break;
    case 2:
      g.layer.DrawPatternRotated(tailImage, 0, x + 180, y + 137, -73, 63, 0, 0, 0);
      break;
    case 3:
      g.layer.DrawPatternRotated(tailImage, 0, x + 180, y + 22, -73, -63, 0, 0, 0);
      break;
    default:
      break;
  }

  const PhraseRecord& rec = g.SpeechRecord;
  for (int i = 0; i < kLineCount; ++i) {
    if (rec.Lines[i].empty()) continue;
    DrawTextCentered(g, x + 100, y + 20 * i + 10 * rec.LineShift + 35, 13, rec.Lines[i], 0, 13);
  }
}

void ExitBoxWatchEsc(GameServices& g) {
  if (g.ExitMenuState != 0) return;
  const bool esc = g.layer.KeyPressed(key::Esc);
  if (!esc) g.EscLatch = 0;
  if (g.EscLatch == 0 && esc) {
    g.ExitMenuState = 1;
    g.ClickState = 0;
    g.HandFrame = 0;
    PlayCommonSound(g, "Boom07", 11000);
  }
}

void ExitBox(GameServices& g) {
  // Esc closes the box only once it has been let go since the box opened.
  const bool esc = g.layer.KeyPressed(key::Esc);
  if (!esc) g.EscLatch = 1;
  if (g.EscLatch == 1 && esc) g.ExitMenuState = 0;

  g.layer.Draw(1, "Exi01", 0, 177, 157);

  if (g.ClickState == 1 && g.MouseY > 245 && g.MouseY < 280) {
    if (g.MouseX > 280 && g.MouseX < 310) {
      g.ExitMenuState = 2;  // leave the scene
    } else if (g.MouseX > 320 && g.MouseX < 350) {
      g.ExitMenuState = 0;  // stay
      g.EscLatch = 1;
    }
  }
}

void DeclareSpeechBubble(AssetNeeds& needs) {
  needs.Images.push_back({"s_all01", "Bazar01", 1});
  needs.Images.push_back({"s_all01", "Bazar02", 1});
  needs.Images.push_back({"s_all01", "FontP", 93});
}

void DeclareExitBox(AssetNeeds& needs) { needs.Images.push_back({"s_all01", "Exi01", 1}); }

void DeclarePointer(AssetNeeds& needs) { needs.Images.push_back({"s_all01", "Ruka01", 3}); }

void PointerPressStep(GameServices& g) {
  // A press shows hand patterns 1, 2, 1, 0 on four ticks and is over on the fifth.
  if (g.ClickState == 1) {
    if (g.HandFrame > 1) {
      g.ClickState = 2;
    } else {
      ++g.HandFrame;
    }
  }
  if (g.ClickState == 2) {
    if (g.HandFrame > 0) {
      --g.HandFrame;
    } else {
      g.ClickState = 0;
    }
  }
}

void DrawPointer(GameServices& g, int dx, int dy) {
  g.layer.Draw(1, "Ruka01", g.HandFrame, g.MouseX + dx, g.MouseY + dy);
}

int Nearest(double v) {
  if (!(v > -100000.0 && v < 100000.0)) return v > 0 ? 100000 : -100000;
  return static_cast<int>(std::nearbyint(v));
}

int AngleTo(int x1, int y1, int x2, int y2) {
  const double dx = static_cast<double>(x1) - x2;
  const double dy = static_cast<double>(y1) - y2;
  if (dx == 0) return dy < 0 ? -64 : 64;
  // 255 / (2 pi) steps per radian, as the game has always turned; halves go to the even side.
  int result = static_cast<int>(std::nearbyint(std::atan(dy / dx) * 40.58451048843331));
  if (dx < 0) result += 128;
  return result;
}

void TurnTowards(int target, int& angle) {
  const int t = target & 255;
  const int a = angle & 255;
  const int tAcross = (t + 128) % 256;
  const int aAcross = (a + 128) % 256;
  // Always a full step of 5: the angle swings around its target and never settles on it.
  if (std::abs(t - a) < std::abs(tAcross - aAcross)) {
    angle = t >= a ? a + 5 : a - 5;
  } else {
    angle = aAcross <= tAcross ? a + 5 : a - 5;
  }
}

}  // namespace vepa
