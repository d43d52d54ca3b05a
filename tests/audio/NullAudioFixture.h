#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <thread>

#include "TestWav.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/FwSoundInstance.h"

inline void PrintTo(FwSoundInstance::State state, std::ostream* os) {
    *os << (state == FwSoundInstance::State::Playing  ? "Playing"
            : state == FwSoundInstance::State::Paused ? "Paused"
                                                      : "Stopped");
}

// Runs each test against OpenAL Soft's null backend: no sound card needed, but the mixer
// runs, so voices advance and end in real time.
class NullAudioTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SelectOpenAlBackend("null"); }
    void SetUp() override { ASSERT_TRUE(AudioManager::GetInstance().Initialize()); }
    void TearDown() override { AudioManager::GetInstance().Release(); }

    static AudioManager& Manager() { return AudioManager::GetInstance(); }

    // Runs AudioManager::Update every few milliseconds until done() holds or the deadline
    // passes; returns done(). The deadline only bounds a failing test.
    template <typename Predicate>
    static bool UpdateUntil(Predicate done, double seconds = 3.0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Manager().Update();
        }
        return true;
    }
};
