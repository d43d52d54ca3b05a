#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Decoded sound: interleaved signed 16-bit samples, one or two channels.
struct PcmSound {
    int channels = 0;
    int sampleRate = 0;            // frames per second
    std::vector<int16_t> samples;  // channels × frames values

    std::size_t GetFrameCount() const {
        return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
    }
};

// The same as 32-bit floats, nominally -1..1; a float file keeps values beyond full scale
// (what a mix would have clipped to), which is what level measurements need to see.
struct FloatPcmSound {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;  // channels × frames values

    std::size_t GetFrameCount() const {
        return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
    }
};

// Reads RIFF/WAVE data through SDL's decoder and converts it to PcmSound. Formats: PCM 8, 16,
// 24 and 32 bits, 32-bit IEEE float, A-law, mu-law, MS and IMA ADPCM; more than two channels are
// mixed down to stereo, the rate is kept. A data chunk shorter than its header declares is
// refused rather than played in part, before anything is allocated for it (SDL would first
// allocate what the header claims). Needs no open audio device and no SDL_Init.
class WavDecoder {
public:
    // False (and out left empty) for a missing file, a non-WAV file, a corrupt or truncated
    // file, or one without a single whole frame.
    static bool DecodeFile(const std::string& path, PcmSound& out);
    static bool DecodeMemory(const void* data, std::size_t size, PcmSound& out);
    // The same rules, decoded to floats (for analysis; the game plays 16-bit sounds).
    static bool DecodeFile(const std::string& path, FloatPcmSound& out);
};
