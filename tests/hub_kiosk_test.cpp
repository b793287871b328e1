// The kiosk's loader and its still and moving objects: entry codes, the status display (ticket
// stack, battery bar), the fish in their tank, the flies, the lamp, the snake and the cashier's
// gaze and arms.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/streams.h"
#include "tests/hub_fixture.h"

namespace vepa::testing {
namespace {

class HubKioskTest : public HubFixture {};

// --- Loader.

TEST_F(HubKioskTest, EntryCodesSetTheConversationState) {
  WriteArchive();
  g.NewGame();
  const int expected[] = {0, 14, 3, 10};
  for (int entry = 0; entry <= 3; ++entry) {
    g.SceneNumber = SceneNo(SceneId::Ticket);
    g.LoadScene(SceneId::Kiosk, static_cast<int>(entry));
    EXPECT_EQ(hub->HubState, expected[entry]) << entry;
    EXPECT_TRUE(g.InScene(SceneId::Kiosk));
    EXPECT_EQ(g.FadeMode, 2);
    EXPECT_EQ(g.FadeProgress, 400);
  }
  g.SceneNumber = SceneNo(SceneId::StartMenu);
  g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::NewGame));
  EXPECT_EQ(g.SpeechRecord.Lines[0], "KIB 8") << "the greeting";
  EXPECT_EQ(g.SpeakerName, "kib");
  g.LoadScene(SceneId::Kiosk, 7);
  EXPECT_EQ(hub->HubState, 0) << "an unknown entry code is a plain return";
}

TEST_F(HubKioskTest, ComingBackFromTheLampSceneShowsTheKioskAtOnce) {
  WriteArchive();
  g.NewGame();
  g.SceneNumber = SceneNo(SceneId::Lamp);
  g.FadeMode = 0;
  g.FadeProgress = 0;
  g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::AfterGame));
  EXPECT_EQ(g.FadeMode, 0);
  EXPECT_EQ(g.FadeProgress, 0);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(hub->HubState, 14);
}

TEST_F(HubKioskTest, TheLoaderResetsTheKioskButNotThePlayersProgress) {
  WriteArchive();
  g.NewGame();
  g.Money = 77;
  g.Tickets = 3;
  g.BatteryCharge = 1234;
  g.TicketNumbers[2] = {1, 2, 3, 4, 5, 6};
  g.ClickState = 2;
  g.HandFrame = 1;
  hub->TabletState = 3;
  hub->TabletDrop = 90;
  hub->GazeX = 7;
  g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::Plain));
  EXPECT_EQ(g.Money, 77);
  EXPECT_EQ(g.Tickets, 3);
  EXPECT_EQ(g.BatteryCharge, 1234);
  EXPECT_EQ(g.TicketNumbers[2][5], 6);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  EXPECT_EQ(hub->TabletState, 0);
  EXPECT_EQ(hub->TabletDrop, 0);
  EXPECT_EQ(hub->GazeX, 0);
  EXPECT_EQ(hub->SnakeFrame, 1);
  EXPECT_EQ(hub->LampFrame, 2);
  for (const FishRecord& f : hub->Fish) {
    EXPECT_GE(f.X, 0);
    EXPECT_LT(f.X, 40);
    EXPECT_LT(f.Y, 15);
    EXPECT_EQ(f.Facing, 0);
  }
  for (const FlyRecord& f : hub->Fly) {
    EXPECT_EQ(f.Mode, 0);
    // Waiting beyond one of the screen's edges.
    const bool edgeX = f.X == -20 || f.X == 640;
    const bool edgeY = f.Y == -20 || f.Y == 480;
    EXPECT_TRUE(edgeX || edgeY) << f.X << "," << f.Y;
  }
}

TEST_F(HubKioskTest, AMissingArchiveStopsTheLoader) {
  g.archive.SetDataDir("/nonexistent/vepa4-hub/");
  g.SceneNumber = SceneNo(SceneId::StartMenu);
  g.LoadScene(SceneId::Kiosk, static_cast<int>(HubEntry::Plain));
  EXPECT_EQ(g.FatalError, 1);
  EXPECT_TRUE(g.InScene(SceneId::StartMenu));
}

