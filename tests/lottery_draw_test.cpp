// The lottery draw over the default archive: the drum's spin and the six numbers, the balls
// rolling onto the shelf, the applause, the announcer with his clip and bubble, the nodding
// heads, Esc, and the way back to the kiosk's ticket check, with and without sound.
#include <algorithm>
#include <set>

#include "engine/sound.h"
#include "engine/text.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

class DrawTest : public SceneFixture {
 protected:
  explicit DrawTest(bool sound = false) : SceneFixture(sound) {}

  void Enter() {
    g.SceneNumber = SceneNo(SceneId::Kiosk);
    SceneFixture::Enter(SceneId::Draw);
  }
  long long Phase() const { return State("Phase"); }
  bool DrumTimerAbove(int n) const { return State("DrumTimer") > n; }
  // Ticks until the announcer phase starts.
  void RunToAnnouncer() {
    ASSERT_TRUE(TickUntil([&] { return Phase() == 2; }, 200));
  }
};

class SoundDrawTest : public DrawTest {
 protected:
  SoundDrawTest() : DrawTest(true) {}
  bool Playing(const char* wave) { return layer.IsPlaying(layer.FindWave(2, wave)); }
};

void ExpectSixDifferentNumbers(const std::array<uint8_t, 6>& d) {
  const std::set<int> seen(d.begin(), d.end());
  EXPECT_EQ(seen.size(), 6u) << "the six numbers differ";
  for (uint8_t n : d) {
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 36);
  }
}

// ---------------------------------------------------------------------------------------------
// Loader and drum.

TEST_F(DrawTest, TheLoaderResetsTheBroadcast) {
  g.DrawnNumbers = {1, 2, 3, 4, 5, 6};
  g.SpeechRecord.Price = 2;
  g.ExitMenuState = 2;
  Enter();
  EXPECT_EQ(g.DrawnNumbers, (std::array<uint8_t, 6>{}));
  EXPECT_EQ(g.GameStake, 2);
  EXPECT_EQ(g.ExitMenuState, 0);
  EXPECT_EQ(g.FadeMode, 2);
  EXPECT_EQ(g.FadeProgress, 400);
  EXPECT_EQ(Phase(), 0);
  EXPECT_EQ(State("BallsOut"), 0);
  EXPECT_EQ(StateArray("HeadPattern"), (std::vector<long long>{2, 2}));
  EXPECT_EQ(StateArray("HeadOffset"), (std::vector<long long>{0, 0}));
  EXPECT_EQ(StateArray("HeadDirection"), (std::vector<long long>{0, 1}));
  EXPECT_EQ(State("AnnouncerY"), 390);
}

TEST_F(DrawTest, TheDrumSpinsFiftyOneFramesThenSixDifferentNumbersAreDrawn) {
  Enter();
  for (int t = 1; t <= 50; ++t) {
    Tick();
    ASSERT_EQ(Phase(), 0) << "frame " << t;
    EXPECT_EQ(State("DrumTimer"), t);
    const auto heads = StateArray("HeadPattern");
    EXPECT_EQ(heads[0], std::max(0, 2 - std::max(0, t - 35)));
    EXPECT_EQ(heads[1], std::max(0, 2 - std::max(0, t - 40)));
    EXPECT_LE(State("DrumFrame"), 3);
    EXPECT_EQ(g.DrawnNumbers[0], 0) << "nothing drawn while the drum spins";
  }
  Tick();
  EXPECT_EQ(Phase(), 1);
  EXPECT_EQ(State("DrumFrame"), 4) << "the drum stands still";
  ExpectSixDifferentNumbers(g.DrawnNumbers);
  EXPECT_EQ(State("BallsOut"), 1);
  EXPECT_EQ(StateArray("BallX")[0], 335);
  // The balls' step runs in the same frame: the first ball has already dropped once, the
  // clap and the applause have begun.
  EXPECT_EQ(StateArray("BallY")[0], 308);
  EXPECT_EQ(State("ClapFrame"), 2);
  EXPECT_EQ(State("ApplauseTimer"), 79);
}

