// The cockroach race, scene 40. Four cockroaches wait in their stalls behind a barrier; the
// race caller asks the player to pick a favourite, the player clicks one of the four lanes, the
// barrier lifts and the cockroaches run by themselves: every frame each one changes its speed
// and heading a little at random, stops when it runs into another or into a wall of the track's
// hit map, until one touches the finish. The player's favourite pays 25 dollars.
//
// Race states: 0 the caller's line starts, 1 it plays, 2 waiting for the bet, 3 the barrier
// lifts, 4 racing, 5 a cockroach has finished, 6 the player's line plays, 7 leaving. The
// cockroaches keep running from 4 on until the screen has closed.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/race_layout.h"

namespace vepa {
namespace {

using namespace race;

constexpr SceneEntries kEntries{.Background = "r_tark01",
                                .Images = "s_tark01",
                                .Music = "m_vepa4",
                                .MusicOffset = 200,
                                .Waves = "w_tark01",
                                .HitMap = "b_tark01"};

enum RaceStates {
  kOpeningStarts = 0,
  kOpeningPlays = 1,
  kWaitingForBet = 2,
  kBarrierLifts = 3,
  kRacing = 4,
  kFinished = 5,
  kResultPlays = 6,
  kLeaving = 7,
};

enum BubbleKinds { kHostBubble = 2, kPlayerBubble = 3 };

constexpr int kTopSpeed = 6;
constexpr int kBarrierSteps = 6;  // the barrier is gone once GateStep reaches 6
// The heading counts 255 units to the full turn when it steers the cockroach.
constexpr double kRadiansPerUnit = 2 * 3.14159265358979323846 / 255;
// Two cockroaches closer than this on both axes are touching.
constexpr float kTouch = 25;
// The finish is looked for under the centre and 10 pixels to each side of it, so a cockroach
// squeezed into a wall band still finishes.
constexpr float kFinishReach = 10;
constexpr int kPanPerPixel = 90;
constexpr int kRunVolume = -200;
constexpr int kPrize = 25;
constexpr int kMouthPatterns = 5;

constexpr const char* kRunSounds[Cockroaches] = {"Tarak01", "Tarak02", "Tarak03", "Tarak04"};

struct Cockroach {
  float X = StartX, Y = 0;
  int32_t Heading = 0;
  int Speed = 0;
  float VX = 0, VY = 0;
  int LegFrame = 0;
  int LegPattern = 0;
  int Marker = MarkerNone;
};

class RaceScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, kGameStart)) return;
    RaceState = kOpeningStarts;
    GateStep = 0;
    RaceMouth = 0;
    Winner = 0;
    // A new race waits for the player to point at a lane: a click before that does nothing.
    PointedLane = 0;
    BoxPress = false;
    for (int i = 1; i <= Cockroaches; ++i) {
      Cockroach& c = Roach(i);
      c = Cockroach{};
      c.Y = static_cast<float>(LaneY(i));
    }
    for (std::string& line : g.SpeechRecord.Lines) line.clear();
    // The clips are read with the scene so that the frames they start in stay light.
    ReadSpokenClip(g, "trk003", OpeningClip);
    ReadSpokenClip(g, "trk004", WinClip);
    ReadSpokenClip(g, "trk005", LossClip);
    EnterScene(g, SceneId::CockroachRace);
  }

  void Frame() override {
    // A press the exit box has seen is the box's; it is over once the hand is idle again.
    if (g.ClickState == 0) BoxPress = false;
    OpeningLine();
    if (RaceState < kBarrierLifts) TakeBet();
    if (RaceState == kBarrierLifts) LiftBarrier();
    if (RaceState >= kRacing) {
      for (int i = 1; i <= Cockroaches; ++i) Run(i);
    }
    ResultLine();
    Draw();
    if (g.ExitMenuState == 0) ExitBoxWatchEsc(g);
    if (g.ExitMenuState == 1) {
      if (g.ClickState == 1) BoxPress = true;
      ExitBox(g);
    }
    PointerPressStep(g);
    DrawPointer(g);
    Leave();
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("RaceState", RaceState, "GateStep", GateStep, "BubbleKind", BubbleKind, "Winner",
             Winner, "PointedLane", PointedLane, "RaceMouth", RaceMouth);
    auto each = [&](std::string_view key, auto value) {
      j.BeginArray(key);
      for (const Cockroach& c : Roaches) j.Number(value(c));
      j.EndArray();
    };
    // Positions as drawn (nearest pixel); this frame's motion in thousandths of a pixel.
    each("X", [](const Cockroach& c) { return Nearest(c.X); });
    each("Y", [](const Cockroach& c) { return Nearest(c.Y); });
    each("Heading", [](const Cockroach& c) { return c.Heading; });
    each("Speed", [](const Cockroach& c) { return c.Speed; });
    each("VXMilli", [](const Cockroach& c) { return Nearest(c.VX * 1000); });
    each("VYMilli", [](const Cockroach& c) { return Nearest(c.VY * 1000); });
    each("LegFrame", [](const Cockroach& c) { return c.LegFrame; });
    each("LegPattern", [](const Cockroach& c) { return c.LegPattern; });
    each("Marker", [](const Cockroach& c) { return c.Marker; });
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const char* clip : {"trk003", "trk004", "trk005"}) a.Entries.push_back(clip);
    constexpr ImageUse kPictures[] = {{"s_tark01", "Tarak01", 3},
                                      {"s_tark01", "Tarak02", MarkerPlayer + 1},
                                      {"s_tark01", "Money01", 1},
                                      {"s_tark01", "Palka01", 1}};
    DeclareImages(a, kPictures);
    DeclarePointer(a);
    a.Images.push_back({"s_all01", "PlRot01", kMouthPatterns});
    DeclareSpeechBubble(a);
    DeclareExitBox(a);
    for (const char* wave : kRunSounds) a.Waves.push_back({"w_tark01", wave});
    DeclareWaves(a, "w_tark01", {"Boom01", "Lift01"});
    a.Waves.push_back({"w_all01", "Boom07"});
  }

 private:
  Cockroach& Roach(int i) { return Roaches[i - 1]; }

  // The hit code under a point of the track; off the map is free track.
  uint8_t CodeAt(float px, float py) const {
    const int row = Nearest(py * 0.5f), col = Nearest(px * 0.5f);
    if (row < 0 || row >= 240 || col < 0 || col >= 320) return FreeTrack;
    return g.HitMap[static_cast<size_t>(row) * 320 + col];
  }

  void OpeningLine() {
    if (RaceState == kOpeningStarts) {
      SetSubtitles(g, {"", "ДЛЯ НАЧАЛА", "ВЫБЕРИ СВОЕГО", "ЛЮБИМОГО ТАРАКАНА"});
      SayClip(g, OpeningClip, HostRate);
      BubbleKind = kHostBubble;
      RaceState = kOpeningPlays;
    } else if (RaceState == kOpeningPlays && !IsSpeaking(g)) {
      RaceState = kWaitingForBet;
    }
  }

  // The bet may be placed while the caller still speaks; it goes on the lane the pointer was
  // last over, wherever the click is.
  void TakeBet() {
    for (int j = 1; j <= Cockroaches; ++j) {
      if (g.MouseX > ChoiceLeft && g.MouseX < ChoiceRight && g.MouseY > LaneTop(j) &&
          g.MouseY < LaneTop(j) + LaneWidth)
        PointedLane = static_cast<uint8_t>(j);
    }
    // A click on the exit box's buttons is no bet.
    if (g.ClickState != 1 || g.HandFrame != 1 || BoxPress) return;
    if (PointedLane < 1 || PointedLane > Cockroaches) return;
    Roach(PointedLane).Marker = MarkerPlayer;
    // The other three get markers 1, 2 and 3 in random order.
    for (int k = 1; k <= 3; ++k) {
      int m = 0;
      do {
        m = g.Random(Cockroaches) + 1;
      } while (Roach(m).Marker != MarkerNone);
      Roach(m).Marker = k;
    }
    StopSpeech(g);
    RaceState = kBarrierLifts;
    PlaySceneSound(g, "Boom01", EffectRate);
  }

  void LiftBarrier() {
    if (GateStep == 0) PlaySceneSound(g, "Lift01", EffectRate);
    ++GateStep;
    if (GateStep >= kBarrierSteps) RaceState = kRacing;
  }

  void Run(int i) {
    Cockroach& c = Roach(i);
    c.Speed = std::clamp(c.Speed + g.Random(3) - 1, 0, kTopSpeed);
    const int turn = g.Random(9) - 4;
    if (c.Speed > 0) c.Heading += turn;  // one standing still does not turn
    const uint8_t code = CodeAt(c.X, c.Y);
    const double angle = c.Heading * kRadiansPerUnit;
    c.VX = static_cast<float>(std::cos(angle) * c.Speed);
    c.VY = static_cast<float>(std::sin(angle) * c.Speed);
    Bump(i);
    HitWalls(c, code);
    c.X += c.VX;
    c.Y += c.VY;
    Scuttle(i);
    if (RaceState < kFinished) {
      // Later cockroaches of the same frame no longer test: the lower number wins a tie.
      if (CodeAt(c.X, c.Y) == Finish || CodeAt(c.X, c.Y + kFinishReach) == Finish ||
          CodeAt(c.X, c.Y - kFinishReach) == Finish) {
        RaceState = kFinished;
        Winner = i;
      }
    }
  }

  // Running into another cockroach stops the motion towards it and turns the runner a little.
  void Bump(int i) {
    Cockroach& c = Roach(i);
    for (int j = 1; j <= Cockroaches; ++j) {
      if (j == i) continue;
      const Cockroach& o = Roach(j);
      if (o.Y > c.Y - kTouch && o.Y < c.Y + kTouch &&
          ((c.VX > 0 && o.X > c.X && o.X < c.X + kTouch) ||
           (c.VX < 0 && o.X > c.X - kTouch && o.X < c.X))) {
        c.VX = 0;
        c.Heading += (c.Heading & 0xFF) <= 128 ? 2 : -2;
      }
      if (o.X > c.X - kTouch && o.X < c.X + kTouch &&
          ((c.VY > 0 && o.Y > c.Y && o.Y < c.Y + kTouch) ||
           (c.VY < 0 && o.Y > c.Y - kTouch && o.Y < c.Y))) {
        c.VY = 0;
        c.Heading += ((c.Heading - 64) & 0xFF) <= 128 ? -2 : 2;
      }
    }
  }

  // A wall stops the motion into it and halves the motion along it.
  static void HitWalls(Cockroach& c, uint8_t code) {
    const bool left = code == WallLeft || code == CornerLeftAbove || code == CornerLeftBelow;
    const bool right = code == WallRight || code == CornerRightAbove || code == CornerRightBelow;
    const bool above = code == WallAbove || code == CornerRightAbove || code == CornerLeftAbove;
    const bool below = code == WallBelow || code == CornerRightBelow || code == CornerLeftBelow;
    if ((left && c.VX < 0) || (right && c.VX > 0)) {
      c.VY = c.VY * 0.5f;
      c.VX = 0;
    }
    if ((above && c.VY < 0) || (below && c.VY > 0)) {
      c.VX = c.VX * 0.5f;
      c.VY = 0;
    }
  }

  // The legs and the patter of feet: both stop whenever the cockroach hardly moves sideways.
  void Scuttle(int i) {
    Cockroach& c = Roach(i);
    Wave* feet = g.SoundAvailable ? g.layer.FindWave(2, kRunSounds[i - 1]) : nullptr;
    if (Nearest(std::fabs(c.VX)) < 1) {
      if (feet) g.layer.Stop(feet);
      return;
    }
    if (g.Random(2) == 1) {
      c.LegFrame = (c.LegFrame + 1) % 4;
      c.LegPattern = c.LegFrame == 3 ? 1 : c.LegFrame;
    }
    if (feet) {
      g.layer.SetPan(feet, Nearest(c.X - 320) * kPanPerPixel);
      g.layer.SetFrequency(feet, RunRate);
      g.layer.SetVolume(feet, kRunVolume);
      g.layer.Play(feet, false);  // one still playing goes on
    }
  }

  void ResultLine() {
    if (RaceState == kFinished) {
      if (PlayerWon()) {
        SetSubtitles(g, {"", "", "Я ПОБЕДИЛ"});
        SayClip(g, WinClip, PlayerRate);
      } else {
        SetSubtitles(g, {"", "", "Я ПРОИГРАЛ"});
        SayClip(g, LossClip, PlayerRate);
      }
      BubbleKind = kPlayerBubble;
      RaceState = kResultPlays;
    } else if (RaceState == kResultPlays && !IsSpeaking(g)) {
      RaceState = kLeaving;
    }
  }

  bool PlayerWon() const {
    return Winner >= 1 && Winner <= Cockroaches && Roaches[Winner - 1].Marker == MarkerPlayer;
  }

  void Draw() {
    g.layer.Draw(2, "Money01", 0, MoneyX, MoneyY);
    if (GateStep < kBarrierSteps) {
      g.layer.DrawPatternAlpha(g.layer.FindImage(2, "Palka01"), 0,
                               Rect{BarrierLeft + GateStep, BarrierTop + GateStep,
                                    BarrierRight - GateStep, BarrierBottom - GateStep},
                               1000);
    }
    const Image* body = g.layer.FindImage(2, "Tarak01");
    const Image* marker = g.layer.FindImage(2, "Tarak02");
    for (const Cockroach& c : Roaches) {
      const int x = Nearest(c.X), y = Nearest(c.Y);
      g.layer.DrawPatternRotated(body, c.LegPattern, x, y, CockroachSize, CockroachSize, 0.5, 0.5,
                                 c.Heading);
      g.layer.DrawPatternRotated(marker, c.Marker, x, y, MarkerSize, MarkerSize, 0.5, 0.5,
                                 c.Heading);
    }
    if (RaceState == kOpeningPlays || RaceState == kResultPlays) DrawBubble();
  }

  void DrawBubble() {
    switch (BubbleKind) {
      case 0:
        DrawSpeechBubble(g, 20, 60, 1);
        break;
      case 1:
        DrawSpeechBubble(g, 420, 60, 3);
        break;
      case kHostBubble:
        DrawSpeechBubble(g, HostBubbleX, HostBubbleY, 2);
        break;
      case kPlayerBubble:
        if (g.FrameToggle == 1) RaceMouth = static_cast<uint8_t>(g.Random(kMouthPatterns));
        g.layer.Draw(1, "PlRot01", RaceMouth, PlayerMouthX, PlayerMouthY);
        DrawSpeechBubble(g, PlayerBubbleX, PlayerBubbleY, 0);
        break;
      default:
        break;
    }
  }

  void Leave() {
    if (g.FadeMode == 0 && (g.ExitMenuState == 2 || RaceState == kLeaving)) StartClosing(g);
    if (!ScreenCovered(g)) return;
    if (g.SoundAvailable) {
      for (const char* name : kRunSounds)
        if (Wave* feet = g.layer.FindWave(2, name)) g.layer.Stop(feet);
    }
    // Leaving through the exit box forfeits the prize.
    g.GameWinnings = PlayerWon() && g.ExitMenuState != 2 ? kPrize : 0;
    ReturnToKiosk(g, HubEntry::AfterGame);
  }

  int RaceState = kOpeningStarts;
  int GateStep = 0;
  int BubbleKind = 0;
  int Winner = 0;
  uint8_t PointedLane = 0;
  uint8_t RaceMouth = 0;
  // The press now under way was made while the exit box was open.
  bool BoxPress = false;
  std::array<Cockroach, Cockroaches> Roaches{};
  SpokenClip OpeningClip, WinClip, LossClip;
};

}  // namespace

std::unique_ptr<Scene> MakeRaceScene(Game& g) { return std::make_unique<RaceScene>(g); }

}  // namespace vepa
