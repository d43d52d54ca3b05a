#include <memory>

#include "NullAudioFixture.h"
#include "engine/audio/SoundCache.h"

using SoundEffectTest = NullAudioTest;

TEST_F(SoundEffectTest, LoadsAWavAndMakesStoppedVoicesOfEitherKind) {
    const std::string path = WriteFreshTone(0.25);
    auto effect = std::make_shared<FwSoundEffect>();
    ASSERT_TRUE(effect->Load(path));
    EXPECT_TRUE(effect->IsLoaded());
    EXPECT_EQ(effect->GetFilePath(), path);
    EXPECT_NEAR(effect->GetDurationSeconds(), 0.25f, 1e-3f);

    auto plain = effect->CreateInstance(false);
    auto placed = effect->CreateInstance(true);
    ASSERT_TRUE(plain && placed);
    EXPECT_FALSE(plain->Is3D());
    EXPECT_TRUE(placed->Is3D());
    EXPECT_EQ(plain->GetState(), FwSoundInstance::State::Stopped);
    EXPECT_EQ(placed->GetSource(), effect);
    EXPECT_EQ(Manager().GetPlayListSize(), 0u);
}

TEST_F(SoundEffectTest, BrokenFilesGiveEmptyEffectsThatPlayNothing) {
    const auto good = MakeWav(TestWavFormat{}, MakeTone(0.05, 440, 0.5, 22050));
    auto truncated = good;
    truncated.resize(good.size() / 2);
    auto corrupt = good;
    corrupt[16] = 0xff;  // fmt chunk length far past the end of the file
    corrupt[17] = 0xff;
    const std::string text = "RIFF? no, a text file pretending to be one.";
    const std::string paths[] = {
        TestTempDir() + "/missing.wav",
        WriteTestFile("truncated.wav", truncated),
        WriteTestFile("corrupt-header.wav", corrupt),
        WriteTestFile("not-a-wav.wav", std::vector<uint8_t>(text.begin(), text.end())),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        auto effect = GetSound(path);
        ASSERT_TRUE(effect);  // the cache hands out an empty effect, never null
        EXPECT_FALSE(effect->IsLoaded());
        EXPECT_TRUE(effect->GetFilePath().empty());
        EXPECT_EQ(effect->GetDurationSeconds(), 0.0f);
        EXPECT_FALSE(effect->CreateInstance(false));
        EXPECT_FALSE(effect->CreateInstance(true));
        EXPECT_FALSE(PlaySound(path, 1.0f, true));
        EXPECT_FALSE(PlaySound3D(path, Vector3(1, 2, 3), 1.0f, true, 10.0f));
        PlaySoundOnce(path, 1.0f, false);
        PlaySound3DOnce(path, Vector3(), 0.1f, false, 30.0f);
        EXPECT_EQ(GetSound(path), effect);  // cached, not retried as a new entry
    }
    EXPECT_EQ(Manager().GetPlayListSize(), 0u);
}

TEST_F(SoundEffectTest, AFailedReloadKeepsTheSoundThatWasLoaded) {
    const std::string path = WriteFreshTone(0.1);
    auto effect = std::make_shared<FwSoundEffect>();
    ASSERT_TRUE(effect->Load(path));
    EXPECT_FALSE(effect->Load(TestTempDir() + "/missing.wav"));
    EXPECT_TRUE(effect->IsLoaded());
    EXPECT_EQ(effect->GetFilePath(), path);
}

TEST_F(SoundEffectTest, ReloadingLeavesPlayingVoicesOnTheirOldSamples) {
    auto effect = std::make_shared<FwSoundEffect>();
    ASSERT_TRUE(effect->Load(WriteFreshTone(1.0)));
    auto voice = effect->CreateInstance(false);
    ASSERT_TRUE(voice);
    voice->Play(false, false);
    ASSERT_TRUE(effect->Load(WriteFreshTone(0.1)));
    EXPECT_NEAR(effect->GetDurationSeconds(), 0.1f, 1e-3f);
    EXPECT_TRUE(voice->IsPlaying());
    voice.reset();  // the old samples go with the last voice playing them
}

TEST_F(SoundEffectTest, ListenerStartsLookingDownPositiveZ) {
    EXPECT_EQ(Manager().GetListenerFront(), Vector3(0, 0, 1));
    EXPECT_EQ(Manager().GetListenerTop(), Vector3(0, 1, 0));
    Manager().SetListener(Vector3(1, 2, 3), Vector3(1, 0, 0), Vector3(0, 0, 0));
    EXPECT_EQ(Manager().GetListenerPosition(), Vector3(1, 2, 3));
    EXPECT_EQ(Manager().GetListenerFront(), Vector3(1, 0, 0));
    EXPECT_EQ(Manager().GetListenerTop(), Vector3(0, 1, 0));  // a zero top is ignored
}

// Effects and voices that outlive their device must never touch the next one: OpenAL names
// are reused, so a stale delete would destroy someone else's buffer or source.
TEST_F(SoundEffectTest, ObjectsOfAClosedDeviceLeaveTheNextDeviceAlone) {
    const std::string path = WriteFreshTone(1.0);
    auto oldEffect = GetSound(path);
    auto oldVoice = oldEffect->CreateInstance(false);
    ASSERT_TRUE(oldVoice);
    auto privateEffect = std::make_shared<FwSoundEffect>();
    ASSERT_TRUE(privateEffect->Load(path));

    Manager().Release();
    EXPECT_FALSE(oldEffect->IsLoaded());
    EXPECT_FALSE(privateEffect->IsLoaded());
    EXPECT_FALSE(oldEffect->CreateInstance(false));
    EXPECT_FALSE(privateEffect->Load(path));  // no device, no load
    ASSERT_TRUE(Manager().Initialize());

    auto newVoice = PlaySound(WriteFreshTone(1.0), 0.1f, true);
    ASSERT_TRUE(newVoice);
    oldVoice.reset();
    privateEffect.reset();
    EXPECT_TRUE(newVoice->IsPlaying());

    // The cache brings a sound loaded on the old device back on the new one.
    auto reloaded = GetSound(path);
    EXPECT_EQ(reloaded, oldEffect);
    EXPECT_TRUE(reloaded->IsLoaded());
    EXPECT_TRUE(PlaySound(path, 0.1f, false));
}

TEST(SoundEffectWithoutDeviceTest, NothingLoadsOrPlaysBeforeInitialize) {
    AudioManager::GetInstance().Release();
    const std::string path = WriteFreshTone(0.05);
    auto effect = std::make_shared<FwSoundEffect>();
    EXPECT_FALSE(effect->Load(path));
    EXPECT_FALSE(effect->CreateInstance(false));
    EXPECT_FALSE(PlaySound(path, 1.0f, false));
    PlaySound3DOnce(path, Vector3(), 1.0f, false, 1.0f);
    AudioManager::GetInstance().Update();
    EXPECT_EQ(AudioManager::GetInstance().GetPlayListSize(), 0u);
}
