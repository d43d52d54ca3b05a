#include "engine/platform/SystemConventions.h"

#include <SDL.h>
#ifdef _WIN32
#include <SDL_syswm.h>
#include <windows.h>
#endif

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/platform/FilePath.h"

namespace {

bool MessageBoxesSuppressed() {
    const char* value = std::getenv("HOSHIKAGE_NO_MESSAGE_BOX");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

void SetEnvironmentValue(const char* name, const char* value, bool overwrite) {
    if (!overwrite && std::getenv(name) != nullptr) return;
#ifdef _WIN32
    _putenv_s(name, value);
    SetEnvironmentVariableA(name, value);
#else
    setenv(name, value, 1);
#endif
}

void RemoveEnvironmentValue(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");
    SetEnvironmentVariableA(name, nullptr);
#else
    unsetenv(name);
#endif
}

void UseHeadlessDrivers() {
#ifndef _WIN32
    SetEnvironmentValue("SDL_VIDEODRIVER", "offscreen", false);
#endif
    SetEnvironmentValue("ALSOFT_DRIVERS", "null", false);
}

void EnterGameFolder() {
    std::error_code error;
    if (std::filesystem::is_directory("Data", error)) return;
    char* base = SDL_GetBasePath();
    if (base == nullptr) return;
    const std::filesystem::path folder = PathFromUtf8(base);
    SDL_free(base);
    if (std::filesystem::is_directory(folder / "Data", error))
        std::filesystem::current_path(folder, error);
}

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

bool ShowSystemMessageBox(const std::string& caption, const std::string& text, bool error,
                          SDL_Window* owner) {
    if (MessageBoxesSuppressed()) return false;
    HWND ownerWindow = nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (owner != nullptr && SDL_GetWindowWMInfo(owner, &info)) ownerWindow = info.info.win.window;
    // The texts are UTF-8; the wide call shows them in any system language.
    const UINT style = MB_OK | (error ? MB_ICONERROR : 0u);
    return MessageBoxW(ownerWindow, Widen(text).c_str(), Widen(caption).c_str(), style) != 0;
}

std::string SettingsFolder() {
    // SDL asks the shell for the roaming application data folder (the user's, which may be
    // named in any script) and creates hoshikage below it; no organisation folder between.
    char* pref = SDL_GetPrefPath("", "hoshikage");
    if (pref == nullptr) return {};
    std::string folder = pref;
    SDL_free(pref);
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

std::string StartWithoutSoundHint() {
    // OpenAL Soft reads alsoft.ini beside the program, so a player who starts the game from
    // Explorer needs no command line.
    return "To play without sound, use OpenAL Soft's null output: put a file named "
           "alsoft.ini beside hoshikage.exe with the two lines\n"
           "    [general]\n"
           "    drivers=null\n"
           "or start the game from a Command Prompt in its folder with\n"
           "    set ALSOFT_DRIVERS=null\n"
           "    hoshikage.exe\n"
           "(Readme.txt, \"Sound without a sound device\").";
}

#else

bool ShowSystemMessageBox(const std::string& caption, const std::string& text, bool error,
                          SDL_Window* owner) {
    if (MessageBoxesSuppressed()) return false;
    return SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                                    caption.c_str(), text.c_str(), owner) == 0;
}

std::string SettingsFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = PathFromUtf8(xdg);
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') return {};
        base = PathFromUtf8(home) / ".config";
    }
    return Utf8FromPath(base / "hoshikage");
}

std::string StartWithoutSoundHint() {
    return "To play without sound, start the game with OpenAL Soft's null output:\n"
           "    ALSOFT_DRIVERS=null hoshikage\n"
           "(README, \"Sound without a sound card\").";
}

#endif
