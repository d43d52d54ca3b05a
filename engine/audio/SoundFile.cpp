#include "engine/audio/SoundFile.h"

#include <fstream>

#include "engine/audio/VorbisDecoder.h"

bool DecodeSoundFile(const std::string& path, PcmSound& out) {
    out = PcmSound{};
    if (path.empty()) return false;
    std::string found = path;
    std::ifstream file(found, std::ios::binary);
    const std::string wav = ".wav";
    if (!file && path.size() > wav.size() &&
        path.compare(path.size() - wav.size(), wav.size(), wav) == 0) {
        found = path.substr(0, path.size() - wav.size()) + ".ogg";
        file.open(found, std::ios::binary);
    }
    if (!file) return false;
    char magic[4] = {};
    file.read(magic, sizeof(magic));
    const bool ogg = file.gcount() == sizeof(magic) && VorbisDecoder::LooksLikeOgg(magic, 4);
    file.close();
    return ogg ? VorbisDecoder::DecodeFile(found, out) : WavDecoder::DecodeFile(found, out);
}