TEST_F(DrawTest, TheDrumTurnsOnEverySecondFrame) {
  Enter();
  std::vector<long long> frames{State("DrumFrame")};
  for (int t = 0; t < 12; ++t) {
    Tick();
    frames.push_back(State("DrumFrame"));
  }
  int changes = 0;
  for (size_t i = 1; i < frames.size(); ++i) {
    if (frames[i] != frames[i - 1]) {
      ++changes;
      EXPECT_EQ(frames[i], (frames[i - 1] + 1) % 4);
    }
  }
  EXPECT_EQ(changes, 6);
}

TEST_F(DrawTest, ManySeedsAlwaysGiveSixDifferentNumbersOfOneToThirtySix) {
  std::set<int> seen;
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    Enter();
    ASSERT_TRUE(TickUntil([&] { return DrumTimerAbove(49); }, 80));
    g.rng.Seed = seed * 7919u;
    ASSERT_TRUE(TickUntil([&] { return Phase() == 1; }, 5));
    ExpectSixDifferentNumbers(g.DrawnNumbers);
    seen.insert(g.DrawnNumbers.begin(), g.DrawnNumbers.end());
  }
  EXPECT_EQ(seen.size(), 36u) << "every number turns up over many draws";
}

// ---------------------------------------------------------------------------------------------
// Balls and applause.

TEST_F(DrawTest, EachBallDropsThenRollsLeftToItsPlace) {
  Enter();
  ASSERT_TRUE(TickUntil([&] { return Phase() == 1; }, 80));
  for (int ball = 0; ball < 6; ++ball) {
    ASSERT_EQ(State("BallsOut"), ball + 1);
    int drops = 0, rolls = 0;
    while (State("BallsOut") == ball + 1 && Phase() == 1 && drops + rolls < 40) {
      const int y0 = static_cast<int>(StateArray("BallY")[ball]);
      const int x0 = static_cast<int>(StateArray("BallX")[ball]);
      const int a0 = static_cast<int>(StateArray("BallAngle")[ball]);
      const int toggle = g.FrameToggle ^ 1;
      Tick();
      const int y1 = static_cast<int>(StateArray("BallY")[ball]);
      const int x1 = static_cast<int>(StateArray("BallX")[ball]);
      if (y0 < 310) {
        ++drops;
        EXPECT_EQ(y1, y0 + 3);
        EXPECT_EQ(x1, x0);
      } else if (x1 != x0) {
        ++rolls;
        EXPECT_EQ(x1, x0 - 5);
        EXPECT_EQ(StateArray("BallAngle")[ball], a0 - 10);
        EXPECT_EQ(y1, y0 + toggle) << "the shelf slopes on every second frame";
      }
    }
    // The first ball's first drop came in the frame the drum stopped.
    EXPECT_EQ(drops, ball == 0 ? 1 : 2) << "ball " << ball;
    EXPECT_EQ(rolls, 25 - 5 * ball) << "ball " << ball;
    EXPECT_EQ(StateArray("BallX")[ball], 210 + 25 * ball);
  }
  EXPECT_EQ(Phase(), 2);
  // The bubble's lines: the first three numbers and the last three.
  auto joined = [&](int first) {
    return std::to_string(g.DrawnNumbers[first]) + " - " +
           std::to_string(g.DrawnNumbers[first + 1]) + " - " +
           std::to_string(g.DrawnNumbers[first + 2]);
  };
  EXPECT_EQ(g.SpeechRecord.LineShift, 0);
  EXPECT_EQ(g.SpeechRecord.Lines[0], "");
  EXPECT_EQ(g.SpeechRecord.Lines[1], Cp1251("ВЫПАЛИ НОМЕРА"));
  EXPECT_EQ(g.SpeechRecord.Lines[2], joined(0));
  EXPECT_EQ(g.SpeechRecord.Lines[3], joined(3));
  EXPECT_EQ(g.SpeechRecord.Lines[4], "");
}

