// The shared scene helpers: the phrase player and its record, the speech bubble, the exit box
// with its Esc latch, the pointer-press animation and the angle helpers.
#include "engine/helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <limits>

#include "engine/scene_ids.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "service_fixture.h"

namespace vepa {
namespace {

using servicetest::ServiceGame;
using servicetest::ServiceTest;
using servicetest::Silent;
using servicetest::SolidImage;
using servicetest::TestRiffWave;
using servicetest::TestWave;

// One 111-byte phrase record. Lines are code page 1251; `lengths` overrides a length byte.
std::vector<uint8_t> PhraseBytes(uint16_t kind, uint16_t price, uint16_t shift,
                                 const std::array<std::string, 5>& lines,
                                 std::array<int, 5> lengths = {-1, -1, -1, -1, -1}) {
  std::vector<uint8_t> r(113, 0);
  r[0] = kind & 0xFF;
  r[1] = kind >> 8;
  r[2] = price & 0xFF;
  r[3] = price >> 8;
  r[4] = shift & 0xFF;
  r[5] = shift >> 8;
  r[6] = 0xEE;  // reserved bytes, never read
  r[7] = 0xEE;
  for (int i = 0; i < 5; ++i) {
    const size_t at = 8 + 21 * static_cast<size_t>(i);
    r[at] = static_cast<uint8_t>(lengths[i] >= 0 ? lengths[i] : static_cast<int>(lines[i].size()));
    for (size_t k = 0; k < lines[i].size() && k < 20; ++k)
      r[at + 1 + k] = static_cast<uint8_t>(lines[i][k]);
  }
  r.resize(111);  // the fifth line's last two characters are not part of the table
  return r;
}

// A table of `count` phrases; phrase n has Kind n, Price 100 n, LineShift n mod 2 and the
// lines "ФРАЗА n", "", "КИБ", "", "".
std::vector<uint8_t> NumberedTable(int count) {
  std::vector<uint8_t> t;
  for (int n = 1; n <= count; ++n) {
    const auto rec = PhraseBytes(static_cast<uint16_t>(n), static_cast<uint16_t>(100 * n),
                                 static_cast<uint16_t>(n % 2),
                                 {Cp1251("ФРАЗА " + std::to_string(n)), "", Cp1251("КИБ"), "", ""});
    t.insert(t.end(), rec.begin(), rec.end());
  }
  return t;
}

PhraseRecord Record(uint16_t kind, uint16_t price, uint16_t shift,
                    std::array<std::string, 5> lines) {
  PhraseRecord r;
  r.Kind = kind;
  r.Price = price;
  r.LineShift = shift;
  r.Lines = std::move(lines);
  return r;
}

void ExpectRecord(const PhraseRecord& got, const PhraseRecord& want) {
  EXPECT_EQ(got.Kind, want.Kind);
  EXPECT_EQ(got.Price, want.Price);
  EXPECT_EQ(got.LineShift, want.LineShift);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(Utf8FromCp1251(got.Lines[i]), Utf8FromCp1251(want.Lines[i])) << "line " << i;
}

// --- Phrase player.

class PhraseTest : public ServiceTest {
 protected:
  explicit PhraseTest(bool sound = true) : ServiceTest(sound) {}
  void SetUp() override {
    std::vector<uint8_t> ply = NumberedTable(3);
    // Player phrase 2 carries a kind and price of its own that a reply must not take over.
    const auto reply = PhraseBytes(77, 999, 1, {"", Cp1251("ДАВАЙ!"), "", "", ""});
    std::copy(reply.begin(), reply.end(), ply.begin() + 111);
    s.WriteEntries({
        {"t_kib01", NumberedTable(10), false},
        {"t_ply01", ply, false},
        {"kib003", TestRiffWave(1003), true},
        {"kib008", TestRiffWave(1008), true},
        {"kib100", TestRiffWave(1100), true},
        {"kib1000", TestRiffWave(2000), true},
        {"ply002", TestRiffWave(1202), true},
        {"nob001", TestRiffWave(1301), true},
    });
  }
  size_t SpeechFrames() { return s.Speech()->Buffer.FrameCount(); }
};

using SilentPhraseTest = Silent<PhraseTest>;

TEST_F(PhraseTest, PhraseEightIsRecordEightAndItsWave) {
  SayPhrase(g, "kib", 8, 0, 11000);
  ExpectRecord(g.SpeechRecord, Record(8, 800, 0, {Cp1251("ФРАЗА 8"), "", Cp1251("КИБ"), "", ""}));
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_EQ(SpeechFrames(), 1008u);
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 11000);
  EXPECT_TRUE(s.Speech()->Buffer.Playing);
  EXPECT_FALSE(s.Speech()->Buffer.Looping);
  EXPECT_EQ(g.FatalError, 0);
}

TEST_F(PhraseTest, AWaveReadAheadIsSpokenWithThePhrasesRecord) {
  SpokenClip clip;
  ReadSpokenClip(g, "kib008", clip);
  ASSERT_TRUE(clip.Ready);
  SayPhrase(g, "kib", 3, 0, 11000);  // the channel holds another phrase before
  SayPhrase(g, "kib", 8, 0, 12000, clip);
  ExpectRecord(g.SpeechRecord, Record(8, 800, 0, {Cp1251("ФРАЗА 8"), "", Cp1251("КИБ"), "", ""}));
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_EQ(SpeechFrames(), 1008u);
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 12000);
  EXPECT_TRUE(s.Speech()->Buffer.Playing);
  EXPECT_FALSE(clip.Ready) << "the clip has gone into the channel";
}

