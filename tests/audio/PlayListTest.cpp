#include <memory>

#include "NullAudioFixture.h"
#include "engine/audio/SoundCache.h"

using PlayListTest = NullAudioTest;

TEST_F(PlayListTest, TwoOneShotsOfOnePathAreIndependentVoicesAndLeaveWhenDone) {
    const std::string path = WriteFreshTone(0.05);
    PlaySound3DOnce(path, Vector3(1, 0, 0), 0.1f, false, 30.0f);
    PlaySound3DOnce(path, Vector3(-1, 0, 0), 0.1f, false, 30.0f);
    ASSERT_EQ(Manager().GetPlayListSize(), 2u);
    EXPECT_TRUE(UpdateUntil([] { return Manager().GetPlayListSize() == 0; }));
}

TEST_F(PlayListTest, VoicesShareTheCachedEffectButNotTheirState) {
    const std::string path = WriteFreshTone(5.0);
    auto a = PlaySound(path, 0.5f, false);
    auto b = PlaySound(path, 0.5f, false);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->GetSource(), b->GetSource());
    EXPECT_EQ(a->GetSource(), GetSound(path));
    a->Stop();
    EXPECT_EQ(a->GetState(), FwSoundInstance::State::Stopped);
    EXPECT_TRUE(b->IsPlaying());
    Manager().Update();
    EXPECT_FALSE(Manager().IsInPlayList(a.get()));
    EXPECT_TRUE(Manager().IsInPlayList(b.get()));
}

TEST_F(PlayListTest, PlayOnAPlayingVoiceRestartsItFromTheStart) {
    auto voice = PlaySound(WriteFreshTone(4.0), 0.1f, false);
    ASSERT_TRUE(voice);
    ASSERT_TRUE(UpdateUntil([&] { return voice->GetPlaybackSeconds() > 1.0f; }));
    voice->Play(false, true);
    EXPECT_TRUE(voice->IsPlaying());
    EXPECT_LT(voice->GetPlaybackSeconds(), 0.9f);
    EXPECT_EQ(Manager().GetPlayListSize(), 1u);  // same voice, same entry
}

TEST_F(PlayListTest, PausedVoiceLeavesTheListAndDiesWithItsLastHandle) {
    const std::string path = WriteFreshTone(5.0);
    auto held = PlaySound(path, 0.1f, true);
    auto dropped = PlaySound(path, 0.1f, true);
    ASSERT_TRUE(held && dropped);
    std::weak_ptr<FwSoundInstance> watchHeld = held, watchDropped = dropped;
    held->Pause();
    dropped->Pause();
    dropped.reset();
    ASSERT_FALSE(watchDropped.expired());  // the list still holds it until the next Update
    EXPECT_EQ(watchHeld.lock()->GetState(), FwSoundInstance::State::Paused);

    Manager().Update();
    EXPECT_EQ(Manager().GetPlayListSize(), 0u);
    EXPECT_TRUE(watchDropped.expired());
    ASSERT_FALSE(watchHeld.expired());
    EXPECT_EQ(held->GetState(), FwSoundInstance::State::Paused);

    // Resuming does not re-register: the holder is now the only owner.
    held->Resume();
    EXPECT_TRUE(held->IsPlaying());
    EXPECT_FALSE(Manager().IsInPlayList(held.get()));
    held.reset();
    EXPECT_TRUE(watchHeld.expired());
}

TEST_F(PlayListTest, LoopingVoiceOutlivesItsDroppedHandleUntilStopped) {
    auto voice = PlaySound(WriteFreshTone(0.05), 0.1f, true);
    ASSERT_TRUE(voice);
    std::weak_ptr<FwSoundInstance> watch = voice;
    voice.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // four lengths of the sound
    Manager().Update();
    auto again = watch.lock();
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->IsPlaying());

    again->Stop();
    again.reset();
    Manager().Update();
    EXPECT_TRUE(watch.expired());
}

TEST_F(PlayListTest, ResumeTouchesOnlyPausedVoices) {
    auto voice = GetSound(WriteFreshTone(5.0))->CreateInstance(false);
    ASSERT_TRUE(voice);
    EXPECT_EQ(voice->GetState(), FwSoundInstance::State::Stopped);
    voice->Resume();  // never started: stays silent
    EXPECT_EQ(voice->GetState(), FwSoundInstance::State::Stopped);
    voice->Pause();
    EXPECT_EQ(voice->GetState(), FwSoundInstance::State::Stopped);

    voice->Play(false, false);
    EXPECT_FALSE(Manager().IsInPlayList(voice.get()));
    voice->Pause();
    voice->Resume();
    EXPECT_TRUE(voice->IsPlaying());
}

TEST_F(PlayListTest, ReleaseEmptiesTheListAndLeavesHeldVoicesInert) {
    auto voice = PlaySound(WriteFreshTone(1.0), 0.1f, true);
    ASSERT_TRUE(voice);
    Manager().Release();  // the list lets go first, then the device closes
    EXPECT_EQ(Manager().GetPlayListSize(), 0u);
    EXPECT_EQ(voice->GetState(), FwSoundInstance::State::Stopped);
    // Every operation on a voice of a closed device is inert.
    voice->Play(true, true);
    voice->Play3D(Vector3(1, 2, 3), true, true);
    voice->SetVolume(0.5f);
    voice->SetCurveDistanceScaler(10.0f);
    voice->Pause();
    voice->Resume();
    EXPECT_EQ(voice->GetState(), FwSoundInstance::State::Stopped);
    EXPECT_EQ(Manager().GetPlayListSize(), 0u);
}
