#include "engine/platform/Gamepads.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

Gamepads::~Gamepads() {
    CloseAll();
}

bool Gamepads::Start(bool onlyVirtual) {
    virtualOnly = onlyVirtual;
    if (started) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    started = true;
    // Devices present before the start are announced as added events; opening them here as
    // well makes them usable from the first pass, and Open ignores the repeat.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
    return true;
}

bool Gamepads::HandleEvent(const void* sdlEvent) {
    const SDL_Event& event = *static_cast<const SDL_Event*>(sdlEvent);
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (started) Open(event.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which);
            return true;
        case SDL_CONTROLLERAXISMOTION:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERDEVICEREMAPPED:
            return true;  // the state is read by Poll
        default:
            return false;
    }
}

void Gamepads::Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    if (virtualOnly && !SDL_JoystickIsVirtual(deviceIndex)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (SDL_GameController* c : controllers) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) == id) return;
    }
    if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex))
        controllers.push_back(controller);
}

void Gamepads::Close(int instanceId) {
    for (auto it = controllers.begin(); it != controllers.end(); ++it) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == instanceId) {
            SDL_GameControllerClose(*it);
            controllers.erase(it);
            return;
        }
    }
}

void Gamepads::CloseAll() {
    for (SDL_GameController* c : controllers) SDL_GameControllerClose(c);
    controllers.clear();
    held.clear();
}

void Gamepads::Poll() {
    const std::set<int> heldBefore = std::move(held);
    held.clear();
    pressed.clear();
    if (!started) return;
    SDL_GameControllerUpdate();
    const PadLook before = look;
    for (SDL_GameController* c : controllers) {
        if (!SDL_GameControllerGetAttached(c)) continue;
        PadState pad;
        for (int a = 0; a < static_cast<int>(PadAxis::Count); ++a)
            pad.SetAxis(static_cast<PadAxis>(a),
                        SDL_GameControllerGetAxis(c, static_cast<SDL_GameControllerAxis>(a)));
        for (int b = 0; b < static_cast<int>(PadButton::Count); ++b) {
            if (SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b)))
                pad.Press(static_cast<PadButton>(b));
        }
        AddPadInputs(pad, held);
        const PadLook motion = PadLookMotion(pad);
        // At 100 % the factor is exactly one: the motion is the game's own to the bit.
        const float scale = static_cast<float>(lookPercent) / 100.0f;
        look.dx += motion.dx * scale;
        look.dy += (lookInverted ? -motion.dy : motion.dy) * scale;
    }
    for (int input : held)
        if (!heldBefore.count(input)) pressed.push_back(input);
    // Sticks at rest: a left-over fraction must not turn the camera a pixel later.
    if (look.dx == before.dx && look.dy == before.dy) look = {};
}

PlatformPoint Gamepads::TakeLook() {
    // Whole pixels towards zero; the rest waits for the next pass.
    const PlatformPoint whole{static_cast<int>(std::trunc(look.dx)),
                              static_cast<int>(std::trunc(look.dy))};
    look.dx -= static_cast<float>(whole.x);
    look.dy -= static_cast<float>(whole.y);
    return whole;
}
