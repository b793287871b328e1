// vepa4-pack end to end: a content tree packed, listed, extracted and verified, and the damaged
// cases the verifier must name.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "engine/archive.h"
#include "engine/streams.h"
#include "tests/archive_fixtures.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

using archive_testing::ReadBytes;
using archive_testing::TempDir;
using archive_testing::WriteBytes;

struct RunResult {
  int ExitCode = -1;
  std::string Output;  // stdout and stderr
};

RunResult RunPack(const std::string& args) {
  RunResult r;
  std::string command = std::string("\"") + VEPA_PACK + "\" " + args + " 2>&1";
  std::FILE* p = popen(command.c_str(), "r");
  if (!p) return r;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) r.Output.append(buffer, n);
  int status = pclose(p);
  r.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

Image Sprite(const std::string& name) {
  Image img;
  img.Name = name;
  img.Width = 6;
  img.Height = 4;
  img.PatternWidth = 3;
  img.PatternHeight = 4;
  img.TransparentColor = 0;
  img.Pixels.assign(24, 0xFFFF);
  img.Pixels[0] = 0;  // one transparent pixel
  return img;
}

class PackToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(tree.File("sub"));
    speech = EncodeRiffWave(std::vector<int16_t>(300, 1234), 11000);
    hitMap.assign(76800, 3);
    WriteBytes(tree.File("kib001.wav"), speech);
    WriteBytes(tree.File("m_tune.wav"), EncodeRiffWave(std::vector<int16_t>(100, -5), 22050));
    WriteBytes(tree.File("r_bg01.bmp"), EncodeBitmap(Surface(8, 8)));
    WriteBytes(tree.File("s_spr01.vil"), EncodeImageList({Sprite("Ruka01"), Sprite("Kib01")}));
    WriteBytes(tree.File("w_fx01.vwl"),
               EncodeWaveList({{"Boom01", false, EncodeRiffWave({1, 2, 3}, 11000)}}));
    WriteBytes(tree.File("sub/b_map01.bin"), hitMap);
    WriteBytes(tree.File("t_kib01.tbl"), std::vector<uint8_t>(222, 0x20));
    WriteBytes(tree.File(".hidden"), {1, 2, 3});
  }

  RunResult Pack() { return RunPack("pack " + Quote(tree.Dir()) + " " + Quote(out.Dir())); }

  TempDir tree, out;
  std::vector<uint8_t> speech, hitMap;
};

TEST_F(PackToolTest, PackListExtractVerify) {
  RunResult r = Pack();
  ASSERT_EQ(r.ExitCode, 0) << r.Output;

  // Sorted by name, one record per file, hidden files left out.
  Archive archive;
  archive.SetDataDir(out.Dir());
  std::vector<DirectoryRecord> records;
  ASSERT_EQ(archive.ReadDirectory(records), ArchiveResult::Ok);
  std::vector<std::string> names;
  for (const auto& rec : records) names.push_back(rec.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"b_map01", "kib001", "m_tune", "r_bg01", "s_spr01",
                                             "t_kib01", "w_fx01"}));

  // Speech is stored with only its head scrambled; the loaders' read gives the file back.
  std::vector<uint8_t> bytes;
  ASSERT_EQ(archive.ReadEntry("kib001", bytes, true), ArchiveResult::Ok);
  EXPECT_EQ(bytes, speech);
  ASSERT_EQ(archive.ReadEntry("b_map01", bytes), ArchiveResult::Ok);
  EXPECT_EQ(bytes, hitMap);

  r = RunPack("list " + Quote(out.Dir()));
  ASSERT_EQ(r.ExitCode, 0) << r.Output;
  EXPECT_NE(r.Output.find("kib001"), std::string::npos);
  EXPECT_NE(r.Output.find("76800  hit map"), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("speech"), std::string::npos);
  EXPECT_NE(r.Output.find("image list"), std::string::npos);

  r = RunPack("verify " + Quote(out.Dir()));
  EXPECT_EQ(r.ExitCode, 0) << r.Output;
  EXPECT_NE(r.Output.find("7 entries checked, 0 failed"), std::string::npos) << r.Output;

  r = RunPack("extract " + Quote(out.Dir()) + " kib001 " + Quote(out.File("k.wav")));
  ASSERT_EQ(r.ExitCode, 0) << r.Output;
  EXPECT_EQ(ReadBytes(out.File("k.wav")), speech);

  r = RunPack("extract " + Quote(out.Dir()) + " s_spr01 " + Quote(out.File("pngs")));
  ASSERT_EQ(r.ExitCode, 0) << r.Output;
  std::vector<uint8_t> png = ReadBytes(out.File("pngs/Ruka01.png"));
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::vector<uint8_t>(png.begin() + 1, png.begin() + 4),
            (std::vector<uint8_t>{'P', 'N', 'G'}));
  EXPECT_TRUE(std::filesystem::exists(out.File("pngs/Kib01.png")));

  r = RunPack("extract " + Quote(out.Dir()) + " kib999 " + Quote(out.File("x")));
  EXPECT_NE(r.ExitCode, 0);
  EXPECT_NE(r.Output.find("not found"), std::string::npos);
}

