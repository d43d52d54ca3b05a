#include "TestWav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>

#include "support/Environment.h"

namespace {

void Put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

void PutSample(std::vector<uint8_t>& out, const TestWavFormat& format, double v) {
    v = std::clamp(v, -1.0, 1.0);
    if (format.formatTag == 3) {
        if (format.bitsPerSample == 64) {
            double d = v;
            uint64_t bits;
            std::memcpy(&bits, &d, 8);
            Put(out, bits, 8);
        } else {
            float f = static_cast<float>(v);
            uint32_t bits;
            std::memcpy(&bits, &f, 4);
            Put(out, bits, 4);
        }
        return;
    }
    switch (format.bitsPerSample) {
        case 8:
            Put(out, static_cast<uint8_t>(std::lround(v * 127.0) + 128), 1);
            break;
        case 24:
            Put(out, static_cast<uint32_t>(static_cast<int32_t>(std::lround(v * 8388607.0))), 3);
            break;
        case 32:
            Put(out, static_cast<uint32_t>(static_cast<int32_t>(std::llround(v * 2147483647.0))),
                4);
            break;
        default:
            Put(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767.0))), 2);
            break;
    }
}

}  // namespace

std::vector<uint8_t> MakeWav(const TestWavFormat& format, const std::vector<double>& samples) {
    std::vector<uint8_t> data;
    for (double v : samples) PutSample(data, format, v);
    const uint32_t blockAlign = format.channels * format.bitsPerSample / 8u;

    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put(out, 4 + 8 + 16 + 8 + data.size(), 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put(out, 16, 4);
    Put(out, format.formatTag, 2);
    Put(out, format.channels, 2);
    Put(out, format.sampleRate, 4);
    Put(out, format.sampleRate * blockAlign, 4);
    Put(out, blockAlign, 2);
    Put(out, format.bitsPerSample, 2);
    PutTag(out, "data");
    Put(out, data.size(), 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<double> MakeTone(double seconds, double frequency, double amplitude,
                             uint32_t sampleRate) {
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<double> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        samples[i] = amplitude * std::sin(2.0 * std::numbers::pi * frequency * i / sampleRate);
    }
    return samples;
}

namespace {

bool tempDirCreatedHere = false;

// Removes this process's temporary directory after the last test (children of death tests
// exit before that and leave their parent's directory alone).
class TempDirCleanup : public ::testing::Environment {
public:
    void TearDown() override {
        if (!tempDirCreatedHere) return;
        std::error_code ignored;
        std::filesystem::remove_all(TestTempDir(), ignored);
    }
};

const auto* const cleanupRegistration = ::testing::AddGlobalTestEnvironment(new TempDirCleanup);

}  // namespace

std::string TestTempDir() {
    // Shared through the environment with the child processes of death tests, which run the
    // test body again and must find the parent's files.
    static const std::string dir = [] {
        const char* inherited = std::getenv("HOSHIKAGE_AUDIO_TEST_DIR");
        std::filesystem::path path;
        if (inherited != nullptr && *inherited != '\0') {
            path = inherited;
        } else {
            std::random_device random;
            path = std::filesystem::temp_directory_path() /
                   ("hoshikage-audio-test-" + std::to_string(random()));
            SetEnv("HOSHIKAGE_AUDIO_TEST_DIR", path.string().c_str());
            tempDirCreatedHere = true;
        }
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return dir;
}

std::string WriteTestFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = TestTempDir() + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string WriteFreshTone(double seconds, double frequency, double amplitude) {
    static int counter = 0;
    const TestWavFormat format;
    return WriteTestFile(
        "tone" + std::to_string(++counter) + ".wav",
        MakeWav(format, MakeTone(seconds, frequency, amplitude, format.sampleRate)));
}

void SelectOpenAlBackend(const char* driver) {
    SetEnv("ALSOFT_DRIVERS", driver);
    SetEnv("ALSOFT_LOGLEVEL", "0", false);
}
