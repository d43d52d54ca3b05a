#include "app/FocusPause.h"

#include "engine/audio/AudioManager.h"

bool FocusPause::Update(bool windowActive) {
    if (windowActive == !paused) return windowActive;
    paused = !windowActive;
    // Without the pause extension the music plays on; the game still holds still.
    AudioManager::GetInstance().PauseOutput(paused);
    return windowActive;
}

void FocusPause::End() {
    if (paused) AudioManager::GetInstance().PauseOutput(false);
    paused = false;
}
