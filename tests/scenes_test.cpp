// Every built scene of the catalogue: the archive holds what it declares, its loader sets its
// number last and opens with the transition, and a missing archive takes the game back to the
// launcher's error state instead of into the scene.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/scene_catalogue.h"
#include "tests/scene_assets.h"
#include "tests/scene_fixture.h"
#include "tests/temp_dir.h"

namespace vepa::testing {
namespace {

TEST(SceneCatalogue, NamesAndNumbersAreUniqueAndFoundBothWays) {
  std::set<int> numbers;
  std::set<std::string_view> names;
  for (const SceneInfo& s : SceneCatalogue()) {
    EXPECT_TRUE(numbers.insert(s.Number()).second) << int(s.Number());
    EXPECT_TRUE(names.insert(s.Name).second) << s.Name;
    EXPECT_EQ(FindScene(s.Number()), &s);
    EXPECT_EQ(FindScene(s.Name), &s);
  }
  EXPECT_EQ(numbers.size(), 23u);
  EXPECT_EQ(FindScene(3), nullptr);
  EXPECT_EQ(FindScene(101), nullptr);
  EXPECT_EQ(FindScene("nowhere"), nullptr);
}

class EveryScene : public SceneFixture {};

TEST_F(EveryScene, TheFrameLoopRunsExactlyTheBuiltScenes) {
  for (int n = 0; n < 256; ++n) {
    const SceneInfo* info = FindScene(n);
    EXPECT_EQ(g.GetScene(n) != nullptr, info && info->Built()) << n;
  }
}

TEST_F(EveryScene, ArchiveHoldsWhatEachSceneDeclares) {
  for (const SceneInfo& s : SceneCatalogue()) {
    if (!s.Built()) continue;
    SCOPED_TRACE(std::string(s.Name));
    ExpectSceneAssetsInArchive(g, s.Number());
  }
}

TEST_F(EveryScene, LoaderSetsItsNumberAndOpensWithTheTransition) {
  for (const SceneInfo& s : SceneCatalogue()) {
    if (!s.Built()) continue;
    SCOPED_TRACE(std::string(s.Name));
    g.NewGame();
    g.Tickets = 2;
    // Come from another scene, so a loader that forgets to set the number shows.
    g.SceneNumber = SceneNo(s.Id == SceneId::Kiosk ? SceneId::Darts : SceneId::Kiosk);
    g.FadeMode = 0;
    g.FadeProgress = 0;
    g.LoadScene(s.Id, s.UsualArg);
    EXPECT_EQ(g.FatalError, 0);
    EXPECT_EQ(int(g.SceneNumber), s.Number());
    // The publisher logo is the first picture of the game and shows at once; Daz's food game
    // opens inside the table's frame, which has no transition running.
    if (s.Id == SceneId::PublisherLogo || s.Id == SceneId::DazFood) {
      EXPECT_EQ(g.FadeMode, 0);
    } else {
      EXPECT_EQ(g.FadeMode, 2);
      EXPECT_EQ(g.FadeProgress, 400);
    }
    Tick(3);
    EXPECT_EQ(MissingNames(), 0u) << "a name the lists do not hold";
  }
}

TEST_F(EveryScene, MissingArchiveLeavesForTheLauncher) {
  TempDir empty;
  for (const SceneInfo& s : SceneCatalogue()) {
    if (!s.Built()) continue;
    SCOPED_TRACE(std::string(s.Name));
    g.FatalError = 0;
    g.ReturnedToLauncher = false;
    g.archive.SetDataDir(empty.Dir());
    g.SceneNumber = SceneNo(SceneId::Kiosk);
    int returns = 0;
    g.OnReturnToLauncher = [&] { ++returns; };
    g.LoadScene(s.Id, s.UsualArg);
    EXPECT_EQ(g.FatalError, 1);
    Tick();
    EXPECT_TRUE(g.ReturnedToLauncher);
    EXPECT_EQ(g.FullScreenActive, 0);
    EXPECT_EQ(returns, 1);
    Tick();
    EXPECT_EQ(returns, 1) << "the launcher is shown once";
  }
}

}  // namespace
}  // namespace vepa::testing
