// The roads of the golden replays: for every scene the game has, a player walks up to the
// kiosk item, accepts the offer, plays, comes back and waits for the kiosk's word and pay; and
// one whole game from the start-up to the closing screen. Each player plays as a person
// would, reading what the screen shows (the scene's state) and answering with the mouse and
// the keys. The card game's road will be one more file with its VEPA_ROAD and its name in
// kWholeGame.
#include <cmath>
#include <cstdlib>

#include "lottery/ticket_layout.h"
#include "minigames/daz_layout.h"
#include "minigames/gallery_layout.h"
#include "minigames/race_layout.h"
#include "minigames/rps_layout.h"
#include "tests/replays/roads.h"
#include "tests/scripted_players.h"

namespace vepa::testing {
namespace {

// Kiosk items.
constexpr int kBoxingGlove = 2, kDartboard = 5, kPoster = 6, kHammer = 7, kDoor = 8, kSnake = 10,
              kGun = 11, kBook = 15, kCockroach = 17, kTelevision = 18, kDaz = 33, kTank = 34,
              kTicketStack = 36, kInkpot = 41, kSticker = 43;

// The answer buttons of the exit box.
constexpr int kExitYesX = 295, kExitButtonY = 262;

// Leaves a scene through its exit box: Esc, then its yes button.
void LeaveThroughTheExitBox(RoadPlayer& p) {
  p.Say("Esc opens the exit box; yes leaves");
  p.TapKey(key::Esc);
  ASSERT_TRUE(p.TickUntil([&] { return p.g.ExitMenuState == 1; }, 20));
  p.Click(kExitYesX, kExitButtonY);
  ASSERT_TRUE(p.TickUntil([&] { return p.g.ExitMenuState == 2 || p.In(SceneId::Kiosk); }, 20));
}

// Buys an item and waits for its scene to open.
void BuyAndEnter(RoadPlayer& p, int item, SceneId scene, const std::string& what) {
  p.Say(what);
  ASSERT_TRUE(p.Buy(item)) << "no offer for kiosk item " << item;
  ASSERT_TRUE(p.TickUntil([&] { return p.In(scene) && p.g.FadeMode == 0; }, 400))
      << "scene " << int(SceneNo(scene)) << " did not open";
}

void ComeBackAndBePaid(RoadPlayer& p) {
  p.Say("back at the kiosk: the cashier's word and the pay");
  ASSERT_TRUE(p.WaitUntilPaid()) << "not back in the idle kiosk, scene " << int(p.g.SceneNumber);
}
// Hands off until the game has ended and is back in the kiosk (within `limit` ticks), then
// the same, and the kiosk must pay a prize.
void ComeBackAndWin(RoadPlayer& p, int limit, const char* why) {
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Kiosk); }, limit));
  const int before = p.g.Money;
  ComeBackAndBePaid(p);
  EXPECT_GT(p.g.Money, before) << why;
}

VEPA_ROAD(darts, "buys three darts, throws them at the middle of the board and is paid") {
  BuyAndEnter(p, kDartboard, SceneId::Darts, "clicks the dartboard and says yes");
  for (int dart = 0; dart < 3; ++dart) {
    p.Say("takes a dart from the rack and throws it at the bull");
    ASSERT_TRUE(p.TickUntil([&] { return p.g.ClickState == 0; }, 40));
    p.Tick(3);
    p.ClickNow(170 - p.g.AimShakeX, 366 - p.g.AimShakeY);
    ASSERT_TRUE(p.TickUntil([&] { return p.g.ClickState == 2; }, 20)) << "no dart in hand";
    p.Tick(4);
    p.ClickNow(350 - 75 - p.g.AimShakeX, 210 - 32 - p.g.AimShakeY);
    ASSERT_EQ(p.g.ClickState, 3) << "the dart was not thrown";
  }
  const int before = p.g.Money;
  ComeBackAndBePaid(p);
  EXPECT_GT(p.g.Money, before) << "three darts at the bull win something";
}

