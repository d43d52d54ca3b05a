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
    // What a pass was recorded to take and did not is a game that went another way.
    if (const PassLog* pass = Current()) {
        if (menuIndex < pass->menuReads.size() || commandIndex < pass->commandReads.size() ||
            captureIndex < pass->captureReads.size())
            diverged = true;
    }
    const bool result = ScriptedPlatform::PumpMessages();
    // Anything the scripted platform made of its (empty) input is not the recording's.
    ScriptedPlatform::TakeCommands();
    ScriptedPlatform::TakeMenuKeys();
    ScriptedPlatform::TakeCaptured();
    cursorIndex = 0;
    timeIndex = 0;
    menuIndex = 0;
    commandIndex = 0;
    captureIndex = 0;
    return result;
}

bool ReplayPlatform::IsKeyDown(int virtualKey) const {
    const PassLog* pass = Current();
    return pass && pass->held.count(virtualKey) != 0;
}

bool ReplayPlatform::IsRawKeyDown(int virtualKey) const {
    const PassLog* pass = Current();
    return pass && pass->rawHeld.count(virtualKey) != 0;
}

std::vector<PlatformCommand> ReplayPlatform::TakeCommands() {
    const PassLog* pass = Current();
    if (pass && commandIndex < pass->commandReads.size()) return pass->commandReads[commandIndex++];
    return {};
}

std::vector<MenuKey> ReplayPlatform::TakeMenuKeys() {
    const PassLog* pass = Current();
    if (pass && menuIndex < pass->menuReads.size()) return pass->menuReads[menuIndex++];
    return {};
}

std::optional<PhysicalInput> ReplayPlatform::TakeCaptured() {
    const PassLog* pass = Current();
    if (pass && captureIndex < pass->captureReads.size()) return pass->captureReads[captureIndex++];
    return std::nullopt;
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
