#include "audio/SoundEffects.h"

#include <cmath>

#include "audio/Oscillators.h"
#include "audio/Svf.h"
#include "core/Rng.h"

namespace {

constexpr float kTwoPi = 6.28318530718f;
constexpr float kRate = static_cast<float>(Sound::kRate);

// A sine whose frequency glides exponentially from f0 to f1 over `glide` seconds.
struct Sweep {
    float f0, f1, glide;
    float phase = 0.0f;
    float Next(float t) {
        const float k = std::min(t / glide, 1.0f);
        const float f = f0 * std::pow(f1 / f0, k);
        phase += f / kRate;
        phase -= std::floor(phase);
        return std::sin(kTwoPi * phase);
    }
};

// A thump: a sine falling in pitch with a fast decay (the body of every impact).
void AddThump(Sound& s, float start, float f0, float f1, float tau, float gain) {
    Sweep sweep{f0, f1, tau * 2.0f};
    const size_t from = static_cast<size_t>(start * kRate);
    for (size_t i = from; i < s.Size(); ++i) {
        const float t = static_cast<float>(i - from) / kRate;
        s[i] += gain * Decay(t, 0.002f, tau) * sweep.Next(t);
    }
}

// Noise through a band-pass whose centre moves from c0 to c1, under a decay envelope.
void AddNoise(Sound& s, Rng& rng, float start, float c0, float c1, float q, float attack, float tau,
              float gain, bool lowPass = false) {
    Svf f;
    const size_t from = static_cast<size_t>(start * kRate);
    for (size_t i = from; i < s.Size(); ++i) {
        const float t = static_cast<float>(i - from) / kRate;
        f.Set(c0 * std::pow(c1 / c0, std::min(t / (tau * 3.0f), 1.0f)), q, Sound::kRate);
        f.Process(rng.Signed());
        s[i] += gain * Decay(t, attack, tau) * (lowPass ? f.Low() : f.Band());
    }
}

// Inharmonic partials of struck metal.
void AddRing(Sound& s, float start, const float* freqs, const float* taus, int count, float gain) {
    const size_t from = static_cast<size_t>(start * kRate);
    for (size_t i = from; i < s.Size(); ++i) {
        const float t = static_cast<float>(i - from) / kRate;
        float v = 0.0f;
        for (int k = 0; k < count; ++k)
            v += std::sin(kTwoPi * freqs[k] * t) * Decay(t, 0.001f, taus[k]);
        s[i] += gain * v / static_cast<float>(count);
    }
}

void Saturate(Sound& s, float drive) {
    for (size_t i = 0; i < s.Size(); ++i) s[i] = SoftClip(s[i] * drive);
}

}  // namespace

Sound MakeSwing() {
    Sound s(0.42);
    Rng rng(101);
    Svf band, whistle;
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        // The blade passes closest at 0.14 s: loudest and highest there.
        const float pass = std::exp(-std::pow((t - 0.14f) / 0.08f, 2.0f));
        const float env = std::sin(3.14159f * std::min(t / 0.42f, 1.0f)) * (0.35f + 0.65f * pass);
        band.Set(500.0f + 2200.0f * pass, 1.4f, Sound::kRate);
        whistle.Set(900.0f + 1500.0f * pass, 9.0f, Sound::kRate);
        const float n = rng.Signed();
        band.Process(n);
        whistle.Process(n);
        s[i] = env * (band.Band() * 1.2f + whistle.Band() * 0.5f);
    }
    AddThump(s, 0.06f, 190.0f, 80.0f, 0.12f, 0.12f);
    s.FadeEdges(0.005, 0.05);
    return s;
}

Sound MakeAxeImpact() {
    Sound s(0.65);
    Rng rng(102);
    AddThump(s, 0.0f, 120.0f, 42.0f, 0.09f, 1.0f);
    static const float freqs[] = {523.0f, 1187.0f, 1913.0f, 2741.0f, 3517.0f, 4621.0f};
    static const float taus[] = {0.22f, 0.16f, 0.12f, 0.09f, 0.06f, 0.04f};
    AddRing(s, 0.0f, freqs, taus, 6, 0.9f);
    AddNoise(s, rng, 0.0f, 4000.0f, 1500.0f, 0.8f, 0.0005f, 0.035f, 1.4f);
    AddNoise(s, rng, 0.0f, 900.0f, 300.0f, 0.7f, 0.001f, 0.07f, 0.8f);
    Saturate(s, 1.6f);
    s.FadeEdges(0.0005, 0.08);
    return s;
}

Sound MakeBulletImpact() {
    Sound s(0.45);
    Rng rng(103);
    AddNoise(s, rng, 0.0f, 3200.0f, 2000.0f, 0.9f, 0.0003f, 0.018f, 1.6f);
    AddThump(s, 0.0f, 160.0f, 55.0f, 0.06f, 0.9f);
    AddNoise(s, rng, 0.005f, 6000.0f, 2500.0f, 0.6f, 0.002f, 0.12f, 0.35f);
    Sweep zap{1900.0f, 700.0f, 0.12f};
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        s[i] += 0.2f * Decay(t, 0.001f, 0.05f) * zap.Next(t);
    }
    Saturate(s, 1.4f);
    s.FadeEdges(0.0005, 0.06);
    return s;
}

