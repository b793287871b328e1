#include "engine/status_bar.h"

#include "engine/services.h"
#include "engine/text.h"

namespace vepa {

namespace {

// Battery bar pixels per tick of charge: 32400 ticks give 22 pixels (23 would need 32401).
constexpr double kBatteryBarScale = 0.000709876;
constexpr int kTextSize = 20;

}  // namespace

void StatusBar::Draw(GameServices& g, int list) {
  g.layer.Draw(1, "Bax01", 0, 515, 418);
  if (moneyShown_ != g.Money) {
    moneyShown_ = g.Money;
    moneyText_ = std::to_string(g.Money);
  }
  DrawTextCentered(g, 563, 433, kTextSize, moneyText_, 0, kTextSize);
  g.layer.Draw(list, "Bilet02", 0, 25, 420);
  DrawTextCentered(g, 63, 435, kTextSize, std::to_string(g.Tickets), 0, kTextSize);
  if (g.BatteryCharge > 0) {
    g.layer.Draw(list, "Batar02", 0, 100, 417);
    const int h = static_cast<int>(g.BatteryCharge * kBatteryBarScale);
    // Drawn blended at full strength, which is the same as an opaque stretch.
    g.layer.DrawPatternAlpha(g.layer.FindImage(list, "Batar03"), 0, Rect{122, 458 - h, 124, 459},
                             1000);
  }
}

}  // namespace vepa
