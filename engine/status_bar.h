// The player's status bar at the foot of the kiosk: the money plate with the dollars, the
// ticket plate with the tickets held and, while the battery has charge, the battery gauge with
// its level. The kiosk draws it, and so does the dark kiosk after the gallery's lamp was shot;
// each names the image list its plates and gauge come from.
#pragma once

#include <string>

namespace vepa {

struct GameServices;

class StatusBar {
 public:
  // Draws the bar. "Bax01" comes from the common list 1; "Bilet02", "Batar02" and "Batar03"
  // from `list`.
  void Draw(GameServices& g, int list);

 private:
  // The digits of the money are made again only when the money changes.
  std::string moneyText_;
  int moneyShown_ = -1;
};

}  // namespace vepa
