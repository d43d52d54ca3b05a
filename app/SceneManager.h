#pragma once

#include <memory>

#include "app/SceneBase.h"

// Owns the running scene and switches scenes between passes. A scene asking for another
// during its Update still finishes that pass (and its picture is the old scene's); the
// switch (and the deletion of the old scene) happens at the start of the next Step, right
// before the new scene's first Advance.
class SceneManager {
public:
    static SceneManager& GetInstance();
    ~SceneManager();

    // Requests `scene` for the next pass and takes ownership of it. Passing the current
    // scene cancels a pending change; nullptr means "no scene any more" (the loop goes on
    // pumping and presenting). A request replacing an earlier, not yet started one
    // deletes that earlier scene.
    void SetScene(SceneBase* scene);
    void SetScene(std::unique_ptr<SceneBase> scene) { SetScene(scene.release()); }
    // Once per game pass: switch if a change is pending, then advance the current scene.
    void Step();
    // The picture of the last pass stepped: the current scene's Render.
    void Render();

    SceneBase* GetCurrent() const { return current.get(); }
    bool IsChangePending() const { return changePending; }
    // Deletes the current and any pending scene (shutdown, tests).
    void Clear();

private:
    SceneManager() = default;

    std::unique_ptr<SceneBase> current;
    std::unique_ptr<SceneBase> next;
    bool changePending = false;
};
