#include "engine/audio/VorbisDecoder.h"

// The decoder's code is compiled once elsewhere: in Debian's libstb on Linux, in the stb
// unit of the Windows build's libraries and in the browser build's own on the web.
#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace {

constexpr double kMaxSeconds = 600.0;

struct StbVorbis {
    stb_vorbis* handle = nullptr;
    ~StbVorbis() {
        if (handle) stb_vorbis_close(handle);
    }
};

// Whether the last Ogg page of the data ends the stream (its header flags 0x04). A file cut
// anywhere before its end has lost that page.
bool EndsWithLastPage(const unsigned char* bytes, std::size_t size) {
    constexpr std::size_t kHeader = 27;  // fixed part of a page header
    if (size < kHeader) return false;
    for (std::size_t at = size - kHeader + 1; at-- > 0;) {
        if (std::memcmp(bytes + at, "OggS", 4) != 0 || bytes[at + 4] != 0) continue;
        const std::size_t segments = bytes[at + 26];
        if (at + kHeader + segments > size) continue;
        std::size_t body = 0;
        for (std::size_t s = 0; s < segments; ++s) body += bytes[at + kHeader + s];
        // The last page must be whole and reach the end of the data exactly ("OggS" inside
        // a packet is no page).
        if (at + kHeader + segments + body != size) continue;
        return (bytes[at + 5] & 0x04) != 0;
    }
    return false;
}

}  // namespace

bool VorbisDecoder::LooksLikeOgg(const void* data, std::size_t size) {
    return data != nullptr && size >= 4 && std::memcmp(data, "OggS", 4) == 0;
}

bool VorbisDecoder::DecodeFile(const std::string& path, PcmSound& out) {
    out = PcmSound{};
    if (path.empty()) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    if (file.bad()) return false;
    return DecodeMemory(bytes.data(), bytes.size(), out);
}

bool VorbisDecoder::DecodeMemory(const void* data, std::size_t size, PcmSound& out) {
    out = PcmSound{};
    if (!LooksLikeOgg(data, size) || size > static_cast<std::size_t>(INT32_MAX)) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!EndsWithLastPage(bytes, size)) return false;
    int error = 0;
    StbVorbis vorbis;
    vorbis.handle = stb_vorbis_open_memory(bytes, static_cast<int>(size), &error, nullptr);
    if (!vorbis.handle) return false;
    const stb_vorbis_info info = stb_vorbis_get_info(vorbis.handle);
    if (info.channels <= 0 || info.sample_rate == 0 || info.sample_rate > 384000) return false;
    const unsigned declared = stb_vorbis_stream_length_in_samples(vorbis.handle);
    const double limit = kMaxSeconds * info.sample_rate;
    if (declared == 0 || declared > limit) return false;

    const int channels = info.channels >= 2 ? 2 : 1;
    std::vector<int16_t> samples;
    samples.reserve(static_cast<std::size_t>(declared) * channels);
    short chunk[4096];
    for (;;) {
        const int frames = stb_vorbis_get_samples_short_interleaved(vorbis.handle, channels, chunk,
                                                                    sizeof(chunk) / sizeof(short));
        if (frames <= 0) break;
        samples.insert(samples.end(), chunk, chunk + frames * channels);
        if (samples.size() > static_cast<std::size_t>(declared) * channels) return false;
    }
    if (samples.size() != static_cast<std::size_t>(declared) * channels) return false;
    out.channels = channels;
    out.sampleRate = static_cast<int>(info.sample_rate);
    out.samples = std::move(samples);
    return true;
}