// The gallery's steady shooter leads the trembling aim by its next step, pulls the trigger
// once the gun is ready and holds the aim until the bullet strikes.
bool ShootAt(RoadPlayer& p, int x, int y) {
  auto aim = [&](int margin) {
    RandomGenerator next = p.g.rng;
    const int dx = next.Random(2 * gallery::AimTremor + 1) - gallery::AimTremor;
    const int dy = next.Random(2 * gallery::AimTremor + 1) - gallery::AimTremor;
    const int mx = x - p.g.AimShakeX - dx, my = y - p.g.AimShakeY - dy;
    const bool reachable = mx >= margin && mx <= 639 - margin && my >= margin && my <= 479 - margin;
    p.MoveTo(std::clamp(mx, 0, 639), std::clamp(my, 0, 479));
    return reachable;
  };
  if (!p.TickUntil([&] { return p.g.ClickState == 0; }, 40)) return false;
  for (int i = 0; !aim(30); ++i) {
    if (i == 20) return false;
    p.Tick();
  }
  p.Tick();
  p.Press();
  p.Release();
  if (p.g.ClickState != 1) return false;
  for (int i = 0; i < 10 && p.g.ClickState != 3; ++i) {
    aim(1);
    p.Tick();
  }
  return p.g.ClickState == 3;
}

VEPA_ROAD(gallery, "buys the gun, hits the windmill, shoots the lamp, pays for it and is paid") {
  BuyAndEnter(p, kGun, SceneId::Gallery, "clicks the gun and says yes");
  p.Say("shoots the windmill");
  ASSERT_TRUE(ShootAt(p, gallery::MillCentre.X, gallery::MillCentre.Y));
  p.Say("shoots the lamp");
  ASSERT_TRUE(ShootAt(p, gallery::LampAt.X + gallery::LampW / 2, gallery::LampAt.Y + 36));
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Lamp); }, 40)) << "the lamp scene";
  const int beforeFine = p.g.Money;
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Kiosk); }, 1500));
  EXPECT_LT(p.g.Money, beforeFine) << "the broken lamp is paid for";
  const int before = p.g.Money;
  ComeBackAndBePaid(p);
  EXPECT_EQ(p.g.Money, before + gallery::MillPrize);
}

// The snake's way for its next step: never back, never into the fence, itself or a bad apple;
// of the ways that leave it room, the one with the shortest walk to a good apple.
int SnakeWay(const RoadPlayer& p) {
  constexpr int kColumns = 15, kRows = 11;
  constexpr int kDX[4] = {0, 1, 0, -1}, kDY[4] = {-1, 0, 1, 0};  // up, right, down, left
  const std::vector<long long> cells = p.StateArray("Cells");
  if (cells.size() != static_cast<size_t>(kColumns * kRows)) return -1;
  auto good = [&](int c) { return c == 20 || c == 21; };
  auto passable = [&](int x, int y) {
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows) return false;
    const int c = static_cast<int>(cells[static_cast<size_t>(y * kColumns + x)]);
    return c == 0 || good(c);
  };
  const int hx = static_cast<int>(p.State("HeadX")), hy = static_cast<int>(p.State("HeadY"));
  const int dir = static_cast<int>(p.State("Dir"));
  const long long length = p.State("Length");
  int best = dir;
  long long bestScore = -(1ll << 40);
  for (int d = 0; d < 4; ++d) {
    if (d == (dir + 2) % 4) continue;
    const int nx = hx + kDX[d], ny = hy + kDY[d];
    if (!passable(nx, ny)) continue;
    std::vector<int> dist(kColumns * kRows, -1);
    std::vector<int> queue{ny * kColumns + nx};
    dist[queue[0]] = 0;
    int room = 0, nearest = 1000;
    for (size_t q = 0; q < queue.size(); ++q) {
      const int cx = queue[q] % kColumns, cy = queue[q] / kColumns;
      ++room;
      if (good(static_cast<int>(cells[static_cast<size_t>(queue[q])])))
        nearest = std::min(nearest, dist[queue[q]]);
      for (int e = 0; e < 4; ++e) {
        const int x = cx + kDX[e], y = cy + kDY[e];
        if (!passable(x, y) || dist[y * kColumns + x] >= 0) continue;
        dist[y * kColumns + x] = dist[queue[q]] + 1;
        queue.push_back(y * kColumns + x);
      }
    }
    const long long score = (room > length + 2 ? 100000 : room * 10) - nearest;
    if (score > bestScore) {
      bestScore = score;
      best = d;
    }
  }
  return best;
}

