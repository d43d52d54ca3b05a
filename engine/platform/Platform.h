#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A point in pixels: client-area or screen coordinates, as each call says.
struct PlatformPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlatformPoint&) const = default;
};

// Requests the player makes of the program around the game (not of the game itself):
// they change how it sounds or is shown, never what a pass simulates.
enum class PlatformCommand {
    VolumeDown,        // '-' on either keyboard row
    VolumeUp,          // '+' / '=' on either keyboard row
    ToggleMute,        // M
    ToggleFullscreen,  // F11, Alt+Enter
};

// The one window, the input devices, the clock and the dialogs, as the game uses them.
// Two implementations exist: the SDL backend (a real window) and the scripted backend
// (tests, soak runs and replays: scripted input, virtual clock, offscreen rendering).
// Nothing outside engine/platform includes SDL; everything goes through this interface.
class Platform {
public:
    virtual ~Platform() = default;

    // Creates the window with a client area of width × height pixels (or the whole desktop
    // when fullscreen was asked for), the given UTF-8 caption, resizable, and makes an
    // OpenGL 3.3 core context current on it with swap interval 0 (see SetVsync). False when the
    // window cannot be made (nothing is left open then). A window whose context failed stays open:
    // HasRenderContext tells, and the graphics device reports the failure.
    virtual bool CreateGameWindow(int width, int height, const std::string& caption) = 0;
    virtual bool HasRenderContext() const { return true; }
    // Drains pending window events. Escape and the close button close the window during
    // this call (IsWindowOpen turns false; the OpenGL context stays until
    // DestroyGameWindow). Returns false when a quit request was met.
    virtual bool PumpMessages() = 0;
    virtual bool IsWindowOpen() const = 0;
    // Destroys the window and its context; does nothing when none exists.
    virtual void DestroyGameWindow() = 0;
    // Shows the back buffer of the current frame.
    virtual void SwapBuffers() = 0;
    // The window's drawable area in pixels (the picture is scaled into it); 0 × 0 without a
    // window.
    virtual PlatformPoint GetClientSize() const { return {}; }
    // Desktop fullscreen or a window. Asked before CreateGameWindow, the window opens that
    // way. False when the window system refuses (the mode stays as it was).
    virtual bool SetFullscreen(bool fullscreen) { return !fullscreen; }
    virtual bool IsFullscreen() const { return false; }
    // Whether presenting waits for the display's refresh (swap interval 1), which keeps
    // pictures whole. False when the driver refuses (swapping then stays immediate). The
    // clock paces the game's passes either way.
    virtual bool SetVsync(bool on) { return !on; }
    // False while the window is in the background or minimised: the game holds still then.
    virtual bool IsActive() const { return true; }

    // The commands given since the previous call, in the order given. Key presses that
    // make a command are read from the window's events during PumpMessages.
    virtual std::vector<PlatformCommand> TakeCommands() { return {}; }

    // True while the key or button with this Windows virtual-key code is held.
    virtual bool IsKeyDown(int virtualKey) const = 0;
    // The cursor in screen pixels. With the cursor captured (hidden), mouse motion is
    // relative underneath and this reports the last position set plus the motion since.
    virtual PlatformPoint GetCursorPos() const = 0;
    virtual void SetCursorPos(PlatformPoint screen) = 0;
    virtual PlatformPoint ClientToScreen(PlatformPoint client) const = 0;
    // Hiding the cursor also captures it in the window (relative motion); showing frees it.
    virtual void ShowCursor(bool show) = 0;

    // Milliseconds since an arbitrary start, 1-ms resolution, wrapping at 2^32.
    virtual uint32_t GetTime() const = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // A steady clock in microseconds for measuring how long work took. Only what is drawn
    // may depend on it (the render scale), never a pass of the game, so it is not part of
    // a recording. By default the millisecond clock.
    virtual uint64_t GetWorkClockMicros() const { return uint64_t{GetTime()} * 1000u; }

    // A modal message; withOwner says whether the game window is its parent.
    virtual void ShowMessageBox(const std::string& caption, const std::string& text, bool error,
                                bool withOwner) = 0;
};

// The platform in use. The game installs the SDL backend in main; tests install the
// scripted backend. Owned here; replacing it destroys the previous one.
Platform& GetPlatform();
void SetPlatform(std::unique_ptr<Platform> platform);
bool HasPlatform();
