#include "app/VolumeControl.h"

#include <algorithm>

#include "app/VolumeIndicator.h"
#include "engine/audio/AudioManager.h"

float VolumeControl::GainFor(int percent, bool mute) {
    if (mute) return 0.0f;
    const float fraction = static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f;
    return fraction * fraction;
}

void VolumeControl::Start() {
    Apply();
    remaining = 0;
    shown = 0;
}

void VolumeControl::Apply() const {
    const Settings& settings = store.Get();
    AudioManager& audio = AudioManager::GetInstance();
    audio.SetMasterGain(GainFor(settings.volume, settings.mute));
    audio.SetGroupGain(SoundGroup::Music, GainFor(settings.musicVolume));
    audio.SetGroupGain(SoundGroup::Effects, GainFor(settings.effectsVolume));
}

void VolumeControl::Change(const std::function<void(Settings&)>& change) {
    store.Change(change);
    Apply();
}

void VolumeControl::SetMasterVolume(int percent) {
    percent = std::clamp(percent, 0, Settings::kMaxVolume);
    Change([percent](Settings& s) {
        s.volume = percent;
        s.mute = false;
    });
}

void VolumeControl::SetMusicVolume(int percent) {
    percent = std::clamp(percent, 0, Settings::kMaxVolume);
    Change([percent](Settings& s) { s.musicVolume = percent; });
}

void VolumeControl::SetEffectsVolume(int percent) {
    percent = std::clamp(percent, 0, Settings::kMaxVolume);
    Change([percent](Settings& s) { s.effectsVolume = percent; });
}

void VolumeControl::SetMute(bool mute) {
    Change([mute](Settings& s) { s.mute = mute; });
}

void VolumeControl::Handle(PlatformCommand command) {
    // New values come from what the player hears now (the settings in force, which a
    // command-line option may have changed for this run), then go to both copies.
    const Settings& now = store.Get();
    int volume = now.volume;
    bool mute = now.mute;
    switch (command) {
        case PlatformCommand::VolumeDown:
            volume = (volume + kStep - 1) / kStep * kStep - kStep;
            mute = false;
            break;
        case PlatformCommand::VolumeUp:
            volume = volume / kStep * kStep + kStep;
            mute = false;
            break;
        case PlatformCommand::ToggleMute:
            mute = !mute;
            break;
        default:
            return;
    }
    volume = std::clamp(volume, 0, Settings::kMaxVolume);
    store.Change([volume, mute](Settings& s) {
        s.volume = volume;
        s.mute = mute;
    });
    Apply();
    remaining = kShowPasses;
}

void VolumeControl::Handle(const std::vector<PlatformCommand>& commands) {
    for (const PlatformCommand command : commands) Handle(command);
}

void VolumeControl::EndPass() {
    shown = remaining;
    if (remaining > 0) --remaining;
}

void VolumeControl::DrawIndicator() const {
    if (shown <= 0) return;
    const float opacity = std::min(1.0f, static_cast<float>(shown) / kFadePasses);
    const Settings& settings = store.Get();
    VolumeIndicator::Draw(settings.volume, settings.mute, opacity);
}
