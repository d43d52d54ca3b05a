#include "support/DialogReader.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#endif

DialogReader::DialogReader(std::string caption, int timeoutSeconds) : caption(std::move(caption)) {
    watcher = std::thread([this, timeoutSeconds] { Watch(timeoutSeconds); });
}

DialogReader::~DialogReader() {
    stop = true;
    if (watcher.joinable()) watcher.join();
}

bool DialogReader::Wait() {
    if (watcher.joinable()) watcher.join();
    return found;
}

#ifdef _WIN32

namespace {

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Search {
    std::wstring caption;
    HWND box = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    // "#32770" is the dialog class every message box belongs to.
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
        WindowText(window) == search.caption) {
        search.box = window;
        return FALSE;
    }
    return TRUE;
}

// The message is the box's static text control; its identifier is not documented, so it is
// found as the one static control that holds text.
BOOL CALLBACK ReadChild(HWND child, LPARAM context) {
    auto& reader = *reinterpret_cast<std::pair<std::wstring, bool>*>(context);
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring(className) != L"Static") return TRUE;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        // A box without an icon may still have the control, hidden and empty.
        if (IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0) != 0)
            reader.second = true;
        return TRUE;
    }
    const std::wstring text = WindowText(child);
    if (!text.empty()) reader.first = text;
    return TRUE;
}

}  // namespace

bool DialogReader::Supported() {
    return true;
}

void DialogReader::Watch(int timeoutSeconds) {
    Search search;
    const int length = MultiByteToWideChar(CP_UTF8, 0, caption.data(),
                                           static_cast<int>(caption.size()), nullptr, 0);
    search.caption.resize(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, caption.data(), static_cast<int>(caption.size()),
                        search.caption.data(), length);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (!stop && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.box != nullptr) break;
        Sleep(50);
    }
    if (search.box == nullptr) return;
    std::pair<std::wstring, bool> content;
    EnumChildWindows(search.box, ReadChild, reinterpret_cast<LPARAM>(&content));
    std::string message = Narrow(content.first);
    std::erase(message, '\r');
    text = message;
    errorIcon = content.second;
    found = true;
    PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

#else

bool DialogReader::Supported() {
    return false;
}

void DialogReader::Watch(int) {}

#endif
