// The start menu (scene 84) and the closing screen (scene 85) over the default archive.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/game.h"
#include "engine/sound.h"
#include "hub/hub.h"
#include "screens/start_menu.h"
#include "screens_fixture.h"

namespace vepa {
namespace {

using testing::kEnter;
using testing::kEsc;
using testing::kSpace;
using testing::ScreensGame;

// Points whose hit-map cell (read 20 pixels below the pointer) is an option or the button.
constexpr int kOptionAX = 450, kOptionAY = 410;  // "speech without subtitles", code 3
constexpr int kOptionBX = 450, kOptionBY = 432;  // "speech with subtitles", code 4
constexpr int kExitX = 585, kExitY = 10;         // the exit button, code 5

class StartMenuTest : public ::testing::Test {
 protected:
  explicit StartMenuTest(bool sound = false) : s(sound) {
    s.g.LoadScene(StartMenuScene::Id);
    menu = static_cast<StartMenuScene*>(s.g.GetScene(SceneNo(StartMenuScene::Id)));
    // Let the opening transition finish.
    EXPECT_GT(s.TickUntil([&] { return s.g.FadeMode == 0; }, 20), 0);
  }
  // A click and the ticks until its click moment has passed (the press animation's 5 ticks).
  void ClickAndSettle(int x, int y) {
    ClickMoment(x, y);
    s.Tick(3);
  }
  // A click up to its click moment: the second tick of the press.
  void ClickMoment(int x, int y) {
    s.Click(x, y);
    s.Tick(2);
  }
  // Enter, then the ticks through the closing transition into the next scene.
  int PressEnterAndLeave() {
    s.Key(kEnter, true);
    s.Tick();
    s.Key(kEnter, false);
    return s.TickUntil([&] { return s.g.SceneNumber != SceneNo(StartMenuScene::Id); }, 20);
  }

