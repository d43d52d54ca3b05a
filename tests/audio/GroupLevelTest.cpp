// The music and effects volumes as the player hears them, recorded through OpenAL Soft's
// wave backend: each moves its own group by the expected decibels and leaves the other
// alone, 0 % silences its group, and a change reaches voices already playing, paused ones
// and voices started later.
//
// Each group plays a steady tone of its own frequency at the same time; the level of each
// is read from the recording by its frequency alone (every tone fits a whole number of
// periods into a 50-ms window, so they do not leak into each other's measure). Levels are
// compared window by window against the first full-volume stretch, so the stretches need
// not be found by time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numbers>
#include <thread>
#include <vector>

#include "TestWav.h"
#include "app/VolumeControl.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/SoundCache.h"
#include "engine/audio/WavDecoder.h"
#include "support/WaveRecording.h"

namespace {

constexpr double kMusicHz = 400;
constexpr double kEffectHz = 1000;
constexpr double kLateMusicHz = 700;    // a music voice started after a change
constexpr double kLateEffectHz = 1300;  // an effect started after a change
constexpr float kVolume = 0.02f;        // four tones together stay well under full scale
constexpr double kQuarterDb = -12.04;   // 50 %: a quarter of the amplitude

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::string Tone(double hz) {
    return WriteTestFile("group-" + std::to_string(static_cast<int>(hz)) + ".wav",
                         MakeWav(TestWavFormat{}, MakeTone(1.0, hz, 0.5, 22050)));
}

// The level of one frequency in each 50-ms window, in dB of amplitude over both channels
// (minus infinity where it is absent).
std::vector<double> ToneLevels(const FloatPcmSound& pcm, double hz) {
    const std::size_t window = static_cast<std::size_t>(pcm.sampleRate) / 20;
    // A whole number of periods per window: the phase at each window's start is the same,
    // so one table serves them all.
    std::vector<double> cosines(window), sines(window);
    for (std::size_t i = 0; i < window; ++i) {
        const double phase = 2.0 * std::numbers::pi * hz * static_cast<double>(i) / pcm.sampleRate;
        cosines[i] = std::cos(phase);
        sines[i] = std::sin(phase);
    }
    std::vector<double> levels;
    for (std::size_t first = 0; first + window <= pcm.GetFrameCount(); first += window) {
        double power = 0.0;
        for (int channel = 0; channel < 2; ++channel) {
            double re = 0.0, im = 0.0;
            for (std::size_t i = 0; i < window; ++i) {
                const double x = pcm.samples[(first + i) * 2 + channel];
                re += x * cosines[i];
                im += x * sines[i];
            }
            const double amplitude = 2.0 * std::hypot(re, im) / static_cast<double>(window);
            power += amplitude * amplitude / 2.0;
        }
        levels.push_back(10.0 * std::log10(power));
    }
    return levels;
}

double Median(std::vector<double> values) {
    if (values.empty()) return NAN;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// One recording's levels by frequency, relative to the first full-volume stretch.
struct Levels {
    std::vector<double> music, effect, lateMusic, lateEffect;
    std::size_t onset = 0;
    double musicFull = NAN, effectFull = NAN;

    explicit Levels(const FloatPcmSound& pcm)
        : music(ToneLevels(pcm, kMusicHz)),
          effect(ToneLevels(pcm, kEffectHz)),
          lateMusic(ToneLevels(pcm, kLateMusicHz)),
          lateEffect(ToneLevels(pcm, kLateEffectHz)) {
        while (onset < music.size() && !(music[onset] > -90.0)) ++onset;
        if (onset + 10 > music.size()) return;
        musicFull = Median({music.begin() + onset + 1, music.begin() + onset + 9});
        effectFull = Median({effect.begin() + onset + 1, effect.begin() + onset + 9});
    }

    // The windows after the onset whose music and effect levels (relative to full) both
    // pass the given tests.
    std::vector<std::size_t> Where(const std::function<bool(double)>& musicIs,
                                   const std::function<bool(double)>& effectIs) const {
        std::vector<std::size_t> found;
        for (std::size_t i = onset; i < music.size(); ++i) {
            if (musicIs(music[i] - musicFull) && effectIs(effect[i] - effectFull)) {
                found.push_back(i);
            }
        }
        return found;
    }

    static double MedianAt(const std::vector<double>& levels,
                           const std::vector<std::size_t>& windows, double reference) {
        std::vector<double> picked;
        for (std::size_t i : windows) picked.push_back(levels[i] - reference);
        return Median(picked);
    }
};

bool Full(double db) {
    return std::abs(db) < 1.0;
}
bool Lowered(double db) {
    return db < -6.0 && db > -20.0;
}
// Down in the measure's own floor (about -60 dB: what the resampler leaves of the other
// tones), far under anything a listener could hear beside the rest of the mix.
bool Silent(double db) {
    return db < -50.0;
}

// The same level in every window where both tones sound, each against its own reference.
double LateOffset(const std::vector<double>& late, const std::vector<double>& early,
                  const std::vector<std::size_t>& windows) {
    std::vector<double> offsets;
    for (std::size_t i : windows) {
        if (late[i] > -90.0) offsets.push_back(late[i] - early[i]);
    }
    return offsets.size() >= 6 ? Median(offsets) : NAN;
}

}  // namespace

TEST(GroupLevel, EachVolumeMovesOnlyItsOwnGroupAndZeroSilencesIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string output = TestTempDir() + "/groups.wav";
    EXPECT_EXIT(
        {
            RecordOpenAlOutput(output, TestTempDir() + "/groups-alsoft.conf");
            // The limiter would bend the levels it is measured by; float output keeps them.
            AudioManager::UseOutputLimiter(false);
            SettingsStore store;
            VolumeControl volume(store);
            volume.Start();
            if (!AudioManager::GetInstance().Initialize()) std::exit(2);
            auto music = PlayMusic(Tone(kMusicHz), kVolume, true);
            auto effect = PlaySound(Tone(kEffectHz), kVolume, true);
            if (!music || !effect) std::exit(3);
            Wait(1.0);
            volume.SetMusicVolume(50);
            Wait(0.5);
            auto lateMusic = PlayMusic(Tone(kLateMusicHz), kVolume, true);
            Wait(0.7);
            volume.SetMusicVolume(100);
            volume.SetEffectsVolume(50);
            Wait(0.5);
            auto lateEffect = PlaySound(Tone(kLateEffectHz), kVolume, true);
            Wait(0.7);
            volume.SetEffectsVolume(0);
            Wait(1.0);
            volume.SetMusicVolume(0);  // the master volume stays at 100 %
            Wait(0.8);
            AudioManager::GetInstance().Release();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    FloatPcmSound pcm;
    ASSERT_TRUE(WavDecoder::DecodeFile(output, pcm));
    ASSERT_EQ(pcm.channels, 2);
    const Levels levels(pcm);
    ASSERT_FALSE(std::isnan(levels.musicFull)) << "no music in the recording";
    ASSERT_FALSE(std::isnan(levels.effectFull)) << "no effect in the recording";

    // Music at 50 %: the music a quarter of the amplitude, the effect as it was.
    const auto musicHalf = levels.Where(Lowered, Full);
    ASSERT_GE(musicHalf.size(), 10u) << "no stretch with the music at half volume";
    EXPECT_NEAR(Levels::MedianAt(levels.music, musicHalf, levels.musicFull), kQuarterDb, 0.3);
    EXPECT_NEAR(Levels::MedianAt(levels.effect, musicHalf, levels.effectFull), 0.0, 0.1);
    // Music started after the change came in at the group's level, as the first one is.
    EXPECT_NEAR(LateOffset(levels.lateMusic, levels.music, musicHalf), 0.0, 0.3);

    // Effects at 50 %, music back at 100 %.
    const auto effectsHalf = levels.Where(Full, Lowered);
    ASSERT_GE(effectsHalf.size(), 10u) << "no stretch with the effects at half volume";
    EXPECT_NEAR(Levels::MedianAt(levels.effect, effectsHalf, levels.effectFull), kQuarterDb, 0.3);
    EXPECT_NEAR(Levels::MedianAt(levels.music, effectsHalf, levels.musicFull), 0.0, 0.1);
    EXPECT_NEAR(LateOffset(levels.lateEffect, levels.effect, effectsHalf), 0.0, 0.3);
    // Both music voices back at full together.
    EXPECT_NEAR(LateOffset(levels.lateMusic, levels.music, effectsHalf), 0.0, 0.3);

    // Effects at 0 %: gone from the mix, the music untouched.
    const auto effectsOff = levels.Where(Full, Silent);
    ASSERT_GE(effectsOff.size(), 10u) << "no stretch with the effects silenced";
    for (std::size_t i : effectsOff) EXPECT_LT(levels.lateEffect[i], levels.effectFull - 50.0);

    // Both groups at 0 % under a full master volume: digital silence to the end.
    const std::size_t tail = static_cast<std::size_t>(pcm.sampleRate) * 3 / 10 * 2;
    ASSERT_GT(pcm.samples.size(), tail);
    const float loudest =
        std::abs(*std::max_element(pcm.samples.end() - static_cast<long>(tail), pcm.samples.end(),
                                   [](float a, float b) { return std::abs(a) < std::abs(b); }));
    EXPECT_EQ(loudest, 0.0f);
    std::filesystem::remove(output);
}

// The wave backend cannot record through a pause of the output (it starts its file over),
// so what a change does under a paused output is checked on the null backend
// (SoundGroupTest); here, a voice paused on its own.
TEST(GroupLevel, AChangeReachesAPausedVoice) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string output = TestTempDir() + "/groups-paused.wav";
    EXPECT_EXIT(
        {
            RecordOpenAlOutput(output, TestTempDir() + "/groups-paused-alsoft.conf");
            AudioManager::UseOutputLimiter(false);
            AudioManager& manager = AudioManager::GetInstance();
            SettingsStore store;
            VolumeControl volume(store);
            volume.Start();
            if (!manager.Initialize()) std::exit(2);
            auto music = PlayMusic(Tone(kMusicHz), kVolume, true);
            auto effect = PlaySound(Tone(kEffectHz), kVolume, true);
            if (!music || !effect) std::exit(3);
            Wait(1.0);
            // Paused, the voice leaves the play list: only the caller holds it.
            music->Pause();
            manager.Update();
            if (manager.IsInPlayList(music.get())) std::exit(4);
            volume.SetMusicVolume(50);
            Wait(0.3);
            music->Resume();
            Wait(1.0);
            manager.Release();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    FloatPcmSound pcm;
    ASSERT_TRUE(WavDecoder::DecodeFile(output, pcm));
    ASSERT_EQ(pcm.channels, 2);
    const Levels levels(pcm);
    ASSERT_FALSE(std::isnan(levels.musicFull)) << "no music in the recording";
    // The paused music came back at half volume beside the unchanged effect.
    const auto musicHalf = levels.Where(Lowered, Full);
    ASSERT_GE(musicHalf.size(), 10u) << "the resumed music is not at half volume";
    EXPECT_NEAR(Levels::MedianAt(levels.music, musicHalf, levels.musicFull), kQuarterDb, 0.3);
    EXPECT_NEAR(Levels::MedianAt(levels.effect, musicHalf, levels.effectFull), 0.0, 0.1);
    // While it was paused, only the effect sounded.
    EXPECT_GE(levels.Where(Silent, Full).size(), 3u);
    std::filesystem::remove(output);
}
