#include "engine/audio/WavDecoder.h"

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace {

// SDL_LoadWAV frees nothing on our behalf; this owns its buffer.
struct SdlWavData {
    Uint8* data = nullptr;
    ~SdlWavData() { SDL_FreeWAV(data); }
};

// The sample format, rate and channels SDL_LoadWAV_RW reads from the file's header.
using WavFormat =
    std::remove_pointer_t<decltype(SDL_LoadWAV_RW(nullptr, 0, nullptr, nullptr, nullptr))>;

uint32_t Le32(const Uint8* b) {
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// SDL allocates a chunk's declared size before it reads the chunk, so a file of a few bytes
// that claims a 4 GB data chunk has it ask for 4 GB. The chunks it reads up to the first
// "data" (format, fact and data) must fit in the bytes that are there; the others it skips,
// and so does this walk. Like SDL it takes a file that starts with "WAVE" (no RIFF header)
// as chunks from byte 4. Leaves the stream at its start.
bool ChunksFit(SDL_RWops* rw) {
    const Sint64 size = SDL_RWsize(rw);
    Uint8 header[12];
    Sint64 at = -1;
    if (size >= 12 && SDL_RWread(rw, header, 1, 12) == 12) {
        if (std::memcmp(header, "RIFF", 4) == 0) at = 12;
        if (std::memcmp(header, "WAVE", 4) == 0) at = 4;
    }
    bool fit = true;
    while (at >= 0 && at + 8 <= size && SDL_RWseek(rw, at, RW_SEEK_SET) == at &&
           SDL_RWread(rw, header, 1, 8) == 8) {
        const Sint64 length = Le32(header + 4);
        const Sint64 body = at + 8;
        const bool data = std::memcmp(header, "data", 4) == 0;
        if ((data || std::memcmp(header, "fmt ", 4) == 0 || std::memcmp(header, "fact", 4) == 0) &&
            length > size - body) {
            fit = false;
            break;
        }
        if (data) break;
        at = body + length + (length & 1);  // chunks are padded to even sizes
    }
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    return fit;
}

template <typename Sound>
bool DecodeRw(SDL_RWops* rw, Sound& out) {
    using Value = typename decltype(Sound::samples)::value_type;
    constexpr SDL_AudioFormat kTarget = std::is_same_v<Value, float> ? AUDIO_F32SYS : AUDIO_S16SYS;
    out = Sound{};
    if (rw == nullptr) return false;
    if (!ChunksFit(rw)) {
        SDL_RWclose(rw);
        return false;
    }
    // By default SDL plays a truncated data chunk up to where it ends; a cut-off file is a
    // broken asset, and we would rather hear nothing than half a sound. The RIFF size field
    // is still ignored, since many writers get it wrong.
    SDL_SetHintWithPriority(SDL_HINT_WAVE_TRUNCATION, "strict", SDL_HINT_DEFAULT);

    WavFormat source{};
    SdlWavData wav;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(rw, 1, &source, &wav.data, &length) == nullptr) return false;
    if (source.channels == 0 || source.freq <= 0 || length == 0) return false;

    const Uint8 outChannels = source.channels >= 2 ? 2 : 1;
    SDL_AudioCVT cvt{};
    const int built = SDL_BuildAudioCVT(&cvt, source.format, source.channels, source.freq, kTarget,
                                        outChannels, source.freq);
    if (built < 0) return false;

    const int inFrameBytes =
        static_cast<int>(SDL_AUDIO_BITSIZE(source.format) / 8) * source.channels;
    const Uint32 wholeFrames = length / static_cast<Uint32>(inFrameBytes);
    if (wholeFrames == 0) return false;
    const Uint32 inBytes = wholeFrames * static_cast<Uint32>(inFrameBytes);
    // A sound already in the wanted form is taken straight from SDL's buffer, without a
    // working copy (a music track is several megabytes, and each copy raises the peak).
    const Uint8* result = wav.data;
    std::size_t resultBytes = inBytes;
    std::vector<Uint8> work;
    if (built == 1) {
        // The conversion works in place in a buffer len_mult times the input.
        if (cvt.len_mult <= 0 ||
            inBytes > static_cast<Uint32>(std::numeric_limits<int>::max() / cvt.len_mult)) {
            return false;
        }
        work.resize(static_cast<std::size_t>(inBytes) * cvt.len_mult);
        std::memcpy(work.data(), wav.data, inBytes);
        cvt.buf = work.data();
        cvt.len = static_cast<int>(inBytes);
        if (SDL_ConvertAudio(&cvt) != 0) return false;
        result = work.data();
        resultBytes = static_cast<std::size_t>(cvt.len_cvt);
    }

    const std::size_t frameValues = outChannels;
    const std::size_t values = resultBytes / sizeof(Value);
    const std::size_t wholeValues = values - values % frameValues;
    if (wholeValues == 0) return false;

    out.channels = outChannels;
    out.sampleRate = source.freq;
    out.samples.resize(wholeValues);
    std::memcpy(out.samples.data(), result, wholeValues * sizeof(Value));
    return true;
}

}  // namespace

bool WavDecoder::DecodeFile(const std::string& path, PcmSound& out) {
    out = PcmSound{};
    if (path.empty()) return false;
    return DecodeRw(SDL_RWFromFile(path.c_str(), "rb"), out);
}

bool WavDecoder::DecodeMemory(const void* data, std::size_t size, PcmSound& out) {
    out = PcmSound{};
    if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) return false;
    return DecodeRw(SDL_RWFromConstMem(data, static_cast<int>(size)), out);
}

bool WavDecoder::DecodeFile(const std::string& path, FloatPcmSound& out) {
    out = FloatPcmSound{};
    if (path.empty()) return false;
    return DecodeRw(SDL_RWFromFile(path.c_str(), "rb"), out);
}
