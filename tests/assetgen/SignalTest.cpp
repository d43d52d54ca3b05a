// Oscillators, envelopes and the filter the sounds are made of.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/Oscillators.h"
#include "audio/Sound.h"
#include "audio/Svf.h"
#include "core/Rng.h"

TEST(Oscillators, PitchesAndWaveformsStayInTune) {
    EXPECT_FLOAT_EQ(NoteFrequency(69.0f), 440.0f);
    EXPECT_NEAR(NoteFrequency(81.0f), 880.0f, 1e-3f);
    EXPECT_NEAR(NoteFrequency(60.0f), 261.6256f, 1e-3f);
    // A band-limited saw and square over one second of 441 Hz: no DC, no overshoot past the
    // small polyBLEP ripple.
    const float dt = 441.0f / Sound::kRate;
    double sawSum = 0, squareSum = 0;
    float phase = 0.0f;
    for (int i = 0; i < Sound::kRate; ++i) {
        const float saw = SawWave(phase, dt);
        const float square = SquareWave(phase, dt);
        ASSERT_LE(std::fabs(saw), 1.05f);
        ASSERT_LE(std::fabs(square), 1.05f);
        sawSum += saw;
        squareSum += square;
        phase += dt;
        phase -= std::floor(phase);
    }
    EXPECT_LT(std::fabs(sawSum / Sound::kRate), 0.01);
    EXPECT_LT(std::fabs(squareSum / Sound::kRate), 0.01);
    EXPECT_FLOAT_EQ(TriangleWave(0.25f), 0.0f);
    EXPECT_FLOAT_EQ(TriangleWave(0.5f), 1.0f);
}

TEST(Envelopes, AdsrHoldsItsSustainAndReleasesToSilence) {
    const float attack = 0.01f, decay = 0.05f, sustain = 0.6f, release = 0.2f, hold = 1.0f;
    EXPECT_FLOAT_EQ(Adsr(0.005f, attack, decay, sustain, release, hold), 0.5f);
    EXPECT_NEAR(Adsr(0.9f, attack, decay, sustain, release, hold), sustain, 1e-3f);
    EXPECT_LT(Adsr(1.15f, attack, decay, sustain, release, hold), 0.1f);
    EXPECT_FLOAT_EQ(Adsr(1.2f, attack, decay, sustain, release, hold), 0.0f);
    // Released before the attack finished: falls from where it was, without a jump up.
    EXPECT_LE(Adsr(0.006f, attack, decay, sustain, release, 0.005f), 0.5f);
    EXPECT_FLOAT_EQ(Decay(0.0f, 0.01f, 0.1f), 0.0f);
    EXPECT_NEAR(Decay(0.11f, 0.01f, 0.1f), std::exp(-1.0f), 1e-5f);
}

TEST(Svf, StaysStableUnderFastSweepsAndSeparatesBands) {
    Svf f;
    Rng rng(7);
    float peak = 0.0f;
    // Sweeping the whole range every few samples at a high resonance is what the whooshes do.
    for (int i = 0; i < Sound::kRate; ++i) {
        const float sweep = 20.0f * std::pow(1000.0f, 0.5f + 0.5f * std::sin(i * 0.01f));
        f.Set(sweep, 12.0f, Sound::kRate);
        f.Process(rng.Signed());
        ASSERT_TRUE(std::isfinite(f.Low()) && std::isfinite(f.Band()) && std::isfinite(f.High()));
        peak = std::max(peak, std::fabs(f.Band()));
    }
    EXPECT_LT(peak, 50.0f);
    // A 100 Hz tone passes the 1 kHz low-pass nearly whole and is stripped by the high-pass.
    Svf g;
    g.Set(1000.0f, 0.707f, Sound::kRate);
    double low = 0, high = 0;
    for (int i = 0; i < Sound::kRate / 2; ++i) {
        g.Process(std::sin(6.2831853f * 100.0f * i / Sound::kRate));
        if (i > 4410) {
            low += g.Low() * g.Low();
            high += g.High() * g.High();
        }
    }
    EXPECT_GT(low, high * 1000.0);
}

TEST(Sound, FadesTakeBothEndsToSilence) {
    Sound s(0.1);
    for (size_t i = 0; i < s.Size(); ++i) s[i] = 0.8f;
    s.FadeEdges(0.01, 0.02);
    EXPECT_FLOAT_EQ(s[0], 0.0f);
    EXPECT_FLOAT_EQ(s[s.Size() - 1], 0.0f);
    EXPECT_FLOAT_EQ(s[s.Size() / 2], 0.8f);
    EXPECT_NEAR(s[221], 0.4f, 0.01f);  // halfway up the 441-sample fade-in
    EXPECT_NEAR(s.Rms(), 0.8f * std::sqrt(1.0f - (0.01f + 0.02f) / 0.1f * 2.0f / 3.0f), 0.01f);
}
