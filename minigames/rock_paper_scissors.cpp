// Rock-paper-scissors, scene 15. Two arms slide in from the screen edges and swing while the
// voice counts "РАЗ, ДВА, ТРИ"; meanwhile the player picks rock, scissors or paper with the
// buttons at the top. Then both hands open into their shapes and the voice comments the
// result: a win pays 6 dollars, a draw 3, a loss nothing.
//
// States: 0 arms sliding in, 1 counting and choosing, 2 arms to the throw position, 3 hands
// opening, 4 result spoken, 5 leave.
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/rps_layout.h"

namespace vepa {
namespace {

using namespace rps;

constexpr SceneEntries kEntries{.Background = rps::Background,
                                .Images = rps::Images,
                                .Music = "m_vepa4",
                                .HitMap = rps::HitMap};

constexpr int kArmsStartOffset = 180, kArmsSlideStep = 5;
constexpr int kLeftStartAngle = -20, kRightStartAngle = -20;
// The count runs at least this many ticks before "РАЗ"; then 41..43 are the three words.
constexpr int kCountTicks = 40;
constexpr int kEndTicks = 20;  // the result stays at least this long after its phrase starts
constexpr int kSpeechRate = 14000, kClickRate = 11000;

// The pointer's fingertip lies at (+5, +25) from its position.
constexpr int kTipDX = 5, kTipDY = 25;

// The bounds of one arm's swing: rising it turns at or above TurnUp, may turn at random from
// MayTurnUp up; falling it turns below TurnDown, may turn at random up to MayTurnDown.
struct SwingBounds {
  int TurnUp, MayTurnUp, TurnDown, MayTurnDown;
};
constexpr SwingBounds kLeftSwing{-9, -14, -20, -16};
constexpr SwingBounds kRightSwing{-19, -24, -30, -26};

// How the two arms are drawn: the opened hand at its place, and the arm sliding in from its
// side (Side times the arms' offset), the fist on the arm's circle at the arm's angle plus
// FistTurn (mirrored on the left) and the forearm turned to the angle plus ForearmTurn.
struct ArmLook {
  const char* Hand;
  int HandX, HandY;
  int Side;  // -1 left, 1 right
  int ElbowX;
  int FistTurn, ForearmTurn;
  int Forearm;  // the sleeve's pattern of "Ruka03"
};
// The player's arm, then the opponent's.
constexpr ArmLook kArms[2] = {
    {"Ruka04", PlayerHandX, PlayerHandY, -1, LeftElbowX, -4, 0, PlayerForearm},
    {"Ruka02", OpponentHandX, OpponentHandY, 1, RightElbowX, -84, -90, OpponentForearm},
};

// What the player says about the result, by his shape and the opponent's.
struct Result {
  int Prize;
  int LineShift;
  const char* Lines[3];
  const char* Phrase;
};
constexpr Result kDraw{3, 0, {"", "ПОБЕДИЛА ДРУЖБА", ""}, "knd05"};
// kResults[player][opponent]; the diagonal is the draw.
constexpr Result kResults[ShapeCount][ShapeCount] = {
    {kDraw,
     {6, 0, {"МОЙ КАМЕНЬ", "ПОГНЕТ", "ТВОИ НОЖНИЦЫ"}, "knd06"},
     {0, 0, {"ТЫ ОБЕРНУЛ", "МОЙ КАМЕНЬ", "СВОЕЙ БУМАГОЙ"}, "knd08"}},
    {{0, 0, {"Я СЛОМАЛ", "МОИ НОЖНИЦЫ ОБ", "ТВОЙ КАМЕНЬ"}, "knd09"},
     kDraw,
     {6, 1, {"Я ПОРЕЖУ", "ТВОЮ БУМАГУ", ""}, "knd10"}},
    {{6, 0, {"Я ОБЕРНУЛ", "СВОЕЙ БУМАГОЙ", "ТВОЙ КАМЕНЬ"}, "knd11"},
     {0, 1, {"ТЫ ПОРЕЗАЛ", "МОЮ БУМАГУ", ""}, "knd13"},
     kDraw},
};

// The point on the arm's circle for an angle in 1/255 turn, rounded to the nearest pixel
// (halves to even).
int CircleX(int v) {
  return static_cast<int>(std::nearbyint(ArmRadius * std::cos(v * 2 * std::numbers::pi / 255)));
}
int CircleY(int v) {
  return static_cast<int>(std::nearbyint(ArmRadius * std::sin(v * 2 * std::numbers::pi / 255)));
}

class RockPaperScissorsScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, kGameStart)) return;
    RpsState = 0;
    ArmsOffset = kArmsStartOffset;
    LeftAngle = kLeftStartAngle;
    RightAngle = kRightStartAngle;
    LeftSwingUp = RightSwingUp = 0;
    LeftShape = RightShape = 0;
    PlayerShape() = Rock;
    // The opponent makes up his mind before the player does, so nothing the player clicks
    // can change it.
    OpponentShape() = static_cast<uint8_t>(g.Random(ShapeCount));
    CountTicks = 0;
    EndTicks() = 0;
    EnterScene(g, SceneId::RockPaperScissors);
  }

  void Frame() override {
    DrawButtons();
    DrawArm(kArms[0], PlayerShape() % ShapeCount, LeftShape, LeftAngle);
    DrawArm(kArms[1], OpponentShape() % ShapeCount, RightShape, RightAngle);
    switch (RpsState) {
      case 0:
        SlideIn();
        break;
      case 1:
        CountAndChoose();
        break;
      case 2:
        Throw();
        break;
      case 3:
        OpenHands();
        break;
      case 4:
        SpeakResult();
        break;
      default:
        break;
    }
    PointerPressStep(g);
    DrawPointer(g);
    if (g.FadeMode == 0 && RpsState == 5) StartClosing(g);
    if (RpsState == 5) PayPrizeWhenCovered(g, Outcome().Prize);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("RpsState", RpsState, "ArmsOffset", ArmsOffset, "LeftAngle", LeftAngle, "RightAngle",
             RightAngle, "LeftSwingUp", LeftSwingUp, "RightSwingUp", RightSwingUp, "LeftShape",
             LeftShape, "RightShape", RightShape, "PlayerShape", g.SceneBytes[1], "OpponentShape",
             g.SceneBytes[2], "CountTicks", CountTicks, "EndTicks", g.SceneBytes[3]);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const char* clip : {"knd01", "knd02", "knd03", "knd04", "knd05", "knd06", "knd08", "knd09",
                             "knd10", "knd11", "knd13"})
      a.Entries.push_back(clip);
    constexpr ImageUse kPictures[] = {{rps::Images, "Knopka01", ShapeCount},
                                      {rps::Images, "Strelka01", 1},
                                      {rps::Images, "Ruka01", 1},
                                      {rps::Images, "Ruka02", HandPatterns},
                                      {rps::Images, "Ruka03", ForearmPatterns},
                                      {rps::Images, "Ruka04", HandPatterns}};
    DeclareImages(a, kPictures);
    DeclarePointer(a);
    DeclareSpeechBubble(a);
    a.Waves.push_back({"w_all01", "Boom07"});
  }

 private:
  // The shared work area keeps the two shapes and the end count.
  uint8_t& PlayerShape() { return g.SceneBytes[1]; }
  uint8_t& OpponentShape() { return g.SceneBytes[2]; }
  uint8_t& EndTicks() { return g.SceneBytes[3]; }
  // Both shapes stay within 0..2 even if something else has written the shared bytes.
  const Result& Outcome() const {
    return kResults[g.SceneBytes[1] % ShapeCount][g.SceneBytes[2] % ShapeCount];
  }

  void DrawButtons() {
    for (int i = 0; i < ShapeCount; ++i)
      g.layer.Draw(2, "Knopka01", i, ButtonX0 + ButtonStep * i, ButtonY);
    g.layer.Draw(2, "Strelka01", 0, MarkerX0 + ButtonStep * (g.SceneBytes[1] % ShapeCount),
                 MarkerY);
  }

  // One arm: the opened hand once the throw shows scissors or paper, else the fist on the
  // arm's circle; then the forearm from the elbow.
  void DrawArm(const ArmLook& arm, int shape, int step, int angle) {
    const int elbowX = arm.Side * ArmsOffset + arm.ElbowX;
    if (RpsState > 2 && shape != Rock && step > 0) {
      g.layer.Draw(2, arm.Hand, 3 * shape + step - 4, arm.HandX, arm.HandY);
    } else {
      const int fist = angle + arm.FistTurn;
      g.layer.DrawPatternRotated(g.layer.FindImage(2, "Ruka01"), 0, CircleX(fist) + elbowX,
                                 CircleY(fist) + ElbowY, arm.Side * FistWidth, FistHeight, 0, 0,
                                 angle + 20);
    }
    g.layer.DrawPatternRotated(g.layer.FindImage(2, "Ruka03"), arm.Forearm, elbowX, ElbowY,
                               ForearmLength, ForearmThickness, 0, 0.5, angle + arm.ForearmTurn);
  }

  void SlideIn() {
    if (ArmsOffset < 1) {
      SetSubtitles(g, {"", "КАМЕНЬ", "НОЖНИЦЫ", "БУМАГА"});
      CountTicks = 0;
      SayWave(g, "knd01", kSpeechRate);
      RpsState = 1;
    } else {
      ArmsOffset -= kArmsSlideStep;
    }
  }

  void CountAndChoose() {
    if (CountTicks < kCountTicks) ++CountTicks;
    DrawSpeechBubble(g, BubbleX, BubbleY, 0);
    Swing(LeftAngle, LeftSwingUp, kLeftSwing);
    Swing(RightAngle, RightSwingUp, kRightSwing);
    auto& lines = g.SpeechRecord.Lines;
    if (!IsSpeaking(g) && CountTicks == kCountTicks) {
      lines[1] = Cp1251("РАЗ");
      lines[2].clear();
      lines[3].clear();
      SayWave(g, "knd02", kSpeechRate);
      CountTicks = kCountTicks + 1;
    }
    if (!IsSpeaking(g) && CountTicks == kCountTicks + 1) {
      lines[2] = Cp1251("ДВА");
      SayWave(g, "knd03", kSpeechRate);
      CountTicks = kCountTicks + 2;
    }
    if (!IsSpeaking(g) && CountTicks == kCountTicks + 2) {
      lines[3] = Cp1251("ТРИ");
      SayWave(g, "knd04", kSpeechRate);
      CountTicks = kCountTicks + 3;
    }
    if (!IsSpeaking(g) && CountTicks == kCountTicks + 3) {
      StopSpeech(g);
      RpsState = 2;
    }
    // The player may change his mind until the count is over.
    if (g.ClickState == 1 && g.HandFrame == 1) {
      const uint8_t cell = g.HitMapAt(g.MouseX, g.MouseY, kTipDX, kTipDY);
      if (cell >= 1 && cell <= ShapeCount) {
        PlayerShape() = static_cast<uint8_t>(cell - 1);
        PlayCommonSound(g, "Boom07", kClickRate);
      }
    }
  }

  // One tick of an arm's swing: it rises to its upper bound and falls to its lower one, and
  // near either end it may turn early, one chance in 20 a tick, so the two arms drift apart.
  void Swing(int& angle, int& up, const SwingBounds& b) {
    if (up == 0) {
      if (angle >= b.TurnUp)
        up = 1;
      else if (angle >= b.MayTurnUp && g.Random(20) == 1)
        up = 1;
      else
        angle += 2;
    } else {
      if (angle < b.TurnDown)
        up = 0;
      else if (angle <= b.MayTurnDown && g.Random(20) == 1)
        up = 0;
      else
        angle -= 2;
    }
  }

  void Throw() {
    if (LeftAngle >= -19) --LeftAngle;
    if (RightAngle < -20) ++RightAngle;
    if (LeftAngle < -19 && RightAngle >= -20) RpsState = 3;
  }

  void OpenHands() {
    if (g.FrameToggle == 1) {
      if (LeftShape < 3) ++LeftShape;
      if (RightShape < 3) ++RightShape;
    }
    if (LeftShape == 3 && RightShape == 3) {
      const Result& r = Outcome();
      SetSubtitles(g, {"", r.Lines[0], r.Lines[1], r.Lines[2]}, r.LineShift);
      SayWave(g, r.Phrase, kSpeechRate);
      RpsState = 4;
      EndTicks() = 0;
    }
  }

  void SpeakResult() {
    if (IsSpeaking(g) || EndTicks() < kEndTicks)
      ++EndTicks();
    else
      RpsState = 5;
    DrawSpeechBubble(g, BubbleX, BubbleY, 0);
  }

  int RpsState = 0;
  int ArmsOffset = kArmsStartOffset;
  int LeftAngle = kLeftStartAngle, RightAngle = kRightStartAngle;
  int LeftSwingUp = 0, RightSwingUp = 0;
  int LeftShape = 0, RightShape = 0;
  int CountTicks = 0;
};

}  // namespace

std::unique_ptr<Scene> MakeRockPaperScissorsScene(Game& g) {
  return std::make_unique<RockPaperScissorsScene>(g);
}

}  // namespace vepa
