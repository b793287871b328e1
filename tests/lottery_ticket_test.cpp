// The ticket scene over the default archive: the loader, the pen that follows the pointer and
// travels to a clicked number, the cross it draws, dropped clicks, the tickets one after the
// other and the way back to the kiosk.
#include <algorithm>
#include <set>

#include "tests/lottery_fixture.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

class TicketTest : public SceneFixture {
 protected:
  explicit TicketTest(bool sound = false) : SceneFixture(sound) {}

  // Enters the ticket scene as the kiosk does after the player said yes.
  void Enter(int tickets, int price = 0) {
    g.Tickets = static_cast<uint16_t>(tickets);
    g.SpeechRecord.Price = static_cast<uint16_t>(price);
    g.SceneNumber = SceneNo(SceneId::Kiosk);
    SceneFixture::Enter(SceneId::Ticket);
  }

  // Points the pen at (x, y) and lets it follow the pointer there.
  void PointAt(int x, int y) {
    g.MouseMove(x, y);
    Tick();
  }

  // Crosses number n on the current ticket and waits until the cross is stored.
  void Cross(int n) {
    ASSERT_EQ(g.ClickState, 0);
    ASSERT_EQ(g.HandFrame, 0);
    const long long ticket = State("CurrentTicket"), place = State("CrossedCount");
    Click(PointX(n), PointY(n));
    ASSERT_EQ(g.ClickState, 1) << "press on " << n << " not taken";
    ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0; }, 30));
    ASSERT_EQ(g.TicketNumbers[ticket][place], n) << "the cross of " << n << " was not stored";
  }

  // A hash of a block of the last frame.
  uint64_t Block(int x, int y, int w, int h) const {
    uint64_t hash = 1469598103934665603ull;
    for (int yy = y; yy < y + h; ++yy)
      for (int xx = x; xx < x + w; ++xx) hash = (hash ^ FramePixel(xx, yy)) * 1099511628211ull;
    return hash;
  }
};

class SoundTicketTest : public TicketTest {
 protected:
  SoundTicketTest() : TicketTest(true) {}
  bool Playing(const char* wave) { return layer.IsPlaying(layer.FindWave(2, wave)); }
};

// ---------------------------------------------------------------------------------------------
// Loader.

TEST_F(TicketTest, TheLoaderClearsEveryTicketAndOpensTheScene) {
  for (auto& t : g.TicketNumbers) t.fill(7);
  g.ClickState = 1;
  g.HandFrame = 2;
  g.ExitMenuState = 2;
  Enter(2, 4);
  for (const auto& t : g.TicketNumbers)
    for (uint8_t n : t) EXPECT_EQ(n, 0) << "every ticket is filled in anew";
  EXPECT_EQ(g.GameStake, 4);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  EXPECT_EQ(g.ExitMenuState, 0);
  EXPECT_EQ(g.FadeMode, 2);
  EXPECT_EQ(g.FadeProgress, 400);
  EXPECT_EQ(State("CurrentTicket"), 0);
  EXPECT_EQ(State("CrossedCount"), 0);
  EXPECT_EQ(g.CurrentMusic, "none") << "no sound device: the music request does nothing";
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 10));
  EXPECT_EQ(layer.Missing().Names.size(), 0u);
}

TEST_F(TicketTest, AMissingArchiveStopsTheLoader) {
  for (auto& t : g.TicketNumbers) t.fill(9);
  g.archive.SetDataDir("/nonexistent/vepa4-lottery/");
  g.SceneNumber = SceneNo(SceneId::Kiosk);
  g.Tickets = 1;
  g.LoadScene(SceneId::Ticket);
  EXPECT_EQ(g.FatalError, 1);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(g.TicketNumbers[0][0], 9) << "nothing is reset after a failed load";
}

// ---------------------------------------------------------------------------------------------
// The pen.

