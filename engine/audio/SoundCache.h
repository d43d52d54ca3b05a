#pragma once

#include <memory>
#include <string>

#include "engine/audio/FwSoundEffect.h"
#include "engine/audio/FwSoundInstance.h"
#include "engine/math/Vector3.h"

// The process-wide sound cache and the play operations the game calls by path.
//
// Paths are relative to the working directory (e.g. "Data/sound/gun.wav") and compared as
// exact strings. The first request loads the file; a failed load stays cached as an empty
// effect, so a missing sound costs one attempt and then plays nothing. Entries are never
// removed; one loaded on a device that was since released is loaded again on the next
// request once a device is open. Main thread only.

// Never null; the effect may be empty.
std::shared_ptr<FwSoundEffect> GetSound(const std::string& path);

// Plays a plain (not positioned) voice and keeps it in the play list while it plays.
// Empty handle when the sound is empty or there is no device: callers test it before use.
std::shared_ptr<FwSoundInstance> PlaySound(const std::string& path, float volume = 1.0f,
                                           bool loop = false);
// As PlaySound, the voice in the music group (AudioManager::SetGroupGain): the scenes'
// background tracks. Everything else the game plays is an effect.
std::shared_ptr<FwSoundInstance> PlayMusic(const std::string& path, float volume = 1.0f,
                                           bool loop = true);
// Fire and forget: the play list alone keeps the voice alive. A looping voice plays on until
// the manager is released.
void PlaySoundOnce(const std::string& path, float volume = 1.0f, bool loop = false);

// Plays a voice placed at position (world units) against the current listener; scaler is
// the curve distance scaler (full volume within it; the largest float: no attenuation).
std::shared_ptr<FwSoundInstance> PlaySound3D(const std::string& path, const Vector3& position,
                                             float volume = 1.0f, bool loop = false,
                                             float scaler = 1.0f);
void PlaySound3DOnce(const std::string& path, const Vector3& position, float volume = 1.0f,
                     bool loop = false, float scaler = 1.0f);
