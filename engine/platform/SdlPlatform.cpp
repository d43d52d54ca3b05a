#include "engine/platform/SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "engine/platform/BrowserPage.h"
#include "engine/platform/Keys.h"
#include "engine/platform/SystemConventions.h"
#include "engine/platform/WindowSystemSize.h"

namespace {

bool IsEnter(SDL_Keycode sym) {
    return sym == SDLK_RETURN || sym == SDLK_KP_ENTER;
}

// The command a key press gives, if any. Key repeat counts, so holding '-' keeps lowering.
bool CommandFor(const SDL_KeyboardEvent& key, PlatformCommand& command) {
    const SDL_Keycode sym = key.keysym.sym;
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    if (sym == SDLK_F11 || (alt && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER))) {
        if (key.repeat) return false;
        command = PlatformCommand::ToggleFullscreen;
        return true;
    }
    switch (sym) {
        case SDLK_MINUS:
        case SDLK_KP_MINUS:
            command = PlatformCommand::VolumeDown;
            return true;
        case SDLK_EQUALS:
        case SDLK_PLUS:
        case SDLK_KP_PLUS:
            command = PlatformCommand::VolumeUp;
            return true;
        case SDLK_m:
            if (key.repeat) return false;
            command = PlatformCommand::ToggleMute;
            return true;
        case SDLK_p:
            if (key.repeat) return false;
            command = PlatformCommand::Pause;
            return true;
        case SDLK_o:
            if (key.repeat) return false;
            command = PlatformCommand::OpenOptions;
            return true;
        default:
            return false;
    }
}

// The menu key a key press gives, if any. Arrows repeat as the system repeats them.
bool MenuKeyFor(const SDL_KeyboardEvent& key, MenuKey& menuKey) {
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    switch (key.keysym.scancode) {
        case SDL_SCANCODE_UP:
            menuKey = MenuKey::Up;
            return true;
        case SDL_SCANCODE_DOWN:
            menuKey = MenuKey::Down;
            return true;
        case SDL_SCANCODE_LEFT:
            menuKey = MenuKey::Left;
            return true;
        case SDL_SCANCODE_RIGHT:
            menuKey = MenuKey::Right;
            return true;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            // Alt+Enter is the fullscreen toggle.
            if (key.repeat || alt) return false;
            menuKey = MenuKey::Accept;
            return true;
        case SDL_SCANCODE_BACKSPACE:
            if (key.repeat) return false;
            menuKey = MenuKey::Back;
            return true;
        default:
            return false;
    }
}

bool IsPadDirection(int input) {
    return input == static_cast<int>(PadButton::DpadUp) ||
           input == static_cast<int>(PadButton::DpadDown) ||
           input == static_cast<int>(PadButton::DpadLeft) ||
           input == static_cast<int>(PadButton::DpadRight) ||
           (input >= padinput::LeftStickUp && input <= padinput::LeftStickRight);
}

}  // namespace

SdlPlatform::SdlPlatform() = default;

SdlPlatform::~SdlPlatform() {
    // SDL's video stays initialised for the rest of the process: a later platform (tests
    // run several in a row) reuses it, and the GL driver stays loaded so that leak checks
    // at exit can still tell the driver's own allocations apart.
    DestroyGameWindow();
}

bool SdlPlatform::CreateGameWindow(int width, int height, const std::string& caption) {
    DestroyGameWindow();
    if (!videoReady) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
        videoReady = true;
        // Keeps the GL library loaded between windows instead of reloading it each time.
        SDL_GL_LoadLibrary(nullptr);
    }
#if HOSHIKAGE_GL_ES
    // The graphics layer is built for OpenGL ES 3.0 (engine/graphics/GlApi.h): WebGL 2 in
    // a browser.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
