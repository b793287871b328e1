// Quick key taps: the keyboard is read once a tick, and a key that went down and up between two
// reads must still be seen once, or a fast tap of Enter or of an arrow would be lost.
#include <gtest/gtest.h>

#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

class KeyTap : public SceneFixture {};

TEST_F(KeyTap, TapBetweenTwoTicksIsReadOnceAndAHeldKeyStaysDown) {
  backend.SetKey(key::Left, true);
  backend.SetKey(key::Left, false);
  layer.UpdateInput();
  EXPECT_TRUE(layer.KeyPressed(key::Left)) << "the tap is seen by the next read";
  layer.UpdateInput();
  EXPECT_FALSE(layer.KeyPressed(key::Left)) << "and by that read only";
  // A key held over several reads reads as down each time; let go, it reads as up.
  KeyDown(key::Up);
  for (int i = 0; i < 3; ++i) {
    layer.UpdateInput();
    EXPECT_TRUE(layer.KeyPressed(key::Up)) << i;
  }
  KeyUp(key::Up);
  layer.UpdateInput();
  EXPECT_FALSE(layer.KeyPressed(key::Up));
  EXPECT_FALSE(layer.KeyPressed(key::Left));
}

TEST_F(KeyTap, QuickEnterInTheStartMenuStartsTheGame) {
  EnterAndOpen(SceneId::StartMenu);
  Tick(3);
  KeyDown(key::Enter);
  KeyUp(key::Enter);  // down and up before the next tick
  Tick();
  EXPECT_EQ(State("StartRequested"), 1);
  EXPECT_TRUE(TickUntilKiosk(20));
}

}  // namespace
}  // namespace vepa::testing