TEST_F(PhraseTest, ThePhraseReadsExactlyBytes777To887) {
  // A table that ends with phrase 8, whose last byte is byte 887: read from anywhere else,
  // the fields and the last line would not come out as written.
  std::vector<uint8_t> table = NumberedTable(7);
  const auto last =
      PhraseBytes(0x0102, 0x0304, 1, {"A", "B", "C", "D", Cp1251("ПОСЛЕДНЯЯ СТРОКА XY")});
  table.insert(table.end(), last.begin(), last.end());
  ASSERT_EQ(table.size(), 888u);
  s.WriteEntries({{"t_kib01", table, false}, {"kib008", TestRiffWave(1008), true}});
  SayPhrase(g, "kib", 8, 0, 11000);
  ExpectRecord(g.SpeechRecord,
               Record(0x0102, 0x0304, 1, {"A", "B", "C", "D", Cp1251("ПОСЛЕДНЯЯ СТРОКА X")}));
}

TEST_F(PhraseTest, AReplyKeepsKindAndPriceOfTheOffer) {
  SayPhrase(g, "kib", 3, 0, 11000);
  ASSERT_EQ(g.SpeechRecord.Kind, 3);
  SayPhrase(g, "ply", 2, 1, 14000);
  ExpectRecord(g.SpeechRecord, Record(3, 300, 1, {"", Cp1251("ДАВАЙ!"), "", "", ""}));
  EXPECT_EQ(SpeechFrames(), 1202u);
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 14000);
}

TEST_F(PhraseTest, TheFifthLineHoldsEighteenCharacters) {
  const std::string twenty = Cp1251("АБВГДЕЖЗИЙКЛМНОПРСТУ");
  ASSERT_EQ(twenty.size(), 20u);
  s.WriteEntries(
      {{"t_kib01", PhraseBytes(1, 2, 0, {twenty, twenty, twenty, twenty, twenty}), false}});
  SayPhrase(g, "kib", 1, 0, 11000);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(g.SpeechRecord.Lines[i], twenty);
  EXPECT_EQ(g.SpeechRecord.Lines[4], twenty.substr(0, 18));
}

