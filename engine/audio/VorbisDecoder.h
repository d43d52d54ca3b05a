#pragma once

#include <cstddef>
#include <string>

#include "engine/audio/WavDecoder.h"

// Reads Ogg Vorbis data (the browser build's sounds) through stb_vorbis into PcmSound:
// 16-bit samples, mono kept mono, two or more channels given as stereo (stb_vorbis mixes
// the rest in), the rate kept. Like the WAV decoder it would rather give nothing than part
// of a sound: a stream cut short (no end-of-stream page), one that stops decoding before
// the length its last page declares, or one longer than ten minutes is refused.
class VorbisDecoder {
public:
    // "OggS" at the start: the data is an Ogg stream (what DecodeMemory expects).
    static bool LooksLikeOgg(const void* data, std::size_t size);
    // False (and out left empty) for a missing, non-Vorbis, corrupt or truncated file.
    static bool DecodeFile(const std::string& path, PcmSound& out);
    static bool DecodeMemory(const void* data, std::size_t size, PcmSound& out);
};
