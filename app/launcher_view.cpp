// Drawing of the launcher dialog from the pictures compiled into the executable.
#include "app/launcher.h"
#include "app/launcher_pictures.h"
#include "engine/render.h"

namespace vepa {

namespace {
enum { kImage2, kImage6, kImage7, kImage11, kImage1 };
}  // namespace

void Launcher::Render(Surface& out) const {
  if (out.width != ClientWidth || out.height != ClientHeight) out.Resize(ClientWidth, ClientHeight);
  FillSurface(out, Rgb565(212, 208, 200));
  for (int i = 0; i < 5; ++i) {
    if (!visible_[i]) continue;
    const LauncherPicture& p = kLauncherPictures[i];
    Surface pic(p.Width, p.Height);
    for (size_t k = 0; k < pic.pixels.size(); ++k) pic.pixels[k] = p.Pixels[k];
    if (i == kImage2) {
      // The background is stretched over the whole client area.
      Image img;
      img.Width = img.PatternWidth = p.Width;
      img.Height = img.PatternHeight = p.Height;
      img.Transparent = false;
      img.Pixels = pic.pixels;
      StretchPattern(out, &img, 0, Rect{0, 0, ClientWidth, ClientHeight});
    } else {
      BlitSurface(out, p.Left, p.Top, pic, Rect{0, 0, p.Width, p.Height}, p.Transparent,
                  p.TransparentColor);
    }
  }
}

bool Launcher::ExitButtonAt(int x, int y) const {
  if (!visible_[kImage1]) return false;
  const LauncherPicture& p = kLauncherPictures[kImage1];
  return x >= p.Left && x < p.Left + p.Width && y >= p.Top && y < p.Top + p.Height;
}

}  // namespace vepa
