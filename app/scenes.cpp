// The scene table: which routine runs for each scene number.
#include "app/game.h"

namespace vepa {

std::unique_ptr<Scene> MakeHubScene(Game& g);           // 0, hub/hub.cpp
std::unique_ptr<Scene> MakeDartsScene(Game& g);         // 1, minigames/darts.cpp
std::unique_ptr<Scene> MakeTicketScene(Game& g);        // 23, lottery/ticket.cpp
std::unique_ptr<Scene> MakeDrawScene(Game& g);          // 24, lottery/draw.cpp
std::unique_ptr<Scene> MakeMakerLogoScene(Game& g);     // 60, screens/logos.cpp
std::unique_ptr<Scene> MakePublisherLogoScene(Game& g);  // 61, screens/logos.cpp
std::unique_ptr<Scene> MakeStartMenuScene(Game& g);     // 84, screens/start_menu.cpp
std::unique_ptr<Scene> MakeClosingScene(Game& g);       // 85, screens/start_menu.cpp

void RegisterScenes(Game& g, std::array<std::unique_ptr<Scene>, 256>& table) {
  table[0] = MakeHubScene(g);
  table[1] = MakeDartsScene(g);
  table[23] = MakeTicketScene(g);
  table[24] = MakeDrawScene(g);
  table[60] = MakeMakerLogoScene(g);
  table[61] = MakePublisherLogoScene(g);
  table[84] = MakeStartMenuScene(g);
  table[85] = MakeClosingScene(g);
}

}  // namespace vepa