TEST_F(PackToolTest, SameTreeGivesSameBytes) {
  ASSERT_EQ(Pack().ExitCode, 0);
  std::vector<uint8_t> dir1 = ReadBytes(out.File(DirectoryFileName));
  std::vector<uint8_t> data1 = ReadBytes(out.File(DataFileName));
  ASSERT_EQ(Pack().ExitCode, 0);
  EXPECT_EQ(ReadBytes(out.File(DirectoryFileName)), dir1);
  EXPECT_EQ(ReadBytes(out.File(DataFileName)), data1);
}

TEST_F(PackToolTest, LongAndClashingNamesAreRejected) {
  WriteBytes(tree.File("kib0010000000.wav"), speech);  // 12 characters
  RunResult r = Pack();
  EXPECT_NE(r.ExitCode, 0);
  EXPECT_NE(r.Output.find("kib0010000000"), std::string::npos) << r.Output;
  EXPECT_FALSE(std::filesystem::exists(out.File(DirectoryFileName)));
  std::filesystem::remove(tree.File("kib0010000000.wav"));
  WriteBytes(tree.File("sub/kib001.raw"), speech);  // same entry name as kib001.wav
  r = Pack();
  EXPECT_NE(r.ExitCode, 0);
  EXPECT_NE(r.Output.find("kib001"), std::string::npos) << r.Output;
}

TEST_F(PackToolTest, VerifyNamesEveryFailingEntry) {
  std::vector<uint8_t> cut = EncodeImageList({Sprite("Ruka01")});
  cut.pop_back();
  WriteBytes(tree.File("s_bad01.vil"), cut);
  WriteBytes(tree.File("b_short01.bin"), std::vector<uint8_t>(76799, 1));
  WriteBytes(tree.File("t_odd01.tbl"), std::vector<uint8_t>(112, 1));
  WriteBytes(tree.File("kib002.wav"), {'R', 'I', 'F', 'F'});
  WriteBytes(tree.File("r_bad01.bmp"), {'B', 'M', 0});
  WriteBytes(tree.File("w_bad01.vwl"), {'V', 'W', 'L', '1', 9, 0, 0, 0});
  ASSERT_EQ(Pack().ExitCode, 0);
  RunResult r = RunPack("verify " + Quote(out.Dir()));
  EXPECT_NE(r.ExitCode, 0);
  for (const char* name : {"s_bad01", "b_short01", "t_odd01", "kib002", "r_bad01", "w_bad01"})
    EXPECT_NE(r.Output.find(std::string("FAIL ") + name), std::string::npos) << name << "\n"
                                                                             << r.Output;
  EXPECT_EQ(r.Output.find("FAIL kib001"), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("6 failed"), std::string::npos) << r.Output;
}

TEST_F(PackToolTest, VerifyReportsRecordsOutsideTheDataFile) {
  std::vector<uint8_t> d = archive_testing::DirectoryRecordBytes("b_map01", 10, 76800);
  std::vector<uint8_t> second = archive_testing::DirectoryRecordBytes("t_kib01", 0, 111);
  d.insert(d.end(), second.begin(), second.end());
  WriteBytes(out.File(DirectoryFileName), d);
  WriteBytes(out.File(DataFileName), std::vector<uint8_t>(111, 0));
  RunResult r = RunPack("verify " + Quote(out.Dir()));
  EXPECT_NE(r.ExitCode, 0);
  EXPECT_NE(r.Output.find("FAIL b_map01"), std::string::npos) << r.Output;
  EXPECT_EQ(r.Output.find("FAIL t_kib01"), std::string::npos) << r.Output;
  r = RunPack("verify " + Quote(tree.File("nothing-here")));
  EXPECT_NE(r.ExitCode, 0);
}

}  // namespace
}  // namespace vepa