// --- Status display.

TEST_F(HubKioskTest, TheBatteryBarGrowsWithTheCharge) {
  Enter();
  auto barTop = [&]() {
    int top = -1;
    for (int y = 430; y < 470; ++y) {
      if (Pixel(122, y) == kBarColor && Pixel(123, y) == kBarColor) {
        if (top < 0) top = y;
        EXPECT_NE(Pixel(124, y), kBarColor) << "the bar is two pixels wide";
      }
    }
    if (top >= 0) {
      EXPECT_EQ(Pixel(122, 459), 0) << "the bar ends above row 459";
    }
    return top;
  };
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20)) << "the kiosk uncovered";
  g.BatteryCharge = 16200;  // a new game's charge: trunc(11.5) = 11
  Tick();
  EXPECT_EQ(barTop(), 447);
  g.BatteryCharge = FullBattery;  // trunc(22.99998) = 22
  Tick();
  EXPECT_EQ(barTop(), 436);
  g.BatteryCharge = 1;
  Tick();
  EXPECT_EQ(barTop(), 458) << "any charge shows one row";
  EXPECT_NE(Pixel(452, 384), kForSaleColor);
  g.BatteryCharge = 0;
  Tick();
  EXPECT_EQ(barTop(), -1);
  EXPECT_EQ(Pixel(452, 384), kForSaleColor) << "an empty battery puts a new one on sale";
}

// --- Fish.

class HubFishTest : public HubFixture {
 protected:
  void SetUp() override { Enter(); }
  // One step of the fish with no swimming (mid-turn facing), so only the walls act.
  FishRecord StepStill(double x, double y, int depth) {
    FishRecord& f = hub->Fish[0];
    f = FishRecord{};
    f.Facing = 1;
    f.X = x;
    f.Y = y;
    f.Depth = depth;
    g.FrameToggle = 1;
    hub->DrawKioskSecondGroup();
    return f;
  }
};

TEST_F(HubFishTest, TheTankWallsStopTheFishAndBringItToTheMiddleDepth) {
  FishRecord f = StepStill(-5, 10, 3);
  EXPECT_EQ(f.X, 0);
  EXPECT_EQ(f.Depth, 2);
  f = StepStill(45, 10, 1);
  EXPECT_EQ(f.X, 40);
  EXPECT_EQ(f.Depth, 0);
  // The sloping corner at the bottom right: at Y 20 the glass stands at X 33.
  f = StepStill(39, 20, 4);
  EXPECT_DOUBLE_EQ(f.X, 33);
  EXPECT_EQ(f.Depth, 3);
  // Higher up there is no slope.
  f = StepStill(39, 10, 4);
  EXPECT_EQ(f.X, 39);
  EXPECT_EQ(f.Depth, 4);
  f = StepStill(20, -3, 2);
  EXPECT_EQ(f.Y, 0);
  EXPECT_EQ(f.Depth, 2) << "top and bottom do not change the depth";
}

TEST_F(HubFishTest, AFlipTurnsThroughTheMidFrameInPlaceOnEverySecondFrame) {
  FishRecord& f = hub->Fish[0];
  f = FishRecord{};
  f.X = 10;
  f.Y = 5;
  f.Depth = 2;
  f.Mode = 3;
  std::vector<int> facings;
  for (int frame = 0; frame < 8 && f.Mode == 3; ++frame) {
    g.FrameToggle = static_cast<uint8_t>(frame % 2);
    hub->DrawKioskSecondGroup();
    facings.push_back(f.Facing);
    EXPECT_EQ(f.X, 10);
    EXPECT_EQ(f.Y, 5);
    EXPECT_GE(f.Depth, 0);
    EXPECT_LE(f.Depth, 4);
  }
  EXPECT_EQ(facings, (std::vector<int>{0, 1, 1, 2, 2, 2}));
  EXPECT_EQ(f.Mode, 0);
}

