#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/DisplayMode.h"
#include "app/FocusPause.h"
#include "app/GameWindow.h"
#include "app/MenuLayer.h"
#include "app/PassPacer.h"
#include "app/PictureQuality.h"
#include "app/SceneBase.h"
#include "app/SettingsStore.h"
#include "app/VolumeControl.h"

// The process's one application: initialises the window and the engine singletons, runs
// the loop until the window is gone, then shuts down.
//
// The loop goes turn by turn (Tick). A game pass is due every 16 ms of the platform clock;
// a turn runs the passes that are due, each in full (events pumped and input read, audio,
// the scene's update and camera), and draws the picture of the last one only. So the game
// keeps its pace where drawing is slow, and shows fewer pictures instead (see PassPacer
// for the bounds). Time spent building a scene or with the window in the background is
// never made up for.
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

    // For a host that owns the loop (a browser's animation frames, a test): Start does what
    // Run does before its loop (false when start-up failed; nothing is left to shut down);
    // then each Tick is one turn, and false once the window has gone and the application
    // has shut down.
    bool Start(const SceneFactory& firstScene);
    bool Tick();
    // Host-paced: a turn never sleeps. It reads the clock when it begins and runs the passes
    // due then, possibly none (the host calls again soon). Otherwise (Run) a turn ends by
    // sleeping until the next pass is due. Set before Start.
    void SetHostPaced(bool paced) { hostPaced = paced; }
    // Runs exactly n passes between two pictures whatever the clock says (0: as the clock
    // says). For replays and tests that show the game does not depend on what is drawn.
    void SetPassesPerPicture(int n) { passesPerPicture = n > 0 ? n : 0; }

    // What the loop has done in this run, for benchmarks and tests.
    struct LoopCounts {
        uint64_t turns = 0;
        uint64_t passes = 0;    // game passes run (not those held by a pause)
        uint64_t pictures = 0;  // turns that drew a picture
    };
    const LoopCounts& GetLoopCounts() const { return counts; }

    GameWindow& GetWindow() { return window; }
    // The run's settings. The game installs the player's store before Run; tests, replays
    // and benchmarks keep the default one, which reads and writes nothing and fixes the
    // picture (see below).
    void UseSettings(SettingsStore store) { settings = std::move(store); }
    SettingsStore& GetSettings() { return settings; }
    int GetMaxFps() const { return maxFps; }
    // The pause menu and the options screen.
    MenuLayer& GetMenus() { return menus; }
    VolumeControl& GetVolume() { return volume; }
    const PictureQuality& GetPictureQuality() const { return picture; }

    static constexpr const char* kCaption = "ほしかげ ミルトス　ver1.0.5";

private:
    Application() = default;
    // The passes of one turn; false when the window has gone.
    bool RunPasses(int due, bool& drew, uint64_t& lastPassStart);
    // After a scene was built: the schedule starts afresh at `now`.
    void RestartIfPending(uint32_t now);
    void Shutdown();

    GameWindow window;
    int maxFps = 60;
    bool hostPaced = false;
    int passesPerPicture = 0;
    PassPacer pacer{static_cast<uint32_t>(1000 / maxFps)};
    int passesDue = 0;            // decided when the turn before ended (not host-paced)
    bool restartPending = false;  // a scene was built: nothing is owed for its loading
    LoopCounts counts;
    std::unique_ptr<DisplayMode> display;
    FocusPause focus;
    // Tests, replays and benchmarks keep this one: fixed pictures (no multisampling, full
    // scale), so that screenshots mean the same on every machine and at every speed.
    SettingsStore settings = SettingsStore::Reproducible();
    VolumeControl volume{settings};
    PictureQuality picture;
    MenuLayer menus{settings, volume, picture};
    SceneFactory titleScene;  // the first scene, built again by "Back to title"
};
