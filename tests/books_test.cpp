// The two books over the default archive: the page engine (arrows, flights, the kiosk button),
// the settings book's three settings and what they change in the kiosk afterwards, and the
// journal read to its end with the player's comment.
#include <set>
#include <string>
#include <vector>

#include "engine/font_table.h"
#include "engine/layer.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "hub/hub.h"
#include "screens/book_layout.h"
#include "screens/journal_pages.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

using namespace book;

// Fingertip positions on the book (the hit map and the page rectangles are read there).
constexpr int kRightArrowX = RightArrowX + ArrowW / 2, kLeftArrowX = LeftArrowX + ArrowW / 2;
constexpr int kArrowY = ArrowY + ArrowH / 2;
constexpr int kKioskX = 55, kKioskY = 455;
// The two selector rows of pages 2 and 3 on the resting sheet.
constexpr int kRowX = 300;
constexpr int RowY(int i) { return RowTop + RowStep * i + 11; }

class BookTest : public SceneFixture {
 protected:
  explicit BookTest(bool sound = true) : SceneFixture(sound) {}

  // Clicks with the fingertip at (x, y), once the last press is over, and ticks until the
  // scene has acted on it (the second tick after the press).
  void Tap(int x, int y) {
    ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0 && g.HandFrame == 0; }, 20));
    Click(x, y - HitMapDY);
    Tick(2);
  }
  void TurnTo(int page) {
    while (State("TargetPage") < page) Tap(kRightArrowX, kArrowY);
    while (State("TargetPage") > page) Tap(kLeftArrowX, kArrowY);
    ASSERT_TRUE(
        TickUntil([&] { return State("ShownPage") == page && State("TurnState") == 0; }, 200));
  }
  Wave* MusicChannel() { return layer.Waves(4)->WaveItem(1); }
  void LeaveForKiosk() {
    Tap(kKioskX, kKioskY);
    ASSERT_TRUE(TickUntilKiosk(40));
    ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  }
};

class SettingsBookTest : public BookTest {
 protected:
  void SetUp() override {
    BookTest::SetUp();
    EnterAndOpen(SceneId::SettingsBook);
  }
  // The knob is set by a click on the slider at MouseX = x + p.
  void SetKnob(int p) { Tap(p, TrackDY + 6); }
};

TEST_F(SettingsBookTest, PagesTurnBothWaysToTheEndsAndNoFurther) {
  Tap(kLeftArrowX, kArrowY);  // on the cover the left arrow does nothing
  EXPECT_EQ(State("TargetPage"), 0);
  EXPECT_EQ(State("LeftPress"), 0);
  EXPECT_EQ(State("TurnState"), 0);

  for (int page = 1; page <= 3; ++page) {
    Tap(kRightArrowX, kArrowY);
    ASSERT_TRUE(TickUntil([&] { return State("TurnState") == 0; }, 30));
    EXPECT_EQ(State("ShownPage"), page);
  }
  Tap(kRightArrowX, kArrowY);  // the last page
  EXPECT_EQ(State("TargetPage"), 3);
  EXPECT_EQ(State("TurnState"), 0);

  for (int page = 2; page >= 0; --page) {
    Tap(kLeftArrowX, kArrowY);
    // A page flies back in ten frames and lands: only then is it the shown page.
    EXPECT_EQ(State("TurnState"), 2);
    EXPECT_EQ(State("ShownPage"), page + 1);
    ASSERT_TRUE(TickUntil([&] { return State("TurnState") == 0; }, 30));
    EXPECT_EQ(State("ShownPage"), page);
    EXPECT_EQ(State("MovingSheetX"), 0) << "the page came back onto the book";
    EXPECT_EQ(State("MovingSheetY"), 0);
  }
}

TEST_F(SettingsBookTest, APageFliesOutOfTheBookInElevenFramesWithItsSounds) {
  Click(kRightArrowX, kArrowY - HitMapDY);
  ASSERT_TRUE(TickUntil([&] { return State("TurnState") == 1; }, 10));
  EXPECT_TRUE(WavePlaying(2, "Pick01"));
  EXPECT_EQ(State("FlyingPage"), 0);
  EXPECT_EQ(State("ShownPage"), 1);  // the next page lies under the flying one at once
  int frames = 0;
  while (State("TurnState") == 1 && frames < 20) {
    Tick();
    ++frames;
  }
  EXPECT_EQ(frames, 11);
  // It ends well outside the book.
  const long long x = State("MovingSheetX"), y = State("MovingSheetY");
  EXPECT_TRUE(x * x + y * y > 150 * 150) << x << "," << y;

  Tap(kLeftArrowX, kArrowY);
  ASSERT_TRUE(TickUntil([&] { return State("TurnState") == 0; }, 30));
  EXPECT_TRUE(WavePlaying(2, "Kard03")) << "the page lands";
}