TEST_F(PhraseTest, DamagedLengthBytesAreCutToTheLine) {
  s.WriteEntries(
      {{"t_kib01", PhraseBytes(1, 2, 0, {"ONE", "TWO", "THREE", "", "FIVE"}, {-1, 200, 21, 0, 255}),
        false}});
  SayPhrase(g, "kib", 1, 0, 11000);
  EXPECT_EQ(g.SpeechRecord.Lines[0], "ONE");
  // The 20 bytes of line 2, never the length byte of line 3.
  EXPECT_EQ(g.SpeechRecord.Lines[1], std::string("TWO") + std::string(17, '\0'));
  EXPECT_EQ(g.SpeechRecord.Lines[2].size(), 20u);
  EXPECT_EQ(g.SpeechRecord.Lines[3], "");
  EXPECT_EQ(g.SpeechRecord.Lines[4], std::string("FIVE") + std::string(14, '\0'));
}

TEST_F(PhraseTest, AShortLastRecordChangesOnlyWhatItReaches) {
  // Phrase 2 is cut after 50 bytes: header, line 1 and line 2 only.
  std::vector<uint8_t> table = NumberedTable(1);
  const auto cut = PhraseBytes(5, 6, 1, {"NEW1", "NEW2", "NEW3", "NEW4", "NEW5"});
  table.insert(table.end(), cut.begin(), cut.begin() + 50);
  s.WriteEntries({{"t_kib01", table, false}});
  g.SpeechRecord = Record(9, 9, 0, {"OLD1", "OLD2", "OLD3", "OLD4", "OLD5"});
  SayPhrase(g, "kib", 2, 0, 11000);
  ExpectRecord(g.SpeechRecord, Record(5, 6, 1, {"NEW1", "NEW2", "OLD3", "OLD4", "OLD5"}));

  // A phrase past the end of the table reads nothing; it is still spoken.
  g.SpeechCountdown = 0;
  SayPhrase(g, "kib", 3, 0, 11000);
  ExpectRecord(g.SpeechRecord, Record(5, 6, 1, {"NEW1", "NEW2", "OLD3", "OLD4", "OLD5"}));
  EXPECT_EQ(g.SpeechCountdown, 60);
}

TEST_F(PhraseTest, AMissingTableLeavesTheSubtitlesButTheWavePlays) {
  g.SpeechRecord = Record(4, 40, 1, {"", "OLD", "", "", ""});
  SayPhrase(g, "nob", 1, 0, 12000);
  ExpectRecord(g.SpeechRecord, Record(4, 40, 1, {"", "OLD", "", "", ""}));
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_EQ(SpeechFrames(), 1301u);
  EXPECT_EQ(s.Speech()->Buffer.Frequency, 12000);
  EXPECT_EQ(g.FatalError, 0);
}

TEST_F(PhraseTest, AnUnreadableDirectoryIsFatalBeforeTheCountdown) {
  g.archive.SetDataDir(s.dir.Dir() + "missing/");
  g.SpeechRecord = Record(4, 40, 1, {"", "OLD", "", "", ""});
  SayPhrase(g, "kib", 8, 0, 11000);
  EXPECT_EQ(g.FatalError, 1);
  EXPECT_EQ(g.SpeechCountdown, 0);
  EXPECT_EQ(SpeechFrames(), 0u);
  ExpectRecord(g.SpeechRecord, Record(4, 40, 1, {"", "OLD", "", "", ""}));
}

TEST_F(PhraseTest, AnUnreadableDataFileIsFatalBeforeTheCountdown) {
  std::filesystem::remove(s.dir.File("vepa4.gam"));
  SayPhrase(g, "kib", 8, 0, 11000);
  EXPECT_EQ(g.FatalError, 1);
  EXPECT_EQ(g.SpeechCountdown, 0);
  EXPECT_EQ(SpeechFrames(), 0u);
}

TEST_F(PhraseTest, WavesAreNumberedWithAtLeastThreeDigits) {
  SayPhrase(g, "kib", 100, 0, 11000);
  EXPECT_EQ(SpeechFrames(), 1100u);
  SayPhrase(g, "kib", 1000, 0, 11000);
  EXPECT_EQ(SpeechFrames(), 2000u);
  SayPhrase(g, "kib", 3, 0, 11000);
  EXPECT_EQ(SpeechFrames(), 1003u);
}

