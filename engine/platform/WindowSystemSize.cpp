#include "engine/platform/WindowSystemSize.h"

#include <SDL.h>
#include <SDL_syswm.h>

std::optional<PlatformPoint> WindowSystemSize(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11) && !defined(__EMSCRIPTEN__)
    if (!window) return std::nullopt;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return std::nullopt;
    // Xlib through SDL's loader, as SDL itself loads it: the game links no X library.
    using GetGeometry = int (*)(Display*, ::Window, ::Window*, int*, int*, unsigned*, unsigned*,
                                unsigned*, unsigned*);
    static const GetGeometry getGeometry = [] {
        void* x11 = SDL_LoadObject("libX11.so.6");
        return x11 ? reinterpret_cast<GetGeometry>(SDL_LoadFunction(x11, "XGetGeometry")) : nullptr;
    }();
    if (!getGeometry) return std::nullopt;
    ::Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!getGeometry(info.info.x11.display, info.info.x11.window, &root, &x, &y, &width, &height,
                     &border, &depth))
        return std::nullopt;
    return PlatformPoint{static_cast<int>(width), static_cast<int>(height)};
#else
    (void)window;
    return std::nullopt;
#endif
}
