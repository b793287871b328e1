// The settings book, scene 83: a book on a board whose pages set the music volume (a gramophone
// and a slider), whether speech is also shown in a bubble, and whether the player answers the
// cashier himself or the game answers "yes" for him. Every setting works at once: the volume
// while the knob moves, the bubble and the answers at the next phrase in the kiosk.
#include <cmath>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/loaders.h"
#include "engine/render.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "screens/book_layout.h"
#include "screens/book_pages.h"

namespace vepa {
namespace {

using namespace book;

constexpr SceneEntries kEntries{.Background = "l_brn01",
                                .Images = "s_book02",
                                .Music = "m_vepa4",
                                .Waves = "w_book02",
                                .HitMap = "b_book01"};
constexpr int kLastPage = 3;
constexpr int kRate = 11000;
// Below this the music is off and the gramophone's needle stays up.
constexpr int kMusicOff = -1900;
// The knob moves 0.083 pixels per hundredth of a decibel; a click maps back with 1 / 0.083.
constexpr double kKnobPerVolume = 0.083;
constexpr double kVolumePerPixel = 12.048192;

// The gramophone's states.
enum Gramophone { Playing = 0, Lifting = 1, Stopped = 2, Lowering = 3 };

struct Texts {
  std::string Book = Cp1251("КНИГА"), OfSettings = Cp1251("УСТАНОВОК");
  std::string Place = Cp1251("ПОСЕЛОК КИОСКОВО"), Year = Cp1251("2001 ГОД");
  std::string Off = Cp1251("ВЫКЛ"), Max = Cp1251("MAX");
  std::string Bubu = Cp1251("БУ-БУ-БУ");
  std::string NoText = Cp1251("БЕЗ ТЕКСТА"), WithText = Cp1251("С ТЕКСТОМ");
  std::string Answer = Cp1251("ОТВЕТ НА"), Question = Cp1251("ВОПРОС"), Cashier = Cp1251("КАССИРА");
  std::string ByHand = Cp1251("ВРУЧНУЮ"), Automatic = Cp1251("АВТОМАТ");
};

class SettingsBookScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries, {.IdlePointer = true})) return;
    pages_.Reset();
    if (g.SoundAvailable && g.MusicVolume >= kMusicOff) {
      GramophoneState = Playing;
      GramophoneFrame = 0;
    } else {
      GramophoneState = Stopped;
      GramophoneFrame = 8;
    }
    EnterScene(g, SceneId::SettingsBook);
  }

  void Frame() override {
    pages_.Step(g, kLastPage);
    DrawPage(pages_.SheetPage(0), pages_.SheetX(0), pages_.SheetY(0));
    if (pages_.PageMoving()) DrawPage(pages_.SheetPage(1), pages_.SheetX(1), pages_.SheetY(1));
    PointerPressStep(g);
    DrawPointer(g);
    if (pages_.LeaveStep(g)) {
      // The common pictures are read afresh on the way out, as the kiosk expects them.
      LoadImages(g, 1, "s_all01");
      g.layer.MakeColorTable(1);
      if (g.FatalError) return;
      ReturnToKiosk(g, HubEntry::Plain);
    }
  }

  void DescribeState(JsonWriter& j) const override {
    pages_.DescribeState(j);
    j.Fields("GramophoneState", GramophoneState, "GramophoneFrame", GramophoneFrame, "MusicVolume",
             g.MusicVolume, "BubbleMode", g.BubbleMode, "AutoAnswer", g.AutoAnswer);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    a.Entries.push_back("s_all01");
    BookPages::DeclareAssets(a);
    constexpr ImageUse kPictures[] = {{"s_book02", "List01", 1},
                                      {"s_book02", "List04", 1},
                                      {"s_book02", "Patifon01", GramophoneFrames},
                                      {"s_book02", "Selector01", 2},
                                      {"s_book02", "Selector02", 1},
                                      {"s_book02", "Selector03", 1},
                                      {"s_book02", "Dinamik01", 2},
                                      {"s_book02", "Vopros01", 1},
                                      {"s_all01", "Bazar01", 1}};
    DeclareImages(a, kPictures);
    DeclareWaves(a, "w_book02", {"Potif01", "Potif02", "Bubu01", "Boom01"});
  }

  int GramophoneState = Playing;
  int GramophoneFrame = 0;

 private:
  bool Clicked() const { return g.ClickState == 1 && g.HandFrame == 1; }
  int Fingertip() const { return g.MouseY + HitMapDY; }

  void DrawPage(int page, int x, int y) {
    if (page == 0) {
      DrawCover(x, y);
      return;
    }
    g.layer.Draw(2, "List01", 0, x + SheetDX, y + SheetDY);
    if (page == 1) MusicPage(x, y);
    if (page == 2) SpeechPage(x, y);
    if (page == 3) AnswerPage(x, y);
  }

  void DrawCover(int x, int y) {
    g.layer.Draw(2, "List04", 0, x + SheetDX, y + SheetDY);
    DrawTextCentered(g, x + TextCX, y + 170, 25, text_.Book, 0, 25);
    DrawTextCentered(g, x + TextCX, y + 200, 30, text_.OfSettings, 0, 30);
    DrawTextCentered(g, x + TextCX, y + 290, 10, text_.Place, 0, 10);
    DrawTextCentered(g, x + TextCX, y + 300, 10, text_.Year, 0, 10);
  }

  void MusicPage(int x, int y) {
    StepGramophone();
    g.layer.Draw(2, "Patifon01", GramophoneFrame, x + GramophoneDX, y + GramophoneDY);
    g.layer.Draw(2, "Selector03", 0, x + TrackDX, y + TrackDY);
    const int knobX =
        static_cast<int>(std::nearbyint(g.MusicVolume * kKnobPerVolume + x)) + KnobRightDX;
    const int knobY = y + KnobDY;
    if (g.SoundAvailable) {
      g.layer.Draw(2, "Selector02", 0, knobX, knobY);
    } else {  // no sound device: the knob is dimmed and does not move
      g.layer.DrawPatternAlpha(g.layer.FindImage(2, "Selector02"), 0,
                               Rect{knobX, knobY, knobX + KnobW, y + KnobDY + KnobH}, 100);
    }
    if (g.SoundAvailable && Clicked() && g.MouseX > x + SliderLeft && g.MouseX < x + SliderRight &&
        Fingertip() > y + SliderTop && Fingertip() < y + SliderBottom) {
      int p = g.MouseX - x;
      if (p < KnobLowest) p = KnobLowest;
      if (p > KnobRightDX) p = KnobRightDX;
      g.MusicVolume = static_cast<int32_t>(std::trunc((p - KnobRightDX) * kVolumePerPixel));
      PlaySceneSound(g, "Boom01", kRate);
      SetMusicChannelVolume();
    }
    DrawTextLeft(g, x + OffLabelDX, y + LabelDY, 10, text_.Off, 0, 10);
    DrawTextLeft(g, x + MaxLabelDX, y + LabelDY, 10, text_.Max, 0, 10);
  }

  // The record turns while the music plays; the needle lifts when the volume goes to the off
  // end and comes down again when it is raised.
  void StepGramophone() {
    const bool tick = g.FrameToggle == 1;
    switch (GramophoneState) {
      case Playing:
        PlayMusic(g, "m_vepa4", 0);
        if (tick && ++GramophoneFrame > 3) GramophoneFrame = 0;
        if (!g.SoundAvailable || g.MusicVolume < kMusicOff) {
          GramophoneState = Lifting;
          GramophoneFrame = 4;
          PlaySceneSound(g, "Potif01", kRate);
          PlayMusic(g, "none", 0);
        }
        break;
      case Lifting:
        if (tick) ++GramophoneFrame;
        if (GramophoneFrame > 7) GramophoneState = Stopped;
        break;
      case Stopped:
        if (g.SoundAvailable && g.MusicVolume >= kMusicOff) {
          GramophoneState = Lowering;
          PlaySceneSound(g, "Potif02", kRate);
        }
        break;
      case Lowering:
        if (tick) --GramophoneFrame;
        if (GramophoneFrame <= 3) GramophoneState = Playing;
        break;
      default:
        break;
    }
  }

  void SetMusicChannelVolume() {
    WaveList* channels = g.layer.Waves(4);
    if (Wave* music = channels ? channels->WaveItem(1) : nullptr)
      g.layer.SetVolume(music, g.MusicVolume);
  }

  // The row of the two selectors under a click, or -1.
  int ClickedRow(int x, int y) const {
    if (!Clicked() || g.MouseX <= x + RowLeft || g.MouseX >= x + RowRight) return -1;
    for (int i = 0; i < 2; ++i) {
      const int top = y + RowStep * i + RowTop, bottom = y + RowStep * i + RowBottom;
      if (Fingertip() > top && Fingertip() < bottom) return i;
    }
    return -1;
  }

  void DrawSelectors(int x, int y, int chosen, const std::string& first,
                     const std::string& second) {
    const Image* selector = g.layer.FindImage(2, "Selector01");
    for (int i = 0; i < 2; ++i)
      g.layer.DrawPattern(selector, chosen == i ? 1 : 0, x + SelectorDX,
                          y + SelectorDY + RowStep * i);
    DrawTextCentered(g, x + RowLabelDX, y + RowLabelDY, 14, first, 0, 16);
    DrawTextCentered(g, x + RowLabelDX, y + RowLabelDY + RowStep, 14, second, 0, 16);
  }

  void SpeechPage(int x, int y) {
    g.layer.Draw(2, "Dinamik01", g.BubbleMode, x + SpeakerDX, y + SpeakerDY);
    if (g.BubbleMode == 1) {
      // The kiosk's own speech bubble, small, as the loudspeaker's.
      const int bx = x + SmallBubbleDX, by = y + SmallBubbleDY;
      g.layer.StretchPattern(g.layer.FindImage(1, "Bazar01"), 0,
                             Rect{bx, by, bx + SmallBubbleW, by + SmallBubbleH});
      DrawTextCentered(g, x + BubuDX, y + BubuDY, 8, text_.Bubu, 0, 15);
    }
    DrawSelectors(x, y, g.BubbleMode, text_.NoText, text_.WithText);
    const int row = ClickedRow(x, y);
    if (row >= 0 && row != g.BubbleMode) {
      if (g.BubbleMode == 0) PlaySceneSound(g, "Bubu01", kRate);
      PlaySceneSound(g, "Boom01", kRate);
      g.BubbleMode = static_cast<uint8_t>(row);
    }
  }

  void AnswerPage(int x, int y) {
    g.layer.Draw(2, "Vopros01", 0, x + QuestionDX, y + QuestionDY);
    DrawTextCentered(g, x + QuestionTextDX, y + 154, 18, text_.Answer, 0, 17);
    DrawTextCentered(g, x + QuestionTextDX, y + 172, 18, text_.Question, 0, 17);
    DrawTextCentered(g, x + QuestionTextDX, y + 190, 18, text_.Cashier, 0, 17);
    DrawSelectors(x, y, g.AutoAnswer, text_.ByHand, text_.Automatic);
    const int row = ClickedRow(x, y);
    if (row >= 0 && row != g.AutoAnswer) {
      PlaySceneSound(g, "Boom01", kRate);
      g.AutoAnswer = static_cast<uint8_t>(row);
    }
  }

  BookPages pages_;
  Texts text_;
};

}  // namespace

std::unique_ptr<Scene> MakeSettingsBookScene(Game& g) {
  return std::make_unique<SettingsBookScene>(g);
}

}  // namespace vepa
