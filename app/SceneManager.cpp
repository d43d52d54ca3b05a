#include "app/SceneManager.h"

SceneManager& SceneManager::GetInstance() {
    static SceneManager instance;
    return instance;
}

SceneManager::~SceneManager() {
    Clear();
}

void SceneManager::SetScene(SceneBase* scene) {
    if (scene == current.get()) {
        next.reset();
        changePending = false;
        return;
    }
    if (scene == next.get() && changePending) return;
    next.reset(scene);
    changePending = true;
}

void SceneManager::Step() {
    if (changePending) {
        // The old scene goes first, so its resources (music, targets) are released before
        // the new scene's first frame.
        current.reset();
        current = std::move(next);
        changePending = false;
    }
    if (current) current->Advance();
}

void SceneManager::Render() {
    if (current) current->Render();
}

void SceneManager::Clear() {
    next.reset();
    current.reset();
    changePending = false;
}