TEST_F(SettingsBookTest, ClicksDuringAFlightAreCaughtUpOnePageAFlight) {
  Tap(kRightArrowX, kArrowY);
  ASSERT_EQ(State("TurnState"), 1);
  Tap(kRightArrowX, kArrowY);  // still flying
  EXPECT_EQ(State("TargetPage"), 2);
  EXPECT_EQ(State("ShownPage"), 1);
  // The second page starts its own flight when the first has flown, and not before.
  int ticks = 0;
  ASSERT_TRUE(TickUntil(
      [&] {
        ++ticks;
        EXPECT_LE(State("ShownPage"), 2);
        return State("ShownPage") == 2;
      },
      40));
  EXPECT_GE(ticks, 4);
  EXPECT_EQ(State("TurnState"), 1);
  ASSERT_TRUE(TickUntil([&] { return State("TurnState") == 0; }, 20));
  Tick(5);
  EXPECT_EQ(State("ShownPage"), 2);
  EXPECT_EQ(State("TurnState"), 0);
}

TEST_F(SettingsBookTest, TheKnobSetsTheVolumeInTheMusicChannelAtOnce) {
  TurnTo(1);
  ASSERT_EQ(State("GramophoneState"), 0);
  SetKnob(300);
  EXPECT_EQ(g.MusicVolume, -1072);  // trunc((300 - 389) x 12.048192)
  EXPECT_EQ(MusicChannel()->Buffer.Volume, -1072);
  EXPECT_TRUE(MusicChannel()->Buffer.IsPlaying());
  EXPECT_TRUE(WavePlaying(2, "Boom01"));
  SetKnob(SliderRight - 1);  // past the right end of the track: full volume
  EXPECT_EQ(g.MusicVolume, 0);
  EXPECT_EQ(MusicChannel()->Buffer.Volume, 0);
}

TEST_F(SettingsBookTest, TheLeftEndLiftsTheNeedleAndStopsTheMusicUntilItIsRaisedAgain) {
  TurnTo(1);
  SetKnob(SliderLeft + 1);  // left of the track: the lowest setting
  EXPECT_EQ(g.MusicVolume, -1999);
  ASSERT_TRUE(TickUntil([&] { return State("GramophoneState") == 2; }, 30));
  EXPECT_EQ(State("GramophoneFrame"), 8);
  EXPECT_FALSE(MusicChannel()->Buffer.IsPlaying());
  EXPECT_EQ(g.CurrentMusic, "none");

  SetKnob(389);
  EXPECT_EQ(g.MusicVolume, 0);
  ASSERT_TRUE(TickUntil([&] { return State("GramophoneState") == 0; }, 30));
  Tick();  // the record turns again and the tune starts afresh
  EXPECT_EQ(g.CurrentMusic, "m_vepa4");
  EXPECT_TRUE(MusicChannel()->Buffer.IsPlaying());
  EXPECT_EQ(MusicChannel()->Buffer.Volume, 0);
}

TEST_F(SettingsBookTest, ChoosingTheChosenRowIsSilentAndBubblesMumbleWhenSwitchedOn) {
  TurnTo(2);
  ASSERT_EQ(g.BubbleMode, 0);  // a new game starts without subtitles
  Tap(kRowX, RowY(0));
  EXPECT_FALSE(WavePlaying(2, "Boom01"));
  Tap(kRowX, RowY(1));
  EXPECT_EQ(g.BubbleMode, 1);
  EXPECT_TRUE(WavePlaying(2, "Boom01"));
  EXPECT_TRUE(WavePlaying(2, "Bubu01"));
  Tick(40);  // the sounds end
  Tap(kRowX, RowY(0));
  EXPECT_EQ(g.BubbleMode, 0);
  EXPECT_TRUE(WavePlaying(2, "Boom01"));
  EXPECT_FALSE(WavePlaying(2, "Bubu01")) << "switching the bubble off says nothing";

  TurnTo(3);
  Tap(kRowX, RowY(0));
  EXPECT_EQ(g.AutoAnswer, 0);
  Tick(20);
  EXPECT_FALSE(WavePlaying(2, "Boom01"));
  Tap(kRowX, RowY(1));
  EXPECT_EQ(g.AutoAnswer, 1);
  EXPECT_TRUE(WavePlaying(2, "Boom01"));
  // A click beside the rows changes nothing.
  Tap(kRowX, RowY(0) - RowStep);
  Tap(RowRight + 5, RowY(0));
  EXPECT_EQ(g.AutoAnswer, 1);
}

