// The about screen, scene 80: the poster of who made the kiosk, the date of the build and the
// "КИОСК" button. Meanwhile the keyboard listens for two typed codes: one tips the player a
// hundred dollars (while he has under 30000), the other empties his pockets.
#include <memory>
#include <string>

#include "app/game.h"
#include "app/json.h"
#include "engine/helpers.h"
#include "engine/loaders.h"
#include "engine/scene_helpers.h"
#include "engine/sound.h"
#include "engine/text.h"
#include "screens/book_layout.h"
#include "screens/book_pages.h"

namespace vepa {
namespace {

using namespace book;

constexpr int kRate = 11000;
constexpr size_t kTypedKeysMax = 40;
constexpr const char* kTipCode = "WQZJXKD";
constexpr const char* kEmptyCode = "ZXQJ";
constexpr int kTip = 100, kTipBelow = 30000;
// Keys beside the letters that type characters of their own.
constexpr int kCommaKey = 188, kBracketKey = 219;

class AboutScene : public Scene {
 public:
  using Scene::Scene;

  void Load(int) override {
    LoadBackground(g, "r_abot01");
    if (g.FatalError) return;
    g.ClickState = 0;
    g.HandFrame = 0;
    KeyNow = 0;
    KeyLast = 0;
    TypedKeys.clear();
    EnterScene(g, SceneId::About);
  }

  void Frame() override {
    DrawKioskButton(g);
    static const std::string date = "19.12.2001";
    DrawTextCentered(g, AboutDateX, AboutDateY, 23, date, 0, 20);
    ScanKeys();
    Type();
    ApplyCodes();
    PointerPressStep(g);
    DrawPointer(g);
    if (g.FadeMode == 0 && g.ClickState == 1 && g.HandFrame == 1 && g.MouseX < AboutButtonRight &&
        g.MouseY > AboutButtonTop) {
      PlayCommonSound(g, "Boom03", kRate);
      StartClosing(g);
    }
    ReturnToKioskWhenCovered(g, HubEntry::Plain);
  }

  void DescribeState(JsonWriter& j) const override {
    j.Fields("TypedKeys", TypedKeys, "KeyNow", KeyNow, "KeyLast", KeyLast);
  }

  void DeclareAssets(AssetNeeds& a) const override {
    a.Entries.push_back("r_abot01");
    a.Images.push_back({"s_all01", "Button01", 1});
    DeclarePointer(a);
    a.Images.push_back({"s_all01", "FontP", 93});
    DeclareWaves(a, "w_all01", {"Boom01", "Boom03"});
  }

  std::string TypedKeys;
  int KeyNow = 0;
  int KeyLast = 0;

 private:
  // The key down this tick; of several, the last in this order wins.
  void ScanKeys() {
    const Layer& l = g.layer;
    KeyNow = 0;
    if (l.KeyPressed(key::Space)) KeyNow = ' ';
    if (l.KeyPressed(kCommaKey)) KeyNow = '1';
    if (l.KeyPressed(kBracketKey)) KeyNow = '2';
    for (int k = 'A'; k <= 'Z'; ++k)
      if (l.KeyPressed(k)) KeyNow = k;
  }

  // A key held down types once; it must be let go before it types again.
  void Type() {
    if (KeyNow != KeyLast && KeyNow > 0) {
      TypedKeys += static_cast<char>(KeyNow);
      if (TypedKeys.size() > kTypedKeysMax) TypedKeys.erase(0, 1);
    }
    KeyLast = KeyNow;
  }

  void ApplyCodes() {
    if (TypedKeys.find(kTipCode) != std::string::npos) {
      if (g.Money < kTipBelow) g.Money += kTip;
    } else if (TypedKeys.find(kEmptyCode) != std::string::npos) {
      g.Money = 0;
    } else {
      return;
    }
    TypedKeys.clear();
    PlayCommonSound(g, "boom01", kRate);
  }
};

}  // namespace

std::unique_ptr<Scene> MakeAboutScene(Game& g) { return std::make_unique<AboutScene>(g); }

}  // namespace vepa
