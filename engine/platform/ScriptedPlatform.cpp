#include "engine/platform/ScriptedPlatform.h"

#include <SDL.h>

#include <cstdlib>

namespace {
// Where the virtual window's client area sits on the virtual screen.
constexpr PlatformPoint kClientOrigin{100, 50};

// The event a real window system sends for the action.
SDL_Event WindowEventFor(WindowAction action) {
    SDL_Event event{};
    switch (action) {
        case WindowAction::PressEscape:
            event.type = SDL_KEYDOWN;
            event.key.state = SDL_PRESSED;
            event.key.keysym.sym = SDLK_ESCAPE;
            event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
            break;
        case WindowAction::CloseButton:
            event.type = SDL_WINDOWEVENT;
            event.window.event = SDL_WINDOWEVENT_CLOSE;
            break;
        case WindowAction::Quit:
            event.type = SDL_QUIT;
            break;
    }
    return event;
}

SDL_Event KeyDownEvent(int scancode) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
    return event;
}

SDL_Event ButtonDownEvent(int button) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.state = SDL_PRESSED;
    event.button.button = static_cast<Uint8>(button);
    event.button.clicks = 1;
    return event;
}
}  // namespace

ScriptedPlatform::ScriptedPlatform(uint32_t startTime) : now(startTime) {
    // No display is needed: Mesa renders into an offscreen surface.
    if (!std::getenv("SDL_VIDEODRIVER")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    SetControllersWithWindow(false);
    // SDL drops controller input while no window of the program has the keyboard focus,
    // and the offscreen window never gets it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
}

bool ScriptedPlatform::CreateGameWindow(int width, int height, const std::string& caption) {
    if (failWindowCreation) return false;
    const int w = windowSize.x > 0 ? windowSize.x : width;
    const int h = windowSize.y > 0 ? windowSize.y : height;
    if (!SdlPlatform::CreateGameWindow(w, h, caption)) return false;
    openedSize = {w, h};
    cursor = ClientToScreen({width / 2, height / 2});
    return true;
}

bool ScriptedPlatform::PumpMessages() {
    ++pass;
    if (pass > passLimit) {
        CloseWindow();
        return false;
    }
    input = script ? script(pass) : PassInput{};
    keysHeld = input.keys;
    buttonsHeld = input.mouseButtons;
    for (int virtualKey : input.held) {
        for (const PhysicalInput& named : InputBindings::DefaultInputsOfVirtualKey(virtualKey)) {
            if (named.device == PhysicalInput::Device::Key) keysHeld.insert(named.code);
            if (named.device == PhysicalInput::Device::Mouse) buttonsHeld.insert(named.code);
        }
    }
    if (input.pointer) cursor = ClientToScreen(*input.pointer);
    // Controllers only once a script plugs one in: runs without them never start SDL's
    // controller support.
    if (!input.pads.empty() && !pads) {
        pads = std::make_unique<VirtualPads>();
        GetGamepads().Start(true);
    }
    if (pads) pads->Apply(input.pads);
    // The offscreen window's own events are no input here; controller events are.
    SDL_Event event;
    while (SDL_PollEvent(&event)) GetGamepads().HandleEvent(&event);
    for (int key : input.keyPresses) {
        const SDL_Event event = KeyDownEvent(key);
        HandleEvent(&event);
    }
    for (int button : input.buttonPresses) {
        const SDL_Event event = ButtonDownEvent(button);
        HandleEvent(&event);
    }
    GetGamepads().Poll();
    HandlePadInput();
    const PlatformPoint look = GetGamepads().TakeLook();
    const PlatformPoint mouse = ScaleMouseMotion(input.mouseDx, input.mouseDy);
    cursor.x += mouse.x + look.x;
    cursor.y += mouse.y + look.y;
    for (PlatformCommand command : input.commands) AddCommand(command);
    bool quit = false;
    for (WindowAction action : input.window) {
        const SDL_Event event = WindowEventFor(action);
        quit = !HandleEvent(&event) || quit;
    }
    if (passStartHook) passStartHook(pass);
    if (passHook) passHook(pass);
    return !quit;
}

bool ScriptedPlatform::SetVsync(bool on) {
    vsyncRequests.push_back(on);
    return SdlPlatform::SetVsync(on);
}

void ScriptedPlatform::SwapBuffers() {
    if (presentHook) presentHook(pass);
    ++swaps;
    SdlPlatform::SwapBuffers();
}

bool ScriptedPlatform::IsRawKeyDown(int virtualKey) const {
    // Codes that name no key of ours answer as the script holds them.
    if (InputBindings::DefaultInputsOfVirtualKey(virtualKey).empty())
        return input.held.count(virtualKey) != 0;
    return SdlPlatform::IsRawKeyDown(virtualKey);
}

std::optional<PlatformPoint> ScriptedPlatform::QueryWindowSystemSize() const {
    if (fullscreenRefused) return openedSize;
    return SdlPlatform::QueryWindowSystemSize();
}

bool ScriptedPlatform::IsPhysicalHeld(const PhysicalInput& physical) const {
    switch (physical.device) {
        case PhysicalInput::Device::Key:
            return keysHeld.count(physical.code) != 0;
        case PhysicalInput::Device::Mouse:
            return buttonsHeld.count(physical.code) != 0;
        case PhysicalInput::Device::Pad:
            return GetGamepads().IsHeld(physical.code);
        case PhysicalInput::Device::None:
            break;
    }
    return false;
}

PlatformPoint ScriptedPlatform::ClientToScreen(PlatformPoint client) const {
    return {client.x + kClientOrigin.x, client.y + kClientOrigin.y};
}

uint64_t ScriptedPlatform::GetWorkClockMicros() const {
    if (realWorkClock) return SdlPlatform::GetWorkClockMicros();
    return uint64_t{now} * 1000u;
}

uint32_t ScriptedPlatform::GetTime() const {
    return realClock ? SdlPlatform::GetTime() : now;
}

void ScriptedPlatform::Sleep(uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
    if (realClock) {
        SdlPlatform::Sleep(milliseconds);
    } else {
        now += milliseconds;
    }
}

void ScriptedPlatform::ShowMessageBox(const std::string& caption, const std::string& text,
                                      bool error, bool withOwner) {
    messages.push_back({caption, text, error, withOwner});
}