VEPA_ROAD(snake, "buys the snake, steers it to the apples until it has eaten six and is paid") {
  BuyAndEnter(p, kSnake, SceneId::Snake, "clicks the snake and says yes");
  p.Say("steers with the arrows to the nearest apple, leaving himself room");
  const int keys[4] = {key::Up, key::Right, key::Down, key::Left};
  auto sixEatenOrDead = [&] { return p.State("ApplesEaten") >= 6 || p.State("Dead") != 0; };
  auto arrowOfTheWay = [&] {
    const int way = SnakeWay(p);
    return way < 0 ? -1 : keys[way];
  };
  PlayWithOneKey(p, 6000, sixEatenOrDead, arrowOfTheWay);
  p.Say("lets go of the keys and runs into the fence");
  ComeBackAndWin(p, 2000, "six apples win something");
}

VEPA_ROAD(boxing, "buys a bout, walks up to the opponent and punches in reach until the end") {
  BuyAndEnter(p, kBoxingGlove, SceneId::Boxing, "clicks the boxing glove and says yes");
  p.Say("walks beside the opponent with the arrows and punches with Ctrl when in reach");
  auto set = [&](int k, bool down) { down ? p.KeyDown(k) : p.KeyUp(k); };
  for (int t = 0; t < 6000 && p.In(SceneId::Boxing); ++t) {
    const std::string state = p.SceneState();  // its positions have fractions
    const auto x = JsonNumbers(state, "X"), y = JsonNumbers(state, "Y");
    if (x.size() >= 2 && y.size() >= 2 && t % 2 == 0) {
      const double side = x[0] >= x[1] ? 1 : -1, level = y[0] >= y[1] ? 1 : -1;
      const double tx = x[1] + 110 * side, ty = y[1] + 40 * level;
      set(key::Right, x[0] < tx - 4);
      set(key::Left, x[0] > tx + 4);
      set(key::Down, y[0] < ty - 4);
      set(key::Up, y[0] > ty + 4);
      const double dx = std::fabs(x[0] - x[1]), dy = std::fabs(y[0] - y[1]);
      set(key::Ctrl, dx > 92 && dx < 128 && dy > 30 && dy < 50 && p.StateArray("Punch")[0] == 0);
    }
    p.Tick();
  }
  for (int k : {key::Left, key::Right, key::Up, key::Down, key::Ctrl}) p.KeyUp(k);
  ComeBackAndBePaid(p);
}

VEPA_ROAD(rps, "buys a round of rock-paper-scissors, shows scissors and is paid or not") {
  BuyAndEnter(p, kSticker, SceneId::RockPaperScissors, "clicks the sticker and says yes");
  ASSERT_TRUE(p.TickUntil([&] { return p.State("RpsState") == 1; }, 200));
  p.Say("chooses scissors while the count runs");
  p.Click(rps::ButtonX0 + rps::ButtonStep * rps::Scissors + 35, rps::ButtonY + 10);
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Kiosk); }, 1500));
  ComeBackAndBePaid(p);
}