#else
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
#endif
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The game draws into a framebuffer of its own (colour and depth) and only copies the
    // picture to the window, so the window needs no depth or stencil buffer: a full-screen
    // one of 4 bytes a pixel would be memory for nothing.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // A page would show through wherever the picture's alpha is below one: the canvas is
    // opaque (and, like every window, single-sampled: the game multisamples on its own).
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, browser_page::kInBrowser ? 0 : 8);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);

    // The window opens at the game's size; the player may resize it or go fullscreen, and
    // the picture is scaled to fit. On a page the canvas keeps the game's size and the
    // page scales it.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (!browser_page::kInBrowser) flags |= SDL_WINDOW_RESIZABLE;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              width, height, flags);
    if (!window) return false;
    SDL_SetWindowMinimumSize(window, kMinimumWidth, kMinimumHeight);
    focused = true;
    minimized = false;
    open = true;
    virtualCursor = ClientToScreen({width / 2, height / 2});
    // Controllers are optional: a machine without their support still plays.
    if (controllersWithWindow) gamepads.Start(false);
    glContext = failContext ? nullptr : SDL_GL_CreateContext(window);
    if (!glContext) {
        // The window stays: the graphics device reports the failure with its own message.
        std::fprintf(stderr, "hoshikage: no OpenGL 3.3 core (ES 3.0 on the web) context: %s\n",
                     failContext ? "refused" : SDL_GetError());
        return true;
    }
    SDL_GL_MakeCurrent(window, glContext);
    // Until the settings say otherwise, swapping does not wait for the display. (A page has
    // no swap interval: see SetVsync.)
    if (!browser_page::kInBrowser) SDL_GL_SetSwapInterval(0);
    return true;
}

bool SdlPlatform::SetVsync(bool on) {
    // A browser shows the canvas in step with the display whatever is asked, and presenting
    // never waits there. The swap interval would instead re-time the page's loop (interval
    // 0 turns it from animation frames into a busy series of timeouts).
    if (!glContext || browser_page::kInBrowser) return !on;
    return SDL_GL_SetSwapInterval(on ? 1 : 0) == 0;
}

bool SdlPlatform::PumpMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!HandleEvent(&event)) return false;
    }
    PollGamepads();
    return true;
}

bool SdlPlatform::HandleEvent(const void* sdlEvent) {
    const SDL_Event& event = *static_cast<const SDL_Event*>(sdlEvent);
    switch (event.type) {
        case SDL_QUIT:
            CloseWindow();
            return false;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window.event);
            break;
        case SDL_KEYDOWN:
            HandleKeyDown(&event.key);
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (captureWaiting && event.button.button >= 1 && event.button.button <= 5)
                FinishCapture({PhysicalInput::Device::Mouse, event.button.button});
            break;
        case SDL_KEYUP:
            if (IsEnter(event.key.keysym.sym)) enterTakenByCommand = false;
            break;
        case SDL_MOUSEMOTION:
            // Motion while the game holds still would turn the camera at once on return.
            if (captured && IsActive()) {
                const PlatformPoint motion = ScaleMouseMotion(event.motion.xrel, event.motion.yrel);
                AddMouseMotion(motion.x, motion.y);
            }
            break;
        default:
            gamepads.HandleEvent(&event);
            break;
    }
    return true;
}

void SdlPlatform::HandleKeyDown(const void* sdlKeyboardEvent) {
    const SDL_KeyboardEvent& key = *static_cast<const SDL_KeyboardEvent*>(sdlKeyboardEvent);
    const bool escape = key.keysym.sym == SDLK_ESCAPE;
    if (captureWaiting) {
        // The key being rebound does nothing else, Escape included: it only cancels.
        if (key.repeat) return;
        if (escape) {
            FinishCapture({});
        } else if (key.keysym.scancode > SDL_SCANCODE_UNKNOWN &&
                   key.keysym.scancode < scancode::Limit) {
            FinishCapture({PhysicalInput::Device::Key, static_cast<int>(key.keysym.scancode)});
        }
        return;
    }
    if (escape) {
        // A page is not closed from the keyboard: there Escape gives the pointer back.
        if (!escapeCloses) {
            if (!key.repeat) menuKeys.push_back(MenuKey::Back);
        } else if (!browser_page::kInBrowser) {
            CloseWindow();
        }
    }
    PlatformCommand command;
    if (CommandFor(key, command)) AddCommand(command);
    MenuKey menuKey;
    if (MenuKeyFor(key, menuKey)) menuKeys.push_back(menuKey);
    // The Enter of Alt+Enter belongs to the fullscreen toggle until it is let go,
    // even when Alt is released first.
    if (IsEnter(key.keysym.sym) && (key.keysym.mod & KMOD_ALT) != 0) enterTakenByCommand = true;
}

