#pragma once

#include <set>
#include <vector>

#include "engine/platform/PadMapping.h"
#include "engine/platform/Platform.h"

struct _SDL_GameController;

// The game controllers connected to the machine, through SDL's game-controller API (which
// maps every known controller to one standard layout). Controllers come and go at any
// time: each is opened when SDL announces it and closed when it is unplugged, and what the
// connected ones hold is merged (two pads, or a pad and the keyboard, play together).
class Gamepads {
public:
    Gamepads() = default;
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Starts SDL's controller support (once); controllers already plugged in are then
    // announced as added. virtualOnly ignores real devices (headless runs must not depend on
    // what the machine has plugged in). False when SDL cannot start it.
    bool Start(bool virtualOnly);
    bool IsStarted() const { return started; }
    // Takes the controller events among SDL's (the argument is an SDL_Event); true when
    // the event was one.
    bool HandleEvent(const void* sdlEvent);
    // Reads every connected controller, once per pass after its events.
    void Poll();

    // Whether any connected controller holds the input (a PadButton or a padinput code).
    bool IsHeld(int padInput) const { return held.count(padInput) != 0; }
    // The inputs that went down in the last Poll, in code order.
    const std::vector<int>& GetPressed() const { return pressed; }
    // The right stick's camera motion of the last Poll in whole mouse pixels; fractions are
    // carried into the next pass.
    PlatformPoint TakeLook();
    // The right stick's turn in percent of the game's own, and whether up and down swap.
    void SetLook(int percent, bool invert) {
        lookPercent = percent;
        lookInverted = invert;
    }
    int GetConnectedCount() const { return static_cast<int>(controllers.size()); }

private:
    void Open(int deviceIndex);
    void Close(int instanceId);
    void CloseAll();

    bool started = false;
    bool virtualOnly = false;
    std::vector<_SDL_GameController*> controllers;
    std::set<int> held;
    std::vector<int> pressed;
    PadLook look;
    int lookPercent = 100;
    bool lookInverted = false;
};