TEST_F(PhraseTest, TheTableNameIsKeptToTenCharacters) {
  s.WriteEntries({{"t_abcdefgh", PhraseBytes(7, 70, 0, {"LONG", "", "", "", ""}), false},
                  {"abcdefgh001", TestRiffWave(1401), true}});
  SayPhrase(g, "abcdefgh", 1, 0, 11000);
  EXPECT_EQ(g.SpeechRecord.Kind, 7);
  EXPECT_EQ(g.SpeechRecord.Lines[0], "LONG");
  EXPECT_EQ(SpeechFrames(), 1401u);
}

TEST_F(PhraseTest, NumbersBelowOneReadNoRecord) {
  g.SpeechRecord = Record(4, 40, 1, {"", "OLD", "", "", ""});
  SayPhrase(g, "kib", 0, 0, 11000);
  SayPhrase(g, "kib", -3, 1, 11000);
  ExpectRecord(g.SpeechRecord, Record(4, 40, 1, {"", "OLD", "", "", ""}));
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_EQ(g.FatalError, 0);
}

TEST_F(SilentPhraseTest, WithoutSoundTheRecordLoadsAndTheCountdownRuns) {
  SayPhrase(g, "kib", 8, 0, 11000);
  EXPECT_EQ(g.SpeechRecord.Kind, 8);
  EXPECT_EQ(g.SpeechCountdown, 60);
  EXPECT_EQ(SpeechFrames(), 0u);
}

TEST(PhraseBytesTest, AHalfReadFieldMixesNewAndOldBytes) {
  PhraseRecord r = Record(0x1111, 0x2222, 0x3333, {"A", "B", "C", "D", "E"});
  // Bytes from position 4 on: LineShift, reserved, line 1 only partly (length and 2 chars).
  LoadPhraseBytes(r, 4, {0x01, 0x00, 0xAA, 0xBB, 3, 'X', 'Y'});
  EXPECT_EQ(r.Kind, 0x1111);
  EXPECT_EQ(r.Price, 0x2222);
  EXPECT_EQ(r.LineShift, 1);
  // Length 3, but only two characters were read: the third is the old byte after "A".
  EXPECT_EQ(r.Lines[0], std::string("XY") + '\0');
  EXPECT_EQ(r.Lines[1], "B");
}

// --- Speech bubble.

constexpr uint16_t kBubble = 0x0010;
constexpr uint16_t kTopLeft = 0x07E0, kTopRight = 0x001F, kBottomLeft = 0xF800,
                   kBottomRight = 0xFFE0;

class BubbleTest : public ServiceTest {
 protected:
  BubbleTest() : ServiceTest(false) {
    Image tail;
    tail.Name = "Bazar02";
    tail.Width = tail.PatternWidth = 73;
    tail.Height = tail.PatternHeight = 63;
    tail.Transparent = false;
    tail.Pixels.resize(73 * 63);
    for (int y = 0; y < 63; ++y)
      for (int x = 0; x < 73; ++x)
        tail.Pixels[static_cast<size_t>(y) * 73 + x] =
            y < 31 ? (x < 36 ? kTopLeft : kTopRight) : (x < 36 ? kBottomLeft : kBottomRight);
    s.layer.Images(1)->Images = {
        SolidImage("Bazar01", 1, 200, 140, [](int) { return kBubble; }),
        tail,
        SolidImage("FontP", 93, 4, 4, [](int) { return uint16_t{0xFFFF}; }),
    };
    g.BubbleMode = 1;
  }
  uint16_t At(int x, int y) { return s.Screen().At(x, y); }
  static bool Text(uint16_t p) { return (p >> 11) >= 30; }  // white blended at 254
};

constexpr int kX = 200, kY = 150;

