// The intro logos over the default archive, and the start-up road through the runner.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/runner.h"
#include "engine/sound.h"
#include "screens/logos.h"
#include "screens_fixture.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

using testing::kEsc;
using testing::ScreensGame;

class PublisherLogoTest : public ::testing::Test {
 protected:
  explicit PublisherLogoTest(bool sound) : s(sound) {
    s.g.LoadScene(PublisherLogoScene::Id);
    logo = static_cast<PublisherLogoScene*>(s.g.GetScene(SceneNo(PublisherLogoScene::Id)));
  }
  ScreensGame s;
  PublisherLogoScene* logo = nullptr;
};

class PublisherLogoSilentTest : public PublisherLogoTest {
 protected:
  PublisherLogoSilentTest() : PublisherLogoTest(false) {}
};

class PublisherLogoSoundTest : public PublisherLogoTest {
 protected:
  PublisherLogoSoundTest() : PublisherLogoTest(true) {}
};

TEST_F(PublisherLogoSilentTest, StartsAtOnceWithoutATransition) {
  EXPECT_EQ(s.g.SceneNumber, 61);
  EXPECT_EQ(s.g.FadeMode, 0);
  s.Tick();
  // Nothing covers the first frame: the eyes already glimmer at the right.
  EXPECT_EQ(s.g.FadeMode, 0);
  EXPECT_EQ(logo->IntroCount, 9);
  EXPECT_EQ(logo->Parts[0].X, 550);
  EXPECT_EQ(logo->Parts[1].Y, 290);
}

TEST_F(PublisherLogoSilentTest, TheHopsFollowTheKeyframesAndWaitForTheBlink) {
  // The tick on which each keyframe is applied. Speed 3 takes 4 ticks, speed 2 five, speed 1
  // ten; keyframe 6 asks for a blink, and keyframe 7 waits until the lid is open again.
  std::vector<int> applied;
  int seen = 0;
  for (int t = 1; t <= 120 && logo->LogoStage < 2; ++t) {
    s.Tick();
    for (; seen < logo->Keyframe; ++seen) applied.push_back(t);
    if (logo->LogoStage == 2 && seen == 11) applied.push_back(t);
  }
  const std::vector<int> expected = {20, 24, 29, 34, 39, 44, 54, 59, 69, 79, 89, 90};
  EXPECT_EQ(applied, expected);
  EXPECT_EQ(logo->LogoStage, 2);
  EXPECT_EQ(logo->Keyframe, 11);
  // The body lands on its last target, straightened and grinning.
  EXPECT_EQ(logo->Parts[0].X, 185);
  EXPECT_EQ(logo->Parts[0].Y, 225);
  EXPECT_EQ(logo->Parts[0].Angle, 0);
  EXPECT_EQ(logo->BodyPattern, 3);
  EXPECT_EQ(logo->Parts[2].X, 200);
  EXPECT_EQ(logo->Parts[2].Y, 285);
  // The back foot's last hop is cut short when the texts begin.
  EXPECT_DOUBLE_EQ(logo->Parts[1].X, 162.5);
  EXPECT_DOUBLE_EQ(logo->Parts[1].Y, 276.5);
}

TEST_F(PublisherLogoSilentTest, TheEyesBlinkDuringTheIntroAndOpenAgain) {
  int maxLid = 0;
  for (int t = 1; t <= 19; ++t) {
    s.Tick();
    maxLid = std::max(maxLid, logo->EyeLid);
    EXPECT_GE(logo->EyeLid, 0);
    EXPECT_LE(logo->EyeLid, 2);
  }
  EXPECT_EQ(maxLid, 2);
  EXPECT_EQ(logo->EyeLid, 0);
}

