// Which voices are music, which voices a group's gain reaches, and the gains' life beside
// the devices and voices. What the gains do to the sound is measured in GroupLevelTest.
#include <cmath>
#include <memory>

#include "NullAudioFixture.h"
#include "engine/audio/SoundCache.h"

namespace {

class SoundGroupTest : public NullAudioTest {
protected:
    void TearDown() override {
        Manager().SetGroupGain(SoundGroup::Music, 1.0f);
        Manager().SetGroupGain(SoundGroup::Effects, 1.0f);
        NullAudioTest::TearDown();
    }
};

}  // namespace

TEST_F(SoundGroupTest, OnlyPlayMusicMakesMusic) {
    const std::string path = WriteFreshTone(1.0);
    auto music = PlayMusic(path, 0.03f, true);
    auto plain = PlaySound(path, 0.03f, true);
    auto placed = PlaySound3D(path, Vector3(1, 0, 0), 0.1f, false, 30.0f);
    auto made = GetSound(path)->CreateInstance(false);
    ASSERT_TRUE(music && plain && placed && made);
    EXPECT_EQ(music->GetGroup(), SoundGroup::Music);
    EXPECT_EQ(plain->GetGroup(), SoundGroup::Effects);
    EXPECT_EQ(placed->GetGroup(), SoundGroup::Effects);
    EXPECT_EQ(made->GetGroup(), SoundGroup::Effects);
    // The game's volume stays the voice's own, whatever its group's gain.
    Manager().SetGroupGain(SoundGroup::Music, 0.25f);
    EXPECT_EQ(music->GetVolume(), 0.03f);
    EXPECT_TRUE(music->IsPlaying());
}

TEST_F(SoundGroupTest, GainsStayWithinSilenceAndFullEachInItsGroup) {
    Manager().SetGroupGain(SoundGroup::Music, 0.5f);
    Manager().SetGroupGain(SoundGroup::Effects, 2.0f);
    EXPECT_EQ(Manager().GetGroupGain(SoundGroup::Music), 0.5f);
    EXPECT_EQ(Manager().GetGroupGain(SoundGroup::Effects), 1.0f);
    Manager().SetGroupGain(SoundGroup::Effects, -1.0f);
    EXPECT_EQ(Manager().GetGroupGain(SoundGroup::Effects), 0.0f);
    Manager().SetGroupGain(SoundGroup::Effects, 0.3f);
    Manager().SetGroupGain(SoundGroup::Effects, NAN);
    EXPECT_EQ(Manager().GetGroupGain(SoundGroup::Effects), 0.0f);
    EXPECT_EQ(Manager().GetGroupGain(SoundGroup::Music), 0.5f);
}

// The play list holds only playing voices; a change must also reach those it dropped, those
// never started, and every voice while the output is paused (the game pauses it whenever
// the window loses focus, which is when a player may turn to another program's mixer).
TEST_F(SoundGroupTest, AChangeReachesEveryVoiceOfTheGroupWhateverItsState) {
    const std::string path = WriteFreshTone(2.0);
    auto playing = PlayMusic(path, 0.04f, true);
    auto paused = PlayMusic(path, 0.04f, true);
    auto idle = GetSound(path)->CreateInstance(false);
    auto effect = PlaySound3D(path, Vector3(0, 0, 5), 0.1f, true, 30.0f);
    ASSERT_TRUE(playing && paused && idle && effect);
    idle->SetGroup(SoundGroup::Music);
    idle->SetVolume(0.5f);
    paused->Pause();
    Manager().Update();
    ASSERT_FALSE(Manager().IsInPlayList(paused.get()));

    Manager().SetGroupGain(SoundGroup::Music, 0.25f);
    EXPECT_FLOAT_EQ(playing->GetMixGain(), 0.01f);
    EXPECT_FLOAT_EQ(paused->GetMixGain(), 0.01f);
    EXPECT_FLOAT_EQ(idle->GetMixGain(), 0.125f);
    EXPECT_FLOAT_EQ(effect->GetMixGain(), 0.1f);

    ASSERT_TRUE(Manager().PauseOutput(true));
    Manager().SetGroupGain(SoundGroup::Effects, 0.5f);
    Manager().SetGroupGain(SoundGroup::Music, 0.0f);
    EXPECT_FLOAT_EQ(effect->GetMixGain(), 0.05f);
    EXPECT_EQ(playing->GetMixGain(), 0.0f);
    ASSERT_TRUE(Manager().PauseOutput(false));
    EXPECT_TRUE(playing->IsPlaying());
    EXPECT_EQ(paused->GetState(), FwSoundInstance::State::Paused);

    // The game's volume changes the balance within the group, under the group's gain.
    effect->SetVolume(0.2f);
    EXPECT_FLOAT_EQ(effect->GetMixGain(), 0.1f);
    // Moved to the other group, a voice takes that group's gain.
    idle->SetGroup(SoundGroup::Effects);
    EXPECT_FLOAT_EQ(idle->GetMixGain(), 0.25f);
}

// A change walks every voice of the open device: voices gone, or left over from a closed
// device, must not be among them (a sanitizer build sees the touch of a freed one).
TEST_F(SoundGroupTest, GainsOutliveDevicesAndReachNoVoiceThatIsGone) {
    const std::string path = WriteFreshTone(1.0);
    {
        auto gone = PlayMusic(path, 0.03f, true);
        ASSERT_TRUE(gone);
        gone->Stop();
        Manager().Update();
    }
    auto leftOver = PlayMusic(path, 0.03f, true);
    ASSERT_TRUE(leftOver);
    Manager().SetGroupGain(SoundGroup::Music, 0.5f);

    Manager().Release();
    Manager().SetGroupGain(SoundGroup::Music, 0.25f);
    ASSERT_TRUE(Manager().Initialize());
    EXPECT_EQ(Manager().GetGroupGain(SoundGroup::Music), 0.25f);
    auto fresh = PlayMusic(path, 0.03f, true);
    ASSERT_TRUE(fresh);
    leftOver->SetGroup(SoundGroup::Effects);  // inert, like every call on a closed device's voice
    leftOver.reset();
    Manager().SetGroupGain(SoundGroup::Music, 0.5f);
    EXPECT_TRUE(fresh->IsPlaying());
    EXPECT_EQ(fresh->GetGroup(), SoundGroup::Music);
}
