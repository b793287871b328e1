// Snake, scene 5. The snake crawls over a field of 15 x 11 cells, steered with the arrow keys;
// an apple makes it one cell longer and is worth a point, every tenth point makes it faster.
// Now and then it drops a bad apple behind its tail, and eating one costs five points. Into
// the fence or into itself, and the game is over: the kiosk pays half the points.
//
// The field holds the whole snake as cell codes (head, straight pieces, bends and tail), so
// moving it only rewrites the cells at the head and at the tail; TailX/TailY follow the tail
// by its code. The mouse plays no part here.
#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/snake_layout.h"

namespace vepa {
namespace {

using namespace snake;

constexpr SceneEntries kEntries{.Background = "r_zmiy01",
                                .Images = "s_zmiy01",
                                .Music = "m_vepa4",
                                .MusicOffset = 300,
                                .Waves = "w_zmiy01"};

constexpr int kRate = 11000;

// How each tail moves on: the step to the next cell, and what it makes of the piece it finds
// there: the straight piece of its own way stays that tail, either bend turns it.
struct TailStep {
  uint8_t Tail;
  int DX, DY;
  uint8_t Straight, FirstBend, FirstTurn, SecondBend, SecondTurn;
};
constexpr TailStep kTailSteps[] = {
    {TailBodyUp, 0, -1, BodyVertical, BendLeftBottom, TailBodyLeft, BendBottomRight, TailBodyRight},
    {TailBodyLeft, -1, 0, BodyHorizontal, BendBottomRight, TailBodyDown, BendTopRight, TailBodyUp},
    {TailBodyDown, 0, 1, BodyVertical, BendTopLeft, TailBodyLeft, BendTopRight, TailBodyRight},
    {TailBodyRight, 1, 0, BodyHorizontal, BendLeftBottom, TailBodyDown, BendTopLeft, TailBodyUp},
};
constexpr int kStartDelay = 5;
constexpr int kMaxBadApples = 5;
constexpr int kBadAppleCost = 5;
// The crash animation runs on every second frame; the scene closes after this many steps.
constexpr int kDeathSteps = 26;

constexpr std::array kWaves = {"Hom01", "Hom02",   "Hom03", "Hom04",
                               "Die01", "Blood01", "Per01", "Per02"};

// What a game starts from: the snake three cells long in the middle row, heading right, on an
// otherwise empty field.
struct SnakeState {
  // Field[x][y], column by column as the field is drawn.
  std::array<std::array<uint8_t, Rows>, Columns> Field{};
  int32_t HeadX = 5, HeadY = 5, PrevHeadX = 5, PrevHeadY = 5, TailX = 3, TailY = 5;
  int32_t Dir = Right, PrevDir = Right, WantDir = Right;
  int32_t StepDelay = kStartDelay, StepCount = 0;
  uint16_t ApplesEaten = 0;
  int32_t BadApples = 0, Grew = 0, Dead = 0, DeathCount = 0;
  int32_t HeadPattern = 0, MouthState = 0, MouthStep = 0, BloodFrame = 0;
};

class SnakeScene : public Scene, private SnakeState {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.TakeStake = true})) return;
    static_cast<SnakeState&>(*this) = {};
    Field[5][5] = HeadRight;
    Field[4][5] = BodyHorizontal;
    Field[3][5] = TailBodyRight;
    for (int i = 0; i < 3; ++i) PlaceApple(Apple + g.Random(2));
    EnterScene(g, SceneId::Snake);
  }

  void Frame() override {
    DrawDigits(g, ScoreAt.X, ScoreAt.Y, std::to_string(ApplesEaten));
    ++StepCount;
    ReadKeys();
    if (MouthState == 0 && Dead == 0 && g.Random(50) == 2) MouthState = 3;
    if (g.FrameToggle != 0) Animate();
    if (Dead && BloodFrame > 0)
      g.layer.Draw(2, BloodImage.Name, BloodFrame - 1, CellSize * HeadX + BloodAt.X,
                   CellSize * HeadY + BloodAt.Y);
    if (StepCount > StepDelay && Dead == 0) Step();
    DrawField();
    if (g.FadeMode == 0 && DeathCount >= kDeathSteps) StartClosing(g);
    PayPrizeWhenCovered(g, ApplesEaten / 2);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("HeadX", HeadX, "HeadY", HeadY, "TailX", TailX, "TailY", TailY, "Dir", Dir, "WantDir",
             WantDir, "Length", Length(), "ApplesEaten", ApplesEaten, "BadApples", BadApples,
             "StepDelay", StepDelay, "StepCount", StepCount, "Grew", Grew, "Dead", Dead,
             "DeathCount", DeathCount, "HeadPattern", HeadPattern, "MouthState", MouthState,
             "BloodFrame", BloodFrame);
    // Row by row: the code of cell (x, y) is at 15y + x.
    j.BeginArray("Cells");
    for (int y = 0; y < Rows; ++y)
      for (int x = 0; x < Columns; ++x) j.Number(Field[x][y]);
    j.EndArray();
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    for (const Picture& p :
         {HeadImage, BendImage, VerticalImage, HorizontalImage, AppleImage, BloodImage})
      a.Images.push_back({"s_zmiy01", p.Name, p.Patterns});
    a.Images.push_back({"s_all01", "EFont01", 13});
    for (const char* w : kWaves) a.Waves.push_back({"w_zmiy01", w});
  }

 private:
  static bool Inside(int x, int y) { return x >= 0 && x < Columns && y >= 0 && y < Rows; }

  int Length() const {
    int n = 0;
    for (const auto& column : Field)
      for (uint8_t c : column)
        if (c >= HeadDown && c <= TailBodyRight) ++n;
    return n;
  }

  // Draws random cells until one is empty. A snake that fills the whole field leaves no cell
  // for a new apple; then none is placed and the snake has nowhere to go but into itself.
  void PlaceApple(int code) {
    bool anyEmpty = false;
    for (const auto& column : Field)
      for (uint8_t c : column) anyEmpty = anyEmpty || c == Empty;
    if (!anyEmpty) return;
    for (;;) {
      const int x = g.Random(Columns);
      const int y = g.Random(Rows);
      if (Field[x][y] == Empty) {
        Field[x][y] = static_cast<uint8_t>(code);
        return;
      }
    }
  }

  void ReadKeys() {
    if (g.layer.KeyPressed(key::Left))
      WantDir = Left;
    else if (g.layer.KeyPressed(key::Right))
      WantDir = Right;
    else if (g.layer.KeyPressed(key::Up))
      WantDir = Up;
    else if (g.layer.KeyPressed(key::Down))
      WantDir = Down;
  }

  // The mouth and the crash face, on every second frame.
  void Animate() {
    if (Dead) {
      if (MouthStep > 1) {
        if (BloodFrame < 3) ++BloodFrame;
      } else {
        ++MouthStep;
      }
      if (MouthStep == 1 && BloodFrame == 0) PlaySceneSound(g, "Blood01", kRate);
      HeadPattern = MouthStep + 2;
      ++DeathCount;
      return;
    }
    switch (MouthState) {
      case 1:  // opening to eat
        if (HeadPattern > 1)
          MouthState = 2;
        else
          ++HeadPattern;
        break;
      case 2:  // closing
        if (HeadPattern < 1)
          MouthState = 0;
        else
          --HeadPattern;
        break;
      case 3:  // a grimace now and then
        if (MouthStep > 1)
          MouthState = 4;
        else
          ++MouthStep;
        HeadPattern = MouthStep < 1 ? 0 : MouthStep + 2;
        break;
      case 4:
        if (MouthStep > 0)
          --MouthStep;
        else
          MouthState = 0;
        HeadPattern = MouthStep < 1 ? 0 : MouthStep + 2;
        break;
      default:
        break;
    }
  }

  void Step() {
    StepCount = 0;
    PrevHeadX = HeadX;
    PrevHeadY = HeadY;
    PrevDir = Dir;
    // A reversal is refused: the snake goes on the way it went.
    if (WantDir == Left && Dir != Right)
      Dir = Left;
    else if (WantDir == Right && Dir != Left)
      Dir = Right;
    else if (WantDir == Up && Dir != Down)
      Dir = Up;
    else if (WantDir == Down && Dir != Up)
      Dir = Down;
    switch (Dir) {
      case Up:
        --HeadY;
        break;
      case Right:
        ++HeadX;
        break;
      case Down:
        ++HeadY;
        break;
      default:
        --HeadX;
        break;
    }
    if (Inside(HeadX, HeadY) && (Field[HeadX][HeadY] == Apple || Field[HeadX][HeadY] == AppleGreen))
      EatApple();
    if (Inside(HeadX, HeadY) && Field[HeadX][HeadY] == BadApple) EatBadApple();
    if (!Inside(HeadX, HeadY) || Field[HeadX][HeadY] != Empty) {
      Crash();
      return;
    }
    Field[PrevHeadX][PrevHeadY] = BodyAfter(PrevDir, Dir);
    Field[HeadX][HeadY] = HeadFor(Dir);
    MoveTail();
  }

  void EatApple() {
    ++ApplesEaten;
    // The eaten apple still blocks its cell, so the new one lands elsewhere.
    PlaceApple(Apple + g.Random(2));
    Field[HeadX][HeadY] = Empty;
    if (g.Random(3) == 2)
      PlaySceneSound(g, "Hom01", kRate);
    else if (g.Random(2) == 1)
      PlaySceneSound(g, "Hom02", kRate);
    else
      PlaySceneSound(g, "Hom03", kRate);
    OpenMouth();
    Grew = 1;
    if (StepDelay > 0 && ApplesEaten % 10 == 0) --StepDelay;
  }

  void EatBadApple() {
    --BadApples;
    const int n = ApplesEaten;
    // Falling back below a tenth point gives back the speed that point bought.
    if (n > 9 && n % 10 < kBadAppleCost) ++StepDelay;
    ApplesEaten = static_cast<uint16_t>(n <= kBadAppleCost ? 0 : n - kBadAppleCost);
    Field[HeadX][HeadY] = Empty;
    PlaySceneSound(g, "Hom04", kRate);
    OpenMouth();
  }

  void OpenMouth() {
    HeadPattern = 0;
    MouthStep = 0;
    MouthState = 1;
  }

  // The head stays in the cell it came from, which still shows it.
  void Crash() {
    DeathCount = 0;
    Dead = 1;
    BloodFrame = 0;
    HeadPattern = 0;
    MouthStep = 0;
    HeadX = PrevHeadX;
    HeadY = PrevHeadY;
    PlaySceneSound(g, "Die01", kRate);
  }

  static uint8_t BodyAfter(int from, int to) {
    if (from == to) return (to == Up || to == Down) ? BodyVertical : BodyHorizontal;
    if ((from == Up && to == Right) || (from == Left && to == Down)) return BendBottomRight;
    if ((from == Right && to == Down) || (from == Up && to == Left)) return BendLeftBottom;
    if ((from == Down && to == Left) || (from == Right && to == Up)) return BendTopLeft;
    return BendTopRight;  // left -> up, down -> right
  }

  static uint8_t HeadFor(int dir) {
    switch (dir) {
      case Up:
        return HeadUp;
      case Right:
        return HeadRight;
      case Down:
        return HeadDown;
      default:
        return HeadLeft;
    }
  }

  // The tail follows the body by its own code; the piece it moves onto becomes the tail,
  // pointing the way the body goes on from there.
  void MoveTail() {
    if (Grew == 1) {
      Grew = 0;
      return;
    }
    const int vacatedX = TailX, vacatedY = TailY;
    const uint8_t tail = Field[TailX][TailY];
    const TailStep* step = std::find_if(std::begin(kTailSteps), std::end(kTailSteps),
                                        [tail](const TailStep& s) { return s.Tail == tail; });
    // Not a tail: the field is not what the snake left, so leave it be.
    if (step == std::end(kTailSteps)) return;
    const int nx = TailX + step->DX, ny = TailY + step->DY;
    if (!Inside(nx, ny)) return;
    Field[TailX][TailY] = Empty;
    TailX = nx;
    TailY = ny;
    uint8_t& next = Field[nx][ny];
    if (next == step->Straight)
      next = step->Tail;
    else if (next == step->FirstBend)
      next = step->FirstTurn;
    else if (next == step->SecondBend)
      next = step->SecondTurn;
    if (ApplesEaten > 0 && g.Random(50) == 1 && BadApples < kMaxBadApples) {
      ++BadApples;
      Field[vacatedX][vacatedY] = BadApple;
      PlaySceneSound(g, g.Random(2) == 1 ? "Per01" : "Per02", kRate);
    }
  }

  void DrawField() {
    for (int x = 0; x < Columns; ++x)
      for (int y = 0; y < Rows; ++y) {
        const uint8_t code = Field[x][y];
        if (code == Empty) continue;
        const CellPicture p = PictureOf(code);
        if (p.Image == nullptr) continue;
        const int pattern = code <= HeadRight ? p.Pattern + HeadPattern : p.Pattern;
        g.layer.Draw(2, p.Image, pattern, CellSize * x + p.DX, CellSize * y + p.DY);
      }
  }
};

}  // namespace

std::unique_ptr<Scene> MakeSnakeScene(Game& g) { return std::make_unique<SnakeScene>(g); }

}  // namespace vepa