TEST_F(BubbleTest, TailZeroHangsBelowTheLeftEnd) {
  DrawSpeechBubble(g, kX, kY, 0);
  EXPECT_EQ(At(kX, kY), kBubble);
  EXPECT_EQ(At(kX + 199, kY + 136), kBubble);
  EXPECT_EQ(At(kX + 25, kY + 137), kTopLeft);
  EXPECT_EQ(At(kX + 97, kY + 199), kBottomRight);
  EXPECT_EQ(At(kX + 25, kY + 200), 0);
  EXPECT_EQ(At(kX + 98, kY + 199), 0);
}

TEST_F(BubbleTest, TailOneIsMirroredUpward) {
  DrawSpeechBubble(g, kX, kY, 1);
  EXPECT_EQ(At(kX + 25, kY + 21), kTopLeft);
  EXPECT_EQ(At(kX + 97, kY + 21), kTopRight);
  EXPECT_EQ(At(kX + 25, kY + 22 - 63), kBottomLeft);
  EXPECT_EQ(At(kX + 25, kY + 22 - 64), 0);
  EXPECT_EQ(At(kX + 25, kY + 22), kBubble);
}

TEST_F(BubbleTest, TailTwoIsMirroredToTheLeftOfTheRightEnd) {
  DrawSpeechBubble(g, kX, kY, 2);
  EXPECT_EQ(At(kX + 179, kY + 137), kTopLeft);
  EXPECT_EQ(At(kX + 107, kY + 137), kTopRight);
  EXPECT_EQ(At(kX + 179, kY + 199), kBottomLeft);
  EXPECT_EQ(At(kX + 180, kY + 150), 0);
}

TEST_F(BubbleTest, TailThreeIsMirroredBothWays) {
  DrawSpeechBubble(g, kX, kY, 3);
  EXPECT_EQ(At(kX + 179, kY + 21), kTopLeft);
  EXPECT_EQ(At(kX + 107, kY + 22 - 63), kBottomRight);
  EXPECT_EQ(At(kX + 179, kY + 22 - 63), kBottomLeft);
}

TEST_F(BubbleTest, OtherTailValuesDrawNoTail) {
  DrawSpeechBubble(g, kX, kY, 4);
  DrawSpeechBubble(g, kX, kY, -1);
  EXPECT_EQ(At(kX + 50, kY + 150), 0);
  EXPECT_EQ(At(kX + 50, kY + 10), kBubble);
  EXPECT_EQ(At(kX + 50, kY - 10), 0);
}

TEST_F(BubbleTest, LinesAreCentredTwentyPixelsApartAndShifted) {
  g.SpeechRecord = Record(0, 0, 1, {"", "", Cp1251("А"), "", Cp1251("АА")});
  DrawSpeechBubble(g, kX, kY, 0);
  // Line 2: y + 40 + 10 + 35; "А" at size 13 advances 10, so it starts 5 left of x + 100.
  EXPECT_TRUE(Text(At(kX + 95, kY + 85)));
  EXPECT_EQ(At(kX + 94, kY + 85), kBubble);
  EXPECT_EQ(At(kX + 95, kY + 84), kBubble);
  EXPECT_TRUE(Text(At(kX + 95, kY + 97)));
  EXPECT_EQ(At(kX + 95, kY + 98), kBubble);
  // Line 4: y + 80 + 10 + 35, two letters, starting 10 left.
  EXPECT_TRUE(Text(At(kX + 90, kY + 125)));
  EXPECT_EQ(At(kX + 89, kY + 125), kBubble);
  // Empty lines draw nothing.
  EXPECT_EQ(At(kX + 100, kY + 45), kBubble);
}

TEST_F(BubbleTest, BubbleModeZeroDrawsNothing) {
  g.BubbleMode = 0;
  g.SpeechRecord = Record(0, 0, 0, {"A", "B", "C", "D", "E"});
  for (int tail = 0; tail < 4; ++tail) DrawSpeechBubble(g, kX, kY, tail);
  for (uint16_t p : s.Screen().pixels) ASSERT_EQ(p, 0);
}