TEST_F(TicketTest, ThePenFollowsThePointerThenTravelsToTheClickedNumber) {
  Enter(1);
  PointAt(100, 420);
  EXPECT_EQ(State("HandX"), 100);
  EXPECT_EQ(State("HandY"), 420);
  EXPECT_EQ(State("PenNumber"), 0);
  // The tip in the upper right of number 15's area, far from where the pen draws.
  const int startX = 340, startY = 185;
  Click(startX, startY);
  ASSERT_EQ(State("PenNumber"), 15);
  ASSERT_EQ(g.ClickState, 1);
  // The pen ignores the pointer while it travels.
  g.MouseMove(600, 50);
  const int targetX = Cell(15).X - 15, targetY = Cell(15).Y + 15;
  int x = startX, y = startY, steps = 0;
  while (g.ClickState == 1 && steps < 20) {
    Tick();
    ++steps;
    const int nx = static_cast<int>(State("HandX")), ny = static_cast<int>(State("HandY"));
    // Three pixels a tick towards the target, the last two or fewer at once.
    EXPECT_EQ(nx, std::abs(targetX - x) > 2 ? x + (targetX > x ? 3 : -3) : targetX);
    EXPECT_EQ(ny, std::abs(targetY - y) > 2 ? y + (targetY > y ? 3 : -3) : targetY);
    x = nx;
    y = ny;
  }
  EXPECT_EQ(steps, 10);
  ASSERT_EQ(g.ClickState, 2) << "arrived: the pen draws";
  EXPECT_EQ(x, targetX);
  EXPECT_EQ(y, targetY);
  // The drawing steps come on every second tick; the fourth stores the cross.
  int ticks = 0;
  int lastFrame = g.HandFrame;
  while (g.ClickState == 2 && ticks < 20) {
    const int toggle = g.FrameToggle ^ 1;  // the value the next tick will have
    Tick();
    ++ticks;
    if (g.ClickState == 2) {
      EXPECT_EQ(g.HandFrame, lastFrame + toggle);
      lastFrame = g.HandFrame;
    }
  }
  EXPECT_LE(ticks, 8);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  EXPECT_EQ(g.TicketNumbers[0][0], 15);
  EXPECT_EQ(State("CrossedCount"), 1);
  EXPECT_EQ(StateArray("CrossX")[0], targetX + 5);
  EXPECT_EQ(StateArray("CrossY")[0], targetY - 16);
  Tick();
  EXPECT_EQ(State("HandX"), 600) << "idle again, the pen follows the pointer";
  EXPECT_EQ(State("HandY"), 50);
}

TEST_F(TicketTest, ClicksOnACrossedNumberOrOutsideTheNumbersAreDropped) {
  Enter(2);
  Cross(5);
  for (auto [x, y] : {std::pair{PointX(5), PointY(5)}, std::pair{600, 20},
                      std::pair{lottery::TicketCaptionX, 240}, std::pair{300, 440}}) {
    Click(x, y);
    ASSERT_EQ(g.ClickState, 1);
    Tick();
    EXPECT_EQ(g.ClickState, 0) << "a press at " << x << "," << y << " must be dropped";
    EXPECT_EQ(g.HandFrame, 0);
    EXPECT_EQ(State("CrossedCount"), 1);
  }
  // The same number is free again on the next ticket, never twice on one ticket.
  for (int n : {6, 7, 8, 9, 10}) Cross(n);
  EXPECT_EQ(State("CurrentTicket"), 1);
  Cross(5);
  EXPECT_EQ(g.TicketNumbers[1][0], 5);
  Click(PointX(5), PointY(5));
  Tick();
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(State("CrossedCount"), 1);
}

TEST_F(TicketTest, APenThatLeavesTheNumbersAreaDropsTheClick) {
  Enter(1);
  // Cut a gap across number 15's area, between the pointer and the place the pen draws.
  for (int row = 100; row <= 101; ++row)
    for (int col = 150; col < 180; ++col) g.HitMap[row * 320 + col] = 0;
  Click(340, 185);
  ASSERT_EQ(State("PenNumber"), 15);
  ASSERT_TRUE(TickUntil([&] { return g.ClickState != 1; }, 20));
  EXPECT_EQ(g.ClickState, 0) << "the click is dropped on the way";
  EXPECT_LT(State("HandX"), 340) << "the pen had started to travel";
  EXPECT_EQ(State("CrossedCount"), 0);
  EXPECT_EQ(g.TicketNumbers[0][0], 0);
  Tick();
  EXPECT_EQ(State("HandX"), 340) << "the pen is back at the pointer";
  EXPECT_EQ(State("HandY"), 185);
}

TEST_F(TicketTest, AMapCodeThatIsNoNumberCountsAsNothing) {
  Enter(1);
  for (int row = 40; row < 60; ++row)
    for (int col = 20; col < 40; ++col) g.HitMap[row * 320 + col] = 200;
  Click(50, 100);
  Tick();
  EXPECT_EQ(State("PenNumber"), 0);
  EXPECT_EQ(g.ClickState, 0);
}

// ---------------------------------------------------------------------------------------------
// Tickets.

