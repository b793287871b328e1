// The kiosk's still objects, the money, ticket and battery display, and the small animations
// that run on every frame whatever the conversation does: the lamp, the snake, the two fish,
// the two flies and the cashier's face and arms.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "hub/hub.h"

namespace vepa {

namespace {

constexpr double kTwoPi = 6.283185307179586;
// The fish and flies turn a heading into a direction with 255 steps to the turn, not 256:
// a heading of 255 is a full turn. The slight drift is part of how they swim.
constexpr double kHeadingToRadians = kTwoPi / 255.0;

// Nearest whole number, halves to the even neighbour.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// One step towards 0 of a depth the fish has when it touches a wall.
int StepTowardsZero(int v) { return v < 0 ? v + 1 : (v > 0 ? v - 1 : 0); }

// One step of an animation frame running up to `top`, or down to `bottom`; false once it is
// there, when the animation turns or rests.
bool CountUp(int& frame, int top) {
  if (frame >= top) return false;
  ++frame;
  return true;
}
bool CountDown(int& frame, int bottom = 0) {
  if (frame <= bottom) return false;
  --frame;
  return true;
}

// Relaxing gaze: large offsets come back by 5, small ones snap to 0.
double Relax(double v) {
  if (v < -5) return v + 5;
  if (v > 5) return v - 5;
  return 0;
}

}  // namespace

// --- First group: lamp, tongue and snake, status display and the objects behind the cashier.

void HubScene::DrawKioskFirstGroup() {
  if (g.FrameToggle == 1 && LampFlicker > 0) {
    if (LampPhase == 0) {
      if (!CountUp(LampFrame, 4)) {
        StopSceneSound(g, "Lamp01");
        PlaySceneSound(g, "Lamp01", 13000);
        LampPhase = 1;
      }
    } else if (!CountDown(LampFrame)) {
      LampPhase = 0;
      StopSceneSound(g, "Lamp02");
      PlaySceneSound(g, "Lamp02", 13000);
    }
    if (LampFrame == 2) --LampFlicker;
  }

  if (g.FrameToggle == 1) {
    if (TongueDirection == 0) {
      if (!CountUp(TongueFrame, 2) && g.Random(10) == 1) TongueDirection = 1;
    } else if (!CountDown(TongueFrame) && g.Random(20) == 1) {
      TongueDirection = 0;
    }
  }

  if (SnakeActive == 0) {
    if (g.Random(30) == 1) SnakeActive = 1;
  } else if (g.FrameToggle == 1) {
    if (SnakePhase == 0) {
      if (!CountUp(SnakeFrame, 3))
        SnakePhase = 1;
      else if (SnakeFrame == 1 && g.Random(2) == 1)  // halfway up it may lose interest and stay
        SnakeActive = 0;
    } else if (!CountDown(SnakeFrame)) {
      SnakePhase = 0;
    }
  }

  // Money, tickets and battery.
  statusBar_.Draw(g, 3);

  g.layer.Draw(3, "Lamp01", LampFrame, 280, 58);
  g.layer.Draw(3, "Door01", 0, 174, 178);
  g.layer.Draw(3, "DTir01", 0, 58, 106);
  g.layer.Draw(3, "Plakat01", 0, 510, 100);
  g.layer.Draw(3, "Book01", 0, 515, 245);
  g.layer.Draw(3, "Perch01", 0, 159, 89);
  g.layer.Draw(3, "Snake01", SnakeFrame, 420, 90);
  if (TongueFrame > 0) g.layer.Draw(3, "Snake02", TongueFrame - 1, 455, 154);
  g.layer.Draw(3, "Gun02", 0, 416, 155);
  g.layer.Draw(3, "Molot01", 0, 37, 238);
}

// --- Second group: the objects in front of the cashier, the fish and the things for sale.

void HubScene::MoveFish(FishRecord& f) {
  if (f.Mode == 3 || f.Mode == 5) {
    // Turning round through the mid-turn frame, in place; the depth may change on the way.
    if (g.FrameToggle == 1) {
      if (f.Mode == 3 ? !CountUp(f.Facing, 2) : !CountDown(f.Facing)) f.Mode = 0;
      f.Depth += 1 - g.Random(3);
    }
  } else {
    if (f.Speed < 0)
      f.Speed = 0;
    else if (f.Speed <= 3)
      f.Speed += (1 - g.Random(3)) * 0.2;
    else
      f.Speed = 3;

    const double a = f.Angle * kHeadingToRadians;
    f.X += std::cos(a) * (f.Facing - 1) * f.Speed;
    f.Y += std::sin(a) * (f.Facing - 1) * f.Speed;

    // The tank: left and right glass and the sloping corner at the bottom right. A fish that
    // bumps into the glass swims a little nearer to the middle depth.
    const double slope = 40 - (f.Y * 1.1 - 15);
    if (f.X < 0) {
      f.X = 0;
      f.Depth = StepTowardsZero(f.Depth);
    } else if (f.X > 40) {
      f.X = 40;
      f.Depth = StepTowardsZero(f.Depth);
    } else if (f.Y > 15 && f.X >= slope) {
      f.X = slope;
      f.Depth = StepTowardsZero(f.Depth);
    }
    if (f.Y < 0) f.Y = 0;
    if (f.Y > 20) f.Y = 20;

    if (g.Random(10) == 1) f.Mode = g.Random(3);
    if (f.Mode == 1) f.Angle += 3;
    if (f.Mode == 2) f.Angle -= 3;
    if (g.Random(40) == 1) f.Mode = f.Facing + 3;  // start a flip
  }
  if (f.Depth < 0) f.Depth = 0;
  if (f.Depth > 4) f.Depth = 4;
}

void HubScene::DrawKioskSecondGroup() {
  g.layer.Draw(3, "Televizor01", 0, 90, 282);
  g.layer.Draw(3, "Bug01", 0, 97, 303);
  g.layer.Draw(3, "Hleb01", 0, 187, 381);
  g.layer.Draw(3, "Govno01", 0, 74, 386);
  g.layer.Draw(3, "Kard01", 0, 261, 384);
  g.layer.Draw(3, "Aqua01", 0, 447, 310);

  const Image* fishImage = g.layer.FindImage(3, "Riba01");
  for (FishRecord& f : Fish) {
    MoveFish(f);
    g.layer.DrawPatternRotatedAlpha(fishImage, f.Facing, 460 + RoundEven(f.X), 340 + RoundEven(f.Y),
                                    RoundEven(f.Depth * 1.6) + 10, f.Depth + 6, 0.5, 0.5,
                                    f.Angle & 255, f.Depth * 20 + 150);
  }

  // The stack of tickets for sale shrinks as the player buys.
  if (g.Tickets < 5) g.layer.Draw(3, "Bilet01", 4 - g.Tickets, 460, 365);
  g.layer.Draw(3, "Daz01", 0, 410, 338);
  if (g.BatteryCharge == 0) g.layer.Draw(3, "Batar01", 0, 450, 382);
  g.layer.Draw(3, "Boatle01", 0, 584, 301);
}

// --- Flies.

void HubScene::MoveFly(int index) {
  FlyRecord& f = Fly[index];
  const FlyRecord& other = Fly[1 - index];
  Wave* wave = nullptr;
  if (g.SoundAvailable) wave = g.layer.FindWave(2, index == 0 ? "Muha01" : "Muha02");
  const int pan = RoundEven(f.X - 320) * 90;

  if (g.FadeMode == 0 && f.Mode == 0 && g.Random(400) == 1) {
    f.TargetIndex = g.Random(5);
    f.TargetX = FlyTarget[f.TargetIndex][0];
    f.TargetY = FlyTarget[f.TargetIndex][1];
    f.Mode = 1;
    if (wave) {
      g.layer.SetPan(wave, pan);
      g.layer.SetVolume(wave, -1000);
      g.layer.Play(wave, true);
    }
    return;
  }
  if (f.Mode == 0) return;

  if (wave) g.layer.SetPan(wave, pan);

  // A flickering lamp, the moving sign or the cashier's waving arm near it scares a fly off.
  const bool nearHost =
      f.TargetX >= 241 && f.TargetX <= 399 && f.TargetY >= 241 && f.TargetY <= 399;
  if (LampFlicker >= 1 || TabletState == 2 || TabletState == 4 || TabletState == 5 ||
      (HostAction() == 1 && nearHost)) {
    f.Mode = 1;
    f.TargetIndex = g.Random(5);
  }

  if (f.Mode < 4) {
    if (g.Random(400) == 1) {  // off the screen
      if (g.Random(4) == 1)
        f.TargetX = -100;
      else if (g.Random(3) == 1)
        f.TargetY = -100;
      else if (g.Random(2) == 1)
        f.TargetX = 740;
      else
        f.TargetY = 550;
      f.Mode = 4;
    } else if (g.Random(40) == 1) {
      f.Mode = g.Random(5) < 1 ? 1 : 2;
    }
  }

  if (f.Mode == 1) {
    if (g.Random(5) == 1) f.TargetIndex = g.Random(6);
    if (f.TargetIndex < 5) {
      f.TargetX = FlyTarget[f.TargetIndex][0];
      f.TargetY = FlyTarget[f.TargetIndex][1];
    } else if (other.Mode > 0) {
      f.TargetX = RoundEven(other.X);
      f.TargetY = RoundEven(other.Y);
    }
  }

  if (g.Random(2) == 1 && (f.Mode == 1 || f.Mode == 2 || f.Mode == 4)) f.Speed = g.Random(10) + 3;

  if (f.Mode == 2 && g.Random(3) == 1 && f.TargetIndex < 5 && std::abs(f.X - f.TargetX) < 10 &&
      std::abs(f.Y - f.TargetY) < 10) {
    f.Mode = 3;  // lands
  } else if (f.Mode == 3) {
    // Sits still and quiet, shuffling now and then.
    if (wave) g.layer.Stop(wave);
    if (f.Speed > 0) f.Speed /= 3;
    if (g.Random(2) == 1) {
      f.X += (1 - g.Random(3)) * 0.5;
      f.Y += (1 - g.Random(3)) * 0.5;
    }
  } else {
    if (wave) {
      if (g.FadeMode != 0)
        g.layer.Stop(wave);
      else
        g.layer.Play(wave, true);
    }
    TurnTowards(AngleTo(RoundEven(f.X), RoundEven(f.Y), f.TargetX, f.TargetY), f.Heading);
  }

  // The angle points from the target to the fly, so the fly steps against it.
  const double a = f.Heading * kHeadingToRadians;
  f.DX = std::cos(a) * f.Speed;
  f.DY = std::sin(a) * f.Speed;
  f.X -= f.DX;
  f.Y -= f.DY;

  if (f.Mode == 4 && (f.X < -20 || f.X > 660 || f.Y < -20 || f.Y > 500)) {
    f.Mode = 0;
    if (wave) g.layer.Stop(wave);
  }

  g.layer.DrawPatternRotated(g.layer.FindImage(3, "Muha01"), g.Random(4), RoundEven(f.X),
                             RoundEven(f.Y), 5, 5, 0.5, 0.5, f.Heading & 255);
}

void HubScene::DrawFlies() {
  MoveFly(0);
  MoveFly(1);
}

// --- The cashier.

void HubScene::UpdateHostFace() {
  if (HostSpeaking == 0)
    MouthFrame = 0;
  else if (g.FrameToggle == 1)
    MouthFrame = g.Random(5);

  if (g.Random(60) == 25 && EyelidFrame == 0 && BlinkRequest == 0)
    BlinkRequest = 1;
  else if (g.Random(5) == 1 && EyelidFrame == 2 && BlinkRequest == 1)
    BlinkRequest = 0;
  if (EyelidFrame > 0 && BlinkRequest == 0) --EyelidFrame;
  if (EyelidFrame < 2 && BlinkRequest == 1) ++EyelidFrame;

  if (g.Random(60) == 1)
    GazeMode = g.Random(5) + 3;
  else if (g.Random(60) == 1)
    GazeMode = g.Random(3) + 9;
  else if (g.Random(60) == 1)
    GazeMode = 0;

  switch (GazeMode) {
    case 0:
    case 7:
    case 8:
      GazeY = Relax(GazeY);
      break;
    case 3:
      if (GazeY < 10) GazeY += 1;
      break;
    case 4:
    case 5:
    case 6:
      if (GazeY > -10) GazeY -= 1;
      break;
    default:
      break;
  }
  if (GazeMode == 0 || GazeMode == 3 || GazeMode == 6)
    GazeX = Relax(GazeX);
  else
    SideGlance(GazeMode, GazeX);
  if (GazeMode >= 9 && GazeMode <= 11) {
    double tx, ty;
    const FlyRecord* fly = nullptr;
    if (GazeMode == 10 && Fly[0].Mode > 0) fly = &Fly[0];
    if (GazeMode == 11 && Fly[1].Mode > 0) fly = &Fly[1];
    if (fly) {
      tx = std::trunc((fly->X - 320) * 0.08);
      ty = std::trunc((fly->Y - 200) * 0.08);
    } else {
      tx = std::trunc((g.MouseX - 320) * 0.04);
      ty = std::trunc((g.MouseY - 200) * 0.04);
    }
    if (GazeX < tx - 2) GazeX += 2;
    if (GazeX > tx + 2) GazeX -= 2;
    if (GazeY < ty - 2) GazeY += 2;
    if (GazeY > ty + 2) GazeY -= 2;
  }
  GazeX = std::clamp(GazeX, -10.0, 10.0);
  GazeY = std::clamp(GazeY, -10.0, 10.0);
}

void HubScene::UpdateHostArms() {
  ArmRecord& left = Arm[0];
  ArmRecord& right = Arm[1];

  // Talking gestures while the cashier speaks.
  if (HostSpeaking == 1 && PlayerSpeaking == 0) {
    for (int i = 0; i < 2; ++i) {
      ArmRecord& a = Arm[i];
      if ((a.Mode == 0 || a.Mode == 3) && g.Random(40) == 1) {
        a.Mode = 1;
        a.Target = g.Random(4) + 1;
        a.Frame = 0;
        a.Phase = 0;
        if (i == 0) a.TapCounter = 0;
      }
    }
  }
  if (g.FrameToggle == 1) {
    for (ArmRecord& a : Arm) {
      if (a.Mode != 1) continue;
      if (a.Frame < a.Target)
        ++a.Frame;
      else if (a.Frame > a.Target)
        --a.Frame;
      else if (a.Target != 0)
        a.Target = 0;  // the arm comes back
      else
        a.Mode = 0;
    }
  }

  // The left hand taps the counter now and then.
  if (left.Mode == 0 && g.Random(10) == 1) {
    left.Mode = 3;
    left.TapDirection = 1;
    left.TapCounter = 0;
  }
  if (left.Mode == 3 && g.FrameToggle == 1) {
    if (left.TapDirection == 1) {
      if (!CountUp(left.TapCounter, 3)) left.TapDirection = 2;
    } else if (!CountDown(left.TapCounter)) {
      left.TapDirection = 0;
      left.Mode = 0;
    }
  }

  // Rarely one hand goes up to the lips, once or a few times.
  if (left.Mode == 0 && right.Mode == 0 && g.Random(250) == 1) {
    left.Mode = right.Mode = 2;
    left.Frame = 0;
    left.Target = 12;
    left.Phase = 0;
    left.RaisedArm = g.Random(2);
  }
  if (left.Mode == 2 && g.FrameToggle == 1) {
    if (left.Phase == 0) {
      if (!CountUp(left.Frame, left.Target)) {
        left.Target = g.Random(5) == 1 ? 9 : 0;
        left.Phase = 1;
      }
    } else if (!CountDown(left.Frame, left.Target)) {
      if (left.Target == 9) {
        left.Target = 12;
        left.Phase = 0;
      } else {
        left.Mode = right.Mode = 0;
      }
    }
  }
}

void HubScene::DrawHost() {
  UpdateHostFace();
  UpdateHostArms();

  g.layer.Draw(2, "Kib03", 0, 254, 165);
  g.layer.Draw(2, "Kib01", PlayerSpeaking == 1 ? 0 : MouthFrame, 286, 239);
  const int pupilY = 218 + RoundEven(GazeY * 0.1);
  g.layer.Draw(2, "Kib09", 0, 301 + RoundEven(GazeX * 0.3), pupilY);
  g.layer.Draw(2, "Kib09", 0, 330 + RoundEven(GazeX * 0.3), pupilY);
  g.layer.Draw(2, "Kib04", EyelidFrame, 289, 216);

  const ArmRecord& left = Arm[0];
  const ArmRecord& right = Arm[1];
  const Image* glow = g.layer.FindImage(2, "Kib10");
  if (left.Mode == 1 || (left.Mode == 2 && left.RaisedArm == 0)) {
    g.layer.Draw(2, "Kib07", left.Frame, 202, 227);
    if (left.Frame >= 10) {
      g.layer.DrawPatternAlpha(glow, left.Frame - 10, Rect{305, 241, 313, 252},
                               left.Frame * 7 + 20);
    }
  } else {
    g.layer.Draw(2, "Kib06", 0, 218, 275);
    g.layer.Draw(2, "Kib02", left.TapCounter, 261, 357);
  }

  if (left.Mode == 2 && left.RaisedArm == 1) {
    g.layer.Draw(2, "Kib08", left.Frame, 310, 234);
    if (left.Frame >= 10) {
      g.layer.DrawPatternAlpha(glow, left.Frame - 7, Rect{313, 242, 321, 253}, left.Frame * 7 + 20);
    }
  } else if (right.Mode == 1) {
    g.layer.Draw(2, "Kib08", right.Frame, 310, 234);
  } else {
    g.layer.Draw(2, "Kib05", 0, 316, 274);
  }
}

}  // namespace vepa
