#include "audio/Instruments.h"

#include <algorithm>
#include <cmath>

#include "audio/Oscillators.h"
#include "audio/Svf.h"
#include "core/Rng.h"

namespace {

constexpr float kTwoPi = 6.28318530718f;
constexpr float kRate = static_cast<float>(Sound::kRate);

struct Envelope {
    float attack, decay, sustain, release;
};

// Saw-based voices share one body: detuned oscillators, an enveloped low-pass, vibrato.
Sound SawVoice(float pitch, double hold, float velocity, const Envelope& env, int voices,
               float detuneCents, float cutoff, float cutoffEnv, float vibrato, float subSquare,
               uint64_t seed) {
    Sound s(hold + env.release + 0.02);
    Rng rng(seed);
    const float f = NoteFrequency(pitch);
    std::vector<float> phases(static_cast<size_t>(voices));
    std::vector<float> ratios(static_cast<size_t>(voices), 1.0f);
    for (size_t k = 0; k < phases.size(); ++k) {
        phases[k] = rng.Uniform();
        if (voices > 1) {
            const float spread =
                (static_cast<float>(k) / static_cast<float>(voices - 1) - 0.5f) * 2.0f;
            ratios[k] = std::pow(2.0f, spread * detuneCents / 1200.0f);
        }
    }
    float subPhase = 0.0f;
    Svf filter;
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float amp =
            Adsr(t, env.attack, env.decay, env.sustain, env.release, static_cast<float>(hold));
        if (t > static_cast<float>(hold) + env.release) break;
        const float vib = vibrato > 0.0f
                              ? 1.0f + vibrato * std::min(1.0f, std::max(0.0f, t - 0.25f) * 3.0f) *
                                           std::sin(kTwoPi * 5.5f * t)
                              : 1.0f;
        float v = 0.0f;
        for (size_t k = 0; k < phases.size(); ++k) {
            const float dt = f * vib * ratios[k] / kRate;
            // Kept in [0, 1) so long pad notes do not lose phase precision.
            phases[k] += dt;
            phases[k] -= std::floor(phases[k]);
            v += SawWave(phases[k], dt);
        }
        v /= static_cast<float>(voices);
        if (subSquare > 0.0f) {
            subPhase += f * 0.5f / kRate;
            subPhase -= std::floor(subPhase);
            v += subSquare * SquareWave(subPhase, f * 0.5f / kRate);
        }
        // The cutoff follows the envelope; a new coefficient every 16 samples is smooth enough.
        if (i % 16 == 0) filter.Set(cutoff + cutoffEnv * amp * velocity, 0.8f, Sound::kRate);
        filter.Process(v);
        s[i] = filter.Low() * amp * velocity;
    }
    return s;
}

Sound Bell(float pitch, double hold, float velocity) {
    Sound s(hold + 2.5);
    const float f = NoteFrequency(pitch);
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float index = 2.2f * std::exp(-t / 0.6f);
        const float mod = std::sin(kTwoPi * f * 3.5f * t) * index;
        const float env = Decay(t, 0.004f, 1.1f) *
                          (t > static_cast<float>(hold) + 1.5f
                               ? std::max(0.0f, 1.0f - (t - static_cast<float>(hold) - 1.5f))
                               : 1.0f);
        s[i] = velocity * env *
               (std::sin(kTwoPi * f * t + mod) +
                0.25f * std::sin(kTwoPi * 2.0f * f * t) * std::exp(-t / 0.4f));
    }
    return s;
}

Sound Drum(Instrument kind, float pitch, float velocity, uint64_t seed) {
    Rng rng(seed);
    const double length =
        kind == Instrument::Crash ? 1.6 : (kind == Instrument::OpenHat ? 0.35 : 0.5);
    Sound s(length);
    Svf f;
    if (kind == Instrument::Snare) f.Set(1900.0f, 0.6f, Sound::kRate);
    if (kind == Instrument::Hat || kind == Instrument::OpenHat) f.Set(8000.0f, 0.7f, Sound::kRate);
    if (kind == Instrument::Crash) f.Set(5000.0f, 0.5f, Sound::kRate);
    float phase = 0.0f;
    for (size_t i = 0; i < s.Size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        float v = 0.0f;
        switch (kind) {
            case Instrument::Kick: {
                const float freq = 48.0f + 120.0f * std::exp(-t / 0.03f);
                phase += freq / kRate;
                v = std::sin(kTwoPi * phase) * Decay(t, 0.001f, 0.16f) +
                    0.3f * rng.Signed() * Decay(t, 0.0003f, 0.004f);
                break;
            }
            case Instrument::Snare: {
                f.Process(rng.Signed());
                phase += 190.0f / kRate;
                v = f.Band() * 1.6f * Decay(t, 0.001f, 0.09f) +
                    0.5f * std::sin(kTwoPi * phase) * Decay(t, 0.001f, 0.05f);
                break;
            }
            case Instrument::Hat:
            case Instrument::OpenHat: {
                f.Process(rng.Signed());
                v = f.High() * 0.7f * Decay(t, 0.0005f, kind == Instrument::Hat ? 0.03f : 0.12f);
                break;
            }
            case Instrument::Crash: {
                f.Process(rng.Signed());
                v = f.High() * 0.6f * Decay(t, 0.002f, 0.55f);
                break;
            }
            default: {  // Tom: tuned by pitch
                const float base = NoteFrequency(pitch);
                const float freq = base * (1.0f + 0.6f * std::exp(-t / 0.04f));
                phase += freq / kRate;
                v = std::sin(kTwoPi * phase) * Decay(t, 0.001f, 0.2f);
                break;
            }
        }
        s[i] = v * velocity;
    }
    return s;
}

}  // namespace

Sound RenderVoice(Instrument instrument, float pitch, double hold, float velocity, uint64_t seed) {
    switch (instrument) {
        case Instrument::Lead:
            return SawVoice(pitch, hold, velocity, {0.012f, 0.25f, 0.75f, 0.18f}, 2, 12.0f, 900.0f,
                            3800.0f, 0.006f, 0.25f, seed);
        case Instrument::Brass:
            return SawVoice(pitch, hold, velocity, {0.05f, 0.3f, 0.7f, 0.25f}, 3, 14.0f, 500.0f,
                            2600.0f, 0.003f, 0.0f, seed);
        case Instrument::Pad:
            return SawVoice(pitch, hold, velocity, {0.5f, 1.0f, 0.8f, 1.2f}, 4, 18.0f, 700.0f,
                            900.0f, 0.0f, 0.0f, seed);
        case Instrument::Bass:
            return SawVoice(pitch, hold, velocity, {0.004f, 0.12f, 0.55f, 0.06f}, 1, 0.0f, 250.0f,
                            1400.0f, 0.0f, 0.6f, seed);
        case Instrument::Pluck:
            return SawVoice(pitch, hold, velocity, {0.002f, 0.08f, 0.0f, 0.08f}, 2, 8.0f, 600.0f,
                            4200.0f, 0.0f, 0.0f, seed);
        case Instrument::Bell:
            return Bell(pitch, hold, velocity);
        default:
            return Drum(instrument, pitch, velocity, seed);
    }
}
