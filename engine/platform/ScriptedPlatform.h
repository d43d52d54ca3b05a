#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/PadState.h"
#include "engine/platform/SdlPlatform.h"
#include "engine/platform/VirtualPads.h"

// What the player does to the window itself, delivered as the window system's events
// through the same handling as a real window's.
enum class WindowAction {
    PressEscape,  // the Escape key goes down
    CloseButton,  // the window's close button
    Quit,         // the desktop asks the program to quit (logout, a signal)
};

// What the player does during one pass: keys and buttons held (virtual-key codes: each
// holds the keys or mouse button that code names by default, so the bindings decide what it
// plays), the mouse motion in pixels, the commands given (volume, fullscreen), the controllers
// plugged in with what they hold (by a slot number of the script's choosing: a slot that
// appears plugs a controller in, one that disappears unplugs it), whether the window has the
// focus, and what is done to the window.
//
// Keys and mouse buttons can also be held by position (keys by scancode, buttons 1 left ..
// 5), and pressed: a press is the window system's key-down or button-down event, handled as
// a real window's (menu keys, commands, Escape, captures), and holds nothing by itself.
struct PassInput {
    std::set<int> held;
    int mouseDx = 0;
    int mouseDy = 0;
    std::vector<PlatformCommand> commands;
    std::map<int, PadState> pads;
    bool focused = true;
    std::vector<WindowAction> window;
    std::set<int> keys;                    // scancodes held
    std::set<int> mouseButtons;            // mouse buttons held
    std::vector<int> keyPresses;           // scancodes going down, in order
    std::vector<int> buttonPresses;        // mouse buttons going down, in order
    std::optional<PlatformPoint> pointer;  // the cursor moved to this client-area pixel
    bool operator==(const PassInput&) const = default;
};

// The headless backend for tests, soak runs, benchmarks and replays. Rendering is real
// (an offscreen SDL window with an OpenGL context on Mesa llvmpipe); input comes from a
// script asked once per pass; the clock is virtual and Sleep advances it at once, so
// thousands of passes run in seconds and every run with the same script is the same.
//
// A pass begins with PumpMessages: the pass counter advances, the script is asked for
// the pass's input, and at the pass limit the window is destroyed as if closed.
class ScriptedPlatform : public SdlPlatform {
public:
    using Script = std::function<PassInput(uint64_t pass)>;
    using Hook = std::function<void(uint64_t pass)>;

    // The virtual clock starts at startTime milliseconds.
    explicit ScriptedPlatform(uint32_t startTime = 1000);

    void SetScript(Script script) { this->script = std::move(script); }
    // The window closes in the pump of pass `passes` + 1, so exactly `passes` passes run.
    void SetPassLimit(uint64_t passes) { passLimit = passes; }
    // Called at the start of each pass, after the input is taken.
    void SetPassHook(Hook hook) { passHook = std::move(hook); }
    // Called at the start of each pass before the pass hook; for test tooling that must
    // not take the test's own pass hook.
    void SetPassStartHook(Hook hook) { passStartHook = std::move(hook); }
    // Called right before each buffer swap (the finished picture of the pass is there).
    void SetPresentHook(Hook hook) { presentHook = std::move(hook); }
    using SdlPlatform::SetFailContextCreation;
    // Makes the next CreateGameWindow fail, as a missing display would.
    void SetFailWindowCreation(bool fail) { failWindowCreation = fail; }
    // The next window opens at this size whatever the game asks for, as a window the player
    // resized would be (0 × 0: the size asked for).
    void SetWindowSize(PlatformPoint size) { windowSize = size; }
    // The window system ignores switches to fullscreen, as X11 without a window manager does:
    // SDL reports success, the window keeps the size it opened at.
    void SetFullscreenRefused(bool refused) { fullscreenRefused = refused; }
    // Controllers plugged in now (as the platform sees them, after the last pump).
    int GetConnectedPads() const { return GetGamepads().GetConnectedCount(); }

    // Passes started so far (the pass now running, 1-based).
    uint64_t GetPass() const { return pass; }
    // Lets a test pretend that work took time.
    void AdvanceTime(uint32_t milliseconds) { now += milliseconds; }
    const std::vector<uint32_t>& GetSleeps() const { return sleeps; }
    struct Message {
        std::string caption;
        std::string text;
        bool error = false;
        bool withOwner = false;
    };
    const std::vector<Message>& GetMessages() const { return messages; }
    int GetSwapCount() const { return swaps; }
    const PassInput& GetInput() const { return input; }
    bool IsCursorShown() const { return cursorShown; }

    bool CreateGameWindow(int width, int height, const std::string& caption) override;
    bool PumpMessages() override;
    void SwapBuffers() override;
    bool IsRawKeyDown(int virtualKey) const override;
    bool IsActive() const override { return input.focused; }
    // Records the request, then asks the offscreen context as the real backend would.
    bool SetVsync(bool on) override;
    // The swap intervals asked for, in order (true: wait for the display).
    const std::vector<bool>& GetVsyncRequests() const { return vsyncRequests; }
    PlatformPoint GetCursorPos() const override { return cursor; }
    void SetCursorPos(PlatformPoint screen) override { cursor = screen; }
    PlatformPoint ClientToScreen(PlatformPoint client) const override;
    void ShowCursor(bool show) override { cursorShown = show; }
    // The virtual clock, unless UseRealClock was asked for.
    uint32_t GetTime() const override;
    void Sleep(uint32_t milliseconds) override;
    // The virtual clock, unless MeasureRealTime was asked for.
    uint64_t GetWorkClockMicros() const override;
    // Benchmarks: the work clock reports real time (the game's clock stays virtual, so the
    // passes, the random seed and the sleeps are the same as without).
    void MeasureRealTime(bool real) { realWorkClock = real; }
    // Benchmarks of the game as a player meets it: the game's clock, its sleeps and the
    // work clock are the real ones, so the loop paces itself against the wall clock (input
    // stays scripted).
    void UseRealClock(bool real) {
        realClock = real;
        realWorkClock = real;
    }
    void ShowMessageBox(const std::string& caption, const std::string& text, bool error,
                        bool withOwner) override;

protected:
    bool IsPhysicalHeld(const PhysicalInput& input) const override;
    std::optional<PlatformPoint> QueryWindowSystemSize() const override;

private:
    bool realWorkClock = false;
    bool realClock = false;
    Script script;
    Hook passHook;
    Hook passStartHook;
    Hook presentHook;
    uint64_t pass = 0;
    uint64_t passLimit = UINT64_MAX;
    uint32_t now;
    bool failWindowCreation = false;
    PlatformPoint windowSize;
    bool fullscreenRefused = false;
    PlatformPoint openedSize;
    std::unique_ptr<VirtualPads> pads;
    bool cursorShown = true;
    PassInput input;
    // The keys and mouse buttons held this pass, by position: the script's own and those
    // its virtual keys name.
    std::set<int> keysHeld;
    std::set<int> buttonsHeld;
    PlatformPoint cursor;
    std::vector<uint32_t> sleeps;
    std::vector<bool> vsyncRequests;
    std::vector<Message> messages;
    int swaps = 0;
};
