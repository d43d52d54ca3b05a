#pragma once

#include <vector>

#include "app/SettingsStore.h"
#include "engine/platform/Platform.h"

// The window mode the player chose, windowed or desktop fullscreen: the run starts in the
// mode of its settings, F11 and Alt+Enter toggle it, and each toggle is remembered in the
// settings file for the next run. The game's picture is the same in both modes.
class DisplayMode {
public:
    explicit DisplayMode(SettingsStore& settings) : settings(settings) {}

    // Before the window exists, so that it opens in the chosen mode at once.
    void Prepare();
    // Acts on the pass's ToggleFullscreen commands; other commands are not its concern.
    void Handle(const std::vector<PlatformCommand>& commands);
    // Switches to fullscreen or a window and remembers it. A switch the window system did
    // not carry out is not remembered (false): the file keeps describing what the player
    // has.
    bool Set(bool fullscreen);

private:
    SettingsStore& settings;
};
