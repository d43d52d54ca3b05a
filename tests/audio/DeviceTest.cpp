#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "TestWav.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/SoundCache.h"
#include "engine/audio/WavDecoder.h"
#include "support/Environment.h"

// OpenAL Soft picks its backend once per process, so each test here does its device work in
// a child process started afresh (death-test machinery, "threadsafe" style re-executes the
// binary rather than forking a process whose OpenAL threads are already running).

TEST(NoDeviceTest, InitializeFailsWhenNoBackendCanOpenADevice) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string tone = WriteFreshTone(0.05);
    EXPECT_EXIT(
        {
            SelectOpenAlBackend("no-such-backend");
            AudioManager& manager = AudioManager::GetInstance();
            int code = manager.Initialize() ? 1 : 0;
            if (manager.IsInitialized()) code |= 2;
            if (PlaySound(tone, 1.0f, false)) code |= 4;
            manager.Update();
            manager.Release();
            std::exit(code);
        },
        ::testing::ExitedWithCode(0), "");
}

namespace {

struct Burst {
    double start = 0;  // seconds
    double end = 0;
    double rmsLeft = 0;
    double rmsRight = 0;
    double Duration() const { return end - start; }
    // Both channels' power together: panning moves sound between them but keeps roughly this.
    double Rms() const { return std::sqrt(rmsLeft * rmsLeft + rmsRight * rmsRight); }
};

// Stretches of sound in a stereo recording: 10 ms windows above a threshold, merged across
// gaps shorter than 100 ms.
std::vector<Burst> FindBursts(const PcmSound& pcm, double threshold) {
    const std::size_t window = static_cast<std::size_t>(pcm.sampleRate) / 100;
    const std::size_t frames = pcm.GetFrameCount();
    std::vector<Burst> bursts;
    double sumLeft = 0, sumRight = 0;
    std::size_t count = 0;
    bool open = false;
    for (std::size_t w = 0; w + window <= frames; w += window) {
        double l = 0, r = 0;
        for (std::size_t i = w; i < w + window; ++i) {
            const double a = pcm.samples[2 * i] / 32768.0, b = pcm.samples[2 * i + 1] / 32768.0;
            l += a * a;
            r += b * b;
        }
        const double t = static_cast<double>(w) / pcm.sampleRate;
        const bool loud = std::sqrt((l + r) / (2.0 * window)) > threshold;
        if (loud) {
            if (!open && (bursts.empty() || t - bursts.back().end > 0.1)) {
                bursts.push_back({t, t, 0, 0});
                sumLeft = sumRight = 0;
                count = 0;
            }
            open = true;
            sumLeft += l;
            sumRight += r;
            count += window;
            bursts.back().end = t + static_cast<double>(window) / pcm.sampleRate;
            bursts.back().rmsLeft = std::sqrt(sumLeft / count);
            bursts.back().rmsRight = std::sqrt(sumRight / count);
        } else {
            open = false;
        }
    }
    return bursts;
}

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

}  // namespace

// Plays a scripted sequence into OpenAL Soft's wave-file backend and listens to the file.
TEST(WaveOutputTest, RecordedOutputHasTheToneDistanceFallOffPanningAndSilenceAfterStop) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string output = TestTempDir() + "/wave-output.wav";
    const std::string config = TestTempDir() + "/wave-alsoft.conf";
    const std::string longToneName = "wave-tone-1s.wav", shortToneName = "wave-tone-short.wav";
    const std::string longTone = TestTempDir() + "/" + longToneName;
    const std::string shortTone = TestTempDir() + "/" + shortToneName;
    const double amplitude = 0.5;

    EXPECT_EXIT(
        {
            std::ofstream(config) << "[general]\ndrivers=wave\nchannels=stereo\n"
                                     "sample-type=int16\nfrequency=44100\n[wave]\nfile="
                                  << output << "\n";
            const TestWavFormat format;
            WriteTestFile(longToneName, MakeWav(format, MakeTone(1.0, 440, amplitude, 22050)));
            WriteTestFile(shortToneName, MakeWav(format, MakeTone(0.4, 440, amplitude, 22050)));
            SetEnv("ALSOFT_CONF", config.c_str());
            SelectOpenAlBackend("wave");
            AudioManager& manager = AudioManager::GetInstance();
            if (!manager.Initialize()) std::exit(2);
            // At unity overall, so the levels below are the voices' own.
            manager.SetMasterGain(1.0f / AudioManager::kCalibratedGain);
            if (!PlaySound(longTone, 1.0f, false)) std::exit(3);
            Wait(1.4);
            // Listener looks down +x; in the left-handed world its right is -z.
            manager.SetListener(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0));
            PlaySound3DOnce(shortTone, Vector3(10, 0, 0), 1.0f, false, 10.0f);
            Wait(0.7);
            PlaySound3DOnce(shortTone, Vector3(100, 0, 0), 1.0f, false, 10.0f);
            Wait(0.7);
            PlaySound3DOnce(shortTone, Vector3(0, 0, -10), 1.0f, false, 10.0f);
            Wait(0.7);
            auto loop = PlaySound(shortTone, 1.0f, true);
            if (!loop) std::exit(4);
            Wait(0.7);  // past the end of the 0.4 s sound: only looping keeps it sounding
            loop->Stop();
            manager.Update();
            Wait(0.6);
            manager.Release();  // closes the device, which completes the file
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    PcmSound pcm;
    ASSERT_TRUE(WavDecoder::DecodeFile(output, pcm));
    ASSERT_EQ(pcm.channels, 2);
    const std::vector<Burst> bursts = FindBursts(pcm, 0.005);
    ASSERT_EQ(bursts.size(), 5u);
    const double toneRms = amplitude / std::sqrt(2.0);
    const double fileSeconds = static_cast<double>(pcm.GetFrameCount()) / pcm.sampleRate;

    SCOPED_TRACE(::testing::Message()
                 << "tone rms " << bursts[0].Rms() << " near " << bursts[1].Rms() << " far "
                 << bursts[2].Rms() << " right-side L/R " << bursts[3].rmsLeft << "/"
                 << bursts[3].rmsRight);
    // The plain tone: its full second, at about the level it was written with.
    EXPECT_NEAR(bursts[0].Duration(), 1.0, 0.08);
    EXPECT_GT(bursts[0].Rms(), 0.7 * toneRms);
    EXPECT_LT(bursts[0].Rms(), 1.3 * toneRms);
    EXPECT_NEAR(bursts[0].rmsLeft, bursts[0].rmsRight, 0.1 * toneRms);  // centred
    // At the reference distance the voice is as loud as a plain one; ten times farther it
    // falls to about a tenth.
    EXPECT_NEAR(bursts[1].Rms() / bursts[0].Rms(), 1.0, 0.2);
    EXPECT_NEAR(bursts[1].Rms() / bursts[2].Rms(), 10.0, 2.0);
    // A source on the listener's right sounds mostly in the right channel.
    EXPECT_GT(bursts[3].rmsRight, 10.0 * bursts[3].rmsLeft);
    // The loop sounded past its 0.4 s length, then Stop silenced it for the rest of the file.
    EXPECT_GT(bursts[4].Duration(), 0.5);
    EXPECT_GT(fileSeconds - bursts[4].end, 0.4);

    std::filesystem::remove(output);
}