void SdlPlatform::HandleWindowEvent(int windowEvent) {
    switch (windowEvent) {
        case SDL_WINDOWEVENT_CLOSE:
            CloseWindow();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            focused = false;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            focused = true;
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            minimized = true;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN:
            minimized = false;
            break;
        default:
            break;
    }
}

void SdlPlatform::PollGamepads() {
    gamepads.Poll();
    HandlePadInput();
    const PlatformPoint look = gamepads.TakeLook();
    if (captured && IsActive()) AddMouseMotion(look.x, look.y);
}

void SdlPlatform::HandlePadInput() {
    const auto button = [](PadButton b) { return static_cast<int>(b); };
    bool tookCapture = false;
    for (int input : gamepads.GetPressed()) {
        if (captureWaiting) {
            // Buttons and triggers; a stick drifting as the player reaches for a button
            // must not be taken.
            if (!IsPadDirection(input) || input < padinput::ButtonCount) {
                FinishCapture({PhysicalInput::Device::Pad, input});
                tookCapture = true;
                break;
            }
            continue;
        }
        if (input == button(PadButton::Start)) AddCommand(PlatformCommand::Pause);
        if (input == button(PadButton::Back)) AddCommand(PlatformCommand::OpenOptions);
        // Y also switches weapons (it holds the right button): the options answer it only
        // on a screen that offers them, the title, where the right button does nothing.
        if (input == button(PadButton::Y)) AddCommand(PlatformCommand::OpenOptions);
        if (input == button(PadButton::A)) menuKeys.push_back(MenuKey::Accept);
        if (input == button(PadButton::B)) menuKeys.push_back(MenuKey::Back);
    }
    // Directions: a menu key when pushed, then again while held, after a pause.
    static const struct {
        PadButton dpad;
        int stick;
        MenuKey key;
    } kDirections[4] = {
        {PadButton::DpadUp, padinput::LeftStickUp, MenuKey::Up},
        {PadButton::DpadDown, padinput::LeftStickDown, MenuKey::Down},
        {PadButton::DpadLeft, padinput::LeftStickLeft, MenuKey::Left},
        {PadButton::DpadRight, padinput::LeftStickRight, MenuKey::Right},
    };
    for (int d = 0; d < 4; ++d) {
        const bool held =
            gamepads.IsHeld(button(kDirections[d].dpad)) || gamepads.IsHeld(kDirections[d].stick);
        if (!held) {
            padRepeat[d] = 0;
            continue;
        }
        // Held through a capture: no menu key until pushed again.
        if (captureWaiting || tookCapture) padRepeat[d] = -1;
        if (padRepeat[d] < 0) continue;
        const int passes = ++padRepeat[d];
        if (passes == 1 ||
            (passes >= kPadRepeatDelay && (passes - kPadRepeatDelay) % kPadRepeatEvery == 0))
            menuKeys.push_back(kDirections[d].key);
    }
    // What a capture took comes back into play once released.
    if (heldBack && !IsPhysicalHeld(*heldBack)) heldBack.reset();
}

PlatformPoint SdlPlatform::ScaleMouseMotion(int dx, int dy) {
    if (invertLook) dy = -dy;
    // In hundredths of a pixel, so 100 % passes every pixel through unchanged.
    mouseRemainder.x += dx * mousePercent;
    mouseRemainder.y += dy * mousePercent;
    const PlatformPoint whole{mouseRemainder.x / 100, mouseRemainder.y / 100};
    mouseRemainder.x -= whole.x * 100;
    mouseRemainder.y -= whole.y * 100;
    return whole;
}

