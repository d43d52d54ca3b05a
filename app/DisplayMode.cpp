#include "app/DisplayMode.h"

void DisplayMode::Prepare() {
    GetPlatform().SetFullscreen(settings.Get().fullscreen);
}

void DisplayMode::Handle(const std::vector<PlatformCommand>& commands) {
    Platform& platform = GetPlatform();
    for (PlatformCommand command : commands) {
        if (command != PlatformCommand::ToggleFullscreen) continue;
        const bool fullscreen = !platform.IsFullscreen();
        // A refused switch is not remembered: the file keeps describing what the player had.
        if (!platform.SetFullscreen(fullscreen)) continue;
        settings.Change([fullscreen](Settings& s) { s.fullscreen = fullscreen; });
    }
}
