// The archive pair: names, scrambling, directory scan, entry reads and the damaged cases.
#include "engine/archive.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "tests/archive_fixtures.h"

namespace vepa {
namespace {

using archive_testing::DirectoryRecordBytes;
using archive_testing::PatternBytes;
using archive_testing::ReadBytes;
using archive_testing::TempDir;
using archive_testing::WriteBytes;

TEST(ArchiveNameTest, AddsKeyCharactersModulo256) {
  // 'r' + 'Q' = 0x72 + 0x51 = 0xC3; '_' + '&' = 0x5F + 0x26 = 0x85; 'a' + '*' = 0x8B.
  std::string s = ArchiveName("r_a");
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(static_cast<uint8_t>(s[0]), 0xC3);
  EXPECT_EQ(static_cast<uint8_t>(s[1]), 0x85);
  EXPECT_EQ(static_cast<uint8_t>(s[2]), 0x8B);
  // A high byte wraps: 0xF0 + 'Q' (0x51) = 0x141 -> 0x41.
  EXPECT_EQ(static_cast<uint8_t>(ArchiveName("\xF0")[0]), 0x41);
  // The 11th character adds the 11th key character, 'm'.
  std::string eleven = ArchiveName("00000000000");
  EXPECT_EQ(static_cast<uint8_t>(eleven[10]), '0' + 'm');
  EXPECT_EQ(ArchiveName(""), "");
}

TEST(ArchiveNameTest, SameNameSameFormAndCaseMatters) {
  EXPECT_EQ(ArchiveName("kib046"), ArchiveName("kib046"));
  EXPECT_NE(ArchiveName("lamp01"), ArchiveName("Lamp01"));
  EXPECT_EQ(ArchiveName("s_all01").size(), 7u);
}

TEST(ScrambleTest, StoredByteIsContentMinusPosition) {
  std::vector<uint8_t> v(600, 0x10);
  ScrambleBytes(v.data(), v.size(), 0, false);
  EXPECT_EQ(v[0], 0x10);
  EXPECT_EQ(v[1], 0x0F);
  EXPECT_EQ(v[0x10], 0x00);
  EXPECT_EQ(v[0x11], 0xFF);
  // Only the low 8 bits of the position count: 300 acts as 44.
  EXPECT_EQ(v[300], static_cast<uint8_t>(0x10 - 44));
  EXPECT_EQ(v[256], 0x10);
  UnscrambleBytes(v.data(), v.size(), 0, false);
  EXPECT_EQ(v, std::vector<uint8_t>(600, 0x10));
}

TEST(ScrambleTest, SpeechTouchesOnlyPositions0To40) {
  std::vector<uint8_t> v(100, 0x80);
  ScrambleBytes(v.data(), v.size(), 0, true);
  EXPECT_EQ(v[40], 0x80 - 40);
  EXPECT_EQ(v[41], 0x80);
  EXPECT_EQ(v[99], 0x80);
  // A slice starting inside the scrambled head: positions 38..40 change, 41.. do not.
  std::vector<uint8_t> w(5, 0x80);
  UnscrambleBytes(w.data(), w.size(), 38, true);
  EXPECT_EQ(w, (std::vector<uint8_t>{0x80 + 38, 0x80 + 39, 0x80 + 40, 0x80, 0x80}));
  std::vector<uint8_t> x(3, 7);
  UnscrambleBytes(x.data(), x.size(), 41, true);
  EXPECT_EQ(x, std::vector<uint8_t>(3, 7));
}

TEST(ScrambleTest, MatchesTheBytewiseRuleForEveryLengthAndStart) {
  // The rule byte by byte, against the word-at-a-time implementation, across lane and
  // 256-position boundaries.
  for (size_t start : {0u, 1u, 7u, 40u, 41u, 250u, 255u, 256u, 1000u}) {
    for (size_t n = 0; n <= 70; ++n) {
      std::vector<uint8_t> content = PatternBytes(n, static_cast<uint8_t>(start + n));
      for (bool speech : {false, true}) {
        std::vector<uint8_t> expected = content;
        for (size_t i = 0; i < n; ++i) {
          size_t p = start + i;
          if (!speech || p <= 40) expected[i] = static_cast<uint8_t>(content[i] - (p & 0xFF));
        }
        std::vector<uint8_t> v = content;
        ScrambleBytes(v.data(), v.size(), start, speech);
        ASSERT_EQ(v, expected) << "start " << start << " n " << n << " speech " << speech;
        UnscrambleBytes(v.data(), v.size(), start, speech);
        ASSERT_EQ(v, content) << "start " << start << " n " << n << " speech " << speech;
      }
    }
  }
}

TEST(ScrambleTest, SliceUsesEntryPositions) {
  std::vector<uint8_t> whole = PatternBytes(1000, 3);
  std::vector<uint8_t> scrambled = whole;
  ScrambleBytes(scrambled.data(), scrambled.size(), 0, false);
  std::vector<uint8_t> slice(scrambled.begin() + 333, scrambled.begin() + 444);
  UnscrambleBytes(slice.data(), slice.size(), 333, false);
  EXPECT_EQ(slice, std::vector<uint8_t>(whole.begin() + 333, whole.begin() + 444));
}

TEST(EntryKindTest, PrefixDecidesKind) {
  const std::pair<const char*, EntryKind> cases[] = {
      {"r_bil01", EntryKind::Background}, {"l_blck01", EntryKind::Background},
      {"s_all01", EntryKind::ImageList},  {"d_dreb01", EntryKind::ImageList},
      {"b_gun01", EntryKind::HitMap},     {"w_all01", EntryKind::WaveList},
      {"m_vepa4", EntryKind::Music},      {"t_kib01", EntryKind::PhraseTable},
      {"kib046", EntryKind::Speech},      {"tvroz01", EntryKind::Speech},
      {"r", EntryKind::Speech},           {"1_abc", EntryKind::Speech},
      {"q_misc", EntryKind::Other}};
  for (const auto& [name, kind] : cases) EXPECT_EQ(KindOfEntry(name), kind) << name;
  EXPECT_STREQ(EntryKindName(EntryKind::WaveList), "wave list");
  EXPECT_STREQ(EntryKindName(EntryKind::Speech), "speech");
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override { archive.SetDataDir(dir.Dir()); }
  void Pack(const std::vector<PackEntry>& entries) {
    std::string error;
    ASSERT_TRUE(WriteArchive(dir.Dir(), entries, &error)) << error;
  }
  // A directory and data file written by hand.
  void WriteRaw(const std::vector<std::vector<uint8_t>>& records, const std::vector<uint8_t>& data,
                size_t extraDirectoryBytes = 0) {
    std::vector<uint8_t> d;
    for (const auto& r : records) d.insert(d.end(), r.begin(), r.end());
    d.insert(d.end(), extraDirectoryBytes, 0xAA);
    WriteBytes(dir.File(DirectoryFileName), d);
    WriteBytes(dir.File(DataFileName), data);
  }

  TempDir dir;
  Archive archive;
};

TEST_F(ArchiveTest, WriteArchiveLaysOutRecordsAndScrambledData) {
  std::vector<uint8_t> a = PatternBytes(300, 1), b = {9, 9, 9};
  Pack({{"s_one", a, false}, {"kib001", b, true}});
  std::vector<uint8_t> d = ReadBytes(dir.File(DirectoryFileName));
  ASSERT_EQ(d.size(), 40u);
  EXPECT_EQ(std::vector<uint8_t>(d.begin(), d.begin() + 20), DirectoryRecordBytes("s_one", 0, 300));
  EXPECT_EQ(std::vector<uint8_t>(d.begin() + 20, d.end()), DirectoryRecordBytes("kib001", 300, 3));
  std::vector<uint8_t> data = ReadBytes(dir.File(DataFileName));
  ASSERT_EQ(data.size(), 303u);
  EXPECT_EQ(data[299], static_cast<uint8_t>(a[299] - 299));
  EXPECT_EQ(data[301], static_cast<uint8_t>(9 - 1));
}

TEST_F(ArchiveTest, WriteArchiveRejectsBadNames) {
  std::string error;
  EXPECT_FALSE(WriteArchive(dir.Dir(), {{"abcdefghijkl", {1}, false}}, &error));
  EXPECT_NE(error.find("abcdefghijkl"), std::string::npos);
  EXPECT_FALSE(WriteArchive(dir.Dir(), {{"", {1}, false}}, &error));
  EXPECT_TRUE(WriteArchive(dir.Dir(), {{"abcdefghijk", {1}, false}}, &error));
}

TEST_F(ArchiveTest, ReadsBackWhatWasPacked) {
  std::vector<uint8_t> table = PatternBytes(111 * 5, 40), music = PatternBytes(2000, 2),
                       speech = PatternBytes(2000, 5);
  Pack({{"t_kib01", table, false}, {"m_vepa4", music, false}, {"kib046", speech, true}});
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadEntry("t_kib01", out), ArchiveResult::Ok);
  EXPECT_EQ(out, table);
  ASSERT_EQ(archive.ReadEntry("m_vepa4", out), ArchiveResult::Ok);
  EXPECT_EQ(out, music);
  ASSERT_EQ(archive.ReadEntry("kib046", out, true), ArchiveResult::Ok);
  EXPECT_EQ(out, speech);
  // Read as music, the speech entry's tail would be changed: the flag matters.
  ASSERT_EQ(archive.ReadEntry("kib046", out, false), ArchiveResult::Ok);
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + 41, speech.begin()));
  EXPECT_NE(out, speech);
  EXPECT_EQ(archive.MalformedReportCount(), 0u);
}