TEST_F(PublisherLogoSilentTest, WithoutSoundTheTextsAppearOneFrameEverySecondTick) {
  ASSERT_EQ(s.g.SoundAvailable, 0);
  ASSERT_GT(s.TickUntil([&] { return logo->LogoStage == 2; }, 200), 0);
  EXPECT_EQ(logo->Text03Frame, 0);
  EXPECT_LT(logo->TextFade, 6) << "the sign fades in from the first text tick";
  int ticks = 0;
  int last03 = 0;
  while (logo->Text04Frame == 0 && ticks < 100) {
    s.Tick();
    ++ticks;
    EXPECT_LE(logo->Text03Frame - last03, 1);
    last03 = logo->Text03Frame;
  }
  // "Text03" runs through all 18 frames before "Text04" starts.
  EXPECT_EQ(logo->Text03Frame, 18);
  EXPECT_GE(ticks, 36);
  EXPECT_LE(ticks, 39);
  s.Tick(2);
  EXPECT_EQ(logo->Text04Frame, 2);
  EXPECT_EQ(logo->LogoStage, 3);
  EXPECT_EQ(logo->TextFade, 0);
  // The pause counts from the tick the star completed: 90 more ticks pass 90, then one latch
  // tick and five steps of the closing transition, and the maker logo loads on the next.
  const int toMaker = s.TickUntil([&] { return s.g.SceneNumber == 60; }, 200);
  EXPECT_EQ(toMaker, 90 + 6);
  EXPECT_EQ(s.g.FadeMode, 2) << "the maker logo opens with the normal transition";
}

TEST_F(PublisherLogoSoundTest, TheTextsFollowTheJinglesPlayPosition) {
  ASSERT_EQ(s.g.SoundAvailable, 1);
  ASSERT_GT(s.TickUntil([&] { return logo->LogoStage == 2; }, 200), 0);
  Wave* speech = s.Speech();
  ASSERT_TRUE(s.layer.IsPlaying(speech)) << "the jingle must still play when the texts start";
  // Hold the position (the test moves sound time itself from here on).
  auto runAt = [&](uint32_t position, int ticks) {
    s.layer.SetPosition(speech, position);
    for (int i = 0; i < ticks; ++i) s.g.Tick();
  };
  const int text03 = logo->Text03Frame, text04 = logo->Text04Frame;
  runAt(100000, 10);
  EXPECT_EQ(logo->Text03Frame, text03) << "before its beat the ribbon waits";
  EXPECT_EQ(logo->Text04Frame, text04);
  runAt(150000, 10);
  EXPECT_EQ(logo->Text03Frame, text03 + 5);
  EXPECT_EQ(logo->Text04Frame, text04) << "the star waits for its own beat";
  EXPECT_EQ(logo->LogoStage, 2);
  runAt(230000, 2);
  EXPECT_EQ(logo->Text04Frame, text04 + 1);
  // Once the jingle is over (position 0), everything runs on.
  StopSpeech(s.g);
  s.layer.SetPosition(speech, 0);
  for (int i = 0; i < 30; ++i) s.g.Tick();
  EXPECT_EQ(logo->Text03Frame, 18);
  EXPECT_EQ(logo->Text04Frame, 2);
  EXPECT_EQ(logo->LogoStage, 3);
}

TEST_F(PublisherLogoSoundTest, TheDefaultJingleLightsTheStarAfterTheRibbonStarted) {
  ASSERT_GT(s.TickUntil([&] { return logo->Text04Frame > 0; }, 300), 0);
  // The jingle is long enough that the star waits for its beat at 220000 bytes.
  EXPECT_GT(logo->Text03Frame, 2);
  EXPECT_LT(logo->Text03Frame, 18);
  EXPECT_TRUE(s.layer.IsPlaying(s.Speech()));
  EXPECT_GT(s.layer.GetPosition(s.Speech()), 220000u);
}