// A scene's own words replace every line of the phrase before them, in code page 1251; a sixth
// line has no place in the record and is dropped.
TEST_F(BubbleTest, SubtitlesOfASceneFillFromTheTopAndEmptyTheRest) {
  g.SpeechRecord = Record(7, 9, 3, {"A", "B", "C", "D", "E"});
  SetSubtitles(g, {"", "ДЛЯ НАЧАЛА"});
  EXPECT_EQ(g.SpeechRecord.LineShift, 0);
  EXPECT_EQ(g.SpeechRecord.Lines,
            (std::array<std::string, 5>{"", Cp1251("ДЛЯ НАЧАЛА"), "", "", ""}));
  EXPECT_EQ(g.SpeechRecord.Kind, 7) << "the offer's fields stay";
  EXPECT_EQ(g.SpeechRecord.Price, 9);
  SetSubtitles(g, {"1", "2", "3", "4", "5", "6"}, 10);
  EXPECT_EQ(g.SpeechRecord.LineShift, 10);
  EXPECT_EQ(g.SpeechRecord.Lines, (std::array<std::string, 5>{"1", "2", "3", "4", "5"}));
}

// --- Exit box.

constexpr uint16_t kBox = 0x4208;

class ExitBoxTest : public ServiceTest {
 protected:
  ExitBoxTest() : ServiceTest(true) {
    s.layer.Images(1)->Images = {SolidImage("Exi01", 1, 286, 166, [](int) { return kBox; })};
    s.layer.ReplaceWaves(1, {TestWave("Boom07", 8000)});
  }
  // One tick of a scene with the box: the opening watch while closed, the box while open.
  void SceneTick() {
    if (g.ExitMenuState == 0) {
      ExitBoxWatchEsc(g);
    } else if (g.ExitMenuState == 1) {
      ExitBox(g);
    }
  }
};

TEST_F(ExitBoxTest, AFreshEscOpensTheBox) {
  g.ClickState = 1;
  g.HandFrame = 2;
  SceneTick();
  EXPECT_EQ(g.ExitMenuState, 0);
  s.PressKey(key::Esc, true);
  SceneTick();
  EXPECT_EQ(g.ExitMenuState, 1);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  Wave* boom = s.layer.FindWave(1, "Boom07");
  EXPECT_TRUE(boom->Buffer.Playing);
  EXPECT_EQ(boom->Buffer.Frequency, 11000);
}

TEST_F(ExitBoxTest, AHeldEscDoesNotCloseTheBoxItOpened) {
  // Esc pressed or let go, then a tick of the scene.
  auto esc = [&](bool down) {
    s.PressKey(key::Esc, down);
    SceneTick();
  };
  esc(true);
  ASSERT_EQ(g.ExitMenuState, 1);
  for (int t = 0; t < 10; ++t) SceneTick();
  EXPECT_EQ(g.ExitMenuState, 1);
  esc(false);
  EXPECT_EQ(g.ExitMenuState, 1);
  EXPECT_EQ(g.EscLatch, 1);
  esc(true);
  EXPECT_EQ(g.ExitMenuState, 0);

  // Closed with Esc still held: it does not open again until Esc is let go.
  for (int t = 0; t < 10; ++t) SceneTick();
  EXPECT_EQ(g.ExitMenuState, 0);
  esc(false);
  esc(true);
  EXPECT_EQ(g.ExitMenuState, 1);
}

TEST_F(ExitBoxTest, EscHeldWhenTheSceneStartsOpensTheBox) {
  g.EscLatch = 0;  // every loader clears it
  s.PressKey(key::Esc, true);
  SceneTick();
  EXPECT_EQ(g.ExitMenuState, 1);
}

TEST_F(ExitBoxTest, TheBoxIsDrawnEveryTickItRuns) {
  g.ExitMenuState = 1;
  ExitBox(g);
  EXPECT_EQ(s.Screen().At(177, 157), kBox);
  EXPECT_EQ(s.Screen().At(176, 157), 0);
  EXPECT_EQ(s.Screen().At(177, 156), 0);
}