TEST_F(DrawTest, WithoutSoundTheApplauseLastsEightyFramesAndTheClapEnds) {
  Enter();
  ASSERT_TRUE(TickUntil([&] { return Phase() == 1; }, 80));
  std::vector<long long> claps;
  for (int t = 0; t < 90; ++t) {
    Tick();
    claps.push_back(State("ClapFrame"));
  }
  // Clapping while the timer runs: frames 1..5 over and over.
  for (int t = 0; t < 79; ++t) {
    EXPECT_GE(claps[t], 1) << t;
    EXPECT_LE(claps[t], 5) << t;
  }
  // Then the clap in progress is finished and the hands rest.
  const auto rest = std::find(claps.begin() + 79, claps.end(), 0);
  ASSERT_NE(rest, claps.end());
  EXPECT_LE(rest - claps.begin(), 79 + 5);
  EXPECT_TRUE(std::all_of(rest, claps.end(), [](long long c) { return c == 0; }));
  // It ends by coming back to the first clap for its frame: ... 4, 5, 1, 0.
  EXPECT_EQ(*(rest - 1), 1);
  EXPECT_EQ(*(rest - 2), 5);
}

// ---------------------------------------------------------------------------------------------
// The announcer.

TEST_F(DrawTest, TheAnnouncerRisesSpeaksAndTheBubbleShowsOnlyAtTheTop) {
  g.BubbleMode = 1;
  Enter();
  RunToAnnouncer();
  EXPECT_EQ(State("AnnouncerY"), 385);
  // A point inside the bubble's body that nothing else covers.
  const int bx = 380, by = 110;
  const uint16_t before = FramePixel(bx, by);
  int frames = 0;
  bool spoke = false;
  while (State("AnnouncerY") > 180 && frames < 60) {
    const long long y = State("AnnouncerY");
    Tick();
    ++frames;
    if (y == 300) {
      spoke = true;
      EXPECT_EQ(g.SpeechCountdown, 149) << "150, counted down once by the tick";
    }
    if (State("AnnouncerY") > 180) {
      EXPECT_EQ(FramePixel(bx, by), before) << "no bubble while he rises";
    }
  }
  EXPECT_TRUE(spoke);
  // 390 to 180 by 5 is 42 frames; the first came in the frame the last ball stopped.
  EXPECT_EQ(frames, 41);
  EXPECT_NE(FramePixel(bx, by), before) << "the bubble at the top";
}

TEST_F(DrawTest, WithoutSoundTheMouthMovesAfterTheOpeningAndTheHeadsNodOpposite) {
  Enter();
  RunToAnnouncer();
  ASSERT_TRUE(TickUntil([&] { return State("AnnouncerY") == 300; }, 30));
  Tick();  // he starts speaking: countdown 150, and the heads make their first step
  EXPECT_EQ(StateArray("HeadOffset"), (std::vector<long long>{2, -2}));
  std::vector<long long> offsets1, offsets2;
  bool moved = false;
  while (IsSpeaking(g)) {
    const int countdown = g.SpeechCountdown;
    Tick();
    if (countdown >= 130) {
      EXPECT_EQ(State("MouthFrame"), 0) << "the clip's opening: the mouth is still";
    } else if (State("MouthFrame") != 0) {
      moved = true;
    }
    const auto offsets = StateArray("HeadOffset");
    offsets1.push_back(offsets[0]);
    offsets2.push_back(offsets[1]);
  }
  EXPECT_TRUE(moved);
  Tick();  // the first frame that sees the countdown run out
  EXPECT_EQ(State("MouthFrame"), 0) << "silent once the speech is over";
  // The heads nod between -2 and +6, starting in opposite directions.
  ASSERT_GT(offsets1.size(), 4u);
  EXPECT_EQ(offsets1[0], 4);
  EXPECT_EQ(offsets2[0], 0) << "the second head turned at -2 and comes down";
  for (size_t i = 0; i < offsets1.size(); ++i) {
    EXPECT_GE(offsets1[i], -2);
    EXPECT_LE(offsets1[i], 6);
    EXPECT_GE(offsets2[i], -2);
    EXPECT_LE(offsets2[i], 6);
  }
  EXPECT_EQ(Phase(), 3);
}

