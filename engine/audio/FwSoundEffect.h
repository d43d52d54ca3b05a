#pragma once

#include <memory>
#include <string>

class FwSoundInstance;
class SoundBuffer;

// One loaded sound file, shared through std::shared_ptr (always create it with
// std::make_shared: it hands out handles to itself to the voices it creates). The path names
// a WAV file; where only an Ogg Vorbis file of that name with ".ogg" exists, that is read
// (DecodeSoundFile).
//
// Accepted: RIFF/WAVE with PCM 8, 16, 24 or 32 bits, IEEE float 32 bits, A-law, mu-law,
// MS and IMA ADPCM, one or more channels at any rate SDL accepts; Ogg Vorbis. Samples are
// stored as 16-bit; more than two channels are mixed down to stereo. Positional playback
// needs mono data (OpenAL does not place multi-channel sounds in space).
// Refused, leaving the effect as it was: no open audio device, a missing or unreadable file,
// another format, a corrupt header, data shorter than it declares, no samples.
class FwSoundEffect : public std::enable_shared_from_this<FwSoundEffect> {
public:
    FwSoundEffect();
    ~FwSoundEffect();

    // True when the file was decoded and uploaded; the path is kept only then.
    bool Load(const std::string& path);
    // A new stopped voice on this sound at volume 1.0, or an empty handle when there is no
    // device or nothing is loaded. The voice keeps this effect alive.
    std::shared_ptr<FwSoundInstance> CreateInstance(bool use3D);

    bool IsLoaded() const;
    const std::string& GetFilePath() const { return filepath_; }
    // Length of the loaded sound in seconds; 0 when empty.
    float GetDurationSeconds() const;

    FwSoundEffect(const FwSoundEffect&) = delete;
    FwSoundEffect& operator=(const FwSoundEffect&) = delete;

private:
    std::shared_ptr<const SoundBuffer> buffer_;  // null while nothing is loaded
    std::string filepath_;
};
