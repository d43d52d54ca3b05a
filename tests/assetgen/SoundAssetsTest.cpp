// The generated WAV files read back as the game reads them: format, length, level, and
// loops whose end runs into their start without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "AssetGenerator.h"
#include "GeneratedTree.h"
#include "Manifest.h"
#include "audio/WavFile.h"
#include "engine/audio/WavDecoder.h"
#include "support/Loudness.h"

namespace {

struct Measure {
    double seconds = 0.0;
    double peakDb = -200.0;
    double rmsDb = -200.0;
    int peak = 0;
};

Measure MeasureWav(const WavData& wav) {
    Measure m;
    m.seconds = static_cast<double>(wav.samples.size()) / wav.channels / wav.rate;
    double sum = 0.0;
    for (int16_t s : wav.samples) {
        m.peak = std::max(m.peak, std::abs(static_cast<int>(s)));
        sum += static_cast<double>(s) * s;
    }
    m.peakDb = 20.0 * std::log10(std::max(m.peak, 1) / 32768.0);
    m.rmsDb = 10.0 * std::log10(std::max(sum / static_cast<double>(wav.samples.size()), 1.0) /
                                (32768.0 * 32768.0));
    return m;
}

// Integrated loudness (LUFS) of a mono file; one shorter than a 400-ms measuring block is
// measured as if followed by silence.
double Loudness(const WavData& wav) {
    FloatPcmSound pcm;
    pcm.channels = wav.channels;
    pcm.sampleRate = wav.rate;
    for (int16_t v : wav.samples) pcm.samples.push_back(static_cast<float>(v) / 32768.0f);
    pcm.samples.resize(std::max(pcm.samples.size(), static_cast<size_t>(wav.rate) * 2 / 5));
    LoudnessFigures figures;
    EXPECT_TRUE(MeasureLoudness(pcm, figures));
    return figures.integrated;
}

// Largest step between neighbouring samples within `span` samples of either end.
int LargestStepNearEnds(const std::vector<int16_t>& s, size_t span) {
    int best = 0;
    for (size_t i = 1; i < span && i < s.size(); ++i) {
        best = std::max(best, std::abs(s[i] - s[i - 1]));
        best = std::max(best, std::abs(s[s.size() - i] - s[s.size() - i - 1]));
    }
    return best;
}

WavData Read(const ManifestEntry& e) {
    WavData wav;
    std::string error;
    EXPECT_TRUE(ReadWav(GeneratedRoot() / e.path, wav, error)) << e.path << ": " << error;
    return wav;
}

}  // namespace

TEST(Sounds, EveryFileIsMonoSixteenBitAtCdRate) {
    for (const ManifestEntry& e : Manifest()) {
        if (!IsSound(e.kind)) continue;
        const WavData wav = Read(e);
        EXPECT_EQ(wav.channels, 1) << e.path;
        EXPECT_EQ(wav.bitsPerSample, 16) << e.path;
        EXPECT_EQ(wav.rate, 44100) << e.path;
    }
}

// Each file's loudness sets its place in the game's mix (see SoundRecipes): it must come
// out as its recipe asks, after the 16-bit rounding and without the peak ceiling holding
// it back.
TEST(Sounds, LengthsAndLoudnessSuitHowTheGamePlaysThem) {
    std::printf("%-28s %8s %9s %9s %9s\n", "file", "seconds", "peak dB", "rms dB", "LUFS");
    for (const SoundRecipe& recipe : SoundRecipes()) {
        const ManifestEntry* e = FindManifestEntry(recipe.path);
        ASSERT_NE(e, nullptr) << recipe.path;
        const WavData wav = Read(*e);
        const Measure m = MeasureWav(wav);
        const double lufs = Loudness(wav);
        std::printf("%-28s %8.2f %9.2f %9.2f %9.2f\n", e->path.c_str() + 11, m.seconds, m.peakDb,
                    m.rmsDb, lufs);
        EXPECT_GE(m.seconds, e->minSeconds) << e->path;
        EXPECT_LE(m.seconds, e->maxSeconds) << e->path;
        EXPECT_NEAR(lufs, recipe.loudness, 0.2) << e->path;
        EXPECT_LE(m.peakDb, -0.99) << e->path;
    }
}

TEST(Sounds, OneShotsStartAndEndInSilence) {
    for (const ManifestEntry& e : Manifest()) {
        if (e.kind != AssetKind::Effect) continue;
        const WavData wav = Read(e);
        ASSERT_GT(wav.samples.size(), 2u);
        EXPECT_LT(std::abs(wav.samples.front()), 330) << e.path;
        EXPECT_LT(std::abs(wav.samples.back()), 330) << e.path;
    }
}

TEST(Sounds, LoopsJoinTheirEndToTheirStartWithoutAStep) {
    for (const ManifestEntry& e : Manifest()) {
        if (e.kind != AssetKind::Loop && e.kind != AssetKind::Music) continue;
        const WavData wav = Read(e);
        ASSERT_GT(wav.samples.size(), 1000u);
        const int join = std::abs(wav.samples.front() - wav.samples.back());
        // The seam may move no more than the signal already moves between neighbours there.
        const int local = LargestStepNearEnds(wav.samples, 256);
        EXPECT_LE(join, local + 64)
            << e.path << ": seam step " << join << ", local steps " << local;
        // Effect loops hold an even level across the seam (music may start a bar with a hit).
        if (e.kind == AssetKind::Music) continue;
        double before = 0, after = 0;
        const size_t span = 2205;
        for (size_t i = 0; i < span; ++i) {
            after += std::abs(wav.samples[i]);
            before += std::abs(wav.samples[wav.samples.size() - 1 - i]);
        }
        EXPECT_LT(std::fabs(before - after) / std::max(before + after, 1.0), 0.35) << e.path;
    }
}

TEST(Sounds, MusicLoopsLastAtLeastHalfAMinute) {
    for (const char* path :
         {"Data/sound/title.wav", "Data/sound/battle.wav", "Data/sound/gameover.wav"}) {
        const ManifestEntry* e = FindManifestEntry(path);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->kind, AssetKind::Music);
        EXPECT_GE(MeasureWav(Read(*e)).seconds, 30.0) << path;
    }
}

TEST(WavFile, RoundTripsSamplesAndRejectsBrokenFiles) {
    const std::filesystem::path dir = ScratchFolder("wav");
    Sound s(0.01);
    for (size_t i = 0; i < s.Size(); ++i) s[i] = static_cast<float>(i % 50) / 25.0f - 1.0f;
    s[3] = 2.0f;  // out of range: clamped, not wrapped
    std::string error;
    ASSERT_TRUE(WriteWav(dir / "a.wav", s, error)) << error;
    WavData wav;
    ASSERT_TRUE(ReadWav(dir / "a.wav", wav, error)) << error;
    ASSERT_EQ(wav.samples.size(), s.Size());
    EXPECT_EQ(wav.samples[3], 32767);
    EXPECT_EQ(wav.samples[0], -32767);
    EXPECT_EQ(wav.samples[25], 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "a.wav"), 44 + s.Size() * 2);
    // A file cut inside its data chunk is refused rather than read past its end.
    std::filesystem::resize_file(dir / "a.wav", 60);
    EXPECT_FALSE(ReadWav(dir / "a.wav", wav, error));
    EXPECT_FALSE(ReadWav(dir / "missing.wav", wav, error));
}
