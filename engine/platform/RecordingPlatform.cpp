#include "engine/platform/RecordingPlatform.h"

RecordingPlatform::RecordingPlatform(std::unique_ptr<Platform> inner) : inner(std::move(inner)) {
    log.passes.emplace_back();  // reads before the first pass
}

bool RecordingPlatform::PumpMessages() {
    const bool result = inner->PumpMessages();
    PassLog pass;
    pass.inactive = !inner->IsActive();
    for (int key : RecordedKeys()) {
        if (inner->IsKeyDown(key)) pass.held.insert(key);
    }
    log.passes.push_back(std::move(pass));
    return result;
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
