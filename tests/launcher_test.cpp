// The archive search, the installation settings and the launcher states.
#include "app/launcher.h"

#include <gtest/gtest.h>

#include <set>

#include "app/platform.h"
#include "tests/scene_fixture.h"
#include "tests/temp_dir.h"

namespace vepa {
namespace {

class FakeSystem : public SystemServices {
 public:
  bool settingsPresent = false;
  std::string gameDir, cdGameDir, current = "/cur";
  std::set<std::string> files;  // full paths that open
  std::vector<std::string> probes;
  bool AcquireInstanceLock(const std::string&) override { return true; }
  bool ReadSettings(std::string& g, std::string& c) override {
    g = settingsPresent ? gameDir : "";
    c = settingsPresent ? cdGameDir : "";
    return settingsPresent;
  }
  std::string CurrentDirectory() override { return current; }
  bool FileOpens(const std::string& dir, const std::string& name) override {
    probes.push_back(dir + name);
    return files.count(dir + name) > 0;
  }
  char PathSeparator() const override { return '/'; }
  void AddArchive(const std::string& dir) {
    files.insert(dir + "vepa4.gmd");
    files.insert(dir + "vepa4.gam");
  }
};

TEST(ArchiveSearchTest, CurrentDirectoryWinsOverGameDir) {
  FakeSystem sys;
  sys.settingsPresent = true;
  sys.gameDir = "/games/vepa";
  sys.AddArchive("/cur/");
  sys.AddArchive("/games/vepa/");
  Launcher l(sys);
  ASSERT_TRUE(l.ReadInstallation());
  ASSERT_TRUE(l.FindArchive());
  EXPECT_EQ(l.DataDir, "/cur/");
}

TEST(ArchiveSearchTest, TrailingSeparatorAddedAndHalfArchiveSkipped) {
  FakeSystem sys;
  sys.settingsPresent = true;
  sys.gameDir = "/games/vepa";  // no trailing separator
  sys.cdGameDir = "/cdrom/";
  sys.files.insert("/cur/vepa4.gmd");  // only one of the two files
  sys.files.insert("/games/vepa/vepa4.gam");
  sys.AddArchive("/cdrom/");
  Launcher l(sys);
  l.ReadInstallation();
  ASSERT_TRUE(l.FindArchive());
  EXPECT_EQ(l.GameDir, "/games/vepa/");
  EXPECT_EQ(l.DataDir, "/cdrom/");
}

TEST(ArchiveSearchTest, NotInstalledSearchesOnlyTheCurrentDirectory) {
  FakeSystem sys;
  sys.AddArchive("/cur/");
  Launcher l(sys);
  EXPECT_FALSE(l.ReadInstallation());
  ASSERT_TRUE(l.FindArchive());
  EXPECT_EQ(l.DataDir, "/cur/");

  FakeSystem other;
  other.current = "/elsewhere/";
  Launcher l2(other);
  l2.ReadInstallation();
  l2.GameDir = "/cur/";  // not consulted without an installation
  other.AddArchive("/cur/");
  EXPECT_FALSE(l2.FindArchive());
  for (const auto& p : other.probes) EXPECT_EQ(p.rfind("/elsewhere/", 0), 0u) << p;
}

TEST(ArchiveSearchTest, CdGameDirAloneMakesTheGameInstalled) {
  FakeSystem sys;
  sys.settingsPresent = false;
  Launcher l(sys);
  EXPECT_FALSE(l.ReadInstallation());
  // Settings present but both values empty: installed, and the empty directories are
  // skipped instead of failing or probing "/vepa4.gmd".
  sys.settingsPresent = true;
  EXPECT_TRUE(l.ReadInstallation());
  EXPECT_FALSE(l.FindArchive());
  for (const auto& p : sys.probes) EXPECT_EQ(p.rfind("/cur/", 0), 0u) << p;
}

TEST(LauncherStateTest, EachStateShowsItsPictures) {
  FakeSystem sys;
  Launcher l(sys);
  // Order: Image2, Image6, Image7, Image11, Image1.
  l.ShowLauncherState(1);
  EXPECT_EQ(l.Visible(), (std::array<bool, 5>{true, true, false, false, true}));
  l.HideLauncherPictures(0);
  l.ShowLauncherState(2);
  EXPECT_EQ(l.Visible(), (std::array<bool, 5>{true, false, true, false, true}));
  l.HideLauncherPictures(0);
  l.ShowLauncherState(4);
  EXPECT_EQ(l.Visible(), (std::array<bool, 5>{true, false, false, true, true}));
  l.HideLauncherPictures(1);
  EXPECT_EQ(l.Visible(), (std::array<bool, 5>{}));
  EXPECT_EQ(l.State(), 4);
}

TEST(SettingsTest, ParsesValuesAndSkipsDamagedLines) {
  std::string g = "x", c = "y";
  ParseSettings("GameDir=/a/b\r\ngarbage line\n\xff\xfe=1\nCDGameDir=/cd\n# comment\n", g, c);
  EXPECT_EQ(g, "/a/b");
  EXPECT_EQ(c, "/cd");
  ParseSettings("", g, c);  // an empty file changes nothing
  EXPECT_EQ(g, "/a/b");
}

}  // namespace
}  // namespace vepa

namespace vepa::testing {
namespace {

class LauncherReturn : public SceneFixture {};

// A data read error in the middle of play: the dialog shows its error picture over the game's
// sound as it was; the music is not cut off first.
TEST_F(LauncherReturn, DataReadErrorKeepsTheSoundPlaying) {
  EnterAndOpen(SceneId::Kiosk, static_cast<int>(HubEntry::Plain));
  Wave* music = layer.Waves(4)->WaveItem(1);
  ASSERT_NE(music, nullptr);
  ASSERT_TRUE(layer.IsPlaying(music));
  vepa::FakeSystem sys;
  Launcher launcher(sys);
  g.OnReturnToLauncher = [&] { ReturnToLauncher(layer, launcher); };
  TempDir empty;
  g.archive.SetDataDir(empty.Dir());
  g.LoadScene(SceneId::Darts);
  Tick();
  ASSERT_TRUE(g.ReturnedToLauncher);
  EXPECT_EQ(launcher.State(), 2);
  EXPECT_TRUE(layer.SoundInitialized());
  EXPECT_TRUE(layer.IsPlaying(music));
  layer.AdvanceAudio(0.5);
  EXPECT_TRUE(layer.IsPlaying(music)) << "the music loops on under the dialog";
}

}  // namespace
}  // namespace vepa::testing