Sound MakeRailgunShot() {
    Sound s(0.85);
    Rng rng(104);
    Svf tone;
    float phase = 0.0f;
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        // The discharge: a buzzing saw diving from 2.4 kHz, roughened by crackle.
        const float f = 120.0f + 2300.0f * std::exp(-t / 0.07f);
        phase += f / kRate;
        const float saw = SawWave(phase, f / kRate);
        const float crackle =
            rng.Uniform() < 0.02f * std::exp(-t / 0.2f) ? rng.Signed() * 2.0f : 0.0f;
        tone.Set(900.0f + 5000.0f * std::exp(-t / 0.1f), 1.2f, Sound::kRate);
        tone.Process(saw + crackle);
        s[i] = 0.7f * Decay(t, 0.001f, 0.18f) * tone.Low();
    }
    AddThump(s, 0.0f, 95.0f, 38.0f, 0.16f, 1.0f);
    AddNoise(s, rng, 0.0f, 7000.0f, 1200.0f, 0.5f, 0.001f, 0.22f, 0.7f);
    Saturate(s, 1.5f);
    s.FadeEdges(0.0005, 0.15);
    return s;
}

Sound MakeWeaponSwitch() {
    Sound s(0.36);
    Rng rng(105);
    static const float click[] = {3200.0f, 5100.0f};
    static const float clickTau[] = {0.012f, 0.008f};
    AddRing(s, 0.0f, click, clickTau, 2, 0.8f);
    AddNoise(s, rng, 0.0f, 5000.0f, 4000.0f, 1.0f, 0.0003f, 0.006f, 0.9f);
    // The servo: a short rising whirr between the two clicks.
    Svf whirr;
    float phase = 0.0f;
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        if (t < 0.03f || t > 0.2f) continue;
        const float u = (t - 0.03f) / 0.17f;
        const float f = 180.0f + 160.0f * u;
        phase += f / kRate;
        whirr.Set(1400.0f, 0.9f, Sound::kRate);
        whirr.Process(SquareWave(phase, f / kRate));
        s[i] += 0.18f * std::sin(3.14159f * u) * whirr.Low();
    }
    static const float clack[] = {1800.0f, 2650.0f, 4100.0f};
    static const float clackTau[] = {0.025f, 0.018f, 0.01f};
    AddRing(s, 0.2f, clack, clackTau, 3, 1.0f);
    AddThump(s, 0.2f, 210.0f, 90.0f, 0.03f, 0.6f);
    AddNoise(s, rng, 0.2f, 3000.0f, 2000.0f, 0.8f, 0.0003f, 0.01f, 0.8f);
    s.FadeEdges(0.0005, 0.05);
    return s;
}

Sound MakeStartChime() {
    Sound s(1.3);
    Rng rng(106);
    // A major, rising: E5 A5 C#6 E6, each a bell of three partials.
    static const float notes[] = {76.0f, 81.0f, 85.0f, 88.0f};
    for (int n = 0; n < 4; ++n) {
        const float start = 0.065f * static_cast<float>(n);
        const float f = NoteFrequency(notes[n]);
        const size_t from = static_cast<size_t>(start * kRate);
        for (size_t i = from; i < s.Size(); ++i) {
            const float t = static_cast<float>(i - from) / kRate;
            const float bell = std::sin(kTwoPi * f * t) * Decay(t, 0.002f, 0.45f) +
                               0.35f * std::sin(kTwoPi * f * 2.0f * t) * Decay(t, 0.002f, 0.2f) +
                               0.12f * std::sin(kTwoPi * f * 3.01f * t) * Decay(t, 0.001f, 0.08f);
            s[i] += 0.3f * bell;
        }
    }
    // A rising whoosh under the chord.
    Svf band;
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        band.Set(600.0f + 5000.0f * std::min(t / 0.3f, 1.0f), 1.0f, Sound::kRate);
        band.Process(rng.Signed());
        s[i] += 0.25f * band.Band() * Decay(t, 0.2f, 0.15f);
    }
    s.FadeEdges(0.002, 0.3);
    return s;
}

namespace {

Sound Explosion(double seconds, uint64_t seed, float size) {
    Sound s(seconds);
    Rng rng(seed);
    AddNoise(s, rng, 0.0f, 3000.0f, 1500.0f, 0.6f, 0.0005f, 0.03f, 1.0f);
    AddNoise(s, rng, 0.0f, 1400.0f, 160.0f, 0.5f, 0.004f, 0.35f * size, 2.2f, true);
    AddThump(s, 0.0f, 75.0f, 28.0f, 0.22f * size, 1.1f);
    // Debris crackling in the tail.
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        if (rng.Uniform() < 0.0015f * std::exp(-t / (0.5f * size))) {
            const float amp = rng.Range(0.1f, 0.35f) * std::exp(-t / size);
            for (size_t k = 0; k < 200 && i + k < s.Size(); ++k) {
                s[i + k] += amp * rng.Signed() * std::exp(-static_cast<float>(k) / 40.0f);
            }
        }
    }
    Saturate(s, 1.8f);
    return s;
}

}  // namespace

Sound MakeSmallExplosion() {
    Sound s = Explosion(1.6, 107, 1.0f);
    s.FadeEdges(0.0005, 0.4);
    return s;
}

Sound MakeLargeExplosion() {
    Sound s = Explosion(2.9, 108, 2.0f);
    // A second blast a quarter second in, and a long rumble.
    Sound second = Explosion(2.6, 109, 1.6f);
    s.Mix(second, static_cast<long>(0.24 * kRate), 0.8f, false);
    Rng rng(110);
    AddNoise(s, rng, 0.0f, 220.0f, 60.0f, 0.7f, 0.05f, 0.9f, 1.2f, true);
    Saturate(s, 1.2f);
    s.FadeEdges(0.0005, 0.8);
    return s;
}