TEST_F(PublisherLogoSoundTest, EscLeavesForTheMakerLogoAndItsJingle) {
  s.Tick(12);
  ASSERT_TRUE(s.layer.IsPlaying(s.Speech()));
  const size_t publisherJingle = s.Speech()->Buffer.Data.size();
  s.Key(kEsc, true);
  s.Tick();
  EXPECT_EQ(s.g.FadeMode, 1);
  ASSERT_GT(s.TickUntil([&] { return s.g.SceneNumber == 60; }, 10), 0);
  // The maker's own jingle has replaced the publisher's; Esc is still held.
  EXPECT_NE(s.Speech()->Buffer.Data.size(), publisherJingle);
  EXPECT_TRUE(s.layer.IsPlaying(s.Speech()));
  auto* maker = static_cast<MakerLogoScene*>(s.g.GetScene(60));
  EXPECT_EQ(maker->SkipState, 1);
  s.Key(kEsc, false);
}

// --- Maker logo.

class MakerLogoTest : public ::testing::Test {
 protected:
  MakerLogoTest() : s(false) {}
  void Load() {
    s.g.LoadScene(MakerLogoScene::Id);
    logo = static_cast<MakerLogoScene*>(s.g.GetScene(SceneNo(MakerLogoScene::Id)));
  }
  // A seed whose first draw of Random(10) is `want`.
  static uint32_t SeedFor(int want) {
    for (uint32_t seed = 1;; ++seed) {
      RandomGenerator r;
      r.Seed = seed;
      if (r.Random(10) == want) return seed;
    }
  }
  ScreensGame s;
  MakerLogoScene* logo = nullptr;
};

TEST_F(MakerLogoTest, BuildsUpThenIdlesAndLeavesForTheStartMenu) {
  s.g.rng.Seed = SeedFor(0);
  Load();
  EXPECT_EQ(logo->TalkVariant, 0);
  EXPECT_EQ(s.g.FadeMode, 2);
  EXPECT_EQ(s.g.FadeProgress, 400);
  const int wait = s.TickUntil([&] { return logo->LogoPhase == 1; }, 100);
  EXPECT_EQ(wait, 16);
  EXPECT_EQ(logo->BuildFrame, 0);
  int frames = 0, last = 0;
  const int build = s.TickUntil(
      [&] {
        if (logo->BuildFrame != last) ++frames;
        EXPECT_LE(logo->BuildFrame - last, 1);
        last = logo->BuildFrame;
        return logo->LogoPhase == 2;
      },
      100);
  EXPECT_EQ(frames, 13);
  EXPECT_EQ(logo->BuildFrame, 13);
  EXPECT_GE(build, 25);
  EXPECT_LE(build, 26);
  // Idle: the eyes may blink, the mouth stays shut.
  const int idle = s.TickUntil(
      [&] {
        EXPECT_GE(logo->LogoEyeFrame, 0);
        EXPECT_LE(logo->LogoEyeFrame, 2);
        EXPECT_EQ(logo->LogoMouthFrame, 0);
        return s.g.SceneNumber == 84;
      },
      300);
  // LogoTicks already counted the tick the build-up ended on (17) and must pass 150: 134 more
  // ticks; then the six ticks of the closing transition.
  EXPECT_EQ(idle, 151 - 17 + 6);
}

TEST_F(MakerLogoTest, TheTalkingVariantOpensTheMouthOnceTheFaceHasOne) {
  s.g.rng.Seed = SeedFor(1);
  Load();
  EXPECT_EQ(logo->TalkVariant, 1);
  s.Tick();
  EXPECT_EQ(logo->TalkVariant, 0);
  EXPECT_EQ(logo->MouthOpening, 1);
  std::vector<int> mouth;
  for (int t = 0; t < 60; ++t) {
    s.Tick();
    if (logo->BuildFrame <= 8) {
      EXPECT_EQ(logo->LogoMouthFrame, 0) << "no mouth before build-up picture 9";
    }
    if (mouth.empty() || mouth.back() != logo->LogoMouthFrame)
      mouth.push_back(logo->LogoMouthFrame);
  }
  const std::vector<int> expected = {0, 1, 2, 3, 2, 1, 0};
  EXPECT_EQ(mouth, expected);
  EXPECT_EQ(logo->MouthOpening, 0);
}

