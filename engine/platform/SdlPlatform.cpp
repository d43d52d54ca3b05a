#include "engine/platform/SdlPlatform.h"

#include <SDL.h>

#include <cstdio>

#include "engine/platform/BrowserPage.h"
#include "engine/platform/Keys.h"
#include "engine/platform/SystemConventions.h"

namespace {

SDL_Scancode ScancodeFor(int vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (vk - 'A'));
    if (vk >= '1' && vk <= '9') return static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (vk - '1'));
    switch (vk) {
        case '0':
            return SDL_SCANCODE_0;
        case vk::Return:
            return SDL_SCANCODE_RETURN;
        case vk::Space:
            return SDL_SCANCODE_SPACE;
        case vk::Escape:
            return SDL_SCANCODE_ESCAPE;
        case vk::Left:
            return SDL_SCANCODE_LEFT;
        case vk::Up:
            return SDL_SCANCODE_UP;
        case vk::Right:
            return SDL_SCANCODE_RIGHT;
        case vk::Down:
            return SDL_SCANCODE_DOWN;
        default:
            return SDL_SCANCODE_UNKNOWN;
    }
}

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
        default:
            return false;
    }
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
        case SDL_KEYDOWN: {
            // A page is not closed from the keyboard: there Escape gives the pointer back.
            if (event.key.keysym.sym == SDLK_ESCAPE && !browser_page::kInBrowser) CloseWindow();
            PlatformCommand command;
            if (CommandFor(event.key, command)) AddCommand(command);
            // The Enter of Alt+Enter belongs to the fullscreen toggle until it is let go,
            // even when Alt is released first.
            if (IsEnter(event.key.keysym.sym) && (event.key.keysym.mod & KMOD_ALT) != 0)
                enterTakenByCommand = true;
            break;
        }
        case SDL_KEYUP:
            if (IsEnter(event.key.keysym.sym)) enterTakenByCommand = false;
            break;
        case SDL_MOUSEMOTION:
            // Motion while the game holds still would turn the camera at once on return.
            if (captured && IsActive()) AddMouseMotion(event.motion.xrel, event.motion.yrel);
            break;
        default:
            gamepads.HandleEvent(&event);
            break;
    }
    return true;
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
    const PlatformPoint look = gamepads.TakeLook();
    if (captured && IsActive()) AddMouseMotion(look.x, look.y);
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
    if (window && SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "hoshikage: cannot switch %s fullscreen: %s\n", on ? "to" : "from",
                     SDL_GetError());
        return false;
    }
    fullscreen = on;
    return true;
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
    return IsKeyboardOrMouseDown(virtualKey) || gamepads.IsHeld(virtualKey);
}

bool SdlPlatform::IsKeyboardOrMouseDown(int virtualKey) const {
    if (virtualKey == vk::LButton || virtualKey == vk::RButton) {
        const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        return (buttons &
                SDL_BUTTON(virtualKey == vk::LButton ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT)) != 0;
    }
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    if (virtualKey == vk::Shift) {
        return keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT];
    }
    if (virtualKey == vk::Return) {
        // Either Enter key; with Alt it is the fullscreen toggle, not the game's Enter.
        const bool alt = keys[SDL_SCANCODE_LALT] || keys[SDL_SCANCODE_RALT];
        return !alt && !enterTakenByCommand &&
               (keys[SDL_SCANCODE_RETURN] || keys[SDL_SCANCODE_KP_ENTER]);
    }
    const SDL_Scancode code = ScancodeFor(virtualKey);
    return code != SDL_SCANCODE_UNKNOWN && code < count && keys[code];
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
    int w = 0, h = 0;
    if (window) SDL_GL_GetDrawableSize(window, &w, &h);
    return {w, h};
}
