#pragma once

// Holds the game still while its window is in the background or minimised: no game pass
// runs and every voice stops where it is, so the player returns to the same moment (the
// same pass, the same note). Game time counts passes, so nothing has to be made up for.
class FocusPause {
public:
    // Once per pass, after the window's events: true when this pass's game logic may run.
    // Pauses the sound when the window goes inactive and resumes it when it comes back.
    // soundHeld: something else holds the sound too (the pause menu); it stays paused
    // until both let it go.
    bool Update(bool windowActive, bool soundHeld = false);
    bool IsPaused() const { return paused; }
    // Lets the sound go on again if the run ends while paused.
    void End();

private:
    bool paused = false;
    bool soundPaused = false;
};
