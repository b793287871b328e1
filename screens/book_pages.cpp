#include "screens/book_pages.h"

#include <cmath>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/render.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "screens/book_layout.h"

namespace vepa {

namespace {
constexpr int kRate = 11000;
constexpr double kStepShare = 0.1;  // a flight covers its way in ten steps
}  // namespace

void DrawKioskButton(Game& g) {
  static const std::string caption = Cp1251("КИОСК");
  g.layer.DrawPatternAlpha(
      g.layer.FindImage(1, "Button01"), 0,
      Rect{book::KioskLeft, book::KioskTop, book::KioskRight, book::KioskBottom}, 1000);
  DrawTextCentered(g, book::KioskCaptionX, book::KioskCaptionY, 12, caption, 0, 15);
}

void BookPages::Reset() {
  ShownPage = 0;
  TargetPage = 0;
  TurnState = 0;
  TurnCounter = 0;
  FlyingPage = 0;
  LeftPress = 0;
  RightPress = 0;
  Leaving = 0;
  Sheets[0] = BookSheet{};
  Sheets[1] = BookSheet{};
}

int BookPages::SheetX(int sheet) const { return Nearest(Sheets[sheet].X); }
int BookPages::SheetY(int sheet) const { return Nearest(Sheets[sheet].Y); }

void BookPages::Step(Game& g, int lastPage) {
  DrawKioskButton(g);

  const Image* arrows = g.layer.FindImage(2, "Button01");
  g.layer.DrawPattern(arrows, 0, book::LeftArrowX, book::ArrowY + (LeftPress > 0 ? 1 : 0));
  g.layer.DrawPattern(arrows, 1, book::RightArrowX, book::ArrowY + (RightPress > 0 ? 1 : 0));
  g.layer.Draw(2, "Doska01", 0, book::ClipX, book::ClipY);
  if (LeftPress > 0) --LeftPress;
  if (RightPress > 0) --RightPress;

  const uint8_t code = g.HitMapAt(g.MouseX, g.MouseY, 0, book::HitMapDY);
  if (g.ClickState == 1 && g.HandFrame == 1) {
    if (code == book::CodeLeftArrow && TargetPage > 0) {
      --TargetPage;
      LeftPress = book::PressTicks;
    } else if (code == book::CodeRightArrow && TargetPage < lastPage) {
      ++TargetPage;
      RightPress = book::PressTicks;
    } else if (code == book::CodeKiosk && Leaving == 0) {
      Leaving = 1;
      PlayCommonSound(g, "boom03", kRate);
    }
  }

  BookSheet& moving = Sheets[1];
  if (TurnState == 1) {
    moving.X += moving.DX;
    moving.Y += moving.DY;
    if (++TurnCounter > book::TurnFrames) TurnState = 0;
    return;
  }
  if (TurnState == 2) {
    moving.X -= moving.DX;
    moving.Y -= moving.DY;
    if (--TurnCounter <= 0) {
      ShownPage = FlyingPage;
      TurnState = 0;
      PlaySceneSound(g, "Kard03", kRate);  // the page lands on the book
    }
    return;
  }
  StartTurn(g);
}

// A page leaves or arrives along a straight line from a point outside the book: off the top or
// bottom edge, or off the left or right edge. Points far up and to the left are pulled in
// towards the book.
void BookPages::PickExitPoint(Game& g, double& ex, double& ey) const {
  if (g.Random(2) == 1) {
    ex = g.Random(900) - 450;
    ey = g.Random(2) == 0 ? -350 : 400;
    if (ex < -150 && ey < -80) ex = -150;
  } else {
    ex = g.Random(2) == 0 ? -350 : 400;
    ey = g.Random(750) - 350;
    if (ex < -150 && ey < -80) ey = -80;
  }
}

void BookPages::StartTurn(Game& g) {
  BookSheet& moving = Sheets[1];
  if (ShownPage < TargetPage) {
    double ex = 0, ey = 0;
    PickExitPoint(g, ex, ey);
    moving.X = 0;
    moving.Y = 0;
    moving.DX = ex * kStepShare;
    moving.DY = ey * kStepShare;
    FlyingPage = ShownPage;
    ++ShownPage;
    TurnCounter = 0;
    TurnState = 1;
    PlaySceneSound(g, "Pick01", kRate);
  } else if (TargetPage < ShownPage) {
    double ex = 0, ey = 0;
    PickExitPoint(g, ex, ey);
    moving.X = ex;
    moving.Y = ey;
    moving.DX = ex * kStepShare;
    moving.DY = ey * kStepShare;
    FlyingPage = ShownPage - 1;
    TurnCounter = book::TurnFrames;
    TurnState = 2;
    PlaySceneSound(g, "Pick01", kRate);
  }
}

bool BookPages::LeaveStep(Game& g) const {
  if (g.FadeMode == 0 && Leaving == 1) StartClosing(g);
  return ScreenCovered(g);
}

void BookPages::DescribeState(JsonWriter& j) const {
  j.Fields("ShownPage", ShownPage, "TargetPage", TargetPage, "TurnState", TurnState, "TurnCounter",
           TurnCounter, "FlyingPage", FlyingPage, "LeftPress", LeftPress, "RightPress", RightPress,
           "Leaving", Leaving, "MovingSheetX", SheetX(1), "MovingSheetY", SheetY(1));
}

void BookPages::DeclareAssets(AssetNeeds& a) {
  a.Images.push_back({"s_book02", "Button01", 2});
  a.Images.push_back({"s_book02", "Doska01", 1});
  a.Images.push_back({"s_all01", "Button01", 1});
  DeclarePointer(a);
  a.Images.push_back({"s_all01", "FontP", 93});
  DeclareWaves(a, "w_book02", {"Pick01", "Kard03"});
  a.Waves.push_back({"w_all01", "Boom03"});
}

}  // namespace vepa
