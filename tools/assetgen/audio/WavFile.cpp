#include "audio/WavFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "core/FileBytes.h"

namespace {

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutU16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& b, const char* tag) {
    // Byte by byte: GCC 12 takes a range insert here for an overflow it cannot rule out.
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t GetU16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

bool WriteWav(const std::filesystem::path& file, const Sound& sound, std::string& error) {
    const uint32_t dataBytes = static_cast<uint32_t>(sound.Size() * 2);
    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataBytes);
    PutTag(bytes, "RIFF");
    PutU32(bytes, 36 + dataBytes);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    PutU32(bytes, 16);
    PutU16(bytes, 1);  // PCM
    PutU16(bytes, 1);  // mono
    PutU32(bytes, static_cast<uint32_t>(sound.Rate()));
    PutU32(bytes, static_cast<uint32_t>(sound.Rate()) * 2);
    PutU16(bytes, 2);
    PutU16(bytes, 16);
    PutTag(bytes, "data");
    PutU32(bytes, dataBytes);
    for (size_t i = 0; i < sound.Size(); ++i) {
        const long v = std::lround(static_cast<double>(sound[i]) * 32767.0);
        PutU16(bytes, static_cast<uint16_t>(static_cast<int16_t>(std::clamp(v, -32768L, 32767L))));
    }
    return WriteFileBytes(file, bytes, error);
}

bool ReadWav(const std::filesystem::path& file, WavData& out, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot open " + file.string();
        return false;
    }
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        error = "not a RIFF/WAVE file";
        return false;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string tag(b.begin() + static_cast<long>(at),
                              b.begin() + static_cast<long>(at) + 4);
        const uint32_t size = GetU32(b, at + 4);
        const size_t body = at + 8;
        if (body + size > b.size()) {
            error = "chunk " + tag + " runs past the end";
            return false;
        }
        if (tag == "fmt " && size >= 16) {
            if (GetU16(b, body) != 1) {
                error = "not PCM";
                return false;
            }
            out.channels = GetU16(b, body + 2);
            out.rate = static_cast<int>(GetU32(b, body + 4));
            out.bitsPerSample = GetU16(b, body + 14);
            haveFormat = true;
        } else if (tag == "data") {
            if (!haveFormat || out.bitsPerSample != 16) {
                error = "data before format, or not 16-bit";
                return false;
            }
            out.samples.resize(size / 2);
            for (size_t i = 0; i < out.samples.size(); ++i) {
                out.samples[i] = static_cast<int16_t>(GetU16(b, body + i * 2));
            }
            return true;
        }
        at = body + size + (size & 1u);
    }
    error = "no data chunk";
    return false;
}
