#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/platform/Gamepads.h"
#include "engine/platform/InputBindings.h"
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
    bool IsRawKeyDown(int virtualKey) const override;
    void SetBindings(const InputBindings& bindings) override { this->bindings = bindings; }
    std::vector<MenuKey> TakeMenuKeys() override;
    void SetEscapeCloses(bool closes) override { escapeCloses = closes; }
    void SetLook(int mousePercent, bool invert, int padPercent) override;
    void BeginCapture() override;
    std::optional<PhysicalInput> TakeCaptured() override;
    std::string GetInputName(const PhysicalInput& input) const override;
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
    // What the controllers' newly pressed and held inputs of the last poll give: a capture,
    // commands, menu keys (directions repeat while held). Then an input kept by a capture is
    // let back into play once released.
    void HandlePadInput();
    void AddMouseMotion(int dx, int dy);
    // Mouse motion as the look settings turn it (scaled, fractions carried, maybe inverted).
    PlatformPoint ScaleMouseMotion(int dx, int dy);
    // Whether the key, mouse button or controller input is down, bindings and captures aside.
    virtual bool IsPhysicalHeld(const PhysicalInput& input) const;
    // The window's size as the window system has it, where it can be asked (X11); nullopt
    // elsewhere, where SDL's own account is taken.
    virtual std::optional<PlatformPoint> QueryWindowSystemSize() const;
    // Ends a capture with what was pressed (Device::None: cancelled).
    void FinishCapture(PhysicalInput input);
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

    // Controller directions repeat in menus after this many passes held, then every few.
    static constexpr int kPadRepeatDelay = 25;
    static constexpr int kPadRepeatEvery = 6;

    void HandleWindowEvent(int windowEvent);
    void HandleKeyDown(const void* sdlKeyboardEvent);
    // Whether the window really fills the display after a switch to fullscreen.
    bool IsFullscreenGranted();
    // Held and not kept back by a capture.
    bool IsInPlay(const PhysicalInput& input) const;

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
    bool escapeCloses = true;
    PlatformPoint virtualCursor;
    std::vector<PlatformCommand> commands;
    std::vector<MenuKey> menuKeys;
    Gamepads gamepads;
    InputBindings bindings = InputBindings::Defaults();
    int mousePercent = 100;
    bool invertLook = false;
    // Mouse motion times the percentage, not yet given as whole pixels.
    PlatformPoint mouseRemainder;
    bool captureWaiting = false;
    std::optional<PhysicalInput> capturedInput;
    // The input a capture took, out of play until it is let go.
    std::optional<PhysicalInput> heldBack;
    int padRepeat[4] = {};
};
