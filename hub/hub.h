// The kiosk, scene 0: the hub from which every other scene is opened and to which every scene
// comes back. The state of the kiosk lives in one object; its routines are split by topic:
//   hub.cpp            loader, frame routine, item table, leaving for another scene
//   kiosk_objects.cpp  the still objects, status display and ambient animations
//   dialogue.cpp       the conversation with the cashier, answer buttons, choice sign
//   announcements.cpp  the lottery ticket check and the mini-game result announcements
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/game.h"
#include "engine/scene_helpers.h"
#include "engine/status_bar.h"
#include "hub/hub_layout.h"

namespace vepa {

// Money never grows past this.
inline constexpr int MoneyCap = 60000;
// A bought battery, in ticks.
inline constexpr uint16_t FullBattery = 32400;

struct FishRecord {
  int Depth = 0;   // 0..4, nearer is larger and more opaque
  int Angle = 0;   // heading in 1/256 turn, any integer
  int Facing = 0;  // pattern of "Riba01"; the swimming factor is Facing - 1
  int Mode = 0;    // 0 straight, 1 turning +3, 2 turning -3, 3 flipping to 2, 5 flipping to 0
  double X = 0, Y = 0, Speed = 0;
};

struct FlyRecord {
  int TargetX = 0, TargetY = 0;
  int Heading = 0;
  int Speed = 0;
  int TargetIndex = 0;  // 0..4 a landing point, 5 the other fly
  int Mode = 0;         // 0 absent, 1 to a landing point, 2 wandering, 3 landed, 4 leaving
  double X = 0, Y = 0, DX = 0, DY = 0;
};

struct ArmRecord {
  int Mode = 0;  // 0 resting, 1 talking gesture, 2 raised arm, 3 hand tap (left arm only)
  int Frame = 0;
  int Target = 0;
  int Phase = 0;
  // Left arm only.
  int RaisedArm = 0;     // which arm the raised-arm gesture lifts: 0 left, 1 right
  int TapCounter = 0;    // 0..3
  int TapDirection = 0;  // 0 idle, 1 rising, 2 falling
};

class HubScene : public Scene {
 public:
  explicit HubScene(Game& game);

  // The hub loader; `arg` is the HubEntry code.
  void Load(int arg) override;
  void Frame() override;
  void DescribeState(JsonWriter& j) const override;
  void DeclareAssets(AssetNeeds& needs) const override;

  // The scene an accepted item opens (with its loader argument), or -1 for an item that leads
  // to no scene. For the book item the sign's choice decides.
  static int TargetScene(int item, int tabletChoice, int* loaderArg = nullptr);
  // Whether the item's scene exists in this build; items leading nowhere count as available.
  bool SceneAvailable(int item) const;
  // Code under the fingertip of the pointer hand.
  int PointerCode() const;
  // The cashier's phrase number for an item (depends on tickets, battery and PhraseVariant).
  int ItemPhrase(int item) const;
  // Item code after the idle filter: unknown codes, the sold-out battery and tickets become 0.
  int FilterItem(int code) const;

  // Prize of a lottery ticket by matched numbers (0..6).
  static int LotteryPrize(int matches);
  // Matched places of a ticket against the drawn numbers; zero places never match.
  int CountMatches(int ticket) const;
  // Clip suffixes that speak a number, as the announcements use them.
  static std::string TensClip(int amount);                  // "" when none
  static std::string UnitsClip(int amount, bool hundreds);  // "" when none
  static std::string CurrencyClip(int amount);

  // --- Kiosk state (all public: the tests and the runner's JSON read it).
  // Lamp.
  int LampFlicker = 0, LampPhase = 0, LampFrame = 0;
  // Snake and tongue.
  int SnakeActive = 0, SnakePhase = 0, SnakeFrame = 0, TongueDirection = 0, TongueFrame = 0;
  std::array<FishRecord, 2> Fish{};
  std::array<FlyRecord, 2> Fly{};
  // The cashier's face.
  int MouthFrame = 0, EyelidFrame = 0, BlinkRequest = 0, GazeMode = 0;
  double GazeX = 0, GazeY = 0;
  std::array<ArmRecord, 2> Arm{};  // 0 left, 1 right; the left arm's mode is HostAction
  int HostAction() const { return Arm[0].Mode; }

  // Conversation.
  int Entry = 0;  // the entry code of the last load (HubEntry)
  int HubState = 0;
  int EscDown = 0, EnterDown = 0;
  int HostSpeaking = 0, PlayerSpeaking = 0;
  int Answer = 0;
  int ButtonAlpha = 0;
  std::string ButtonCaptionLeft, ButtonCaptionRight;  // code page 1251
  int PhraseVariant = 0;
  // Choice sign.
  int TabletState = 0, TabletChoice = 0, TabletDrop = 0, TabletLeft = 251, TabletKind = 0;
  // Announcements.
  int TicketIndex = 0, TicketsToCheck = 0, Matches = 0, Prize = 0, ResultKind = 0;
  int AnnounceStep = 0;

  // The landing points of the flies by target index.
  static constexpr std::array<std::array<int, 2>, 5> FlyTarget{
      {{95, 400}, {320, 125}, {590, 305}, {290, 380}, {210, 390}}};

  // --- Steps of the frame routine, public so that tests can run one step alone.
  void IdleStep();
  void ConversationStep();
  void DrawAnswerButtons();
  void AcceptanceStep();
  void AnnouncementStep();
  void DrawKioskFirstGroup();
  void DrawHost();
  void DrawKioskSecondGroup();
  void ChoiceSign();
  void DrawFlies();
  void LeaveStep();

 private:
  void SayCashier(int phrase);
  void SayPlayer(int phrase);
  void SetCaptions(int kind);
  void MoveFish(FishRecord& f);
  void MoveFly(int index);
  void UpdateHostFace();
  void UpdateHostArms();
  void TicketCheckStep();
  void MiniGameResultStep();
  void SayClip(const std::string& suffix);
  void PayCapped(int amount);

  StatusBar statusBar_;  // money, tickets and battery
};

}  // namespace vepa
