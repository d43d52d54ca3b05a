#pragma once

#include <atomic>
#include <string>
#include <thread>

// Watches the desktop for a system message box with a given caption (from this process or
// a child), reads its text and presses OK, so a test can check what a player would have
// read. Only Windows has such boxes to find: elsewhere Supported() is false and nothing is
// ever found.
class DialogReader {
public:
    // Starts watching at once, for at most timeoutSeconds.
    explicit DialogReader(std::string caption, int timeoutSeconds = 60);
    // Stops watching (waits for the watcher).
    ~DialogReader();
    DialogReader(const DialogReader&) = delete;
    DialogReader& operator=(const DialogReader&) = delete;

    static bool Supported();
    // Waits until the box was found and closed, or the time ran out; true when found.
    bool Wait();
    // The box's message, UTF-8, line breaks as "\n"; empty until found.
    const std::string& Text() const { return text; }
    // Whether the box shows the error icon.
    bool HasErrorIcon() const { return errorIcon; }

private:
    void Watch(int timeoutSeconds);

    std::string caption;
    std::string text;
    bool errorIcon = false;
    std::atomic<bool> found{false};
    std::atomic<bool> stop{false};
    std::thread watcher;
};
