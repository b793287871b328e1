#include "content/lottery/lottery_art.h"

namespace lotteryart {

void Streak(cairo_t* cr, std::initializer_list<double> xy, double width, double alpha) {
  Polyline(cr, xy, false);
  art::Stroke(cr, art::pal::White.WithAlpha(alpha), width);
}

}  // namespace lotteryart
