// The lamp, scene 9: the player has shot the gallery's lamp, and the kiosk is dark. Only the
// eyes of whoever is in it blink in the dark, and the status bar shows. The glass breaks, the
// cashier reproaches the player, the player answers, the lamp costs 12 dollars and the game
// goes back to the kiosk as after any game, so the prize won in the gallery is still paid.
// The player only watches; Esc cuts the line being spoken short.
#include <array>
#include <memory>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/status_bar.h"
#include "minigames/lamp_layout.h"
#include "minigames/state_arrays.h"

namespace vepa {
namespace {

using namespace lamp;

constexpr SceneEntries kEntries{.Background = Backdrop, .Images = Sprites, .Music = Music};

struct EyeBlink {
  int32_t Lid = 0;      // 0 open, 1 half shut, 2 shut
  int32_t Closing = 0;  // 1 while the lid goes down
};

class LampScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    if (!LoadSceneEntries(g, kEntries)) return;
    Eyes = {};
    MouthFrame = 0;
    Stage = 0;
    EscState = 0;
    EnterScene(g, SceneId::Lamp);
    SayWave(g, BreakingClip, BreakingRate);
  }

  void Frame() override {
    Bar.Draw(g, 2);
    if (MouthFrame != 0) g.layer.Draw(1, "PlRot01", MouthFrame - 1, MouthAt.X, MouthAt.Y);
    for (EyeBlink& e : Eyes) Blink(e);
    if (Eyes[1].Lid < 2) g.layer.Draw(2, "PGlaz01", Eyes[1].Lid, MouseEyesAt.X, MouseEyesAt.Y);
    if (Eyes[2].Lid < 2) g.layer.Draw(2, "ZGlaz01", Eyes[2].Lid, SnakeEyesAt.X, SnakeEyesAt.Y);
    g.layer.Draw(2, "RGlaz01", 0, HostEyesAt.X, HostEyesAt.Y);
    g.layer.Draw(2, "RGlaz02", Eyes[0].Lid, HostEyesAt.X, HostEyesAt.Y);

    // A fresh press of Esc cuts one line short; held down it cuts no more.
    if (g.layer.KeyPressed(key::Esc))
      EscState = EscState == 0 ? 1 : 2;
    else
      EscState = 0;
    if (EscState == 1) StopSpeech(g);

    Talk();
    g.layer.Draw(1, "Ruka01", 0, g.MouseX, g.MouseY);
    if (Stage == 3) ReturnToKiosk(g, HubEntry::AfterGame);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("Stage", Stage, "EscState", EscState, "MouthFrame", MouthFrame);
    FieldArray(j, "EyeLid", Eyes, &EyeBlink::Lid);
    FieldArray(j, "EyeClosing", Eyes, &EyeBlink::Closing);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    DeclareSceneEntries(a, kEntries);
    a.Entries.push_back(BreakingClip);
    a.Entries.push_back("t_kib01");
    a.Entries.push_back("t_ply01");
    a.Entries.push_back("kib032");
    a.Entries.push_back("ply014");
    for (const char* name : {"Bilet02", "Batar02", "Batar03", "RGlaz01"})
      a.Images.push_back({Sprites, name, 1});
    constexpr ImageUse kPictures[] = {{Sprites, "PGlaz01", 2},
                                      {Sprites, "ZGlaz01", 2},
                                      {Sprites, "RGlaz02", 3},
                                      {"s_all01", "Bax01", 1},
                                      {"s_all01", "PlRot01", MouthPatterns},
                                      {"s_all01", "Ruka01", 1}};
    DeclareImages(a, kPictures);
    DeclareSpeechBubble(a);
  }

 private:
  // Now and then an open eye starts to close; a shut one opens again after a moment.
  void Blink(EyeBlink& e) {
    if (g.Random(60) == 25 && e.Lid == 0 && e.Closing == 0) {
      e.Closing = 1;
    } else if (g.Random(5) == 1 && e.Lid == 2 && e.Closing == 1) {
      e.Closing = 0;
    }
    if (e.Lid > 0 && e.Closing == 0) --e.Lid;
    if (e.Lid < 2 && e.Closing == 1) ++e.Lid;
  }

  void Talk() {
    // The next line, once the one before it has been said.
    auto sayNext = [this](const char* table, int phrase, int rate, int next) {
      if (IsSpeaking(g)) return;
      SayPhrase(g, table, phrase, 1, rate);
      Stage = next;
    };
    switch (Stage) {
      case 0:  // the glass is still falling
        sayNext("kib", HostPhrase, HostRate, 1);
        break;
      case 1:
        DrawSpeechBubble(g, HostBubbleAt.X, HostBubbleAt.Y, 0);
        sayNext("ply", PlayerPhrase, PlayerRate, 2);
        break;
      case 2:
        DrawSpeechBubble(g, PlayerBubbleAt.X, PlayerBubbleAt.Y, 0);
        if (IsSpeaking(g)) {
          if (g.FrameToggle == 1) MouthFrame = static_cast<uint8_t>(g.Random(MouthPatterns) + 1);
        } else {
          g.Money = g.Money > Fine ? g.Money - Fine : 0;
          Stage = 3;
          MouthFrame = 0;
        }
        break;
      default:
        break;
    }
  }

  StatusBar Bar;
  std::array<EyeBlink, 3> Eyes{};  // the cashier's, the mouse's, the snake's
  int32_t Stage = 0;  // 0 the breaking glass, 1 the cashier speaks, 2 the player, 3 done
  int32_t EscState = 0;
  uint8_t MouthFrame = 0;
};

}  // namespace

std::unique_ptr<Scene> MakeLampScene(Game& g) { return std::make_unique<LampScene>(g); }

}  // namespace vepa