  ScreensGame s;
  StartMenuScene* menu = nullptr;
};

class StartMenuSoundTest : public StartMenuTest {
 protected:
  StartMenuSoundTest() : StartMenuTest(true) {}
  Wave* OptionClick() { return s.layer.FindWave(2, "Boom01"); }
};

TEST_F(StartMenuTest, LoaderSetsItsStartValuesAndSilencesTheMusic) {
  EXPECT_EQ(s.g.SceneNumber, 84);
  EXPECT_EQ(menu->OptionA, 0);
  EXPECT_EQ(menu->OptionB, 2);
  EXPECT_EQ(menu->ExitShown, 1);
  EXPECT_EQ(menu->ExitPressed, 0);
  EXPECT_EQ(menu->StartRequested, 0);
  // The hit map of the menu is in place: both options and the button.
  EXPECT_EQ(s.g.HitMapAt(kOptionAX, kOptionAY, 0, 20), 3);
  EXPECT_EQ(s.g.HitMapAt(kOptionBX, kOptionBY, 0, 20), 4);
  EXPECT_EQ(s.g.HitMapAt(kExitX, kExitY, 0, 20), 5);
}

TEST_F(StartMenuTest, EnterWithoutAChoiceStartsWithSubtitlesOff) {
  ASSERT_EQ(s.g.BubbleMode, 1);  // the program starts with subtitles on
  s.g.Money = 7;
  s.g.Tickets = 3;
  const int ticks = PressEnterAndLeave();
  // One latch tick and five steps of the closing transition, then the loader.
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(s.g.SceneNumber, 0);
  EXPECT_EQ(static_cast<HubScene*>(s.g.GetScene(0))->Entry, 2);
  EXPECT_EQ(s.g.BubbleMode, 0);
  EXPECT_EQ(s.g.Money, 51);
  EXPECT_EQ(s.g.Tickets, 0);
  EXPECT_EQ(s.g.BatteryCharge, 16200);
  EXPECT_EQ(s.g.MusicVolume, -1000);
}

TEST_F(StartMenuTest, TheChosenOptionSetsTheSubtitles) {
  ClickAndSettle(kOptionBX, kOptionBY);
  EXPECT_EQ(menu->OptionA, 2);
  EXPECT_EQ(menu->OptionB, 1);
  ASSERT_GT(PressEnterAndLeave(), 0);
  EXPECT_EQ(s.g.BubbleMode, 1);
}

TEST_F(StartMenuTest, ChangingTheChoiceKeepsTheLastOne) {
  ClickAndSettle(kOptionBX, kOptionBY);
  ClickAndSettle(kOptionAX, kOptionAY);
  EXPECT_EQ(menu->OptionA, 1);
  EXPECT_EQ(menu->OptionB, 2);
  ASSERT_GT(PressEnterAndLeave(), 0);
  EXPECT_EQ(s.g.BubbleMode, 0);
}

TEST_F(StartMenuTest, TheClickActsOnTheSecondTickOfThePress) {
  s.Click(kOptionAX, kOptionAY);
  s.Tick();
  EXPECT_EQ(menu->OptionA, 0) << "the hand only starts to press";
  s.Tick();
  EXPECT_EQ(menu->OptionA, 1);
}

TEST_F(StartMenuTest, ClicksOutsideTheOptionsChangeNothing) {
  // The middle of the picture, and a point so low that the read falls below the map.
  for (auto [x, y] : {std::pair{320, 240}, std::pair{300, 470}, std::pair{639, 479}}) {
    ClickAndSettle(x, y);
    EXPECT_EQ(menu->OptionA, 0) << x << "," << y;
    EXPECT_EQ(menu->OptionB, 2) << x << "," << y;
    EXPECT_EQ(menu->ExitPressed, 0) << x << "," << y;
  }
  EXPECT_EQ(s.g.SceneNumber, 84);
  EXPECT_EQ(s.g.FadeMode, 0);
}

TEST_F(StartMenuTest, ExitButtonLeadsToTheClosingScreenNotToANewGame) {
  s.g.Money = 7;
  ClickAndSettle(kExitX, kExitY);
  EXPECT_EQ(menu->ExitPressed, 1);
  EXPECT_EQ(s.g.FadeMode, 1);
  // Enter during the closing transition does not turn it into a new game.
  s.Key(kEnter, true);
  EXPECT_GT(s.TickUntil([&] { return s.g.SceneNumber != 84; }, 20), 0);
  s.Key(kEnter, false);
  EXPECT_EQ(s.g.SceneNumber, 85);
  EXPECT_EQ(s.g.Money, 7);
}

TEST_F(StartMenuTest, ExitButtonShowsItsPressedPattern) {
  // A button of two solid patterns shows which one the menu draws.
  const uint16_t up = Rgb565(255, 0, 0), down = Rgb565(0, 0, 255);
  Image button;
  button.Name = "Button01";
  button.Width = 20;
  button.Height = 10;
  button.PatternWidth = 10;
  button.PatternHeight = 10;
  button.Transparent = false;
  button.Pixels.resize(200);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      button.Pixels[static_cast<size_t>(y) * 20 + x] = x < 10 ? up : down;
  s.layer.Images(1)->Images.push_back(button);
  auto& list = s.layer.Images(1)->Images;
  // The lookup takes the first image of the name: put ours first.
  std::rotate(list.begin(), list.end() - 1, list.end());

  auto corner = [&] { return s.layer.BackBuffer().At(540, 46); };  // away from the caption
  s.Tick();
  EXPECT_EQ(corner(), up);
  s.Click(kExitX, kExitY);
  s.Tick(2);  // the click moment: ExitPressed is set after the button was drawn
  ASSERT_EQ(menu->ExitPressed, 1);
  // Draw the next frame of the scene alone, without the transition over it.
  s.g.GetScene(84)->Frame();
  EXPECT_EQ(corner(), down);
}

TEST_F(StartMenuTest, ComingBackResetsTheMenu) {
  ClickAndSettle(kOptionBX, kOptionBY);
  ASSERT_GT(PressEnterAndLeave(), 0);
  s.g.ClickState = 1;
  s.g.HandFrame = 2;
  s.g.LoadScene(84);
  EXPECT_EQ(menu->OptionA, 0);
  EXPECT_EQ(menu->OptionB, 2);
  EXPECT_EQ(menu->StartRequested, 0);
  EXPECT_EQ(s.g.ClickState, 0);
  EXPECT_EQ(s.g.HandFrame, 0);
  EXPECT_EQ(s.g.FadeMode, 2);
  EXPECT_EQ(s.g.FadeProgress, 400);
}

TEST_F(StartMenuSoundTest, ClickingTheChosenOptionAgainIsSilent) {
  Wave* click = OptionClick();
  ASSERT_NE(click, nullptr);
  auto clickAt = [&](int x, int y) {
    ClickMoment(x, y);
    const bool playing = s.layer.IsPlaying(click);
    s.Tick(3);
    s.layer.AdvanceAudio(2.0);  // let it ring out before the next click
    return playing;
  };
  EXPECT_TRUE(clickAt(kOptionAX, kOptionAY)) << "the first choice clicks";
  EXPECT_FALSE(clickAt(kOptionAX, kOptionAY)) << "the same choice again is silent";
  EXPECT_EQ(menu->OptionA, 1);
  EXPECT_TRUE(clickAt(kOptionBX, kOptionBY)) << "the other option clicks";
  EXPECT_FALSE(clickAt(kOptionBX, kOptionBY));
  EXPECT_TRUE(clickAt(kOptionAX, kOptionAY));
}

TEST_F(StartMenuSoundTest, EnterPlaysTheCommonStartSoundAndTheMusicIsOff) {
  EXPECT_EQ(s.g.CurrentMusic, "none");
  Wave* start = s.layer.FindWave(1, "Boom02");
  ASSERT_NE(start, nullptr);
  s.Key(kEnter, true);
  s.g.Tick();  // no sound time between: the effect has just started
  EXPECT_TRUE(s.layer.IsPlaying(start));
  EXPECT_EQ(menu->StartRequested, 1);
  s.Key(kEnter, false);
}

// --- Closing screen.

class ClosingTest : public ::testing::Test {
 protected:
  ClosingTest() : s(true) {}
  void Load() {
    s.g.LoadScene(ClosingScene::Id);
    ASSERT_EQ(s.g.SceneNumber, 85);
  }
  ScreensGame s;
};

TEST_F(ClosingTest, AFreshKeyPressEndsTheProgramAfterTheTransition) {
  s.g.MusicVolume = -1000;
  PlayMusic(s.g, "m_vepa4", 0);
  ASSERT_EQ(s.g.CurrentMusic, "m_vepa4");
  Load();
  EXPECT_EQ(s.g.SceneBytes[0], 0);
  s.Tick(10);
  ASSERT_EQ(s.g.FadeMode, 0);
  EXPECT_FALSE(s.g.QuitRequested);
  s.Key(kSpace, true);
  s.Tick();
  EXPECT_EQ(s.g.SceneBytes[0], 1);
  EXPECT_EQ(s.g.FadeMode, 1);
  s.Tick();
  EXPECT_EQ(s.g.SceneBytes[0], 2) << "held from the second tick on";
  s.Key(kSpace, false);
  const int ticks = s.TickUntil([&] { return s.g.QuitRequested; }, 20);
  EXPECT_EQ(ticks, 5);  // six ticks after the press, counting the press tick's latch
  EXPECT_EQ(s.g.CurrentMusic, "none");
}

TEST_F(ClosingTest, AKeyHeldWhenTheScreenStartsDoesNotEndTheProgram) {
  for (int key : {kEnter, kEsc, kSpace}) {
    s.Key(key, true);
    s.Tick();  // the snapshot the loader reads
    Load();
    s.g.QuitRequested = false;
    EXPECT_EQ(s.g.SceneBytes[0], 2) << key;
    s.Tick(40);
    EXPECT_FALSE(s.g.QuitRequested) << key;
    EXPECT_EQ(s.g.FadeMode, 0) << key;
    // Released and pressed again, it counts.
    s.Key(key, false);
    s.Tick();
    s.Key(key, true);
    EXPECT_GT(s.TickUntil([&] { return s.g.QuitRequested; }, 20), 0) << key;
    s.Key(key, false);
  }
}

TEST_F(ClosingTest, APressWhileTheScreenIsStillOpeningIsLost) {
  Load();
  s.Tick();
  ASSERT_EQ(s.g.FadeMode, 2);
  s.Key(kEnter, true);
  s.Tick(40);
  EXPECT_FALSE(s.g.QuitRequested) << "held on, it never becomes a fresh press";
  s.Key(kEnter, false);
}

TEST_F(ClosingTest, OtherKeysDoNotCount) {
  Load();
  s.Tick(10);
  for (int key : {37, 65, 17}) {
    s.Key(key, true);
    s.Tick(3);
    s.Key(key, false);
    s.Tick();
  }
  s.Tick(10);
  EXPECT_FALSE(s.g.QuitRequested);
  EXPECT_EQ(s.g.FadeMode, 0);
}

}  // namespace
}  // namespace vepa
