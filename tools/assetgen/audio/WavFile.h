#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/Sound.h"

// RIFF/WAVE PCM files as the game loads them: 16-bit little-endian samples.

// Writes the sound as mono 16-bit PCM. Samples are rounded and clamped to the 16-bit range.
bool WriteWav(const std::filesystem::path& file, const Sound& sound, std::string& error);

// What a PCM WAV file holds, for checking generated files.
struct WavData {
    int channels = 0;
    int rate = 0;
    int bitsPerSample = 0;
    std::vector<int16_t> samples;  // interleaved when channels > 1
};

// Reads a 16-bit PCM WAV (skipping unknown chunks). Returns false with the reason in error.
bool ReadWav(const std::filesystem::path& file, WavData& out, std::string& error);
