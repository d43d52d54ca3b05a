#pragma once

#include "engine/platform/Platform.h"

struct SDL_Window;

// The real backend: an SDL window with an OpenGL 3.3 core context, SDL's keyboard and
// mouse state, SDL's millisecond clock.
//
// Mouse look: warping the pointer does not work everywhere (Wayland), so while the
// cursor is hidden the mouse runs in relative mode and GetCursorPos reports the last
// position given to SetCursorPos plus the motion received since. The camera's "read the
// cursor, then put it back to the centre" therefore sees exactly the motion of a pass.
class SdlPlatform : public Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;

    bool CreateGameWindow(int width, int height, const std::string& caption) override;
    bool PumpMessages() override;
    bool IsWindowOpen() const override { return open; }
    void DestroyGameWindow() override;
    void SwapBuffers() override;

    std::vector<PlatformCommand> TakeCommands() override;
    bool IsKeyDown(int virtualKey) const override;
    PlatformPoint GetCursorPos() const override;
    void SetCursorPos(PlatformPoint screen) override;
    PlatformPoint ClientToScreen(PlatformPoint client) const override;
    void ShowCursor(bool show) override;

    uint32_t GetTime() const override;
    void Sleep(uint32_t milliseconds) override;
    uint64_t GetWorkClockMicros() const override;
    void ShowMessageBox(const std::string& caption, const std::string& text, bool error,
                        bool withOwner) override;

    // The client-area size of the drawable, for checks of the window's geometry.
    PlatformPoint GetClientSize() const;

protected:
    // What Escape and the close button do: the window disappears and IsWindowOpen turns
    // false, but the OpenGL context lives on until DestroyGameWindow, so the engine can
    // still release its GPU objects at shutdown.
    void CloseWindow();
    // Handles one SDL event; returns false for a quit request. Escape and the close
    // button destroy the window here.
    bool HandleEvent(const void* sdlEvent);
    void AddMouseMotion(int dx, int dy);
    void AddCommand(PlatformCommand command) { commands.push_back(command); }

private:
    SDL_Window* window = nullptr;
    void* glContext = nullptr;
    bool videoReady = false;
    bool open = false;
    bool captured = false;
    PlatformPoint virtualCursor;
    std::vector<PlatformCommand> commands;
};
