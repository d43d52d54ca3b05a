#include "support/GameHarness.h"

#include <cstdlib>
#include <memory>

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "support/Environment.h"

void PrepareHeadlessEnvironment() {
    SetEnv("SDL_VIDEODRIVER", "offscreen", false);
    SetEnv("ALSOFT_DRIVERS", "null", false);
    SetEnv("SDL_AUDIODRIVER", "dummy", false);
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
