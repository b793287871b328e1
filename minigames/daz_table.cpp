// Daz's table, scene 27. Gorm and Puch sit with Daz, the pocket game, and explain it: Gorm
// talks, Puch adds his bit, then they wait for a button. The first two panel buttons start the
// food game with three or four pieces, the third leaves. The same loader takes the player back
// here after the game, where Gorm says goodbye (a special one for the top prize) before the
// kiosk opens and pays.
//
// Talk steps from the kiosk: 1 Gorm's explanation, 2 Puch's, 3-4 waiting for a button, 5 the
// start phrase, 6 into the game. Back from the game (or leaving): 1 the goodbye, 2 closing.
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "minigames/daz_layout.h"
#include "minigames/state_arrays.h"

namespace vepa {
namespace daz {

namespace {

constexpr SceneEntries kEntries{
    .Background = TableBackground, .Images = TableImages, .Music = "none", .HitMap = PanelHitMap};

constexpr int kRate = 11000;
constexpr int kTalkPause = 10;  // frames between two phrases

class DazTableScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int arg) override {
    if (!LoadSceneEntries(g, kEntries, {.TakeStake = true, .IdlePointer = true})) return;
    // The phrases of this visit are read now: the long ones would not fit into a frame.
    constexpr std::array<int, 4> kVisit{PhraseGoodbye, PhraseGormExplains, PhrasePuchExplains,
                                        PhraseStart};
    auto readAhead = [&](int n) {
      ReadSpokenClip(g, std::string(SpeakerStem) + "00" + std::to_string(n), Clips[n]);
    };
    if (arg == 0)
      for (int n : kVisit) readAhead(n);
    else
      readAhead(arg == 1 ? PhraseGoodbye : PhraseTopPrize);
    // TalkPause keeps its value: it only ever rests at 0 between visits.
    s.ResultMode = arg;
    s.TalkStep = 0;
    s.GormMouth = 0;
    s.SecondOption = 0;
    for (DazButton& b : s.Buttons) b.Pressed = b.Pattern = 0;
    if (arg == 0) {
      DazFood(g).Score = 0;
      g.GameWinnings = 0;
      EnterScene(g, SceneId::DazTable);
    } else {
      // Back from the game: no opening transition, the prize stays for the kiosk.
      g.FadeMode = 0;
      g.SceneNumber = SceneNo(SceneId::DazTable);
    }
  }

  void Frame() override {
    DrawFigures();
    PanelKeys();
    ClickAndReleaseButtons(g, s.Buttons);
    DrawButtons(g, s.Buttons);
    if (s.ResultMode == 0) Explain();
    if (s.ResultMode != 0) SayGoodbye();  // also on the frame the third button was pressed
    MoveMouth();
    PointerPressStep(g);
    DrawPointer(g);
    if (s.ResultMode == 0 && s.TalkStep > 5) {
      g.LoadScene(SceneId::DazFood);
      return;
    }
    if (s.ResultMode > 0 && s.TalkStep == 2 && g.FadeMode == 0) StartClosing(g);
    ReturnToKioskWhenCovered(g, HubEntry::AfterGame);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("ResultMode", s.ResultMode, "TalkStep", s.TalkStep, "TalkPause", s.TalkPause,
             "GormMouth", s.GormMouth, "SecondOption", s.SecondOption);
    FieldArray(j, "Pressed", s.Buttons, &DazButton::Pressed);
    FieldArray(j, "Pattern", s.Buttons, &DazButton::Pattern);
    FieldArray(j, "Hold", s.Buttons, &DazButton::Hold);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    constexpr ImageUse kPictures[] = {{TableImages, "Table01", 1},  {TableImages, "Gorm01", 1},
                                      {TableImages, "Gorm02", 3},   {TableImages, "Puch01", 1},
                                      {TableImages, "Puch02", 2},   {TableImages, "Daz01", 1},
                                      {TableImages, "Text01", 3},   {TableImages, "Button01", 2},
                                      {TableImages, "Button02", 2}, {TableImages, "Strelk01", 2}};
    DeclareImages(a, kPictures);
    DeclarePointer(a);
    DeclareSpeechBubble(a);
    a.Waves.push_back({"w_all01", "Boom26"});
    a.Entries.push_back("t_daz01");
    for (int n = PhraseGoodbye; n <= PhraseStart; ++n)
      a.Entries.push_back("daz00" + std::to_string(n));
  }

  TableState s;

 private:
  // Gorm and Puch speak as subtitles only over the offer's record (its price stays for the
  // kiosk's comment on the prize).
  void SayDaz(int phrase) {
    SpokenClip& clip = Clips[phrase];
    if (clip.Ready)
      SayPhrase(g, SpeakerStem, phrase, 1, kRate, clip);
    else
      SayPhrase(g, SpeakerStem, phrase, 1, kRate);  // no sound, or said already
  }