TEST_F(HubFishTest, FishStayInTheirTankForAnyRun) {
  for (int frame = 0; frame < 5000; ++frame) {
    g.FrameToggle = static_cast<uint8_t>(frame % 2);
    hub->DrawKioskSecondGroup();
    for (const FishRecord& f : hub->Fish) {
      ASSERT_GE(f.X, 0);
      ASSERT_LE(f.X, 40);
      ASSERT_GE(f.Y, 0);
      ASSERT_LE(f.Y, 20);
      ASSERT_GE(f.Depth, 0);
      ASSERT_LE(f.Depth, 4);
      ASSERT_LE(f.Speed, 3.2);
      ASSERT_GE(f.Facing, 0);
      ASSERT_LE(f.Facing, 2);
    }
  }
}

// --- Flies.

class HubFlyTest : public HubFixture {
 protected:
  void SetUp() override { Enter(); }
  void Place(int i, int mode, double x, double y, int target) {
    FlyRecord& f = hub->Fly[i];
    f.Mode = mode;
    f.X = x;
    f.Y = y;
    f.TargetIndex = target;
    if (target < 5) {
      f.TargetX = HubScene::FlyTarget[target][0];
      f.TargetY = HubScene::FlyTarget[target][1];
    }
    f.Speed = 0;
  }
};

TEST_F(HubFlyTest, AFlickeringLampSendsEveryLandedFlyOff) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    g.rng.Seed = seed;
    // Landed a little off their points (they shuffle), so that a new choice of the same
    // point cannot land them again on the spot.
    Place(0, 3, 95 + 12, 400, 0);
    Place(1, 3, 590 - 12, 305, 2);
    hub->LampFlicker = 3;
    hub->DrawFlies();
    for (const FlyRecord& f : hub->Fly) {
      ASSERT_NE(f.Mode, 3) << "seed " << seed;
      if (f.Mode == 1 && f.TargetIndex < 5) {
        EXPECT_EQ(f.TargetX, HubScene::FlyTarget[f.TargetIndex][0]);
        EXPECT_EQ(f.TargetY, HubScene::FlyTarget[f.TargetIndex][1]);
      }
    }
  }
}

TEST_F(HubFlyTest, TheMovingSignAndTheGesturingArmScareFliesToo) {
  int scaredBySign = 0, scaredByArm = 0, stayedAwayFromArm = 0;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    g.rng.Seed = seed;
    Place(0, 3, 95 + 12, 400, 0);
    Place(1, 3, 290 + 12, 380, 3);  // near the cashier
    hub->LampFlicker = 0;
    hub->TabletState = 2;
    hub->DrawFlies();
    scaredBySign += hub->Fly[0].Mode != 3 && hub->Fly[1].Mode != 3;
    g.rng.Seed = seed;
    Place(0, 3, 95 + 12, 400, 0);
    Place(1, 3, 290 + 12, 380, 3);
    hub->TabletState = 0;
    hub->Arm[0].Mode = 1;
    hub->DrawFlies();
    scaredByArm += hub->Fly[1].Mode != 3;
    stayedAwayFromArm += hub->Fly[0].Mode == 3;
    hub->Arm[0].Mode = 0;
  }
  EXPECT_EQ(scaredBySign, 200);
  EXPECT_EQ(scaredByArm, 200);
  // The fly far from the cashier only takes off by its own whim now and then.
  EXPECT_GT(stayedAwayFromArm, 180);
}

TEST_F(HubFlyTest, AWanderingFlyLandsOnlyNearALandingPoint) {
  int landedNear = 0;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    g.rng.Seed = seed;
    hub->LampFlicker = 0;
    Place(0, 2, 325, 128, 1);  // within 10 pixels of the lamp's point
    Place(1, 2, 200, 200, 1);  // far from it
    hub->DrawFlies();
    landedNear += hub->Fly[0].Mode == 3;
    ASSERT_NE(hub->Fly[1].Mode, 3) << "seed " << seed;
  }
  // One chance in three, less the times it leaves or changes its mind first.
  EXPECT_GT(landedNear, 40);
  EXPECT_LT(landedNear, 100);
}

