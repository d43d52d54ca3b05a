#include "engine/platform/VirtualPads.h"

#include <SDL.h>

#include <algorithm>

VirtualPads::~VirtualPads() {
    for (const auto& [slot, joystick] : attached) Detach(joystick);
}

void VirtualPads::Detach(SDL_Joystick* joystick) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(joystick);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            return;
        }
    }
}

void VirtualPads::Apply(const std::map<int, PadState>& pads) {
    for (auto it = attached.begin(); it != attached.end();) {
        if (pads.count(it->first) == 0) {
            Detach(it->second);
            it = attached.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [slot, pad] : pads) {
        auto found = attached.find(slot);
        if (found == attached.end()) {
            if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
            SDL_VirtualJoystickDesc desc{};
            desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
            desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            desc.naxes = static_cast<Uint16>(PadAxis::Count);
            desc.nbuttons = static_cast<Uint16>(PadButton::Count);
            desc.name = "Scripted controller";
            const int index = SDL_JoystickAttachVirtualEx(&desc);
            SDL_Joystick* joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
            if (!joystick) continue;
            found = attached.emplace(slot, joystick).first;
        }
        SDL_Joystick* joystick = found->second;
        for (int a = 0; a < static_cast<int>(PadAxis::Count); ++a) {
            int value = pad.axes[a];
            // A trigger is a whole joystick axis underneath: released at its minimum.
            if (a >= static_cast<int>(PadAxis::LeftTrigger)) value = value * 2 - 32768;
            SDL_JoystickSetVirtualAxis(joystick, a,
                                       static_cast<Sint16>(std::clamp(value, -32768, 32767)));
        }
        for (int b = 0; b < static_cast<int>(PadButton::Count); ++b)
            SDL_JoystickSetVirtualButton(
                joystick, b, pad.Held(static_cast<PadButton>(b)) ? SDL_PRESSED : SDL_RELEASED);
    }
}
