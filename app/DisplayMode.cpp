#include "app/DisplayMode.h"

void DisplayMode::Prepare() {
    GetPlatform().SetFullscreen(settings.Get().fullscreen);
}

void DisplayMode::Handle(const std::vector<PlatformCommand>& commands) {
    for (PlatformCommand command : commands) {
        if (command == PlatformCommand::ToggleFullscreen) Set(!GetPlatform().IsFullscreen());
    }
}

bool DisplayMode::Set(bool fullscreen) {
    if (!GetPlatform().SetFullscreen(fullscreen)) return false;
    settings.Change([fullscreen](Settings& s) { s.fullscreen = fullscreen; });
    return true;
}
