#pragma once

#include <functional>
#include <utility>

#include "app/SceneBase.h"
#include "app/SceneManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "support/GameHarness.h"

// A scene whose steps are supplied by the test, so objects can be built, updated and drawn
// inside the real loop (live graphics device, shaders and audio).
class ProbeScene : public SceneBase {
public:
    std::function<void()> onUpdate;
    std::function<void()> onCamera;
    std::function<void()> onDraw;
    std::function<void()> onDestroy;

    ~ProbeScene() override {
        if (onDestroy) onDestroy();
    }
    void Update() override {
        if (onUpdate) onUpdate();
    }
    void SetCamera() override {
        if (onCamera) onCamera();
    }
    void Draw() override {
        if (onDraw) onDraw();
    }
};

// Game objects made without a graphics device leave empty entries in the model and
// texture caches; dropping them keeps later tests in the same process from reusing them.
inline void DropDevicelessCaches() {
    ReleaseModelCache();
    ReleaseTextureCache();
}

// Runs the loop for `passes` passes with an optional present hook, then, still inside the
// last pass, deletes the scene, empties the caches and releases the shaders and the device:
// the loop closes the window (and its GL context) before the application shuts down, and
// GPU objects must go while the context lives. The shutdown's own releases then find
// nothing left to do.
inline void RunAndRelease(GameHarness& harness, const Application::SceneFactory& factory,
                          uint64_t passes, std::function<void(uint64_t)> presentHook = {}) {
    const uint64_t last = harness.Platform().GetPass() + passes;
    harness.Platform().SetPresentHook([presentHook, last](uint64_t pass) {
        if (presentHook) presentHook(pass);
        if (pass == last) {
            SceneManager::GetInstance().Clear();
            ReleaseModelCache();
            ReleaseTextureCache();
            ShaderManager::GetInstance().Release();
            GraphicsDevice::GetInstance().Release();
        }
    });
    harness.Run(factory, passes);
}
