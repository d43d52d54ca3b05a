#include "engine/audio/FwSoundEffect.h"

#include "engine/audio/AudioManager.h"
#include "engine/audio/FwSoundInstance.h"
#include "engine/audio/SoundBuffer.h"
#include "engine/audio/SoundFile.h"

FwSoundEffect::FwSoundEffect() = default;
FwSoundEffect::~FwSoundEffect() = default;

bool FwSoundEffect::Load(const std::string& path) {
    if (!AudioManager::GetInstance().IsInitialized()) return false;
    PcmSound pcm;
    if (!DecodeSoundFile(path, pcm)) return false;
    std::shared_ptr<const SoundBuffer> buffer = SoundBuffer::Create(pcm);
    if (!buffer) return false;
    // Voices made from the previous buffer keep it alive until they go.
    buffer_ = std::move(buffer);
    filepath_ = path;
    return true;
}

bool FwSoundEffect::IsLoaded() const {
    return buffer_ != nullptr && AudioManager::IsDeviceLive(buffer_->GetGeneration());
}

float FwSoundEffect::GetDurationSeconds() const {
    return IsLoaded() ? buffer_->GetDurationSeconds() : 0.0f;
}

std::shared_ptr<FwSoundInstance> FwSoundEffect::CreateInstance(bool use3D) {
    if (!AudioManager::GetInstance().IsInitialized() || !IsLoaded()) return nullptr;
    std::shared_ptr<FwSoundEffect> self = weak_from_this().lock();
    if (!self) return nullptr;  // not owned by a shared handle: nothing could keep it alive
    std::shared_ptr<FwSoundInstance> instance(new FwSoundInstance(self, buffer_, use3D));
    if (!instance->IsValid()) return nullptr;
    instance->SetVolume(1.0f);
    return instance;
}
