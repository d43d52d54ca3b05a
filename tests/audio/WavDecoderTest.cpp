#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "TestWav.h"
#include "engine/audio/WavDecoder.h"
#include "engine/platform/FilePath.h"

namespace {

// A ramp across the full range makes scaling, sign and byte-order faults show at once.
std::vector<double> Ramp(std::size_t count) {
    std::vector<double> v(count);
    for (std::size_t i = 0; i < count; ++i) v[i] = -0.9 + 1.8 * i / (count - 1);
    return v;
}

void ExpectSamplesNear(const PcmSound& pcm, const std::vector<double>& expected, double tolerance) {
    ASSERT_EQ(pcm.samples.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_NEAR(pcm.samples[i] / 32768.0, expected[i], tolerance) << "sample " << i;
    }
}

}  // namespace

TEST(WavDecoderTest, DecodesEverySampleFormatToSixteenBit) {
    struct Case {
        uint16_t tag, bits;
        double tolerance;
    };
    const Case cases[] = {
        {1, 8, 1.0 / 100}, {1, 16, 1e-4}, {1, 24, 1e-4}, {1, 32, 1e-4}, {3, 32, 1e-4}};
    const std::vector<double> ramp = Ramp(200);
    for (const Case& c : cases) {
        SCOPED_TRACE("tag " + std::to_string(c.tag) + " bits " + std::to_string(c.bits));
        TestWavFormat format;
        format.formatTag = c.tag;
        format.bitsPerSample = c.bits;
        format.sampleRate = 11025;
        const auto bytes = MakeWav(format, ramp);
        PcmSound pcm;
        ASSERT_TRUE(WavDecoder::DecodeMemory(bytes.data(), bytes.size(), pcm));
        EXPECT_EQ(pcm.channels, 1);
        EXPECT_EQ(pcm.sampleRate, 11025);
        ExpectSamplesNear(pcm, ramp, c.tolerance);
    }
}

TEST(WavDecoderTest, KeepsStereoInterleavedAndMixesMoreChannelsDown) {
    TestWavFormat format;
    format.channels = 2;
    std::vector<double> stereo;
    for (int i = 0; i < 100; ++i) {
        stereo.push_back(0.5);
        stereo.push_back(-0.25);
    }
    auto bytes = MakeWav(format, stereo);
    PcmSound pcm;
    ASSERT_TRUE(WavDecoder::DecodeMemory(bytes.data(), bytes.size(), pcm));
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.GetFrameCount(), 100u);
    ExpectSamplesNear(pcm, stereo, 1e-4);

    format.channels = 4;
    bytes = MakeWav(format, std::vector<double>(400, 0.25));
    ASSERT_TRUE(WavDecoder::DecodeMemory(bytes.data(), bytes.size(), pcm));
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.GetFrameCount(), 100u);
}

TEST(WavDecoderTest, ReadsFromFileAlsoInAFolderNamedInJapanese) {
    const std::string path = WriteFreshTone(0.1);
    PcmSound pcm;
    ASSERT_TRUE(WavDecoder::DecodeFile(path, pcm));
    EXPECT_EQ(pcm.GetFrameCount(), 2205u);

    // The game's folder may be named in any script, with spaces.
    const std::string folder = TestTempDir() + "/ほしかげ 音";
    std::filesystem::create_directories(PathFromUtf8(folder));
    std::filesystem::copy_file(PathFromUtf8(path), PathFromUtf8(folder + "/爆発.wav"),
                               std::filesystem::copy_options::overwrite_existing);
    PcmSound again;
    ASSERT_TRUE(WavDecoder::DecodeFile(folder + "/爆発.wav", again));
    EXPECT_EQ(again.GetFrameCount(), 2205u);
}

TEST(WavDecoderTest, RefusesBrokenInputAndLeavesTheResultEmpty) {
    const auto good = MakeWav(TestWavFormat{}, MakeTone(0.05, 440, 0.5, 22050));

    auto truncated = good;
    truncated.resize(good.size() - 100);
    auto badMagic = good;
    badMagic[0] = 'X';
    auto zeroChannels = good;
    zeroChannels[22] = 0;
    zeroChannels[23] = 0;
    auto badBits = good;
    badBits[34] = 13;
    auto unknownFormat = good;
    unknownFormat[20] = 0x77;
    auto hugeData = good;  // declares 4 GB of samples: must not be believed
    hugeData[40] = 0x00;
    hugeData[41] = 0xff;
    hugeData[42] = 0xff;
    hugeData[43] = 0xff;
    auto headerOnly = good;
    headerOnly.resize(30);
    auto noSamples = MakeWav(TestWavFormat{}, {});
    const std::string text = "this is not a sound, just some text that is long enough";
    const std::vector<uint8_t> notWav(text.begin(), text.end());

    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"truncated data", truncated},
        {"bad magic", badMagic},
        {"zero channels", zeroChannels},
        {"bad bit depth", badBits},
        {"unknown format", unknownFormat},
        {"header only", headerOnly},
        {"huge data size", hugeData},
        {"no samples", noSamples},
        {"not a wav", notWav},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        PcmSound pcm;
        pcm.channels = 7;  // must be cleared on failure
        EXPECT_FALSE(WavDecoder::DecodeMemory(bytes.data(), bytes.size(), pcm));
        EXPECT_EQ(pcm.channels, 0);
        EXPECT_TRUE(pcm.samples.empty());
        const std::string path = WriteTestFile(std::string("broken-") + name + ".wav", bytes);
        EXPECT_FALSE(WavDecoder::DecodeFile(path, pcm));
    }

    PcmSound pcm;
    EXPECT_FALSE(WavDecoder::DecodeFile(TestTempDir() + "/does-not-exist.wav", pcm));
    EXPECT_FALSE(WavDecoder::DecodeFile("", pcm));
    EXPECT_FALSE(WavDecoder::DecodeFile(TestTempDir(), pcm));  // a directory
    EXPECT_FALSE(WavDecoder::DecodeMemory(nullptr, 10, pcm));
}
