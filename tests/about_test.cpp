// The about screen over the default archive: the two typed codes and how keys type, the
// buffer's length, and the "КИОСК" button back to the kiosk.
#include <string>

#include "engine/layer.h"
#include "tests/scene_fixture.h"

namespace vepa::testing {
namespace {

// The string after "key": in a JSON text (the typed keys hold no characters needing escapes).
std::string JsonText(const std::string& json, const std::string& key) {
  const std::string k = "\"" + key + "\":\"";
  const size_t at = json.find(k);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << key << " in " << json;
    return {};
  }
  const size_t from = at + k.size();
  return json.substr(from, json.find('"', from) - from);
}

class AboutTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    EnterAndOpen(SceneId::About);
  }
  // Types the letters one by one, each pressed for a tick and let go for a tick.
  void Type(const std::string& letters) {
    for (char c : letters) {
      TapKey(c);
      Tick();
    }
  }
  // Types the letters, then checks the money.
  void TypeAndExpectMoney(const std::string& letters, int money) {
    Type(letters);
    EXPECT_EQ(g.Money, money) << "after " << letters;
  }
  std::string Typed() const { return JsonText(SceneState(), "TypedKeys"); }
};

TEST_F(AboutTest, TheTipCodeAddsAHundredEachTimeItIsTyped) {
  g.Money = 51;
  TypeAndExpectMoney("HELLOWQZJXK", 51);
  TypeAndExpectMoney("D", 151);
  EXPECT_EQ(Typed(), "");
  EXPECT_TRUE(WavePlaying(1, "boom01"));
  TypeAndExpectMoney("WQZJXKDWQZJXKD", 351);
}

TEST_F(AboutTest, TheTipStopsAtThirtyThousand) {
  g.Money = 29950;
  TypeAndExpectMoney("WQZJXKD", 30050);
  TypeAndExpectMoney("WQZJXKD", 30050);
  EXPECT_EQ(Typed(), "") << "the code is used up all the same";
}

TEST_F(AboutTest, TheOtherCodeEmptiesThePockets) {
  g.Money = 777;
  TypeAndExpectMoney("ZXQ", 777);
  TypeAndExpectMoney("J", 0);
  EXPECT_EQ(Typed(), "");
}

TEST_F(AboutTest, AHeldKeyTypesOnceAndOfTwoKeysTheLaterInTheScanWins) {
  KeyDown('Q');
  Tick(10);
  EXPECT_EQ(Typed(), "Q");
  KeyUp('Q');
  Tick();
  KeyDown('B');
  KeyDown('A');
  Tick(5);
  KeyUp('A');
  KeyUp('B');
  Tick();
  EXPECT_EQ(Typed(), "QB");
  // The space, the comma key (a "1") and the bracket key (a "2") type too; a letter beats them.
  TapKey(key::Space);
  Tick();
  TapKey(188);
  Tick();
  TapKey(219);
  Tick();
  KeyDown(188);
  KeyDown('Z');
  Tick();
  KeyUp(188);
  KeyUp('Z');
  Tick();
  EXPECT_EQ(Typed(), "QB 12Z");
  EXPECT_EQ(State("KeyLast"), 0);
}

TEST_F(AboutTest, OnlyTheLastFortyCharactersAreKept) {
  const std::string letters = "ABCDEFGHIJKLMNOPRSTUVWY";  // no code can be made of these
  Type(letters + letters);
  const std::string all = letters + letters;
  EXPECT_EQ(Typed(), all.substr(all.size() - 40));
  // A code typed over a full buffer still counts.
  g.Money = 10;
  TypeAndExpectMoney("ZXQJ", 0);
}

TEST_F(AboutTest, TheKioskButtonLeadsBackToTheKiosk) {
  Click(110, 440);  // right of the button: nothing
  Tick(10);
  EXPECT_EQ(g.FadeMode, 0);
  Click(50, 420);
  Tick(2);
  EXPECT_EQ(g.FadeMode, 1);
  ASSERT_TRUE(TickUntilKiosk(20));
  EXPECT_EQ(JsonInt(GameState(), "HubEntry"), 0);
}

}  // namespace
}  // namespace vepa::testing
