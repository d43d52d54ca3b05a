#pragma once

#include "engine/platform/Gamepads.h"
#include "engine/platform/Platform.h"

struct SDL_Window;

// The real backend: an SDL window with an OpenGL 3.3 core context, SDL's keyboard, mouse
// and game controllers, SDL's millisecond clock.
//
// The window is resizable and can be switched to desktop fullscreen; the game keeps
// drawing its fixed-size picture, which the graphics device scales into whatever the
// window is. Controllers are presented as the keys and mouse motion they stand for (see
// PadMapping.h), merged with the real keyboard and mouse.
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
    bool HasRenderContext() const override { return glContext != nullptr; }
    bool PumpMessages() override;
    bool IsWindowOpen() const override { return open; }
    void DestroyGameWindow() override;
    void SwapBuffers() override;
    PlatformPoint GetClientSize() const override;
    bool SetFullscreen(bool fullscreen) override;
    bool IsFullscreen() const override { return fullscreen; }
    bool IsActive() const override { return focused && !minimized; }
    bool SetVsync(bool on) override;

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

protected:
    // What Escape and the close button do: the window disappears and IsWindowOpen turns
    // false, but the OpenGL context lives on until DestroyGameWindow, so the engine can
    // still release its GPU objects at shutdown.
    void CloseWindow();
    // Handles one SDL event; returns false for a quit request. Escape and the close
    // button destroy the window here.
    bool HandleEvent(const void* sdlEvent);
    // Reads the controllers after a pass's events; the right stick moves the captured cursor.
    void PollGamepads();
    void AddMouseMotion(int dx, int dy);
    void AddCommand(PlatformCommand command) { commands.push_back(command); }
    // Controllers: started with the window (or, headless, when a script first plugs one
    // in); read once per pass after the events.
    Gamepads& GetGamepads() { return gamepads; }
    const Gamepads& GetGamepads() const { return gamepads; }
    // Makes the next window's context fail, as a driver without OpenGL 3.3 would.
    void SetFailContextCreation(bool fail) { failContext = fail; }
    // Whether opening the window also starts the real controllers (headless runs use
    // scripted ones only).
    void SetControllersWithWindow(bool start) { controllersWithWindow = start; }

private:
    static constexpr int kMinimumWidth = 320;
    static constexpr int kMinimumHeight = 180;

    void HandleWindowEvent(int windowEvent);
    bool IsKeyboardOrMouseDown(int virtualKey) const;

    SDL_Window* window = nullptr;
    void* glContext = nullptr;
    bool videoReady = false;
    bool open = false;
    bool captured = false;
    bool fullscreen = false;
    bool focused = true;
    bool minimized = false;
    bool failContext = false;
    bool controllersWithWindow = true;
    bool enterTakenByCommand = false;
    PlatformPoint virtualCursor;
    std::vector<PlatformCommand> commands;
    Gamepads gamepads;
};