TEST_F(SettingsBookTest, TheVolumeSetInTheBookIsTheKioskMusicVolume) {
  TurnTo(1);
  SetKnob(350);
  const int volume = g.MusicVolume;
  ASSERT_EQ(volume, -469);
  LeaveForKiosk();
  EXPECT_EQ(g.MusicVolume, volume);
  EXPECT_EQ(g.CurrentMusic, "m_vepa4");
  EXPECT_TRUE(MusicChannel()->Buffer.IsPlaying());
  EXPECT_EQ(MusicChannel()->Buffer.Volume, volume);
}

TEST_F(SettingsBookTest, MusicSwitchedOffInTheBookStaysOffInTheKiosk) {
  TurnTo(1);
  SetKnob(SliderLeft + 1);
  LeaveForKiosk();
  Tick(20);
  EXPECT_FALSE(MusicChannel()->Buffer.IsPlaying());
}

TEST_F(SettingsBookTest, LeavingReturnsPlainlyAndReadsTheCommonPicturesAgain) {
  // A scene that spoilt the common list before must not leave the kiosk without its pictures.
  layer.Images(1)->Images.clear();
  Tap(kKioskX, kKioskY);
  EXPECT_EQ(State("Leaving"), 1);
  Tap(kKioskX, kKioskY);  // pressed again while closing: nothing more
  ASSERT_TRUE(TickUntilKiosk(40));
  EXPECT_EQ(JsonInt(GameState(), "HubEntry"), 0);
  EXPECT_NE(layer.FindImage(1, "Ruka01"), nullptr);
  EXPECT_NE(layer.FindImage(1, "FontP"), nullptr);
}

TEST_F(SettingsBookTest, AnArchiveGoneWhileTheBookIsOpenEndsAtTheLauncher) {
  g.archive.SetDataDir("/nonexistent-vepa4-data/");
  Tap(kKioskX, kKioskY);
  ASSERT_TRUE(TickUntil([&] { return g.ReturnedToLauncher; }, 40));
  EXPECT_EQ(g.FatalError, 1);
  EXPECT_TRUE(g.InScene(SceneId::SettingsBook)) << "the kiosk was not entered without pictures";
}

// The sheets are drawn every frame, two at a time while a page flies: they must be plain keyed
// copies, without an alpha mask to blend.
TEST_F(SettingsBookTest, TheSheetsNeedNoAlphaMask) {
  for (const char* sheet : {"List01", "List02", "List04"}) {
    const Image* img = layer.FindImage(2, sheet);
    ASSERT_NE(img, nullptr) << sheet;
    EXPECT_TRUE(img->Alpha.empty()) << sheet;
  }
}

// The cashier's offer of the darts, clicked in the kiosk; the kiosk hub's state is read.
class SettingsInTheKioskTest : public SettingsBookTest {
 protected:
  HubScene* Hub() { return static_cast<HubScene*>(g.GetScene(0)); }
  void OfferDarts() {
    ASSERT_TRUE(TickUntil([&] { return Hub()->HubState == 0 && g.ClickState == 0; }, 200));
    Click(100 - 5, 148 - 25);
    ASSERT_TRUE(TickUntil([&] { return Hub()->HubState == 3; }, 40));
    Tick(2);
  }
};