TEST_F(HubFlyTest, AFlyFollowingTheOtherNeverLands) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    g.rng.Seed = seed;
    Place(0, 2, 300, 300, 5);
    hub->Fly[0].TargetX = 300;
    hub->Fly[0].TargetY = 300;
    Place(1, 0, -20, -20, 0);
    hub->DrawFlies();
    ASSERT_NE(hub->Fly[0].Mode, 3) << "seed " << seed;
  }
}

TEST_F(HubFlyTest, ALeavingFlyOffTheScreenIsGone) {
  Place(0, 4, -60, 200, 0);
  hub->Fly[0].TargetX = -100;
  hub->DrawFlies();
  EXPECT_EQ(hub->Fly[0].Mode, 0);
}

TEST_F(HubFlyTest, FliesArriveOnlyWhenNoTransitionRuns) {
  Place(0, 0, -20, 100, 0);
  Place(1, 0, 640, 100, 0);
  g.FadeMode = 2;
  for (int i = 0; i < 3000; ++i) hub->DrawFlies();
  EXPECT_EQ(hub->Fly[0].Mode, 0);
  EXPECT_EQ(hub->Fly[1].Mode, 0);
  g.FadeMode = 0;
  bool arrived = false;
  for (int i = 0; i < 5000 && !arrived; ++i) {
    hub->DrawFlies();
    arrived = hub->Fly[0].Mode > 0 || hub->Fly[1].Mode > 0;
  }
  EXPECT_TRUE(arrived);
}

// With sound: the buzz follows the fly.
class HubFlySoundTest : public HubFixture {
 protected:
  HubFlySoundTest() : HubFixture(true) {
    std::vector<WaveListItem> waves;
    for (const char* n : {"Muha01", "Muha02"}) {
      waves.push_back({n, true, EncodeRiffWave(std::vector<int16_t>(2000, 500), 11025)});
    }
    extra.push_back({"w_ksk01", EncodeWaveList(waves), false});
  }
};

TEST_F(HubFlySoundTest, ALandedFlyStopsBuzzingAndAFlyingOneBuzzes) {
  Enter();
  Wave* buzz = layer.FindWave(2, "Muha01");
  ASSERT_NE(buzz, nullptr);
  FlyRecord& f = hub->Fly[0];
  int landedQuiet = 0, landedFrames = 0, flyingLoud = 0, flyingFrames = 0;
  g.FadeMode = 0;
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    g.rng.Seed = seed;
    f.Mode = 3;
    f.X = 95;
    f.Y = 400;
    f.TargetIndex = 0;
    layer.Play(buzz, true);
    hub->DrawFlies();
    if (f.Mode == 3) {
      ++landedFrames;
      landedQuiet += !layer.IsPlaying(buzz);
    }
    f.Mode = 1;
    f.TargetIndex = 1;
    layer.Stop(buzz);
    hub->DrawFlies();
    if (f.Mode == 1 || f.Mode == 2) {
      ++flyingFrames;
      flyingLoud += layer.IsPlaying(buzz);
    }
  }
  EXPECT_GT(landedFrames, 80);
  EXPECT_EQ(landedQuiet, landedFrames);
  EXPECT_GT(flyingFrames, 80);
  EXPECT_EQ(flyingLoud, flyingFrames);
  // While a transition covers the screen the fly is silent.
  f.Mode = 1;
  layer.Play(buzz, true);
  g.FadeMode = 1;
  hub->DrawFlies();
  EXPECT_FALSE(layer.IsPlaying(buzz));
}

// --- Lamp, snake and the cashier.

