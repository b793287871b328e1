// Drawing helpers shared by the kiosk's pictures.
#include "content/hub/hub_art.h"

#include "content/lib/fonts.h"

namespace hubart {

void SignText(cairo_t* cr, const char* utf8, double cx, double cy, double size, const Color& fill,
              double squeeze, const Color& line, double lineWidth) {
  art::TextStyle s{.Face = art::Font::CondensedBold,
                   .Size = size,
                   .Fill = fill,
                   .Line = line,
                   .LineWidth = lineWidth,
                   .ScaleX = squeeze};
  art::TextCentered(cr, utf8, cx, cy, s);
}

}  // namespace hubart
