// The intro logos over the default archive, and the start-up road through the runner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "app/runner.h"
#include "engine/sound.h"
#include "screens/logos.h"
#include "tests/scene_fixture.h"
#include "tests/test_paths.h"

namespace vepa {
namespace {

class PublisherLogoTest : public testing::SceneFixture {
 protected:
  explicit PublisherLogoTest(bool sound) : SceneFixture(sound, 1, false) {}
  void SetUp() override {
    SceneFixture::SetUp();
    Enter(PublisherLogoScene::Id);
    logo = static_cast<PublisherLogoScene*>(g.GetScene(SceneNo(PublisherLogoScene::Id)));
  }
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
  EXPECT_TRUE(g.InScene(SceneId::PublisherLogo));
  EXPECT_EQ(g.FadeMode, 0);
  Tick();
  // Nothing covers the first frame: the eyes already glimmer at the right.
  EXPECT_EQ(g.FadeMode, 0);
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
    Tick();
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
    Tick();
    maxLid = std::max(maxLid, logo->EyeLid);
    EXPECT_GE(logo->EyeLid, 0);
    EXPECT_LE(logo->EyeLid, 2);
  }
  EXPECT_EQ(maxLid, 2);
  EXPECT_EQ(logo->EyeLid, 0);
}

TEST_F(PublisherLogoSilentTest, WithoutSoundTheTextsAppearOneFrameEverySecondTick) {
  ASSERT_EQ(g.SoundAvailable, 0);
  ASSERT_GT(TicksUntil([&] { return logo->LogoStage == 2; }, 200), 0);
  EXPECT_EQ(logo->Text03Frame, 0);
  EXPECT_LT(logo->TextFade, 6) << "the sign fades in from the first text tick";
  int ticks = 0;
  int last03 = 0;
  while (logo->Text04Frame == 0 && ticks < 100) {
    Tick();
    ++ticks;
    EXPECT_LE(logo->Text03Frame - last03, 1);
    last03 = logo->Text03Frame;
  }
  // "Text03" runs through all 18 frames before "Text04" starts.
  EXPECT_EQ(logo->Text03Frame, 18);
  EXPECT_GE(ticks, 36);
  EXPECT_LE(ticks, 39);
  Tick(2);
  EXPECT_EQ(logo->Text04Frame, 2);
  EXPECT_EQ(logo->LogoStage, 3);
  EXPECT_EQ(logo->TextFade, 0);
  // The pause counts from the tick the star completed: 90 more ticks pass 90, then one latch
  // tick and five steps of the closing transition, and the maker logo loads on the next.
  const int toMaker = TicksUntil([&] { return g.InScene(SceneId::MakerLogo); }, 200);
  EXPECT_EQ(toMaker, 90 + 6);
  EXPECT_EQ(g.FadeMode, 2) << "the maker logo opens with the normal transition";
}

TEST_F(PublisherLogoSoundTest, TheTextsFollowTheJinglesPlayPosition) {
  ASSERT_EQ(g.SoundAvailable, 1);
  ASSERT_GT(TicksUntil([&] { return logo->LogoStage == 2; }, 200), 0);
  Wave* speech = SpeechWave();
  ASSERT_TRUE(layer.IsPlaying(speech)) << "the jingle must still play when the texts start";
  // Hold the position (the test moves sound time itself from here on).
  auto runAt = [&](uint32_t position, int ticks) {
    layer.SetPosition(speech, position);
    for (int i = 0; i < ticks; ++i) g.Tick();
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
  StopSpeech(g);
  layer.SetPosition(speech, 0);
  for (int i = 0; i < 30; ++i) g.Tick();
  EXPECT_EQ(logo->Text03Frame, 18);
  EXPECT_EQ(logo->Text04Frame, 2);
  EXPECT_EQ(logo->LogoStage, 3);
}

TEST_F(PublisherLogoSoundTest, TheDefaultJingleLightsTheStarAfterTheRibbonStarted) {
  ASSERT_GT(TicksUntil([&] { return logo->Text04Frame > 0; }, 300), 0);
  // The jingle is long enough that the star waits for its beat at 220000 bytes.
  EXPECT_GT(logo->Text03Frame, 2);
  EXPECT_LT(logo->Text03Frame, 18);
  EXPECT_TRUE(layer.IsPlaying(SpeechWave()));
  EXPECT_GT(layer.GetPosition(SpeechWave()), 220000u);
}

TEST_F(PublisherLogoSoundTest, EscLeavesForTheMakerLogoAndItsJingle) {
  Tick(12);
  ASSERT_TRUE(layer.IsPlaying(SpeechWave()));
  const size_t publisherJingle = SpeechWave()->Buffer.Data.size();
  KeyDown(key::Esc);
  Tick();
  EXPECT_EQ(g.FadeMode, 1);
  ASSERT_GT(TicksUntil([&] { return g.InScene(SceneId::MakerLogo); }, 10), 0);
  // The maker's own jingle has replaced the publisher's; Esc is still held.
  EXPECT_NE(SpeechWave()->Buffer.Data.size(), publisherJingle);
  EXPECT_TRUE(layer.IsPlaying(SpeechWave()));
  auto* maker = static_cast<MakerLogoScene*>(g.GetScene(SceneNo(SceneId::MakerLogo)));
  EXPECT_EQ(maker->SkipState, 1);
  KeyUp(key::Esc);
}

// --- Maker logo.

class MakerLogoTest : public testing::SceneFixture {
 protected:
  MakerLogoTest() : SceneFixture(false, 1, false) {}
  void Load() {
    g.LoadScene(MakerLogoScene::Id);
    logo = static_cast<MakerLogoScene*>(g.GetScene(SceneNo(MakerLogoScene::Id)));
  }
  // A seed whose first draw of Random(10) is `want`.
  static uint32_t SeedFor(int want) {
    for (uint32_t seed = 1;; ++seed) {
      RandomGenerator r;
      r.Seed = seed;
      if (r.Random(10) == want) return seed;
    }
  }
  MakerLogoScene* logo = nullptr;
};

TEST_F(MakerLogoTest, BuildsUpThenIdlesAndLeavesForTheStartMenu) {
  g.rng.Seed = SeedFor(0);
  Load();
  EXPECT_EQ(logo->TalkVariant, 0);
  EXPECT_EQ(g.FadeMode, 2);
  EXPECT_EQ(g.FadeProgress, 400);
  const int wait = TicksUntil([&] { return logo->LogoPhase == 1; }, 100);
  EXPECT_EQ(wait, 16);
  EXPECT_EQ(logo->BuildFrame, 0);
  int frames = 0, last = 0;
  const int build = TicksUntil(
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
  const int idle = TicksUntil(
      [&] {
        EXPECT_GE(logo->LogoEyeFrame, 0);
        EXPECT_LE(logo->LogoEyeFrame, 2);
        EXPECT_EQ(logo->LogoMouthFrame, 0);
        return g.InScene(SceneId::StartMenu);
      },
      300);
  // LogoTicks already counted the tick the build-up ended on (17) and must pass 150: 134 more
  // ticks; then the six ticks of the closing transition.
  EXPECT_EQ(idle, 151 - 17 + 6);
}

TEST_F(MakerLogoTest, TheTalkingVariantOpensTheMouthOnceTheFaceHasOne) {
  g.rng.Seed = SeedFor(1);
  Load();
  EXPECT_EQ(logo->TalkVariant, 1);
  Tick();
  EXPECT_EQ(logo->TalkVariant, 0);
  EXPECT_EQ(logo->MouthOpening, 1);
  std::vector<int> mouth;
  for (int t = 0; t < 60; ++t) {
    Tick();
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
  KeyDown(key::Esc);
  Tick();  // the snapshot the loader reads
  Load();
  EXPECT_EQ(logo->SkipState, 1);
  Tick(60);
  EXPECT_EQ(logo->SkipState, 1);
  EXPECT_TRUE(g.InScene(SceneId::MakerLogo));
  EXPECT_EQ(g.FadeMode, 0);
  KeyUp(key::Esc);
  Tick();
  EXPECT_EQ(logo->SkipState, 0);
  KeyDown(key::Esc);
  Tick();
  EXPECT_EQ(logo->SkipState, 2);
  EXPECT_EQ(g.FadeMode, 1);
  EXPECT_GT(TicksUntil([&] { return g.InScene(SceneId::StartMenu); }, 10), 0);
  KeyUp(key::Esc);
}

TEST_F(MakerLogoTest, AnEscPressedDuringTheOpeningWaitsForIt) {
  Load();
  KeyDown(key::Esc);
  Tick();
  KeyUp(key::Esc);
  EXPECT_EQ(logo->SkipState, 2);
  EXPECT_EQ(g.FadeMode, 2) << "the screen is still opening";
  // The skip is remembered: the logo leaves as soon as it is fully shown.
  EXPECT_GT(TicksUntil([&] { return g.InScene(SceneId::StartMenu); }, 20), 0);
}

// --- The start-up road through the runner.

using testing::JsonInt;

RunnerOptions StartUp(int ticks) {
  RunnerOptions o;
  o.DataDir = VEPA_DATA_DIR;
  o.Seed = 5;
  o.Ticks = ticks;
  return o;
}

void PressEsc(RunnerOptions& o, int tick) {
  o.Script.push_back({tick, ScriptEvent::KeyDown, 0, 0, 0, key::Esc});
  o.Script.push_back({tick + 1, ScriptEvent::KeyUp, 0, 0, 0, key::Esc});
}

TEST(StartUpRoadTest, WithoutInputTheLogosLeadToTheStartMenu) {
  RunnerResult r = RunHeadless(StartUp(450));
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), SceneNo(SceneId::StartMenu));
  EXPECT_EQ(JsonInt(r.Json, "MissingNameCount"), 0) << r.Json;
  // Still the logos a little earlier: the publisher about 10, the maker about 9 seconds.
  RunnerResult early = RunHeadless(StartUp(360));
  EXPECT_EQ(JsonInt(early.Json, "SceneNumber"), SceneNo(SceneId::MakerLogo));
}

TEST(StartUpRoadTest, EscPressesSkipBothLogos) {
  RunnerOptions o = StartUp(40);
  PressEsc(o, 5);
  PressEsc(o, 20);
  RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), SceneNo(SceneId::StartMenu));
  EXPECT_EQ(JsonInt(r.Json, "MissingNameCount"), 0) << r.Json;
}

TEST(StartUpRoadTest, AHeldEscSkipsOnlyTheFirstLogo) {
  RunnerOptions o = StartUp(150);
  o.Script.push_back({5, ScriptEvent::KeyDown, 0, 0, 0, key::Esc});
  RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), SceneNo(SceneId::MakerLogo));
  EXPECT_EQ(JsonInt(r.Json, "SkipState"), 1);
}

TEST(StartUpRoadTest, WithoutSoundTheRoadIsTheSame) {
  RunnerOptions o = StartUp(450);
  o.NoSound = true;
  RunnerResult r = RunHeadless(o);
  ASSERT_EQ(r.ExitCode, 0) << r.Error;
  EXPECT_EQ(JsonInt(r.Json, "SceneNumber"), SceneNo(SceneId::StartMenu));
  EXPECT_EQ(JsonInt(r.Json, "SoundAvailable"), 0);
}

}  // namespace
}  // namespace vepa