TEST_F(ArchiveTest, FindEntryGivesOffsetAndSize) {
  Pack({{"a_one", {1, 2, 3}, false}, {"a_two", {4, 5}, false}});
  EntryInfo info;
  ASSERT_EQ(archive.FindEntry("a_two", info), ArchiveResult::Ok);
  EXPECT_EQ(info.Offset, 3);
  EXPECT_EQ(info.Size, 2);
  EXPECT_EQ(archive.FindEntry("a_three", info), ArchiveResult::NotFound);
  EXPECT_EQ(archive.FindEntry("A_two", info), ArchiveResult::NotFound);
  EXPECT_EQ(archive.FindEntry("a_tw", info), ArchiveResult::NotFound);
}

TEST_F(ArchiveTest, FirstOfTwoEqualNamesWins) {
  std::vector<uint8_t> data = {10, 20, 30, 40};
  ScrambleBytes(data.data(), 2, 0, false);
  ScrambleBytes(data.data() + 2, 2, 0, false);
  WriteRaw({DirectoryRecordBytes("x_dup", 2, 2), DirectoryRecordBytes("x_dup", 0, 2)}, data);
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadEntry("x_dup", out), ArchiveResult::Ok);
  EXPECT_EQ(out, (std::vector<uint8_t>{30, 40}));
}