TEST_F(ExitBoxTest, TheButtonsLeaveOrStay) {
  g.ExitMenuState = 1;
  g.ClickState = 1;
  g.MouseX = 295;
  g.MouseY = 260;
  ExitBox(g);
  EXPECT_EQ(g.ExitMenuState, 2);

  g.ExitMenuState = 1;
  g.EscLatch = 0;
  g.MouseX = 335;
  ExitBox(g);
  EXPECT_EQ(g.ExitMenuState, 0);
  EXPECT_EQ(g.EscLatch, 1);
}

TEST_F(ExitBoxTest, ClicksOutsideTheButtonsOrNotOnTheFirstTickDoNothing) {
  struct Click {
    int state, x, y;
  };
  const Click misses[] = {{1, 280, 260}, {1, 310, 260}, {1, 320, 260}, {1, 350, 260},
                          {1, 295, 245}, {1, 295, 280}, {1, 315, 260}, {2, 295, 260},
                          {3, 335, 260}, {0, 295, 260}};
  for (const Click& c : misses) {
    g.ExitMenuState = 1;
    g.EscLatch = 0;
    g.ClickState = static_cast<uint8_t>(c.state);
    g.MouseX = c.x;
    g.MouseY = c.y;
    ExitBox(g);
    EXPECT_EQ(g.ExitMenuState, 1) << c.state << " " << c.x << "," << c.y;
  }
}

// --- Pointer.

TEST(PointerPressTest, APressShowsOneTwoOneZeroAndEndsOnTheFifthTick) {
  HeadlessBackend backend(false);
  Layer layer(backend);
  Game g(layer);
  g.ClickState = 1;
  g.HandFrame = 0;
  std::vector<int> frames, states;
  for (int t = 0; t < 6; ++t) {
    PointerPressStep(g);
    frames.push_back(g.HandFrame);
    states.push_back(g.ClickState);
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 1, 0, 0, 0}));
  EXPECT_EQ(states, (std::vector<int>{1, 1, 2, 2, 0, 0}));
}

TEST(PointerPressTest, OtherClickStatesAreLeftAlone) {
  HeadlessBackend backend(false);
  Layer layer(backend);
  Game g(layer);
  for (int state : {0, 3, 4, 5}) {
    g.ClickState = static_cast<uint8_t>(state);
    g.HandFrame = 1;
    PointerPressStep(g);
    EXPECT_EQ(g.ClickState, state);
    EXPECT_EQ(g.HandFrame, 1);
  }
}

TEST(PointerDrawTest, TheHandShowsPatternHandFrameAtThePointer) {
  ServiceGame s(false);
  s.layer.Images(1)->Images = {
      SolidImage("Ruka01", 3, 5, 5, [](int p) { return static_cast<uint16_t>(0x2000 + p); })};
  s.game.HandFrame = 2;
  s.game.MouseX = 100;
  s.game.MouseY = 120;
  DrawPointer(s.game);
  EXPECT_EQ(s.Screen().At(100, 120), 0x2002);
  EXPECT_EQ(s.Screen().At(99, 120), 0);
  s.game.HandFrame = 1;
  DrawPointer(s.game, -5, -25);
  EXPECT_EQ(s.Screen().At(95, 95), 0x2001);
}

// --- Angles.

TEST(AngleToTest, TheFourAxes) {
  EXPECT_EQ(AngleTo(10, 0, 0, 0), 0);
  EXPECT_EQ(AngleTo(0, 10, 0, 0), 64);
  EXPECT_EQ(AngleTo(-10, 0, 0, 0), 128);
  EXPECT_EQ(AngleTo(0, -10, 0, 0), -64);
  EXPECT_EQ(AngleTo(0, 0, 0, 0), 64);    // no direction: taken as down
  EXPECT_EQ(AngleTo(15, 10, 5, 10), 0);  // the vector from the second point to the first
  EXPECT_EQ(AngleTo(5, 10, 15, 10), 128);
}

