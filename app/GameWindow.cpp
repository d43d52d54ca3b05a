#include "app/GameWindow.h"

#include "engine/platform/Platform.h"

bool GameWindow::Create(int width, int height, const std::string& caption, const std::string&) {
    created = GetPlatform().CreateGameWindow(width, height, caption);
    return created;
}

bool GameWindow::PumpMessages() {
    return GetPlatform().PumpMessages();
}

void GameWindow::Destroy() {
    // Also after Escape or the close button: the window is gone from the screen then, but
    // its OpenGL context is only released here.
    if (created) GetPlatform().DestroyGameWindow();
    created = false;
}

const void* GameWindow::GetHandle() const {
    if (!created || !GetPlatform().IsWindowOpen()) return nullptr;
    return &GetPlatform();
}
