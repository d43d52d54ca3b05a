#pragma once

#include <string>

// The single game window. Escape and the close button destroy it during PumpMessages;
// the main loop ends when GetHandle() turns null.
class GameWindow {
public:
    // Creates the window with a client area of exactly width × height. The class name is
    // kept for the window-system's sake only (unused where windows have no classes).
    bool Create(int width, int height, const std::string& caption, const std::string& className);
    // Drains pending window events; false when a quit request was met.
    bool PumpMessages();
    // Destroys the window if it still exists.
    void Destroy();
    // Non-null while the window exists; the graphics device renders into it.
    const void* GetHandle() const;

private:
    bool created = false;
};
