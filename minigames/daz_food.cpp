// Daz's food game, scene 28: the game inside the pocket game. Gorm keeps three or four pieces of
// food in the air, one in each of four columns, and knocks each back up with his pan when it
// comes down in his column; every knock is a point. A piece that reaches the floor is carried
// off by a mouse and costs a life. Puch pops up from behind his barrel now and then, catches a
// piece going past or spits at Gorm (five points off when it hits his head). The prize is a
// tenth of the score, at most 50; the game goes back to the table with it.
//
// Gorm moves with the arrow keys (presses are queued, up to three) or the arrow buttons; P
// pauses; Esc sends the mouse home at once; the third panel button ends the game.
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "minigames/daz_layout.h"
#include "minigames/state_arrays.h"

namespace vepa {
namespace daz {

namespace {

constexpr SceneEntries kEntries{.Background = FoodBackground,
                                .Images = FoodImages,
                                .Music = "m_vepa4",
                                .MusicOffset = 300,
                                .Waves = FoodWaves,
                                .HitMap = PanelHitMap};

constexpr int kRate = 11000;
constexpr int kMouseRate = 14000;
constexpr int kPauseKey = 'P';
constexpr int kEndDelay = 10;
constexpr int kSpitPenalty = 5;

// A number range of waves: "PHaha0" + 1..count.
void PlayOneOf(Game& g, const char* stem, int count) {
  PlaySceneSound(g, std::string(stem) + std::to_string(g.Random(count) + 1), kRate);
}

class DazFoodScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.IdlePointer = true})) return;
    s.LeftLatch = s.RightLatch = 0;
    s.LeftQueue = s.RightQueue = 0;
    for (DazButton& b : s.Buttons) b = DazButton{};
    for (int i = 0; i < MaxPieces; ++i) {
      FoodPiece& p = s.Pieces[i];
      p.X = ColumnX[i];
      p.Gone = 0;
      p.VY = -static_cast<float>(g.Random(7) + 5);
      p.Y = PieceStartY;
      p.Angle = g.Random(255);
      p.Spin = NewSpin();
    }
    s.PlayState = 0;
    s.PuchState = 0;
    s.SpitState = 0;
    s.SpitMark = 0;
    s.Lives = 3;
    s.PauseState = 0;
    s.PauseSize = 0;
    s.EndRequest = 0;
    s.GormColumn = 0;
    s.SwingPattern = 0;
    s.HitFace = 0;
    s.Score = 0;
    s.BestScore = 0;
    // Nothing else clears these; a swing or an end left over from the last game would show.
    s.SwingTimer = 0;
    s.EndDelay = 0;
    // The table's frame runs on into this scene: no transition of its own.
    g.SceneNumber = SceneNo(SceneId::DazFood);
  }

  void Frame() override {
    const bool paused = s.PauseState != 0;
    QueueArrowKeys();
    if (!paused) {
      // Presses made during the pause wait in the queue until it is over.
      CarryOutQueue();
      MoveGorm();
    }
    ClickAndReleaseButtons(g, s.Buttons);
    if (!paused) {
      Swing();
      StepPuch();
      StepSpit();
      if (s.PlayState == 0) StepPieces();
      if (s.PlayState == 1) StepMouse();
    }
    DrawTextCentered(g, ScoreX, ScoreY, ScoreSize, std::to_string(s.Score), 0, ScoreSize);
    DrawLives();
    DrawGorm();
    DrawPuch();
    DrawSpit();
    DrawPieces();
    if (s.PlayState == 1) g.layer.Draw(2, "Mouse01", 0, s.MouseRunX, MouseY);
    g.layer.Draw(2, "Korpus01", 0, LeftCasing.X, LeftCasing.Y);
    g.layer.Draw(2, "Korpus01", 1, RightCasing.X, RightCasing.Y);
    DrawButtons(g, s.Buttons);
    Pause();
    PointerPressStep(g);
    DrawPointer(g);
    End();
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("GormColumn", s.GormColumn, "SwingTimer", s.SwingTimer, "SwingPattern", s.SwingPattern,
             "HitFace", s.HitFace, "PlayState", s.PlayState, "Lives", s.Lives, "Score", s.Score,
             "BestScore", s.BestScore, "LeftQueue", s.LeftQueue, "RightQueue", s.RightQueue,
             "LeftLatch", s.LeftLatch, "RightLatch", s.RightLatch, "PauseState", s.PauseState,
             "PauseSize", s.PauseSize, "EndRequest", s.EndRequest, "EndDelay", s.EndDelay,
             "PuchState", s.PuchState, "PuchY", s.PuchY, "PuchAct", s.PuchAct, "PuchLaugh",
             s.PuchLaugh, "PuchPattern", s.PuchPattern, "SpitState", s.SpitState, "SpitX",
             Nearest(s.SpitX), "SpitY", Nearest(s.SpitY), "SpitAngle", s.SpitAngle, "SpitFrame",
             s.SpitFrame, "SpitMark", s.SpitMark, "MouseRunX", s.MouseRunX, "MouseStep",
             s.MouseStep, "MouseWait", s.MouseWait, "LostPiece", s.LostPiece, "Pieces",
             PieceCount());
    FieldArray(j, "PieceY", s.Pieces, [](const FoodPiece& p) { return Nearest(p.Y); });
    // Tenths of a pixel a frame.
    FieldArray(j, "PieceVY10", s.Pieces, [](const FoodPiece& p) { return Nearest(p.VY * 10); });
    FieldArray(j, "PieceAngle", s.Pieces, &FoodPiece::Angle);
    FieldArray(j, "PieceGone", s.Pieces, &FoodPiece::Gone);
    FieldArray(j, "Pressed", s.Buttons, &DazButton::Pressed);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    const std::string e(FoodImages);
    for (const char* name : {"Gorm01", "Gorm02", "Gorm03", "Gorm04", "GormH01", "Live01",
                             "Korpus01", "Button01", "Button02", "Strelk01"})
      a.Images.push_back({e, name, 2});
    constexpr ImageUse kPictures[] = {{FoodImages, "Kolbas01", MaxPieces},
                                      {FoodImages, "Puch01", 4},
                                      {FoodImages, "Harka02", 3},
                                      {FoodImages, "Text01", 3}};
    DeclareImages(a, kPictures);
    for (const char* name : {"Puch02", "Predm04", "Harka01", "Harka03", "Mouse01"})
      a.Images.push_back({e, name, 1});
    DeclarePointer(a);
    a.Images.push_back({"s_all01", "FontP", 42});
    const std::string w(FoodWaves);
    for (const auto& [stem, count] : WaveRanges())
      for (int i = 1; i <= count; ++i)
        a.Waves.push_back({w, std::string(stem) + std::to_string(i)});
    a.Waves.push_back({w, "Mouse01"});
    a.Waves.push_back({"w_all01", "Boom26"});
  }

  FoodState s;

 private:
  static constexpr std::array<std::pair<const char*, int>, 7> WaveRanges() {
    return {{{"Skov0", 2},
             {"Kolbas0", 2},
             {"PHaha0", 3},
             {"SHark0", 2},
             {"PHark0", 2},
             {"FHaha0", 3},
             {"DHark0", 2}}};
  }

  int PieceCount() const { return std::clamp(DazTable(g).SecondOption + 3, 3, MaxPieces); }
  int32_t NewSpin() { return (g.Random(10) + 10) * (g.Random(2) * 2 - 1); }
  float NewRise() { return -5.0f - static_cast<float>(g.Random(7)); }

  void QueueArrowKeys() {
    auto edge = [&](int code, uint8_t& latch, uint8_t& queue, uint8_t& other) {
      if (!g.layer.KeyPressed(code)) {
        latch = 0;
        return;
      }
      if (latch) return;
      latch = 1;
      if (queue < 3) ++queue;
      other = 0;  // turning back forgets the moves the other way
    };
    edge(key::Left, s.LeftLatch, s.LeftQueue, s.RightQueue);
    edge(key::Right, s.RightLatch, s.RightQueue, s.LeftQueue);
  }

  void CarryOutQueue() {
    if (s.LeftQueue > 0 && !s.Buttons[LeftArrowButton].Pressed) {
      --s.LeftQueue;
      PressButton(g, s.Buttons[LeftArrowButton], 1);
    }
    if (s.RightQueue > 0 && !s.Buttons[RightArrowButton].Pressed) {
      --s.RightQueue;
      PressButton(g, s.Buttons[RightArrowButton], 1);
    }
  }

  // A key press moves on its own frame; a click on an arrow button holds it for two frames and
  // moves on the second. Either way a press moves once.
  void MoveGorm() {
    const DazButton& left = s.Buttons[LeftArrowButton];
    const DazButton& right = s.Buttons[RightArrowButton];
    bool moved = false;
    if (left.Pressed && left.Hold == 1 && s.GormColumn > 0) {
      --s.GormColumn;
      moved = true;
    }
    if (right.Pressed && right.Hold == 1 && s.GormColumn < Columns - 1) {
      ++s.GormColumn;
      moved = true;
    }
    if (moved && s.SwingTimer > 1) s.SwingTimer = 1;
  }

  void Swing() {
    if (s.SwingTimer > 0) {
      s.SwingPattern = 1;
      --s.SwingTimer;
    } else {
      s.SwingPattern = 0;
    }
    if (s.HitFace > 0) --s.HitFace;
  }

  void StepPuch() {
    switch (s.PuchState) {
      case 0:
        if (g.Random(80) == 1) {
          s.PuchY = -20;
          s.PuchPattern = 0;
          s.PuchAct = 0;
          s.PuchLaugh = 0;
          s.PuchState = 1;
        }
        break;
      case 1:
        if (s.PuchY < 90)
          s.PuchY += 5;
        else
          s.PuchState = 2;
        break;
      case 2:
        PuchUp();
        break;
      case 3:
        if (s.PuchY > -20)
          s.PuchY -= 5;
        else
          s.PuchState = 0;
        break;
      default:
        s.PuchState = 0;
        break;
    }
  }

  void PuchUp() {
    FoodPiece& held = s.Pieces[0];  // the piece of column 0 passes right by his hand
    if (held.Y > HoldTop && held.Y < HoldBottom) {
      if (s.PuchLaugh == 0) {
        s.PuchLaugh = 15;
        PlayOneOf(g, "PHaha0", 3);
      }
      held.Angle = 96;
      held.VY = 0;
      held.Y = HoldY;
    }
    if (s.PuchLaugh == 0 && s.PuchAct == 0 && s.SpitState == 0 && g.Random(20) == 1) {
      s.PuchAct = 1;
      PlayOneOf(g, "SHark0", 2);
    }
    if ((s.PuchAct >= 1 && s.PuchAct <= 4) || (s.PuchAct >= 6 && s.PuchAct <= 9)) ++s.PuchAct;
    if (s.PuchAct == 5 && g.Random(40) == 1) {
      s.PuchAct = 6;
      s.SpitState = 1;
      s.SpitAngle = 0;
      s.SpitX = SpitStart.X;
      s.SpitY = SpitStart.Y;
      s.SpitVX = 10;
      s.SpitVY = 0;
      s.SpitFrame = 0;
      PlayOneOf(g, "PHark0", 2);
    }
    if (s.PuchAct == 10) s.PuchAct = 0;
    if (s.PuchAct >= 1 && s.PuchAct <= 5) {
      s.PuchPattern = 3;  // snorting, gathering it up
    } else if (s.PuchAct >= 6 && s.PuchAct <= 9) {
      s.PuchPattern = 1;
    } else if (s.PuchLaugh > 1) {
      // He laughs once a rise: the laugh runs down to 1 and stays there until he sinks.
      --s.PuchLaugh;
      if (g.FrameToggle != 0) s.PuchPattern = g.Random(3);
    } else {
      s.PuchPattern = 0;
    }
    if (g.Random(80) == 1) s.PuchState = 3;
  }

  void StepSpit() {
    if (s.SpitState == 1) {
      if (s.SpitVX > 0.2f) s.SpitVX -= 0.3f;
      if (s.SpitVY < 10) s.SpitVY += 0.2f;
      s.SpitX += s.SpitVX;
      s.SpitY += s.SpitVY;
      if (s.SpitAngle < 64) s.SpitAngle += 3;
      const bool onHead = s.GormColumn == 1 && s.SpitY >= HeadHitTop && s.SpitY < HeadHitBottom;
      if (onHead || s.SpitY > SpitFloorY) {
        s.SpitState = 2;
        if (s.SpitY < SpitFloorY) {
          s.HitFace = 5;
          s.Score = s.Score <= kSpitPenalty ? 0 : s.Score - kSpitPenalty;
          PlayOneOf(g, "FHaha0", 3);
        }
        PlayOneOf(g, "DHark0", 2);
      }
    } else if (s.SpitState == 2) {
      if (s.SpitFrame < 2) {
        ++s.SpitFrame;
      } else {
        if (s.SpitY > SpitFloorY) s.SpitMark = 1;
        s.SpitState = 0;
      }
    }
  }

  void StepPieces() {
    for (int i = 0; i < PieceCount(); ++i) {
      FoodPiece& p = s.Pieces[i];
      if (p.Gone) continue;
      p.Angle = (p.Angle + p.Spin) & 255;  // a whole turn is 256
      if (p.VY < 7) p.VY += 0.2f;
      p.Y += p.VY;
      const int drop = HitColumnDrop * i;
      if (p.VY > 0 && s.GormColumn == i && p.Y > HitTop + drop && p.Y < HitBottom + drop)
        KnockUp(p);
      if (p.Y > FloorY) {
        p.Y = FloorY;
        p.VY = 0;
        s.PlayState = 1;
        s.MouseRunX = MouseStartX;
        s.MouseStep = 0;
        s.MouseWait = 0;
        s.LostPiece = FirstPiece + i;  // a second piece falling on this frame is the one taken
        PlayOneOf(g, "Kolbas0", 2);
      }
    }
  }

  void KnockUp(FoodPiece& p) {
    p.VY = NewRise();
    p.Spin = NewSpin();
    s.SwingTimer = 5;
    if (s.Score < 0xFFFF) ++s.Score;  // the score word stops at its top instead of wrapping
    if (s.Score > s.BestScore) {
      s.BestScore = s.Score;
      // A new best of 50, 100, 200 ... gives a life, once: a score that drops after a spit and
      // climbs back to the same best gives none.
      const bool milestone = s.BestScore == 50 || s.BestScore % 100 == 0;
      if (milestone && s.Lives < MaxLives) ++s.Lives;
    }
    const std::string name = "Skov0" + std::to_string(g.Random(2) + 1);
    if (!g.SoundAvailable) return;
    if (Wave* w = g.layer.FindWave(2, name)) {
      g.layer.Stop(w);
      g.layer.SetPosition(w, 0);
      g.layer.SetPan(w, 333 * s.GormColumn - 500);  // the knock comes from where Gorm stands
      g.layer.Play(w, false);
    }
  }

  FoodPiece& Lost() { return s.Pieces[std::clamp(s.LostPiece - FirstPiece, 0, MaxPieces - 1)]; }

  void StepMouse() {
    if (g.layer.KeyPressed(key::Esc)) s.MouseStep = 3;
    FoodPiece& lost = Lost();
    switch (s.MouseStep) {
      case 0:
        s.MouseRunX -= 10;
        if (s.MouseRunX < lost.X - 10) {
          s.MouseStep = 1;
          PlaySceneSound(g, "Mouse01", kMouseRate);
        }
        break;
      case 1:
        if (++s.MouseWait > 10) {
          s.MouseStep = 2;
          lost.Gone = 1;
        }
        break;
      case 2:
        s.MouseRunX -= 10;
        if (s.MouseRunX < 0) s.MouseStep = 3;
        break;
      default:
        GivePieceBack(lost);
        break;
    }
  }

  void GivePieceBack(FoodPiece& lost) {
    s.MouseStep = 0;
    lost.Y = PieceStartY;
    lost.VY = NewRise();
    lost.Angle = g.Random(255);
    lost.Spin = NewSpin();
    for (int i = 0; i < PieceCount(); ++i) {
      FoodPiece& p = s.Pieces[i];
      if (p.VY > 0) p.VY = -p.VY;  // everything falling goes up again
      if (p.Y > HitTop) {          // and nothing is left low enough to fall at once
        p.Y = PieceStartY;
        p.VY = NewRise();
      }
    }
    if (--s.Lives <= 0) {
      s.Lives = 0;
      s.PlayState = 3;
    } else {
      s.PlayState = 0;
      lost.Gone = 0;
    }
  }

  void DrawLives() {
    if (s.Lives <= 0) return;
    const int n = std::min(s.Lives, LivesShown);
    const double step = static_cast<double>(LivesSpread) / n;
    double x = LivesX - (n - 1) * step * 0.5;
    for (int i = 0; i < n; ++i, x += step) g.layer.Draw(2, "Live01", i % 2, Nearest(x), LivesY);
  }

  void DrawGorm() {
    static constexpr std::array<const char*, 4> kNames{"Gorm01", "Gorm02", "Gorm03", "Gorm04"};
    const int c = std::clamp(s.GormColumn, 0, Columns - 1);
    g.layer.Draw(2, kNames[c], s.SwingPattern, GormPlaces[c].X, GormPlaces[c].Y);
    if (c == 1) g.layer.Draw(2, "GormH01", s.HitFace > 0 ? 1 : 0, GormHeadPlace.X, GormHeadPlace.Y);
  }

  void DrawPuch() {
    if (s.PuchState > 0) {
      const int lean = Nearest(s.PuchY * 0.2555);
      g.layer.DrawPatternRotated(g.layer.FindImage(2, "Puch02"), 0, lean + 115, 180 - s.PuchY,
                                 PuchArmW, PuchArmH, 0.05, 0.05, std::max(s.PuchY, 20) + 162);
      if (s.PuchY > 0) g.layer.Draw(2, "Puch01", s.PuchPattern, lean + 92, 113 - s.PuchY);
    }
    g.layer.Draw(2, "Predm04", 0, BarrelPlace.X, BarrelPlace.Y);
  }

  void DrawSpit() {
    if (s.SpitMark == 1) g.layer.Draw(2, "Harka03", 0, SpitMarkPlace.X, SpitMarkPlace.Y);
    if (s.SpitState == 1) {
      g.layer.DrawPatternRotated(g.layer.FindImage(2, "Harka01"), 0, Nearest(s.SpitX),
                                 Nearest(s.SpitY), SpitW, SpitH, 0.5, 0.5, s.SpitAngle);
    } else if (s.SpitState == 2) {
      g.layer.Draw(2, "Harka02", s.SpitFrame, Nearest(s.SpitX - 10), Nearest(s.SpitY - 5));
    }
  }

  void DrawPieces() {
    const Image* img = g.layer.FindImage(2, "Kolbas01");
    for (int i = 0; i < PieceCount(); ++i) {
      const FoodPiece& p = s.Pieces[i];
      if (p.Gone) continue;
      g.layer.DrawPatternRotated(img, i, p.X, Nearest(p.Y), PieceW, PieceH, 0.5, 0.5, p.Angle);
    }
  }

  void Pause() {
    const bool down = g.layer.KeyPressed(kPauseKey);
    if ((s.PauseState == 0 || s.PauseState == 2) && down)
      ++s.PauseState;
    else if (s.PauseState == 1 && !down)
      s.PauseState = 2;
    else if (s.PauseState == 3 && !down)
      s.PauseState = 0;
    if (s.PauseState > 0)
      s.PauseSize = std::min(s.PauseSize + 5, PauseMaxSize);
    else
      s.PauseSize = std::max(s.PauseSize - 5, 0);
    if (s.PauseSize > 0) {
      static const std::string kPause = Cp1251("ПАУЗА");
      DrawTextCentered(g, PauseX, PauseY - Nearest(s.PauseSize * 0.5), s.PauseSize, kPause, 0,
                       s.PauseSize);
    }
  }

  void End() {
    const DazButton& leave = s.Buttons[PanelButtons - 1];
    if (leave.Pressed && leave.Hold == 0) s.EndRequest = 1;
    if (s.EndRequest != 1 && s.PlayState != 3) return;
    if (s.EndDelay < kEndDelay) ++s.EndDelay;
    if (s.EndDelay < kEndDelay) return;
    g.GameWinnings = static_cast<uint16_t>(std::min(s.Score / 10, TopPrize));
    g.LoadScene(SceneId::DazTable, g.GameWinnings == TopPrize ? 2 : 1);
  }
};

}  // namespace

FoodState& DazFood(Game& g) {
  // The catalogue makes scene 28 a DazFoodScene, so the game's state is always there.
  return static_cast<DazFoodScene*>(g.GetScene(SceneNo(SceneId::DazFood)))->s;
}

}  // namespace daz

std::unique_ptr<Scene> MakeDazFoodScene(Game& g) { return std::make_unique<daz::DazFoodScene>(g); }

}  // namespace vepa
