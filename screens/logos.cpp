// The intro logos. The publisher's critter hops in from the right in keyframed jumps while its
// jingle plays; the title texts follow the jingle's play position. The maker's sun is built up
// from thirteen pictures, then blinks (and once in ten starts says hello) until it leaves for
// the start menu.
#include "screens/logos.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/loaders.h"
#include "engine/render.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "screens/logos_layout.h"

namespace vepa {

namespace {

using namespace logos;

constexpr int kJingleRate = 22000;

constexpr SceneEntries kPublisherEntries{.Background = BackgroundEntry, .Images = PublisherImages};
constexpr SceneEntries kMakerEntries{.Background = BackgroundEntry, .Images = MakerImages};

// The screen box of a picture of w x h drawn at p.
Rect BoxAt(Point p, int w, int h) { return Rect{p.X, p.Y, p.X + w, p.Y + h}; }
Rect BoxOf(const Box& b) { return Rect{b.Left, b.Top, b.Right, b.Bottom}; }
constexpr double kPi = 3.14159265358979323846;

// Nearest whole number, halves to the even neighbour (the default rounding mode).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// One keyframe of the critter's jump: new speed and targets; -1 keeps the previous value.
struct Keyframe {
  int Speed;
  int BodyX, BodyY;
  int FootBackX, FootBackY;    // part 2, drawn behind the body
  int FootFrontX, FootFrontY;  // part 3, drawn in front
  bool Blink;                  // asks for a blink and keeps everything else
};

constexpr Keyframe kKeyframes[12] = {
    {3, 535, 185, -1, -1, -1, -1, false},    // 0
    {2, 475, 190, -1, -1, 465, 255, false},  // 1
    {2, 420, 225, -1, -1, 380, 280, false},  // 2
    {2, 355, 195, 435, 280, -1, -1, false},  // 3
    {2, 306, 229, 360, 260, -1, -1, false},  // 4
    {1, 270, 220, 270, 285, -1, -1, false},  // 5
    {-1, -1, -1, -1, -1, -1, -1, true},      // 6
    {1, 250, 210, -1, -1, 260, 260, false},  // 7
    {1, 195, 215, -1, -1, 200, 285, false},  // 8
    {1, 185, 225, 170, 265, -1, -1, false},  // 9
    {5, -1, -1, 160, 280, -1, -1, false},    // 10
    {-1, -1, -1, -1, -1, -1, -1, false},     // 11
};

void SetTarget(PublisherLogoScene::Part& p, int x, int y) {
  if (x < 0) return;
  p.TargetX = x;
  p.TargetY = y;
}

}  // namespace

// --- Publisher logo (scene 61).

void PublisherLogoScene::Load(int) {
  if (!LoadSceneEntries(g, kPublisherEntries)) return;
  static_cast<PublisherLogoState&>(*this) = {};
  const int start[3][2] = {{550, 220}, {515, 290}, {550, 290}};
  for (int i = 0; i < 3; ++i) {
    Part& p = Parts[static_cast<size_t>(i)];
    p = Part{};
    p.X = start[i][0];
    p.Y = start[i][1];
    p.TargetX = start[i][0];
    p.TargetY = start[i][1];
  }
  // The first logo is shown at once, without the opening transition.
  EnterScene(g, Id, Opening::AtOnce);
}

void PublisherLogoScene::Frame() {
  StepEyeLid();
  if (LogoStage == 0) StepIntro();
  if (LogoStage == 1) StepJump();
  if (LogoStage >= 2) StepTexts();
  if (LogoStage == 3) {
    ++FinalCount;
    if (FinalCount > 90) LogoStage = 4;
  }
  Draw();

  if (g.FadeMode == 0 && (g.layer.KeyPressed(key::Esc) || LogoStage == 4)) StartClosing(g);
  if (ScreenCovered(g)) {
    StopSpeech(g);
    g.LoadScene(MakerLogoScene::Id);
  }
}

void PublisherLogoScene::StepEyeLid() {
  if (g.FrameToggle != 1) return;
  // A request closes the lid step by step; once shut, the request is dropped and the lid
  // opens again on the same schedule.
  if (LidRequest == 1) {
    if (EyeLid > 1)
      LidRequest = 0;
    else
      ++EyeLid;
  }
  if (LidRequest == 0 && EyeLid > 0) --EyeLid;
}

void PublisherLogoScene::StepIntro() {
  if (IntroCount > 0) {
    --IntroCount;
  } else {
    ++PauseCount;
    if (PauseCount > 9) {
      LogoStage = 1;
      LidRequest = 0;
    }
  }
  if (IntroCount == 3) SayWave(g, PublisherJingle, kJingleRate);
  if (IntroCount == 5) LidRequest = 1;
}

void PublisherLogoScene::ApplyKeyframe() {
  const auto& k = kKeyframes[Keyframe];
  if (k.Blink) LidRequest = 1;
  if (k.Speed >= 0) JumpSpeed = k.Speed;
  SetTarget(Parts[0], k.BodyX, k.BodyY);
  SetTarget(Parts[1], k.FootBackX, k.FootBackY);
  SetTarget(Parts[2], k.FootFrontX, k.FootFrontY);
  for (Part& p : Parts) {
    p.VX = (p.TargetX - std::trunc(p.X)) * 0.1 * JumpSpeed;
    p.VY = (p.TargetY - std::trunc(p.Y)) * 0.1 * JumpSpeed;
    if (p.VX > 0) p.VX = 0;  // the critter only ever hops to the left
  }
}

void PublisherLogoScene::StepJump() {
  // The next hop starts once the body has landed and the eyes are open.
  if (Parts[0].TargetX >= Parts[0].X && LidRequest == 0) {
    ApplyKeyframe();
    if (Keyframe > 10)
      LogoStage = 2;
    else
      ++Keyframe;
  }
  for (Part& p : Parts) {
    p.X += p.VX;
    p.Y += p.VY;
    if (p.TargetX > p.X) {
      p.X = p.TargetX;
      p.Y = p.TargetY;
    }
    if (Keyframe < 9 && p.VY != 0) {
      // Pieces tilt with their vertical speed while hopping...
      p.AngleSum -= p.VY * 0.3;
      p.Angle = RoundEven(p.AngleSum);
    } else {
      // ...and straighten up once the hops are done or the piece is still.
      if (p.Angle >= 2)
        p.Angle -= 2;
      else if (p.Angle < -1)
        p.Angle += 2;
      else
        p.Angle = 0;
    }
  }
  if (g.FrameToggle == 1 && Keyframe > 7 && BodyPattern < 3) ++BodyPattern;
}

uint32_t PublisherLogoScene::JinglePosition() {
  WaveList* channels = g.layer.Waves(4);
  Wave* speech = channels ? channels->WaveItem(0) : nullptr;
  if (speech == nullptr || !g.layer.IsPlaying(speech)) return 0;
  return g.layer.GetPosition(speech);
}

void PublisherLogoScene::StepTexts() {
  if (TextFade > 0) --TextFade;
  if (g.FrameToggle == 1) {
    if (g.SoundAvailable) {
      // The texts wait for their beats in the jingle; once it is over they simply run on.
      const uint32_t p = JinglePosition();
      if ((p > 140000 || p == 0) && Text03Frame < 18) ++Text03Frame;
      if ((p > 220000 || p == 0) && Text04Frame < 2) ++Text04Frame;
    } else if (Text03Frame < 18) {
      ++Text03Frame;
    } else if (Text04Frame < 2) {
      ++Text04Frame;
    }
  }
  if (LogoStage == 2 && Text04Frame > 1) LogoStage = 3;
}

void PublisherLogoScene::Draw() {
  Layer& l = g.layer;
  if (TextFade == 0) {
    l.Draw(2, "Text01", 0, SignAt.X, SignAt.Y);
    l.Draw(2, "Text02", 0, CordAt.X, CordAt.Y);
  } else if (TextFade < 6) {
    const int a = 256 - RoundEven(TextFade * 42.6);
    l.DrawPatternAlpha(l.FindImage(2, "Text01"), 0, BoxAt(SignAt, SignW, SignH), a);
    l.DrawPatternAlpha(l.FindImage(2, "Text02"), 0, BoxAt(CordAt, CordW, CordH), a);
  }
  if (IntroCount == 0) {
    l.Draw(2, "Svet01", 0, SpotAt.X, SpotAt.Y);
  } else if (IntroCount < 10) {
    l.DrawPatternAlpha(l.FindImage(2, "Svet01"), 0, BoxAt(SpotAt, SpotW, SpotH),
                       256 - RoundEven(IntroCount * 25.6));
  }
  if (Text03Frame > 0) l.Draw(2, "Text03", Text03Frame - 1, RibbonAt.X, RibbonAt.Y);
  if (Text04Frame > 0) l.Draw(2, "Text04", Text04Frame - 1, StarAt.X, StarAt.Y);
  if (LogoStage > 0 && Keyframe > 3) DrawParts();
  if (LogoStage == 1 && Keyframe >= 4 && Keyframe <= 9) {
    l.Draw(2, "Fill01", 0, LampAt.X, LampAt.Y);
    l.DrawPatternAlpha(l.FindImage(2, "Fill02"), 0, BoxOf(ConeFront), 150);
    l.DrawPatternAlpha(l.FindImage(2, "Fill03"), 0, BoxOf(ConeBack), 90);
  }
  if (IntroCount < 10) DrawEyes();
}

void PublisherLogoScene::DrawParts() {
  Layer& l = g.layer;
  const Image* foot = l.FindImage(2, "Dreb01");
  const Image* body = l.FindImage(2, "Dreb03");
  auto drawFoot = [&](const Part& p) {
    if (p.Angle == 0)
      l.DrawPattern(foot, 0, RoundEven(p.X - FootDX), RoundEven(p.Y - FootDY));
    else
      l.DrawPatternRotated(foot, 0, RoundEven(p.X), RoundEven(p.Y), FootW, FootH, PivotX, PivotY,
                           p.Angle);
  };
  drawFoot(Parts[1]);
  const Part& b = Parts[0];
  if (b.Angle == 0)
    l.DrawPattern(body, BodyPattern, RoundEven(b.X - BodyDX), RoundEven(b.Y - BodyDY));
  else
    l.DrawPatternRotated(body, BodyPattern, RoundEven(b.X), RoundEven(b.Y), BodyW, BodyH, PivotX,
                         PivotY, b.Angle);
  drawFoot(Parts[2]);
}

void PublisherLogoScene::DrawEyes() {
  Layer& l = g.layer;
  const Image* eye = l.FindImage(2, "Dreb02");
  const Part& b = Parts[0];
  for (int offset : EyeAngles) {
    // The eyes sit on top of the body and turn with it.
    const double a = (b.Angle - offset) * 2 * kPi / 255;
    const int x = RoundEven(std::cos(a) * EyeDistance + b.X);
    const int y = RoundEven(std::sin(a) * EyeDistance + b.Y);
    if (IntroCount == 0)
      l.DrawPatternRotated(eye, EyeLid, x, y, EyeW, EyeH, 0.5, 0.5, b.Angle - 5);
    else
      l.DrawPatternRotatedAlpha(eye, EyeLid, x, y, EyeW, EyeH, 0.5, 0.5, b.Angle - 5,
                                256 - RoundEven(IntroCount * 25.6));
  }
}

void PublisherLogoScene::DescribeState(JsonWriter& j) const {
  j.Fields("LogoStage", LogoStage, "IntroCount", IntroCount, "PauseCount", PauseCount, "TextFade",
           TextFade, "Keyframe", Keyframe, "JumpSpeed", JumpSpeed, "LidRequest", LidRequest,
           "EyeLid", EyeLid, "BodyPattern", BodyPattern, "Text03Frame", Text03Frame, "Text04Frame",
           Text04Frame, "FinalCount", FinalCount);
  j.BeginArray("Parts");
  for (const Part& p : Parts) {
    j.BeginObject();
    // Positions are shown truncated to whole pixels.
    j.Fields("X", static_cast<int64_t>(std::trunc(p.X)), "Y", static_cast<int64_t>(std::trunc(p.Y)),
             "TargetX", p.TargetX, "TargetY", p.TargetY, "Angle", p.Angle);
    j.EndObject();
  }
  j.EndArray();
}

void PublisherLogoScene::DeclareAssets(AssetNeeds& needs) const {
  DeclareSceneEntries(needs, kPublisherEntries);
  needs.Entries.emplace_back(PublisherJingle);
  constexpr ImageUse kPictures[] = {{PublisherImages, "Text01", 1},  {PublisherImages, "Text02", 1},
                                    {PublisherImages, "Text03", 18}, {PublisherImages, "Text04", 2},
                                    {PublisherImages, "Svet01", 1},  {PublisherImages, "Dreb01", 1},
                                    {PublisherImages, "Dreb02", 3},  {PublisherImages, "Dreb03", 4},
                                    {PublisherImages, "Fill01", 1},  {PublisherImages, "Fill02", 1},
                                    {PublisherImages, "Fill03", 1}};
  DeclareImages(needs, kPictures);
}

// --- Maker logo (scene 60).

void MakerLogoScene::Load(int) {
  if (!LoadSceneEntries(g, kMakerEntries)) return;
  LogoPhase = 0;
  LogoTicks = 0;
  BuildFrame = 0;
  LogoEyeFrame = 0;
  Blinking = 0;
  TalkVariant = g.Random(10) == 1 ? 1 : 0;
  LogoMouthFrame = 0;
  MouthOpening = 0;
  // An Esc still held from skipping the first logo must be let go before it skips this one.
  SkipState = g.layer.KeyPressed(key::Esc) ? 1 : 0;
  EnterScene(g, Id);
  SayWave(g, TalkVariant == 1 ? MakerTalking : MakerHello, kJingleRate);
}

void MakerLogoScene::Frame() {
  Layer& l = g.layer;
  if (LogoPhase == 0) {
    ++LogoTicks;
    if (LogoTicks > 3 * TalkVariant + 15) LogoPhase = 1;
  }
  if (LogoPhase == 1 && g.FrameToggle == 1) {
    ++BuildFrame;
    if (BuildFrame >= BuildSteps) LogoPhase = 2;
  }
  if (LogoPhase == 2) {
    if (g.Random(60) == 25 && LogoEyeFrame == 0 && Blinking == 0) {
      Blinking = 1;
    } else if (g.Random(5) == 1 && LogoEyeFrame == 2 && Blinking == 1) {
      Blinking = 0;
    }
    if (LogoEyeFrame > 0 && Blinking == 0) --LogoEyeFrame;
    if (LogoEyeFrame < 2 && Blinking == 1) ++LogoEyeFrame;
    if (LogoTicks < 200) ++LogoTicks;
  }

  const bool esc = l.KeyPressed(key::Esc);
  if (SkipState == 1 && !esc)
    SkipState = 0;
  else if (SkipState == 0 && esc)
    SkipState = 2;

  if (BuildFrame >= 1 && BuildFrame <= BuildSteps) {
    char name[8];
    std::snprintf(name, sizeof name, "Bax%02d", static_cast<int>(BuildFrame));
    l.Draw(2, name, 0, SunAt.X, SunAt.Y);
  }
  if (LogoPhase == 2) l.Draw(2, "Glaza01", LogoEyeFrame, EyesAt.X, EyesAt.Y);

  // The talking variant opens the mouth once, as soon as the face has one.
  if (TalkVariant == 1) {
    MouthOpening = 1;
    TalkVariant = 0;
  }
  if (MouthOpening == 1 && BuildFrame > 8) {
    if (LogoMouthFrame < 3)
      ++LogoMouthFrame;
    else
      MouthOpening = 0;
  } else if (LogoMouthFrame > 0) {
    --LogoMouthFrame;
  }
  if (LogoMouthFrame > 0) l.Draw(2, "Rot01", LogoMouthFrame, MouthAt.X, MouthAt.Y);

  if (g.FadeMode == 0 && (SkipState == 2 || LogoTicks > 150)) StartClosing(g);
  if (ScreenCovered(g)) {
    StopSpeech(g);
    g.LoadScene(SceneId::StartMenu);
  }
}

void MakerLogoScene::DescribeState(JsonWriter& j) const {
  j.Fields("LogoPhase", LogoPhase, "LogoTicks", LogoTicks, "BuildFrame", BuildFrame, "LogoEyeFrame",
           LogoEyeFrame, "Blinking", Blinking, "TalkVariant", TalkVariant, "LogoMouthFrame",
           LogoMouthFrame, "MouthOpening", MouthOpening, "SkipState", SkipState);
}

void MakerLogoScene::DeclareAssets(AssetNeeds& needs) const {
  DeclareSceneEntries(needs, kMakerEntries);
  needs.Entries.emplace_back(MakerHello);
  needs.Entries.emplace_back(MakerTalking);
  const std::string entry(MakerImages);
  for (int i = 1; i <= BuildSteps; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "Bax%02d", i);
    needs.Images.push_back({entry, name, 1});
  }
  needs.Images.push_back({entry, "Glaza01", 3});
  // Only patterns 1..3 of the mouth are drawn, but they are counted from 0.
  needs.Images.push_back({entry, "Rot01", 4});
}

std::unique_ptr<Scene> MakeMakerLogoScene(Game& g) { return std::make_unique<MakerLogoScene>(g); }
std::unique_ptr<Scene> MakePublisherLogoScene(Game& g) {
  return std::make_unique<PublisherLogoScene>(g);
}

}  // namespace vepa
