// The scene catalogue: one line a scene.
#include <array>

#include "app/scene.h"
#include "app/scene_catalogue.h"

namespace vepa {

std::unique_ptr<Scene> MakeHubScene(Game& g);            // hub/hub.cpp
std::unique_ptr<Scene> MakeDartsScene(Game& g);          // minigames/darts.cpp
std::unique_ptr<Scene> MakeTicketScene(Game& g);         // lottery/ticket.cpp
std::unique_ptr<Scene> MakeDrawScene(Game& g);           // lottery/draw.cpp
std::unique_ptr<Scene> MakeMakerLogoScene(Game& g);      // screens/logos.cpp
std::unique_ptr<Scene> MakePublisherLogoScene(Game& g);  // screens/logos.cpp
std::unique_ptr<Scene> MakeStartMenuScene(Game& g);      // screens/start_menu.cpp
std::unique_ptr<Scene> MakeClosingScene(Game& g);        // screens/start_menu.cpp
std::unique_ptr<Scene> MakeSelectionScene(Game& g);      // cards/selection.cpp
std::unique_ptr<Scene> MakeCardGameScene(Game& g);       // cards/card_game.cpp

namespace {

constexpr std::array kCatalogue{
    SceneInfo{SceneId::Kiosk, "kiosk", MakeHubScene, 2},  // from the start menu
    SceneInfo{SceneId::Darts, "darts", MakeDartsScene},
    SceneInfo{SceneId::Aquarium, "aquarium", nullptr},
    SceneInfo{SceneId::Gallery, "gallery", nullptr},
    SceneInfo{SceneId::Snake, "snake", nullptr},
    SceneInfo{SceneId::Boxing, "boxing", nullptr},
    SceneInfo{SceneId::Lamp, "lamp", nullptr},
    SceneInfo{SceneId::RockPaperScissors, "rps", nullptr},
    SceneInfo{SceneId::Hammer, "hammer", nullptr},
    SceneInfo{SceneId::Ticket, "ticket", MakeTicketScene},
    SceneInfo{SceneId::Draw, "draw", MakeDrawScene},
    SceneInfo{SceneId::DazTable, "daz-table", nullptr},
    SceneInfo{SceneId::DazFood, "daz-food", nullptr},
    SceneInfo{SceneId::CockroachRace, "race", nullptr},
    SceneInfo{SceneId::OpponentSelection, "selection", MakeSelectionScene, 1},
    SceneInfo{SceneId::CardGame, "cards", MakeCardGameScene, 2},  // three opponents
    SceneInfo{SceneId::MakerLogo, "maker-logo", MakeMakerLogoScene},
    SceneInfo{SceneId::PublisherLogo, "publisher-logo", MakePublisherLogoScene},
    SceneInfo{SceneId::About, "about", nullptr},
    SceneInfo{SceneId::Journal, "journal", nullptr},
    SceneInfo{SceneId::SettingsBook, "settings", nullptr},
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
