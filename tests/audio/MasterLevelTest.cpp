// The level the player hears, recorded through OpenAL Soft's wave backend: the volume
// keys move the mix by the expected decibels, mute is silence, the output limiter holds a
// pile-up under full scale, and the calibrated level puts the title music at its target.
//
// OpenAL Soft picks its backend once per process, so each recording is made in a child
// process started afresh (death-test machinery, "threadsafe" style); the parent measures.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "TestWav.h"
#include "app/VolumeControl.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/SoundCache.h"
#include "engine/audio/WavDecoder.h"
#include "support/Loudness.h"
#include "support/WaveRecording.h"

namespace {

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Both channels' RMS over 50-ms windows, in dB (minus infinity for digital silence).
std::vector<double> WindowLevels(const FloatPcmSound& pcm) {
    const std::size_t window = static_cast<std::size_t>(pcm.sampleRate) / 20;
    std::vector<double> levels;
    for (std::size_t first = 0; first + window <= pcm.GetFrameCount(); first += window) {
        double sum = 0.0;
        for (std::size_t i = first * 2; i < (first + window) * 2; ++i) {
            sum += static_cast<double>(pcm.samples[i]) * pcm.samples[i];
        }
        levels.push_back(10.0 * std::log10(sum / (2.0 * window)));
    }
    return levels;
}

double Median(std::vector<double> values) {
    if (values.empty()) return NAN;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

}  // namespace

TEST(MasterLevel, VolumeKeysMoveTheMixByTheExpectedDecibelsAndMuteIsSilence) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string output = TestTempDir() + "/volume-steps.wav";
    EXPECT_EXIT(
        {
            RecordOpenAlOutput(output, TestTempDir() + "/volume-alsoft.conf");
            const TestWavFormat format;
            const std::string tone =
                WriteTestFile("steady.wav", MakeWav(format, MakeTone(1.0, 997, 0.5, 22050)));
            SettingsStore store;
            VolumeControl volume(store);
            volume.Start();
            if (!AudioManager::GetInstance().Initialize()) std::exit(2);
            auto voice = PlaySound(tone, 0.05f, true);
            if (!voice) std::exit(3);
            Wait(0.8);
            for (int i = 0; i < 10; ++i) volume.Handle(PlatformCommand::VolumeDown);  // 50 %
            Wait(0.8);
            volume.Handle(PlatformCommand::ToggleMute);
            Wait(0.8);
            AudioManager::GetInstance().Release();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    FloatPcmSound pcm;
    ASSERT_TRUE(WavDecoder::DecodeFile(output, pcm));
    ASSERT_EQ(pcm.channels, 2);
    const std::vector<double> levels = WindowLevels(pcm);
    // The full-volume level from the first windows after the onset; the half-volume level
    // from every window well below it but not silent (a change's window or two fall in
    // between and do not move the median).
    const auto onset = std::find_if(levels.begin(), levels.end(), [](double l) { return l > -90; });
    ASSERT_GT(levels.end() - onset, 10);
    const double full = Median({onset + 1, onset + 9});
    std::vector<double> half;
    for (auto it = onset; it != levels.end(); ++it) {
        if (*it < full - 6.0 && *it > full - 20.0) half.push_back(*it);
    }
    ASSERT_GE(half.size(), 8u) << "no stretch at half volume";
    // Half the volume is a quarter of the amplitude.
    EXPECT_NEAR(Median(half) - full, -12.04, 0.3);
    // Muted: digital silence to the end (the last 0.3 s at least).
    const std::size_t tail = static_cast<std::size_t>(pcm.sampleRate) * 3 / 10 * 2;
    ASSERT_GT(pcm.samples.size(), tail);
    const float loudest =
        std::abs(*std::max_element(pcm.samples.end() - static_cast<long>(tail), pcm.samples.end(),
                                   [](float a, float b) { return std::abs(a) < std::abs(b); }));
    EXPECT_EQ(loudest, 0.0f);
    std::filesystem::remove(output);
}

// Three tones far past full scale at the calibrated level: with the limiter no sample
// leaves the range a 16-bit output can hold; without it many do (so the test can tell).
TEST(MasterLevel, OutputLimiterHoldsAPileUpUnderFullScale) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string limited = TestTempDir() + "/limited.wav";
    const std::string unlimited = TestTempDir() + "/unlimited.wav";
    const std::string output = TestTempDir() + "/pile-up.wav";
    EXPECT_EXIT(
        {
            RecordOpenAlOutput(output, TestTempDir() + "/pile-up-alsoft.conf");
            const TestWavFormat format;
            const std::string tone =
                WriteTestFile("loud.wav", MakeWav(format, MakeTone(0.6, 440, 0.8, 22050)));
            AudioManager& manager = AudioManager::GetInstance();
            for (const bool limit : {true, false}) {
                AudioManager::UseOutputLimiter(limit);
                if (!manager.Initialize() || manager.IsLimiting() != limit) std::exit(2);
                for (int i = 0; i < 3; ++i) PlaySoundOnce(tone, 1.0f, false);
                Wait(0.9);
                manager.Release();
                std::filesystem::rename(output, limit ? limited : unlimited);
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    LoudnessFigures held, clipped;
    ASSERT_TRUE(MeasureLoudnessFile(limited, held));
    ASSERT_TRUE(MeasureLoudnessFile(unlimited, clipped));
    EXPECT_GT(clipped.overFullScale, 1000u);
    EXPECT_GT(clipped.samplePeak, 10.0);
    EXPECT_EQ(held.overFullScale, 0u);
    EXPECT_LE(held.samplePeak, 0.001);
    // Held, not silenced: the pile-up still plays near full scale.
    EXPECT_GT(held.samplePeak, -3.0);
    std::filesystem::remove(limited);
    std::filesystem::remove(unlimited);
}

// The calibration itself: the title music at the game's volume, at the default master
// level, lands on the loudness the mix is made for. Needs the generated Data/.
TEST(MasterLevel, TitleMusicAtTheCalibratedLevelMeasuresMinus23Lufs) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string output = TestTempDir() + "/title-music.wav";
    EXPECT_EXIT(
        {
            RecordOpenAlOutput(output, TestTempDir() + "/title-alsoft.conf");
            if (!AudioManager::GetInstance().Initialize()) std::exit(2);
            if (!PlaySound("Data/sound/title.wav", 0.03f, true)) std::exit(3);
            Wait(8.0);
            AudioManager::GetInstance().Release();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    LoudnessFigures figures;
    ASSERT_TRUE(MeasureLoudnessFile(output, figures));
    EXPECT_NEAR(figures.integrated, -23.0, 1.5);
    EXPECT_LE(figures.truePeak, -1.0);
    std::filesystem::remove(output);
}
