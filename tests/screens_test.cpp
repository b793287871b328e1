// The start menu (scene 84) and the closing screen (scene 85) over the default archive.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/game.h"
#include "engine/sound.h"
#include "hub/hub.h"
#include "screens/start_menu.h"
#include "screens/start_menu_layout.h"
#include "tests/scene_fixture.h"

namespace vepa {
namespace {

using namespace start_menu;

// Points whose hit-map cell (read below the pointer) is an option or the button.
constexpr int kOptionAX = 450, kOptionAY = 410;  // "speech without subtitles"
constexpr int kOptionBX = 450, kOptionBY = 432;  // "speech with subtitles"
constexpr int kExitX = 585, kExitY = 10;         // the exit button

class StartMenuTest : public testing::SceneFixture {
 protected:
  explicit StartMenuTest(bool sound = false) : SceneFixture(sound, 1, false) {}
  void SetUp() override {
    SceneFixture::SetUp();
    EnterAndOpen(StartMenuScene::Id);
    menu = static_cast<StartMenuScene*>(g.GetScene(SceneNo(StartMenuScene::Id)));
  }
  // A click and the ticks until its click moment has passed (the press animation's 5 ticks).
  void ClickAndSettle(int x, int y) {
    ClickMoment(x, y);
    Tick(3);
  }
  // A click up to its click moment: the second tick of the press.
  void ClickMoment(int x, int y) {
    PressAt(x, y);
    Tick(2);
  }
  // Enter, then the ticks through the closing transition into the next scene.
  int PressEnterAndLeave() {
    KeyDown(key::Enter);
    Tick();
    KeyUp(key::Enter);
    return TicksUntil([&] { return g.SceneNumber != SceneNo(StartMenuScene::Id); }, 20);
  }