TEST_F(SettingsInTheKioskTest, WithoutTextTheCashierSpeaksWithoutABubble) {
  TurnTo(2);
  Tap(kRowX, RowY(1));
  ASSERT_EQ(g.BubbleMode, 1);
  LeaveForKiosk();
  OfferDarts();
  // The body of the bubble at (330, 50) is of the bubble's own colour.
  const Image* bubble = layer.FindImage(1, "Bazar01");
  ASSERT_NE(bubble, nullptr);
  const uint16_t bubbleColour = bubble->Pixels[70 * bubble->Width + 12];
  EXPECT_EQ(FramePixel(330 + 12, 50 + 70), bubbleColour);

  // Back to the book: no text.
  g.LoadScene(SceneId::SettingsBook);
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  TurnTo(2);
  Tap(kRowX, RowY(0));
  ASSERT_EQ(g.BubbleMode, 0);
  LeaveForKiosk();
  OfferDarts();
  EXPECT_NE(FramePixel(330 + 12, 50 + 70), bubbleColour);
}

TEST_F(SettingsInTheKioskTest, AutomaticAnswersAcceptTheOfferWithoutButtons) {
  TurnTo(3);
  Tap(kRowX, RowY(1));
  ASSERT_EQ(g.AutoAnswer, 1);
  LeaveForKiosk();
  const int money = g.Money;
  OfferDarts();
  bool sawButtons = false;
  ASSERT_TRUE(TickUntil(
      [&] {
        if (g.InScene(SceneId::Kiosk)) sawButtons |= Hub()->HubState >= 4 && Hub()->HubState <= 6;
        return g.InScene(SceneId::Darts);
      },
      600));
  EXPECT_FALSE(sawButtons);
  EXPECT_LT(g.Money, money) << "the offer was paid";
}

TEST_F(SettingsInTheKioskTest, AnswersByHandShowTheButtons) {
  LeaveForKiosk();
  ASSERT_EQ(g.AutoAnswer, 0);
  OfferDarts();
  EXPECT_TRUE(TickUntil([&] { return Hub()->HubState == 5; }, 200));
}

class SettingsBookSilentTest : public BookTest {
 protected:
  SettingsBookSilentTest() : BookTest(false) {}
};

TEST_F(SettingsBookSilentTest, WithoutASoundDeviceTheGramophoneRestsAndTheKnobIsDead) {
  EnterAndOpen(SceneId::SettingsBook);
  EXPECT_EQ(State("GramophoneState"), 2);
  EXPECT_EQ(State("GramophoneFrame"), 8);
  TurnTo(1);
  const int volume = g.MusicVolume;
  Tap(300, TrackDY + 6);
  EXPECT_EQ(g.MusicVolume, volume);
  Tick(20);
  EXPECT_EQ(State("GramophoneState"), 2);
  // The settings on the other pages work all the same.
  TurnTo(3);
  Tap(kRowX, RowY(1));
  EXPECT_EQ(g.AutoAnswer, 1);
}

TEST_F(SettingsBookTest, TheJournalsCommentSpotIsInertInTheSettingsBook) {
  Tap((CommentLeft + CommentRight) / 2, (CommentTop + CommentBottom) / 2);
  Tick();
  EXPECT_EQ(g.SpeechCountdown, 0);
  EXPECT_FALSE(IsSpeaking(g));
}

class JournalTest : public BookTest {
 protected:
  void SetUp() override {
    BookTest::SetUp();
    EnterAndOpen(SceneId::Journal);
  }
  void Comment() { Tap((CommentLeft + CommentRight) / 2, (CommentTop + CommentBottom) / 2); }
};

TEST_F(JournalTest, IsReadToItsLastPageAndLeftForTheKiosk) {
  // The middle of a photograph, on the sheet lying on the book.
  constexpr int kPhotoX = TextCX, kPhotoY = PhotoDY + PhotoH / 2;
  std::vector<uint16_t> photoSpot;
  for (int page = 1; page <= JournalLastPage; ++page) {
    TurnTo(page);
    Tick();
    photoSpot.push_back(FramePixel(kPhotoX, kPhotoY));
  }
  Tap(kRightArrowX, kArrowY);
  EXPECT_EQ(State("TargetPage"), JournalLastPage);
  EXPECT_EQ(State("TurnState"), 0);
  // Pages 3..9 have a photograph there; the text pages 2 and 10 only the paper, alike.
  const uint16_t paper = photoSpot[2 - 1];
  EXPECT_EQ(photoSpot[10 - 1], paper);
  for (int page = 3; page <= 9; ++page) EXPECT_NE(photoSpot[page - 1], paper) << "page " << page;
  EXPECT_EQ(MissingNames(), 0u);

  LeaveForKiosk();
  EXPECT_EQ(JsonInt(GameState(), "HubEntry"), 0);
}

