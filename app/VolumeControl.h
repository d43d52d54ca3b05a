#pragma once

#include <functional>
#include <vector>

#include "app/SettingsStore.h"
#include "engine/platform/Platform.h"

// The player's volumes: the master volume with its keys and mute, the music and effects
// volumes under it, the levels kept in the settings, and the brief on-screen sign of a
// key's change. The application hands it every command of a pass (it ignores those that
// are not its own) and lets it draw over each finished frame; the options menu sets the
// levels directly.
//
// Volume is a percent of the calibrated level, in steps of five from the keys. The gain is
// the square of the fraction: 50 % is a quarter of the amplitude (-12 dB), which sounds
// about half as loud, so the keys feel even across the range; 0 % and mute are silence.
// The music and effects volumes are percents of the master volume on the same curve: each
// is its group's gain in the audio engine, multiplied into the master gain.
class VolumeControl {
public:
    static constexpr int kStep = 5;  // percent per key press
    // Passes the sign shows after a change (about 1.5 s), the last kFadePasses fading.
    static constexpr int kShowPasses = 90;
    static constexpr int kFadePasses = 15;

    explicit VolumeControl(SettingsStore& store) : store(store) {}

    // At the start of a run: sets the audio engine's master and group gains from the
    // settings in force, and no sign shows.
    void Start();
    // VolumeDown / VolumeUp move the level a step (to the next multiple of five) and end a
    // mute; ToggleMute mutes or unmutes. Each is applied at once, saved through the
    // settings store and shown. Other commands are left alone.
    void Handle(PlatformCommand command);
    // The commands of a pass, in order.
    void Handle(const std::vector<PlatformCommand>& commands);

    // The options menu's choices, in percent (clamped to 0..100): each is applied at once,
    // saved through the settings store, and shows no sign (the menu shows its own values).
    // Setting the master volume ends a mute, as a volume key does: a player moving the level
    // wants to hear it. The music and effects volumes leave the mute alone.
    void SetMasterVolume(int percent);
    void SetMusicVolume(int percent);
    void SetEffectsVolume(int percent);
    void SetMute(bool mute);
    // At the end of each pass that runs: the sign that pass shows is the one drawn over its
    // picture, and it has a pass less to go. The count goes by passes, not pictures, so the
    // sign lasts as long on a machine that draws fewer of them.
    void EndPass();
    // Over each finished picture: while the sign shows, draws it into the back buffer.
    // Draws nothing in a run without volume commands.
    void DrawIndicator() const;

    bool IsIndicatorShowing() const { return remaining > 0; }
    // The engine's master gain for a volume in percent; without the mute, also a group's
    // gain for its volume.
    static float GainFor(int percent, bool mute = false);

private:
    void Apply() const;
    // A menu change: to both copies of the settings, saved, then heard.
    void Change(const std::function<void(Settings&)>& change);

    SettingsStore& store;
    int remaining = 0;  // passes the sign still shows
    int shown = 0;      // `remaining` as the last pass that ran showed it (0: no sign)
};