  StartMenuScene* menu = nullptr;
};

class StartMenuSoundTest : public StartMenuTest {
 protected:
  StartMenuSoundTest() : StartMenuTest(true) {}
  Wave* OptionClick() { return layer.FindWave(2, "Boom01"); }
};

TEST_F(StartMenuTest, LoaderSetsItsStartValuesAndSilencesTheMusic) {
  EXPECT_TRUE(g.InScene(SceneId::StartMenu));
  EXPECT_EQ(menu->OptionA, 0);
  EXPECT_EQ(menu->OptionB, 2);
  EXPECT_EQ(menu->ExitShown, 1);
  EXPECT_EQ(menu->ExitPressed, 0);
  EXPECT_EQ(menu->StartRequested, 0);
  // The hit map of the menu is in place: both options and the button.
  EXPECT_EQ(g.HitMapAt(kOptionAX, kOptionAY, 0, FingertipDY), NoSubtitles);
  EXPECT_EQ(g.HitMapAt(kOptionBX, kOptionBY, 0, FingertipDY), Subtitles);
  EXPECT_EQ(g.HitMapAt(kExitX, kExitY, 0, FingertipDY), Exit);
}

TEST_F(StartMenuTest, EnterWithoutAChoiceStartsWithSubtitlesOff) {
  ASSERT_EQ(g.BubbleMode, 1);  // the program starts with subtitles on
  g.Money = 7;
  g.Tickets = 3;
  const int ticks = PressEnterAndLeave();
  // One latch tick and five steps of the closing transition, then the loader.
  EXPECT_EQ(ticks, 6);
  EXPECT_TRUE(g.InScene(SceneId::Kiosk));
  EXPECT_EQ(static_cast<HubScene*>(g.GetScene(SceneNo(SceneId::Kiosk)))->Entry,
            static_cast<int>(HubEntry::NewGame));
  EXPECT_EQ(g.BubbleMode, 0);
  EXPECT_EQ(g.Money, 51);
  EXPECT_EQ(g.Tickets, 0);
  EXPECT_EQ(g.BatteryCharge, 16200);
  EXPECT_EQ(g.MusicVolume, -1000);
}

// The options clicked in turn: the last one is the choice, marked (1, the other 2), and the new
// game starts with its subtitles.
struct ChoiceCase {
  std::vector<std::pair<int, int>> Clicks;
  int OptionA, OptionB;
  int BubbleMode;
};

class StartMenuChoiceTest : public StartMenuTest,
                            public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(StartMenuChoiceTest, TheLastChosenOptionSetsTheSubtitles) {
  const ChoiceCase& c = GetParam();
  for (const auto& [x, y] : c.Clicks) ClickAndSettle(x, y);
  EXPECT_EQ(menu->OptionA, c.OptionA);
  EXPECT_EQ(menu->OptionB, c.OptionB);
  ASSERT_GT(PressEnterAndLeave(), 0);
  EXPECT_EQ(g.BubbleMode, c.BubbleMode);
}

INSTANTIATE_TEST_SUITE_P(
    Options, StartMenuChoiceTest,
    ::testing::Values(ChoiceCase{{{kOptionBX, kOptionBY}}, 2, 1, 1},
                      ChoiceCase{{{kOptionBX, kOptionBY}, {kOptionAX, kOptionAY}}, 1, 2, 0}));

TEST_F(StartMenuTest, TheClickActsOnTheSecondTickOfThePress) {
  PressAt(kOptionAX, kOptionAY);
  Tick();
  EXPECT_EQ(menu->OptionA, 0) << "the hand only starts to press";
  Tick();
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
  EXPECT_TRUE(g.InScene(SceneId::StartMenu));
  EXPECT_EQ(g.FadeMode, 0);
}

TEST_F(StartMenuTest, ExitButtonLeadsToTheClosingScreenNotToANewGame) {
  g.Money = 7;
  ClickAndSettle(kExitX, kExitY);
  EXPECT_EQ(menu->ExitPressed, 1);
  EXPECT_EQ(g.FadeMode, 1);
  // Enter during the closing transition does not turn it into a new game.
  KeyDown(key::Enter);
  EXPECT_GT(TicksUntil([&] { return !g.InScene(SceneId::StartMenu); }, 20), 0);
  KeyUp(key::Enter);
  EXPECT_TRUE(g.InScene(SceneId::Closing));
  EXPECT_EQ(g.Money, 7);
}

TEST_F(StartMenuTest, ExitButtonShowsItsPressedPattern) {
  // A button of two solid patterns shows which one the menu draws.
  const uint16_t up = Rgb565(255, 0, 0), down = Rgb565(0, 0, 255);
  Image button = PatternedImage("Button01", 20, 10, 10, 10);
  button.Transparent = false;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      button.Pixels[static_cast<size_t>(y) * 20 + x] = x < 10 ? up : down;
  layer.Images(1)->Images.push_back(button);
  auto& list = layer.Images(1)->Images;
  // The lookup takes the first image of the name: put ours first.
  std::rotate(list.begin(), list.end() - 1, list.end());

  auto corner = [&] { return layer.BackBuffer().At(540, 46); };  // away from the caption
  Tick();
  EXPECT_EQ(corner(), up);
  PressAt(kExitX, kExitY);
  Tick(2);  // the click moment: ExitPressed is set after the button was drawn
  ASSERT_EQ(menu->ExitPressed, 1);
  // Draw the next frame of the scene alone, without the transition over it.
  g.GetScene(SceneNo(SceneId::StartMenu))->Frame();
  EXPECT_EQ(corner(), down);
}

TEST_F(StartMenuTest, ComingBackResetsTheMenu) {
  ClickAndSettle(kOptionBX, kOptionBY);
  ASSERT_GT(PressEnterAndLeave(), 0);
  g.ClickState = 1;
  g.HandFrame = 2;
  g.LoadScene(SceneId::StartMenu);
  EXPECT_EQ(menu->OptionA, 0);
  EXPECT_EQ(menu->OptionB, 2);
  EXPECT_EQ(menu->StartRequested, 0);
  EXPECT_EQ(g.ClickState, 0);
  EXPECT_EQ(g.HandFrame, 0);
  EXPECT_EQ(g.FadeMode, 2);
  EXPECT_EQ(g.FadeProgress, 400);
}

TEST_F(StartMenuSoundTest, ClickingTheChosenOptionAgainIsSilent) {
  Wave* click = OptionClick();
  ASSERT_NE(click, nullptr);
  auto clickAt = [&](int x, int y) {
    ClickMoment(x, y);
    const bool playing = layer.IsPlaying(click);
    Tick(3);
    layer.AdvanceAudio(2.0);  // let it ring out before the next click
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
  EXPECT_EQ(g.CurrentMusic, "none");
  Wave* start = layer.FindWave(1, "Boom02");
  ASSERT_NE(start, nullptr);
  KeyDown(key::Enter);
  g.Tick();  // no sound time between: the effect has just started
  EXPECT_TRUE(layer.IsPlaying(start));
  EXPECT_EQ(menu->StartRequested, 1);
  KeyUp(key::Enter);
}

// --- Closing screen.

class ClosingTest : public testing::SceneFixture {
 protected:
  ClosingTest() : SceneFixture(true, 1, false) {}
  void Load() { Enter(ClosingScene::Id); }
};

TEST_F(ClosingTest, AFreshKeyPressEndsTheProgramAfterTheTransition) {
  g.MusicVolume = -1000;
  PlayMusic(g, "m_vepa4", 0);
  ASSERT_EQ(g.CurrentMusic, "m_vepa4");
  Load();
  EXPECT_EQ(g.SceneBytes[0], 0);
  Tick(10);
  ASSERT_EQ(g.FadeMode, 0);
  EXPECT_FALSE(g.QuitRequested);
  KeyDown(key::Space);
  Tick();
  EXPECT_EQ(g.SceneBytes[0], 1);
  EXPECT_EQ(g.FadeMode, 1);
  Tick();
  EXPECT_EQ(g.SceneBytes[0], 2) << "held from the second tick on";
  KeyUp(key::Space);
  const int ticks = TicksUntil([&] { return g.QuitRequested; }, 20);
  EXPECT_EQ(ticks, 5);  // six ticks after the press, counting the press tick's latch
  EXPECT_EQ(g.CurrentMusic, "none");
}

TEST_F(ClosingTest, AKeyHeldWhenTheScreenStartsDoesNotEndTheProgram) {
  for (int key : {key::Enter, key::Esc, key::Space}) {
    KeyDown(key);
    Tick();  // the snapshot the loader reads
    Load();
    g.QuitRequested = false;
    EXPECT_EQ(g.SceneBytes[0], 2) << key;
    Tick(40);
    EXPECT_FALSE(g.QuitRequested) << key;
    EXPECT_EQ(g.FadeMode, 0) << key;
    // Released and pressed again, it counts.
    KeyUp(key);
    Tick();
    KeyDown(key);
    EXPECT_GT(TicksUntil([&] { return g.QuitRequested; }, 20), 0) << key;
    KeyUp(key);
  }
}

TEST_F(ClosingTest, APressWhileTheScreenIsStillOpeningIsLost) {
  Load();
  Tick();
  ASSERT_EQ(g.FadeMode, 2);
  KeyDown(key::Enter);
  Tick(40);
  EXPECT_FALSE(g.QuitRequested) << "held on, it never becomes a fresh press";
  KeyUp(key::Enter);
}

TEST_F(ClosingTest, OtherKeysDoNotCount) {
  Load();
  Tick(10);
  for (int key : {37, 65, 17}) {
    KeyDown(key);
    Tick(3);
    KeyUp(key);
    Tick();
  }
  Tick(10);
  EXPECT_FALSE(g.QuitRequested);
  EXPECT_EQ(g.FadeMode, 0);
}

}  // namespace
}  // namespace vepa
