// The few things the SDL display asks of the X server directly. Xlib's macros (None, Bool,
// Status ...) stay in their own source file. Without X (another video driver, or a build
// without Xlib) both calls do nothing and say so.
#pragma once

struct SDL_Window;

namespace vepa {

// The window's size as the X server has it; false (and w, h untouched) when the window is not
// an X window.
bool RealX11WindowSize(SDL_Window* window, int& w, int& h);
// Moves and sizes the X window directly, as a window manager would; false when not an X window.
bool MoveResizeX11Window(SDL_Window* window, int x, int y, int w, int h);

}  // namespace vepa
