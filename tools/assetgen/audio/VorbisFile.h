#pragma once

#include <filesystem>
#include <string>

#include "audio/Sound.h"

// Ogg Vorbis files: the browser build's sounds, a tenth of their WAV size, which the game
// decodes at load (engine/audio/VorbisDecoder).

// Quality on libvorbis's scale (-0.1 .. 1.0): 0.3 is oggenc's "-q 3", about 80 kbit/s for
// the generated mono sounds, where the codec's changes stay below what the mix lets one hear.
inline constexpr float kVorbisQuality = 0.3f;

// Encodes the sound as one mono Ogg Vorbis stream at its own rate. Deterministic: the same
// sound gives the same bytes (fixed stream serial number). False with the reason in error.
bool WriteVorbis(const std::filesystem::path& file, const Sound& sound, float quality,
                 std::string& error);
