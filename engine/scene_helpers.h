// The frame of every game scene: the loader's archive reads and its opening transition, and the
// way back to the kiosk through the closing transition. A mini-game is
//
//   void Load(int) override {
//     if (!LoadSceneEntries(g, kEntries, kGameStart)) return;  // a file would not open
//     ... the scene's own start values ...
//     EnterScene(g, kSceneNumber);
//   }
//   void Frame() override {
//     ... draw, play ...
//     if (done && g.FadeMode == 0) StartClosing(g);
//     PayPrizeWhenCovered(g, prize);
//   }
//   void DeclareAssets(AssetNeeds& a) const override { DeclareSceneEntries(a, kEntries); ... }
//
// Also the small shapes the layout headers place a scene's things with, and the trembling aim
// of the shooting games.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "engine/scene_ids.h"

namespace vepa {

struct GameServices;
struct AssetNeeds;

// The code a scene gives the kiosk's loader on its way back.
enum class HubEntry : uint8_t {
  Plain = 0,      // ticket scene, about screen, books
  AfterGame = 1,  // a mini-game or the card game: the kiosk announces and pays GameWinnings
  NewGame = 2,    // the start menu: the cashier greets the player
  AfterDraw = 3,  // the lottery draw: the kiosk checks the tickets
};

// The archive entries a scene's loader reads. An empty name is not loaded.
struct SceneEntries {
  std::string_view Background = {};  // "r_"/"l_": the background picture
  std::string_view Images = {};      // "s_"/"d_": image list 2
  std::string_view Music = {};       // "m_..." or "none"; empty leaves the music as it is
  int MusicOffset = 0;               // volume offset of the music, hundredths of a decibel
  std::string_view Waves = {};       // "w_": wave list 2
  std::string_view HitMap = {};      // "b_": the hit map
};

// Loads the entries (background, image list 2, music, wave list 2, hit map), then builds the
// colour table of list 2. False when an archive file could not be opened (FatalError): the
// loader must stop at once and leave its scene state untouched.
bool LoadSceneEntries(GameServices& g, const SceneEntries& entries);

// What a loader resets in the shared state once its entries are read.
struct SceneStart {
  bool TakeStake = false;    // GameStake: the price of the phrase that offered the scene
  bool NothingWon = false;   // GameWinnings 0
  bool IdlePointer = false;  // ClickState and HandFrame 0: no press carried over
  bool SteadyAim = false;    // AimShakeX and AimShakeY 0: the sight starts still
};
// A mini-game played for a stake: the stake taken, nothing won yet, the pointer idle.
inline constexpr SceneStart kGameStart{.TakeStake = true, .NothingWon = true, .IdlePointer = true};
// A shooting game (darts, the gallery): the same, and the sight starts still.
inline constexpr SceneStart kAimingGameStart{
    .TakeStake = true, .NothingWon = true, .IdlePointer = true, .SteadyAim = true};

// Sets the start values `start` asks for.
void StartScene(GameServices& g, const SceneStart& start);
// LoadSceneEntries, then StartScene when the entries could be read.
bool LoadSceneEntries(GameServices& g, const SceneEntries& entries, const SceneStart& start);

// Lists the entries for the content check (the music only when it names an entry).
void DeclareSceneEntries(AssetNeeds& needs, const SceneEntries& entries);

// A place on the screen, or an offset, as the layout headers give them.
struct Point {
  int X = 0, Y = 0;
};

// A picture as a layout header gives it: its name in the scene's image list, the size of one
// pattern (the size the scene's offsets were made for, and its content module paints it at)
// and the number of patterns.
struct Picture {
  const char* Name;
  int Width, Height, Patterns;
};

// A picture a scene draws: its image list entry ("s_"/"d_"), its name and the fewest patterns
// it must have.
struct ImageUse {
  std::string_view Entry;
  std::string_view Name;
  int MinPatterns = 1;
};
// Lists the pictures for the content check.
void DeclareImages(AssetNeeds& needs, std::span<const ImageUse> images);
// Lists waves of one wave list entry ("w_") for the content check.
void DeclareWaves(AssetNeeds& needs, std::string_view entry,
                  std::initializer_list<std::string_view> waves);

// How a loader shows its scene.
enum class Opening : uint8_t {
  Transition,  // the opening transition uncovers it (FadeMode 2, FadeProgress 400)
  AtOnce,      // it shows at once (FadeMode 0): the first logo, the kiosk back from the lamp
};

// The last steps of a loader: the exit box closed (ExitMenuState 0, EscLatch 0), the scene
// opened and its number set.
void EnterScene(GameServices& g, SceneId scene, Opening opening = Opening::Transition);
// The same with the exit box left as the scene before left it: the kiosk's result
// announcement reads whether the game was left through it.
void OpenScene(GameServices& g, SceneId scene, Opening opening = Opening::Transition);

// Starts the closing transition: the screen goes black over the next six ticks.
void StartClosing(GameServices& g);
// The closing transition has covered the whole screen: the next loader may run.
bool ScreenCovered(const GameServices& g);

// Enters the kiosk with an entry code.
void ReturnToKiosk(GameServices& g, HubEntry entry);
// Enters the kiosk once the closing transition has covered the screen; true when it did.
bool ReturnToKioskWhenCovered(GameServices& g, HubEntry entry);
// The end of a mini-game: once the screen is covered, the prize becomes GameWinnings (the kiosk
// announces and pays it) and the kiosk is entered after a game; true when it did.
bool PayPrizeWhenCovered(GameServices& g, int prize);

// The trembling hand of the shooting games (darts, the gallery): the aim is the pointer moved
// by AimShakeX/AimShakeY. Each call it wanders by -tremor..+tremor on each axis, a random walk.
void TrembleAim(GameServices& g, int tremor);
// Where the aim may go: from (0, 0) to (Right, Bottom). With the pointer pressed against an edge
// (0, or StopRight and StopBottom, where the pointer stops) the aim could never come back by
// itself, so once it is further than Slack from that edge it creeps back by Creep a tick.
struct AimArea {
  int Right = 0, Bottom = 0;
  int StopRight = Right - 1, StopBottom = Bottom - 1;
  int Slack = 0, Creep = 0;
};
void KeepAimInArea(GameServices& g, const AimArea& area);

// The side glances of a face that looks about (the cashier, the card players), by its gaze
// mode: 4 and 5 look right and left by 1 a tick as far as 5, 7 and 8 by 2 as far as 9. False
// for any other mode, which leaves `x` as it is.
template <typename Offset>
bool SideGlance(int mode, Offset& x) {
  struct Glance {
    int Mode, Limit, Step;
  };
  constexpr Glance kGlances[] = {{4, 5, 1}, {5, -5, -1}, {7, 9, 2}, {8, -9, -2}};
  for (const Glance& glance : kGlances) {
    if (glance.Mode != mode) continue;
    if (glance.Step > 0 ? x < glance.Limit : x > glance.Limit) x += glance.Step;
    return true;
  }
  return false;
}

}  // namespace vepa
