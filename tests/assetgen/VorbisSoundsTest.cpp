// The browser build's sounds: every generated sound through the Vorbis encoder and the
// game's decoder comes back as long as it went in and within the codec's tolerance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "AssetGenerator.h"
#include "GeneratedTree.h"
#include "Manifest.h"
#include "audio/VorbisFile.h"
#include "audio/WavFile.h"
#include "engine/audio/VorbisDecoder.h"
#include "support/Loudness.h"

namespace {

double LoudnessOf(std::vector<float> samples, int rate) {
    FloatPcmSound pcm;
    pcm.channels = 1;
    pcm.sampleRate = rate;
    // Shorter than one 400-ms block: measured as if followed by silence.
    samples.resize(std::max(samples.size(), static_cast<size_t>(rate) * 2 / 5));
    pcm.samples = std::move(samples);
    LoudnessFigures figures;
    EXPECT_TRUE(MeasureLoudness(pcm, figures));
    return figures.integrated;
}

}  // namespace

TEST(VorbisSounds, EverySoundDecodesToItsSourceWithinTheCodecsTolerance) {
    const std::filesystem::path dir = ScratchFolder("vorbis");
    uintmax_t wavBytes = 0, oggBytes = 0;
    std::printf("%-28s %9s %9s %8s %8s\n", "file", "WAV kB", "Vorbis kB", "SNR dB", "dLU");
    for (const ManifestEntry& e : Manifest()) {
        if (!IsSound(e.kind)) continue;
        SCOPED_TRACE(e.path);
        WavData wav;
        std::string error;
        ASSERT_TRUE(ReadWav(GeneratedRoot() / e.path, wav, error)) << error;
        Sound source(static_cast<double>(wav.samples.size()) / wav.rate, wav.rate);
        ASSERT_EQ(source.Size(), wav.samples.size());
        for (size_t i = 0; i < source.Size(); ++i) source[i] = wav.samples[i] / 32768.0f;

        const std::filesystem::path ogg = dir / SoundFilePath(e.path, SoundFormat::Vorbis);
        ASSERT_TRUE(WriteVorbis(ogg, source, kVorbisQuality, error)) << error;
        PcmSound decoded;
        ASSERT_TRUE(VorbisDecoder::DecodeFile(ogg.string(), decoded));
        ASSERT_EQ(decoded.channels, 1);
        ASSERT_EQ(decoded.sampleRate, wav.rate);
        // Exactly as long: a loop that grew or lost samples would drift against its beat
        // and click at the seam.
        ASSERT_EQ(decoded.samples.size(), wav.samples.size());

        double signal = 0, noise = 0;
        std::vector<float> heard(decoded.samples.size());
        for (size_t i = 0; i < decoded.samples.size(); ++i) {
            heard[i] = decoded.samples[i] / 32768.0f;
            const double d = heard[i] - source[i];
            signal += double(source[i]) * source[i];
            noise += d * d;
        }
        const double snr = 10.0 * std::log10(signal / std::max(noise, 1e-20));
        const double dLoudness =
            LoudnessOf(heard, wav.rate) - LoudnessOf(source.Samples(), wav.rate);
        wavBytes += std::filesystem::file_size(GeneratedRoot() / e.path);
        oggBytes += std::filesystem::file_size(ogg);
        std::printf("%-28s %9.1f %9.1f %8.1f %8.2f\n", e.path.c_str() + 11,
                    std::filesystem::file_size(GeneratedRoot() / e.path) / 1e3,
                    std::filesystem::file_size(ogg) / 1e3, snr, dLoudness);
        // A perceptual codec keeps the level (within half a decibel, below what a listener
        // tells apart) and the broad shape of the wave; its noise sits under the signal
        // (noisy sounds, the swing's whoosh, are where it substitutes most).
        EXPECT_NEAR(dLoudness, 0.0, 0.5);
        EXPECT_GT(snr, 6.0);
        // The loops still join their end to their start without a step larger than the
        // decoded signal's own steps there.
        if (e.kind == AssetKind::Loop || e.kind == AssetKind::Music) {
            const auto& s = decoded.samples;
            int local = 0;
            for (size_t i = 1; i < 256; ++i) {
                local = std::max({local, std::abs(s[i] - s[i - 1]),
                                  std::abs(s[s.size() - i] - s[s.size() - i - 1])});
            }
            EXPECT_LE(std::abs(s.front() - s.back()), local + 256);
        }
    }
    std::printf("all sounds: WAV %.2f MB, Vorbis %.2f MB\n", wavBytes / 1e6, oggBytes / 1e6);
    // What the browser build downloads for its sound: about a tenth of the WAV files.
    EXPECT_LT(oggBytes * 8, wavBytes);
}

TEST(VorbisSounds, TheGeneratorWritesOggFilesInPlaceOfWav) {
    const std::filesystem::path dir = ScratchFolder("vorbis-tree");
    std::string error;
    ASSERT_TRUE(GenerateAssets(dir, error, "sound/weapon", SoundFormat::Vorbis)) << error;
    EXPECT_TRUE(std::filesystem::exists(dir / "Data/sound/weapon.ogg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Data/sound/weapon.wav"));
    PcmSound decoded;
    EXPECT_TRUE(VorbisDecoder::DecodeFile((dir / "Data/sound/weapon.ogg").string(), decoded));
    EXPECT_EQ(SoundFilePath("Data/sound/title.wav", SoundFormat::Wav), "Data/sound/title.wav");
    EXPECT_EQ(SoundFilePath("Data/sound/title.wav", SoundFormat::Vorbis), "Data/sound/title.ogg");
}
