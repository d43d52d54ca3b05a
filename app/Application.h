#pragma once

#include <functional>

#include "app/GameWindow.h"
#include "app/PictureQuality.h"
#include "app/SceneBase.h"
#include "app/SettingsStore.h"
#include "app/VolumeControl.h"

// The process's one application: initialises the window and the engine singletons, runs
// the frame loop until the window is gone, then shuts down.
class Application {
public:
    // Builds the first scene once the engine is up (the title screen in the game).
    using SceneFactory = std::function<SceneBase*()>;

    static Application& GetInstance();

    // Window, graphics device, shader manager, audio manager, in that order; a failure
    // shows its message box and leaves nothing initialised.
    bool Initialize(int width, int height);
    // Initialise at 1280 × 720, install the first scene, loop, shut down. False when
    // start-up failed (the process should then exit with a failure status).
    bool Run(const SceneFactory& firstScene);

    GameWindow& GetWindow() { return window; }
    // The run's settings. The game installs the player's store before Run; tests, replays
    // and benchmarks keep the default one, which reads and writes nothing and fixes the
    // picture (see below).
    void UseSettings(SettingsStore store) { settings = std::move(store); }
    SettingsStore& GetSettings() { return settings; }
    int GetMaxFps() const { return maxFps; }
    const PictureQuality& GetPictureQuality() const { return picture; }

    static constexpr const char* kCaption = "ほしかげ ミルトス　ver1.0.5";

private:
    Application() = default;
    void Shutdown();

    GameWindow window;
    int maxFps = 60;
    // Tests, replays and benchmarks keep this one: fixed pictures (no multisampling, full
    // scale), so that screenshots mean the same on every machine and at every speed.
    SettingsStore settings = SettingsStore::Reproducible();
    VolumeControl volume{settings};
    PictureQuality picture;
};
