// The two anglers of the aquarium: the computer on the left, the player on the right. Each
// pushes its rod tip out over the tank, pays out or reels in its line, and when a creature bites
// reels it up, swings it over to its bucket, drops it and pays the line out again. The player
// steers with the arrow keys; the computer goes for a target creature and keeps its catch out
// of the big fish's way, for the big fish frees whatever it swims through on a hook.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/helpers.h"
#include "engine/render.h"
#include "minigames/aquarium.h"
#include "minigames/aquarium_layout.h"

namespace vepa {

using namespace aquarium;

namespace {

constexpr int kComputer = 0, kPlayer = 1;
constexpr int kCrabNo = 3;
constexpr int kMaxTip = 170, kMaxLine = 340;
constexpr uint16_t kLineColor = 0xFFFF;  // white

// The crab hangs from the hook by one claw; where that claw is in each hanging picture.
int CrabClawX(int anim) {
  constexpr int kClawX[] = {29, 51, 36};  // pictures 3, 4 and 5
  return anim >= 3 && anim <= 5 ? kClawX[anim - 3] : 61;
}

}  // namespace

void AquariumScene::ResetAnglers() {
  for (AquariumAngler& an : Angler) an = AquariumAngler{};
  Angler[kComputer].HookX = kTipX0;
  Angler[kPlayer].HookX = kTipX1;
  Angler[kComputer].Target = static_cast<uint8_t>(g.Random(3) + 1);
  Angler[kPlayer].Target = 0;  // the player chooses with the keys
}

void AquariumScene::StepAnglers() {
  StepAnglerState(kComputer);
  StepAnglerState(kPlayer);
  if (Angler[kComputer].State == 0) ComputerChooses();
  if (Angler[kComputer].State == 1) ComputerReels();
  if (Angler[kPlayer].State < 2) PlayerKeys();
  StepLine(Angler[kComputer]);
  StepLine(Angler[kPlayer]);
  DrawAnglers();
  DrawHookedCreatures();
  DrawReelHands();
}

void AquariumScene::StepAnglerState(int a) {
  AquariumAngler& an = Angler[a];
  const AquariumCreature& big = Fish[0];
  AquariumCreature* c = an.Catch != 0 ? &Fish[an.Catch] : nullptr;
  switch (an.State) {
    case 1: {  // reeling in
      if (c && an.HookX < big.X + 110 && big.X < an.HookX && an.HookY < big.Y + 40 &&
          big.Y < an.HookY + 40) {
        LoseCatch(an);
        c = nullptr;
      }
      if (c) {
        if (an.Line >= (a == kComputer ? 20 : 5)) {
          an.Line -= 5;
          an.Crank += 0.5;
        } else {
          // The line is short: the rod comes back over the angler's side.
          if (an.Tip > 0) an.Tip -= 5;
          const int shortest = a == kComputer ? 15 : 0;
          if (an.Line < shortest) an.Line = shortest;
          if (an.Tip <= 0) {
            an.State = 2;
            an.Swing = 0;
          }
        }
      } else if (an.Line <= 60) {
        an.State = 0;
        an.Swing = 0;
      } else {
        an.Line -= 5;
        an.Crank += 0.5;
      }
      break;
    }
    case 2:  // lifting the catch out of the water
      an.Swing += 5;
      if (a == kComputer ? an.Swing >= 140 : an.Swing > 80) {
        an.State = 3;
        if (c) {
          c->X = an.HookX - 9 - (an.Catch == kCrabNo ? 27 : 0);
          c->Y = an.HookY;
          c->State = 1;
        }
      }
      break;
    case 3:  // carrying it over the bucket
      if (c) c->X += a == kComputer ? -5 : 5;
      an.Swing -= 5;
      if (an.Swing < -50) {
        if (c) c->State = 2;  // let go: it drops into the bucket
        an.State = 4;
      }
      break;
    case 4:  // the arm swings back
      an.Swing += 5;
      if (an.Swing >= 0) an.State = 5;
      break;
    case 5:  // paying the line out again
      an.Line += 5;
      an.Crank -= 0.5;
      if (an.Line > 60) {
        an.State = 0;
        an.Catch = 0;
      }
      break;
    default:
      break;
  }
}

// The big fish swam through the hook: the catch gets away where the hook is, and is drawn
// there at once as a free creature.
void AquariumScene::LoseCatch(AquariumAngler& an) {
  const int f = an.Catch;
  AquariumCreature& c = Fish[f];
  c.State = c.HookedBy = c.Anim = c.Pattern = 0;
  c.X = an.HookX;
  c.Y = an.HookY + 10;
  DrawFreeCreature(f);
  an.Catch = 0;
}

void AquariumScene::ComputerChooses() {
  AquariumAngler& an = Angler[kComputer];
  auto onHook = [this](int f) { return Fish[f].HookedBy > 0 && Fish[f].State < 2; };
  if (g.Random(100) == 1) an.Target = static_cast<uint8_t>(g.Random(3) + 1);
  if (onHook(an.Target)) {
    an.Target = static_cast<uint8_t>(g.Random(3) + 1);
    if (onHook(an.Target)) an.Target = an.Target == 3 ? 1 : an.Target + 1;
  }
  const AquariumCreature& t = Fish[an.Target];
  const bool crab = an.Target == kCrabNo;
  // Sideways: the rod tip over the creature's middle (the crab's raised claw).
  const int tipX = an.Tip + kTipX0;
  const int left = t.X + (crab ? 60 : 40), right = t.X + (crab ? 65 : 45);
  if (tipX < left && an.Tip < kMaxTip) {
    an.Tip += 5;
    an.Line -= 3;
  } else if (tipX > right && an.Tip > 0) {
    an.Tip -= 5;
    if (an.Line < kMaxLine) an.Line += 3;
  }
  // Depth: the hook just above the crab, or level with a fish's mouth.
  const int depth = crab ? an.Line : an.HookY;
  const int low = crab ? t.Y - 35 : t.Y - 10, high = crab ? t.Y - 25 : t.Y + 5;
  if (depth < low) {
    if (an.Line < kMaxLine) {
      an.Line += 5;
      an.Crank -= 0.5;
    }
  } else if (depth > high) {
    if (an.Line > 0) {
      an.Line -= 5;
      an.Crank += 0.5;
    }
  }
}

// While reeling, the computer gives line when the big fish is near and moves its catch away from
// the way the big fish swims.
void AquariumScene::ComputerReels() {
  AquariumAngler& an = Angler[kComputer];
  const AquariumCreature& big = Fish[0];
  if (an.Catch != 0 && big.X - 40 < an.HookX && an.HookX < big.X + 150 && an.HookY > 160) {
    an.Line += 3;
    an.Crank -= 0.3;
  } else {
    an.Line -= 3;
    an.Crank += 0.3;
  }
  if (an.Catch != 0 && an.HookY > 160) {
    if (an.HookX < big.X + 55) {
      if (big.Dir == 0 && an.Tip > 0) {
        an.Tip -= 5;
        if (an.Line < kMaxLine) an.Line += 3;
      }
    } else if (an.HookX > big.X + 55) {
      if (big.Dir == 1 && an.Tip < kMaxTip) {
        an.Tip += 5;
        an.Line -= 3;
      }
    }
  }
}

// Left pushes the rod out over the tank (the line shortens as the rod reaches), Right pulls it
// back, Up reels in and Down pays out; reeling is slower while a creature pulls on the line.
void AquariumScene::PlayerKeys() {
  AquariumAngler& an = Angler[kPlayer];
  const bool hooked = an.State == 1;
  if (g.layer.KeyPressed(key::Left) && an.Tip < kMaxTip && an.Line > 0) {
    an.Tip += 5;
    an.Line -= 3;
  }
  if (g.layer.KeyPressed(key::Right) && an.Tip > 0) {
    an.Tip -= 5;
    if (an.Line < kMaxLine) an.Line += 3;
  }
  if (g.layer.KeyPressed(key::Up) && an.Line > 0) {
    an.Line -= hooked ? 3 : 5;
    an.Crank += hooked ? 0.3 : 0.5;
  }
  if (g.layer.KeyPressed(key::Down) && an.Line < kMaxLine) {
    an.Line += hooked ? 3 : 5;
    an.Crank -= hooked ? 0.3 : 0.5;
  }
}

// The hook hangs below the rod tip and trails it when the rod moves: quickly near the surface,
// slowly in the water, riding higher while it lags behind.
void AquariumScene::StepLine(AquariumAngler& an) {
  an.HookY = an.Line - std::abs(an.HookOff - an.Tip) / 2 + 27;
  an.Follow = an.HookY >= 140 ? 2 : 4;
  // The hook stops under the tip once it gets there; stepping past it would keep it trembling
  // from side to side for as long as the rod is still.
  if (an.HookOff < an.Tip)
    an.HookOff = std::min(an.HookOff + an.Follow, an.Tip);
  else if (an.HookOff > an.Tip)
    an.HookOff = std::max(an.HookOff - an.Follow, an.Tip);
}

void AquariumScene::DrawAnglers() {
  Layer& l = g.layer;
  const Image* rod = l.FindImage(2, kRod.Name);
  const Image* hook = l.FindImage(2, kHook.Name);
  const AquariumAngler& k = Angler[kComputer];
  const AquariumAngler& p = Angler[kPlayer];
  l.Draw(2, kArm.Name, 1, kArmX[0], kArmY[0]);
  l.DrawPatternRotated(rod, 0, kRodX0, kRodY0, k.Tip + 100, kRod.Height, 0, 0, 0);
  l.Line(k.Tip + kTipX0, kTipY0, k.HookX, k.HookY + 3, kLineColor);
  l.DrawPatternRotated(hook, 0, k.HookX - 9, k.HookY, kHook.Width, kHook.Height, 0, 0,
                       (k.Tip - k.HookOff) / 4);
  l.Draw(2, kArm.Name, 2, kArmX[1], kArmY[1]);
  l.DrawPatternRotated(rod, 1, kTipX1 - 1 - p.Tip, kRodY1, p.Tip + 60, kRod.Height, 0, 0, 0);
  l.Line(kTipX1 - p.Tip, kTipY1, p.HookX, p.HookY + 3, kLineColor);
  l.DrawPatternRotated(hook, 1, p.HookX + 1, p.HookY, kHook.Width, kHook.Height, 0.5, 0,
                       (p.HookOff - p.Tip) / 4);
}

void AquariumScene::DrawHookedCreatures() {
  Layer& l = g.layer;
  for (int f = 1; f <= 2; ++f) {
    const AquariumCreature& c = Fish[f];
    if (c.HookedBy <= 0 || c.State >= 3) continue;
    const AquariumAngler& h = Angler[c.HookedBy - 1];
    const Image* img = l.FindImage(2, kSmallFish.Name);
    const int w = kSmallFish.Width, ht = kSmallFish.Height;
    if (c.State == 0) {
      const int angle = (h.HookOff - h.Tip) / 4 + c.Tilt;
      if (c.Dir == 1)
        l.DrawPatternRotated(img, c.Pattern + 6, h.HookX + 7, h.HookY, w, ht, 0.1, 0.4, angle);
      else
        l.DrawPatternRotated(img, c.Pattern, h.HookX - 9, h.HookY, w, ht, 1, 0.4, angle);
    } else {
      // Carried or dropping: it hangs by its mouth, head up.
      l.DrawPatternRotated(img, c.Pattern, c.X, c.Y, w, ht, 1, 0.4, -64);
    }
  }
  const AquariumCreature& crab = Fish[kCrabNo];
  if (crab.HookedBy > 0 && crab.State < 3) {
    const AquariumAngler& h = Angler[crab.HookedBy - 1];
    const int x = crab.State == 0 ? h.HookX - CrabClawX(crab.Anim) : crab.X;
    const int y = crab.State == 0 ? h.HookY + 5 : crab.Y - 5;
    l.DrawPatternRotated(l.FindImage(2, kCrab.Name), crab.Anim, x, y, kCrab.Width, kCrab.Height, 0,
                         0, 0);
  }
}

// The free hand turns the reel's crank; while a catch is brought to the bucket it leaves the
// crank and carries the catch.
void AquariumScene::DrawReelHands() {
  Layer& l = g.layer;
  for (int a : {kPlayer, kComputer}) {
    const AquariumAngler& an = Angler[a];
    const int cs = Nearest(kCrankRadius * std::cos(an.Crank));
    const int sn = Nearest(kCrankRadius * std::sin(an.Crank));
    const int reelX = kArmX[a] + kReelX[a], reelY = kArmY[a] + kReelY[a];
    const int knobX = reelX - kKnob.Width / 2 + cs, knobY = reelY - kKnob.Height / 2 + sn;
    const int handX = reelX - kGripX[a] + cs, handY = reelY - kGripY[a] + sn;
    const int pattern = a == kPlayer ? 2 : 1;
    const bool carrying = an.State >= 2 && an.State <= 4;
    if (!carrying) {
      l.Draw(2, kHand.Name, pattern, handX, handY);
      l.Draw(2, kKnob.Name, 0, knobX, knobY);
    } else {
      l.Draw(2, kKnob.Name, 0, knobX, knobY);
      if (a == kPlayer)
        l.Draw(2, kHand.Name, pattern, 480 - an.Swing, 13);
      else
        l.Draw(2, kHand.Name, pattern, an.Swing - 142, 28);
    }
  }
}

}  // namespace vepa