TEST_F(JournalTest, ThePlayerCommentsOnceAtATime) {
  Comment();
  ASSERT_TRUE(IsSpeaking(g));
  const std::string said = SubtitleLine(1);
  EXPECT_TRUE(said == "ВОТ ЭТО ДА!" || said == "ИНТЕРЕСНО,") << said;
  Tick(8);
  const int countdown = g.SpeechCountdown;
  ASSERT_GT(countdown, 0);
  Comment();  // while he speaks: nothing new
  EXPECT_LT(g.SpeechCountdown, countdown);
  // His mouth moves on the badge while he speaks.
  std::set<long long> mouths;
  TickUntil(
      [&] {
        mouths.insert(State("MouthFrame"));
        return !IsSpeaking(g);
      },
      200);
  EXPECT_GT(mouths.size(), 2u);
  Comment();
  EXPECT_TRUE(IsSpeaking(g)) << "once he is silent he comments again";
}

TEST_F(JournalTest, ACommentDoesNotChangeTheOfferTheCashierMade) {
  g.SpeechRecord.Kind = 3;
  g.SpeechRecord.Price = 5;
  Comment();
  EXPECT_EQ(g.SpeechRecord.Kind, 3);
  EXPECT_EQ(g.SpeechRecord.Price, 5);
}

// Every line of the journal fits its sheet and is written in letters the game's font has.
TEST(JournalPagesText, FitsTheSheetInTheFontsLetters) {
  for (size_t page = 0; page < JournalPages.size(); ++page) {
    for (const JournalLine& line : JournalPages[page].Lines) {
      SCOPED_TRACE("page " + std::to_string(page) + ": " + line.Text);
      const std::string text = Cp1251(line.Text);
      EXPECT_LE(TextWidth(text, 0, line.Size), SheetW - 20);
      for (unsigned char c : text) EXPECT_TRUE(c == 192 || FontGlyph(c, 0) != 0) << int(c);
      EXPECT_GE(line.DY, SheetDY);
      EXPECT_LE(line.DY + line.Height, SheetDY + SheetH);
    }
  }
}

// From the kiosk: the book's choice sign opens the journal (left) or the settings (right), the
// poster the about screen; each offer is free and answered with the left button.
class KioskToBooksTest : public SceneFixture {
 protected:
  HubScene* Hub() { return static_cast<HubScene*>(g.GetScene(0)); }
  void SetUp() override {
    SceneFixture::SetUp();
    EnterAndOpen(SceneId::Kiosk, 0);
  }
  // Clicks with the kiosk's fingertip (25 below the pointer) at (x, y).
  void KioskClick(int x, int y) {
    ASSERT_TRUE(TickUntil([&] { return g.ClickState == 0 && g.HandFrame == 0; }, 40));
    Click(x - 5, y - 25);
  }
  void AcceptOffer() {
    ASSERT_TRUE(TickUntil([&] { return Hub()->HubState == 5; }, 300));
    KioskClick(260, 445);
  }
  void OpenBook(int signButton) {
    KioskClick(547, 270);  // the book
    ASSERT_TRUE(TickUntil([&] { return Hub()->TabletState == 3; }, 40));
    Tick(6);
    MoveTo(251 + 70 * signButton + 34, 90 - 20);
    Tick();
    Press();
    Release();
    AcceptOffer();
  }
};

TEST_F(KioskToBooksTest, TheSignsLeftButtonOpensTheJournalAndItsRightTheSettings) {
  const int money = g.Money;
  OpenBook(0);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::Journal); }, 100));
  EXPECT_EQ(g.Money, money);
  ASSERT_TRUE(TickUntil([&] { return g.FadeMode == 0; }, 20));
  Click(kKioskX, kKioskY - HitMapDY);
  ASSERT_TRUE(TickUntilKiosk(40));

  ASSERT_TRUE(TickUntil([&] { return Hub()->HubState == 0; }, 40));
  OpenBook(1);
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::SettingsBook); }, 100));
}

TEST_F(KioskToBooksTest, ThePosterOpensTheAboutScreen) {
  KioskClick(552, 160);
  AcceptOffer();
  ASSERT_TRUE(TickUntil([&] { return g.InScene(SceneId::About); }, 100));
}

}  // namespace
}  // namespace vepa::testing