TEST_F(HubKioskTest, TheLampFlickersFiveTimesAndSettlesOnItsNormalLight) {
  Enter();
  hub->LampFlicker = 5;
  hub->LampFrame = 2;
  hub->LampPhase = 0;
  std::vector<int> frames;
  for (int frame = 0; frame < 200 && hub->LampFlicker > 0; ++frame) {
    g.FrameToggle = static_cast<uint8_t>(frame % 2);
    hub->DrawKioskFirstGroup();
    if (g.FrameToggle == 1) frames.push_back(hub->LampFrame);
  }
  EXPECT_EQ(hub->LampFlicker, 0);
  EXPECT_EQ(hub->LampFrame, 2);
  EXPECT_EQ(frames, (std::vector<int>{3, 4, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 4,
                                      3, 2, 1, 0, 0, 1, 2, 3, 4, 4, 3, 2}));
}

TEST_F(HubKioskTest, SnakeTongueAndCashierStayWithinTheirPictures) {
  Enter();
  bool snakeMoved = false, tongueOut = false, gestured = false, raised = false, tapped = false;
  g.SpeechCountdown = 60;
  for (int frame = 0; frame < 20000; ++frame) {
    g.FrameToggle = static_cast<uint8_t>(frame % 2);
    // The cashier talks half of the time.
    hub->HostSpeaking = (frame / 500) % 2;
    hub->DrawKioskFirstGroup();
    hub->DrawHost();
    ASSERT_GE(hub->SnakeFrame, 0);
    ASSERT_LE(hub->SnakeFrame, 3);
    ASSERT_GE(hub->TongueFrame, 0);
    ASSERT_LE(hub->TongueFrame, 2);
    ASSERT_GE(hub->MouthFrame, 0);
    ASSERT_LE(hub->MouthFrame, 4);
    ASSERT_GE(hub->EyelidFrame, 0);
    ASSERT_LE(hub->EyelidFrame, 2);
    ASSERT_LE(std::abs(hub->GazeX), 10);
    ASSERT_LE(std::abs(hub->GazeY), 10);
    for (const ArmRecord& a : hub->Arm) {
      ASSERT_GE(a.Frame, 0);
      ASSERT_LE(a.Frame, 12);
    }
    ASSERT_LE(hub->Arm[0].TapCounter, 3);
    ASSERT_EQ(hub->Arm[0].Mode == 2, hub->Arm[1].Mode == 2) << "both arms share the gesture";
    if (hub->HostSpeaking == 0) {
      ASSERT_EQ(hub->MouthFrame, 0);
    }
    snakeMoved |= hub->SnakeFrame != 1;
    tongueOut |= hub->TongueFrame == 2;
    gestured |= hub->Arm[0].Mode == 1 || hub->Arm[1].Mode == 1;
    raised |= hub->Arm[0].Mode == 2 && hub->Arm[0].Frame == 12;
    tapped |= hub->Arm[0].TapCounter == 3;
  }
  EXPECT_TRUE(snakeMoved);
  EXPECT_TRUE(tongueOut);
  EXPECT_TRUE(gestured);
  EXPECT_TRUE(raised);
  EXPECT_TRUE(tapped);
}

TEST_F(HubKioskTest, ThePupilsFollowAFlyOnlyWhileItIsThere) {
  Enter();
  g.MouseX = 20;  // the pointer far left
  g.MouseY = 200;
  hub->Fly[0].Mode = 2;  // a fly far right
  hub->Fly[0].X = 620;
  hub->Fly[0].Y = 200;
  auto follow = [&](int frames) {
    int right = 0, left = 0;
    for (int i = 0; i < frames; ++i) {
      hub->GazeMode = 10;
      const FlyRecord keep = hub->Fly[0];
      hub->DrawHost();
      hub->Fly[0] = keep;
      right += hub->GazeX >= 8;
      left += hub->GazeX <= -8;
    }
    return std::make_pair(right, left);
  };
  auto [right, left] = follow(40);
  EXPECT_GT(right, 25) << "towards the fly";
  EXPECT_EQ(left, 0);
  hub->Fly[0].Mode = 0;
  std::tie(right, left) = follow(80);
  EXPECT_GT(left, 50) << "the fly is gone: back to the pointer";
}

}  // namespace
}  // namespace vepa::testing
