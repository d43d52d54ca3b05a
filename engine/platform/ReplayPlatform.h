#pragma once

#include <cstddef>

#include "engine/platform/InputLog.h"
#include "engine/platform/ScriptedPlatform.h"

// Plays a recorded session back headless: each pass holds the recorded keys (as the game
// saw them through its bindings then, whatever it binds now) and answers cursor and clock
// queries, menu keys, the pause and options commands and captures with the recorded values,
// in order. When a pass asks more cursor or clock readings than were recorded, or fewer
// menu keys, commands or captures (the code changed since), the scripted platform's own
// answers take over and IsDiverged() tells. The window closes after the last recorded pass.
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
    bool IsKeyDown(int virtualKey) const override;
    bool IsRawKeyDown(int virtualKey) const override;
    std::vector<PlatformCommand> TakeCommands() override;
    std::vector<MenuKey> TakeMenuKeys() override;
    std::optional<PhysicalInput> TakeCaptured() override;

private:
    const PassLog* Current() const;

    InputLog log;
    mutable size_t cursorIndex = 0;
    mutable size_t timeIndex = 0;
    size_t menuIndex = 0;
    size_t commandIndex = 0;
    size_t captureIndex = 0;
    mutable bool diverged = false;
};
