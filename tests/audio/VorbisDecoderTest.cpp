// The browser build's sounds: Ogg Vorbis decoded at load, found beside the WAV names the
// game uses.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "NullAudioFixture.h"
#include "TestWav.h"
#include "audio/VorbisFile.h"
#include "engine/audio/FwSoundEffect.h"
#include "engine/audio/SoundFile.h"
#include "engine/audio/VorbisDecoder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

Sound Tone(double seconds, double frequency, double amplitude, int rate = 44100) {
    Sound s(seconds, rate);
    for (size_t i = 0; i < s.Size(); ++i)
        s[i] = static_cast<float>(amplitude * std::sin(2.0 * kPi * frequency * i / rate));
    return s;
}

std::string WriteOgg(const std::string& name, const Sound& sound) {
    const std::string path = TestTempDir() + "/" + name;
    std::string error;
    EXPECT_TRUE(WriteVorbis(path, sound, kVorbisQuality, error)) << error;
    return path;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Signal-to-noise ratio (dB) of the decoded samples against the source.
double SnrDb(const Sound& source, const PcmSound& decoded) {
    double signal = 0, noise = 0;
    for (size_t i = 0; i < source.Size(); ++i) {
        const double s = source[i], d = decoded.samples[i] / 32768.0;
        signal += s * s;
        noise += (s - d) * (s - d);
    }
    return 10.0 * std::log10(signal / std::max(noise, 1e-20));
}

}  // namespace

TEST(VorbisDecoder, DecodesWhatTheGeneratorEncodesToItsExactLengthAndRate) {
    struct Case {
        double seconds;
        int rate;
    };
    // Lengths off the codec's block sizes, and a rate other than the generator's.
    for (const Case c : {Case{0.5, 44100}, Case{0.0371, 44100}, Case{1.25, 22050}}) {
        SCOPED_TRACE(std::to_string(c.seconds) + " s at " + std::to_string(c.rate));
        const Sound tone = Tone(c.seconds, 440.0, 0.5, c.rate);
        const std::string path = WriteOgg("tone.ogg", tone);
        PcmSound pcm;
        ASSERT_TRUE(VorbisDecoder::DecodeFile(path, pcm));
        EXPECT_EQ(pcm.channels, 1);
        EXPECT_EQ(pcm.sampleRate, c.rate);
        ASSERT_EQ(pcm.GetFrameCount(), tone.Size());
        EXPECT_GT(SnrDb(tone, pcm), 25.0);
    }
}

TEST(VorbisDecoder, RefusesWhatIsNotAWholeVorbisStream) {
    const std::vector<uint8_t> good = ReadBytes(WriteOgg("good.ogg", Tone(0.5, 330.0, 0.5)));
    ASSERT_GT(good.size(), 200u);
    PcmSound pcm;
    ASSERT_TRUE(VorbisDecoder::DecodeMemory(good.data(), good.size(), pcm));

    const std::string text = "OggS, and then nothing a decoder could use at all.";
    const auto wav = MakeWav(TestWavFormat{}, MakeTone(0.05, 440, 0.5, 22050));
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    std::vector<uint8_t> lastByteGone(good.begin(), good.end() - 1);
    std::vector<uint8_t> noEnd = good;
    // Clear the end-of-stream flag of the last page: a stream that says it goes on. (The
    // page checksum then fails too; either way the stream must not pass.)
    for (size_t at = noEnd.size() - 27; at > 0; --at) {
        if (noEnd[at] == 'O' && noEnd[at + 1] == 'g' && noEnd[at + 2] == 'g' &&
            noEnd[at + 3] == 'S') {
            noEnd[at + 5] &= static_cast<uint8_t>(~0x04);
            break;
        }
    }
    std::vector<uint8_t> garbled = good;
    for (size_t i = good.size() / 3; i < good.size() / 3 + 64; ++i) garbled[i] ^= 0x5A;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"text after OggS", std::vector<uint8_t>(text.begin(), text.end())},
        {"a WAV file", wav},
        {"cut in half", cut},
        {"last byte gone", lastByteGone},
        {"no end-of-stream page", noEnd},
        {"garbled in the middle", garbled},
    };
    for (const auto& c : cases) {
        PcmSound out;
        out.channels = 7;  // must be emptied
        EXPECT_FALSE(VorbisDecoder::DecodeMemory(c.bytes.data(), c.bytes.size(), out)) << c.what;
        EXPECT_EQ(out.channels, 0) << c.what;
        EXPECT_TRUE(out.samples.empty()) << c.what;
    }
    EXPECT_FALSE(VorbisDecoder::DecodeFile(TestTempDir() + "/missing.ogg", pcm));
}

