#include "support/GameHarness.h"

#include <cstdlib>
#include <memory>

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/graphics/GraphicsDevice.h"

#ifdef __SANITIZE_ADDRESS__
// The GL driver and SDL keep a few allocations for the life of the process; they stay
// loaded until exit (the platform never unloads them), so they can be told apart by module.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\nleak:libgallium\nleak:swrast_dri\nleak:libGLX_mesa\n"
           "leak:_dl_map_object_deps\nleak:add_to_global_resize\nleak:_dlerror_run\n"
           "leak:_dl_exception_create\n"
           "leak:libLLVM\nleak:libdrm\nleak:libglapi\nleak:libEGL.so\nleak:libGLdispatch\n"
           "leak:libSDL2\nleak:libopenal\n";
}

// This toolchain's leak checker can crash reading the thread-local blocks of libraries the
// GL driver loads (it follows a block address that was never allocated). Thread-local
// storage is therefore not searched for pointers: nothing of the game lives only there, and
// what the loader keeps for those libraries is named above.
extern "C" const char* __lsan_default_options() {
    return "use_tls=0";
}
#endif

void PrepareHeadlessEnvironment() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

GameHarness::GameHarness() {
    PrepareHeadlessEnvironment();
    auto scripted = std::make_unique<ScriptedPlatform>();
    platform = scripted.get();
    SetPlatform(std::move(scripted));
    InputLatch::GetInstance().SetEnter(false);
    InputLatch::GetInstance().SetClick(false);
}

GameHarness::~GameHarness() {
    SceneManager::GetInstance().Clear();
    SetPlatform(nullptr);
}

bool GameHarness::Run(const Application::SceneFactory& firstScene, uint64_t passes) {
    platform->SetPassLimit(platform->GetPass() + passes);
    if (drawn) {
        platform->SetPassStartHook([this](uint64_t pass) {
            GraphicsDevice::GetInstance().SetSkipRasterization(!drawn(pass));
        });
    }
    const bool ran = Application::GetInstance().Run(firstScene);
    platform->SetPassStartHook(nullptr);
    return ran;
}

PassInput GameHarness::Hold(std::initializer_list<int> keys, int mouseDx, int mouseDy) {
    PassInput input;
    input.held = keys;
    input.mouseDx = mouseDx;
    input.mouseDy = mouseDy;
    return input;
}
