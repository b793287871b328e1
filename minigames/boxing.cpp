// Boxing, scene 6. Two boxers seen from above: the computer's on the left, the player's on the
// right, walked with the arrow keys and punching with Ctrl. A punch lands when the stretched
// glove meets the other's head; the first to 50 hits wins, or whoever leads when the clock,
// started at 1:30, runs out. From the 31st hit on the blows may draw blood, and the announcer
// speaks the first blood and the result. The Esc box lets the player give up (a loss).
//
// A win pays 13 and the lead in hits (at most 20 more), a draw 13, a loss nothing.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/boxing_layout.h"
#include "minigames/state_arrays.h"

namespace vepa {
namespace {

using namespace boxing;

constexpr SceneEntries kEntries{.Background = "r_box01",
                                .Images = "s_box01",
                                .Music = "m_gun02",
                                .MusicOffset = 300,
                                .Waves = "w_box01"};

constexpr int kRate = 11000, kBoxerRate = 12000;
constexpr float kWalk = 5, kKnock = 10, kFriction = 0.5f;
constexpr int kStunFrames = 5;
constexpr int kWinningHits = 50;
constexpr int kBoutSeconds = 90, kFramesPerSecond = 17;
constexpr int kFirstBloodHit = 30, kAlwaysBloodHit = 45, kMaxDrops = 9;
constexpr int kCloseAfter = 92, kWordGrowth = 50;
constexpr int kBellFrames = 10;
constexpr int kDuckVolume = -1000;
constexpr int kBasePrize = 13, kMaxLead = 20;

constexpr int kOpponent = 0, kPlayer = 1;

enum BoutResult : uint8_t { Running = 0, Victory = 1, Loss = 2, Draw = 3 };

struct Boxer {
  int32_t Facing = 1;
  int32_t ArmUp = 0, ArmDown = 0;
  int32_t Punch = 0;  // 1 upper arm out, 2 back; 3 lower arm out, 4 back
  int32_t Hurt = 0, Stun = 0;
  float X = 0, Y = 0, VX = 0, VY = 0;
};

struct BloodDrop {
  int32_t X = 0, Y = 0;
  uint8_t State = 0;  // 0 free, 1 flying, 2 landed
  uint8_t Spin = 0, Frame = 0, Age = 0;
  int32_t DX = 0, DY = 0;
};

std::string TwoDigits(int v) {
  v = std::clamp(v, 0, 99);
  return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

class BoxingScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.TakeStake = true, .NothingWon = true})) return;
    Boxers[kOpponent] = Boxer{.Facing = 1, .X = OpponentStartX, .Y = StartY};
    Boxers[kPlayer] = Boxer{.Facing = -1, .X = PlayerStartX, .Y = StartY};
    Hits = {0, 0};
    BloodCount = 0;
    DuckFlag = 0;
    Blood = {};
    TimeLeft = kBoutSeconds;
    TimeTick = 0;
    Result = Running;
    ResultTimer = 0;
    ClockTimer = 0;
    // The announcer's clips are read with the scene, so the frame he speaks in stays light.
    for (int i = 0; i < 4; ++i) ReadSpokenClip(g, "bpob0" + std::to_string(i + 1), Clips[i]);
    EnterScene(g, SceneId::Boxing);
  }

  void Frame() override {
    if (DuckFlag == 1 && !IsSpeaking(g)) SetSceneVolume(0);
    DrawDigits(g, ScoreX, ScoreY, TwoDigits(Hits[0]) + ":" + TwoDigits(Hits[1]));
    RunClock();
    DrawDigits(g, ClockX, ClockY, TwoDigits(TimeLeft / 60) + ":" + TwoDigits(TimeLeft % 60));
    UpdateBlood();
    if (Result == Running) {
      ReadKeys();
      TurnToEachOther();
      if (Boxers[kOpponent].Hurt == 0) OpponentDecides();
    }
    for (int b : {kOpponent, kPlayer}) MoveAndPunch(b);
    ExitBoxStep();
    if (g.ExitMenuState == 2 && Result == Running) {
      Result = Loss;
      Announce(2);
    }
    ShowOrDecideResult();
    RingLastSecond();
    if (g.FadeMode == 0 && ResultTimer >= kCloseAfter) StartClosing(g);
    PayPrizeWhenCovered(g, Prize());
  }

  // A win pays the base prize and the lead in hits (up to a limit), a draw the base prize.
  int Prize() const {
    const int r = Hits[0], p = Hits[1];
    if (r < p && Result == Victory) return kBasePrize + std::min(p - r, kMaxLead);
    return Result == Draw ? kBasePrize : 0;
  }

  void DescribeState(JsonWriter& j) const override {
    // Per boxer, the opponent first, then the player.
    auto reals = [&](const char* key, auto field) { RealFieldArray(j, key, Boxers, field); };
    FieldArrays(j, Boxers, "Facing", &Boxer::Facing, "ArmUp", &Boxer::ArmUp, "ArmDown",
                &Boxer::ArmDown, "Punch", &Boxer::Punch, "Hurt", &Boxer::Hurt, "Stun",
                &Boxer::Stun);
    reals("X", &Boxer::X);
    reals("Y", &Boxer::Y);
    reals("VX", &Boxer::VX);
    reals("VY", &Boxer::VY);
    j.Fields("Hits", Hits, "TimeLeft", TimeLeft, "TimeTick", TimeTick, "Result", Result,
             "ResultTimer", ResultTimer, "BloodCount", BloodCount);
    FieldArray(j, "BloodState", Blood, &BloodDrop::State);
    j.Fields("DuckFlag", DuckFlag, "ClockTimer", ClockTimer);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (std::string_view head : {OpponentHead, PlayerHead})
      a.Images.push_back({"s_box01", std::string(head), HeadPatterns});
    for (std::string_view arm : {OpponentArm, PlayerArm})
      a.Images.push_back({"s_box01", std::string(arm), ArmPatterns});
    constexpr ImageUse kPictures[] = {{"s_box01", DropImage, DropPatterns},
                                      {"s_box01", SplashImage, SplashPatterns},
                                      {"s_all01", "EFont01", 13},
                                      {"s_all01", "FontP", 42}};
    DeclareImages(a, kPictures);
    DeclareExitBox(a);
    DeclarePointer(a);
    for (std::string_view w : Waves) a.Waves.push_back({"w_box01", std::string(w)});
    DeclareWaves(a, "w_all01", {"Boom01", "Boom07", "Boom08", "Bulk01", "Bulk02", "Clock01"});
    for (int i = 1; i <= 4; ++i) a.Entries.push_back("bpob0" + std::to_string(i));
  }

 private:
  Boxer& Player() { return Boxers[kPlayer]; }
  Boxer& Opponent() { return Boxers[kOpponent]; }

  // The scene's twelve waves, by index, quieter while the announcer speaks. A list with fewer
  // waves (damaged content) has fewer to change.
  void SetSceneVolume(int volume) {
    if (g.SoundAvailable) {
      if (WaveList* list = g.layer.Waves(2))
        for (int i = 0; i < WaveCount; ++i)
          if (Wave* w = list->WaveItem(i)) g.layer.SetVolume(w, volume);
    }
    DuckFlag = volume == 0 ? 0 : 1;
  }

  void Announce(int clip) {
    SayClip(g, Clips[clip - 1], kRate);
    SetSceneVolume(kDuckVolume);
  }

  void PlayBoxerSound(std::string_view stem) {
    PlaySceneSound(g, std::string(stem) + std::to_string(g.Random(2) + 1), kBoxerRate);
  }

  void RunClock() {
    if (Result != Running || TimeLeft <= 0) return;
    if (TimeTick > kFramesPerSecond - 2) {
      --TimeLeft;
      TimeTick = 0;
    } else {
      ++TimeTick;
    }
  }

  void UpdateBlood() {
    for (int i = 0; i < BloodCount; ++i) {
      BloodDrop& d = Blood[i];
      if (d.State == 1) {
        ++d.Age;
        if (d.Age > 10) d.State = 2;
        if ((d.DX < 0 && d.X > DropLeft) || (d.DX > 0 && d.X < DropRight))
          d.X += d.DX;
        else
          d.State = 2;
        if ((d.DY < 0 && d.Y > DropTop) || (d.DY > 0 && d.Y < DropBottom))
          d.Y += d.DY;
        else
          d.State = 2;
        d.Spin = static_cast<uint8_t>(d.Spin + 10);
        const int size = DropSize - d.Age / 3;
        g.layer.DrawPatternRotated(g.layer.FindImage(2, DropImage), d.Frame, d.X, d.Y, size, size,
                                   0.5, 0.5, d.Spin);
        if (d.State == 2) {
          d.Frame = 0;
          PlayCommonSound(g, g.Random(2) == 1 ? "Bulk01" : "Bulk02", kRate);
        }
      } else if (d.State == 2) {
        if (g.FrameToggle != 0 && d.Frame < 2) ++d.Frame;
        g.layer.DrawPatternRotated(g.layer.FindImage(2, SplashImage), d.Frame, d.X, d.Y,
                                   SplashW - d.Spin / 10, SplashH - d.Spin / 10, 0.5, 0.5, d.Spin);
      }
    }
  }

  void ReadKeys() {
    Boxer& p = Player();
    if (g.layer.KeyPressed(key::Left)) p.VX = -kWalk;
    if (g.layer.KeyPressed(key::Right)) p.VX = kWalk;
    if (g.layer.KeyPressed(key::Up)) p.VY = -kWalk;
    if (g.layer.KeyPressed(key::Down)) p.VY = kWalk;
    // Held, Ctrl throws the next punch only once the arm is back.
    if (g.layer.KeyPressed(key::Ctrl) && p.Punch == 0) {
      p.Punch = Opponent().Y >= p.Y ? 3 : 1;
      PlayBoxerSound("PBoxS0");
    }
  }

  // When the boxers have passed each other they turn round; the opponent's walk turns with it.
  void TurnToEachOther() {
    Boxer& o = Opponent();
    Boxer& p = Player();
    if (o.X >= p.X) {
      o.Facing = -1;
      if (p.Facing == -1) o.VX = -o.VX;
      p.Facing = 1;
    } else {
      o.Facing = 1;
      if (p.Facing == 1) o.VX = -o.VX;
      p.Facing = -1;
    }
  }

  static bool InReach(const Boxer& b, const Boxer& o) {
    if (b.Facing == -1) return o.X > b.X - ReachFar && o.X < b.X - ReachNear;
    return o.X > b.X + ReachNear && o.X < b.X + ReachFar;
  }

  static bool Between(float v, float low, float high) { return v > low && v < high; }

  void OpponentDecides() {
    Boxer& o = Opponent();
    const Boxer& p = Player();
    if (o.Punch == 0 && InReach(o, p)) {
      if (Between(p.Y, o.Y - 50, o.Y - 30)) o.Punch = 1;
      if (Between(p.Y, o.Y + 30, o.Y + 50)) o.Punch = 3;
      if (o.Punch != 0) PlayBoxerSound("RBoxS0");
    }
    const bool cornered = ((o.Facing == 1 && p.X < 180) || (o.Facing == -1 && p.X > 450)) &&
                          std::fabs(o.X - p.X) < 100;
    if (cornered) {
      // Pinned against the ropes: push forward and slip out sideways.
      o.VX = kWalk * o.Facing;
      o.VY = ((o.Y > p.Y && p.Y < 280) || p.Y < 210) ? kWalk : -kWalk;
      return;
    }
    // Stalking: keep the player 30 to 50 pixels above or below, and 90 to 130 ahead.
    if ((o.Y > p.Y && p.Y < 320) || p.Y < 170) {
      if (p.Y > o.Y - 30) o.VY = kWalk;
      if (p.Y < o.Y - 50) o.VY = -kWalk;
    } else {
      if (p.Y > o.Y + 50) o.VY = kWalk;
      if (p.Y < o.Y + 30) o.VY = -kWalk;
    }
    if (o.X > p.X) {
      if (p.X > o.X - 90) o.VX = kWalk;
      if (p.X < o.X - 130) o.VX = -kWalk;
    } else {
      if (p.X > o.X + 130) o.VX = kWalk;
      if (p.X < o.X + 90) o.VX = -kWalk;
    }
  }

  // Against the ropes (or standing) a boxer bounces back; only a knocked boxer, faster than a
  // walk, makes the ropes sing.
  void Bounce(float& v) {
    const float speed = std::fabs(v);
    if (speed > 2 && speed != kWalk) PlayCommonSound(g, "Boom08", kRate);
    v = -v;
  }

  static float Slow(float v) {
    if (v > 0) return std::max(0.0f, v - kFriction);
    if (v < 0) return std::min(0.0f, v + kFriction);
    return v;
  }

  // One axis of a move: between the ropes (low, high) the boxer goes on by v unless that takes
  // him into the other one, level with him on the other axis (`level`) and no more than `reach`
  // away on this one; at a rope he bounces off.
  void MoveAlong(float& p, float& v, float other, int low, int high, bool level, float reach) {
    if ((v < 0 && p > low) || (v > 0 && p < high)) {
      const bool towards = !(p > other && v > 0) && !(p < other && v < 0);
      const bool blocked = level && std::fabs(p - other) <= reach && towards;
      if (!blocked) p += v;
    } else {
      Bounce(v);
    }
  }

  void MoveAndPunch(int who) {
    Boxer& b = Boxers[who];
    const Boxer& o = Boxers[1 - who];
    // The boxers never walk into each other: a move towards the other inside the box is refused.
    MoveAlong(b.X, b.VX, o.X, RopeLeft, RopeRight, std::fabs(b.Y - o.Y) <= 90, 85);
    MoveAlong(b.Y, b.VY, o.Y, RopeTop, RopeBottom, std::fabs(b.X - o.X) <= 80, 95);
    b.VX = Slow(b.VX);
    b.VY = Slow(b.VY);
    if (Result == Running && Lands(b, o)) Hit(who);
    if (b.Stun < 1) {
      b.Hurt = 0;
    } else {
      --b.Stun;
      b.Hurt = 1;
    }
    SwingArm(b);
    DrawBoxer(who);
  }

  // Only on the frame the arm is stretched and still going out.
  static bool Lands(const Boxer& b, const Boxer& o) {
    if (!InReach(b, o)) return false;
    if (b.Punch == 1 && b.ArmUp == 2 && Between(o.Y, b.Y - PunchFar, b.Y - PunchNear)) return true;
    return b.Punch == 3 && b.ArmDown == 2 && Between(o.Y, b.Y + PunchNear, b.Y + PunchFar);
  }

  void Hit(int who) {
    Boxer& b = Boxers[who];
    Boxer& o = Boxers[1 - who];
    PlayCommonSound(g, "Boom01", 3000 + 1000 * g.Random(12));
    o.Stun = kStunFrames;
    o.VX = -kKnock * o.Facing;
    o.VY = b.ArmUp == 2 ? kKnock : -kKnock;
    ++Hits[who];
    const int hits = Hits[who];
    if (BloodCount < kMaxDrops && hits > kFirstBloodHit &&
        (hits > kAlwaysBloodHit || g.Random(50 - hits) == 0)) {
      BloodDrop& d = Blood[BloodCount];
      d.State = 1;
      d.Age = static_cast<uint8_t>(g.Random(5));
      d.DX = b.Facing == 1 ? -(g.Random(6) + 1) : g.Random(6) + 1;
      d.DY = b.Punch == 1 ? g.Random(6) + 1 : 1 - g.Random(6);
      d.X = Nearest(o.X);
      d.Y = Nearest(o.Y);
      d.Frame = static_cast<uint8_t>(g.Random(2));
      d.Spin = static_cast<uint8_t>(g.Random(255));
      if (BloodCount == 0) Announce(4);
      ++BloodCount;
    }
    PlayBoxerSound(who == kPlayer ? "RBoxB0" : "PBoxB0");
  }

  // A punch moves its arm out by two steps (Punch 1 the upper arm, 3 the lower one), turns it
  // back (2, 4) and lowers it again by two steps; then the boxer stands on guard (Punch 0).
  static void SwingArm(Boxer& b) {
    if (b.Punch < 1 || b.Punch > 4) return;
    int32_t& arm = b.Punch <= 2 ? b.ArmUp : b.ArmDown;
    const bool out = b.Punch % 2 == 1;
    if (out && arm < 2)
      ++arm;
    else if (out)
      ++b.Punch;
    else if (arm > 0)
      --arm;
    else
      b.Punch = 0;
  }

  void DrawBoxer(int who) {
    const Boxer& b = Boxers[who];
    const bool player = who == kPlayer;
    const int x = Nearest(b.X), y = Nearest(b.Y);
    const int headDX = player ? PlayerHeadDX : OpponentHeadDX;
    const int headW = player ? PlayerHeadW : OpponentHeadW;
    g.layer.DrawPatternRotated(g.layer.FindImage(2, player ? PlayerHead : OpponentHead), b.Hurt,
                               x + headDX * b.Facing, y, headW * b.Facing, HeadH, 0.5, 0.5, 0);
    const Image* arm = g.layer.FindImage(2, player ? PlayerArm : OpponentArm);
    const int shoulderX = x + ArmDX * b.Facing;
    g.layer.DrawPatternRotated(arm, b.ArmUp, shoulderX, y - ArmDY, ArmW * b.Facing, -ArmH, 0, 0, 0);
    g.layer.DrawPatternRotated(arm, b.ArmDown, shoulderX, y + ArmDY, ArmW * b.Facing, ArmH, 0, 0,
                               0);
  }

  void ExitBoxStep() {
    ExitBoxWatchEsc(g);
    if (g.ExitMenuState == 1) {
      ExitBox(g);
      PointerPressStep(g);
      DrawPointer(g);
    }
  }

  void ShowOrDecideResult() {
    if (Result != Running) {
      ++ResultTimer;
      const int s = std::min<int>(ResultTimer, kWordGrowth);
      static const std::string kWords[] = {"", Cp1251("ПОБЕДА"), Cp1251("ПРОИГРЫШ"),
                                           Cp1251("НИЧЬЯ")};
      DrawTextCentered(g, ResultX, ResultY, s + 1, kWords[Result], 0, s + 1);
      return;
    }
    const int r = Hits[0], p = Hits[1];
    const bool timeUp = TimeLeft == 0;
    if ((r >= kWinningHits && p >= kWinningHits) || (timeUp && p == r))
      Result = Draw;
    else if (r >= kWinningHits || (timeUp && p < r))
      Result = Loss;
    else if (p >= kWinningHits || (timeUp && p > r))
      Result = Victory;
    if (Result != Running) Announce(Result);
  }

  void RingLastSecond() {
    if (Result == Running && TimeLeft == 1 && TimeTick == 5) {
      TimeTick = 6;
      PlayCommonSound(g, "Clock01", kRate);
      ClockTimer = kBellFrames;
    }
    if (ClockTimer < 1)
      StopCommonSound(g, "Clock01");
    else
      --ClockTimer;
  }

  std::array<Boxer, 2> Boxers{};
  std::array<uint16_t, 2> Hits{};
  int32_t TimeLeft = kBoutSeconds;
  uint16_t TimeTick = 0;
  uint8_t Result = Running, ResultTimer = 0, BloodCount = 0, DuckFlag = 0;
  std::array<BloodDrop, 10> Blood{};
  int32_t ClockTimer = 0;
  std::array<SpokenClip, 4> Clips{};
};

}  // namespace

std::unique_ptr<Scene> MakeBoxingScene(Game& g) { return std::make_unique<BoxingScene>(g); }

}  // namespace vepa
