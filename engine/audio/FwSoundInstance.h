#pragma once

#include <cstdint>
#include <memory>

#include "engine/audio/SoundGroup.h"
#include "engine/math/Vector3.h"

class FwSoundEffect;
class SoundBuffer;

// One voice on a loaded sound, plain or positioned in 3D. Made by
// FwSoundEffect::CreateInstance and shared through std::shared_ptr: it lives while the caller
// holds it or while it sits in the AudioManager play list (only while playing). Destroying
// it stops the voice. Every call is a no-op on a voice whose device has been released.
//
// Positioned voices are placed once, against the listener as it stands when Play3D or
// SetCurveDistanceScaler runs; a playing voice follows neither its source nor the listener.
// Loudness falls as scaler / distance past the curve distance scaler (inverse distance,
// clamped to full volume inside it); the largest float means no attenuation.
//
// A voice sounds at its volume times its group's gain (AudioManager::SetGroupGain), under
// the master gain: the volume is the balance the game chose within the group.
class FwSoundInstance : public std::enable_shared_from_this<FwSoundInstance> {
public:
    enum class State { Stopped, Playing, Paused };

    ~FwSoundInstance();

    // Stops, then plays from the start; registers in the play list when asked.
    void Play(bool loop, bool addToPlayList);
    // As Play, placing the voice at position (world units) relative to the current listener.
    void Play3D(const Vector3& position, bool loop, bool addToPlayList);
    // 1.0 is full volume; negative or NaN values are taken as 0.
    void SetVolume(float volume);
    float GetVolume() const { return volume_; }
    // Effects unless changed; the group's gain applies from now on, also while playing.
    void SetGroup(SoundGroup group);
    SoundGroup GetGroup() const { return group_; }
    // The gain OpenAL holds for the voice: its volume times its group's gain, before the
    // master gain and any distance. 0 on a voice whose device is gone.
    float GetMixGain() const;
    // Reference distance in world units; values that are not positive become the smallest
    // positive float, infinity the largest float. Re-places a 3D voice against the listener.
    void SetCurveDistanceScaler(float scaler);
    void Stop();
    // Pause holds the position; Resume continues a paused voice and does nothing otherwise.
    void Pause();
    void Resume();

    State GetState() const;
    bool IsPlaying() const { return GetState() == State::Playing; }
    bool Is3D() const { return is3D_; }
    // Where the last Play3D placed the voice (world units).
    const Vector3& GetEmitterPosition() const { return emitterPosition_; }
    // Playback position within the sound, in seconds (0 when stopped).
    float GetPlaybackSeconds() const;
    const std::shared_ptr<FwSoundEffect>& GetSource() const { return source_; }

    FwSoundInstance(const FwSoundInstance&) = delete;
    FwSoundInstance& operator=(const FwSoundInstance&) = delete;

private:
    friend class FwSoundEffect;
    friend class AudioManager;  // reapplies the group's gain when it changes
    // Creates the OpenAL source on the current device; IsValid() tells whether it worked.
    FwSoundInstance(std::shared_ptr<FwSoundEffect> source,
                    std::shared_ptr<const SoundBuffer> buffer, bool use3D);
    bool IsValid() const;
    void Apply3D();
    // Volume times the group's gain, to the source.
    void ApplyGain();

    std::shared_ptr<FwSoundEffect> source_;
    std::shared_ptr<const SoundBuffer> buffer_;  // outlives the AL source that plays it
    uint32_t alSource_ = 0;
    uint32_t generation_ = 0;  // device the source lives on
    Vector3 emitterPosition_{};
    float curveDistanceScaler_ = 1.0f;
    float volume_ = 1.0f;
    SoundGroup group_ = SoundGroup::Effects;
    bool is3D_ = false;
};
