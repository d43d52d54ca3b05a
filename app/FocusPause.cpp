#include "app/FocusPause.h"

#include "engine/audio/AudioManager.h"

bool FocusPause::Update(bool windowActive, bool soundHeld) {
    paused = !windowActive;
    const bool silent = paused || soundHeld;
    if (silent != soundPaused) {
        soundPaused = silent;
        // Without the pause extension the music plays on; the game still holds still.
        AudioManager::GetInstance().PauseOutput(silent);
    }
    return windowActive;
}

void FocusPause::End() {
    if (soundPaused) AudioManager::GetInstance().PauseOutput(false);
    paused = false;
    soundPaused = false;
}
