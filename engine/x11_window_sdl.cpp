#include "engine/x11_window_sdl.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(VEPA_HAVE_X11)
#include <X11/Xlib.h>
#endif

namespace vepa {

#if defined(VEPA_HAVE_X11)

namespace {
bool X11Of(SDL_Window* window, Display*& display, Window& xwindow) {
  if (window == nullptr) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
    return false;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  return display != nullptr;
}
}  // namespace

bool RealX11WindowSize(SDL_Window* window, int& w, int& h) {
  Display* d = nullptr;
  Window xw = 0;
  if (!X11Of(window, d, xw)) return false;
  XWindowAttributes a;
  if (XGetWindowAttributes(d, xw, &a) == 0 || a.width <= 0 || a.height <= 0) return false;
  w = a.width;
  h = a.height;
  return true;
}

bool MoveResizeX11Window(SDL_Window* window, int x, int y, int w, int h) {
  Display* d = nullptr;
  Window xw = 0;
  if (!X11Of(window, d, xw) || w <= 0 || h <= 0) return false;
  XMoveResizeWindow(d, xw, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
  XRaiseWindow(d, xw);
  XSync(d, False);
  return true;
}

#else

bool RealX11WindowSize(SDL_Window*, int&, int&) { return false; }
bool MoveResizeX11Window(SDL_Window*, int, int, int, int) { return false; }

#endif

}  // namespace vepa
