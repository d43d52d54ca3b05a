#include "engine/platform/RecordingPlatform.h"

RecordingPlatform::RecordingPlatform(std::unique_ptr<Platform> inner) : inner(std::move(inner)) {
    log.passes.emplace_back();  // reads before the first pass
}

bool RecordingPlatform::PumpMessages() {
    TrimCalls(log.passes.back());
    const bool result = inner->PumpMessages();
    PassLog pass;
    pass.inactive = !inner->IsActive();
    for (int key : RecordedKeys()) {
        if (inner->IsKeyDown(key)) pass.held.insert(key);
        if (inner->IsRawKeyDown(key)) pass.rawHeld.insert(key);
    }
    log.passes.push_back(std::move(pass));
    return result;
}

void RecordingPlatform::TrimCalls(PassLog& pass) {
    while (!pass.menuReads.empty() && pass.menuReads.back().empty()) pass.menuReads.pop_back();
    while (!pass.commandReads.empty() && pass.commandReads.back().empty())
        pass.commandReads.pop_back();
    while (!pass.captureReads.empty() && !pass.captureReads.back()) pass.captureReads.pop_back();
}

bool RecordingPlatform::IsRawKeyDown(int virtualKey) const {
    return log.passes.back().rawHeld.count(virtualKey) != 0;
}

std::vector<PlatformCommand> RecordingPlatform::TakeCommands() {
    std::vector<PlatformCommand> commands = inner->TakeCommands();
    std::vector<PlatformCommand> kept;
    for (PlatformCommand command : commands)
        if (IsRecordedCommand(command)) kept.push_back(command);
    log.passes.back().commandReads.push_back(std::move(kept));
    return commands;
}

std::vector<MenuKey> RecordingPlatform::TakeMenuKeys() {
    std::vector<MenuKey> keys = inner->TakeMenuKeys();
    log.passes.back().menuReads.push_back(keys);
    return keys;
}

std::optional<PhysicalInput> RecordingPlatform::TakeCaptured() {
    const std::optional<PhysicalInput> captured = inner->TakeCaptured();
    log.passes.back().captureReads.push_back(captured);
    return captured;
}

bool RecordingPlatform::IsKeyDown(int virtualKey) const {
    return log.passes.back().held.count(virtualKey) != 0;
}

PlatformPoint RecordingPlatform::GetCursorPos() const {
    const PlatformPoint p = inner->GetCursorPos();
    // Kept relative to the client area: the replay's window sits somewhere else.
    const PlatformPoint origin = inner->ClientToScreen({0, 0});
    log.passes.back().cursorReads.push_back({p.x - origin.x, p.y - origin.y});
    return p;
}

uint32_t RecordingPlatform::GetTime() const {
    const uint32_t t = inner->GetTime();
    log.passes.back().timeReads.push_back(t);
    return t;
}

bool RecordingPlatform::IsActive() const {
    return !log.passes.back().inactive;
}
