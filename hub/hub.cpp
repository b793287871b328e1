// The kiosk's loader and frame routine, the table of kiosk items and the way out to the scene
// the player has paid for.
#include "hub/hub.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "app/json.h"
#include "engine/helpers.h"
#include "engine/loaders.h"
#include "engine/sound.h"
#include "engine/text.h"

namespace vepa {

namespace {

constexpr SceneEntries kEntries{.Background = hub::BackgroundEntry,
                                .Images = hub::CashierImagesEntry,
                                .Music = hub::MusicEntry,
                                .Waves = hub::WavesEntry,
                                .HitMap = hub::HitMapEntry};

}  // namespace

HubScene::HubScene(Game& game) : Scene(game) {}

std::unique_ptr<Scene> MakeHubScene(Game& g) { return std::make_unique<HubScene>(g); }

// --- The item table.

namespace {

// Which scene each kiosk item opens once its offer is accepted, and the loader's argument.
struct ItemScene {
  int Item;
  SceneId Scene;
  int Arg = 0;
};
constexpr ItemScene kItemScenes[] = {
    {hub::BoxingGlove, SceneId::Boxing},
    {hub::Dartboard, SceneId::Darts},
    {hub::Poster, SceneId::About},
    {hub::Hammer, SceneId::Hammer},
    {hub::Snake, SceneId::Snake},
    {hub::Gun, SceneId::Gallery},
    {hub::Cockroach, SceneId::CockroachRace},
    {hub::Television, SceneId::Draw},
    {hub::Cards, SceneId::OpponentSelection, 1},
    {hub::Daz, SceneId::DazTable},
    {hub::FishTank, SceneId::Aquarium},
    {hub::Inkpot, SceneId::Ticket},
    {hub::RpsSticker, SceneId::RockPaperScissors},
    {hub::GameOver, SceneId::StartMenu},
    {hub::LeaveGame, SceneId::Closing},
};

// Hit-map codes that no item of the kiosk answers to.
constexpr int kDeadCodes[] = {1,  3,  9,  12, 13, 16, 19, 20, 21, 23, 24,
                              25, 27, 28, 30, 32, 37, 38, 39, 46, 50};

// The items whose phrase is always the same; the others depend on the state of the game.
struct FixedPhrase {
  int Item, Phrase;
};
constexpr FixedPhrase kFixedPhrases[] = {
    {hub::BoxingGlove, 34}, {hub::Lamp, 43},      {hub::Dartboard, 1}, {hub::Poster, 11},
    {hub::Hammer, 51},      {hub::Snake, 22},     {hub::Gun, 36},      {hub::Cashier, 24},
    {hub::Book, 25},        {hub::Cockroach, 54}, {hub::TipJar, 38},   {hub::Door, 62},
    {hub::Cards, 67},       {hub::FishTank, 26},  {hub::Battery, 80},  {hub::Sky, 88},
    {hub::Window, 30},      {hub::RpsSticker, 42}};

}  // namespace

int HubScene::TargetScene(int item, int tabletChoice, int* loaderArg) {
  int arg = 0;
  int scene = -1;
  if (item == hub::Book) {  // the choice sign picks the journal or the settings book
    scene = SceneNo(tabletChoice == 0 ? SceneId::Journal : SceneId::SettingsBook);
  } else {
    for (const ItemScene& e : kItemScenes) {
      if (e.Item != item) continue;
      scene = SceneNo(e.Scene);
      arg = e.Arg;
      break;
    }
  }
  if (loaderArg) *loaderArg = arg;
  return scene;
}

bool HubScene::SceneAvailable(int item) const {
  // Every scene of the item table is in the catalogue; only a number outside it (a damaged
  // table) would be offered without the buttons.
  const int scene = TargetScene(item, TabletChoice);
  return scene < 0 || FindScene(scene) != nullptr;
}

int HubScene::FilterItem(int code) const {
  if (code == hub::CashierHand) return hub::RpsSticker;
  if (std::find(std::begin(kDeadCodes), std::end(kDeadCodes), code) != std::end(kDeadCodes))
    return 0;
  if (code == hub::Battery)  // for sale only while the old one is empty
    return g.BatteryCharge > 0 ? 0 : code;
  if (code == hub::TicketStack)  // sold out at five tickets
    return g.Tickets > 4 ? 0 : code;
  return code;
}

int HubScene::ItemPhrase(int item) const {
  for (const FixedPhrase& f : kFixedPhrases)
    if (f.Item == item) return f.Phrase;
  switch (item) {
    case hub::DoorHandle:
      return 2 + PhraseVariant;
    case hub::Television:
      return g.Tickets == 0 ? 14 : (g.TicketsFilled == 0 ? 15 : 13);
    case hub::Daz:
      return g.BatteryCharge > 0 ? 75 : 81;
    case hub::TicketStack:
      return g.TicketsFilled == 1 ? 20 : 19;
    case hub::Inkpot:
      return g.Tickets == 0 ? 18 : (g.TicketsFilled == 1 ? 17 : 16);
    case hub::Bread:
    case hub::Heap:
    case hub::Bottle:
    case hub::StreetLamp:
    case hub::Houses:
      return item + 45;
    case hub::LeaveGame:
      return 5 + PhraseVariant;
    default:
      return 0;
  }
}

int HubScene::PointerCode() const {
  return g.HitMapAt(g.MouseX, g.MouseY, hub::FingertipX, hub::FingertipY);
}

// --- Loader.

void HubScene::Load(int arg) {
  Entry = arg;
  if (!LoadSceneEntries(g, kEntries)) return;
  // The kiosk's own objects are image list 3.
  LoadImages(g, 3, hub::KioskImagesEntry);
  if (g.FatalError) return;
  g.layer.MakeColorTable(3);
  // The frame timer runs at its fixed 50 ms; there is nothing to restart here.

  StartScene(g, {.IdlePointer = true, .SteadyAim = true});
  EscDown = 0;
  EnterDown = 0;

  PlayerSpeaking = 0;
  MouthFrame = 0;
  EyelidFrame = 0;
  BlinkRequest = 0;
  GazeMode = 0;
  GazeX = 0;
  GazeY = 0;
  Arm = {};

  TabletDrop = 0;
  TabletState = 0;
  TabletKind = 0;
  TabletChoice = 0;
  ButtonAlpha = 0;
  Answer = 0;

  for (FishRecord& f : Fish) {
    f.Depth = 0;
    f.Mode = 0;
    f.Speed = 0;
    f.Facing = 0;
    f.X = g.Random(40);
    f.Y = g.Random(15);
    f.Angle = g.Random(256);
  }
  TongueFrame = 0;
  TongueDirection = 0;
  SnakeActive = 0;
  SnakePhase = 0;
  SnakeFrame = 1;
  LampFrame = 2;
  LampFlicker = 0;
  LampPhase = 0;

  for (FlyRecord& f : Fly) {
    f.Mode = 0;
    if (g.Random(2) == 1) {  // waits beyond the top or bottom edge
      f.X = g.Random(660) - 20;
      f.Y = g.Random(2) * 500 - 20;
    } else {  // beyond the left or right edge
      f.X = g.Random(2) * 660 - 20;
      f.Y = g.Random(500) - 20;
    }
    f.Heading = g.Random(256);
  }

  switch (arg) {
    case static_cast<int>(HubEntry::Plain):
      HubState = 0;
      break;
    case static_cast<int>(HubEntry::AfterGame):
      HubState = 14;
      break;
    case static_cast<int>(HubEntry::NewGame):
      g.SpeakerName = hub::CashierPhrases;
      PlayerSpeaking = 0;
      HubState = 3;
      SayCashier(8);
      break;
    case static_cast<int>(HubEntry::AfterDraw):
      HubState = 10;
      break;
    default:
      std::fprintf(stderr, "Kiosk entered with unknown entry code %d; treated as a plain return\n",
                   arg);
      HubState = 0;
      break;
  }

  // The lamp scene comes back without a transition: the kiosk shows at once. The exit box
  // stays as the scene before left it: the result announcement reads it.
  OpenScene(g, SceneId::Kiosk, g.InScene(SceneId::Lamp) ? Opening::AtOnce : Opening::Transition);
}

// --- Frame routine.

void HubScene::Frame() {
  // Esc and Enter cut short whatever is being said.
  EscDown = g.layer.KeyPressed(key::Esc) ? 1 : 0;
  EnterDown = g.layer.KeyPressed(key::Enter) ? 1 : 0;
  if (EscDown || EnterDown) StopSpeech(g);

  HostSpeaking = IsSpeaking(g) ? 1 : 0;

  // No money and no tickets: the cashier ends the game.
  if (HubState == 0 && g.Money == 0 && g.Tickets == 0) {
    SayCashier(44);
    // The last words are the cashier's, even if the player spoke just before.
    PlayerSpeaking = 0;
    HostSpeaking = 1;
    HubState = 17;
  }

  if (HubState == 0) IdleStep();

  ConversationStep();
  DrawAnswerButtons();
  AnnouncementStep();

  // The announcements play clips, not phrases; the cashier's mouth moves all the same.
  if (HubState >= 11 && HubState <= 15) HostSpeaking = 1;

  if (HubState == 17 && HostSpeaking == 0) {
    g.SelectedItem = hub::GameOver;
    HubState = 9;
  }

  DrawKioskFirstGroup();
  DrawHost();
  DrawKioskSecondGroup();
  ChoiceSign();
  DrawFlies();

  // Speech bubbles: the cashier's, or the player's with his mouth.
  if (HostSpeaking == 1 && PlayerSpeaking == 0) DrawSpeechBubble(g, 330, 50, 0);
  if (HostSpeaking == 1 && PlayerSpeaking == 1) {
    g.layer.Draw(1, "PlRot01", MouthFrame, 10, 410);
    DrawSpeechBubble(g, 80, 230, 0);
  }

  // Right presses count only in the idle kiosk: the cashier talks.
  if (HubState != 0 && g.ClickState == 3) g.ClickState = 0;
  if (g.ClickState == 3) {
    SayCashier(95);
    PlayerSpeaking = 0;
    HubState = 3;
    g.SelectedItem = 14;
    g.ClickState = 0;
  }
  // The press animation of the hand: patterns 1, 2, 2, 1, 0 on the frames after a press.
  if (g.ClickState == 1) {
    if (g.HandFrame < 2)
      ++g.HandFrame;
    else
      g.ClickState = 2;
  } else if (g.ClickState == 2) {
    if (g.HandFrame > 0)
      --g.HandFrame;
    else
      g.ClickState = 0;
  }

  g.layer.Draw(1, "Ruka01", g.HandFrame, g.MouseX, g.MouseY);

  AcceptanceStep();
  LeaveStep();
}

void HubScene::IdleStep() {
  g.SelectedItem = static_cast<uint8_t>(FilterItem(PointerCode()));
  const int item = g.SelectedItem;
  if (g.ClickState == 1 && g.HandFrame == 1 && item >= 1 && item <= 50) {
    if (item == hub::Book) {  // the choice sign comes down first
      HubState = 1;
      TabletState = 1;
    } else {
      HubState = 2;
      TabletState = 0;
    }
  }
}

void HubScene::LeaveStep() {
  if (g.FadeMode != 1 || g.FadeProgress < 400) return;
  StopSceneSound(g, "Muha01");
  StopSceneSound(g, "Muha02");
  int arg = 0;
  const int scene = TargetScene(g.SelectedItem, TabletChoice, &arg);
  if (scene >= 0 && g.GetScene(scene)) {
    g.LoadScene(scene, arg);
    return;
  }
  // Nothing to open: uncover the kiosk again rather than wait behind a black screen.
  HubState = 0;
  g.FadeMode = 2;
  g.FadeProgress = 400;
}

void HubScene::SayCashier(int phrase) {
  SayPhrase(g, hub::CashierPhrases, phrase, 0, hub::CashierRate);
}

void HubScene::SayPlayer(int phrase) {
  SayPhrase(g, hub::PlayerPhrases, phrase, 1, hub::PlayerRate);
}

// --- Runner and content checks.

void HubScene::DescribeState(JsonWriter& j) const {
  j.Fields("HubEntry", Entry, "HubState", HubState, "EscDown", EscDown, "EnterDown", EnterDown,
           "HostSpeaking", HostSpeaking, "PlayerSpeaking", PlayerSpeaking, "Answer", Answer,
           "ButtonAlpha", ButtonAlpha, "ButtonCaptionLeft", Utf8FromCp1251(ButtonCaptionLeft),
           "ButtonCaptionRight", Utf8FromCp1251(ButtonCaptionRight), "PhraseVariant", PhraseVariant,
           "TabletState", TabletState, "TabletChoice", TabletChoice, "TabletDrop", TabletDrop,
           "TicketIndex", TicketIndex, "TicketsToCheck", TicketsToCheck, "Matches", Matches,
           "Prize", Prize, "ResultKind", ResultKind, "AnnounceStep", AnnounceStep, "LampFlicker",
           LampFlicker, "LampFrame", LampFrame, "SnakeFrame", SnakeFrame, "TongueFrame",
           TongueFrame, "MouthFrame", MouthFrame, "EyelidFrame", EyelidFrame, "GazeMode", GazeMode,
           "GazeX", static_cast<int64_t>(GazeX), "GazeY", static_cast<int64_t>(GazeY), "HostAction",
           HostAction());
  j.BeginArray("Fish");
  for (const FishRecord& f : Fish) {
    j.BeginObject();
    j.Fields("Depth", f.Depth, "Angle", f.Angle, "Facing", f.Facing, "Mode", f.Mode, "X",
             static_cast<int64_t>(f.X), "Y", static_cast<int64_t>(f.Y));
    j.EndObject();
  }
  j.EndArray();
  j.BeginArray("Fly");
  for (const FlyRecord& f : Fly) {
    j.BeginObject();
    j.Fields("Mode", f.Mode, "TargetIndex", f.TargetIndex, "TargetX", f.TargetX, "TargetY",
             f.TargetY, "X", static_cast<int64_t>(f.X), "Y", static_cast<int64_t>(f.Y), "Heading",
             f.Heading, "Speed", f.Speed);
    j.EndObject();
  }
  j.EndArray();
}

void HubScene::DeclareAssets(AssetNeeds& needs) const {
  DeclareSceneEntries(needs, kEntries);
  needs.Entries.emplace_back(hub::KioskImagesEntry);
  for (std::string_view table : {hub::CashierPhrases, hub::PlayerPhrases})
    needs.Entries.push_back("t_" + std::string(table) + "01");
  // The cashier's spoken phrases and the player's replies.
  for (int n :
       {1,  2,  3,  4,  5,  6,  7,  8,  11, 13, 14, 15, 16, 17, 18, 19, 20, 22, 24, 25, 26, 30,
        34, 36, 38, 42, 43, 44, 46, 51, 54, 62, 67, 75, 80, 81, 88, 89, 90, 92, 93, 94, 95}) {
    char name[16];
    std::snprintf(name, sizeof name, "kib%03d", n);
    needs.Entries.push_back(name);
  }
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16}) {
    char name[16];
    std::snprintf(name, sizeof name, "ply%03d", n);
    needs.Entries.push_back(name);
  }
  // The announcer's clips.
  for (int n = 1; n <= 9; ++n) needs.Entries.push_back("rsm00" + std::to_string(n));
  for (int n = 1; n <= 20; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "rcf%03d", n);
    needs.Entries.push_back(name);
  }
  for (int n = 30; n <= 90; n += 10) needs.Entries.push_back("rcf0" + std::to_string(n));
  for (const char* e : {"rcf100", "rcf999", "rdl001", "rdl002", "rdl003"})
    needs.Entries.push_back(e);

  auto image = [&needs](std::string_view entry, const char* name, int patterns) {
    needs.Images.push_back({std::string(entry), name, patterns});
  };
  const std::string_view kib = hub::CashierImagesEntry, ksk = hub::KioskImagesEntry;
  // The cashier.
  image(kib, "Kib01", 5);   // mouth
  image(kib, "Kib02", 4);   // tapping hand
  image(kib, "Kib03", 1);   // head and body
  image(kib, "Kib04", 3);   // eyelids
  image(kib, "Kib05", 1);   // right arm at rest
  image(kib, "Kib06", 1);   // left arm at rest
  image(kib, "Kib07", 13);  // left arm gestures
  image(kib, "Kib08", 13);  // right arm gestures
  image(kib, "Kib09", 1);   // pupil
  image(kib, "Kib10", 6);   // the glow at the lips, left and right hand
  // The kiosk.
  for (const char* n :
       {"Door01",  "DTir01",  "Plakat01", "Book01", "Perch01", "Gun02",   "Molot01", "Televizor01",
        "Bug01",   "Hleb01",  "Govno01",  "Kard01", "Aqua01",  "Bilet02", "Daz01",   "Batar01",
        "Batar02", "Batar03", "Boatle01", "Ksk01",  "Ksk03",   "Ksk04",   "Ksk05"}) {
    image(ksk, n, 1);
  }
  image(ksk, "Lamp01", 5);
  image(ksk, "Snake01", 4);
  image(ksk, "Snake02", 2);
  image(ksk, "Riba01", 3);
  image(ksk, "Bilet01", 5);
  image(ksk, "Ksk02", 37);
  image(ksk, "Muha01", 4);
  // Shared pictures of image list 1.
  image("s_all01", "Bax01", 1);
  image("s_all01", "Button01", 2);
  image("s_all01", "PlRot01", 5);
  image("s_all01", "Ruka01", 3);

  for (const char* w : {"Lamp01", "Lamp02", "Tabl01", "Tabl02", "Muha01", "Muha02"}) {
    needs.Waves.push_back({"w_ksk01", w});
  }
  needs.Waves.push_back({"w_all01", "Boom03"});
}

}  // namespace vepa
