#include "engine/platform/ScriptedPlatform.h"

#include <SDL.h>

#include <cstdlib>

namespace {
// Where the virtual window's client area sits on the virtual screen.
constexpr PlatformPoint kClientOrigin{100, 50};
}  // namespace

ScriptedPlatform::ScriptedPlatform(uint32_t startTime) : now(startTime) {
    // No display is needed: Mesa renders into an offscreen surface.
    if (!std::getenv("SDL_VIDEODRIVER")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
}

bool ScriptedPlatform::CreateGameWindow(int width, int height, const std::string& caption) {
    if (failWindowCreation) return false;
    if (!SdlPlatform::CreateGameWindow(width, height, caption)) return false;
    cursor = ClientToScreen({width / 2, height / 2});
    return true;
}

bool ScriptedPlatform::PumpMessages() {
    // Drain the offscreen window's own events; none of them is input here.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    ++pass;
    if (pass > passLimit) {
        CloseWindow();
        return false;
    }
    input = script ? script(pass) : PassInput{};
    cursor.x += input.mouseDx;
    cursor.y += input.mouseDy;
    for (PlatformCommand command : input.commands) AddCommand(command);
    if (passStartHook) passStartHook(pass);
    if (passHook) passHook(pass);
    return true;
}

void ScriptedPlatform::SwapBuffers() {
    if (presentHook) presentHook(pass);
    ++swaps;
    SdlPlatform::SwapBuffers();
}

bool ScriptedPlatform::IsKeyDown(int virtualKey) const {
    return input.held.count(virtualKey) != 0;
}

PlatformPoint ScriptedPlatform::ClientToScreen(PlatformPoint client) const {
    return {client.x + kClientOrigin.x, client.y + kClientOrigin.y};
}

uint64_t ScriptedPlatform::GetWorkClockMicros() const {
    if (realWorkClock) return SdlPlatform::GetWorkClockMicros();
    return uint64_t{now} * 1000u;
}

void ScriptedPlatform::Sleep(uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
    now += milliseconds;
}

void ScriptedPlatform::ShowMessageBox(const std::string& caption, const std::string& text,
                                      bool error, bool withOwner) {
    messages.push_back({caption, text, error, withOwner});
}
