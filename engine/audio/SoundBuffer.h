#pragma once

#include <cstdint>
#include <memory>

struct PcmSound;

// Internal to engine/audio: one OpenAL buffer holding decoded samples, on the device that
// was open when it was made. Shared by the effect that loaded it and by every voice playing
// it, so it outlives all sources attached to it. Deleting after its device closed is a no-op.
class SoundBuffer {
public:
    // Null when no device is open, the sound is empty or OpenAL refuses the data.
    static std::shared_ptr<const SoundBuffer> Create(const PcmSound& pcm);
    ~SoundBuffer();

    uint32_t GetName() const { return name_; }
    uint32_t GetGeneration() const { return generation_; }
    float GetDurationSeconds() const { return durationSeconds_; }

    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

private:
    SoundBuffer() = default;

    uint32_t name_ = 0;
    uint32_t generation_ = 0;
    float durationSeconds_ = 0.0f;
};
