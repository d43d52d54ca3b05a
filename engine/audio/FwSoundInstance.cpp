#include "engine/audio/FwSoundInstance.h"

#include <AL/al.h>

#include <cmath>
#include <limits>

#include "engine/audio/AudioManager.h"
#include "engine/audio/FwSoundEffect.h"
#include "engine/audio/SoundBuffer.h"

namespace {

// Listener-space offset of a world point, mapped to OpenAL's right-handed listener frame
// (x right, y up, looking down -z). The game's world is left-handed with z forward.
Vector3 ToListenerSpace(const Vector3& point) {
    const AudioManager& manager = AudioManager::GetInstance();
    Vector3 front = manager.GetListenerFront().Normalized();
    Vector3 right = manager.GetListenerTop().Cross(front).Normalized();
    if (right.LengthSquared() == 0.0f) {
        // Top parallel to front: any right angle to front will do.
        right = Vector3(0.0f, 1.0f, 0.0f).Cross(front).Normalized();
        if (right.LengthSquared() == 0.0f) right = Vector3(1.0f, 0.0f, 0.0f);
    }
    const Vector3 up = front.Cross(right);
    const Vector3 d = point - manager.GetListenerPosition();
    return {d.Dot(right), d.Dot(up), -d.Dot(front)};
}

}  // namespace

FwSoundInstance::FwSoundInstance(std::shared_ptr<FwSoundEffect> source,
                                 std::shared_ptr<const SoundBuffer> buffer, bool use3D)
    : source_(std::move(source)), buffer_(std::move(buffer)), is3D_(use3D) {
    const uint32_t generation = AudioManager::CurrentDeviceGeneration();
    if (!buffer_ || !AudioManager::IsDeviceLive(generation) ||
        buffer_->GetGeneration() != generation) {
        return;
    }
    alGetError();
    ALuint name = 0;
    alGenSources(1, &name);
    if (alGetError() != AL_NO_ERROR) return;
    alSourcei(name, AL_BUFFER, static_cast<ALint>(buffer_->GetName()));
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &name);
        return;
    }
    // Every voice is placed relative to the listener: a plain one at its head (no
    // attenuation, no panning), a positioned one at the offset Apply3D computes at start.
    alSourcei(name, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(name, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(name, AL_ROLLOFF_FACTOR, 1.0f);
    alSourcef(name, AL_REFERENCE_DISTANCE, curveDistanceScaler_);
    alSourcef(name, AL_MAX_DISTANCE, std::numeric_limits<float>::max());
    alSourcei(name, AL_LOOPING, AL_FALSE);
    alSource_ = name;
    generation_ = generation;
    AudioManager::GetInstance().AddVoice(this);
    ApplyGain();
}

FwSoundInstance::~FwSoundInstance() {
    if (!IsValid()) return;
    AudioManager::GetInstance().RemoveVoice(this);
    ALuint name = alSource_;
    alSourceStop(name);
    alSourcei(name, AL_BUFFER, 0);
    alDeleteSources(1, &name);
}

bool FwSoundInstance::IsValid() const {
    return alSource_ != 0 && AudioManager::IsDeviceLive(generation_);
}

void FwSoundInstance::Play(bool loop, bool addToPlayList) {
    if (!IsValid()) return;
    alSourceStop(alSource_);
    alSourcei(alSource_, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(alSource_);
    if (addToPlayList) AudioManager::GetInstance().AddToPlayList(weak_from_this().lock());
}

void FwSoundInstance::Play3D(const Vector3& position, bool loop, bool addToPlayList) {
    if (!IsValid()) return;
    alSourceStop(alSource_);
    alSourcei(alSource_, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    // Placed before it starts so the first mixed samples are already in place.
    emitterPosition_ = position;
    Apply3D();
    alSourcePlay(alSource_);
    if (addToPlayList) AudioManager::GetInstance().AddToPlayList(weak_from_this().lock());
}

void FwSoundInstance::SetVolume(float volume) {
    if (!IsValid()) return;
    if (!(volume > 0.0f)) volume = 0.0f;  // also catches NaN, which OpenAL would refuse
    volume_ = volume;
    ApplyGain();
}

void FwSoundInstance::SetGroup(SoundGroup group) {
    if (!IsValid()) return;
    group_ = group;
    ApplyGain();
}

void FwSoundInstance::ApplyGain() {
    alSourcef(alSource_, AL_GAIN, volume_ * AudioManager::GetInstance().GetGroupGain(group_));
}

float FwSoundInstance::GetMixGain() const {
    if (!IsValid()) return 0.0f;
    ALfloat gain = 0.0f;
    alGetSourcef(alSource_, AL_GAIN, &gain);
    return gain;
}

void FwSoundInstance::SetCurveDistanceScaler(float scaler) {
    if (!IsValid()) return;
    if (std::isnan(scaler)) return;
    if (scaler <= 0.0f) scaler = std::numeric_limits<float>::min();
    if (scaler > std::numeric_limits<float>::max()) scaler = std::numeric_limits<float>::max();
    curveDistanceScaler_ = scaler;
    alSourcef(alSource_, AL_REFERENCE_DISTANCE, curveDistanceScaler_);
    Apply3D();
}

void FwSoundInstance::Apply3D() {
    if (!is3D_) return;
    const Vector3 p = ToListenerSpace(emitterPosition_);
    alSource3f(alSource_, AL_POSITION, p.x, p.y, p.z);
}

void FwSoundInstance::Stop() {
    if (IsValid()) alSourceStop(alSource_);
}

void FwSoundInstance::Pause() {
    if (IsValid() && GetState() == State::Playing) alSourcePause(alSource_);
}

void FwSoundInstance::Resume() {
    if (IsValid() && GetState() == State::Paused) alSourcePlay(alSource_);
}

FwSoundInstance::State FwSoundInstance::GetState() const {
    if (!IsValid()) return State::Stopped;
    ALint state = AL_STOPPED;
    alGetSourcei(alSource_, AL_SOURCE_STATE, &state);
    if (state == AL_PLAYING) return State::Playing;
    if (state == AL_PAUSED) return State::Paused;
    return State::Stopped;
}

float FwSoundInstance::GetPlaybackSeconds() const {
    if (!IsValid()) return 0.0f;
    ALfloat seconds = 0.0f;
    alGetSourcef(alSource_, AL_SEC_OFFSET, &seconds);
    return seconds;
}
