#pragma once

#include <cstddef>

#include "engine/platform/InputLog.h"
#include "engine/platform/ScriptedPlatform.h"

// Plays a recorded session back headless: each pass holds the recorded keys and answers
// cursor and clock queries with the recorded values, in order. When a pass asks more than
// was recorded (the code changed since), the scripted platform's own answers take over
// and IsDiverged() tells. The window closes after the last recorded pass.
class ReplayPlatform : public ScriptedPlatform {
public:
    explicit ReplayPlatform(InputLog log);

    bool IsDiverged() const { return diverged; }
    // The last recorded pump is the one that closed the window, so it is not replayed.
    uint64_t GetRecordedPasses() const {
        return log.passes.size() >= 2 ? log.passes.size() - 2 : 0;
    }

    bool PumpMessages() override;
    PlatformPoint GetCursorPos() const override;
    uint32_t GetTime() const override;

private:
    const PassLog* Current() const;

    InputLog log;
    mutable size_t cursorIndex = 0;
    mutable size_t timeIndex = 0;
    mutable bool diverged = false;
};