TEST_F(TicketTest, TheCrossesOfAFinishedTicketDisappearAndTheNextTicketStarts) {
  Enter(2);
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 10));
  // The pen waits in the corner between the crosses so it hides nothing.
  auto park = [&] {
    PointAt(620, 470);
    Tick();
  };
  park();
  const int bx = Cell(1).X - 12, by = Cell(1).Y - 2;
  const uint64_t clean = Block(bx, by, 30, 26);
  const uint64_t caption = Block(lottery::TicketCaptionX - 40, 208, 80, 18);
  const int numbers[] = {1, 12, 20, 27, 33, 36};
  for (int i = 0; i < 5; ++i) Cross(numbers[i]);
  park();
  EXPECT_NE(Block(bx, by, 30, 26), clean) << "the cross on 1 is shown";
  Cross(numbers[5]);
  park();
  EXPECT_EQ(State("CurrentTicket"), 1);
  EXPECT_EQ(State("CrossedCount"), 0);
  EXPECT_EQ(Block(bx, by, 30, 26), clean) << "the crosses of ticket 1 are gone";
  EXPECT_NE(Block(lottery::TicketCaptionX - 40, 208, 80, 18), caption) << "НОМ. 2";
  EXPECT_EQ(g.FadeMode, 0) << "a second ticket to fill";
  for (int i = 0; i < 6; ++i) EXPECT_EQ(g.TicketNumbers[0][i], numbers[i]);
}

TEST_F(TicketTest, TheLastCrossClosesTheSceneAndTheKioskTakesTheFilledTickets) {
  g.TicketsFilled = 0;
  Enter(2);
  const int first[] = {3, 9, 14, 22, 30, 31}, second[] = {31, 2, 17, 24, 25, 36};
  for (int n : first) Cross(n);
  for (int i = 0; i < 5; ++i) Cross(second[i]);
  ASSERT_EQ(g.FadeMode, 0);
  Cross(second[5]);
  EXPECT_EQ(g.FadeMode, 1) << "the closing starts with the last cross";
  EXPECT_EQ(g.TicketsFilled, 0) << "set only once the screen is covered";
  // Presses while the screen closes do nothing.
  Click(PointX(1), PointY(1));
  Tick();
  EXPECT_EQ(g.ClickState, 0);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Kiosk); }, 10));
  EXPECT_EQ(g.TicketsFilled, 1);
  EXPECT_EQ(g.Tickets, 2);
  EXPECT_EQ(State("HubState"), 0) << "a plain return to the kiosk";
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(g.TicketNumbers[0][i], first[i]);
    EXPECT_EQ(g.TicketNumbers[1][i], second[i]);
  }
  for (int t = 2; t < 6; ++t)
    for (uint8_t n : g.TicketNumbers[t]) EXPECT_EQ(n, 0);
}

TEST_F(TicketTest, WithoutTicketsTheSceneGoesStraightBackUnderACoveredScreen) {
  g.TicketsFilled = 0;
  Enter(0);
  EXPECT_EQ(g.FadeMode, 1);
  EXPECT_EQ(g.FadeProgress, 400);
  Tick();
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(g.FadeMode, 2) << "the kiosk uncovers itself";
  EXPECT_EQ(g.TicketsFilled, 0) << "nothing was filled in";
  const Surface& f = backend.LastFrame();
  EXPECT_TRUE(std::all_of(f.pixels.begin(), f.pixels.end(), [](uint16_t p) { return p == 0; }))
      << "the ticket was never shown";
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 10));
}

TEST_F(TicketTest, MoreTicketsThanTheRecordHoldsFillsSixAndCloses) {
  Enter(9);
  for (int t = 0; t < 6; ++t)
    for (int i = 0; i < 6; ++i) Cross(1 + t + 6 * i);
  EXPECT_EQ(g.FadeMode, 1);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Kiosk); }, 10));
  EXPECT_EQ(g.TicketsFilled, 1);
  for (int t = 0; t < 6; ++t) EXPECT_EQ(g.TicketNumbers[t][5], 1 + t + 30);
}

TEST_F(SoundTicketTest, ThePenScratchesOnArrivalAndAFreshTicketRustles) {
  Enter(2);
  Click(340, 185);
  ASSERT_TRUE(TickUntil([&] { return g.ClickState == 2; }, 20));
  EXPECT_TRUE(Playing("Krest01"));
  EXPECT_EQ(layer.FindWave(2, "Krest01")->Buffer.Frequency, 11000);
  ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0; }, 20));
  for (int n : {1, 2, 3, 4}) Cross(n);
  EXPECT_FALSE(Playing("Paper01"));
  Cross(5);
  EXPECT_TRUE(Playing("Paper01")) << "the second ticket";
  ASSERT_TRUE(TickUntil([&] { return !Playing("Paper01"); }, 40));
  for (int n : {1, 2, 3, 4, 5}) Cross(n);
  Cross(6);
  EXPECT_FALSE(Playing("Paper01")) << "no fresh ticket after the last one";
  EXPECT_EQ(g.FadeMode, 1);
}

}  // namespace
}  // namespace vepa::testing
