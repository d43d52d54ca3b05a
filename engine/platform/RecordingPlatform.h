#pragma once

#include <memory>

#include "engine/platform/InputLog.h"
#include "engine/platform/Platform.h"

// Wraps another platform and writes down everything the game reads from it, pass by pass
// (keys held, window focus, cursor positions, clock readings, menu keys, the pause and
// options commands, captured inputs), so that ReplayPlatform can play the run back headless.
// Keys and focus are sampled once per pass, when the events are pumped, so that a pass sees
// one consistent state both live and in the replay.
class RecordingPlatform : public Platform {
public:
    explicit RecordingPlatform(std::unique_ptr<Platform> inner);

    const InputLog& GetLog() const { return log; }

    bool CreateGameWindow(int width, int height, const std::string& caption) override {
        return inner->CreateGameWindow(width, height, caption);
    }
    bool PumpMessages() override;
    bool IsWindowOpen() const override { return inner->IsWindowOpen(); }
    void DestroyGameWindow() override { inner->DestroyGameWindow(); }
    void SwapBuffers() override { inner->SwapBuffers(); }
    bool HasRenderContext() const override { return inner->HasRenderContext(); }
    PlatformPoint GetClientSize() const override { return inner->GetClientSize(); }
    bool SetFullscreen(bool fullscreen) override { return inner->SetFullscreen(fullscreen); }
    bool IsFullscreen() const override { return inner->IsFullscreen(); }
    bool SetVsync(bool on) override { return inner->SetVsync(on); }
    bool IsActive() const override;
    std::vector<PlatformCommand> TakeCommands() override;
    bool IsKeyDown(int virtualKey) const override;
    bool IsRawKeyDown(int virtualKey) const override;
    void SetBindings(const InputBindings& bindings) override { inner->SetBindings(bindings); }
    std::vector<MenuKey> TakeMenuKeys() override;
    void SetEscapeCloses(bool closes) override { inner->SetEscapeCloses(closes); }
    void SetLook(int mousePercent, bool invert, int padPercent) override {
        inner->SetLook(mousePercent, invert, padPercent);
    }
    void BeginCapture() override { inner->BeginCapture(); }
    std::optional<PhysicalInput> TakeCaptured() override;
    std::string GetInputName(const PhysicalInput& input) const override {
        return inner->GetInputName(input);
    }
    PlatformPoint GetCursorPos() const override;
    void SetCursorPos(PlatformPoint screen) override { inner->SetCursorPos(screen); }
    PlatformPoint ClientToScreen(PlatformPoint client) const override {
        return inner->ClientToScreen(client);
    }
    void ShowCursor(bool show) override { inner->ShowCursor(show); }
    uint32_t GetTime() const override;
    void Sleep(uint32_t milliseconds) override { inner->Sleep(milliseconds); }
    // Not recorded: no pass reads it, and a replay measures its own time.
    uint64_t GetWorkClockMicros() const override { return inner->GetWorkClockMicros(); }
    void ShowMessageBox(const std::string& caption, const std::string& text, bool error,
                        bool withOwner) override {
        inner->ShowMessageBox(caption, text, error, withOwner);
    }

private:
    // Calls after the pass's last one that returned something need no place in the log.
    void TrimCalls(PassLog& pass);

    std::unique_ptr<Platform> inner;
    // Reads are recorded from const queries.
    mutable InputLog log;
};
