#pragma once

#include <optional>

#include "engine/platform/Platform.h"

struct SDL_Window;

// The window's size as the window system itself has it, where it can be asked (X11):
// SDL's own account can be the size it asked for rather than the one it got, as when a
// desktop without a window manager ignores a switch to fullscreen. Nullopt elsewhere.
// Kept apart from the rest of the SDL backend: the X11 headers define names (None, Status)
// that the platform's own types use.
std::optional<PlatformPoint> WindowSystemSize(SDL_Window* window);
