#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/platform/InputBindings.h"

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
    Pause,             // P, the controller's Start (which also still holds Enter)
    OpenOptions,       // O, the controller's Back or Y (Y also still holds the right button)
};

// The keys menus move by, read from the keys themselves whatever the bindings say.
enum class MenuKey { Up, Down, Left, Right, Accept, Back };

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

    // True while the key or button with this Windows virtual-key code is held: the game's
    // keys are answered from the bindings (see SetBindings), any other code from the key
    // it names.
    virtual bool IsKeyDown(int virtualKey) const = 0;
    // The keyboard key or mouse button the code names when nothing is rebound (vk::LButton:
    // the left mouse button), whatever the bindings say; controllers are not asked. Menus
    // read clicks with it.
    virtual bool IsRawKeyDown(int virtualKey) const { return IsKeyDown(virtualKey); }
    // The bindings IsKeyDown answers from; the defaults until set.
    virtual void SetBindings(const InputBindings& bindings) { (void)bindings; }
    // The menu keys pressed since the previous call, in order, from the keys themselves:
    // arrows (repeating as the system repeats keys), either Enter (Accept), Backspace (Back),
    // Escape (Back, while it does not close the window); the controller's D-pad and left stick
    // (repeating while held), A (Accept) and B (Back).
    virtual std::vector<MenuKey> TakeMenuKeys() { return {}; }
    // Whether Escape closes the window (the default, as it always did). A menu turns it off
    // while it is open: Escape is then its Back key.
    virtual void SetEscapeCloses(bool closes) { (void)closes; }
    // How the camera turns: mouse motion scaled by mousePercent / 100 (fractions of a pixel
    // carried over, so a slow setting still turns), the vertical motion reversed when invert,
    // and the right stick's turn scaled by padPercent / 100 (and reversed with invert too).
    // 100, false, 100 is the game's own motion, exactly.
    virtual void SetLook(int mousePercent, bool invert, int padPercent) {
        (void)mousePercent;
        (void)invert;
        (void)padPercent;
    }
    // Rebinding: after BeginCapture the next key, mouse button or controller button (or
    // trigger) pressed is kept instead of acting as a game key, menu key or command, and stays
    // out of IsKeyDown and IsRawKeyDown until let go. TakeCaptured returns nullopt until
    // then, then the input once; Escape gives an input of Device::None (cancelled).
    virtual void BeginCapture() {}
    virtual std::optional<PhysicalInput> TakeCaptured() { return std::nullopt; }
    // A name to show for the input: keys in the player's keyboard layout ("Z" for the key
    // an AZERTY keyboard has where W is), "Left mouse button", "A button", ...
    virtual std::string GetInputName(const PhysicalInput& input) const {
        return InputBindings::DescribeInput(input);
    }
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