void SdlPlatform::SetLook(int mouse, bool invert, int pad) {
    mousePercent = std::max(mouse, 0);
    invertLook = invert;
    mouseRemainder = {};
    gamepads.SetLook(std::max(pad, 0), invert);
}

void SdlPlatform::AddMouseMotion(int dx, int dy) {
    virtualCursor.x += dx;
    virtualCursor.y += dy;
}

void SdlPlatform::CloseWindow() {
    if (!open) return;
    open = false;
    if (captured) {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        captured = false;
    }
    if (window) SDL_HideWindow(window);
}

bool SdlPlatform::SetFullscreen(bool on) {
    if (!window) {
        fullscreen = on;
        return true;
    }
    const PlatformPoint windowed = GetClientSize();
    if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "hoshikage: cannot switch %s fullscreen: %s\n", on ? "to" : "from",
                     SDL_GetError());
        return false;
    }
    if (on && !IsFullscreenGranted()) {
        // X11 without a window manager: SDL asks, reports success and takes the desktop's size
        // for the window's, while nobody resizes it. Back to the window SDL thinks it left.
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, windowed.x, windowed.y);
        std::fprintf(stderr,
                     "hoshikage: the window system did not make the window fullscreen; it stays "
                     "a %d x %d window\n",
                     windowed.x, windowed.y);
        return false;
    }
    fullscreen = on;
    return true;
}

bool SdlPlatform::IsFullscreenGranted() {
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(std::max(SDL_GetWindowDisplayIndex(window), 0), &desktop) != 0)
        return true;
    // A window manager takes a moment to answer; without one nothing changes, and after a
    // quarter of a second the answer is no.
    for (int attempt = 0; attempt < 25; ++attempt) {
        SDL_PumpEvents();
        const std::optional<PlatformPoint> real = QueryWindowSystemSize();
        if (!real) return true;  // nothing to ask: SDL's word is all there is
        if (real->x >= desktop.w && real->y >= desktop.h) return true;
        SDL_Delay(10);
    }
    return false;
}

std::optional<PlatformPoint> SdlPlatform::QueryWindowSystemSize() const {
    return WindowSystemSize(window);
}

void SdlPlatform::DestroyGameWindow() {
    CloseWindow();
    if (glContext) {
        SDL_GL_DeleteContext(glContext);
        glContext = nullptr;
    }
    if (window) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
}

void SdlPlatform::SwapBuffers() {
    if (!window || !open) return;
    SDL_GL_SwapWindow(window);
    browser_page::FramePresented();
}

std::vector<PlatformCommand> SdlPlatform::TakeCommands() {
    std::vector<PlatformCommand> taken;
    taken.swap(commands);
    return taken;
}

bool SdlPlatform::IsKeyDown(int virtualKey) const {
    const std::optional<GameAction> action = InputBindings::ActionForVirtualKey(virtualKey);
    if (!action) return IsRawKeyDown(virtualKey);
    for (const PhysicalInput& input : bindings.InputsOf(*action))
        if (IsInPlay(input)) return true;
    return false;
}

bool SdlPlatform::IsRawKeyDown(int virtualKey) const {
    for (const PhysicalInput& input : InputBindings::DefaultInputsOfVirtualKey(virtualKey))
        if (IsInPlay(input)) return true;
    return false;
}

bool SdlPlatform::IsInPlay(const PhysicalInput& input) const {
    return !(heldBack && *heldBack == input) && IsPhysicalHeld(input);
}

bool SdlPlatform::IsPhysicalHeld(const PhysicalInput& input) const {
    switch (input.device) {
        case PhysicalInput::Device::Mouse:
            return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(input.code)) != 0;
        case PhysicalInput::Device::Pad:
            return gamepads.IsHeld(input.code);
        case PhysicalInput::Device::Key: {
            int count = 0;
            const Uint8* keys = SDL_GetKeyboardState(&count);
            if (input.code <= 0 || input.code >= count || !keys[input.code]) return false;
            if (input.code == SDL_SCANCODE_RETURN || input.code == SDL_SCANCODE_KP_ENTER) {
                // With Alt, Enter is the fullscreen toggle, not a key of the game.
                const bool alt = keys[SDL_SCANCODE_LALT] || keys[SDL_SCANCODE_RALT];
                return !alt && !enterTakenByCommand;
            }
            return true;
        }
        case PhysicalInput::Device::None:
            break;
    }
    return false;
}

