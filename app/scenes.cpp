// The scene catalogue: one line a scene.
#include <array>

#include "app/scene.h"
#include "app/scene_catalogue.h"

namespace vepa {

std::unique_ptr<Scene> MakeHubScene(Game& g);                // hub/hub.cpp
std::unique_ptr<Scene> MakeDartsScene(Game& g);              // minigames/darts.cpp
std::unique_ptr<Scene> MakeAquariumScene(Game& g);           // minigames/aquarium.cpp
std::unique_ptr<Scene> MakeGalleryScene(Game& g);            // minigames/gallery.cpp
std::unique_ptr<Scene> MakeSnakeScene(Game& g);              // minigames/snake.cpp
std::unique_ptr<Scene> MakeBoxingScene(Game& g);             // minigames/boxing.cpp
std::unique_ptr<Scene> MakeLampScene(Game& g);               // minigames/lamp.cpp
std::unique_ptr<Scene> MakeRockPaperScissorsScene(Game& g);  // minigames/rock_paper_scissors.cpp
std::unique_ptr<Scene> MakeHammerScene(Game& g);             // minigames/hammer.cpp
std::unique_ptr<Scene> MakeTicketScene(Game& g);             // lottery/ticket.cpp
std::unique_ptr<Scene> MakeDrawScene(Game& g);               // lottery/draw.cpp
std::unique_ptr<Scene> MakeDazTableScene(Game& g);           // minigames/daz_table.cpp
std::unique_ptr<Scene> MakeDazFoodScene(Game& g);            // minigames/daz_food.cpp
std::unique_ptr<Scene> MakeRaceScene(Game& g);               // minigames/cockroach_race.cpp
std::unique_ptr<Scene> MakeMakerLogoScene(Game& g);          // screens/logos.cpp
std::unique_ptr<Scene> MakePublisherLogoScene(Game& g);      // screens/logos.cpp
std::unique_ptr<Scene> MakeAboutScene(Game& g);              // screens/about.cpp
std::unique_ptr<Scene> MakeJournalScene(Game& g);            // screens/journal.cpp
std::unique_ptr<Scene> MakeSettingsBookScene(Game& g);       // screens/settings_book.cpp
std::unique_ptr<Scene> MakeStartMenuScene(Game& g);          // screens/start_menu.cpp
std::unique_ptr<Scene> MakeClosingScene(Game& g);            // screens/start_menu.cpp
std::unique_ptr<Scene> MakeSelectionScene(Game& g);          // cards/selection.cpp
std::unique_ptr<Scene> MakeCardGameScene(Game& g);           // cards/card_game.cpp

namespace {

constexpr std::array kCatalogue{
    SceneInfo{SceneId::Kiosk, "kiosk", MakeHubScene, 2},  // from the start menu
    SceneInfo{SceneId::Darts, "darts", MakeDartsScene},
    SceneInfo{SceneId::Aquarium, "aquarium", MakeAquariumScene},
    SceneInfo{SceneId::Gallery, "gallery", MakeGalleryScene},
    SceneInfo{SceneId::Snake, "snake", MakeSnakeScene},
    SceneInfo{SceneId::Boxing, "boxing", MakeBoxingScene},
    SceneInfo{SceneId::Lamp, "lamp", MakeLampScene},
    SceneInfo{SceneId::RockPaperScissors, "rps", MakeRockPaperScissorsScene},
    SceneInfo{SceneId::Hammer, "hammer", MakeHammerScene},
    SceneInfo{SceneId::Ticket, "ticket", MakeTicketScene},
    SceneInfo{SceneId::Draw, "draw", MakeDrawScene},
    SceneInfo{SceneId::DazTable, "daz-table", MakeDazTableScene},
    SceneInfo{SceneId::DazFood, "daz-food", MakeDazFoodScene},
    SceneInfo{SceneId::CockroachRace, "race", MakeRaceScene},
    SceneInfo{SceneId::OpponentSelection, "selection", MakeSelectionScene, 1},
    SceneInfo{SceneId::CardGame, "cards", MakeCardGameScene, 2},  // three opponents
    SceneInfo{SceneId::MakerLogo, "maker-logo", MakeMakerLogoScene},
    SceneInfo{SceneId::PublisherLogo, "publisher-logo", MakePublisherLogoScene},
    SceneInfo{SceneId::About, "about", MakeAboutScene},
    SceneInfo{SceneId::Journal, "journal", MakeJournalScene},
    SceneInfo{SceneId::SettingsBook, "settings", MakeSettingsBookScene},
    SceneInfo{SceneId::StartMenu, "start-menu", MakeStartMenuScene},
    SceneInfo{SceneId::Closing, "closing", MakeClosingScene},
};

}  // namespace

std::span<const SceneInfo> SceneCatalogue() { return kCatalogue; }

const SceneInfo* FindScene(int number) {
  for (const SceneInfo& s : kCatalogue)
    if (s.Number() == number) return &s;
  return nullptr;
}

const SceneInfo* FindScene(std::string_view name) {
  for (const SceneInfo& s : kCatalogue)
    if (s.Name == name) return &s;
  return nullptr;
}

}  // namespace vepa
