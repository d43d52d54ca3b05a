#pragma once

#include <map>

#include "engine/platform/PadState.h"

struct _SDL_Joystick;

// Controllers that exist only in a script (tests, demos): each one is an SDL virtual
// joystick of the standard controller layout, so plugging, unplugging and reading it runs
// through exactly the path a real controller takes.
class VirtualPads {
public:
    VirtualPads() = default;
    ~VirtualPads();
    VirtualPads(const VirtualPads&) = delete;
    VirtualPads& operator=(const VirtualPads&) = delete;

    // Makes exactly the given pads connected, keyed by a slot number of the script's
    // choosing: a new slot plugs a pad in, a missing one unplugs it, and every connected
    // pad takes its state. SDL's events announce the changes at the next event pump.
    void Apply(const std::map<int, PadState>& pads);
    int GetCount() const { return static_cast<int>(attached.size()); }

private:
    static void Detach(_SDL_Joystick* joystick);

    std::map<int, _SDL_Joystick*> attached;
};