TEST_F(ArchiveTest, NamesDifferingInCaseAreDifferentEntries) {
  Pack({{"Lamp01", {1, 1}, true}, {"lamp01", {2, 2, 2}, true}});
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadEntry("lamp01", out, true), ArchiveResult::Ok);
  EXPECT_EQ(out, (std::vector<uint8_t>{2, 2, 2}));
  ASSERT_EQ(archive.ReadEntry("Lamp01", out, true), ArchiveResult::Ok);
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 1}));
}

TEST_F(ArchiveTest, EmptyEntryReadsAsEmptyStream) {
  Pack({{"w_none", {}, false}, {"b_next", {7}, false}});
  std::vector<uint8_t> out = {1, 2, 3};
  ASSERT_EQ(archive.ReadEntry("w_none", out), ArchiveResult::Ok);
  EXPECT_TRUE(out.empty());
}

TEST_F(ArchiveTest, MissingFilesAreFileErrors) {
  EntryInfo info;
  std::vector<uint8_t> out;
  EXPECT_EQ(archive.FindEntry("s_all01", info), ArchiveResult::FileError);
  EXPECT_EQ(archive.ReadEntry("s_all01", out), ArchiveResult::FileError);
  EXPECT_EQ(archive.ReadEntrySlice("t_kib01", 0, 111, out), ArchiveResult::FileError);
  // Directory present, data file missing: found in the directory, then the read fails.
  Pack({{"s_all01", {1, 2}, false}});
  std::filesystem::remove(dir.File(DataFileName));
  EXPECT_EQ(archive.FindEntry("s_all01", info), ArchiveResult::Ok);
  EXPECT_EQ(archive.ReadEntry("s_all01", out), ArchiveResult::FileError);
  EXPECT_EQ(archive.ReadEntrySlice("s_all01", 0, 1, out), ArchiveResult::FileError);
  // A missing name is still just missing when the data file is gone.
  EXPECT_EQ(archive.ReadEntry("s_none", out), ArchiveResult::NotFound);
}