TEST_F(MakerLogoTest, AnEscHeldFromTheFirstLogoMustBeLetGoFirst) {
  s.Key(kEsc, true);
  s.Tick();  // the snapshot the loader reads
  Load();
  EXPECT_EQ(logo->SkipState, 1);
  s.Tick(60);
  EXPECT_EQ(logo->SkipState, 1);
  EXPECT_EQ(s.g.SceneNumber, 60);
  EXPECT_EQ(s.g.FadeMode, 0);
  s.Key(kEsc, false);
  s.Tick();
  EXPECT_EQ(logo->SkipState, 0);
  s.Key(kEsc, true);
  s.Tick();
  EXPECT_EQ(logo->SkipState, 2);
  EXPECT_EQ(s.g.FadeMode, 1);
  EXPECT_GT(s.TickUntil([&] { return s.g.SceneNumber == 84; }, 10), 0);
  s.Key(kEsc, false);
}

TEST_F(MakerLogoTest, AnEscPressedDuringTheOpeningWaitsForIt) {
  Load();
  s.Key(kEsc, true);
  s.Tick();
  s.Key(kEsc, false);
  EXPECT_EQ(logo->SkipState, 2);
  EXPECT_EQ(s.g.FadeMode, 2) << "the screen is still opening";
  // The skip is remembered: the logo leaves as soon as it is fully shown.
  EXPECT_GT(s.TickUntil([&] { return s.g.SceneNumber == 84; }, 20), 0);
}

// --- The start-up road through the runner.

int JsonInt(const std::string& json, const std::string& name) {
  std::smatch m;
  if (!std::regex_search(json, m, std::regex("\"" + name + "\":(-?[0-9]+)"))) return -999;
  return std::stoi(m[1]);
}

RunnerOptions StartUp(int ticks) {
  RunnerOptions o;
  o.DataDir = VEPA_DATA_DIR;
  o.Seed = 5;
  o.Ticks = ticks;
  return o;
}

void PressEsc(RunnerOptions& o, int tick) {
  o.Script.push_back({tick, ScriptEvent::KeyDown, 0, 0, 0, kEsc});
  o.Script.push_back({tick + 1, ScriptEvent::KeyUp, 0, 0, 0, kEsc});
}

TEST(StartUpRoadTest, WithoutInputTheLogosLeadToTheStartMenu) {
  RunnerResult r = RunHeadless(StartUp(450));
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), 84);
  EXPECT_EQ(JsonInt(r.Json, "MissingNameCount"), 0) << r.Json;
  // Still the logos a little earlier: the publisher about 10, the maker about 9 seconds.
  RunnerResult early = RunHeadless(StartUp(360));
  EXPECT_EQ(JsonInt(early.Json, "SceneNumber"), 60);
}

TEST(StartUpRoadTest, EscPressesSkipBothLogos) {
  RunnerOptions o = StartUp(40);
  PressEsc(o, 5);
  PressEsc(o, 20);
  RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), 84);
  EXPECT_EQ(JsonInt(r.Json, "MissingNameCount"), 0) << r.Json;
}

TEST(StartUpRoadTest, AHeldEscSkipsOnlyTheFirstLogo) {
  RunnerOptions o = StartUp(150);
  o.Script.push_back({5, ScriptEvent::KeyDown, 0, 0, 0, kEsc});
  RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), 60);
  EXPECT_EQ(JsonInt(r.Json, "SkipState"), 1);
}

TEST(StartUpRoadTest, WithoutSoundTheRoadIsTheSame) {
  RunnerOptions o = StartUp(450);
  o.NoSound = true;
  RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), 84);
  EXPECT_EQ(JsonInt(r.Json, "SoundAvailable"), 0);
}

}  // namespace
}  // namespace vepa