  void DrawFigures() {
    g.layer.Draw(2, "Table01", 0, TableX, TableY);
    g.layer.Draw(2, "Puch01", 0, TablePuchX, TablePuchY);
    if (s.GormMouth > 0 && s.TalkStep == 2)
      g.layer.Draw(2, "Puch02", s.GormMouth - 1, TablePuchMouthX, TablePuchMouthY);
    g.layer.Draw(2, "Gorm01", 0, TableGormX, TableGormY);
    g.layer.Draw(2, "Gorm02", s.TalkStep != 2 ? s.GormMouth : 0, TableGormMouthX, TableGormMouthY);
    g.layer.Draw(2, "Daz01", 0, DazX, DazY);
  }

  // An arrow key presses its button and keeps it down while the key is held.
  void PanelKeys() {
    const std::array<std::pair<int, int>, 2> keys{
        {{key::Left, LeftArrowButton}, {key::Right, RightArrowButton}}};
    for (const auto& [code, index] : keys) {
      if (!g.layer.KeyPressed(code)) continue;
      DazButton& b = s.Buttons[index];
      if (!b.Pressed)
        PressButton(g, b);
      else if (b.Hold == 0)
        b.Hold = 1;
    }
  }

  void Explain() {
    DazButtons& b = s.Buttons;
    if ((b[0].Pressed || b[1].Pressed) && s.TalkStep < 5) {
      // A start button cuts the explanation short.
      s.TalkStep = 5;
      SayDaz(PhraseStart);
      s.SecondOption = b[1].Pressed;
    }
    if (b[2].Pressed && s.TalkStep < 5) {
      s.ResultMode = 1;
      s.TalkStep = 0;
      StopSpeech(g);
      return;  // the goodbye starts below, on this same frame
    }
    if (s.TalkPause == 0 && !IsSpeaking(g)) s.TalkPause = kTalkPause;
    if (s.TalkPause > 0) --s.TalkPause;
    if (s.TalkStep < 3 && s.TalkPause == 1 && !IsSpeaking(g)) {
      ++s.TalkStep;
      if (s.TalkStep == 1) SayDaz(PhraseGormExplains);
      if (s.TalkStep == 2) SayDaz(PhrasePuchExplains);
    }
    if ((s.TalkStep == 3 || s.TalkStep == 5) && !IsSpeaking(g)) ++s.TalkStep;
    if (s.TalkStep == 1 || s.TalkStep == 2 || s.TalkStep == 3 || s.TalkStep == 5)
      DrawSpeechBubble(g, s.TalkStep == 2 ? PuchBubbleX : GormBubbleX, BubbleY, BubbleTail);
  }

  void SayGoodbye() {
    if (s.TalkStep == 0) {
      s.TalkStep = 1;
      SayDaz(s.ResultMode == 1 ? PhraseGoodbye : PhraseTopPrize);
    } else if (s.TalkStep == 1) {
      DrawSpeechBubble(g, GormBubbleX, BubbleY, BubbleTail);
      if (!IsSpeaking(g)) s.TalkStep = 2;
    }
  }

  void MoveMouth() {
    if (g.FrameToggle != 0) s.GormMouth = g.Random(3);
    if (!IsSpeaking(g)) s.GormMouth = 0;
  }

  std::array<SpokenClip, PhraseStart + 1> Clips;
};

}  // namespace

TableState& DazTable(Game& g) {
  // The catalogue makes scene 27 a DazTableScene, so the table's state is always there.
  return static_cast<DazTableScene*>(g.GetScene(SceneNo(SceneId::DazTable)))->s;
}

void PressButton(Game& g, DazButton& b, uint8_t hold) {
  b.Pressed = 1;
  b.Hold = hold;
  b.Pattern = 1;
  PlayCommonSound(g, "Boom26", kRate);
}

void ClickAndReleaseButtons(Game& g, DazButtons& buttons) {
  const int code = g.HitMapAt(g.MouseX, g.MouseY, 0, HitReadDY);
  if (code >= 1 && code <= ButtonCount && g.ClickState == 1 && g.HandFrame == 2 &&
      !buttons[code - 1].Pressed)
    PressButton(g, buttons[code - 1]);
  for (DazButton& b : buttons) {
    if (!b.Pressed) continue;
    if (b.Hold == 0) {
      b.Pattern = 0;
      b.Pressed = 0;
    } else {
      --b.Hold;
    }
  }
}

void DrawButtons(Game& g, const DazButtons& buttons) {
  for (int i = 0; i < PanelButtons; ++i)
    g.layer.Draw(2, "Text01", i, CaptionX, CaptionY + PanelStep * i);
  for (int i = 0; i < PanelButtons; ++i)
    g.layer.Draw(2, "Button01", buttons[i].Pattern, PanelX, PanelY + PanelStep * i);
  g.layer.Draw(2, "Strelk01", 0, LeftSignX, SignY);
  g.layer.Draw(2, "Strelk01", 1, RightSignX, SignY);
  g.layer.Draw(2, "Button02", buttons[LeftArrowButton].Pattern, LeftArrowX, ArrowY);
  g.layer.Draw(2, "Button02", buttons[RightArrowButton].Pattern, RightArrowX, ArrowY);
}

}  // namespace daz

std::unique_ptr<Scene> MakeDazTableScene(Game& g) {
  return std::make_unique<daz::DazTableScene>(g);
}

}  // namespace vepa
