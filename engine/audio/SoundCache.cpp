#include "engine/audio/SoundCache.h"

#include <map>

#include "engine/audio/AudioManager.h"

namespace {

std::map<std::string, std::shared_ptr<FwSoundEffect>>& Cache() {
    // The manager is touched first so that it is constructed first and destroyed last: the
    // cached effects must not outlive it during exit.
    AudioManager::GetInstance();
    static std::map<std::string, std::shared_ptr<FwSoundEffect>> cache;
    return cache;
}

}  // namespace

std::shared_ptr<FwSoundEffect> GetSound(const std::string& path) {
    auto& cache = Cache();
    auto it = cache.find(path);
    if (it != cache.end()) {
        // Loaded once on a device that has since been closed: load it on the current one.
        const std::shared_ptr<FwSoundEffect>& effect = it->second;
        if (!effect->IsLoaded() && !effect->GetFilePath().empty() &&
            AudioManager::GetInstance().IsInitialized()) {
            effect->Load(path);
        }
        return effect;
    }
    auto effect = std::make_shared<FwSoundEffect>();
    effect->Load(path);  // a failed load stays cached as an empty effect
    cache.emplace(path, effect);
    return effect;
}

namespace {

std::shared_ptr<FwSoundInstance> PlayPlain(const std::string& path, float volume, bool loop,
                                           SoundGroup group) {
    std::shared_ptr<FwSoundInstance> instance = GetSound(path)->CreateInstance(false);
    if (!instance) return nullptr;
    // Grouped before it starts, so its first samples already sound at the group's level.
    instance->SetGroup(group);
    instance->SetVolume(volume);
    instance->Play(loop, true);
    return instance;
}

}  // namespace

std::shared_ptr<FwSoundInstance> PlaySound(const std::string& path, float volume, bool loop) {
    return PlayPlain(path, volume, loop, SoundGroup::Effects);
}

std::shared_ptr<FwSoundInstance> PlayMusic(const std::string& path, float volume, bool loop) {
    return PlayPlain(path, volume, loop, SoundGroup::Music);
}

void PlaySoundOnce(const std::string& path, float volume, bool loop) {
    PlaySound(path, volume, loop);
}

std::shared_ptr<FwSoundInstance> PlaySound3D(const std::string& path, const Vector3& position,
                                             float volume, bool loop, float scaler) {
    std::shared_ptr<FwSoundInstance> instance = GetSound(path)->CreateInstance(true);
    if (!instance) return nullptr;
    instance->SetVolume(volume);
    instance->SetCurveDistanceScaler(scaler);
    instance->Play3D(position, loop, true);
    return instance;
}

void PlaySound3DOnce(const std::string& path, const Vector3& position, float volume, bool loop,
                     float scaler) {
    PlaySound3D(path, position, volume, loop, scaler);
}