TEST_F(DrawTest, WithoutSoundTheDrawStillFinishesAndTheKioskChecksTheTickets) {
  g.Tickets = 1;
  g.TicketsFilled = 1;
  Enter();
  int ticks = 0;
  while (g.InScene(SceneId::Draw) && ticks < 600) {
    Tick();
    ++ticks;
  }
  ASSERT_TRUE(g.InScene(SceneId::Kiosk));
  // 51 frames of drum, 93 of balls, 18 of rising to the clip, 150 of speech, then the close.
  EXPECT_GT(ticks, 51 + 93 + 18 + 150);
  EXPECT_LT(ticks, 51 + 93 + 18 + 150 + 20);
  EXPECT_EQ(State("HubState"), 10) << "the ticket check begins";
  ExpectSixDifferentNumbers(g.DrawnNumbers);
}

TEST_F(DrawTest, EscCutsTheAnnouncerShort) {
  Enter();
  RunToAnnouncer();
  ASSERT_TRUE(TickUntil([&] { return State("AnnouncerY") == 250; }, 30));
  ASSERT_TRUE(IsSpeaking(g));
  TapKey(key::Esc);
  EXPECT_FALSE(IsSpeaking(g));
  EXPECT_EQ(Phase(), 2) << "he still rises to the top";
  ASSERT_TRUE(TickUntil([&] { return Phase() == 3; }, 20));
  EXPECT_EQ(State("AnnouncerY"), 180);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Kiosk); }, 10));
}

// ---------------------------------------------------------------------------------------------
// With sound.

TEST_F(SoundDrawTest, TheDrumRattlesWhileItSpinsAndTheAudienceApplauds) {
  g.CurrentMusic = "m_vepa4";
  Enter();
  EXPECT_EQ(g.CurrentMusic, "none") << "the music channel is stopped";
  Tick();
  EXPECT_TRUE(Playing("Banka"));
  EXPECT_EQ(layer.FindWave(2, "Banka")->Buffer.Frequency, 8000);
  // The rattle is shorter than the spin, so it starts again.
  int restarts = 0;
  bool was = true;
  while (Phase() == 0) {
    Tick();
    const bool now = Playing("Banka");
    if (now && !was) ++restarts;
    was = now;
  }
  EXPECT_GE(restarts, 1);
  EXPECT_FALSE(Playing("Banka")) << "stopped with the drum";
  EXPECT_TRUE(Playing("Aplod"));
  // The assistants clap as long as the applause plays, however long the timer is.
  int clapping = 0;
  while (Playing("Aplod") && clapping < 200) {
    Tick();
    ++clapping;
    if (Playing("Aplod")) {
      EXPECT_NE(State("ClapFrame"), 0);
    }
  }
  EXPECT_GT(clapping, 10);
  ASSERT_TRUE(TickUntil([&] { return State("ClapFrame") == 0; }, 6));
}

TEST_F(SoundDrawTest, TheMouthMovesOncePastTheClipsOpeningAndTheClipEndsTheShow) {
  Enter();
  RunToAnnouncer();
  ASSERT_TRUE(TickUntil([&] { return State("AnnouncerY") == 300; }, 30));
  Tick();
  ASSERT_TRUE(IsSpeaking(g));
  Wave* speech = layer.Waves(4)->WaveItem(0);
  ASSERT_NE(speech, nullptr);
  EXPECT_EQ(speech->Buffer.Frequency, 22000);
  EXPECT_GT(speech->Buffer.Data.size(), 28000u) << "the clip runs past the mouth's start";
  bool moved = false;
  int ticks = 0;
  while (IsSpeaking(g) && ticks < 400) {
    const uint32_t pos = layer.GetPosition(speech);
    Tick();
    ++ticks;
    if (pos <= 28000) {
      EXPECT_EQ(State("MouthFrame"), 0) << "still within the opening";
    }
    if (State("MouthFrame") != 0) moved = true;
  }
  EXPECT_TRUE(moved);
  EXPECT_LT(ticks, 400);
  EXPECT_GT(ticks, 60) << "the clip, not the 60-tick countdown, sets the length";
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Kiosk); }, 12));
  EXPECT_EQ(State("HubState"), 10);
}

}  // namespace
}  // namespace vepa::testing
