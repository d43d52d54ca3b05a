#include "engine/platform/SdlPlatform.h"

#include <SDL.h>

#include <cstdio>

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
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The game draws into a framebuffer of its own (colour and depth) and only copies the
    // picture to the window, so the window needs no depth or stencil buffer: a full-screen
    // one of 4 bytes a pixel would be memory for nothing.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);

    // The window opens at the game's size; the player may resize it or go fullscreen, and
    // the picture is scaled to fit.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
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
        std::fprintf(stderr, "hoshikage: no OpenGL 3.3 core context: %s\n",
                     failContext ? "refused" : SDL_GetError());
        return true;
    }
    SDL_GL_MakeCurrent(window, glContext);
    // No vertical sync: the frame limiter paces the loop.
    SDL_GL_SetSwapInterval(0);
    return true;
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
            if (event.key.keysym.sym == SDLK_ESCAPE) CloseWindow();
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
    if (window && open) SDL_GL_SwapWindow(window);
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
    SDL_Delay(milliseconds);
}

void SdlPlatform::ShowMessageBox(const std::string& caption, const std::string& text, bool error,
                                 bool withOwner) {
    // Also on stderr: without a display the dialog cannot appear, and the reason must not
    // be lost.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    ShowSystemMessageBox(caption, text, error, withOwner ? window : nullptr);
}

PlatformPoint SdlPlatform::GetClientSize() const {
    int w = 0, h = 0;
    if (window) SDL_GL_GetDrawableSize(window, &w, &h);
    return {w, h};
}