std::vector<MenuKey> SdlPlatform::TakeMenuKeys() {
    std::vector<MenuKey> taken;
    taken.swap(menuKeys);
    return taken;
}

void SdlPlatform::BeginCapture() {
    captureWaiting = true;
    capturedInput.reset();
}

void SdlPlatform::FinishCapture(PhysicalInput input) {
    captureWaiting = false;
    capturedInput = input;
    if (input.device != PhysicalInput::Device::None) heldBack = input;
}

std::optional<PhysicalInput> SdlPlatform::TakeCaptured() {
    std::optional<PhysicalInput> taken;
    taken.swap(capturedInput);
    return taken;
}

std::string SdlPlatform::GetInputName(const PhysicalInput& input) const {
    if (input.device == PhysicalInput::Device::Key && input.code > 0 &&
        input.code < SDL_NUM_SCANCODES) {
        // What the key shows in the player's layout: the key where W is reads Z on AZERTY.
        const SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(input.code));
        const char* name = SDL_GetKeyName(key);
        if (name && *name) return name;
        name = SDL_GetScancodeName(static_cast<SDL_Scancode>(input.code));
        if (name && *name) return name;
    }
    return InputBindings::DescribeInput(input);
}

PlatformPoint SdlPlatform::GetCursorPos() const {
    if (captured) return virtualCursor;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
}

void SdlPlatform::SetCursorPos(PlatformPoint screen) {
    if (captured) {
        virtualCursor = screen;
        return;
    }
    SDL_WarpMouseGlobal(screen.x, screen.y);
}

PlatformPoint SdlPlatform::ClientToScreen(PlatformPoint client) const {
    int x = 0, y = 0;
    if (window) SDL_GetWindowPosition(window, &x, &y);
    return {client.x + x, client.y + y};
}

void SdlPlatform::ShowCursor(bool show) {
    const bool capture = !show;
    if (capture == captured) return;
    captured = capture;
    SDL_SetRelativeMouseMode(capture ? SDL_TRUE : SDL_FALSE);
    if (capture) SDL_GetRelativeMouseState(nullptr, nullptr);  // drop motion from before
}

uint32_t SdlPlatform::GetTime() const {
    return SDL_GetTicks();
}

uint64_t SdlPlatform::GetWorkClockMicros() const {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t ticks = SDL_GetPerformanceCounter();
    if (frequency == 0) return uint64_t{SDL_GetTicks()} * 1000u;
    return ticks / frequency * 1000000u + ticks % frequency * 1000000u / frequency;
}

void SdlPlatform::Sleep(uint32_t milliseconds) {
    // A page cannot sleep: SDL_Delay would spin, freezing the tab. The browser paces the
    // loop there (HostLoop), and a turn that comes early just finds no pass due.
    if (browser_page::kInBrowser) return;
    SDL_Delay(milliseconds);
}

void SdlPlatform::ShowMessageBox(const std::string& caption, const std::string& text, bool error,
                                 bool withOwner) {
    // Also on stderr: without a display the dialog cannot appear, and the reason must not
    // be lost.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (browser_page::kInBrowser) {
        browser_page::ShowMessage(caption, text, error);
        return;
    }
    ShowSystemMessageBox(caption, text, error, withOwner ? window : nullptr);
}

PlatformPoint SdlPlatform::GetClientSize() const {
    // The window system's word where it can be asked: SDL's can be what it asked for rather
    // than what it got (see SetFullscreen).
    if (const std::optional<PlatformPoint> real = QueryWindowSystemSize()) return *real;
    int w = 0, h = 0;
    if (window) SDL_GL_GetDrawableSize(window, &w, &h);
    return {w, h};
}
