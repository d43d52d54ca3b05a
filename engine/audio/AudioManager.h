#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "engine/audio/SoundGroup.h"
#include "engine/math/Vector3.h"

class FwSoundInstance;

// The audio engine singleton: one OpenAL device and context, the 3D listener and the play
// list that keeps fire-and-forget voices alive while they sound.
//
// All calls come from the main thread; OpenAL mixes on its own thread. Coordinates are the
// game's left-handed world (x right, y up, z forward) in world units.
class AudioManager {
public:
    // Voices kept alive while they sound, keyed by the instance's address.
    using PlayList = std::map<const FwSoundInstance*, std::shared_ptr<FwSoundInstance>>;

    static AudioManager& GetInstance();

    // Opens the default output device and makes a context current. Empties the play list and
    // closes any previous device first. False when no device or context can be had (the
    // application then refuses to start); GetFailure then says which step failed.
    bool Initialize();
    // What the last Initialize could not do, in a sentence for the player; empty after a
    // success.
    const std::string& GetFailure() const { return failure_; }
    // Once per main-loop pass: drops every play-list entry that is not playing (finished,
    // stopped or paused). A dropped voice lives on only while other handles hold it.
    void Update();
    // The listener that positioned voices are placed against when they start. front and top
    // need not be unit length; a zero vector keeps the previous one.
    void SetListener(const Vector3& position, const Vector3& front, const Vector3& top);
    // Keeps the voice alive until an Update finds it not playing. Keyed by the instance's
    // address, so adding the same voice twice keeps one entry.
    void AddToPlayList(std::shared_ptr<FwSoundInstance> instance);
    // Empties the play list, then closes the context and device. Every effect and voice
    // still held elsewhere goes mute and empty; Initialize may open a new device later.
    void Release();

    // The level of everything the game plays, as a factor of the calibrated level: 1 plays
    // the mix at the loudness it is calibrated for, 0 is silence. Applies at once and to
    // every later device.
    void SetMasterGain(float gain);
    float GetMasterGain() const { return masterGain_; }
    // The listener gain at master gain 1. The game's per-sound volumes are low (music 0.03,
    // effects 0.01 to 0.2); this lifts the whole mix, balance unchanged, to about -23 LUFS
    // integrated with true peaks under -1 dBTP, as measured by the loudness tool.
    static constexpr float kCalibratedGain = 13.964f;  // +22.9 dB

    // The level of one group as a factor on top of the master gain: every voice of the group
    // sounds at its own volume times this. 1 (the default) leaves the game's balance as it
    // is, 0 silences the group; values past 1 are taken as 1 (a voice's gain cannot rise
    // above full), negative and NaN as 0. Applies at once to every voice of the group that
    // exists (playing, paused, stopped, while the output is paused), to later ones and to
    // every later device.
    void SetGroupGain(SoundGroup group, float gain);
    float GetGroupGain(SoundGroup group) const;

    // Whether devices opened from now on ask for OpenAL Soft's output limiter (the default):
    // it holds the mix under full scale when the loudest sounds pile up, instead of letting
    // the samples clip. Measurements turn it off to show what it holds back.
    static void UseOutputLimiter(bool use) { useLimiter_ = use; }
    // Whether the open device runs the limiter.
    bool IsLimiting() const;

    // Stops (true) or restarts (false) the device's mixing as a whole: every voice holds
    // where it is and stays playing, so the play list keeps it and it goes on from the same
    // sample. False when there is no device or it cannot pause.
    bool PauseOutput(bool pause);
    bool IsOutputPaused() const { return outputPaused_; }

    // Whether a device is open (Initialize succeeded and Release has not run since).
    bool IsInitialized() const { return engine_ != nullptr; }
    std::size_t GetPlayListSize() const { return playList_.size(); }
    bool IsInPlayList(const FwSoundInstance* instance) const;
    const PlayList& GetPlayList() const { return playList_; }

    const Vector3& GetListenerPosition() const { return listenerPosition_; }
    const Vector3& GetListenerFront() const { return listenerFront_; }
    const Vector3& GetListenerTop() const { return listenerTop_; }

    // Identifies the device that OpenAL objects were created on. Objects outliving their
    // device (a Release, or static destruction at exit) must not touch OpenAL: their names
    // could belong to a newer device. Safe to call at any time, even during exit, since it
    // reads only constant-initialised state.
    static uint32_t CurrentDeviceGeneration() { return liveGeneration_; }
    static bool IsDeviceLive(uint32_t generation) {
        return generation != 0 && generation == liveGeneration_;
    }

    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

private:
    friend class FwSoundInstance;  // the voices enter and leave the set a group gain reaches

    AudioManager() = default;
    ~AudioManager();

    // Every voice with a source on the open device, whoever holds it: a group change must
    // reach voices the play list has dropped (paused ones, ones the caller keeps stopped).
    void AddVoice(FwSoundInstance* voice) { voices_.insert(voice); }
    void RemoveVoice(FwSoundInstance* voice) { voices_.erase(voice); }

    struct Engine;  // device + context, defined where OpenAL is included

    std::unique_ptr<Engine> engine_;
    Vector3 listenerFront_{0.0f, 0.0f, -1.0f};
    Vector3 listenerTop_{0.0f, 1.0f, 0.0f};
    Vector3 listenerPosition_{};
    PlayList playList_;
    std::string failure_;
    float masterGain_ = 1.0f;
    float musicGain_ = 1.0f;
    float effectsGain_ = 1.0f;
    std::set<FwSoundInstance*> voices_;  // emptied by Release: voices left then go mute

    bool outputPaused_ = false;

    static constinit inline bool useLimiter_ = true;

    static constinit inline uint32_t liveGeneration_ = 0;  // 0: no device open
    static constinit inline uint32_t lastGeneration_ = 0;
};