TEST_F(ArchiveTest, DirectoryTailShorterThanARecordIsIgnored) {
  std::vector<uint8_t> data = {5, 6};
  ScrambleBytes(data.data(), 2, 0, false);
  // The tail holds the first 19 bytes of a record for "x_tail"; it must not be found.
  std::vector<uint8_t> tail = DirectoryRecordBytes("x_tail", 0, 2);
  tail.resize(19);
  std::vector<uint8_t> d = DirectoryRecordBytes("x_head", 0, 2);
  d.insert(d.end(), tail.begin(), tail.end());
  WriteBytes(dir.File(DirectoryFileName), d);
  WriteBytes(dir.File(DataFileName), data);
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadEntry("x_head", out), ArchiveResult::Ok);
  EXPECT_EQ(out, (std::vector<uint8_t>{5, 6}));
  EXPECT_EQ(archive.ReadEntry("x_tail", out), ArchiveResult::NotFound);
  std::vector<DirectoryRecord> records;
  ASSERT_EQ(archive.ReadDirectory(records), ArchiveResult::Ok);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Name, "x_head");
}

TEST_F(ArchiveTest, RecordsPointingOutsideTheDataFileAreMalformed) {
  std::vector<uint8_t> data(100, 0);
  WriteRaw({DirectoryRecordBytes("x_past", 90, 11), DirectoryRecordBytes("x_far", 1000, 1),
            DirectoryRecordBytes("x_neg", 0, -1), DirectoryRecordBytes("x_negoff", -4, 2),
            DirectoryRecordBytes("x_huge", 0, INT32_MAX),
            DirectoryRecordBytes("x_wrap", INT32_MAX, INT32_MAX),
            DirectoryRecordBytes("x_edge", 90, 10)},
           data);
  std::vector<uint8_t> out = {42};
  for (const char* name : {"x_past", "x_far", "x_neg", "x_negoff", "x_huge", "x_wrap"}) {
    EXPECT_EQ(archive.ReadEntry(name, out), ArchiveResult::Malformed) << name;
    EXPECT_EQ(out, std::vector<uint8_t>{42}) << name << " must read nothing";
    EXPECT_EQ(archive.ReadEntrySlice(name, 0, 1, out), ArchiveResult::Malformed) << name;
  }
  // Each damaged name is reported once, however often it is asked for.
  EXPECT_EQ(archive.MalformedReportCount(), 6u);
  // An entry that ends exactly at the end of the file is fine.
  EXPECT_EQ(archive.ReadEntry("x_edge", out), ArchiveResult::Ok);
  EXPECT_EQ(out.size(), 10u);
}

TEST_F(ArchiveTest, SliceReadsPartOfAnEntry) {
  std::vector<uint8_t> table = PatternBytes(111 * 4, 9);
  Pack({{"x_pad", PatternBytes(77, 1), false}, {"t_ply01", table, false}});
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadEntrySlice("t_ply01", 222, 111, out), ArchiveResult::Ok);
  EXPECT_EQ(out, std::vector<uint8_t>(table.begin() + 222, table.begin() + 333));
  // Past the end of the entry: fewer bytes, or none.
  ASSERT_EQ(archive.ReadEntrySlice("t_ply01", 400, 111, out), ArchiveResult::Ok);
  EXPECT_EQ(out, std::vector<uint8_t>(table.begin() + 400, table.end()));
  ASSERT_EQ(archive.ReadEntrySlice("t_ply01", 444, 111, out), ArchiveResult::Ok);
  EXPECT_TRUE(out.empty());
  ASSERT_EQ(archive.ReadEntrySlice("t_ply01", -5, 10, out), ArchiveResult::Ok);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(archive.ReadEntrySlice("t_none01", 0, 111, out), ArchiveResult::NotFound);
}

TEST_F(ArchiveTest, ReadDirectoryUnscramblesNames) {
  Pack({{"s_all01", {1}, false}, {"kib001", {2, 3}, true}});
  std::vector<DirectoryRecord> records;
  ASSERT_EQ(archive.ReadDirectory(records), ArchiveResult::Ok);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Name, "s_all01");
  EXPECT_EQ(records[1].Name, "kib001");
  EXPECT_EQ(records[1].Offset, 1);
  EXPECT_EQ(records[1].Size, 2);
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadRecord(records[1], out, true), ArchiveResult::Ok);
  EXPECT_EQ(out, (std::vector<uint8_t>{2, 3}));
}

TEST_F(ArchiveTest, EveryReadReopensTheFiles) {
  Pack({{"x_one", {1, 2, 3}, false}});
  std::vector<uint8_t> out;
  ASSERT_EQ(archive.ReadEntry("x_one", out), ArchiveResult::Ok);
  // Replacing the archive between reads is seen at once: nothing is cached.
  Pack({{"x_one", {7, 7}, false}});
  ASSERT_EQ(archive.ReadEntry("x_one", out), ArchiveResult::Ok);
  EXPECT_EQ(out, (std::vector<uint8_t>{7, 7}));
}

}  // namespace
}  // namespace vepa
