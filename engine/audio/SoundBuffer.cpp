#include "engine/audio/SoundBuffer.h"

#include <AL/al.h>

#include <limits>

#include "engine/audio/AudioManager.h"
#include "engine/audio/WavDecoder.h"

std::shared_ptr<const SoundBuffer> SoundBuffer::Create(const PcmSound& pcm) {
    const uint32_t generation = AudioManager::CurrentDeviceGeneration();
    if (!AudioManager::IsDeviceLive(generation)) return nullptr;
    if (pcm.channels < 1 || pcm.channels > 2 || pcm.sampleRate <= 0 || pcm.samples.empty()) {
        return nullptr;
    }
    const std::size_t bytes = pcm.samples.size() * sizeof(int16_t);
    if (bytes > static_cast<std::size_t>(std::numeric_limits<ALsizei>::max())) return nullptr;

    alGetError();  // start from a clean error state
    ALuint name = 0;
    alGenBuffers(1, &name);
    if (alGetError() != AL_NO_ERROR) return nullptr;
    alBufferData(name, pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16,
                 pcm.samples.data(), static_cast<ALsizei>(bytes), pcm.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &name);
        return nullptr;
    }

    std::shared_ptr<SoundBuffer> buffer(new SoundBuffer());
    buffer->name_ = name;
    buffer->generation_ = generation;
    buffer->durationSeconds_ =
        static_cast<float>(static_cast<double>(pcm.GetFrameCount()) / pcm.sampleRate);
    return buffer;
}

SoundBuffer::~SoundBuffer() {
    if (name_ != 0 && AudioManager::IsDeviceLive(generation_)) {
        ALuint name = name_;
        alDeleteBuffers(1, &name);
    }
}