TEST(AngleToTest, DiagonalsAndTheEdgesOfTheRange) {
  // 45 degrees is 255 / 8 = 31.875 steps.
  EXPECT_EQ(AngleTo(5, 5, 0, 0), 32);
  EXPECT_EQ(AngleTo(5, -5, 0, 0), -32);
  EXPECT_EQ(AngleTo(-5, 5, 0, 0), 96);
  EXPECT_EQ(AngleTo(-5, -5, 0, 0), 160);
  EXPECT_EQ(AngleTo(1, 1000, 0, 0), 64);
  EXPECT_EQ(AngleTo(1, -1000, 0, 0), -64);
  EXPECT_EQ(AngleTo(-1, -1000, 0, 0), 192);
  EXPECT_EQ(AngleTo(-1, 1000, 0, 0), 64);
  // atan(1/2) = 0.4636 rad: 18.82 steps.
  EXPECT_EQ(AngleTo(200, 100, 0, 0), 19);
  // Far apart points do not overflow.
  EXPECT_EQ(AngleTo(2000000000, 0, -2000000000, 0), 0);
}

// Positions drawn and shown are rounded half to even, and a position thrown far off (a speed
// gone wild, a value that is no number) stays far off the screen instead of overflowing.
TEST(NearestTest, HalvesGoToTheEvenNeighbourAndWildValuesStayOffTheScreen) {
  EXPECT_EQ(Nearest(0.5), 0);
  EXPECT_EQ(Nearest(1.5), 2);
  EXPECT_EQ(Nearest(2.5), 2);
  EXPECT_EQ(Nearest(-0.5), 0);
  EXPECT_EQ(Nearest(-1.5), -2);
  EXPECT_EQ(Nearest(2.4999f), 2);
  EXPECT_EQ(Nearest(-7.6), -8);
  EXPECT_EQ(Nearest(99999.4), 99999);
  EXPECT_EQ(Nearest(3e9), 100000);
  EXPECT_EQ(Nearest(-1e300), -100000);
  EXPECT_EQ(Nearest(std::numeric_limits<double>::infinity()), 100000);
  EXPECT_EQ(std::abs(Nearest(std::numeric_limits<double>::quiet_NaN())), 100000);
}

// The angles after each of `steps` turns from `from` towards `target`.
std::vector<int> TurnPath(int from, int target, int steps) {
  std::vector<int> path;
  for (int a = from; steps-- > 0;) {
    TurnTowards(target, a);
    path.push_back(a);
  }
  return path;
}

TEST(TurnTowardsTest, TheDirectWayTakesStepsOfFive) {
  EXPECT_EQ(TurnPath(50, 100, 1), std::vector<int>{55});
  EXPECT_EQ(TurnPath(100, 50, 1), std::vector<int>{95});
}

TEST(TurnTowardsTest, NeverStopsOnTheTarget) {
  EXPECT_EQ(TurnPath(0, 10, 6), (std::vector<int>{5, 10, 15, 10, 15, 10}));
}

TEST(TurnTowardsTest, TheWayAcrossZeroAndLeavingTheRange) {
  // Down through 0 to -5, which the next call reads as 251.
  EXPECT_EQ(TurnPath(5, 250, 5), (std::vector<int>{0, -5, 246, 251, 246}));
  // Up through 255 to 260, read as 4 by the next call.
  EXPECT_EQ(TurnPath(250, 5, 4), (std::vector<int>{255, 260, 9, 4}));
}

TEST(TurnTowardsTest, TargetsAndAnglesAreReadByTheirLowEightBits) {
  EXPECT_EQ(TurnPath(5 + 256, -6, 1), std::vector<int>{0}) << "-6 is 250";
  EXPECT_EQ(TurnPath(-251, 100 + 512, 1), std::vector<int>{10}) << "-251 is 5";
}

TEST(TurnTowardsTest, OppositeDirectionsTurnTheSameWayEachTime) {
  EXPECT_EQ(TurnPath(0, 128, 1), std::vector<int>{-5});
  EXPECT_EQ(TurnPath(128, 0, 1), std::vector<int>{133});
}

}  // namespace
}  // namespace vepa
