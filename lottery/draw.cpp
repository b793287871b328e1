// The lottery draw, scene 24, shown as a television broadcast. The drum spins, six numbered
// balls roll out of it one by one onto the shelf while the assistants clap, then the announcer
// rises into view and reads the result, which his speech bubble shows as well. The six numbers
// are drawn here; the kiosk checks the player's tickets against them on return.
//
// Phases: 0 the drum spins, 1 the balls roll out, 2 the announcer speaks, 3 finished.
#include <array>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"

namespace vepa {
namespace {

// The music channel is stopped: the broadcast has its own sounds.
constexpr SceneEntries kEntries{
    .Background = "r_ltrz01", .Images = "s_ltrz01", .Music = "none", .Waves = "w_ltrz01"};

constexpr int kBalls = 6;
constexpr int kHighestNumber = 36;

// Where things are drawn.
constexpr int kDrumX = 268, kDrumY = 158;
constexpr int kAssistantsX = 120, kAssistantsY = 220;
constexpr int kHead1X = 147, kHead1Y = 186;
constexpr int kHead2X = 217, kHead2Y = 192;
constexpr int kShelfX = 200, kShelfY = 318;
constexpr int kAnnouncerX = 180;
constexpr int kMouthX = 247, kMouthDY = 64;
constexpr int kDeskX = 157, kDeskY = 382;
constexpr int kBubbleX = 290, kBubbleY = 60;

// The drum.
constexpr int kDrumFrames = 4;  // patterns 0..3 spin, 4 stands still
constexpr int kDrumStopped = 4;
constexpr int kHead1TurnsAfter = 35, kHead2TurnsAfter = 40, kDrumStopsAfter = 50;
constexpr int kHeadStartPattern = 2;

// The balls: each drops out of the drum's mouth onto the shelf, then rolls left to its place.
constexpr int kBallStartX = 335, kBallStartY = 305;
constexpr int kShelfTopY = 310;  // the ball drops while above it
constexpr int kDropStep = 3;
constexpr int kRollStep = 5, kRollTurn = 10;
constexpr int kRestX0 = 210, kRestStep = 25;  // ball i rests at x = 210 + 25 i
constexpr int kBallSize = 30, kDigitSize = 14;
constexpr int kDigitGlyph0 = 80;  // FontP glyphs 80..89 are the digits of style 1

// The clapping.
constexpr int kApplauseFrames = 80;
constexpr int kClapFrames = 5;  // patterns 1..5 clap, 0 stands still

// The announcer.
constexpr int kAnnouncerStartY = 390, kAnnouncerTopY = 180, kAnnouncerStep = 5;
constexpr int kAnnouncerSpeaksAtY = 300;
constexpr int kSpeechTicks = 150;
// His clip opens with a pause; the mouth moves only once the clip is past it (or, without
// sound, once the countdown has run down past the same moment).
constexpr uint32_t kMouthStartBytes = 28000;
constexpr int kMouthStartCountdown = 130;
constexpr int kMouthFrames = 5;

// The heads nod between these offsets while the announcer speaks.
constexpr int kNodStep = 2, kNodLowest = 4, kNodHighest = -1;

constexpr int kDrumRate = 8000, kApplauseRate = 8000, kAnnouncerRate = 22000;

struct Ball {
  int X = 0, Y = 0, Angle = 0;
};

class DrawScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.TakeStake = true})) return;
    Phase = 0;
    BallsOut = 0;
    Balls = {};
    DrumFrame = 0;
    DrumTimer = 0;
    g.DrawnNumbers.fill(0);
    HeadPattern = {kHeadStartPattern, kHeadStartPattern};
    ClapFrame = 0;
    HeadOffset = {0, 0};
    HeadDirection = {0, 1};  // the first head nods down first, the second up
    ApplauseTimer = 0;
    AnnouncerY = kAnnouncerStartY;
    MouthFrame = 0;
    // His clip is long; it is read with the scene so that the frame he starts in stays light.
    ReadSpokenClip(g, "tvroz01", AnnouncerClip);
    EnterScene(g, SceneId::Draw);
  }

  void Frame() override {
    g.layer.Draw(2, "Banka01", DrumFrame, kDrumX, kDrumY);
    g.layer.Draw(2, "Mans01", ClapFrame, kAssistantsX, kAssistantsY);
    g.layer.Draw(2, "Golova01", HeadPattern[0], kHead1X, kHead1Y + HeadOffset[0]);
    g.layer.Draw(2, "Golova02", HeadPattern[1], kHead2X, kHead2Y + HeadOffset[1]);
    // The steps run in order: a phase begun by one step is played by the next in the same frame.
    if (Phase == 0) SpinDrum();
    if (Phase == 1) RollBalls();
    if (Phase == 2) Announce();
    DrawBalls();
    g.layer.Draw(2, "Planka01", 0, kShelfX, kShelfY);
    if (Phase >= 2) {
      g.layer.Draw(2, "Man01", 0, kAnnouncerX, AnnouncerY);
      g.layer.Draw(2, "Rot01", MouthFrame, kMouthX, AnnouncerY + kMouthDY);
      if (AnnouncerY <= kAnnouncerTopY) DrawSpeechBubble(g, kBubbleX, kBubbleY, 0);
      g.layer.Draw(2, "Planka02", 0, kDeskX, kDeskY);
    }
    if (g.FadeMode == 0 && Phase == 3) StartClosing(g);
    ReturnToKioskWhenCovered(g, HubEntry::AfterDraw);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("Phase", Phase, "DrumTimer", DrumTimer, "DrumFrame", DrumFrame, "BallsOut", BallsOut);
    j.BeginArray("BallX");
    for (const Ball& b : Balls) j.Number(b.X);
    j.EndArray();
    j.BeginArray("BallY");
    for (const Ball& b : Balls) j.Number(b.Y);
    j.EndArray();
    j.BeginArray("BallAngle");
    for (const Ball& b : Balls) j.Number(b.Angle);
    j.EndArray();
    j.Fields("ClapFrame", ClapFrame, "ApplauseTimer", ApplauseTimer, "HeadPattern", HeadPattern,
             "HeadOffset", HeadOffset, "HeadDirection", HeadDirection, "AnnouncerY", AnnouncerY,
             "MouthFrame", MouthFrame);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    a.Entries.push_back("tvroz01");
    constexpr ImageUse kPictures[] = {{"s_ltrz01", "Banka01", kDrumStopped + 1},
                                      {"s_ltrz01", "Mans01", kClapFrames + 1},
                                      {"s_ltrz01", "Golova01", kHeadStartPattern + 1},
                                      {"s_ltrz01", "Golova02", kHeadStartPattern + 1},
                                      {"s_ltrz01", "Rot01", kMouthFrames},
                                      {"s_all01", "FontP", kDigitGlyph0 + 10},
                                      {"s_all01", "Bazar01", 1},
                                      {"s_all01", "Bazar02", 1}};
    DeclareImages(a, kPictures);
    for (const char* name : {"Ball01", "Planka01", "Planka02", "Man01"})
      a.Images.push_back({"s_ltrz01", name, 1});
    DeclareWaves(a, "w_ltrz01", {"Banka", "Aplod"});
  }

 private:
  void SpinDrum() {
    ++DrumTimer;
    if (g.FrameToggle == 1 && ++DrumFrame >= kDrumFrames) DrumFrame = 0;
    // The assistants turn from the drum to the camera just before it stops.
    if (DrumTimer > kHead1TurnsAfter && HeadPattern[0] > 0) --HeadPattern[0];
    if (DrumTimer > kHead2TurnsAfter && HeadPattern[1] > 0) --HeadPattern[1];
    Wave* rattle = g.SoundAvailable ? g.layer.FindWave(2, "Banka") : nullptr;
    if (rattle && !g.layer.IsPlaying(rattle)) PlaySceneSound(g, "Banka", kDrumRate);
    if (DrumTimer > kDrumStopsAfter) {
      if (rattle) g.layer.Stop(rattle);
      Phase = 1;
      DrumFrame = kDrumStopped;
      DrawNumbers();
      BallsOut = 1;
      Balls[0] = {kBallStartX, kBallStartY, 0};
      PlaySceneSound(g, "Aplod", kApplauseRate);
      ApplauseTimer = kApplauseFrames;
      ClapFrame = 1;
    }
  }

  // Six different numbers of 1..36, in the order drawn.
  void DrawNumbers() {
    for (int i = 0; i < kBalls; ++i) {
      int n = 0;
      bool taken = true;
      while (taken) {
        n = g.Random(kHighestNumber) + 1;
        taken = false;
        for (int k = 0; k < i; ++k) taken = taken || g.DrawnNumbers[k] == n;
      }
      g.DrawnNumbers[i] = static_cast<uint8_t>(n);
    }
  }

  void RollBalls() {
    if (ApplauseTimer > 0) --ApplauseTimer;
    Clap();
    Ball& b = Balls[BallsOut - 1];
    const int index = BallsOut - 1;
    if (b.Y < kShelfTopY) {
      b.Y += kDropStep;
    } else if (b.X > kRestX0 + kRestStep * index) {
      b.X -= kRollStep;
      b.Angle -= kRollTurn;
      if (g.FrameToggle == 1) ++b.Y;  // the shelf slopes down to the left
    } else if (BallsOut < kBalls) {
      Balls[BallsOut++] = {kBallStartX, kBallStartY, 0};
    } else {
      StartAnnouncer();
    }
  }

  // The assistants clap while the applause lasts, then finish the clap they are in.
  void Clap() {
    if (ClapFrame == 0) return;
    Wave* applause = g.SoundAvailable ? g.layer.FindWave(2, "Aplod") : nullptr;
    const bool applauding =
        g.SoundAvailable ? applause && g.layer.IsPlaying(applause) : ApplauseTimer > 0;
    // Once the applause is over the clap in hand is finished: back to 1 for a frame, then 0.
    if (!applauding && ClapFrame == 1) {
      ClapFrame = 0;
      return;
    }
    if (++ClapFrame > kClapFrames) ClapFrame = 1;
  }

  void StartAnnouncer() {
    Phase = 2;
    AnnouncerY = kAnnouncerStartY;
    MouthFrame = 0;
    auto& s = g.SpeechRecord;
    s.LineShift = 0;
    s.Lines[0].clear();
    s.Lines[1] = Cp1251("ВЫПАЛИ НОМЕРА");
    s.Lines[2] = JoinNumbers(0);
    s.Lines[3] = JoinNumbers(3);
    s.Lines[4].clear();
  }

  std::string JoinNumbers(int first) const {
    std::string line;
    for (int i = first; i < first + 3; ++i) {
      if (i > first) line += " - ";
      line += std::to_string(g.DrawnNumbers[i]);
    }
    return line;
  }

  void Announce() {
    if (AnnouncerY == kAnnouncerSpeaksAtY) {
      SayClip(g, AnnouncerClip, kAnnouncerRate);
      g.SpeechCountdown = kSpeechTicks;
    }
    if (AnnouncerY > kAnnouncerTopY) AnnouncerY -= kAnnouncerStep;
    if (g.layer.KeyPressed(key::Esc)) StopSpeech(g);
    if (g.FrameToggle == 1 && MouthMoves()) MouthFrame = g.Random(kMouthFrames);
    if (IsSpeaking(g)) {
      for (int h = 0; h < 2; ++h) Nod(h);
    } else {
      MouthFrame = 0;
      if (AnnouncerY <= kAnnouncerTopY) Phase = 3;
    }
  }

  bool MouthMoves() {
    if (!g.SoundAvailable) return g.SpeechCountdown < kMouthStartCountdown;
    WaveList* channels = g.layer.Waves(4);
    Wave* speech = channels ? channels->WaveItem(0) : nullptr;
    return speech && g.layer.GetPosition(speech) > kMouthStartBytes;
  }

  void Nod(int h) {
    if (HeadDirection[h] == 0) {
      HeadOffset[h] += kNodStep;
      if (HeadOffset[h] > kNodLowest) HeadDirection[h] = 1;
    } else {
      HeadOffset[h] -= kNodStep;
      if (HeadOffset[h] < kNodHighest) HeadDirection[h] = 0;
    }
  }

  // Each ball with its number turned with it: one digit sits on the ball's centre, two sit
  // side by side across it.
  void DrawBalls() {
    const Image* ball = g.layer.FindImage(2, "Ball01");
    const Image* font = g.layer.FindImage(1, "FontP");
    for (int i = 0; i < BallsOut; ++i) {
      const Ball& b = Balls[i];
      g.layer.DrawPatternRotated(ball, 0, b.X, b.Y, kBallSize, kBallSize, 0.5, 0.5, b.Angle);
      const int n = g.DrawnNumbers[i];
      auto digit = [&](int d, double cx) {
        g.layer.DrawPatternRotated(font, kDigitGlyph0 + d, b.X, b.Y, kDigitSize, kDigitSize, cx,
                                   0.5, b.Angle);
      };
      if (n < 10) {
        digit(n, 0.3);
      } else {
        digit(n / 10, 0.7);
        digit(n % 10, 0.0);
      }
    }
  }

  int Phase = 0;
  int DrumTimer = 0;
  int DrumFrame = 0;
  int BallsOut = 0;
  std::array<Ball, kBalls> Balls{};
  int ClapFrame = 0;
  int ApplauseTimer = 0;
  std::array<int, 2> HeadPattern{kHeadStartPattern, kHeadStartPattern};
  std::array<int, 2> HeadOffset{};
  std::array<int, 2> HeadDirection{0, 1};
  int AnnouncerY = kAnnouncerStartY;
  int MouthFrame = 0;
  SpokenClip AnnouncerClip;
};

}  // namespace

std::unique_ptr<Scene> MakeDrawScene(Game& g) { return std::make_unique<DrawScene>(g); }

}  // namespace vepa