TEST(VorbisDecoder, EncodingIsByteIdenticalFromRunToRun) {
    const Sound tone = Tone(0.3, 523.0, 0.4);
    EXPECT_EQ(ReadBytes(WriteOgg("first.ogg", tone)), ReadBytes(WriteOgg("second.ogg", tone)));
}

TEST(SoundFile, ANamedWavIsReadFromTheOggBesideItWhenOnlyThatExists) {
    const std::string dir = TestTempDir() + "/lookup";
    std::filesystem::create_directories(dir);
    // Only an .ogg: the .wav name finds it.
    WriteOgg("lookup/only.ogg", Tone(0.2, 440.0, 0.5, 44100));
    PcmSound pcm;
    ASSERT_TRUE(DecodeSoundFile(dir + "/only.wav", pcm));
    EXPECT_EQ(pcm.sampleRate, 44100);
    // Both: the named WAV file wins (told apart by their rates).
    const auto wav = MakeWav(TestWavFormat{}, MakeTone(0.2, 440, 0.5, 22050));
    WriteTestFile("lookup/both.wav", wav);
    WriteOgg("lookup/both.ogg", Tone(0.2, 440.0, 0.5, 44100));
    ASSERT_TRUE(DecodeSoundFile(dir + "/both.wav", pcm));
    EXPECT_EQ(pcm.sampleRate, 22050);
    // Decoded by content, not by name.
    std::filesystem::copy_file(dir + "/only.ogg", dir + "/ogg-inside.wav");
    ASSERT_TRUE(DecodeSoundFile(dir + "/ogg-inside.wav", pcm));
    EXPECT_EQ(pcm.sampleRate, 44100);
    // Only names ending in .wav look for a neighbour; nothing at all gives nothing.
    std::filesystem::copy_file(dir + "/only.ogg", dir + "/other.ogg");
    EXPECT_FALSE(DecodeSoundFile(dir + "/other.mp3", pcm));
    EXPECT_FALSE(DecodeSoundFile(dir + "/nothing.wav", pcm));
    EXPECT_TRUE(pcm.samples.empty());
    EXPECT_FALSE(DecodeSoundFile("", pcm));
}

using VorbisEffectTest = NullAudioTest;

TEST_F(VorbisEffectTest, AnEffectNamedByItsWavPathPlaysTheVorbisFile) {
    std::filesystem::create_directories(TestTempDir() + "/effect");
    WriteOgg("effect/chime.ogg", Tone(0.25, 660.0, 0.5));
    const std::string path = TestTempDir() + "/effect/chime.wav";
    auto effect = std::make_shared<FwSoundEffect>();
    ASSERT_TRUE(effect->Load(path));
    EXPECT_EQ(effect->GetFilePath(), path);  // known by the name the game gave
    EXPECT_NEAR(effect->GetDurationSeconds(), 0.25f, 1e-3f);
    auto voice = effect->CreateInstance(true);
    ASSERT_TRUE(voice);
    voice->Play(false, true);
    EXPECT_TRUE(UpdateUntil([&] { return voice->GetState() == FwSoundInstance::State::Stopped; }));
}