VEPA_ROAD(hammer, "buys the hammer game, lifts each finger the hammer aims at, then tires") {
  BuyAndEnter(p, kHammer, SceneId::Hammer, "clicks the hammer and says yes");
  p.Say("lifts the middle finger (3) to start");
  p.KeyDown(FingerKey(2));
  ASSERT_TRUE(p.TickUntil([&] { return p.State("HammerState") >= 2; }, 600));
  p.KeyUp(FingerKey(2));
  p.Tick();
  p.Say("lifts the finger under the hammer with its digit key, up to thirty points");
  PlayWithOneKey(
      p, 6000, [&] { return p.State("Score") >= 30; }, [&] { return KeyOfTheAimedFinger(p); });
  ASSERT_GE(p.State("Score"), 30);
  p.Say("then lets the hammer strike until the game ends");
  ComeBackAndWin(p, 3000, "thirty points win something");
}

VEPA_ROAD(race, "bets on the first cockroach and watches the race") {
  BuyAndEnter(p, kCockroach, SceneId::CockroachRace, "clicks the cockroach and says yes");
  p.Say("points at the cockroach of the first lane and clicks it");
  p.Click(50, race::LaneTop(1) + 20);
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Kiosk); }, 2000));
  ComeBackAndBePaid(p);
}

VEPA_ROAD(aquarium, "buys a fishing contest, watches a while and leaves through the exit box") {
  BuyAndEnter(p, kTank, SceneId::Aquarium, "clicks the fish tank and says yes");
  p.Say("watches the anglers for ten seconds");
  p.Tick(200);
  LeaveThroughTheExitBox(p);
  ComeBackAndBePaid(p);
  EXPECT_EQ(p.g.ExitMenuState, 2);
}

VEPA_ROAD(daz, "buys a visit to Daz, plays his food game to the last life and is paid") {
  BuyAndEnter(p, kDaz, SceneId::DazTable, "clicks Daz and says yes");
  ASSERT_TRUE(p.TickUntil([&] { return p.State("TalkStep") == 1; }, 600));
  p.Say("takes the first button: the food game");
  const daz::ButtonArea& a = daz::ButtonAreas[0];
  p.Click(a.X + a.W / 2 - daz::FingerDX, a.Y + a.H / 2 - daz::FingerDY);
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::DazFood); }, 400));
  p.Say("watches the food fall until the lives run out");
  ASSERT_TRUE(p.TickUntil([&] { return !p.In(SceneId::DazFood); }, 6000));
  ASSERT_TRUE(p.In(SceneId::DazTable));
  ComeBackAndBePaid(p);
}

// Fills the ticket: crosses six numbers with the pen.
void FillTheTicket(RoadPlayer& p) {
  BuyAndEnter(p, kInkpot, SceneId::Ticket, "clicks the inkpot and says yes");
  for (int n : {3, 8, 15, 22, 29, 36}) {
    p.Say("crosses " + std::to_string(n));
    const lottery::CellPosition c = lottery::TicketCells[n - 1];
    p.Click(c.X - lottery::PenTipDX, c.Y + 9);
    p.Tick(15);
  }
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Kiosk); }, 100)) << "back to the kiosk";
}

void BuyATicket(RoadPlayer& p) {
  p.Say("buys a lottery ticket from the stack");
  const int tickets = p.g.Tickets;
  ASSERT_TRUE(p.Buy(kTicketStack));
  ASSERT_TRUE(p.TickUntil([&] { return p.g.Tickets == tickets + 1; }, 400));
}

VEPA_ROAD(ticket, "buys a lottery ticket and fills it in at the inkpot") {
  BuyATicket(p);
  FillTheTicket(p);
  ASSERT_TRUE(p.TickUntil([&] { return p.KioskIdle(); }, 600));
  EXPECT_EQ(p.g.TicketsFilled, 1);
}

VEPA_ROAD(draw, "watches the lottery draw on the television and has the ticket checked") {
  if (p.g.Tickets == 0) BuyATicket(p);
  if (p.g.TicketsFilled == 0) FillTheTicket(p);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  BuyAndEnter(p, kTelevision, SceneId::Draw, "clicks the television and says yes");
  p.Say("watches the six balls");
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Kiosk); }, 2000));
  ComeBackAndBePaid(p);
  EXPECT_EQ(p.g.Tickets, 0) << "the ticket was checked";
}

