#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Menu.h"
#include "engine/platform/InputBindings.h"
#include "engine/platform/Platform.h"

class DisplayMode;
class PictureQuality;
class SceneBase;
class SettingsStore;
class VolumeControl;

// The menus around the game: the pause menu over the battle (P or the controller's Start)
// and the options screen (O, or the controller's Y or Back, on a screen that offers it; or
// from the pause menu). While a menu is open the game holds still as it does in the
// background: no pass of the scene runs, so a replay of a session with pauses is the same
// session. The pause menu also holds the battle's sound.
//
// Every option applies at once and is saved through the settings store. The controls the
// player binds live in the platform's input layer; this layer only edits them.
class MenuLayer {
public:
    MenuLayer(SettingsStore& settings, VolumeControl& volume, PictureQuality& picture)
        : settings(settings), volume(volume), picture(picture) {}

    // At the start of a run: hands the player's controls to the platform (a binding that
    // cannot be used keeps its default, with one warning line) and closes every menu.
    // backToTitle builds the first screen again.
    void Start(DisplayMode& display, std::function<void()> backToTitle);

    // Once per pass, after the window's events, with the pass's commands: opens and
    // closes menus and works the open one. True when the scene's pass must not run.
    bool Update(const std::vector<PlatformCommand>& commands);
    // The player chose Quit: the run ends after this pass.
    bool IsQuitRequested() const { return quitRequested; }

    bool IsOpen() const { return !pages.empty(); }
    // The pause menu (or a page opened from it) is up: the battle's sound holds too.
    bool HoldsSound() const { return IsOpen() && fromPause; }
    // The page on top, for tests and screenshots.
    const Menu* GetMenu() const { return IsOpen() ? &menu : nullptr; }
    bool IsCapturing() const { return capturing.has_value(); }
    const std::string& GetMessage() const { return message; }

    // Over the finished picture: with a menu open the picture is dimmed and the page drawn
    // over it; on a screen that offers the options, a small hint says how to open them.
    void Draw() const;

    // Steps through the look sensitivities a player picks from (percent).
    static int NextSensitivity(int percent, int direction);

private:
    enum class Page { Pause, Options, Sound, Display, Controls, KeyboardBindings, PadBindings };
    struct Capture {
        GameAction action;
        bool pad;
    };

    void Open(Page page);
    void Back();
    void CloseAll();
    void Rebuild();
    Menu Build(Page page);
    void HandleKey(MenuKey key);
    void HandlePointer();
    void HandleCapture();
    void ApplyControls();
    void SaveBindings();
    MenuItem BindingItem(GameAction action, bool pad);
    std::string Footer() const;

    SettingsStore& settings;
    VolumeControl& volume;
    PictureQuality& picture;
    DisplayMode* display = nullptr;
    std::function<void()> backToTitle;

    std::vector<Page> pages;      // the open pages, the one shown last
    std::vector<int> selections;  // the selection of each page below the top
    Menu menu;                    // the top page as built
    bool fromPause = false;
    bool quitRequested = false;
    InputBindings bindings = InputBindings::Defaults();
    std::optional<Capture> capturing;
    std::string message;  // a line under the page: a swap, a refused key
    PlatformPoint lastPointer{-1, -1};
    bool pointerDown = false;
};
