// The opponents along the top of the table: the grandmother, the grandfather with his pipe and
// the host. Each blinks, lets its eyes wander by an idle behaviour chosen at random (one of
// them is peeking at the neighbour's cards, which the scolding scenes punish), shows a fan of
// backs for the cards it holds, lifts a card while one leaves or reaches its hand, and moves
// its mouth while it talks.
#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "cards/card_game.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"

namespace vepa::cards {
namespace {

int Nearest(float v) { return static_cast<int>(std::lrint(v)); }

// "To centre by 5": a step of 5 towards 0, or 0 when closer than that.
void Centre(float& v) {
  if (v < -5)
    v += 5;
  else if (v > 5)
    v -= 5;
  else
    v = 0;
}

// Where the parts of each figure are drawn, relative to its anchor.
struct FigureLayout {
  const char* Figure;
  int FigureX;
  const char* Mouth;
  int MouthX, MouthY;
  const char* Pupil;
  int LeftX, LeftY, RightX, RightY;
  float GazeX, GazeY;  // how far the pupils move for a gaze of 1
  const char* Lids;
  int LidsX, LidsY;
  int FanX, FanY;
  const char* Arms;
  int ArmsX, ArmsY;
  const char* Hand;
  int HandX, HandY;
};

constexpr FigureLayout kFigures[3] = {
    {"Bab01", -57, "Bab02", -39, 77,  "Bab04", -19, 54,  8,       55,  0.2f, 0.3f,
     "Bab03", -28, 48,      -32, 156, "Bab05", -89, 111, "Bab06", -32, 176},
    {"Ded01", -65, "Ded02", -43, 54,  "Bab04", -15, 45, 13,      43,  0.5f, 0.2f,
     "Ded03", -22, 41,      -31, 150, "Ded05", -95, 95, "Ded06", -34, 163},
    {"Kib01", -65, "Kib02", -33, 74,  "Kib04", -18,  53,  11,      53, 0.3f, 0.1f,
     "Kib03", -30, 51,      -26, 156, "Kib05", -102, 126, "Kib06", -5, 183},
};

}  // namespace

void CardGame::DrawOpponent(int r) {
  Opponent& o = Opponents[r - 1];
  const int x = o.PosX, y = o.PosY, k = HandCount[r + 1];

  if (g.Random(60) == 25) {
    if (o.BlinkFrame == 0 && o.BlinkClosing == 0.0f) o.BlinkClosing = 1.0f;
  } else if (g.Random(5) == 1 && o.BlinkFrame == 2 && o.BlinkClosing == 1.0f) {
    o.BlinkClosing = 0.0f;
  }
  if (o.BlinkFrame > 0 && o.BlinkClosing == 0.0f) --o.BlinkFrame;
  if (o.BlinkFrame < 2 && o.BlinkClosing == 1.0f) ++o.BlinkFrame;

  if (o.CardGesture > 0) --o.CardGesture;

  // A new idle behaviour now and then; looking into its own cards ends only by following the
  // pointer or looking back to the centre.
  if (g.Random(40) == 1 && o.Action != 3 && OpponentChoice > 0)
    o.Action = 1 + g.Random(2) * (r < OpponentChoice + 1 ? 1 : 0);
  else if (g.Random(60) == 1 && o.Action != 3)
    o.Action = g.Random(4) + 3;
  else if (g.Random(60) == 1)
    o.Action = 9;
  else if (g.Random(60) == 1)
    o.Action = 0;

  switch (o.Action) {
    case 0:
    case 7:
    case 8:
      Centre(o.LookY);
      break;
    case 1:
      if (r == 1) {
        if (o.LookX < 10) o.LookX += 1;
      } else if (o.LookX > -10) {
        o.LookX -= 1;
      }
      if (o.LookY < 10) o.LookY += 1;
      break;
    case 2:
      if (o.LookX < 10) o.LookX += 1;
      if (o.LookY < 10) o.LookY += 1;
      break;
    case 3:
      if (o.LookY < 10) {
        o.LookY += 1;
        Centre(o.LookX);
      } else {
        if (g.Random(2) == 1 && o.LookX < 5) o.LookX += static_cast<float>(g.Random(2) + 1);
        if (g.Random(2) == 0 && o.LookX > -5) o.LookX -= static_cast<float>(g.Random(2) + 1);
      }
      break;
    case 4:
    case 5:
    case 6:
      if (o.LookY > -10) o.LookY -= 1;
      break;
    default:
      break;
  }
  if (o.Action == 0 || o.Action == 6)
    Centre(o.LookX);
  else
    SideGlance(o.Action, o.LookX);
  if (o.Action == 9) {
    const float tx = std::trunc(static_cast<float>(g.MouseX - x) * 0.04f);
    if (tx + 2 < o.LookX)
      o.LookX -= 2;
    else if (tx - 2 > o.LookX)
      o.LookX += 2;
    o.LookX = std::clamp(o.LookX, -10.0f, 10.0f);
    const float ty = std::trunc(static_cast<float>(g.MouseY - 200) * 0.05f);
    if (ty + 2 < o.LookY)
      o.LookY -= 2;
    else if (ty - 2 > o.LookY)
      o.LookY += 2;
    o.LookY = std::clamp(o.LookY, -10.0f, 10.0f);
  }

  if (o.Talking == 1) {
    if (g.FrameToggle != 0) o.Mouth = g.Random(5);
  } else {
    o.Mouth = 0;
  }

  const FigureLayout& f = kFigures[r - 1];
  g.layer.Draw(2, f.Figure, 0, x + f.FigureX, y);
  if (r == 2) DrawSmoke(x, y);
  g.layer.Draw(2, f.Mouth, o.Mouth, x + f.MouthX, y + f.MouthY);
  const int dx = Nearest(f.GazeX * o.LookX), dy = Nearest(f.GazeY * o.LookY);
  g.layer.Draw(2, f.Pupil, 0, x + f.LeftX + dx, y + f.LeftY + dy);
  g.layer.Draw(2, f.Pupil, 0, x + f.RightX + dx, y + f.RightY + dy);
  g.layer.Draw(2, f.Lids, o.BlinkFrame, x + f.LidsX, y + f.LidsY);
  if (k > 0) g.layer.Draw(2, "Kards04", std::min(k, 6) - 1, x + f.FanX, y + f.FanY);
  g.layer.Draw(2, f.Arms, 0, x + f.ArmsX, y + f.ArmsY);
  g.layer.Draw(2, f.Hand, o.CardGesture > 0 ? 1 : 0, x + f.HandX, y + f.HandY);
}

// The pipe's smoke sways and stretches at random; the taller it rises, the thinner it is.
void CardGame::DrawSmoke(int x, int y) {
  if (g.FrameToggle == 1) {
    if (SmokeWaveDown == 0) {
      if (5 - g.Random(3) > SmokeWave)
        ++SmokeWave;
      else
        SmokeWaveDown = 1;
    }
    if (SmokeWaveDown == 1) {
      if (g.Random(3) < SmokeWave)
        --SmokeWave;
      else
        SmokeWaveDown = 0;
    }
  }
  if (SmokeLengthDown == 0) {
    if (SmokeLength < 250)
      SmokeLength = static_cast<uint8_t>(SmokeLength + g.Random(2));
    else
      SmokeLengthDown = 1;
  }
  if (SmokeLengthDown == 1) {
    if (SmokeLength > 3)
      SmokeLength = static_cast<uint8_t>(SmokeLength - g.Random(2));
    else
      SmokeLengthDown = 0;
  }
  if (g.Random(100) == 1) SmokeLengthDown ^= 1;
  const int lift = Nearest(0.2f * SmokeLength);
  g.layer.DrawPatternWaveAdd(g.layer.FindImage(2, "Dim01"), 0, x + 16, y + 29 + lift, 17, 65 - lift,
                             SmokeWave, Nearest(0.3f * SmokeLength) + 20, 0,
                             (5 - SmokeWave) * 2 + 60);
}

void CardGame::DrawBubbles() {
  if (Opponents[0].Talking == 1) DrawSpeechBubble(g, Opponents[0].PosX - 10, 170, 1);
  if (Opponents[1].Talking == 1 && OpponentChoice == 1)
    DrawSpeechBubble(g, Opponents[1].PosX - 200, 170, 3);
  if (Opponents[1].Talking == 1 && OpponentChoice == 2)
    DrawSpeechBubble(g, Opponents[1].PosX - 10, 170, 1);
  if (Opponents[2].Talking == 1 && OpponentChoice == 2)
    DrawSpeechBubble(g, Opponents[2].PosX - 200, 150, 3);
  if (PlayerTalking == 1) {
    DrawSpeechBubble(g, 80, 230, 0);
    if (g.FrameToggle != 0) PlayerMouth = g.Random(5);
    g.layer.Draw(1, "PlRot01", PlayerMouth, 5, 405);
  }
}

}  // namespace vepa::cards