VEPA_ROAD(about, "reads the poster's about screen and goes back by its kiosk button") {
  BuyAndEnter(p, kPoster, SceneId::About, "clicks the poster and says yes");
  p.Tick(60);
  p.Say("clicks the kiosk button");
  p.Click(50, 420);
  ASSERT_TRUE(p.TickUntil([&] { return p.KioskIdle(); }, 200));
}

// The book: the sign comes down, one of its two buttons is chosen, then the offer; a while in
// the book, and its kiosk corner leads back.
void VisitBook(RoadPlayer& p, int signButton, SceneId book) {
  p.Say("clicks the book; the sign comes down");
  ASSERT_TRUE(p.ClickItem(kBook));
  ASSERT_TRUE(p.TickUntil([&] { return p.Hub()->TabletState == 3; }, 60));
  p.Tick(6);
  p.Say(signButton == 0 ? "chooses the journal on the sign" : "chooses the settings on the sign");
  p.Click(251 + 70 * signButton + 34, 70);
  ASSERT_TRUE(p.TickUntil([&] { return p.Hub()->HubState == 5; }, 600));
  const auto [x, y] = p.PointerOn(hub::LeftButton);
  p.Click(x, y);
  ASSERT_TRUE(p.TickUntil([&] { return p.In(book) && p.g.FadeMode == 0; }, 600));
  p.Tick(40);
  p.Say("clicks the kiosk corner");
  p.Click(55, 435);
  ASSERT_TRUE(p.TickUntil([&] { return p.KioskIdle(); }, 200));
}

VEPA_ROAD(journal, "opens the journal through the sign, turns a page and goes back") {
  VisitBook(p, 0, SceneId::Journal);
}

VEPA_ROAD(settings, "opens the settings book through the sign and goes back") {
  VisitBook(p, 1, SceneId::SettingsBook);
}

// The whole game plays these roads in this order, then the lottery, then leaves.
const char* const kWholeGame[] = {"darts",    "cards", "hammer",  "gallery", "rps",
                                  "race",     "snake", "boxing",  "about",   "journal",
                                  "settings", "daz",   "aquarium"};

VEPA_ROAD(whole_game,
          "the start-up, the logos, the start menu, every scene once, the lottery draw and "
          "check, and out through the door to the closing screen") {
  p.Say("watches the publisher's logo, then skips the maker's logo with Esc");
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::MakerLogo); }, 2000));
  p.Tick(40);
  p.TapKey(key::Esc, 2);
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::StartMenu) && p.g.FadeMode == 0; }, 2000));
  p.Say("chooses speech with subtitles and starts with Enter");
  p.Click(450, 432);
  p.Tick(5);
  p.TapKey(key::Enter, 2);
  ASSERT_TRUE(p.TickUntil([&] { return p.KioskIdle(); }, 1500)) << "the cashier's greeting";
  for (const char* name : kWholeGame) {
    const Road* road = FindRoad(name);
    ASSERT_NE(road, nullptr) << name;
    p.Say("--- " + road->Name + ": " + road->What);
    road->Play(p);
    ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "on the road " << name;
  }
  p.Say("--- the lottery");
  FindRoad("ticket")->Play(p);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  FindRoad("draw")->Play(p);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  p.Say("--- clicks the door handle and says he leaves");
  ASSERT_TRUE(p.Buy(kDoor));
  ASSERT_TRUE(p.TickUntil([&] { return p.In(SceneId::Closing) && p.g.FadeMode == 0; }, 1500));
  p.Tick(40);
  p.Say("a key on the closing screen ends the game");
  p.TapKey(key::Space, 2);
  EXPECT_TRUE(p.TickUntil([&] { return p.Ended(); }, 100));
  EXPECT_TRUE(p.g.QuitRequested);
  // Every scene the game has was played on the way.
  for (const SceneInfo& info : SceneCatalogue()) {
    if (info.Built()) {
      EXPECT_TRUE(p.Seen.count(info.Number())) << info.Name << " was never seen";
    }
  }
}

}  // namespace
}  // namespace vepa::testing
