#include "engine/audio/AudioManager.h"

#include <AL/al.h>
#include <AL/alc.h>
// OpenAL Soft's extensions; the browser's OpenAL (on Web Audio) has no such header and none
// of them, which the extension checks below find out at run time.
#if __has_include(<AL/alext.h>)
#include <AL/alext.h>
#else
#define ALC_OUTPUT_LIMITER_SOFT 0x199A
#endif
#ifndef ALC_APIENTRY
#define ALC_APIENTRY
#endif

#include <algorithm>
#include <cstdlib>

#include "engine/audio/FwSoundInstance.h"

struct AudioManager::Engine {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;

    ~Engine() {
        if (context != nullptr) {
            if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device != nullptr) alcCloseDevice(device);
    }
};

AudioManager& AudioManager::GetInstance() {
    static AudioManager instance;
    return instance;
}

AudioManager::~AudioManager() {
    Release();
}

bool AudioManager::Initialize() {
    Release();

    failure_.clear();
    auto engine = std::make_unique<Engine>();
    engine->device = alcOpenDevice(nullptr);
    if (engine->device == nullptr) {
        failure_ = "OpenAL could not open the default sound output device";
        const char* drivers = std::getenv("ALSOFT_DRIVERS");
        if (drivers != nullptr && drivers[0] != '\0') {
            failure_ += std::string(" (ALSOFT_DRIVERS=") + drivers + ")";
        }
        failure_ += ".";
        return false;
    }
    // The limiter is an extension: where it is missing, loud pile-ups clip as they would
    // anywhere else.
    const ALCint limiter[] = {ALC_OUTPUT_LIMITER_SOFT, useLimiter_ ? ALC_TRUE : ALC_FALSE, 0};
    const bool canLimit = alcIsExtensionPresent(engine->device, "ALC_SOFT_output_limiter");
    engine->context = alcCreateContext(engine->device, canLimit ? limiter : nullptr);
    if (engine->context == nullptr || alcMakeContextCurrent(engine->context) != ALC_TRUE) {
        const char* name = alcGetString(engine->device, ALC_DEVICE_SPECIFIER);
        failure_ = std::string("OpenAL opened the sound output device \"") +
                   (name != nullptr ? name : "?") + "\" but could not start mixing on it.";
        return false;
    }
    // Inverse distance, clamped: full volume within a voice's reference distance (its curve
    // distance scaler), scaler / distance beyond. Voices set their own reference distance.
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alListenerf(AL_GAIN, kCalibratedGain * masterGain_);
    alGetError();

    engine_ = std::move(engine);
    liveGeneration_ = ++lastGeneration_;
    if (liveGeneration_ == 0) liveGeneration_ = ++lastGeneration_;  // 0 means "no device"
    listenerFront_ = Vector3(0.0f, 0.0f, 1.0f);
    return true;
}

void AudioManager::SetMasterGain(float gain) {
    if (!(gain > 0.0f)) gain = 0.0f;  // negative and NaN alike: silence
    masterGain_ = gain;
    if (engine_) alListenerf(AL_GAIN, kCalibratedGain * masterGain_);
}

void AudioManager::SetGroupGain(SoundGroup group, float gain) {
    if (!(gain > 0.0f)) gain = 0.0f;  // negative and NaN alike: silence
    // OpenAL holds a source's gain at or under 1 anyway (AL_MAX_GAIN); keeping the factor
    // there too means the level asked for is the level heard.
    gain = std::min(gain, 1.0f);
    (group == SoundGroup::Music ? musicGain_ : effectsGain_) = gain;
    if (!engine_) return;
    for (FwSoundInstance* voice : voices_) {
        if (voice->GetGroup() == group) voice->ApplyGain();
    }
}

float AudioManager::GetGroupGain(SoundGroup group) const {
    return group == SoundGroup::Music ? musicGain_ : effectsGain_;
}

bool AudioManager::IsLimiting() const {
    if (!engine_) return false;
    ALCint on = ALC_FALSE;
    alcGetIntegerv(engine_->device, ALC_OUTPUT_LIMITER_SOFT, 1, &on);
    return on == ALC_TRUE;
}

void AudioManager::Update() {
    if (!engine_) return;
    for (auto it = playList_.begin(); it != playList_.end();) {
        if (!it->second || !it->second->IsPlaying()) {
            it = playList_.erase(it);
        } else {
            ++it;
        }
    }
}

bool AudioManager::PauseOutput(bool pause) {
    if (!engine_) return false;
    if (pause == outputPaused_) return true;
    if (alcIsExtensionPresent(engine_->device, "ALC_SOFT_pause_device") != ALC_TRUE) return false;
    // Looked up at run time: the extension's functions are not exported by every build.
    using DeviceCall = void(ALC_APIENTRY*)(ALCdevice*);
    const char* name = pause ? "alcDevicePauseSOFT" : "alcDeviceResumeSOFT";
    auto call = reinterpret_cast<DeviceCall>(alcGetProcAddress(engine_->device, name));
    if (call == nullptr) return false;
    call(engine_->device);
    outputPaused_ = pause;
    return true;
}

void AudioManager::SetListener(const Vector3& position, const Vector3& front, const Vector3& top) {
    listenerPosition_ = position;
    if (front.LengthSquared() > 0.0f) listenerFront_ = front;
    if (top.LengthSquared() > 0.0f) listenerTop_ = top;
}

void AudioManager::AddToPlayList(std::shared_ptr<FwSoundInstance> instance) {
    if (!instance) return;
    const FwSoundInstance* key = instance.get();
    playList_[key] = std::move(instance);
}

bool AudioManager::IsInPlayList(const FwSoundInstance* instance) const {
    return playList_.find(instance) != playList_.end();
}

void AudioManager::Release() {
    // Voices first: their sources must be deleted while the context still exists.
    PlayList voices;
    voices.swap(playList_);
    voices.clear();
    // Voices still held elsewhere outlive the device as mute shells and never call back.
    voices_.clear();
    liveGeneration_ = 0;
    engine_.reset();
    outputPaused_ = false;
}
