// The hammer, scene 21. A hand lies on the table with its fingers spread; a hammer moves from
// finger to finger and strikes one chosen at random. The player lifts one finger at a time
// with the keys 1..5 or the arrows: a strike on a lifted finger scores a point, a strike on
// one that is down injures it (bandaged, it can no longer be lifted or struck). The third
// injury ends the game; the hammer speeds up as the score grows. The kiosk pays half the
// score, at most 25 dollars.
//
// States: 0 an intro phrase, 1 waiting for the middle finger, 2 choosing the target, 3 moving
// from hole to hole, 4 striking.
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
#include "minigames/hammer_layout.h"

namespace vepa {
namespace {

using namespace hammer;

constexpr SceneEntries kEntries{.Background = hammer::Background,
                                .Images = hammer::Images,
                                .Music = "m_vepa4",
                                .MusicOffset = 200,
                                .Waves = hammer::Waves};

constexpr int kMiddleFinger = 2;
constexpr int kLastInjury = 3;
// After the third injury Injuries goes on counting ticks: the screen starts to close at 20
// and the count stops at 100.
constexpr int kCloseAt = 20, kCountEnd = 100;
constexpr int kMaxPrize = 25;
constexpr int kSnap = 4;  // the hammer snaps onto its point from closer than this

constexpr int kIntroRate = 11000, kCryRate = 12000;
constexpr int kInjuryRate = 11000, kScoreRate = 22000;

constexpr const char* kSwingPictures[SwingPictures] = {"Molot11", "Molot12", "Molot13"};
constexpr const char* kFingerPictures[Fingers] = {"Palec01", "Palec02", "Palec03", "Palec04",
                                                  "Palec05"};
constexpr const char* kBandagePictures[Fingers] = {"Palec11", "Palec12", "Palec13", "Palec14",
                                                   "Palec15"};

// The hammer's motion per tick is this part of the way between two holes: faster with
// every ten points, from 40 on it stays at its fastest.
float SpeedFactor(int score) {
  if (score < 10) return 0.1f;
  if (score < 20) return 0.15f;
  if (score < 30) return 0.2f;
  if (score < 40) return 0.25f;
  return 0.3f;
}

// What a round starts from: the hammer resting over the middle finger, nothing lifted, hurt or
// scored yet.
struct HammerRound {
  int HammerState = 0;
  int IntroPhrases = 0;
  int TargetFinger = kMiddleFinger, HoleNow = kMiddleFinger, HoleLast = kMiddleFinger;
  int PointX = Holes[kMiddleFinger].X, PointY = Holes[kMiddleFinger].Y;
  float HammerX = static_cast<float>(PointX), HammerY = static_cast<float>(PointY);
  float StepX = 0, StepY = 0;
  int SwingStep = 0;
  int SwingBack = 0;
  int Injuries = 0;
  uint16_t Score = 0;
  int LiftedFinger = 0;
  std::array<int, Fingers> Lift{}, Injured{}, KeyHeld{};
};

class HammerScene : public Scene, private HammerRound {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.TakeStake = true, .NothingWon = true})) return;
    static_cast<HammerRound&>(*this) = {};
    EnterScene(g, SceneId::Hammer);
  }

  void Frame() override {
    g.layer.Draw(2, "Tablo01", 0, BoardAt.X, BoardAt.Y);
    const std::string digits = std::to_string(Score);
    DrawDigits(g, DigitsX - 4 * static_cast<int>(digits.size()), DigitsY, digits);
    switch (HammerState) {
      case 0:
        SayIntro();
        break;
      case 1:
        WaitForStart();
        break;
      case 2:
        ChooseTarget();
        break;
      case 3:
        MoveHammer();
        break;
      case 4:
        if (g.FrameToggle == 1) Strike();
        break;
      default:
        break;
    }
    for (int i = 0; i < Fingers; ++i) MoveFinger(i);
    Draw();
    if (Injuries >= kLastInjury && Injuries < kCountEnd) ++Injuries;
    if (g.FadeMode == 0 && Injuries == kCloseAt) StartClosing(g);
    if (Injuries >= kLastInjury) PayPrizeWhenCovered(g, std::min(Score / 2, kMaxPrize));
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("HammerState", HammerState, "IntroPhrases", IntroPhrases, "TargetFinger", TargetFinger,
             "HoleNow", HoleNow, "HoleLast", HoleLast, "PointX", PointX, "PointY", PointY);
    // The hammer's position and step are fractional: the position as drawn (nearest pixel),
    // and both in hundredths.
    j.Fields("HammerX", Nearest(HammerX), "HammerY", Nearest(HammerY), "HammerX100",
             std::lround(HammerX * 100), "HammerY100", std::lround(HammerY * 100), "StepX100",
             std::lround(StepX * 100), "StepY100", std::lround(StepY * 100), "SwingStep", SwingStep,
             "SwingBack", SwingBack, "Injuries", Injuries, "Score", Score, "LiftedFinger",
             LiftedFinger, "Lift", Lift, "Injured", Injured, "KeyHeld", KeyHeld);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const char* clip : {"mol001", "mol002", "mol005", "mol006", "mol007"})
      a.Entries.push_back(clip);
    a.Images.push_back({hammer::Images, "Tablo01", 1});
    a.Images.push_back({hammer::Images, "Ruka01", 1});
    for (int i = 0; i < Fingers; ++i) {
      a.Images.push_back({hammer::Images, kFingerPictures[i], LiftPatterns});
      a.Images.push_back({hammer::Images, kBandagePictures[i], 1});
    }
    for (const char* name : kSwingPictures) a.Images.push_back({hammer::Images, name, 1});
    a.Images.push_back({"s_all01", "EFont01", 10});
    DeclareSpeechBubble(a);
    DeclareWaves(a, hammer::Waves, {"Boom01", "Boom02"});
  }

 private:
  bool AtPoint() const {
    return HammerX == static_cast<float>(PointX) || HammerY == static_cast<float>(PointY);
  }

  void SayIntro() {
    if (IntroPhrases == 0) {
      SayWave(g, "mol001", kIntroRate);
      SetSubtitles(g, {"КЛАВИШИ", "1 2 3 4 5", "ИЛИ СТРЕЛКИ", "ПОДНИМАЮТ", "ПАЛЬЦЫ"});
    } else {
      SayWave(g, "mol002", kIntroRate);
      SetSubtitles(g, {"", "ДЛЯ НАЧАЛА", "ИГРЫ, ПОДНИМИ", "СРЕДНИЙ ПАЛЕЦ"});
    }
    ++IntroPhrases;
    HammerState = 1;
  }

  void WaitForStart() {
    const bool speaking = IsSpeaking(g);
    if (IntroPhrases < 2 || speaking) DrawSpeechBubble(g, BubbleAt.X, BubbleAt.Y, 2);
    if (IntroPhrases == 1 && !speaking) HammerState = 0;
    // Lifting the middle finger starts the game, even in the middle of the instructions.
    if (KeyHeld[kMiddleFinger] == 1) {
      if (speaking) StopSpeech(g);
      HammerState = 2;
    }
  }

  void ChooseTarget() {
    if (Injuries >= kLastInjury) return;
    do {
      TargetFinger = g.Random(Fingers);
    } while (Injured[TargetFinger] != 0);
    HammerState = 3;
  }

  void MoveHammer() {
    // One hole at a time towards the target, so the hammer passes over every finger between.
    if (HoleNow < TargetFinger && AtPoint()) ++HoleNow;
    if (HoleNow > TargetFinger && AtPoint()) --HoleNow;
    if (HoleNow != HoleLast) {
      const int oldX = PointX, oldY = PointY;
      PointX = Holes[HoleNow].X;
      PointY = Holes[HoleNow].Y;
      const float f = SpeedFactor(Score);
      StepX = static_cast<float>(oldX - PointX) * f;
      StepY = static_cast<float>(oldY - PointY) * f;
      HoleLast = HoleNow;
    }
    if (HammerX != static_cast<float>(PointX) || HammerY != static_cast<float>(PointY)) {
      HammerX -= StepX;
      HammerY -= StepY;
      if (std::fabs(HammerX - static_cast<float>(PointX)) < kSnap ||
          std::fabs(HammerY - static_cast<float>(PointY)) < kSnap) {
        HammerX = static_cast<float>(PointX);
        HammerY = static_cast<float>(PointY);
      }
    }
    if (HoleNow == TargetFinger && AtPoint()) {
      HammerState = 4;
      SwingStep = 0;
      SwingBack = 0;
    }
  }

  void Strike() {
    if (SwingBack == 0) {
      if (SwingStep > 1) {
        SwingBack = 1;
        HitFinger(TargetFinger);
      } else {
        ++SwingStep;
      }
    }
    if (SwingBack == 1) {
      if (SwingStep < 1) {
        SwingBack = 0;
        HammerState = 2;
      } else {
        --SwingStep;
      }
    }
  }

  void HitFinger(int i) {
    if (Lift[i] > 0) {
      ++Score;
      PlaySceneSound(g, "Boom02", kScoreRate);
      return;
    }
    Injured[i] = 1;
    PlaySceneSound(g, "Boom01", kInjuryRate);
    ++Injuries;
    SayWave(g, "mol00" + std::to_string(g.Random(3) + 5), kCryRate);
  }

  // The keys of a finger: its digit, or the arrows the way they point at it.
  bool FingerKey(int i) const {
    const Layer& k = g.layer;
    const bool left = k.KeyPressed(key::Left), up = k.KeyPressed(key::Up),
               right = k.KeyPressed(key::Right);
    if (k.KeyPressed(key::Digit0 + 1 + i)) return true;
    switch (i) {
      case 0:
        return left && !up;
      case 1:
        return left && up;
      case 2:
        return up && !left && !right;
      case 3:
        return right && up;
      default:
        return right && !up;
    }
  }

  // Only the finger pressed last is up: a new press takes the lift from the one before, and
  // letting go lowers the finger even while an older key is still held.
  void MoveFinger(int i) {
    if (Injured[i] == 0) {
      const bool down = FingerKey(i);
      if (down && KeyHeld[i] == 0) {
        LiftedFinger = i + 1;
        KeyHeld[i] = 1;
      } else if (!down && KeyHeld[i] == 1) {
        if (LiftedFinger == i + 1) LiftedFinger = 0;
        KeyHeld[i] = 0;
      }
    }
    if (LiftedFinger == i + 1)
      Lift[i] = std::min(Lift[i] + 1, LiftPatterns - 1);
    else
      Lift[i] = std::max(Lift[i] - 1, 0);
  }

  void Draw() {
    g.layer.Draw(2, "Ruka01", 0, HandAt.X, HandAt.Y);
    for (int i = 0; i < Fingers; ++i)
      if (Injured[i] != 0) g.layer.Draw(2, kBandagePictures[i], 0, BandageAt[i].X, BandageAt[i].Y);
    for (int i = 0; i < Fingers; ++i)
      if (Injured[i] == 0 && Lift[i] == 0)
        g.layer.Draw(2, kFingerPictures[i], 0, FingerAt[i].X, FingerAt[i].Y);
    for (int i = 0; i < Fingers; ++i)
      if (Lift[i] > 0) g.layer.Draw(2, kFingerPictures[i], Lift[i], FingerAt[i].X, FingerAt[i].Y);
    g.layer.Draw(2, kSwingPictures[std::clamp(SwingStep, 0, SwingPictures - 1)], 0,
                 Nearest(HammerX), Nearest(HammerY));
  }
};

}  // namespace

std::unique_ptr<Scene> MakeHammerScene(Game& g) { return std::make_unique<HammerScene>(g); }

}  // namespace vepa
