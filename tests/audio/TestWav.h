#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Small WAV files written by the tests themselves, and the null-backend fixture.

struct TestWavFormat {
    uint16_t formatTag = 1;  // 1 integer PCM, 3 IEEE float
    uint16_t channels = 1;
    uint32_t sampleRate = 22050;
    uint16_t bitsPerSample = 16;
};

// A complete RIFF/WAVE image of the interleaved samples (each in -1..1).
std::vector<uint8_t> MakeWav(const TestWavFormat& format, const std::vector<double>& samples);
// A mono sine of the given length, frequency (Hz) and peak amplitude.
std::vector<double> MakeTone(double seconds, double frequency, double amplitude,
                             uint32_t sampleRate);

// A directory of its own for this test process, created on first use.
std::string TestTempDir();
// Writes bytes to TestTempDir()/name and returns the full path.
std::string WriteTestFile(const std::string& name, const std::vector<uint8_t>& bytes);
// Writes a mono 16-bit tone under a name never used before in this process, so that the
// process-wide sound cache sees a fresh path.
std::string WriteFreshTone(double seconds, double frequency = 440.0, double amplitude = 0.5);

// Sets OpenAL Soft's backend for devices opened later in this process. OpenAL reads it
// once, when the process first touches it.
void SelectOpenAlBackend(const char* driver);
