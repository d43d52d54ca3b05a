#pragma once

#include <string>

#include "engine/audio/AudioManager.h"
#include "engine/audio/FwSoundEffect.h"
#include "engine/audio/FwSoundInstance.h"

// The first voice of the given sound file (as the game names it, e.g.
// "Data/sound/attack.wav") in the audio manager's play list; null when none is there.
inline const FwSoundInstance* FindVoice(const std::string& path) {
    for (const auto& [key, voice] : AudioManager::GetInstance().GetPlayList()) {
        if (voice && voice->GetSource() && voice->GetSource()->GetFilePath() == path) return key;
    }
    return nullptr;
}
