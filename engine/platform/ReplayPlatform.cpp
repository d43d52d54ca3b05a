#include "engine/platform/ReplayPlatform.h"

ReplayPlatform::ReplayPlatform(InputLog recorded) : log(std::move(recorded)) {
    SetPassLimit(GetRecordedPasses());
    SetScript([this](uint64_t pass) {
        PassInput input;
        if (pass < log.passes.size()) {
            input.held = log.passes[pass].held;
            input.focused = !log.passes[pass].inactive;
        }
        return input;
    });
}

const PassLog* ReplayPlatform::Current() const {
    const uint64_t pass = GetPass();
    return pass < log.passes.size() ? &log.passes[pass] : nullptr;
}

bool ReplayPlatform::PumpMessages() {
    const bool result = ScriptedPlatform::PumpMessages();
    cursorIndex = 0;
    timeIndex = 0;
    return result;
}

PlatformPoint ReplayPlatform::GetCursorPos() const {
    const PassLog* pass = Current();
    if (pass && cursorIndex < pass->cursorReads.size()) {
        const PlatformPoint client = pass->cursorReads[cursorIndex++];
        const PlatformPoint origin = ClientToScreen({0, 0});
        return {client.x + origin.x, client.y + origin.y};
    }
    diverged = true;
    return ScriptedPlatform::GetCursorPos();
}

uint32_t ReplayPlatform::GetTime() const {
    const PassLog* pass = Current();
    if (pass && timeIndex < pass->timeReads.size()) return pass->timeReads[timeIndex++];
    diverged = true;
    return ScriptedPlatform::GetTime();
}
